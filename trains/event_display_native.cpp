// The event display's platform side in the native build: there is no main window to play the
// sound and no status window to draw into; the indicator's last drawing is kept for the tests.
#include "core/misc.h"
#include "trains/event_display.h"

EventIndicatorDrawing EventIndicatorDrawn = {};

void PostEventSound(int n) {}

void DrawEventIndicatorGlyphs(void* dc, int x, int y, const char16_t* glyphs, uint32_t colour,
                              uint32_t background) {
  EventIndicatorDrawn.count++;
  EventIndicatorDrawn.x = x;
  EventIndicatorDrawn.y = y;
  EventIndicatorDrawn.colour = colour;
  CopyStringLimited(EventIndicatorDrawn.glyphs, glyphs, 4);
}
