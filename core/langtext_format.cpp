// Texts used as printf formats: conversion lists and the built-in English form of every text
// that holds "%" (generated from the text sources at build time into lang_formats.inc).
#include "core/langtext_internal.h"

struct LangFormatRow {
  uint32_t id;
  uint32_t length;  // characters without the terminator (all 0-separated parts)
  const char16_t* text;
};

// Defines kLangFormats[] (ascending ids, ended by a row with id 0) and kLangFormatCount.
#include "lang_formats.inc"

const char16_t* FindBuiltinFormat(uint32_t id, uint32_t* length) {
  int lo = 0, hi = kLangFormatCount - 1;
  if (length) *length = 0;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    uint32_t v = kLangFormats[mid].id;
    if (v == id) {
      if (length) *length = kLangFormats[mid].length;
      return kLangFormats[mid].text;
    }
    if (v < id)
      lo = mid + 1;
    else
      hi = mid - 1;
  }
  return nullptr;
}

int BuiltinFormatCount() { return kLangFormatCount; }

static int IsIn(char16_t ch, const char* set) {
  for (; *set; set++)
    if (ch == (char16_t)(unsigned char)*set) return 1;
  return 0;
}

// Reads one conversion after its "%" at text[*pos]; appends its canonical form to out.
// Returns 0, 1 malformed, 2 no room. "%%" appends nothing.
static int ReadConversion(const char16_t* text, int* pos, char16_t* out, int* outLen, int cap) {
  int p = *pos;
  char16_t form[12];
  int n = 0;
  if (text[p] == u'%') {
    *pos = p + 1;
    return 0;
  }
  form[n++] = u'%';
  while (text[p] && IsIn(text[p], "-+ #0'")) p++;
  if (text[p] == u'*') {
    form[n++] = u'*';
    p++;
  } else
    while (text[p] >= u'0' && text[p] <= u'9') p++;
  if (text[p] == u'.') {
    p++;
    if (text[p] == u'*') {
      form[n++] = u'*';
      p++;
    } else
      while (text[p] >= u'0' && text[p] <= u'9') p++;
  }
  // Length modifiers.
  if (text[p] == u'h' && text[p + 1] == u'h') {
    form[n++] = u'h';
    form[n++] = u'h';
    p += 2;
  } else if (text[p] == u'l' && text[p + 1] == u'l') {
    form[n++] = u'l';
    form[n++] = u'l';
    p += 2;
  } else if (text[p] == u'I' && text[p + 1] == u'6' && text[p + 2] == u'4') {
    form[n++] = u'I';
    form[n++] = u'6';
    form[n++] = u'4';
    p += 3;
  } else if (text[p] == u'I' && text[p + 1] == u'3' && text[p + 2] == u'2') {
    form[n++] = u'I';
    form[n++] = u'3';
    form[n++] = u'2';
    p += 3;
  } else if (text[p] && IsIn(text[p], "hlLqjztIw"))
    form[n++] = text[p++];
  if (!text[p] || !IsIn(text[p], "diouxXeEfFgGaAcCsSp")) return 1;
  form[n++] = text[p++];
  if (*outLen + n >= cap) return 2;
  for (int i = 0; i < n; i++) out[(*outLen)++] = form[i];
  out[*outLen] = 0;
  *pos = p;
  return 0;
}

int ConversionSignature(const char16_t* text, char16_t* out, int capacity) {
  int len = 0;
  if (capacity < 1) return 1;
  out[0] = 0;
  for (int p = 0; text[p];) {
    if (text[p] != u'%') {
      p++;
      continue;
    }
    p++;
    if (ReadConversion(text, &p, out, &len, capacity)) return 1;
  }
  return 0;
}

int SameConversions(const char16_t* a, const char16_t* b) {
  char16_t sa[256], sb[256];
  if (ConversionSignature(a, sa, 256) || ConversionSignature(b, sb, 256)) return 0;
  for (int i = 0;; i++) {
    if (sa[i] != sb[i]) return 0;
    if (!sa[i]) return 1;
  }
}
