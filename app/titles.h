// Window titles: the main window with the network name and state, the edit windows with their
// number, network and scale, the clock window; "(2)" marks a second instance.
#pragma once
#include <cstdint>

constexpr int TITLE_CHARS = 600;  // title buffers, terminator included

// The parts come from language texts and the program state; null counts as an empty text.
// Each writes at most capacity units (terminator included) and returns the length written.
// Main: "%s%s %s %s %s %s%s" = name, mark, text 8120, network, modified text, log text, log name.
int ComposeMainTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8120,
                     const char16_t* network, const char16_t* modifiedText, const char16_t* logText,
                     const char16_t* logName);
// Edit window n: "%s%s %s%u %s %s %u:%u %s" = name, mark, text 8121, n, network, text 8122,
// scale a:b, follow label.
int ComposeEditTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8121,
                     uint32_t n, const char16_t* network, const char16_t* text8122, uint32_t a,
                     uint32_t b, const char16_t* followLabel);
// Clock: "%s%s %s" = name, mark, text 8125.
int ComposeClockTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8125);

// Hours, minutes and seconds of the running-time message; 0 when the run was shorter than 1504
// seconds (then only the closing text is shown), else 1.
int RunTimeParts(uint32_t seconds, uint32_t* hours, uint32_t* minutes, uint32_t* secs);

// Updates the titles: -2 clock only, -1 main, clock and all edit windows, 0 main only, 1..6 edit
// window n only. Windows that do not exist are skipped.
void UpdateWindowTitles(int which);

extern int SecondInstance;  // 1 when the program's mutex already existed at start

// Window kinds of the title targets.
constexpr int TITLE_MAIN = 0, TITLE_EDIT = 1, TITLE_CLOCK = 2;
// Build-specific: whether the main or clock window exists, and setting a window's title text
// (slot: the edit-window slot for TITLE_EDIT, else 0). The native build keeps the texts.
int TitleWindowExists(int kind);
void ApplyWindowTitle(int kind, int slot, const char16_t* text);
// Native build: the last title applied to each window (main, six edit windows, clock) and the
// stand-ins for the existence of the main and clock windows.
const char16_t* GetAppliedTitle(int kind, int slot);
void SetTitleWindowExists(int kind, int exists);
