#!/usr/bin/env python3
# Tests of the language tools on small fixtures: the id checker finds missing ids and wrong
# conversions; the generator rejects faulty sources and writes files the program format reads.
import os
import shutil
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools', 'lang'))
import check_lang_ids  # noqa: E402
import gen_lang  # noqa: E402
import langsrc  # noqa: E402

GOOD_CODE = '''// A comment naming LANG_ID(99) and LANG_FMT(98, "%s") is not a use.
#define LANG_ID(n) (n)
static const char* s = "LANG_ID(97) inside a string is not read as code";
void F() {
    ShowErrorText(7, LANG_ID(1));
    Format(buf, GetLangText(LANG_FMT(2, "%u%s")), count, name);
    const char16_t* t = GetLangText(3);
    /* LANG_ID(96) */
}
'''

GOOD_EN = {1: 'One', 2: '%u files in %s', 3: 'Three', 40001: 'Second table'}
GOOD_DE = {1: 'Eins', 2: '%4u Dateien in %s', 3: 'Drei', 40001: 'Zweite Tabelle'}


FIXTURE_DIRS = []


def tearDownModule():
    for d in FIXTURE_DIRS:
        shutil.rmtree(d, ignore_errors=True)


class Fixture:
    def __init__(self, code=GOOD_CODE, en=GOOD_EN, de=GOOD_DE):
        root = tempfile.mkdtemp(prefix='lang_ids_')
        FIXTURE_DIRS.append(root)
        os.makedirs(os.path.join(root, 'core'))
        with open(os.path.join(root, 'core', 'a.cpp'), 'w', encoding='utf-8') as f:
            f.write(code)
        self.data = os.path.join(root, 'data')
        os.makedirs(self.data)
        for base, texts in (('quil', en), ('quil_de', de)):
            main = {i: t for i, t in texts.items() if i < 40000}
            second = {i: t for i, t in texts.items() if i >= 40000}
            with open(os.path.join(self.data, base + '.lng'), 'wb') as f:
                f.write(langsrc.language_file_bytes(main, 'test'))
            with open(os.path.join(self.data, base + '.lnv'), 'wb') as f:
                f.write(langsrc.language_file_bytes(second, 'test'))
        self.root = root

    def errors(self):
        return check_lang_ids.check(self.root, self.data, ['core'])


