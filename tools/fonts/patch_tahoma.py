#!/usr/bin/python3
"""Makes the bundled Tahoma files from Wine's (Debian package fonts-wine).

Two faults of those files show in Turkish text, and both are mended here:
- the capital dotted I is a bare stem flush left in a wide box, while the
  plain capital I has serifs: "TARİHİ" reads "TARİ Hİ". The dotted I becomes
  the plain I with the dot centred over it.
- the fonts ask to be measured by their typographic ascender, which is lower
  than the accents of capitals (Ü, Ğ, İ), so a line set at its top loses them.
  The flag goes; the line is then measured by the ascender the desktop these
  fonts stand in for uses, which holds the accents.
- the hand-made bitmaps for small sizes lose the dots and accents of
  capitals; without them every size is drawn from the outlines.
- the bold outlines are hardly heavier than the regular ones. The bold file
  becomes the regular style of a family of its own, "Tahoma Heavy", which the
  program asks for in bold: the renderer then emboldens the wide bold letters,
  and the text looks like the bold the layouts were made with.

Needs python3-fonttools. Run: /usr/bin/python3 tools/fonts/patch_tahoma.py
"""
import os

from fontTools.ttLib import TTFont
from fontTools.pens.recordingPen import DecomposingRecordingPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.pens.transformPen import TransformPen

SOURCE = '/usr/share/wine/fonts'
TARGET = os.path.join(os.path.dirname(__file__), '..', '..', 'src', 'content', 'fonts')


def contours(glyph_set, name):
    pen = DecomposingRecordingPen(glyph_set)
    glyph_set[name].draw(pen)
    # Split the recording into closed contours.
    out, cur = [], []
    for op, args in pen.value:
        cur.append((op, args))
        if op in ('closePath', 'endPath'):
            out.append(cur)
            cur = []
    return out


def bounds(contour):
    xs = [p[0] for op, args in contour for p in args]
    ys = [p[1] for op, args in contour for p in args]
    return min(xs), max(xs), min(ys), max(ys)


def replay(pen, contour):
    for op, args in contour:
        getattr(pen, op)(*args)


def patch(name, heavy):
    font = TTFont(os.path.join(SOURCE, name))
    glyph_set = font.getGlyphSet()
    cmap = font.getBestCmap()
    plain, dotted = cmap[ord('I')], cmap[0x130]
    dotted_contours = contours(glyph_set, dotted)
    # The dot is the contour that starts highest.
    dot = max(dotted_contours, key=lambda c: bounds(c)[2])
    px0, px1, _, _ = bounds([p for c in contours(glyph_set, plain) for p in c])
    dx0, dx1, _, _ = bounds(dot)
    shift = (px0 + px1) / 2 - (dx0 + dx1) / 2

    pen = TTGlyphPen(glyph_set)
    for c in contours(glyph_set, plain):
        replay(pen, c)
    replay(TransformPen(pen, (1, 0, 0, 1, round(shift), 0)), dot)
    font['glyf'][dotted] = pen.glyph()
    font['hmtx'][dotted] = font['hmtx'][plain]

    for table in ('EBDT', 'EBLC', 'EBSC', 'BDF '):
        if table in font:
            del font[table]

    os2 = font['OS/2']
    os2.fsSelection &= ~(1 << 7)  # no USE_TYPO_METRICS
    if heavy:
        os2.usWeightClass = 400
        os2.fsSelection = (os2.fsSelection & ~0x21) | 0x40  # regular, not bold or italic
        font['head'].macStyle &= ~1
        for record in font['name'].names:
            if record.nameID in (1, 4, 16):
                record.string = 'Tahoma Heavy'
            elif record.nameID in (2, 17):
                record.string = 'Regular'
            elif record.nameID == 6:
                record.string = 'TahomaHeavy'
    font.save(os.path.join(TARGET, name))


if __name__ == '__main__':
    patch('tahoma.ttf', heavy=False)
    patch('tahomabd.ttf', heavy=True)
