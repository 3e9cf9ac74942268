#!/usr/bin/python3
"""Paints the 36 ruler portraits as small miniature-style busts and writes
them as single-frame GIFs to src/content/rulers/portraits/.

Every figure is drawn turned to the viewer's right, eight times larger than
the picture, then mirrored when the ruler faces left, shrunk with box
filtering and reduced to an adaptive palette without dithering (flat
miniature colours survive that; dither noise at 60 pixels wide does not).

Usage: portraits.py [OUTDIR] [--only N,N,...]
"""
import math
import os
import random
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

from PIL import Image, ImageDraw, ImageFilter, ImageOps

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from canvas import (Canvas, bezier, catmull, clipped, ellipse_pts, mix,  # noqa: E402
                    rgb, shade, tapered)
from rulers import RULERS, file_name  # noqa: E402

S = 8  # drawing scale

INK = '#4A2C1E'          # outlines of faces and hands
GOLD = '#D0A848'
GOLD_DARK = '#8A6424'
FRAME_DARK = '#3A2616'

# Face half-width and half-height in pixels.
FACES = {'oval': (8.6, 10.8), 'round': (9.4, 10.4), 'long': (8.2, 11.6),
         'broad': (9.8, 10.9), 'thin': (7.9, 11.2), 'young': (8.6, 10.2)}

# Height of each headgear above its base line, and where the base sits on
# the face (in face half-heights above the face centre).
HATS = {'bork': (30, 0.74), 'horasani': (27, 0.74), 'tall': (23, 0.74),
        'mucevveze': (26, 0.74), 'selimi': (26, 0.74), 'kallavi': (34, 0.74),
        'round': (19, 0.74), 'kavuk': (22.5, 0.74), 'fez_tall': (19, 0.74),
        'fez': (13, 0.78)}

# Where the aigrette's jewel is pinned, relative to the hat's base centre.
PLUME_AT = {'round': (3.5, -9.5), 'kavuk': (3.5, -11), 'kallavi': (3.5, -13),
            'fez_tall': (3.0, -8.5), 'mucevveze': (3.5, -10), 'tall': (3.5, -10)}


class Figure:
    """Geometry of one portrait, worked out from the ruler's traits."""

    def __init__(self, r):
        self.r = r
        self.W, self.H = r.portrait
        fez = r.hat in ('fez', 'fez_tall')
        self.hs = 1.1 if fez else 1.0
        rx, ry = FACES[r.face]
        self.rx, self.ry = rx * self.hs, ry * self.hs
        hat_h, base_v = HATS[r.hat]
        hat_h *= r.hat_h
        if r.plume and r.hat in ('round', 'kavuk'):
            hat_h += 7
        self.k = self.hs
        tb = 2.8 + hat_h * self.k
        if tb > 33.5:
            self.k *= (33.5 - 2.8) / (hat_h * self.k)
            tb = 33.5
        tb = max(tb, 25.0)
        self.tb = tb
        self.fy = tb + base_v * self.ry
        self.fx = self.W / 2 - 0.5
        self.tx = self.fx - (2.2 if r.pose == 'profile' else 0.4)
        self.bx = self.fx + POSES[r.pose]['opening']   # front edge of the robe
        self.sy = self.fy + 1.22 * self.ry + 1.5   # top of the shoulders

    def F(self, u, v):
        return (self.fx + u * self.rx, self.fy + v * self.ry)

    def Fs(self, pts):
        return [self.F(u, v) for u, v in pts]

    def T(self, u, v):
        return (self.tx + u * self.k * self.r.hat_w, self.tb + v * self.k * self.r.hat_h)

    def Ts(self, pts):
        return [self.T(u, v) for u, v in pts]


# ---------------------------------------------------------------- background

def background(c, f):
    r = f.r
    W, H = f.W, f.H
    bg = rgb(r.bg)
    c.poly([(0, 0), (W, 0), (W, H), (0, H)], bg)
    if r.frame == 'arch':
        spandrel = shade(bg, 0.62)
        apex = (W / 2, 4.0)
        left = bezier((3.0, 0.44 * H), (3.0, 0.2 * H), (W / 2 - 8, 9), apex, 20)
        right = bezier(apex, (W / 2 + 8, 9), (W - 3.0, 0.2 * H), (W - 3.0, 0.44 * H), 20)
        arch = left + right[1:]
        c.poly([(0, 0), (W, 0), (W, 0.44 * H)] + arch[::-1] + [(0, 0.44 * H)], spandrel)
        for x, y in ((6, 6), (W - 6, 6), (4.5, 13), (W - 4.5, 13)):
            c.ellipse(x, y, 0.9, 0.9, GOLD)
        c.line(arch, GOLD, 0.7)
    elif r.frame == 'panel':
        inset = 3.6
        box = [(inset, inset), (W - inset, inset), (W - inset, H - inset), (inset, H - inset)]
        c.line(box + [box[0]], shade(bg, 0.72), 0.45)
        for x, y in box:
            c.ellipse(x, y, 1.0, 1.0, shade(bg, 0.72))
    elif r.frame == 'oval':
        c.poly([(0, 0), (W, 0), (W, H), (0, H)], shade(bg, 0.45))
        cx, cy, ax, ay = W / 2, H / 2 - 1, W / 2 - 3.2, H / 2 - 3.6
        for i in range(12):
            t = i / 11
            c.ellipse(cx, cy - 3 * t, ax * (1 - 0.55 * t), ay * (1 - 0.55 * t),
                      mix(bg, shade(bg, 1.35), t))
        for x, y in ((4.2, 4.2), (W - 4.2, 4.2), (4.2, H - 4.2), (W - 4.2, H - 4.2)):
            c.ellipse(x, y, 1.1, 1.1, GOLD)
        f.oval = (cx, cy, ax, ay)


def frame(c, f):
    W, H = f.W, f.H
    r = f.r
    if r.frame == 'oval':
        cx, cy, ax, ay = f.oval
        c.line(ellipse_pts(cx, cy, ax + 0.3, ay + 0.3, steps=96), GOLD_DARK, 1.4)
        c.line(ellipse_pts(cx, cy, ax + 0.3, ay + 0.3, steps=96), GOLD, 0.8)
    c.line([(0.4, 0.4), (W - 0.4, 0.4), (W - 0.4, H - 0.4), (0.4, H - 0.4), (0.4, 0.4)],
           FRAME_DARK, 0.9, caps=False)
    c.line([(1.4, 1.4), (W - 1.4, 1.4), (W - 1.4, H - 1.4), (1.4, H - 1.4), (1.4, 1.4)],
           GOLD, 1.3, caps=False)
    c.line([(2.2, 2.2), (W - 2.2, 2.2), (W - 2.2, H - 2.2), (2.2, H - 2.2), (2.2, 2.2)],
           GOLD_DARK, 0.35, caps=False)


# ------------------------------------------------------------------- garments

def shoulders(f, widen=0.0):
    W, H, fx, sy = f.W, f.H, f.bx, f.sy
    top = catmull([(-3, sy + 10), (fx - 22 - widen, sy + 5), (fx - 15, sy + 1.0),
                   (fx - 6.5, sy - 1.8), (fx + 7, sy - 1.8), (fx + 16, sy + 0.8),
                   (fx + 23 + widen, sy + 4.5), (W + 3, sy + 9)], closed=False)
    return top + [(W + 3, H + 3), (-3, H + 3)]


