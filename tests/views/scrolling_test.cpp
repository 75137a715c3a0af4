// Scrolling of a cell view: cursor steps with the tenth-of-the-view margin, fine scrolling by
// pixels with its carries and edges, page moves of cursor and view, the position history.
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "core/misc.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "views/view_services.h"

namespace {
struct ScrollFixture : ::testing::Test {
  EditViewSlot* s = nullptr;
  uint8_t history[EDIT_HISTORY_BYTES];
  void SetUp() override {
    ResetEditWindows();
    s = GetEditSlot(0);
    s->window = (void*)1;
    s->lockA = s->lockB = nullptr;  // no buffers: scrolling moves the view alone
    s->drawBuffer = nullptr;
    s->history = history;
    s->historyTop = s->historyFill = 0;
    EditViews.active = 0;
    View(VIEW_SYMBOLS, 1, 40, 30);
    Place(1000, 2000, 1015, 2010);
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
    int cw = mode == VIEW_SYMBOLS ? 32 * zoom : 16 / zoom,
        ch = mode == VIEW_SYMBOLS ? 16 * zoom : cw;
    s->pixelWidth = cols * cw;
    s->pixelHeight = rows * ch;
  }
  void Place(int ox, int oy, int cx, int cy) {
    s->originX = ox;
    s->originY = oy;
    s->farX = ox + s->cellsWide;
    s->farY = oy + s->cellsHigh;
    s->cursorX = cx;
    s->cursorY = cy;
    s->fineX = s->fineY = 0;
  }
};
}  // namespace

TEST_F(ScrollFixture, StepsMoveTheCursorAndScrollOnlyWithinTheMargin) {
  // 40 columns: the margin is 4 cells; the cursor at far - 5 steps to far - 4 and the view follows
  Place(1000, 2000, 1035, 2010);
  EXPECT_EQ(ScrollViewRight(0), 1);
  EXPECT_EQ(s->cursorX, 1036);
  EXPECT_EQ(s->originX, 1001);
  EXPECT_EQ(s->farX, 1041);
  Place(1000, 2000, 1020, 2010);
  ScrollViewRight(0);
  EXPECT_EQ(s->originX, 1000);
  // left: below origin + 4
  Place(1000, 2000, 1004, 2010);
  ScrollViewLeft(0);
  EXPECT_EQ(s->cursorX, 1003);
  EXPECT_EQ(s->originX, 999);
  // rows: 30 rows, margin 3
  Place(1000, 2000, 1010, 2026);
  ScrollViewDown(0);
  EXPECT_EQ(s->cursorY, 2027);
  EXPECT_EQ(s->originY, 2001);
  Place(1000, 2000, 1010, 2003);
  ScrollViewUp(0);
  EXPECT_EQ(s->originY, 1999);
  // a diagonal step moves both and scrolls once
  Place(1000, 2000, 1035, 2026);
  ScrollViewStep(0, 1, 1);
  EXPECT_EQ(s->cursorX, 1036);
  EXPECT_EQ(s->cursorY, 2027);
  EXPECT_EQ(s->originX, 1001);
  EXPECT_EQ(s->originY, 2001);
}

TEST_F(ScrollFixture, StepsStopAtTheEdgesOfTheGrid) {
  Place(32768 - 40, 0, 32767, 0);
  EXPECT_EQ(ScrollViewRight(0), 1);
  EXPECT_EQ(s->cursorX, 32767);
  EXPECT_EQ(s->originX, 32768 - 40);
  EXPECT_EQ(ScrollViewUp(0), 1);
  EXPECT_EQ(s->cursorY, 0);
  EXPECT_EQ(s->originY, 0);
  Place(0, 0, 0, 0);
  ScrollViewStep(0, -1, -1);
  EXPECT_EQ(s->cursorX, 0);
  EXPECT_EQ(s->originX, 0);
}

