// Tests of the typed day-times: weekday names and lists, and ParseTimeOfDay in both forms with
// good and bad input (silent; the reported messages are tested natively).
#include <gtest/gtest.h>
#include <cstdint>
#include "app/dialog_test_util.h"
#include "core/daytime.h"
#include "core/timepattern.h"

static uint32_t P(uint32_t mask, int h, int m, int s) { return PackDayTime(mask, h, m, s); }

TEST(DayTime, WeekdayNamesAndLists) {
  REQUIRE_LANGUAGE();
  struct Name {
    const char16_t* text;
    int day, length;
  };
  const Name names[] = {{u"Mon", 1, 3}, {u"  sun:12", 7, 5}, {u"FRI-", 5, 3}, {u"Monday", 0, 6},
                        {u"", 0, 0},    {u"Tue+x", 2, 3},    {u"Wed)", 3, 3}, {u"thu,", 4, 3}};
  for (const Name& n : names) {
    int length = -1;
    EXPECT_EQ(ParseWeekdayName(n.text, 0, &length), n.day);
    EXPECT_EQ(length, n.length);
  }
  struct List {
    const char16_t* text;
    uint32_t mask;
    int end;
  };
  const List lists[] = {
      {u"Mon", 1, 3},
      {u"Mon+Wed", 5, 7},
      {u"Mon - Fri: 8:00", 31, 9},
      {u"Sat-Tue,", 1 | 2 | 32 | 64, 7},  // a range wraps from Sunday to Monday
      {u"Sun-Sun)", 64, 7},
      {u"Mon+Fri-Sun+Wed", 1 | 4 | 16 | 32 | 64, 15},
      {u"Mon*Fri", 0, -1},
      {u"Mon+", 0, -1},
      {u"Someday", 0, -1},
  };
  for (const List& l : lists) {
    int end = -1;
    EXPECT_EQ(ParseWeekdayList(l.text, 0, &end), l.mask);
    if (l.mask) {
      EXPECT_EQ(end, l.end);
    }
  }
}

TEST(DayTime, SingleTextForm) {
  REQUIRE_LANGUAGE();
  struct Case {
    const char16_t* text;
    uint32_t code, result;
    int end;
  };
  const Case cases[] = {
      {u"12:30", 0, P(127, 12, 30, 0), 5},
      {u"  7:05:09", 0, P(127, 7, 5, 9), 9},
      {u"24:00", 0, P(127, 0, 0, 0), 5},
      {u"24:00:00", 0, P(127, 0, 0, 0), 8},
      {u"24:01", 2, 0, 0},
      {u"24:00:01", 2, 0, 0},
      {u"25:00", 1, 0, 0},
      {u"12", 1, 0, 0},  // one field only
      {u"12:60", 2, 0, 0},
      {u"12:30:60", 3, 0, 0},
      {u"4294967296:00", 1, 0, 0},  // too long for 32 bits: not wrapped to hour 0
      {u"12:4294967297", 2, 0, 0},
      {u"99999999999999999999:00", 1, 0, 0},
      {u"Mon:8:15", 0, P(1, 8, 15, 0), 8},
      {u"Mon-Fri : 8:15, more", 0, P(31, 8, 15, 0), 14},
      {u"Sun:24:00", 0, P(1, 0, 0, 0), 9},           // day 7 moves to day 1
      {u"Mon+Sun:24:00", 0, P(2 | 1, 0, 0, 0), 13},  // every day one on
      {u"Fri-Sat:24:00", 0, P(32 | 64, 0, 0, 0), 13},
      {u"Sat", 0, P(32, 0, 0, 0), 3},  // a list without a time
      {u"Tue, rest", 0, P(2, 0, 0, 0), 3},
      {u"Someday:8:00", 1, 0, 0},
      {u"", 1, 0, 0},
      {u"8:15-9:00", 0, P(127, 8, 15, 0), 4},  // ends at the "-"
      {u"8:15!", 0, P(127, 8, 15, 0), 4},      // ends at the marker character
      {u"8:15:30+x", 0, P(127, 8, 15, 30), 7},
  };
  int row = 0;
  for (const Case& c : cases) {
    uint32_t result = 0xDEADBEEF;
    int end = -1;
    uint32_t code = ParseTimeOfDay(c.text, nullptr, nullptr, &result, &end, 0);
    EXPECT_EQ(code, c.code) << "row " << row;
    if (c.code == 0) {
      EXPECT_EQ(result, c.result) << "row " << row;
      EXPECT_EQ(end, c.end) << "row " << row;
    }
    row++;
  }
}

TEST(DayTime, SplitForm) {
  REQUIRE_LANGUAGE();
  struct Case {
    const char16_t *hour, *minute, *second;
    uint32_t code, result;
  };
  const Case cases[] = {
      {u"5", u"30", nullptr, 0, P(127, 5, 30, 0)},
      {u" 7", u"00", u"", 0, P(127, 7, 0, 0)},  // empty second: 0, no message
      {u"7", u"0", u"xx", 0, P(127, 7, 0, 0)},  // not a number: 0, no message
      {u"7", u"0", u"45", 0, P(127, 7, 0, 45)},
      {u"24", u"0", nullptr, 0, P(127, 0, 0, 0)},
      {u"", u"30", nullptr, 1, 0},
      {u"x", u"30", nullptr, 1, 0},
      {u"5", u"", nullptr, 2, 0},
      {u"25", u"0", nullptr, 1, 0},
      {u"5", u"60", nullptr, 2, 0},
      {u"5", u"0", u"60", 3, 0},
      {u"5", u"0", u"99999999999", 3, 0},
      {u"24", u"1", nullptr, 2, 0},
  };
  for (const Case& c : cases) {
    uint32_t result = 0;
    uint32_t code = ParseTimeOfDay(c.hour, c.minute, c.second, &result, nullptr, 0);
    EXPECT_EQ(code, c.code);
    if (c.code == 0) {
      EXPECT_EQ(result, c.result);
    }
  }
}
