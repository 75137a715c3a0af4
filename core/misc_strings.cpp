// Wide-string and memory primitives of the utility module, case mapping through the platform
// layer, and the comparing and searching of texts (locale order or the character order).
#include <cstring>
#include "core/misc.h"
#include "core/platform.h"
#include "core/langtext.h"
#include "core/msgbox.h"

// ---- memory ------------------------------------------------------------------------------------
void CopyMem(void* dst, const void* src, size_t n) {
  if (n) memcpy(dst, src, n);
}
void MoveMem(void* dst, const void* src, size_t n) {
  if (n) memmove(dst, src, n);
}
void FillMem(void* dst, int value, size_t n) {
  if (n) memset(dst, value, n);
}
int CompareMem(const void* a, const void* b, size_t n) { return n ? memcmp(a, b, n) : 0; }

void FillChars(char16_t* dst, char16_t ch, size_t n) {
  for (size_t i = 0; i < n; i++) dst[i] = ch;
}

// ---- strings -----------------------------------------------------------------------------------
char16_t* CopyString(char16_t* dst, const char16_t* src) {
  char16_t* d = dst;
  while ((*d++ = *src++) != 0) {}
  return dst;
}

int CopyStringLimited(char16_t* dst, const char16_t* src, int capacity) {
  int n = 0;
  for (; src && src[n] && n < capacity - 1; n++) dst[n] = src[n];
  dst[n] = 0;
  return n;
}

char* CopyStringA(char* dst, const char* src) {
  char* d = dst;
  while ((*d++ = *src++) != 0) {}
  return dst;
}

char16_t* AppendString(char16_t* dst, const char16_t* src) {
  CopyString(dst + StringLength(dst), src);
  return dst;
}

int StringLength(const char16_t* s) {
  if (!s) return 0;
  int n = 0;
  while (s[n]) n++;
  return n;
}

const char16_t* FindChar(const char16_t* s, char16_t ch) {
  for (; *s; s++)
    if (*s == ch) return s;
  return ch == 0 ? s : nullptr;
}

char16_t* FindChar(char16_t* s, char16_t ch) {
  return const_cast<char16_t*>(FindChar(static_cast<const char16_t*>(s), ch));
}

int CountLeadingBlanks(const char16_t* s) {
  int n = 0;
  while (s[n] == u' ') n++;
  return n;
}

int CountLeadingBlanksA(const char* s) {
  int n = 0;
  while (s[n] == ' ') n++;
  return n;
}

int StripLeadingBlanks(char16_t* s) {
  int n = CountLeadingBlanks(s);
  if (n) MoveMem(s, s + n, (size_t)(StringLength(s + n) + 1) * sizeof(char16_t));
  return n;
}

int StripLeadingBlanksA(char* s) {
  int n = CountLeadingBlanksA(s);
  if (n) memmove(s, s + n, strlen(s + n) + 1);
  return n;
}

int IsBlankString(const char16_t* s) {
  for (; *s; s++)
    if (*s > u' ') return 0;
  return 1;
}

int CountTextLines(const char16_t* s) {
  if (!s) return 0;
  int n = 1;
  for (; *s; s++)
    if (*s == u'\r') n++;
  return n;
}

int CountTextLinesA(const char* s) {
  if (!s) return 0;
  int n = 1;
  for (; *s; s++)
    if (*s == '\r') n++;
  return n;
}

void SwapCharBytes(char16_t* s) {
  for (; *s; s++) *s = (char16_t)((*s >> 8) | (*s << 8));
}

int CountBits(uint32_t v) {
  int n = 0;
  for (; v; v &= v - 1) n++;
  return n;
}

int CompareStringsNoCaseA(const char* a, const char* b) {
  return WrapLstrcmpiA(a + CountLeadingBlanksA(a), b + CountLeadingBlanksA(b));
}

int PointInRect(int x, int y, int left, int top, int right, int bottom) {
  return left <= x && x <= right && top <= y && y <= bottom;
}

int PointInBox(int x, int y, int level, int x1, int y1, int level1, int x2, int y2, int level2) {
  return x1 <= x && x <= x2 && y1 <= y && y <= y2 && level1 <= level && level <= level2;
}

