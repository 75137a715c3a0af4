// The native pixel surface behind the device contexts of the native build: it clips like a
// device context and keeps what it was asked to draw.
#include "views/surface_native.h"
#include <cstdlib>
#include <cstring>
#include "views/surface.h"

void NativeSurfaceInit(NativeSurface* s, int w, int h, uint32_t colour) {
  std::memset(s, 0, sizeof *s);
  s->width = w > 0 ? w : 0;
  s->height = h > 0 ? h : 0;
  s->pixels = (uint32_t*)std::malloc((size_t)s->width * s->height * 4 + 4);
  for (int i = 0; i < s->width * s->height; i++) s->pixels[i] = colour;
}

void NativeSurfaceFree(NativeSurface* s) {
  std::free(s->pixels);
  s->pixels = nullptr;
}

uint32_t NativeSurfacePixel(const NativeSurface* s, int x, int y) {
  if (!s || x < 0 || y < 0 || x >= s->width || y >= s->height) return 0xFFFFFFFF;
  return s->pixels[(size_t)y * s->width + x];
}

static void Put(NativeSurface* s, int x, int y, uint32_t colour) {
  if (x < 0 || y < 0 || x >= s->width || y >= s->height) return;
  s->pixels[(size_t)y * s->width + x] = colour & 0xFFFFFF;
}

void SurfaceSetPixel(void* dc, int x, int y, uint32_t colour, int exact) {
  NativeSurface* s = (NativeSurface*)dc;
  if (!s) return;
  s->setPixelCalls++;
  if (exact) s->exactPixelCalls++;
  Put(s, x, y, colour);
}

uint32_t SurfaceGetPixel(void* dc, int x, int y) {
  return NativeSurfacePixel((const NativeSurface*)dc, x, y);
}

int SurfaceFillRect(void* dc, int left, int top, int right, int bottom, uint32_t colour) {
  NativeSurface* s = (NativeSurface*)dc;
  if (!s || s->failBrushes) return 1;
  for (int y = top; y < bottom; y++)
    for (int x = left; x < right; x++) Put(s, x, y, colour);
  return 0;
}

void SurfaceGlyph8x16(void* dc, int x, int y, const uint8_t rows[16], uint32_t foreground,
                      uint32_t background) {
  NativeSurface* s = (NativeSurface*)dc;
  if (!s) return;
  for (int r = 0; r < 16; r++)
    for (int i = 0; i < 8; i++)
      Put(s, x + i, y + r, (rows[r] >> (7 - i)) & 1 ? foreground : background);
}

void SurfaceText(void* dc, void* font, int x, int y, const char16_t* text, int count,
                 uint32_t colour, uint32_t background, int centred) {
  NativeSurface* s = (NativeSurface*)dc;
  if (!s || !text || s->textCount >= 32) return;
  NativeSurfaceText& t = s->texts[s->textCount++];
  t.x = x;
  t.y = y;
  t.centred = centred;
  t.colour = colour;
  t.background = background;
  t.font = font;
  int n = 0;
  for (; n < count && n < 63 && text[n]; n++) t.text[n] = text[n];
  t.text[n] = 0;
}

// The native surface keeps the text with the clip's left and top; it draws no glyphs.
void SurfaceTextClipped(void* dc, void* font, int left, int top, int right, int bottom,
                        const char16_t* text, int count, uint32_t colour) {
  if (right <= left || bottom <= top) return;
  SurfaceText(dc, font, left, top, text, count, colour, SURFACE_TRANSPARENT, 0);
}

// The native surfaces measure text in cells of 8 x 16 pixels.
void SurfaceTextExtent(void* dc, void* font, const char16_t* text, int count, int* width,
                       int* height) {
  int n = 0;
  while (text && n < count && text[n]) n++;
  if (width) *width = 8 * n;
  if (height) *height = 16;
}

void SurfaceCopyPixels(void* dc, int x, int y, int w, int h, const uint32_t* pixels) {
  NativeSurface* s = (NativeSurface*)dc;
  if (!s || !pixels) return;
  for (int r = 0; r < h; r++)
    for (int c = 0; c < w; c++) {
      uint32_t p = pixels[(size_t)r * w + c];  // blue low: back to the platform's order
      Put(s, x + c, y + r, ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
    }
}
