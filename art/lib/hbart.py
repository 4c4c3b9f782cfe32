# Shared helpers of the art generators: pixel canvases, pixel fonts, exact BMP/ICO/CUR/WAV/PNG/MIDI writers.
import os
import struct
import subprocess
import zlib

# The standard 16-colour palette, in the order the 4-bit bitmaps store it.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
(BLACK, DKRED, DKGREEN, OLIVE, NAVY, PURPLE, TEAL, LTGREY,
 DKGREY, RED, GREEN, YELLOW, BLUE, MAGENTA, CYAN, WHITE) = range(16)

ART_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Canvas:
    """A grid of palette indices, (0, 0) top-left."""

    def __init__(self, w, h, fill=0):
        self.w, self.h = w, h
        self.px = [[fill] * w for _ in range(h)]

    def get(self, x, y):
        return self.px[y][x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1 + 1)):
            row = self.px[y]
            for x in range(max(0, x0), min(self.w, x1 + 1)):
                row[x] = c

    def blit(self, mask, ox, oy, c):
        """Sets colour c wherever the 0/1 mask (list of rows) is 1, with its top-left at (ox, oy)."""
        for y, row in enumerate(mask):
            for x, v in enumerate(row):
                if v:
                    self.set(ox + x, oy + y, c)


# ---- pixel fonts ----

def load_font(name):
    """Reads a pixel-art font: 'glyph C' lines (or 'glyph space') followed by rows of '#' and '.'.
    The first 'height N' line gives the cap height; rows beyond it hang below the baseline."""
    glyphs, height, current = {}, None, None
    with open(os.path.join(ART_DIR, 'fonts', name), encoding='ascii') as f:
        for line in f:
            line = line.rstrip('\n')
            if not line or line.startswith(';'):
                continue
            if line.startswith('height '):
                height = int(line.split()[1])
            elif line.startswith('glyph '):
                key = line[6:]
                key = ' ' if key == 'space' else key
                current = glyphs.setdefault(key, [])
            else:
                current.append([1 if ch == '#' else 0 for ch in line])
    return height, glyphs


def text_mask(font, text, spacing=1, bold=False):
    """Lays out text on one line; returns (mask rows, width). bold smears every glyph one pixel right."""
    height, glyphs = font
    rows = max(len(glyphs[ch]) for ch in text)
    total = sum(len(glyphs[ch][0]) + (1 if bold else 0) for ch in text) + spacing * (len(text) - 1)
    mask = [[0] * total for _ in range(rows)]
    x = 0
    for ch in text:
        g = glyphs[ch]
        gw = len(g[0])
        for y, row in enumerate(g):
            for gx, v in enumerate(row):
                if v:
                    mask[y][x + gx] = 1
                    if bold:
                        mask[y][x + gx + 1] = 1
        x += gw + (1 if bold else 0) + spacing
    return mask, total


# ---- file writers ----

def _info_header(w, h, bits, image_bytes, colours):
    return struct.pack('<IiiHHIIiiII', 40, w, h, 1, bits, 0, image_bytes, 2835, 2835, colours, 0)


def bmp_bytes(canvas, bits=4, palette=PALETTE16):
    """An uncompressed bottom-up DIB file with a 40-byte info header."""
    w, h = canvas.w, canvas.h
    row_bytes = (w * bits + 31) // 32 * 4
    data = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(row_bytes)
        src = canvas.px[y]
        for x in range(w):
            v = src[x]
            if bits == 4:
                row[x >> 1] |= v << (4 if x % 2 == 0 else 0)
            elif bits == 1:
                if v:
                    row[x >> 3] |= 0x80 >> (x & 7)
            else:
                raise ValueError(bits)
        data += row
    pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in palette)
    off = 14 + 40 + len(pal)
    head = struct.pack('<2sIHHI', b'BM', off + len(data), 0, 0, off)
    return head + _info_header(w, h, bits, len(data), len(palette)) + pal + bytes(data)


