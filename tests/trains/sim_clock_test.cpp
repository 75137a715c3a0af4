// The simulation clock: rollover (also of values at or beyond their limits), the fixed order of
// the time-driven work, loop-mode throttling, speed and tick-delay setters, the stop time, the
// autosave countdown, day-time windows and the clock texts.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/langtext.h"
#include "graphics/colours.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_options.h"
#include "trains/clock_texts.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"

namespace {
std::vector<std::string> Calls;
uint32_t PartsDrawn;
void Rec(const char* s) { Calls.push_back(s); }

struct ClockFixture : ::testing::Test {
  ClockWork saved;
  DocumentState savedDoc;
  void SetUp() override {
    saved = ClockWorkTable;
    savedDoc = DocState;
    Calls.clear();
    PartsDrawn = 0;
    ClockWorkTable = ClockWork{
        [] { Rec("waiting"); },
        [] { Rec("tp"); },
        [] { Rec("signals"); },
        [] { Rec("depots"); },
        [] { Rec("schedules"); },
        [](int m) { Rec(m == 1 ? "dayphase1" : "dayphase?"); },
        [] { Rec("ratio"); },
        [] { Rec("STOP"); },
        [](void*) { Rec("stopfield"); },
        [] { Rec("alarms"); },
        [](int q) { Calls.push_back("queue" + std::to_string(q)); },
        [] { Rec("running"); },
        [](uint32_t parts) { PartsDrawn |= parts; },
    };
    DocumentState& d = DocState;
    d.weekday = 3, d.hour = 10, d.minute = 0, d.second = 0, d.tick = 0;
    d.speedLevel = 10, d.loopMode = 0, d.skipCounter = 0, d.fiveTick = 0, d.queueIndex = 0;
    d.weekdayFixed = 0, d.stopHour = 255, d.minuteCount = 0;
  }
  void TearDown() override {
    ClockWorkTable = saved;
    DocState = savedDoc;
  }
  void Ticks(int n) {
    for (int i = 0; i < n; i++) AdvanceClock();
  }
  int Count(const char* what) {
    int n = 0;
    for (auto& c : Calls) n += c == what;
    return n;
  }
};
}  // namespace

TEST_F(ClockFixture, SecondAndMinuteWorkRunInTheirFixedOrder) {
  DocState.second = 58;
  DocState.tick = 49;
  AdvanceClock();  // a new second below 60
  std::vector<std::string> second = {"waiting", "tp", "signals", "queue0", "running"};
  // the five-tick counter was at 0: the queue step comes on the fifth tick, not on this one
  second.erase(second.begin() + 3);
  EXPECT_EQ(Calls, second);
  Calls.clear();
  DocState.tick = 49;
  AdvanceClock();  // second 59 -> 60: the minute's work
  std::vector<std::string> minute = {"waiting",   "depots", "tp",     "schedules", "signals",
                                     "dayphase1", "ratio",  "alarms", "running"};
  EXPECT_EQ(Calls, minute);
  EXPECT_EQ(DocState.minute, 1);
  EXPECT_EQ(DocState.second, 0);
  EXPECT_EQ(DocState.minuteCount, 1u);
}

TEST_F(ClockFixture, QueueStepEveryFifthTickThroughTheTenQueues) {
  Ticks(55);
  std::vector<std::string> queues;
  for (auto& c : Calls)
    if (c.rfind("queue", 0) == 0) queues.push_back(c);
  ASSERT_EQ(queues.size(), 11u);
  EXPECT_EQ(queues[0], "queue0");
  EXPECT_EQ(queues[9], "queue9");
  EXPECT_EQ(queues[10], "queue0");
  EXPECT_EQ(Count("running"), 55);
}

struct Rollover {
  int weekday, hour, minute, second, tick, fixed;
  int weekday2, hour2, minute2, second2, tick2;
  int weekdayPane;
};

