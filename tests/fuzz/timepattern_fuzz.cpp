// Fuzz target of the weekly time patterns: the check, then on every pattern it accepts the exact
// and next-time searches, the length, splitting by day and merging back; and the duration parser.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include "core/timepattern.h"

static uint8_t Days[7][TIMEPATTERN_DAY_BYTES];
static uint8_t Merged[8 * TIMEPATTERN_DAY_BYTES];

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  const uint32_t day = 1u << (data[0] % 7);
  const int hour = data[1] % 25, minute = data[2] % 61, second = data[3] % 61;
  const int inclusive = data[4] & 1;
  // The pattern in a block of its own size, so a read past it is caught.
  std::vector<uint8_t> pattern(data + 5, data + size);
  if (CheckTimePattern(pattern.data(), pattern.size()) == 0) {
    size_t n = TimePatternLength(pattern.data());
    if (n > pattern.size()) __builtin_trap();
    IsTimeInPattern(pattern.data(), data[0] & 0x7F, hour, minute, second);
    uint32_t next = NextTimeInPattern(pattern.data(), day, hour, minute, second, inclusive);
    if (next && !IsTimeInPattern(pattern.data(), next >> 24, next >> 16 & 0xFF, next >> 8 & 0xFF,
                                 next & 0xFF))
      __builtin_trap();  // a found time is a time of the pattern
    if (SplitTimePatternByDay(pattern.data(), Days) == 0) {
      size_t m = MergeTimePatternDays(Days, Merged, sizeof Merged);
      if (!m || CheckTimePattern(Merged, m) != 0) __builtin_trap();
    }
  }
  // The same bytes as text for the duration parser.
  std::vector<char16_t> text(size / 2 + 1, 0);
  memcpy(text.data(), data, size / 2 * 2);
  int consumed = 0;
  if (ParseDuration(text.data(), &consumed) < 0) __builtin_trap();
  return 0;
}
