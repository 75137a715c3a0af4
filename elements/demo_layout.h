// The demonstration network drawn when the program starts without a network file: a closed loop
// of track with stops, two switches, a depot on a spur and a few built-in symbols, and the start
// train on its line leaving the depot.
#pragma once

constexpr int DEMO_DEPOT_X = 16379, DEMO_DEPOT_Y = 16386;

// Draws the loop, its switches and the depot (named by language texts 1380 and 1381) and
// recomputes the used area. Returns the depot's id, 0 when the texts cannot name a depot and a
// line (the loop is drawn without it).
int DrawStartLayout();
// The line named by text 1380 and the start train in the demonstration depot, started: 0, or 1
// when there is no depot or the line or train cannot be made.
int CreateStartTrain();
