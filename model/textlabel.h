// The text labels of the grid as the views read them: up to four characters per cell with a
// text and a background colour.
#pragma once
#include <cstdint>

struct TextCellRecord {
  char16_t chars[4];
  uint32_t textColour;  // platform colour; 0x80000001 the default colour
  uint32_t backColour;  // platform colour; 0x80000001 none (the cell's picture shows)
};
// 0 when the cell holds a text label (record filled), 1 when it holds none.
int GetTextCell(int x, int y, int level, TextCellRecord* out);

// Searches the labels from a position (the start cell on its level and the levels below, then
// every later cell on all levels) for the pattern: 0 with the first match in reading order
// (row, column, higher level first), 1 when nothing matches.
int FindTextRun(int x, int y, int level, int options, int minimumLength, const char16_t* pattern,
                int* foundLevel, int* foundY, int* foundX);
