#!/usr/bin/env python3
# Tests of the symbol-set generator: two runs write the same bytes; the glyph and title files
# have the layouts the program reads; the generator's own checks refuse faulty drawings.
import importlib
import os
import struct
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools', 'glyphs'))
from generator_runs import TwoRuns, read  # noqa: E402


def run(out):
    import gen_glyphs
    gen_glyphs = importlib.reload(gen_glyphs)  # fresh module state for every run
    sys.argv = ['gen_glyphs.py', '--data', out, '--gen', out, '--no-sheet']
    gen_glyphs.main()
    return gen_glyphs


class Generator(TwoRuns):
    generate = staticmethod(run)

    def test_byte_identical_runs(self):
        self.assertRunsWroteTheSame(('quil.gzg', 'quil.tbd', 'symbol_tables.inc', 'quil_symbols.txt'))

    def test_glyph_file_layout(self):
        data = read(os.path.join(self.a, 'quil.gzg'))
        at = data.index(b'\x1a') + 1
        for k in range(85 + 100):
            self.assertEqual(struct.unpack_from('<HHH', data, at), (0xFFFF, 144, 0), k)
            at += 6 + 144 * 128
        self.assertEqual(at, len(data))

    def test_title_file_layout(self):
        data = read(os.path.join(self.a, 'quil.tbd'))
        at = data.index(b'\x1a') + 1
        self.assertEqual(data[at:at + 4], bytes([0x54, 0xC2, 0x44, 56]))
        count = struct.unpack_from('<H', data, at + 4)[0]
        self.assertGreaterEqual(count, 3)
        for i in range(count):
            word = at + 6 + 4 * i
            start = word + 4 + struct.unpack_from('<I', data, word)[0]
            self.assertEqual(struct.unpack_from('<HH', data, start), (192, 256), i)
            # the runs of each row fill exactly its width
            pos = start + 6
            for _ in range(256):
                x = 0
                while x < 192:
                    b = data[pos]
                    if b >= 0xC0:
                        x += data[pos + 1] + 4
                        pos += 2
                    else:
                        x += (b >> 6) + 1
                        pos += 1
                self.assertEqual(x, 192)

    def test_checks_refuse_faulty_pieces(self):
        gen = self.gen
        tables = {}
        idx = next(i for i in range(gen.NDEF) if gen.DEFS[i] and gen.DEFS[i][0][2] != 0xFFFF)
        saved = [list(p) for p in gen.DEFS[idx]]
        try:
            gen.DEFS[idx][0][0] = 30  # x 30 with a width of more than 2 leaves the cell
            gen.DEFS[idx][0][3] = 8
            with self.assertRaises(AssertionError):
                gen.check(self.tables(gen), gen.STRIP.rows)
        finally:
            gen.DEFS[idx] = saved
        saved_entry = gen.DEFS[idx]
        try:
            gen.DEFS[idx] = [gen.ref(idx)]  # a definition referring to itself
            with self.assertRaises(SystemExit):
                gen.check(self.tables(gen), gen.STRIP.rows)
        finally:
            gen.DEFS[idx] = saved_entry

    @staticmethod
    def tables(gen):
        empty = {k: [] for k in ('kind1', 'kind2', 'kind3', 'kind4a', 'kind4b', 'narrow1',
                                 'narrow2', 'depot', 'rp', 'kind10', 'hst', 'tp', 'prell',
                                 'main', 'lfst', 'dwx', 'anim')}
        empty['pages'] = {}
        return empty


if __name__ == '__main__':
    unittest.main()
