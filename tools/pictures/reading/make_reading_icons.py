#!/usr/bin/python3
"""Draws the window icons of the photo and map screens and writes them as
src/content/reading/fotolar.ico and haritalar.ico.

fotolar.ico: two old photographs, the front one a sepia view of a domed
mosque with two minarets. haritalar.ico: a folded map with sea, coast, a
route and a compass star. Each icon holds six uncompressed bitmap images, in
the order, sizes and bit depths the window icons need."""
import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw

sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..'))
from icowriter import write_ico  # noqa: E402

SCALE = 8  # draw large, then shrink: smooth edges

# (size, bits per pixel) in the order each file stores them.
PHOTO_IMAGES = [(32, 8), (16, 8), (128, 32), (48, 32), (32, 32), (16, 32)]
MAP_IMAGES = [(48, 4), (16, 8), (32, 8), (48, 8), (16, 4), (32, 4)]


def rotated_rect(cx, cy, w, h, degrees):
    a = math.radians(degrees)
    ca, sa = math.cos(a), math.sin(a)
    pts = []
    for dx, dy in ((-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)):
        pts.append((cx + dx * ca - dy * sa, cy + dx * sa + dy * ca))
    return pts


class Canvas:
    """Coordinates in units of a 1.0 x 1.0 icon, drawn at n x n pixels."""

    def __init__(self, n):
        self.n = n
        self.img = Image.new('RGBA', (n, n), (0, 0, 0, 0))
        self.d = ImageDraw.Draw(self.img)

    def p(self, pts):
        return [(x * self.n, y * self.n) for x, y in pts]

    def polygon(self, pts, fill, outline=None, width=0.0):
        self.d.polygon(self.p(pts), fill=fill)
        if outline:
            self.line(pts + [pts[0]], outline, width)

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle([x0 * self.n, y0 * self.n, x1 * self.n - 1, y1 * self.n - 1], fill=fill)

    def ellipse(self, x0, y0, x1, y1, fill):
        self.d.ellipse([x0 * self.n, y0 * self.n, x1 * self.n, y1 * self.n], fill=fill)

    def line(self, pts, fill, width):
        self.d.line(self.p(pts), fill=fill, width=max(1, round(width * self.n)), joint='curve')


def mosque(c, x0, y0, x1, y1, detailed):
    """A sepia view inside the box: sky, water, a domed mosque between two minarets."""
    w, h = x1 - x0, y1 - y0
    # Sky from pale to warm, then the water of the Golden Horn.
    steps = 12
    for i in range(steps):
        t = i / steps
        col = (round(236 - 30 * t), round(214 - 38 * t), round(170 - 50 * t), 255)
        c.rect(x0, y0 + h * 0.72 * t, x1, y0 + h * 0.72 * (t + 1 / steps) + 0.002, col)
    c.rect(x0, y0 + h * 0.72, x1, y1, (150, 112, 72, 255))
    if detailed:
        for k in range(3):
            yy = y0 + h * (0.80 + 0.06 * k)
            c.line([(x0 + w * 0.08, yy), (x0 + w * 0.38, yy)], (182, 146, 102, 255), h * 0.012)
            c.line([(x0 + w * 0.55, yy + h * 0.03), (x0 + w * 0.9, yy + h * 0.03)], (182, 146, 102, 255), h * 0.012)
    dark = (74, 48, 28, 255)
    base = y0 + h * 0.74
    # Body, half domes and the great dome.
    c.rect(x0 + w * 0.22, y0 + h * 0.52, x0 + w * 0.78, base, dark)
    c.ellipse(x0 + w * 0.18, y0 + h * 0.44, x0 + w * 0.42, y0 + h * 0.62, dark)
    c.ellipse(x0 + w * 0.58, y0 + h * 0.44, x0 + w * 0.82, y0 + h * 0.62, dark)
    c.ellipse(x0 + w * 0.30, y0 + h * 0.26, x0 + w * 0.70, y0 + h * 0.62, dark)
    c.rect(x0 + w * 0.485, y0 + h * 0.18, x0 + w * 0.515, y0 + h * 0.28, dark)
    # Minarets with pointed caps.
    for mx in (0.10, 0.90):
        cx = x0 + w * mx
        c.rect(cx - w * 0.028, y0 + h * 0.20, cx + w * 0.028, base, dark)
        c.polygon([(cx - w * 0.04, y0 + h * 0.21), (cx, y0 + h * 0.05), (cx + w * 0.04, y0 + h * 0.21)], dark)
        if detailed:
            c.rect(cx - w * 0.045, y0 + h * 0.36, cx + w * 0.045, y0 + h * 0.39, dark)
    if detailed:
        # Windows round the drum of the dome.
        for k in range(5):
            wx = x0 + w * (0.38 + 0.06 * k)
            c.rect(wx, y0 + h * 0.50, wx + w * 0.025, y0 + h * 0.56, (196, 160, 110, 255))


