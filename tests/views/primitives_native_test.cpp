// Drawing primitives, colour adjustment, glyph text and the status pane layout, drawn on the
// native pixel surface that stands for a device context.
#include <gtest/gtest.h>
#include <cstdlib>
#include <cstring>
#include <string>
#include "app/editwnd.h"
#include "app/input.h"
#include "model/grid.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "views/surface.h"
#include "views/surface_native.h"
#include "views/view_services.h"

namespace {
constexpr uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

struct SurfaceFixture : ::testing::Test {
  NativeSurface s;
  void SetUp() override {
    NativeSurfaceInit(&s, 64, 32, kWhite);
    QueryRasterCaps(0, 0);
  }
  void TearDown() override { NativeSurfaceFree(&s); }
  // The pixels of the surface that are not white, as "x,y;" pairs.
  std::string Marked() {
    std::string out;
    for (int y = 0; y < s.height; y++)
      for (int x = 0; x < s.width; x++)
        if (NativeSurfacePixel(&s, x, y) != kWhite)
          out += std::to_string(x) + "," + std::to_string(y) + ";";
    return out;
  }
};

TEST(Colours, SwapRedBlueExchangesTheOuterBytesAndDropsTheTop) {
  EXPECT_EQ(SwapRedBlue(0x12345678u), 0x785634u);
  EXPECT_EQ(SwapRedBlueAlt(0x12345678u), 0x785634u);
  EXPECT_EQ(SwapRedBlueAlt(SwapRedBlue(0x00ABCDEFu)), 0x00ABCDEFu);
}

TEST(Colours, DayPhaseAdjustment) {
  int32_t savedElapsed = PhaseElapsed, savedLength = PhaseLength;
  PhaseElapsed = 1;
  PhaseLength = 4;
  struct Case {
    uint32_t colour, flags, expected;
    const char* what;
  } cases[] = {
      {0x40123456, 0, 0x00123456, "fixed class, no flags"},
      {0x40123456, 1, 0x00123456, "fixed class is never greyed"},
      {0xC0123456, 4 | 8 | 16, 0x80123456, "fixed class keeps bit 31 only"},
      {0x00306090, 0, 0x00306090, "plain colour in the day"},
      {0x00306090, 1, 0x00242424, "night grey: (r + g + b) / 8"},
      // dawn: grey + (channel - grey) / 4 ; dusk: channel - (channel - grey) / 4
      {0x00306090, 2, 0x0027333F, "dawn blends from grey"},
      {0x00306090, 4, 0x002D5175, "dusk blends towards grey"},
      {0x12306090, 1, 0x12242424, "other classes keep the whole top byte"},
      {0x50102030, 8, 0x00FCFCA8, "lamp lit"},
      {0xD1102030, 8, 0x80FC3014, "second lamp colour lit, bit 31 kept"},
      {0x50102030, 1, 0x000C0C0C, "lamp unlit at night keeps only bit 31 of the top"},
      {0x60102030, 16, 0x00B09000, "window group 0 lit"},
      {0x61102030, 16, 0x00102030, "group 1 is not lit by the flag of group 0"},
      {0x65102030, 32, 0x00A0AC9C, "group 1 with bits 26-27 lit"},
      {0x62102030, 64, 0x00B09000, "group 2 lit"},
      {0x63102030, 16 | 32 | 64, 0x00102030, "group 3 has no light"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ApplyDayPhaseToColour(c.colour, c.flags), c.expected)
        << c.what << " " << std::hex << c.colour << " flags " << c.flags;
  PhaseElapsed = savedElapsed;
  PhaseLength = savedLength;
}

TEST_F(SurfaceFixture, PixelLinesTakeTheirEndsInEitherOrder) {
  DrawHorizontalPixelLine(&s, 10, 3, 2, kRed, 3);
  std::string forward = Marked();
  EXPECT_EQ(forward, "2,3;5,3;8,3;");
  NativeSurfaceFree(&s);
  NativeSurfaceInit(&s, 64, 32, kWhite);
  DrawHorizontalPixelLine(&s, 2, 3, 10, kRed, 3);
  EXPECT_EQ(Marked(), forward);
  NativeSurfaceFree(&s);
  NativeSurfaceInit(&s, 64, 32, kWhite);
  DrawVerticalPixelLine(&s, 4, 7, 5, kRed, 0);  // a step below 1 is solid
  EXPECT_EQ(Marked(), "4,5;4,6;4,7;");
}

TEST_F(SurfaceFixture, FramesFillsAndInversion) {
  DrawPixelFrame(&s, 1, 1, 3, 3, kRed);
  EXPECT_EQ(Marked(), "1,1;2,1;3,1;1,2;3,2;1,3;2,3;3,3;");
  FillRectColour(&s, 10, 10, 11, 12, 0x80000000u | kGreen);  // the flag bits are dropped
  for (int y = 10; y <= 12; y++)
    for (int x = 10; x <= 11; x++) EXPECT_EQ(NativeSurfacePixel(&s, x, y), kGreen) << x << y;
  EXPECT_EQ(NativeSurfacePixel(&s, 12, 12), kWhite);
  EXPECT_EQ(NativeSurfacePixel(&s, 10, 13), kWhite);
  s.failBrushes = 1;
  FillRectColour(&s, 20, 20, 22, 22, kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 20, 20), kWhite);
  InvertPixel(&s, 10, 10);
  EXPECT_EQ(NativeSurfacePixel(&s, 10, 10), 0xFF00FFu);
  InvertPixel(&s, -1, 0);  // outside: nothing
  EXPECT_EQ(NativeSurfacePixel(&s, 0, 0), kWhite);
}

TEST_F(SurfaceFixture, PutPixelUsesTheExactCallOnlyWhenTheRasterFlagAllowsIt) {
  PutPixel(&s, 0, 0, kRed);
  EXPECT_EQ(s.exactPixelCalls, 0);
  QueryRasterCaps(1, 1);
  PutPixel(&s, 1, 0, kRed);
  EXPECT_EQ(s.exactPixelCalls, 1);
  EXPECT_EQ(s.setPixelCalls, 2);
  QueryRasterCaps(0, 0);
}

// ---- glyph text ------------------------------------------------------------------------------
// A glyph store of our own: sign 5 is a 2 x 2 block at (1, 1) with mask bit 4, plus a pixel
// with only mask bit 8 (not part of the sign's text form).
struct GlyphFixture : SurfaceFixture {
  uint32_t* saved = nullptr;
  void SetUp() override {
    SurfaceFixture::SetUp();
    saved = GlyphStore;
    GlyphStore = (uint32_t*)std::calloc(GLYPH_STORE_BYTES / 4, 4);
    uint32_t* g = GlyphStore + (size_t)(11608 + 5) * 8;
    for (int r = 1; r <= 2; r++)
      for (int i = 1; i <= 2; i++) g[(size_t)r * GLYPH_STRIP_WIDTH + i] = 36;
    g[(size_t)5 * GLYPH_STRIP_WIDTH + 6] = 8;
  }
  void TearDown() override {
    std::free(GlyphStore);
    GlyphStore = saved;
    SurfaceFixture::TearDown();
  }
};

TEST_F(GlyphFixture, SignsAreDrawnFromTheGlyphStore) {
  DrawGlyphRun(&s, 8, 4, 5, kRed, SURFACE_TRANSPARENT);
  EXPECT_EQ(Marked(), "9,5;10,5;9,6;10,6;");
  int x, y;
  GetGlyphPen(&x, &y);
  EXPECT_EQ(x, 16);
  EXPECT_EQ(y, 4);
  // Opaque: the whole 8 x 16 cell, set pixels in the colour, the rest in the background.
  DrawGlyphChar(&s, 5, kRed, kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 17, 5), kRed);
  EXPECT_EQ(NativeSurfacePixel(&s, 16, 4), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 23, 19), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 22, 9), kBlue);  // mask bit 8 alone is not set
  EXPECT_EQ(NativeSurfacePixel(&s, 24, 4), kWhite);
}

