// The cursor field in the native build: there is no status window to draw into; the last
// drawing is kept for the tests.
#include "core/misc.h"
#include "views/view_services.h"

CursorFieldDrawing CursorFieldDrawn = {};

void DrawCursorFieldText(void* dc, int left, int top, int width, int height,
                         const char16_t* text, uint32_t colour, uint32_t background) {
  CursorFieldDrawing& d = CursorFieldDrawn;
  d.count++;
  d.x = left, d.y = top, d.width = width, d.height = height;
  d.colour = colour, d.background = background;
  CopyStringLimited(d.text, text, 32);
}
