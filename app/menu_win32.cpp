// Menus of the edit windows (Win32): captions from language texts, greying and checks by command,
// the recent-file items, the menu-open value and the help id of an open popup.
#include "app/frame_win32.h"
#include "app/editwnd.h"
#include "app/help.h"
#include "app/menu_tables.h"
#include "app/recent.h"
#include "core/langtext.h"
#include "../resources/menus.h"
#include "core/platform_ui.h"

HMENU OpenContextMenu = nullptr;

static HWND SlotWindow(int slot) {
  const EditViewSlot* s = GetEditSlot(slot);
  return s ? (HWND)s->window : nullptr;
}

static void SetItemText(HMENU menu, UINT item, BOOL byPosition, const char16_t* text) {
  MENUITEMINFOW mi = {};
  mi.cbSize = sizeof mi;
  mi.fMask = MIIM_STRING;
  mi.dwTypeData = const_cast<wchar_t*>(reinterpret_cast<const wchar_t*>(text));
  WrapSetMenuItemInfo(menu, item, byPosition, &mi);
}

static HMENU SubmenuAt(HMENU bar, uint16_t position) {
  int sub = position >> 8, item = position & 0xFF;
  HMENU m = bar;
  if (sub) m = GetSubMenu(bar, sub - 1);
  if (m && sub && item) m = GetSubMenu(m, item - 1);
  return m;
}

static void SetOne(HWND w, uint16_t position, int commandId, uint32_t textId) {
  HMENU bar = GetMenu(w);
  if (!bar) return;
  HMENU m = SubmenuAt(bar, position);
  if (!m) return;
  SetItemText(m, (UINT)commandId, FALSE, GetLangText(textId & ~MENU_TEXT_NO_REDRAW));
  if (!(textId & MENU_TEXT_NO_REDRAW)) DrawMenuBar(w);
}

void SetMenuItemText(int slot, uint16_t position, int commandId, uint32_t textId) {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    if (slot != -2 && slot != i) continue;
    HWND w = SlotWindow(i);
    if (w) SetOne(w, position, commandId, textId);
  }
}

void SetMenuBarTexts(int slot) {
  HWND w = SlotWindow(slot);
  if (!w) return;
  HMENU bar = GetMenu(w);
  int n;
  const MenuPopupCaption* p = GetMenuPopupCaptions(&n);
  for (int i = 0; i < n; i++) {
    int sub = p[i].position >> 8, item = p[i].position & 0xFF;
    HMENU parent = sub ? GetSubMenu(bar, sub - 1) : bar;
    if (parent) SetItemText(parent, (UINT)(item - 1), TRUE, GetLangText(p[i].textId));
  }
}

void SetEditMenuTexts(int slot) {
  HWND w = SlotWindow(slot);
  if (!w) return;
  SetMenuBarTexts(slot);
  int n;
  const MenuCommandCaption* t = GetMenuToggleCaptions(&n);
  for (int i = 0; i < n; i++) SetOne(w, t[i].position, t[i].commandId, t[i].textId);
  const MenuCommandCaption* c = GetMenuCommandCaptions(&n);
  for (int i = 0; i < n; i++) SetOne(w, c[i].position, c[i].commandId, c[i].textId);
#ifdef QUIL_VIEWER
  // The viewer saves nothing: no save, save-as or password command in its menus (removed after
  // the captions, which find their popups by position).
  const UINT saveCommands[] = {CMD_SAVE, CMD_SAVE_AS, CMD_PASSWORD};
  for (UINT id : saveCommands) WrapRemoveMenu(GetMenu(w), id, MF_BYCOMMAND);
#endif
}

void EnableMenuCommand(int id, int slot, int enabled) {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    if (slot != -1 && slot != i) continue;
    HWND w = SlotWindow(i);
    if (w && GetMenu(w))
      EnableMenuItem(GetMenu(w), (UINT)id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void CheckMenuCommand(int id, int slot, int checked) {
  if (id < 0) return;
  for (int i = 0; i < EDIT_SLOTS; i++) {
    if (slot != -1 && slot != i) continue;
    HWND w = SlotWindow(i);
    if (w && GetMenu(w))
      CheckMenuItem(GetMenu(w), (UINT)id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
  }
}

void RebuildRecentFileMenus(int slot) {
  for (int i = 0; i < EDIT_SLOTS; i++) {
    if (slot != -1 && slot != i) continue;
    HWND w = SlotWindow(i);
    HMENU bar = w ? GetMenu(w) : nullptr;
    HMENU file = bar ? GetSubMenu(bar, 0) : nullptr;
    if (!file) continue;
    for (int id = RECENT_FIRST_ID; id <= RECENT_LAST_ID; id++)
      RemoveMenu(file, (UINT)id, MF_BYCOMMAND);
    for (int k = 0; k < RECENT_COUNT && k < RecentShownCount; k++) {
      if (!RecentFiles[k][0]) continue;
      char16_t caption[RECENT_CHARS + 8];
      FormatRecentMenuItem(k, caption, RECENT_CHARS + 8);
      WrapAppendMenu(file, MF_STRING, (UINT_PTR)(RECENT_FIRST_ID + k), caption);
    }
    DrawMenuBar(w);
  }
}

uint32_t GetMenuOpen() { return HelpMenuOpenId; }

void SetMenuOpen(uint32_t value) { HelpMenuOpenId = value; }

uint32_t MenuHelpId(HWND window, HMENU popup) {
  if (!popup) return 0;
  if (popup == OpenContextMenu) return 40030;
  HMENU bar = GetMenu(window);
  if (!bar) return 0;
  int n;
  const MenuPopupCaption* p = GetMenuPopupCaptions(&n);
  for (int i = 0; i < n; i++) {
    int sub = p[i].position >> 8, item = p[i].position & 0xFF;
    HMENU m = sub ? GetSubMenu(GetSubMenu(bar, sub - 1), item - 1) : GetSubMenu(bar, item - 1);
    if (m == popup) return p[i].helpId;
  }
  return 0;
}
