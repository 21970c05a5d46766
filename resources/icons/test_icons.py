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
ICONS = ('shown', 'hidden', 'main', 'whirlwind', 'setup')
BLACK, RED, SILVER, GREY, BLUE, WHITE = 0, 9, 7, 8, 12, 15


def read(path):
    """Return (type, [(entry fields, pixel rows)]) of an .ico or .cur."""
    with open(path, 'rb') as f:
        data = f.read()
    reserved, kind, count = struct.unpack_from('<3H', data)
    images = []
    for i in range(count):
        entry = struct.unpack_from('<4B2H2I', data, 6 + 16 * i)
        width, _, colours, _, _, _, length, offset = entry
        (hsize, w, h, planes, bpp, compression, _, _, _, used,
         _) = struct.unpack_from('<IiiHHIIiiII', data, offset)
        assert (hsize, w, h, planes, bpp, compression) == (
            40, width, 2 * width, 1, 4, 0), path
        assert colours == 16 and used in (0, 16), path
        palette = data[offset + 40:offset + 104]
        assert palette[4 * 9:4 * 10] == b'\x00\x00\xff\x00', path
        stride = (w * 4 + 31) // 32 * 4
        mstride = (w + 31) // 32 * 4
        xor = offset + 104
        mask = xor + stride * w
        assert mask + mstride * w == offset + length <= len(data), path
        rows = []
        for y in range(w - 1, -1, -1):
            row = []
            for x in range(w):
                if data[mask + y * mstride + x // 8] & (0x80 >> x % 8):
                    row.append(None)
                else:
                    byte = data[xor + y * stride + x // 2]
                    row.append(byte & 15 if x % 2 else byte >> 4)
            rows.append(row)
        images.append((entry, rows))
    assert reserved == 0
    return kind, images


def colours(rows):
    return {p for row in rows for p in row if p is not None}


class Icons(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        subprocess.run([sys.executable, os.path.join(HERE, 'make_icons.py'),
                        cls.tmp.name], check=True)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def load(self, name):
        return read(os.path.join(self.tmp.name, name))

    def test_every_icon_has_four_sizes(self):
        for name in ICONS:
            kind, images = self.load(name + '.ico')
            self.assertEqual(kind, 1, name)
            self.assertEqual([e[0] for e, _ in images], [16, 24, 32, 48])
            for entry, rows in images:
                self.assertEqual(entry[4:6], (1, 4), name)
                self.assertTrue(any(None in row for row in rows), name)

    def test_hidden_is_grey_and_shown_is_not(self):
        for (_, grey), (_, shown) in zip(self.load('hidden.ico')[1],
                                         self.load('shown.ico')[1]):
            self.assertLessEqual(colours(grey), {BLACK, SILVER, GREY, WHITE})
            self.assertIn(RED, colours(shown))
            self.assertIn(BLUE, colours(shown))

    def test_hand_cursor(self):
        kind, images = self.load('hand.cur')
        self.assertEqual(kind, 2)
        self.assertEqual(len(images), 1)
        entry, rows = images[0]
        self.assertEqual(entry[:2], (32, 32))
        x, y = entry[4:6]
        self.assertEqual((x, y), (7, 2))
        self.assertEqual(rows[y][x], BLACK)
        # The tip is the hand's highest point.
        self.assertTrue(all(p is None for row in rows[:y] for p in row))


if __name__ == '__main__':
    unittest.main()
