// The screen of the native build: 32 bits, no palette, both raster capabilities (tests change
// them).
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/screen_native.h"

int NativeScreenBits = 32;
int NativeScreenPalette = 0;
int NativeScreenRaster = RASTER_CAN_BITBLT | RASTER_CAN_DIB_TO_DEVICE;

int GetScreenRasterCaps() { return NativeScreenRaster; }

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