def pattern(c, f, shape):
    r = f.r
    if not r.pattern:
        return
    rnd = random.Random(r.n)
    pc = r.pat_c

    def draw(t):
        W, H = f.W, f.H
        if r.pattern == 'dots':
            for j, y in enumerate(range(int(f.sy) - 6, H + 4, 4)):
                for x in range(-4, W + 4, 4):
                    t.ellipse(x + 2 * (j % 2), y, 0.55, 0.55, pc)
        elif r.pattern == 'stripes':
            for x in range(-6, W + 6, 3):
                t.line([(x, f.sy - 8), (x + 2, H + 3)], pc, 0.9)
        elif r.pattern == 'cintemani':
            for j, y in enumerate(range(int(f.sy) - 8, H + 6, 7)):
                for x in range(-6, W + 8, 8):
                    x0 = x + 4 * (j % 2)
                    for dx, dy in ((0, 0), (1.6, 0), (0.8, -1.3)):
                        t.ellipse(x0 + dx, y + dy, 0.75, 0.75, pc)
                    t.line(catmull([(x0 - 1, y + 2.2), (x0 + 0.5, y + 1.7),
                                    (x0 + 1.6, y + 2.4), (x0 + 3, y + 1.9)], closed=False),
                           pc, 0.5)
        elif r.pattern == 'flowers':
            for j, y in enumerate(range(int(f.sy) - 6, H + 6, 6)):
                for x in range(-6, W + 8, 6):
                    x0 = x + 3 * (j % 2)
                    for a in range(5):
                        ang = a * 2 * math.pi / 5
                        t.ellipse(x0 + 0.9 * math.cos(ang), y + 0.9 * math.sin(ang), 0.6, 0.6, pc)
                    t.ellipse(x0, y, 0.45, 0.45, shade(pc, 0.6))
        elif r.pattern == 'tulips':
            for j, y in enumerate(range(int(f.sy) - 6, H + 8, 7)):
                for x in range(-6, W + 8, 7):
                    x0 = x + 3.5 * (j % 2)
                    t.line([(x0, y + 1), (x0 + 0.3, y + 3.6)], '#4E8A3A', 0.45)
                    t.poly(catmull([(x0 - 1.3, y - 1.4), (x0 - 0.4, y - 0.5), (x0, y - 1.8),
                                    (x0 + 0.4, y - 0.5), (x0 + 1.3, y - 1.4), (x0 + 1.1, y + 0.6),
                                    (x0, y + 1.3), (x0 - 1.1, y + 0.6)], steps=4), pc)
        elif r.pattern == 'medallions':
            for j, y in enumerate(range(int(f.sy) - 4, H + 8, 9)):
                for x in range(-8, W + 10, 10):
                    x0 = x + 5 * (j % 2)
                    t.ellipse(x0, y, 2.6, 3.0, pc)
                    t.ellipse(x0, y, 1.6, 2.0, shade(pc, 0.7))
                    t.ellipse(x0, y, 0.6, 0.8, pc)
        elif r.pattern == 'leaves':
            for j, y in enumerate(range(int(f.sy) - 6, H + 6, 6)):
                for x in range(-6, W + 8, 6):
                    x0 = x + 3 * (j % 2) + rnd.uniform(-0.4, 0.4)
                    a = rnd.uniform(-0.8, 0.8) - 0.6
                    p0 = (x0 - 1.6 * math.cos(a), y - 1.6 * math.sin(a))
                    p1 = (x0 + 1.6 * math.cos(a), y + 1.6 * math.sin(a))
                    t.poly(tapered(bezier(p0, (x0, y - 1), (x0, y - 1), p1, 8), 1.4), pc)
    clipped(c, shape, draw)


def opening(f):
    """The front of a kaftan: round neck of the inner robe, then a narrow
    strip down to the hem."""
    fx, sy, H = f.bx, f.sy, f.H
    left = [(fx - 5.5, sy - 1.8), (fx - 2.5, sy + 5), (fx - 0.2, sy + 9), (fx + 0.0, H + 3)]
    right = [(fx + 3.6, H + 3), (fx + 3.4, sy + 9), (fx + 5.6, sy + 5), (fx + 7, sy - 1.8)]
    return left, right


def kaftan(c, f):
    r = f.r
    body = shoulders(f)
    c.poly(body, r.coat_c)
    pattern(c, f, body)
    left, right = opening(f)
    c.poly(catmull(left, closed=False) + catmull(right, closed=False), r.inner_c)
    # A collar band edging the opening and the neck of the inner robe.
    c.line(catmull(left, closed=False), r.trim_c, 1.2)
    c.line(catmull(right, closed=False), r.trim_c, 1.2)
    neck = bezier((f.bx - 5.4, f.sy - 1.6), (f.bx - 2, f.sy + 2.6), (f.bx + 3.5, f.sy + 2.6),
                  (f.bx + 6.9, f.sy - 1.6), 12)
    c.line(neck, shade(r.inner_c, 0.7), 0.7)
    c.line(shoulders(f)[:-2], shade(r.coat_c, 0.55), 0.45)
    # The far sleeve seam, a hint of the arm.
    c.line(catmull([(f.bx + 19, f.sy + 5), (f.bx + 17, f.sy + 12), (f.bx + 18, f.H + 2)],
                   closed=False), shade(r.coat_c, 0.7), 0.5)
    c.line(catmull([(f.bx - 18, f.sy + 6), (f.bx - 17, f.sy + 13), (f.bx - 18, f.H + 2)],
                   closed=False), shade(r.coat_c, 0.7), 0.5)
    if r.coat == 'fur':
        fur_collar(c, f)
    if 'frogs' in r.extras:
        for y in (f.sy + 7, f.sy + 11.5, f.sy + 16):
            c.line([(f.bx - 3.2, y), (f.bx + 6.8, y)], GOLD, 0.9)
            c.ellipse(f.bx - 3.2, y, 0.8, 0.8, GOLD)
            c.ellipse(f.bx + 6.8, y, 0.8, 0.8, GOLD)


def fur_collar(c, f):
    r = f.r
    fx, sy, H = f.bx, f.sy, f.H
    fur = rgb(r.trim_c)
    left = catmull([(fx - 6, sy - 2.2), (fx - 14, sy + 0.6), (fx - 20, sy + 4.5),
                    (fx - 13, sy + 9), (fx - 6.5, sy + 15), (fx - 4.5, H + 3)], closed=False)
    left_in = catmull([(fx - 0.6, H + 3), (fx - 1.0, sy + 10), (fx - 4, sy + 3.5),
                       (fx - 5.2, sy - 1.2)], closed=False)
    right = catmull([(fx + 6.6, sy - 1.2), (fx + 5.0, sy + 3.5), (fx + 3.8, sy + 10),
                     (fx + 4.2, H + 3)], closed=False)
    right_out = catmull([(fx + 8.5, H + 3), (fx + 9.5, sy + 15), (fx + 15, sy + 8),
                         (fx + 21, sy + 3.8), (fx + 14, sy - 0.2), (fx + 7.6, sy - 2.2)],
                        closed=False)
    for shape in (left + left_in, right + right_out):
        c.poly(shape, fur)

        def tufts(t, rnd=random.Random(r.n * 7)):
            for _ in range(160):
                x = rnd.uniform(fx - 22, fx + 22)
                y = rnd.uniform(sy - 3, H + 2)
                col = shade(fur, rnd.choice((0.72, 0.8, 1.18)))
                t.line([(x, y), (x + rnd.uniform(-0.5, 0.5), y + 1.3)], col, 0.45)
        clipped(c, shape, tufts)
        c.line(shape + [shape[0]], shade(fur, 0.6), 0.35)