def photo_icon(size):
    n = size * SCALE
    c = Canvas(n)
    detailed = size >= 32
    if size > 16:
        # The print behind, tilted and a little yellowed.
        back = rotated_rect(0.56, 0.46, 0.76, 0.62, -12)
        c.polygon([(x + 0.02, y + 0.025) for x, y in back], (0, 0, 0, 70))
        c.polygon(back, (232, 222, 196, 255), (120, 100, 70, 255), 0.012)
        inner = rotated_rect(0.56, 0.46, 0.64, 0.50, -12)
        c.polygon(inner, (170, 150, 118, 255))
        front = (0.08, 0.30, 0.88, 0.92)
    else:
        front = (0.0, 0.12, 1.0, 0.88)
    x0, y0, x1, y1 = front
    if size > 16:
        c.rect(x0 + 0.025, y0 + 0.03, x1 + 0.025, y1 + 0.03, (0, 0, 0, 80))
    c.rect(x0, y0, x1, y1, (250, 246, 234, 255))
    border = 0.06 if size > 16 else 0.07
    mosque(c, x0 + border, y0 + border, x1 - border, y1 - border * (1.6 if size > 16 else 1.0), detailed)
    # A thin edge so the print stands out on a light title bar.
    c.line([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)], (110, 90, 64, 255), 0.6 / size)
    return c.img.resize((size, size), Image.LANCZOS)


