// Tests of the weekly time patterns: the check, exact and next-time searches (week wrap, hour
// ranges, second bytes, the empty pattern), splitting by day and merging back, and durations.
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include <vector>
#include "core/timepattern.h"

typedef std::vector<uint8_t> Bytes;
constexpr uint8_t R(int h) { return (uint8_t)(0x80 | h); }  // range or second byte

static uint32_t Packed(uint32_t day, int h, int m, int s) { return PackDayTime(day, h, m, s); }

// Monday to Friday, hours 8 and 9, minutes 0 and 30.
static const Bytes kWeekdays = {31, 8, R(9), 0, 30, 254, 255, 0};
// Monday: 10:15 (seconds 20 and 40); Saturday and Sunday: 06:00 and 22:45.
static const Bytes kMixed = {1, 10, 15, R(20), R(40), 254, 255, 96, 6, 0, 254, 22, 45, 254, 255, 0};
static const Bytes kEmpty = {127, 255, 0};
static const Bytes kMondayEight = {1, 8, 0, 254, 255, 0};

TEST(TimePatternCheck, AcceptsWellFormedAndRefusesEveryBadByte) {
  struct Case {
    const char* name;
    Bytes p;
    int expected;
  };
  const Case cases[] = {
      {"weekdays", kWeekdays, 0},
      {"mixed", kMixed, 0},
      {"empty pattern", kEmpty, 0},
      {"only the end", {0}, 0},
      {"nothing", {}, 3},
      {"mask above 127", {128, 255, 0}, 3},
      {"hour 24", {1, 24, 0, 254, 255, 0}, 3},
      {"range to hour 24", {1, 8, R(24), 0, 254, 255, 0}, 3},
      {"range backwards", {1, 9, R(8), 0, 254, 255, 0}, 3},
      {"minute 60", {1, 8, 60, 254, 255, 0}, 3},
      {"second 60", {1, 8, 0, R(60), 254, 255, 0}, 3},
      {"second without a minute", {1, 8, R(9), R(5), 254, 255, 0}, 3},
      {"no final 0", {1, 8, 0, 254, 255}, 3},
      {"group not closed", {1, 8, 0, 255, 0}, 3},
      {"cut in a group", {1, 8, 0}, 3},
      {"cut after the hour", {1, 8}, 3},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CheckTimePattern(c.p.data(), c.p.size()), c.expected) << c.name;
  // The length bounds the walk: the same bytes with a length one short are refused.
  EXPECT_EQ(CheckTimePattern(kWeekdays.data(), kWeekdays.size() - 1), 3);
}

