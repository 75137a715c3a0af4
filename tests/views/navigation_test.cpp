// Bringing a cell into view: the origin moves only near an edge and then centres the cell (each
// zoom of the symbol and diagram views, the grid's edges, another level, the overview), positions
// off the grid are refused, the move is recorded in the position history once; the cursor field.
#include <gtest/gtest.h>
#include <cstring>
#include "app/editwnd.h"
#include "model/grid.h"
#include "views/view_services.h"

namespace {
struct Navigation : ::testing::Test {
  EditViewSlot* s = nullptr;
  uint8_t history[EDIT_HISTORY_BYTES];
  void SetUp() override {
    ResetEditWindows();
    s = GetEditSlot(1);
    s->window = (void*)1;
    s->lockA = s->lockB = nullptr;
    s->drawBuffer = nullptr;
    s->history = history;
    s->historyTop = s->historyFill = 0;
    memset(history, 0, sizeof history);
    EditViews.active = 1;
    View(VIEW_SYMBOLS, 1, 40, 30);
    Place(1000, 2000, 1015, 2010, 0);
  }
  void TearDown() override {
    s->history = nullptr;
    ResetEditWindows();
  }
  void View(uint32_t mode, int zoom, int cols, int rows) {
    s->viewMode = mode;
    s->zoom = zoom;
    s->cellsWide = cols;
    s->cellsHigh = rows;
    s->pixelWidth = 640;
    s->pixelHeight = 480;
  }
  void Place(int ox, int oy, int cx, int cy, int level) {
    s->originX = ox;
    s->originY = oy;
    s->farX = ox + s->cellsWide;
    s->farY = oy + s->cellsHigh;
    s->cursorX = cx;
    s->cursorY = cy;
    s->cursorLevel = level;
    s->fineX = 5;
    s->fineY = 3;
  }
};
}  // namespace

// The visible cells of each zoom of a 640 x 480 window: symbols 32 x 16 pixels times the zoom,
// diagram cells 16 / zoom pixels. m = visible / 8 is the margin, h = visible / 2 the half.
TEST_F(Navigation, TheOriginMovesOnlyNearAnEdgeAndThenCentresTheCell) {
  static const struct {
    const char* what;
    uint32_t mode;
    int zoom, cols, rows;
    int x, y;
    int originX, originY;  // expected, from an origin of 1000, 2000
  } cases[] = {
      // symbols zoom 1: 20 x 30 cells, m 2 / 3, h 10 / 15
      {"inside, clear of the margins", VIEW_SYMBOLS, 1, 20, 30, 1010, 2015, 1000, 2000},
      {"first column past the left margin", VIEW_SYMBOLS, 1, 20, 30, 1003, 2004, 1000, 2000},
      {"in the left and top margins", VIEW_SYMBOLS, 1, 20, 30, 1002, 2003, 992, 1988},
      {"in the right and bottom margins", VIEW_SYMBOLS, 1, 20, 30, 1017, 2026, 1008, 2012},
      {"last column before the right margin", VIEW_SYMBOLS, 1, 20, 30, 1016, 2025, 1000, 2000},
      {"far off to the right and below", VIEW_SYMBOLS, 1, 20, 30, 9000, 7000, 8991, 6986},
      {"far off to the left and above", VIEW_SYMBOLS, 1, 20, 30, 50, 60, 40, 45},
      // the other zooms see fewer (symbols) or more (diagram) cells
      {"symbols zoom 2 (10 x 15)", VIEW_SYMBOLS, 2, 10, 15, 1009, 2001, 1005, 1994},
      {"symbols zoom 4 (5 x 7)", VIEW_SYMBOLS, 4, 5, 7, 1003, 2005, 1000, 2000},
      {"symbols zoom 4 at its edge", VIEW_SYMBOLS, 4, 5, 7, 1004, 2006, 1003, 2004},
      {"symbols zoom 6 (3 x 5)", VIEW_SYMBOLS, 6, 3, 5, 1001, 2002, 1000, 2000},
      {"symbols zoom 8 (2 x 3)", VIEW_SYMBOLS, 8, 2, 3, 1001, 2000, 1001, 1999},
      {"diagram zoom 1 (40 x 30)", VIEW_DIAGRAM, 1, 40, 30, 1035, 2010, 1016, 2000},
      {"diagram zoom 2 (80 x 60)", VIEW_DIAGRAM, 2, 80, 60, 1068, 2052, 1000, 2023},
      {"diagram zoom 4 (160 x 120)", VIEW_DIAGRAM, 4, 160, 120, 1020, 2014, 940, 1954},
      {"diagram zoom 8 (320 x 240)", VIEW_DIAGRAM, 8, 320, 240, 1200, 2100, 1000, 2000},
      // the grid's edges: the view stops at the last column and row and at 0
      {"the grid's last cell", VIEW_SYMBOLS, 1, 20, 30, 32767, 32767, 32748, 32738},
      {"the grid's first cell", VIEW_SYMBOLS, 1, 20, 30, 0, 0, 0, 0},
      {"a centre left of the grid's start", VIEW_SYMBOLS, 1, 20, 30, 10, 15, 0, 0},
      {"one cell further", VIEW_SYMBOLS, 1, 20, 30, 11, 16, 1, 1},
      {"a wide diagram at the grid's end", VIEW_DIAGRAM, 8, 320, 240, 32700, 32767, 32448,
       32528},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    View(c.mode, c.zoom, c.cols, c.rows);
    Place(1000, 2000, 1001, 2001, -1);
    ASSERT_EQ(ScrollCellIntoView(1, c.x, c.y, -1), 1);
    EXPECT_EQ(s->originX, c.originX);
    EXPECT_EQ(s->originY, c.originY);
    EXPECT_EQ(s->farX, c.originX + c.cols);
    EXPECT_EQ(s->farY, c.originY + c.rows);
    EXPECT_EQ(s->cursorX, c.x);
    EXPECT_EQ(s->cursorY, c.y);
    EXPECT_EQ(s->cursorLevel, -1);
    EXPECT_EQ(s->fineX, 0);
    EXPECT_EQ(s->fineY, 0);
    // the cell is visible afterwards
    EXPECT_GE(c.x, s->originX);
    EXPECT_LT(c.x, s->farX);
    EXPECT_GE(c.y, s->originY);
    EXPECT_LT(c.y, s->farY);
  }
}