TEST_F(ClockFixture, RolloverTable) {
  const Rollover cases[] = {
      {3, 10, 0, 0, 0, 0, 3, 10, 0, 0, 1, 0},     // a plain tick
      {3, 10, 0, 0, 49, 0, 3, 10, 0, 1, 0, 0},    // a second
      {3, 23, 59, 59, 49, 0, 4, 0, 0, 0, 0, 1},   // midnight
      {3, 23, 59, 59, 49, 1, 3, 0, 0, 0, 0, 0},   // midnight, weekday held: no weekday pane
      {7, 23, 59, 59, 49, 0, 1, 0, 0, 0, 0, 1},   // day 7 becomes day 1
      {2, 10, 0, 0, 60, 0, 2, 10, 0, 1, 0, 0},    // a tick beyond its limit rolls over
      {2, 10, 0, 75, 49, 0, 2, 10, 1, 0, 0, 0},   // so does a second ...
      {2, 10, 99, 59, 49, 0, 2, 11, 0, 0, 0, 0},  // ... a minute ...
      {2, 30, 59, 59, 49, 0, 3, 0, 0, 0, 0, 1},   // ... an hour ...
      {9, 23, 59, 59, 49, 0, 1, 0, 0, 0, 0, 1},   // ... and a weekday
  };
  for (const Rollover& c : cases) {
    DocumentState& d = DocState;
    d.weekday = c.weekday, d.hour = c.hour, d.minute = c.minute, d.second = c.second;
    d.tick = c.tick, d.weekdayFixed = c.fixed;
    PartsDrawn = 0;
    AdvanceClock();
    SCOPED_TRACE(testing::Message() << c.weekday << " " << c.hour << ":" << c.minute << ":"
                                    << c.second << "." << c.tick);
    EXPECT_EQ(d.weekday, c.weekday2);
    EXPECT_EQ(d.hour, c.hour2);
    EXPECT_EQ(d.minute, c.minute2);
    EXPECT_EQ(d.second, c.second2);
    EXPECT_EQ(d.tick, c.tick2);
    EXPECT_EQ((PartsDrawn & CLOCKPART_WEEKDAY) != 0, c.weekdayPane != 0);
  }
}

TEST_F(ClockFixture, FastLevelsSkipThePerSecondPanes) {
  DocState.tick = 49;
  DocState.speedLevel = 15;
  AdvanceClock();
  EXPECT_EQ(PartsDrawn, 0u);
  DocState.tick = 49;
  DocState.speedLevel = 14;
  AdvanceClock();
  EXPECT_EQ(PartsDrawn, CLOCKPART_SECOND | CLOCKPART_MAXIMISED | CLOCKPART_WINDOW);
}

TEST_F(ClockFixture, LoopModeSkipsFactorTimesDelayCalls) {
  DocState.loopMode = 1;
  DocState.speedLevel = 19;  // factor 5
  DocState.tickDelay = 3;
  AdvanceClock();  // the counter was 0: this call ticks and sets 15 calls to skip
  EXPECT_EQ(DocState.tick, 1);
  EXPECT_EQ(DocState.skipCounter, 15);
  Ticks(15);
  EXPECT_EQ(DocState.tick, 1);
  AdvanceClock();
  EXPECT_EQ(DocState.tick, 2);
  DocState.speedLevel = 20;  // level 20 never skips
  Ticks(3);
  EXPECT_EQ(DocState.tick, 5);
  // A speed change restarts the count in loop mode.
  DocState.speedLevel = 10;
  DocState.skipCounter = 99;
  EXPECT_EQ(SetClockSpeed(-1), 0);
  EXPECT_EQ(DocState.skipCounter, 0);
}

TEST_F(ClockFixture, SpeedAndTickDelaySetters) {
  struct {
    int from, arg, result, to;
  } cases[] = {{10, 5, 0, 5},  {10, 0, 1, 10}, {10, 21, 1, 10}, {10, -1, 0, 11}, {20, -1, 0, 20},
               {10, -2, 0, 9}, {1, -2, 0, 1},  {7, -3, 0, 15},  {7, -4, 1, 7},   {7, 20, 0, 20}};
  for (auto& c : cases) {
    DocState.speedLevel = c.from;
    EXPECT_EQ(SetClockSpeed(c.arg), c.result) << c.from << " " << c.arg;
    EXPECT_EQ(DocState.speedLevel, c.to) << c.from << " " << c.arg;
  }
  EXPECT_EQ(SetTickDelay(5001), 1);
  EXPECT_EQ(SetTickDelay(0), 1);
  EXPECT_EQ(SetTickDelay(1), 0);
  EXPECT_EQ(GetTickDelay(), 1);
  EXPECT_EQ(SetTickDelay(-1), 0);
  EXPECT_EQ(GetTickDelay(), 4500);
}

TEST_F(ClockFixture, StopTimeLetsTheRepeatCountPassThenStops) {
  DocumentState& d = DocState;
  d.stopHour = 10, d.stopMinute = 1, d.stopWeekday = 0, d.stopRepeat = 2;
  for (int day = 0; day < 3; day++) {
    d.hour = 10, d.minute = 0, d.second = 59, d.tick = 49;
    AdvanceClock();
  }
  EXPECT_EQ(Count("stopfield"), 2);
  EXPECT_EQ(Count("STOP"), 1);
  EXPECT_EQ(d.stopRepeat, 0u);
  // Another weekday than the stop weekday, or no stop time (hour 255), never matches.
  Calls.clear();
  d.stopWeekday = 5, d.weekday = 4;
  d.hour = 10, d.minute = 0, d.second = 59, d.tick = 49;
  AdvanceClock();
  d.stopHour = 255;
  d.hour = 255, d.minute = 0;
  TestStopTime();
  EXPECT_EQ(Count("STOP"), 0);
}

