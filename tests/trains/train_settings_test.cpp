// Tests of the train settings kept for the option file: tick delay, event display option and
// kind flags, train-list mode, default texts and automatic start.
#include <gtest/gtest.h>
#include <string>
#include "trains/train_services.h"

TEST(TrainSettings, RangesAreChecked) {
  EXPECT_EQ(SetTickDelay(0), 1);
  EXPECT_EQ(SetTickDelay(5001), 1);
  EXPECT_EQ(SetTickDelay(70), 0);
  EXPECT_EQ(GetTickDelay(), 70);
  EXPECT_EQ(SetTickDelay(-1), 0);
  EXPECT_EQ(GetTickDelay(), 4500);

  EXPECT_EQ(SetEventDisplayOption(8), 1);
  EXPECT_EQ(SetEventDisplayOption(5), 0);
  EXPECT_EQ(GetEventDisplayOption(), 5);
  EXPECT_EQ(SetEventKindFlag(0, 1), 1);
  EXPECT_EQ(SetEventKindFlag(30, 1), 1);
  EXPECT_EQ(SetEventKindFlag(29, 3), 2);
  EXPECT_EQ(SetEventKindFlag(29, 2), 0);
  EXPECT_EQ(GetEventKindFlag(29), 2);
  EXPECT_EQ(GetEventKindFlag(30), 0);

  EXPECT_NE(SetTrainListMode(0x4) & 0xFF, 0);  // bits 0 and 1 both clear
  EXPECT_NE(SetTrainListMode(0x1) & 0xFF, 0);  // bits 2 and 3 both clear
  EXPECT_EQ(SetTrainListMode(0x9), 0);
  EXPECT_EQ(GetTrainListMode(), 0x9u);

  std::u16string longText(33, u'a');
  EXPECT_NE(SetDefaultTrainTexts(1, longText.c_str(), u"", u""), 0);
  EXPECT_EQ(SetDefaultTrainTexts(1, u"IC", u"RE", nullptr), 0);
  char16_t a[33], b[33], c[33];
  uint32_t flags = 0;
  GetDefaultTrainTexts(&flags, a, b, c);
  EXPECT_EQ(flags, 1u);
  EXPECT_EQ(std::u16string(b), u"RE");
  EXPECT_EQ(std::u16string(c), u"");

  EXPECT_EQ(SetTrainAutoStartOption(2), 2);
  EXPECT_EQ(SetTrainAutoStartOption(0), 2);
  EXPECT_EQ(SetTrainAutoStartOption(1), 3);
  EXPECT_EQ(SetTrainAutoStartOption(0), 3);
}

TEST(TrainSettings, EventFilterStartValues) {
  SetEventDisplayOption(6);
  SetEventKindFlag(1, 0);
  SetEventKindFlag(29, 2);
  ResetEventFilter();
  EXPECT_EQ(GetEventDisplayOption(), 0);
  for (int kind = 1; kind <= 29; kind++) EXPECT_EQ(GetEventKindFlag(kind), 1) << kind;
  EXPECT_EQ(GetEventKindFlag(0), 0);
  EXPECT_EQ(GetEventKindFlag(30), 0);
}

TEST(TrainSettings, ScaleBlockPositionMapsAboutTheCorner) {
  int x = 0, y = 0;
  EXPECT_EQ(ScaleBlockPosition(100, 200, 110, 205, 0, 2, 1, 1, 2, &x, &y), 0);
  EXPECT_EQ(x, 120);
  EXPECT_EQ(y, 202);
}
