// Services of the placed-element stores (stops, lines, depots, TP, LFST, info texts, log points,
// buffer stops, route points, Dwx) that the core, the layout model and the frame call.
#pragma once
#include <cstdint>

// ---- bounding boxes for the used area ----------------------------------------------------------
// Info texts: out minimum x, y, level, maximum level, y, x; 1 when there are no texts, else 0.
int GetInfoBounds(int* minX, int* minY, int* minLevel, int* maxLevel, int* maxY, int* maxX);
// Log points: 1 without points, else the box of all points and 0.
int GetLogPointsBox(int* minX, int* minY, int* minLevel, int* maxX, int* maxY, int* maxLevel);
