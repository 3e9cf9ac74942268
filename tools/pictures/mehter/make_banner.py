#!/usr/bin/python3
"""Draws the march list's banner, src/content/mehter/banner.jpg: a crimson
strip, 370 x 50 pixels, with gold borders, a faint tile pattern of tulips and
rumi curls, and a horsetail standard (tuğ) under a crescent at the left end.

The screen writes its white title over the strip from about x 56 to the
right end, so the field there stays dark and quiet. The screen shows the
picture twice: once moved 8 pixels up and left, once from its left edge at
x 360, so the tile pattern repeats every 46 pixels (368 / 8) and the two
copies meet without a seam.

    /usr/bin/python3 tools/pictures/mehter/make_banner.py
"""
import math
import os

from PIL import Image, ImageDraw, ImageFilter

W, H = 370, 50
K = 4  # draw large, then shrink: smooth edges
TILE = 46

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "..", "src", "content", "mehter", "banner.jpg")

CRIMSON = (122, 10, 16)
CRIMSON_DEEP = (92, 6, 12)
PATTERN = (150, 28, 30)      # the tile lines: a little lighter than the field
PATTERN_DARK = (84, 4, 10)
GOLD = (212, 170, 72)
GOLD_LIGHT = (246, 218, 130)
GOLD_DARK = (150, 104, 30)


def s(v):
    return v * K


def field(img):
    """Vertical shading: darker at the top and bottom edges."""
    d = ImageDraw.Draw(img)
    for y in range(s(H)):
        t = abs(y / s(H) - 0.52) * 2
        c = tuple(int(CRIMSON[i] + (CRIMSON_DEEP[i] - CRIMSON[i]) * t * t) for i in range(3))
        d.line([(0, y), (s(W), y)], fill=c)


def tulip(d, cx, cy, size, color, width):
    """A stylised tulip (lale) on a stem with two leaves, the hatayi style's flower."""
    h = size

    def p(x, y):
        return (s(cx + x * h), s(cy + y * h))

    # Cup: two outer petals with pointed tips bending out, a taller pointed centre.
    outline = [p(-0.12, 0.12), p(-0.34, 0.0), p(-0.42, -0.22), p(-0.46, -0.5), p(-0.3, -0.32),
               p(-0.16, -0.44), p(0.0, -0.72), p(0.16, -0.44), p(0.3, -0.32), p(0.46, -0.5),
               p(0.42, -0.22), p(0.34, 0.0), p(0.12, 0.12), p(-0.12, 0.12)]
    d.line(outline, fill=color, width=width, joint="curve")
    d.line([p(0.0, 0.12), p(0.0, 0.78)], fill=color, width=width)
    # Leaves: thin curved blades from the stem.
    d.line([p(0.0, 0.62), p(-0.22, 0.48), p(-0.42, 0.22)], fill=color, width=width, joint="curve")
    d.line([p(0.0, 0.62), p(0.22, 0.48), p(0.42, 0.22)], fill=color, width=width, joint="curve")


def rumi(d, cx, cy, r, flip, color, width):
    """A rumi curl: a spiral arm ending in a split leaf tip."""
    pts = []
    for i in range(40):
        a = i / 39 * 1.6 * math.pi
        rr = r * (1 - i / 39 * 0.75)
        x = cx + flip * rr * math.cos(a)
        y = cy - rr * math.sin(a)
        pts.append((s(x), s(y)))
    d.line(pts, fill=color, width=width, joint="curve")


