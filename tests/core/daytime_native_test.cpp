// The messages of a bad day-time field through the native message seam: number and text per
// field, none for a good value or when the parse is silent.
#include <gtest/gtest.h>
#include <string>
#include "app/dialog_test_util.h"
#include "core/daytime.h"
#include "core/langtext.h"
#include "core/msgbox_seam.h"

TEST(DayTimeMessages, EachBadFieldReportsItsMessage) {
  REQUIRE_LANGUAGE();
  struct Case {
    const char16_t *text, *minute;
    uint32_t code, number, textId;
  };
  const Case cases[] = {
      {u"x", u"5", 1, 341, 8006},         {u"5", u"", 2, 343, 8006},
      {u"12", nullptr, 1, 356, 18028},    {u"25:00", nullptr, 1, 342, 18012},
      {u"1:61", nullptr, 2, 344, 18011},  {u"1:01:61", nullptr, 3, 348, 18042},
      {u"24:30", nullptr, 2, 345, 18013}, {u"4294967296", u"0", 1, 342, 18012},
  };
  for (const Case& c : cases) {
    MsgSeamReset();
    uint32_t result = 0;
    EXPECT_EQ(ParseTimeOfDay(c.text, c.minute, nullptr, &result, nullptr, 1), c.code);
    ASSERT_EQ(MsgSeamCallCount(), 1) << c.number;
    EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), std::u16string(GetLangText(c.textId)));
    EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50000 + c.number);
    MsgSeamReset();
    EXPECT_EQ(ParseTimeOfDay(c.text, c.minute, nullptr, &result, nullptr, 0), c.code);
    EXPECT_EQ(MsgSeamCallCount(), 0);
  }
  MsgSeamReset();
  uint32_t result = 0;
  EXPECT_EQ(ParseTimeOfDay(u"Mon:7:00", nullptr, nullptr, &result, nullptr, 1), 0u);
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

TEST(DayTimeMessages, BadWeekdayListsNameTheWord) {
  REQUIRE_LANGUAGE();
  MsgSeamReset();
  uint32_t result = 0;
  EXPECT_EQ(ParseTimeOfDay(u"Someday:7:00", nullptr, nullptr, &result, nullptr, 1), 1u);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50819);
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->text),
            std::u16string(GetLangText(21083)) + u": \"Someday\"");
  MsgSeamReset();
  EXPECT_EQ(ParseWeekdayList(u"Mon Fri", 1, nullptr), 0u);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50875);
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->text),
            std::u16string(GetLangText(21084)) + u": \"Fri\"");
}
