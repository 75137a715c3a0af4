// Cell composition: pieces of the neighbours' symbols in their passes, mirrored symbols and
// neighbour offsets, see-through empty cells, portal masks, the piece blitters' bounds, track
// grounds by kind with their textures, seamless joins of track runs across cells at both zooms,
// and golden hashes of composed cells.
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "core/misc.h"
#include "core/random.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/symbols.h"
#include "graphics/trackground.h"
#include "graphics_test_util.h"
#include "views/view_services.h"

namespace {
constexpr uint32_t kSentinel = 0x00ABCDEF;
// The last user-symbol slot belongs to these tests: codes 0xFC1E (plain) and 0xFC1F (mirrored),
// its pixels in the slot's own glyphs.
constexpr int kSlot = 8647;
constexpr uint32_t kCode = 0xFC1E, kMirrored = 0xFC1F;
constexpr int kGlyph = 12240 + 576 * 99 + 16 * 35;

uint32_t Px1(int x, int y) { return CellBuffer1[(15 - y) * 32 + x]; }
uint32_t Px2(int x, int y) { return CellBuffer2[(31 - y) * 64 + x]; }
uint32_t TableColour(int n) { return SwapRedBlue(ColourTable[n]); }
uint32_t MaskAt(int piece, int x, int y, int zoom) {  // (x, y from the top) of a mask piece
  uint32_t glyph;
  if (zoom == 1) {
    glyph = 11520u + (uint32_t)piece;
  } else {
    glyph = (y < 16 ? 11672u : 11664u) + 2u * (uint32_t)(piece & 3) + 16u * (uint32_t)(piece >> 2);
    y &= 15;
  }
  return GlyphStore[(size_t)y * GLYPH_STRIP_WIDTH + 8u * glyph + (uint32_t)x] & 0xFF;
}
uint64_t Hash(const uint32_t* p, int n) {
  uint64_t h = 1469598103934665603ull;
  for (int i = 0; i < n; i++)
    for (int b = 0; b < 4; b++) h = (h ^ ((p[i] >> (8 * b)) & 0xFF)) * 1099511628211ull;
  return h;
}
void ResetRandom() {
  RuntimeSrand(1);
  FixedRandomSeed = -1;
  RandomSeed = 0;
}

class Compose : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ResetRandom();  // the zoom-2 grain of the pieces is drawn at load
    ASSERT_EQ(LoadGeneratedGlyphs(), 0);
  }
  static void TearDownTestSuite() { FreeSymbolGraphics(); }
  void SetUp() override {
    ASSERT_NE(GlyphStore, nullptr);
    ResetDisplayColours();
    ResetDisplaySwitches();
    ResetRandom();
  }
  // The test slot: one piece, its pixels column by column in the slot's first glyphs (strip rows
  // 16 - h - (y mod 16) ..), pixel (column i) = base + i.
  void DefinePiece(int x, int y, int pass, int w, int h, uint32_t base, uint16_t flags = 0) {
    SymbolPart p = {};
    p.x = (int16_t)x, p.y = (int16_t)y, p.pass = (uint16_t)pass;
    p.width = (uint8_t)w, p.height = (uint8_t)h, p.flags = flags;
    p.source = 8u * kGlyph;
    ASSERT_EQ(SetSymbolDefinition(kSlot, 1, &p), 0);
    int top = 16 - h - (((y % 16) + 16) % 16);
    for (int r = 0; r < 16; r++)
      for (int i = 0; i < w; i++)
        GlyphStore[(size_t)r * GLYPH_STRIP_WIDTH + p.source + i] =
            r >= top && r < top + h ? base + (uint32_t)i : PIXEL_TRANSPARENT;
  }
};
}  // namespace

