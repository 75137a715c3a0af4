// The simulation clock step and the day-time windows.
#include "trains/sim_clock.h"
#include "app/daytime_entry.h"
#include "graphics/colours.h"
#include "model/general_section.h"
#include "model/netfile_options.h"
#include "signalling/switch_control.h"
#include "trains/train_running.h"
#include "trains/train_services.h"
#include "views/view_services.h"

static void DrawStopTimeFieldDefault(void* dc) { DrawStopTimeField(dc); }

ClockWork ClockWorkTable = {
    StepWaitingTrains,
    nullptr,                   // stepTpSchedules: the TP elements
    nullptr,                   // switchSignalsByTime: the signals
    StartDepotTrainsBySchedule,
    ApplyTrainSchedules,
    UpdateDayPhase,            // the colours and the day phase
    ResetRatioSwitchesByTime,  // the switches
    OnStopTimeReached,         // the day-time entry services
    DrawStopTimeFieldDefault,  // the stop-time field
    CheckPositionAlarms,       // the saved positions
    StepTrainQueue,
    StepRunningTrains,
    DrawClockParts,
};

const uint16_t ClockSkipFactor[21] = {0,  0,  570, 480, 400, 330, 270, 220, 180, 145, 125,
                                      90, 70, 55,  40,  30,  22,  15,  10,  5,   0};

int SetTickDelay(int value) {
  if (value == -1) value = 4500;
  if (value < 1 || value > 5000) return 1;
  DocState.tickDelay = value;
  return 0;
}

int GetTickDelay() { return DocState.tickDelay; }

uint32_t ClockDayTime() {
  const DocumentState& d = DocState;
  int w = d.weekday >= 1 && d.weekday <= 7 ? d.weekday : 1;
  return (1u << (w - 1)) << 24 | (uint32_t)(d.hour & 0xFF) << 16 |
         (uint32_t)(d.minute & 0xFF) << 8 | (uint32_t)(d.second & 0xFF);
}

static void Draw(uint32_t parts) {
  if (ClockWorkTable.drawClockParts) ClockWorkTable.drawClockParts(parts);
}

template <typename F, typename... A>
static void Run(F f, A... a) {
  if (f) f(a...);
}

void TestStopTime() {
  DocumentState& d = DocState;
  if (d.stopHour == 255 || d.hour != d.stopHour || d.minute != d.stopMinute) return;
  if (d.stopWeekday != 0 && d.stopWeekday != d.weekday) return;
  if (d.stopRepeat == 0) {
    Run(ClockWorkTable.onStopTimeReached);
  } else {
    d.stopRepeat--;
    Run(ClockWorkTable.drawStopTimeField, nullptr);
  }
}

// A new minute: the clock values roll over at (or beyond) their limits, so values loaded from a
// file that lie outside their ranges come back into them.
static void NewMinute() {
  DocumentState& d = DocState;
  const ClockWork& w = ClockWorkTable;
  d.minuteCount++;
  d.second = 0;
  if (d.speedLevel < 15) Draw(CLOCKPART_SECOND | CLOCKPART_MAXIMISED | CLOCKPART_WINDOW);
  d.minute++;
  if (d.minute >= 60 || d.minute < 0) {
    d.minute = 0;
    d.hour++;
    if (d.hour >= 24 || d.hour < 0) {
      d.hour = 0;
      if (!d.weekdayFixed) {
        d.weekday = d.weekday >= 7 || d.weekday < 1 ? 1 : d.weekday + 1;
        Draw(CLOCKPART_WEEKDAY);
      }
    }
    Draw(CLOCKPART_HOUR);
  }
  Draw(CLOCKPART_MINUTE | CLOCKPART_MAXIMISED | CLOCKPART_WINDOW);
  Run(w.startDepotTrainsBySchedule);
  Run(w.stepTpSchedules);
  Run(w.applyTrainSchedules);
  Run(w.switchSignalsByTime);
  Run(w.updateDayPhase, 1);
  Run(w.resetRatioSwitchesByTime);
  TestStopTime();
  Run(w.checkPositionAlarms);
}

// Set while a step runs: the step may wait in a modal question, whose message loop lets commands
// through; those that free, move or replace trains or clear the network are refused meanwhile.
static int StepActive = 0;
int IsSimulationStepActive() { return StepActive > 0; }

static void ClockStep();

void AdvanceClock() {
  StepActive++;
  ClockStep();
  StepActive--;
}

