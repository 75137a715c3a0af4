// Text through the file stream: characters read as narrow bytes or UTF-16 in either byte order
// (byte-order marks followed), characters and lines written in the chosen encoding.
#include "core/stream.h"
#include "core/stream_internal.h"
#include "core/platform.h"

// The character a narrow write puts in place of one the code page cannot give as one byte
// (the default character of the ANSI code pages).
static const uint8_t kNarrowReplacement = '?';

void StreamSetReadEncoding(uint8_t first, uint8_t second) {
  if (first == 0xFF && second == 0xFE)
    StreamSetReadEncodingValue(STREAM_ENC_UTF16LE);
  else if (first == 0xFE && second == 0xFF)
    StreamSetReadEncodingValue(STREAM_ENC_UTF16BE);
  else
    StreamSetReadEncodingValue(STREAM_ENC_NARROW);
}

int StreamReadChar(uint32_t* out) {
  for (;;) {
    uint8_t b0, b1;
    int rc = StreamReadByte(&b0);
    if (rc) return rc;
    int enc = StreamGetReadEncoding();
    if (enc == STREAM_ENC_NARROW) {
      *out = b0;
      return STREAM_OK;
    }
    rc = StreamReadByte(&b1);
    if (rc) return rc;
    uint32_t ch = enc == STREAM_ENC_UTF16LE ? (uint32_t)(b0 | b1 << 8) : (uint32_t)(b0 << 8 | b1);
    if (ch == 0xFEFF) continue;  // the mark in the current order
    if (ch == 0xFFFE) {          // the mark in the other order: switch for the rest
      StreamSetReadEncodingValue(enc == STREAM_ENC_UTF16LE ? STREAM_ENC_UTF16BE
                                                           : STREAM_ENC_UTF16LE);
      continue;
    }
    if (ch == 0x2028 || ch == 0x2029 || ch == 0xFFFF) continue;
    *out = ch;
    return STREAM_OK;
  }
}

// One character as one byte of the configured code page. A character the code page gives as
// more than one byte (a double-byte code page, UTF-8) becomes the replacement character, so a
// narrow file never holds half a character.
static int WriteNarrowChar(char16_t ch) {
  if (ch == 0xFEFF || ch == 0xFFFE) return STREAM_OK;
  if (ch == 0) return StreamWriteByte(0);
  char16_t text[2] = {ch, 0};
  char bytes[16];
  int n = WideToMultiByte(text, bytes, (int)sizeof bytes) - 1;
  return StreamWriteByte(n == 1 ? (uint8_t)bytes[0] : kNarrowReplacement);
}

int StreamWriteChar(char16_t ch) {
  int enc = StreamWriteEncodingBits();
  if (enc == 0) enc = UnicodeFlag ? STREAM_WRITE_UTF16LE : STREAM_WRITE_NARROW;
  if (enc == STREAM_WRITE_NARROW) return WriteNarrowChar(ch);
  uint8_t lo = (uint8_t)(ch & 0xFF), hi = (uint8_t)(ch >> 8);
  int rc = StreamWriteByte(enc == STREAM_WRITE_UTF16BE ? hi : lo);
  return rc ? rc : StreamWriteByte(enc == STREAM_WRITE_UTF16BE ? lo : hi);
}

int StreamWriteNewline() {
  int rc = StreamWriteChar(u'\r');
  return rc ? rc : StreamWriteChar(u'\n');
}

int StreamWriteText(const char16_t* text) {
  if (!text) return STREAM_OK;
  for (int i = 0; text[i]; i++) {
    char16_t c = text[i];
    int rc;
    if (c == u'\r' || c == u'\n') {
      char16_t other = c == u'\r' ? u'\n' : u'\r';
      if (text[i + 1] == other) i++;  // CR LF or LF CR: one line end
      rc = StreamWriteNewline();
    } else {
      rc = StreamWriteChar(c);
    }
    if (rc) return rc;
  }
  return STREAM_OK;
}

int StreamWriteRule() {
  int rc = StreamWriteNewline();
  for (int i = 0; !rc && i < 60; i++) rc = StreamWriteChar(u'-');
  return rc ? rc : StreamWriteNewline();
}
