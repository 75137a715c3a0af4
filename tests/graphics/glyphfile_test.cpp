// The glyph file: the generated file loads; broken copies of it fail with the start-up codes;
// block modes; user symbol files and their fall-back to the glyph file's default pages.
#include <gtest/gtest.h>
#include <cstring>
#include "app/daytime_entry.h"
#include "app/dialog.h"
#include "app/netcmd.h"
#include "app/startup.h"
#include "core/misc.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/graphics_section.h"
#include "model/netfile_sections.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "graphics_test_util.h"

class GlyphFile : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
    good = ReadBytes(DataDir() + "quil.gzg");
    ASSERT_GT(good.size(), 3000000u);
    body = GlyphBodyStart(good);
  }
  void TearDown() override {
    FreeSymbolGraphics();
    GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
  }
  // Loads a variant of the glyph file from the scratch folder.
  int LoadVariant(const std::vector<uint8_t>& bytes) {
    WriteBytes(ScratchDir() + "quil.gzg", bytes);
    WriteBytes(ScratchDir() + "quil.fzg", ReadBytes(DataDir() + "quil.fzg"));
    UseProgramFolder(ScratchDir());
    return LoadSymbolFile();
  }
  // Offset of block k (all built-in blocks byte-per-pixel: 6 + 144 * 128 bytes each).
  size_t Block(int k) const { return body + (size_t)k * 18438; }
  std::vector<uint8_t> good;
  size_t body = 0;
};

TEST_F(GlyphFile, GeneratedFileLoads) {
  UseProgramFolder(DataDir());
  ASSERT_EQ(LoadSymbolFile(), 0);
  ASSERT_NE(GlyphStore, nullptr);
  // the state marks carry stored zoom-2 pictures
  for (int slot = 133; slot <= 135; slot++) {
    const SymbolEntry* e = GetSymbolEntry(slot);
    ASSERT_EQ(e->count, 1);
    EXPECT_TRUE(e->parts[0].flags & PART_ZOOM2);
    ASSERT_NE(e->parts[0].pixels2, nullptr);
    EXPECT_EQ(e->parts[0].width2, 14);
  }
  // default user symbol s of page n: one 32 x 16 piece on its four glyphs
  const SymbolEntry* u = GetSymbolEntry(SYMBOL_USER_FIRST + 36 * 7 + 5);
  ASSERT_EQ(u->count, 1);
  EXPECT_EQ(u->parts[0].source, 8u * (GLYPH_USER_FIRST + 576 * 7 + 16 * 5));
  EXPECT_EQ(u->parts[0].width, 32);
  // the frame of a default page symbol is white (colour 15) at its top-left pixel
  EXPECT_EQ(GetGlyphBits(GLYPH_USER_FIRST + 576 * 7 + 16 * 5)[0], ResolveColourRgb(15));
  // attribute blocks hold raw values of the attribute table only
  for (int g = 11520; g < 12240; g++)
    for (int r = 0; r < 16; r++)
      for (int i = 0; i < 8; i++) {
        uint32_t v = GetGlyphBits(g)[r * GLYPH_STRIP_WIDTH + i];
        ASSERT_TRUE(v == 0 || v == 144 || v == 1 || v == 34 || v == 20 || v == 36 || v == 18 ||
                    v == 98 || v == 40 || v == 24)
            << g << " " << v;
      }
  EXPECT_EQ(GetGlyphBits(GLYPH_COUNT), nullptr);
}

