// The simulation clock: one step of 1/50 simulated second with its per-second and per-minute work
// in a fixed order, the stop-time test, and the packed day-time windows of the whole program.
// The clock values themselves live in the document state (DocState, model/general_section.h).
#pragma once
#include <cstdint>

// Parts of the clock display that a step redraws (DrawClockParts).
constexpr uint32_t CLOCKPART_WEEKDAY = 1;
constexpr uint32_t CLOCKPART_HOUR = 2;
constexpr uint32_t CLOCKPART_MINUTE = 4;
constexpr uint32_t CLOCKPART_SECOND = 8;
constexpr uint32_t CLOCKPART_SPEED = 16;
constexpr uint32_t CLOCKPART_MAXIMISED = 32;  // the clock texts of maximised edit windows
constexpr uint32_t CLOCKPART_WINDOW = 64;     // the clock window
constexpr uint32_t CLOCKPART_ALL = 127;

// The time-driven work of the other components, called by AdvanceClock in its fixed order. A row
// left null belongs to a component that is not part of the program yet (its work is skipped).
struct ClockWork {
  void (*stepWaitingTrains)();           // every simulated second, first
  void (*stepTpSchedules)();             // every second and every minute
  void (*switchSignalsByTime)();         // every second and every minute
  void (*startDepotTrainsBySchedule)();  // every minute
  void (*applyTrainSchedules)();         // every minute
  void (*updateDayPhase)(int mode);      // every minute, with 1
  void (*resetRatioSwitchesByTime)();    // every minute
  void (*onStopTimeReached)();           // the stop time has come
  void (*drawStopTimeField)(void* dc);   // a stop-time match let pass
  void (*checkPositionAlarms)();         // every minute, last
  void (*stepTrainQueue)(int queue);     // every fifth tick, queues 0..9 in turn
  void (*stepRunningTrains)();           // every tick
  void (*drawClockParts)(uint32_t parts);
};
extern ClockWork ClockWorkTable;

// Skip factor of loop mode per speed level (entry 0 belongs to no level).
extern const uint16_t ClockSkipFactor[21];

// The clock's current packed day-time (a weekday outside 1..7 counts as day 1).
uint32_t ClockDayTime();
// The stop-time test of a new minute (hour 255: no stop time).
void TestStopTime();
int32_t GetElapsedDays();
uint32_t LowestWeekdayBit(uint32_t mask);
uint32_t MatchTimeWindow(uint32_t value, uint32_t from, uint32_t to);
uint32_t MatchClockWindow(uint32_t value, uint32_t to);
// Draws the named clock parts (the status panes, the maximised-window texts, the clock window).
void DrawClockParts(uint32_t parts);
