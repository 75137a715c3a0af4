// The pixel surfaces of the Win32 build: device contexts, drawn through the platform call layer.
#include "views/surface.h"
#include "core/platform_ui.h"

constexpr int kTransparent = 1, kOpaque = 2;  // background modes
constexpr uint32_t kAlignCentre = 6, kAlignLeft = 0;
constexpr uint32_t kSourceCopy = 0x00CC0020;

void SurfaceSetPixel(void* dc, int x, int y, uint32_t colour, int exact) {
  if (dc) WrapSetPixel(dc, x, y, colour & 0xFFFFFF, exact);
}

uint32_t SurfaceGetPixel(void* dc, int x, int y) {
  return dc ? WrapGetPixel(dc, x, y) : 0xFFFFFFFF;
}

int SurfaceFillRect(void* dc, int left, int top, int right, int bottom, uint32_t colour) {
  if (!dc) return 1;
  WrapGdiObject brush = WrapCreateSolidBrush(colour & 0xFFFFFF);
  if (!brush) return 1;
  WrapRect r = {left, top, right, bottom};
  WrapFillRect(dc, &r, brush);
  WrapDeleteObject(brush);
  return 0;
}

void SurfaceGlyph8x16(void* dc, int x, int y, const uint8_t rows[16], uint32_t foreground,
                      uint32_t background) {
  if (!dc) return;
  // A monochrome bitmap copied into a colour context takes the text colour where its bits are
  // clear and the background colour where they are set.
  uint8_t bits[32] = {};
  for (int r = 0; r < 16; r++) bits[r * 2] = (uint8_t)~rows[r];
  WrapGdiObject bitmap = WrapCreateBitmap(8, 16, 1, 1, bits);
  if (!bitmap) return;
  WrapDC memory = WrapCreateCompatibleDC(dc);
  if (memory) {
    WrapGdiObject old = WrapSelectObject(memory, bitmap);
    uint32_t oldText = WrapSetTextColor(dc, foreground & 0xFFFFFF);
    uint32_t oldBack = WrapSetBkColor(dc, background & 0xFFFFFF);
    WrapBitBlt(dc, x, y, 8, 16, memory, 0, 0, kSourceCopy);
    WrapSetTextColor(dc, oldText);
    WrapSetBkColor(dc, oldBack);
    WrapSelectObject(memory, old);
    WrapDeleteDC(memory);
  }
  WrapDeleteObject(bitmap);
}

void SurfaceText(void* dc, void* font, int x, int y, const char16_t* text, int count,
                 uint32_t colour, uint32_t background, int centred) {
  if (!dc || !text) return;
  WrapGdiObject oldFont = font ? WrapSelectObject(dc, font) : nullptr;
  uint32_t oldAlign = WrapSetTextAlign(dc, centred ? kAlignCentre : kAlignLeft);
  int transparent = background == SURFACE_TRANSPARENT;
  int oldMode = WrapSetBkMode(dc, transparent ? kTransparent : kOpaque);
  uint32_t oldText = WrapSetTextColor(dc, colour & 0xFFFFFF);
  uint32_t oldBack = transparent ? 0 : WrapSetBkColor(dc, background & 0xFFFFFF);
  WrapTextOut(dc, x, y, text, count);
  if (!transparent) WrapSetBkColor(dc, oldBack);
  WrapSetTextColor(dc, oldText);
  WrapSetBkMode(dc, oldMode);
  WrapSetTextAlign(dc, oldAlign);
  if (oldFont) WrapSelectObject(dc, oldFont);
}

void SurfaceTextClipped(void* dc, void* font, int left, int top, int right, int bottom,
                        const char16_t* text, int count, uint32_t colour) {
  if (!dc || !text) return;
  constexpr uint32_t kClipped = 4;  // ETO_CLIPPED
  WrapGdiObject oldFont = font ? WrapSelectObject(dc, font) : nullptr;
  uint32_t oldAlign = WrapSetTextAlign(dc, kAlignLeft);
  int oldMode = WrapSetBkMode(dc, kTransparent);
  uint32_t oldText = WrapSetTextColor(dc, colour & 0xFFFFFF);
  WrapRect r = {left, top, right, bottom};
  WrapExtTextOut(dc, left, top, kClipped, &r, text, (uint32_t)(count < 0 ? 0 : count), nullptr);
  WrapSetTextColor(dc, oldText);
  WrapSetBkMode(dc, oldMode);
  WrapSetTextAlign(dc, oldAlign);
  if (oldFont) WrapSelectObject(dc, oldFont);
}

void SurfaceTextExtent(void* dc, void* font, const char16_t* text, int count, int* width,
                       int* height) {
  WrapSize size = {0, 0};
  if (dc && text) {
    WrapGdiObject oldFont = font ? WrapSelectObject(dc, font) : nullptr;
    WrapGetTextExtentPoint32(dc, text, count, &size);
    if (oldFont) WrapSelectObject(dc, oldFont);
  }
  if (width) *width = size.cx;
  if (height) *height = size.cy;
}

void SurfaceCopyPixels(void* dc, int x, int y, int w, int h, const uint32_t* pixels) {
  if (dc && pixels && w > 0 && h > 0) WrapSetPixelsToDevice(dc, x, y, w, h, pixels);
}