TEST_F(Compose, APieceOfTheCellBelowStandsInPassOneOnly) {
  DefinePiece(0, 16, 1, 8, 2, 0x00100000);
  FillCellBuffer(kSentinel, 1);
  // drawn as the cell below (y offset +16): the piece's bottom at the cell's bottom row
  EXPECT_EQ(DrawSymbolPass(kCode, 0, 0, 16, 1, 0, 5, 6, 0, 1), 1);
  for (int y = 0; y < 16; y++)
    for (int x = 0; x < 32; x++)
      EXPECT_EQ(Px1(x, y), y >= 14 && x < 8 ? 0x00100000u + (uint32_t)x : kSentinel)
          << x << "," << y;
  // not in the other passes, and not in the symbol's own cell
  for (int pass = 0; pass <= 4; pass++) {
    EXPECT_EQ(DrawSymbolPass(kCode, 0, 0, 0, pass, 0, 5, 5, 0, 1), 0) << pass;
    if (pass != 1) {
      EXPECT_EQ(DrawSymbolPass(kCode, 0, 0, 16, pass, 0, 5, 6, 0, 1), 0) << pass;
    }
  }
  // the whole cell: an empty cell with this symbol below it
  ComposeCellBase(0xC000, 0, 0xC000, 0, kCode, 0, 0, 5, 5, 0, 1);
  EXPECT_EQ(Px1(3, 15), 0x00100003u);
  EXPECT_EQ(Px1(3, 13), TableColour(131));
  // suppressed symbol codes are not drawn
  ComposeCellBase(0xC000, 0, 0xC000, 0, kCode, 0, 1, 5, 5, 0, 1);
  EXPECT_EQ(Px1(3, 15), TableColour(131));
}

TEST_F(Compose, MirroredSymbolsAndTheNeighboursOffsets) {
  // the piece at x 0, width 8 of a mirrored user symbol lies at columns 24..31, flipped
  DefinePiece(0, 0, 2, 8, 16, 0x00200000);
  FillCellBuffer(kSentinel, 1);
  EXPECT_EQ(DrawSymbolPass(kMirrored, 0, 0, 0, 2, 0, 0, 0, 0, 1), 1);
  for (int x = 0; x < 32; x++)
    EXPECT_EQ(Px1(x, 7), x >= 24 ? 0x00200000u + (uint32_t)(31 - x) : kSentinel) << x;
  // a piece reaching into the right neighbour (x 32) is drawn there with the left neighbour's
  // offset +32; the same symbol mirrored reaches into its left neighbour (offset -32)
  DefinePiece(32, 0, 2, 8, 16, 0x00300000);
  struct Case {
    uint32_t code;
    int offset, drawn, first, last;
  } cases[] = {{kCode, 32, 1, 0, 7},
               {kCode, -32, 0, 0, -1},
               {kMirrored, -32, 1, 24, 31},
               {kMirrored, 32, 0, 0, -1},
               {kCode, 0, 0, 0, -1}};
  for (const Case& c : cases) {
    FillCellBuffer(kSentinel, 1);
    EXPECT_EQ(DrawSymbolPass(c.code, 0, c.offset, 0, 2, 0, 0, 0, 0, 1), c.drawn)
        << std::hex << c.code << std::dec << " " << c.offset;
    for (int x = 0; x < 32; x++) {
      uint32_t want = kSentinel;
      if (x >= c.first && x <= c.last)
        want = 0x00300000u + (uint32_t)(c.code == kMirrored ? 31 - x : x);
      EXPECT_EQ(Px1(x, 0), want) << x << " offset " << c.offset;
    }
  }
  // at zoom 2 (the piece has no zoom-2 pixels: it is scaled from zoom 1)
  FillCellBuffer(kSentinel, 2);
  EXPECT_EQ(DrawSymbolPass(kMirrored, 0, -32, 0, 2, 0, 0, 0, 0, 2), 1);
  EXPECT_EQ(Px2(63, 0), 0x00300000u);
  EXPECT_EQ(Px2(48, 31), 0x00300007u);
  EXPECT_EQ(Px2(47, 31), kSentinel);
}

TEST_F(Compose, ParityFlagsSkipPiecesByTheDrawnCell) {
  struct Case {
    uint16_t flag;
    int x, y, drawn;
  } cases[] = {{PART_SKIP_EVEN_EVEN, 2, 4, 0}, {PART_SKIP_EVEN_EVEN, 3, 4, 1},
               {PART_SKIP_ODD_EVEN, 3, 4, 0},  {PART_SKIP_EVEN_ODD, 2, 5, 0},
               {PART_SKIP_ODD_ODD, 3, 5, 0},   {PART_SKIP_ODD_ODD, 3, 4, 1}};
  for (const Case& c : cases) {
    DefinePiece(0, 0, 2, 4, 4, 0x00400000, c.flag);
    EXPECT_EQ(DrawSymbolPass(kCode, 0, 0, 0, 2, 0, c.x, c.y, 0, 1), c.drawn) << c.flag;
  }
}

