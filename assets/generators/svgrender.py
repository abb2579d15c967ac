"""Shared helpers of the content generators: render an SVG text to a PNG with rsvg-convert."""
import os
import subprocess
import tempfile


def render_svg(svg_text, out_path, width=None, height=None):
    """Renders svg_text into the PNG file out_path."""
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    with tempfile.NamedTemporaryFile('w', suffix='.svg', delete=False) as f:
        f.write(svg_text)
        svg_path = f.name
    try:
        cmd = ['rsvg-convert', svg_path, '-o', out_path]
        if width:
            cmd += ['-w', str(width)]
        if height:
            cmd += ['-h', str(height)]
        subprocess.run(cmd, check=True)
    finally:
        os.unlink(svg_path)
