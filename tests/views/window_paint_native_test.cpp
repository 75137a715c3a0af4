// The views' side of the edit windows' drawing buffers: single pixels, dotted rows and columns,
// scrolling the buffer, repaint by view mode with the ready flag, the redraw of one cell in the
// windows that show it (see-through levels, hidden cells, the column left of the origin), the
// train redraw queue, the background picture's pixel formats, and the overlay snapshots that the
// render thread draws from.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "app/editwnd.h"
#include "core/platform.h"
#include "graphics/colours.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/surface.h"
#include "views/surface_native.h"
#include "views/view_draw.h"
#include "views/view_services.h"

namespace {
constexpr uint32_t kOld = 0x00111111;

struct PaintFixture : ::testing::Test {
  LockRecord locks[EDIT_SLOTS][2];
  std::vector<uint32_t> pixels[EDIT_SLOTS];
  void SetUp() override {
    ResetEditWindows();
    ASSERT_EQ(InitGrid(), 0);  // also when this suite runs first or alone
    ClearGrid();
    for (int i = 0; i < EDIT_SLOTS; i++) {
      std::memset(locks[i], 0, sizeof locks[i]);
      WrapInitializeCriticalSection(&locks[i][0]);
      WrapInitializeCriticalSection(&locks[i][1]);
    }
  }
  void TearDown() override {
    for (int i = 0; i < EDIT_SLOTS; i++) {
      EditViewSlot* s = GetEditSlot(i);
      s->window = nullptr;
      s->drawBuffer = nullptr;
      s->lockA = s->lockB = nullptr;
      WrapDeleteCriticalSection(&locks[i][0]);
      WrapDeleteCriticalSection(&locks[i][1]);
    }
    ResetEditWindows();
    ClearGrid();
  }
  // A window of cols x rows cells in the mode and zoom at the origin, showing level `level`.
  EditViewSlot* Open(int slot, uint32_t mode, int zoom, int w, int h, int ox, int oy,
                     int level = 0) {
    EditViewSlot* s = GetEditSlot(slot);
    s->window = (void*)(intptr_t)(slot + 1);
    s->lockA = &locks[slot][0];
    s->lockB = &locks[slot][1];
    pixels[slot].assign((size_t)w * h, kOld);
    s->drawBuffer = pixels[slot].data();
    s->pixelWidth = w;
    s->pixelHeight = h;
    s->pixelCount = (uint32_t)(w * h);
    s->viewMode = mode;
    s->zoom = zoom;
    s->originX = ox;
    s->originY = oy;
    s->fineX = s->fineY = 0;
    s->cursorLevel = level;
    s->cursorX = ox;
    s->cursorY = oy;
    if (mode == VIEW_SYMBOLS) {
      s->cellsWide = (w / zoom + 31) / 32;
      s->cellsHigh = (h / zoom + 15) / 16;
    } else {
      s->cellsWide = (w * zoom + 15) / 16;
      s->cellsHigh = (h * zoom + 15) / 16;
    }
    s->farX = ox + s->cellsWide;
    s->farY = oy + s->cellsHigh;
    s->dirty = 0;
    s->ready = 0;
    ValidateEditWindowRect(slot, -100000, -100000, 100000, 100000);  // a new window: nothing due
    return s;
  }
  uint32_t At(int slot, int x, int y) {
    const EditViewSlot* s = GetEditSlot(slot);
    return pixels[slot][(size_t)(s->pixelHeight - 1 - y) * s->pixelWidth + x];
  }
  // Rows of the client area: '.' untouched, else the low hex digit of the pixel.
  std::string Picture(int slot) {
    const EditViewSlot* s = GetEditSlot(slot);
    std::string out;
    for (int y = 0; y < s->pixelHeight; y++) {
      for (int x = 0; x < s->pixelWidth; x++)
        out += At(slot, x, y) == kOld ? '.' : "0123456789abcdef"[At(slot, x, y) & 15];
      out += '\n';
    }
    return out;
  }
  int Touched(int slot, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y <= y2; y++)
      for (int x = x1; x <= x2; x++) n += At(slot, x, y) != kOld;
    return n;
  }
};

