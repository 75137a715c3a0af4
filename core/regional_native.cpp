// Native build: the regional settings are fixed (pattern "dd.mm.yyyy", 24-hour clock, ":" and
// leading zeros), as no platform profile or locale is asked.
#include "core/regional.h"

void ReadShortDatePattern(char16_t* out) { ReadShortDatePatternDefault(out); }

void ReadTimeFormatSettings(TimeFormatSettings* s) {
  *s = TimeFormatSettings{};
  s->hours24 = 1;
  s->separator[0] = u':';
  s->leadingZero = 1;
}
