// The frame's own menu commands: the network-file commands and quitting, the recent files, the
// window commands, zoom and view modes, the clock window, activation by number and the day-phase
// times. The command dispatcher hands these ids here.
#include "app/frame_win32.h"
#include "app/daytime_entry.h"
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"
#include "app/netcmd.h"
#include "app/recent.h"

int HandleFrameCommand(int id) {
  int a = EditViews.active;
  EditViewSlot* s = GetEditSlot(a);
  if (id >= 344 && id <= 359) {
    uint32_t mode;
    int32_t zoom;
    if (s && s->window && !ViewModeForMenuId(id, &mode, &zoom))
      SetViewModeAndZoom(a, (int)mode, zoom);
    return 1;
  }
  if (id >= 272 && id <= 303) {
    char16_t path[RECENT_CHARS];
    if (GetRecentFile(path, id) == 0) OpenNetworkCommand(path);
    return 1;
  }
  if (id >= 513 && id <= 518) {
    ActivateEditWindow(id - 513);
    return 1;
  }
  switch (id) {
    case 256: NewNetwork(); return 1;
    case 257: OpenNetworkCommand(nullptr); return 1;
    case 260:
      if (FileCommands.importDrawingScript) ImportNetworkCommand();
      return 1;
#ifndef QUIL_VIEWER
    case 258: SaveNetworkWithBackups(); return 1;
    case 259: SaveNetworkAsCommand(); return 1;
    case 265: NetworkPasswordCommand(); return 1;
#endif
    case 266:
      // The main window's close path asks the save question and shuts down.
      if (Entry.mainWindow) FrameSend((HWND)Entry.mainWindow, WM_CLOSE, 0, 0);
      return 1;
    case 336:
      if (s && s->window) ZoomIn(a);
      return 1;
    case 337:
      if (s && s->window) ZoomOut(a);
      return 1;
    case 338: ToggleWindowDisplayFlag(); return 1;
    case 339:
      if (s && s->window) {
        s->scrollBarFlag = !s->scrollBarFlag;
        ShowScrollBar((HWND)s->window, SB_BOTH, s->scrollBarFlag ? TRUE : FALSE);
      }
      return 1;
    case 400: CreateEditWindow(0); return 1;
    case 401:
      if (s && s->window) FrameSend((HWND)s->window, WM_CLOSE, 0, 0);
      return 1;
    case 402: ActivateEditWindow(-2); return 1;
    case 403: ActivateEditWindow(-3); return 1;
    case 404: ArrangeStatusWindow(0, 1); return 1;
    case 405:
      EditViews.statusLayoutWide = !EditViews.statusLayoutWide;
      ArrangeStatusWindow(1, 1);
      return 1;
    case 406: ClockWindow(4, nullptr, nullptr, nullptr, nullptr); return 1;
    case 433: EditDayPhaseTimes(); return 1;
    case 512: ActivateEditWindow(-1); return 1;
  }
  return 0;
}
