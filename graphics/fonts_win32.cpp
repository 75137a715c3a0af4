// Win32 build: the fonts as GDI fonts (escapement, orientation, underline, strike-out, precisions
// and quality 0), the point size from the main window's vertical resolution.
#include <windows.h>
#include "core/msgbox.h"
#include "core/platform_ui.h"
#include "graphics/fonts.h"
#include "graphics/fonts_platform.h"

void* FontPlatformCreate(const FontSetting* s, int scale) {
  return WrapCreateFont(s->height * scale, s->width * scale, 0, 0, s->weight, s->italic, 0, 0,
                        s->charSet, 0, 0, 0, s->pitchAndFamily, s->face);
}

void FontPlatformDelete(void* handle) { WrapDeleteObject(handle); }

int32_t FontPlatformPointHeight(int points) {
  WrapWindow window = MessageMainWindow();
  WrapDC dc = WrapGetDC(window);
  int dpi = dc ? WrapGetDeviceCaps(dc, LOGPIXELSY) : 96;
  if (dc) WrapReleaseDC(window, dc);
  if (dpi <= 0) dpi = 96;
  return -WrapMulDiv(points, dpi, 72);
}
