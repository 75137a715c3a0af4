// Vehicles in cell pictures: span look-up, the slice renderers at both zooms with their clipping
// at the cell edges, the placeholder of graphics that are not loaded, smoke, and golden hashes of
// cells with vehicles in each direction (the random module is reset first: smoke draws from it).
#include <gtest/gtest.h>
#include "core/misc.h"
#include "core/random.h"
#include "core/stream.h"
#include "graphics/cellbuf.h"
#include "graphics/compose.h"
#include "graphics/vehicle_cell.h"
#include "graphics_test_util.h"

namespace {
constexpr uint32_t kTank = 645136;         // tank engine: L 40, e1 7, a chimney at 3..4
constexpr uint32_t kExpress = 645136 | 3;  // L 64, e1 8, two chimneys
constexpr uint32_t kFill = 0x00336699;

class VehicleCells : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
    UseProgramFolder(DataDir());
    ASSERT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
    FillCellBuffer(kFill, 1);
    FillCellBuffer(kFill, 2);
    FixedRandomSeed = -1;  // the runtime sequence, restarted for every picture
    RuntimeSrand(1);
  }
  void TearDown() override { FreeVehicleGraphicLibrary(); }
};

uint64_t Hash(const uint32_t* p, int n) {
  uint64_t h = 1469598103934665603ull;
  for (int i = 0; i < n; i++)
    for (int b = 0; b < 4; b++) h = (h ^ ((p[i] >> (8 * b)) & 0xFF)) * 1099511628211ull;
  return h;
}

// The index rows and columns of CellBuffer1 that differ from the fill.
void ChangedArea(int* minRow, int* maxRow, int* minCol, int* maxCol) {
  *minRow = *minCol = 99;
  *maxRow = *maxCol = -1;
  for (int r = 0; r < 16; r++)
    for (int c = 0; c < 32; c++)
      if (CellBuffer1[r * 32 + c] != kFill) {
        *minRow = std::min(*minRow, r), *maxRow = std::max(*maxRow, r);
        *minCol = std::min(*minCol, c), *maxCol = std::max(*maxCol, c);
      }
}
}  // namespace

TEST_F(VehicleCells, SpanLookUp) {
  const VehicleGraphicEntry* rec;
  const uint32_t* px;
  int length;
  int x = 4, first = 0, last = 30;
  ASSERT_EQ(GetVehicleSpanZoom1(kTank, VDIR_HORIZONTAL, &x, &first, &last, &rec, &length, &px), 1);
  EXPECT_EQ(length, 40);
  EXPECT_EQ(px, VehicleArea(rec, 1, nullptr, nullptr));  // forward, one way: the second view
  EXPECT_EQ(x, 4);
  // mirrored: x = 32 - x - (last - first + 1), columns counted from the other end
  x = 4, first = 0, last = 30;
  ASSERT_EQ(GetVehicleSpanZoom1(kTank, VDIR_HORIZONTAL_BACK, &x, &first, &last, &rec, &length, &px),
            1);
  EXPECT_EQ(px, VehicleArea(rec, 0, nullptr, nullptr));
  EXPECT_EQ(x, -3);
  EXPECT_EQ(first, 9);
  EXPECT_EQ(last, 39);
  x = 0, first = 10, last = 99;  // the last column is clipped to the length
  ASSERT_EQ(GetVehicleSpanZoom1(kTank, VDIR_HORIZONTAL | VDIR_REVERSED, &x, &first, &last, &rec,
                                &length, &px),
            1);
  EXPECT_EQ(last, 39);
  EXPECT_EQ(px, VehicleArea(rec, 0, nullptr, nullptr));
  x = 0, first = 40, last = 45;  // beyond the length
  EXPECT_EQ(GetVehicleSpanZoom1(kTank, VDIR_HORIZONTAL, &x, &first, &last, &rec, &length, &px), 0);
  // an unknown graphic has no pixels and its length from the id
  x = 0, first = 0, last = 5;
  ASSERT_EQ(
      GetVehicleSpanZoom1(VG_GROUP | 3, VDIR_HORIZONTAL, &x, &first, &last, &rec, &length, &px), 1);
  EXPECT_EQ(rec, nullptr);
  EXPECT_EQ(px, nullptr);
  EXPECT_EQ(length, 8);
  // no zoom-2 pixels yet: the zoom-2 look-up finds nothing
  x = 0, first = 0, last = 5;
  EXPECT_EQ(GetVehicleSpanZoom2(kTank, VDIR_HORIZONTAL, &x, &first, &last, &rec, &length, &px), 0);
}

