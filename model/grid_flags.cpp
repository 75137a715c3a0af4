// Document flags kept beside the grid: the network-modified flag, the simulation running flag,
// the palette display form, and the reverse-advance and overwrite-warning editing options.
#include "model/grid.h"
#include "model/doc_hooks.h"

static int NetModified = 0;
int SimulationRunningFlag = 0;
static int PaletteGraphMode = 0;
static int ReverseAdvance = 0;
static int OverwriteWarning = 1;

void SetNetModified() {
  if (NetModified) return;
  NetModified = 1;
  DocUpdateTitles(0);
}

void ClearNetModified() {
  if (!NetModified) return;
  NetModified = 0;
  DocUpdateTitles(0);
}

int IsNetModified() { return NetModified; }

// Other action values change nothing (not the follow mode either) but still redraw.
void SetSimulationRunning(int action) {
  int changed = 1;
  if (action == SIMRUN_TOGGLE) {
    SimulationRunningFlag = !SimulationRunningFlag;
  } else if (action == SIMRUN_STOP) {
    if (!SimulationRunningFlag) return;
    SimulationRunningFlag = 0;
  } else if (action == SIMRUN_START) {
    if (SimulationRunningFlag) return;
    SimulationRunningFlag = 1;
  } else {
    changed = 0;
  }
  if (changed && SimulationRunningFlag && DocFollowMode() == 2) DocSetFollowMode(1);
  DocDrawStopTimeField();
  DocRedrawClockPanes();
}

int IsSimulationRunning() { return SimulationRunningFlag; }

int GetPaletteGraphMode() { return PaletteGraphMode; }

int SetPaletteGraphMode(int v) {
  if (v != 0 && v != 1) return 1;
  PaletteGraphMode = v;
  return 0;
}

int GetReverseAdvance() { return ReverseAdvance; }

int SetReverseAdvance(int v) {
  if (v != 0 && v != 1) return 1;
  ReverseAdvance = v;
  return 0;
}

int SetOverwriteWarning(int v) {
  if (v == 1)
    OverwriteWarning = 1;
  else if (v == 2)
    OverwriteWarning = 0;
  return OverwriteWarning ? 1 : 2;
}
