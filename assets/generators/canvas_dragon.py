#!/usr/bin/env python3
"""Draws gui/canvas_dragon.png: the dragon-scale panel frame.

The game cuts the 114 x 114 image with borders left 48, right 59, top 54, bottom 53 and
repeats the 7 x 7 middle (and the edge cells beside it) a whole number of times. So every
pattern along an edge has a period of 7 pixels, anchored at x = 48 and y = 54, and the
parchment texture is one 7 x 7 tile anchored at (48, 54).

Usage: canvas_dragon.py OUT.png
"""
import sys

from svgrender import render_svg

SIZE = 114
LEFT, RIGHT, TOP, BOTTOM = 48, 59, 54, 53
TILE = 7
BAND = 20          # width of the scaly outer band
EYE_R = 15.5       # the corner medallions

INK = '#3a2012'
GOLD_LIGHT = '#ffe49a'
GOLD = '#e0aa3a'
GOLD_DARK = '#9a6414'


def scale_strip(length, anchor):
    """Two staggered rows of dragon scales along an edge, in strip coordinates:
    u runs along the edge, v from the outer edge inwards. Returns SVG path data of the
    scale outlines and the scale bodies (one path each)."""
    bodies = []
    lines = []
    first = anchor - TILE * ((anchor + TILE) // TILE)
    for row, (v0, shift) in enumerate(((4.0, 0.0), (9.5, TILE / 2))):
        u = first + shift
        while u < length + TILE:
            # one scale: a rounded U whose bulge points inwards
            a, b = u, u + TILE
            top, depth = v0, 6.0
            bodies.append(f'M{a:.2f} {top:.2f} C{a:.2f} {top + depth:.2f} {b:.2f} {top + depth:.2f} {b:.2f} {top:.2f} Z')
            lines.append(f'M{a:.2f} {top:.2f} C{a:.2f} {top + depth:.2f} {b:.2f} {top + depth:.2f} {b:.2f} {top:.2f}')
            u += TILE
    return ' '.join(bodies), ' '.join(lines)


def band(length, anchor, transform):
    bodies, lines = scale_strip(length, anchor)
    return f'''
  <g transform="{transform}">
    <rect x="-20" y="0" width="{length + 40}" height="{BAND}" fill="url(#bandShade)"/>
    <path d="{bodies}" fill="url(#scale)"/>
    <path d="{lines}" fill="none" stroke="#1f4a24" stroke-width="0.9"/>
    <rect x="-20" y="0" width="{length + 40}" height="2.6" fill="{GOLD}"/>
    <rect x="-20" y="0" width="{length + 40}" height="1" fill="{INK}"/>
    <rect x="-20" y="16.4" width="{length + 40}" height="3" fill="{GOLD}"/>
    <rect x="-20" y="16.6" width="{length + 40}" height="0.9" fill="{GOLD_LIGHT}"/>
    <rect x="-20" y="19.2" width="{length + 40}" height="0.8" fill="{INK}"/>
    <rect x="-20" y="20" width="{length + 40}" height="5" fill="url(#innerShadow)"/>
  </g>'''


def eye(cx, cy, look_x, look_y):
    """A golden medallion holding a dragon's eye, glancing towards the panel's middle."""
    px, py = cx + look_x, cy + look_y
    return f'''
  <g>
    <circle cx="{cx}" cy="{cy}" r="{EYE_R}" fill="url(#gold)" stroke="{INK}" stroke-width="1.2"/>
    <circle cx="{cx}" cy="{cy}" r="{EYE_R - 3.2}" fill="none" stroke="{GOLD_DARK}" stroke-width="0.9"/>
    <ellipse cx="{cx}" cy="{cy}" rx="10" ry="7.2" fill="#fff4d6" stroke="{INK}" stroke-width="1"/>
    <circle cx="{px}" cy="{py}" r="6.2" fill="url(#iris)" stroke="#6a2a08" stroke-width="0.7"/>
    <ellipse cx="{px}" cy="{py}" rx="1.5" ry="5.2" fill="#1a0c04"/>
    <circle cx="{px - 2.2}" cy="{py - 2.4}" r="1.3" fill="#ffffff"/>
  </g>'''


def frame_svg():
    s = SIZE
    speckles = '''
      <rect width="7" height="7" fill="#fbefcc"/>
      <rect x="1" y="1" width="1" height="1" fill="#efdcaa" />
      <rect x="4" y="3" width="1" height="1" fill="#f2e1b4" />
      <rect x="2" y="5" width="1" height="1" fill="#f5e6bc" />
      <rect x="6" y="0" width="1" height="1" fill="#f5e6bc" />'''
    parts = [band(s, LEFT, 'translate(0 0)'),                                # top
             band(s, LEFT, f'translate(0 {s}) scale(1 -1)'),                 # bottom
             band(s, TOP, 'matrix(0 1 1 0 0 0)'),                             # left
             band(s, TOP, f'matrix(0 1 -1 0 {s} 0)')]                         # right
    c1, c2 = 16.5, s - 16.5
    eyes = [eye(c1, c1, 1.6, 1.0), eye(c2, c1, -1.6, 1.0),
            eye(c1, c2, 1.6, -0.6), eye(c2, c2, -1.6, -0.6)]
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="{s}" height="{s}" viewBox="0 0 {s} {s}">
  <defs>
    <pattern id="paper" x="{LEFT}" y="{TOP}" width="{TILE}" height="{TILE}" patternUnits="userSpaceOnUse">{speckles}
    </pattern>
    <linearGradient id="bandShade" x1="0" y1="0" x2="0" y2="{BAND}" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#2f6b33"/>
      <stop offset="1" stop-color="#1f4a24"/>
    </linearGradient>
    <linearGradient id="scale" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#4f9a48"/>
      <stop offset="1" stop-color="#8fd06a"/>
    </linearGradient>
    <linearGradient id="innerShadow" x1="0" y1="20" x2="0" y2="25" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#7a5228" stop-opacity="0.45"/>
      <stop offset="1" stop-color="#7a5228" stop-opacity="0"/>
    </linearGradient>
    <radialGradient id="gold" cx="0.4" cy="0.35" r="0.7">
      <stop offset="0" stop-color="{GOLD_LIGHT}"/>
      <stop offset="1" stop-color="{GOLD}"/>
    </radialGradient>
    <radialGradient id="iris" cx="0.5" cy="0.5" r="0.5">
      <stop offset="0" stop-color="#fff07a"/>
      <stop offset="0.6" stop-color="#f5a623"/>
      <stop offset="1" stop-color="#d2561a"/>
    </radialGradient>
    <clipPath id="shape"><rect width="{s}" height="{s}" rx="12"/></clipPath>
  </defs>
  <g clip-path="url(#shape)">
    <rect width="{s}" height="{s}" fill="url(#paper)"/>
    {''.join(parts)}
  </g>
  {''.join(eyes)}
</svg>
'''


if __name__ == '__main__':
    render_svg(frame_svg(), sys.argv[1])