TEST_F(VehicleCells, SlicesClipAtBothCellEdges) {
  int r0, r1, c0, c1;
  // a span ending beyond column 31 draws up to column 31 only
  DrawVehicleHorizontal(kTank, VDIR_HORIZONTAL, 0, 20, 39);
  ChangedArea(&r0, &r1, &c0, &c1);
  EXPECT_GE(c0, 20);
  EXPECT_EQ(c1, 31);
  EXPECT_GE(r0, 8);
  EXPECT_LE(r1, 15);
  // a mirrored span that begins left of column 0: columns 0.. take the graphic from column 8 on
  FillCellBuffer(kFill, 1);
  DrawVehicleHorizontal(kTank, VDIR_HORIZONTAL_BACK, 0, 0, 39);
  const VehicleGraphicEntry* e = FindVehicleGraphic(kTank);
  const uint32_t* s1 = VehicleArea(e, 0, nullptr, nullptr);
  for (int i = 0; i < 7; i++)
    for (int c = 0; c < 32; c++) {
      uint32_t want = kFill;
      MergePixelBuf1(&want, s1[(6 - i) * 40 + c + 8], 1);
      ASSERT_EQ(CellBuffer1[(8 + i) * 32 + c], want) << i << " " << c;
    }
  // diagonal slices skip the rows outside the buffer
  FillCellBuffer(kFill, 1);
  DrawVehicleDiagonalB(kExpress, VDIR_DIAGONAL_B_BACK, 0, 0, 63);
  ChangedArea(&r0, &r1, &c0, &c1);
  EXPECT_LE(r1, 15);
  EXPECT_GE(c0, 0);
  // at zoom 2 without zoom-2 pixels the zoom-1 slice is scaled
  DrawVehicleHorizontalZoom2(kTank, VDIR_HORIZONTAL, 0, 20, 39);
  for (int r = 0; r < 32; r++)
    for (int c = 0; c < 40; c++) ASSERT_EQ(CellBuffer2[r * 64 + c], kFill) << r << " " << c;
}

TEST_F(VehicleCells, UnknownGraphicsAreStripedPlaceholders) {
  DrawVehicleHorizontal(9999 << 4, VDIR_HORIZONTAL, 0, 0, 15);
  for (int i = 0; i < 8; i++)
    for (int c = 0; c < 16; c++)
      ASSERT_EQ(CellBuffer1[(8 + i) * 32 + c], (c & 1) ? 0x00FF00u : 0xF0F0F0u) << i << " " << c;
  EXPECT_EQ(CellBuffer1[8 * 32 + 16], kFill);
  // vertical: blue over the first half of the length, red over the second
  FillCellBuffer(kFill, 1);
  DrawVehicleVerticalInCell(VG_GROUP | 32, VDIR_VERTICAL, 0, 0, 31);
  EXPECT_EQ(CellBuffer1[15 * 32 + 13], 0x0000FFu);
  EXPECT_EQ(CellBuffer1[0 * 32 + 13], 0xFF0000u);
  EXPECT_EQ(CellBuffer1[7 * 32 + 12], 0xF0F0F0u);
}

