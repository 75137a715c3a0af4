// Drawing primitives on device contexts (pixels, dotted lines, frames, filled rectangles), the
// byte-order swap between platform colours and drawing-buffer pixels, and the day-phase
// adjustment of colour words.
#include "graphics/colours.h"
#include "views/surface.h"
#include "views/view_services.h"

void PutPixel(void* dc, int x, int y, uint32_t colour) {
  int exact = 0;
  GetRasterCapsFlags(&exact);
  SurfaceSetPixel(dc, x, y, colour, exact);
}

void InvertPixel(void* dc, int x, int y) {
  uint32_t c = SurfaceGetPixel(dc, x, y);
  if (c == 0xFFFFFFFF) return;  // outside the surface
  PutPixel(dc, x, y, ~c & 0xFFFFFF);
}

void DrawHorizontalPixelLine(void* dc, int x1, int y, int x2, uint32_t colour, int step) {
  if (step < 1) step = 1;
  if (x1 > x2) {
    int t = x1;
    x1 = x2;
    x2 = t;
  }
  for (int x = x1; x <= x2; x += step) PutPixel(dc, x, y, colour);
}

void DrawVerticalPixelLine(void* dc, int x, int y1, int y2, uint32_t colour, int step) {
  if (step < 1) step = 1;
  if (y1 > y2) {
    int t = y1;
    y1 = y2;
    y2 = t;
  }
  for (int y = y1; y <= y2; y += step) PutPixel(dc, x, y, colour);
}

void DrawPixelFrame(void* dc, int left, int top, int right, int bottom, uint32_t colour) {
  DrawVerticalPixelLine(dc, left, top, bottom, colour, 1);
  DrawHorizontalPixelLine(dc, left, top, right, colour, 1);
  DrawHorizontalPixelLine(dc, left, bottom, right, colour, 1);
  DrawVerticalPixelLine(dc, right, top, bottom, colour, 1);
}

void FillRectColour(void* dc, int left, int top, int right, int bottom, uint32_t colour) {
  SurfaceFillRect(dc, left, top, right + 1, bottom + 1, colour & 0xFFFFFF);
}

uint32_t SwapRedBlue(uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t SwapRedBlueAlt(uint32_t colour) { return SwapRedBlue(colour); }

uint32_t ApplyDayPhaseToColour(uint32_t colour, uint32_t flags) {
  uint32_t cls = (colour >> 28) & 7;
  uint32_t bit31 = colour & 0x80000000u;
  // Fixed colours (class 4) never change with the day phase.
  if (cls == 4 || !flags) return colour & ~0x7F000000u;
  if (cls == 5 && (flags & 8))
    return bit31 | ((colour & 0x51000000u) == 0x51000000u ? 0xFC3014u : 0xFCFCA8u);
  if (cls == 6) {
    uint32_t group = (colour >> 24) & 3;
    if (group < 3 && (flags & (16u << group)))
      return bit31 | (((colour >> 26) & 3) == 0 ? 0xB09000u : 0xA0AC9Cu);
  }
  uint32_t top = (cls == 5 || cls == 6) ? bit31 : colour & 0xFF000000u;
  if (!(flags & 7)) return colour & ~0x7F000000u;
  int c[3] = {(int)(colour & 0xFF), (int)((colour >> 8) & 0xFF), (int)((colour >> 16) & 0xFF)};
  int grey = (c[0] + c[1] + c[2]) / 8;
  int out[3];
  if (flags & 1) {
    out[0] = out[1] = out[2] = grey;
  } else {
    int numerator = PhaseElapsed, denominator = PhaseLength;
    if (denominator < 1) denominator = 1;
    if (numerator < 0) numerator = 0;
    if (numerator > denominator) numerator = denominator;
    for (int i = 0; i < 3; i++) {
      int d = (c[i] - grey) * numerator / denominator;
      int v = (flags & 2) ? grey + d : c[i] - d;
      out[i] = v < 0 ? 0 : v > 255 ? 255 : v;
    }
  }
  return top | (uint32_t)out[0] | ((uint32_t)out[1] << 8) | ((uint32_t)out[2] << 16);
}
