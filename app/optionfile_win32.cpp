// Win32 build: the window places of the option file. Places are kept in work-area coordinates
// (those of the windows' normal positions); the file holds them with the work area's origin added.
#include "app/optionfile.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/frame_win32.h"

void GetWorkAreaOrigin(int32_t* x, int32_t* y) {
  int32_t w, h;
  GetWorkArea(x, y, &w, &h);
}
void SetNativeWorkAreaOrigin(int32_t, int32_t) {}

void GetMainWindowPlace(SettingsWindowPlace* place) {
  *place = {0, 0, 0, 0, (int32_t)EditViews.statusLayoutWide};
  HWND main = (HWND)Entry.mainWindow;
  WINDOWPLACEMENT wp = {sizeof wp};
  if (!main || !GetWindowPlacement(main, &wp)) return;
  place->x = wp.rcNormalPosition.left;
  place->y = wp.rcNormalPosition.top;
  place->width = wp.rcNormalPosition.right - wp.rcNormalPosition.left;
  place->height = wp.rcNormalPosition.bottom - wp.rcNormalPosition.top;
}

// Moves the main window: width 800 (with the wide layout the work-area width, at least 800),
// height caption + two frames + 80; then the status window is arranged at that height.
void SetMainWindowPlace(const SettingsWindowPlace* place) {
  EditViews.statusLayoutWide = place->shown ? 1 : 0;
  HWND main = (HWND)Entry.mainWindow;
  if (!main) return;
  int32_t wl, wt, ww, wh;
  GetWorkArea(&wl, &wt, &ww, &wh);
  int width = place->shown && ww > 800 ? ww : 800;
  int height = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 80;
  MoveWindow(main, place->x + wl, place->y + wt, width, height, FALSE);
  ArrangeStatusWindow(1, 0);
}

void GetClockWindowPlace(SettingsWindowPlace* place) {
  int state = ClockWindow(0, &place->x, &place->y, &place->width, &place->height);
  place->shown = state == 3;
}

void SetClockWindowPlace(const SettingsWindowPlace* place) {
  int32_t x = place->x, y = place->y, w = place->width, h = place->height;
  ClockWindow(5, &x, &y, &w, &h);
  if (place->shown) ClockWindow(3, nullptr, nullptr, nullptr, nullptr);
}
