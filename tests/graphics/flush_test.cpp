// Finishing a composed cell: state marks, the tint word by window level, day-phase option and
// lights, darkened and empty pixels, and the copy into an edit window's drawing buffer at every
// zoom step (nothing for a zoom-2 buffer in a zoom-1 window).
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "app/editwnd.h"
#include "core/platform.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/flush.h"
#include "graphics/symbols.h"
#include "graphics_test_util.h"
#include "model/general_section.h"
#include "views/view_services.h"

namespace {
constexpr uint32_t kOld = 0x00111111;

class Flush : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { ASSERT_EQ(LoadGeneratedGlyphs(), 0); }
  static void TearDownTestSuite() { FreeSymbolGraphics(); }
  EditViewSlot* s = nullptr;
  LockRecord lock;
  std::vector<uint32_t> pixels;
  void SetUp() override {
    ResetDisplayColours();
    ResetEditWindows();
    std::memset(&lock, 0, sizeof lock);
    WrapInitializeCriticalSection(&lock);
    DocState.dayPhaseOptions = 0;
    DayPhase = 0;
    Window(1, 0);
  }
  void TearDown() override {
    std::memset((void*)GetEditSlot(0), 0, sizeof(EditViewSlot));  // no pointer into this test
    ResetEditWindows();
    WrapDeleteCriticalSection(&lock);
    DocState.dayPhaseOptions = 0;
    DayPhase = 0;
  }
  void Window(int zoom, int level) {
    s = GetEditSlot(0);
    s->window = (void*)1;
    s->lockB = &lock;
    s->pixelWidth = 200;
    s->pixelHeight = 100;
    pixels.assign(200 * 100, kOld);
    s->drawBuffer = pixels.data();
    s->pixelCount = 200 * 100;
    s->zoom = zoom;
    s->cursorLevel = level;
    s->dirty = 0;
  }
  uint32_t At(int x, int y) const { return pixels[(size_t)(99 - y) * 200 + x]; }
};

uint32_t Top1(const uint32_t* b, int x, int y) { return b[(15 - y) * 32 + x]; }
uint32_t Top2(const uint32_t* b, int x, int y) { return b[(31 - y) * 64 + x]; }
}  // namespace

TEST_F(Flush, TintWordsByLevelOptionAndLights) {
  struct Case {
    int level;
    int options;
    uint32_t phase, flags;
    int on;
    uint32_t word;
  } cases[] = {
      {-2, 0, 4, 0, 1, 120},             // lamps and windows lit even with the option off
      {-2, 2, 4, 0, 1, 121},             // option bit 1: the other lower-level word
      {-4, 1, 1, FLUSH_LIGHTS, 1, 120},  // lights add nothing below level 0
      {0, 0, 1, 0, 0, 0},                // level 0 without the option: no tint
      {0, 1, 1, 0, 1, 1},                // the day phase
      {0, 1, 4 | 8, FLUSH_LIGHTS, 1, 4 + 8 + 24},
      {0, 0, 1, FLUSH_LIGHTS, 1, 24},  // lights switch the tint on by themselves
  };
  for (const Case& c : cases) {
    s->cursorLevel = c.level;
    DocState.dayPhaseOptions = c.options;
    DayPhase = c.phase;
    int on = -1;
    EXPECT_EQ(CellTintWord(0, c.flags, &on), c.word) << c.level << " " << c.options;
    EXPECT_EQ(on, c.on) << c.level << " " << c.options;
  }
  int on = -1;
  EXPECT_EQ(CellTintWord(6, 0, &on), 0u);
  EXPECT_EQ(on, 0);
}

TEST_F(Flush, EveryPixelGoesThroughTheTintAndMarkedPixelsAreDarkened) {
  // a buffer whose first pixel is empty: defined (black) after the flush
  for (int level : {0, -2}) {
    Window(1, level);
    DocState.dayPhaseOptions = 1;
    DayPhase = 1;  // night
    for (int i = 0; i < 512; i++) CellBuffer1[i] = 0x00406080u + (uint32_t)(i / 7);
    CellBuffer1[0] = PIXEL_EMPTY;
    CellBuffer1[1] = 0x80A0B0C0;  // a colour to be darkened
    std::vector<uint32_t> before(CellBuffer1, CellBuffer1 + 512);
    int on;
    uint32_t word = CellTintWord(0, 0, &on);
    FlushBuf1ToWindow(nullptr, 10, 20, 0, 0, 0);
    EXPECT_EQ(CellBuffer1[0], 0u) << level;
    EXPECT_EQ(CellBuffer1[1], DarkenPixel(ApplyDayPhaseToColour(0x80A0B0C0, word)));
    for (int i = 2; i < 512; i++) {
      uint32_t want = ApplyDayPhaseToColour(before[i], word);
      if (want & 0x80000000u) want = DarkenPixel(want);
      ASSERT_EQ(CellBuffer1[i], want) << i;
    }
    // the result lands in the window at (10, 20), rows from the top
    for (int y = 0; y < 16; y++)
      for (int x = 0; x < 32; x++) ASSERT_EQ(At(10 + x, 20 + y), Top1(CellBuffer1, x, y));
    EXPECT_EQ(At(9, 20), kOld);
    EXPECT_EQ(At(42, 20), kOld);
    EXPECT_EQ(s->dirty, 1u);
  }
}

