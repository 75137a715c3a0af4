// Parser of the program's command line. Tokens are measured in place and copied only when they
// fit their buffers; a name or path that does not fit is an error, never a longer copy.
#include "app/cmdline.h"

static int IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

static char16_t Upper(char16_t c) { return (c >= u'a' && c <= u'z') ? (char16_t)(c - 32) : c; }

// 1 when the len characters at s equal word (ASCII, case ignored, word in upper case).
static int EqualsWord(const char16_t* s, int len, const char* word) {
  int i = 0;
  for (; i < len && word[i]; i++)
    if (Upper(s[i]) != (char16_t)word[i]) return 0;
  return i == len && word[i] == 0;
}

// 1 when the token starts with prefix (case ignored).
static int StartsWith(const char16_t* s, int len, const char* prefix) {
  int i = 0;
  for (; prefix[i]; i++)
    if (i >= len || Upper(s[i]) != (char16_t)prefix[i]) return 0;
  return 1;
}

// Reads an integer the way "%i" does (blanks, sign, 0x hex, leading 0 octal, else decimal)
// from at most len characters. Returns 1 and the value when at least one digit was read.
static int ReadInt(const char16_t* s, int len, int32_t* value) {
  int i = 0;
  while (i < len && IsBlank(s[i])) i++;
  int neg = 0;
  if (i < len && (s[i] == u'+' || s[i] == u'-')) {
    neg = s[i] == u'-';
    i++;
  }
  int base = 10;
  int digits = 0;
  if (i < len && s[i] == u'0') {
    base = 8;
    if (i + 2 < len && Upper(s[i + 1]) == u'X') {
      char16_t h = Upper(s[i + 2]);
      if ((h >= u'0' && h <= u'9') || (h >= u'A' && h <= u'F')) {
        base = 16;
        i += 2;
      }
    }
  }
  int64_t v = 0;
  for (; i < len; i++) {
    char16_t c = Upper(s[i]);
    int d;
    if (c >= u'0' && c <= u'9')
      d = c - u'0';
    else if (c >= u'A' && c <= u'F')
      d = c - u'A' + 10;
    else
      break;
    if (d >= base) break;
    if (v < 0x100000000LL) v = v * base + d;
    digits++;
  }
  if (!digits) return 0;
  if (neg) v = -v;
  *value = (int32_t)v;
  return 1;
}

// Copies len characters into a buffer of CMDL_PATH_CHARS; 1 when it does not fit.
static int CopyToken(char16_t* dst, const char16_t* src, int len) {
  if (len < 0 || len >= CMDL_PATH_CHARS) {
    dst[0] = 0;
    return 1;
  }
  for (int i = 0; i < len; i++) dst[i] = src[i];
  dst[len] = 0;
  return 0;
}

static const char* const kLanguageSwitches[6] = {"LE", "LD", "LFR", "LNL", "LPL", "LES"};

uint32_t ParseCommandLineText(const char16_t* text, CommandLineArgs* out) {
  out->programPath[0] = 0;
  out->networkFile[0] = 0;
  out->optionFile[0] = 0;
  out->firstZoom = 0;
  out->titleNumber = -1;
  out->language = -1;
  if (!text) return 0;

  uint32_t flags = 0;
  const char16_t* p = text;
  while (IsBlank(*p)) p++;

  // Program path: quoted up to the next quote, else up to the first blank; cut to fit.
  const char16_t* start;
  int len;
  if (*p == u'"') {
    start = ++p;
    while (*p && *p != u'"') p++;
    len = (int)(p - start);
    if (*p == u'"') p++;
  } else {
    start = p;
    while (*p && !IsBlank(*p)) p++;
    len = (int)(p - start);
  }
  if (len >= CMDL_PATH_CHARS) len = CMDL_PATH_CHARS - 1;
  CopyToken(out->programPath, start, len);

  int haveFile = 0, haveN = 0, haveStop = 0, haveTitle = 0, haveZoom = 0, haveI = 0, haveLang = 0;
  for (;;) {
    while (IsBlank(*p)) p++;
    if (!*p) break;
    if (*p != u'/' && *p != u'-') {
      // Network file name.
      if (*p == u'"') {
        start = ++p;
        while (*p && *p != u'"') p++;
        len = (int)(p - start);
        if (*p == u'"')
          p++;
        else
          len = -1;  // no closing quote
      } else {
        start = p;
        while (*p && !IsBlank(*p)) p++;
        len = (int)(p - start);
      }
      if (haveFile) {
        flags |= CMDL_ERROR;
      } else {
        haveFile = 1;
        if (len <= 0 || CopyToken(out->networkFile, start, len))
          flags |= CMDL_ERROR;
        else
          flags |= CMDL_FILE;
      }
      continue;
    }
    p++;
    while (IsBlank(*p)) p++;
    start = p;
    while (*p && !IsBlank(*p)) p++;
    len = (int)(p - start);

    if (EqualsWord(start, len, "Q")) {
      if (flags & (CMDL_NO_TITLE | CMDL_TITLE_NUMBER)) flags |= CMDL_ERROR;
      flags |= CMDL_NO_TITLE;
    } else if (EqualsWord(start, len, "N")) {
      if (haveN) flags |= CMDL_ERROR;
      haveN = 1;
      flags |= CMDL_NO_DEMO;
    } else if (EqualsWord(start, len, "STOP")) {
      if (haveStop) flags |= CMDL_ERROR;
      haveStop = 1;
      flags |= CMDL_STOP;
    } else if (StartsWith(start, len, "TNR=")) {
      int32_t n;
      if ((flags & CMDL_NO_TITLE) || haveTitle || !ReadInt(start + 4, len - 4, &n) || n < 0) {
        flags |= CMDL_ERROR;
      } else {
        out->titleNumber = n;
        flags |= CMDL_TITLE_NUMBER;
      }
      haveTitle = 1;
    } else if (StartsWith(start, len, "Z=N")) {
      int32_t n;
      if (haveZoom || !ReadInt(start + 3, len - 3, &n) || (n != 1 && n != 2)) {
        flags |= CMDL_ERROR;
      } else {
        out->firstZoom = n;
        flags |= CMDL_ZOOM;
      }
      haveZoom = 1;
    } else if (StartsWith(start, len, "I=\"")) {
      // The path may hold blanks: it runs from after the quote to the closing quote.
      p = start + 3;
      while (IsBlank(*p)) p++;
      const char16_t* path = p;
      while (*p && *p != u'"') p++;
      int plen = (int)(p - path);
      int closed = *p == u'"';
      if (closed) p++;
      if (haveI || !closed || CopyToken(out->optionFile, path, plen))
        flags |= CMDL_ERROR;
      else
        flags |= CMDL_OPTION_FILE;
      haveI = 1;
    } else {
      int lang = -1;
      for (int i = 0; i < 6; i++)
        if (EqualsWord(start, len, kLanguageSwitches[i])) lang = i;
      if (lang < 0 || haveLang) {
        flags |= CMDL_ERROR;
      } else {
        out->language = lang;
      }
      if (lang >= 0) haveLang = 1;
    }
  }
  if (flags & CMDL_FILE) flags |= CMDL_NO_DEMO;
  return flags;
}

int UiLanguageFromLangId(uint32_t langId) {
  switch (langId & 0x3FF) {
    case 7: return 1;   // German
    case 10: return 5;  // Spanish
    case 12: return 2;  // French
    case 19: return 3;  // Dutch
    case 21: return 4;  // Polish
  }
  return 0;
}