TEST(TimePatternSearch, ExactTimes) {
  struct Case {
    const Bytes* p;
    uint32_t mask;
    int h, m, s, expected;
  };
  const Case cases[] = {
      {&kWeekdays, 1, 8, 30, 0, 1},  {&kWeekdays, 16, 9, 0, 0, 1}, {&kWeekdays, 32, 8, 30, 0, 0},
      {&kWeekdays, 1, 10, 0, 0, 0},  {&kWeekdays, 1, 8, 30, 1, 0}, {&kWeekdays, 1, 7, 30, 0, 0},
      {&kMixed, 1, 10, 15, 20, 1},   {&kMixed, 1, 10, 15, 0, 0},  // second bytes: not second 0
      {&kMixed, 1, 10, 15, 40, 1},   {&kMixed, 1, 10, 15, 30, 0},  {&kMixed, 64, 22, 45, 0, 1},
      {&kMixed, 32 | 2, 6, 0, 0, 1}, {&kMixed, 2, 6, 0, 0, 0},     {&kEmpty, 127, 0, 0, 0, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(IsTimeInPattern(c.p->data(), c.mask, c.h, c.m, c.s), c.expected)
        << "mask " << c.mask << " " << c.h << ":" << c.m << ":" << c.s;
}

TEST(TimePatternSearch, NextTimes) {
  struct Case {
    const Bytes* p;
    uint32_t day;
    int h, m, s, inclusive;
    uint32_t expected;
  };
  const Case cases[] = {
      {&kWeekdays, 1, 8, 10, 0, 0, Packed(1, 8, 30, 0)},
      {&kWeekdays, 1, 9, 30, 0, 0, Packed(2, 8, 0, 0)},   // exclusive: on to Tuesday
      {&kWeekdays, 1, 9, 30, 0, 1, Packed(1, 9, 30, 0)},  // inclusive: the time itself
      {&kWeekdays, 16, 9, 45, 0, 0, Packed(1, 8, 0, 0)},  // Friday evening: Monday next week
      {&kWeekdays, 1, 8, 45, 0, 0, Packed(1, 9, 0, 0)},   // the next hour of the range
      {&kWeekdays, 1, 3, 0, 0, 0, Packed(1, 8, 0, 0)},    // a group after the hour
      {&kWeekdays, 32, 0, 0, 0, 1, Packed(1, 8, 0, 0)},   // Saturday: over the week's end
      {&kWeekdays, 1, 8, 0, 0, 0, Packed(1, 8, 30, 0)},   // exclusive at a time
      {&kMixed, 1, 10, 15, 0, 0, Packed(1, 10, 15, 20)},  // first second byte
      {&kMixed, 1, 10, 15, 20, 0, Packed(1, 10, 15, 40)},
      {&kMixed, 1, 10, 15, 20, 1, Packed(1, 10, 15, 20)},
      {&kMixed, 1, 10, 15, 40, 0, Packed(32, 6, 0, 0)},   // on to Saturday
      {&kMixed, 1, 9, 0, 0, 0, Packed(1, 10, 15, 20)},    // a later group: its first second
      {&kMixed, 64, 23, 0, 0, 0, Packed(1, 10, 15, 20)},  // Sunday late: Monday
      {&kMixed, 64, 6, 0, 0, 0, Packed(64, 22, 45, 0)},
      {&kMondayEight, 1, 9, 0, 0, 0, Packed(1, 8, 0, 0)},  // a week later, same weekday
      {&kMondayEight, 1, 8, 0, 0, 1, Packed(1, 8, 0, 0)},
      {&kEmpty, 1, 0, 0, 0, 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NextTimeInPattern(c.p->data(), c.day, c.h, c.m, c.s, c.inclusive), c.expected)
        << "day " << c.day << " " << c.h << ":" << c.m << ":" << c.s << " incl " << c.inclusive;
  const Bytes only0 = {0};
  EXPECT_EQ(NextTimeInPattern(only0.data(), 1, 0, 0, 0, 1), 0u);
  const Bytes noHours = {1, 255, 2, 255, 0};  // blocks without any hour group
  EXPECT_EQ(NextTimeInPattern(noHours.data(), 1, 0, 0, 0, 1), 0u);
}

static int FixedOn() { return 1; }

TEST(TimePatternSearch, FixedWeekdayStaysOnTheDay) {
  int (*saved)() = TimePatternWeekdayFixed;
  TimePatternWeekdayFixed = FixedOn;
  // Monday after 09:30: the weekday does not change, so the next time is Monday 08:00.
  EXPECT_EQ(NextTimeInPattern(kWeekdays.data(), 1, 9, 30, 0, 0), Packed(1, 8, 0, 0));
  // Saturday has no block; from 00:00:00 inclusive there is nothing to wrap to.
  EXPECT_EQ(NextTimeInPattern(kWeekdays.data(), 32, 0, 0, 0, 1), 0u);
  EXPECT_EQ(NextTimeInPattern(kWeekdays.data(), 32, 12, 0, 0, 0), 0u);
  TimePatternWeekdayFixed = saved;
}

TEST(TimePatternWeek, SplitWeekTimeWrapsBothWays) {
  struct Case {
    int day, h, m, o1, o2, ed, eh, em, es;
  };
  const Case cases[] = {
      {7, 23, 59, 120, 0, 1, 0, 1, 0},        {1, 0, 0, -60, 0, 7, 23, 59, 0},
      {3, 12, 0, 30, 15, 3, 12, 0, 45},       {1, 0, 0, 604800 + 3600, 0, 1, 1, 0, 0},
      {2, 10, 0, 0, -86400 * 2, 7, 10, 0, 0},
  };
  for (const Case& c : cases) {
    int d, h, m, s;
    SplitWeekTime(c.day, c.h, c.m, c.o1, c.o2, &d, &h, &m, &s);
    EXPECT_EQ((std::vector<int>{d, h, m, s}), (std::vector<int>{c.ed, c.eh, c.em, c.es}))
        << c.day << " " << c.h << ":" << c.m << " + " << c.o1 << " + " << c.o2;
  }
}

TEST(TimePatternWeek, LengthAndCompare) {
  EXPECT_EQ(TimePatternLength(kWeekdays.data()), kWeekdays.size());
  EXPECT_EQ(TimePatternLength(kMixed.data()), kMixed.size());
  const Bytes a = {1, 8, 0, 254, 255, 0}, b = {4, 8, 0, 254, 255, 0}, c = {1, 8, 1, 254, 255, 0},
              d = {1, 8, 0, 1, 254, 255, 0};
  EXPECT_EQ(CompareTimePatterns(a.data(), a.data()), 0);
  EXPECT_EQ(CompareTimePatterns(a.data(), b.data()), 1);
  EXPECT_EQ(CompareTimePatterns(a.data(), c.data()), 2);
  EXPECT_EQ(CompareTimePatterns(a.data(), d.data()), 2);
}

// ---- split and merge --------------------------------------------------------------------------------
struct DayBuffers {
  uint8_t d[7][TIMEPATTERN_DAY_BYTES];
};

static Bytes DayBytes(const DayBuffers& b, int day) {
  return Bytes(b.d[day], b.d[day] + TimePatternLength(b.d[day]));
}

TEST(TimePatternDays, SplitMergeSplitKeepsEveryDay) {
  static DayBuffers first, second;
  const Bytes patterns[] = {
      kWeekdays,
      kMixed,
      kEmpty,
      {0},
      {4, 7, 0, 254, 255, 1, 7, 0, 254, 255, 0},          // two equal days in two blocks
      {3, 5, 10, 254, 255, 2, 6, 0, 254, 255, 0},         // a day in two blocks: the first holds
      {127, 0, R(23), 0, R(1), 15, 30, 45, 254, 255, 0},  // every day, every quarter hour
  };
  for (const Bytes& p : patterns) {
    ASSERT_EQ(CheckTimePattern(p.data(), p.size()), 0);
    ASSERT_EQ(SplitTimePatternByDay(p.data(), first.d), 0);
    uint8_t merged[1024];
    size_t n = MergeTimePatternDays(first.d, merged, sizeof merged);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(n, TimePatternLength(merged));
    EXPECT_EQ(CheckTimePattern(merged, n), 0);
    ASSERT_EQ(SplitTimePatternByDay(merged, second.d), 0);
    for (int day = 0; day < 7; day++) {
      EXPECT_EQ(DayBytes(first, day), DayBytes(second, day)) << "day " << day + 1;
      EXPECT_EQ(first.d[day][0], 1u << day);
      // every time of the day is found in both forms
      for (int h = 0; h < 24; h++)
        for (int m = 0; m < 60; m += 5)
          EXPECT_EQ(IsTimeInPattern(p.data(), 1u << day, h, m, 0),
                    IsTimeInPattern(merged, 1u << day, h, m, 0));
    }
  }
}

TEST(TimePatternDays, MergeJoinsEqualDaysInWeekdayOrder) {
  static DayBuffers b;
  const Bytes all = {127, 8, 0, 254, 255, 0};
  ASSERT_EQ(SplitTimePatternByDay(all.data(), b.d), 0);
  EXPECT_EQ(DayBytes(b, 3), (Bytes{8, 8, 0, 254, 255, 0}));
  uint8_t out[64];
  ASSERT_EQ(MergeTimePatternDays(b.d, out, sizeof out), all.size());
  EXPECT_EQ(Bytes(out, out + all.size()), all);
  // Monday and Wednesday equal, the rest empty: two blocks, the empty days joined.
  const Bytes two = {5, 8, 0, 254, 255, 0};
  ASSERT_EQ(SplitTimePatternByDay(two.data(), b.d), 0);
  size_t n = MergeTimePatternDays(b.d, out, sizeof out);
  EXPECT_EQ(Bytes(out, out + n), (Bytes{5, 8, 0, 254, 255, 2 | 8 | 16 | 32 | 64, 255, 0}));
  // The masks of the buffers are their single day bits again.
  for (int d = 0; d < 7; d++) EXPECT_EQ(b.d[d][0], 1u << d);
}

TEST(TimePatternDays, SplitAndMergeRefuseWhatDoesNotFit) {
  static DayBuffers b;
  // A Monday block longer than a day buffer (minute entries with second bytes).
  Bytes big = {1, 0, R(23)};
  while (big.size() < TIMEPATTERN_DAY_BYTES + 10) {
    big.push_back(0);
    for (int s = 0; s < 59 && big.size() < TIMEPATTERN_DAY_BYTES + 10; s++) big.push_back(R(s));
  }
  big.push_back(254);
  big.push_back(255);
  big.push_back(0);
  ASSERT_EQ(CheckTimePattern(big.data(), big.size()), 0);
  b.d[0][0] = 0xAA;
  EXPECT_EQ(SplitTimePatternByDay(big.data(), b.d), 3);
  EXPECT_EQ(b.d[0][0], 0xAA);  // nothing written

  ASSERT_EQ(SplitTimePatternByDay(kMixed.data(), b.d), 0);
  uint8_t out[64];
  size_t need = MergeTimePatternDays(b.d, out, sizeof out);
  ASSERT_GT(need, 0u);
  EXPECT_EQ(MergeTimePatternDays(b.d, out, need - 1), 0u);
  EXPECT_EQ(MergeTimePatternDays(b.d, out, need), need);
  EXPECT_EQ(MergeTimePatternDays(b.d, out, 1), 0u);
}

// ---- durations ---------------------------------------------------------------------------------------
TEST(Durations, FormatAndParse) {
  struct F {
    uint32_t seconds;
    const char16_t* text;
  };
  const F formats[] = {{3600, u"1:00"}, {3661, u"1:01:01"}, {90000, u"25:00"},
                       {0, u"0:00"},    {59, u"0:00:59"},   {4294967295u, u"1193046:28:15"}};
  for (const F& f : formats) {
    char16_t out[16];
    FormatDuration(out, f.seconds);
    EXPECT_EQ(std::u16string(out), std::u16string(f.text)) << f.seconds;
  }
  struct P {
    const char16_t* text;
    int32_t seconds;
    int consumed;
  };
  const P parses[] = {
      {u"1:30", 5400, 4},
      {u"1:30:30", 5430, 7},
      {u"5", 300, 1},
      {u"  2:05 rest", 7500, 7},  // the blank after the last field counts
      {u"   ", 0, 3},
      {u"", 0, 0},
      {u"x", 0, 0},
      {u"1: 30", 5400, 5},
      {u"4294967296", 0, 10},    // beyond 32 bits
      {u"2147483648:0", 0, 12},  // a field above 2^31 - 1
      {u"600000:0", 0, 8},       // a result above 2^31 - 1
      {u"35791:23:00", 128848980, 11},
  };
  int row = 0;
  for (const P& p : parses) {
    int consumed = -1;
    EXPECT_EQ(ParseDuration(p.text, &consumed), p.seconds) << "row " << row;
    EXPECT_EQ(consumed, p.consumed) << "row " << row++;
    EXPECT_EQ(ParseDuration(p.text, nullptr), p.seconds);
  }
}
