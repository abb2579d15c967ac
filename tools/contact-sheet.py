#!/usr/bin/python3
"""Puts every image under data/images on one PNG, with the checks that need an eye:
the layers tiled side by side (seams), the scene as the play mode stacks it, the enemy's
alpha enlarged (stray pixels), the cursor's tip, and the frame and buttons assembled the
way the GUI cuts them.

Usage: tools/contact-sheet.py [OUT.png]   (default build/contact-sheet.png; run after a build)
"""
import os
import sys

from PIL import Image, ImageDraw, ImageFont

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DATA = os.path.join(ROOT, 'data')
IMAGES = os.path.join(DATA, 'images')
SKY = (135, 206, 250, 255)
SHEET_WIDTH = 2100


def font(name, size):
    return ImageFont.truetype(os.path.join(DATA, 'fonts', name), size)


LABEL = font('Loyal.ttf', 16)
HEAD = font('Dragonfly.ttf', 30)


def image(rel):
    return Image.open(os.path.join(IMAGES, rel)).convert('RGBA')


def checker(w, h, cell=8):
    img = Image.new('RGBA', (w, h), (255, 255, 255, 255))
    d = ImageDraw.Draw(img)
    for y in range(0, h, cell):
        for x in range((y // cell) % 2 * cell, w, cell * 2):
            d.rectangle((x, y, x + cell - 1, y + cell - 1), fill=(214, 214, 214, 255))
    return img


def tiled(layer, width):
    out = Image.new('RGBA', (width, layer.height))
    for x in range(0, width, layer.width):
        out.alpha_composite(layer, (x, 0))
    return out


def compose(img, rect, left, right, top, bottom, width, height, repeating):
    """Builds a frame of the given size from a 3x3 cut, as the GUI's composed drawable does."""
    rx, ry, rw, rh = rect
    cols = [(rx, left), (rx + left, rw - left - right if repeating else 1), (rx + rw - right, right)]
    rows = [(ry, top), (ry + top, rh - top - bottom if repeating else 1), (ry + rh - bottom, bottom)]
    mid_w, mid_h = width - left - right, height - top - bottom
    out = Image.new('RGBA', (width, height))
    xs, ys = [0, left, left + mid_w], [0, top, top + mid_h]
    spans_x, spans_y = [left, mid_w, right], [top, mid_h, bottom]
    for c, (sx, sw) in enumerate(cols):
        for r, (sy, sh) in enumerate(rows):
            cell = img.crop((sx, sy, sx + sw, sy + sh))
            if repeating:
                for ox in range(0, spans_x[c], sw):
                    for oy in range(0, spans_y[r], sh):
                        out.alpha_composite(cell, (xs[c] + ox, ys[r] + oy))
            else:
                out.alpha_composite(cell.resize((spans_x[c], spans_y[r])), (xs[c], ys[r]))
    return out


def bar(width):
    """The "gui/button1" bar at a width: 7-pixel ends and a stretched one-pixel middle column."""
    img = image('gui/button1.png')
    w = max(width, 45)
    middle = Image.new('RGBA', (w, 45))
    middle.alpha_composite(img.crop((0, 0, 7, 45)), (0, 0))
    middle.alpha_composite(img.crop((7, 0, 8, 45)).resize((w - 14, 45)), (7, 0))
    middle.alpha_composite(img.crop((38, 0, 45, 45)), (w - 7, 0))
    return middle


def label_on(img, x, label):
    label_on_row(img, x, 0, label)


def knob_on(img, x, y):
    knob = image('gui/button_drop_element.png')
    img.alpha_composite(knob, (x - knob.width // 2, y - knob.height // 2))


def button(label, width, knob_at=0.0):
    """A slide button in the widget's order: caps, bar, label, knob at a share of its track."""
    start, end = image('gui/button_drop_start.png'), image('gui/button_drop_end.png')
    s, e = start.width, end.width
    out = Image.new('RGBA', (s + width + e, 45))
    out.alpha_composite(start, (0, 0))
    out.alpha_composite(end, (s + width, 0))
    out.alpha_composite(bar(width), (s, 0))
    label_on(out, s + width // 2, label)
    lo, hi = s // 2, s + width + e // 2
    knob_on(out, int(lo + (hi - lo) * knob_at), start.height // 2)
    return out


def option_field(labels, width, index):
    """An option field: a start cap and a bar per option, the knob on the chosen cap."""
    cap = image('gui/button_drop_start.png')
    s = cap.width
    out = Image.new('RGBA', (s + width, 45 * len(labels)))
    for i, label in enumerate(labels):
        out.alpha_composite(cap, (0, 45 * i))
        out.alpha_composite(bar(width), (s, 45 * i))
        label_on_row(out, s + width // 2, 45 * i, label)
    knob_on(out, s // 2, cap.height // 2 + 45 * index)
    return out


def label_on_row(img, x, y, label):
    d = ImageDraw.Draw(img)
    f = font('Loyal.ttf', 24)
    d.text((x - int(d.textlength(label, font=f) * 0.5), y + 5), label, font=f, fill=(0, 0, 0, 255))


class Sheet:
    def __init__(self):
        self.parts = []   # (image, x, y)
        self.y = 10
        self.x = 10
        self.row_h = 0

    def heading(self, text):
        self.newline()
        img = Image.new('RGBA', (SHEET_WIDTH - 20, 40))
        ImageDraw.Draw(img).text((0, 0), text, font=HEAD, fill=(40, 20, 10, 255))
        self.place(img)
        self.newline()

    def place(self, img, label=None):
        if label:
            width = int(ImageDraw.Draw(img).textlength(label, font=LABEL)) + 4
            box = Image.new('RGBA', (max(img.width, width), img.height + 22))
            box.alpha_composite(img, (0, 0))
            ImageDraw.Draw(box).text((0, img.height + 2), label, font=LABEL, fill=(0, 0, 0, 255))
            img = box
        if self.x + img.width > SHEET_WIDTH - 10:
            self.newline()
        self.parts.append((img, self.x, self.y))
        self.x += img.width + 16
        self.row_h = max(self.row_h, img.height)

    def newline(self):
        if self.row_h:
            self.y += self.row_h + 14
        self.x, self.row_h = 10, 0

    def save(self, out):
        self.newline()
        sheet = Image.new('RGBA', (SHEET_WIDTH, self.y + 10), (250, 244, 228, 255))
        for img, x, y in self.parts:
            sheet.alpha_composite(img, (x, y))
        sheet.convert('RGB').save(out)


def main(out):
    sheet = Sheet()
    sheet.heading('Every image, on a checkerboard (size in pixels)')
    files = sorted(os.path.relpath(os.path.join(d, f), IMAGES)
                   for d, _, fs in os.walk(IMAGES) for f in fs if f.endswith('.png'))
    small = [f for f in files if image(f).width <= 480]
    large = [f for f in files if image(f).width > 480]
    for rel in small + large:
        img = image(rel)
        scale = 3 if max(img.size) <= 64 else 2 if max(img.size) <= 160 else 1
        shown = img.resize((img.width * scale, img.height * scale), Image.NEAREST)
        bg = checker(shown.width, shown.height)
        bg.alpha_composite(shown)
        sheet.place(bg, f'{rel}  {img.width}x{img.height}' + (f' (x{scale})' if scale > 1 else ''))

    sheet.heading('Layers tiled twice over the sky colour: the join is at the red ticks')
    for n in (1, 2, 3):
        layer = image(f'game/bg{n}.png')
        strip = Image.new('RGBA', (layer.width * 2, layer.height), SKY)
        strip.alpha_composite(tiled(layer, layer.width * 2))
        crop = strip.crop((layer.width - 500, 0, layer.width + 500, layer.height))
        d = ImageDraw.Draw(crop)
        d.line((500, 0, 500, 12), fill=(255, 0, 0, 255), width=2)
        d.line((500, crop.height - 12, 500, crop.height), fill=(255, 0, 0, 255), width=2)
        sheet.place(crop.resize((crop.width * 2 // 3, crop.height * 2 // 3)), f'game/bg{n}.png around its join')
    sheet.newline()
    scene = Image.new('RGBA', (1024, 600), SKY)
    sun, rays = image('game/bgSun.png'), image('game/bgSunRays.png')
    scene.alpha_composite(sun, (1024 - sun.width, 0))
    scene.alpha_composite(tiled(image('game/bg3.png'), 1024 + 1000).crop((300, 0, 1324, 600)))
    scene.alpha_composite(rays, (1024 - rays.width, 0))
    scene.alpha_composite(tiled(image('game/bg2.png'), 2200).crop((700, 0, 1724, 600)))
    scene.alpha_composite(tiled(image('game/bg1.png'), 2400).crop((1000, 0, 2024, 600)))
    player = image('game/player.png')
    scene.alpha_composite(player, (65 - player.width // 2, 300 - player.height // 2))
    scene.alpha_composite(image('game/enemy.png'), (520, 250))
    scene.alpha_composite(image('game/collectible.png'), (380, 330))
    note = image('game/note.png')
    for i, x in enumerate((20, -20, -55)):
        a = 255 - 80 * i
        black = Image.new('RGBA', note.size, (0, 0, 0, 0))
        black.putalpha(note.getchannel('A').point(lambda v, a=a: v * a // 255))
        scene.alpha_composite(black, (x + 10, 270 + 12 * i))
    d = ImageDraw.Draw(scene)
    d.text((10, 10), 'Score: 0', font=font('Loyal.ttf', 24), fill=(255, 255, 255, 255))
    sheet.place(scene, 'the play scene: sun, bg3, rays, bg2, bg1, then the sprites')

    sheet.heading('Enemy alpha x8: alpha on magenta, and the pixels the collision test counts (alpha > 127)')
    enemy = image('game/enemy.png')
    on_magenta = Image.new('RGBA', enemy.size, (255, 0, 255, 255))
    on_magenta.alpha_composite(enemy)
    mask = enemy.getchannel('A').point(lambda v: 0 if v > 127 else 255).convert('RGBA')
    sheet.place(on_magenta.resize((enemy.width * 8, enemy.height * 8), Image.NEAREST), 'enemy over magenta')
    sheet.place(mask.resize((enemy.width * 8, enemy.height * 8), Image.NEAREST), 'solid pixels in black')
    cursor = image('cursors/normal.png')
    shown = checker(cursor.width * 10, cursor.height * 10, 10)
    shown.alpha_composite(cursor.resize((cursor.width * 10, cursor.height * 10), Image.NEAREST))
    ImageDraw.Draw(shown).rectangle((0, 0, 9, 9), outline=(255, 0, 0, 255), width=2)
    sheet.place(shown, 'cursor x10, top-left pixel framed')

    sheet.heading('GUI as the widgets cut it: the game-over dialog (506x450) and the menu panel (513x492)')
    frame = image('gui/canvas_dragon.png')
    dialog = compose(frame, (0, 0, 114, 114), 48, 59, 54, 53, 506, 450, True)
    d = ImageDraw.Draw(dialog)
    title = font('Dragonfly.ttf', 64)
    text = font('Loyal.ttf', 24)
    cx = 48 + 399 * 0.5
    d.text((int(cx - d.textlength('Game over!', font=title) / 2), 54 - 30), 'Game over!', font=title, fill=(0, 0, 0, 255))
    hint = 'To restart, first make a low note and then\na high one!'
    w = d.multiline_textbbox((0, 0), hint, font=text)[2]
    d.multiline_text((int(cx - w / 2), 54 + 90), hint, font=text, fill=(0, 0, 0, 255))
    for y, label in ((200, 'Restart'), (260, 'Back to menu'), (320, 'Calibration')):
        b = button(label, 200)
        dialog.alpha_composite(b, (int(cx - b.width / 2), 54 + y))
    menu_bg = image('game/bgMenu.png')
    screen = menu_bg.copy()
    panel = compose(frame, (0, 0, 114, 114), 48, 59, 54, 53, 513, 492, True)
    d = ImageDraw.Draw(screen)
    d.text((512 - int(d.textlength('Velmora', font=title) / 2), 0), 'Velmora', font=title, fill=(0, 0, 0, 255))
    screen.alpha_composite(panel, (512 - 513 // 2, 100))
    inner_x, inner_y, icx = 512 - 513 // 2 + 48, 100 + 54 - 10, (513 - 48 - 59) // 2
    start = button('Start Game', 200, 0.35)
    sx = inner_x + icx - start.width // 2
    screen.alpha_composite(start, (sx, inner_y))
    d.text((inner_x + icx - int(d.textlength('Player steering mode:', font=text) / 2), inner_y + 78),
           'Player steering mode:', font=text, fill=(0, 0, 0, 255))
    field = option_field(('Directional Height', 'Target Direction', 'Target Height'), 200, 1)
    screen.alpha_composite(field, (inner_x + icx - field.width // 2, inner_y + 120))
    screen.alpha_composite(button('Calibration', 200), (sx, inner_y + 300))
    screen.alpha_composite(button('Exit', 200), (sx, inner_y + 360))
    screen.alpha_composite(cursor, (sx + 150, inner_y + 30))
    sheet.place(screen, 'the main menu')
    sheet.place(dialog, 'the game-over dialog')
    canvas1 = compose(image('gui/canvas1.png'), (0, 0, 120, 105), 7, 7, 7, 7, 300, 200, False)
    sheet.place(canvas1, 'gui/canvas1 stretched to 300x200')

    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    sheet.save(out)
    print(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build', 'contact-sheet.png'))
