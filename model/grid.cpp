// The layout grid store: the block table of 512 x 512 slots with five levels each, 64 x 64-cell
// blocks made on the first non-empty write and freed when they become empty, and cell access.
#include "model/grid.h"
#include "core/misc.h"
#include "model/doc_hooks.h"

LayoutGrid Grid = {nullptr, 0, GRID_AREA_EMPTY, 0, 0, 0, 0, 0};
int GridBlocksChanged = 0;

static const size_t kTableEntries = (size_t)GRID_SLOT_COUNT * GRID_LEVELS;

static inline CellCode* BlockAt(int x, int y, int level) {
  return Grid.blocks[(size_t)GridSlotOf(x, y) * GRID_LEVELS + (size_t)(-level)];
}

static void MarkAreaEmpty() {
  Grid.xMin = GRID_AREA_EMPTY;
  Grid.yMin = Grid.levelMin = Grid.xMax = Grid.yMax = Grid.levelMax = 0;
}

int InitGrid() {
  if (Grid.blocks) return 0;
  CellCode** table = (CellCode**)MemAlloc(kTableEntries * sizeof(CellCode*));
  if (!table) return 6;
  for (size_t i = 0; i < kTableEntries; i++) table[i] = nullptr;
  Grid.blocks = table;
  Grid.blockCount = 0;
  MarkAreaEmpty();
  return 0;
}

void ClearGrid() {
  int left = Grid.blocks ? Grid.blockCount : 0;  // the walk ends at the last block
  for (size_t i = 0; left > 0 && i < kTableEntries; i++) {
    if (Grid.blocks[i]) {
      MemFree(Grid.blocks[i]);
      Grid.blocks[i] = nullptr;
      left--;
    }
  }
  Grid.blockCount = 0;
  MarkAreaEmpty();
}

void ExitGrid() {
  ClearGrid();
  if (Grid.blocks) MemFree(Grid.blocks);
  Grid.blocks = nullptr;
}

CellCode GetCell(int x, int y, int level) {
  if (!Grid.blocks || !GridPositionValid(x, y, level)) return CELL_EMPTY;
  const CellCode* block = BlockAt(x, y, level);
  return block ? block[GridCellIndexOf(x, y)] : CELL_EMPTY;
}

CellCode GetCellChecked(int x, int y, int level) { return GetCell(x, y, level); }

CellCode GetCellAtOrBelow(int x, int y, int level) {
  if (level > 0) level = 0;  // a level above the grid starts from the top level
  for (; level >= GRID_LEVEL_BOTTOM; level--) {
    CellCode code = GetCell(x, y, level);
    if (code != CELL_EMPTY) return code;
  }
  return CELL_EMPTY;
}

CellCode GetCellResolved(int x, int y, int level) {
  CellCode code = GetCell(x, y, level);
  if (code <= CELL_TRACK_LAST) return (CellCode)(code & ~CELL_MARK_BIT);
  if (IsTrainCellCode(code)) return DocTrainCellCode(x, y, level, code);
  return code;
}

int AllocGridBlock(int slot, int level) {
  if (slot < 0 || slot >= GRID_SLOT_COUNT || level > 0 || level < GRID_LEVEL_BOTTOM || !Grid.blocks)
    return GRIDBLK_RANGE;
  CellCode** entry = &Grid.blocks[(size_t)slot * GRID_LEVELS + (size_t)(-level)];
  if (*entry) return GRIDBLK_EXISTS;
  CellCode* block = (CellCode*)MemAlloc(GRID_BLOCK_BYTES);
  if (!block) return GRIDBLK_NO_MEMORY;
  for (int i = 0; i < GRID_BLOCK_CELLS; i++) block[i] = CELL_EMPTY;
  *entry = block;
  Grid.blockCount++;
  GridBlocksChanged = 1;
  return GRIDBLK_OK;
}