TEST_F(Navigation, AnotherLevelAndTheOverview) {
  // a visible cell on another level: the view stays, the window shows that level
  Place(1000, 2000, 1001, 2001, 0);
  ASSERT_EQ(ScrollCellIntoView(1, 1020, 2015, -4), 1);
  EXPECT_EQ(s->originX, 1000);
  EXPECT_EQ(s->cursorLevel, -4);
  // the overview centres on the block of the cell (4 cells a pixel: 400 x 240 cells)
  View(VIEW_OVERVIEW, 4, 400, 240);
  Place(0, 0, 0, 0, 0);
  ASSERT_EQ(ScrollCellIntoView(1, 5003, 6001, -2), 1);
  EXPECT_EQ(s->cursorX, 5000);
  EXPECT_EQ(s->cursorY, 6000);
  EXPECT_EQ(s->originX, 4800);
  EXPECT_EQ(s->originY, 5880);
  EXPECT_EQ(s->cursorLevel, -2);
}

TEST_F(Navigation, PositionsOffTheGridAndClosedWindowsChangeNothing) {
  static const struct {
    int window, x, y, level;
  } cases[] = {{1, -1, 5, 0},    {1, 32768, 5, 0}, {1, 5, -1, 0}, {1, 5, 32768, 0},
               {1, 5, 5, 1},     {1, 5, 5, -5},    {0, 5, 5, 0},  {6, 5, 5, 0},
               {-1, 5, 5, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.window << " " << c.x << " " << c.y << " " << c.level);
    Place(1000, 2000, 1001, 2001, -1);
    EXPECT_EQ(ScrollCellIntoView(c.window, c.x, c.y, c.level), 0);
    EXPECT_EQ(s->cursorX, 1001);
    EXPECT_EQ(s->cursorLevel, -1);
    EXPECT_EQ(s->originX, 1000);
    EXPECT_EQ(s->fineX, 5);
    EXPECT_EQ(s->historyFill, 0);
  }
}

TEST_F(Navigation, EachMoveRecordsTheCursorItStartedFromOnce) {
  Place(1000, 2000, 1001, 2001, -1);
  ScrollCellIntoView(1, 1010, 2010, 0);
  ScrollCellIntoView(1, 1010, 2010, 0);
  ScrollCellIntoView(1, 3000, 4000, -3);  // starts where the one before did: recorded once
  ASSERT_EQ(s->historyFill, 2);
  EXPECT_EQ(s->historyTop, 2);
  const int32_t* e = (const int32_t*)history;
  EXPECT_EQ(e[0], 1001);
  EXPECT_EQ(e[1], 2001);
  EXPECT_EQ(e[2], -1);
  EXPECT_EQ(e[3], 1010);
  EXPECT_EQ(e[4], 2010);
  EXPECT_EQ(e[5], 0);
  // a full history drops its oldest entry
  const int capacity = EDIT_HISTORY_BYTES / 12;
  s->historyFill = s->historyTop = capacity;
  ScrollCellIntoView(1, 7, 8, -2);
  EXPECT_EQ(s->historyFill, capacity);
  EXPECT_EQ(e[0], 1010);
  const int32_t* last = (const int32_t*)(history + EDIT_HISTORY_BYTES - 12);
  EXPECT_EQ(last[0], 3000);
  EXPECT_EQ(last[1], 4000);
  EXPECT_EQ(last[2], -3);
}