TEST_F(Compose, SeeThroughEmptyCellsKeepTheBufferExceptOnTheLowestLevel) {
  for (uint32_t code : {0xC001u, 0xC002u}) {
    for (int level : {0, -1, -3, -4}) {
      FillCellBuffer(kSentinel, 1);
      ComposeCellBase(code, 0, 0xC000, 0, 0xC000, 0, 0, 10, 10, level, 1);
      uint32_t want = level == -4 ? TableColour(177) : kSentinel;
      for (int i = 0; i < 512; i++) ASSERT_EQ(CellBuffer1[i], want) << level << " " << i;
    }
  }
  ComposeCellBase(0xC000, 0, 0xC000, 0, 0xC000, 0, 0, 10, 10, -1, 2);
  for (int i = 0; i < 2048; i++) ASSERT_EQ(CellBuffer2[i], TableColour(177));
}

TEST_F(Compose, PortalsReturnTheirMaskOnlyWhenTheirFrontWasDrawn) {
  struct Case {
    uint32_t symbol;
    int mask;
  } cases[] = {{220, 8}, {228, 8}, {249, 8}, {251, 8}, {221, 1}, {229, 1}, {248, 1}, {250, 1},
               {222, 4}, {230, 4}, {241, 4}, {242, 4}, {223, 2}, {231, 2}, {240, 2}, {243, 2}};
  for (const Case& c : cases) {
    uint16_t index = MapCellCodeToIndex(c.symbol, 0);
    ASSERT_NE(index, SYMBOL_NONE) << c.symbol;
    int slot = index & 0x3FFF;
    SymbolDefinition builtin = GetBuiltinDefinition(slot);
    // with a front piece (pass 4) and without one
    SymbolPart p = {};
    p.width = 4, p.height = 4, p.source = 8u * kGlyph;
    for (int pass : {4, 2}) {
      p.pass = (uint16_t)pass;
      ASSERT_EQ(SetSymbolDefinition(slot, 1, &p), 0);
      int want = pass == 4 ? c.mask : 0;
      EXPECT_EQ(ComposeCellBase(c.symbol, 0, 0xC000, 0, 0xC000, 0, 0, 1, 1, 0, 1), want)
          << c.symbol << " pass " << pass;
      EXPECT_EQ(ComposeCellBase(c.symbol, 0, 0xC000, 0, 0xC000, 0, 0, 1, 1, 0, 2), want);
    }
    ASSERT_EQ(SetSymbolDefinition(slot, builtin.count, builtin.parts), 0);
  }
  // a symbol number outside the list never returns a mask
  EXPECT_EQ(ComposeCellBase(224, 0, 0xC000, 0, 0xC000, 0, 0, 1, 1, 0, 1), 0);
}

TEST_F(Compose, PieceBlittersWriteOnlyInsideTheCell) {
  DefinePiece(0, 0, 2, 8, 16, 0x00500000);
  uint32_t column = 8u * kGlyph;
  for (int mirrored : {0, 1}) {
    FillCellBuffer(kSentinel, 1);
    FillCellBuffer(kSentinel, 2);
    // a 16-row piece standing at y 10 and x 28: its top six rows and three right columns (the
    // mirrored form: left columns) lie outside
    (mirrored ? CopyPieceMirroredBuf1 : CopyPieceBuf1)(28, 10, 8, 16, column, 1);
    int written = 0;
    for (int i = 0; i < 512; i++) written += CellBuffer1[i] != kSentinel;
    EXPECT_EQ(written, 6 * 4) << mirrored;
    for (int i = 0; i < 2048; i++) ASSERT_EQ(CellBuffer2[i], kSentinel) << i;
    // each pixel from the strip row of its own row counted from the top
    if (!mirrored) {
      EXPECT_EQ(Px1(28, 0), 0x00500000u);
    }
    std::vector<uint32_t> pixels(20 * 40, 0x00600000);
    (mirrored ? CopyPieceMirroredBuf2 : CopyPieceBuf2)(50, 20, 20, 40, pixels.data(), 1);
    written = 0;
    for (int i = 0; i < 2048; i++) written += CellBuffer2[i] != kSentinel;
    EXPECT_EQ(written, 12 * 14) << mirrored;
  }
}

