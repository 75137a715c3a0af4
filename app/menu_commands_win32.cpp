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
#include <windowsx.h>
#include "app/dialog.h"
#include "core/langtext.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

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
    if (rows[i].first >= CMD_CONTEXT_ELEMENT_INFO)
      continue;  // context-menu items and window activation
    for (int id = rows[i].first; id <= rows[i].last; id++)
      EnableMenuCommand(id, slot, IsCommandEnabled(id, slot));
  }
}

// The context menu of an edit window (right button up, or the context-menu key with lParam -1):
// the items' texts at the cursor cell and their states; the chosen item comes as WM_COMMAND.
void ShowEditContextMenu(HWND window, LPARAM lParam) {
  int slot = IsEditSlot(EditViews.active) && EditViews.slot[EditViews.active].window
                 ? EditViews.active
                 : EditViews.lastUsed;
  EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->window || IsDialogOpen()) return;
  POINT at;
  if (lParam == -1) {
    int point[2] = {0, 0};
    CellToWindowPixel(slot, point);
    at.x = point[0];
    at.y = point[1];
    ClientToScreen((HWND)s->window, &at);
  } else {
    at.x = GET_X_LPARAM(lParam);
    at.y = GET_Y_LPARAM(lParam);
  }
  HMENU menu = (HMENU)WrapLoadMenu(ProgramInstance(), MENU_CONTEXT);
  if (!menu) return;
  HMENU popup = GetSubMenu(menu, 0);
  uint32_t flags = 0;
  int sub = 0, line = 0;
  uint16_t code = (uint16_t)GetCell(s->cursorX, s->cursorY, s->cursorLevel);
  int train =
      code >= 0xBF00 && code <= 0xBFFF &&
      GetTrainAtCell(s->cursorX, s->cursorY, s->cursorLevel, &flags, &sub, &line, code) == 0;
  int mark = GetSelectedTrainMark();
  int x1, y1, l1, x2, y2, l2;
  GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
  struct {
    int id;
    uint32_t text;
  } items[] = {
      {496, LANG_ID(1260)},
      {497, LANG_ID(1262)},
      {498, LANG_ID(1264)},
      {499, LANG_ID(1266)},
      {500, LANG_ID(1261)},
      {501, LANG_ID(1270)},
      {502, LANG_ID(1275)},
      {503, (uint32_t)(mark == 1 ? LANG_ID(1274) : LANG_ID(1272))},
      {504, (uint32_t)(mark == 2 ? LANG_ID(1274) : LANG_ID(1273))},
      {505, LANG_ID(1268)},
      {506, LANG_ID(1269)},
      {507, LANG_ID(1276)},
      {508, LANG_ID(1277)},
  };
  for (auto& it : items) {
    WrapModifyMenu(popup, (uint32_t)it.id, MF_BYCOMMAND | MF_STRING, (uintptr_t)it.id,
                   GetLangText(it.text));
    int enabled = IsCommandEnabled(it.id, slot);
    if (it.id >= 500 && it.id <= 502 && !train) enabled = 0;
    if ((it.id == 503 || it.id == 504) && !train && !mark) enabled = 0;
    if (it.id == 505 && x1 == s->cursorX && y1 == s->cursorY && l1 == s->cursorLevel) enabled = 0;
    if (it.id == 506 && x2 == s->cursorX && y2 == s->cursorY && l2 == s->cursorLevel) enabled = 0;
    EnableMenuItem(popup, (UINT)it.id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
  OpenContextMenu = popup;
  TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, window, nullptr);
  OpenContextMenu = nullptr;
  DestroyMenu(menu);
}
