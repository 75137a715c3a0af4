// Info boxes: small modeless windows that show the progress of a long operation (loading,
// saving, exports, searches); up to three stack, and F12 aborts a cancellable one.
#pragma once

#include <cstdint>
#include "core/infobox_hooks.h"  // kInfoBoxTextSlot
constexpr int kInfoBoxMaxLevels = 3;
constexpr int kInfoBoxHeight = 96;

// Opens a box above the current ones. boxText: the fixed text (cut at 99 characters),
// caption: the window caption, progressWidth: characters reserved for the progress text,
// cancellable: non-zero when F12 may abort. Returns the new level 0..2, -1 when three boxes
// are already open, -2 when the window could not be made (the level is given back).
int OpenInfoBox(const char16_t* boxText, const char16_t* caption, int progressWidth,
                int cancellable);

// Draws the progress text into the topmost box at once. 0, or -1 when no box is open.
int SetInfoBoxText(const char16_t* progressText);

// Closes the topmost box. 0, or -1 when no box is open.
int CloseInfoBox();

// 1 when the topmost box is cancellable and F12 is held down right now, else 0.
int IsInfoBoxAbortPressed();

// Current level: -1 when no box is open, else 0..2.
int GetInfoBoxLevel();

// ---- geometry (portable, used by the window code) -------------------------------------------

// Width of a box in pixels: (text length + progress width + 11) x 8; a cancellable box is at
// least abortTextWidth + 64 wide; never wider than screenWidth - 48.
int InfoBoxWidth(int textLength, int progressWidth, int cancellable, int abortTextWidth,
                 int screenWidth);

// Position of a box of the given width centred on its owner's window rectangle; x is 0 when
// the centred left edge would fall below 1. Height is kInfoBoxHeight.
void InfoBoxPosition(int ownerLeft, int ownerTop, int ownerRight, int ownerBottom, int boxWidth,
                     int* x, int* y);

// x of the progress text: 8 x text length + 48.
int InfoBoxProgressX(int textLength);

// y of the box text and of the progress text: 16 in a cancellable box, 24 otherwise.
int InfoBoxTextY(int cancellable);

// State of one level, readable for the window code and tests.
struct InfoBoxSlot {
  void* window;                         // platform window handle, null in the native build
  char16_t text[kInfoBoxTextSlot];      // box text
  char16_t progress[kInfoBoxTextSlot];  // last progress text drawn
  int progressX;
  int progressWidth;
  int cancellable;
  int x, y, width;  // window position and width in pixels
};

// The window procedure of the info-box class "KORV_R27K32_384_InfoBox" (Win32 build; the entry
// registers the class with it). Draws the topmost box; swallows keys and mouse buttons.
#if defined(_WIN32) && !defined(_WIN64)
#define QUIL_WNDCALL __attribute__((stdcall))
#else
#define QUIL_WNDCALL
#endif
intptr_t QUIL_WNDCALL InfoBoxWndProc(void* window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam);
void PaintInfoBox(void* dc);
void DrawInfoBoxProgress(const char16_t* progressText);
constexpr const char16_t* kInfoBoxClass = u"KORV_R27K32_384_InfoBox";

// Slot of a level 0..2, or null.
const InfoBoxSlot* GetInfoBoxSlot(int level);