TEST_F(PaintFixture, PixelsRowsAndColumnsAreClippedToTheClientArea) {
  EditViewSlot* s = Open(0, VIEW_SYMBOLS, 1, 8, 4, 100, 100);
  PutWindowBufferPixel(0, 8, 0, 0xA);  // outside: nothing, no dirty flag
  PutWindowBufferPixel(0, -1, 0, 0xA);
  EXPECT_EQ(s->dirty, 0u);
  PutWindowBufferPixel(0, 7, 3, 0xA);
  EXPECT_EQ(s->dirty, 1u);
  DrawWindowBufferRow(0, 9, 0, -3, 0xB, 2);  // ends in either order; steps from the smaller end
  DrawWindowBufferColumn(0, 0, 3, 1, 0xC, 1);
  PutWindowBufferPixel(7, 0, 0, 0xD);  // no such window
  EXPECT_EQ(Picture(0),
            ".b.b.b.b\n"
            "c.......\n"
            "c.......\n"
            "c......a\n");
}

TEST_F(PaintFixture, ScrollingMovesThePixelsOfTheRectangle) {
  auto fill = [&]() {
    EditViewSlot* s = Open(0, VIEW_SYMBOLS, 1, 4, 3, 0, 0);
    for (int y = 0; y < 3; y++)
      for (int x = 0; x < 4; x++) pixels[0][(size_t)(2 - y) * 4 + x] = (uint32_t)(y * 4 + x);
    return s;
  };
  fill();
  ScrollWindowBuffer(0, 0, 0, 3, 2, 2, 0);
  EXPECT_EQ(Picture(0), "0101\n4545\n8989\n");
  fill();
  ScrollWindowBuffer(0, 0, 0, 3, 2, -1, 0);
  EXPECT_EQ(Picture(0), "1233\n5677\n9abb\n");
  fill();
  ScrollWindowBuffer(0, 0, 0, 3, 2, 0, 1);  // down: the top row stays
  EXPECT_EQ(Picture(0), "0123\n0123\n4567\n");
  fill();
  ScrollWindowBuffer(0, -5, 0, 3, 2, 0, -2);  // up, the rectangle clipped at the left
  EXPECT_EQ(Picture(0), "89ab\n4567\n89ab\n");
  fill();
  ScrollWindowBuffer(0, 1, 1, 2, 2, 1, 1);  // only inside the rectangle
  EXPECT_EQ(Picture(0), "0123\n4557\n855b\n");
  EditViewSlot* s = fill();
  s->dirty = 0;
  ScrollWindowBuffer(0, 0, 0, 3, 2, 0, 0);
  EXPECT_EQ(s->dirty, 0u);
  EXPECT_EQ(Picture(0), "0123\n4567\n89ab\n");
}

