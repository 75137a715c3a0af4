// The dialog engine on real windows: the rectangle of a control relative to its dialog as the
// engine counts it (frame width on the left, frame height and caption at the top).
#include <windows.h>
#include <gtest/gtest.h>
#include "app/dialog.h"

TEST(DialogWin32, ControlRectLessTheFrameAndCaption) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HWND dlg =
      CreateWindowExW(0, L"#32770", L"rect", WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 40,
                      30, 300, 200, nullptr, nullptr, instance, nullptr);
  if (!dlg) GTEST_SKIP() << "no window could be made (no display)";
  HWND ctl = CreateWindowExW(0, L"STATIC", L"x", WS_CHILD | WS_VISIBLE, 17, 23, 50, 12, dlg,
                             (HMENU)(intptr_t)190, instance, nullptr);
  ASSERT_NE(ctl, nullptr);
  RECT rc, rd;
  GetWindowRect(ctl, &rc);
  GetWindowRect(dlg, &rd);
  // Metric 7 on the left; metric 33 plus metric 4 at the top.
  int dx = GetSystemMetrics(7), dy = GetSystemMetrics(33) + GetSystemMetrics(4);
  DlgRect out = {-1, -1, -1, -1};
  GetControlRectInDialog(dlg, 190, &out);
  EXPECT_EQ(out.left, rc.left - rd.left - dx);
  EXPECT_EQ(out.top, rc.top - rd.top - dy);
  EXPECT_EQ(out.right, rc.right - rd.left - dx);
  EXPECT_EQ(out.bottom, rc.bottom - rd.top - dy);
  DlgRect none = {-1, -2, -3, -4};  // no such control: nothing is written
  GetControlRectInDialog(dlg, 191, &none);
  EXPECT_EQ(none.left, -1);
  EXPECT_EQ(none.bottom, -4);
  DestroyWindow(dlg);
}
