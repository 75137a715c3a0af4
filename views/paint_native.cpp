// The platform side of painting the edit windows in the native build: each window keeps one
// invalid rectangle (the union of what was invalidated), painted when the window is updated, as
// a window's update region is on the screen.
#include "app/editwnd.h"
#include "views/view_draw.h"
#include "views/view_services.h"

struct NativeInvalid {
  int any;
  int x1, y1, x2, y2;
  void* window;  // the window the rectangle belongs to (a new window has none)
};
static NativeInvalid Invalid[EDIT_SLOTS];
int NativeStatusInvalidations = 0;

// The slot's rectangle, forgotten when another window took the slot.
static NativeInvalid* InvalidOf(int window) {
  if (!IsEditSlot(window)) return nullptr;
  NativeInvalid* r = &Invalid[window];
  if (r->window != EditViews.slot[window].window) r->any = 0;
  r->window = EditViews.slot[window].window;
  return r;
}

void InvalidateEditWindowRect(int window, int x1, int y1, int x2, int y2) {
  NativeInvalid* p = InvalidOf(window);
  if (!p) return;
  NativeInvalid& r = *p;
  if (!r.any) {
    r = {1, x1, y1, x2, y2, r.window};
    return;
  }
  if (x1 < r.x1) r.x1 = x1;
  if (y1 < r.y1) r.y1 = y1;
  if (x2 > r.x2) r.x2 = x2;
  if (y2 > r.y2) r.y2 = y2;
}

void ValidateEditWindowRect(int window, int x1, int y1, int x2, int y2) {
  NativeInvalid* p = InvalidOf(window);
  if (!p) return;
  NativeInvalid& r = *p;
  if (r.any && x1 <= r.x1 && y1 <= r.y1 && x2 >= r.x2 && y2 >= r.y2) r.any = 0;
}

void UpdateEditWindow(int window) {
  NativeInvalid* r = InvalidOf(window);
  if (r && r->any) PaintEditWindow(window);
}

void InvalidateStatusWindow() { NativeStatusInvalidations++; }

void PaintEditWindow(int window) {
  NativeInvalid* p = InvalidOf(window);
  if (!p) return;
  NativeInvalid r = *p;
  p->any = 0;
  EditViewSlot* s = GetEditSlot(window);
  if (!s->window) return;
  if (!r.any) return;  // nothing to paint, as WM_PAINT without an update region
  if (r.x1 < 0) r.x1 = 0;
  if (r.y1 < 0) r.y1 = 0;
  PaintWindowRect(GetDrawingDC(window), window, r.x1, r.y1, r.x2, r.y2);
}

void ClearEditWindows() {}
