// Short dates after a pattern and times of day after the clock settings.
#include "core/regional.h"
#include <gtest/gtest.h>
#include <string>

TEST(Regional, ShortDatePatterns) {
  struct Case {
    const char16_t* pattern;
    unsigned d, m, y;
    const char16_t* expected;
  } cases[] = {
      {u"d.M.yy", 5, 3, 2024, u"5.3.2024"},
      {u"dd.MM.yyyy", 5, 3, 2024, u"05.03.2024"},
      {u"yyyy-mm-dd", 25, 12, 2026, u"2026-12-25"},
      {u"M/d/y", 1, 2, 99, u"2/1/99"},
      {u"ddd", 7, 1, 1, u"077"},
      {u"", 1, 1, 2000, u""},
      {u"d. MMM yyyy 'r.'", 5, 3, 2024, u"5. 033 2024 'R.'"},  // copied characters upper-cased
  };
  for (const auto& c : cases) {
    char16_t out[REGIONAL_DATE_BUF];
    FormatShortDateWith(c.pattern, c.d, c.m, c.y, out);
    EXPECT_EQ(std::u16string(c.expected), out);
  }
}

TEST(Regional, ShortDateStopsGrowingAt51Characters) {
  std::u16string pattern(80, u'-');
  pattern += u"dd";
  char16_t out[REGIONAL_DATE_BUF + 8];
  for (char16_t& u : out) u = u'X';
  FormatShortDateWith(pattern.c_str(), 1, 1, 2000, out);
  EXPECT_EQ(std::u16string(51, u'-'), out);
  EXPECT_EQ(u'X', out[REGIONAL_DATE_BUF]);
}

TEST(Regional, TimesOfDay) {
  TimeFormatSettings h12{0, u":", u"AM", u"PM", 0};
  TimeFormatSettings h24{1, u".", u"", u"", 1};
  TimeFormatSettings h12zero{0, u":", u" am", u" pm", 1};
  struct Case {
    const TimeFormatSettings* s;
    unsigned h, m, sec;
    const char16_t* expected;
  } cases[] = {
      {&h12, 0, 5, 9, u"12:05:09AM"},  {&h12, 11, 59, 59, u"11:59:59AM"},
      {&h12, 12, 0, 0, u"12:00:00PM"}, {&h12, 13, 1, 2, u"1:01:02PM"},
      {&h12, 23, 0, 0, u"11:00:00PM"}, {&h24, 7, 5, 9, u"07.05.09"},
      {&h24, 23, 59, 0, u"23.59.00"},  {&h12zero, 9, 30, 0, u"09:30:00 am"},
  };
  for (const auto& c : cases) {
    char16_t out[REGIONAL_TIME_BUF];
    FormatTimeOfDayWith(c.s, c.h, c.m, c.sec, out);
    EXPECT_EQ(std::u16string(c.expected), out) << c.h;
  }
}

TEST(Regional, BuildSettingsGiveAWellFormedTime) {
  char16_t out[REGIONAL_TIME_BUF], date[REGIONAL_DATE_BUF];
  FormatTimeOfDay(14, 5, 9, out);
  std::u16string t(out);
  EXPECT_NE(std::u16string::npos, t.find(u"05"));
  EXPECT_NE(std::u16string::npos, t.find(u"09"));
  FormatShortDate(24, 12, 2026, date);
  EXPECT_NE(std::u16string::npos, std::u16string(date).find(u"2026"));
}
