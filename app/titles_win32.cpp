// Title targets of the Win32 build: the main, clock and edit windows.
#include "app/frame_win32.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/titles.h"

int TitleWindowExists(int kind) {
  if (kind == TITLE_MAIN) return Entry.mainWindow != nullptr;
  if (kind == TITLE_CLOCK) return ClockWindowHandle() != nullptr;
  return 0;
}

void ApplyWindowTitle(int kind, int slot, const char16_t* text) {
  HWND w = nullptr;
  if (kind == TITLE_MAIN)
    w = (HWND)Entry.mainWindow;
  else if (kind == TITLE_CLOCK)
    w = ClockWindowHandle();
  else if (kind == TITLE_EDIT && IsEditSlot(slot))
    w = (HWND)EditViews.slot[slot].window;
  if (w) WrapSetWindowText(w, text);
}
