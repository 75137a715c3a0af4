// Native build: the window places the option file reads and writes are kept as values, and the
// desktop work area's origin is what the tests set.
#include "app/optionfile.h"

static SettingsWindowPlace MainPlace = {0, 0, 800, 0, 0};
static SettingsWindowPlace ClockPlace = {-1, -1, -1, -1, 0};
static int32_t WorkAreaX = 0, WorkAreaY = 0;

void GetMainWindowPlace(SettingsWindowPlace* place) { *place = MainPlace; }
void SetMainWindowPlace(const SettingsWindowPlace* place) { MainPlace = *place; }
void GetClockWindowPlace(SettingsWindowPlace* place) { *place = ClockPlace; }
void SetClockWindowPlace(const SettingsWindowPlace* place) { ClockPlace = *place; }
void GetWorkAreaOrigin(int32_t* x, int32_t* y) {
  *x = WorkAreaX;
  *y = WorkAreaY;
}
void SetNativeWorkAreaOrigin(int32_t x, int32_t y) {
  WorkAreaX = x;
  WorkAreaY = y;
}
