// The used area of the layout: the remembered box of everything placed on the grid, widened
// by single positions or recomputed from the blocks, and merged with the labels and elements.
#include "model/grid.h"
#include "model/doc_hooks.h"

// The text labels' extent (min x, min y, min level, max level, max y, max x): 0, or 1 when
// there are no labels.
int GetTextsExtent(int* xmin, int* ymin, int* levelMin, int* levelMax, int* ymax, int* xmax);

static void SetBox(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax, int a,
                   int b, int c, int d, int e, int f) {
  if (xmin) *xmin = a;
  if (ymin) *ymin = b;
  if (levelMin) *levelMin = c;
  if (xmax) *xmax = d;
  if (ymax) *ymax = e;
  if (levelMax) *levelMax = f;
}

int ComputeGridArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax) {
  int found = 0, cellsFound = 0;
  int bx0 = 0, by0 = 0, bl0 = 0, bx1 = 0, by1 = 0, bl1 = 0;
  int left = Grid.blocks ? Grid.blockCount : 0;  // the walk ends at the last block
  for (int slot = 0; left > 0 && slot < GRID_SLOT_COUNT; slot++) {
    for (int li = 0; li < GRID_LEVELS; li++) {
      const CellCode* block = Grid.blocks[(size_t)slot * GRID_LEVELS + (size_t)li];
      if (!block) continue;
      left--;
      int level = -li;
      if (!found) {
        bl0 = bl1 = level;
        found = 1;
      } else {
        if (level < bl0) bl0 = level;
        if (level > bl1) bl1 = level;
      }
      int x0 = (slot % GRID_SLOTS_PER_ROW) * GRID_BLOCK_SIDE;
      int y0 = (slot / GRID_SLOTS_PER_ROW) * GRID_BLOCK_SIDE;
      if (cellsFound && x0 >= bx0 && x0 + GRID_BLOCK_SIDE - 1 <= bx1 && y0 >= by0 &&
          y0 + GRID_BLOCK_SIDE - 1 <= by1)
        continue;  // wholly inside the box found so far
      for (int i = 0; i < GRID_BLOCK_CELLS; i++) {
        if (block[i] == CELL_EMPTY) continue;
        int x = x0 + (i & 63), y = y0 + (i >> 6);
        if (!cellsFound) {
          bx0 = bx1 = x;
          by0 = by1 = y;
          cellsFound = 1;
          continue;
        }
        if (x < bx0) bx0 = x;
        if (x > bx1) bx1 = x;
        if (y < by0) by0 = y;
        if (y > by1) by1 = y;
      }
    }
  }
  if (!found || !cellsFound) {  // no block, or blocks that hold only empty cells
    SetBox(xmin, ymin, levelMin, xmax, ymax, levelMax, 0, 0, 0, 0, 0, 0);
    return 1;
  }
  SetBox(xmin, ymin, levelMin, xmax, ymax, levelMax, bx0, by0, bl0, bx1, by1, bl1);
  return 0;
}

int UpdateUsedArea(int mode, int x, int y, int level) {
  if (mode == GRID_AREA_WIDEN) {
    if (!GridPositionValid(x, y, level)) return 2;
    if (Grid.xMin == GRID_AREA_EMPTY) {
      Grid.xMin = Grid.xMax = x;
      Grid.yMin = Grid.yMax = y;
      Grid.levelMin = Grid.levelMax = level;
      return 0;
    }
    if (x < Grid.xMin) Grid.xMin = x;
    if (x > Grid.xMax) Grid.xMax = x;
    if (y < Grid.yMin) Grid.yMin = y;
    if (y > Grid.yMax) Grid.yMax = y;
    if (level < Grid.levelMin) Grid.levelMin = level;
    if (level > Grid.levelMax) Grid.levelMax = level;
    return 0;
  }
  if (ComputeGridArea(&Grid.xMin, &Grid.yMin, &Grid.levelMin, &Grid.xMax, &Grid.yMax,
                      &Grid.levelMax) != 0) {
    Grid.xMin = GRID_AREA_EMPTY;  // the others were set to 0
    return 1;
  }
  return 0;
}

static void Merge(int* box, int a, int b, int c, int d, int e, int f) {
  if (a < box[0]) box[0] = a;
  if (b < box[1]) box[1] = b;
  if (c < box[2]) box[2] = c;
  if (d > box[3]) box[3] = d;
  if (e > box[4]) box[4] = e;
  if (f > box[5]) box[5] = f;
}

static int MergeElements(int* box) {
  int merged = 0;
  int a, b, c, d, e, f;
  if (GetTextsExtent(&a, &b, &c, &f, &e, &d) == 0) {
    if (a > 32768) a = 32768;
    if (b > 32768) b = 32768;
    if (c > 1) c = 1;
    if (d < -1) d = -1;
    if (e < -1) e = -1;
    if (f < -5) f = -5;
    Merge(box, a, b, c, d, e, f);
    merged = 1;
  }
  if (DocExtent(DocHooks.infoBounds, &a, &b, &c, &f, &e, &d) == 0) {
    Merge(box, a, b, c, d, e, f);
    merged = 1;
  }
  if (DocExtent(DocHooks.logPointsBox, &a, &b, &c, &d, &e, &f) == 0) {
    Merge(box, a, b, c, d, e, f);
    merged = 1;
  }
  return merged;
}

int GetElementsArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax) {
  int box[6] = {32768, 32768, 1, -1, -1, -5};
  if (!MergeElements(box)) return 1;
  SetBox(xmin, ymin, levelMin, xmax, ymax, levelMax, box[0], box[1], box[2], box[3], box[4],
         box[5]);
  return 0;
}

int GetUsedArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax,
                int withElements) {
  int gridEmpty = Grid.xMin == GRID_AREA_EMPTY;
  int box[6] = {32768, 32768, 1, -1, -1, -5};
  if (!gridEmpty) {
    box[0] = Grid.xMin;
    box[1] = Grid.yMin;
    box[2] = Grid.levelMin;
    box[3] = Grid.xMax;
    box[4] = Grid.yMax;
    box[5] = Grid.levelMax;
  }
  int merged = withElements ? MergeElements(box) : 0;
  if (gridEmpty && !merged) {
    SetBox(xmin, ymin, levelMin, xmax, ymax, levelMax, 0, 0, 0, 0, 0, 0);
    return 1;
  }
  SetBox(xmin, ymin, levelMin, xmax, ymax, levelMax, box[0], box[1], box[2], box[3], box[4],
         box[5]);
  return 0;
}
