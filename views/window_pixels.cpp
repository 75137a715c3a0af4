// Pixel writes, dotted rows and columns and the scrolling of an edit window's drawing buffer,
// under the window's buffer lock (the fills and copies are in views/window_buffer.cpp).
#include <cstring>
#include "views/view_services.h"
#include "views/window_buffer.h"

static inline uint32_t* RowAt(WindowBuffer* b, int y) {
  return b->pixels + (size_t)(b->height - 1 - y) * (size_t)b->width;
}

void PutWindowBufferPixel(int window, int x, int y, uint32_t pixel) {
  WindowBuffer b;
  if (!LockWindowBuffer(window, &b)) return;
  int inside = x >= 0 && y >= 0 && x < b.width && y < b.height;
  if (inside) RowAt(&b, y)[x] = pixel;
  UnlockWindowBuffer(&b, inside);
}

void DrawWindowBufferColumn(int window, int x, int y1, int y2, uint32_t pixel, int step) {
  if (step < 1) step = 1;
  if (y1 > y2) {
    int t = y1;
    y1 = y2;
    y2 = t;
  }
  if (y1 < 0) y1 += ((-y1 + step - 1) / step) * step;  // the first step inside the client area
  for (int y = y1; y <= y2; y += step) PutWindowBufferPixel(window, x, y, pixel);
}

void DrawWindowBufferRow(int window, int x1, int y, int x2, uint32_t pixel, int step) {
  if (step < 1) step = 1;
  if (x1 > x2) {
    int t = x1;
    x1 = x2;
    x2 = t;
  }
  if (x1 < 0) x1 += ((-x1 + step - 1) / step) * step;
  for (int x = x1; x <= x2; x += step) PutWindowBufferPixel(window, x, y, pixel);
}

int WindowBufferScroll(WindowBuffer* b, int x1, int y1, int x2, int y2, int dx, int dy) {
  if (!dx && !dy) return 0;
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  if (x2 >= b->width) x2 = b->width - 1;
  if (y2 >= b->height) y2 = b->height - 1;
  if (x1 > x2 || y1 > y2) return 0;
  int w = x2 - x1 + 1, h = y2 - y1 + 1;
  int moved = 0;
  if (dx > -w && dx < w && dx) {
    // columns: within each row, the part that stays inside the rectangle
    int from = dx > 0 ? x1 : x1 - dx, to = dx > 0 ? x1 + dx : x1;
    int n = w - (dx > 0 ? dx : -dx);
    for (int y = y1; y <= y2; y++) {
      uint32_t* row = RowAt(b, y);
      std::memmove(row + to, row + from, (size_t)n * 4);
    }
    moved = 1;
  }
  if (dy > -h && dy < h && dy) {
    // rows: moving down (dy > 0) starts with the lowest row, moving up with the highest
    int n = h - (dy > 0 ? dy : -dy);
    for (int k = 0; k < n; k++) {
      int target = dy > 0 ? y2 - k : y1 + k;
      uint32_t* to = RowAt(b, target) + x1;
      const uint32_t* from = RowAt(b, target - dy) + x1;
      std::memmove(to, from, (size_t)w * 4);
    }
    moved = 1;
  }
  return moved;
}

void ScrollWindowBuffer(int window, int x1, int y1, int x2, int y2, int dx, int dy) {
  if (!dx && !dy) return;
  WindowBuffer b;
  if (!LockWindowBuffer(window, &b)) return;
  UnlockWindowBuffer(&b, WindowBufferScroll(&b, x1, y1, x2, y2, dx, dy));
}
