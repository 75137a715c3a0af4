// What the clock drawers show (the native drawers keep the texts they would draw).
#include <gtest/gtest.h>
#include <string>
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/clock_texts.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"

TEST(ClockPanes, PanesShowTheClockAndHideSecondsWhenFastAndRunning) {
  DocumentState saved = DocState;
  DocState.weekday = 2, DocState.hour = 9, DocState.minute = 5, DocState.second = 3;
  DocState.speedLevel = 16;
  std::u16string name = ClockWeekdayName(2);
  int dummyDc = 0;
  SetSimulationRunning(SIMRUN_STOP);
  RedrawClockPanes(&dummyDc);
  EXPECT_EQ(std::u16string(ClockDrawn.minute), u":05");
  EXPECT_EQ(std::u16string(ClockDrawn.hour), u" 9");
  EXPECT_EQ(std::u16string(ClockDrawn.second), u":03");
  EXPECT_EQ(std::u16string(ClockDrawn.speed), u"16");
  EXPECT_EQ(std::u16string(ClockDrawn.window), name + u": 9:05:03 ");
  SetSimulationRunning(SIMRUN_START);
  RedrawClockPanes(&dummyDc);
  EXPECT_EQ(std::u16string(ClockDrawn.second), u"");
  EXPECT_EQ(std::u16string(ClockDrawn.window), name + u": 9:05 ");
  SetSimulationRunning(SIMRUN_STOP);
  DocState = saved;
}