def pattern(img):
    d = ImageDraw.Draw(img)
    w = s(1) + 1
    for k in range(-1, W // TILE + 2):
        x0 = 8 + k * TILE  # the visible copy starts at x 8: keep the tiles aligned to it
        cx = x0 + TILE / 2
        tulip(d, cx, 27, 11, PATTERN, w)
        rumi(d, x0 + 6, 30, 6, 1, PATTERN, w)
        rumi(d, x0 + TILE - 6, 30, 6, -1, PATTERN, w)
        # Lozenge between the tiles.
        d.polygon([(s(x0), s(20)), (s(x0 + 3), s(25)), (s(x0), s(30)), (s(x0 - 3), s(25))], outline=PATTERN, width=w)
        d.ellipse([s(cx - 1.2), s(37.8), s(cx + 1.2), s(40.2)], fill=PATTERN_DARK)


def borders(img):
    d = ImageDraw.Draw(img)
    # Top: the band shown only by the second copy, then the edge line both copies show.
    d.rectangle([0, 0, s(W), s(6)], fill=GOLD_DARK)
    for k in range(-1, W // 8 + 2):
        x = k * 8 + 4
        d.polygon([(s(x), s(0.8)), (s(x + 2.4), s(3)), (s(x), s(5.2)), (s(x - 2.4), s(3))], fill=CRIMSON_DEEP)
    d.rectangle([0, s(6), s(W), s(6.8)], fill=GOLD_LIGHT)
    d.rectangle([0, s(9), s(W), s(10.6)], fill=GOLD)
    d.rectangle([0, s(10.6), s(W), s(11.2)], fill=GOLD_DARK)
    # Bottom: a gold band with a running row of small arches (the tile's border).
    d.rectangle([0, s(41.8), s(W), s(42.4)], fill=GOLD_DARK)
    d.rectangle([0, s(42.4), s(W), s(50)], fill=GOLD)
    for k in range(-1, W // 8 + 2):
        x = 8 + k * 8
        d.pieslice([s(x - 3.2), s(43.6), s(x + 3.2), s(50.0)], 180, 360, fill=CRIMSON_DEEP)
        d.ellipse([s(x + 3.3), s(45.4), s(x + 4.7), s(46.8)], fill=GOLD_LIGHT)
    d.rectangle([0, s(49), s(W), s(50)], fill=GOLD_DARK)


def crescent(d, cx, cy, r, color, cut):
    d.ellipse([s(cx - r), s(cy - r), s(cx + r), s(cy + r)], fill=color)
    # Horns up: the cut-out disc sits above the centre.
    rr = r * 0.8
    oy = cy - r * 0.38
    d.ellipse([s(cx - rr), s(oy - rr), s(cx + rr), s(oy + rr)], fill=cut)


def standard(img, cx):
    """A tuğ: a pole with a crescent finial, a gold knob and a hanging horsetail."""
    d = ImageDraw.Draw(img)
    # Dark niche behind the standard so it reads against the tiles.
    d.rounded_rectangle([s(cx - 17), s(12.5), s(cx + 17), s(40.5)], radius=s(6), fill=CRIMSON_DEEP,
                        outline=GOLD_DARK, width=s(1))
    # Pole.
    d.rectangle([s(cx - 0.7), s(15.5), s(cx + 0.7), s(40.5)], fill=GOLD_DARK)
    # Horsetail: dark strands falling from the knob, wider at the bottom.
    for i in range(-9, 10):
        x_top = cx + i * 0.35
        x_bot = cx + i * 0.95 + math.sin(i * 1.3) * 0.6
        shade = 30 + (abs(i) * 7) % 40
        d.line([(s(x_top), s(21)), (s((x_top + x_bot) / 2 + 0.4), s(29)), (s(x_bot), s(37.5))],
               fill=(shade, shade - 10 if shade > 10 else 0, shade - 14 if shade > 14 else 0), width=s(1), joint="curve")
    # Red cap and gold knob where the hair is bound.
    d.polygon([(s(cx - 3.2), s(22)), (s(cx + 3.2), s(22)), (s(cx + 2), s(19)), (s(cx - 2), s(19))], fill=(190, 24, 30))
    d.ellipse([s(cx - 2.3), s(16.6), s(cx + 2.3), s(20.6)], fill=GOLD)
    d.ellipse([s(cx - 1.1), s(17.4), s(cx + 0.3), s(18.6)], fill=GOLD_LIGHT)
    # Crescent finial on top, horns up.
    d.rectangle([s(cx - 0.5), s(14.2), s(cx + 0.5), s(16.8)], fill=GOLD)
    crescent(d, cx, 14.4, 3.0, GOLD_LIGHT, CRIMSON_DEEP)


def main():
    img = Image.new("RGB", (s(W), s(H)), CRIMSON)
    field(img)
    pattern(img)
    borders(img)
    standard(img, 31)
    img = img.resize((W, H), Image.LANCZOS)
    img = img.filter(ImageFilter.UnsharpMask(radius=0.6, percent=40, threshold=2))
    os.makedirs(os.path.dirname(OUT), exist_ok=True)
    img.save(OUT, "JPEG", quality=92, subsampling=0, progressive=False, optimize=True)
    print(os.path.normpath(OUT), img.size)


if __name__ == "__main__":
    main()
