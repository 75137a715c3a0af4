// The screen of the native build: 32 bits, no palette (tests change it).
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/screen_native.h"

int NativeScreenBits = 32;
int NativeScreenPalette = 0;

int QueryScreenColours(int* bitsPerPixel, int* usesPalette) {
  *bitsPerPixel = NativeScreenBits;
  *usesPalette = NativeScreenPalette;
  return 0;
}

int GetScreenMetrics(int* width, int* height) {
  if (width) *width = 1280;
  if (height) *height = 1024;
  return NativeScreenBits;
}
