// The narrow text of a status-pane tooltip.
#include "app/tooltip.h"
#include "core/misc.h"
#include "core/platform.h"

void TooltipNarrowText(const char16_t* text, char* out) {
  char converted[4 * TOOLTIP_NARROW_BYTES];
  int length = text ? StringLength(text) : 0;
  int bytes = length < TOOLTIP_NARROW_BYTES
                  ? WideToMultiByte(text, converted, (int)sizeof converted)
                  : (int)sizeof converted;
  if (bytes > TOOLTIP_NARROW_BYTES) {  // bytes counts the terminator
    CopyStringA(out, "?L");
    return;
  }
  for (int i = 0; i < bytes; i++) out[i] = converted[i];
  if (bytes < 1) out[0] = 0;
}