TEST_F(ClockFixture, AutosaveCountsSimulatedSecondsOnlyWhenAsked) {
  uint32_t bits = AutosaveBits;
  DocState.autosaveInterval = 600;
  DocState.autosaveCountdown = 100;
  AutosaveBits = AUTOSAVE_ONLY_MODIFIED;
  DocState.tick = 49;
  AdvanceClock();
  EXPECT_EQ(DocState.autosaveCountdown, 100);
  AutosaveBits = AUTOSAVE_ONLY_MODIFIED | AUTOSAVE_SIMULATED_TIME;
  Ticks(100);  // two simulated seconds
  EXPECT_EQ(DocState.autosaveCountdown, 98);
  AutosaveBits = bits;
}

TEST_F(ClockFixture, ElapsedDays) {
  DocState.minuteCount = 3 * 1440 + 600 + 5;
  DocState.hour = 10, DocState.minute = 5;
  EXPECT_EQ(GetElapsedDays(), 3);
  DocState.minuteCount = 0;  // set at 10:05 and not run yet
  EXPECT_EQ(GetElapsedDays(), 0);
}

// ---- day-time windows -------------------------------------------------------------------------------
static uint32_t T(uint32_t days, int h, int m, int s = 0) {
  return days << 24 | (uint32_t)h << 16 | (uint32_t)m << 8 | (uint32_t)s;
}
constexpr uint32_t ANY = 0x7F;
constexpr uint32_t D(int n) { return 1u << (n - 1); }

TEST(TimeWindows, MatchTable) {
  struct {
    uint32_t value, from, to, match;
  } cases[] = {
      // any day, over midnight
      {T(ANY, 23, 0), T(ANY, 22, 0), T(ANY, 6, 0), T(1, 23, 0)},
      {T(ANY, 5, 59, 59), T(ANY, 22, 0), T(ANY, 6, 0), T(1, 5, 59, 59)},
      {T(ANY, 6, 0), T(ANY, 22, 0), T(ANY, 6, 0), 0},
      {T(ANY, 12, 0), T(ANY, 12, 0), T(ANY, 12, 0), T(1, 12, 0)},  // from = to: all day
      {T(ANY, 9, 0), T(ANY, 8, 0), T(ANY, 17, 0), T(1, 9, 0)},
      {T(ANY, 17, 0), T(ANY, 8, 0), T(ANY, 17, 0), 0},
      // a value on any day against weekday windows: the lowest day of from
      {T(ANY, 9, 0), T(D(2) | D(4), 8, 0), T(0, 10, 0), T(D(2), 9, 0)},
      // the end moves to the next day when to has no weekday
      {T(D(6), 1, 0), T(D(5), 22, 0), T(0, 2, 0), T(D(6), 1, 0)},
      {T(D(6), 2, 0), T(D(5), 22, 0), T(0, 2, 0), 0},
      {T(D(5), 23, 0), T(D(5), 22, 0), T(0, 2, 0), T(D(5), 23, 0)},
      // over the end of the week
      {T(D(1), 3, 0), T(D(7), 20, 0), T(D(1), 6, 0), T(D(1), 3, 0)},
      {T(D(3), 3, 0), T(D(7), 20, 0), T(D(1), 6, 0), 0},
      // only the lowest day of to counts
      {T(D(3), 12, 0), T(D(2), 8, 0), T(D(3) | D(5), 10, 0), 0},
      {T(D(2), 12, 0), T(D(2), 8, 0), T(D(3) | D(5), 10, 0), T(D(2), 12, 0)},
      // the first matching day of the value
      {T(D(1) | D(3), 9, 0), T(D(3), 8, 0), T(0, 10, 0), T(D(3), 9, 0)},
      // no weekday in from: nothing
      {T(D(3), 9, 0), T(0, 8, 0), T(0, 10, 0), 0},
      {T(0, 9, 0), T(D(3), 8, 0), T(0, 10, 0), 0},
  };
  for (auto& c : cases) {
    EXPECT_EQ(MatchTimeWindow(c.value, c.from, c.to), c.match)
        << std::hex << c.value << " in " << c.from << ".." << c.to;
    EXPECT_EQ(IsInTimeWindow(c.value, c.from, c.to), c.match != 0);
  }
}

