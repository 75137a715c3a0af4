// Escape form of control codes in edit fields (the alphabet comes from language text 8300) and
// the name tokens of expressions (line, element and condition names).
#include "core/misc.h"
#include "core/langtext.h"

// Used when the language text is missing or too short to hold the whole alphabet.
static const char16_t kDefaultAlphabet[] = u"\\12345678U";
static const int kAlphabetLength = 10;
// Control codes written as escape letters 1..8 of the alphabet.
static const char16_t kLetterCodes[8] = {31, 30, 28, 29, 24, 25, 26, 27};

static const char16_t* EscapeAlphabet() {
  const char16_t* text = GetLangText(LANG_ID(8300));
  if (GetLangTextLength(LANG_ID(8300)) == 0 || StringLength(text) < kAlphabetLength)
    return kDefaultAlphabet;
  return text;
}

char16_t GetEscapeChar() { return EscapeAlphabet()[0]; }

static char16_t LetterForCode(char16_t code, const char16_t* alphabet) {
  for (int k = 0; k < 8; k++)
    if (kLetterCodes[k] == code) return alphabet[k + 1];
  return alphabet[0];
}

int EscapeControlCodesWith(char16_t* text, int capacity, const char16_t* alphabet) {
  if (!text || capacity < 1) return 1;
  const char16_t esc = alphabet[0];
  int result = 0;
  int length = StringLength(text);
  if (length > capacity - 1) {
    text[capacity - 1] = 0;
    length = capacity - 1;
    result = 1;
  }
  int i = 0;
  while (i < length) {
    char16_t c = text[i];
    if ((c >= 0x20 && c != esc) || c == u'\r' || c == u'\n') {
      i++;
      continue;
    }
    if (i + 1 > capacity - 2) {  // no room for the pair: the text ends here
      text[i] = 0;
      return 1;
    }
    if (length + 1 <= capacity - 1) {
      MoveMem(text + i + 2, text + i + 1, (size_t)(length - i) * sizeof(char16_t));  // with 0
      length++;
    } else {  // the last character drops out
      MoveMem(text + i + 2, text + i + 1, (size_t)(length - i - 2) * sizeof(char16_t));
      result = 1;
    }
    text[i + 1] = LetterForCode(c, alphabet);
    text[i] = esc;
    i += 2;
  }
  return result;
}

int HexDigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// The value of up to four hexadecimal digits at s (all four characters must exist); -1 when
// fewer than four characters follow or no digit stands first.
static int32_t ReadHex4(const char16_t* s) {
  for (int k = 0; k < 4; k++)
    if (s[k] == 0) return -1;
  int32_t value = 0;
  int digits = 0;
  for (; digits < 4; digits++) {
    int h = HexDigitValue(s[digits]);
    if (h < 0) break;
    value = value * 16 + h;
  }
  return digits ? value : -1;
}

void UnescapeControlCodesWith(char16_t* text, const char16_t* alphabet) {
  if (!text) return;
  const char16_t esc = alphabet[0];
  int r = 0, w = 0;
  while (text[r]) {
    char16_t c = text[r];
    if (c == esc && text[r + 1] != 0) {
      char16_t next = text[r + 1];
      char16_t upper = CharToUpper(next);
      if (next == esc) {
        text[w++] = esc;
        r += 2;
        continue;
      }
      int k = 1;
      while (k <= 8 && CharToUpper(alphabet[k]) != upper) k++;
      if (k <= 8) {
        text[w++] = kLetterCodes[k - 1];
        r += 2;
        continue;
      }
      if (CharToUpper(alphabet[9]) == upper) {
        int32_t value = ReadHex4(text + r + 2);
        if (value > 0) {
          text[w++] = (char16_t)value;
          r += 6;
          continue;
        }
      }
    }
    text[w++] = c;  // an ordinary character (a lone escape character stays)
    r++;
  }
  text[w] = 0;
}

int EscapeControlCodes(char16_t* text, int capacity) {
  return EscapeControlCodesWith(text, capacity, EscapeAlphabet());
}

void UnescapeControlCodes(char16_t* text) { UnescapeControlCodesWith(text, EscapeAlphabet()); }

// ---- names -------------------------------------------------------------------------------------
static const char16_t kReservedNameChars[32] = {
    u'<',   u'>',   u'[',   u']',   u'{',   u'}',   u':',   u';',   u'=',   u'?',   u'@',
    u'\\',  u'^',   u'|',   u'~',   0x007F, u'`',   0x2018, 0x2019, 0x201A, 0x201B, 0x201C,
    0x201D, 0x201E, 0x201F, 0x2039, 0x203A, 0xFEFF, 0xFFFE, 0xFFFF, 0x2028, 0x2029};

int IsNameChar(char16_t ch) {
  if (ch < u'-') return 0;
  for (char16_t r : kReservedNameChars)
    if (ch == r) return 0;
  return 1;
}

static int EndsUnquotedName(char16_t c) {
  return c == 0 || c == u',' || c == u' ' || c == u'+' || c == u'&' || c == u'|' || c == u'!' ||
         c == u'(' || c == u')';
}

int ScanNameToken(const char16_t* text, char16_t* name, int* consumed, char16_t* badChar,
                  int maxLength) {
  int skipped = 0;
  while (text[skipped] && !IsNameChar(text[skipped]) && text[skipped] != u'*' &&
         text[skipped] != u'"')
    skipped++;
  const char16_t* start = text + skipped;
  int quoted = (*start == u'"');
  if (quoted) start++;
  int length = 0;
  int star = 0;
  int result = NAME_OK;
  for (;; length++) {
    char16_t c = start[length];
    if (quoted) {
      if (c == 0) {
        result = NAME_UNCLOSED_QUOTE;
        break;
      }
      if (c == u'"') break;
    } else if (EndsUnquotedName(c)) {
      break;
    }
    if (!IsNameChar(c) && c != u'*') {
      if (badChar) *badChar = c;
      result = NAME_BAD_CHAR;
      break;
    }
    if (length >= maxLength) {
      result = NAME_TOO_LONG;
      break;
    }
    if (c == u'*') star = 1;
    name[length] = c;
  }
  if (maxLength >= 0) name[length <= maxLength ? length : maxLength] = 0;
  if (consumed) *consumed = skipped + length + (quoted ? 1 : 0);
  if (result != NAME_OK) return result;
  if (length == 0) return NAME_NONE;
  if (star) {
    if (length == 1) return NAME_STAR;
    if (badChar) *badChar = start[length];
    return NAME_BAD_CHAR;
  }
  return NAME_OK;
}
