// The event display list: at most 200 noteworthy events of the simulation (a train without track
// ahead, a join, a blocked train, a due schedule ...), the per-kind filter and stop options, their
// option-file texts, the status-window indicator, the block hooks, and the list and filter dialogs
// (trains/event_dialogs.cpp). The add, clear, count and filter entries are declared with the
// other train services (trains/train_services.h).
#pragma once
#include <cstdint>
#include "app/dialog.h"
#include "core/platform.h"
#include "trains/train_services.h"

constexpr int EVENT_LIST_MAX = 200;  // entries the list holds
constexpr int EVENT_KIND_LAST = 29;  // kinds 1..29
// Capacities (characters with the terminator) of the texts FormatEventText writes.
constexpr int EVENT_TEXT_CHARS = 400;
constexpr int EVENT_TIME_CHARS = 12;
// Capacity of one line of the list text (without its terminator's share of the whole).
constexpr int EVENT_LINE_CHARS = 512;

// Language texts: event text EVENT_TEXT_BASE + kind, its name in the filter dialogs
// EVENT_NAME_BASE + kind; help topic EVENT_HELP_BASE + kind.
constexpr uint32_t EVENT_TEXT_BASE = 4500, EVENT_NAME_BASE = 4600, EVENT_HELP_BASE = 45500;

struct EventDisplayEntry {
  uint32_t kind;  // 1..29
  uint32_t day;   // elapsed days when added
  uint8_t weekday, hour, minute, second;
  uint32_t subNumber;  // of the train concerned, 0 none
  uint32_t x, y;       // 0..32767
  int32_t level;       // 0..-4
  uint32_t line, secondLine;
  uint32_t value;  // by kind: signal system, time of day, seconds blocked ...
};

// The entry at index (0 = oldest) or null past the count.
const EventDisplayEntry* GetEventDisplayEntry(int index);
// Removes the entry and moves the later ones down; an index outside 0..count-1 does nothing. With
// redraw non-zero the indicator is redrawn.
void DeleteEventDisplayEntry(int index, int redraw);
int GetEventDisplayNewFlag();  // 1 while entries were added that the list has not shown
void MarkEventDisplaySeen();   // clears that flag and redraws the indicator

// The event text of a kind (text, then its kind's extra part) into out (EVENT_TEXT_CHARS); with
// timeText (EVENT_TIME_CHARS, may be null) the time of day a kind-26 event names ("" for other
// kinds). hour, minute, second: the clock of the moment; value -1 stands for an unknown time.
// Returns the text's length plus 1.
int FormatEventText(int kind, int x, int y, int level, int hour, int minute, int second,
                    int32_t value, char16_t* out, char16_t* timeText);

// The list text of the dialog: one line per entry, each ended by a 0 unit, the whole by one more.
// A MemAlloc block (the caller frees it), null when the list is empty or memory is short.
char16_t* BuildEventListText();

// ---- option-file texts --------------------------------------------------------------------------
// "DispNAllg": two letters, 'S' (bit 1), 'X' (bit 2 without bit 1) or '0'; 'V' (bit 4) or '0'.
void FormatEventOptionText(char16_t out[3]);
// 0 taken; 1 another letter (nothing changes). A missing letter leaves its bits as they are.
int ParseEventOptionText(const char16_t* text, int length);
// "DispNn": one letter per kind 1..29, 'B' flag 1, 'C' flag 2, 'j' flag 0.
void FormatEventKindsText(char16_t out[EVENT_KIND_LAST + 1]);
// 0 taken; 1 faulty (nothing changes): a letter other than B, C, j anywhere. A shorter text
// leaves the remaining kinds as they are; letters after the 29th are not used.
int ParseEventKindsText(const char16_t* text, int length);
// The old key "A": position 0 'S' sets option 1; positions 1..29 'B' on, 'j' off, 'A' on (off for
// kind 9), 'i' on for kinds 18..24 and off for the others; other letters leave the kind. Always 0.
int ParseOldEventText(const char16_t* text, int length);
// The option-file defaults: option 0; kinds 3-7, 10-12, 16-25, 28, 29 flag 1, the others 0.
void SetDefaultEventFilter();

// ---- the status window's indicator -----------------------------------------------------------------
// The indicator's look now: its colour number (101 empty, 102 entries seen, 103 entries not yet
// seen, 104 full) and its first glyph (0x12 or 0x15; three glyphs follow on).
int GetEventIndicatorLook(char16_t* firstGlyph);
// Draws the indicator into status pane 28; dc null: the status window's context (nothing when
// there is none).
void DrawEventIndicator(void* dc);

// ---- block hooks (box given by two corners, bounds inclusive) ------------------------------------------
void MoveEventDisplayEntries(int x1, int y1, int level1, int x2, int y2, int level2, int dx, int dy,
                             int dlevel);
void TransformEventDisplayEntries(int x1, int y1, int level1, int x2, int y2, int level2, int a,
                                  int b, int c, int d);
void DeleteEventDisplayEntriesInBox(int x1, int y1, int level1, int x2, int y2, int level2);

// ---- sound -----------------------------------------------------------------------------------------
// Requests the event sound n (1 the first event not yet seen, 2 later ones). The default posts
// the sound message to the main window; tests may replace it.
extern void (*EventSoundRequest)(int n);
// The default: WM_USER+5 with wParam n and lParam 2 (sound-option bit 2) posted to the main
// window, which plays the sound unless input is waiting (nothing in the native build).
void PostEventSound(int n);
// Draws the indicator's three glyphs at the pane's corner (the Win32 build into the status
// window; the native build keeps what it would draw in EventIndicatorDrawn).
void DrawEventIndicatorGlyphs(void* dc, int x, int y, const char16_t* glyphs, uint32_t colour,
                              uint32_t background);
struct EventIndicatorDrawing {
  int count, x, y;
  uint32_t colour;
  char16_t glyphs[4];
};
extern EventIndicatorDrawing EventIndicatorDrawn;  // native build only

// ---- dialogs (trains/event_dialogs.cpp) -------------------------------------------------------------
// The list dialog's procedure (dialog 93).
intptr_t QUIL_DLGCALL DlgF_Disp(WrapWindow window, uint32_t message, uintptr_t wParam,
                                intptr_t lParam);
void EditEventStopOptions(WrapWindow parent);
void EditEventFilterPage1(WrapWindow parent);
void EditEventFilterPage2(WrapWindow parent);
void EditEventFilterPage3(WrapWindow parent);