def frock(c, f):
    r = f.r
    fx, sy, H = f.bx, f.sy, f.H
    coat = rgb(r.coat_c)
    body = shoulders(f)
    c.poly(body, coat)
    c.line(shoulders(f)[:-2], shade(coat, 1.5), 0.35)
    c.line(catmull([(fx + 19, sy + 5), (fx + 17, sy + 12), (fx + 18, H + 2)], closed=False),
           shade(coat, 1.3), 0.4)
    c.line(catmull([(fx - 18, sy + 6), (fx - 17, sy + 13), (fx - 18, H + 2)], closed=False),
           shade(coat, 1.3), 0.4)
    if r.collar == 'lapels':
        c.poly([(fx - 4.6, sy - 2.6), (fx + 6.0, sy - 2.6), (fx + 1.2, sy + 9)], '#F2F0EA')
        c.poly([(fx - 1.2, sy - 2.2), (fx + 2.8, sy - 2.2), (fx + 1.0, sy + 1.4)], '#1A1A1E')
        lapel = shade(coat, 1.25)
        c.poly([(fx - 5, sy - 2.2), (fx - 9.5, sy + 1.5), (fx + 0.6, sy + 13), (fx + 0.7, sy + 8.6)],
               lapel)
        c.poly([(fx + 6.4, sy - 2.2), (fx + 10.5, sy + 1.5), (fx + 1.8, sy + 13), (fx + 1.6, sy + 8.6)],
               lapel)
        for y in (sy + 15.5, sy + 20):
            c.ellipse(fx + 1.2, y, 0.7, 0.7, shade(coat, 1.8))
    else:
        # Buttoned up to a standing collar.
        gold = r.collar == 'stand_gold'
        c.line([(fx + 1.2, sy + 1), (fx + 1.0, H + 3)], shade(coat, 1.6), 0.35)
        for y in range(int(sy + 3), H + 2, 4):
            c.ellipse(fx + 2.1, y, 0.65, 0.65, GOLD if gold else shade(coat, 2.0))
        collar = catmull([(fx - 5.6, sy - 5.0), (fx + 1, sy - 4.2), (fx + 6.8, sy - 5.0),
                          (fx + 7.2, sy - 0.6), (fx + 1, sy + 1.6), (fx - 6.0, sy - 0.6)], steps=6)
        c.poly(collar, r.trim_c if gold else shade(coat, 1.3))
        if gold:
            for x in range(-5, 7, 2):
                c.ellipse(fx + x + 0.5, sy - 2.0, 0.45, 0.45, shade(r.trim_c, 0.6))
        c.line(collar + [collar[0]], shade(coat, 0.6), 0.35)
        if gold:
            # Embroidered front edges.
            c.line([(fx - 3.0, sy + 1.5), (fx - 3.0, H + 3)], r.trim_c, 0.6)
            c.line([(fx + 5.2, sy + 1.5), (fx + 5.2, H + 3)], r.trim_c, 0.6)
    if 'epaulettes' in r.extras:
        for x in (fx - 18.5, fx + 18.5):
            y = sy + 3.0 if x < fx else sy + 2.6
            c.ellipse(x, y, 4.2, 1.9, GOLD)
            for k in range(-3, 4):
                c.line([(x + k * 1.1, y + 1.2), (x + k * 1.2, y + 4.2)], GOLD, 0.5)
    if 'sash' in r.extras:
        band = [(fx - 19, sy + 2.5), (fx - 14, sy + 1.0), (fx + 16, H + 3), (fx + 10, H + 3)]
        c.poly(band, '#2A7A46')
        c.line([band[0], band[3]], '#C8302C', 0.6)
        c.line([band[1], band[2]], '#C8302C', 0.6)
    if 'star' in r.extras:
        star(c, fx - 9.5, sy + 11, 2.6, '#E8E4D8', '#C8202C')


def star(c, x, y, rad, col, centre):
    pts = []
    for i in range(16):
        rr = rad if i % 2 == 0 else rad * 0.5
        a = i * math.pi / 8
        pts.append((x + rr * math.cos(a), y + rr * math.sin(a)))
    c.poly(pts, col, outline=shade(col, 0.6), width=0.3)
    c.ellipse(x, y, rad * 0.38, rad * 0.38, centre)


def cape(c, f):
    r = f.r
    fx, sy, H = f.bx, f.sy, f.H
    body = shoulders(f, widen=1.5)
    c.poly(body, r.coat_c)
    c.line(shoulders(f, widen=1.5)[:-2], shade(r.coat_c, 1.6), 0.35)
    # The cape falls in folds from the shoulders.
    for x in (fx - 14, fx - 8, fx + 11, fx + 17):
        c.line(catmull([(x, sy + 6), (x - 0.5, sy + 14), (x + 0.3, H + 2)], closed=False),
               shade(r.coat_c, 1.3), 0.45)
    yoke = catmull([(fx - 16, sy + 1.6), (fx - 8, sy - 2.2), (fx + 1, sy - 2.6), (fx + 10, sy - 2.0),
                    (fx + 17, sy + 1.4), (fx + 10, sy + 5.5), (fx + 1, sy + 7.0), (fx - 9, sy + 5.6)],
                   steps=6)
    c.poly(yoke, r.trim_c)
    c.line(yoke + [yoke[0]], GOLD_DARK, 0.4)
    for x in range(-12, 14, 3):
        c.ellipse(fx + x + 0.5, sy + 2.2 - 0.006 * x * x, 0.55, 0.55, shade(r.trim_c, 0.6))
    collar = catmull([(fx - 5.4, sy - 5.0), (fx + 1, sy - 4.2), (fx + 6.6, sy - 5.0),
                      (fx + 7.0, sy - 0.8), (fx + 1, sy + 1.4), (fx - 5.8, sy - 0.8)], steps=6)
    c.poly(collar, shade(r.coat_c, 1.3))
    c.line(collar + [collar[0]], GOLD, 0.4)
    c.ellipse(fx + 1.0, sy + 3.6, 1.5, 1.5, GOLD)
    c.ellipse(fx + 1.0, sy + 3.6, 0.8, 0.8, '#C8202C')


# ----------------------------------------------------------------------- head

def mirror_u(pts):
    return [(-u, v) for u, v in pts]


# Each pose gives the face outline, ears, eyes (u, v, half-width), the mouth
# and the outlines of beards and moustaches, in face units: u across (-1 at
# the near cheek), v down (0 at the eyes' level, 1 at the chin). A face in
# three-quarter view or in profile looks to the right.
THREE = {
    'face': [(-0.96, -0.6), (-1.0, 0.05), (-0.86, 0.55), (-0.45, 0.92), (0.1, 1.03),
             (0.6, 0.8), (0.88, 0.36), (0.97, -0.05), (0.9, -0.6), (0.4, -1.0), (-0.45, -1.0)],
    'ears': [(-0.97, 0.06)],
    'eyes': [(-0.3, -0.12, 1.75, 0.3), (0.47, -0.12, 1.3, 0.3)],
    'mouth': (0.2, 0.6, 1.55),
    'neck': [(-0.52, 0.5), (0.5, 0.5), (0.55, 1.5), (-0.58, 1.5)],
    'beard_top': [(-0.98, -0.05), (-0.8, 0.32), (-0.5, 0.5), (-0.18, 0.62), (0.04, 0.76),
                  (0.36, 0.76), (0.58, 0.62), (0.8, 0.44), (0.93, 0.2)],
    'beards': {
        'short': [(0.95, 0.35), (0.75, 0.82), (0.35, 1.12), (0.05, 1.16), (-0.45, 1.02),
                  (-0.85, 0.7), (-1.02, 0.3)],
        'down': [(0.9, 0.45), (0.7, 0.84), (0.3, 1.08), (0.0, 1.1), (-0.45, 0.98),
                 (-0.82, 0.68), (-0.98, 0.35)],
        'full': [(0.98, 0.4), (0.88, 0.95), (0.5, 1.32), (0.1, 1.42), (-0.4, 1.32),
                 (-0.85, 0.98), (-1.05, 0.45)],
        'round': [(1.05, 0.45), (0.98, 1.05), (0.6, 1.46), (0.05, 1.56), (-0.55, 1.44),
                  (-1.0, 1.02), (-1.12, 0.45)],
        'long': [(0.98, 0.4), (0.88, 1.0), (0.62, 1.55), (0.3, 1.98), (0.0, 2.08),
                 (-0.35, 1.88), (-0.78, 1.32), (-1.04, 0.6)],
        'pointed': [(0.95, 0.4), (0.78, 0.95), (0.45, 1.42), (0.2, 1.8), (-0.05, 1.5),
                    (-0.6, 1.12), (-1.0, 0.5)],
    },
    'sideburns': [[(-1.0, -0.62), (-0.98, 0.05), (-0.86, 0.05), (-0.84, -0.6)]],
    'temples': [[(-1.02, -0.7), (-0.98, -0.05), (-0.86, -0.02), (-0.78, -0.66)]],
    'moustaches': {
        'thin': [[(0.38, 0.44), (0.0, 0.5), (-0.22, 0.6), (0.02, 0.56), (0.36, 0.52)],
                 [(0.42, 0.44), (0.64, 0.5), (0.74, 0.58), (0.6, 0.54), (0.42, 0.52)]],
        'full': [[(0.38, 0.42), (0.02, 0.46), (-0.3, 0.62), (-0.34, 0.74), (0.0, 0.62),
                  (0.36, 0.56)],
                 [(0.42, 0.42), (0.68, 0.47), (0.84, 0.62), (0.82, 0.7), (0.62, 0.58),
                  (0.42, 0.56)]],
        'long': [[(0.38, 0.4), (0.0, 0.44), (-0.45, 0.6), (-0.85, 0.92), (-0.95, 1.12),
                  (-0.6, 0.82), (-0.1, 0.62), (0.36, 0.56)],
                 [(0.42, 0.4), (0.7, 0.45), (0.9, 0.62), (1.02, 0.9), (0.98, 1.05),
                  (0.8, 0.72), (0.6, 0.6), (0.42, 0.56)]],
        'upturned': [[(0.38, 0.44), (0.0, 0.48), (-0.3, 0.5), (-0.45, 0.36), (-0.3, 0.58),
                      (0.0, 0.6), (0.36, 0.55)],
                     [(0.42, 0.44), (0.68, 0.48), (0.86, 0.38), (0.8, 0.52), (0.62, 0.58),
                      (0.42, 0.55)]],
    },
    'opening': 0.0,
}


