// The system colours behind the colour numbers 249..252 in the native build: the usual defaults.
#include "graphics/colours.h"

uint32_t SystemColour(int which) {
  static const uint32_t kColours[4] = {0xFFFFFF, 0xD77800, 0x000000, 0xF0F0F0};
  return (which >= 0 && which < 4) ? kColours[which] : 0;
}
