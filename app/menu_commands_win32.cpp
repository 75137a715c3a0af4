// The frame's own menu commands: the network-file commands and quitting, the recent files, the
// window commands, zoom and view modes, the clock window, activation by number and the day-phase
// times. The command dispatcher hands these ids here.
#include "app/frame_win32.h"
#include "../resources/menus.h"
#include "app/daytime_entry.h"
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"
#include "app/netcmd.h"
#include "app/recent.h"

int HandleFrameCommand(int id) {
  int a = EditViews.active;
  EditViewSlot* s = GetEditSlot(a);
  if (id >= CMD_VIEW_FIRST && id <= CMD_VIEW_LAST) {
    uint32_t mode;
    int32_t zoom;
    if (s && s->window && !ViewModeForMenuId(id, &mode, &zoom))
      SetViewModeAndZoom(a, (int)mode, zoom);
    return 1;
  }
  if (id >= CMD_RECENT_FIRST && id <= CMD_RECENT_LAST) {
    char16_t path[RECENT_CHARS];
    if (GetRecentFile(path, id) == 0) OpenNetworkCommand(path);
    return 1;
  }
  if (id >= CMD_ACTIVATE_WINDOW_1 && id <= CMD_ACTIVATE_WINDOW_6) {
    ActivateEditWindow(id - CMD_ACTIVATE_WINDOW_1);
    return 1;
  }
  switch (id) {
    case CMD_NEW_NETWORK: NewNetwork(); return 1;
    case CMD_OPEN: OpenNetworkCommand(nullptr); return 1;
    case CMD_IMPORT_DRAWING_SCRIPT:
      if (FileCommands.importDrawingScript) ImportNetworkCommand();
      return 1;
#ifndef QUIL_VIEWER
    case CMD_SAVE: SaveNetworkWithBackups(); return 1;
    case CMD_SAVE_AS: SaveNetworkAsCommand(); return 1;
    case CMD_PASSWORD: NetworkPasswordCommand(); return 1;
#endif
    case CMD_QUIT:
      // The main window's close path asks the save question and shuts down.
      if (Entry.mainWindow) FrameSend((HWND)Entry.mainWindow, WM_CLOSE, 0, 0);
      return 1;
    case CMD_ZOOM_IN:
      if (s && s->window) ZoomIn(a);
      return 1;
    case CMD_ZOOM_OUT:
      if (s && s->window) ZoomOut(a);
      return 1;
    case CMD_DISPLAY_SWITCH_ON: ToggleWindowDisplayFlag(); return 1;
    case CMD_SHOW_SCROLL_BARS:
      if (s && s->window) {
        s->scrollBarFlag = !s->scrollBarFlag;
        ShowScrollBar((HWND)s->window, SB_BOTH, s->scrollBarFlag ? TRUE : FALSE);
      }
      return 1;
    case CMD_NEW_WINDOW: CreateEditWindow(0); return 1;
    case CMD_CLOSE_WINDOW:
      if (s && s->window) FrameSend((HWND)s->window, WM_CLOSE, 0, 0);
      return 1;
    case CMD_NEXT_WINDOW: ActivateEditWindow(-2); return 1;
    case CMD_PREVIOUS_WINDOW: ActivateEditWindow(-3); return 1;
    case CMD_ARRANGE: ArrangeStatusWindow(0, 1); return 1;
    case CMD_STATUS_LAYOUT:
      EditViews.statusLayoutWide = !EditViews.statusLayoutWide;
      ArrangeStatusWindow(1, 1);
      return 1;
    case CMD_CLOCK: ClockWindow(4, nullptr, nullptr, nullptr, nullptr); return 1;
    case CMD_TIMES_OF_DAY: EditDayPhaseTimes(); return 1;
    case CMD_ACTIVATE_STATUS: ActivateEditWindow(-1); return 1;
  }
  return 0;
}