TEST_F(GlyphFile, StartupCodesOfBrokenFiles) {
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int result;
  };
  std::vector<Case> cases;
  std::vector<uint8_t> b = good;
  b.erase(b.begin() + (long)(body - 1));  // no byte 26
  cases.push_back({"no byte 26", b, 2});
  b = good;
  b[Block(3) + 2] = 143;  // glyph count of block 3
  cases.push_back({"bad block count", b, 2});
  b = good;
  b[Block(84) + 4] = 1;  // the zero word of the last attribute block
  cases.push_back({"bad block zero word", b, 2});
  b = good;
  b[Block(85) + 2] = 0;  // the first default page
  cases.push_back({"bad page header", b, 2});
  b = good;
  b[Block(85) + 99 * 18438 + 2] = 0;  // the last default page
  cases.push_back({"bad last page header", b, 2});
  cases.push_back({"truncated in a block",
                   std::vector<uint8_t>(good.begin(), good.begin() + (long)Block(40) + 100), 2});
  cases.push_back(
      {"truncated in the pages", std::vector<uint8_t>(good.begin(), good.end() - 1), 2});
  cases.push_back(
      {"only the text", std::vector<uint8_t>(good.begin(), good.begin() + (long)body), 2});
  for (const Case& c : cases) {
    int r = LoadVariant(c.bytes);
    EXPECT_EQ(r, c.result) << c.what;
    EXPECT_EQ(MapGlyphResult(r), 22) << c.what;
    EXPECT_EQ(GlyphStore, nullptr) << c.what;  // everything freed again
    EXPECT_EQ(SymbolTable, nullptr) << c.what;
  }
  // no file at all: open error 1, start-up error 21
  std::filesystem::create_directories(ScratchDir() + "empty");
  UseProgramFolder(ScratchDir() + "empty/");
  EXPECT_EQ(MapGlyphResult(LoadSymbolFile()), 21);
}

TEST_F(GlyphFile, FailingAllocationsGiveFive) {
  UseProgramFolder(DataDir());
  static int left;
  GraphicsAlloc = [](uint32_t size) -> void* { return left-- > 0 ? MemAlloc(size) : nullptr; };
  // the store, the table, a definition, and a zoom-2 picture after the file was read (the last
  // allocation before the default vehicle-graphic sets; a failure there is a native test, as it
  // shows a message)
  int total = 0, vehicles = 0;
  {
    left = 1 << 30;
    ASSERT_EQ(LoadSymbolFile(), 0);
    total = (1 << 30) - left;
    FreeVehicleGraphicLibrary();
    left = 1 << 30;
    for (uint32_t id : kDefaultVehicleSets) ASSERT_EQ(LoadVehicleGraphicSet(id, 0), 0);
    vehicles = (1 << 30) - left;
    FreeSymbolGraphics();
  }
  ASSERT_GT(vehicles, 9);
  for (int n : {0, 1, 2, total - vehicles - 1}) {
    left = n;
    EXPECT_EQ(LoadSymbolFile(), 5) << n;
    EXPECT_EQ(MapGlyphResult(5), 25);
    EXPECT_EQ(GlyphStore, nullptr);
  }
}

// Bit-plane glyphs (mode 0) of one colour number, with the mask bit on pixel 0 of each row.
static std::vector<uint8_t> Mode0Block(int colour) {
  std::vector<uint8_t> b = {144, 0, 0, 0};
  for (int g = 0; g < 144; g++)
    for (int r = 0; r < 16; r++) {
      for (int plane = 0; plane < 4; plane++) b.push_back((colour >> plane) & 1 ? 0xFF : 0);
      b.push_back(0x80);
    }
  return b;
}

