// The screen's colour depth and palette flag, from the desktop's device context.
#include <windows.h>
#include "core/platform_ui.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"

int QueryScreenColours(int* bitsPerPixel, int* usesPalette) {
  WrapDC dc = WrapGetDC(nullptr);
  if (!dc) {
    *bitsPerPixel = 32;
    *usesPalette = 0;
    return 1;
  }
  *bitsPerPixel = WrapGetDeviceCaps(dc, BITSPIXEL);
  *usesPalette = (WrapGetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) ? 1 : 0;
  WrapReleaseDC(nullptr, dc);
  return 0;
}

int GetScreenRasterCaps() {
  WrapDC dc = WrapGetDC(nullptr);
  if (!dc) return 0;
  int caps = WrapGetDeviceCaps(dc, RASTERCAPS);
  WrapReleaseDC(nullptr, dc);
  return caps;
}

int GetScreenMetrics(int* width, int* height) {
  WrapDC dc = WrapGetDC(nullptr);
  if (!dc) return 0;
  int bits = WrapGetDeviceCaps(dc, BITSPIXEL) * WrapGetDeviceCaps(dc, PLANES);
  if (width) *width = WrapGetDeviceCaps(dc, HORZRES);
  if (height) *height = WrapGetDeviceCaps(dc, VERTRES);
  WrapReleaseDC(nullptr, dc);
  return bits;
}
