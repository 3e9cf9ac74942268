#!/usr/bin/python3
"""Checks the ruler pictures against what the screens expect and draws
contact sheets to look at.

For every portrait: a GIF with exactly one image, the tile's pixel size and
no transparent colour. For every tughra: a baseline JPEG of the listed size.
The file structure is read byte by byte, not through an image library, so a
library that silently tolerates a fault cannot hide it.

Usage: check.py [--sheets DIR]     (exit status 1 on any fault)
"""
import os
import struct
import sys

sys.dont_write_bytecode = True  # keep the source folder free of caches

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from rulers import RULERS, file_name  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), '..', '..', '..'))
PORTRAITS = os.path.join(ROOT, 'src', 'content', 'rulers', 'portraits')
TUGHRAS = os.path.join(ROOT, 'src', 'content', 'rulers', 'tughras')


def gif_facts(data):
    """(width, height, image count, has transparency) from a GIF's blocks."""
    if data[:6] not in (b'GIF87a', b'GIF89a'):
        raise ValueError('not a GIF')
    w, h, packed = struct.unpack('<HHB', data[6:11])
    pos = 13
    if packed & 0x80:
        pos += 3 << ((packed & 7) + 1)
    images, transparent = 0, False
    while True:
        tag = data[pos]
        if tag == 0x3B:
            break
        if tag == 0x21:
            label = data[pos + 1]
            pos += 2
            if label == 0xF9 and data[pos + 1] & 1:
                transparent = True
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
        elif tag == 0x2C:
            images += 1
            ipacked = data[pos + 9]
            pos += 10
            if ipacked & 0x80:
                pos += 3 << ((ipacked & 7) + 1)
            pos += 1  # LZW minimum code size
            while data[pos]:
                pos += data[pos] + 1
            pos += 1
        else:
            raise ValueError(f'unknown block 0x{tag:02x} at {pos}')
    return w, h, images, transparent


def jpeg_facts(data):
    """(width, height, frame type) from a JPEG's start-of-frame marker."""
    if data[:2] != b'\xff\xd8':
        raise ValueError('not a JPEG')
    pos = 2
    while pos < len(data):
        if data[pos] != 0xFF:
            raise ValueError(f'lost marker sync at {pos}')
        marker = data[pos + 1]
        length = struct.unpack('>H', data[pos + 2:pos + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            h, w = struct.unpack('>HH', data[pos + 5:pos + 9])
            return w, h, marker - 0xC0
        pos += 2 + length
    raise ValueError('no frame header')


def check():
    faults = []
    for r in RULERS:
        path = os.path.join(PORTRAITS, file_name(r) + '.gif')
        try:
            w, h, images, transparent = gif_facts(open(path, 'rb').read())
            if (w, h) != r.portrait:
                faults.append(f'{path}: {w}x{h}, want {r.portrait[0]}x{r.portrait[1]}')
            if images != 1:
                faults.append(f'{path}: {images} images')
            if transparent:
                faults.append(f'{path}: has a transparent colour')
        except (OSError, ValueError, IndexError) as e:
            faults.append(f'{path}: {e}')
        path = os.path.join(TUGHRAS, file_name(r) + '.jpg')
        if r.tughra is None:
            if os.path.exists(path):
                faults.append(f'{path}: this ruler has no tughra')
            continue
        try:
            w, h, kind = jpeg_facts(open(path, 'rb').read())
            if (w, h) != r.tughra:
                faults.append(f'{path}: {w}x{h}, want {r.tughra[0]}x{r.tughra[1]}')
            if kind != 0:
                faults.append(f'{path}: not baseline (SOF{kind})')
        except (OSError, ValueError, IndexError) as e:
            faults.append(f'{path}: {e}')
    return faults


def sheets(out):
    from PIL import Image, ImageDraw
    os.makedirs(out, exist_ok=True)
    # The gallery at its own size, then four times larger to judge details.
    for zoom, name in ((1, 'portraits-1x.png'), (4, 'portraits-4x.png')):
        cw, ch = 80 * zoom, 100 * zoom
        sheet = Image.new('RGB', (cw * 8, ch * 5), (255, 255, 255))
        d = ImageDraw.Draw(sheet)
        for r in RULERS:
            i = r.n - 1
            row, col = (i // 8, i % 8) if i < 32 else (4, i - 32 + 2)
            img = Image.open(os.path.join(PORTRAITS, file_name(r) + '.gif')).convert('RGB')
            img = img.resize((img.width * zoom, img.height * zoom), Image.NEAREST)
            sheet.paste(img, (col * cw + 8 * zoom, row * ch + 2 * zoom))
            d.text((col * cw + 8 * zoom, row * ch + 82 * zoom), f'{r.n} {r.stem}', fill=(0, 0, 0))
        sheet.save(os.path.join(out, name))
    cw, ch = 240, 180
    sheet = Image.new('RGB', (cw * 6, ch * 6), (200, 200, 200))
    d = ImageDraw.Draw(sheet)
    for r in RULERS:
        path = os.path.join(TUGHRAS, file_name(r) + '.jpg')
        if r.tughra is None or not os.path.exists(path):
            continue
        i = r.n - 2
        img = Image.open(path).convert('RGB')
        x, y = (i % 6) * cw + 4, (i // 6) * ch + 4
        sheet.paste(img, (x, y))
        d.text((x, y + img.height + 2), f'{r.n} {r.stem}', fill=(0, 0, 0))
    sheet.save(os.path.join(out, 'tughras.png'))


def main(argv):
    if '--sheets' in argv:
        sheets(argv[argv.index('--sheets') + 1])
    faults = check()
    for f in faults:
        print(f)
    print('ok' if not faults else f'{len(faults)} faults')
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
