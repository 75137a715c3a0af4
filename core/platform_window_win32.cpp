// Win32 build, windows group: window classes, creating and placing windows, focus, painting
// rectangles and window texts (names follow the ANSI rule in ANSI mode).
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

static_assert(sizeof(WrapRect) == sizeof(RECT) && sizeof(WrapPoint) == sizeof(POINT), "shapes");

uint16_t WrapRegisterClassEx(const void* wndClassEx) {
  const WNDCLASSEXW* w = (const WNDCLASSEXW*)wndClassEx;
  if (UnicodeFlag) return RegisterClassExW(w);
  WNDCLASSEXA a;
  char className[WRAP_ANSI_BUF], menuName[WRAP_ANSI_BUF];
  a.cbSize = sizeof a;
  a.style = w->style;
  a.lpfnWndProc = w->lpfnWndProc;
  a.cbClsExtra = w->cbClsExtra;
  a.cbWndExtra = w->cbWndExtra;
  a.hInstance = w->hInstance;
  a.hIcon = w->hIcon;
  a.hCursor = w->hCursor;
  a.hbrBackground = w->hbrBackground;
  a.hIconSm = w->hIconSm;
  if (AnsiName((const char16_t*)w->lpszClassName, className, &a.lpszClassName) < 0) return 0;
  if (AnsiName((const char16_t*)w->lpszMenuName, menuName, &a.lpszMenuName) < 0) return 0;
  return RegisterClassExA(&a);
}

WrapWindow WrapCreateWindowEx(uint32_t exStyle, const char16_t* className,
                              const char16_t* windowName, uint32_t style, int x, int y, int width,
                              int height, WrapWindow parent, WrapMenu menu, WrapInstance instance,
                              void* param) {
  if (UnicodeFlag)
    return CreateWindowExW(exStyle, WTEXT(className), WTEXT(windowName), style, x, y, width, height,
                           (HWND)parent, (HMENU)menu, (HINSTANCE)instance, param);
  char c[WRAP_ANSI_BUF], n[WRAP_ANSI_BUF];
  LPCSTR ac, an;
  if (AnsiName(className, c, &ac) < 0 || AnsiText(windowName, n, &an) < 0) return nullptr;
  return CreateWindowExA(exStyle, ac, an, style, x, y, width, height, (HWND)parent, (HMENU)menu,
                         (HINSTANCE)instance, param);
}

WrapWindow WrapCreateWindow(const char16_t* className, const char16_t* windowName, uint32_t style,
                            int x, int y, int width, int height, WrapWindow parent, WrapMenu menu,
                            WrapInstance instance, void* param) {
  return WrapCreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menu,
                            instance, param);
}

int WrapDestroyWindow(WrapWindow window) { return DestroyWindow((HWND)window); }
int WrapShowWindow(WrapWindow window, int command) { return ShowWindow((HWND)window, command); }
int WrapUpdateWindow(WrapWindow window) { return UpdateWindow((HWND)window); }
int WrapEnableWindow(WrapWindow window, int enable) { return EnableWindow((HWND)window, enable); }
int WrapIsWindowEnabled(WrapWindow window) { return IsWindowEnabled((HWND)window); }
intptr_t WrapGetWindowLong(WrapWindow window, int index) {
  return GetWindowLongPtrA((HWND)window, index);
}
intptr_t WrapSetWindowLong(WrapWindow window, int index, intptr_t value) {
  return SetWindowLongPtrA((HWND)window, index, value);
}
int WrapGetWindowPlacement(WrapWindow window, void* placement) {
  return GetWindowPlacement((HWND)window, (WINDOWPLACEMENT*)placement);
}
int WrapGetClientRect(WrapWindow window, WrapRect* rect) {
  return GetClientRect((HWND)window, (RECT*)rect);
}
int WrapGetWindowRect(WrapWindow window, WrapRect* rect) {
  return GetWindowRect((HWND)window, (RECT*)rect);
}
int WrapMoveWindow(WrapWindow window, int x, int y, int width, int height, int repaint) {
  return MoveWindow((HWND)window, x, y, width, height, repaint);
}
int WrapClientToScreen(WrapWindow window, WrapPoint* point) {
  return ClientToScreen((HWND)window, (POINT*)point);
}
int WrapScreenToClient(WrapWindow window, WrapPoint* point) {
  return ScreenToClient((HWND)window, (POINT*)point);
}
WrapWindow WrapGetActiveWindow() { return GetActiveWindow(); }
WrapWindow WrapSetActiveWindow(WrapWindow window) { return SetActiveWindow((HWND)window); }
WrapWindow WrapSetFocus(WrapWindow window) { return SetFocus((HWND)window); }
int WrapInvalidateRect(WrapWindow window, const WrapRect* rect, int erase) {
  return InvalidateRect((HWND)window, (const RECT*)rect, erase);
}
int WrapValidateRect(WrapWindow window, const WrapRect* rect) {
  return ValidateRect((HWND)window, (const RECT*)rect);
}

WrapLResult WrapDefWindowProc(WrapWindow window, uint32_t message, WrapWParam wParam,
                              WrapLParam lParam) {
  if (UnicodeFlag) return DefWindowProcW((HWND)window, message, wParam, lParam);
  return DefWindowProcA((HWND)window, message, wParam, lParam);
}

int WrapSetWindowText(WrapWindow window, const char16_t* text) {
  return (int)WrapSendMessage(window, WM_SETTEXT, 0, (WrapLParam)text);
}

int WrapGetWindowText(WrapWindow window, char16_t* buf, int maxChars) {
  return (int)WrapSendMessage(window, WM_GETTEXT, (WrapWParam)maxChars, (WrapLParam)buf);
}
