// The fonts as platform fonts: every one is a font object, re-creating every font leaves the
// number of the process's graphics objects unchanged, and deleting leaves none behind.
#include <gtest/gtest.h>
#include <windows.h>
#include <vector>
#include "core/platform.h"
#include "graphics/fonts.h"

namespace {
std::vector<HGDIOBJ> AllHandles() {
  std::vector<HGDIOBJ> h;
  for (int step : {1, 2, 4, 6, 8}) h.push_back((HGDIOBJ)GetZoomFont(step));
  for (int n = 1; n <= 7; n++) h.push_back((HGDIOBJ)GetDisplayFont(n));
  return h;
}
DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
}  // namespace

TEST(FontsWin32, RecreatingEveryFontKeepsTheObjectCount) {
  int saved = UnicodeFlag;
  for (int mode : {1, 0}) {
    UnicodeFlag = mode;
    ASSERT_EQ(CreateAllFonts(), 0);
    std::vector<HGDIOBJ> first = AllHandles();
    for (HGDIOBJ h : first) EXPECT_EQ(GetObjectType(h), (DWORD)OBJ_FONT) << "mode " << mode;
    LOGFONTW one = {}, eight = {};
    ASSERT_TRUE(GetObjectW((HGDIOBJ)GetZoomFont(1), sizeof one, &one));
    ASSERT_TRUE(GetObjectW((HGDIOBJ)GetZoomFont(8), sizeof eight, &eight));
    EXPECT_EQ(eight.lfHeight, 8 * one.lfHeight);
    EXPECT_EQ(eight.lfWidth, 8 * one.lfWidth);

    DWORD count = GdiObjects();
    for (int round = 0; round < 3; round++) CreateAllFonts();
    EXPECT_EQ(GdiObjects(), count) << "mode " << mode;
    std::vector<HGDIOBJ> now = AllHandles();
    for (HGDIOBJ old : first) {
      bool reused = false;
      for (HGDIOBJ h : now) reused = reused || h == old;
      if (!reused) EXPECT_EQ(GetObjectType(old), 0u) << "an old font is still alive";
    }
    DeleteGlyphFonts();
    ExitFonts();
    for (HGDIOBJ h : now) EXPECT_EQ(GetObjectType(h), 0u);
    EXPECT_LE(GdiObjects(), count);
  }
  UnicodeFlag = saved;
}
