#!/usr/bin/env python3
"""Generates Ovane's pixel art: board cells, piece icons, cursors, program icon.

Every picture is drawn here from code so that the XPM/XBM files under
resources/ can be regenerated at any time and stay identical (no randomness).
Only the Python 3 standard library is used.

    python3 tools/art/make_art.py            # writes into resources/
    python3 tools/art/make_art.py --out DIR  # writes into DIR instead

Pictures use the 16-colour VGA palette only.  Pixmaps are XPM3 (C syntax),
cursors are X11 XBM bitmap + mask pairs, 32x32, hot spot at (16, 16).
"""

import argparse
import math
import os

# --------------------------------------------------------------------------
# Palette: one character per colour, '.' is the transparent pixel.
# --------------------------------------------------------------------------
PALETTE = {
    'k': '#000000',  # black
    'm': '#800000',  # dark red
    'g': '#008000',  # dark green
    'o': '#808000',  # olive
    'n': '#000080',  # dark blue
    'p': '#800080',  # purple
    't': '#008080',  # teal
    's': '#C0C0C0',  # silver (light grey)
    'd': '#808080',  # dark grey
    'R': '#FF0000',  # bright red
    'G': '#00FF00',  # bright green
    'Y': '#FFFF00',  # yellow
    'B': '#0000FF',  # bright blue
    'M': '#FF00FF',  # magenta
    'C': '#00FFFF',  # cyan
    'W': '#FFFFFF',  # white
    '.': 'None',     # transparent
}

# Order in which colours are listed in the XPM header (stable diffs).
PALETTE_ORDER = '.kWsdBnCRmYgoptGM'


