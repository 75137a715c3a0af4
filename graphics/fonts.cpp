// The program's eight fonts: settings, defaults, creation with the old handles deleted first,
// queries and handles.
#include "graphics/fonts.h"
#include "core/misc.h"
#include "core/platform.h"
#include "graphics/fonts_platform.h"

namespace {
// The default face names: A proportional for the wide calls, B proportional for the ANSI calls,
// C fixed-pitch.
const char kFaceA[] = "Tahoma";
const char kFaceB[] = "MS Sans Serif";
const char kFaceC[] = "Courier New";

constexpr int32_t kEightPoints = 0x7FFFFFFF;  // marks a default height of 8 points

struct FontDefault {
  int32_t height, width, weight;
  uint32_t pitchAndFamily;
  int fixedFace;  // 1: face C, 0: face A or B
};
// Index 0: the map-label font; 1..7: display fonts 1..7.
const FontDefault kDefaults[8] = {
    {-14, 7, 100, 49, 1},          {-12, 0, 500, 1, 1},           {kEightPoints, 0, 700, 32, 0},
    {-12, 0, 500, 1, 1},           {kEightPoints, 0, 100, 32, 0}, {kEightPoints, 0, 700, 32, 0},
    {kEightPoints, 0, 400, 32, 0}, {kEightPoints, 0, 100, 32, 0},
};
const int kZoomSteps[FONT_ZOOM_SIZES] = {1, 2, 4, 6, 8};

FontSetting Settings[8];
void* ZoomHandles[FONT_ZOOM_SIZES];
void* DisplayHandles[8];  // 1..7

void SetDefaults(int n) {
  const FontDefault& d = kDefaults[n];
  FontSetting& s = Settings[n];
  ExpandStoredFaceName(s.face, d.fixedFace ? kFaceC : (UnicodeFlag ? kFaceA : kFaceB));
  s.height = d.height == kEightPoints ? FontPlatformPointHeight(8) : d.height;
  s.width = d.width;
  s.weight = d.weight;
  s.charSet = 0;
  s.pitchAndFamily = d.pitchAndFamily;
  s.italic = 0;
}

void Store(int n, int useGiven, int32_t height, int32_t width, int32_t weight, uint32_t charSet,
           uint32_t pitchAndFamily, uint32_t italic, const char16_t* face) {
  if (!useGiven) {
    SetDefaults(n);
    return;
  }
  FontSetting& s = Settings[n];
  CopyStringLimited(s.face, face ? face : u"", FONT_FACE_CHARS);
  s.height = height;
  s.width = width;
  s.weight = weight;
  s.charSet = charSet;
  s.pitchAndFamily = pitchAndFamily;
  s.italic = italic;
}

void CreateDisplay(int n, int useGiven, int32_t height, int32_t width, int32_t weight,
                   uint32_t charSet, uint32_t pitchAndFamily, uint32_t italic,
                   const char16_t* face) {
  Store(n, useGiven, height, width, weight, charSet, pitchAndFamily, italic, face);
  DeleteDisplayFont(n);
  DisplayHandles[n] = FontPlatformCreate(&Settings[n], 1);
}

void Info(int n, int32_t* height, int32_t* width, int32_t* weight, uint32_t* charSet,
          uint32_t* pitchAndFamily, uint32_t* italic, char16_t* face) {
  const FontSetting& s = Settings[n];
  if (height) *height = s.height;
  if (width) *width = s.width;
  if (weight) *weight = s.weight;
  if (charSet) *charSet = s.charSet;
  if (pitchAndFamily) *pitchAndFamily = s.pitchAndFamily;
  if (italic) *italic = s.italic;
  if (face) CopyStringLimited(face, s.face, FONT_FACE_CHARS);
}

void DeleteZoomFonts() {
  for (void*& h : ZoomHandles) {
    if (h) FontPlatformDelete(h);
    h = nullptr;
  }
}
}  // namespace

void ExpandStoredFaceName(char16_t* target, const char* stored) {
  int n = 0;
  while (stored[n] && n < FONT_FACE_CHARS - 1) {
    target[n] = (char16_t)(unsigned char)stored[n];
    n++;
  }
  target[n] = 0;
}

void CreateZoomFonts(int useGiven, int32_t height, int32_t width, int32_t weight, uint32_t charSet,
                     uint32_t pitchAndFamily, uint32_t italic, const char16_t* face) {
  Store(0, useGiven, height, width, weight, charSet, pitchAndFamily, italic, face);
  DeleteZoomFonts();
  for (int i = 0; i < FONT_ZOOM_SIZES; i++)
    ZoomHandles[i] = FontPlatformCreate(&Settings[0], kZoomSteps[i]);
}

#define DISPLAY_FONT_FUNCTIONS(n)                                                                 \
  void CreateDisplayFont##n(int useGiven, int32_t height, int32_t width, int32_t weight,          \
                            uint32_t charSet, uint32_t pitchAndFamily, uint32_t italic,           \
                            const char16_t* face) {                                               \
    CreateDisplay(n, useGiven, height, width, weight, charSet, pitchAndFamily, italic, face);     \
  }                                                                                               \
  void GetDisplayFontInfo##n(int32_t* height, int32_t* width, int32_t* weight, uint32_t* charSet, \
                             uint32_t* pitchAndFamily, uint32_t* italic, char16_t* face) {        \
    Info(n, height, width, weight, charSet, pitchAndFamily, italic, face);                        \
  }                                                                                               \
  void* GetDisplayFont##n() { return DisplayHandles[n]; }

DISPLAY_FONT_FUNCTIONS(1)
DISPLAY_FONT_FUNCTIONS(2)
DISPLAY_FONT_FUNCTIONS(3)
DISPLAY_FONT_FUNCTIONS(4)
DISPLAY_FONT_FUNCTIONS(5)
DISPLAY_FONT_FUNCTIONS(6)
DISPLAY_FONT_FUNCTIONS(7)

void GetZoomFontInfo(int32_t* height, int32_t* width, int32_t* weight, uint32_t* charSet,
                     uint32_t* pitchAndFamily, uint32_t* italic, char16_t* face) {
  Info(0, height, width, weight, charSet, pitchAndFamily, italic, face);
}

void* GetZoomFont(int zoomStep) {
  for (int i = 0; i < FONT_ZOOM_SIZES; i++)
    if (kZoomSteps[i] == zoomStep) return ZoomHandles[i];
  return nullptr;
}

void* GetDisplayFont(int n) { return n >= 1 && n <= 7 ? DisplayHandles[n] : nullptr; }

int CreateAllFonts() {
  CreateZoomFonts(0, 0, 0, 0, 0, 0, 0, nullptr);
  for (int n = 1; n <= 7; n++) CreateDisplay(n, 0, 0, 0, 0, 0, 0, 0, nullptr);
  return 0;
}

void DeleteDisplayFont(int n) {
  if (n < 1 || n > 7 || !DisplayHandles[n]) return;
  FontPlatformDelete(DisplayHandles[n]);
  DisplayHandles[n] = nullptr;
}

void DeleteGlyphFonts() {
  DeleteDisplayFont(1);
  DeleteDisplayFont(2);
}

void ExitFonts() {
  DeleteZoomFonts();
  for (int n = 3; n <= 7; n++) DeleteDisplayFont(n);
}
