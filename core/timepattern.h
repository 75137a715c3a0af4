// Weekly time patterns (the compact byte form of the times of the week at which an element acts)
// and durations in their text form.
//
// A pattern is a byte string of day blocks ended by a 0 where a block would begin. A day block is
// a weekday-mask byte (bit n-1 for weekday n, 1 = Monday .. 7 = Sunday), hour groups, then 255.
// An hour group is the hour h1 (0..23), optionally 0x80 | h2 for the hours h1..h2, minute entries,
// then 254. A minute entry is the minute (0..59), optionally followed by second bytes 0x80 | s
// (0..59); without second bytes it stands for second 0. 127, 255, 0 is the empty pattern.
//
// Every reader of a pattern from a file or a text checks it with CheckTimePattern first; the other
// functions rely on checked patterns.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr uint8_t TP_DAY_END = 255;
constexpr uint8_t TP_HOUR_END = 254;
constexpr int TIMEPATTERN_DAY_BYTES = 86474;  // one per-day buffer of the split form

// weekday mask << 24 | hour << 16 | minute << 8 | second; mask 0x7F = every day
inline uint32_t PackDayTime(uint32_t mask, uint32_t hour, uint32_t minute, uint32_t second) {
  return mask << 24 | hour << 16 | minute << 8 | second;
}

// 0 when the pattern is well formed within length bytes (its final 0 included), else 3.
int CheckTimePattern(const uint8_t* bytes, size_t length);

// 1 when the first day block sharing a day with weekdayMask holds that exact time.
int IsTimeInPattern(const uint8_t* pattern, uint32_t weekdayMask, int hour, int minute, int second);
// The packed day-time of the next time of the pattern after the given one (or at it, when
// inclusive), searching the following days (across the week's end) as needed; weekdayBit is the
// single bit of the day. 0 for an empty pattern or one without any time.
uint32_t NextTimeInPattern(const uint8_t* pattern, uint32_t weekdayBit, int hour, int minute,
                           int second, int inclusive);
// Whether the clock keeps its weekday at midnight (the search then stays on the day). Start-up
// points it at the document's setting; null counts as "no".
extern int (*TimePatternWeekdayFixed)();

// Adds both offsets (seconds) to weekday (1..7) hour:minute:00 and splits the sum into weekday
// 1..7, hour, minute and second. The caller keeps the sum within one week before and two after.
void SplitWeekTime(int weekday, int hour, int minute, int32_t offset1, int32_t offset2,
                   int* outWeekday, int* outHour, int* outMinute, int* outSecond);

// Length in bytes including the final 0.
size_t TimePatternLength(const uint8_t* pattern);
// 0 identical; 1 equal but for the first (mask) byte; 2 different.
int CompareTimePatterns(const uint8_t* a, const uint8_t* b);

// Splits a checked pattern into seven single-day patterns (buffer d-1 for weekday d: the day bit,
// the day's hour groups, 255, 0). 0, or 3 when a day block would not fit its buffer (nothing is
// written then).
int SplitTimePatternByDay(const uint8_t* pattern, uint8_t (*days)[TIMEPATTERN_DAY_BYTES]);
// Joins the seven per-day buffers into one pattern (days with equal hours share one block, in
// weekday order). Returns the length written including the final 0, or 0 when the result would
// not fit in capacity bytes (nothing useful is written then).
size_t MergeTimePatternDays(const uint8_t (*days)[TIMEPATTERN_DAY_BYTES], uint8_t* out,
                            size_t capacity);

// "%i:%02i" (hours, minutes) when the seconds part is 0, else "%i:%02i:%02i"; out holds 16 units.
void FormatDuration(char16_t* out, uint32_t seconds);
// Seconds of "h:m:s", "h:m" or "m" (a lone number is minutes); 0 for no number or a value beyond
// 2^31 - 1. consumed (may be null) receives the characters read.
int32_t ParseDuration(const char16_t* text, int* consumed);
