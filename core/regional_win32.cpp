// Win32 build: the short-date pattern from the profile ("Intl", "sShortDate") and the clock
// settings of the user default locale.
#include "core/regional.h"
#include "core/platform_ui.h"
#include <windows.h>

void ReadShortDatePattern(char16_t* out) {
  WrapGetProfileString(u"Intl", u"sShortDate", u"dd.mm.yyyy", out, REGIONAL_DATE_MAX);
  if (!out[0]) ReadShortDatePatternDefault(out);
}

static int LocaleNumber(LCTYPE type, int fallback) {
  char16_t buf[16];
  if (WrapGetLocaleInfo(LOCALE_USER_DEFAULT, type, buf, 16) <= 0) return fallback;
  int v = 0, any = 0;
  for (int i = 0; buf[i] >= u'0' && buf[i] <= u'9'; i++, any = 1) v = v * 10 + (buf[i] - u'0');
  return any ? v : fallback;
}

void ReadTimeFormatSettings(TimeFormatSettings* s) {
  *s = TimeFormatSettings{};
  s->hours24 = LocaleNumber(LOCALE_ITIME, 1);
  char16_t sep[8];
  if (WrapGetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STIME, sep, 8) > 0 && sep[0])
    s->separator[0] = sep[0];
  else
    s->separator[0] = u':';
  if (WrapGetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_S1159, s->morning, 20) <= 0) s->morning[0] = 0;
  if (WrapGetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_S2359, s->afternoon, 20) <= 0)
    s->afternoon[0] = 0;
  s->leadingZero = LocaleNumber(LOCALE_ITLZERO, 0);
}
