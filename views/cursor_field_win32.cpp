// The status window's cursor field drawn into its device context.
#include "graphics/fonts.h"
#include "views/surface.h"
#include "views/view_services.h"

void DrawCursorFieldText(void* dc, int left, int top, int width, int height,
                         const char16_t* text, uint32_t colour, uint32_t background) {
  int count = 0;
  while (text[count]) count++;
  SurfaceFillRect(dc, left, top, left + width, top + height, background);
  SurfaceTextClipped(dc, GetDisplayFont2(), left, top, left + width, top + height, text, count,
                     colour);
}
