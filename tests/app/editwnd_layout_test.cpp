// Edit-window arithmetic: cells from pixels, zoom steps, view menu ids, tiling, activation
// order, clock placement, frame rate, edge scrolling and slot checks.
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include <gtest/gtest.h>

TEST(EditLayout, CellsFromPixels) {
  static const struct {
    uint32_t mode;
    int32_t zoom, w, h, cw, ch;
    int r;
  } cases[] = {
      {1, 1, 641, 481, 21, 31, 0},  // (641 + 31) / 32, (481 + 15) / 16
      {1, 2, 641, 481, 10, 15, 0},  // (320 + 31) / 32, (240 + 15) / 16
      {1, 8, 100, 100, 1, 1, 0},    {2, 1, 161, 161, 11, 11, 0}, {2, 8, 100, 50, 50, 25, 0},
      {3, 4, 100, 50, 400, 200, 0}, {4, 1, 100, 100, 0, 0, 1},   {1, 0, 100, 100, 0, 0, 1},
  };
  for (auto& c : cases) {
    int32_t cw = -1, ch = -1;
    EXPECT_EQ(CellsFromPixels(c.mode, c.zoom, c.w, c.h, &cw, &ch), c.r);
    EXPECT_EQ(cw, c.cw) << c.mode << " " << c.zoom;
    EXPECT_EQ(ch, c.ch) << c.mode << " " << c.zoom;
  }
}

TEST(EditLayout, ViewModeAndZoomSteps) {
  static const struct {
    uint32_t mode;
    int32_t zoom;
    int m;
    int32_t z;
    int r;
    uint32_t nm;
    int32_t nz;
  } cases[] = {
      {1, 1, 13, 0, 0, 1, 2},   {1, 2, 13, 0, 0, 1, 4},  {1, 4, 13, 0, 0, 1, 6},
      {1, 6, 13, 0, 0, 1, 8},   {1, 8, 13, 0, 5, 0, 0},  // nothing beyond zoom 8
      {2, 1, 13, 0, 0, 1, 1},   {2, 8, 13, 0, 0, 2, 4},  {3, 1, 13, 0, 0, 2, 8},
      {3, 64, 13, 0, 0, 3, 32}, {1, 1, 14, 0, 0, 2, 1},  {1, 8, 14, 0, 0, 1, 6},
      {1, 6, 14, 0, 0, 1, 4},   {1, 4, 14, 0, 0, 1, 2},  {1, 2, 14, 0, 0, 1, 1},
      {2, 4, 14, 0, 0, 2, 8},   {2, 8, 14, 0, 0, 3, 1},  {3, 32, 14, 0, 0, 3, 64},
      {3, 64, 14, 0, 5, 0, 0},  {1, 1, 1, 1, 2, 0, 0},  // unchanged
      {1, 1, 2, 4, 0, 2, 4},    {1, 1, 3, 64, 0, 3, 64}, {1, 1, 1, 3, 4, 0, 0},
      {1, 1, 2, 6, 4, 0, 0},    {1, 1, 3, 128, 4, 0, 0}, {1, 1, 15, 0, 3, 0, 0},
      {1, 1, 7, 1, 3, 0, 0},    {1, 1, 0, 1, 3, 0, 0},
  };
  for (auto& c : cases) {
    uint32_t nm = 0;
    int32_t nz = 0;
    EXPECT_EQ(NextViewModeAndZoom(c.mode, c.zoom, c.m, c.z, &nm, &nz), c.r)
        << c.mode << "/" << c.zoom << " req " << c.m << "," << c.z;
    EXPECT_EQ(nm, c.nm);
    EXPECT_EQ(nz, c.nz);
  }
  EXPECT_EQ(ViewChangeMagnifies(2, 1, 1, 1), 1);
  EXPECT_EQ(ViewChangeMagnifies(1, 2, 1, 4), 1);
  EXPECT_EQ(ViewChangeMagnifies(3, 4, 3, 2), 1);
  EXPECT_EQ(ViewChangeMagnifies(1, 4, 1, 2), 0);
  EXPECT_EQ(ViewChangeMagnifies(2, 8, 3, 1), 0);
  EXPECT_EQ(KeepCursorOrigin(100, 120, 40, 20), 80);
  EXPECT_EQ(KeepCursorOrigin(100, 120, 10, 0), -80);  // old size below 1 counts as 1
  EXPECT_EQ(ClampOrigin(-5, 10), 0);
  EXPECT_EQ(ClampOrigin(32760, 10), 32758);
}