static void ClockStep() {
  DocumentState& d = DocState;
  const ClockWork& w = ClockWorkTable;
  if (d.loopMode && d.speedLevel >= 2 && d.speedLevel <= 19) {
    if (d.skipCounter != 0) {
      d.skipCounter--;
      return;
    }
    d.skipCounter = ClockSkipFactor[d.speedLevel] * d.tickDelay;
  }
  d.tick++;
  if (d.tick >= 50 || d.tick < 0) {
    d.tick = 0;
    Run(w.stepWaitingTrains);
    d.second++;
    if (d.second < 60 && d.second >= 0) {
      Run(w.stepTpSchedules);
      Run(w.switchSignalsByTime);
      if (d.speedLevel < 15) Draw(CLOCKPART_SECOND | CLOCKPART_MAXIMISED | CLOCKPART_WINDOW);
    } else {
      NewMinute();
    }
    LowerAutosaveCountdown(1);  // a simulated second (counts with autosave flag 2)
  }
  d.fiveTick++;
  if (d.fiveTick >= 5 || d.fiveTick < 0) {
    d.fiveTick = 0;
    if (d.queueIndex < 0 || d.queueIndex >= 10) d.queueIndex = 0;
    Run(w.stepTrainQueue, (int)d.queueIndex);
    d.queueIndex = d.queueIndex >= 9 ? 0 : d.queueIndex + 1;
  }
  Run(w.stepRunningTrains);
}

// ---- day-time windows ----------------------------------------------------------------------------
uint32_t LowestWeekdayBit(uint32_t mask) {
  for (uint32_t b = 1; b <= 64; b <<= 1)
    if (mask & b) return b;
  return 0;
}

static int WeekdayNumber(uint32_t bit) {
  int n = 1;
  while (bit > 1) {
    bit >>= 1;
    n++;
  }
  return n;
}

static int InWindow(uint32_t v, uint32_t f, uint32_t t) {
  return f >= t ? (v >= f || v < t) : (f <= v && v < t);
}

uint32_t MatchTimeWindow(uint32_t value, uint32_t from, uint32_t to) {
  uint32_t fromTop = from >> 24, valueTop = value >> 24;
  if (fromTop == 0x7F || valueTop == 0x7F) {
    uint32_t f = from & ~0x7F000000u, t = to & ~0x7F000000u, v = value & ~0x7F000000u;
    if (!InWindow(v, f, t)) return 0;
    if (fromTop == 0x7F) return v | 0x01000000u;
    return LowestWeekdayBit(fromTop) << 24 | v;
  }
  uint32_t fromMask = fromTop & 0x7F, toMask = (to >> 24) & 0x7F, valueMask = valueTop & 0x7F;
  if (!fromMask) return 0;
  uint32_t fromTime = from & 0xFFFFFF, toTime = to & 0xFFFFFF, valueTime = value & 0xFFFFFF;
  uint32_t tEnd = 0;
  if (toMask) tEnd = (uint32_t)WeekdayNumber(LowestWeekdayBit(toMask)) << 24 | toTime;
  for (uint32_t d = 1; d <= 7; d++) {
    if (!(fromMask & (1u << (d - 1)))) continue;
    uint32_t f = d << 24 | fromTime;
    if (!toMask) {
      uint32_t e = fromTime < toTime ? d : (d == 7 ? 1 : d + 1);
      tEnd = e << 24 | toTime;
    }
    for (uint32_t e = 1; e <= 7; e++) {
      if (!(valueMask & (1u << (e - 1)))) continue;
      if (InWindow(e << 24 | valueTime, f, tEnd)) return (1u << (e - 1)) << 24 | valueTime;
    }
  }
  return 0;
}

int IsInTimeWindow(uint32_t value, uint32_t from, uint32_t to) {
  return MatchTimeWindow(value, from, to) != 0;
}

int IsClockInTimeWindow(uint32_t from, uint32_t to) {
  return IsInTimeWindow(ClockDayTime(), from, to);
}

uint32_t MatchClockWindow(uint32_t value, uint32_t to) {
  return MatchTimeWindow(value, ClockDayTime(), to);
}

int TimeWindowOverlapsList(uint32_t from, uint32_t to, const uint32_t* pairs, int n) {
  for (int i = 0; i < n; i++) {
    uint32_t a = pairs[2 * i], b = pairs[2 * i + 1];
    if (IsInTimeWindow(a, from, to)) return 1;
    if (IsInTimeWindow(b, from, to) && (b & 0xFFFFFF) != (from & 0xFFFFFF)) return 1;
    if (IsInTimeWindow(from, a, b)) return 1;
  }
  return 0;
}

int TimeWindowListsOverlap(const uint32_t* listA, int nA, const uint32_t* listB, int nB) {
  for (int i = 0; i < nA; i++)
    if (TimeWindowOverlapsList(listA[2 * i], listA[2 * i + 1], listB, nB)) return 1;
  return 0;
}

int32_t GetElapsedDays() {
  const DocumentState& d = DocState;
  return (int32_t)(d.minuteCount - (uint32_t)d.hour * 60 - (uint32_t)d.minute) / 1440;
}
