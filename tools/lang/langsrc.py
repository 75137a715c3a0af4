# Language text sources and the program's language files: reading the UTF-8 sources
# (resources/lang/<lang>/*.txt), writing and reading "quil.lng"/"quil.lnv"/"quil.lnx".
import os
import re

TEXT_MAX = 249          # UTF-16 units of one text after escapes
SECOND_FIRST_ID = 40000  # ids from here go to the ".lnv" file

ENTRY_RE = re.compile(r'^(\d+)[ \t](.*)$')

# Units the program's stream reader never hands to the parser when it reads UTF-16: byte-order
# marks (U+FFFE also switches the byte order), the line and paragraph separators and U+FFFF.
# A text that holds one is written with its "#U" escape.
STREAM_SKIPPED = '\ufeff\ufffe\u2028\u2029\uffff'


class SourceError(Exception):
    pass


def utf16_units(text):
    return len(text.encode('utf-16-le')) // 2


def decode_escapes(raw, where):
    """Source text -> program text; raises SourceError for a bad escape."""
    out = []
    i = 0
    while i < len(raw):
        c = raw[i]
        i += 1
        if c != '#':
            out.append(c)
            continue
        if i >= len(raw):
            raise SourceError(f'{where}: "#" at the end of the text (write "##")')
        e = raw[i]
        i += 1
        simple = {'n': '\r\n', 't': '\t', 'H': '&', '#': '#', '0': '\0', '1': ' ', '2': '  '}
        if e in simple:
            out.append(simple[e])
        elif e == 'U':
            h = raw[i:i + 4]
            if len(h) != 4 or not re.fullmatch(r'[0-9A-Fa-f]{4}', h):
                raise SourceError(f'{where}: "#U" needs four hexadecimal digits')
            out.append(chr(int(h, 16)))
            i += 4
        else:
            raise SourceError(f'{where}: unknown escape "#{e}"')
    return ''.join(out)


# ---- printf conversions (the same rules as the program's ConversionSignature) -------------------
CONV_RE = re.compile(r"%(?:%|[-+ #0']*(\*|\d*)(?:\.(\*|\d*))?(hh|ll|I64|I32|[hlLqjztIw])?([diouxXeEfFgGaAcCsSp])?)")


def conversion_signature(text):
    """Canonical conversion list ("%u%s") of a text, or None when a conversion is malformed.
    The text counts up to its first character 0, as a formatter sees it."""
    text = text.split('\0', 1)[0]
    sig = []
    i = 0
    while True:
        i = text.find('%', i)
        if i < 0:
            return ''.join(sig)
        m = CONV_RE.match(text, i)
        if m.group(0) == '%%':
            i += 2
            continue
        if not m.group(4):
            return None
        form = '%'
        if m.group(1) == '*':
            form += '*'
        if m.group(2) == '*':
            form += '*'
        form += (m.group(3) or '') + m.group(4)
        sig.append(form)
        i = m.end()


# ---- sources ------------------------------------------------------------------------------------
def read_source_file(path, texts, origin):
    """Adds the entries of one source file to texts (id -> text); origin (id -> place) finds
    duplicates."""
    with open(path, encoding='utf-8-sig') as f:
        lines = f.read().split('\n')
    for n, line in enumerate(lines, 1):
        line = line.rstrip('\r')
        where = f'{path}:{n}'
        stripped = line.lstrip(' \t')
        if not stripped or stripped.startswith('#'):
            continue
        m = ENTRY_RE.match(line)
        if not m:
            raise SourceError(f'{where}: expected "<id> <text>"')
        ident = int(m.group(1))
        raw = m.group(2)
        if ident < 1 or ident > 0xFFFFFFFF:
            raise SourceError(f'{where}: id {ident} out of range')
        if raw == '':
            raise SourceError(f'{where}: empty text (write "#0" for an empty text)')
        if raw != raw.rstrip(' \t'):
            raise SourceError(f'{where}: blank at the end of the text (write "#1")')
        text = decode_escapes(raw, where)
        if utf16_units(text) > TEXT_MAX:
            raise SourceError(f'{where}: text longer than {TEXT_MAX} characters')
        if '%' in text and conversion_signature(text) is None:
            raise SourceError(f'{where}: malformed "%" conversion (write "%%" for a percent sign)')
        if ident in texts:
            raise SourceError(f'{where}: id {ident} already defined at {origin[ident]}')
        texts[ident] = text
        origin[ident] = where


