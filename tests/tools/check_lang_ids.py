#!/usr/bin/env python3
# Id check of the language texts: every text id the program's code uses exists in every
# language file, format texts have exactly the conversions their call passes, and all
# languages hold the same ids with the same conversions.
import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, '..', '..', 'tools', 'lang'))
import langsrc  # noqa: E402

PROGRAM_FOLDERS = ['core', 'model', 'app', 'graphics', 'views', 'signalling', 'elements',
                   'trains', 'viewer']

ID_RE = re.compile(r'\bLANG_ID\s*\(')
ID_ARG_RE = re.compile(r'\s*(\d+)\s*\)')
FMT_RE = re.compile(r'\bLANG_FMT\s*\(')
FMT_ARG_RE = re.compile(r'\s*(\d+)\s*,\s*"((?:[^"\\\n]|\\.)*)"\s*\)')
GET_RE = re.compile(r'\bGetLangText(?:A|Length)?\s*\(\s*(\d+)\b')


def strip_comments(code):
    """Returns (code, masked): comments blanked out in both, and in masked also the contents of
    string and character literals. Both keep the length and line breaks of the source, so the
    positions found in masked address the same text in code."""
    plain, masked = [], []
    i, n = 0, len(code)
    while i < n:
        c = code[i]
        if c == '/' and code.startswith('//', i):
            j = code.find('\n', i)
            j = n if j < 0 else j
            plain.append(' ' * (j - i))
            masked.append(' ' * (j - i))
            i = j
        elif c == '/' and code.startswith('/*', i):
            j = code.find('*/', i + 2)
            j = n if j < 0 else j + 2
            blank = re.sub(r'[^\n]', ' ', code[i:j])
            plain.append(blank)
            masked.append(blank)
            i = j
        elif c in '"\'':
            j = i + 1
            while j < n and code[j] != c and code[j] != '\n':
                j += 2 if code[j] == '\\' else 1
            literal = code[i:j + 1]
            plain.append(literal)
            masked.append(c + ' ' * (len(literal) - 2) + literal[-1:] if len(literal) >= 2 else literal)
            i = j + 1
        else:
            plain.append(c)
            masked.append(c)
            i += 1
    return ''.join(plain), ''.join(masked)


def scan_code(root, folders=PROGRAM_FOLDERS):
    """Returns (uses, errors): uses is a list of (place, id, convs or None)."""
    uses, errors = [], []
    for folder in folders:
        base = os.path.join(root, folder)
        if not os.path.isdir(base):
            continue
        for dirpath, _, files in os.walk(base):
            for name in sorted(files):
                if not name.endswith(('.cpp', '.h')):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding='utf-8', errors='replace') as f:
                    code, masked = strip_comments(f.read())
                rel = os.path.relpath(path, root)

                def place(pos):
                    return f'{rel}:{code.count(chr(10), 0, pos) + 1}'

                def in_define(pos):
                    start = code.rfind('\n', 0, pos) + 1
                    return code[start:pos].lstrip().startswith('#define')

                for m in ID_RE.finditer(masked):
                    if in_define(m.start()):
                        continue
                    a = ID_ARG_RE.match(masked, m.end())
                    if not a:
                        errors.append(f'{place(m.start())}: LANG_ID needs a plain number')
                        continue
                    uses.append((place(m.start()), int(a.group(1)), None))
                for m in FMT_RE.finditer(masked):
                    if in_define(m.start()):
                        continue
                    a = FMT_ARG_RE.match(code, m.end())
                    if not a:
                        errors.append(f'{place(m.start())}: LANG_FMT needs a plain number and a '
                                      f'string literal of conversions')
                        continue
                    uses.append((place(m.start()), int(a.group(1)), a.group(2)))
                for m in GET_RE.finditer(masked):
                    uses.append((place(m.start()), int(m.group(1)), None))
    return uses, errors


def language_sets(data_dir):
    """{language: {id: text}} from the language files in data_dir ("quil" is English)."""
    langs = {}
    for name in sorted(os.listdir(data_dir)):
        m = re.fullmatch(r'quil(?:_(\w+))?\.lng', name)
        if not m:
            continue
        lang = m.group(1) or 'en'
        texts = langsrc.read_language_file(os.path.join(data_dir, name))
        second = os.path.join(data_dir, name[:-4] + '.lnv')
        if os.path.exists(second):
            texts.update(langsrc.read_language_file(second))
        langs[lang] = texts
    return langs


def check(root, data_dir, folders=PROGRAM_FOLDERS):
    uses, scan_errors = scan_code(root, folders)
    return check_uses(uses, scan_errors, data_dir)


def check_uses(uses, scan_errors, data_dir):
    """The problems of the scanned uses against the language files in data_dir."""
    errors = list(scan_errors)
    try:
        langs = language_sets(data_dir)
    except langsrc.SourceError as e:
        return errors + [f'language file: {e}']
    if 'en' not in langs:
        return errors + [f'{data_dir}: no English language file "quil.lng"']
    en = langs['en']

    for lang, texts in langs.items():
        if lang == 'en':
            continue
        missing = sorted(set(en) - set(texts))
        extra = sorted(set(texts) - set(en))
        if missing:
            errors.append(f'language {lang} lacks ids that English has: {missing}')
        if extra:
            errors.append(f'language {lang} has ids that English lacks: {extra}')
        for ident in sorted(set(en) & set(texts)):
            if '%' in en[ident] or '%' in texts[ident]:
                a = langsrc.conversion_signature(en[ident])
                b = langsrc.conversion_signature(texts[ident])
                if a != b:
                    errors.append(f'text {ident}: conversions differ: en "{a}", {lang} "{b}"')

    for where, ident, convs in uses:
        for lang, texts in langs.items():
            if ident not in texts:
                errors.append(f'{where}: text {ident} is missing in language {lang}')
        if convs is None:
            continue
        # The string lists conversions only (flags and widths allowed: "%u%02u" is fine).
        want = langsrc.conversion_signature(convs)
        leftover = langsrc.CONV_RE.sub(lambda m: '' if m.group(4) else m.group(0), convs)
        if want is None or leftover:
            errors.append(f'{where}: LANG_FMT({ident}, "{convs}"): the string must list the '
                          f'conversions only, e.g. "%u%s"')
            continue
        if ident in en and '%' not in en[ident]:
            errors.append(f'{where}: text {ident} is no format text (no "%" in English); '
                          f'use LANG_ID')
        for lang, texts in langs.items():
            if ident in texts:
                have = langsrc.conversion_signature(texts[ident])
                if have != want:
                    errors.append(f'{where}: LANG_FMT({ident}, "{convs}") but the {lang} text has '
                                  f'"{have}": "{texts[ident]}"')
    return errors


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--src', required=True, help='source tree')
    ap.add_argument('--data', required=True, help='folder of the generated language files')
    args = ap.parse_args()
    uses, scan_errors = scan_code(args.src)
    errors = check_uses(uses, scan_errors, args.data)
    for e in errors:
        print(e)
    print(f'{len(uses)} text uses checked, {len(errors)} problems')
    return 1 if errors else 0


if __name__ == '__main__':
    sys.exit(main())
