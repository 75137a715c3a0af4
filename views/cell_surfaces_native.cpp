// The cell-drawing objects of the native build: handles of our own that stand for the bitmaps and
// device contexts, made and refused like the platform's (no drawing context: none; a creation
// that fails keeps those already made).
#include "views/cell_surfaces_native.h"
#include "views/view_services.h"
#include "views/window_buffer.h"

int CellSurfaceFailAt = -1;
static int CreationCount = 0;
static unsigned char Handles[9];

// The n-th object's handle, or null when the fault seam refuses this creation.
static void* Make(int n) {
  if (CellSurfaceFailAt >= 0 && CreationCount++ == CellSurfaceFailAt) return nullptr;
  return &Handles[n];
}

int CreateCellDrawingDCs() {
  if (!GetDrawingDC(-1)) return 1;
  CellDrawingObjects* o = &CellDrawing;
  void** order[6] = {&o->bitmap1, &o->bitmap2, &o->monoBitmap, &o->dc1, &o->dc2, &o->monoDC};
  for (int i = 0; i < 6; i++) {
    if (*order[i]) continue;
    *order[i] = Make(i);
    if (!*order[i]) return 1;
    if (i == 3) o->old1 = &Handles[6];
    if (i == 4) o->old2 = &Handles[7];
    if (i == 5) o->oldMono = &Handles[8];
  }
  return 0;
}

void DeleteCellDrawingDCs() {
  CellDrawing = CellDrawingObjects{};
  CreationCount = 0;
}
