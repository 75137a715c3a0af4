// Win32 build, system group: command line, system information, system parameters, metrics,
// locale information and the text test.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

const char16_t* WrapGetCommandLine() { return (const char16_t*)GetCommandLineW(); }

void WrapGetSystemInfo(void* systemInfo) { GetSystemInfo((SYSTEM_INFO*)systemInfo); }

int WrapSystemParametersInfo(uint32_t action, uint32_t param, void* value, uint32_t winIni) {
  if (UnicodeFlag) return SystemParametersInfoW(action, param, value, winIni);
  if (action != SPI_GETWORKAREA) return 0;
  return SystemParametersInfoA(action, param, value, winIni);
}

int WrapGetSystemMetrics(int index) { return GetSystemMetrics(index); }
int WrapMulDiv(int number, int numerator, int denominator) {
  return MulDiv(number, numerator, denominator);
}
uint16_t WrapGetUserDefaultLangID() { return GetUserDefaultLangID(); }
uint32_t WrapGetUserDefaultLCID() { return GetUserDefaultLCID(); }

int WrapGetLocaleInfo(uint32_t locale, uint32_t type, char16_t* buf, int maxChars) {
  if (UnicodeFlag) return GetLocaleInfoW(locale, type, WBUF(buf), maxChars);
  if (maxChars > 1000 || maxChars < 0) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  char a[2 * 1000 + 2];
  int n = GetLocaleInfoA(locale, type, a, sizeof a);
  if (n <= 0) return 0;
  if (maxChars == 0) return n;  // the size asked for (bytes, enough for the characters)
  return MultiByteToWide(a, buf, maxChars);
}

int WrapIsTextUnicode(const void* data, int bytes, int* flags) {
  INT f = flags ? *flags : 0;
  BOOL r = IsTextUnicode(data, bytes, flags ? &f : nullptr);
  if (flags) *flags = f;
  return r;
}
