#!/usr/bin/env python3
"""Draws the three parallax layers game/bg1.png (near), bg2.png and bg3.png (far).

Each layer is a full-height strip (600 px) with a transparent sky, laid side by side by
the game. Every shape is periodic in the layer's width: hill outlines are sums of sines
with whole periods per tile, and objects near an edge are drawn again one tile to the
left and right, so the left and right edges join without a seam.

Usage: layers.py {1|2|3} OUT.png
"""
import math
import random
import sys

from svgrender import render_svg

HEIGHT = 600

LAYERS = {
    # width, seed
    1: (1200, 11),
    2: (1100, 22),
    3: (1000, 33),
}


def periodic_profile(width, base, waves):
    """y(x) of a hill outline: base plus sines with whole numbers of periods per tile."""
    def y(x):
        return base + sum(a * math.sin(2 * math.pi * k * x / width + p) for a, k, p in waves)
    return y


def outline_path(width, y, step=4):
    pts = [(x, y(x)) for x in range(-16, width + 17, step)]
    d = 'M' + ' L'.join(f'{x} {v:.2f}' for x, v in pts)
    return d, pts


def filled_path(width, y):
    d, _ = outline_path(width, y)
    return f'{d} L{width + 16} {HEIGHT + 10} L-16 {HEIGHT + 10} Z', d


def wrapped(width, x, margin, draw):
    """Draws an object at x and again a tile away where it reaches over an edge."""
    out = [draw(x)]
    if x - margin < 0:
        out.append(draw(x + width))
    if x + margin > width:
        out.append(draw(x - width))
    return ''.join(out)


def cloud(x, y, s):
    puffs = [(-26, 4, 15), (-10, -6, 19), (10, -9, 21), (28, 2, 15), (2, 6, 17)]
    shapes = ''.join(f'<circle cx="{x + dx * s:.1f}" cy="{y + dy * s:.1f}" r="{r * s:.1f}"/>'
                     for dx, dy, r in puffs)
    base = f'<rect x="{x - 34 * s:.1f}" y="{y:.1f}" width="{68 * s:.1f}" height="{14 * s:.1f}" rx="{7 * s:.1f}"/>'
    return (f'<g fill="#ffffff" stroke="#c9e6f7" stroke-width="2.2">{shapes}{base}</g>'
            f'<g fill="#ffffff">{shapes}{base}</g>'
            f'<ellipse cx="{x:.1f}" cy="{y + 10 * s:.1f}" rx="{30 * s:.1f}" ry="{4 * s:.1f}" fill="#e4f2fb"/>')


def mountains(width, rnd):
    """The far layer: soft blue mountains with snow caps, a line of clouds above."""
    peaks = []
    x = 0
    while x < width:
        peaks.append((x + rnd.uniform(-20, 20), rnd.uniform(120, 200), rnd.uniform(90, 150)))
        x += width / 7
    def ridge(px):
        top = 0.0
        for cx, h, w in peaks:
            d = abs(((px - cx + width / 2) % width) - width / 2)
            top = max(top, h * max(0.0, 1 - d / w) ** 1.25)
        return 470 - top + 6 * math.sin(2 * math.pi * 9 * px / width)
    back = periodic_profile(width, 430, [(26, 3, 0.6), (14, 7, 2.1), (8, 11, 4.0)])
    d_back, l_back = filled_path(width, back)
    d_front, l_front = filled_path(width, ridge)
    def snowline(px):
        # the snow line of the peak that forms the ridge here, with a ragged edge
        best, line = 0.0, HEIGHT
        for cx, h, w in peaks:
            d = abs(((px - cx + width / 2) % width) - width / 2)
            v = h * max(0.0, 1 - d / w) ** 1.25
            if v > best:
                best, line = v, 470 - h * 0.72
        return line + 5 * abs(math.sin(2 * math.pi * 40 * px / width))
    snow_clip, _ = outline_path(width, snowline, step=2)
    snow_clip += ' L{} -10 L-16 -10 Z'.format(width + 16)
    clouds = []
    for i in range(5):
        cx = (i + rnd.uniform(0.1, 0.9)) * width / 5
        clouds.append(wrapped(width, cx, 90, lambda c, y=rnd.uniform(70, 200), s=rnd.uniform(0.9, 1.5): cloud(c, y, s)))
    return f'''
  {''.join(clouds)}
  <path d="{d_back}" fill="#b6c8ec"/>
  <path d="{l_back}" fill="none" stroke="#98aee0" stroke-width="2"/>
  <path d="{d_front}" fill="url(#far)"/>
  <clipPath id="snowline"><path d="{snow_clip}"/></clipPath>
  <path d="{d_front}" fill="#fbfdff" clip-path="url(#snowline)"/>
  <path d="{snow_clip}" fill="none" stroke="#d7e3f6" stroke-width="1.2" clip-path="url(#mountain)"/>
  <clipPath id="mountain"><path d="{d_front}"/></clipPath>
  <path d="{l_front}" fill="none" stroke="#7f94cc" stroke-width="2.2" stroke-linejoin="round"/>
'''


