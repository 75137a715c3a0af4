#!/usr/bin/env python3
# Tests of the vehicle-graphic generator: two runs write the same bytes; "quil.fzg" has the
# layout the program reads (magic, version 0x3830, index keys ascending, the nine default sets);
# its packed pixels decode back to the drawn pictures; a faulty drawing stops the generator.
import importlib
import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, '..', '..')
sys.path.insert(0, os.path.join(ROOT, 'tools', 'vehicles'))
from generator_runs import TwoRuns, read  # noqa: E402


def run(out):
    import gen_vehicles
    gen_vehicles = importlib.reload(gen_vehicles)
    sys.argv = ['gen_vehicles.py', '--data', out, '--lang', os.path.join(ROOT, 'resources', 'lang'),
                '--no-sheet']
    gen_vehicles.main()
    return gen_vehicles


def unpack(data, at, count):
    """The packed-pixel decoder: count pixel words from data[at:]; returns them and the end."""
    out = []
    while len(out) < count:
        w = struct.unpack_from('<I', data, at)[0]
        at += 4
        if w >> 24 != 0xC0:
            out.append(w)
            continue
        n = (w & 0xFF) + 2
        if w & 0x10000:
            v = 0x80000001
        else:
            v = struct.unpack_from('<I', data, at)[0]
            at += 4
        out += [v] * n
    return out, at


class Generator(TwoRuns):
    generate = staticmethod(run)

    def test_byte_identical_runs(self):
        names = ['quil.fzg'] + ['vehicle_tests/' + n for n in sorted(os.listdir(os.path.join(self.a, 'vehicle_tests')))]
        self.assertGreater(len(names), 30)
        self.assertRunsWroteTheSame(names)

    def test_file_layout(self):
        data = read(os.path.join(self.a, 'quil.fzg'))
        at = data.index(b'\x1a') + 1
        self.assertEqual(data[at:at + 5], bytes([0x46, 0x5A, 0xC7, 0x38, 0x30]))
        at += 5
        keys = []
        while True:
            key = struct.unpack_from('<H', data, at)[0]
            if key == 0:
                break
            offset = struct.unpack_from('<I', data, at + 2)[0]
            self.assertEqual(struct.unpack_from('<H', data, at + 6 + offset)[0], key)
            keys.append(key)
            at += 6
        self.assertEqual(keys, sorted(keys))
        for key in self.gen.DEFAULT_KEYS:
            self.assertIn(key, keys)

    def test_packed_pixels_decode_to_the_drawings(self):
        g = self.gen.build_sets()[0][2][0]
        words = []
        for pic, by_column in g.areas():
            words += pic.columns() if by_column else pic.words()
        packed = self.gen.graphic_pixels(g)
        decoded, end = unpack(packed, 0, len(words))
        self.assertEqual(decoded, words)
        self.assertEqual(end, len(packed))
        # the writer rule at the run limits
        T = self.gen.T
        self.assertEqual(self.gen.pack([5] * 257), struct.pack('<II', 0xC00000FF, 5))
        self.assertEqual(self.gen.pack([T] * 258), struct.pack('<II', 0xC00100FF, T))
        self.assertEqual(unpack(self.gen.pack([7, 7, 8]), 0, 3)[0], [7, 7, 8])

    def test_faulty_drawings_stop_the_generator(self):
        g = self.gen.build_sets()[0][2][0]
        g.L = 257
        with self.assertRaises(AssertionError):
            self.gen.check_graphic(g)
        g = self.gen.build_sets()[0][2][0]
        g.spans = [(38, 5, 4)]  # beyond the length
        with self.assertRaises(AssertionError):
            self.gen.check_graphic(g)


if __name__ == '__main__':
    unittest.main()
