// Win32 build: UTF-16 <-> ANSI conversion with the configured code pages; a result that does not
// fit is cut before the first character that would not fit, and always terminated.
#include "core/platform.h"
#include <windows.h>

static UINT CodePage(int setting) { return setting == -1 ? CP_ACP : (UINT)setting; }

static int CharUnits(const char16_t* s, int i, int limit) {
  if (s[i] >= 0xD800 && s[i] <= 0xDBFF && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF &&
      (limit < 0 || i + 2 <= limit))
    return 2;
  return 1;
}

int WideToMultiByte(const char16_t* text, char* out, int outBytes) {
  return WideToMultiByteN(text, -1, out, outBytes);
}

int WideToMultiByteN(const char16_t* text, int limit, char* out, int outBytes) {
  if (outBytes < 1 || !out) return 0;
  out[0] = 0;
  if (!text) return 1;
  int len = 0;
  while ((limit < 0 || len < limit) && text[len]) len++;  // nothing past the limit is read
  if (len > 0 && limit >= 0 && len == limit && text[len - 1] >= 0xD800 && text[len - 1] <= 0xDBFF)
    len--;
  if (len == 0 || outBytes == 1) return 1;  // (a size of 0 would ask the platform for the length)
  UINT cp = CodePage(CpUniAnsi);
  const WCHAR* w = (const WCHAR*)text;
  int n = WideCharToMultiByte(cp, 0, w, len, out, outBytes - 1, nullptr, nullptr);
  if (n > 0) {
    out[n] = 0;
    return n + 1;
  }
  // Too long (or an unknown code page): add one character at a time while it fits.
  int used = 0;
  char bytes[16];
  for (int i = 0; i < len;) {
    int units = CharUnits(text, i, len);
    int k = WideCharToMultiByte(cp, 0, w + i, units, bytes, sizeof bytes, nullptr, nullptr);
    if (k <= 0 || used + k > outBytes - 1) break;
    CopyMemory(out + used, bytes, k);
    used += k;
    i += units;
  }
  out[used] = 0;
  return used + 1;
}

int MultiByteToWide(const char* text, char16_t* out, int outUnits) {
  if (outUnits < 1 || !out) return 0;
  out[0] = 0;
  if (!text || !text[0]) return 1;
  UINT cp = CodePage(CpAnsiUni);
  WCHAR* w = (WCHAR*)out;
  int n = MultiByteToWideChar(cp, MB_PRECOMPOSED, text, -1, w, outUnits);
  if (n > 0) return n;
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
    n = MultiByteToWideChar(cp, 0, text, -1, w, outUnits);  // code pages without MB_PRECOMPOSED
    if (n > 0) return n;
  }
  // Too long: convert the whole text into a temporary block and keep what fits.
  int need = MultiByteToWideChar(cp, 0, text, -1, nullptr, 0);
  if (need <= 0) return 1;
  WCHAR* tmp = (WCHAR*)HeapAlloc(GetProcessHeap(), 0, sizeof(WCHAR) * need);
  if (!tmp) return 1;
  MultiByteToWideChar(cp, 0, text, -1, tmp, need);
  int keep = outUnits - 1;
  if (keep > 0 && tmp[keep - 1] >= 0xD800 && tmp[keep - 1] <= 0xDBFF) keep--;
  CopyMemory(w, tmp, sizeof(WCHAR) * keep);
  w[keep] = 0;
  HeapFree(GetProcessHeap(), 0, tmp);
  return keep + 1;
}

void WrapOemToCharBuff(char* text, int length) {
  if (text && length > 0) OemToCharBuffA(text, text, (DWORD)length);
}
