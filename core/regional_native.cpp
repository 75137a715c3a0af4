// Native build: the regional settings are fixed (pattern "dd.mm.yyyy", 24-hour clock, ":" and
// leading zeros), as no platform profile or locale is asked.
#include "core/regional.h"

void ReadShortDatePattern(char16_t *out) {
  const char16_t *p = u"dd.mm.yyyy";
  int i = 0;
  for (; p[i]; i++) out[i] = p[i];
  out[i] = 0;
}

void ReadTimeFormatSettings(TimeFormatSettings *s) {
  *s = TimeFormatSettings{};
  s->hours24 = 1;
  s->separator[0] = u':';
  s->leadingZero = 1;
}