TEST_F(VehicleCells, GoldenCellsInEachDirection) {
  typedef void (*Renderer)(uint32_t, uint32_t, int, int, int);
  struct Case {
    const char* what;
    Renderer draw;
    uint32_t id, word;
    int first, x, last, zoom, smoke;
    uint64_t hash;
  } cases[] = {
      {"horizontal", DrawVehicleHorizontal, kTank, VDIR_HORIZONTAL, 0, 0, 31, 1, 1,
       0x7adb19191e1a3b57ull},
      {"horizontal back", DrawVehicleHorizontal, kTank, VDIR_HORIZONTAL_BACK, 0, 0, 31, 1, 1,
       0xe084e3479a5346c7ull},
      {"horizontal reversed", DrawVehicleHorizontal, kTank, VDIR_HORIZONTAL | VDIR_REVERSED, 8, 0,
       39, 1, 1, 0xe084e3479a5346c7ull},
      {"horizontal empty", DrawVehicleHorizontalEmpty, kExpress, VDIR_HORIZONTAL, 0, 0, 31, 1, 0,
       0x7c4c66742d6dedbull},
      {"horizontal top", DrawVehicleHorizontalTop, kExpress, VDIR_HORIZONTAL, 0, 0, 31, 1, 0,
       0x1ca046d50d324383ull},
      {"diagonal A", DrawVehicleDiagonalA, kExpress, VDIR_DIAGONAL_A, 0, 0, 31, 1, 1,
       0xd62c1f6baf9ee58bull},
      {"diagonal A back", DrawVehicleDiagonalA, kExpress, VDIR_DIAGONAL_A_BACK, 0, 0, 31, 1, 1,
       0x98e4df76e1386dc3ull},
      {"diagonal B", DrawVehicleDiagonalB, kExpress, VDIR_DIAGONAL_B, 0, 0, 31, 1, 1,
       0x26d402e853f1572bull},
      {"diagonal B back", DrawVehicleDiagonalB, kExpress, VDIR_DIAGONAL_B_BACK, 0, 0, 31, 1, 1,
       0xce8a45dc432a2843ull},
      {"diagonal A top", DrawVehicleDiagonalATop, kExpress, VDIR_DIAGONAL_A, 0, 0, 31, 1, 0,
       0x16211d4845863183ull},
      {"diagonal B top", DrawVehicleDiagonalBTop, kExpress, VDIR_DIAGONAL_B, 0, 0, 31, 1, 0,
       0x239cecb867042783ull},
      {"vertical", DrawVehicleVerticalInCell, kTank, VDIR_VERTICAL, 0, 0, 31, 1, 2,
       0xb1b6f5a77dc31b80ull},
      {"vertical back", DrawVehicleVerticalInCell, kTank, VDIR_VERTICAL_BACK, 0, 0, 31, 1, 2,
       0x383aba1d4c9ea98cull},
      {"horizontal zoom 2", DrawVehicleHorizontalZoom2, kTank, VDIR_HORIZONTAL, 0, 0, 31, 2, 1,
       0xa40d33542776a263ull},
      {"diagonal A zoom 2", DrawVehicleDiagonalAZoom2, kExpress, VDIR_DIAGONAL_A, 0, 0, 31, 2, 1,
       0x556268d07ed697c3ull},
      {"diagonal B zoom 2", DrawVehicleDiagonalBZoom2, kExpress, VDIR_DIAGONAL_B_BACK, 8, 0, 39, 2,
       1, 0xbedb4aac6d77ec83ull},
      {"vertical zoom 2", DrawVehicleVerticalInCellZoom2, kTank, VDIR_VERTICAL, 0, 0, 31, 2, 2,
       0x1e7f661c92ab0b6eull},
  };
  for (const Case& c : cases) {
    FillCellBuffer(kFill, 1);
    FillCellBuffer(kFill, 2);
    RuntimeSrand(1);
    c.draw(c.id, c.word, c.first, c.x, c.last);
    if (c.smoke == 1) DrawVehicleSmoke(c.id, c.word, c.first, c.last, c.x, 0, c.zoom);
    if (c.smoke == 2) DrawVehicleSmokeVertical(c.id, c.word, c.first, c.last, c.x, c.zoom);
    uint64_t h = c.zoom == 1 ? Hash(CellBuffer1, 512) : Hash(CellBuffer2, 2048);
    EXPECT_EQ(h, c.hash) << c.what << ": 0x" << std::hex << h << "ull";
  }
}

