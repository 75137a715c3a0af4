// Cursor modes in the native build: loading, the busy count, pick mode and the cursor style.
#include <gtest/gtest.h>
#include "app/cursor.h"
#include "app/cursor_platform.h"
#include "app/dialog.h"

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
  SetCursorMode(CURSOR_BUSY_END);   // an extra end does not go below 0
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
  SetCursorMode(CURSOR_MODE_EDIT);   // leaving pick mode redraws the palette
  EXPECT_EQ(PaletteRedraws, 1);
  SetCursorMode(CURSOR_MODE_EDIT);
  EXPECT_EQ(PaletteRedraws, 1);
  EXPECT_EQ(SetCursorMode(77), 77);   // other values: nothing
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
  SetCursorStyle(CURSOR_STYLE_OWN);   // in pick mode the pick cursor stays
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

}  // namespace
