// The info-box window procedure on a real window: keys, commands and every mouse button are
// swallowed, so that nothing reaches what lies below the box (no application command either).
#include <windows.h>
#include <gtest/gtest.h>
#include "app/infobox.h"

namespace {

// What the platform's default handling makes of the input: a context menu, an application
// command, a system command (Alt+F4 closes). Counted per window kind.
struct Made {
  int contextMenus = 0, appCommands = 0, sysCommands = 0;
};
Made ByBox, ByDefault;

LRESULT Count(Made* m, UINT message) {
  if (message == WM_CONTEXTMENU) m->contextMenus++;
  if (message == WM_APPCOMMAND) m->appCommands++;
  if (message == WM_SYSCOMMAND) m->sysCommands++;
  return 0;
}

LRESULT CALLBACK BoxRecorder(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_CONTEXTMENU || message == WM_APPCOMMAND || message == WM_SYSCOMMAND)
    return Count(&ByBox, message);
  return (LRESULT)InfoBoxWndProc(w, message, (uintptr_t)wp, (intptr_t)lp);
}

LRESULT CALLBACK DefaultRecorder(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_CONTEXTMENU || message == WM_APPCOMMAND || message == WM_SYSCOMMAND)
    return Count(&ByDefault, message);
  return DefWindowProcW(w, message, wp, lp);
}

HWND MakeWindow(const wchar_t* cls, WNDPROC proc) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = cls;
  RegisterClassExW(&wc);
  return CreateWindowExW(0, cls, L"box", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 200, 96,
                         nullptr, nullptr, wc.hInstance, nullptr);
}

// The input that default handling turns into commands: right button up, the X buttons and
// Alt+F4; the posted results are taken from the queue.
void Feed(HWND w) {
  const LPARAM alt = (LPARAM)1 << 29;
  SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
  SendMessageW(w, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
  SendMessageW(w, WM_XBUTTONDOWN, MAKEWPARAM(0, XBUTTON1), MAKELPARAM(5, 5));
  SendMessageW(w, WM_XBUTTONUP, MAKEWPARAM(0, XBUTTON1), MAKELPARAM(5, 5));
  SendMessageW(w, WM_SYSKEYDOWN, VK_F4, alt | 1);
  MSG m;
  while (PeekMessageW(&m, w, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
}
}  // namespace

// Keys, commands and every mouse button are swallowed by the box: what the same input makes of a
// window with default handling (a context menu, an application command, a system command) never
// comes from the box.
TEST(InfoBoxWin32, KeysCommandsAndMouseButtonsAreSwallowed) {
  HWND box = MakeWindow(L"QuilInfoBoxTest", BoxRecorder);
  HWND plain = MakeWindow(L"QuilDefaultTest", DefaultRecorder);
  if (!box || !plain) GTEST_SKIP() << "no window could be made (no display)";
  Feed(plain);
  Feed(box);
  EXPECT_GT(ByDefault.contextMenus, 0);
  EXPECT_GT(ByDefault.appCommands, 0);
  EXPECT_GT(ByDefault.sysCommands, 0);
  EXPECT_EQ(ByBox.contextMenus, 0);
  EXPECT_EQ(ByBox.appCommands, 0);
  EXPECT_EQ(ByBox.sysCommands, 0);
  const UINT swallowed[] = {WM_KEYDOWN,      WM_KEYUP,         WM_CHAR,          WM_SYSKEYDOWN,
                            WM_COMMAND,      WM_LBUTTONDOWN,   WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                            WM_RBUTTONDOWN,  WM_RBUTTONUP,     WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                            WM_MBUTTONUP,    WM_MBUTTONDBLCLK, WM_XBUTTONDOWN,   WM_XBUTTONUP,
                            WM_XBUTTONDBLCLK};
  for (UINT m : swallowed) EXPECT_EQ(SendMessageW(box, m, 0, MAKELPARAM(5, 5)), 0) << std::hex << m;
  DestroyWindow(box);
  DestroyWindow(plain);
  UnregisterClassW(L"QuilInfoBoxTest", GetModuleHandleW(nullptr));
  UnregisterClassW(L"QuilDefaultTest", GetModuleHandleW(nullptr));
}
