# Draws the contact sheets docs/art/bitmaps.png and pictures.png from the generated files: contact.py OUTPUT_ROOT
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import load_font, png_bytes, text_mask, write  # noqa: E402

OUT = sys.argv[1]
SMALL = load_font('small.txt')
BITMAPS = ['DotPattern', 'TitleArea', 'QuitBtn', 'QuitBtnDn', 'PrintBtn', 'PrintBtnDn', 'ClearBtn', 'ClearBtnDn',
           'InfoBtn', 'InfoBtnDn', 'UpBtn', 'UpBtnDn', 'DownBtn', 'DownBtnDn', 'ColorBtn', 'ColorBtnDn',
           'IntroScr', 'CopyRight', 'Titles']
PAGES = ['bones', 'duck', 'parrots', 'pig', 'spider', 'buy_me']
SHEET_BG = (96, 112, 128)


def read_dib(data, offset_to_info):
    """Top-down rows of RGB from a 1- or 4-bit bottom-up DIB."""
    size, w, h, _, bits = struct.unpack_from('<IiiHH', data, offset_to_info)
    colours = 1 << bits
    pal_at = offset_to_info + size
    pal = [tuple(reversed(data[pal_at + 4 * i:pal_at + 4 * i + 3])) for i in range(colours)]
    pixels_at = struct.unpack_from('<I', data, 10)[0]
    row_bytes = (w * bits + 31) // 32 * 4
    rows = []
    for y in range(h):
        src = data[pixels_at + (h - 1 - y) * row_bytes:]
        row = []
        for x in range(w):
            if bits == 4:
                v = (src[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15
            else:
                v = (src[x >> 3] >> (7 - (x & 7))) & 1
            row.append(pal[v])
        rows.append(row)
    return rows


class Sheet:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[SHEET_BG] * w for _ in range(h)]

    def paste(self, rows, ox, oy, scale):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                for dy in range(scale):
                    line = self.px[oy + y * scale + dy]
                    for dx in range(scale):
                        line[ox + x * scale + dx] = c

    def label(self, text, ox, oy):
        mask, _ = text_mask(SMALL, text)
        for y, row in enumerate(mask):
            for x, v in enumerate(row):
                if v:
                    self.px[oy + y][ox + x] = (255, 255, 255)

    def png(self):
        return png_bytes(self.px, self.w, self.h)


def read_icon(data):
    """The image of a one-image ICO or CUR file, transparent pixels as the sheet's background."""
    at = struct.unpack_from('<I', data, 18)[0]
    size, w, h2, _, bits = struct.unpack_from('<IiiHH', data, at)
    h = h2 // 2
    pal_at = at + size
    pal = [tuple(reversed(data[pal_at + 4 * i:pal_at + 4 * i + 3])) for i in range(1 << bits)]
    xor_at = pal_at + 4 * len(pal)
    xor_row = (w * bits + 31) // 32 * 4
    and_at, and_row = xor_at + xor_row * h, (w + 31) // 32 * 4
    rows = []
    for y in range(h):
        src, mask = data[xor_at + (h - 1 - y) * xor_row:], data[and_at + (h - 1 - y) * and_row:]
        row = []
        for x in range(w):
            v = (src[x >> 1] >> (4 if x % 2 == 0 else 0)) & 15 if bits == 4 else (src[x >> 3] >> (7 - (x & 7))) & 1
            row.append(SHEET_BG if (mask[x >> 3] >> (7 - (x & 7))) & 1 else pal[v])
        rows.append(row)
    return rows


def bitmap_sheet():
    items = []
    for name in ('EditCursor.cur', 'HueberryIcon.ico'):
        with open(os.path.join(OUT, 'resources', name), 'rb') as f:
            items.append((name, read_icon(f.read()), 4))
    for name in BITMAPS:
        with open(os.path.join(OUT, 'resources', 'bitmaps', name + '.bmp'), 'rb') as f:
            rows = read_dib(f.read(), 14)
        scale = 2 if len(rows[0]) > 100 else 4
        items.append((name, rows, scale))
    # Shelf layout: left to right, a new shelf when the next item would pass the sheet's width.
    width, gap = 1000, 16
    placed, x, y, shelf = [], gap, gap, 0
    for name, rows, scale in items:
        w, h = max(len(rows[0]) * scale, text_mask(SMALL, name)[1]), len(rows) * scale + 12
        if x + w + gap > width:
            x, y, shelf = gap, y + shelf + gap, 0
        placed.append((name, rows, scale, x, y))
        x += w + gap
        shelf = max(shelf, h)
    sheet = Sheet(width, y + shelf + gap)
    for name, rows, scale, x, y in placed:
        sheet.label(name, x, y)
        sheet.paste(rows, x, y + 12, scale)
    return sheet.png()


def picture_sheet():
    # Each page at half size; a pixel is black when any of the four it stands for is, so lines stay visible.
    pw, ph, gap = 330, 230, 16
    sheet = Sheet(3 * pw + 4 * gap, 2 * (ph + 12) + 3 * gap)
    for i, name in enumerate(PAGES):
        with open(os.path.join(OUT, 'data', name + '.col'), 'rb') as f:
            full = read_dib(f.read(), 14)
        rows = [[(0, 0, 0) if (0, 0, 0) in (full[2 * y][2 * x], full[2 * y][2 * x + 1], full[2 * y + 1][2 * x],
                                           full[2 * y + 1][2 * x + 1]) else (255, 255, 255)
                 for x in range(pw)] for y in range(ph)]
        x, y = gap + (i % 3) * (pw + gap), gap + (i // 3) * (ph + 12 + gap)
        sheet.label(name + '.col', x, y)
        sheet.paste(rows, x, y + 12, 1)
    return sheet.png()


write(os.path.join(OUT, 'docs', 'art', 'bitmaps.png'), bitmap_sheet())
write(os.path.join(OUT, 'docs', 'art', 'pictures.png'), picture_sheet())
