// Win32 build: the platform's plain message box; in ANSI mode text and title are cut to 259
// characters instead of failing.
#include "core/platform.h"
#include <windows.h>

int WrapMessageBox(WrapWindow owner, const char16_t* text, const char16_t* title, unsigned style) {
  if (UnicodeFlag) return MessageBoxW((HWND)owner, (LPCWSTR)text, (LPCWSTR)title, style);
  char t[WRAP_ANSI_BUF], c[WRAP_ANSI_BUF];
  int hasText = WrapAnsiArgCut(text, t, sizeof t, WRAP_ANSI_MAX - 1);
  int hasTitle = WrapAnsiArgCut(title, c, sizeof c, WRAP_ANSI_MAX - 1);
  return MessageBoxA((HWND)owner, hasText > 0 ? t : nullptr, hasTitle > 0 ? c : nullptr, style);
}
