# Renders the six line drawings to pure 1-bit BMPs, converts them to page files and mends their leaks and
# tiny regions: pictures.py OUTPUT_ROOT BMP2COL PAGECHECK TMP
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import ART_DIR, render_svg_grey, write  # noqa: E402

OUT, BMP2COL, PAGECHECK, TMP = sys.argv[1:5]
W, H = 660, 460
PAGES = ['bones', 'duck', 'parrots', 'pig', 'spider', 'buy_me']


def mono_bmp(blank):
    """A 1-bit BMP as the page converter wants it: 40-byte info header, black and white entries, pixels at 62,
    rows bottom-up and padded to 32 bits; a set bit is blank."""
    row_bytes = (W + 31) // 32 * 4
    data = bytearray()
    for y in range(H - 1, -1, -1):
        row = bytearray(row_bytes)
        for x in range(W):
            if blank[y][x]:
                row[x >> 3] |= 0x80 >> (x & 7)
        data += row
    head = struct.pack('<2sIHHI', b'BM', 62 + len(data), 0, 0, 62)
    info = struct.pack('<IiiHHIIiiII', 40, W, H, 1, 1, 0, len(data), 2835, 2835, 2, 2)
    return head + info + b'\x00\x00\x00\x00\xff\xff\xff\x00' + bytes(data)


def main():
    for name in PAGES:
        grey = render_svg_grey(os.path.join(ART_DIR, 'pictures', name + '.svg'), W, H, TMP)
        blank = [[1 if v >= 128 else 0 for v in row] for row in grey]
        bmp = os.path.join(TMP, name + '.bmp')
        write(bmp, mono_bmp(blank))
        os.makedirs(os.path.join(OUT, 'data'), exist_ok=True)
        page = os.path.join(OUT, 'data', name + '.col')
        subprocess.run([BMP2COL, bmp, page], check=True)
        # Slivers where lines meet at a sharp angle are too small for a child to hit, and a gap of one or
        # two pixels lets a fill run into the next area: the Page Maker's own check finds both, closes the
        # gaps and fills the slivers with line, so every shipped picture passes it.
        subprocess.run([PAGECHECK, '--mend', page], check=True)


main()