def read_language(folder):
    texts, origin = {}, {}
    for name in sorted(os.listdir(folder)):
        if name.endswith('.txt'):
            read_source_file(os.path.join(folder, name), texts, origin)
    return texts


def read_collation_source(path):
    """Lines "k: x, y" -> list of lines for the program file, each "k: x, y" with one blank
    after the colon and ", " between the characters (a tab would end the line there)."""
    entries = []
    with open(path, encoding='utf-8-sig') as f:
        for n, line in enumerate(f.read().split('\n'), 1):
            line = line.strip(' \t\r')
            if not line or line.startswith('#'):
                continue
            m = re.fullmatch(r'(\S)\s*:\s*(.+)', line)
            chars = [c for c in re.sub(r'[\s,]+', '', m.group(2))] if m else []
            if not chars:
                raise SourceError(f'{path}:{n}: expected "<key>: <characters>"')
            if any(c in STREAM_SKIPPED or ord(c) > 0xFFFF for c in [m.group(1)] + chars):
                raise SourceError(f'{path}:{n}: a character the program cannot read here')
            entries.append(f'{m.group(1)}: ' + ', '.join(chars))
    return entries


# ---- program files ------------------------------------------------------------------------------
def encode_text(text):
    """Program text -> one text line of a language file."""
    out = []
    i = 0
    while i < len(text):
        c = text[i]
        if c == '\r' and text[i + 1:i + 2] == '\n':
            out.append('#n')
            i += 2
            continue
        if c == '#':
            out.append('##')
        elif c == '\t':
            out.append('#t')
        elif c == '\0':
            out.append('#0')
        elif ord(c) < 0x20 or c in STREAM_SKIPPED or (i == 0 and c == ';'):
            out.append('#U%04X' % ord(c))
        else:
            out.append(c)
        i += 1
    return ''.join(out)


def language_file_bytes(texts, header):
    lines = [f'; {header}']
    for ident in sorted(texts):
        lines.append(str(ident))
        lines.append(encode_text(texts[ident]))
    lines.append('.')
    return b'\xff\xfe' + ('\r\n'.join(lines) + '\r\n').encode('utf-16-le')


def collation_file_bytes(entries, header):
    lines = [f'; {header}'] + entries + ['.']
    return b'\xff\xfe' + ('\r\n'.join(lines) + '\r\n').encode('utf-16-le')


def stream_units(data):
    """The characters the program's stream reader gives for a UTF-16 file with a byte-order
    mark: marks are dropped (the reversed mark switches the byte order for the rest), and so
    are U+2028, U+2029 and U+FFFF."""
    little = data[:2] == b'\xff\xfe'
    out = []
    for i in range(0, len(data) - 1, 2):
        unit = data[i] | data[i + 1] << 8 if little else data[i] << 8 | data[i + 1]
        if unit == 0xFFFE:
            little = not little
        elif chr(unit) not in STREAM_SKIPPED:
            out.append(chr(unit))
    return ''.join(out).encode('utf-16-le', 'surrogatepass').decode('utf-16-le', 'surrogatepass')


def read_language_file(path):
    """Reads a program language file (UTF-16 with mark or narrow) the way the program does,
    strictly: any problem raises SourceError. Returns id -> text."""
    with open(path, 'rb') as f:
        data = f.read()
    if data[:2] in (b'\xff\xfe', b'\xfe\xff'):
        chars = stream_units(data)
    else:
        chars = data.decode('latin-1')
    lines = [ln for ln in re.split(r'[\x00-\x1f]+', chars) if ln and not ln.startswith(';')]
    texts = {}
    i = 0
    prev = 0
    while True:
        if i >= len(lines):
            raise SourceError(f'{path}: no "." end line')
        if lines[i].startswith('.'):
            return texts
        m = re.match(r' *(\d+)', lines[i])
        if not m or i + 1 >= len(lines):
            raise SourceError(f'{path}: bad id line "{lines[i]}"')
        ident = int(m.group(1))
        if ident <= prev:
            raise SourceError(f'{path}: id {ident} not above {prev}')
        texts[ident] = decode_escapes(lines[i + 1], f'{path}: id {ident}')
        prev = ident
        i += 2