TEST(BackgroundPicture, PixelFormats) {
  static const uint8_t bytes[] = {0x21, 0x43, 0x65, 0x87, 0xA9, 0xCB, 0xED, 0x0F};
  BackgroundImage saved = BackgroundPicture;
  BackgroundPicture.pixels = bytes;
  BackgroundPicture.width = 8;
  BackgroundPicture.height = 1;
  for (int i = 0; i < 256; i++) BackgroundPicture.palette[i] = 0x100000u + (uint32_t)i;
  struct Case {
    int format;
    uint32_t index, expected;
  } cases[] = {
      {1, 1, 0x0FEDCBA9},
      {2, 1, 0x87A9CB},
      // 0x4321: red 01000 in bits 19-23 only (bits 16-18 stay clear), green 011001, blue 00001
      {3, 0, (0x08u << 19) | (0x19u << 10) | (0x01u << 3)},
      {4, 2, 0x100065},
      {5, 2, 0x100003},  // even index: low nibble of byte 1
      {5, 3, 0x100004},  // odd index: high nibble of byte 1
      {6, 0, 0x100001},  // bit 0 of byte 0
      {6, 1, 0x100000},
      {6, 5, 0x100001},
      {7, 0, 0xFF0000},  // unknown format
  };
  for (const Case& c : cases) {
    BackgroundPicture.format = c.format;
    EXPECT_EQ(GetBackgroundImagePixel(c.index), c.expected) << c.format << " " << c.index;
  }
  BackgroundPicture.format = 1;
  EXPECT_EQ(GetBackgroundImagePixel(8), 0u);  // past the picture
  BackgroundPicture = saved;
}
TEST_F(PaintFixture, PaintingARectangleSetsReadyAndIsRefusedForBadRectangles) {
  EditViewSlot* s = Open(0, VIEW_SYMBOLS, 1, 64, 32, 100, 100);
  struct Case {
    int x1, y1, x2, y2;
  } refused[] = {{-1, 0, 5, 5},  {0, -1, 5, 5}, {65, 0, 70, 5},
                 {0, 33, 5, 40}, {6, 0, 5, 5},  {0, 6, 5, 5}};
  for (const Case& c : refused) {
    PaintWindowRect(nullptr, 0, c.x1, c.y1, c.x2, c.y2);
    EXPECT_EQ(s->ready, 0u) << c.x1 << "," << c.y1;
  }
  PaintWindowRect(nullptr, 6, 0, 0, 5, 5);  // no such window
  EXPECT_EQ(Touched(0, 0, 0, 63, 31), 0);
  PaintWindowRect(nullptr, 0, 0, 0, 31, 15);  // the first cell
  EXPECT_EQ(s->ready, 1u);
  EXPECT_EQ(s->dirty, 1u);
  EXPECT_EQ(Touched(0, 0, 0, 31, 15), 32 * 16);
  EXPECT_EQ(Touched(0, 32, 0, 63, 31), 0);
  // Invalidating clears the ready flag; the update paints what was invalidated.
  InvalidateWindowRect(0, 32, 16, 63, 31);
  EXPECT_EQ(s->ready, 0u);
  EXPECT_EQ(Touched(0, 32, 16, 63, 31), 0);
  UpdateEditWindow(0);
  EXPECT_EQ(s->ready, 1u);
  EXPECT_EQ(Touched(0, 32, 16, 63, 31), 32 * 16);
  EXPECT_EQ(Touched(0, 32, 0, 63, 15), 0);
}

TEST_F(PaintFixture, InvalidateViewsChoosesWindowsByModeAndZoom) {
  Open(0, VIEW_SYMBOLS, 1, 32, 16, 10, 10);
  Open(1, VIEW_DIAGRAM, 8, 16, 16, 10, 10);
  Open(2, VIEW_DIAGRAM, 16, 16, 16, 10, 10);
  auto painted = [&](uint32_t mask) {
    for (int i = 0; i < 3; i++) {
      std::fill(pixels[i].begin(), pixels[i].end(), kOld);
      GetEditSlot(i)->ready = 0;
    }
    InvalidateViews(mask);
    std::string r;
    for (int i = 0; i < 3; i++) r += GetEditSlot(i)->ready ? '1' : '0';
    return r;
  };
  EXPECT_EQ(painted(2), "111");
  EXPECT_EQ(painted(4), "100");
  EXPECT_EQ(painted(8), "010");  // diagrams up to zoom step 8 only
  EXPECT_EQ(painted(1), "000");
}

