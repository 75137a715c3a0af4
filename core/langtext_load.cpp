// Reading the language files "quil.lng" and "quil.lnv": the line reader over the stream, the
// "#" escapes, the id checks, the format check against the built-in forms, and table replacement.
#include "core/langtext_internal.h"
#include "core/misc.h"
#include "core/stream.h"

static const int RAW_LINE_UNITS = 2048;  // longer source lines are cut (and so is their text)

// Parse results (mapped to LANG_ERR_... by LoadLanguageFile).
enum { PARSE_OK = 0, PARSE_MEMORY = 1, PARSE_READ = 2, PARSE_SYNTAX = 3, PARSE_ORDER = 4 };

// ---- line reader --------------------------------------------------------------------------------
void LangLineReaderInit(LangLineReader* r) {
  r->line = 0;
  r->pending = -1;
  r->newlines = 0;
}

int LangReadLine(LangLineReader* r, char16_t* line, int capacity, int* length, int* cut) {
  uint32_t ch = 0;
  int rc;
  *length = 0;
  *cut = 0;
  line[0] = 0;
  for (;;) {  // skip characters below U+0020 before the line
    rc = StreamReadChar(&ch);
    if (rc == STREAM_ERR_EOF) return 1;
    if (rc) return 2;
    if (ch == 0x0A) r->newlines++;
    if (ch >= 0x20) break;
  }
  r->line = r->newlines + 1;
  int n = 0;
  for (;;) {
    if (n < capacity - 1)
      line[n++] = (char16_t)ch;
    else
      *cut = 1;
    rc = StreamReadChar(&ch);
    if (rc == STREAM_ERR_EOF) break;
    if (rc) {
      line[n] = 0;
      *length = n;
      return 2;
    }
    if (ch < 0x20) {
      if (ch == 0x0A) r->newlines++;
      break;
    }
  }
  line[n] = 0;
  *length = n;
  return 0;
}

// Next line that is not a comment (first character ";"): 0, 1 end of file, 2 read error.
static int ReadContentLine(LangLineReader* r, char16_t* line, int* length, int* cut) {
  for (;;) {
    int rc = LangReadLine(r, line, RAW_LINE_UNITS, length, cut);
    if (rc) return rc;
    if (line[0] != u';') return 0;
  }
}

// Decodes the escapes of a text line into text (LANG_TEXT_MAX + 1 units): the length, at most
// LANG_TEXT_MAX. Problems ("?" for a bad escape, a cut text) count warnings at `line`.
static int DecodeText(const char16_t* raw, int rawLength, int rawCut, char16_t* text, int line) {
  int n = 0, p = 0, over = 0;
  while (p < rawLength) {
    char16_t c = raw[p++];
    char16_t out[2];
    int outCount = 1, warn = 0;
    out[0] = c;
    if (c == u'#') {
      char16_t e = p < rawLength ? raw[p++] : 0;
      switch (e) {
        case u'n':
          out[0] = 13;
          out[1] = 10;
          outCount = 2;
          break;
        case u't': out[0] = 9; break;
        case u'H': out[0] = u'&'; break;
        case u'#': out[0] = u'#'; break;
        case u'0': out[0] = 0; break;
        case u'1': out[0] = u' '; break;
        case u'2':
          out[0] = u' ';
          out[1] = u' ';
          outCount = 2;
          break;
        case u'U': {
          int v = 0, ok = 1, k = 0;
          for (; k < 4 && p < rawLength; k++) {
            int h = HexDigitValue(raw[p++]);
            if (h < 0)
              ok = 0;
            else
              v = v * 16 + h;
          }
          if (k < 4) ok = 0;
          if (ok)
            out[0] = (char16_t)v;
          else {
            out[0] = u'?';
            warn = 1;
          }
          break;
        }
        default:
          out[0] = u'?';
          warn = 1;
          break;
      }
    }
    if (warn) LangWarn(line);
    if (outCount == 2 && n == LANG_TEXT_MAX - 1) {  // a pair meets the limit: one blank
      out[0] = u' ';
      outCount = 1;
      LangWarn(line);
    }
    if (n + outCount > LANG_TEXT_MAX) {
      over = 1;
      break;
    }
    for (int i = 0; i < outCount; i++) text[n++] = out[i];
  }
  if (over || rawCut) LangWarn(line);  // the rest of the line is dropped, not read as a line
  text[n] = 0;
  return n;
}

// Reads "%u" after leading blanks: 0 and the value, or 1 when there is no number.
static int ReadId(const char16_t* line, uint32_t* id) {
  int p = 0;
  while (line[p] == u' ') p++;
  if (line[p] < u'0' || line[p] > u'9') return 1;
  uint64_t v = 0;
  for (; line[p] >= u'0' && line[p] <= u'9'; p++) {
    v = v * 10 + (line[p] - u'0');
    if (v > 0xFFFFFFFFull) return 1;
  }
  *id = (uint32_t)v;
  return 0;
}

