// The start and end shared by the tests that work on cells at an edit window's cursor: an empty
// grid without switches or trains, and window 0 open (a stand-in handle) in the symbol view with
// 40 x 30 cells, active.
#pragma once
#include "app/editwnd.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"
#include "views/view_services.h"

// Window 0, or null when the grid could not be made.
inline EditViewSlot* StartEditWindowFixture() {
  if (InitGrid() != 0) return nullptr;
  ClearGrid();
  ClearSwitches();
  ResetTrains();
  ResetEditWindows();
  EditViewSlot* s = GetEditSlot(0);
  s->window = (void*)1;
  s->viewMode = VIEW_SYMBOLS;
  s->cellsWide = 40;
  s->cellsHigh = 30;
  EditViews.active = 0;
  return s;
}

inline void EndEditWindowFixture() {
  ResetTrains();
  ClearSwitches();
  ClearGrid();
  ResetEditWindows();
}
