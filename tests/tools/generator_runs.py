"""The start shared by the generator tests: the generator run twice into two folders of a
temporary folder, and the check that both runs wrote the same bytes."""
import os
import tempfile
import unittest


def read(path):
    with open(path, 'rb') as f:
        return f.read()


class TwoRuns(unittest.TestCase):
    """A subclass sets `generate` to a function (out folder) -> the generator module it ran.
    The first run's module is `gen`, its folder `a`; the second run writes into `b`."""
    generate = None

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.a = os.path.join(cls.tmp.name, 'a')
        cls.b = os.path.join(cls.tmp.name, 'b')
        cls.gen = cls.generate(cls.a)
        cls.generate(cls.b)

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def assertRunsWroteTheSame(self, names):
        for name in names:
            self.assertEqual(read(os.path.join(self.a, name)), read(os.path.join(self.b, name)), name)