// ---- case mapping ------------------------------------------------------------------------------
char16_t CharToUpper(char16_t ch) { return WrapCharUpper(ch); }
char16_t CharToLower(char16_t ch) { return WrapCharLower(ch); }
int IsUpperChar(char16_t ch) { return WrapIsCharUpper(ch) ? 1 : 0; }
int IsLowerChar(char16_t ch) { return WrapIsCharLower(ch) ? 1 : 0; }

void StringToUpper(char16_t* s) {
  for (; *s; s++) *s = WrapCharUpper(*s);
}

void StringToUpperA(char* s) { WrapCharUpperA(s); }

// ---- comparing ---------------------------------------------------------------------------------
// Texts of this many characters or more cannot be compared in ANSI mode.
static const int kAnsiCompareLimit = 361;
// Work buffer of StrStr2 for the mapped pattern.
static const int kPatternBuffer = 300;

int LocaleCompare(const char16_t* a, const char16_t* b, int ignoreCase) {
  if (!UnicodeFlag) {
    if (StringLength(a) >= kAnsiCompareLimit) {
      ShowTraceBox(u"Non-Unicode Support Error: lstrcmpi (1)");
      return 0;
    }
    if (StringLength(b) >= kAnsiCompareLimit) {
      ShowTraceBox(u"Non-Unicode Support Error: lstrcmpi (2)");
      return 0;
    }
  }
  return ignoreCase ? WrapLstrcmpi(a, b) : WrapLstrcmp(a, b);
}

int CompareStrings(const char16_t* a, const char16_t* b, int options) {
  if (options & CMPS_SKIP_BLANKS) {
    a += CountLeadingBlanks(a);
    b += CountLeadingBlanks(b);
  }
  int ignoreCase = options & CMPS_IGNORE_CASE;
  if (!(options & CMPS_BY_KEYS)) {
    int r = LocaleCompare(a, b, ignoreCase);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
  }
  for (;; a++, b++) {
    if (*a == 0) return *b ? -1 : 0;
    if (*b == 0) return 1;
    char16_t ka = MapCollationKey(*a, ignoreCase);
    char16_t kb = MapCollationKey(*b, ignoreCase);
    if (ka != kb) return ka < kb ? -1 : 1;
  }
}

// ---- searching ---------------------------------------------------------------------------------
static int MatchAt(const char16_t* text, const char16_t* pattern, int length, int options) {
  int ignoreCase = options & STRSTR_IGNORE_CASE;
  for (int i = 0; i < length; i++) {
    char16_t t = text[i], p = pattern[i];
    if (options & STRSTR_BY_KEYS) {
      t = MapCollationKey(t, ignoreCase);
    } else if (ignoreCase) {
      t = CharToUpper(t);
      p = CharToUpper(p);
    }
    if (t != p) return 0;
  }
  return 1;
}

int StrStr2(const char16_t* text, int textLength, const char16_t* pattern, int patternLength,
            int options) {
  if (patternLength <= 0 || !text || !pattern) return -1;
  char16_t mapped[kPatternBuffer];
  if (options & STRSTR_BY_KEYS) {
    if (patternLength > kPatternBuffer) {
      ShowTraceBox(u"MISC.StrStr2().Bufsize error");
      return -1;
    }
    for (int i = 0; i < patternLength; i++)
      mapped[i] = MapCollationKey(pattern[i], options & STRSTR_IGNORE_CASE);
    pattern = mapped;
  }
  if (patternLength > textLength) return -1;
  int wholeWord = options & STRSTR_WHOLE_WORD;
  int pos = 0;
  while (patternLength <= textLength - pos) {
    if (wholeWord) {
      while (pos < textLength && text[pos] == u' ') pos++;
      if (patternLength > textLength - pos) break;
    }
    if (MatchAt(text + pos, pattern, patternLength, options)) {
      int end = pos + patternLength;
      if (!wholeWord || end >= textLength || text[end] < 0x21) return pos;
    }
    pos++;
    if (wholeWord)
      while (pos < textLength && text[pos] > 0x20) pos++;
  }
  return -1;
}
