#!/usr/bin/env python3
"""Build Veilpix's icons and hand cursor from the text drawings beside this.

Usage: make_icons.py OUTDIR

Each .txt file holds square pixel grids, one character per pixel, separated
by blank lines.  '.' is transparent; lower-case letters are fixed colours
(see FIXED); upper-case letters are roles that each icon colours in its own
way, so the shown, hidden, main and setup icons share one drawing.
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard Windows 16-colour palette, in its usual order, so the icons
# look right on 16-colour displays and index straight into it.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# k black, m maroon, v green, o olive, n navy, p purple, t teal, s silver,
# g grey, r red, l lime, y yellow, b blue, f fuchsia, c cyan, w white.
FIXED = {ch: i for i, ch in enumerate('kmvonptsgrlybfcw')}

# Roles of the sheet drawing: F/D light and dark side of the frame, H its
# glint, R the canvas, M the canvas in shadow, A the arrow.  A two-letter
# colour is a checker pattern.
COLOUR = {'F': 'y', 'D': 'o', 'H': 's', 'R': 'r', 'M': 'm', 'A': 'bc'}
GREY = {'F': 'w', 'D': 'g', 'H': 's', 'R': 's', 'M': 'g', 'A': 'gs'}
PICTURE = 'FDHRM'

SIZES = (16, 24, 32, 48)


def load(name):
    """Return {size: grid} for the drawings in name.txt."""
    with open(os.path.join(HERE, name + '.txt')) as f:
        blocks = f.read().strip('\n').split('\n\n')
    grids = {}
    for block in blocks:
        rows = block.split('\n')
        if any(len(row) != len(rows) for row in rows):
            sys.exit('%s.txt: a %d-row drawing is not square' % (name,
                                                                len(rows)))
        grids[len(rows)] = rows
    return grids


def scaled(grids, size):
    """Pick the drawing for size, or stretch the nearest one to it.

    48 comes from 32 and 24 from 16: growing by half keeps every line of
    the smaller drawing, where shrinking 32 would drop some of them.
    """
    if size in grids:
        return grids[size]
    src = grids[max(s for s in grids if s * 3 // 2 <= size)]
    n = len(src)
    pick = [j * n // size for j in range(size)]
    return [''.join(src[y][x] for x in pick) for y in pick]


def overlay(base, top):
    return [''.join(b if t == '.' else t for b, t in zip(brow, trow))
            for brow, trow in zip(base, top)]


def colour(grid, roles, split=None):
    """Turn characters into palette indices (None where transparent).

    With split, the picture's upper-left half takes that map's colours
    instead, cut along the diagonal from its lower-left corner.
    """
    if split:
        cells = [(x, y) for y, row in enumerate(grid)
                 for x, ch in enumerate(row) if ch in PICTURE]
        x0 = min(x for x, _ in cells)
        y0 = min(y for _, y in cells)
        side = max(x for x, _ in cells) - x0
    out = []
    for y, row in enumerate(grid):
        line = []
        for x, ch in enumerate(row):
            if ch == '.':
                line.append(None)
                continue
            use = roles
            if split and ch in PICTURE and (x - x0) + (y - y0) < side:
                use = split
            ch = use.get(ch, ch)
            line.append(FIXED[ch[(x + y) % len(ch)]])
        out.append(line)
    return out


def dib(pixels):
    """A 4-bpp icon image: header, palette, XOR rows and AND mask rows."""
    size = len(pixels)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray((size * 4 + 31) // 32 * 4)
        bits = bytearray((size + 31) // 32 * 4)
        for x, p in enumerate(row):
            if p is None:
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                line[x // 2] |= p << (0 if x % 2 else 4)
        xor += line
        mask += bits
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b''.join(struct.pack('<4B', b, g, r, 0)
                       for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def write(path, images, hotspot=None):
    """Write an .ico, or with a hotspot a .cur, holding images."""
    blobs = [dib(p) for p in images]
    head = struct.pack('<HHH', 0, 2 if hotspot else 1, len(blobs))
    offset = len(head) + 16 * len(blobs)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        # A cursor keeps its hotspot where an icon has planes and bit count.
        a, b = hotspot if hotspot else (1, 4)
        head += struct.pack('<4B2H2I', size % 256, size % 256, 16, 0, a, b,
                            len(blob), offset)
        offset += len(blob)
    with open(path, 'wb') as f:
        f.write(head + b''.join(blobs))


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_icons.py OUTDIR')
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    sheet = load('sheet')
    box = load('box')
    whirl = load('whirlwind')
    icons = {
        'shown': lambda s: colour(scaled(sheet, s), COLOUR),
        'hidden': lambda s: colour(scaled(sheet, s), GREY),
        'main': lambda s: colour(scaled(sheet, s), COLOUR, GREY),
        'setup': lambda s: colour(overlay(scaled(sheet, s), scaled(box, s)),
                                  COLOUR),
        'whirlwind': lambda s: colour(scaled(whirl, s), {}),
    }
    for name, draw in icons.items():
        write(os.path.join(out, name + '.ico'), [draw(s) for s in SIZES])
    hand = load('hand')[32]
    hotspot = (7, 2)
    if hand[hotspot[1]][hotspot[0]] != 'k':
        sys.exit('hand.txt: the hotspot is not on the fingertip')
    write(os.path.join(out, 'hand.cur'), [colour(hand, {})], hotspot)


if __name__ == '__main__':
    main()