// Which windows a cell redraw writes into: the see-through walk, the window's level, the
// column and row before the origin, cells outside the view.
TEST_F(PaintFixture, DrawCellReachesTheWindowsThatShowTheCell) {
  Open(0, VIEW_SYMBOLS, 1, 96, 48, 10, 10, 0);   // level 0, cells 10..12 x 10..12
  Open(1, VIEW_SYMBOLS, 1, 96, 48, 10, 10, -1);  // level -1
  Open(2, VIEW_SYMBOLS, 2, 96, 48, 10, 10, -3);  // level -3, zoom 2: cells 10, 11
  auto drawn = [&](int x, int y, int level) {
    for (int i = 0; i < 3; i++) std::fill(pixels[i].begin(), pixels[i].end(), kOld);
    DrawCell(x, y, level, 1);
    std::string r;
    for (int i = 0; i < 3; i++) r += Touched(i, 0, 0, 95, 47) ? '1' : '0';
    return r;
  };
  EXPECT_EQ(drawn(11, 11, 0), "100");   // only the window on level 0
  EXPECT_EQ(drawn(11, 11, -1), "010");  // level 0 holds the empty cell, not a see-through one
  ASSERT_EQ(SetCell(11, 11, 0, CELL_SEE_THROUGH_1), 1);
  ASSERT_EQ(SetCell(11, 11, -1, CELL_SEE_THROUGH_2), 1);
  EXPECT_EQ(drawn(11, 11, -2), "110");  // seen from levels 0 and -1 through the see-through cells
  EXPECT_EQ(drawn(11, 11, -3), "001");  // the empty cell on level -2 is not see-through
  ASSERT_EQ(SetCell(11, 11, -1, 0x0201), 1);
  EXPECT_EQ(drawn(11, 11, -2), "000");  // a track on level -1 hides it from both
  ASSERT_EQ(SetCell(11, 11, -3, CELL_SEE_THROUGH_1), 1);
  EXPECT_EQ(drawn(11, 11, -4), "001");  // window 2 sees level -4 through level -3
  EXPECT_EQ(drawn(13, 11, 0), "000");   // right of the view
  EXPECT_EQ(drawn(9, 9, 0), "000");     // before the origin: outside without a sub-cell offset
  EXPECT_EQ(drawn(8, 10, 0), "000");
  EXPECT_EQ(drawn(-1, 10, 0), "000");  // outside the grid
  EXPECT_EQ(drawn(10, 32768, 0), "000");
  // With a sub-cell offset the column before the origin is partly visible.
  GetEditSlot(0)->fineX = 8;
  EXPECT_EQ(drawn(9, 10, 0), "100");
  EXPECT_EQ(Touched(0, 0, 0, 7, 15), 8 * 16);
  EXPECT_EQ(Touched(0, 8, 0, 95, 47), 0);
}

TEST_F(PaintFixture, TheRedrawQueueNeverOverflows) {
  Open(0, VIEW_SYMBOLS, 1, 96, 48, 0, 0);
  for (int i = 0; i < REDRAW_QUEUE_CELLS; i++) EXPECT_EQ(QueueCellRedraw(1, 1, 0), i + 1);
  // A further position flushes the full queue first.
  EXPECT_EQ(QueueCellRedraw(2, 1, 0), 1);
  EXPECT_EQ(Touched(0, 32, 16, 63, 31), 32 * 16);  // the flushed cell (1, 1)
  EXPECT_EQ(Touched(0, 64, 16, 95, 31), 0);        // (2, 1) still queued
  EXPECT_EQ(FlushCellRedrawQueue(1), 3);
  EXPECT_EQ(Touched(0, 64, 16, 95, 31), 32 * 16);
  EXPECT_EQ(Touched(0, 64, 0, 95, 15), 32 * 16);  // and the cell above it
  EXPECT_EQ(FlushCellRedrawQueue(1), 0);
}

// ---- overlays from the snapshot ---------------------------------------------------------------
struct OverlayFixture : PaintFixture {
  NativeSurface dc;
  void SetUp() override {
    PaintFixture::SetUp();
    InstallOverlayPainters();
    NativeSurfaceInit(&dc, 200, 100, 0xFFFFFF);
    ClearSwitches();
  }
  void TearDown() override {
    ClearSwitches();
    NativeSurfaceFree(&dc);
    OverlayAnnotationBits = 0;
    EditViews.active = -1;
    PaintFixture::TearDown();
  }
  EditOverlaySnapshot Snap(int slot) {
    EditOverlaySnapshot out;
    ReadOverlaySnapshot(slot, &out);
    return out;
  }
};

