#!/usr/bin/env python3
"""Build the icons into a temporary folder and read them back.

Run: python3 resources/icons/test_icons.py
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
BLACK, RED, SILVER, GREY, BLUE, WHITE = 0, 9, 7, 8, 12, 15


def read(path):
    """Return (type, [(entry fields, pixel rows)]); a masked-out pixel is None."""
    with open(path, 'rb') as f:
        data = f.read()
    _, kind, count = struct.unpack_from('<3H', data)
    images = []
    for i in range(count):
        entry = struct.unpack_from('<4B2H2I', data, 6 + 16 * i)
        w, offset = entry[0], entry[7]
        assert struct.unpack_from('<IiiHH', data, offset) == (40, w, 2 * w, 1, 4), path
        xor, stride, mstride = offset + 104, w // 2 + 3 & ~3, (w + 31) // 32 * 4
        mask = xor + stride * w
        rows = [[None if data[mask + y * mstride + x // 8] & 0x80 >> x % 8 else
                 data[xor + y * stride + x // 2] >> 4 * (1 - x % 2) & 15
                 for x in range(w)] for y in range(w - 1, -1, -1)]
        images.append((entry, rows))
    return kind, images


def colours(rows):
    return {p for row in rows for p in row if p is not None}


class Icons(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        subprocess.run([sys.executable, os.path.join(HERE, 'make_icons.py'),
                        cls.tmp.name], check=True)

    def load(self, name):
        return read(os.path.join(self.tmp.name, name))

    def test_icons_have_four_sizes_and_the_hidden_one_is_grey(self):
        for name in ('shown', 'hidden', 'main', 'whirlwind', 'setup'):
            kind, images = self.load(name + '.ico')
            self.assertEqual(kind, 1, name)
            self.assertEqual([e[0] for e, _ in images], [16, 24, 32, 48])
            for _, rows in images:
                self.assertTrue(any(None in row for row in rows), name)
        for (_, grey), (_, shown) in zip(self.load('hidden.ico')[1],
                                         self.load('shown.ico')[1]):
            self.assertLessEqual(colours(grey), {BLACK, SILVER, GREY, WHITE})
            self.assertTrue({RED, BLUE} <= colours(shown))

    def test_hand_cursor_points_with_its_hot_spot(self):
        kind, [(entry, rows)] = self.load('hand.cur')
        self.assertEqual((kind, entry[:2]), (2, (32, 32)))
        x, y = entry[4:6]
        self.assertEqual(rows[y][x], BLACK)
        self.assertTrue(all(p is None for row in rows[:y] for p in row))


if __name__ == '__main__':
    unittest.main()
