// Colour numbers, display switches and the day phase.
#include <gtest/gtest.h>
#include "graphics/colours.h"
#include "model/general_section.h"

TEST(Colours, ResolveColourNumbers) {
  ResetDisplayColours();
  struct Case {
    uint32_t number, word;
  } cases[] = {
      {0, 0x00000000},
      {12, 0x005454FC},
      {76, 0x509C9C9C},
      {77, 0x512020C4},
      {65, 0x40503CFC},
      {80, 0x60842C0C},
      {130, 0x4000A800},
      {190, 0x400C940C},
      {200, 0},
      {79, 0},
      {253, PIXEL_BACKGROUND},
      {254, PIXEL_DARKEN},
      {255, PIXEL_TRANSPARENT},
      {126, 0x00007000},
  };
  for (const Case& c : cases) EXPECT_EQ(ResolveColour(c.number), c.word) << c.number;
  EXPECT_EQ(ResolveColourRgb(12), 0x00FC5454u);
  EXPECT_EQ(ResolveColourRgb(76), 0x509C9C9Cu);
  EXPECT_EQ(ResolveColourRgb(253), PIXEL_BACKGROUND);
  // 126 follows display colour 131 as it is stored
  SetColour(131, 0x00123456);
  EXPECT_EQ(ResolveColour(127), 0x00123456u);
  ResetDisplayColours();
  EXPECT_EQ(GetColour(131), ResolveColour(6));
  EXPECT_EQ(GetColour(183), ResolveColour(7));
}

// Numbers past the 184 display colours read no table entry: 251 and 252 (menu-bar text and
// background) and the rest resolve as colour numbers, whatever the table holds.
TEST(Colours, NumbersPastTheDisplayColoursResolve) {
  for (int i = 0; i < DISPLAY_COLOUR_COUNT; i++) SetColour(i, 0x00ABCDEF);
  struct Case {
    int number;
    uint32_t word;
  } cases[] = {
      {251, SystemColour(2)}, {252, SystemColour(3)}, {249, SystemColour(0)},
      {250, SystemColour(1)}, {253, PIXEL_BACKGROUND}, {255, PIXEL_TRANSPARENT},
      {190, 0x400C940C},      {200, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetColour(c.number), c.word) << c.number;
    EXPECT_EQ(GetColour(c.number), ResolveColour((uint32_t)c.number)) << c.number;
  }
  EXPECT_EQ(GetColour(DISPLAY_COLOUR_COUNT - 1), 0x00ABCDEFu);
  ResetDisplayColours();
}

TEST(Colours, SwitchesAndModes) {
  ResetDisplaySwitches();
  EXPECT_EQ(ShowOption[1], 1);
  EXPECT_EQ(ShowOption[5], 1);
  EXPECT_EQ(ShowOption[7], 1);
  EXPECT_EQ(ShowOption[2], 0);
  SetShowOption1(0);
  SetShowOption5(7);
  EXPECT_EQ(ShowOption[1], 0);
  EXPECT_EQ(ShowOption[5], 1);
  SetCycleDisplayMode(4 | 3);
  SetCycleDisplayMode(1000);
  EXPECT_EQ(CycleDisplayMode, 4u);
  SetCycleDisplayMode(1000);
  EXPECT_EQ(CycleDisplayMode, 5u);
  SetAnnotationMask(0x8001);
  EXPECT_EQ(AnnotationMask, 0x8001u);
  ResetDisplaySwitches();
}

TEST(DayPhase, DefaultTimes) {
  const uint16_t times[4] = {0x0700, 0x1100, 0x121E, 0x051E};
  struct Case {
    int hour, minute;
    uint32_t word;
    int32_t elapsed, length;
  } cases[] = {
      {12, 0, DAYPHASE_DAY, 0, 0},
      {7, 0, DAYPHASE_DAY, 0, 0},
      {18, 0, DAYPHASE_DUSK | 16 | 32 | 64 | 8, 60, 90},
      {17, 10, DAYPHASE_DUSK, 10, 90},
      {17, 30, DAYPHASE_DUSK | 8, 30, 90},
      {1, 0, DAYPHASE_NIGHT | 16 | 8, 390, 660},
      {23, 0, DAYPHASE_NIGHT | 16 | 32 | 8, 270, 660},
      {19, 0, DAYPHASE_NIGHT | 16 | 32 | 64 | 8, 30, 660},
      {5, 40, DAYPHASE_DAWN | 16 | 32 | 64 | 8, 10, 90},
      {6, 50, DAYPHASE_DAWN, 80, 90},
  };
  for (const Case& c : cases) {
    int32_t e = -1, l = -1;
    EXPECT_EQ(ComputeDayPhase(c.hour * 60 + c.minute, times, &e, &l), c.word)
        << c.hour << ":" << c.minute;
    EXPECT_EQ(e, c.elapsed) << c.hour << ":" << c.minute;
    EXPECT_EQ(l, c.length) << c.hour << ":" << c.minute;
  }
  // T1 = T2: no day at all
  const uint16_t noDay[4] = {0x0700, 0x0700, 0x121E, 0x051E};
  EXPECT_NE(ComputeDayPhase(12 * 60, noDay, nullptr, nullptr) & 7, DAYPHASE_DAY);
}

TEST(DayPhase, UpdateFollowsTheClockOnlyWithTheOption) {
  ResetDocumentState();
  DayPhase = 0;
  DocState.dayPhaseOptions = 0;
  DocState.hour = 1;
  DocState.minute = 0;
  UpdateDayPhase(0);
  EXPECT_EQ(DayPhase, 0u);
  DocState.dayPhaseOptions = 1;
  UpdateDayPhase(1);
  EXPECT_EQ(DayPhase & 7, DAYPHASE_NIGHT);
  EXPECT_EQ(PhaseLength, 660);
  ResetDocumentState();
  DayPhase = 0;
}