def tree(x, y, s, rnd_shade):
    crown = [(0, -40, 17), (-12, -30, 13), (12, -30, 13), (0, -26, 14)]
    circles = ''.join(f'<circle cx="{x + dx * s:.1f}" cy="{y + dy * s:.1f}" r="{r * s:.1f}"/>' for dx, dy, r in crown)
    fill = ['#5cae4a', '#4fa044', '#67b852'][rnd_shade]
    return (f'<rect x="{x - 3 * s:.1f}" y="{y - 22 * s:.1f}" width="{6 * s:.1f}" height="{24 * s:.1f}" rx="2" '
            f'fill="#8a5a30" stroke="#5b3a1e" stroke-width="1.4"/>'
            f'<g fill="{fill}" stroke="#2f6b33" stroke-width="1.8">{circles}</g>'
            f'<g fill="{fill}">{circles}</g>'
            f'<circle cx="{x - 5 * s:.1f}" cy="{y - 45 * s:.1f}" r="{5 * s:.1f}" fill="#9ad47a" opacity="0.8"/>')


def castle(x, y):
    """A small storybook castle with red roofs, standing on a hill top."""
    def tower(tx, w, h, roof):
        return (f'<rect x="{tx - w / 2:.1f}" y="{y - h:.1f}" width="{w}" height="{h + 6}" fill="#e8dcc8" stroke="#6b5a48" stroke-width="1.5"/>'
                f'<path d="M{tx - w / 2 - 3:.1f} {y - h:.1f} L{tx:.1f} {y - h - roof:.1f} L{tx + w / 2 + 3:.1f} {y - h:.1f} Z" '
                f'fill="#d9553a" stroke="#7a2a18" stroke-width="1.5" stroke-linejoin="round"/>'
                f'<rect x="{tx - 2:.1f}" y="{y - h + 8:.1f}" width="4" height="7" rx="2" fill="#5b4a38"/>'
                f'<path d="M{tx:.1f} {y - h - roof:.1f} L{tx:.1f} {y - h - roof - 9:.1f} L{tx + 8:.1f} {y - h - roof - 6:.1f} L{tx:.1f} {y - h - roof - 4:.1f}" '
                f'fill="#f6c453" stroke="#6b5a48" stroke-width="1"/>')
    wall = (f'<rect x="{x - 30}" y="{y - 26}" width="60" height="32" fill="#efe4d2" stroke="#6b5a48" stroke-width="1.5"/>'
            + ''.join(f'<rect x="{x - 30 + i * 10}" y="{y - 31}" width="6" height="6" fill="#efe4d2" stroke="#6b5a48" stroke-width="1.2"/>' for i in range(6))
            + f'<path d="M{x - 7} {y + 6} L{x - 7} {y - 8} A7 7 0 0 1 {x + 7} {y - 8} L{x + 7} {y + 6} Z" fill="#7a5228" stroke="#4a3018" stroke-width="1.2"/>')
    return tower(x - 36, 18, 44, 22) + tower(x + 36, 18, 44, 22) + wall + tower(x, 22, 62, 28)


def hills_profile(width):
    return periodic_profile(width, 470, [(24, 2, 0.3), (14, 5, 1.7), (6, 9, 3.1)])


def castle_x(width):
    """Where the middle layer's castle stands: on the highest point of its hills."""
    y = hills_profile(width)
    return min(range(0, width, 4), key=y)


def hills(width, rnd):
    """The middle layer: rolling green hills with round trees and a castle."""
    y = hills_profile(width)
    d, line = filled_path(width, y)
    back = periodic_profile(width, 445, [(20, 3, 2.2), (10, 7, 0.4)])
    d_back, line_back = filled_path(width, back)
    objects = []
    # the castle on the highest point of the front hills
    top_x = castle_x(width)
    objects.append(wrapped(width, top_x, 60, lambda c: castle(c, y(c) + 4)))
    x = 40.0
    while x < width:
        if abs(x - top_x) > 90 and abs(x - top_x - width) > 90 and abs(x - top_x + width) > 90:
            s = rnd.uniform(0.8, 1.15)
            shade = rnd.randrange(3)
            objects.append(wrapped(width, x, 30, lambda c, s=s, sh=shade: tree(c, y(c) + 6, s, sh)))
        x += rnd.uniform(55, 140)
    return f'''
  <path d="{d_back}" fill="#a6d88a"/>
  <path d="{line_back}" fill="none" stroke="#7ab866" stroke-width="2"/>
  <path d="{d}" fill="url(#mid)"/>
  <path d="{line}" fill="none" stroke="#4f9a48" stroke-width="2.4" stroke-linejoin="round"/>
  {''.join(objects)}
'''