class Canvas:
    """A grid of palette characters."""

    def __init__(self, w, h, fill='.'):
        self.w = w
        self.h = h
        self.px = [[fill] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def get(self, x, y):
        return self.px[y][x]

    def plot(self, pixels, c):
        for (x, y) in pixels:
            self.set(x, y, c)


# --------------------------------------------------------------------------
# Geometry helpers
# --------------------------------------------------------------------------
# Hand-tuned circle profiles: half-widths of the rows from the top row down
# to the middle.  Each one gives a disc that is symmetric about its
# diagonals, with staircase runs that shrink steadily towards 45 degrees,
# which a plain distance test does not guarantee at these sizes.
# Even diameters are centred between pixels, odd ones on a pixel (for those
# the half-width excludes the centre column).
CIRCLES = {
    30: [4, 7, 9, 10, 11, 12, 13, 13, 14, 14, 14, 15, 15, 15, 15],
    18: [3, 5, 6, 7, 8, 8, 9, 9, 9],
    29: [3, 6, 8, 9, 10, 11, 12, 12, 13, 13, 13, 14, 14, 14, 14],
    14: [2, 4, 5, 6, 6, 7, 7],
    10: [2, 3, 4, 5, 5],
    9: [1, 3, 3, 4, 4],
    7: [1, 2, 3, 3],
    6: [2, 3, 3],
    13: [2, 4, 5, 5, 6, 6, 6],
    12: [2, 4, 5, 5, 6, 6],
    11: [2, 3, 4, 5, 5, 5],
}


def disc(diameter, x0, y0):
    """Pixels of a disc whose bounding box starts at (x0, y0)."""
    hw = CIRCLES[diameter]
    out = set()
    if diameter % 2:
        rows = hw + hw[-2::-1]
        c = len(hw) - 1
        for y, h in enumerate(rows):
            out.update((x0 + x, y0 + y) for x in range(c - h, c + h + 1))
    else:
        rows = hw + hw[::-1]
        c = len(hw)
        for y, h in enumerate(rows):
            out.update((x0 + x, y0 + y) for x in range(c - h, c + h))
    assert len(rows) == diameter
    assert out == {(y - y0 + x0, x - x0 + y0) for (x, y) in out}, diameter
    return out


def edge(pixels):
    """Pixels of the set that touch (4-neighbourhood) a pixel outside it."""
    out = set()
    for (x, y) in pixels:
        for (dx, dy) in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            if (x + dx, y + dy) not in pixels:
                out.add((x, y))
                break
    return out


def halo(pixels, diagonal=True):
    """Pixels around the set (not in it), 8- or 4-neighbourhood."""
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    out = set()
    for (x, y) in pixels:
        for (dx, dy) in steps:
            q = (x + dx, y + dy)
            if q not in pixels:
                out.add(q)
    return out


def shifted(pixels, dx, dy):
    return {(x + dx, y + dy) for (x, y) in pixels}


def line(x0, y0, x1, y1):
    """Bresenham line, both ends included."""
    pts = []
    dx = abs(x1 - x0)
    dy = -abs(y1 - y0)
    sx = 1 if x0 < x1 else -1
    sy = 1 if y0 < y1 else -1
    err = dx + dy
    while True:
        pts.append((x0, y0))
        if x0 == x1 and y0 == y1:
            break
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy
    return set(pts)


def rows_to_set(rows, x0, y0, ink='#'):
    return {(x0 + i, y0 + j)
            for j, row in enumerate(rows)
            for i, ch in enumerate(row) if ch == ink}


# --------------------------------------------------------------------------
# Board cell backgrounds (40x40, opaque)
# --------------------------------------------------------------------------
CELL = 40


def checker(a, b):
    cv = Canvas(CELL, CELL)
    for y in range(CELL):
        for x in range(CELL):
            cv.set(x, y, a if (x + y) % 2 == 0 else b)
    return cv


# Diagonal waves: bands running from lower left to upper right, gently
# undulating.  Colour ramp bright -> dark -> grey -> dark, so that the
# stripes read as rolling crests.  The pattern repeats every 40 pixels
# across and down, the size of a cell, so the three goal cells join
# seamlessly.
WAVE_PERIOD = 20          # band cycle, in units of x+y
WAVE_LENGTH = 40          # period of the undulation along x-y
WAVE_AMPLITUDE = 3.5
WAVE_RAMP = [(0, 'hi'), (7, 'mid'), (10, 'lo'), (17, 'mid')]  # start of band


def waves(bright, dark, grey, zoom=1.0):
    """The goal mouth pattern; zoom < 1 draws it finer (for the program icon)."""
    names = {'hi': bright, 'mid': dark, 'lo': grey}
    cv = Canvas(CELL, CELL)
    for y in range(CELL):
        for x in range(CELL):
            u = (x + y) / zoom + WAVE_AMPLITUDE * math.sin(
                2 * math.pi * (x - y) / (WAVE_LENGTH * zoom))
            pos = math.floor(u) % WAVE_PERIOD
            band = WAVE_RAMP[0][1]
            for start, name in WAVE_RAMP:
                if pos >= start:
                    band = name
            cv.set(x, y, names[band])
    return cv


# --------------------------------------------------------------------------
# Pieces (32x32, transparent around the disc)
# --------------------------------------------------------------------------
ICON = 32


def shaded_disc(cv, diameter, x0, y0, body, light, shade, outline='k',
                light_shift=2, shade_shift=3):
    """A flat round piece lit from the upper left: a light crescent on the
    upper-left rim, a dark crescent on the lower-right rim, black outline."""
    full = disc(diameter, x0, y0)
    ring = edge(full)
    inner = full - ring
    cv.plot(inner, body)
    cv.plot(inner - shifted(inner, light_shift, light_shift), light)
    cv.plot(inner - shifted(inner, -shade_shift, -shade_shift), shade)
    cv.plot(ring, outline)
    return full


def piece(body, light, shade):
    cv = Canvas(ICON, ICON)
    shaded_disc(cv, 30, 1, 1, body, light, shade)
    return cv


GLYPH_D = [
    "######..",
    "#######.",
    "##...###",
    "##....##",
    "##....##",
    "##....##",
    "##....##",
    "##...###",
    "#######.",
    "######..",
]


def moved_marker():
    """Small white badge with a black D, laid over a pawn that has moved."""
    cv = Canvas(ICON, ICON)
    full = disc(18, 7, 7)
    cv.plot(full, 'W')
    cv.plot(edge(full), 'k')
    cv.plot(rows_to_set(GLYPH_D, 12, 11), 'k')
    return cv


# --------------------------------------------------------------------------
# Cursors (32x32 monochrome: 'k' black, 'W' white, '.' transparent)
# --------------------------------------------------------------------------
GLYPH_QUESTION = [
    "..#####..",
    ".#######.",
    "###...###",
    "##.....##",
    ".......##",
    "......###",
    ".....###.",
    "....###..",
    "....##...",
    "....##...",
    ".........",
    "....##...",
    "....##...",
]

GLYPH_1 = [
    "..##",
    ".###",
    "####",
    "..##",
    "..##",
    "..##",
    "..##",
]

GLYPH_2 = [
    ".###.",
    "##.##",
    "...##",
    "..##.",
    ".##..",
    "##...",
    "#####",
]


def outlined(cv, ink, diagonal=True):
    """Black shape with a white halo, so it reads on any background."""
    cv.plot(halo(ink, diagonal), 'W')
    cv.plot(ink, 'k')


def cursor_placement():
    cv = Canvas(ICON, ICON)
    full = disc(29, 2, 2)
    # Dotted disc: black and white pixels in turn, readable on every cell of the board.
    cv.plot({(x, y) for (x, y) in full if (x + y) % 2 == 1}, 'W')
    cv.plot({(x, y) for (x, y) in full if (x + y) % 2 == 0}, 'k')
    q = rows_to_set(GLYPH_QUESTION, 12, 10)
    outlined(cv, q)
    return cv


def white_token(cv, cx, cy):
    full = disc(13, cx - 6, cy - 6)
    cv.plot(full, 'W')
    cv.plot(edge(full), 'k')
    return full


def black_token(cv, cx, cy):
    cv.plot(disc(13, cx - 6, cy - 6), 'W')
    full = disc(11, cx - 5, cy - 5)
    cv.plot(full, 'k')
    return full


def link(cv, x0, y0, x1, y1):
    """Two-pixel diagonal stroke with a white halo."""
    stroke = line(x0, y0, x1, y1) | line(x0 + 1, y0, x1 + 1, y1)
    outlined(cv, stroke, diagonal=False)
    return stroke


def cursor_pick_pawn():
    cv = Canvas(ICON, ICON)
    link(cv, 8, 23, 23, 8)
    black_token(cv, 24, 7)
    white_token(cv, 7, 24)
    cv.plot(rows_to_set(GLYPH_1, 5, 21), 'k')
    return cv


def cursor_pick_square():
    cv = Canvas(ICON, ICON)
    link(cv, 8, 23, 23, 8)
    black_token(cv, 7, 24)
    white_token(cv, 24, 7)
    cv.plot(rows_to_set(GLYPH_2, 22, 4), 'k')
    return cv


def cursor_shot():
    cv = Canvas(ICON, ICON)
    link(cv, 8, 23, 23, 8)
    # Speed lines either side of the path, trailing behind the puck.
    for (x0, y0) in ((9, 16), (18, 20)):
        stroke = line(x0, y0, x0 + 3, y0 - 3)
        cv.plot(halo(stroke, False), 'k')
        cv.plot(stroke, 'W')
    black_token(cv, 7, 24)
    white_token(cv, 24, 7)
    return cv


# --------------------------------------------------------------------------
# Program icon: 32x32, and small drawings of the same scene for 16 and 24
# pixels (the icon theme's other sizes are whole multiples of these).
# --------------------------------------------------------------------------
# size: band (rows of the goal line), goal columns, cell lines, wave zoom,
# then the red pawn, the blue pawn and the puck as (diameter, x, y), and the
# rim light and shade shifts of the discs.
ICON_LAYOUTS = {
    32: dict(band=10, goal=(11, 21), lines=(10, 21), zoom=0.5,
             discs=((14, 1, 11), (14, 17, 11), (12, 10, 19)), shifts=(1, 2)),
    24: dict(band=7, goal=(8, 16), lines=(7, 16), zoom=0.35,
             discs=((10, 1, 8), (10, 13, 8), (9, 7, 14)), shifts=(1, 1)),
    16: dict(band=5, goal=(5, 11), lines=(5, 10), zoom=0.25,
             discs=((7, 1, 5), (7, 8, 5), (6, 5, 9)), shifts=(1, 1)),
}


def program_icon(size=ICON):
    k = ICON_LAYOUTS[size]
    cv = Canvas(size, size)
    # A corner of the board: the blue goal mouth between two squares of the
    # blue camp, then the grey field, three cells across with silver lines.
    goal = waves('B', 'n', 'd', zoom=k['zoom'])
    camp = checker('B', 'd')
    left, right = k['goal']
    for y in range(size):
        for x in range(size):
            if y < k['band']:
                cv.set(x, y, (goal if left <= x < right else camp).get(x, y))
            else:
                cv.set(x, y, 'd')
    a, b = k['lines']
    for i in range(size):
        for (x, y) in ((i, a), (i, b), (a, i), (b, i)):
            cv.set(x, y, 's')
    # A red and a blue pawn in front of the goal, the puck between them.
    light, shade = k['shifts']
    for (d, x, y), colours in zip(k['discs'], (('R', 'Y', 'm'), ('B', 'C', 'n'),
                                               ('s', 'W', 'd'))):
        shaded_disc(cv, d, x, y, *colours, light_shift=light,
                    shade_shift=shade)
    for i in range(size):
        for (x, y) in ((i, 0), (i, size - 1), (0, i), (size - 1, i)):
            cv.set(x, y, 'k')
    return cv


# --------------------------------------------------------------------------
# Writers
# --------------------------------------------------------------------------
def write_xpm(path, name, cv):
    used = {c for row in cv.px for c in row}
    colours = [c for c in PALETTE_ORDER if c in used]
    assert len([c for c in colours if c != '.']) <= 16, path
    lines = ['/* XPM */', 'static const char *%s[] = {' % name,
             '/* columns rows colors chars-per-pixel */',
             '"%d %d %d 1 ",' % (cv.w, cv.h, len(colours))]
    for c in colours:
        lines.append('"%s c %s",' % (c, PALETTE[c]))
    lines.append('/* pixels */')
    body = ['"%s"' % ''.join(row) for row in cv.px]
    lines.append(',\n'.join(body))
    lines.append('};')
    with open(path, 'w', newline='\n') as f:
        f.write('\n'.join(lines) + '\n')


def xbm_bytes(cv, test):
    out = []
    for y in range(cv.h):
        for x0 in range(0, cv.w, 8):
            b = 0
            for bit in range(8):
                x = x0 + bit
                if x < cv.w and test(cv.get(x, y)):
                    b |= 1 << bit
            out.append(b)
    return out


def xbm_text(name, cv, data, hot):
    lines = ['#define %s_width %d' % (name, cv.w),
             '#define %s_height %d' % (name, cv.h)]
    if hot:
        lines += ['#define %s_x_hot %d' % (name, hot[0]),
                  '#define %s_y_hot %d' % (name, hot[1])]
    lines.append('static unsigned char %s_bits[] = {' % name)
    per_row = (cv.w + 7) // 8
    rows = []
    for y in range(cv.h):
        chunk = data[y * per_row:(y + 1) * per_row]
        rows.append('   ' + ', '.join('0x%02x' % b for b in chunk))
    lines.append(',\n'.join(rows) + ' };')
    return '\n'.join(lines) + '\n'


def write_cursor(directory, name, cv, hot=(16, 16)):
    bits = xbm_bytes(cv, lambda c: c == 'k')
    mask = xbm_bytes(cv, lambda c: c in ('k', 'W'))
    with open(os.path.join(directory, name + '.xbm'), 'w', newline='\n') as f:
        f.write(xbm_text(name, cv, bits, hot))
    with open(os.path.join(directory, name + '_mask.xbm'), 'w',
              newline='\n') as f:
        f.write(xbm_text(name + '_mask', cv, mask, None))


# --------------------------------------------------------------------------
def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.normpath(os.path.join(here, '..', '..', 'resources'))
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument('--out', default=default_out,
                    help='resources directory (default: %(default)s)')
    args = ap.parse_args()

    images = os.path.join(args.out, 'images')
    cursors = os.path.join(args.out, 'cursors')
    icons = os.path.join(args.out, 'icons')
    for d in (images, cursors, icons):
        os.makedirs(d, exist_ok=True)

    pictures = [
        (images, 'zone_neutre', checker('B', 'R')),
        (images, 'buts_bleus', waves('B', 'n', 'd')),
        (images, 'buts_rouges', waves('R', 'm', 'd')),
        (images, 'zone_bleus', checker('B', 'd')),
        (images, 'zone_rouges', checker('R', 'd')),
        (images, 'palet', piece('s', 'W', 'd')),
        (images, 'pion_bleu', piece('B', 'C', 'n')),
        (images, 'pion_rouge', piece('R', 'Y', 'm')),
        (images, 'pion_deplace', moved_marker()),
        (icons, 'ovane', program_icon()),
        (icons, 'ovane_24', program_icon(24)),
        (icons, 'ovane_16', program_icon(16)),
    ]
    for directory, name, cv in pictures:
        write_xpm(os.path.join(directory, name + '.xpm'), name, cv)

    write_cursor(cursors, 'crplacement', cursor_placement())
    write_cursor(cursors, 'crdeplt1', cursor_pick_pawn())
    write_cursor(cursors, 'crdeplt2', cursor_pick_square())
    write_cursor(cursors, 'crtir', cursor_shot())


if __name__ == '__main__':
    main()
