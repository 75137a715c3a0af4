// Short dates after the "sShortDate" pattern and times of day after the locale's clock settings;
// the settings come from the build's reader (regional_native / regional_win32).
#include "core/regional.h"
#include "core/misc.h"

struct OutText {
  char16_t* out;
  int used;
  int limit;
};

static void Put(OutText* o, char16_t ch) {
  if (o->used < o->limit) o->out[o->used++] = ch;
  o->out[o->used] = 0;
}

static void PutText(OutText* o, const char16_t* text) {
  for (int i = 0; text && text[i]; i++) Put(o, text[i]);
}

static void PutNumber(OutText* o, unsigned value, int twoDigits) {
  char16_t digits[10];
  int n = FormatUnsignedDigits(digits, value, twoDigits ? 2 : 1);
  for (int i = 0; i < n; i++) Put(o, digits[i]);
}

// The pattern is walked upper-cased, so the characters it copies are upper-cased too.
void FormatShortDateWith(const char16_t* pattern, unsigned day, unsigned month, unsigned year,
                         char16_t* out) {
  OutText o{out, 0, REGIONAL_DATE_MAX};
  out[0] = 0;
  for (int i = 0; pattern && pattern[i];) {
    char16_t c = CharToUpper(pattern[i]);
    if ((c == u'D' || c == u'M') && CharToUpper(pattern[i + 1]) == c) {
      PutNumber(&o, c == u'D' ? day : month, 1);
      i += 2;
    } else if (c == u'D' || c == u'M') {
      PutNumber(&o, c == u'D' ? day : month, 0);
      i += 1;
    } else if (c == u'Y') {
      while (CharToUpper(pattern[i]) == u'Y') i++;
      PutNumber(&o, year, 0);
    } else {
      Put(&o, c);
      i += 1;
    }
  }
}

void FormatTimeOfDayWith(const TimeFormatSettings* s, unsigned hour, unsigned minute,
                         unsigned second, char16_t* out) {
  OutText o{out, 0, REGIONAL_TIME_BUF - 1};
  out[0] = 0;
  unsigned shown = hour;
  if (!s->hours24) {
    if (hour >= 13 && hour <= 23)
      shown = hour - 12;
    else if (hour == 0)
      shown = 12;
  }
  PutNumber(&o, shown, s->leadingZero == 1);
  PutText(&o, s->separator);
  PutNumber(&o, minute, 1);
  PutText(&o, s->separator);
  PutNumber(&o, second, 1);
  if (!s->hours24) PutText(&o, hour <= 11 ? s->morning : s->afternoon);
}

void ReadShortDatePatternDefault(char16_t* out) { CopyString(out, u"dd.mm.yyyy"); }

void FormatShortDate(unsigned day, unsigned month, unsigned year, char16_t* out) {
  char16_t pattern[REGIONAL_DATE_MAX];
  ReadShortDatePattern(pattern);
  FormatShortDateWith(pattern, day, month, year, out);
}

void FormatTimeOfDay(unsigned hour, unsigned minute, unsigned second, char16_t* out) {
  TimeFormatSettings s;
  ReadTimeFormatSettings(&s);
  FormatTimeOfDayWith(&s, hour, minute, second, out);
}
