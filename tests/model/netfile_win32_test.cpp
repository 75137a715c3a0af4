// Network-file cases that need Windows: an open edit window's scroll bars follow the cursor that
// a loaded file or a new network gives it (skipped where no window can be made).
#include <windows.h>
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "model/general_section.h"
#include "model/netfile.h"
#include "netfile_test_util.h"

TEST(NetFileWin32, ScrollBarsFollowTheLoadedCursor) {
  NetTestSetUp();
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_HSCROLL | WS_VSCROLL, 0, 0, 300,
                                200, nullptr, nullptr, nullptr, nullptr);
  if (!window) {
    NetTestTearDown();
    GTEST_SKIP() << "no window could be made (no display)";
  }
  SetScrollRange(window, SB_HORZ, 0, 32767, FALSE);
  SetScrollRange(window, SB_VERT, 0, 32767, FALSE);
  EditViews.slot[0].window = window;
  EditViews.active = 0;
  ASSERT_EQ(LoadFixture("small.nt3"), 0);  // its cursor: 150, 220
  EXPECT_EQ(GetScrollPos(window, SB_HORZ), 150);
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 220);
  ResetDocumentState();
  EXPECT_EQ(GetScrollPos(window, SB_HORZ), 16384);
  EXPECT_EQ(GetScrollPos(window, SB_VERT), 16384);
  EditViews.slot[0].window = nullptr;
  EditViews.active = -1;
  DestroyWindow(window);
  NetTestTearDown();
}