def _front():
    three = THREE
    beards = {}
    for k, pts in three['beards'].items():
        # The near half of the three-quarter beard, made whole.
        near = [(u, v) for u, v in pts if u < 0]
        bottom = max(v for _, v in pts)
        beards[k] = mirror_u(near)[::-1] + [(0.0, bottom)] + near
    moustaches = {}
    for k, (near, _) in three['moustaches'].items():
        wing = [(u - 0.4, v) for u, v in near]
        moustaches[k] = [wing, mirror_u(wing)]
    return {
        'face': [(0.0, -1.02), (-0.45, -1.0), (-0.96, -0.6), (-1.0, 0.05), (-0.88, 0.55),
                 (-0.5, 0.92), (0.0, 1.05), (0.5, 0.92), (0.88, 0.55), (1.0, 0.05), (0.96, -0.6),
                 (0.45, -1.0)],
        'ears': [(-1.0, 0.06), (1.0, 0.06)],
        'eyes': [(-0.42, -0.12, 1.55, 0.0), (0.42, -0.12, 1.55, 0.0)],
        'mouth': (0.0, 0.6, 1.6),
        'neck': [(-0.52, 0.5), (0.52, 0.5), (0.56, 1.5), (-0.56, 1.5)],
        'beard_top': [(-0.98, -0.05), (-0.8, 0.32), (-0.5, 0.5), (-0.22, 0.62), (0.0, 0.76),
                      (0.22, 0.62), (0.5, 0.5), (0.8, 0.32), (0.98, -0.05)],
        'beards': beards,
        'sideburns': [[(-1.0, -0.62), (-0.98, 0.05), (-0.86, 0.05), (-0.84, -0.6)],
                      mirror_u([(-1.0, -0.62), (-0.98, 0.05), (-0.86, 0.05), (-0.84, -0.6)])],
        'temples': [[(-1.02, -0.7), (-0.98, -0.05), (-0.86, -0.02), (-0.78, -0.66)],
                    mirror_u([(-1.02, -0.7), (-0.98, -0.05), (-0.86, -0.02), (-0.78, -0.66)])],
        'moustaches': moustaches,
        'opening': -1.0,
    }


FRONT = _front()

PROFILE = {
    'face': [(-0.75, -0.75), (-0.88, 0.0), (-0.72, 0.5), (-0.25, 0.78), (0.3, 1.0), (0.68, 0.98),
             (0.84, 0.8), (0.82, 0.66), (0.9, 0.57), (0.86, 0.47), ('tip',),
             (0.83, -0.13), (0.88, -0.32), (0.84, -0.72), (0.4, -1.02)],
    'ears': [(-0.2, 0.05)],
    'eyes': [(0.58, -0.13, 1.3, 0.45)],
    'mouth': (0.82, 0.58, 0.7),
    'neck': [(-0.5, 0.5), (0.32, 0.8), (0.36, 1.5), (-0.6, 1.5)],
    'beard_top': [(0.0, -0.35), (0.06, 0.3), (0.35, 0.5), (0.62, 0.62), (0.82, 0.68),
                  (0.9, 0.8)],
    'beards': {
        'short': [(0.93, 1.0), (0.62, 1.15), (0.2, 1.05), (-0.18, 0.72), (-0.2, 0.2)],
        'down': [(0.9, 0.95), (0.6, 1.08), (0.2, 1.0), (-0.15, 0.7), (-0.15, 0.2)],
        'full': [(0.96, 1.18), (0.72, 1.42), (0.3, 1.36), (-0.15, 1.0), (-0.3, 0.4)],
        'round': [(1.02, 1.22), (0.82, 1.55), (0.3, 1.52), (-0.2, 1.1), (-0.34, 0.4)],
        'long': [(0.96, 1.4), (0.78, 1.9), (0.46, 2.08), (0.14, 1.72), (-0.2, 1.1),
                 (-0.32, 0.4)],
        'pointed': [(0.96, 1.2), (0.88, 1.75), (0.5, 1.45), (0.0, 1.0), (-0.3, 0.4)],
    },
    'sideburns': [],
    'temples': [[(0.02, -0.72), (0.0, -0.2), (0.14, -0.2), (0.2, -0.7)]],
    'moustaches': {
        'thin': [[(0.88, 0.46), (0.72, 0.5), (0.64, 0.6), (0.74, 0.56), (0.88, 0.52)]],
        'full': [[(0.9, 0.45), (0.7, 0.49), (0.58, 0.64), (0.64, 0.68), (0.76, 0.58), (0.9, 0.54)]],
        'long': [[(0.9, 0.44), (0.66, 0.5), (0.5, 0.7), (0.42, 0.98), (0.56, 0.8), (0.76, 0.6),
                  (0.9, 0.54)]],
        'upturned': [[(0.9, 0.46), (0.7, 0.5), (0.56, 0.42), (0.62, 0.56), (0.9, 0.54)]],
    },
    'opening': 3.0,
}

POSES = {'three': THREE, 'front': FRONT, 'profile': PROFILE}

# The nose in profile, from the nostril's base up to the bridge.
PROFILE_NOSES = {
    'straight': [(0.9, 0.38), (1.04, 0.36), (1.1, 0.3), (1.02, 0.12), (0.92, -0.04)],
    'small': [(0.9, 0.37), (1.0, 0.34), (1.04, 0.29), (0.98, 0.14), (0.9, -0.04)],
    'aquiline': [(0.9, 0.4), (1.05, 0.38), (1.12, 0.3), (1.1, 0.14), (0.96, -0.04)],
    'hooked': [(0.9, 0.42), (1.02, 0.44), (1.12, 0.36), (1.14, 0.18), (0.98, -0.04)],
    'big': [(0.9, 0.41), (1.08, 0.4), (1.16, 0.3), (1.08, 0.1), (0.94, -0.04)],
}

