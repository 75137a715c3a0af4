// The fonts natively: the default table, given settings stored (the face cut to 31 characters),
// the zoom sizes scaled from step 1, and every handle deleted exactly once (re-creation, the
// symbol graphics' two fonts, the shut-down).
#include <gtest/gtest.h>
#include <string>
#include "core/platform.h"
#include "graphics/fonts.h"
#include "graphics/fonts_platform.h"

namespace {
typedef void (*InfoFn)(int32_t*, int32_t*, int32_t*, uint32_t*, uint32_t*, uint32_t*, char16_t*);
typedef void* (*HandleFn)();
const InfoFn kInfo[8] = {GetZoomFontInfo,     GetDisplayFontInfo1, GetDisplayFontInfo2,
                         GetDisplayFontInfo3, GetDisplayFontInfo4, GetDisplayFontInfo5,
                         GetDisplayFontInfo6, GetDisplayFontInfo7};

void ReleaseAll() {
  DeleteGlyphFonts();
  ExitFonts();
}
}  // namespace

TEST(Fonts, DefaultsOfEveryFont) {
  int saved = UnicodeFlag;
  for (int mode : {1, 0}) {
    UnicodeFlag = mode;
    ASSERT_EQ(CreateAllFonts(), 0);
    const int32_t eight = -11;  // 8 points at 96 dots per inch
    const char16_t* proportional = mode ? u"Tahoma" : u"MS Sans Serif";
    struct Row {
      int32_t height, width, weight;
      uint32_t pitch;
      const char16_t* face;
    };
    const Row rows[8] = {
        {-14, 7, 100, 49, u"Courier New"}, {-12, 0, 500, 1, u"Courier New"},
        {eight, 0, 700, 32, proportional}, {-12, 0, 500, 1, u"Courier New"},
        {eight, 0, 100, 32, proportional}, {eight, 0, 700, 32, proportional},
        {eight, 0, 400, 32, proportional}, {eight, 0, 100, 32, proportional},
    };
    for (int n = 0; n < 8; n++) {
      int32_t h, w, wt;
      uint32_t cs, pf, it;
      char16_t face[FONT_FACE_CHARS];
      kInfo[n](&h, &w, &wt, &cs, &pf, &it, face);
      EXPECT_EQ(h, rows[n].height) << "font " << n;
      EXPECT_EQ(w, rows[n].width) << "font " << n;
      EXPECT_EQ(wt, rows[n].weight) << "font " << n;
      EXPECT_EQ(pf, rows[n].pitch) << "font " << n;
      EXPECT_EQ(cs, 0u);
      EXPECT_EQ(it, 0u);
      EXPECT_EQ(std::u16string(face), rows[n].face) << "font " << n;
    }
    ReleaseAll();
  }
  UnicodeFlag = saved;
}

TEST(Fonts, ZoomSizesAndHandles) {
  ASSERT_EQ(CreateAllFonts(), 0);
  EXPECT_EQ(GetZoomFont(3), nullptr);
  EXPECT_EQ(GetZoomFont(0), nullptr);
  const FontSetting* one = FontNativeSetting(GetZoomFont(1));
  const FontSetting* eight = FontNativeSetting(GetZoomFont(8));
  ASSERT_TRUE(one && eight);
  EXPECT_EQ(eight->height, 8 * one->height);
  EXPECT_EQ(eight->width, 8 * one->width);
  for (int step : {1, 2, 4, 6, 8}) EXPECT_NE(GetZoomFont(step), nullptr);
  const HandleFn handles[7] = {GetDisplayFont1, GetDisplayFont2, GetDisplayFont3, GetDisplayFont4,
                               GetDisplayFont5, GetDisplayFont6, GetDisplayFont7};
  for (int n = 1; n <= 7; n++) {
    EXPECT_NE(handles[n - 1](), nullptr);
    EXPECT_EQ(GetDisplayFont(n), handles[n - 1]());
  }
  EXPECT_EQ(GetDisplayFont(0), nullptr);
  EXPECT_EQ(GetDisplayFont(8), nullptr);
  ReleaseAll();
}

TEST(Fonts, EveryHandleIsDeletedExactlyOnce) {
  const int before = FontNativeLiveCount();
  ASSERT_EQ(CreateAllFonts(), 0);
  EXPECT_EQ(FontNativeLiveCount(), before + 12);  // five sizes and seven display fonts
  CreateAllFonts();
  CreateZoomFonts(0, 0, 0, 0, 0, 0, 0, nullptr);
  CreateZoomFonts(0, 0, 0, 0, 0, 0, 0, nullptr);
  CreateDisplayFont4(0, 0, 0, 0, 0, 0, 0, nullptr);
  EXPECT_EQ(FontNativeLiveCount(), before + 12);  // re-creating deleted the old handles
  DeleteGlyphFonts();
  EXPECT_EQ(GetDisplayFont1(), nullptr);
  EXPECT_EQ(GetDisplayFont2(), nullptr);
  EXPECT_NE(GetDisplayFont3(), nullptr);
  EXPECT_EQ(FontNativeLiveCount(), before + 10);
  DeleteGlyphFonts();  // nothing left to delete
  ExitFonts();
  EXPECT_EQ(FontNativeLiveCount(), before);
  EXPECT_EQ(GetZoomFont(1), nullptr);
  ExitFonts();
  EXPECT_EQ(FontNativeLiveCount(), before);
}

TEST(Fonts, GivenSettingsAreStored) {
  const char16_t* longFace = u"A face name that is far longer than thirty-one characters";
  CreateDisplayFont6(1, -20, 5, 600, 2, 34, 1, longFace);
  int32_t h, w, wt;
  uint32_t cs, pf, it;
  char16_t face[FONT_FACE_CHARS];
  GetDisplayFontInfo6(&h, &w, &wt, &cs, &pf, &it, face);
  EXPECT_EQ((std::u16string(face)), std::u16string(longFace).substr(0, 31));
  EXPECT_EQ(h, -20);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(wt, 600);
  EXPECT_EQ(cs, 2u);
  EXPECT_EQ(pf, 34u);
  EXPECT_EQ(it, 1u);
  const FontSetting* made = FontNativeSetting(GetDisplayFont6());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->height, -20);
  CreateZoomFonts(1, -10, 4, 400, 0, 49, 0, u"Mono");
  EXPECT_EQ(FontNativeSetting(GetZoomFont(6))->height, -60);
  EXPECT_EQ(FontNativeSetting(GetZoomFont(6))->width, 24);
  CreateDisplayFont6(0, 0, 0, 0, 0, 0, 0, nullptr);  // back to the defaults
  GetDisplayFontInfo6(&h, nullptr, &wt, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(wt, 400);
  ReleaseAll();
}

TEST(Fonts, StoredFaceNamesExpandByteByByte) {
  char16_t out[FONT_FACE_CHARS];
  ExpandStoredFaceName(out, "Courier New");
  EXPECT_EQ(std::u16string(out), u"Courier New");
  ExpandStoredFaceName(out, "\xC4rial");
  EXPECT_EQ(std::u16string(out), u"\u00C4rial");
  ExpandStoredFaceName(out, "0123456789012345678901234567890123456789");
  EXPECT_EQ(std::u16string(out).size(), 31u);
}