TEST_F(OverlayFixture, TheCursorMarkIsDrawnOnlyInTheActiveWindow) {
  EditViewSlot* s = Open(0, VIEW_SYMBOLS, 1, 160, 64, 10, 10);
  s->cursorX = 11;
  s->cursorY = 12;
  s->ready = 1;
  EditViews.active = 1;
  PublishOverlaySnapshot(0);
  EditOverlaySnapshot snap = Snap(0);
  EXPECT_EQ(DrawCursorMarkFromSnapshot(&dc, &snap, 1), 1);
  EXPECT_EQ(dc.setPixelCalls, 0);
  EditViews.active = 0;
  EXPECT_EQ(RefreshOverlaySnapshots(), 1);  // the active window changed
  EXPECT_EQ(RefreshOverlaySnapshots(), 0);  // nothing changed since
  snap = Snap(0);
  EXPECT_EQ(DrawCursorMarkFromSnapshot(&dc, &snap, 0), 5);
  EXPECT_EQ(DrawCursorMarkFromSnapshot(nullptr, &snap, 1), 7);
  EXPECT_EQ(DrawCursorMarkFromSnapshot(&dc, &snap, 1), 0);
  // A one-pixel frame round cell (11, 12): pixels 32..63 x 32..47.
  uint32_t c = snap.cursorColour;
  EXPECT_EQ(NativeSurfacePixel(&dc, 32, 32), c);
  EXPECT_EQ(NativeSurfacePixel(&dc, 63, 47), c);
  EXPECT_EQ(NativeSurfacePixel(&dc, 40, 40), 0xFFFFFFu);
  EXPECT_EQ(NativeSurfacePixel(&dc, 64, 47), 0xFFFFFFu);
  // A cursor move, a cell redraw: published again at the next refresh.
  s->cursorX = 12;
  EXPECT_EQ(RefreshOverlaySnapshots(), 1);
  EXPECT_EQ(Snap(0).cursorX, 12);
  DrawCell(10, 10, 0, 1);
  EXPECT_EQ(RefreshOverlaySnapshots(), 1);
  EXPECT_EQ(DrawCursorMarkInView(6), 3);
  EXPECT_EQ(DrawCursorMarkInView(3), 4);
}

TEST_F(OverlayFixture, AnnotationsComeFromTheSnapshotItems) {
  EditViewSlot* s = Open(0, VIEW_SYMBOLS, 1, 160, 64, 10, 10);
  ASSERT_EQ(CreateSwitchRecord(nullptr, 11, 10, 0, 0, 1, 4711, 1, 2, 0, 0, 0, nullptr), 0);
  OverlayAnnotationBits = 1;
  PublishOverlaySnapshot(0);
  EditOverlaySnapshot snap = Snap(0);
  ASSERT_EQ(snap.itemCount, 1u);
  EXPECT_EQ(OverlaysToDraw(&snap) & OVERLAY_ANNOTATIONS, OVERLAY_ANNOTATIONS);
  // The store changes; the render side still draws what the snapshot holds.
  ClearSwitches();
  OverlayPainters[1](&dc, &snap);
  ASSERT_EQ(dc.textCount, 1);
  EXPECT_EQ(std::u16string(dc.texts[0].text), u"4711");
  EXPECT_EQ(dc.texts[0].x, 32 + 16 + 2);  // cell x 32, anchor 16
  EXPECT_EQ(dc.texts[0].y, 8);            // odd x: 8 pixels down
  EXPECT_EQ(dc.texts[0].colour, GetColour(159) & 0xFFFFFF);
  EXPECT_EQ(NativeSurfacePixel(&dc, 32 + 16, 12), GetColour(160) & 0xFFFFFF);  // the box
  // A diagram window: the label at zoom 8 sits 1 pixel right of the cell's left edge; at 16 none.
  s = Open(0, VIEW_DIAGRAM, 8, 40, 40, 10, 10);
  ASSERT_EQ(CreateSwitchRecord(nullptr, 11, 10, 0, 0, 1, 4711, 1, 2, 0, 0, 0, nullptr), 0);
  PublishOverlaySnapshot(0);
  snap = Snap(0);
  dc.textCount = 0;
  OverlayPainters[1](&dc, &snap);
  ASSERT_EQ(dc.textCount, 1);
  EXPECT_EQ(dc.texts[0].x, 2 + 1 + 2);  // cell x 2 at zoom 8, anchor 8 / 8
  s->zoom = 16;
  PublishOverlaySnapshot(0);
  snap = Snap(0);
  dc.textCount = 0;
  OverlayPainters[1](&dc, &snap);
  EXPECT_EQ(dc.textCount, 0);
  (void)s;
}