TEST_F(GlyphFixture, BlanksAndTextCharacters) {
  DrawGlyphRun(&s, 0, 0, u' ', kRed, SURFACE_TRANSPARENT);
  EXPECT_EQ(Marked(), "");
  DrawGlyphRun(&s, 0, 0, u' ', kRed, kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 7, 15), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 8, 15), kWhite);
  DrawGlyphRun(&s, 16, 2, u'A', kRed, kBlue);
  ASSERT_EQ(s.textCount, 1);
  EXPECT_EQ(s.texts[0].x, 20);  // centred on the cell
  EXPECT_EQ(s.texts[0].y, 2);
  EXPECT_EQ(s.texts[0].centred, 1);
  EXPECT_EQ(s.texts[0].text[0], u'A');
  EXPECT_EQ(s.texts[0].background, kBlue);
  // Without a glyph store nothing is drawn.
  uint32_t* store = GlyphStore;
  GlyphStore = nullptr;
  DrawGlyphRun(&s, 30, 0, u'B', kRed, kBlue);
  GlyphStore = store;
  EXPECT_EQ(s.textCount, 1);
}

TEST(SymbolText, Measure) {
  struct Case {
    std::u16string text;
    int pixels, length;
  } cases[] = {
      {u"", 0, 1},
      {u"ab", 16, 3},
      {std::u16string(u"\x03\x01\x02\x00", 4) + u"xy", 152, 7},  // vehicle and two letters
      {std::u16string(u"\x01\x00\xC0\x00", 4) + u"a", 40, 6},    // a cell picture (4 cells)
      {u"\x04z", 40, 3},                                         // info-text cell
      {std::u16string(u"\x05\x01\x00\x00\x00", 5), 32, 6},       // preview column
      {u"\x02\x07\x07\x07hi\x02!", 24, 9},                       // highlight opens with 3
      {u"\x06\x01\x01\x01\x01\x01q\x06", 8, 9},                  // and with 5
  };
  for (const Case& c : cases) {
    int length = -1;
    EXPECT_EQ(MeasureSymbolText(c.text.c_str(), &length), c.pixels) << c.text.size();
    EXPECT_EQ(length, c.length) << c.text.size();
  }
  EXPECT_EQ(MeasureSymbolText(u"abc", nullptr), 24);
}

