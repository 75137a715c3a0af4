// Repainting pixel rectangles of an edit window by its view mode, the WM_PAINT path, the
// invalidation that the next frame waits for, and the background picture's pixels.
#include "app/editwnd.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "model/general_section.h"
#include "graphics/graphics_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "views/view_draw.h"
#include "views/view_services.h"

static int Zoom(const EditViewSlot* s) { return s->zoom > 0 ? s->zoom : 1; }

void PaintSymbolViewRect(void* dc, int window, int x1, int y1, int x2, int y2) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s) return;
  int zoom = Zoom(s);
  int cx1 = s->originX + x1 / 32 / zoom, cy1 = s->originY + y1 / 16 / zoom;
  if (s->fineX && cx1 > 0) cx1--;
  if (s->fineY && cy1 > 0) cy1--;
  int cx2 = s->originX + x2 / 32 / zoom, cy2 = s->originY + y2 / 16 / zoom;
  if (cx2 > GRID_MAX_XY) cx2 = GRID_MAX_XY;
  if (cy2 > GRID_MAX_XY) cy2 = GRID_MAX_XY;
  int top = s->cursorLevel;
  for (int y = cy1; y <= cy2; y++) {
    int py = ((y - s->originY) * 16 + s->fineY) * zoom;
    for (int x = cx1; x <= cx2; x++) {
      int px = ((x - s->originX) * 32 + s->fineX) * zoom;
      if (NetworkInvalid) {  // a load failed after the document was cleared
        FillEmptyCellRect(dc, px, py, window);
        continue;
      }
      int bottom = WalkDownSeeThrough(x, y, top);
      ComposeCellPicture(dc, px, py, x, y, top, bottom, CellOverlayFlags(x, y, bottom), window);
    }
  }
}

// Line diagrams and overviews show their background until their cell drawing is built.
static void PaintBackgroundRect(int window, int x1, int y1, int x2, int y2, int colour) {
  FillWindowBufferRect(window, x1, y1, x2, y2, SwapRedBlue(GetColour(colour)));
}

void PaintWindowRect(void* dc, int window, int x1, int y1, int x2, int y2) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || x1 < 0 || y1 < 0 || x2 < 0 || y2 < 0) return;
  if (x1 > s->pixelWidth || y1 > s->pixelHeight || x1 > x2 || y1 > y2) return;
  if (!s->window || !s->drawBuffer) return;
  if (s->viewMode == VIEW_SYMBOLS)
    PaintSymbolViewRect(dc, window, x1, y1, x2, y2);
  else if (s->viewMode == VIEW_DIAGRAM)
    PaintBackgroundRect(window, x1, y1, x2, y2, s->cursorLevel ? 178 : 132);
  else
    PaintBackgroundRect(window, x1, y1, x2, y2, 131);
  s->ready = 1;
  s->dirty = 1;
  MarkOverlaySnapshotStale(window);
}

void RefreshEditWindowRect(int window, int x1, int y1, int x2, int y2) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window) return;
  PaintWindowRect(GetDrawingDC(window), window, x1, y1, x2, y2);
  ValidateEditWindowRect(window, x1, y1, x2, y2);
}

void InvalidateWindowRect(int window, int x1, int y1, int x2, int y2) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window) return;
  s->ready = 0;
  InvalidateEditWindowRect(window, x1, y1, x2, y2);
}

// ---- the background picture ------------------------------------------------------------------------
BackgroundImage BackgroundPicture;

uint32_t GetBackgroundImagePixel(uint32_t index) {
  const BackgroundImage& b = BackgroundPicture;
  if (!b.pixels || index >= (uint32_t)b.width * (uint32_t)b.height) return 0;
  const uint8_t* p = b.pixels;
  auto palette = [&](uint32_t i) { return i < 256 ? b.palette[i] : 0u; };
  switch (b.format) {
    case 1: {
      const uint8_t* q = p + (size_t)index * 4;
      return (uint32_t)q[0] | (uint32_t)q[1] << 8 | (uint32_t)q[2] << 16 | (uint32_t)q[3] << 24;
    }
    case 2: {
      const uint8_t* q = p + (size_t)index * 3;
      return (uint32_t)q[0] << 16 | (uint32_t)q[1] << 8 | q[2];
    }
    case 3: {
      uint32_t w = (uint32_t)p[(size_t)index * 2] | (uint32_t)p[(size_t)index * 2 + 1] << 8;
      // red takes bits 19-23 only: the top five bits of the word
      return ((w >> 11) << 19) | (((w >> 5) & 63) << 10) | ((w & 31) << 3);
    }
    case 4: return palette(p[index]);
    case 5: {
      uint8_t byte = p[index / 2];
      return palette((index & 1) ? byte >> 4 : byte & 15);
    }
    case 6: return palette((p[index / 8] >> (index & 7)) & 1);
  }
  return 0xFF0000;
}

// The picture's pixels under a cell into the cell buffer of the zoom (the see-through cells of
// the buffer keep what lies outside the picture).
static void PictureIntoBuffer(int x, int y, int bufW, int bufH, uint32_t* buffer, int cellW,
                              int cellH) {
  if (cellW > bufW) cellW = bufW;
  if (cellH > bufH) cellH = bufH;
  const BackgroundImage& b = BackgroundPicture;
  if (!b.pixels || !DocState.backgroundShown || b.cellsWide < 1 || b.cellsHigh < 1) return;
  if (x < b.cellX || y < b.cellY || x >= b.cellX + b.cellsWide || y >= b.cellY + b.cellsHigh)
    return;
  for (int j = 0; j < cellH; j++) {
    int64_t row = ((int64_t)(y - b.cellY) * cellH + j) * b.height / ((int64_t)b.cellsHigh * cellH);
    if (row < 0 || row >= b.height) continue;
    for (int i = 0; i < cellW; i++) {
      int64_t col = ((int64_t)(x - b.cellX) * cellW + i) * b.width / ((int64_t)b.cellsWide * cellW);
      if (col < 0 || col >= b.width) continue;
      buffer[(bufH - 1 - j) * bufW + i] = GetBackgroundImagePixel((uint32_t)(row * b.width + col));
    }
  }
}

void DrawCellBackground(int x, int y, int zoom) {
  if (zoom < 2)
    PictureIntoBuffer(x, y, 32, 16, CellBuffer1, 32, 16);
  else
    PictureIntoBuffer(x, y, 64, 32, CellBuffer2, 64, 32);
}

void DrawDiagramBackground(int x, int y, int zoom) {
  int side = 16 / (zoom > 0 ? zoom : 1);
  if (side < 1) side = 1;
  PictureIntoBuffer(x, y, 64, 32, CellBuffer2, side, side);
}
