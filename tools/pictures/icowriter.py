"""Writes ICO files whose images are uncompressed bitmaps of given bit depths."""
import struct

from PIL import Image


def _row_bytes(bits, width):
    return ((bits * width + 31) // 32) * 4


def _bitmap(img, bits):
    """One icon image: BITMAPINFOHEADER, palette, XOR bitmap, AND mask."""
    img = img.convert('RGBA')
    w, h = img.size
    alpha = img.getchannel('A')
    palette = b''
    if bits in (1, 4, 8):
        colours = 1 << bits
        quant = img.convert('RGB').quantize(colors=colours, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
        pal = quant.getpalette()[:colours * 3]
        pal += [0] * (colours * 3 - len(pal))
        for i in range(colours):
            r, g, b = pal[3 * i:3 * i + 3]
            palette += bytes((b, g, r, 0))
        px = quant.load()
    else:
        px = img.load()
    xor = bytearray()
    stride = _row_bytes(bits, w)
    for y in range(h - 1, -1, -1):
        row = bytearray()
        if bits == 32:
            for x in range(w):
                r, g, b, a = px[x, y]
                row += bytes((b, g, r, a))
        elif bits == 24:
            for x in range(w):
                r, g, b, _ = px[x, y]
                row += bytes((b, g, r))
        else:
            acc, n = 0, 0
            for x in range(w):
                acc = (acc << bits) | px[x, y]
                n += bits
                if n == 8:
                    row.append(acc)
                    acc, n = 0, 0
            if n:
                row.append(acc << (8 - n))
        row += b'\0' * (stride - len(row))
        xor += row
    mask = bytearray()
    mstride = _row_bytes(1, w)
    ap = alpha.load()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        acc, n = 0, 0
        for x in range(w):
            acc = (acc << 1) | (1 if ap[x, y] < 128 else 0)
            n += 1
            if n == 8:
                row.append(acc)
                acc, n = 0, 0
        if n:
            row.append(acc << (8 - n))
        row += b'\0' * (mstride - len(row))
        mask += row
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                         (1 << bits) if bits <= 8 else 0, 0)
    return header + palette + bytes(xor) + bytes(mask)


def write_ico(path, images):
    """images: list of (PIL image, bits per pixel), in the order they are stored."""
    blobs = [_bitmap(img, bits) for img, bits in images]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (img, bits), blob in zip(images, blobs):
        w, h = img.size
        colours = (1 << bits) if bits < 8 else 0
        out += struct.pack('<BBBBHHII', w if w < 256 else 0, h if h < 256 else 0, colours, 0, 1, bits,
                           len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(out + b''.join(blobs))