// Whole cells: the base picture, vehicles in each direction (two of them on one cell), smoke,
// and the front of a portal drawn again over the vehicles.
TEST_F(VehicleCells, GoldenComposedCells) {
  ASSERT_EQ(LoadGeneratedGlyphs(), 0);
  ASSERT_EQ(LoadVehicleGraphicSet(645120, 0), 0);
  struct Case {
    const char* what;
    uint32_t code;
    uint32_t ids[3];
    uint16_t words[3];
    VehicleSpan spans[3];
    int zoom;
    uint64_t hash;
  } cases[] = {
      {"track, horizontal",
       0,
       {kTank, 645120 | 1},
       {VDIR_HORIZONTAL, VDIR_HORIZONTAL},
       {{0, 39, 30}, {10, 63, 0}},
       1,
       0x5f2841ecb234f103ull},
      {"track, back", 0, {kTank}, {VDIR_HORIZONTAL_BACK}, {{0, 39, 0}}, 1, 0x86c3e2d844f15a7full},
      {"empty cell",
       0xC000,
       {kExpress},
       {VDIR_HORIZONTAL | VDIR_REVERSED},
       {{0, 31, 0}},
       1,
       0xb9d000167b480a5ull},
      {"diagonal A", 0, {kExpress}, {VDIR_DIAGONAL_A}, {{0, 31, 0}}, 1, 0xfe742f9eeeb8b73ull},
      {"diagonal B back",
       0,
       {kExpress},
       {VDIR_DIAGONAL_B_BACK},
       {{16, 47, 0}},
       1,
       0x2e61edc5fda21c17ull},
      {"vertical before",
       0,
       {kTank, 645120},
       {VDIR_VERTICAL, VDIR_HORIZONTAL},
       {{0, 31, 0}, {0, 31, 0}},
       1,
       0x5251d562aaf718dcull},
      {"vertical after",
       0,
       {645120, kTank},
       {VDIR_HORIZONTAL, VDIR_VERTICAL},
       {{0, 31, 0}, {0, 31, 0}},
       1,
       0xf156a944553196a0ull},
      {"unknown", 0, {9999 << 4}, {VDIR_HORIZONTAL}, {{4, 20, 0}}, 1, 0x904ea5c4737009c7ull},
      {"zoom 2", 0, {kTank}, {VDIR_HORIZONTAL}, {{0, 31, 0}}, 2, 0xa9256a2327b6d163ull},
      {"zoom 2 diagonal", 0, {kExpress}, {VDIR_DIAGONAL_B}, {{0, 31, 0}}, 2, 0xf6fef00fd7d6a443ull},
  };
  for (const Case& c : cases) {
    RuntimeSrand(1);
    ComposeVehicleCell(c.code, 0, c.ids, c.words, c.spans, 1, 0xC000, 0, 0xC000, 0, 0, 10, 11, 0,
                       c.zoom);
    uint64_t h = c.zoom == 1 ? Hash(CellBuffer1, 512) : Hash(CellBuffer2, 2048);
    EXPECT_EQ(h, c.hash) << c.what << ": 0x" << std::hex << h << "ull";
  }
  // without vehicles the cell is its base picture
  const uint32_t none[1] = {0};
  const uint16_t noWords[1] = {0};
  const VehicleSpan noSpans[1] = {};
  ComposeCellBase(0, 0, 0xC000, 0, 0xC000, 0, 0, 10, 11, 0, 1);
  std::vector<uint32_t> base(CellBuffer1, CellBuffer1 + 512);
  ComposeVehicleCell(0, 0, none, noWords, noSpans, 1, 0xC000, 0, 0xC000, 0, 0, 10, 11, 0, 1);
  EXPECT_EQ(std::vector<uint32_t>(CellBuffer1, CellBuffer1 + 512), base);
  FreeSymbolGraphics();
}

