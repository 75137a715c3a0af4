// The trace file: each call appends one line of UTF-16 little-endian text with CR LF to
// "R27KTR.000" in the current folder.
#include "core/trace.h"
#include "core/platform.h"

int AppendTraceFile(const char16_t* text) {
  FILE* f = WrapFopen(u"R27KTR.000", u"ab");
  if (!f) return -1;
  unsigned char bytes[256];
  int n = 0;
  for (int i = 0; text && text[i]; i++) {
    bytes[n++] = (unsigned char)(text[i] & 0xFF);
    bytes[n++] = (unsigned char)(text[i] >> 8);
    if (n == (int)sizeof bytes) {
      fwrite(bytes, 1, n, f);
      n = 0;
    }
  }
  static const unsigned char crlf[4] = {0x0D, 0x00, 0x0A, 0x00};
  if (n) fwrite(bytes, 1, n, f);
  fwrite(crlf, 1, sizeof crlf, f);
  return WrapFclose(f);
}
