// Escaped free texts in copy-text lines (info texts and line descriptions).
#include "elements/info_escape.h"
#include "core/misc.h"
#include "elements/element_store.h"

static int NeedsEscape(char16_t c) { return c < 32 || c == 0x2028 || c == 0x2029 || c == u'\\'; }

int EscapeInfoText(const char16_t* text, int capacity) {
  int n = capacity < INFO_TEXT_MAX ? capacity : INFO_TEXT_MAX;
  if (n <= 0) return 0;
  static const char16_t kHex[] = u"0123456789abcdef";
  char16_t line[INFO_LINE_WRITE + 8];
  int k = 0;
  for (int i = 0; i < n; i++) {
    char16_t c = i == n - 1 ? 0 : text[i];
    if (NeedsEscape(c)) {
      line[k++] = u'\\';
      for (int s = 12; s >= 0; s -= 4) line[k++] = kHex[(c >> s) & 15];
    } else {
      line[k++] = c;
    }
    if (k >= INFO_LINE_WRITE) {
      line[k] = 0;
      int r = AppendCopyLine(line);
      if (r) return r;
      k = 0;
    }
  }
  if (k) {
    line[k] = 0;
    return AppendCopyLine(line);
  }
  return 0;
}

int UnescapeInfoText(int* lineIndex, char16_t* out, int n) {
  if (n > INFO_TEXT_MAX) n = INFO_TEXT_MAX;
  char16_t line[INFO_LINE_READ + 1];
  int at = 0;
  line[0] = 0;
  for (int i = 0; i < n; i++) {
    if (!line[at]) {
      if (ReadCopyLine((*lineIndex)++, INFO_LINE_READ, line)) return 2;
      at = 0;
      if (!line[0]) return 2;  // an empty line holds no unit
    }
    char16_t c = line[at++];
    if (c == u'\\') {
      int v = 0;
      for (int d = 0; d < 4; d++) {
        int h = HexDigitValue(line[at]);
        if (h < 0) return 2;
        v = v * 16 + h;
        at++;
      }
      c = (char16_t)v;
    }
    out[i] = c;
  }
  return 0;
}