TEST_F(Compose, CodeZeroIsAHorizontalTrackInColour74OnGround8) {
  EXPECT_EQ(ClassifyTrackCode(0).group, 1);
  EXPECT_EQ(kPatternGroups[4], 0);
  const uint8_t row0[4] = {4, 5, 6, 7};
  EXPECT_EQ(0, std::memcmp(&kPatternRows[0], row0, 4));
  for (int zoom : {1, 2}) {
    EXPECT_EQ(ComposeCellBase(0, 0, 0xC000, 0, 0xC000, 0, 0, 7, 9, 0, zoom), 0);
    int w = 32 * zoom, h = 16 * zoom, line = 0;
    for (int y = 0; y < h; y++)
      for (int x = 0; x < w; x++) {
        int on = (MaskAt(4 + x / (8 * zoom), x % (8 * zoom), y, zoom) & 0x80) != 0;
        line += on;
        uint32_t want = on ? TableColour(74) : ResolveColourRgb(8);
        ASSERT_EQ(zoom == 1 ? Px1(x, y) : Px2(x, y), want) << zoom << ": " << x << "," << y;
      }
    EXPECT_GE(line, w) << "the line crosses the whole cell";
  }
}

TEST_F(Compose, WaterwaysAndBallastFollowTheirSwitches) {
  // kind 9 with the waterway switch off: no track, the ground in colour 1
  ShowWaterways = 0;
  EXPECT_EQ(ComposeTrackGround(7168, 0xC000, 0, 0xC000, 0, 0, 3, 3, 0, 1), PIXEL_TRANSPARENT);
  for (int i = 0; i < 512; i++) ASSERT_EQ(CellBuffer1[i], ResolveColourRgb(1)) << i;
  ShowWaterways = 1;
  ComposeTrackGround(7168, 0xC000, 0, 0xC000, 0, 0, 3, 3, 0, 1);
  int second = 0;
  for (uint32_t p : CellBuffer1) second += p == TableColour(85);
  EXPECT_GT(second, 0);
  // the same ballast cell at zoom 2 twice gives the same pixels, and the seeded generator of the
  // simulation is left where it was
  FixedRandomSeed = 77;
  RandomSeed = 12345;
  for (uint32_t code : {4096u + 3, 5632u + 2}) {
    ComposeCellBase(code, 0, 0xC000, 0, 0xC000, 0, 0, 11, 4, 0, 2);
    uint64_t first = Hash(CellBuffer2, 2048);
    ComposeCellBase(code, 0, 0xC000, 0, 0xC000, 0, 0, 11, 4, 0, 2);
    EXPECT_EQ(Hash(CellBuffer2, 2048), first) << code;
    EXPECT_EQ(RandomSeed, 12345);
  }
  // the ballast texture differs with the switch
  ComposeCellBase(4096 + 3, 0, 0xC000, 0, 0xC000, 0, 0, 11, 4, 0, 1);
  uint64_t on = Hash(CellBuffer1, 512);
  ShowBallast = 0;
  ComposeCellBase(4096 + 3, 0, 0xC000, 0, 0xC000, 0, 0, 11, 4, 0, 1);
  EXPECT_NE(Hash(CellBuffer1, 512), on);
}

// Composes a block of cells (codes by row, with the cells above and below as neighbours) into one
// picture and checks that the track colour runs without a gap: in every pixel column the rows of
// the line lie where the run's line is (centre within 1.5 zoom-1 pixels).
namespace {
struct TrackRun {
  const char* name;
  uint32_t code;
  int dx, dy;  // the run's step from cell to cell
  double slope,
      at0;  // the line's row (zoom-1 pixels from the block's top) at column 0, and its slope
  int vertical;
};
}  // namespace

