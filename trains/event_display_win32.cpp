// The event display's platform side: the sound is requested by a message posted to the main
// window, so that playing it never delays the simulation step; the indicator's glyphs are drawn
// into the status window.
#include <windows.h>
#include "app/frame_win32.h"
#include "core/msgbox.h"
#include "trains/event_display.h"
#include "views/view_services.h"

void PostEventSound(int n) {
  WrapWindow main = MessageMainWindow();
  if (main) WrapPostMessage(main, WM_QUIL_SOUND, (WrapWParam)n, 2);
}

void DrawEventIndicatorGlyphs(void* dc, int x, int y, const char16_t* glyphs, uint32_t colour,
                              uint32_t background) {
  DrawSymbolText(dc, x, y, glyphs, colour, colour, background, 3);
}
