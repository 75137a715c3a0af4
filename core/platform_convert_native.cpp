// Text conversion of the native build: Windows-1252 (the default ANSI code page), ISO 8859-1,
// US-ASCII and UTF-8, so the conversion rules can be exercised without the platform.
#include "core/platform.h"

// Windows-1252 bytes 0x80..0x9F (0 = undefined, converted as the same code point)
static const char16_t kCp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

static int ActiveCodePage(int setting) {
  if (setting == 28591 || setting == 20127 || setting == 65001) return setting;
  return 1252;
}

// Encodes one code point into out (at most 4 bytes); returns the byte count.
static int EncodeOne(int cp, uint32_t c, char* out) {
  if (cp == 65001) {
    if (c < 0x80) {
      out[0] = (char)c;
      return 1;
    }
    if (c < 0x800) {
      out[0] = (char)(0xC0 | (c >> 6));
      out[1] = (char)(0x80 | (c & 0x3F));
      return 2;
    }
    if (c < 0x10000) {
      out[0] = (char)(0xE0 | (c >> 12));
      out[1] = (char)(0x80 | ((c >> 6) & 0x3F));
      out[2] = (char)(0x80 | (c & 0x3F));
      return 3;
    }
    out[0] = (char)(0xF0 | (c >> 18));
    out[1] = (char)(0x80 | ((c >> 12) & 0x3F));
    out[2] = (char)(0x80 | ((c >> 6) & 0x3F));
    out[3] = (char)(0x80 | (c & 0x3F));
    return 4;
  }
  if (c < 0x80) {
    out[0] = (char)c;
    return 1;
  }
  if (cp == 20127) {
    out[0] = '?';
    return 1;
  }
  if (cp == 28591) {
    out[0] = c < 0x100 ? (char)c : '?';
    return 1;
  }
  if (c >= 0xA0 && c < 0x100) {
    out[0] = (char)c;
    return 1;
  }
  for (int i = 0; i < 32; i++)
    if (kCp1252High[i] == c || (kCp1252High[i] == 0 && c == 0x80u + i)) {
      out[0] = (char)(0x80 + i);
      return 1;
    }
  out[0] = '?';
  return 1;
}

int WideToMultiByte(const char16_t* text, char* out, int outBytes) {
  return WideToMultiByteN(text, -1, out, outBytes);
}

int WideToMultiByteN(const char16_t* text, int limit, char* out, int outBytes) {
  if (outBytes < 1 || !out) return 0;
  int cp = ActiveCodePage(CpUniAnsi);
  int used = 0;
  for (int i = 0; text && (limit < 0 || i < limit) && text[i];) {
    uint32_t c = text[i];
    int units = 1;
    // The unit after the limit is never read (the text need not be terminated there); a high
    // surrogate at the limit is the first half of a pair that does not fit.
    if (c >= 0xD800 && c <= 0xDBFF && limit >= 0 && i + 1 >= limit) break;
    if (c >= 0xD800 && c <= 0xDBFF && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      units = 2;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = cp == 65001 ? 0xFFFD : '?';
    }
    char bytes[4];
    int n = EncodeOne(cp, c, bytes);
    if (used + n > outBytes - 1) break;  // never cut a character: stop before it
    for (int k = 0; k < n; k++) out[used + k] = bytes[k];
    used += n;
    i += units;
  }
  out[used] = 0;
  return used + 1;
}

// Decodes one character at s (UTF-8); returns bytes consumed, code point in *c.
static int DecodeUtf8(const unsigned char* s, uint32_t* c) {
  unsigned char b = s[0];
  int n = b < 0x80             ? 1
          : (b & 0xE0) == 0xC0 ? 2
          : (b & 0xF0) == 0xE0 ? 3
          : (b & 0xF8) == 0xF0 ? 4
                               : 0;
  if (n == 0) {
    *c = 0xFFFD;
    return 1;
  }
  uint32_t v = n == 1 ? b : n == 2 ? (b & 0x1F) : n == 3 ? (b & 0x0F) : (b & 0x07);
  for (int k = 1; k < n; k++) {
    if ((s[k] & 0xC0) != 0x80) {
      *c = 0xFFFD;
      return k;
    }
    v = (v << 6) | (s[k] & 0x3F);
  }
  *c = v > 0x10FFFF ? 0xFFFD : v;
  return n;
}

int MultiByteToWide(const char* text, char16_t* out, int outUnits) {
  if (outUnits < 1 || !out) return 0;
  int cp = ActiveCodePage(CpAnsiUni);
  const unsigned char* s = (const unsigned char*)(text ? text : "");
  int used = 0;
  while (*s) {
    uint32_t c;
    int consumed = 1;
    if (cp == 65001)
      consumed = DecodeUtf8(s, &c);
    else if (*s < 0x80 || cp == 28591 || *s >= 0xA0)
      c = (cp == 20127 && *s >= 0x80) ? 0xFFFD : *s;
    else
      c = kCp1252High[*s - 0x80] ? kCp1252High[*s - 0x80] : *s;
    int need = c >= 0x10000 ? 2 : 1;
    if (used + need > outUnits - 1) break;
    if (need == 2) {
      out[used++] = (char16_t)(0xD800 + ((c - 0x10000) >> 10));
      out[used++] = (char16_t)(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out[used++] = (char16_t)c;
    }
    s += consumed;
  }
  out[used] = 0;
  return used + 1;
}

// Code page 437 bytes 0x80..0xFF in Windows-1252 ('?' where it has no such character).
static const uint8_t kOem437To1252[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE, 0xEC, 0xC4, 0xC5,
    0xC9, 0xE6, 0xC6, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xFF, 0xD6, 0xDC, 0xA2, 0xA3, 0xA5, 0x3F, 0x83,
    0xE1, 0xED, 0xF3, 0xFA, 0xF1, 0xD1, 0xAA, 0xBA, 0xBF, 0x3F, 0xAC, 0xBD, 0xBC, 0xA1, 0xAB, 0xBB,
    0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F,
    0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F,
    0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F,
    0x3F, 0xDF, 0x3F, 0x3F, 0x3F, 0x3F, 0xB5, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F, 0x3F,
    0x3F, 0xB1, 0x3F, 0x3F, 0x3F, 0x3F, 0xF7, 0x3F, 0xB0, 0x3F, 0xB7, 0x3F, 0x3F, 0xB2, 0x3F, 0xA0};

void WrapOemToCharBuff(char* text, int length) {
  for (int i = 0; text && i < length; i++) {
    uint8_t b = (uint8_t)text[i];
    if (b >= 0x80) text[i] = (char)kOem437To1252[b - 0x80];
  }
}