int FreeGridBlockIfEmpty(int slot, int level) {
  if (slot < 0 || slot >= GRID_SLOT_COUNT || level > 0 || level < GRID_LEVEL_BOTTOM || !Grid.blocks)
    return GRIDBLK_RANGE;
  CellCode** entry = &Grid.blocks[(size_t)slot * GRID_LEVELS + (size_t)(-level)];
  if (!*entry) return GRIDBLK_ABSENT;
  for (int i = 0; i < GRID_BLOCK_CELLS; i++)
    if ((*entry)[i] != CELL_EMPTY) return GRIDBLK_NOT_EMPTY;
  MemFree(*entry);
  *entry = nullptr;
  Grid.blockCount--;
  GridBlocksChanged = 1;
  return GRIDBLK_OK;
}

int SetCell(int x, int y, int level, uint32_t code) {
  if (!Grid.blocks || !GridPositionValid(x, y, level) || code > 0xFFFF) return 0;
  CellCode* block = BlockAt(x, y, level);
  if (!block) {
    if (code == CELL_EMPTY) return 1;
    if (AllocGridBlock(GridSlotOf(x, y), level) != GRIDBLK_OK) return 0;
    block = BlockAt(x, y, level);
  }
  block[GridCellIndexOf(x, y)] = (CellCode)code;
  return 1;
}

int SetCellAndRedraw(int x, int y, int level, uint32_t code) {
  if (!SetCell(x, y, level, code)) return 0;
  DocDrawCell(x, y, level, 11);
  return 1;
}

void ClearCell(int x, int y, int level) {
  if (!Grid.blocks || !GridPositionValid(x, y, level)) return;
  CellCode* block = BlockAt(x, y, level);
  if (!block || block[GridCellIndexOf(x, y)] == CELL_EMPTY) return;
  block[GridCellIndexOf(x, y)] = CELL_EMPTY;
  FreeGridBlockIfEmpty(GridSlotOf(x, y), level);
}

CellCode* GetCellAddress(int x, int y, int level) {
  if (!Grid.blocks || !GridPositionValid(x, y, level)) return nullptr;
  CellCode* block = BlockAt(x, y, level);
  return block ? block + GridCellIndexOf(x, y) : nullptr;
}

CellCode NextCellInRow(int* x, int y, int level) {
  if (*x < 0) {  // left of the grid: the walk goes on at its first column
    *x = 0;
    return CELL_EMPTY;
  }
  if (!Grid.blocks || !GridPositionValid(*x, y, level)) {
    *x = (*x + GRID_BLOCK_SIDE) & ~(GRID_BLOCK_SIDE - 1);
    return CELL_EMPTY;
  }
  const CellCode* block = BlockAt(*x, y, level);
  if (!block) {
    *x = (*x + GRID_BLOCK_SIDE) & ~(GRID_BLOCK_SIDE - 1);
    return CELL_EMPTY;
  }
  CellCode code = block[GridCellIndexOf(*x, y)];
  (*x)++;
  return code;
}

int IsGridEmpty() { return Grid.blockCount == 0; }

void GetGridMemory(int32_t* blocks, int32_t* kilobytes, int32_t* blockWidth, int32_t* blockHeight) {
  if (blocks) *blocks = Grid.blockCount;
  if (kilobytes) *kilobytes = Grid.blockCount * (GRID_BLOCK_BYTES / 1024);
  if (blockWidth) *blockWidth = GRID_BLOCK_SIDE;
  if (blockHeight) *blockHeight = GRID_BLOCK_SIDE;
}

int32_t CheckLevelsOpenBelow(int window, int x, int y, int level) {
  DocViewPlace place;
  if (DocGetViewPlace(window, &place)) return -5;
  int top = place.cursorLevel;
  if (level > top || level < GRID_LEVEL_BOTTOM) return -5;  // below -4 is no level of the grid
  for (int l = top; l > level; l--) {
    CellCode code = GetCell(x, y, l);
    if (code != CELL_SEE_THROUGH_1 && code != CELL_SEE_THROUGH_2) return -5;
  }
  return top;
}
