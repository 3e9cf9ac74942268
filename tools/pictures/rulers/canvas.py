"""Drawing helpers shared by the portrait and tughra generators: a canvas that
takes coordinates in final pixels (floats) and draws them `scale` times larger,
smooth curves through control points, and colour arithmetic."""
import math

from PIL import Image, ImageDraw


def rgb(c):
    if isinstance(c, tuple):
        return c
    c = c.lstrip('#')
    return tuple(int(c[i:i + 2], 16) for i in (0, 2, 4))


def mix(a, b, t):
    a, b = rgb(a), rgb(b)
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(c, f):
    """f < 1 darkens towards black, f > 1 lightens towards white."""
    c = rgb(c)
    if f <= 1:
        return tuple(round(v * f) for v in c)
    return mix(c, (255, 255, 255), min(1.0, f - 1))


def catmull(pts, closed=True, steps=8):
    """A smooth curve through all `pts` (centripetal enough for our shapes)."""
    n = len(pts)
    out = []
    last = n if closed else n - 1
    for i in range(last):
        p0 = pts[(i - 1) % n] if closed else pts[max(i - 1, 0)]
        p1 = pts[i]
        p2 = pts[(i + 1) % n]
        p3 = pts[(i + 2) % n] if closed else pts[min(i + 2, n - 1)]
        for k in range(steps):
            t = k / steps
            t2, t3 = t * t, t * t * t
            out.append(tuple(
                0.5 * (2 * p1[j] + (-p0[j] + p2[j]) * t
                       + (2 * p0[j] - 5 * p1[j] + 4 * p2[j] - p3[j]) * t2
                       + (-p0[j] + 3 * p1[j] - 3 * p2[j] + p3[j]) * t3)
                for j in range(2)))
    if not closed:
        out.append(pts[-1])
    return out


def bezier(p0, p1, p2, p3, steps=24):
    out = []
    for k in range(steps + 1):
        t = k / steps
        u = 1 - t
        out.append(tuple(u * u * u * p0[j] + 3 * u * u * t * p1[j]
                         + 3 * u * t * t * p2[j] + t * t * t * p3[j]
                         for j in range(2)))
    return out


def ellipse_pts(cx, cy, rx, ry, a0=0.0, a1=2 * math.pi, steps=48):
    return [(cx + rx * math.cos(a0 + (a1 - a0) * k / steps),
             cy + ry * math.sin(a0 + (a1 - a0) * k / steps))
            for k in range(steps + 1)]


class Canvas:
    def __init__(self, w, h, scale, bg, mode='RGB'):
        self.w, self.h, self.s = w, h, scale
        self.img = Image.new(mode, (w * scale, h * scale), rgb(bg) if mode == 'RGB' else bg)
        self.d = ImageDraw.Draw(self.img)

    def P(self, pts):
        return [(x * self.s, y * self.s) for x, y in pts]

    def poly(self, pts, fill, outline=None, width=0.5):
        if fill is not None:
            self.d.polygon(self.P(pts), fill=rgb(fill) if isinstance(fill, str) else fill)
        if outline is not None:
            self.line(list(pts) + [pts[0]], outline, width)

    def line(self, pts, fill, width=0.5, caps=True):
        fill = rgb(fill) if isinstance(fill, str) else fill
        wpx = max(1, round(width * self.s))
        self.d.line(self.P(pts), fill=fill, width=wpx, joint='curve')
        if caps and wpx > 2:
            r = width / 2
            for x, y in (pts[0], pts[-1]):
                self.d.ellipse([(x - r) * self.s, (y - r) * self.s,
                                (x + r) * self.s, (y + r) * self.s], fill=fill)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=0.5):
        box = [(cx - rx) * self.s, (cy - ry) * self.s, (cx + rx) * self.s, (cy + ry) * self.s]
        if fill is not None:
            self.d.ellipse(box, fill=rgb(fill) if isinstance(fill, str) else fill)
        if outline is not None:
            self.d.ellipse(box, outline=rgb(outline), width=max(1, round(width * self.s)))

    def mask(self):
        """A blank mask of the canvas size and a canvas drawing onto it."""
        m = Canvas(self.w, self.h, self.s, 0, mode='L')
        return m


def tapered(curve, wmax, profile=None):
    """An outline around `curve` whose width follows profile(t) * wmax (by
    default a leaf: thin at both ends)."""
    if profile is None:
        profile = lambda t: math.sin(math.pi * t) ** 0.8  # noqa: E731
    n = len(curve)
    left, right = [], []
    for i, (x, y) in enumerate(curve):
        xa, ya = curve[max(i - 1, 0)]
        xb, yb = curve[min(i + 1, n - 1)]
        dx, dy = xb - xa, yb - ya
        ln = math.hypot(dx, dy) or 1.0
        nx, ny = -dy / ln, dx / ln
        w = wmax * profile(i / (n - 1)) / 2
        left.append((x + nx * w, y + ny * w))
        right.append((x - nx * w, y - ny * w))
    return left + right[::-1]


def clipped(c, shape_pts, draw):
    """Runs draw(canvas) on a copy of `c` and keeps only what falls inside the
    polygon `shape_pts`: patterns and folds stay on their garment."""
    tmp = Canvas(c.w, c.h, c.s, (0, 0, 0))
    tmp.img = c.img.copy()
    tmp.d = ImageDraw.Draw(tmp.img)
    draw(tmp)
    m = c.mask()
    m.poly(shape_pts, 255)
    c.img.paste(tmp.img, (0, 0), m.img)