NOSES = {  # three-quarter (bridge bulge, tip reach, tip drop); profile tip reach
    'straight': (0.0, 0.5, 0.32, 1.1), 'hooked': (0.26, 0.68, 0.44, 1.24),
    'aquiline': (0.1, 0.55, 0.35, 1.17), 'small': (0.0, 0.44, 0.28, 1.04),
    'big': (0.1, 0.66, 0.4, 1.22)}


def face_outline(f):
    pose = POSES[f.r.pose]
    pts = []
    for p in pose['face']:
        if p == ('tip',):
            pts += PROFILE_NOSES[f.r.nose]
        else:
            pts.append(p)
    return catmull(f.Fs(pts), steps=6)


def neck(c, f):
    skin = rgb(f.r.skin)
    c.poly(f.Fs(POSES[f.r.pose]['neck']), shade(skin, 0.86))


def ears(c, f):
    skin = rgb(f.r.skin)
    for i, (u, v) in enumerate(POSES[f.r.pose]['ears']):
        x, y = f.F(u, v)
        side = -1 if u <= 0 or f.r.pose == 'profile' else 1
        c.ellipse(x, y, 1.5 * f.hs, 2.5 * f.hs, shade(skin, 0.95), outline=INK, width=0.35)
        c.line([(x - side * 0.2, y - 1.2), (x + side * 0.5, y), (x - side * 0.2, y + 1.2)],
               shade(skin, 0.7), 0.35)
        if 'earring' in f.r.extras and i == 0:
            c.ellipse(x, y + 3.3, 1.0, 1.0, None, outline=GOLD, width=0.45)
            c.ellipse(x, y + 4.4, 0.7, 0.7, '#F4F0E8', outline='#A09A90', width=0.2)


def face(c, f):
    r = f.r
    skin = rgb(r.skin)
    shape = face_outline(f)
    c.poly(shape, skin)
    # Flat colour with a soft shadow on the far cheek, as the miniaturists did.
    if r.pose == 'three':
        clipped(c, shape, lambda t: t.ellipse(*f.F(0.95, 0.25), 0.32 * f.rx, 0.75 * f.ry,
                                              shade(skin, 0.92)))
    elif r.pose == 'profile':
        clipped(c, shape, lambda t: t.ellipse(*f.F(-0.2, 0.35), 0.5 * f.rx, 0.5 * f.ry,
                                              shade(skin, 0.93)))
    c.line(shape + [shape[0]], INK, 0.4)
    if r.hat in ('fez', 'fez_tall'):
        # Short hair at the temples below the fez.
        for pts in POSES[r.pose]['temples']:
            c.poly(catmull(f.Fs(pts), steps=4), r.beard_c)


def eye(c, f, x, y, w, look):
    r = f.r
    h = 1.1 if r.age == 'young' else 1.0
    h *= f.hs
    almond = catmull([(x - w, y + 0.1), (x - 0.2 * w, y - h), (x + w, y - 0.15),
                      (x + 0.1 * w, y + 0.6 * h)], steps=6)
    c.poly(almond, '#F6EEE4')
    c.ellipse(x + look * w, y - 0.15, 0.75 * h, 0.8 * h, '#24160F')
    c.line(catmull([(x - w - 0.1, y + 0.15), (x - 0.2 * w, y - h - 0.05), (x + w + 0.1, y - 0.2)],
                   closed=False, steps=6), '#24160F', 0.65)
    bw = {'heavy': 0.95, 'thin': 0.42}.get(r.brows, 0.62) * f.hs
    bc = shade(r.beard_c, 0.8) if sum(rgb(r.beard_c)) < 450 else shade(r.beard_c, 0.75)
    lift = 2.6 if r.brows == 'arched' else 2.2
    c.line(catmull([(x - w - 0.4, y - 1.3), (x - 0.1 * w, y - lift), (x + w + 0.3, y - 1.8)],
                   closed=False, steps=6), bc, bw)
    if r.age == 'old':
        c.line(catmull([(x - 0.8 * w, y + 1.1), (x, y + 1.5), (x + 0.8 * w, y + 1.0)],
                       closed=False, steps=4), shade(r.skin, 0.72), 0.35)


def nose(c, f):
    r = f.r
    skin = rgb(r.skin)
    bulge, reach, drop, _ = NOSES[r.nose]
    if r.pose == 'three':
        top = f.F(0.16, -0.12)
        tip = f.F(reach, drop)
        ridge = bezier(top, f.F(0.22 + bulge, 0.02), f.F(reach + bulge * 0.5, drop - 0.16), tip, 12)
        wing = f.F(0.22, drop + 0.06)
        c.poly(ridge + [f.F(reach - 0.12, drop + 0.08), wing, f.F(0.08, drop - 0.08)],
               shade(skin, 0.94))
        c.line(ridge[4:] + [f.F(reach - 0.12, drop + 0.09)], shade(skin, 0.5), 0.38)
        c.line(ridge[:5], shade(skin, 0.72), 0.32)
        c.line([f.F(reach - 0.18, drop + 0.1), wing], shade(skin, 0.6), 0.4)
        if r.nose in ('hooked', 'big'):
            c.ellipse(*f.F(reach - 0.22, drop + 0.02), 0.55, 0.4, shade(skin, 0.62))
            c.line(ridge[3:], shade(skin, 0.45), 0.5)
    elif r.pose == 'front':
        c.line(bezier(f.F(0.1, -0.08), f.F(0.14, 0.1), f.F(0.16, 0.2), f.F(0.13, drop - 0.02), 8),
               shade(skin, 0.7), 0.4)
        c.line(catmull(f.Fs([(-0.2, drop - 0.02), (-0.1, drop + 0.06), (0.0, drop + 0.03),
                             (0.1, drop + 0.06), (0.2, drop - 0.02)]), closed=False, steps=4),
               INK, 0.4)
        if r.nose in ('hooked', 'big'):
            c.ellipse(*f.F(0.0, drop - 0.04), 0.6, 0.45, shade(skin, 0.86))
    else:
        c.ellipse(*f.F(0.8, 0.34), 0.5, 0.35, shade(skin, 0.7))


def features(c, f):
    r = f.r
    skin = rgb(r.skin)
    for u, v, w, look in POSES[r.pose]['eyes']:
        x, y = f.F(u, v)
        eye(c, f, x, y, w * f.hs, look)
    nose(c, f)
    mu, mv, mw = POSES[r.pose]['mouth']
    x, y = f.F(mu, mv)
    c.ellipse(x, y, mw * f.hs, 0.62 * f.hs, '#B04A48')
    c.line([(x - mw * f.hs, y), (x + mw * f.hs, y - 0.1)], '#5A2420', 0.3)
    if r.age == 'old' and r.pose != 'profile':
        u0 = -0.15 if r.pose == 'three' else -0.3
        c.line(catmull(f.Fs([(u0, 0.22), (u0 - 0.1, 0.42), (u0 - 0.05, 0.6)]), closed=False,
                       steps=4), shade(skin, 0.75), 0.35)
    if r.age == 'young':
        u0 = {'three': -0.45, 'front': -0.5, 'profile': 0.35}[r.pose]
        c.ellipse(*f.F(u0, 0.3), 1.6, 1.1, mix(skin, '#E09080', 0.35))
        if r.pose == 'front':
            c.ellipse(*f.F(-u0, 0.3), 1.6, 1.1, mix(skin, '#E09080', 0.35))


