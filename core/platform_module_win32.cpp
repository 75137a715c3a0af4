// Win32 wrappers of the module calls, icons and the window search: wide or ANSI by UnicodeFlag.
#include "core/platform_ansi_win32.h"
#include "core/platform_ui.h"

WrapInstance WrapGetModuleHandle(const char16_t* name) {
  if (UnicodeFlag) return GetModuleHandleW(WTEXT(name));
  char a[WRAP_ANSI_BUF];
  LPCSTR n;
  if (AnsiText(name, a, &n) < 0) return nullptr;
  return GetModuleHandleA(n);
}

uint32_t WrapGetModuleFileName(WrapInstance module, char16_t* buf, uint32_t maxChars) {
  if (!buf || maxChars < 1) return 0;
  buf[0] = 0;
  if (UnicodeFlag) {
    DWORD n = GetModuleFileNameW((HMODULE)module, WBUF(buf), maxChars);
    if (n >= maxChars) n = maxChars - 1;  // cut: the system may leave it unterminated
    buf[n] = 0;
    return n;
  }
  char a[WRAP_ANSI_BUF];
  DWORD n = GetModuleFileNameA((HMODULE)module, a, sizeof a);
  if (n == 0) return 0;
  a[n < sizeof a ? n : sizeof a - 1] = 0;
  MultiByteToWide(a, buf, (int)(maxChars > WRAP_ANSI_MAX ? WRAP_ANSI_MAX : maxChars));
  return (uint32_t)StringLength(buf);
}

WrapIcon WrapLoadIcon(WrapInstance instance, const char16_t* name) {
  if (UnicodeFlag) return LoadIconW((HINSTANCE)instance, WTEXT(name));
  char a[WRAP_ANSI_BUF];
  LPCSTR n;
  if (AnsiName(name, a, &n) < 0) return nullptr;
  return LoadIconA((HINSTANCE)instance, n);
}

WrapWindow WrapFindWindowEx(WrapWindow parent, WrapWindow after, const char16_t* className,
                            const char16_t* title) {
  if (UnicodeFlag) return FindWindowExW((HWND)parent, (HWND)after, WTEXT(className), WTEXT(title));
  char c[WRAP_ANSI_BUF], t[WRAP_ANSI_BUF];
  LPCSTR cn, tn;
  if (AnsiName(className, c, &cn) < 0 || AnsiText(title, t, &tn) < 0) return nullptr;
  return FindWindowExA((HWND)parent, (HWND)after, cn, tn);
}
