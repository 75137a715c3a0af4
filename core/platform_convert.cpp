// Mode flag, code-page settings and the ANSI rule for text arguments of the platform calls.
// The conversions themselves are per build (platform_convert_native / _win32).
#include "core/platform.h"

int UnicodeFlag = 1;
int CpAnsiUni = -1;
int CpUniAnsi = -1;

void SetConversionCodePages(int ansiToUni, int uniToAnsi) {
  CpAnsiUni = ansiToUni;
  CpUniAnsi = uniToAnsi;
}

static int WideLength(const char16_t* text, int limit) {
  int n = 0;
  while (n < limit && text[n]) n++;
  return n;
}

int WrapAnsiArg(const char16_t* text, char* buf) {
  if (!text) return 0;
  if (WideLength(text, WRAP_ANSI_MAX) >= WRAP_ANSI_MAX) return -1;
  WideToMultiByte(text, buf, WRAP_ANSI_BUF);
  return 1;
}

int WrapAnsiArgCut(const char16_t* text, char* buf, int bufBytes, int maxChars) {
  if (!text) return 0;
  if (bufBytes < 1) return -1;
  WideToMultiByteN(text, WideLength(text, maxChars), buf, bufBytes);
  return 1;
}