TEST_F(Compose, TrackRunsJoinWithoutSeamsAtBothZooms) {
  const TrackRun runs[] = {
      {"horizontal", 0, 1, 0, 0.0, 8.0 + 16 * 2, 0},
      {"vertical", 1, 0, 1, 0.0, 16.0 + 32 * 2, 1},
      {"diagonal down", 2, 1, 1, 0.5, 0.0, 0},
      {"diagonal up", 3, 1, -1, -0.5, 80.0, 0},
      {"diagonal down, kind 3", 2048 + 2, 1, 1, 0.5, 0.0, 0},
      {"diagonal up, narrow gauge", 4096 + 3, 1, -1, -0.5, 80.0, 0},
  };
  const int n = 5;
  ShowBallast = 0;  // some ballast stones have the narrow gauge's track colour
  for (int zoom : {1, 2}) {
    for (const TrackRun& run : runs) {
      uint32_t grid[n][n];
      for (auto& row : grid)
        for (uint32_t& c : row) c = 0xC000;
      for (int i = 0; i < n; i++) {
        int cx = run.dx ? i : 2, cy = run.dy > 0 ? i : run.dy < 0 ? n - 1 - i : 2;
        grid[cy][cx] = run.code;
      }
      int cw = 32 * zoom, ch = 16 * zoom, W = n * cw, H = n * ch;
      std::vector<uint32_t> pic((size_t)W * H);
      for (int cy = 0; cy < n; cy++)
        for (int cx = 0; cx < n; cx++) {
          uint32_t above = cy > 0 ? grid[cy - 1][cx] : 0xC000;
          uint32_t below = cy < n - 1 ? grid[cy + 1][cx] : 0xC000;
          ComposeCellBase(grid[cy][cx], 0, above, 0, below, 0, 0, 100 + cx, 100 + cy, 0, zoom);
          for (int y = 0; y < ch; y++)
            for (int x = 0; x < cw; x++)
              pic[(size_t)(cy * ch + y) * W + cx * cw + x] = zoom == 1 ? Px1(x, y) : Px2(x, y);
        }
      uint32_t track = TableColour(73 + ClassifyTrackCode(run.code).kind);
      int along = run.vertical ? H : W;
      for (int a = 0; a < along; a++) {
        double sum = 0;
        int count = 0;
        for (int b = 0; b < (run.vertical ? W : H); b++) {
          uint32_t p = run.vertical ? pic[(size_t)a * W + b] : pic[(size_t)b * W + a];
          if (p == track) sum += b, count++;
        }
        ASSERT_GT(count, 0) << run.name << " zoom " << zoom << ": a gap at " << a;
        double centre = (sum / count + 0.5) / zoom;
        double want = run.vertical ? run.at0 : run.at0 + run.slope * ((a + 0.5) / zoom);
        EXPECT_NEAR(centre, want, 1.5) << run.name << " zoom " << zoom << " at " << a;
      }
    }
  }
}

