// The clock drawers of the native build: no display; each drawer keeps the text it would draw, so
// tests can read what a clock step shows.
#include "trains/clock_texts.h"
#include "model/general_section.h"
#include "model/grid.h"

void* ClockWindowForDrawing = nullptr;
uint32_t (*ClockColour)(int number) = nullptr;
void* (*ClockFont)() = nullptr;
ClockDrawLog ClockDrawn = {};

static int Fast() { return DocState.speedLevel >= 15 && IsSimulationRunning(); }

void DrawWeekdayPane(void* dc) {
  FormatWeekdayField(DocState.weekday, ClockDrawn.weekday);
  ClockDrawn.count++;
}
void DrawHourPane(void* dc) {
  FormatClockNumber(ClockDrawn.hour, u"%2i", DocState.hour);
  ClockDrawn.count++;
}
void DrawMinutePane(void* dc) {
  FormatClockNumber(ClockDrawn.minute, u":%02i", DocState.minute);
  ClockDrawn.count++;
}
void DrawSecondPane(void* dc) {
  if (Fast())
    ClockDrawn.second[0] = 0;
  else
    FormatClockNumber(ClockDrawn.second, u":%02i", DocState.second);
  ClockDrawn.count++;
}
void DrawSpeedPane(void* dc) {
  FormatClockNumber(ClockDrawn.speed, u"%2i", DocState.speedLevel);
  ClockDrawn.count++;
}
void DrawMaximisedClockTexts() { ClockDrawn.count++; }
void DrawClockWindow(void* dc) {
  FormatClockWindowText(ClockDrawn.window, Fast());
  ClockDrawn.count++;
}
