// Writes into the edit windows' drawing buffers and the shared drawing device context.
#include "views/window_buffer.h"
#include <cstring>
#include "app/editwnd.h"
#include "app/entry.h"
#include "core/platform.h"
#include "views/view_services.h"

CellDrawingObjects CellDrawing;

// The one drawing device context of the program: the main (status) window's, taken when that
// window is made; 0 before. The same for every window index.
void* GetDrawingDC(int window) {
  (void)window;
  return Entry.statusDC;
}

int LockWindowBuffer(int window, WindowBuffer* b) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window || !s->lockB) return 0;
  WrapEnterCriticalSection(s->lockB);
  int64_t need = (int64_t)s->pixelWidth * s->pixelHeight;
  if (!s->drawBuffer || s->pixelWidth <= 0 || s->pixelHeight <= 0 || need > s->pixelCount) {
    WrapLeaveCriticalSection(s->lockB);
    return 0;
  }
  b->pixels = s->drawBuffer;
  b->width = s->pixelWidth;
  b->height = s->pixelHeight;
  b->lock = s->lockB;
  b->dirty = &s->dirty;
  b->window = window;
  return 1;
}

void UnlockWindowBuffer(WindowBuffer* b, int wrote) {
  if (wrote) *b->dirty = 1;
  WrapLeaveCriticalSection(b->lock);
}

static inline uint32_t* RowOf(WindowBuffer* b, int y) {
  return b->pixels + (size_t)(b->height - 1 - y) * (size_t)b->width;
}

int WindowBufferFillRect(WindowBuffer* b, int x1, int y1, int x2, int y2, uint32_t pixel) {
  if (x1 > x2 || y1 > y2) return 0;
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  if (x2 >= b->width) x2 = b->width - 1;
  if (y2 >= b->height) y2 = b->height - 1;
  if (x1 > x2 || y1 > y2) return 0;
  for (int y = y1; y <= y2; y++) {
    uint32_t* row = RowOf(b, y);
    for (int x = x1; x <= x2; x++) row[x] = pixel;
  }
  return (x2 - x1 + 1) * (y2 - y1 + 1);
}

// The part of a w x h block at source (column, row) that lies inside the source image: the first
// and one-past-last block column and row.
struct BlockRange {
  int i0, i1, j0, j1;
};
static BlockRange SourceRange(int w, int h, int column, int row, int sourceWidth,
                              int sourceHeight) {
  BlockRange r = {0, w, 0, h};
  if (column < 0) r.i0 = -column;
  if (row < 0) r.j0 = -row;
  if ((int64_t)column + w > sourceWidth) r.i1 = sourceWidth - column;
  if ((int64_t)row + h > sourceHeight) r.j1 = sourceHeight - row;
  return r;
}

static inline const uint32_t* SourceRow(const uint32_t* source, int sourceWidth, int sourceHeight,
                                        int row) {
  return source + (size_t)(sourceHeight - 1 - row) * (size_t)sourceWidth;
}

