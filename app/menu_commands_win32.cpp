// The frame's window commands: quitting, the edit windows (new, close, next, previous, activation
// by number), zoom and view modes, display flag and scroll bars, the status-window layout and the
// clock window. The command table hands these ids here; every other id reaches its own action
// there (app/commands.cpp).
#include "app/frame_win32.h"
#include "../resources/menus.h"
#include "app/commands.h"
#include "app/menu_tables.h"
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"

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
  if (id >= CMD_ACTIVATE_WINDOW_1 && id <= CMD_ACTIVATE_WINDOW_6) {
    ActivateEditWindow(id - CMD_ACTIVATE_WINDOW_1);
    return 1;
  }
  switch (id) {
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
    case CMD_ACTIVATE_STATUS: ActivateEditWindow(-1); return 1;
  }
  return 0;
}

// WM_INITMENU of an edit window: the toggled captions and the greying of that window's menu.
void UpdateMenuState(HWND window) {
  int slot = FindEditWindow(window);
  if (slot < 0) return;
  int n;
  const MenuCommandCaption* t = GetMenuToggleCaptions(&n);
  int clockOpen = ClockWindowHandle() != nullptr;
  for (int i = 0; i < n; i++)
    SetMenuItemText(slot, t[i].position, t[i].commandId,
                    ToggledCaption(t[i].commandId, slot, clockOpen));
  const CommandRow* rows = GetCommandRows(&n);
  for (int i = 0; i < n; i++) {
    if (rows[i].first >= 496) continue;  // context-menu items and window activation
    for (int id = rows[i].first; id <= rows[i].last; id++)
      EnableMenuCommand(id, slot, IsCommandEnabled(id, slot));
  }
}
