// The info-box window procedure on a real window: keys, commands and every mouse button are
// swallowed, so that nothing reaches what lies below the box (no application command either).
#include <windows.h>
#include <gtest/gtest.h>
#include "app/infobox.h"

namespace {

int AppCommands = 0;

LRESULT CALLBACK Recorder(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_APPCOMMAND) AppCommands++;
  return (LRESULT)InfoBoxWndProc(w, message, (uintptr_t)wp, (intptr_t)lp);
}

TEST(InfoBoxWin32, KeysCommandsAndMouseButtonsAreSwallowed) {
  WNDCLASSEXW wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Recorder;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuilInfoBoxTest";
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, L"QuilInfoBoxTest", L"box", WS_OVERLAPPED | WS_CAPTION, 0, 0, 200, 96,
                           nullptr, nullptr, wc.hInstance, nullptr);
  if (!w) GTEST_SKIP() << "no window could be made (no display)";
  const UINT swallowed[] = {WM_KEYDOWN,      WM_KEYUP,         WM_CHAR,          WM_SYSKEYDOWN,
                            WM_COMMAND,      WM_LBUTTONDOWN,   WM_LBUTTONUP,     WM_LBUTTONDBLCLK,
                            WM_RBUTTONDOWN,  WM_RBUTTONUP,     WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                            WM_MBUTTONUP,    WM_MBUTTONDBLCLK, WM_XBUTTONDOWN,   WM_XBUTTONUP,
                            WM_XBUTTONDBLCLK};
  AppCommands = 0;
  for (UINT m : swallowed) {
    WPARAM wp = (m >= WM_XBUTTONDOWN && m <= WM_XBUTTONDBLCLK) ? MAKEWPARAM(0, XBUTTON1) : 0;
    EXPECT_EQ(SendMessageW(w, m, wp, MAKELPARAM(5, 5)), 0) << std::hex << m;
  }
  EXPECT_EQ(AppCommands, 0);
  DestroyWindow(w);
  UnregisterClassW(L"QuilInfoBoxTest", wc.hInstance);
}

}  // namespace
