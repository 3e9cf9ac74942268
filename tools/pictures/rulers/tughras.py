#!/usr/bin/python3
"""Draws the rulers' tughras, gold on black, and writes them as baseline
JPEGs to src/content/rulers/tughras/.

A tughra here is the ruler's name formula set in the base (sere) in Naskh
(Amiri), with the three tall shafts (tug) and their banner-like sweeps
(zulfe) rising from it, the two nested loops (beyze) on the left and the
arms (kol) that run out of the loops to the right. Strokes are laid down
with a slanted pen, so they swell and thin with their direction, then the
whole mask is shaded like gilding.

The layout is in "core units": the core (loops, shafts and base) is 100
units high; the arms stretch to fill whatever width the picture has.

Usage: tughras.py [OUTDIR] [--only N,N,...]
"""
import math
import os
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont  # noqa: E402

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from canvas import bezier, catmull, mix, rgb  # noqa: E402
from rulers import RULERS, file_name  # noqa: E402

S = 6  # drawing scale
FONT = '/usr/share/fonts/opentype/fonts-hosny-amiri/Amiri-Bold.ttf'
NIB = math.radians(35)  # the pen's edge, from the horizontal

GOLD_DEEP = '#6E5214'
GOLD = '#D4AF37'
GOLD_LIGHT = '#FBEBA8'

KHAN, SHAH, BIN, MUZAFFER = 'خان', 'شاه', 'بن', 'المظفر دائما'


def formula(r):
    """The lines of the name formula, as phrases that may share a line."""
    if r.formula == 'early':
        return [r.name, f'{BIN} {r.father}'], None
    if r.formula in ('shah', 'shah2'):
        father = f'{r.father} {SHAH} {KHAN}' if r.formula == 'shah2' else f'{r.father} {KHAN}'
        return [f'{r.name} {SHAH}', f'{BIN} {father}'], MUZAFFER
    if r.formula == 'late':
        return [f'{r.name} {KHAN}', f'{BIN} {r.father}'], MUZAFFER
    return [r.name, f'{BIN} {r.father} {KHAN}'], MUZAFFER


class Pen:
    """Lays strokes on a mask with a broad-edged pen."""

    def __init__(self, w, h, unit, x0, y0):
        self.mask = Image.new('L', (w * S, h * S), 0)
        self.d = ImageDraw.Draw(self.mask)
        self.unit, self.x0, self.y0 = unit, x0, y0

    def at(self, x, y):
        return ((self.x0 + x * self.unit) * S, (self.y0 + y * self.unit) * S)

    def stroke(self, pts, width, profile, smooth=True):
        """`pts` in core units; `width` in core units at the pen's broadest;
        `profile(t)` scales it along the stroke."""
        path = catmull(pts, closed=False, steps=24) if smooth else pts
        path = [self.at(x, y) for x, y in path]
        # Resample evenly so the stamps overlap the same everywhere.
        lengths = [0.0]
        for (xa, ya), (xb, yb) in zip(path, path[1:]):
            lengths.append(lengths[-1] + math.hypot(xb - xa, yb - ya))
        total = lengths[-1]
        step = 0.8
        n = max(2, int(total / step))
        j = 0
        for k in range(n + 1):
            s = total * k / n
            while j < len(lengths) - 2 and lengths[j + 1] < s:
                j += 1
            seg = lengths[j + 1] - lengths[j] or 1.0
            t = (s - lengths[j]) / seg
            (xa, ya), (xb, yb) = path[j], path[j + 1]
            x, y = xa + (xb - xa) * t, ya + (yb - ya) * t
            direction = math.atan2(yb - ya, xb - xa)
            slant = 0.42 + 0.58 * abs(math.sin(direction - NIB))
            r = max(0.6, width * self.unit * S * profile(s / total) * slant / 2)
            self.d.ellipse([x - r, y - r, x + r, y + r], fill=255)

    def text(self, line, font, x, y):
        self.d.text((x, y), line, font=font, fill=255, direction='rtl', language='ar')


def taper(a, b, peak=0.5, power=1.0):
    """A width profile rising from `a` to 1 at `peak` and falling to `b`."""
    def f(t):
        t = min(1.0, max(0.0, t))
        if t < peak:
            return a + (1 - a) * math.sin(math.pi / 2 * t / peak) ** power
        return b + (1 - b) * max(0.0, math.cos(math.pi / 2 * (t - peak) / (1 - peak))) ** power
    return f