def icon_bytes(canvas, transparent, bits, palette, hotspot=None):
    """A one-image ICO (hotspot None) or CUR file. Pixels equal to transparent are masked out (index 0 in the
    colour plane, so they show what lies beneath)."""
    w, h = canvas.w, canvas.h
    xor = Canvas(w, h)
    andm = Canvas(w, h)
    for y in range(h):
        for x in range(w):
            v = canvas.get(x, y)
            if v == transparent:
                andm.set(x, y, 1)
            else:
                xor.set(x, y, v)
    xor_bmp = bmp_bytes(xor, bits, palette)
    and_bmp = bmp_bytes(andm, 1, [(0, 0, 0), (255, 255, 255)])
    pal_bytes = 4 * len(palette)
    xor_part = xor_bmp[14 + 40:]                  # palette and pixels
    and_part = and_bmp[14 + 40 + 8:]              # pixels only
    info = struct.pack('<IiiHHIIiiII', 40, w, 2 * h, 1, bits, 0, len(xor_part) - pal_bytes + len(and_part), 0, 0, 0, 0)
    image = info + xor_part + and_part
    if hotspot is None:
        kind, f1, f2, ncol = 1, 1, bits, (len(palette) if bits < 8 else 0)
    else:
        kind, (f1, f2), ncol = 2, hotspot, (len(palette) if bits < 8 else 0)
    head = struct.pack('<HHH', 0, kind, 1)
    entry = struct.pack('<BBBBHHII', w & 0xFF, h & 0xFF, ncol & 0xFF, 0, f1, f2, len(image), 6 + 16)
    return head + entry + image


def wav_bytes(samples, rate=22050):
    """A mono 16-bit PCM RIFF WAVE file from integer samples."""
    data = struct.pack('<%dh' % len(samples), *samples)
    fmt = struct.pack('<HHIIHH', 1, 1, rate, rate * 2, 2, 16)
    body = b'WAVE' + b'fmt ' + struct.pack('<I', len(fmt)) + fmt + b'data' + struct.pack('<I', len(data)) + data
    return b'RIFF' + struct.pack('<I', len(body)) + body


def png_bytes(rgb_rows, w, h):
    """An 8-bit RGB PNG from rows of (r, g, b) tuples; no time or text chunks, so it is byte-stable."""
    def chunk(kind, payload):
        crc = zlib.crc32(kind + payload) & 0xFFFFFFFF
        return struct.pack('>I', len(payload)) + kind + payload + struct.pack('>I', crc)
    raw = bytearray()
    for row in rgb_rows:
        raw.append(0)
        for (r, g, b) in row:
            raw += bytes((r, g, b))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(bytes(raw), 9)) + chunk(b'IEND', b''))


def varlen(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def midi_bytes(events, division, end_tick):
    """A format-0 standard MIDI file from (tick, order, message bytes) events; order breaks ties so that
    note-offs come before note-ons at the same tick. The end of track sits at end_tick."""
    track = bytearray()
    last = 0
    for tick, _, msg in sorted(events, key=lambda e: (e[0], e[1])):
        track += varlen(tick - last) + msg
        last = tick
    assert end_tick >= last
    track += varlen(end_tick - last) + b'\xff\x2f\x00'
    return b'MThd' + struct.pack('>IHHH', 6, 0, 1, division) + b'MTrk' + struct.pack('>I', len(track)) + bytes(track)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'wb') as f:
        f.write(data)


# ---- raster input ----

def render_svg_grey(svg_path, w, h, tmp_dir):
    """Renders an SVG with rsvg-convert onto white and returns rows of 8-bit grey levels."""
    png = os.path.join(tmp_dir, os.path.basename(svg_path) + '.png')
    subprocess.run(['/usr/bin/rsvg-convert', '-w', str(w), '-h', str(h), '-b', 'white', '-o', png, svg_path],
                   check=True)
    raw = subprocess.run(['/usr/bin/convert', png, '-colorspace', 'Gray', '-depth', '8', 'gray:-'],
                         check=True, capture_output=True).stdout
    assert len(raw) == w * h, (svg_path, len(raw))
    return [list(raw[y * w:(y + 1) * w]) for y in range(h)]


def regions(mask_rows, w, h):
    """4-connected regions of the non-zero cells; returns (label grid, list of sizes)."""
    label = [[-1] * w for _ in range(h)]
    sizes = []
    for sy in range(h):
        for sx in range(w):
            if mask_rows[sy][sx] and label[sy][sx] < 0:
                n = len(sizes)
                label[sy][sx] = n
                stack = [(sx, sy)]
                count = 0
                while stack:
                    x, y = stack.pop()
                    count += 1
                    for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                        if 0 <= nx < w and 0 <= ny < h and mask_rows[ny][nx] and label[ny][nx] < 0:
                            label[ny][nx] = n
                            stack.append((nx, ny))
                sizes.append(count)
    return label, sizes