def beard(c, f):
    r = f.r
    pose = POSES[r.pose]
    if r.beard == 'none':
        return
    col = rgb(r.beard_c)
    if r.beard == 'down':
        col = mix(col, r.skin, 0.45)
    pts = f.Fs(pose['beard_top'] + pose['beards'][r.beard])
    shape = catmull(pts, steps=6)
    c.poly(shape, col)
    light = sum(col) > 450
    strand = shade(col, 0.78 if light else 1.35)

    def strands(t):
        us = (-0.1, 0.15, 0.4, 0.65, 0.9) if r.pose == 'profile' else (-0.75, -0.45, -0.15, 0.15,
                                                                        0.45, 0.72)
        for u in us:
            top = f.F(u, 0.7 + 0.1 * abs(u))
            bottom = f.F(u * 0.8 + 0.05, 2.2)
            t.line(bezier(top, (top[0], top[1] + 3), (bottom[0], bottom[1] - 5), bottom, 10),
                   strand, 0.4)
    if r.beard != 'down':
        clipped(c, shape, strands)
        c.line(shape + [shape[0]], shade(col, 0.62 if light else 0.75), 0.35)
    for side in pose['sideburns']:
        c.poly(catmull(f.Fs(side), steps=4), col)
    # Lips sit on top of the beard again.
    mu, mv, mw = pose['mouth']
    x, y = f.F(mu, mv)
    c.ellipse(x, y + 0.1, mw * 0.94 * f.hs, 0.6 * f.hs, '#A84442')


def moustache(c, f):
    r = f.r
    if r.mous == 'none':
        return
    col = rgb(r.beard_c)
    if r.beard in ('none', 'down') and r.mous == 'thin':
        col = mix(col, r.skin, 0.25)
    for wing in POSES[r.pose]['moustaches'][r.mous]:
        shape = catmull(f.Fs(wing), steps=5)
        c.poly(shape, col)
        c.line(shape + [shape[0]], shade(col, 0.7), 0.25)


# ----------------------------------------------------------------- headgear

def folds(c, f, shape, lines, col, width=0.45):
    def draw(t):
        for pts in lines:
            t.line(catmull(f.Ts(pts), closed=False, steps=6), col, width)
    clipped(c, shape, draw)


def diagonal_folds(t0, t1, h, n, sweep=8.0):
    """Wrapping lines that climb across a turban from back to front."""
    out = []
    for i in range(n):
        y = 2 - (h + 6) * (i + 0.5) / n
        out.append([(t0 - 2, y + sweep * 0.6), ((t0 + t1) / 2, y), (t1 + 2, y - sweep * 0.6)])
    return out


def cloth_turban(c, f, body_pts, nfolds, sweep, cap=None, cap_first=True):
    r = f.r
    cloth = rgb(r.hat_c)
    edge = shade(cloth, 0.55)
    if cap and cap_first:
        c.poly(catmull(f.Ts(cap), steps=6), r.cap_c, outline=shade(r.cap_c, 0.6), width=0.35)
    shape = catmull(f.Ts(body_pts), steps=6)
    c.poly(shape, cloth)
    xs = [u for u, _ in body_pts]
    ys = [v for _, v in body_pts]
    h = -min(ys)
    fold = mix(cloth, '#C09030', 0.6) if 'gilt' in r.extras else shade(cloth, 0.8)
    folds(c, f, shape, diagonal_folds(min(xs), max(xs), h, nfolds, sweep), fold, 0.5)
    # A bluish shadow on the back of the cloth keeps the white from going flat.
    clipped(c, shape, lambda t: t.ellipse(*f.T(min(xs) - 3, -h * 0.45), 6 * f.k, h * 0.8 * f.k,
                                          mix(cloth, '#9AA4B8', 0.25)))
    c.line(shape + [shape[0]], edge, 0.4)
    if cap and not cap_first:
        c.poly(catmull(f.Ts(cap), steps=6), r.cap_c, outline=shade(r.cap_c, 0.6), width=0.35)
    return shape


def hat_back(c, f):
    """Parts of the headgear that hang behind the head."""
    r = f.r
    if r.hat == 'bork':
        flap = f.Ts([(-6, -25), (-11, -18), (-15.5, -6), (-16, 7), (-12, 8), (-10.5, -4), (-7, -14)])
        c.poly(catmull(flap, steps=5), shade(r.hat_c, 0.9), outline=shade(r.hat_c, 0.55), width=0.4)


def hat(c, f):
    r = f.r
    h = r.hat
    if h == 'bork':
        felt = rgb(r.hat_c)
        body = catmull(f.Ts([(-8.5, -2), (-9.2, -14), (-8.2, -24), (-4.5, -29.5), (1, -30),
                             (5.2, -27.5), (8.2, -21), (8.8, -12), (8.6, -2)]), steps=6)
        c.poly(body, felt)
        clipped(c, body, lambda t: [t.line(catmull(f.Ts([(x, -2), (x * 0.95, -15), (x * 0.6, -27)]),
                                                   closed=False), shade(felt, 0.85), 0.4)
                                    for x in (-4, 1.5, 6)])
        c.line(body + [body[0]], shade(felt, 0.55), 0.4)
        c.poly(catmull(f.Ts([(3.0, -8), (2.6, -13), (4.4, -17), (6.2, -13), (5.8, -8)]), steps=4),
               GOLD, outline=GOLD_DARK, width=0.35)
        cloth_turban(c, f, [(-12, 2.2), (-12.8, -2.5), (-10, -5.6), (0, -6.6), (10, -5.6),
                            (12.8, -2.5), (12, 2.2), (0, 3.4)], 3, 3)
    elif h == 'horasani':
        cap = [(-6.2, -7), (-6, -16), (-3.6, -23.5), (0, -27), (3.6, -23.5), (6, -16), (6.2, -7)]
        cshape = catmull(f.Ts(cap), steps=6)
        c.poly(cshape, r.cap_c)
        folds(c, f, cshape, [[(x, -6), (x * 0.75, -16), (x * 0.3, -26)] for x in (-3.5, 0, 3.5)],
              shade(r.cap_c, 0.7), 0.45)
        c.line(cshape + [cshape[0]], shade(r.cap_c, 0.55), 0.35)
        cloth_turban(c, f, [(-13, 1.8), (-14.5, -3.5), (-12.5, -9.5), (-6, -12.2), (0, -12.8),
                            (6, -12.2), (12.5, -9.5), (14.5, -3.5), (13, 1.8), (0, 3.2)], 4, 5)
    elif h == 'tall':
        cloth_turban(c, f, [(-12, 2), (-13.2, -7), (-12.6, -15), (-9.5, -19.5), (0, -21),
                            (9.5, -19.5), (12.6, -15), (13.2, -7), (12, 2), (0, 3.2)], 6, 7,
                     cap=[(-5.5, -17), (-5, -21.5), (0, -23.5), (5, -21.5), (5.5, -17)])
    elif h == 'mucevveze':
        cloth_turban(c, f, [(-13, 1.8), (-14.8, -6), (-13.4, -13.5), (-8.5, -18), (0, -19),
                            (8.5, -18), (13.4, -13.5), (14.8, -6), (13, 1.8), (0, 3.2)], 6, 8,
                     cap=[(-4.6, -15), (-3.4, -22.5), (0, -25.5), (3.4, -22.5), (4.6, -15)])
        x, y = f.T(0, -25.8)
        c.ellipse(x, y, 0.8, 0.8, shade(r.cap_c, 0.7))
    elif h == 'selimi':
        cloth = rgb(r.hat_c)
        body = [(-11, 2), (-12, -10), (-13, -22.5), (-6, -24.6), (0, -25), (6, -24.6), (13, -22.5),
                (12, -10), (11, 2), (0, 3.2)]
        shape = catmull(f.Ts(body), steps=6)
        c.poly(shape, cloth)
        folds(c, f, shape, [[(-14, y + 3), (0, y), (14, y - 2.5)] for y in range(-1, -25, -3)],
              shade(cloth, 0.8), 0.5)
        clipped(c, shape, lambda t: t.ellipse(*f.T(-13, -11), 5 * f.k, 16 * f.k,
                                              mix(cloth, '#9AA4B8', 0.25)))
        top = ellipse_pts(*f.T(0, -23.2), 12.4 * f.k, 2.4 * f.k)
        c.poly(top, shade(cloth, 0.86))
        c.line(shape + [shape[0]], shade(cloth, 0.55), 0.4)
        c.line(top, shade(cloth, 0.55), 0.35)
    elif h == 'kallavi':
        cloth_turban(c, f, [(-12, 2), (-15, -7), (-15.6, -16), (-13, -24), (-7.5, -29.5), (0, -31),
                            (7.5, -29.5), (13, -24), (15.6, -16), (15, -7), (12, 2), (0, 3.3)], 9, 9,
                     cap=[(-3.2, -29), (-2.6, -32.5), (0, -34), (2.6, -32.5), (3.2, -29)],
                     cap_first=False)
    elif h == 'round':
        cap = [(-6, -15), (-5, -19.5), (0, -21), (5, -19.5), (6, -15)] if r.cap_c else None
        cloth_turban(c, f, [(-14, 1.8), (-16, -5), (-15, -11.5), (-10.5, -16.6), (0, -18.4),
                            (10.5, -16.6), (15, -11.5), (16, -5), (14, 1.8), (0, 3.2)], 6, 10,
                     cap=cap)
    elif h == 'kavuk':
        cloth_turban(c, f, [(-12.4, 2), (-14, -7), (-13.6, -15), (-10, -20.4), (0, -22.2),
                            (10, -20.4), (13.6, -15), (14, -7), (12.4, 2), (0, 3.2)], 8, 11,
                     cap=[(-4.5, -19), (-3.8, -23.2), (0, -24.4), (3.8, -23.2), (4.5, -19)])
    elif h in ('fez', 'fez_tall'):
        tall = h == 'fez_tall'
        top_y, bw, tw = (-18, 9.0, 8.2) if tall else (-12.5, 8.6, 7.6)
        felt = rgb(r.hat_c)
        shape = catmull(f.Ts([(-bw, 1.2), (-tw, top_y), (0, top_y - 0.6), (tw, top_y), (bw, 1.2),
                              (0, 2.2)]), steps=6)
        c.poly(shape, felt)
        clipped(c, shape, lambda t: t.poly(f.Ts([(-bw - 1, 3), (-tw - 1, top_y - 1),
                                                 (-tw + 3.2, top_y - 1), (-bw + 3.4, 3)]),
                                           shade(felt, 0.78)))
        clipped(c, shape, lambda t: t.poly(f.Ts([(bw - 3.6, 3), (tw - 3, top_y - 1),
                                                 (tw - 1.6, top_y - 1), (bw - 1.8, 3)]),
                                           shade(felt, 1.18)))
        c.line(shape + [shape[0]], shade(felt, 0.5), 0.4)
        top = ellipse_pts(*f.T(0, top_y - 0.2), tw, 1.5 * f.k)
        c.poly(top, shade(felt, 0.7))
        # The tassel falls over the back of the crown.
        tassel = '#1E2E6A' if tall else '#1A1A22'
        for k in range(6):
            x0 = -0.5 - 0.6 * k
            c.line(catmull(f.Ts([(0.5, top_y - 0.5), (x0 - 4, top_y - 1.4), (-tw - 0.6, top_y + 1),
                                 (-tw - 1.3 - 0.35 * k, top_y + 7 + 0.4 * k)]), closed=False),
                   shade(tassel, 1.0 + 0.06 * k), 0.45)
    if r.plume:
        plume(c, f)
    elif 'jewel_band' in r.extras:
        x, y = f.T(3.5, -11)
        c.ellipse(x, y, 1.8, 2.3, GOLD, outline=GOLD_DARK, width=0.3)
        c.ellipse(x, y, 1.0, 1.3, '#C8202C')