TEST_F(GlyphFile, BlockModeIsDecidedPerBlock) {
  // block 2 in bit planes (80 bytes a glyph) between byte-per-pixel blocks
  std::vector<uint8_t> b(good.begin(), good.begin() + (long)Block(2));
  std::vector<uint8_t> m0 = Mode0Block(12);
  b.insert(b.end(), m0.begin(), m0.end());
  b.insert(b.end(), good.begin() + (long)Block(3), good.end());
  ASSERT_EQ(LoadVariant(b), 0);
  const uint32_t* g = GetGlyphBits(144 * 2 + 5);
  EXPECT_EQ(g[0], ResolveColourRgb(255));  // masked
  EXPECT_EQ(g[1], ResolveColourRgb(12));
  // the block after it is read as it was
  std::vector<uint32_t> after(GetGlyphBits(144 * 3), GetGlyphBits(144 * 3) + 8);
  FreeSymbolGraphics();
  UseProgramFolder(DataDir());
  ASSERT_EQ(LoadSymbolFile(), 0);
  EXPECT_EQ(std::vector<uint32_t>(GetGlyphBits(144 * 3), GetGlyphBits(144 * 3) + 8), after);
  FreeSymbolGraphics();
  // the fall-back of a user symbol file walks the blocks by their own sizes
  ASSERT_EQ(LoadVariant(b), 0);
  std::vector<uint32_t> page(GetGlyphBits(GLYPH_USER_FIRST + 576 * 9),
                             GetGlyphBits(GLYPH_USER_FIRST + 576 * 9) + 8);
  GlyphStore[(size_t)(GLYPH_USER_FIRST + 576 * 9) * 8] = 0x123456;
  EXPECT_EQ(LoadUserSymbolFile(9, Wide(ScratchDir() + "missing.uzg").c_str()), 3);
  EXPECT_EQ(std::vector<uint32_t>(GetGlyphBits(GLYPH_USER_FIRST + 576 * 9),
                                  GetGlyphBits(GLYPH_USER_FIRST + 576 * 9) + 8),
            page);
}

// A .uzg file of the new form: header, count glyphs of colour number 4, the marker words and
// six references per symbol.
static std::vector<uint8_t> UzgFile(uint16_t header, uint16_t count,
                                    const std::vector<std::vector<uint16_t>>& refs) {
  std::vector<uint8_t> b = {'u', 'z', 'g', 26};
  auto u16 = [&](uint16_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
  };
  u16(header);
  u16(count);
  u16(0);
  for (int g = 0; g < count; g++)
    for (int i = 0; i < 128; i++) b.push_back(4);
  u16(22867);
  u16(21581);
  for (int s = 0; s < 36; s++)
    for (int j = 0; j < 6; j++) u16(refs[(size_t)s % refs.size()][(size_t)j]);
  return b;
}

