// Fault seam of the native cell-drawing objects: the creation with this number (from 0, counted
// since the last delete) fails; -1 none.
#pragma once
extern int CellSurfaceFailAt;