def plume(c, f):
    r = f.r
    feathers, stone, style = r.plume
    bx, by = f.T(*PLUME_AT[r.hat])
    n = len(feathers)
    for i, col in enumerate(feathers):
        spread = (i - (n - 1) / 2)
        p0 = (bx, by - 1)
        if style == 'tall':      # upright, the tips nodding back
            p3 = (bx - 2.0 + spread * 2.4, by - 19 + abs(spread) * 1.5)
            ctrl = ((bx + 0.6 + spread * 0.5, by - 9), (p3[0] + 1.6, p3[1] + 4.5))
            wmax = 3.0
        elif style == 'fan':     # spread like a fan
            p3 = (bx + spread * 5.0, by - 14.5 + abs(spread) * 1.8)
            ctrl = ((bx + spread * 0.9, by - 6), (p3[0] - spread * 0.7, p3[1] + 3.5))
            wmax = 3.0
        else:                    # 'bent': curving back over the crown
            p3 = (bx - 7.5 + spread * 2.8, by - 13.5 + abs(spread) * 0.8)
            ctrl = ((bx + 0.6 + spread * 0.3, by - 8), (p3[0] + 5.5, p3[1] - 2))
            wmax = 3.2
        curve = bezier(p0, ctrl[0], ctrl[1], p3, 16)
        c.poly(tapered(curve, wmax,
                       lambda t: (math.sin(math.pi * min(1, t * 1.15)) ** 0.6) * (0.4 + 0.6 * t)),
               col, outline=shade(col, 0.5) if sum(rgb(col)) > 400 else shade(col, 2.2),
               width=0.25)
    c.ellipse(bx, by, 1.7, 2.1, GOLD, outline=GOLD_DARK, width=0.3)
    c.ellipse(bx, by, 0.9, 1.2, stone)
    for dy in (-2.6, 2.6):
        c.ellipse(bx, by + dy, 0.55, 0.55, '#F4F0E8')


# -------------------------------------------------------------- held things

def hand_at(f):
    item = f.r.hold
    if item in ('rose', 'tulip'):
        # Raised to the face, as in the well-known portrait of Fatih.
        return f.F(*{'three': (1.25, 1.05), 'profile': (1.45, 1.2), 'front': (1.05, 1.4)}[f.r.pose])
    if item == 'falcon':
        return (f.bx + 14, f.sy + 7)
    return (f.bx + 10.5, f.sy + 11)


def sleeve(c, f, hx, hy):
    r = f.r
    cloth = shade(r.coat_c, 1.12)
    shape = catmull([(hx - 3.4, hy + 1.6), (hx + 3.4, hy + 1.9), (hx + 8, f.H + 4), (hx - 3, f.H + 4)],
                    steps=4)
    c.poly(shape, cloth, outline=shade(r.coat_c, 0.55), width=0.35)
    c.poly([(hx - 3.2, hy + 2.0), (hx + 3.4, hy + 2.3), (hx + 3.6, hy + 3.6), (hx - 3.4, hy + 3.3)],
           r.trim_c)


def fist(c, f, hx, hy, glove=False):
    skin = rgb('#8A5A30' if glove else f.r.skin)
    shape = catmull([(hx - 2.6, hy - 0.2), (hx - 1.8, hy - 2.0), (hx + 0.6, hy - 2.2), (hx + 2.6, hy - 1.0),
                     (hx + 2.8, hy + 1.6), (hx - 2.4, hy + 2.0)], steps=5)
    c.poly(shape, skin, outline=INK, width=0.35)
    for k in range(3):
        c.line([(hx - 1.4 + 1.3 * k, hy - 1.6), (hx - 1.2 + 1.3 * k, hy + 0.2)], shade(skin, 0.7), 0.3)