def map_icon(size):
    n = size * SCALE
    c = Canvas(n)
    detailed = size >= 32
    panels = 3
    top, bottom = 0.12, 0.90
    left, right = 0.04, 0.96
    pw = (right - left) / panels
    # The paper, folded in three: alternate panels lean in and out.
    for i in range(panels):
        xa, xb = left + pw * i, left + pw * (i + 1)
        lift = 0.04 if i % 2 == 0 else 0.0
        shade = (236, 222, 180, 255) if i % 2 == 0 else (214, 196, 150, 255)
        c.polygon([(xa, top + lift), (xb, top + 0.04 - lift), (xb, bottom + 0.04 - lift), (xa, bottom + lift)], shade)
    paper = c
    # What is drawn on the map stays on the paper.
    c = Canvas(n)
    # Sea in the upper right, a coast bending down to the lower left.
    sea = [(0.40, 0.12), (0.96, 0.12), (0.96, 0.62), (0.80, 0.58), (0.70, 0.48), (0.58, 0.46), (0.50, 0.36),
           (0.44, 0.26)]
    c.polygon(sea, (70, 130, 200, 255))
    c.line(sea[3:] + [sea[0]], (40, 80, 150, 255), 0.025 if detailed else 0.05)
    # Green lowlands and a brown hill on the land.
    c.ellipse(0.10, 0.50, 0.46, 0.80, (120, 168, 88, 255))
    c.polygon([(0.14, 0.48), (0.24, 0.28), (0.34, 0.48)], (150, 108, 62, 255))
    # A red route across the land to a port on the coast.
    route = [(0.12, 0.82), (0.28, 0.70), (0.42, 0.64), (0.58, 0.56)]
    if detailed:
        for a, b in zip(route, route[1:]):
            for k in range(3):
                t0, t1 = k / 3, k / 3 + 0.2
                c.line([(a[0] + (b[0] - a[0]) * t0, a[1] + (b[1] - a[1]) * t0),
                        (a[0] + (b[0] - a[0]) * t1, a[1] + (b[1] - a[1]) * t1)], (200, 20, 20, 255), 0.035)
    else:
        c.line(route, (200, 20, 20, 255), 0.08)
    c.ellipse(0.53, 0.51, 0.63, 0.61, (200, 20, 20, 255))
    if detailed:
        # Compass star on the sea.
        cx, cy, r = 0.80, 0.30, 0.13
        pts = []
        for k in range(8):
            rr = r if k % 2 == 0 else r * 0.32
            a = -math.pi / 2 + k * math.pi / 4
            pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
        c.polygon(pts, (250, 244, 220, 255))
        c.polygon([pts[7], pts[0], pts[1], (cx, cy)], (200, 20, 20, 255))
    ink_alpha = ImageChops.multiply(c.img.getchannel('A'), paper.img.getchannel('A'))
    ink = c.img.copy()
    ink.putalpha(ink_alpha)
    paper.img.alpha_composite(ink)
    c = paper
    # Fold lines and the outline of the paper.
    for i in range(1, panels):
        xa = left + pw * i
        lift = 0.04 if i % 2 == 1 else 0.0
        c.line([(xa, top + 0.04 - lift), (xa, bottom + 0.04 - lift)], (150, 126, 84, 255), 0.02)
    edge = (110, 84, 48, 255)
    outline = []
    for i in range(panels + 1):
        lift = 0.04 if i % 2 == 0 else 0.0
        outline.append((left + pw * i, top + lift))
    for i in range(panels, -1, -1):
        lift = 0.04 if i % 2 == 0 else 0.0
        outline.append((left + pw * i, bottom + lift))
    c.line(outline + [outline[0]], edge, 0.025 if detailed else 0.05)
    return c.img.resize((size, size), Image.LANCZOS)


# Colours a 16-colour map image must keep: route, sea, lowland, edge, paper.
MAP_KEY_COLOURS = [(200, 20, 20), (70, 130, 200), (120, 168, 88), (110, 84, 48), (236, 222, 180)]


def with_key_colours(img, bits, keys):
    """For 4 bits per pixel, a 16-colour palette chosen from the image with the
    key colours reserved, so that small details such as the route keep their
    colour; deeper images are left to the icon writer."""
    if bits != 4:
        return img
    rgb = img.convert('RGB')
    free = 16 - len(keys)
    chosen = rgb.quantize(colors=free, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    palette = chosen.getpalette()[:free * 3] + [v for c in keys for v in c]
    target = Image.new('P', (1, 1))
    target.putpalette(palette + [0] * (768 - len(palette)))
    mapped = rgb.quantize(palette=target, dither=Image.Dither.NONE).convert('RGB')
    out = mapped.convert('RGBA')
    out.putalpha(img.getchannel('A'))
    return out


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..')
    out = os.path.join(root, 'src', 'content', 'reading')
    for name, draw, images in (('fotolar.ico', photo_icon, PHOTO_IMAGES), ('haritalar.ico', map_icon, MAP_IMAGES)):
        path = os.path.normpath(os.path.join(out, name))
        keys = MAP_KEY_COLOURS if draw is map_icon else []
        write_ico(path, [(with_key_colours(draw(size), bits, keys), bits) for size, bits in images])
        print(path, os.path.getsize(path))


if __name__ == '__main__':
    main()
