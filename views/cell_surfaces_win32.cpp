// The cell-drawing objects on the shared drawing device context (Win32): a compatible bitmap of
// 32 x 16 and one of 64 x 32, a one-bit 8 x 16 bitmap, and a memory device context holding each.
#include <windows.h>
#include "views/view_services.h"
#include "views/window_buffer.h"

// Makes a memory device context for a bitmap: 1 when it cannot be made.
static int MakeHolder(HDC drawing, void* bitmap, void** dc, void** old, int cellText) {
  if (*dc) return 0;
  HDC m = CreateCompatibleDC(drawing);
  if (!m) return 1;
  *old = SelectObject(m, (HBITMAP)bitmap);
  if (cellText) {
    SetBkMode(m, TRANSPARENT);
    SetTextAlign(m, TA_CENTER);  // 6: centred, top
  }
  *dc = m;
  return 0;
}

int CreateCellDrawingDCs() {
  HDC drawing = (HDC)GetDrawingDC(-1);
  if (!drawing) return 1;
  CellDrawingObjects* o = &CellDrawing;
  if (!o->bitmap1) o->bitmap1 = CreateCompatibleBitmap(drawing, 32, 16);
  if (!o->bitmap1) return 1;
  if (!o->bitmap2) o->bitmap2 = CreateCompatibleBitmap(drawing, 64, 32);
  if (!o->bitmap2) return 1;
  if (!o->monoBitmap) o->monoBitmap = CreateBitmap(8, 16, 1, 1, nullptr);
  if (!o->monoBitmap) return 1;
  if (MakeHolder(drawing, o->bitmap1, &o->dc1, &o->old1, 1)) return 1;
  if (MakeHolder(drawing, o->bitmap2, &o->dc2, &o->old2, 1)) return 1;
  if (MakeHolder(drawing, o->monoBitmap, &o->monoDC, &o->oldMono, 0)) return 1;
  return 0;
}

void DeleteCellDrawingDCs() {
  CellDrawingObjects* o = &CellDrawing;
  void** dcs[3] = {&o->dc1, &o->dc2, &o->monoDC};
  void** olds[3] = {&o->old1, &o->old2, &o->oldMono};
  for (int i = 0; i < 3; i++) {
    if (!*dcs[i]) continue;
    if (*olds[i]) SelectObject((HDC)*dcs[i], (HGDIOBJ)*olds[i]);
    DeleteDC((HDC)*dcs[i]);
    *dcs[i] = *olds[i] = nullptr;
  }
  void** bitmaps[3] = {&o->bitmap1, &o->bitmap2, &o->monoBitmap};
  for (void** b : bitmaps) {
    if (*b) DeleteObject((HGDIOBJ)*b);
    *b = nullptr;
  }
}
