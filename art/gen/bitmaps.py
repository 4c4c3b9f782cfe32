# Draws the screen's bitmaps, the edit cursor, the window icon and the Page Maker's icon: bitmaps.py OUTPUT_ROOT
import math
import os
import random
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'lib'))
from hbart import (ART_DIR, BLACK, BLUE, DKGREEN, DKGREY, DKRED, GREEN, LTGREY, MAGENTA, NAVY, OLIVE,  # noqa: E402
                   PALETTE16, RED, WHITE, YELLOW, CYAN, Canvas, bmp_bytes, icon_bytes, load_font, regions,
                   render_svg_grey, text_mask, write)

OUT = sys.argv[1]
SMALL = load_font('small.txt')
BOLD = load_font('bold.txt')
TITLE = load_font('title.txt')

TITLES = ['BUY ME', 'AIRPLANE', 'ALPHABET', 'ANT', 'ART', 'BALL', 'BASKET', 'BEETLE', 'BELLS', 'BLOCKS', 'BONES',
          'BUTTERFLY', 'CAKE', 'CANDLES', 'CANDY', 'CHRISTMAS', 'CLOCK', 'COLLIES', 'DESIGN', 'DISKS', 'DOGS',
          'DUCK', 'EGG', 'FLOWERS', 'FOOTBALL', 'FROG', 'GUM', 'JACK-O-LANTERN', 'LADYBUG', 'LINES', 'MAILBOXES',
          'MAP', 'NUMBERS', 'PAINT', 'PARROTS', 'PIG', 'PLANE', 'PTERODACTYL', 'PUMPKIN', 'SHARKS', 'SNOW',
          'SPIDER', 'STAR', 'TANK', 'TIC-TAC-TOE', 'TOOLS', 'TREE', 'TRICERATOPS', 'UMBRELLA', 'WHALE', 'YARD']

# The colour discs the program paints over the colour buttons: (first row, [(row count, first x, last x), ...]).
SMALL_DISC = (12, [(1, 19, 25), (1, 17, 27), (1, 16, 28), (1, 15, 29), (1, 14, 30), (2, 13, 31), (7, 12, 32),
                   (2, 13, 31), (1, 14, 30), (1, 15, 29), (1, 16, 28), (1, 17, 27), (1, 19, 25)])
LARGE_DISC = (3, [(1, 18, 26), (1, 15, 29), (1, 13, 31), (1, 11, 33), (1, 10, 34), (1, 9, 35), (1, 8, 36),
                  (1, 7, 37), (2, 6, 38), (2, 5, 39), (3, 4, 40), (9, 3, 41), (3, 4, 40), (2, 5, 39), (2, 6, 38),
                  (1, 7, 37), (1, 8, 36), (1, 9, 35), (1, 10, 34), (1, 11, 33), (1, 13, 31), (1, 15, 29),
                  (1, 18, 26)])


def disc_pixels(disc):
    y, runs = disc
    out = set()
    for count, x0, x1 in runs:
        for _ in range(count):
            out.update((x, y) for x in range(x0, x1 + 1))
            y += 1
    return out


def save_bmp(name, canvas, bits=4, palette=PALETTE16):
    write(os.path.join(OUT, 'resources', 'bitmaps', name + '.bmp'), bmp_bytes(canvas, bits, palette))


# ---- shapes as signed distances (negative inside), sampled at pixel centres ----

def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        dx, dy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(dx, 0), max(dy, 0))
        return outside + min(max(dx, dy), 0) - r
    return sdf


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def layers(w, h, sdf):
    """How deep each pixel lies inside the shape in whole pixels (8-connected), -1 outside."""
    inside = [[sdf(x + 0.5, y + 0.5) <= 0 for x in range(w)] for y in range(h)]
    depth = [[-1] * w for _ in range(h)]
    frontier = []
    for y in range(h):
        for x in range(w):
            if inside[y][x]:
                edge = x in (0, w - 1) or y in (0, h - 1) or any(
                    not inside[y + dy][x + dx] for dx in (-1, 0, 1) for dy in (-1, 0, 1))
                if edge:
                    depth[y][x] = 0
                    frontier.append((x, y))
    d = 0
    while frontier:
        nxt = []
        for x, y in frontier:
            for dx in (-1, 0, 1):
                for dy in (-1, 0, 1):
                    nx, ny = x + dx, y + dy
                    if 0 <= nx < w and 0 <= ny < h and inside[ny][nx] and depth[ny][nx] < 0:
                        depth[ny][nx] = d + 1
                        nxt.append((nx, ny))
        frontier, d = nxt, d + 1
    return depth


