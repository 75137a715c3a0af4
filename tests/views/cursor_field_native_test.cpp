// The status window's cursor field in the native build (which records what it would draw): the
// active window's cursor in pane 23, placeholders without an active window, nothing without the
// status window's device context, redrawn by a move of the active window only.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include "app/editwnd.h"
#include "app/entry.h"
#include "graphics/colours.h"
#include "model/grid.h"
#include "trains/train_draw.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_services.h"

namespace {
struct CursorField : ::testing::Test {
  EditViewSlot* s = nullptr;
  void* savedDC = nullptr;
  unsigned char statusToken = 0;
  void SetUp() override {
    ResetEditWindows();
    s = GetEditSlot(1);
    s->window = (void*)1;
    s->lockA = s->lockB = nullptr;
    s->drawBuffer = nullptr;
    s->history = nullptr;
    s->viewMode = VIEW_SYMBOLS;
    s->zoom = 1;
    s->cellsWide = 20, s->cellsHigh = 30;
    s->pixelWidth = 640, s->pixelHeight = 480;
    EditViews.active = 1;
    savedDC = Entry.statusDC;
    Entry.statusDC = &statusToken;  // the status window's device context
    CursorFieldDrawn = {};
  }
  void TearDown() override {
    Entry.statusDC = savedDC;
    ResetEditWindows();
  }
  void Place(int ox, int oy, int cx, int cy, int level) {
    s->originX = ox, s->originY = oy;
    s->farX = ox + s->cellsWide, s->farY = oy + s->cellsHigh;
    s->cursorX = cx, s->cursorY = cy, s->cursorLevel = level;
  }
  static std::u16string LastText() { return std::u16string(CursorFieldDrawn.text); }
};
}  // namespace

TEST_F(CursorField, ShowsTheActiveWindowsCursorInPane23) {
  static const struct {
    int active, x, y, level;
    const char16_t* text;
  } cases[] = {
      {1, 12, 345, -2, u"   12   345 -2[2]"},
      {1, 32767, 0, 0, u"32767     0 +0[2]"},
      {-1, 12, 345, -2, u"----- ----- [0]"},
  };
  int top = 0, width = 0, height = 0;
  int left = GetStatusPaneRect(23, &top, &width, &height);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.active);
    EditViews.active = c.active;
    Place(0, 0, c.x, c.y, c.level);
    char16_t text[32];
    FormatCursorPosition(text);
    EXPECT_EQ(std::u16string(text), c.text);
    CursorFieldDrawn = {};
    DrawCursorPosition(nullptr);
    ASSERT_EQ(CursorFieldDrawn.count, 1);
    EXPECT_EQ(LastText(), c.text);
    EXPECT_EQ(CursorFieldDrawn.x, left);
    EXPECT_EQ(CursorFieldDrawn.y, top);
    EXPECT_EQ(CursorFieldDrawn.width, width);
    EXPECT_EQ(CursorFieldDrawn.height, height);
    EXPECT_EQ(CursorFieldDrawn.colour, GetColour(34));
    EXPECT_EQ(CursorFieldDrawn.background, GetColour(32));
  }
  // without the status window's device context nothing is drawn
  Entry.statusDC = nullptr;
  CursorFieldDrawn = {};
  DrawCursorPosition(nullptr);
  EXPECT_EQ(CursorFieldDrawn.count, 0);
  Entry.statusDC = &statusToken;
  // a move of the active window redraws the field; another window's move does not
  EditViews.active = 1;
  Place(1000, 2000, 1001, 2001, 0);
  CursorFieldDrawn = {};
  ScrollCellIntoView(1, 1010, 2010, -3);
  EXPECT_EQ(LastText(), u" 1010  2010 -3[2]");
  EditViews.active = 0;
  CursorFieldDrawn = {};
  ScrollCellIntoView(1, 1011, 2010, -3);
  EXPECT_EQ(CursorFieldDrawn.count, 0);
}

// A window following a train moves its cursor to the train's head: the field shows it after a
// jump and after a change of level, and a window that is not the active one leaves it alone.
TEST_F(CursorField, FollowingATrainShowsTheHeadInTheField) {
  ASSERT_EQ(InitGrid(), 0);
  ClearGrid();
  ResetTrains();
  SetFollowOptions(0);
  Place(1000, 2000, 1001, 2001, 0);
  auto follow = [&](int x, int y, int level) {
    ResetTrains();
    TrainRecord* t = AllocTrainRecord(1, 1);
    ASSERT_NE(t, nullptr);
    t->line = 1, t->subNumber = 1, t->dx = 1;
    TrainVehicles(t)[0].length = 32;
    TrainPositions(t)[0] = {(uint32_t)x, (uint32_t)y, level, nullptr, 0x0201, 0};
    ASSERT_EQ(InsertTrain(t), 0);
    ASSERT_EQ(SetCell(x, y, level, t->cellCode), 1);
    ASSERT_EQ(SelectAndFollowTrain(1, 1, 1, 1, 0), 0);
    CursorFieldDrawn = {};
    EXPECT_EQ(FollowSelectedTrain(), 1);
  };
  follow(5000, 6000, 0);  // outside the view: a jump
  EXPECT_EQ(std::u16string(CursorFieldDrawn.text), u" 5000  6000 +0[2]");
  follow(5001, 6000, -4);  // another level
  EXPECT_EQ(std::u16string(CursorFieldDrawn.text), u" 5001  6000 -4[2]");
  EditViews.active = 0;
  follow(9000, 9000, -4);
  EXPECT_EQ(CursorFieldDrawn.count, 0);
  EXPECT_EQ(s->cursorX, 9000);
  ResetTrains();
  ClearGrid();
}
