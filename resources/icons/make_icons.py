#!/usr/bin/env python3
"""Build Veilpix's icons and hand cursor from the text drawings beside this.

Usage: make_icons.py OUTDIR

Each .txt file holds one square pixel grid for each size, one character a
pixel, the grids parted by blank lines.  '.' is transparent, lower-case
letters are fixed colours (see FIXED) and upper-case letters are roles that
each icon colours its own way, so that shown, hidden, main and setup share
one drawing of the sheet.
"""

import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# The standard Windows 16-colour palette in its usual order: the icons then
# look the same on a 16-colour display as on any other.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# k black, m maroon, v green, o olive, n navy, p purple, t teal, s silver,
# g grey, r red, l lime, y yellow, b blue, f fuchsia, c cyan, w white.
FIXED = {ch: i for i, ch in enumerate('kmvonptsgrlybfcw')}

# Roles in sheet.txt: F and D the frame's light and dark parts, H its glint,
# R the canvas, M the canvas in the frame's shadow, A the arrow.  Two
# letters make a one-pixel checker.
COLOUR = {'F': 'y', 'D': 'o', 'H': 's', 'R': 'r', 'M': 'm', 'A': 'bc'}
GREY = {'F': 'w', 'D': 'g', 'H': 's', 'R': 's', 'M': 'g', 'A': 'gs'}
PICTURE = 'FDHRM'

SIZES = (16, 24, 32, 48)
HAND_HOTSPOT = (7, 2)


def load(name, sizes=SIZES):
    """Return {size: rows} for the drawings in name.txt."""
    path = os.path.join(HERE, name + '.txt')
    with open(path) as f:
        blocks = f.read().strip('\n').split('\n\n')
    grids = {}
    for block in blocks:
        rows = block.split('\n')
        for row in rows:
            if len(row) != len(rows):
                sys.exit('%s: a %d-row drawing is not square' %
                         (path, len(rows)))
            for ch in row:
                if ch != '.' and ch not in FIXED and ch not in COLOUR:
                    sys.exit('%s: unknown pixel %r' % (path, ch))
        grids[len(rows)] = rows
    if sorted(grids) != sorted(sizes):
        sys.exit('%s: wants drawings of sizes %s' % (path, sizes))
    return grids


def overlay(base, top):
    return [''.join(b if t == '.' else t for b, t in zip(brow, trow))
            for brow, trow in zip(base, top)]


def colour(grid, roles, split=None):
    """Palette indices for grid, None where transparent.

    With split, the picture's upper-left half, cut along the diagonal from
    its lower-left to its upper-right corner, takes split's colours.
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
    """One 4-bpp image: header, palette, XOR rows, AND rows, bottom up."""
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
    # The height counts both bitmaps.
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 4, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    palette = b''.join(struct.pack('<4B', b, g, r, 0)
                       for r, g, b in PALETTE)
    return header + palette + bytes(xor) + bytes(mask)


def png(pixels):
    """One image as PNG, a fraction of its bitmap's bytes (Vista and later).

    The palette's last entry is the transparent one.
    """
    size = len(pixels)
    raw = b''.join(b'\0' + bytes(16 if p is None else p for p in row)
                   for row in pixels)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data +
                struct.pack('>I', zlib.crc32(kind + data)))
    palette = b''.join(bytes(c) for c in PALETTE) + bytes(3)
    return (b'\x89PNG\r\n\x1a\n' +
            chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 3, 0, 0, 0)) +
            chunk(b'PLTE', palette) +
            chunk(b'tRNS', bytes([255] * len(PALETTE) + [0])) +
            chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def write(path, images, hotspot=None, encode=dib):
    """Write an .ico, or given a hotspot a .cur, holding images."""
    blobs = [encode(p) for p in images]
    head = struct.pack('<3H', 0, 2 if hotspot else 1, len(blobs))
    offset = len(head) + 16 * len(blobs)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        # A cursor keeps its hotspot where an icon has planes and bit count.
        a, b = hotspot or (1, 4 if encode is dib else 32)
        colours = 16 if encode is dib else 0
        head += struct.pack('<4B2H2I', size, size, colours, 0, a, b, len(blob),
                            offset)
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
        'shown': lambda s: colour(sheet[s], COLOUR),
        'hidden': lambda s: colour(sheet[s], GREY),
        'main': lambda s: colour(sheet[s], COLOUR, GREY),
        'setup': lambda s: colour(overlay(sheet[s], box[s]), COLOUR),
        'whirlwind': lambda s: colour(whirl[s], {}),
    }
    for name, draw in icons.items():
        # The installer's icon stays a bitmap: the installer replaces it in
        # its own resources, image by image.
        write(os.path.join(out, name + '.ico'), [draw(s) for s in SIZES],
              encode=dib if name == 'setup' else png)
    hand = load('hand', (32,))[32]
    x, y = HAND_HOTSPOT
    # The click lands on the hotspot, so it must be the fingertip.
    if hand[y][x] != 'k' or hand[y - 1][x] != '.':
        sys.exit('hand.txt: the hotspot is not on the fingertip')
    write(os.path.join(out, 'hand.cur'), [colour(hand, {})], HAND_HOTSPOT)


if __name__ == '__main__':
    main()