class CheckerTest(unittest.TestCase):
    def test_good_fixture_passes(self):
        fx = Fixture()
        self.assertEqual(fx.errors(), [])
        uses, _ = check_lang_ids.scan_code(fx.root, ['core'])
        self.assertEqual(sorted(u[1] for u in uses), [1, 2, 3])

    def test_faults_are_found(self):
        cases = [
            ('id missing in German', {}, {1: None}, 'text 1 is missing in language de'),
            ('id missing in both', {3: None}, {3: None}, 'text 3 is missing in language en'),
            ('wrong conversion', {}, {2: '%s Dateien in %s'}, 'the de text has "%s%s"'),
            ('extra conversion', {2: '%u files in %s, %u bytes'}, {2: '%u Dateien in %s, %u Bytes'},
             'the en text has "%u%s%u"'),
            ('missing conversion', {2: 'files in %s'}, {2: 'Dateien in %s'}, 'the en text has "%s"'),
            ('conversions differ between languages', {3: 'Three %u'}, {},
             'text 3: conversions differ'),
            ('extra id in German', {}, {5: 'Fünf'}, 'has ids that English lacks: [5]'),
        ]
        for name, en_change, de_change, expected in cases:
            with self.subTest(name):
                en, de = dict(GOOD_EN), dict(GOOD_DE)
                for texts, change in ((en, en_change), (de, de_change)):
                    for i, t in change.items():
                        if t is None:
                            del texts[i]
                        else:
                            texts[i] = t
                errors = Fixture(en=en, de=de).errors()
                self.assertTrue(any(expected in e for e in errors), errors)

    def test_code_faults_are_found(self):
        cases = [
            ('call lists other conversions', 'GetLangText(LANG_FMT(2, "%u%u"))', 'the en text has "%u%s"'),
            ('call lists too few', 'GetLangText(LANG_FMT(2, "%u"))', 'the en text has "%u%s"'),
            ('no conversions string', 'GetLangText(LANG_FMT(2, convs))', 'LANG_FMT needs'),
            ('not only conversions', 'GetLangText(LANG_FMT(2, "%u files %s"))', 'must list the conversions'),
            ('percent sign in the list', 'GetLangText(LANG_FMT(2, "%u%%%s"))', 'must list the conversions'),
            ('width does not change the type', 'GetLangText(LANG_FMT(2, "%5u%-3d"))', 'the en text has "%u%s"'),
            ('format use of a plain text', 'GetLangText(LANG_FMT(1, ""))', 'no format text'),
            ('computed id', 'GetLangText(LANG_ID(BASE + 1))', 'LANG_ID needs a plain number'),
            ('unknown id', 'GetLangText(LANG_ID(12345))', 'text 12345 is missing in language en'),
            ('unknown id in GetLangText', 'GetLangTextA(40002)', 'text 40002 is missing'),
        ]
        for name, line, expected in cases:
            with self.subTest(name):
                errors = Fixture(code=GOOD_CODE + 'void G() { ' + line + '; }\n').errors()
                self.assertTrue(any(expected in e for e in errors), errors)

    def test_flags_and_widths_in_the_list_are_allowed(self):
        fx = Fixture(code=GOOD_CODE + 'void H() { GetLangText(LANG_FMT(2, "%03u%-10s")); }\n')
        self.assertEqual(fx.errors(), [])

    def test_main_exit_code(self):
        fx = Fixture(code=GOOD_CODE + 'int x = LANG_ID(4);\n')
        sys.argv = ['check', '--src', fx.root, '--data', fx.data]
        saved = check_lang_ids.PROGRAM_FOLDERS
        self.assertEqual(check_lang_ids.main(), 1)
        fx = Fixture()
        sys.argv = ['check', '--src', fx.root, '--data', fx.data]
        self.assertEqual(check_lang_ids.main(), 0)
        self.assertIs(saved, check_lang_ids.PROGRAM_FOLDERS)