def facing_light(sdf, x, y):
    """True where the shape's edge nearest this pixel faces up or left, towards the light."""
    e = 0.5
    gx = sdf(x + 0.5 + e, y + 0.5) - sdf(x + 0.5 - e, y + 0.5)
    gy = sdf(x + 0.5, y + 0.5 + e) - sdf(x + 0.5, y + 0.5 - e)
    s = gx + gy
    if abs(s) < 1e-9:
        return gy < 0
    return s < 0


def raised(w, h, sdf, pressed, bevel=2, face=LTGREY):
    """A light-grey button shape with a black rim and a bevel, on the panel's light grey."""
    c = Canvas(w, h, LTGREY)
    depth = layers(w, h, sdf)
    for y in range(h):
        for x in range(w):
            d = depth[y][x]
            if d < 0:
                continue
            if d == 0:
                c.set(x, y, BLACK)
            elif d <= bevel:
                lit = facing_light(sdf, x, y)
                c.set(x, y, (WHITE if lit else DKGREY) if not pressed else (DKGREY if lit else WHITE))
            else:
                c.set(x, y, face)
    return c


def command_face(w, h, label, pressed):
    c = raised(w, h, rounded_rect(0, 0, w, h, 10), pressed)
    mask, tw = text_mask(BOLD, label, spacing=2)
    ox, oy = (w - tw) // 2, (h - BOLD[0]) // 2
    shift = 2 if pressed else 0
    c.blit(mask, ox + shift, oy + shift, BLACK)
    return c


def arrow_face(w, h, up, pressed):
    c = raised(w, h, circle(w / 2, h / 2, h / 2), pressed)
    shift = 2 if pressed else 0
    # An isosceles triangle 19 wide and 10 high, its point up or down, centred on the button.
    cx, cy = w // 2, h // 2
    for i in range(10):
        half = i if up else 9 - i
        y = cy - 5 + i
        for x in range(cx - half, cx + half + 1):
            c.set(x + shift, y + shift, BLACK)
    return c


def dot_pattern():
    c = Canvas(8, 8, YELLOW)
    for y in range(0, 7):
        c.set(4, y, BLACK)
    for x in range(1, 8):
        c.set(x, 3, BLACK)
    return c


def title_area():
    c = Canvas(148, 45, LTGREY)
    sdf = rounded_rect(0, 0, 148, 45, 12)
    depth = layers(148, 45, sdf)
    for y in range(45):
        for x in range(148):
            d = depth[y][x]
            if d >= 0:
                c.set(x, y, BLACK if d < 2 else WHITE)
    return c


def colour_button(pressed):
    c = Canvas(45, 45, LTGREY)
    if not pressed:
        c = raised(45, 45, circle(22.5, 22.5, 22.5), False)
        disc = disc_pixels(SMALL_DISC)
    else:
        disc = disc_pixels(LARGE_DISC)
    # The disc plus a one-pixel black rim, so that the painted colour always sits in a black outline.
    for (x, y) in disc:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                c.set(x + dx, y + dy, BLACK)
    return c


def titles():
    c = Canvas(140, 510, 1)
    for row, text in enumerate(TITLES):
        mask, tw = text_mask(TITLE, text)
        ox = (140 - tw) // 2
        for y, r in enumerate(mask):
            for x, v in enumerate(r):
                if v:
                    c.set(ox + x, row * 10 + 1 + y, 0)
    return c