TEST_F(Flush, CopiesAreEnlargedByTheZoomStep) {
  struct Case {
    int zoom, buffer, factor;  // factor 0: nothing reaches the window
  } cases[] = {{1, 1, 1}, {2, 1, 2}, {4, 1, 4}, {1, 2, 0}, {2, 2, 1}, {4, 2, 2}, {6, 2, 3}};
  for (const Case& c : cases) {
    Window(c.zoom, 0);
    uint32_t* b = c.buffer == 1 ? CellBuffer1 : CellBuffer2;
    int w = c.buffer == 1 ? 32 : 64, h = c.buffer == 1 ? 16 : 32;
    for (int i = 0; i < w * h; i++) b[i] = 0x00010000u * (uint32_t)(i % 97) + (uint32_t)i;
    std::vector<uint32_t> copy(b, b + w * h);
    if (c.buffer == 1)
      FlushBuf1ToWindow(nullptr, 3, 2, 0, 0, 0);
    else
      FlushBuf2ToWindow(nullptr, 3, 2, 0, 0, 0);
    if (!c.factor) {
      for (uint32_t p : pixels) ASSERT_EQ(p, kOld);
      EXPECT_EQ(s->dirty, 0u);
      continue;
    }
    for (int y = 0; y < 100 - 2; y++)
      for (int x = 0; x < 200 - 3; x++) {
        int sx = x / c.factor, sy = y / c.factor;
        uint32_t want = sx < w && sy < h ? copy[(h - 1 - sy) * w + sx] : kOld;
        ASSERT_EQ(At(3 + x, 2 + y), want) << "zoom " << c.zoom << " at " << x << "," << y;
      }
  }
}

TEST_F(Flush, StateMarksStandWhereTheFlagsSay) {
  struct Place {
    int slot, x;
  };
  struct Case {
    uint32_t flags;
    Place one[2];
    Place two[2];
  } cases[] = {
      {1, {{133, 9}, {0, 0}}, {{133, 25}, {0, 0}}},
      {2, {{134, 9}, {0, 0}}, {{134, 25}, {0, 0}}},
      {4, {{135, 9}, {0, 0}}, {{135, 25}, {0, 0}}},
      {6, {{134, 9}, {0, 0}}, {{134, 25}, {0, 0}}},
      {3, {{134, 17}, {133, 1}}, {{133, 17}, {134, 33}}},
      {5, {{135, 17}, {133, 1}}, {{133, 17}, {135, 33}}},
  };
  for (const Case& c : cases) {
    // what the marks' pieces give at those places
    FillCellBuffer(0x00123456, 1);
    FillCellBuffer(0x00123456, 2);
    for (const Place& p : c.one)
      if (p.slot) {
        const ExpandedPart& part = GetSymbolEntry(p.slot)->parts[0];
        CopyPieceBuf1(p.x, 0, part.width, part.height, part.source, 1);
      }
    for (const Place& p : c.two)
      if (p.slot) {
        const ExpandedPart& part = GetSymbolEntry(p.slot)->parts[0];
        ASSERT_NE(part.pixels2, nullptr);
        CopyPieceBuf2(p.x, 8, part.width2, part.height2, part.pixels2, 1);
      }
    std::vector<uint32_t> want1(CellBuffer1, CellBuffer1 + 512),
        want2(CellBuffer2, CellBuffer2 + 2048);
    FillCellBuffer(0x00123456, 1);
    FillCellBuffer(0x00123456, 2);
    DrawStateMarksBuf1(c.flags);
    DrawStateMarksBuf2(c.flags);
    EXPECT_EQ(std::vector<uint32_t>(CellBuffer1, CellBuffer1 + 512), want1) << c.flags;
    EXPECT_EQ(std::vector<uint32_t>(CellBuffer2, CellBuffer2 + 2048), want2) << c.flags;
    int changed = 0;
    for (uint32_t p : want1) changed += p != 0x00123456;
    EXPECT_GT(changed, 0) << c.flags;
  }
  // flag 16 alone draws no mark
  FillCellBuffer(0x00123456, 1);
  DrawStateMarksBuf1(16);
  for (uint32_t p : CellBuffer1) ASSERT_EQ(p, 0x00123456u);
}