def bush(x, y, s):
    puffs = [(-14, -6, 10), (0, -12, 13), (14, -6, 10), (-6, -3, 9), (8, -3, 9)]
    c = ''.join(f'<circle cx="{x + dx * s:.1f}" cy="{y + dy * s:.1f}" r="{r * s:.1f}"/>' for dx, dy, r in puffs)
    return (f'<g fill="#3f8f3a" stroke="#1f5a24" stroke-width="2">{c}</g><g fill="#3f8f3a">{c}</g>'
            f'<circle cx="{x - 3 * s:.1f}" cy="{y - 17 * s:.1f}" r="{4 * s:.1f}" fill="#6cbf58"/>')


def flower(x, y, colour):
    petals = ''.join(f'<circle cx="{x + 3.2 * math.cos(a):.1f}" cy="{y + 3.2 * math.sin(a):.1f}" r="2.6"/>'
                     for a in [i * 2 * math.pi / 5 for i in range(5)])
    return (f'<path d="M{x:.1f} {y + 2:.1f} L{x:.1f} {y + 12:.1f}" stroke="#2f6b33" stroke-width="1.4"/>'
            f'<g fill="{colour}" stroke="#6b3a3a" stroke-width="0.6">{petals}</g>'
            f'<circle cx="{x:.1f}" cy="{y:.1f}" r="1.9" fill="#ffe15a"/>')


def meadow(width, rnd):
    """The near layer: a dark green meadow along the bottom with bushes and flowers."""
    y = periodic_profile(width, 548, [(14, 2, 1.1), (8, 5, 0.2), (4, 11, 2.5)])
    d, line = filled_path(width, y)
    objects = []
    x = 20.0
    while x < width:
        kind = rnd.random()
        if kind < 0.35:
            s = rnd.uniform(0.9, 1.3)
            objects.append(wrapped(width, x, 30, lambda c, s=s: bush(c, y(c) + 8, s)))
        else:
            colour = rnd.choice(['#ff7a8a', '#ffffff', '#ffd84a', '#b48cff'])
            dy = rnd.uniform(10, 30)
            objects.append(wrapped(width, x, 8, lambda c, colour=colour, dy=dy: flower(c, y(c) + dy, colour)))
        x += rnd.uniform(25, 70)
    tufts = []
    x = 5.0
    while x < width:
        def tuft(c, dy=rnd.uniform(2, 40)):
            b = y(c) + dy
            return f'<path d="M{c - 4:.1f} {b:.1f} L{c - 2:.1f} {b - 7:.1f} L{c:.1f} {b:.1f} L{c + 2:.1f} {b - 9:.1f} L{c + 4:.1f} {b:.1f} Z"/>'
        tufts.append(wrapped(width, x, 6, tuft))
        x += rnd.uniform(14, 34)
    return f'''
  <path d="{d}" fill="url(#near)"/>
  <g fill="#2f7a32" opacity="0.8">{''.join(tufts)}</g>
  <path d="{line}" fill="none" stroke="#1f5a24" stroke-width="2.6" stroke-linejoin="round"/>
  {''.join(objects)}
'''


def layer_svg(n):
    width, seed = LAYERS[n]
    rnd = random.Random(seed)
    body = {1: meadow, 2: hills, 3: mountains}[n](width, rnd)
    return f'''<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{HEIGHT}" viewBox="0 0 {width} {HEIGHT}">
  <defs>
    <linearGradient id="far" x1="0" y1="280" x2="0" y2="600" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#a3b6e6"/>
      <stop offset="1" stop-color="#c6d4f2"/>
    </linearGradient>
    <linearGradient id="mid" x1="0" y1="420" x2="0" y2="600" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#86c86a"/>
      <stop offset="1" stop-color="#5fae50"/>
    </linearGradient>
    <linearGradient id="near" x1="0" y1="520" x2="0" y2="600" gradientUnits="userSpaceOnUse">
      <stop offset="0" stop-color="#4fa044"/>
      <stop offset="1" stop-color="#357f34"/>
    </linearGradient>
  </defs>
{body}
</svg>
'''


if __name__ == '__main__':
    render_svg(layer_svg(int(sys.argv[1])), sys.argv[2])
