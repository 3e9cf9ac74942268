#!/usr/bin/python3
"""Writes the program's icon in the icon theme's sizes, from the main screen's icon.

usage: make_icons.py ICO OUTDIR  ->  OUTDIR/<n>x<n>/apps/yelvanis.png
"""
import sys
from pathlib import Path

from PIL import Image

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def main(ico: str, out: str) -> None:
    with Image.open(ico) as im:
        # The largest picture of the file; smaller ones are made from it.
        im.size = max(im.ico.sizes())
        source = im.convert("RGBA")
    side = max(source.size)
    for n in SIZES:
        if n >= side:
            # Never enlarge: a bigger size gets the picture centred on clear ground.
            picture = Image.new("RGBA", (n, n), (0, 0, 0, 0))
            picture.paste(source, ((n - source.width) // 2, (n - source.height) // 2))
        else:
            picture = source.resize((n, n), Image.LANCZOS)
        target = Path(out) / f"{n}x{n}" / "apps" / "yelvanis.png"
        target.parent.mkdir(parents=True, exist_ok=True)
        picture.save(target, optimize=True)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    main(sys.argv[1], sys.argv[2])