// Train labels reach the render side only in the snapshot: a train freed after publishing is
// still labelled from the snapshot's items until the next one.
TEST_F(OverlayFixture, TrainLabelsComeFromTheSnapshotItems) {
  Open(0, VIEW_SYMBOLS, 1, 160, 64, 10, 10);
  ResetTrains();
  TrainRecord* t = AllocTrainRecord(2, 1);
  t->line = 1;
  t->subNumber = 42;
  t->dx = 1;
  t->subCellOffset = 4;
  TrainPosition* p = TrainPositions(t);
  p[0] = {12, 11, 0, nullptr, 0x0101, 0};
  p[1] = {11, 11, 0, nullptr, 0x0101, 0};
  ASSERT_EQ(InsertTrain(t), 0);
  ASSERT_EQ(SetCell(12, 11, 0, t->cellCode), 1);
  ASSERT_EQ(SetCell(11, 11, 0, t->cellCode), 1);
  OverlayTrainLabelBits = 2;
  PublishOverlaySnapshot(0);
  EditOverlaySnapshot snap = Snap(0);
  ASSERT_EQ(snap.itemCount, 1u);
  EXPECT_EQ(OverlaysToDraw(&snap) & OVERLAY_TRAIN_LABELS, OVERLAY_TRAIN_LABELS);
  ResetTrains();
  OverlayPainters[2](&dc, &snap);
  ASSERT_EQ(dc.textCount, 1);
  EXPECT_EQ(std::u16string(dc.texts[0].text), u"42.");
  EXPECT_EQ(dc.texts[0].x, 64 + 20 + 2);  // cell x 64, the head's label 24 - 4 to the right
  EXPECT_EQ(dc.texts[0].colour, GetColour(108) & 0xFFFFFF);
  PublishOverlaySnapshot(0);  // the train is gone from the next snapshot
  EXPECT_EQ(Snap(0).itemCount, 0u);
  OverlayTrainLabelBits = 0;
  ClearGrid();
}

TEST_F(OverlayFixture, ALabelWithoutBackgroundLeavesTheCellVisible) {
  Open(0, VIEW_SYMBOLS, 1, 160, 64, 10, 10);
  OverlayItem items[2] = {};
  items[0].kind = OVERLAY_ITEM_TEXT;
  items[0].px = 0;
  items[0].py = 0;
  items[0].textColour = 0x0000FF;
  items[0].boxColour = SURFACE_TRANSPARENT;
  items[0].text[0] = u'A';
  items[1] = items[0];
  items[1].px = 32;
  items[1].boxColour = 0x00FF00;
  EditOverlaySnapshot snap = {};
  snap.valid = 1;
  snap.viewMode = VIEW_SYMBOLS;
  snap.zoom = 1;
  snap.textLabels = 1;
  snap.items = items;
  snap.itemCount = 2;
  OverlayPainters[0](&dc, &snap);
  EXPECT_EQ(NativeSurfacePixel(&dc, 1, 1), 0xFFFFFFu);   // the picture behind stays
  EXPECT_EQ(NativeSurfacePixel(&dc, 33, 1), 0x00FF00u);  // a background fills the cell
  EXPECT_EQ(NativeSurfacePixel(&dc, 64, 1), 0xFFFFFFu);
  ASSERT_EQ(dc.textCount, 2);
  EXPECT_EQ(dc.texts[0].x, 4);  // the first character at x + 4
  EXPECT_EQ(dc.texts[0].background, SURFACE_TRANSPARENT);
}
}  // namespace
