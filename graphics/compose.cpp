// Cell composition and the drawing passes (trace name "ZGEN").
#include "graphics/compose.h"
#include "app/editwnd.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"
#include "graphics/trackground.h"
#include "views/view_services.h"

// ---- piece blitters ------------------------------------------------------------------------------
// A zoom-1 piece's pixel at cell row `indexRow` (from the bottom) comes from the strip row of the
// same row counted from the top, so a row outside the cell has no pixels to give either.
static const uint32_t* StripRow(int indexRow, uint32_t column) {
  if (!GlyphStore || indexRow < 0 || indexRow > 15) return nullptr;
  if ((uint64_t)column >= (uint64_t)GLYPH_STRIP_WIDTH) return nullptr;
  return GlyphStore + (size_t)(15 - indexRow) * GLYPH_STRIP_WIDTH + column;
}

static void CopyPiece1(int x, int y, int width, int height, uint32_t column, int level0,
                       int mirrored) {
  for (int k = 0; k < height; k++) {
    int row = y + height - 1 - k;  // the top row first
    const uint32_t* from = StripRow(row, column);
    if (!from) continue;
    int avail = GLYPH_STRIP_WIDTH - (int)column;
    for (int i = 0; i < width && i < avail; i++) {
      int col = mirrored ? 31 - x - i : x + i;
      if (col < 0 || col > 31) continue;
      MergePixelBuf1(&CellBuffer1[row * 32 + col], from[i], level0);
    }
  }
}

void CopyPieceBuf1(int x, int y, int width, int height, uint32_t stripColumn, int level0) {
  CopyPiece1(x, y, width, height, stripColumn, level0, 0);
}
void CopyPieceMirroredBuf1(int x, int y, int width, int height, uint32_t stripColumn, int level0) {
  CopyPiece1(x, y, width, height, stripColumn, level0, 1);
}

static void CopyPiece2(int x, int y, int width, int height, const uint32_t* pixels, int level0,
                       int mirrored) {
  if (!pixels) return;
  for (int k = 0; k < height; k++) {
    int row = y + height - 1 - k;
    if (row < 0 || row > 31) continue;
    const uint32_t* from = pixels + (size_t)k * width;
    for (int i = 0; i < width; i++) {
      int col = mirrored ? 63 - x - i : x + i;
      if (col < 0 || col > 63) continue;
      MergePixelBuf2(&CellBuffer2[row * 64 + col], from[i], level0);
    }
  }
}

void CopyPieceBuf2(int x, int y, int width, int height, const uint32_t* pixels, int level0) {
  CopyPiece2(x, y, width, height, pixels, level0, 0);
}
void CopyPieceMirroredBuf2(int x, int y, int width, int height, const uint32_t* pixels,
                           int level0) {
  CopyPiece2(x, y, width, height, pixels, level0, 1);
}

// ---- random-dot pieces ---------------------------------------------------------------------------
static uint32_t DotColour(uint32_t flags) {
  return (flags & PART_DOTS_LIGHT) ? RandomLightGreyPixel() : RandomGreyPixel();
}

void DrawDotPieceBuf1(uint32_t flags, int x, int y, int width) {
  for (int i = 2 * width - 1; i >= 0; i--) {
    int c = i / 2;
    int h = RandomBelow(i / 4 + 3) + c / 4;
    int px = x + c, py = 15 - y - h;
    if (px >= 0 && px <= 31 && py >= 0 && py <= 15)
      CellBuffer1[(15 - py) * 32 + px] = DotColour(flags);
  }
}

void DrawDotPieceBuf2(uint32_t flags, int x, int y, int width) {
  for (int i = 10 * width - 1; i >= 0; i--) {
    int h = RandomBelow(i / 4 + 6) + i / 8;
    int px = i / 2 + 2 * x, py = 31 - 2 * y - h;
    if (px >= 0 && px <= 63 && py >= 0 && py <= 31)
      CellBuffer2[(31 - py) * 64 + px] = DotColour(flags);
  }
}

// ---- one pass of a symbol ------------------------------------------------------------------------
static uint16_t ParityFlag(int cellX, int cellY) {
  int oddX = cellX & 1, oddY = cellY & 1;
  if (oddX && oddY) return PART_SKIP_ODD_ODD;
  if (oddX) return PART_SKIP_ODD_EVEN;
  if (oddY) return PART_SKIP_EVEN_ODD;
  return PART_SKIP_EVEN_EVEN;
}

static uint16_t SymbolIndexOf(uint32_t code, uint32_t state, int suppress) {
  if (code == 65535) return SYMBOL_NONE;
  if (code > 16383) {
    if (suppress || code >= 0x10000) return SYMBOL_NONE;
    return MapSymbolCodeToIndex(code);
  }
  return MapCellCodeToIndex(code, state);
}

