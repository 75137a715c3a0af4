// The colour warning of the glyph-file start-up step: only information (message 96).
#include <gtest/gtest.h>
#include "app/startup.h"
#include "graphics/glyphfile.h"
#include "graphics/screen_native.h"
#include "graphics_test_util.h"

TEST(GlyphFileScreen, ColourWarningIsOnlyInformation) {
  NativeScreenBits = 8;
  NativeScreenPalette = 0;
  EXPECT_EQ(LoadGeneratedGlyphs(), 6);
  EXPECT_EQ(MapGlyphResult(6), 0);
  FreeSymbolGraphics();
  NativeScreenBits = 32;
  NativeScreenPalette = 1;
  EXPECT_EQ(LoadGeneratedGlyphs(), 6);
  FreeSymbolGraphics();
  NativeScreenPalette = 0;
  EXPECT_EQ(LoadGeneratedGlyphs(), 0);
  FreeSymbolGraphics();
}
