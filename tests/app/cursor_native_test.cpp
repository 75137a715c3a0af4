// Cursor modes in the native build: loading, the busy count, pick mode and the cursor style.
#include <gtest/gtest.h>
#include "app/cursor.h"
#include "app/cursor_platform.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "views/view_services.h"

namespace {

int PaletteRedraws = 0;
void CountPaletteRedraw() { PaletteRedraws++; }

class CursorModes : public ::testing::Test {
 protected:
  void SetUp() override {
    ExitCursors();
    *GetCursorNativeState() = CursorNativeState{};
    SetCursorStyle(CURSOR_STYLE_OWN);
    PaletteRedraws = 0;
    SetCursorPaletteRedraw(CountPaletteRedraw);
  }
  void TearDown() override {
    while (GetBusyCount() > 0) SetCursorMode(CURSOR_BUSY_END);
    SetCursorMode(CURSOR_MODE_EDIT);
    ExitCursors();
    SetCursorPaletteRedraw(nullptr);
  }
};

TEST_F(CursorModes, WithoutAMouseNothingIsLoadedOrShown) {
  GetCursorNativeState()->noMouse = 1;
  EXPECT_EQ(InitCursors(), 2);
  EXPECT_EQ(AreCursorsLoaded(), 0);
  EXPECT_EQ(GetCursorNativeState()->loads, 0);
  SetCursorMode(CURSOR_BUSY_BEGIN);
  SetCursorMode(CURSOR_MODE_PICK);
  EXPECT_EQ(GetShownCursor(), 0);
  EXPECT_EQ(GetBusyCount(), 0);
}

TEST_F(CursorModes, TwoBusyRequestsNeedTwoEnds) {
  ASSERT_EQ(InitCursors(), 0);
  EXPECT_EQ(GetShownCursor(), CUR_EDIT);
  SetCursorMode(CURSOR_BUSY_BEGIN);
  SetCursorMode(CURSOR_BUSY_BEGIN);
  EXPECT_EQ(GetShownCursor(), CUR_BUSY);
  SetCursorMode(CURSOR_BUSY_END);
  EXPECT_EQ(GetShownCursor(), CUR_BUSY);
  SetCursorMode(CURSOR_BUSY_END);
  EXPECT_EQ(GetShownCursor(), CUR_EDIT);
  SetCursorMode(CURSOR_BUSY_END);  // an extra end does not go below 0
  EXPECT_EQ(GetBusyCount(), 0);
}

TEST_F(CursorModes, BusyEndReturnsToThePickCursorInPickMode) {
  ASSERT_EQ(InitCursors(), 0);
  EXPECT_EQ(SetCursorMode(CURSOR_MODE_PICK), CUR_PICK);
  EXPECT_EQ(GetCursorMode(), CURSOR_MODE_PICK);
  SetCursorMode(CURSOR_BUSY_BEGIN);
  SetCursorMode(CURSOR_BUSY_END);
  EXPECT_EQ(GetShownCursor(), CUR_PICK);
  EXPECT_EQ(PaletteRedraws, 0);
  SetCursorMode(CURSOR_MODE_EDIT);  // leaving pick mode redraws the palette
  EXPECT_EQ(PaletteRedraws, 1);
  SetCursorMode(CURSOR_MODE_EDIT);
  EXPECT_EQ(PaletteRedraws, 1);
  EXPECT_EQ(SetCursorMode(77), 77);  // other values: nothing
  EXPECT_EQ(GetCursorMode(), CURSOR_MODE_EDIT);
}

TEST_F(CursorModes, StyleChoosesTheBaseCursor) {
  ASSERT_EQ(InitCursors(), 0);
  SetCursorStyle(CURSOR_STYLE_ARROW);
  EXPECT_EQ(GetCursorStyle(), CURSOR_STYLE_ARROW);
  EXPECT_EQ(GetShownCursor(), CUR_SYS_ARROW);
  SetCursorStyle(60);
  EXPECT_EQ(GetCursorStyle(), CURSOR_STYLE_ARROW);
  SetCursorMode(CURSOR_MODE_PICK);
  SetCursorStyle(CURSOR_STYLE_OWN);  // in pick mode the pick cursor stays
  EXPECT_EQ(GetShownCursor(), CUR_PICK);
  SetCursorMode(CURSOR_MODE_EDIT);
  EXPECT_EQ(GetShownCursor(), CUR_EDIT);
}

TEST_F(CursorModes, WindowCursorWhileADialogRuns) {
  ASSERT_EQ(InitCursors(), 0);
  ASSERT_EQ(EnterDialogLevel(), 0);
  int w = 0;
  EXPECT_EQ(SetCursorForWindow(&w, 2), 0);
  EXPECT_EQ(GetShownCursor(), CUR_SYS_NO);
  LeaveDialogLevel();
  EXPECT_EQ(SetCursorForWindow(&w, 4), 4);
  EXPECT_EQ(GetShownCursor(), CUR_SYS_SIZE_NS);
  EXPECT_EQ(SetCursorForWindow(&w, 0), 0);
  EXPECT_EQ(GetShownCursor(), CUR_EDIT);
  ExitCursors();
  EXPECT_EQ(GetCursorNativeState()->frees, 1);
}

// Without a source of its own, the block-edge zones come from the views' block marking: only while
// marking is on and the active window's level lies inside the block, in that window's pixels.
TEST_F(CursorModes, BlockEdgesFollowTheViewsBlockMarking) {
  ASSERT_EQ(InitCursors(), 0);
  int savedActive = EditViews.active, savedLevel = EditViews.slot[0].cursorLevel;
  void* savedWindow = EditViews.slot[0].window;
  int token = 0;
  EditViews.active = 0;
  EditViews.slot[0].window = &token;
  EditViews.slot[0].cursorLevel = -1;
  SetBlockMarkMode(1);
  ASSERT_EQ(SetMarkedBlock(12, 25, -1, 10, 20, -1, 0), 0);
  int nearCorner[2] = {10, 20}, farCorner[2] = {13, 26};
  CellToWindowPixel(0, nearCorner);
  CellToWindowPixel(0, farCorner);
  int left = nearCorner[0] < farCorner[0] - 1 ? nearCorner[0] : farCorner[0] - 1;
  int l = -1, t = -1, r = -1, b = -1;
  ASSERT_EQ(MarkedBlockWindowRect(&token, &l, &t, &r, &b), 1);
  EXPECT_EQ(l, left);
  EXPECT_LE(l, r);
  EXPECT_LE(t, b);
  CursorQuery& q = GetCursorNativeState()->query;
  q.mouseX = l, q.mouseY = (t + b) / 2;
  EXPECT_EQ(SetCursorForWindow(&token, 0), BLOCK_EDGE_LEFT);
  EXPECT_EQ(GetShownCursor(), CUR_SYS_SIZE_WE);
  EditViews.slot[0].cursorLevel = 0;  // the active window's level lies outside the block
  EXPECT_EQ(MarkedBlockWindowRect(&token, &l, &t, &r, &b), 0);
  EXPECT_EQ(SetCursorForWindow(&token, 0), 0);
  EXPECT_EQ(GetShownCursor(), CUR_EDIT);
  EditViews.slot[0].cursorLevel = -1;
  int other = 0;  // not an edit window
  EXPECT_EQ(MarkedBlockWindowRect(&other, &l, &t, &r, &b), 0);
  SetBlockMarkMode(0);  // marking off
  EXPECT_EQ(MarkedBlockWindowRect(&token, &l, &t, &r, &b), 0);
  EditViews.active = savedActive;
  EditViews.slot[0].window = savedWindow;
  EditViews.slot[0].cursorLevel = savedLevel;
}

}  // namespace