def held(c, f):
    item = f.r.hold
    if not item:
        return
    hx, hy = hand_at(f)
    sleeve(c, f, hx, hy)
    if item == 'rose':
        fx, fy = hx - 1.7, hy - 7.8
        c.line(catmull([(hx + 0.2, hy - 1), (hx + 0.1, hy - 3.5), (fx + 0.3, fy + 2)], closed=False),
               '#3A7A30', 0.55)
        c.poly(tapered(bezier((hx + 0.1, hy - 3.2), (hx + 2.5, hy - 4.5), (hx + 3.5, hy - 3.5),
                              (hx + 3.9, hy - 2.2), 8), 1.5), '#4A8A38')
        c.ellipse(fx, fy, 2.2, 2.0, '#C42A46', outline='#7A1428', width=0.3)
        c.line(catmull([(fx - 1.0, fy + 0.3), (fx - 0.2, fy - 0.9), (fx + 0.9, fy - 0.2),
                        (fx + 0.2, fy + 0.8), (fx - 0.4, fy + 0.1)], closed=False, steps=4),
               '#8A1A30', 0.3)
    elif item == 'tulip':
        fx, fy = hx - 0.8, hy - 8.5
        c.line(catmull([(hx, hy - 1), (hx - 0.2, hy - 4), (fx, fy + 2)], closed=False), '#3A7A30', 0.5)
        c.poly(tapered(bezier((hx - 0.1, hy - 2.5), (hx - 3, hy - 4), (hx - 3.5, hy - 6),
                              (hx - 3.2, hy - 8), 8), 1.4), '#4A8A38')
        c.poly(catmull([(fx - 1.8, fy - 2.8), (fx - 0.6, fy - 1.2), (fx, fy - 3.4), (fx + 0.6, fy - 1.2),
                        (fx + 1.8, fy - 2.8), (fx + 1.6, fy + 0.6), (fx, fy + 1.8), (fx - 1.6, fy + 0.6)],
                       steps=4), '#D03040', outline='#7A1428', width=0.3)
    elif item == 'book':
        c.poly([(hx - 5, hy - 6), (hx + 2.5, hy - 7), (hx + 3.2, hy + 2), (hx - 4.4, hy + 3)], '#7A2A1E',
               outline='#3A1410', width=0.35)
        c.ellipse(hx - 1.0, hy - 2.2, 1.3, 1.6, GOLD)
    elif item == 'mace':
        top = (hx + 6.5, hy - 17)
        c.line([(hx - 1.5, hy + 5), top], '#5A3A1E', 1.2)
        c.line([(hx - 1.2, hy + 4), (hx + 6.2, hy - 16)], GOLD, 0.35)
        c.ellipse(top[0], top[1], 3.2, 3.2, '#C8C4B8', outline='#4A4640', width=0.4)
        for a in range(4):
            ang = a * math.pi / 4 + 0.3
            c.line([(top[0] - 3.0 * math.cos(ang), top[1] - 3.0 * math.sin(ang)),
                    (top[0] + 3.0 * math.cos(ang), top[1] + 3.0 * math.sin(ang))], '#5A564E', 0.4)
        c.ellipse(top[0], top[1], 1.0, 1.0, GOLD)
    elif item == 'bow':
        bow = catmull([(hx + 1.5, hy - 17), (hx + 4.5, hy - 13), (hx + 3.0, hy - 5), (hx + 3.0, hy + 1),
                       (hx + 3.2, hy + 8), (hx + 5.0, hy + 15), (hx + 2.0, hy + 19)], closed=False)
        c.line([bow[0], bow[-1]], '#F0E8D8', 0.35)
        c.line(bow, '#2A1810', 1.5)
        c.line(bow, '#9A5A22', 0.7)
        for end in (bow[0], bow[-1]):
            c.ellipse(end[0], end[1], 0.8, 0.8, GOLD)
    elif item == 'arrow':
        a, b = (hx - 1.5, hy + 9), (hx + 4.5, hy - 21)
        c.line([a, b], '#3A2A18', 1.1)
        c.line([a, b], '#D8B070', 0.55)
        c.poly([(b[0] + 0.3, b[1] - 2.4), (b[0] - 1.1, b[1] + 0.8), (b[0] + 1.3, b[1] + 1.1)], '#6A6A72')
        for d in (0.5, 2.0):
            y = a[1] - d
            c.poly([(a[0] + 0.1, y - 2.2), (a[0] - 1.6, y - 0.4), (a[0] - 1.3, y + 0.6), (a[0] + 0.3, y - 0.8)],
                   '#C8302C')
            c.poly([(a[0] + 0.3, y - 2.2), (a[0] + 1.9, y - 0.6), (a[0] + 1.7, y + 0.4), (a[0] + 0.4, y - 0.8)],
                   '#C8302C')
    elif item == 'falcon':
        def P(u, v):
            return (hx + 0.5 + 1.35 * u, hy - 1 + 1.35 * (v - 5))
        c.poly(catmull([P(-2.4, -2), P(0.4, -3.6), P(2.8, -1), P(2.4, 3), P(0.8, 7.5), P(-1.2, 7.5),
                        P(-2.6, 3)], steps=5), '#7A6A58', outline='#3A3028', width=0.3)
        for k in range(5):
            c.line([P(-1.6 + 0.8 * k, 0.5 + 0.3 * k), P(-1.0 + 0.8 * k, 1.6 + 0.3 * k)], '#E8E0D0', 0.4)
        x, y = P(0.6, -4.6)
        c.ellipse(x, y, 2.8, 2.6, '#6A5A4A', outline='#3A3028', width=0.3)
        c.poly([P(2.5, -5.0), P(3.9, -4.2), P(2.6, -3.6)], '#E0B040')
        x, y = P(1.3, -5.0)
        c.ellipse(x, y, 0.55, 0.55, '#101010')
    fist(c, f, hx, hy, glove=item == 'falcon')
    if item == 'kerchief':
        c.poly(catmull([(hx - 1.5, hy + 1.2), (hx + 1.8, hy + 1.2), (hx + 3.2, hy + 7.4), (hx + 0.8, hy + 9.0),
                        (hx - 1.6, hy + 8.2), (hx - 2.4, hy + 4.5)], steps=4), '#F2EEE6',
               outline='#A8A49A', width=0.3)
        c.line([(hx + 0.2, hy + 2), (hx + 0.6, hy + 8)], '#C8C4BA', 0.3)
    elif item == 'beads':
        for k in range(14):
            a = math.pi / 2 + 2 * math.pi * k / 14
            c.ellipse(hx + 1.6 * math.cos(a), hy + 5 + 3.2 * math.sin(a) - 0.5, 0.5, 0.5, '#3A6A4A')
        c.line([(hx, hy + 8.2), (hx + 0.2, hy + 10.5)], '#C8A040', 0.6)


# ---------------------------------------------------------------------- output

def paint(r):
    f = Figure(r)
    c = Canvas(f.W, f.H, S, r.bg)
    background(c, f)
    hat_back(c, f)
    if r.coat in ('kaftan', 'fur'):
        kaftan(c, f)
    elif r.coat == 'frock':
        frock(c, f)
    elif r.coat == 'cape':
        cape(c, f)
    neck(c, f)
    face(c, f)
    ears(c, f)
    features(c, f)
    beard(c, f)
    moustache(c, f)
    hat(c, f)
    held(c, f)
    img = c.img
    if r.facing == 'l':
        img = ImageOps.mirror(img)
    # Frame after mirroring so its shading stays put.
    fc = Canvas(f.W, f.H, S, r.bg)
    fc.img = img
    fc.d = ImageDraw.Draw(img)
    frame(fc, f)
    small = img.reduce(S)
    small = small.filter(ImageFilter.UnsharpMask(radius=0.6, percent=40, threshold=2))
    return small


def to_gif(img):
    return img.quantize(colors=256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)


def main(argv):
    root = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
    out = os.path.join(root, 'src', 'content', 'rulers', 'portraits')
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
        if only and r.n not in only:
            continue
        img = paint(r)
        assert img.size == r.portrait, (r.stem, img.size)
        to_gif(img).save(os.path.join(out, file_name(r) + '.gif'), optimize=False)
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