TEST(EditLayout, MenuIdsOfViewModes) {
  static const struct {
    uint32_t mode;
    int32_t zoom;
    int id;
  } cases[] = {
      {1, 1, 348},  {1, 2, 347},  {1, 4, 346}, {1, 6, 345}, {1, 8, 344},  {2, 1, 349}, {2, 2, 350},
      {2, 4, 351},  {2, 8, 352},  {3, 1, 353}, {3, 2, 354}, {3, 4, 355},  {3, 8, 356}, {3, 16, 357},
      {3, 32, 358}, {3, 64, 359}, {1, 3, -1},  {2, 6, -1},  {3, 128, -1}, {4, 1, -1},  {0, 1, -1},
  };
  for (auto& c : cases) {
    EXPECT_EQ(MenuIdForViewMode(c.mode, c.zoom), c.id);
    if (c.id > 0) {
      uint32_t m;
      int32_t z;
      ASSERT_EQ(ViewModeForMenuId(c.id, &m, &z), 0);
      EXPECT_EQ(m, c.mode);
      EXPECT_EQ(z, c.zoom);
    }
  }
  uint32_t m;
  int32_t z;
  EXPECT_EQ(ViewModeForMenuId(343, &m, &z), 1);
  EXPECT_EQ(ViewModeForMenuId(360, &m, &z), 1);
}

TEST(EditLayout, TitleScale) {
  static const struct {
    uint32_t mode;
    int32_t zoom;
    uint32_t a, b;
  } cases[] = {
      {1, 4, 4, 1},
      {2, 2, 1, 4},
      {3, 4, 1, 128},
      {3, 1, 1, 32},
  };
  for (auto& c : cases) {
    uint32_t a, b;
    ViewScale(c.mode, c.zoom, &a, &b);
    EXPECT_EQ(a, c.a);
    EXPECT_EQ(b, c.b);
  }
}

TEST(EditLayout, Tiling) {
  LayoutRect r[6];
  const int L = 10, T = 100, W = 900, H = 600;  // t = 300, m = 299
  EXPECT_EQ(TileRects(0, L, T, W, H, r), 0);
  EXPECT_EQ(TileRects(7, L, T, W, H, r), 0);
  ASSERT_EQ(TileRects(1, L, T, W, H, r), 1);
  EXPECT_EQ(r[0].left, L);
  EXPECT_EQ(r[0].width, W);
  EXPECT_EQ(r[0].height, H);
  ASSERT_EQ(TileRects(2, L, T, W, H, r), 2);
  EXPECT_EQ(r[1].left, L + 450);
  EXPECT_EQ(r[1].width, 450);
  EXPECT_EQ(r[1].height, H);
  ASSERT_EQ(TileRects(3, L, T, W, H, r), 3);
  EXPECT_EQ(r[0].width, 300);
  EXPECT_EQ(r[1].left, L + 300);
  EXPECT_EQ(r[1].width, 299);
  EXPECT_EQ(r[2].left, L + 599);
  EXPECT_EQ(r[2].width, 300);
  ASSERT_EQ(TileRects(4, L, T, W, H, r), 4);
  EXPECT_EQ(r[3].left, L + 450);
  EXPECT_EQ(r[3].top, T + 300);
  EXPECT_EQ(r[3].height, 300);
  ASSERT_EQ(TileRects(5, L, T, W, H, r), 5);
  EXPECT_EQ(r[1].width, 450);
  EXPECT_EQ(r[2].top, T + 300);
  EXPECT_EQ(r[3].width, 299);
  EXPECT_EQ(r[4].left, L + 599);
  ASSERT_EQ(TileRects(6, L, T, W, H, r), 6);
  EXPECT_EQ(r[2].top, T);
  EXPECT_EQ(r[5].top, T + 300);
  EXPECT_EQ(r[4].left, L + 300);

  int32_t x, w;
  StatusWindowPlacement(0, 1280, 0, &x, &w);
  EXPECT_EQ(x, 240);
  EXPECT_EQ(w, 800);
  StatusWindowPlacement(0, 640, 0, &x, &w);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(w, 800);
  StatusWindowPlacement(20, 1280, 1, &x, &w);
  EXPECT_EQ(x, 20);
  EXPECT_EQ(w, 1280);
  StatusWindowPlacement(0, 640, 1, &x, &w);
  EXPECT_EQ(w, 800);
}

