#!/usr/bin/python3
"""Draws the program's emblem: a white crescent and star on a red disc in a
gold ring, written as src/content/main/giris.ico (one 240 x 240 image, 24 bits
per pixel)."""
import math
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(__file__))
from icowriter import write_ico  # noqa: E402

S = 240
SCALE = 4  # draw large, then shrink: smooth edges without an alpha channel


def star(cx, cy, r_out, r_in, rotation):
    pts = []
    for i in range(10):
        r = r_out if i % 2 == 0 else r_in
        a = rotation + i * math.pi / 5
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def emblem():
    n = S * SCALE
    img = Image.new('RGB', (n, n), (255, 255, 255))
    d = ImageDraw.Draw(img)
    c = n / 2
    d.ellipse([c - n * 0.49, c - n * 0.49, c + n * 0.49, c + n * 0.49], fill=(191, 146, 42))
    d.ellipse([c - n * 0.45, c - n * 0.45, c + n * 0.45, c + n * 0.45], fill=(240, 214, 120))
    d.ellipse([c - n * 0.42, c - n * 0.42, c + n * 0.42, c + n * 0.42], fill=(200, 16, 32))
    # Crescent: a white disc with a red one cut out of it.
    r1, r2 = n * 0.25, n * 0.20
    x1, x2 = c - n * 0.06, c - n * 0.06 + n * 0.065
    d.ellipse([x1 - r1, c - r1, x1 + r1, c + r1], fill=(255, 255, 255))
    d.ellipse([x2 - r2, c - r2, x2 + r2, c + r2], fill=(200, 16, 32))
    d.polygon(star(c + n * 0.19, c, n * 0.095, n * 0.038, math.pi), fill=(255, 255, 255))
    return img.resize((S, S), Image.LANCZOS)


if __name__ == '__main__':
    root = os.path.join(os.path.dirname(__file__), '..', '..')
    out = os.path.join(root, 'src', 'content', 'main', 'giris.ico')
    write_ico(out, [(emblem(), 24)])
    print(out)