TEST_F(ScrollFixture, FineScrollCarriesAndStopsAtTheEdges) {
  struct Case {
    int originX, originY, fineX, fineY, dx, dy;
    int result, wantOriginX, wantOriginY, wantFineX, wantFineY;
  } cases[] = {
      {1000, 2000, 0, 0, 8, 0, 0x001, 1001, 2000, 24, 0},    // a part of a cell right
      {1000, 2000, 24, 0, 8, 0, 0x000, 1000, 2000, 16, 0},   // within the cell
      {1000, 2000, 0, 0, 32, 16, 0x101, 1001, 2001, 0, 0},   // a whole cell both ways
      {1000, 2000, 0, 0, -32, -16, 0x101, 999, 1999, 0, 0},  // and back
      {0, 0, 0, 0, -32, 0, 0, 0, 0, 0, 0},                   // origin 0: nothing
      {32768 - 40, 0, 0, 0, 32, 0, 0, 32768 - 40, 0, 0, 0},  // right edge: carry dropped
      {32768 - 41, 0, 0, 0, 32, 0, 1, 32768 - 40, 0, 0, 0},  // reaching the edge: no part
      {1, 0, 24, 0, -16, 0, 1, 0, 0, 0, 0},                  // reaching origin 0: offset 0
      {1000, 2000, 0, 0, 0, 0, 0, 1000, 2000, 0, 0},         // nothing asked
  };
  for (const Case& c : cases) {
    Place(c.originX, c.originY, 1010, 2010);
    s->fineX = c.fineX;
    s->fineY = c.fineY;
    SCOPED_TRACE(testing::Message() << c.originX << " " << c.dx << " " << c.dy);
    EXPECT_EQ(ScrollViewByPixels(0, c.dx, c.dy), c.result);
    EXPECT_EQ(s->originX, c.wantOriginX);
    EXPECT_EQ(s->originY, c.wantOriginY);
    EXPECT_EQ(s->fineX, c.wantFineX);
    EXPECT_EQ(s->fineY, c.wantFineY);
    EXPECT_EQ(s->farX, s->originX + 40);
  }
  Place(1000, 2000, 1010, 2010);
  EXPECT_EQ(ScrollOneColumnRight(0), 1);
  EXPECT_EQ(ScrollOneRowUp(0), 1);
  EXPECT_EQ(s->originX, 1001);
  EXPECT_EQ(s->originY, 1999);
}

TEST_F(ScrollFixture, PagesMoveCursorAndViewTogether) {
  EXPECT_EQ(GetPageStepX(0), 39);
  EXPECT_EQ(GetPageStepY(0), 29);
  Place(1000, 2000, 1015, 2010);
  EXPECT_EQ(MoveViewDown(0, 0), 0);  // symbol view: no buffer shift
  EXPECT_EQ(s->cursorY, 2039);
  EXPECT_EQ(s->originY, 2029);
  EXPECT_EQ(s->farY, 2059);
  ScrollViewPage(0, 0);
  EXPECT_EQ(s->cursorX, 1054);
  EXPECT_EQ(s->originX, 1039);
  // by the major grid spacing
  DocState.params[2] = 64;
  DocState.params[3] = 20;
  MoveViewUp(0, 1);
  EXPECT_EQ(s->cursorY, 2019);
  EXPECT_EQ(s->originY, 2009);
  // floors and caps: an origin of 0 has no partial cell
  Place(10, 5, 12, 7);
  s->fineX = 12;
  MoveViewLeft(0, 0);
  EXPECT_EQ(s->cursorX, 0);
  EXPECT_EQ(s->originX, 0);
  EXPECT_EQ(s->fineX, 0);
  Place(32768 - 50, 0, 32760, 0);
  ScrollViewPage(0, 0);
  EXPECT_EQ(s->cursorX, 32767);
  EXPECT_EQ(s->originX, 32768 - 40);
  // the diagram view at zoom 2 pages half a view and shifts its buffer
  View(VIEW_DIAGRAM, 2, 40, 21);
  Place(1000, 2000, 1010, 2010);
  EXPECT_EQ(GetPageStepY(0), 10);
  EXPECT_EQ(MoveViewDown(0, 0), 80);
  EXPECT_EQ(s->originY, 2010);
  // a capped page has no shift
  Place(1000, 32768 - 25, 1010, 32760);
  EXPECT_EQ(MoveViewDown(0, 0), 0);
  EXPECT_EQ(s->originY, 32768 - 21);
  EXPECT_EQ(s->cursorY, 32767);
}

