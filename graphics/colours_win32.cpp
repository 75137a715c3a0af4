// The system colours behind the colour numbers 249..252.
#include <windows.h>
#include "core/platform_ui.h"
#include "graphics/colours.h"

uint32_t SystemColour(int which) {
  static const int kIndex[4] = {COLOR_HIGHLIGHTTEXT, COLOR_HIGHLIGHT, COLOR_MENUTEXT, COLOR_MENU};
  return (which >= 0 && which < 4) ? WrapGetSysColor(kIndex[which]) : 0;
}
