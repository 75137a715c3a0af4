// Win32 parts of the lower layers' hooks: the main window, and an edit window's scroll bars that
// follow its cursor when the document sets it (a new network, the general section of a file).
#include <windows.h>
#include "app/layer_hooks.h"
#include "app/dialog_ctl.h"
#include "app/editwnd.h"
#include "core/platform_ui.h"

void* LayerMainWindow() { return DialogMainWindow(); }

void LayerScrollBarsToCursor(int slot) {
  const EditViewSlot* s = GetEditSlot(slot);
  if (!s || !s->window) return;
  WrapSetScrollPos((WrapWindow)s->window, SB_HORZ, s->cursorX, 1);
  WrapSetScrollPos((WrapWindow)s->window, SB_VERT, s->cursorY, 1);
}