int WindowBufferCopy(WindowBuffer* b, int x, int y, int w, int h, const uint32_t* source,
                     int sourceColumn, int sourceRow, int sourceWidth, int sourceHeight) {
  if (!source || w <= 0 || h <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return 0;
  BlockRange r = SourceRange(w, h, sourceColumn, sourceRow, sourceWidth, sourceHeight);
  // the client area
  if (x + r.i0 < 0) r.i0 = -x;
  if (y + r.j0 < 0) r.j0 = -y;
  if ((int64_t)x + r.i1 > b->width) r.i1 = b->width - x;
  if ((int64_t)y + r.j1 > b->height) r.j1 = b->height - y;
  if (r.i0 >= r.i1 || r.j0 >= r.j1) return 0;
  for (int j = r.j0; j < r.j1; j++) {
    const uint32_t* from =
        SourceRow(source, sourceWidth, sourceHeight, sourceRow + j) + sourceColumn;
    uint32_t* to = RowOf(b, y + j) + x;
    for (int i = r.i0; i < r.i1; i++) to[i] = from[i];
  }
  return (r.i1 - r.i0) * (r.j1 - r.j0);
}

int WindowBufferCopyScaled(WindowBuffer* b, int factor, int x, int y, int w, int h,
                           const uint32_t* source, int sourceColumn, int sourceRow, int sourceWidth,
                           int sourceHeight) {
  if (factor < 2 || !source || w <= 0 || h <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return 0;
  BlockRange r = SourceRange(w, h, sourceColumn, sourceRow, sourceWidth, sourceHeight);
  if (r.i0 >= r.i1 || r.j0 >= r.j1) return 0;
  // target columns and rows of the block, clipped to the client area
  int64_t tx0 = (int64_t)x + (int64_t)r.i0 * factor, tx1 = (int64_t)x + (int64_t)r.i1 * factor;
  int64_t ty0 = (int64_t)y + (int64_t)r.j0 * factor, ty1 = (int64_t)y + (int64_t)r.j1 * factor;
  if (tx0 < 0) tx0 = 0;
  if (ty0 < 0) ty0 = 0;
  if (tx1 > b->width) tx1 = b->width;
  if (ty1 > b->height) ty1 = b->height;
  if (tx0 >= tx1 || ty0 >= ty1) return 0;
  // each source row enlarged once; the further target rows of that source row are copies of it
  const uint32_t* firstOfRow = nullptr;
  int lastRow = -1;
  size_t span = (size_t)(tx1 - tx0);
  for (int64_t ty = ty0; ty < ty1; ty++) {
    int j = (int)((ty - y) / factor);
    uint32_t* to = RowOf(b, (int)ty) + tx0;
    if (j == lastRow) {
      std::memcpy(to, firstOfRow, span * 4);
      continue;
    }
    const uint32_t* from =
        SourceRow(source, sourceWidth, sourceHeight, sourceRow + j) + sourceColumn;
    int64_t tx = tx0;
    while (tx < tx1) {
      uint32_t v = from[(tx - x) / factor];
      int64_t end = x + ((tx - x) / factor + 1) * factor;  // end of this source pixel's run
      if (end > tx1) end = tx1;
      for (; tx < end; tx++) *to++ = v;
    }
    firstOfRow = RowOf(b, (int)ty) + tx0;
    lastRow = j;
  }
  return (int)((tx1 - tx0) * (ty1 - ty0));
}

// ---- the window-index forms ----------------------------------------------------------------------
void FillWindowBufferRect(int window, int x1, int y1, int x2, int y2, uint32_t pixel) {
  WindowBuffer b;
  if (!LockWindowBuffer(window, &b)) return;
  UnlockWindowBuffer(&b, WindowBufferFillRect(&b, x1, y1, x2, y2, pixel));
}

void CopyPixelsToWindowBuffer(int window, int x, int y, int w, int h, const uint32_t* source,
                              int sourceColumn, int sourceRow, int sourceWidth, int sourceHeight) {
  WindowBuffer b;
  if (!LockWindowBuffer(window, &b)) return;
  UnlockWindowBuffer(&b, WindowBufferCopy(&b, x, y, w, h, source, sourceColumn, sourceRow,
                                          sourceWidth, sourceHeight));
}

void CopyPixelsToWindowBufferScaled(int window, int factor, int x, int y, int w, int h,
                                    const uint32_t* source, int sourceColumn, int sourceRow,
                                    int sourceWidth, int sourceHeight) {
  if (factor < 2) return;
  WindowBuffer b;
  if (!LockWindowBuffer(window, &b)) return;
  UnlockWindowBuffer(&b, WindowBufferCopyScaled(&b, factor, x, y, w, h, source, sourceColumn,
                                                sourceRow, sourceWidth, sourceHeight));
}