TEST_F(ScrollFixture, EveryMoveRecordsTheCursorInTheHistory) {
  Place(1000, 2000, 1015, 2010);
  ScrollViewRight(0);
  ScrollViewDown(0);
  MoveViewDown(0, 0);
  ASSERT_EQ(s->historyFill, 3);
  const int32_t* e = (const int32_t*)history;
  EXPECT_EQ(e[0], 1015);
  EXPECT_EQ(e[1], 2010);
  EXPECT_EQ(e[3], 1016);
  EXPECT_EQ(e[7], 2011);
  // a full history drops its oldest entry
  s->historyFill = s->historyTop = EDIT_HISTORY_BYTES / 12;
  s->cursorX = 7;
  PushPositionHistory(0);
  EXPECT_EQ(s->historyFill, EDIT_HISTORY_BYTES / 12);
  EXPECT_EQ(e[0], 1016);
  EXPECT_EQ(((const int32_t*)(history + EDIT_HISTORY_BYTES - 12))[0], 7);
}

// The overview at scale 4: a window of 100 x 60 pixels shows 400 x 240 cells.
TEST_F(ScrollFixture, OverviewPagesAndScrollsByBlocksWithinTheGrid) {
  s->viewMode = VIEW_OVERVIEW;
  s->zoom = 4;
  s->pixelWidth = 100;
  s->pixelHeight = 60;
  s->cellsWide = 400;
  s->cellsHigh = 240;
  Place(1000, 2000, 1200, 2100);
  // a page right moves the cursor eleven blocks (44 cells); the view stays while it shows it
  EXPECT_EQ(ScrollViewPage(0, 0), 0);
  EXPECT_EQ(s->cursorX, 1244);
  EXPECT_EQ(s->originX, 1000);
  // a page that leaves the view scrolls it by the blocks moved
  Place(1000, 2000, 1396, 2100);
  ScrollViewPage(0, 0);
  EXPECT_EQ(s->cursorX, 1440);
  EXPECT_EQ(s->originX, 1044);
  EXPECT_EQ(s->farX, 1444);
  // down and up keep whole blocks; left and up stop at the grid's edge
  Place(1000, 2000, 1200, 2236);
  MoveViewDown(0, 0);
  EXPECT_EQ(s->cursorY, 2280);
  EXPECT_EQ(s->originY, 2044);
  Place(0, 0, 20, 8);
  MoveViewLeft(0, 0);
  MoveViewUp(0, 0);
  EXPECT_EQ(s->cursorX, 0);
  EXPECT_EQ(s->cursorY, 0);
  EXPECT_EQ(s->originX, 0);
  EXPECT_EQ(s->originY, 0);
  // block scrolling keeps the origin inside 0 .. 32768 - visible cells
  Place(8, 0, 8, 0);
  EXPECT_EQ(ScrollViewLeftBy(0, 5), 2);
  EXPECT_EQ(s->originX, 0);
  Place(GRID_CELLS - 400 - 8, 0, 32000, 0);
  EXPECT_EQ(ScrollViewRightBy(0, 5), 2);
  EXPECT_EQ(s->originX, GRID_CELLS - 400);
  EXPECT_EQ(ScrollViewRightBy(0, 1), 0);
  EXPECT_EQ(ScrollViewDownBy(0, 0), 0);
  // the cursor at the grid's last block stays there
  Place(GRID_CELLS - 400, 0, GRID_CELLS - 4, 0);
  MoveOverviewCursorRight(0, 0);
  EXPECT_EQ(s->cursorX, GRID_CELLS - 4);
  // centring rounds the position down to its block
  int x = 5003, y = 7;
  CenterViewOn(0, &x, &y);
  EXPECT_EQ(x, 5000);
  EXPECT_EQ(y, 4);
  EXPECT_EQ(s->originX, 4800);
  EXPECT_EQ(s->originY, 0);
  // a symbol view has no block scrolling
  View(VIEW_SYMBOLS, 1, 40, 30);
  Place(1000, 2000, 1015, 2010);
  EXPECT_EQ(ScrollViewRightBy(0, 3), 0);
  EXPECT_EQ(s->originX, 1000);
}
