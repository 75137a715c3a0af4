// Cell drawing with the real symbol graphics (generated glyph file): golden hashes of a window's
// drawing buffer after one full repaint of a network file at zoom 1 and 2 (the random module
// reset before), empty cells only after a failed load, the grid's edges read as empty cells,
// previews and the extent of a plain symbol.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "app/editwnd.h"
#include "app/entry.h"
#include "core/platform.h"
#include "core/random.h"
#include "core/stream.h"
#include "graphics/cellbuf.h"
#include "graphics/glyphfile.h"
#include "graphics/vehicle_cell.h"
#include "graphics/vehicles.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_draw.h"
#include "views/view_services.h"

#ifdef _WIN32
#include "core/platform_ui.h"
#else
#include "graphics/preview_native.h"
#endif

namespace {
// The drawing device context the cell-drawing objects are made on: the screen's under Wine, a
// stand-in natively.
unsigned char NativeDrawingDC;
void* DrawingDC() {
#ifdef _WIN32
  static void* dc = WrapGetDC(nullptr);
  return dc;
#else
  return &NativeDrawingDC;
#endif
}

struct ComposeFixture : ::testing::Test {
  LockRecord locks[2];
  std::vector<uint32_t> pixels;
  void* savedDC = nullptr;
  static int Glyphs() {
    static int result = -1;
    if (result < 0) {
      StreamInit();
      std::string dir = std::string(QUIL_TEST_DATA_DIR) + "/";
      std::u16string wide(dir.begin(), dir.end());
      SetKindFolder(FILE_KIND_PROGRAM, wide.c_str());
      void* dc = Entry.statusDC;
      Entry.statusDC = DrawingDC();
      result = LoadSymbolFile();
      Entry.statusDC = dc;
    }
    return result;
  }
  void SetUp() override {
    int g = Glyphs();
    ASSERT_TRUE(g == 0 || g == 6) << g;
    savedDC = Entry.statusDC;
    Entry.statusDC = DrawingDC();
    InitGrid();
    ClearGrid();
    ResetEditWindows();
    std::memset(locks, 0, sizeof locks);
    WrapInitializeCriticalSection(&locks[0]);
    WrapInitializeCriticalSection(&locks[1]);
  }
  void TearDown() override {
    EditViewSlot* s = GetEditSlot(0);
    s->window = nullptr, s->drawBuffer = nullptr, s->lockA = s->lockB = nullptr;
    ResetEditWindows();
    ClearGrid();
    ResetDocumentState();
    WrapDeleteCriticalSection(&locks[0]);
    WrapDeleteCriticalSection(&locks[1]);
    Entry.statusDC = savedDC;
  }
  EditViewSlot* Window(int zoom, int w, int h, int ox, int oy) {
    EditViewSlot* s = GetEditSlot(0);
    pixels.assign((size_t)w * h, 0x00111111);
    s->window = (void*)1, s->lockA = &locks[0], s->lockB = &locks[1];
    s->drawBuffer = pixels.data(), s->pixelWidth = w, s->pixelHeight = h;
    s->pixelCount = (uint32_t)(w * h);
    s->viewMode = VIEW_SYMBOLS, s->zoom = zoom, s->cursorLevel = 0;
    s->originX = ox, s->originY = oy, s->fineX = s->fineY = 0;
    s->cellsWide = (w / zoom + 31) / 32, s->cellsHigh = (h / zoom + 15) / 16;
    s->farX = ox + s->cellsWide, s->farY = oy + s->cellsHigh;
    return s;
  }
  uint32_t Hash() const {
    uint32_t h = 2166136261u;
    for (uint32_t p : pixels) h = (h ^ p) * 16777619u;
    return h;
  }
  // The network file "drawn.nt3" read by the network loader (a line of track from (100, 102) to
  // (111, 102), other codes at (103, 104) and (106, 104)).
  static int LoadDrawnNetwork() {
    std::string dir = std::string(QUIL_TEST_DATA_DIR) + "/netfixtures/";
    SetKindFolder(FILE_KIND_NETWORK, std::u16string(dir.begin(), dir.end()).c_str());
    return LoadNetworkFile(u"drawn.nt3");
  }
  // The 32 x 16 pixels of cell column c, row r of the window (zoom 1).
  std::vector<uint32_t> Cell(int c, int r) const {
    const EditViewSlot* s = GetEditSlot(0);
    std::vector<uint32_t> out;
    for (int y = r * 16; y < r * 16 + 16; y++)
      for (int x = c * 32; x < c * 32 + 32; x++)
        out.push_back(pixels[(size_t)(s->pixelHeight - 1 - y) * s->pixelWidth + x]);
    return out;
  }
};

TEST_F(ComposeFixture, RepaintMatchesTheGoldenPictures) {
  ASSERT_EQ(LoadDrawnNetwork(), NETLOAD_OK);
  struct Case {
    int zoom;
    uint32_t hash;
  } cases[] = {{1, 109927253u}, {2, 224558533u}};
  for (const Case& c : cases) {
    Window(c.zoom, 384, 128, 100, 100);
    RuntimeSrand(1);
    PaintWindowRect(GetDrawingDC(0), 0, 0, 0, 383, 127);
    EXPECT_EQ(GetEditSlot(0)->ready, 1u);
    EXPECT_EQ(Hash(), c.hash) << "zoom " << c.zoom;
    if (c.zoom == 1) {  // the track cells show a picture of their own, the empty cells do not
      EXPECT_NE(Cell(3, 2), Cell(3, 1));
      EXPECT_EQ(Cell(3, 0), Cell(4, 0));
    }
  }
}

// After a load that failed once the document was cleared (the open command sets NetworkInvalid)
// the symbol view shows only empty cells, whatever the grid holds, until the flag is cleared.
TEST_F(ComposeFixture, AFailedLoadShowsOnlyEmptyCells) {
  ASSERT_EQ(LoadDrawnNetwork(), NETLOAD_OK);
  Window(1, 384, 128, 100, 100);
  NetworkInvalid = 1;
  PaintWindowRect(GetDrawingDC(0), 0, 0, 0, 383, 127);
  NetworkInvalid = 0;
  std::vector<uint32_t> empty = Cell(0, 0);
  for (int r = 0; r < 8; r++)
    for (int c = 0; c < 12; c++) ASSERT_EQ(Cell(c, r), empty) << "cell " << c << "," << r;
  PaintWindowRect(GetDrawingDC(0), 0, 0, 0, 383, 127);
  EXPECT_NE(Cell(3, 2), empty);
  EXPECT_EQ(Cell(3, 1), empty);
}

// A cell at the grid's edges composes as the same cell inside the grid whose neighbours are
// empty (both cells of the same parity).
TEST_F(ComposeFixture, TheGridsEdgesAreEmptyNeighbours) {
  struct Case {
    int x, y;
  } edges[] = {{0, 0}, {32767, 32767}, {0, 32767}, {32767, 0}};
  for (const Case& e : edges) {
    int ix = 1000 + (e.x & 1), iy = 1000 + (e.y & 1);
    ClearGrid();
    ASSERT_EQ(SetCell(e.x, e.y, 0, 0x0203), 1);
    ASSERT_EQ(SetCell(ix, iy, 0, 0x0203), 1);
    Window(1, 96, 48, e.x == 0 ? 0 : e.x - 1, e.y == 0 ? 0 : e.y - 1);
    RuntimeSrand(7);
    DrawCell(e.x, e.y, 0, 1);
    std::vector<uint32_t> edge = Cell(e.x == 0 ? 0 : 1, e.y == 0 ? 0 : 1);
    Window(1, 96, 48, ix - 1, iy - 1);
    RuntimeSrand(7);
    DrawCell(ix, iy, 0, 1);
    EXPECT_EQ(edge, Cell(1, 1)) << e.x << "," << e.y;
  }
}

// A train cell shows the track under the train with the vehicle pieces that lie in the cell; a
// cell of the train that no vehicle reaches shows the bare track.
TEST_F(ComposeFixture, ATrainCellShowsItsVehicles) {
  ASSERT_EQ(LoadDrawnNetwork(), NETLOAD_OK);
  Window(1, 384, 128, 100, 100);
  auto draw = [&](int x) {
    RuntimeSrand(3);
    DrawCell(x, 102, 0, 1);
    return Cell(x - 100, 2);
  };
  std::vector<uint32_t> track105 = draw(105), track104 = draw(104);
  ResetTrains();
  TrainRecord* t = AllocTrainRecord(2, 1);
  t->line = 1, t->subNumber = 1, t->dx = 1;
  TrainPositions(t)[0] = {105, 102, 0, nullptr, (uint16_t)GetCell(105, 102, 0), 0};
  TrainPositions(t)[1] = {104, 102, 0, nullptr, (uint16_t)GetCell(104, 102, 0), 0};
  TrainVehicles(t)[0].id = 0x40000000u | 24;  // no graphic: the placeholder
  TrainVehicles(t)[0].length = 24;
  ASSERT_EQ(InsertTrain(t), 0);
  SetCell(105, 102, 0, t->cellCode);
  SetCell(104, 102, 0, t->cellCode);
  EXPECT_NE(draw(105), track105);
  EXPECT_EQ(draw(104), track104);
  ResetTrains();
}

#ifndef _WIN32
// A vehicle in a dialog: one preview blit per cell; left to right cell i shows slice i of the
// graphic and a cell past its end is empty; right to left slice i goes to cell n - 1 - i, seen
// from the other side. A code without graphic draws nothing.
TEST_F(ComposeFixture, DialogVehiclesAreCutIntoCells) {
  constexpr uint32_t kTank = 645136;  // L 40
  ASSERT_EQ(LoadVehicleGraphicSet(kTank, 0), 0);
  DrawCellPreview(DrawingDC(), 0, 0, 0xC000, 0, 0, 0, 0xC000, 0, 6);
  const std::vector<uint32_t> empty = LastPreviewBlit.pixels;
  // the last blit of a call: the last slice drawn
  auto last = [&](uint32_t flags, int cells, int* x) {
    int count = LastPreviewBlit.count;
    EXPECT_EQ(DrawCellVehicles(DrawingDC(), 10, 20, cells, 1, kTank, flags), 40);
    EXPECT_EQ(LastPreviewBlit.count, count + cells);
    EXPECT_EQ(LastPreviewBlit.y, 20);
    *x = LastPreviewBlit.x;
    return LastPreviewBlit.pixels;
  };
  int x = 0;
  std::vector<uint32_t> front = last(VDIR_HORIZONTAL, 1, &x);
  EXPECT_EQ(x, 10);
  EXPECT_NE(front, empty);
  EXPECT_NE(last(VDIR_HORIZONTAL, 2, &x), empty);  // columns 32..39
  EXPECT_EQ(x, 42);
  EXPECT_EQ(last(VDIR_HORIZONTAL, 3, &x), empty);  // past the end
  EXPECT_EQ(x, 74);
  std::vector<uint32_t> backFront = last(VDIR_HORIZONTAL_BACK, 1, &x);
  EXPECT_NE(backFront, empty);
  EXPECT_NE(backFront, front);
  EXPECT_EQ(last(VDIR_HORIZONTAL_BACK, 3, &x), empty);  // slice 2 in the first cell
  EXPECT_EQ(x, 10);
  int count = LastPreviewBlit.count;
  EXPECT_EQ(DrawCellVehicles(DrawingDC(), 10, 20, 3, 1, 0x12345670u, VDIR_HORIZONTAL), 0);
  EXPECT_EQ(LastPreviewBlit.count, count);
  FreeVehicleGraphicLibrary();
}
#endif

TEST_F(ComposeFixture, PlainSymbolsAreOneRowHigh) {
  EXPECT_EQ(GetCellDrawExtent(0x0201, 0), 16);
  EXPECT_EQ(GetCellDrawExtent(0xC000, 0), 16);
}
}  // namespace