TEST(EditLayout, ActivationOrder) {
  const int some[6] = {1, 0, 1, 0, 0, 1};
  const int none[6] = {0, 0, 0, 0, 0, 0};
  static const struct {
    int req, active, last;
    int target;
  } cases[] = {
      {-2, 0, -1, 2},  {-2, 2, -1, 5},    {-2, 5, -1, -1}, {-2, -1, -1, 0},
      {-3, 5, -1, 2},  {-3, 0, -1, -1},   {-3, -1, -1, 5}, {-4, -1, 2, 2},
      {-4, -1, 1, 0},  {-4, 0, 2, -99},   {2, 0, -1, 2},   {1, 0, -1, -99},  // no window in slot 1
      {6, 0, -1, -99}, {7, 0, -1, -99},                     // slot 6 is never touched
      {-1, 0, -1, -1}, {-1, -1, -1, -99}, {0, 0, -1, -99},  // already active
  };
  for (auto& c : cases)
    EXPECT_EQ(ActivationTarget(c.req, c.active, c.last, some), c.target)
        << c.req << " " << c.active << " " << c.last;
  EXPECT_EQ(ActivationTarget(-4, -1, -1, none), -99);
  EXPECT_EQ(ActivationTarget(-2, -1, -1, none), -99);  // -1 is already active
}

TEST(EditLayout, ClockPlacementAndFrameRate) {
  int32_t x = 100, y = 100;
  PlaceClockWindow(0, 0, 1280, 1000, &x, &y, 140, 60);
  EXPECT_EQ(x, 100);
  EXPECT_EQ(y, 100);
  x = 1200;
  y = -5;
  PlaceClockWindow(0, 0, 1280, 1000, &x, &y, 140, 60);
  EXPECT_EQ(x, 570);
  EXPECT_EQ(y, 470);
  x = 5000;
  y = 5000;
  PlaceClockWindow(0, 0, 1280, 1000, &x, &y, 140, 60);
  EXPECT_EQ(x, 570);
  EXPECT_EQ(y, 470);

  static const struct {
    int cur, req, after;
  } rates[] = {
      {25, 30, 30}, {25, 1, 1}, {25, 60, 60}, {25, 0, 25},  {25, 61, 25}, {25, -1, 25},
      {10, -2, 25}, {1, -3, 1}, {5, -3, 4},   {60, -4, 60}, {59, -4, 60}, {25, -5, 25},
  };
  for (auto& r : rates) EXPECT_EQ(FrameRateAfter(r.cur, r.req), r.after) << r.cur << " " << r.req;
}

TEST(EditLayout, EdgeScrolling) {
  static const struct {
    int hit;
    uint32_t state;
  } hits[] = {
      {2, 4},  {8, 4}, {9, 4},  {12, 4}, {3, 5},  {13, 5},  {14, 6}, {20, 6}, {10, 1},
      {11, 2}, {7, 2}, {15, 8}, {6, 8},  {16, 9}, {17, 10}, {1, 0},  {5, 0},
  };
  for (auto& h : hits) EXPECT_EQ(EdgeScrollFromHitTest(h.hit), h.state) << h.hit;
  EXPECT_EQ(EdgeScrollFromClientPoint(5, 100, 400, 300), 1u);
  EXPECT_EQ(EdgeScrollFromClientPoint(390, 5, 400, 300), 2u | 4u);
  EXPECT_EQ(EdgeScrollFromClientPoint(200, 295, 400, 300), 8u);
  EXPECT_EQ(EdgeScrollFromClientPoint(200, 150, 400, 300), 0u);
  int dx, dy;
  EdgeScrollDelta(2 | 4, &dx, &dy);
  EXPECT_EQ(dx, 1);
  EXPECT_EQ(dy, -1);
}

TEST(EditTable, SlotChecksAndReset) {
  EXPECT_EQ(IsEditSlot(-1), 0);
  EXPECT_EQ(IsEditSlot(6), 0);
  EXPECT_EQ(IsEditSlot(0), 1);
  EXPECT_EQ(IsEditSlot(5), 1);
  EXPECT_EQ(GetEditSlot(6), nullptr);
  EXPECT_EQ(GetEditSlot(-1), nullptr);
  EXPECT_EQ(GetEditSlot(3), &EditViews.slot[3]);

  int marker = 0;
  EditViews.slot[2].window = &marker;
  EditViews.active = 2;
  EXPECT_EQ(FindEditWindow(&marker), 2);
  EXPECT_EQ(FindEditWindow(nullptr), -1);
  EXPECT_EQ(CountEditWindows(), 1);
  EXPECT_EQ(FirstFreeEditSlot(), 0);
  ResetEditWindows();
  EXPECT_EQ(CountEditWindows(), 0);
  EXPECT_EQ(EditViews.active, -1);
  EXPECT_EQ(EditViews.lastUsed, -1);
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EXPECT_EQ(EditViews.slot[i].showState, 1u);
    EXPECT_EQ(EditViews.slot[i].savedRect[0], -1);
  }
}
