// Win32 build, menus group: loading, changing and showing menus and the accelerator table; item
// texts are converted only for string items in ANSI mode.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

static int IsStringItem(uint32_t flags) {
  return (flags & (MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR)) == 0;
}

WrapMenu WrapLoadMenu(WrapInstance instance, uint32_t menuId) {
  if (UnicodeFlag) return LoadMenuW((HINSTANCE)instance, MAKEINTRESOURCEW(menuId));
  return LoadMenuA((HINSTANCE)instance, MAKEINTRESOURCEA(menuId));
}

int WrapDestroyMenu(WrapMenu menu) { return DestroyMenu((HMENU)menu); }
int WrapRemoveMenu(WrapMenu menu, uint32_t position, uint32_t flags) {
  return RemoveMenu((HMENU)menu, position, flags);
}
WrapMenu WrapGetMenu(WrapWindow window) { return GetMenu((HWND)window); }
WrapMenu WrapGetSubMenu(WrapMenu menu, int position) { return GetSubMenu((HMENU)menu, position); }

int WrapModifyMenu(WrapMenu menu, uint32_t position, uint32_t flags, uintptr_t newId,
                   const char16_t* newItem) {
  if (UnicodeFlag) return ModifyMenuW((HMENU)menu, position, flags, newId, WTEXT(newItem));
  if (!IsStringItem(flags) || (uintptr_t)newItem < 0x10000)
    return ModifyMenuA((HMENU)menu, position, flags, newId, (LPCSTR)newItem);
  char a[WRAP_ANSI_BUF];
  if (WrapAnsiArg(newItem, a) < 0) return 0;
  return ModifyMenuA((HMENU)menu, position, flags, newId, a);
}

int WrapAppendMenu(WrapMenu menu, uint32_t flags, uintptr_t newId, const char16_t* newItem) {
  if (UnicodeFlag) return AppendMenuW((HMENU)menu, flags, newId, WTEXT(newItem));
  if (!IsStringItem(flags) || (uintptr_t)newItem < 0x10000)
    return AppendMenuA((HMENU)menu, flags, newId, (LPCSTR)newItem);
  char a[WRAP_ANSI_BUF];
  if (WrapAnsiArg(newItem, a) < 0) return 0;
  return AppendMenuA((HMENU)menu, flags, newId, a);
}

int WrapSetMenuItemInfo(WrapMenu menu, uint32_t item, int byPosition, const void* menuItemInfo) {
  const MENUITEMINFOW* w = (const MENUITEMINFOW*)menuItemInfo;
  if (UnicodeFlag) return SetMenuItemInfoW((HMENU)menu, item, byPosition, w);
  MENUITEMINFOA a;
  static_assert(sizeof a == sizeof *w, "same layout but the text type");
  CopyMemory(&a, w, sizeof a);
  a.cbSize = sizeof a;
  char text[WRAP_ANSI_BUF];
  int hasText = (w->fMask & (MIIM_TYPE | MIIM_STRING)) && IsStringItem(w->fType) && w->dwTypeData;
  if (hasText) {
    if (WrapAnsiArg((const char16_t*)w->dwTypeData, text) < 0) return 0;
    a.dwTypeData = text;
    a.cch = (UINT)lstrlenA(text);
  }
  return SetMenuItemInfoA((HMENU)menu, item, byPosition, &a);
}

uint32_t WrapCheckMenuItem(WrapMenu menu, uint32_t item, uint32_t check) {
  return CheckMenuItem((HMENU)menu, item, check);
}
int WrapEnableMenuItem(WrapMenu menu, uint32_t item, uint32_t enable) {
  return EnableMenuItem((HMENU)menu, item, enable);
}
int WrapTrackPopupMenuEx(WrapMenu menu, uint32_t flags, int x, int y, WrapWindow window,
                         void* params) {
  return TrackPopupMenuEx((HMENU)menu, flags, x, y, (HWND)window, (LPTPMPARAMS)params);
}
int WrapDrawMenuBar(WrapWindow window) { return DrawMenuBar((HWND)window); }

WrapAccel WrapLoadAccelerators(WrapInstance instance, const char16_t* name) {
  if (UnicodeFlag) return LoadAcceleratorsW((HINSTANCE)instance, WTEXT(name));
  char a[WRAP_ANSI_BUF];
  LPCSTR n;
  if (AnsiName(name, a, &n) < 0) return nullptr;
  return LoadAcceleratorsA((HINSTANCE)instance, n);
}
