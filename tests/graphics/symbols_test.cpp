// Symbol table, its expansion and zoom-2 pixels, and the two code mappings.
#include <gtest/gtest.h>
#include "core/misc.h"
#include "core/random.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/symbol_tables.h"
#include "graphics/symbols.h"
#include "graphics_test_util.h"

TEST(SymbolMapping, SymbolCodeEdges) {
  struct Case {
    uint32_t code;
    uint16_t index;
  } cases[] = {
      {0xE000, 5048},
      {0xE001, 5048 | SYMBOL_MIRRORED},
      {0xFC1F, 8647 | SYMBOL_MIRRORED},
      {0xFC20, SYMBOL_NONE},
      {0xFFFF, SYMBOL_NONE},
      {0xAFFF, SYMBOL_NONE},
      {0x10000, SYMBOL_NONE},
      {0xC000, kPageC0[0]},
      {0xC002, kPageC0[2]},
      // outside the three empty codes of the page-0xC0 table
      {0xB1C8, SYMBOL_NONE},
      {0xBFFF, SYMBOL_NONE},
      {0xC003, SYMBOL_NONE},
      {0xC0FF, SYMBOL_NONE},
      // pages 0xC1..0xC4 share a table and add 32 per page to the entry
      {0xC100, 1898},
      {0xC101, SYMBOL_NONE},
      {0xC102, 1899},
      {0xC103, 1899},
      {0xC104, 1900},
      {0xC200, 1898 + 32},
      {0xC401, SYMBOL_NONE},
      {0xC404, 1900 + 96},
      {0xC150, SYMBOL_NONE},  // beyond the 80 entries
      {0xC5FF, SYMBOL_NONE},  // beyond the 38 entries of page 0xC5
      {0xC6FF, SYMBOL_NONE},  // beyond the 7 entries of page 0xC6
      {0xD000, 2077},
      {0xD005, 2079 | SYMBOL_MIRRORED},
      {0xD006, SYMBOL_NONE},
      {0xD700, 1776},
      {0xD711, 1784 | SYMBOL_MIRRORED},
      {0xDF00, kPageTables[18][0]},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MapSymbolCodeToIndex(c.code), c.index) << std::hex << c.code;
  // two codes per symbol on pages 0xC6..0xDF, the odd one mirrored
  EXPECT_EQ(MapSymbolCodeToIndex(0xC601), MapSymbolCodeToIndex(0xC600) | SYMBOL_MIRRORED);
  EXPECT_NE(MapSymbolCodeToIndex(0xC600), SYMBOL_NONE);
  EXPECT_EQ(MapSymbolCodeToIndex(0xB001), MapSymbolCodeToIndex(0xB000) | SYMBOL_MIRRORED);
}

TEST(SymbolMapping, OffsetsGoOnTheEntryNotTheIndex) {
  EXPECT_EQ(OffsetEntry(SYMBOL_NONE, 8), SYMBOL_NONE);
  EXPECT_EQ(OffsetEntry(100 | SYMBOL_MIRRORED, 16), 116 | SYMBOL_MIRRORED);
  EXPECT_EQ(PictureEntry(kHstPictures, 17, 17), SYMBOL_NONE);
  EXPECT_EQ(PictureEntry(kHstPictures, 17, -1), SYMBOL_NONE);
  // main signal: the upper group (from 448) takes the entry + 8
  for (uint32_t form : {0u, 13u, 59u})
    for (int d = 0; d < 8; d++)
      EXPECT_EQ(MapCellCodeToIndex(448 + d, form), OffsetEntry(kSignalKind1[form * 8 + d], 8));
  // combined signal: + 8 for 408..415, + 16 from 416
  EXPECT_EQ(MapCellCodeToIndex(410, 5), OffsetEntry(kSignalKind3[5 * 8 + 2], 8));
  EXPECT_EQ(MapCellCodeToIndex(417, 5), OffsetEntry(kSignalKind3[5 * 8 + 1], 16));
  // narrow band: N1 / N2 by the kind and the group
  EXPECT_EQ(MapCellCodeToIndex(7168 + 440, 7), kSignalNarrow1[1 * 8 + 0]);
  EXPECT_EQ(MapCellCodeToIndex(7168 + 449, 7), OffsetEntry(kSignalNarrow1[1 * 8 + 1], 8));
  EXPECT_EQ(MapCellCodeToIndex(7168 + 433, 6), kSignalNarrow2[1]);
  EXPECT_EQ(MapCellCodeToIndex(7168 + 440, 2), SYMBOL_NONE);  // below the narrow form range
  // HST and TP add the direction to the entry
  EXPECT_EQ(MapCellCodeToIndex(267, 4), OffsetEntry(kHstPictures[4], 3));
  EXPECT_EQ(MapCellCodeToIndex(155, 18), OffsetEntry(kTpPictures[18], 3));
  EXPECT_EQ(MapCellCodeToIndex(7168 + 155, 1), 1848 + 3);
  EXPECT_EQ(MapCellCodeToIndex(7168 + 155, 2), 392 + 3);
  EXPECT_EQ(MapCellCodeToIndex(7168 + 267, 2), 384 + 3);
}