static int Parse(LangBuilder* b, int main, uint32_t* lastId, uint32_t* badId) {
  static char16_t raw[RAW_LINE_UNITS];
  char16_t text[LANG_TEXT_MAX + 1];
  LangLineReader r;
  int length, cut;
  uint32_t prev = 0;
  LangLineReaderInit(&r);
  for (;;) {
    int rc = ReadContentLine(&r, raw, &length, &cut);
    if (rc) return PARSE_READ;  // end of file before the "." line, or a read error
    if (raw[0] == u'.') return PARSE_OK;
    uint32_t id;
    if (ReadId(raw, &id)) return PARSE_SYNTAX;
    if (id == 0 || (main && id >= LANG_SECOND_FIRST_ID) || (!main && id < LANG_SECOND_FIRST_ID))
      return PARSE_SYNTAX;
    if (id <= prev) {
      *badId = id;
      return PARSE_ORDER;
    }
    rc = ReadContentLine(&r, raw, &length, &cut);
    if (rc) return PARSE_READ;
    int n = DecodeText(raw, length, cut, text, r.line);
    // A text the program uses as a format must keep the conversions of its built-in form.
    uint32_t builtinLength;
    const char16_t* builtin = FindBuiltinFormat(id, &builtinLength);
    if (builtin && !SameConversions(text, builtin)) {
      LangWarn(r.line);
      n = builtinLength > (uint32_t)LANG_TEXT_MAX ? LANG_TEXT_MAX : (int)builtinLength;
      for (int i = 0; i < n; i++) text[i] = builtin[i];
      text[n] = 0;
    }
    if (LangBuilderAppend(b, id, text, (uint32_t)n)) return PARSE_MEMORY;
    prev = id;
    *lastId = id;
  }
}

// Appends sep and the decimal value to text (capacity units).
static void AppendNumber(char16_t* text, int capacity, const char16_t* sep, uint32_t value) {
  int n = StringLength(text);
  for (; *sep && n < capacity - 1; sep++) text[n++] = *sep;
  char16_t digits[10];
  int d = FormatUnsignedDigits(digits, value, 1);
  for (int i = 0; i < d && n < capacity - 1; i++) text[n++] = digits[i];
  text[n] = 0;
}

// Info message 580: the first id that stands in only one of the two tables.
static void CompareTables(const uint8_t* oldData, uint32_t oldBytes, const uint8_t* newData,
                          uint32_t newBytes) {
  uint32_t a = 0, b = 0, only = 0;
  int found = 0;
  while (!found && (a < oldBytes || b < newBytes)) {
    const LangEntry* ea = a < oldBytes ? reinterpret_cast<const LangEntry*>(oldData + a) : nullptr;
    const LangEntry* eb = b < newBytes ? reinterpret_cast<const LangEntry*>(newData + b) : nullptr;
    if (ea && eb && ea->id == eb->id) {
      a += LangEntrySize(ea->length);
      b += LangEntrySize(eb->length);
      continue;
    }
    only = (!eb || (ea && ea->id < eb->id)) ? ea->id : eb->id;
    found = 1;
  }
  if (!found) return;
  char16_t msg[300];
  CopyStringLimited(msg, GetLangText(LANG_ID(3600)), 280);
  AppendNumber(msg, 300, u" ", only);
  LangReport(580, msg);
}

int LoadLanguageFile(const char16_t* fileName, int main) {
  LangClearCaches();
  LangResetWarnings();
  int rc = StreamOpenRead(fileName, STREAM_READ_NEED_MARK, FILE_KIND_PROGRAM);
  if (rc == STREAM_ERR_BAD_FILE) rc = StreamOpenRead(fileName, 0, FILE_KIND_PROGRAM);
  if (rc) return rc;

  LangBuilder b = {nullptr, 0, 0, 0};
  uint32_t lastId = 0, badId = 0;
  int parse = Parse(&b, main, &lastId, &badId);
  StreamCloseRead();

  if (parse != PARSE_OK) {
    LangBuilderFree(&b);
    char16_t msg[300];
    if (parse == PARSE_SYNTAX) {
      CopyStringLimited(msg, GetLangText(LANG_ID(3601)), 260);
      AppendNumber(msg, 300, u" ", lastId);
      LangReport(581, msg);
      return LANG_ERR_SYNTAX;
    }
    if (parse == PARSE_ORDER) {
      CopyStringLimited(msg, GetLangText(LANG_ID(3602)), 260);
      AppendNumber(msg, 300, u" ", lastId);
      AppendNumber(msg, 300, u",", badId);
      LangReport(582, msg);
      return LANG_ERR_SYNTAX;
    }
    return parse == PARSE_MEMORY ? LANG_ERR_MEMORY : LANG_ERR_READ;
  }

  LangTableState* t = main ? &LangMain : &LangSecond;
  uint8_t* oldData = t->data;
  uint32_t oldBytes = t->bytes;
  t->data = b.data;
  t->bytes = b.bytes;
  t->count = b.count;
  LangClearCaches();
  CopyStringLimited(t->fileName, fileName, (int)(sizeof t->fileName / sizeof t->fileName[0]));
  if (oldData) {
    CompareTables(oldData, oldBytes, t->data, t->bytes);
    MemFree(oldData);
  }
  return LANG_OK;
}
