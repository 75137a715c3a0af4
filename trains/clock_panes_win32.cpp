// The clock texts: the weekday, hour, minute, second and speed panes of the status window, the
// clock texts in the menu bars of maximised edit windows, and the clock window.
#include <windows.h>
#include "app/editwnd.h"
#include "core/langtext.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "core/platform_ui.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/clock_texts.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"
#include "views/view_services.h"

void* ClockWindowForDrawing = nullptr;

// Display colours by number until the colour table exists (pane 32 / 34, clock window 125 / 126,
// menu bar 251 / 252); platform colours with red in the low byte. Display font 2 for the panes and
// the clock window.
uint32_t (*ClockColour)(int number) = GetColour;  // the display colours
void* (*ClockFont)() = GetDisplayFont2;

constexpr uint32_t kOpaque = 2;               // ETO_OPAQUE
constexpr uint32_t kSourceCopy = 0x00CC0020;  // SRCCOPY
constexpr int kStatusClockPane = 25, kStatusSpeedPane = 24;

static int ClockIsFast() { return DocState.speedLevel >= 15 && IsSimulationRunning(); }

// One field of a status pane: its rectangle filled with colour 32, the text in colour 34.
static void DrawPaneField(void* dc, int pane, int from, int to, const char16_t* text) {
  int top, width, height;
  int left = GetStatusPaneRect(pane, &top, &width, &height);
  if (!dc || left < 0) return;
  WrapRect r = {left + from, top, left + to + 1, top + height};
  WrapSetBkColor(dc, ClockColour(32));
  WrapSetTextColor(dc, ClockColour(34));
  void* oldFont = ClockFont ? WrapSelectObject(dc, ClockFont()) : nullptr;
  int n = 0;
  while (text[n]) n++;
  WrapExtTextOut(dc, left + from, top, kOpaque, &r, text, (uint32_t)n, nullptr);
  if (oldFont) WrapSelectObject(dc, oldFont);
}

void DrawWeekdayPane(void* dc) {
  char16_t t[8];
  FormatWeekdayField(DocState.weekday, t);
  DrawPaneField(dc, kStatusClockPane, 64, 95, t);
}

void DrawHourPane(void* dc) {
  char16_t t[8];
  FormatClockNumber(t, u"%2i", DocState.hour);
  DrawPaneField(dc, kStatusClockPane, 104, 119, t);
}

void DrawMinutePane(void* dc) {
  char16_t t[8];
  FormatClockNumber(t, u":%02i", DocState.minute);
  DrawPaneField(dc, kStatusClockPane, 120, 143, t);
}

void DrawSecondPane(void* dc) {
  char16_t t[8];
  if (ClockIsFast())
    t[0] = 0;  // at the fast levels the field is only filled
  else
    FormatClockNumber(t, u":%02i", DocState.second);
  DrawPaneField(dc, kStatusClockPane, 144, 167, t);
}

void DrawSpeedPane(void* dc) {
  char16_t t[8];
  FormatClockNumber(t, u"%2i", DocState.speedLevel);
  DrawPaneField(dc, kStatusSpeedPane, 72, 87, t);
}

void DrawMaximisedClockTexts() {
  char16_t clock[40], speed[8];
  FormatMaximisedClockText(clock, ClockIsFast());
  FormatClockNumber(speed, u"%2i", DocState.speedLevel);
  int y = WrapGetSystemMetrics(4) - WrapGetSystemMetrics(6) + WrapGetSystemMetrics(33) +
          (WrapGetSystemMetrics(15) - 16) / 2;
  for (int i = 0; i < EDIT_SLOTS; i++) {
    EditViewSlot& w = EditViews.slot[i];
    if (!w.window || w.showState != 3) continue;
    WrapRect r;
    if (!WrapGetWindowRect(w.window, &r)) continue;
    void* dc = WrapGetWindowDC(w.window);
    if (!dc) continue;
    int x = r.right - r.left - 96;
    DrawSymbolText(dc, x - 24, y, speed, ClockColour(251), 0, ClockColour(252), 2);
    DrawSymbolText(dc, x, y, clock, ClockColour(251), 0, ClockColour(252), 12);
    WrapReleaseDC(w.window, dc);
  }
}

void DrawClockWindow(void* dc) {
  void* window = ClockWindowForDrawing;
  int own = dc == nullptr;
  if (own) {
    if (!window) return;
    dc = WrapGetDC(window);
    if (!dc) return;
  }
  char16_t text[40];
  int n = FormatClockWindowText(text, ClockIsFast());
  void* memory = WrapCreateCompatibleDC(dc);
  // The face is an 80 x 20 picture in display font 2; a font wider than the face was made for
  // (the font settings can be changed) grows the picture to the text, so no part is cut off.
  int faceWidth = 80, faceHeight = 20;
  void* oldFont = nullptr;
  if (memory && ClockFont) oldFont = WrapSelectObject(memory, ClockFont());
  if (memory) {
    WrapSize extent = {0, 0};
    WrapGetTextExtentPoint32(memory, text, n, &extent);
    if (extent.cx > faceWidth) faceWidth = extent.cx;
    if (extent.cy > faceHeight) faceHeight = extent.cy;
  }
  void* bitmap = memory ? WrapCreateCompatibleBitmap(dc, faceWidth, faceHeight) : nullptr;
  if (bitmap) {
    void* oldBitmap = WrapSelectObject(memory, bitmap);
    WrapSetTextColor(memory, ClockColour(125));
    WrapSetBkColor(memory, ClockColour(126));
    WrapRect face = {0, 0, faceWidth, faceHeight};
    WrapExtTextOut(memory, 0, 0, kOpaque, &face, text, (uint32_t)n, nullptr);
    WrapRect client = {0, 0, faceWidth, faceHeight};
    if (window) WrapGetClientRect(window, &client);
    WrapStretchBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top, memory, 0, 0,
                   faceWidth, faceHeight, kSourceCopy);
    WrapSelectObject(memory, oldBitmap);
    WrapDeleteObject(bitmap);
  }
  if (oldFont) WrapSelectObject(memory, oldFont);
  if (memory) WrapDeleteDC(memory);
  if (own) WrapReleaseDC(window, dc);
}
