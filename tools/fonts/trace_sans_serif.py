#!/usr/bin/python3
"""Makes sans_serif_pixels.ttf, the outline twin of Wine's bitmap "MS Sans Serif".

The bundled MS Sans Serif (Debian package fonts-wine) has bitmaps only. Qt
draws them at their own size whatever the display's scale factor, while it
spaces the letters by the scaled advances: at a factor of 2 the menu bar
reads ". . : : H a k k ı n d a". This outline font is the 8 pt strike traced
pixel for pixel: every pixel becomes a square of the outline, merged into one
contour per connected shape, and every advance is the strike's. Drawn at the
11-pixel size the screens ask for, it covers exactly the bitmap's pixels; at
any other scale it is the same letters enlarged, so captions keep their widths
and line breaks, and the menu bar's four items keep fitting its width.

The strike's line metrics (ascent 11, descent 2) and its ligatures come along.

Needs python3-fonttools. Run: /usr/bin/python3 tools/fonts/trace_sans_serif.py
"""
import os

from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont
from fontTools.ttLib.scaleUpem import scale_upem

SOURCE = '/usr/share/wine/fonts/ms_sans_serif.ttf'
TARGET = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'content', 'fonts', 'sans_serif_pixels.ttf')
FAMILY = 'Sans Serif Pixels'

STRIKE_PPEM = 13  # the 8 pt strike: 13 pixels from ascent to descent
EM_PIXELS = 11    # its em, the pixel size of 8.25 pt at 96 pixels per inch
UNIT = 128        # font units per pixel


def strike(font, ppem):
    for index, s in enumerate(font['EBLC'].strikes):
        if s.bitmapSizeTable.ppemY == ppem:
            return s, font['EBDT'].strikeData[index]
    raise SystemExit(f'no {ppem}-pixel strike in {SOURCE}')


def glyph_metrics(location, bitmaps):
    """Each glyph's metrics: its own (format 2) or its index table's (format 5)."""
    out = {}
    for sub in location.indexSubTables:
        for name in sub.names:
            bitmap = bitmaps[name]
            out[name] = bitmap.metrics if getattr(bitmap, 'metrics', None) is not None else sub.metrics
    return out


def pixels(bitmap, metrics):
    """The set of inked (column, row) pairs, row 0 at the top. Bit-aligned data."""
    data = bitmap.imageData
    width, height = metrics.width, metrics.height
    ink = set()
    for row in range(height):
        for col in range(width):
            bit = row * width + col
            if data[bit >> 3] & (0x80 >> (bit & 7)):
                ink.add((col, row))
    return ink


def contours(ink):
    """Outline loops of the union of the pixel squares, clockwise with y up.

    Every square contributes its four edges; edges shared by two inked
    squares cancel, the rest chain into closed loops. Points are lattice
    corners (x right, y down); a corner where two loops touch diagonally is
    left by the turn that keeps the ink on the same side.
    """
    edges = {}
    for (x, y) in ink:
        # Clockwise on screen (y down) is counter-clockwise with y up; the
        # loops are reversed at the end.
        for a, b in (((x, y), (x + 1, y)), ((x + 1, y), (x + 1, y + 1)),
                     ((x + 1, y + 1), (x, y + 1)), ((x, y + 1), (x, y))):
            if (b, a) in edges:
                del edges[(b, a)]
            else:
                edges[(a, b)] = True
    outgoing = {}
    for a, b in edges:
        outgoing.setdefault(a, []).append(b)
    loops = []
    while outgoing:
        start = next(iter(outgoing))
        loop = [start]
        prev, cur = None, start
        while True:
            choices = outgoing[cur]
            if len(choices) == 1 or prev is None:
                nxt = choices[0]
            else:
                # Two loops meet at this corner: turn right (on screen) to
                # stay on this loop's ink.
                dx, dy = cur[0] - prev[0], cur[1] - prev[1]
                right = (cur[0] - dy, cur[1] + dx)
                nxt = right if right in choices else choices[0]
            choices.remove(nxt)
            if not choices:
                del outgoing[cur]
            prev, cur = cur, nxt
            if cur == start:
                break
            loop.append(cur)
        loops.append(simplify(loop))
    return loops


def simplify(loop):
    """Drops the points in the middle of straight runs."""
    out = []
    n = len(loop)
    for i, p in enumerate(loop):
        a, c = loop[i - 1], loop[(i + 1) % n]
        if (p[0] - a[0]) * (c[1] - p[1]) != (p[1] - a[1]) * (c[0] - p[0]):
            out.append(p)
    return out


def main():
    font = TTFont(SOURCE, recalcTimestamp=False)
    location, bitmaps = strike(font, STRIKE_PPEM)
    metrics = glyph_metrics(location, bitmaps)

    scale_upem(font, EM_PIXELS * UNIT)
    glyf, hmtx = font['glyf'], font['hmtx']
    ascent = location.bitmapSizeTable.hori.ascender
    descent = -location.bitmapSizeTable.hori.descender
    for name in font.getGlyphOrder():
        pen = TTGlyphPen(None)
        advance = 0
        if name in metrics:
            m = metrics[name]
            advance = m.horiAdvance if hasattr(m, 'horiAdvance') else m.Advance
            left = m.horiBearingX if hasattr(m, 'horiBearingX') else m.BearingX
            top = m.horiBearingY if hasattr(m, 'horiBearingY') else m.BearingY
            for loop in contours(pixels(bitmaps[name], m)):
                # Lattice corner (x, y) of the bitmap box to font units, y up.
                points = [((left + x) * UNIT, (top - y) * UNIT) for x, y in reversed(loop)]
                pen.moveTo(points[0])
                for p in points[1:]:
                    pen.lineTo(p)
                pen.closePath()
        glyph = pen.glyph()
        glyph.recalcBounds(glyf)
        glyf[name] = glyph
        hmtx[name] = (advance * UNIT, glyph.xMin if glyph.numberOfContours else 0)

    for table in ('EBDT', 'EBLC', 'EBSC', 'hdmx', 'LTSH', 'VDMX'):
        if table in font:
            del font[table]

    hhea, os2 = font['hhea'], font['OS/2']
    hhea.ascent, hhea.descent, hhea.lineGap = ascent * UNIT, -descent * UNIT, 0
    os2.sTypoAscender, os2.sTypoDescender, os2.sTypoLineGap = ascent * UNIT, -descent * UNIT, 0
    os2.usWinAscent, os2.usWinDescent = ascent * UNIT, descent * UNIT
    for record in font['name'].names:
        if record.nameID in (1, 16):
            record.string = FAMILY
        elif record.nameID in (2, 17):
            record.string = 'Regular'
        elif record.nameID == 4:
            record.string = FAMILY
        elif record.nameID == 6:
            record.string = FAMILY.replace(' ', '')
        elif record.nameID == 3:
            record.string = FAMILY + ' traced from the 8 pt strike'
    font['head'].flags |= 1 << 3  # integer scaling: positions stay on whole pixels
    font['maxp'].recalc(font)
    font.save(TARGET)


if __name__ == '__main__':
    main()
