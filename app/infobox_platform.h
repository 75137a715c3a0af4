// Window side of the info boxes, one implementation per build: the Win32 build makes real
// windows, the native build only records what it was asked (for the tests).
#pragma once
#include "app/infobox.h"

// Screen width and the owner window's rectangle (active edit window, else the main window).
void InfoBoxPlatformGeometry(int* screenWidth, int* ownerLeft, int* ownerTop, int* ownerRight,
                             int* ownerBottom);
// Makes and shows the window of a slot whose position is filled in; returns it or null.
void* InfoBoxPlatformCreate(InfoBoxSlot* slot, const char16_t* caption);
void InfoBoxPlatformDestroy(void* window);
void InfoBoxPlatformRepaint(const InfoBoxSlot* slot);       // whole box at once
void InfoBoxPlatformDrawProgress(const InfoBoxSlot* slot);  // the progress field only
int InfoBoxPlatformF12Down();
void InfoBoxPlatformFocusOwner();  // active edit window, else main window

// Native build only: what the tests steer and read.
struct InfoBoxNativeState {
  int screenWidth;                                   // default 1024
  int ownerLeft, ownerTop, ownerRight, ownerBottom;  // default 0, 0, 800, 600
  int failNextCreate;                                // the next create fails once
  int f12Down;
  int repaints;       // whole-box repaints so far
  int progressDraws;  // progress draws so far
  int focusToOwner;   // focus hand-backs so far
};
InfoBoxNativeState* GetInfoBoxNativeState();
