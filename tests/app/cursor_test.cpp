// Cursor zones: edge-scroll bits and their cursors, block-edge zones, and the cursor decision of
// a window in each state (dialog, dragging, edge zone, block edge, plain).
#include <gtest/gtest.h>
#include "app/cursor.h"

namespace {

TEST(CursorZones, EdgeBitsAndCursors) {
  struct Case {
    int x, y, bits, cursor;
  } cases[] = {
      {0, 100, EDGE_LEFT, CUR_EDGE_LEFT},
      {15, 100, EDGE_LEFT, CUR_EDGE_LEFT},
      {16, 100, 0, 0},
      {383, 100, 0, 0},
      {384, 100, EDGE_RIGHT, CUR_EDGE_RIGHT},
      {399, 100, EDGE_RIGHT, CUR_EDGE_RIGHT},
      {100, 11, EDGE_TOP, CUR_EDGE_TOP},
      {100, 12, 0, 0},
      {100, 288, EDGE_BOTTOM, CUR_EDGE_BOTTOM},
      {100, 287, 0, 0},
      {3, 3, EDGE_LEFT | EDGE_TOP, CUR_EDGE_TOP_LEFT},
      {398, 2, EDGE_RIGHT | EDGE_TOP, CUR_EDGE_TOP_RIGHT},
      {1, 299, EDGE_LEFT | EDGE_BOTTOM, CUR_EDGE_BOTTOM_LEFT},
      {399, 299, EDGE_RIGHT | EDGE_BOTTOM, CUR_EDGE_BOTTOM_RIGHT},
      {-1, 100, 0, 0},
      {400, 100, 0, 0},  // outside the client area
  };
  for (const Case& c : cases) {
    int bits = EdgeZoneBits(c.x, c.y, 400, 300);
    EXPECT_EQ(bits, c.bits) << c.x << "," << c.y;
    EXPECT_EQ(EdgeZoneCursor(bits), c.cursor) << c.x << "," << c.y;
  }
}

TEST(CursorZones, BlockEdges) {
  // Block rectangle 100..200 x 50..150.
  struct Case {
    int x, y, zone;
  } cases[] = {
      {97, 100, BLOCK_EDGE_LEFT},    {103, 100, BLOCK_EDGE_LEFT},
      {96, 100, BLOCK_EDGE_NONE},    {203, 60, BLOCK_EDGE_RIGHT},
      {197, 60, BLOCK_EDGE_RIGHT},   {204, 60, BLOCK_EDGE_NONE},
      {150, 47, BLOCK_EDGE_TOP},     {150, 53, BLOCK_EDGE_TOP},
      {150, 46, BLOCK_EDGE_NONE},    {150, 153, BLOCK_EDGE_BOTTOM},
      {150, 147, BLOCK_EDGE_BOTTOM}, {150, 100, BLOCK_EDGE_NONE},  // inside, away from the edges
      {100, 50, BLOCK_EDGE_LEFT},  // a corner counts as the left edge first
  };
  for (const Case& c : cases)
    EXPECT_EQ(BlockEdgeZone(c.x, c.y, 100, 50, 200, 150), c.zone) << c.x << "," << c.y;
}

TEST(CursorZones, DecisionByState) {
  uint32_t options = GetMouseOptions();
  SetMouseOptions(MOUSE_EDGE_SCROLL);
  CursorQuery base = {};
  base.isActiveEditWindow = 1;
  base.clientWidth = 400, base.clientHeight = 300;
  base.mouseX = 5, base.mouseY = 150;  // in the left edge zone
  base.blockLeft = 3, base.blockTop = 140, base.blockRight = 50, base.blockBottom = 160;
  base.current = CUR_PICK;
  struct Case {
    int dialog, drag, active, block, options, result, cursor;
  } cases[] = {
      {1, 2, 1, 1, 1, 0, CUR_SYS_NO},  // a running dialog wins
      {0, 2, 1, 1, 1, 2, CUR_SYS_SIZE_WE}, {0, 3, 1, 1, 1, 3, CUR_SYS_SIZE_WE},
      {0, 4, 1, 1, 1, 4, CUR_SYS_SIZE_NS}, {0, 5, 1, 1, 1, 5, CUR_SYS_SIZE_NS},
      {0, 0, 1, 1, 1, 1, CUR_EDGE_LEFT},    // edge zone before block edges
      {0, 0, 1, 1, 0, 2, CUR_SYS_SIZE_WE},  // without edge scrolling: the block's left edge
      {0, 0, 0, 1, 1, 2, CUR_SYS_SIZE_WE},  // not the active window: no edge zones
      {0, 0, 0, 0, 1, 0, CUR_PICK},         // otherwise the current cursor
  };
  for (const Case& c : cases) {
    CursorQuery q = base;
    q.dialogOpen = c.dialog, q.dragState = c.drag, q.isActiveEditWindow = c.active,
    q.blockMarked = c.block;
    SetMouseOptions(c.options ? MOUSE_EDGE_SCROLL : 0);
    int cursor = -1;
    EXPECT_EQ(DecideCursor(&q, &cursor), c.result);
    EXPECT_EQ(cursor, c.cursor);
  }
  SetMouseOptions(options);
}

TEST(CursorOptions, EdgeScrollInterval) {
  struct Case {
    int n, result, after;
  } cases[] = {{10, 0, 10}, {100, 0, 100}, {9, 1, 100}, {101, 1, 100},
               {-1, 0, 55}, {0, 1, 55},    {42, 0, 42}};
  for (const Case& c : cases) {
    EXPECT_EQ(SetEdgeScrollInterval(c.n), c.result) << c.n;
    EXPECT_EQ(GetEdgeScrollInterval(), c.after) << c.n;
  }
  SetEdgeScrollInterval(-1);
}

}  // namespace
