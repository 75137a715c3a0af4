// Dates and times of day written after the user's regional settings (log and status texts).
#pragma once
#include <cstdint>

constexpr int REGIONAL_DATE_MAX = 51;  // characters a short date grows to (then stops)
constexpr int REGIONAL_DATE_BUF = 52;  // units of the out buffer of FormatShortDate
constexpr int REGIONAL_TIME_BUF = 64;  // units of the out buffer of FormatTimeOfDay

// After the short-date pattern ("Intl" / "sShortDate", default "dd.mm.yyyy").
void FormatShortDate(unsigned day, unsigned month, unsigned year, char16_t* out);
// After the user default locale (12/24 hours, separator, designators, leading zero).
void FormatTimeOfDay(unsigned hour, unsigned minute, unsigned second, char16_t* out);

// The pieces, with the settings passed in (for tests and for the functions above).
void FormatShortDateWith(const char16_t* pattern, unsigned day, unsigned month, unsigned year,
                         char16_t* out);
struct TimeFormatSettings {
  int hours24;             // LOCALE_ITIME: 1 = 24-hour clock
  char16_t separator[2];   // LOCALE_STIME (one character)
  char16_t morning[20];    // LOCALE_S1159
  char16_t afternoon[20];  // LOCALE_S2359
  int leadingZero;         // LOCALE_ITLZERO
};
void FormatTimeOfDayWith(const TimeFormatSettings* settings, unsigned hour, unsigned minute,
                         unsigned second, char16_t* out);
// Reads the settings of the build (Win32: the user default locale; native: 24 hours, ":", zero).
void ReadTimeFormatSettings(TimeFormatSettings* settings);
// Reads the short-date pattern (at most 50 characters) into out (51 units).
void ReadShortDatePattern(char16_t* out);
void ReadShortDatePatternDefault(char16_t* out);  // "dd.mm.yyyy"
