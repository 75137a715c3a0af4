// The event sound is requested by a message posted to the main window, so that playing it never
// delays the simulation step.
#include <windows.h>
#include "app/frame_win32.h"
#include "core/msgbox.h"
#include "trains/event_display.h"

void PostEventSound(int n) {
  WrapWindow main = MessageMainWindow();
  if (main) WrapPostMessage(main, WM_QUIL_SOUND, (WrapWParam)n, 2);
}