def intro_screen():
    """The name in red, blue and yellow letters, outlined and shadowed, among scattered coloured dots."""
    c = Canvas(320, 200, WHITE)
    with tempfile.TemporaryDirectory() as tmp:
        grey = render_svg_grey(os.path.join(ART_DIR, 'bitmaps', 'intro_title.svg'), 320, 200, tmp)
    ink = [[1 if v < 128 else 0 for v in row] for row in grey]
    label, sizes = regions(ink, 320, 200)
    # Letters in reading order (the i-dot-free name has one piece per letter), coloured in turn.
    first_x = {}
    for y in range(200):
        for x in range(320):
            if label[y][x] >= 0:
                first_x[label[y][x]] = min(first_x.get(label[y][x], 999), x)
    order = sorted(first_x, key=first_x.get)
    colour_of = {piece: (RED, BLUE, YELLOW)[i % 3] for i, piece in enumerate(order)}

    def near_ink(x, y, reach):
        return any(0 <= x + dx < 320 and 0 <= y + dy < 200 and ink[y + dy][x + dx]
                   for dx in range(-reach, reach + 1) for dy in range(-reach, reach + 1))

    # A 2-pixel outline outside the letters, 1 pixel inside their holes so that the holes stay open.
    paper, _ = regions([[1 - v for v in row] for row in ink], 320, 200)
    outside = paper[0][0]
    outline = [[bool(not ink[y][x] and near_ink(x, y, 2 if paper[y][x] == outside else 1)) for x in range(320)]
               for y in range(200)]
    for y in range(200):
        for x in range(320):
            sx, sy = x - 3, y - 3
            if 0 <= sx < 320 and 0 <= sy < 200 and (ink[sy][sx] or outline[sy][sx]):
                c.set(x, y, LTGREY)
    for y in range(200):
        for x in range(320):
            if outline[y][x]:
                c.set(x, y, BLACK)
            elif ink[y][x]:
                c.set(x, y, colour_of[label[y][x]])
    # Dots on a jittered grid, wherever they keep clear of the name and its shadow (fixed seed: the same dots
    # every build).
    rng = random.Random(2026)
    dots = []
    for gy in range(7):
        for gx in range(10):
            r = rng.choice((2, 3, 3, 4))
            x, y = 16 + gx * 32 + rng.randint(-9, 9), 14 + gy * 29 + rng.randint(-8, 8)
            if not near_ink(x, y, r + 9):
                dots.append((x, y, r))
    palette = (RED, BLUE, YELLOW, GREEN, MAGENTA, CYAN)
    for i, (x, y, r) in enumerate(dots):
        for dy in range(-r, r + 1):
            for dx in range(-r, r + 1):
                if dx * dx + dy * dy <= r * r + r:
                    c.set(x + dx, y + dy, palette[i % len(palette)])
    return c


