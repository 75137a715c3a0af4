// The native build's device context: a pixel surface in memory (colours as the platform keeps
// them, red in the low byte; rows from the top), with a record of the texts drawn on it.
#pragma once
#include <cstdint>

struct NativeSurfaceText {
  int x, y, centred;
  uint32_t colour, background;
  void* font;
  char16_t text[64];
};

struct NativeSurface {
  int width, height;
  uint32_t* pixels;  // width x height, owned by the creator
  int setPixelCalls, exactPixelCalls;
  int failBrushes;  // tests: every fill fails as when no brush can be made
  int textCount;
  NativeSurfaceText texts[32];  // the first 32 texts drawn
};

// A surface of w x h pixels filled with colour (pixels allocated; NativeSurfaceFree frees them).
void NativeSurfaceInit(NativeSurface* s, int w, int h, uint32_t colour);
void NativeSurfaceFree(NativeSurface* s);
uint32_t NativeSurfacePixel(const NativeSurface* s, int x, int y);  // 0xFFFFFFFF outside
