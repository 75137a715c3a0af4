// Cell pixel buffers: fills, pixel puts with range checks, lines, merges, scaling, grid marks.
#include "graphics/cellbuf.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "model/cellcodes.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

uint32_t CellBuffer1[512];
uint32_t CellBuffer2[2048];

void FillCellBuffer(uint32_t colour, int zoom) {
  if (zoom < 2)
    for (uint32_t& p : CellBuffer1) p = colour;
  else
    for (uint32_t& p : CellBuffer2) p = colour;
}

void ClearBuf1() { FillCellBuffer(PIXEL_EMPTY, 1); }

void FillCellBuffer2Rect(uint32_t colour, int width, int height) {
  if (width > 64) width = 64;
  if (height > 32) height = 32;
  for (int y = 0; y < height; y++)
    for (int x = 0; x < width; x++) CellBuffer2[(31 - y) * 64 + x] = colour;
}

void FillCellBufferChecker(uint32_t a, uint32_t b, int zoom) {
  uint32_t* buf = zoom == 1 ? CellBuffer1 : CellBuffer2;
  int w = zoom == 1 ? 32 : 64, h = zoom == 1 ? 16 : 32;
  for (int r = 0; r < h; r++)
    for (int c = 0; c < w; c++) buf[r * w + c] = ((r + c) & 1) ? b : a;
}

void PutPixelToBuf1(int x, int y, uint32_t colour) {
  if (x < 0 || x > 31 || y < 0 || y > 15) {
    ShowTraceBox(u"VKNBUF_PutPixelToBuf1 xy");
    return;
  }
  int p = (15 - y) * 32 + x;
  if (p < 0 || p > 511) {
    ShowTraceBox(u"VKNBUF_PutPixelToBuf1 p");
    return;
  }
  CellBuffer1[p] = colour;
}

int PutPixelToBuf2(int x, int y, uint32_t colour) {
  if (x < 0 || x > 63 || y < 0 || y > 31) {
    char16_t text[64];
    char16_t* o = text;
    auto put = [&](const char* s) {
      while (*s) *o++ = (char16_t)*s++;
    };
    auto num = [&](int v) {
      char b[16];
      int n = 0;
      unsigned u = v < 0 ? 0u - (unsigned)v : (unsigned)v;
      do b[n++] = (char)('0' + u % 10), u /= 10;
      while (u);
      if (v < 0) *o++ = u'-';
      while (n) *o++ = (char16_t)b[--n];
    };
    put("VKNBUF_PutPixelToBuf2 x=");
    num(x);
    put(" y=");
    num(y);
    *o = 0;
    ShowTraceBox(text);
    return -1;
  }
  int p = (31 - y) * 64 + x;
  if (p < 0 || p > 2047) {
    ShowTraceBox(u"VKNBUF_PutPixelToBuf2 p");
    return -1;
  }
  CellBuffer2[p] = colour;
  return p;
}

void DrawVLineBuf2(int x, int y1, int y2, uint32_t colour, int step) {
  if (step < 1) step = 1;
  if (y1 > y2) {
    int t = y1;
    y1 = y2;
    y2 = t;
  }
  for (int y = y1; y <= y2; y += step) PutPixelToBuf2(x, y, colour);
}

void DrawHLineBuf2(int x1, int y, int x2, uint32_t colour, int step) {
  if (step < 1) step = 1;
  if (x1 > x2) {
    int t = x1;
    x1 = x2;
    x2 = t;
  }
  for (int x = x1; x <= x2; x += step) PutPixelToBuf2(x, y, colour);
}

void DrawLineBuf2(int x1, int y1, int x2, int y2, uint32_t colour, int step) {
  if (x1 == x2) return DrawVLineBuf2(x1, y1, y2, colour, step);
  if (y1 == y2) return DrawHLineBuf2(x1, y1, x2, colour, step);
  if (step < 1) step = 1;
  int dx = x2 > x1 ? x2 - x1 : x1 - x2, dy = y2 > y1 ? y2 - y1 : y1 - y2;
  int sx = x2 > x1 ? 1 : -1, sy = y2 > y1 ? 1 : -1;
  int longer = dx > dy ? dx : dy, shorter = dx > dy ? dy : dx;
  int err = longer / 2;
  int x = x1, y = y1;
  for (int i = 0; i <= longer; i += step) {
    PutPixelToBuf2(x, y, colour);
    for (int k = 0; k < step; k++) {
      err -= shorter;
      if (err < 0) {
        err += longer + 1;
        if (dx > dy)
          y += sy;
        else
          x += sx;
      }
      if (dx > dy)
        x += sx;
      else
        y += sy;
    }
  }
}

void FillRectBuf2(int x1, int y1, int x2, int y2, uint32_t colour) {
  if (y1 > y2) {
    int t = y1;
    y1 = y2;
    y2 = t;
  }
  for (int y = y1; y <= y2; y++) DrawHLineBuf2(x1, y, x2, colour, 1);
}

