# Renders the six line drawings to pure 1-bit BMPs and converts them to page files: pictures.py OUTPUT_ROOT BMP2COL TMP
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import ART_DIR, regions, render_svg_grey, write  # noqa: E402

OUT, BMP2COL, TMP = sys.argv[1], sys.argv[2], sys.argv[3]
W, H = 660, 460
PAGES = ['bones', 'duck', 'parrots', 'pig', 'spider', 'buy_me']
# Pockets smaller than this are slivers where lines meet at a sharp angle: a child could never hit them,
# so they become part of the outline.
MIN_REGION = 20


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
        label, sizes = regions(blank, W, H)
        tiny = {i for i, s in enumerate(sizes) if s < MIN_REGION}
        if tiny:
            for y in range(H):
                for x in range(W):
                    if label[y][x] in tiny:
                        blank[y][x] = 0
        kept = sorted(s for s in sizes if s >= MIN_REGION)
        print('%-8s %3d regions, smallest %d, %d slivers closed' % (name, len(kept), kept[0], len(tiny)))
        bmp = os.path.join(TMP, name + '.bmp')
        write(bmp, mono_bmp(blank))
        os.makedirs(os.path.join(OUT, 'data'), exist_ok=True)
        subprocess.run([BMP2COL, bmp, os.path.join(OUT, 'data', name + '.col')], check=True)


main()
