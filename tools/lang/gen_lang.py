#!/usr/bin/env python3
# Writes the language files "quil.lng"/"quil.lnv" (English), "quil_<lang>.lng"/".lnv" (other
# languages), "quil.lnx" (character order) and the program's table of built-in format texts.
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import langsrc  # noqa: E402


def write_if_changed(path, data):
    try:
        with open(path, 'rb') as f:
            if f.read() == data:
                return
    except OSError:
        pass
    with open(path, 'wb') as f:
        f.write(data)


def format_table(texts):
    """C++ rows of the built-in form of every English text that holds a "%": id, length in
    characters (without the terminator; a text of 0-separated parts counts all its parts) and
    the characters."""
    lines = ['// Made by tools/lang/gen_lang.py from resources/lang/en: do not edit.',
             '// The English form of every text that holds "%" (the built-in form of format texts).']
    rows = []
    for ident in sorted(texts):
        if '%' not in texts[ident]:
            continue
        units = texts[ident].encode('utf-16-le')
        values = [units[i] | units[i + 1] << 8 for i in range(0, len(units), 2)]
        lines.append(f'static const char16_t LangFormat{ident}[] = {{' +
                     ', '.join('0x%X' % v for v in values + [0]) + '};')
        rows.append(f'    {{{ident}u, {len(values)}u, LangFormat{ident}}},')
    lines.append('static const LangFormatRow kLangFormats[] = {')
    lines += rows
    lines.append('    {0u, 0u, nullptr},')
    lines.append('};')
    lines.append(f'static const int kLangFormatCount = {len(rows)};')
    return ('\n'.join(lines) + '\n').encode('utf-8')


def output_base(lang):
    return 'quil' if lang == 'en' else f'quil_{lang}'


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('--src', required=True, help='resources/lang folder')
    ap.add_argument('--out', required=True, help='folder of the language files')
    ap.add_argument('--formats', help='C++ table of the built-in format texts to write')
    args = ap.parse_args()

    langs = sorted(d for d in os.listdir(args.src)
                   if os.path.isdir(os.path.join(args.src, d)) and not d.startswith('.'))
    if 'en' not in langs:
        print(f'{args.src}: no English texts (en)', file=sys.stderr)
        return 1
    try:
        texts = {lang: langsrc.read_language(os.path.join(args.src, lang)) for lang in langs}
        collation = langsrc.read_collation_source(os.path.join(args.src, 'collation.txt'))
    except (langsrc.SourceError, OSError) as e:
        print(f'error: {e}', file=sys.stderr)
        return 1

    for lang in langs:
        if lang == 'en':
            continue
        missing = sorted(set(texts['en']) - set(texts[lang]))
        extra = sorted(set(texts[lang]) - set(texts['en']))
        if missing or extra:
            print(f'warning: {lang} lacks ids {missing[:20]} and has extra ids {extra[:20]} '
                  f'compared with en', file=sys.stderr)

    os.makedirs(args.out, exist_ok=True)
    for lang in langs:
        t = texts[lang]
        base = output_base(lang)
        main_part = {i: s for i, s in t.items() if i < langsrc.SECOND_FIRST_ID}
        second_part = {i: s for i, s in t.items() if i >= langsrc.SECOND_FIRST_ID}
        write_if_changed(os.path.join(args.out, base + '.lng'),
                         langsrc.language_file_bytes(main_part, f'quil language texts ({lang}), ids 1-39999'))
        write_if_changed(os.path.join(args.out, base + '.lnv'),
                         langsrc.language_file_bytes(second_part, f'quil language texts ({lang}), ids from 40000'))
    write_if_changed(os.path.join(args.out, 'quil.lnx'),
                     langsrc.collation_file_bytes(collation, 'quil character order'))
    if args.formats:
        os.makedirs(os.path.dirname(args.formats), exist_ok=True)
        write_if_changed(args.formats, format_table(texts['en']))
    return 0


if __name__ == '__main__':
    sys.exit(main())