TEST_F(Flush, DiagramCellsCopyASquareOfTheZoom) {
  for (int i = 0; i < 2048; i++) CellBuffer2[i] = (uint32_t)i;
  for (int zoom : {1, 2, 4, 8}) {
    Window(zoom, 0);
    FlushDiagramCell(nullptr, 5, 6, 0);
    int side = 16 / zoom;
    for (int y = -1; y <= side; y++)
      for (int x = -1; x <= side; x++) {
        uint32_t want = x >= 0 && y >= 0 && x < side && y < side ? Top2(CellBuffer2, x, y) : kOld;
        ASSERT_EQ(At(5 + x, 6 + y), want) << zoom;
      }
  }
}

TEST(EmptyCells, FillTheCellRectangleInTheLevelsBackground) {
  ResetEditWindows();
  ResetDisplayColours();
  LockRecord lock;
  std::memset(&lock, 0, sizeof lock);
  WrapInitializeCriticalSection(&lock);
  std::vector<uint32_t> px(100 * 40, 0);
  EditViewSlot* s = GetEditSlot(2);
  s->window = (void*)1, s->lockB = &lock, s->drawBuffer = px.data();
  s->pixelWidth = 100, s->pixelHeight = 40, s->pixelCount = 4000;
  auto at = [&](int x, int y) { return px[(size_t)(39 - y) * 100 + x]; };
  struct Case {
    int zoom, level, x, y;
    uint32_t colour;
  } cases[] = {{1, 0, 4, 3, SwapRedBlue(ColourTable[131])},
               {1, -1, 4, 3, SwapRedBlue(ColourTable[177])},
               {2, 0, 80, 20, SwapRedBlue(ColourTable[131])}};
  for (const Case& c : cases) {
    std::fill(px.begin(), px.end(), 0u);
    s->zoom = c.zoom, s->cursorLevel = c.level;
    FillEmptyCellRect(nullptr, c.x, c.y, 2);
    int w = 32 * c.zoom, h = 16 * c.zoom, filled = 0;
    for (int y = 0; y < 40; y++)
      for (int x = 0; x < 100; x++) {
        int in = x >= c.x && x < c.x + w && y >= c.y && y < c.y + h;
        ASSERT_EQ(at(x, y), in ? c.colour : 0u) << c.zoom << ": " << x << "," << y;
        filled += in;
      }
    EXPECT_GT(filled, 0);
  }
  // windows outside 0..5 draw nothing
  std::fill(px.begin(), px.end(), 0u);
  FillEmptyCellRect(nullptr, 0, 0, 7);
  FillEmptyCellRect(nullptr, 0, 0, -1);
  for (uint32_t p : px) ASSERT_EQ(p, 0u);
  std::memset((void*)s, 0, sizeof *s);
  ResetEditWindows();
  WrapDeleteCriticalSection(&lock);
}

TEST_F(Flush, TheDayPhaseLightsTheCell) {
  // one pixel of each kind: a plain colour, a fixed colour (class 0x40), a lamp (class 0x50)
  struct Case {
    int level, options;
    uint32_t phase, flags;
    uint32_t plain, fixed, lamp;  // what the three pixels become
  } cases[] = {
      {0, 1, DAYPHASE_DAY, 0, 0x406080, 0x123456, 0x445566},
      {0, 1, DAYPHASE_NIGHT, 0, 0x242424, 0x123456, 0x1F1F1F},
      {0, 1, DAYPHASE_NIGHT | DAYPHASE_LAMPS, 0, 0x242424, 0x123456, 0xFCFCA8},
      {0, 0, DAYPHASE_NIGHT, 0, 0x406080, 0x123456, 0x445566},  // the option is off
      {0, 0, DAYPHASE_NIGHT, FLUSH_LIGHTS, 0x406080, 0x123456, 0xFCFCA8},
      {-1, 0, DAYPHASE_DAY, 0, 0x406080, 0x123456, 0xFCFCA8},  // lower levels: lamps lit
  };
  for (const Case& c : cases) {
    Window(1, c.level);
    DocState.dayPhaseOptions = c.options;
    DayPhase = c.phase;
    for (int i = 0; i < 512; i++) CellBuffer1[i] = 0x00406080;
    CellBuffer1[40] = 0x40123456;
    CellBuffer1[41] = 0x50445566;
    FlushBuf1ToWindow(nullptr, 0, 0, 0, c.flags, 0);
    EXPECT_EQ(CellBuffer1[0], c.plain) << c.level << " " << c.phase;
    EXPECT_EQ(CellBuffer1[511], c.plain);
    // (without a tint the words keep their class byte, which the display ignores)
    EXPECT_EQ(CellBuffer1[40] & 0xFFFFFF, c.fixed) << c.level << " " << c.phase;
    EXPECT_EQ(CellBuffer1[41] & 0xFFFFFF, c.lamp) << c.level << " " << c.phase;
    EXPECT_EQ(At(8, 14) & 0xFFFFFF, c.fixed);  // index 40: row 1 from the bottom, column 8
    EXPECT_EQ(At(9, 14) & 0xFFFFFF, c.lamp);
    EXPECT_EQ(At(10, 14), c.plain);
  }
}
