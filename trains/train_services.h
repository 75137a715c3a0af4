// Services of the trains and the simulation clock that the core, the layout model, the frame
// and the symbol graphics call: train cell codes, clock fields, selection and follow mode ...
#pragma once
#include <cstdint>

// ---- train cell codes --------------------------------------------------------------------------
// The code under the train that holds (x, y, level), found in the bucket of the reference code
// (0xBF00 + k); 0xC000 when no train holds the cell.
uint16_t GetTrainCellCode(int x, int y, int level, uint16_t code);
// Refreshes the cell pointers of every train position; mode 1 (after loading) also writes the
// trains' own codes into the grid, mode 0 after grid blocks were allocated or freed.
void RefreshTrainCellCodes(int mode);

// ---- follow mode: 0 off, 1 following the selected train, 2 following paused -------------------
int GetFollowMode();
void SetFollowMode(int mode);

// ---- clock panes -------------------------------------------------------------------------------
// Redraws the stop-time field of the status window (device context or null).
void DrawStopTimeField(void* dc = nullptr);
// Redraws every clock pane.
void RedrawClockPanes(int mode);