def fit_lines(phrases, tail, box_w, box_h):
    """Chooses how to break the formula into lines and the font size (in
    hi-res pixels) that lets the lines fill the base box."""
    words = phrases + ([tail] if tail else [])
    options = [[' '.join(words)]]
    if tail:
        options.append([' '.join(phrases), tail])
    options.append([phrases[0], ' '.join(phrases[1:] + ([tail] if tail else []))])
    if tail and len(phrases) > 1:
        options.append(phrases + [tail])
    probe = ImageFont.truetype(FONT, 200, layout_engine=ImageFont.Layout.RAQM)
    best = None
    for lines in options:
        widths = []
        for line in lines:
            x0, _, x1, _ = probe.getbbox(line, direction='rtl', language='ar')
            widths.append(x1 - x0)
        # Stacked Naskh lines of this font need about 1.04 of the size each.
        size = min(box_w / max(widths) * 200, box_h / (len(lines) * 1.04 + 0.1))
        if best is None or size > best[0] * 1.08:
            best = (size, lines)
    return best


# How the tughra's hand changed over the centuries: the earliest are plain
# and thin, the classical ones have large loops and long sweeps, the later
# ones are heavier and more ornamented.
STYLES = {
    'early': dict(weight=0.78, shaft_top=14, sweep=0.7, base_line=False, florets=()),
    'classic': dict(weight=1.0, shaft_top=4.5, sweep=1.0, base_line=True,
                    florets=((15.5, 63, 1.7), (35.5, 64.5, 1.3))),
    'late': dict(weight=1.18, shaft_top=3.5, sweep=1.1, base_line=True,
                 florets=((15.5, 63, 1.8), (35.5, 64.5, 1.4), (30, 42.5, 1.0), (22, 82, 1.0))),
}


def style_of(r):
    return {'early': 'early', 'late': 'late'}.get(r.formula, 'classic')


def fitted_text(pen, text_lines, box, line_gap=1.04):
    """Centres `text_lines` in `box` (core units: x0, y0, x1, y1) at the
    largest size that fits."""
    x0, y0, x1, y1 = box
    bw, bh = (x1 - x0) * pen.unit * S, (y1 - y0) * pen.unit * S
    probe = ImageFont.truetype(FONT, 200, layout_engine=ImageFont.Layout.RAQM)
    widest = max(probe.getbbox(t, direction='rtl', language='ar')[2]
                 - probe.getbbox(t, direction='rtl', language='ar')[0] for t in text_lines)
    size = min(bw / widest * 200, bh / (len(text_lines) * line_gap + 0.1))
    font = ImageFont.truetype(FONT, int(size), layout_engine=ImageFont.Layout.RAQM)
    line_h = size * line_gap
    top = pen.at(0, y0)[1] + (bh - line_h * len(text_lines)) / 2
    cx = pen.at((x0 + x1) / 2, 0)[0]
    for k, line in enumerate(text_lines):
        lx0, _, lx1, _ = font.getbbox(line, direction='rtl', language='ar')
        pen.text(line, font, cx - (lx0 + lx1) / 2, top + k * line_h - size * 0.28)
    return size