def copyright():
    c = Canvas(320, 50, WHITE)
    lines = ['Hueberry version 2.1', 'Copyright (c) 2026 The Hueberry Team', 'Made for little artists everywhere']
    for i, text in enumerate(lines):
        mask, tw = text_mask(SMALL, text)
        c.blit(mask, (320 - tw) // 2, 5 + 15 * i, BLACK)
    return c


def cursor():
    """A paintbrush lying on the diagonal, its black bristles ending in the top-left pixel."""
    CLEAR = 2
    c = Canvas(32, 32, CLEAR)
    root2 = math.sqrt(2)

    def half_width(t):
        if t < 9:
            return 0.6 + t * 0.3
        if t < 13:
            return 3.3
        if t < 40:
            return 2.4
        return -1

    inside = [[False] * 32 for _ in range(32)]
    for y in range(32):
        for x in range(32):
            t = (x + y + 1) / root2
            s = (x - y) / root2
            inside[y][x] = abs(s) <= half_width(t) and t < 41
    for y in range(32):
        for x in range(32):
            if not inside[y][x]:
                continue
            t = (x + y + 1) / root2
            edge = any(not (0 <= x + dx < 32 and 0 <= y + dy < 32 and inside[y + dy][x + dx])
                       for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
            if t < 9.2 or edge or 12.4 < t < 13.2:
                c.set(x, y, 0)
            else:
                c.set(x, y, 1)
    c.set(0, 0, 0)
    return c, CLEAR


def icon():
    CLEAR = 16
    c = Canvas(32, 32, CLEAR)
    crayons = [(BLUE, NAVY, 1), (RED, DKRED, 3), (YELLOW, OLIVE, 0), (GREEN, DKGREEN, 2)]
    for i, (body, dark, top) in enumerate(crayons):
        x0 = i * 8
        # The sharpened point widens two pixels every other row down to the full crayon.
        for k in range(7):
            y = top + k
            half = min(3, k // 2)
            for x in range(x0 + 3 - half, x0 + 3 + half + 1):
                c.set(x, y, body)
            if half < 3:
                c.set(x0 + 2 - half, y, BLACK)
                c.set(x0 + 4 + half, y, BLACK)
        c.set(x0 + 3, top - 1, BLACK)
        c.rect(x0, top + 7, x0 + 6, 31, body)
        c.rect(x0, top + 6, x0, 31, BLACK)
        c.rect(x0 + 6, top + 6, x0 + 6, 31, BLACK)
        c.rect(x0, 31, x0 + 6, 31, BLACK)
        for band in (top + 10, top + 11, 27, 28):
            c.rect(x0 + 1, band, x0 + 5, band, dark)
        c.rect(x0 + 2, top + 13, x0 + 2, 25, WHITE)
    return c, CLEAR


def page_maker_icon():
    """A sheet with an outlined shape, half coloured in, under a red magnifying glass: a page being checked."""
    CLEAR = 16
    c = Canvas(32, 32, CLEAR)
    c.rect(1, 0, 22, 29, BLACK)
    c.rect(2, 1, 21, 28, WHITE)
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - 11.5, y + 0.5 - 12)
            if 2 <= x <= 21 and 1 <= y <= 28 and d < 8:
                c.set(x, y, BLACK if d > 6.6 or x in (11, 12) else (YELLOW if x < 11 else WHITE))
    for y in range(32):
        for x in range(32):
            d = math.hypot(x + 0.5 - 21, y + 0.5 - 21)
            if d <= 6.5:
                c.set(x, y, RED if d > 4.5 else (CYAN if d <= 4.5 and x + y < 41 else WHITE))
    for k in range(6):
        c.rect(25 + k, 25 + k, 26 + k, 26 + k, DKGREY)
    return c, CLEAR


def main():
    save_bmp('DotPattern', dot_pattern())
    save_bmp('TitleArea', title_area())
    save_bmp('Titles', titles(), 1, [(0, 0, 0), (255, 255, 255)])
    for name, w, label in (('Quit', 96, 'QUIT'), ('Print', 79, 'PRINT'), ('Clear', 79, 'CLEAR'), ('Info', 96, 'INFO')):
        save_bmp(name + 'Btn', command_face(w, 45, label, False))
        save_bmp(name + 'BtnDn', command_face(w, 45, label, True))
    for name, up in (('Up', True), ('Down', False)):
        save_bmp(name + 'Btn', arrow_face(53, 45, up, False))
        save_bmp(name + 'BtnDn', arrow_face(53, 45, up, True))
    save_bmp('ColorBtn', colour_button(False))
    save_bmp('ColorBtnDn', colour_button(True))
    save_bmp('IntroScr', intro_screen())
    save_bmp('CopyRight', copyright())
    cur, clear = cursor()
    write(os.path.join(OUT, 'resources', 'EditCursor.cur'),
          icon_bytes(cur, clear, 1, [(0, 0, 0), (255, 255, 255)], hotspot=(0, 0)))
    ico, clear = icon()
    write(os.path.join(OUT, 'resources', 'HueberryIcon.ico'), icon_bytes(ico, clear, 4, PALETTE16))
    ico, clear = page_maker_icon()
    write(os.path.join(OUT, 'resources', 'PageMakerIcon.ico'), icon_bytes(ico, clear, 4, PALETTE16))


main()