class GeneratorTest(unittest.TestCase):
    def read(self, text):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, 'a.txt')
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
            texts, origin = {}, {}
            langsrc.read_source_file(path, texts, origin)
            return texts

    def test_sources_are_read_and_checked(self):
        self.assertEqual(self.read('# c\n\n1 A#nB\n2  lead\n3 #0\n4 x##y#t&#H#U00e9\n'),
                         {1: 'A\r\nB', 2: ' lead', 3: '\0', 4: 'x#y\t&&\u00e9'})
        bad = [
            ('1 A#xB\n', 'unknown escape'), ('1 A#\n', 'at the end'), ('1 #U12\n', '#U'),
            ('1 trailing \n', 'blank at the end'), ('1\n', 'expected'), ('1 \n', 'empty text'),
            ('x A\n', 'expected'), ('1 ' + 'y' * 250 + '\n', 'longer than'),
            ('1 100%\n', 'malformed'), ('1 50%y\n', 'malformed'), ('1 A\n1 B\n', 'already defined'), ('0 A\n', 'out of range'),
        ]
        for text, expected in bad:
            with self.subTest(text[:20]):
                with self.assertRaises(langsrc.SourceError) as ctx:
                    self.read(text)
                self.assertIn(expected, str(ctx.exception))

    def test_source_file_may_begin_with_a_byte_order_mark(self):
        self.assertEqual(self.read('\ufeff# comment\n1 One\n'), {1: 'One'})
        self.assertEqual(self.read('\ufeff1 One\n'), {1: 'One'})

    def test_program_reader_skips_what_the_stream_skips(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, 'quil.lng')
            body = '1\r\nA\u2028B\r\n2\r\n\ufffeC\r\n.\r\n'
            with open(path, 'wb') as f:   # big-endian mark; U+FFFE switches to little-endian
                f.write(b'\xfe\xff' + body[:body.index('\ufffe') + 1].encode('utf-16-be') +
                        body[body.index('\ufffe') + 1:].encode('utf-16-le'))
            self.assertEqual(langsrc.read_language_file(path), {1: 'AB', 2: 'C'})

    def test_duplicate_across_files_of_a_language(self):
        with tempfile.TemporaryDirectory() as d:
            for name in ('a.txt', 'b.txt'):
                with open(os.path.join(d, name), 'w', encoding='utf-8') as f:
                    f.write('5 text\n')
            with self.assertRaises(langsrc.SourceError):
                langsrc.read_language(d)

    def test_files_round_trip(self):
        texts = {1: ';starts like a comment', 2: 'A\r\nB\t#\0C', 3: '  lead', 4: '\u0141\u00f3d\u017a \U0001F600',
                 5: 'x' * 249, 6: 'lone\rcr',
                 # Units the program's stream reader drops (or reads as a byte-order switch).
                 7: 'mark\ufeffswap\ufffeline\u2028para\u2029none\uffff.'}
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, 'quil.lng')
            with open(path, 'wb') as f:
                f.write(langsrc.language_file_bytes(texts, 'test'))
            self.assertEqual(langsrc.read_language_file(path), texts)

    def test_collation_lines_are_written_in_the_program_form(self):
        with tempfile.TemporaryDirectory() as d:
            path = os.path.join(d, 'collation.txt')
            with open(path, 'w', encoding='utf-8') as f:
                f.write('# order\na:\t\u00e0,\u00e1  \u00e2\n\n o : \u00f6\u00f8\n')
            entries = langsrc.read_collation_source(path)
            self.assertEqual(entries, ['a: \u00e0, \u00e1, \u00e2', 'o: \u00f6, \u00f8'])
            data = langsrc.collation_file_bytes(entries, 'test')
            self.assertEqual(data[:2], b'\xff\xfe')
            self.assertNotIn('\t', data[2:].decode('utf-16-le'))
            for bad in ('a\n', 'a:\n', 'a: ,\n', 'a: \u2028\n'):
                with self.subTest(bad):
                    with open(path, 'w', encoding='utf-8') as f:
                        f.write(bad)
                    with self.assertRaises(langsrc.SourceError):
                        langsrc.read_collation_source(path)

    def test_builtin_format_table_keeps_every_part(self):
        table = gen_lang.format_table({1: 'plain', 7: '%u#\0*.x\0', 9: '%s'}).decode('utf-8')
        self.assertNotIn('LangFormat1[]', table)
        self.assertIn('LangFormat7[] = {0x25, 0x75, 0x23, 0x0, 0x2A, 0x2E, 0x78, 0x0, 0x0};', table)
        self.assertIn('{7u, 8u, LangFormat7},', table)
        self.assertIn('{9u, 2u, LangFormat9},', table)
        self.assertIn('kLangFormatCount = 2;', table)

    def test_conversion_signatures(self):
        cases = [('plain', ''), ('100%%', ''), ('%u of %s', '%u%s'), ('%02u:%-5s %5.2f', '%u%s%f'),
                 ('%*d', '%*d'), ('%lu %I64d %ls', '%lu%I64d%ls'), ('50%', None), ('%y', None),
                 ('%n', None), ('% d', '%d')]
        for text, sig in cases:
            with self.subTest(text):
                self.assertEqual(langsrc.conversion_signature(text), sig)
        self.assertEqual(langsrc.conversion_signature('%s\0%u'), '%s')


if __name__ == '__main__':
    unittest.main()