// Golden hashes of composed cells (FNV-1a of the buffer's bytes): a table of codes, states and
// neighbour situations at both zooms, the random module reset before each case. The same values
// natively and under Wine.
TEST_F(Compose, GoldenHashesOfComposedCells) {
  struct Case {
    const char* what;
    uint32_t code, state, above, stateAbove, below, stateBelow;
    int level;
    uint64_t zoom1, zoom2;
  } cases[] = {
      {"horizontal", 0, 0, 0xC000, 0, 0xC000, 0, 0, 0x8cb639aad81b4b83ull, 0xd72c73407b962383ull},
      {"vertical under a diagonal", 1, 0, 2, 0, 0xC000, 0, 0, 0x2ed47267f85075c7ull,
       0x10ebe33e536474e3ull},
      {"diagonal down in a run", 2, 0, 2, 0, 2, 0, 0, 0x7ff59b3d7b13683ull, 0x7bc84788b3900983ull},
      {"diagonal up in a run", 3, 0, 3, 0, 3, 0, 0, 0xce389ff35296bc83ull, 0x1ab3c7154e80983ull},
      {"empty between diagonals", 0xC000, 0, 2, 0, 3, 0, 0, 0x6a58d28b4a2ee2a3ull,
       0x22013582c196abc3ull},
      {"empty below on level -2", 0xC000, 0, 3, 0, 2, 0, -2, 0x1f59421fdeee1d83ull,
       0xad799c06de179883ull},
      {"ground flag, kind 2", 1024 + 0x200 + 2, 0, 0xC000, 0, 0xC000, 0, 0, 0xb38b837cf2c6c1c3ull,
       0xb0ff6c7eb1011403ull},
      {"kind 3 crossing switch", 2048 + 12, 0, 0xC000, 0, 0xC000, 0, 0, 0x91fc4106af8b6383ull,
       0x73038edb38eb67a3ull},
      {"kind 4 switch 51 state 0", 3072 + 51, 0, 0xC000, 0, 0xC000, 0, 0, 0xc3b4cb9ce56c540bull,
       0xb5b05de5667eb65bull},
      {"kind 4 switch 51 state 1", 3072 + 51, 1, 0xC000, 0, 0xC000, 0, 0, 0xa686c43b3ba0ce97ull,
       0xcfd0729963dc75dbull},
      {"below switch 51 in state 2", 0xC000, 0, 3072 + 51, 2, 0xC000, 0, 0, 0xe9927c28d2e50383ull,
       0x27748e87f0bd0383ull},
      {"below switch 51 in state 0", 0xC000, 0, 3072 + 51, 0, 0xC000, 0, 0, 0x1eb29edb978b4a4bull,
       0xf2fa2fb5fc16a383ull},
      {"narrow gauge with ballast", 4096 + 3, 0, 4096 + 3, 0, 4096 + 3, 0, 0, 0x892b56f49ac260afull,
       0x72afd268ac5d4bcfull},
      {"kind 6 curve", 4608 + 24, 0, 0xC000, 0, 0xC000, 0, 0, 0x476c937f0e53e1bbull,
       0xc0875d3c804c99a7ull},
      {"grass track", 5120 + 2, 0, 5120 + 2, 0, 0xC000, 0, 0, 0x2e2b94b720eb7127ull,
       0xb89cdda83533a381ull},
      {"ballast list", 5632 + 0, 0, 0xC000, 0, 0xC000, 0, 0, 0x37affaf9ea12cb0full,
       0x536f4259f8dbcadbull},
      {"waterway", 7168 + 1, 0, 0xC000, 0, 0xC000, 0, 0, 0xe0689a1f91635483ull,
       0x4b52626ed95d2783ull},
      {"road", 8192 + 0, 0, 0xC000, 0, 0xC000, 0, 0, 0xad81f203fe37b783ull, 0x7430ba240507d383ull},
      {"road with variant 1", 8192 + 480, 0, 0xC000, 0, 0xC000, 0, 0, 0xacb8c8249e120e93ull,
       0x2a0a2b68854b08e7ull},
      {"water", 12288 + 3, 0, 12288 + 3, 0, 12288 + 2, 0, 0, 0xf2b35f285aaf5eb6ull,
       0x70f68eea299f4f01ull},
      {"main signal on track", 440, 0, 0xC000, 0, 0xC000, 0, 0, 0x7fb725156791f7c3ull,
       0x39720039ea23823ull},
      {"stop on diagonal", 264 + 4, 0, 0xC000, 0, 0xC000, 0, 0, 0xc09e466989617927ull,
       0x8b19dc57496ec6a3ull},
      {"depot", 137, 0, 0xC000, 0, 0xC000, 0, 0, 0xb0ffa320a7a048c3ull, 0x674e3f79691c6483ull},
      {"built-in symbol", 0xC603, 0, 0xC000, 0, 0xC000, 0, 0, 0xf80c8b3ce59f7f83ull,
       0xeca0a480d3e12b83ull},
      {"track on level -1", 2, 0, 0xC000, 0, 0xC000, 0, -1, 0x1ca2d51f4a8b9b43ull,
       0xdeee087a4d6cd043ull},
  };
  int failures = 0;
  for (const Case& c : cases) {
    uint64_t got[2];
    for (int zoom : {1, 2}) {
      ResetRandom();
      ComposeCellBase(c.code, c.state, c.above, c.stateAbove, c.below, c.stateBelow, 0, 20, 31,
                      c.level, zoom);
      got[zoom - 1] = zoom == 1 ? Hash(CellBuffer1, 512) : Hash(CellBuffer2, 2048);
    }
    if (got[0] != c.zoom1 || got[1] != c.zoom2) {
      failures++;
      ADD_FAILURE() << c.what << ": 0x" << std::hex << got[0] << "ull, 0x" << got[1] << "ull";
    }
  }
  EXPECT_EQ(failures, 0);
}
