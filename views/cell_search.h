// The searches that start from a cell (declared with the view services) and their parts.
#pragma once
#include <cstdint>

// The box a symbol search walks (the used area), corners inclusive.
struct SearchBox {
  int x0, y0, level0, x1, y1, level1;
};
// The text search's first position after (x, y, level): the level below, below level -4 level 0
// of the next cell, past x 32767 the next row; 0 past the grid's last cell.
int NextTextSearchStart(int* x, int* y, int* level);
// Scans one level from the cell after (x, y) within the box, row by row (the row number shown in
// the top info box; its abort key ends the scan): 1 with (x, y) at the first cell that matches
// one of the enabled codes, 0 when none does.
int FindSymbolOnLevel(int* x, int* y, int level, const SearchBox& box, uint32_t options,
                      const uint32_t codes[10]);