TEST(TimeWindows, LowestWeekdayBitAndOverlaps) {
  EXPECT_EQ(LowestWeekdayBit(0), 0u);
  EXPECT_EQ(LowestWeekdayBit(0x80), 0u);
  EXPECT_EQ(LowestWeekdayBit(0x7F), 1u);
  EXPECT_EQ(LowestWeekdayBit(0x50), 0x10u);
  uint32_t list[4] = {T(ANY, 8, 0), T(ANY, 10, 0), T(ANY, 20, 0), T(ANY, 21, 0)};
  EXPECT_EQ(TimeWindowOverlapsList(T(ANY, 9, 0), T(ANY, 12, 0), list, 2), 1);
  EXPECT_EQ(TimeWindowOverlapsList(T(ANY, 10, 0), T(ANY, 12, 0), list, 2), 0);  // touching
  EXPECT_EQ(TimeWindowOverlapsList(T(ANY, 8, 30), T(ANY, 9, 0), list, 2), 1);   // inside
  EXPECT_EQ(TimeWindowOverlapsList(T(ANY, 11, 0), T(ANY, 19, 0), list, 2), 0);
  uint32_t other[2] = {T(ANY, 20, 30), T(ANY, 22, 0)};
  EXPECT_EQ(TimeWindowListsOverlap(list, 2, other, 1), 1);
  EXPECT_EQ(TimeWindowListsOverlap(list, 1, other, 1), 0);
}

TEST_F(ClockFixture, ClockWindowsUseTheClockDayTime) {
  DocState.weekday = 3, DocState.hour = 23, DocState.minute = 30, DocState.second = 0;
  EXPECT_EQ(ClockDayTime(), T(D(3), 23, 30));
  EXPECT_EQ(IsClockInTimeWindow(T(ANY, 22, 0), T(ANY, 6, 0)), 1);
  EXPECT_EQ(IsClockInTimeWindow(T(D(2), 22, 0), T(0, 6, 0)), 0);
  EXPECT_EQ(MatchClockWindow(T(D(4), 1, 0), T(0, 2, 0)), T(D(4), 1, 0));
  DocState.weekday = 0;  // outside 1..7: counts as day 1
  EXPECT_EQ(ClockDayTime() >> 24, 1u);
}

// ---- clock texts ---------------------------------------------------------------------------------------
TEST_F(ClockFixture, ClockTextsNeverNameADayOutsideTheWeek) {
  std::u16string monday = GetLangText(LANG_ID(17021));
  for (int w : {0, 8, 200, -5}) EXPECT_EQ(std::u16string(ClockWeekdayName(w)), monday) << w;
  EXPECT_EQ(std::u16string(ClockWeekdayName(7)), std::u16string(GetLangText(LANG_ID(17027))));
  char16_t field[4];
  FormatWeekdayField(3, field);
  std::u16string name = GetLangText(LANG_ID(17023));
  std::u16string want = name.size() >= 3 ? name.substr(name.size() - 3)
                                         : std::u16string(3 - name.size(), u' ') + name;
  EXPECT_EQ(std::u16string(field), want);
  char16_t t[16];
  FormatClockNumber(t, u"%2i", 7);
  EXPECT_EQ(std::u16string(t), u" 7");
  FormatClockNumber(t, u":%02i", 7);
  EXPECT_EQ(std::u16string(t), u":07");
}

TEST_F(ClockFixture, ClockWindowTextAndPanesFollowTheClock) {
  DocState.weekday = 2, DocState.hour = 9, DocState.minute = 5, DocState.second = 3;
  char16_t t[40];
  std::u16string name = ClockWeekdayName(2);
  FormatClockWindowText(t, 0);
  EXPECT_EQ(std::u16string(t), name + u": 9:05:03 ");
  FormatClockWindowText(t, 1);
  EXPECT_EQ(std::u16string(t), name + u": 9:05 ");
  FormatMaximisedClockText(t, 1);
  EXPECT_EQ(std::u16string(t), name + u": 9:05   ");
}

// The day phase follows the simulated time: the clock's minute step recomputes it with the real
// work table, so the dawn begins on the minute the network's times say.
TEST_F(ClockFixture, DayPhaseChangesOnTheSimulatedMinute) {
  ClockWorkTable = saved;
  DocumentState& d = DocState;
  d.dayPhaseOptions = 1;
  d.dayTimes[0] = 0x0700, d.dayTimes[1] = 0x1100, d.dayTimes[2] = 0x121E, d.dayTimes[3] = 0x051E;
  d.hour = 5, d.minute = 29, d.second = 59, d.tick = 49, d.stopHour = 255;
  UpdateDayPhase(0);
  EXPECT_EQ(DayPhase & 7, DAYPHASE_NIGHT);
  Ticks(1);
  ASSERT_EQ(d.minute, 30);
  EXPECT_EQ(DayPhase & 7, DAYPHASE_DAWN);
}
