// The texts of the clock display and its drawers (the status panes, the maximised edit windows'
// menu bars, the clock window).
#pragma once
#include <cstdint>

// The weekday's name (language text 17020 + weekday; a weekday outside 1..7 shows day 1).
const char16_t* ClockWeekdayName(int weekday);
// Three blanks with the last up to three characters of the weekday name copied right-aligned.
void FormatWeekdayField(int weekday, char16_t out[4]);
// One number in the form "%2i", ":%02i".
void FormatClockNumber(char16_t* out, const char16_t* form, int value);
// "%3s:%2u:%02u:%02u " (fast: "%3s:%2u:%02u "); returns the length.
int FormatClockWindowText(char16_t* out, int fast);
// "%s:%2u:%02u:%02u" (fast: "%s:%2u:%02u   "); returns the length.
int FormatMaximisedClockText(char16_t* out, int fast);

void DrawWeekdayPane(void* dc);
void DrawHourPane(void* dc);
void DrawMinutePane(void* dc);
void DrawSecondPane(void* dc);
void DrawSpeedPane(void* dc);
void DrawMaximisedClockTexts();

// The clock window (set by its window procedure while it exists; null: none).
extern void* ClockWindowForDrawing;
// Display colours by number (a stand-in until the colours exist) and display font 2.
extern uint32_t (*ClockColour)(int number);
extern void* (*ClockFont)();

// Native build: the texts the drawers last drew (the Win32 build draws them).
struct ClockDrawLog {
  char16_t weekday[4], hour[8], minute[8], second[8], speed[8], window[40];
  int count;  // drawer calls
};
extern ClockDrawLog ClockDrawn;