TEST_F(GlyphFixture, SymbolTextFillsTheCellsItDoesNotUse) {
  DrawSymbolText(&s, 0, 0, u"ab", kRed, kGreen, kBlue, 5);
  ASSERT_EQ(s.textCount, 2);
  EXPECT_EQ(s.texts[0].x, 4);
  EXPECT_EQ(s.texts[1].x, 12);
  EXPECT_EQ(NativeSurfacePixel(&s, 16, 0), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 39, 15), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 40, 0), kWhite);
  int x;
  GetGlyphPen(&x, nullptr);
  EXPECT_EQ(x, 40);
}

TEST_F(GlyphFixture, SymbolTextHighlightAndCount) {
  DrawSymbolText(&s, 0, 0,
                 u"a\x02\x01\x01\x01"
                 u"b\x02"
                 u"c",
                 kRed, kGreen, SURFACE_TRANSPARENT, 10);
  ASSERT_EQ(s.textCount, 3);
  EXPECT_EQ(s.texts[0].colour, kRed);
  EXPECT_EQ(s.texts[1].colour, kGreen);
  EXPECT_EQ(s.texts[1].x, 12);  // the highlight marks take no cell
  EXPECT_EQ(s.texts[2].colour, kRed);
  // A picture that does not fit the cells left is not begun; blanks fill the rest.
  s.textCount = 0;
  DrawSymbolText(&s, 0, 16, std::u16string(u"x\x01\x00\xC0\x00y", 6).c_str(), kRed, kGreen, kBlue,
                 3);
  EXPECT_EQ(s.textCount, 1);
  EXPECT_EQ(NativeSurfacePixel(&s, 23, 31), kBlue);
  EXPECT_EQ(NativeSurfacePixel(&s, 24, 31), kWhite);
  // The preview switches are restored afterwards.
  EXPECT_EQ(ShowOption[2], 0);
  EXPECT_EQ(ShowOption[3], 0);
}

// ---- status panes ----------------------------------------------------------------------------
TEST(StatusPanes, LayoutOfANarrowAndAWideStatusWindow) {
  int top = -1, width = -1, height = -1;
  EditViews.statusLayoutWide = 1;
  SetStatusClientWidth(1000);
  EXPECT_EQ(GetStatusPaneRect(8, &top, &width, &height), 877);
  EXPECT_EQ(top, 0);
  EXPECT_EQ(width, 15);  // sizes are never scaled
  EXPECT_EQ(height, 16);
  EXPECT_EQ(GetStatusPaneRect(0, nullptr, nullptr, nullptr), 247);  // (192 * 1000 - 16) / 800 + 8
  SetStatusClientWidth(815);
  EXPECT_EQ(GetStatusPaneRect(8, nullptr, nullptr, nullptr), 696);
  SetStatusClientWidth(1000);
  EditViews.statusLayoutWide = 0;
  EXPECT_EQ(GetStatusPaneRect(8, nullptr, nullptr, nullptr), 696);
  EXPECT_EQ(GetStatusPaneRect(40, &top, &width, &height), 112);
  EXPECT_EQ(top, 24);
  EXPECT_EQ(width, 48);
  EXPECT_EQ(GetStatusPaneRect(41, &top, nullptr, nullptr), -1);
  EXPECT_EQ(GetStatusPaneRect(-1, nullptr, nullptr, nullptr), -1);
  // Every pane lies in the 800 x 80 status face.
  for (int p = 0; p < STATUS_PANE_COUNT; p++) {
    int l = GetStatusPaneRect(p, &top, &width, &height);
    EXPECT_GE(l, 0);
    EXPECT_LE(l + width, 800) << p;
    EXPECT_LE(top + height, 80) << p;
  }
  SetStatusClientWidth(0);
}

// A click lands on the pane under it in either layout (pane 20 is the reverse-advance switch).
TEST(StatusPanes, ClicksFindTheirPane) {
  int reverse = GetReverseAdvance();
  EditViews.statusLayoutWide = 0;
  HandleStatusMouse(MOUSE_LUP, 750, 40);
  EXPECT_EQ(GetReverseAdvance(), !reverse);
  EditViews.statusLayoutWide = 1;
  SetStatusClientWidth(1000);
  HandleStatusMouse(MOUSE_LUP, 750, 40);  // nothing there in the wide layout
  EXPECT_EQ(GetReverseAdvance(), !reverse);
  HandleStatusMouse(MOUSE_LUP, 940, 40);  // pane 20 starts at 937
  EXPECT_EQ(GetReverseAdvance(), reverse);
  EditViews.statusLayoutWide = 0;
  SetStatusClientWidth(0);
}
}  // namespace