TEST_F(GlyphFile, UserSymbolFiles) {
  UseProgramFolder(DataDir());
  ASSERT_EQ(LoadSymbolFile(), 0);
  SetKindFolder(FILE_KIND_NETWORK, Wide(ScratchDir()).c_str());
  const uint16_t N = 65535;
  // references 0..5: below, own cell (1 moves to 2 when 2 is none), above ...
  WriteBytes(ScratchDir() + "a.uzg", UzgFile(2357, 4, {{N, 0, N, 1, N, N}, {2, 0, 1, N, N, N}}));
  ASSERT_EQ(LoadUserSymbolFile(3, u"a.uzg"), 0);
  const SymbolEntry* e = GetSymbolEntry(SYMBOL_USER_FIRST + 36 * 3 + 0);
  ASSERT_EQ(e->count, 2);
  EXPECT_EQ(e->parts[0].y, 0);
  EXPECT_EQ(e->parts[0].pass, 2);
  EXPECT_EQ(e->parts[0].source, 8u * (GLYPH_USER_FIRST + 576 * 3 + 0));
  EXPECT_EQ(e->parts[1].y, 16);
  EXPECT_EQ(e->parts[1].source, 8u * (GLYPH_USER_FIRST + 576 * 3 + 4));
  e = GetSymbolEntry(SYMBOL_USER_FIRST + 36 * 3 + 1);
  ASSERT_EQ(e->count, 3);
  EXPECT_EQ(e->parts[0].y, -16);
  EXPECT_EQ(e->parts[0].pass, 0);
  // glyphs past the count are striped 0 / 15
  const uint32_t* g = GetGlyphBits(GLYPH_USER_FIRST + 576 * 3 + 4);
  EXPECT_EQ(g[0], ResolveColourRgb(0));
  EXPECT_EQ(g[1], ResolveColourRgb(15));
  EXPECT_EQ(GetGlyphBits(GLYPH_USER_FIRST + 576 * 3 + 3)[0], ResolveColourRgb(4));
  // refused symbols, a bad reference, a bad count: the page comes from the glyph file (6)
  std::vector<uint32_t> defaultPage(GetGlyphBits(GLYPH_USER_FIRST + 576 * 4),
                                    GetGlyphBits(GLYPH_USER_FIRST + 576 * 4) + 8);
  struct Bad {
    const char* what;
    std::vector<uint8_t> bytes;
  } bad[] = {
      {"1 and 2 none", UzgFile(2357, 4, {{0, N, N, N, N, N}})},
      {"4 without 3", UzgFile(2357, 4, {{N, 0, N, N, 1, N}})},
      {"5 without 4", UzgFile(2357, 4, {{N, 0, N, 1, N, 2}})},
      {"5 with 0", UzgFile(2357, 4, {{0, 0, N, 1, 1, 2}})},
      {"reference 144", UzgFile(2357, 4, {{N, 144, N, N, N, N}})},
      {"count 3", UzgFile(2357, 3, {{N, 0, N, N, N, N}})},
      {"unknown header", UzgFile(2358, 4, {{N, 0, N, N, N, N}})},
  };
  for (const Bad& c : bad) {
    WriteBytes(ScratchDir() + "b.uzg", c.bytes);
    GlyphStore[(size_t)(GLYPH_USER_FIRST + 576 * 4) * 8] = 0x123456;
    EXPECT_EQ(LoadUserSymbolFile(4, u"b.uzg"), 6) << c.what;
    EXPECT_EQ(std::vector<uint32_t>(GetGlyphBits(GLYPH_USER_FIRST + 576 * 4),
                                    GetGlyphBits(GLYPH_USER_FIRST + 576 * 4) + 8),
              defaultPage)
        << c.what;
    EXPECT_EQ(GetSymbolEntry(SYMBOL_USER_FIRST + 36 * 4)->count, 1) << c.what;
  }
  EXPECT_EQ(LoadUserSymbolFile(4, u"none.uzg"), 3);
  EXPECT_EQ(LoadUserSymbolFile(100, u"a.uzg"), 11);
  EXPECT_EQ(LoadUserSymbolFile(-1, u"a.uzg"), 11);
}

// The start-up row loads the glyph file and hands the graphics services to their callers.
TEST_F(GlyphFile, StartupRowWiresTheServices) {
  int n;
  const StartupStep* t = GetStartupTable(&n);
  int row = -1;
  for (int i = 0; i < n; i++)
    if (std::string(t[i].component) == "glyph file") row = i;
  ASSERT_GE(row, 0);
  EXPECT_EQ(std::string(t[row - 1].component), "grid");
  NetSectionRow savedRow = {};
  for (NetSectionRow& r : NetSectionTable)
    if (std::string(r.name) == "ZG") savedRow = r;
  UseProgramFolder(DataDir());
  FileCommands.updateDayPhase = nullptr;
  EXPECT_EQ(t[row].run(), 0);
  EXPECT_EQ(FileCommands.updateDayPhase, UpdateDayPhase);
  EXPECT_EQ(DayPhaseUpdateHook, UpdateDayPhase);
  EXPECT_NE(GlyphStore, nullptr);
  for (NetSectionRow& r : NetSectionTable)
    if (std::string(r.name) == "ZG") {
      EXPECT_EQ(r.read, ReadGraphicsSection);
      EXPECT_EQ(r.write, WriteGraphicsSection);
      r = savedRow;
    }
  EXPECT_EQ(NetClearOrder[NET_CLEAR_COUNT - 1], FreeGraphicData);
  NetClearOrder[NET_CLEAR_COUNT - 1] = nullptr;
  for (NetPostLoadStep& step : NetPostLoadSteps)  // the listed sets load after a network file
    if (step.kind == NETPOST_GRAPHICS) {
      EXPECT_NE(step.run, nullptr);
      step.run = nullptr;
    }
  FileCommands.updateDayPhase = nullptr;
  DayPhaseUpdateHook = nullptr;
  SetDialogColourSource(nullptr);
}
