// The clock window: its placement (kept inside the work area), opening, closing and toggling,
// and its window procedure.
#include "app/frame_win32.h"
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"
#include "app/help.h"
#include "app/titles.h"
#include "trains/clock_texts.h"
#include "trains/train_services.h"

static HWND Clock;
static int32_t ClockLeft = 0, ClockTop = 0, ClockWidth = 140, ClockHeight = 60;
static int ClockState = 1;  // 1 closed by the user, 3 open

HWND ClockWindowHandle() { return Clock; }

static void Query(int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
  if (left) *left = ClockLeft;
  if (top) *top = ClockTop;
  if (width) *width = ClockWidth;
  if (height) *height = ClockHeight;
}

static void Open() {
  int32_t wl, wt, ww, wh;
  GetWorkArea(&wl, &wt, &ww, &wh);
  PlaceClockWindow(wl, wt, ww, wh, &ClockLeft, &ClockTop, ClockWidth, ClockHeight);
  HWND w = FrameCreateWindow(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_WINDOWEDGE, kClockClass, L"",
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, ClockLeft,
                             ClockTop, ClockWidth, ClockHeight, (HWND)Entry.mainWindow, nullptr,
                             ProgramInstance(), nullptr);
  if (!w) return;
  Clock = w;
  ClockState = 3;
  UpdateWindowTitles(-2);
  ShowWindow(w, SW_SHOWNOACTIVATE);
}

static void Close(int keepState) {
  if (Clock) {
    HWND w = Clock;
    DestroyWindow(w);
    Clock = nullptr;
  }
  if (!keepState) ClockState = 1;
}

int ClockWindow(int operation, int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
  switch (operation) {
    case 0: Query(left, top, width, height); break;
    case 1: Close(0); break;
    case 2: Close(1); break;
    case 3:
      if (!Clock) Open();
      break;
    case 4:
      if (ClockState == 1 || !Clock)
        Open();
      else
        Close(0);
      break;
    case 5:
      if (left) ClockLeft = *left;
      if (top) ClockTop = *top;
      if (width) ClockWidth = *width == -1 ? 140 : *width;
      if (height) ClockHeight = *height == -1 ? 60 : *height;
      Query(left, top, width, height);
      break;
  }
  return ClockState;
}

static void RememberRect(HWND w) {
  RECT r;
  if (!GetWindowRect(w, &r)) return;
  int32_t l = r.left, t = r.top, wd = r.right - r.left, h = r.bottom - r.top;
  ClockWindow(5, &l, &t, &wd, &h);
}

LRESULT CALLBACK UhrWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      Clock = window;  // the clock's own context belongs to this window from now on
      ClockWindowForDrawing = window;
      [[fallthrough]];
    case WM_MOVE:
    case WM_SIZE:
      RememberRect(window);
      DrawClockWindow(nullptr);
      break;
    case WM_DESTROY:
      if (Clock == window) Clock = nullptr;
      if (ClockWindowForDrawing == window) ClockWindowForDrawing = nullptr;
      return 0;
    case WM_PAINT: {
      // The face, then the clock of the simulation drawn into the paint context.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_WINDOW));
      DrawClockWindow(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE: ClockWindow(1, nullptr, nullptr, nullptr, nullptr); return 0;
    case WM_SETCURSOR:
      if (FrameSetCursor(window, lParam)) return 1;
      break;
    case WM_MOUSEMOVE: SetCursorForWindow(window, 0); return 0;
    case WM_HELP: ShowHelpTopic(44004); return 1;
  }
  return FrameDefault(window, message, wParam, lParam);
}
