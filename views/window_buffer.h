// The edit windows' 32-bit drawing buffers as the user-interface thread writes them, the shared
// drawing device context, and the cell-drawing objects (cell bitmaps and their memory device
// contexts) that the previews and glyph drawing use.
//
// A drawing buffer belongs to its edit-window slot (app/editwnd.h: drawBuffer, pixelWidth,
// pixelHeight, lockB, dirty). Every write goes through LockWindowBuffer / UnlockWindowBuffer, so
// it sees the buffer and the size that belong together (a resize swaps both under lock B) and the
// render thread never copies half a write.
#pragma once
#include <cstdint>

struct LockRecord;

// One window's drawing buffer while its buffer lock is held.
struct WindowBuffer {
  uint32_t* pixels;  // width x height words, rows bottom-up: client pixel (x, y), y from the top,
                     // is pixels[(height - 1 - y) * width + x]; byte order of a 32-bit DIB
  int32_t width, height;     // the client area in pixels
  LockRecord* lock;          // the window's buffer lock (lock B), held while the record is open
  volatile uint32_t* dirty;  // the window's dirty flag: set when a write changed pixels
  int32_t window;            // slot 0..5
};

// Enters the buffer lock of window 0..5 and fills the record: 1 when the window has a buffer to
// write (the lock is then held), else 0 (nothing held; bad index, no window, no buffer or lock).
int LockWindowBuffer(int window, WindowBuffer* b);
// Leaves the lock; wrote non-zero sets the window's dirty flag first.
void UnlockWindowBuffer(WindowBuffer* b, int wrote);

// The writes themselves on an open record (clipped to the client area; they return the number
// of pixels written). The window-index forms in views/view_services.h lock, call these, unlock.
int WindowBufferFillRect(WindowBuffer* b, int x1, int y1, int x2, int y2, uint32_t pixel);
int WindowBufferCopy(WindowBuffer* b, int x, int y, int w, int h, const uint32_t* source,
                     int sourceColumn, int sourceRow, int sourceWidth, int sourceHeight);
int WindowBufferCopyScaled(WindowBuffer* b, int factor, int x, int y, int w, int h,
                           const uint32_t* source, int sourceColumn, int sourceRow, int sourceWidth,
                           int sourceHeight);

// Shifts the pixels of the rectangle (clipped) by dx columns, then dy rows, inside it; the strip
// left behind keeps its pixels. 1 when anything moved.
int WindowBufferScroll(WindowBuffer* b, int x1, int y1, int x2, int y2, int dx, int dy);

// The cell-drawing objects (platform handles; null until made). dc1 holds bitmap1 (32 x 16),
// dc2 bitmap2 (64 x 32), monoDC the 8 x 16 one-bit glyph bitmap; the old* members are the
// bitmaps the new device contexts came with, put back before deletion.
struct CellDrawingObjects {
  void* bitmap1;
  void* bitmap2;
  void* monoBitmap;
  void* dc1;
  void* dc2;
  void* monoDC;
  void* old1;
  void* old2;
  void* oldMono;
};
extern CellDrawingObjects CellDrawing;
