// Typed day-times: weekday names and lists, and the one parser of a time of day with an optional
// weekday list in front (the packed day-time of core/timepattern.h).
#pragma once
#include <cstdint>

// Results of ParseTimeOfDay: the field to focus.
constexpr uint32_t DAYTIME_OK = 0;
constexpr uint32_t DAYTIME_BAD_HOUR = 1;  // the day or hour field
constexpr uint32_t DAYTIME_BAD_MINUTE = 2;
constexpr uint32_t DAYTIME_BAD_SECOND = 3;

// The weekday (1..7) named at the start of text (blanks skipped; the name ends at ":", "-", "+",
// ")", ",", a blank or the end), compared with the day names ignoring case; 0 when none matches
// (reported with message 819 when report is set). length (may be null) receives the characters
// up to the end of the name.
int ParseWeekdayName(const char16_t* text, int report, int* length);
// A list of weekday names joined by "+" (each day) and "-" (a range, wrapping from day 7 to day 1),
// ended by ":", ",", ")" or the end. Returns the mask (bit n-1 for day n) or 0 for a bad list
// (reported when report is set); endIndex (may be null) receives the index of the character that
// ended the list.
uint32_t ParseWeekdayList(const char16_t* text, int report, int* endIndex);

// Parses a typed day-time into a packed day-time (mask << 24 | hour << 16 | minute << 8 |
// second; mask 127 = every day).
// Split form (minuteText not null): the hour from text, the minute from minuteText, the second
// from secondText (may be null; missing or not a number: 0).
// Single form (minuteText null): an optional weekday list ("Mon-Fri:"), then h:m or h:m:s;
// a weekday list without ":" after it stands for 00:00:00 of those days.
// 24:00 is 0:00 of the next day. Returns DAYTIME_...; report shows the message of a bad field.
// endIndex (may be null) receives the index in text where the value ends.
uint32_t ParseTimeOfDay(const char16_t* text, const char16_t* minuteText,
                        const char16_t* secondText, uint32_t* result, int* endIndex, int report);
