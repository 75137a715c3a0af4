// The platform side of painting the edit windows (Win32): update regions, WM_PAINT, and the
// cleared client areas.
#include <windows.h>
#include "app/editwnd.h"
#include "app/entry.h"
#include "core/platform_ui.h"
#include "graphics/colours.h"
#include "trains/clock_texts.h"
#include "views/view_draw.h"
#include "views/view_services.h"

static WrapWindow WindowOf(int window) {
  const EditViewSlot* s = GetEditSlot(window);
  return s ? s->window : nullptr;
}

void InvalidateEditWindowRect(int window, int x1, int y1, int x2, int y2) {
  WrapWindow w = WindowOf(window);
  if (!w) return;
  WrapRect r = {x1, y1, x2 + 1, y2 + 1};
  WrapInvalidateRect(w, &r, 0);
}

void ValidateEditWindowRect(int window, int x1, int y1, int x2, int y2) {
  WrapWindow w = WindowOf(window);
  if (!w) return;
  WrapRect r = {x1, y1, x2 + 1, y2 + 1};
  WrapValidateRect(w, &r);
}

void UpdateEditWindow(int window) {
  if (WrapWindow w = WindowOf(window)) WrapUpdateWindow(w);
}

void InvalidateStatusWindow() {
  if (!Entry.mainWindow) return;
  WrapInvalidateRect(Entry.mainWindow, nullptr, 0);
  WrapUpdateWindow(Entry.mainWindow);
}

void PaintEditWindow(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window) return;
  PAINTSTRUCT ps;
  if (!WrapBeginPaint(s->window, &ps)) return;
  const RECT& r = ps.rcPaint;
  if (r.right > r.left && r.bottom > r.top)
    PaintWindowRect(GetDrawingDC(window), window, r.left, r.top, r.right - 1, r.bottom - 1);
  WrapEndPaint(s->window, &ps);
  if (s->showState == 3) DrawMaximisedClockTexts();
}

void ClearEditWindows() {
  uint32_t colour = GetColour(131) & 0xFFFFFF;
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot* s = &EditViews.slot[i];
    if (!s->window) continue;
    WrapDC dc = WrapGetDC(s->window);
    if (!dc) continue;
    WrapRect r;
    WrapGetClientRect(s->window, &r);
    FillRectColour(dc, r.left, r.top, r.right - 1, r.bottom - 1, colour);
    WrapReleaseDC(s->window, dc);
  }
}