TEST(SymbolMapping, CellCodeRowsAndStates) {
  ShowOption[1] = 1;
  ShowOption[5] = 1;
  struct Case {
    uint32_t code, state;
    int row;  // main-table row (column 0), -1 none
  } cases[] = {
      {12, 1, 344},  {12, 2, 346},  {12, 0, -1},    {12, 3, -1},    {88, 1, 0},
      {95, 1, 7},    {88, 2, -1},   {48, 1, 2},     {48, 2, 348},   {62, 2, 344},
      {64, 1, 344},  {79, 2, 351},  {80, 1, -1},    {5, 1, -1},     {100, 0, -1},
      {135, 0, -1},  {168, 0, 8},   {511, 0, 351},  {440, 102, -1}, {441, 103, 1},
      {441, 104, 0}, {264, 101, 0}, {271, 100, -1}, {199, 101, 7},  {183, 101, 7},
  };
  for (const Case& c : cases) {
    uint16_t want = c.row < 0 ? SYMBOL_NONE : kMainPictures[c.row * 4];
    EXPECT_EQ(MapCellCodeToIndex(c.code, c.state), want) << c.code << " state " << c.state;
  }
  // a contact with switch 1 off: lamp pattern 4 shows row s & 7, 8 the row with bit 0 flipped
  ShowOption[1] = 0;
  EXPECT_EQ(MapCellCodeToIndex(394, 0), SYMBOL_NONE);
  EXPECT_EQ(MapCellCodeToIndex(394, 1), kMainPictures[2 * 4]);
  EXPECT_EQ(MapCellCodeToIndex(394, 2), kMainPictures[3 * 4]);
  ShowOption[1] = 1;
  EXPECT_EQ(MapCellCodeToIndex(394, 1), OffsetEntry(kSignalKind10[2], 2));
  // Dwx with switch 5 off: only state 1, row s - 200
  ShowOption[5] = 0;
  EXPECT_EQ(MapCellCodeToIndex(203, 0), SYMBOL_NONE);
  EXPECT_EQ(MapCellCodeToIndex(203, 1), kMainPictures[3 * 4]);
  ShowOption[5] = 1;
  // a blinking crossing signal of the first group (form + 24) lies outside its table
  EXPECT_EQ(MapCellCodeToIndex(458, 30), SYMBOL_NONE);
  EXPECT_NE(MapCellCodeToIndex(466, 30), SYMBOL_NONE);
  // columns by track-kind group
  EXPECT_EQ(MapCellCodeToIndex(4096 + 168, 0), kMainPictures[8 * 4 + 2]);
  EXPECT_EQ(MapCellCodeToIndex(8192 + 168, 0), kMainPictures[8 * 4 + 1]);
  // lower ends of a level change hide the vehicles standing on them
  EXPECT_EQ(AreVehiclesVisibleOn(184), 0);
  EXPECT_EQ(AreVehiclesVisibleOn(168), 1);
  EXPECT_EQ(AreVehiclesVisibleOn(0), 1);
  EXPECT_EQ(AreVehiclesVisibleOn(0xC600), 1);
}

// Every index a code and a state can map to names a slot with pieces (or is "none").
TEST(SymbolMapping, EveryReachableIndexHasAPicture) {
  for (int show = 0; show < 2; show++) {
    ShowOption[1] = ShowOption[5] = show;
    for (uint32_t code = 0; code < 16384; code++)
      for (uint32_t state :
           {0u,  1u,  2u,  3u,  6u,   11u,  16u,  18u,  23u,  24u,   30u,
            47u, 59u, 60u, 99u, 100u, 101u, 102u, 103u, 104u, 1000u, 0xFFFFFFFFu}) {
        uint16_t i = MapCellCodeToIndex(code, state);
        if (i == SYMBOL_NONE) continue;
        SymbolDefinition d = GetBuiltinDefinition(i & 0x3FFF);
        ASSERT_GT(d.count, 0) << code << " state " << state << " index " << i;
      }
  }
  for (uint32_t code = 0xB000; code < 0xE000; code++) {
    uint16_t i = MapSymbolCodeToIndex(code);
    if (i == SYMBOL_NONE) continue;
    ASSERT_GT(GetBuiltinDefinition(i & 0x3FFF).count, 0) << std::hex << code;
  }
  ShowOption[1] = ShowOption[5] = 1;
}

class SymbolTableTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(BuildSymbolTable(), 0); }
  void TearDown() override {
    FreeSymbolTable();
    if (GlyphStore) MemFree(GlyphStore);
    GlyphStore = nullptr;
  }
};

// A built-in definition with a reference piece.
static int FindReferencingDefinition() {
  for (int i = 0; i < SYMBOL_BUILTIN_COUNT; i++) {
    SymbolDefinition d = GetBuiltinDefinition(i);
    for (int k = 0; k < d.count; k++)
      if (d.parts[k].pass == SYMBOL_PASS_REFERENCE) return i;
  }
  return -1;
}

TEST_F(SymbolTableTest, ReferencesExpandInPlaceDepthFirst) {
  // an own piece, a reference to a two-piece definition, another own piece
  int target = -1;
  for (int i = 0; i < SYMBOL_BUILTIN_COUNT && target < 0; i++)
    if (GetBuiltinDefinition(i).count >= 2) target = i;
  ASSERT_GE(target, 0);
  SymbolDefinition t = GetBuiltinDefinition(target);
  SymbolPart parts[3] = {};
  parts[0].width = 3, parts[0].height = 2, parts[0].source = 8, parts[0].pass = 2;
  parts[1].pass = SYMBOL_PASS_REFERENCE, parts[1].source = (uint32_t)target;
  parts[2].width = 5, parts[2].height = 1, parts[2].source = 16, parts[2].pass = 3;
  EXPECT_EQ(CountLeafParts(3, parts), 2 + t.count);
  ASSERT_EQ(SetSymbolDefinition(6000, 3, parts), 0);
  const SymbolEntry* e = GetSymbolEntry(6000);
  ASSERT_EQ(e->count, 2 + t.count);
  EXPECT_EQ(e->parts[0].source, 8u);
  for (int k = 0; k < t.count; k++) {
    EXPECT_EQ(e->parts[1 + k].source, t.parts[k].source);
    EXPECT_EQ(e->parts[1 + k].x, t.parts[k].x);
    EXPECT_EQ(e->parts[1 + k].pass, t.parts[k].pass);
  }
  EXPECT_EQ(e->parts[1 + t.count].source, 16u);
  EXPECT_EQ(GetLeafPart(1 + t.count, 3, parts), &parts[2]);
  EXPECT_EQ(GetLeafPart(2 + t.count, 3, parts), nullptr);
  // seventeen pieces are refused, a slot outside the table too; count 0 empties the slot
  SymbolPart many[17] = {};
  EXPECT_EQ(SetSymbolDefinition(6001, 17, many), 1);
  EXPECT_EQ(SetSymbolDefinition(8648, 1, many), 2);
  EXPECT_EQ(SetSymbolDefinition(-1, 1, many), 2);
  EXPECT_EQ(SetSymbolDefinition(6000, 0, nullptr), 0);
  EXPECT_EQ(GetSymbolEntry(6000)->count, 0);
  // the generated data uses references too
  int r = FindReferencingDefinition();
  if (r >= 0) EXPECT_GT(GetSymbolEntry(r)->count, 0);
}

// A doubled zoom-2 piece from a strip the test fills: (row, column) pixels.
static const ExpandedPart& DoublePiece(int slot, int y, int w, int h) {
  SymbolPart p = {};
  p.x = 0, p.y = (int16_t)y, p.pass = 2, p.width = (uint8_t)w, p.height = (uint8_t)h;
  p.flags = PART_ZOOM2_DOUBLE;
  p.source = 80;
  EXPECT_EQ(SetSymbolDefinition(slot, 1, &p), 0);
  EXPECT_EQ(PrepareZoom2Pixels(), 0);
  return GetSymbolEntry(slot)->parts[0];
}

static void StripSet(int row, int column, uint32_t v) {
  GlyphStore[(size_t)row * GLYPH_STRIP_WIDTH + column] = v;
}

