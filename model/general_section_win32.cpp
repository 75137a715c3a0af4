// Win32 build: an edit window's scroll bars follow its cursor when the document state sets it
// (a new network, the general section of a loaded file).
#include <windows.h>
#include "model/general_section.h"
#include "app/editwnd.h"
#include "core/platform_ui.h"

void SetEditScrollToCursor(int slot) {
  const EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->window) return;
  WrapSetScrollPos((WrapWindow)s->window, SB_HORZ, s->cursorX, 1);
  WrapSetScrollPos((WrapWindow)s->window, SB_VERT, s->cursorY, 1);
}