TEST_F(VehicleCells, APortalFrontCoversTheVehicles) {
  ASSERT_EQ(LoadGeneratedGlyphs(), 0);
  ASSERT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
  // a portal code: its front (pass 4) draws, so the base composition returns a direction mask
  uint32_t portal = 0;
  int mask = 0;
  for (uint32_t s :
       {220, 221, 222, 223, 228, 229, 230, 231, 240, 241, 242, 243, 248, 249, 250, 251})
    for (uint32_t kind = 0; !portal && kind < 16384; kind += 512) {
      mask = ComposeCellBase(kind | s, 0, 0xC000, 0, 0xC000, 0, 0, 4, 4, 0, 1);
      if (mask) portal = kind | s;
    }
  ASSERT_NE(portal, 0u);
  // the front's own pixels
  FillCellBuffer(kFill, 1);
  ASSERT_GT(DrawSymbolPass(portal, 0, 0, 0, 4, 0, 4, 4, 0, 1), 0);
  std::vector<uint32_t> front(CellBuffer1, CellBuffer1 + 512);
  const uint32_t ids[2] = {kTank, 0};
  const uint16_t words[2] = {VDIR_HORIZONTAL, 0};
  const VehicleSpan spans[2] = {{0, 31, 0}, {}};
  ComposeVehicleCell(portal, 0, ids, words, spans, 0, 0xC000, 0, 0xC000, 0, 0, 4, 4, 0, 1);
  int covered = 0;
  for (int i = 0; i < 512; i++)
    if (front[i] != kFill && !(front[i] & 0x80000000u)) {
      EXPECT_EQ(CellBuffer1[i], front[i]) << i;
      covered++;
    }
  EXPECT_GT(covered, 0);
  FreeSymbolGraphics();
}

TEST_F(VehicleCells, SmokeRisesFromTheChimney) {
  // the tank engine going the other way (first view, drawn from column 0): its chimney in
  // columns 3..4; into the cell above, the dots fall in its bottom rows, grey
  DrawVehicleSmoke(kTank, VDIR_HORIZONTAL_BACK, 0, 39, -8, 1, 1);
  int dots = 0;
  for (int r = 0; r < 16; r++)
    for (int c = 0; c < 32; c++) {
      uint32_t p = CellBuffer1[r * 32 + c];
      if (p == kFill) continue;
      dots++;
      EXPECT_EQ(p & 0xFF, (p >> 8) & 0xFF);  // grey
      EXPECT_LE(r, 2);
      EXPECT_TRUE(c == 3 || c == 4) << c;
    }
  EXPECT_GT(dots, 0);
  // the same chimney on a diagonal rising to the right stands lower at the left: in the cell
  FillCellBuffer(kFill, 1);
  RuntimeSrand(1);
  DrawVehicleSmoke(kTank, VDIR_DIAGONAL_A_BACK, 0, 39, -8, 0, 1);
  dots = 0;
  for (int r = 0; r < 16; r++)
    for (int c = 0; c < 32; c++)
      if (CellBuffer1[r * 32 + c] != kFill) {
        dots++;
        EXPECT_TRUE(c == 3 || c == 4) << c;
      }
  EXPECT_GE(dots, 2);  // the dots of both columns lie inside
  // a graphic without chimneys, an unknown one and a direction without a group draw nothing
  FillCellBuffer(kFill, 1);
  DrawVehicleSmoke(kTank | 2, VDIR_HORIZONTAL, 0, 23, 0, 0, 1);
  DrawVehicleSmoke(9999 << 4, VDIR_HORIZONTAL, 0, 23, 0, 0, 1);
  DrawVehicleSmoke(kTank, VDIR_VERTICAL, 0, 31, 0, 0, 1);
  for (uint32_t p : CellBuffer1) ASSERT_EQ(p, kFill);
}