TEST_F(SymbolTableTest, DoubledZoom2Pixels) {
  GlyphStore = (uint32_t*)MemAlloc(GLYPH_STORE_BYTES);
  ASSERT_NE(GlyphStore, nullptr);
  for (size_t i = 0; i < GLYPH_STORE_BYTES / 4; i++) GlyphStore[i] = PIXEL_TRANSPARENT;
  // 1 x 1 piece at y 0: strip row 15
  const uint32_t c = 0x00406080;
  StripSet(15, 80, c);
  RuntimeSrand(1);
  const ExpandedPart& e = DoublePiece(6000, 0, 1, 1);
  ASSERT_NE(e.pixels2, nullptr);
  EXPECT_EQ(e.flags & (PART_ZOOM2 | PART_ZOOM2_DOUBLE), PART_ZOOM2);
  EXPECT_EQ(e.width2, 2);
  EXPECT_EQ(e.height2, 2);
  // the grain moves each colour byte of the first of two equal pixels of a row by at most 50
  for (int i : {0, 2}) {
    uint32_t g = e.pixels2[i];
    EXPECT_EQ(g >> 24, 0u);
    for (int shift : {0, 8, 16}) {
      int d = (int)((g >> shift) & 0xFF) - (int)((c >> shift) & 0xFF);
      EXPECT_LE(d < 0 ? -d : d, 50);
    }
  }
  EXPECT_EQ(e.pixels2[1], c);
  EXPECT_EQ(e.pixels2[3], c);
  // a transparent pixel leaves its block transparent
  StripSet(15, 80, PIXEL_TRANSPARENT);
  const ExpandedPart& t = DoublePiece(6001, 0, 1, 1);
  for (int i = 0; i < 4; i++) EXPECT_EQ(t.pixels2[i], PIXEL_TRANSPARENT);
  // a piece below its cell (y -3, height 3) reads the strip rows of its rows in the cell below
  // (rows 0..2), never a row outside the store
  StripSet(0, 80, 0x010101);
  StripSet(1, 80, 0x020202);
  StripSet(2, 80, 0x030303);
  const ExpandedPart& n = DoublePiece(6002, -3, 1, 3);
  ASSERT_EQ(n.height2, 6);
  EXPECT_EQ(n.y2, -6);
  EXPECT_EQ(n.pixels2[1], 0x010101u);  // row 0, column 1 (after the interleave)
  EXPECT_EQ(n.pixels2[5 * 2 + 1], 0x030303u);
  // markers are never grained
  StripSet(15, 81, PIXEL_DARKEN);
  StripSet(15, 82, PIXEL_DARKEN);
  SymbolPart p = {};
  p.width = 2, p.height = 1, p.source = 81, p.pass = 2, p.flags = PART_ZOOM2_DOUBLE;
  ASSERT_EQ(SetSymbolDefinition(6003, 1, &p), 0);
  ASSERT_EQ(PrepareZoom2Pixels(), 0);
  for (int i = 0; i < 8; i++) EXPECT_EQ(GetSymbolEntry(6003)->parts[0].pixels2[i], PIXEL_DARKEN);
}

TEST(SymbolTableFailure, NoTableAndFailingAllocations) {
  FreeSymbolTable();
  EXPECT_EQ(PrepareZoom2Pixels(), 2);
  static int left;
  auto failing = [](uint32_t size) -> void* { return left-- > 0 ? MemAlloc(size) : nullptr; };
  for (int n : {0, 1, 100}) {
    left = n;
    GraphicsAlloc = failing;
    EXPECT_EQ(BuildSymbolTable(), 1) << n;
    GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
    FreeSymbolTable();
  }
}

// Built-in codes that the placement advance, the palette rows and block scaling name all show
// a picture; the advance lists end with 65535 and hold the telling members.
TEST(SymbolMapping, BuiltinCodesNamedElsewhereShowSomething) {
  const uint32_t codes[] = {49411,  49412,  49413,  49414,  49415,  49418,  49419,  49422,  49423,
                            49424,  49425,  49674,  49675,  49930,  49931,  50186,  50187,  50688,
                            50689,  50694,  50697,  50956,  50959,  52246,  52247,  52489,  52497,
                            52557,  52603,  52605,  52623,  52625,  52627,  52637,  54126,  54128,
                            54148,  55043,  55044,  55045,  55046,  55047,  55052,  55053,  55054,
                            55055,  0xC100, 0xC102, 0xC103, 0xC104, 0xC105, 0xC106, 0xC107, 0xC108,
                            0xC600, 0xC602, 0xC603, 0xC604, 0xC605, 0xC606, 0xC608, 0xC60A, 0xC60C};
  for (uint32_t c : codes) EXPECT_NE(MapSymbolCodeToIndex(c), SYMBOL_NONE) << c;
  auto holds = [](const uint16_t* list, uint16_t code) {
    for (int i = 0; list[i] != 65535; i++)
      if (list[i] == code) return true;
    return false;
  };
  for (uint16_t c : {1, 8, 24, 27, 52, 53, 54, 55, 137})
    EXPECT_TRUE(holds(kAdvanceDownList, c)) << c;
  for (uint16_t c : {2, 26, 28, 138}) EXPECT_TRUE(holds(kAdvanceDiagonalDownList, c)) << c;
  for (uint16_t c : {3, 29, 139}) EXPECT_TRUE(holds(kAdvanceDiagonalUpList, c)) << c;
}