def draw(r):
    W, H = r.tughra
    st = STYLES[style_of(r)]
    wt = st['weight']
    margin = 0.045 * H
    unit = min((H - 2 * margin) / 100, (W - 2 * margin) / 122)
    x0 = margin
    # Spare height (square pictures) deepens the base, which then holds the
    # name in larger letters.
    deep = min(22.0, (H - 2 * margin) / unit - 100)
    y0 = (H - (100 + deep) * unit) / 2
    reach = (W - margin) / unit - x0 / unit  # right end of the arms, core units
    pen = Pen(W, H, unit, x0, y0)

    # Arms and loops: each arm runs in from the right and turns into a loop.
    outer = [(reach, 43.5), (reach - 8, 47.0), (reach - 20, 48.6), (90, 49.4), (78, 49.6),
             (66, 48.0), (55, 43.6), (42, 36.4), (28, 33.6), (13, 39.6), (4, 53.5), (3, 68),
             (10, 81), (24, 89.5), (38, 90), (47, 86.5)]
    inner = [(reach - 3, 52.5), (reach - 11, 56.2), (reach - 22, 57.8), (90, 58.4), (78, 58.6),
             (66, 57.6), (56, 54.8), (46, 50), (36, 49.2), (27, 54.2), (22.5, 64), (27, 74.5),
             (36, 80.5), (44, 78.5)]
    pen.stroke(outer, 7.0 * wt, taper(0.12, 0.45, peak=0.66, power=0.7))
    pen.stroke(inner, 5.6 * wt, taper(0.12, 0.45, peak=0.7, power=0.7))

    # The three shafts with their sweeps.
    for i in range(3):
        x = 63 + 10.5 * i
        top = st['shaft_top'] + 3.2 * i
        pen.stroke([(x - 1.0, 62.0), (x - 0.2, 50), (x + 0.8, 28), (x + 1.6, top)], 4.4 * wt,
                   lambda t: 1.0 - 0.72 * t)
        k = st['sweep']
        z = 17 + 7 * i + (1 - k) * 10
        sweep = bezier((x + 0.8, z), (x + 10 * k, z - 5 * k), (x + 4 * k, z + 12 * k),
                       (x + 13.5 * k, z + 15.5 * k), 24)
        pen.stroke(sweep, 3.6 * wt, taper(0.5, 0.1, peak=0.25), smooth=False)

    # The base: the name formula over a line swept out of the big loop.
    bx0, bx1 = 47.5, min(reach - 4, 132)
    by0, by1 = 64, (94.5 if st['base_line'] else 97) + deep
    if st['base_line']:
        pen.stroke([(45, 87.5), (52, 92 + deep * 0.6), (62, 95.5 + deep), (80, 97.5 + deep),
                    (bx1 - 6, 97 + deep), (bx1 + 1, 94 + deep), (bx1 + 3.5, 89 + deep)],
                   4.2 * wt, taper(0.9, 0.15, peak=0.15))
    phrases, tail = formula(r)
    box_w = (bx1 - bx0) * unit * S
    box_h = (by1 - by0) * unit * S
    _, lines = fit_lines(phrases, tail, box_w, box_h)
    fitted_text(pen, lines, (bx0, by0, bx1, by1))

    if r.mark:
        # A word beside the sweeps; stacked when it reads larger that way.
        box = (93, 12, reach - 1, 44)
        words = r.mark.split(' ')
        options = [[r.mark]] + ([[words[0], ' '.join(words[1:])]] if len(words) > 1 else [])
        probe = ImageFont.truetype(FONT, 200, layout_engine=ImageFont.Layout.RAQM)

        def size_of(opt):
            bw = (box[2] - box[0]) * unit * S
            bh = (box[3] - box[1]) * unit * S
            widest = max(probe.getbbox(t, direction='rtl', language='ar')[2]
                         - probe.getbbox(t, direction='rtl', language='ar')[0] for t in opt)
            return min(bw / widest * 200, bh / (len(opt) * 0.95 + 0.1))
        fitted_text(pen, max(options, key=size_of), box)

    # Small gilt florets inside the loops, as illuminators liked to add.
    for (fx, fy, fr) in st['florets']:
        x, y = pen.at(fx, fy)
        rr = fr * unit * S
        for a in range(6):
            ang = a * math.pi / 3
            px, py = x + rr * 1.1 * math.cos(ang), y + rr * 1.1 * math.sin(ang)
            pen.d.ellipse([px - rr * 0.55, py - rr * 0.55, px + rr * 0.55, py + rr * 0.55], fill=255)
        pen.d.ellipse([x - rr * 0.5, y - rr * 0.5, x + rr * 0.5, y + rr * 0.5], fill=255)

    return gild(pen.mask, W, H)


def gild(mask, W, H):
    """Shades the mask like gold leaf lit from the upper left, on black."""
    soft = mask.filter(ImageFilter.GaussianBlur(S * 0.7))
    d = max(1, round(S * 0.35))
    lit = ImageChops.subtract(ImageChops.offset(soft, d, d), ImageChops.offset(soft, -d, -d),
                              scale=1.0, offset=128)
    deep, mid, light = rgb(GOLD_DEEP), rgb(GOLD), rgb(GOLD_LIGHT)

    def channel(i):
        lut = []
        for v in range(256):
            t = (v - 128) / 90.0
            if t < 0:
                c = mix(mid, deep, min(1.0, -t))
            else:
                c = mix(mid, light, min(1.0, t))
            lut.append(c[i])
        return lut
    colour = Image.merge('RGB', [lit.point(channel(i)) for i in range(3)])
    black = Image.new('RGB', mask.size, (0, 0, 0))
    big = Image.composite(colour, black, mask)
    return big.reduce(S)


def main(argv):
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
    out = os.path.join(root, 'src', 'content', 'rulers', 'tughras')
    only = None
    args = list(argv)
    if '--only' in args:
        i = args.index('--only')
        only = {int(x) for x in args[i + 1].split(',')}
        del args[i:i + 2]
    if args:
        out = args[0]
    os.makedirs(out, exist_ok=True)
    for r in RULERS:
        if r.tughra is None or (only and r.n not in only):
            continue
        img = draw(r)
        assert img.size == r.tughra, (r.stem, img.size)
        img.save(os.path.join(out, file_name(r) + '.jpg'), 'JPEG', quality=90,
                 subsampling=0, progressive=False, optimize=True)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
