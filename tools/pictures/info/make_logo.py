#!/usr/bin/python3
"""Draws the credits dialog's logo and writes it as src/content/info/logo.jpg,
a JPEG of 278 x 92 pixels.

The dialog stretches the picture into a box of 473 x 87 pixels. So the logo
is laid out at that shown size and then squeezed to 278 x 92: once the dialog
stretches it back, letters and circles keep their proportions.

The top-left corner stays light and plain: the dialog's black "Version 1.0"
label stands over it."""
import math
import os

from PIL import Image, ImageDraw, ImageFont

PICTURE = (278, 92)   # the stored picture
SHOWN = (473, 87)     # its box on the dialog
SCALE = 4             # draw large, then shrink: smooth edges

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, '..', '..', '..')
FONTS = os.path.join(ROOT, 'src', 'content', 'fonts')

PARCHMENT = (255, 246, 228)
PEACH = (255, 224, 192)   # the dialog's own colour, at the edges
CRIMSON = (150, 18, 30)
GOLD = (196, 150, 48)
DARK_GOLD = (140, 100, 24)


def font(name, px):
    return ImageFont.truetype(os.path.join(FONTS, name), round(px * SCALE))


def star(cx, cy, r_out, r_in, points, rotation):
    pts = []
    for i in range(points * 2):
        r = r_out if i % 2 == 0 else r_in
        a = rotation + i * math.pi / points
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


class Canvas:
    """Coordinates in shown pixels, drawn SCALE times larger."""

    def __init__(self, size, background):
        self.img = Image.new('RGB', (size[0] * SCALE, size[1] * SCALE), background)
        self.draw = ImageDraw.Draw(self.img)

    def s(self, v):
        return v * SCALE

    def rect(self, box, fill=None, outline=None, width=1):
        x0, y0, x1, y1 = box
        self.draw.rectangle([self.s(x0), self.s(y0), self.s(x1) - 1, self.s(y1) - 1], fill=fill, outline=outline,
                            width=round(width * SCALE) if outline else 0)

    def disc(self, cx, cy, r, fill):
        self.draw.ellipse([self.s(cx - r), self.s(cy - r), self.s(cx + r), self.s(cy + r)], fill=fill)

    def polygon(self, pts, fill):
        self.draw.polygon([(self.s(x), self.s(y)) for x, y in pts], fill=fill)

    def text(self, xy, s, f, fill, anchor='ls'):
        self.draw.text((self.s(xy[0]), self.s(xy[1])), s, font=f, fill=fill, anchor=anchor)

    def spaced(self, x_centre, y, s, f, fill, spacing):
        """Letter-spaced text centred on x_centre, baseline at y."""
        widths = [f.getlength(ch) / SCALE for ch in s]
        total = sum(widths) + spacing * (len(s) - 1)
        x = x_centre - total / 2
        for ch, w in zip(s, widths):
            self.text((x, y), ch, f, fill)
            x += w + spacing


def background(c, w, h):
    # Parchment in the middle, warming to the dialog's peach at both ends.
    for x in range(w * SCALE):
        t = abs(x / (w * SCALE) - 0.5) * 2
        col = tuple(round(PARCHMENT[i] + (PEACH[i] - PARCHMENT[i]) * t ** 3) for i in range(3))
        c.draw.line([(x, 0), (x, h * SCALE)], fill=col)


# Where the version label stands: the top band leaves it free.
VERSION_CORNER = (100, 21)


def borders(c, w, h):
    # A gold rule between two crimson ones along the top and the bottom,
    # with a row of small lozenges on the bottom band.
    for x0, y in ((VERSION_CORNER[0], 1), (0, h - 9)):
        c.rect((x0, y, w, y + 8), fill=CRIMSON)
        c.rect((x0 + 2 if x0 else 0, y + 2, w, y + 6), fill=GOLD)
    # The top band ends in a lozenge next to the version label.
    x0 = VERSION_CORNER[0]
    c.polygon([(x0 - 6, 5), (x0, -1), (x0 + 6, 5), (x0, 11)], fill=CRIMSON)
    c.polygon([(x0 - 3, 5), (x0, 2), (x0 + 3, 5), (x0, 8)], fill=GOLD)
    for x in range(6, w, 12):
        cy = h - 5
        c.polygon([(x, cy - 2), (x + 2, cy), (x, cy + 2), (x - 2, cy)], fill=CRIMSON)


def emblem(c, cx, cy, r):
    # Crescent and star on a crimson disc in a gold ring.
    c.disc(cx, cy, r, DARK_GOLD)
    c.disc(cx, cy, r * 0.92, GOLD)
    c.disc(cx, cy, r * 0.84, CRIMSON)
    r1, r2 = r * 0.50, r * 0.40
    x1 = cx - r * 0.12
    c.disc(x1, cy, r1, PARCHMENT)
    c.disc(x1 + r * 0.13, cy, r2, CRIMSON)
    c.polygon(star(cx + r * 0.38, cy, r * 0.19, r * 0.076, 5, math.pi), fill=PARCHMENT)


def rosette(c, cx, cy, r):
    # The eight-pointed star of two crossed squares, a common tile motif.
    c.polygon(star(cx, cy, r, r * 0.72, 8, 0), fill=GOLD)
    c.polygon(star(cx, cy, r * 0.80, r * 0.58, 8, 0), fill=CRIMSON)
    c.polygon(star(cx, cy, r * 0.48, r * 0.34, 8, math.pi / 8), fill=GOLD)
    c.disc(cx, cy, r * 0.16, PARCHMENT)


def logo():
    w, h = SHOWN
    c = Canvas(SHOWN, PARCHMENT)
    background(c, w, h)
    borders(c, w, h)
    emblem(c, 56, 47, 27)
    rosette(c, 428, 45, 27)
    title = font('Z003-MediumItalic.otf', 50)
    c.text((248, 56), 'Yelvanis', title, CRIMSON, anchor='ms')
    c.spaced(248, 71, 'OSMANLI TARİHİ', font('LiberationSans-Bold.ttf', 10), DARK_GOLD, 3.2)
    shown = c.img.resize(SHOWN, Image.LANCZOS)
    return shown.resize(PICTURE, Image.LANCZOS)


if __name__ == '__main__':
    out = os.path.normpath(os.path.join(ROOT, 'src', 'content', 'info', 'logo.jpg'))
    os.makedirs(os.path.dirname(out), exist_ok=True)
    logo().save(out, 'JPEG', quality=85, optimize=True)
    print(out, os.path.getsize(out), 'bytes')
