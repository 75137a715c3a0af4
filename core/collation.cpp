// The character-order table from "quil.lnx": which characters count as one key character when
// texts are searched and sorted (MapCollationKey).
#include "core/langtext_internal.h"
#include "core/misc.h"
#include "core/stream.h"

static const int COLLATION_LINE_UNITS = 1024;

// Builds one entry from a line "k: x, y z": 0 appended, 1 skipped, 2 out of memory.
static int ParseCollationLine(LangBuilder* b, const char16_t* line) {
  int p = 0;
  while (line[p] == u' ') p++;
  char16_t key = line[p];
  if (key <= 0x20) return 1;
  p++;
  while (line[p] == u' ') p++;
  if (line[p] != u':') return 1;
  p++;
  char16_t chars[COLLATION_LINE_UNITS];
  uint32_t n = 0;
  for (; line[p]; p++) {
    char16_t c = line[p];
    if (c < 0x21 || c == u',') continue;
    chars[n++] = CharToUpper(c);
  }
  if (n == 0) return 1;
  return LangBuilderAppend(b, CharToLower(key), chars, n) ? 2 : 0;
}

// Info message `number`: the language text, a colon, a blank and "quil.lnx" in double quotes.
static void ReportCollationFile(int number, uint32_t textId) {
  char16_t msg[300];
  CopyStringLimited(msg, GetLangText(textId), 281);
  AppendString(msg, u": \"quil.lnx\"");
  LangReport(number, msg);
}

int LoadCollationFile() {
  LangResetWarnings();
  static const char16_t name[] = u"quil.lnx";
  int rc = StreamOpenRead(name, STREAM_READ_NEED_MARK, FILE_KIND_PROGRAM);
  if (rc) {
    ReportCollationFile(583, LANG_ID(3613));
    return 1;
  }
  LangBuilder b = {nullptr, 0, 0, 0};
  LangLineReader r;
  static char16_t line[COLLATION_LINE_UNITS];
  int length, cut, result = 0;
  LangLineReaderInit(&r);
  for (;;) {
    rc = LangReadLine(&r, line, COLLATION_LINE_UNITS, &length, &cut);
    if (rc) {
      result = 2;
      break;
    }  // read error, or no "." line before the end
    if (line[0] == u'.') break;
    if (cut) LangWarn(r.line);
    if (ParseCollationLine(&b, line) == 2) {
      result = 2;
      break;
    }
  }
  StreamCloseRead();
  if (result) {
    LangBuilderFree(&b);
    ReportCollationFile(584, LANG_ID(3614));
    return 2;
  }
  LangFreeTable(&LangCollation);
  LangCollation.data = b.data;
  LangCollation.bytes = b.bytes;
  LangCollation.count = b.count;
  return 0;
}

char16_t MapCollationKey(char16_t ch, int ignoreCase) {
  if (LangCollation.data) {
    char16_t up = CharToUpper(ch);
    uint32_t off = 0;
    while (off + 8 <= LangCollation.bytes) {
      const LangEntry* e = reinterpret_cast<const LangEntry*>(LangCollation.data + off);
      const char16_t* s = LangEntryText(e);
      for (uint32_t i = 0; i + 1 < e->length; i++) {
        if (s[i] != up) continue;
        char16_t key = (char16_t)e->id;
        if (ignoreCase || IsUpperChar(ch)) return CharToUpper(key);
        return key;
      }
      off += LangEntrySize(e->length);
    }
  }
  return ignoreCase ? CharToUpper(ch) : ch;
}