void DrawArrowBuf2(int x, int y, uint32_t directionBits, uint32_t colour) {
  uint32_t d = (directionBits >> 8) & 0xFF;
  if (d & 0x04) {
    DrawLineBuf2(x, y, x + 2, y - 2, colour, 1);
    DrawLineBuf2(x, y, x + 2, y + 2, colour, 1);
  }
  if (d & 0x08) {
    DrawLineBuf2(x - 2, y - 2, x, y, colour, 1);
    DrawLineBuf2(x - 2, y + 2, x, y, colour, 1);
  }
  if (d & 0x01) {
    DrawLineBuf2(x, y, x - 2, y + 2, colour, 1);
    DrawLineBuf2(x, y, x + 2, y + 2, colour, 1);
  }
  if (d & 0x02) {
    DrawLineBuf2(x - 2, y - 2, x, y, colour, 1);
    DrawLineBuf2(x + 2, y - 2, x, y, colour, 1);
  }
  if (d & 0x20) {
    DrawHLineBuf2(x, y, x + 2, colour, 1);
    DrawVLineBuf2(x, y, y + 2, colour, 1);
  }
  if (d & 0x40) {
    DrawHLineBuf2(x, y, x + 2, colour, 1);
    DrawVLineBuf2(x, y - 2, y, colour, 1);
  }
  if (d & 0x80) {
    DrawHLineBuf2(x - 2, y, x, colour, 1);
    DrawVLineBuf2(x, y, y + 2, colour, 1);
  }
  if (d & 0x10) {
    DrawHLineBuf2(x - 2, y, x, colour, 1);
    DrawVLineBuf2(x, y - 2, y, colour, 1);
  }
}

void DrawGridMarks1(uint32_t mask) {
  if (!mask) return;
  uint32_t c51 = SwapRedBlue(ColourTable[51]), c52 = SwapRedBlue(ColourTable[52]),
           c53 = SwapRedBlue(ColourTable[53]);
  if (mask & 0x01)
    for (int y = 0; y < 16; y += 2) PutPixelToBuf1(0, y, c51);
  else if (mask & 0x02)
    for (int y = 0; y < 16; y += 4) PutPixelToBuf1(0, y, c52);
  if (mask & 0x10) {
    PutPixelToBuf1(0, 0, c53);
    PutPixelToBuf1(0, 8, c53);
  } else if (mask & 0x40) {
    PutPixelToBuf1(0, 0, c53);
  }
  if (mask & 0x04)
    for (int x = 0; x < 32; x += 2) PutPixelToBuf1(x, 0, c51);
  else if (mask & 0x08)
    for (int x = 0; x < 32; x += 4) PutPixelToBuf1(x, 0, c52);
  if (mask & 0x20)
    for (int x = 0; x < 32; x += 8) PutPixelToBuf1(x, 0, c53);
}

void DrawGridMarks2(uint32_t mask) {
  if (!mask) return;
  uint32_t c51 = SwapRedBlue(ColourTable[51]), c52 = SwapRedBlue(ColourTable[52]),
           c53 = SwapRedBlue(ColourTable[53]);
  if (mask & 0x01)
    DrawVLineBuf2(0, 0, 31, c51, 2);
  else if (mask & 0x02)
    DrawVLineBuf2(0, 0, 31, c52, 4);
  if (mask & 0x10) {
    PutPixelToBuf2(0, 0, c53);
    PutPixelToBuf2(0, 16, c53);
  } else if (mask & 0x40) {
    PutPixelToBuf2(0, 0, c53);
  }
  if (mask & 0x04)
    DrawHLineBuf2(0, 0, 63, c51, 2);
  else if (mask & 0x08)
    DrawHLineBuf2(0, 0, 63, c52, 4);
  if (mask & 0x20) DrawHLineBuf2(0, 0, 63, c53, 8);
}

static void Merge(uint32_t* target, uint32_t piece, int level0, int zoom2) {
  if (!(piece & 0x80000000u)) {
    *target = piece;
  } else if (piece == PIXEL_DARKEN) {
    if (!zoom2 && *target == PIXEL_EMPTY)
      *target = PIXEL_DARKEN;
    else
      *target |= 0x80000000u;
  } else if (piece == PIXEL_BACKGROUND) {
    *target = SwapRedBlue(ColourTable[level0 ? 131 : 177]);
  }
}

void MergePixelBuf1(uint32_t* target, uint32_t piece, int level0) {
  Merge(target, piece, level0, 0);
}
void MergePixelBuf2(uint32_t* target, uint32_t piece, int level0) {
  Merge(target, piece, level0, 1);
}

void ScaleBuf1ToBuf2() {
  for (int r = 0; r < 16; r++)
    for (int c = 0; c < 32; c++) {
      uint32_t v = CellBuffer1[r * 32 + c];
      if (v == PIXEL_EMPTY) continue;
      for (int dr = 0; dr < 2; dr++)
        for (int dc = 0; dc < 2; dc++) {
          uint32_t& t = CellBuffer2[(2 * r + dr) * 64 + 2 * c + dc];
          t = v == PIXEL_DARKEN ? (t | 0x80000000u) : v;
        }
    }
}

uint32_t DarkenPixel(uint32_t colour) {
  int b = (int)(colour & 0xFF) - 35, g = (int)((colour >> 8) & 0xFF) - 50,
      r = (int)((colour >> 16) & 0xFF) - 70;
  return (uint32_t)(b < 0 ? 0 : b) | (uint32_t)(g < 0 ? 0 : g) << 8 |
         (uint32_t)(r < 0 ? 0 : r) << 16;
}

uint32_t RandomGreyPixel() {
  uint32_t g = (uint32_t)RandomBelow(236) + 10;
  return g | g << 8 | g << 16;
}

uint32_t RandomLightGreyPixel() {
  uint32_t g = (uint32_t)RandomBelow(76) + 180;
  return g | g << 8 | g << 16;
}

const uint32_t* GetGlyphBits(int n) {
  if (!GlyphStore || n < 0 || n >= GLYPH_COUNT) return nullptr;
  return GlyphStore + (size_t)n * 8;
}

uint32_t GetAnimatedCode(uint32_t code) { return code; }

uint32_t GetDisplayCode(int x, int y, int level) {
  uint32_t code = GetCell(x, y, level);
  if (code >= 0xBF00 && code <= 0xBFFF) return GetTrainCellCode(x, y, level, (uint16_t)code);
  if (code < 0x8000) return code & ~0x4000u;
  return GetAnimatedCode(code);
}
