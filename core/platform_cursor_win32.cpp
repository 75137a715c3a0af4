// Win32 build, cursors and scroll bars group.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

WrapCursor WrapLoadCursor(WrapInstance instance, const char16_t* name) {
  if (UnicodeFlag) return LoadCursorW((HINSTANCE)instance, WTEXT(name));
  char a[WRAP_ANSI_BUF];
  LPCSTR n;
  if (AnsiName(name, a, &n) < 0) return nullptr;
  return LoadCursorA((HINSTANCE)instance, n);
}

int WrapDestroyCursor(WrapCursor cursor) { return DestroyCursor((HCURSOR)cursor); }
WrapCursor WrapSetCursor(WrapCursor cursor) { return SetCursor((HCURSOR)cursor); }
int WrapGetCursorPos(WrapPoint* point) { return GetCursorPos((POINT*)point); }
int WrapSetScrollRange(WrapWindow window, int bar, int minimum, int maximum, int redraw) {
  return SetScrollRange((HWND)window, bar, minimum, maximum, redraw);
}
int WrapSetScrollInfo(WrapWindow window, int bar, const void* scrollInfo, int redraw) {
  return SetScrollInfo((HWND)window, bar, (LPCSCROLLINFO)scrollInfo, redraw);
}
int WrapSetScrollPos(WrapWindow window, int bar, int position, int redraw) {
  return SetScrollPos((HWND)window, bar, position, redraw);
}
int WrapShowScrollBar(WrapWindow window, int bar, int show) {
  return ShowScrollBar((HWND)window, bar, show);
}
