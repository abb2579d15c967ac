#!/usr/bin/env python3
"""Draws game/bgMenu.png (1024 x 600), the main menu's picture: the play scene's sky,
sun and three layers, with the dragon flying up on the left. The title stands on the
light sky at the top; the menu panel covers the middle from y = 100 down.

Usage: bgmenu.py OUT.png IMAGES_SOURCE_DIR
"""
import os
import sys
import tempfile

from PIL import Image

import layers
from svgrender import render_svg

WIDTH, HEIGHT = 1024, 600
SKY = (135, 206, 250)
SKY_TOP = (214, 240, 255)
CASTLE_ON_SCREEN = 900


def rendered(svg_text, zoom=1.0, rotate=0.0):
    """Renders an SVG text (optionally zoomed and turned) into an RGBA image."""
    if zoom != 1.0 or rotate:
        head, rest = svg_text.split('>', 1)
        w = float(head.split('width="')[1].split('"')[0])
        h = float(head.split('height="')[1].split('"')[0])
        zw, zh = round(w * zoom), round(h * zoom)
        inner = rest.rsplit('</svg>', 1)[0]
        svg_text = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{zw}" height="{zh}" viewBox="0 0 {zw} {zh}">'
                    f'<g transform="rotate({rotate} {zw / 2} {zh / 2}) scale({zoom})">{inner}</g></svg>')
    with tempfile.TemporaryDirectory() as tmp:
        path = os.path.join(tmp, 'part.png')
        render_svg(svg_text, path)
        return Image.open(path).convert('RGBA')


def sky():
    img = Image.new('RGBA', (WIDTH, HEIGHT))
    px = img.load()
    for y in range(HEIGHT):
        t = min(1.0, y / 260.0)
        c = tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP, SKY)) + (255,)
        for x in range(WIDTH):
            px[x, y] = c
    return img


def main(out, images_dir):
    def source(name):
        with open(os.path.join(images_dir, name)) as f:
            return f.read()

    img = sky()
    sun = rendered(source('game/bgSun.svg'))
    rays = rendered(source('game/bgSunRays.svg'))
    img.alpha_composite(sun, (WIDTH - sun.width, 0))
    far, mid, near = (rendered(layers.layer_svg(n)) for n in (3, 2, 1))
    # the middle layer is shifted so that its castle stands right of the menu panel
    castle_shift = (layers.castle_x(mid.width) - CASTLE_ON_SCREEN) % mid.width
    for layer, shift in ((far, 120), (rays, None), (mid, castle_shift), (near, 300)):
        if shift is None:
            img.alpha_composite(layer, (WIDTH - layer.width, 0))
            continue
        x = -shift
        while x < WIDTH:
            if x < 0:
                img.alpha_composite(layer.crop((-x, 0, layer.width, HEIGHT)), (0, 0))
            else:
                img.alpha_composite(layer, (x, 0))
            x += layer.width
    dragon = rendered(source('game/player.svg'), zoom=2.4, rotate=-14)
    img.alpha_composite(dragon, (14, 150))
    img.convert('RGB').save(out, 'PNG')


if __name__ == '__main__':
    main(sys.argv[1], sys.argv[2])
