// Temporary stand-in for the text-label store until the text labels are built: no labels, so
// the used area holds only the grid and the elements, no cell shows a label and a text search
// finds nothing.
#include "model/textlabel.h"

int GetTextsExtent(int* xmin, int* ymin, int* levelMin, int* levelMax, int* ymax, int* xmax) {
  return 1;
}

int GetTextCell(int x, int y, int level, TextCellRecord* out) { return 1; }

int FindTextRun(int x, int y, int level, int options, int minimumLength, const char16_t* pattern,
                int* foundLevel, int* foundY, int* foundX) {
  return 1;
}