int DrawSymbolPass(uint32_t code, uint32_t state, int xOffset, int yOffset, int pass, int suppress,
                   int cellX, int cellY, int level, int zoom) {
  uint16_t index = SymbolIndexOf(code, state, suppress);
  if (index == SYMBOL_NONE) return 0;
  int mirrored = (index & SYMBOL_MIRRORED) != 0;
  if (mirrored) xOffset = -xOffset;
  const SymbolEntry* e = GetSymbolEntry(index & 0x3FFF);
  uint16_t skip = ParityFlag(cellX, cellY);
  int level0 = level == 0;
  int drawn = 0;
  for (int k = 0; k < e->count; k++) {
    const ExpandedPart& p = e->parts[k];
    if (p.y < yOffset || p.y > yOffset + 15) continue;
    if (p.x < xOffset || p.x > xOffset + 31) continue;
    if (p.pass != pass || (p.flags & skip)) continue;
    drawn++;
    int pieceMirrored = (p.flags & PART_MIRRORED) != 0;
    if (p.flags & (PART_DOTS_DARK | PART_DOTS_LIGHT)) {
      int x = pieceMirrored ? 32 - p.x + xOffset - p.width : p.x - xOffset;
      if (mirrored) x = 31 - x;
      if (zoom == 1)
        DrawDotPieceBuf1(p.flags, x, p.y - yOffset, p.width);
      else
        DrawDotPieceBuf2(p.flags, x, p.y - yOffset, p.width);
      continue;
    }
    int flip = mirrored != pieceMirrored;
    int x1 = pieceMirrored ? 32 - p.x + xOffset - p.width : p.x - xOffset;
    if (zoom == 1) {
      (flip ? CopyPieceMirroredBuf1 : CopyPieceBuf1)(x1, p.y - yOffset, p.width, p.height, p.source,
                                                     level0);
    } else if ((p.flags & PART_ZOOM2) && p.pixels2) {
      int x2 = pieceMirrored ? 64 - p.x2 + 2 * xOffset - p.width2 : p.x2 - 2 * xOffset;
      (flip ? CopyPieceMirroredBuf2 : CopyPieceBuf2)(x2, p.y2 - 2 * yOffset, p.width2, p.height2,
                                                     p.pixels2, level0);
    } else {
      ClearBuf1();
      (flip ? CopyPieceMirroredBuf1 : CopyPieceBuf1)(x1, p.y - yOffset, p.width, p.height, p.source,
                                                     level0);
      ScaleBuf1ToBuf2();
    }
  }
  return drawn;
}

// ---- the whole cell ------------------------------------------------------------------------------
static int PortalMask(uint32_t symbol) {
  switch (symbol) {
    case 220:
    case 228:
    case 249:
    case 251: return 8;
    case 221:
    case 229:
    case 248:
    case 250: return 1;
    case 222:
    case 230:
    case 241:
    case 242: return 4;
    case 223:
    case 231:
    case 240:
    case 243: return 2;
    default: return 0;
  }
}

int ComposeCellBase(uint32_t code, uint32_t state, uint32_t codeAbove, uint32_t stateAbove,
                    uint32_t codeBelow, uint32_t stateBelow, int suppress, int x, int y, int level,
                    int zoom) {
  zoom = zoom == 1 ? 1 : 2;
  uint32_t track;
  if (code > 16383) {
    int seeThrough = (code == 0xC001 || code == 0xC002) && level > -4;
    if (!seeThrough) FillCellBuffer(SwapRedBlue(ColourTable[level == 0 ? 131 : 177]), zoom);
    DrawCellBackground(x, y, zoom);
    DrawLowerNeighbourGround(codeBelow, x ^ y, zoom);
    DrawSymbolPass(codeBelow, stateBelow, 0, 16, 1, suppress, x, y + 1, level, zoom);
    DrawUpperNeighbourGround(codeAbove, stateAbove, x ^ y, zoom);
    DrawSymbolPass(codeAbove, stateAbove, 0, -16, 0, suppress, x, y - 1, level, zoom);
    track = PIXEL_TRANSPARENT;
  } else {
    track = ComposeTrackGround(code, codeAbove, stateAbove, codeBelow, stateBelow, suppress, x, y,
                               level, zoom);
  }
  if (DrawSymbolPass(code, state, 0, 0, 4, suppress, x, y, level, zoom)) {
    int mask = PortalMask(code & 0x1FF);
    if (mask) return mask;
  }
  DrawSymbolPass(code, state, 0, 0, 3, suppress, x, y, level, zoom);
  DrawUpperNeighbourTrack(codeAbove, stateAbove, zoom, track);
  DrawLowerNeighbourTrack(codeBelow, zoom, track);
  DrawSymbolPass(code, state, 0, 0, 2, suppress, x, y, level, zoom);
  return 0;
}

// ---- empty cells in a window ---------------------------------------------------------------------
static void FillEmpty(int x, int y, int window, int zoom) {
  const EditViewSlot* s = GetEditSlot(window);
  if (!s) return;
  uint32_t colour = s->cursorLevel < 0
                        ? SwapRedBlue(ColourTable[177])
                        : ApplyDayPhaseToColour(SwapRedBlue(ColourTable[131]), DayPhase);
  int x2 = x + 32 * zoom - 1, y2 = y + 16 * zoom - 1;
  if (x2 >= s->pixelWidth) x2 = s->pixelWidth - 1;
  if (y2 >= s->pixelHeight) y2 = s->pixelHeight - 1;
  FillWindowBufferRect(window, x, y, x2, y2, colour);
}

void PutLeerSym248a(int x, int y, int window) {
  if (window >= EDIT_SLOTS) {
    ShowTraceBox(u"ZGEN.PutLeerSym248a");
    return;
  }
  const EditViewSlot* s = GetEditSlot(window);
  if (s) FillEmpty(x, y, window, s->zoom < 1 ? 1 : s->zoom);
}

void FillEmptyCellRect(void* dc, int x, int y, int window) {
  (void)dc;
  const EditViewSlot* s = GetEditSlot(window);
  if (!s) return;
  if (s->zoom > 1)
    PutLeerSym248a(x, y, window);
  else
    FillEmpty(x, y, window, 1);
}
