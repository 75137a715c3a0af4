// The layout grid: cells x, y 0..32767 on levels 0..-4, kept in 64 x 64-cell blocks that exist
// only where something was placed; plus the modified and running flags and three edit options.
#pragma once
#include <cstddef>
#include <cstdint>
#include "model/cellcodes.h"

constexpr int GRID_CELLS = 32768;  // cells per row and per column
constexpr int GRID_MAX_XY = 32767;
constexpr int GRID_LEVEL_TOP = 0;
constexpr int GRID_LEVEL_BOTTOM = -4;
constexpr int GRID_LEVELS = 5;
constexpr int GRID_BLOCK_SIDE = 64;     // cells per block side
constexpr int GRID_BLOCK_CELLS = 4096;  // cells per block
constexpr int GRID_BLOCK_BYTES = 8192;
constexpr int GRID_SLOTS_PER_ROW = 512;  // blocks per grid row
constexpr int GRID_SLOT_COUNT = 262144;  // 512 x 512 block slots
constexpr int GRID_AREA_EMPTY = 32769;   // x-min of the used area when none is known
constexpr int GRID_AREA_WIDEN = 32769;   // UpdateUsedArea mode: widen by one position

struct LayoutGrid {
  CellCode** blocks;   // GRID_SLOT_COUNT x GRID_LEVELS pointers: [slot * 5 + levelIndex]
  int32_t blockCount;  // allocated blocks
  int32_t xMin, yMin, levelMin, xMax, yMax, levelMax;  // used area; xMin 32769 = none known
};
extern LayoutGrid Grid;
extern int GridBlocksChanged;  // set when a block is allocated or freed, and after loading

inline int GridSlotOf(int x, int y) { return (y >> 6) * GRID_SLOTS_PER_ROW + (x >> 6); }
inline int GridCellIndexOf(int x, int y) { return (y & 63) * GRID_BLOCK_SIDE + (x & 63); }
inline int GridPositionValid(int x, int y, int level) {
  return x >= 0 && x <= GRID_MAX_XY && y >= 0 && y <= GRID_MAX_XY && level <= 0 && level >= -4;
}

// ---- grid store --------------------------------------------------------------------------------
int InitGrid();  // 0, or 6 when the table cannot be allocated
void ExitGrid();
void ClearGrid();
CellCode GetCell(int x, int y, int level);  // 0xC000 for absent blocks or outside the grid
CellCode GetCellChecked(int x, int y, int level);
CellCode GetCellAtOrBelow(int x, int y, int level);
// Code with the mark bit cleared; a train's code replaced by the code under the train.
CellCode GetCellResolved(int x, int y, int level);
int32_t CheckLevelsOpenBelow(int window, int x, int y, int level);
int SetCell(int x, int y, int level, uint32_t code);  // 1 written, 0 failed
int SetCellAndRedraw(int x, int y, int level, uint32_t code);
void ClearCell(int x, int y, int level);
CellCode* GetCellAddress(int x, int y, int level);  // null when the block is absent
CellCode NextCellInRow(int* x, int y, int level);
int IsGridEmpty();
void GetGridMemory(int32_t* blocks, int32_t* kilobytes, int32_t* blockWidth, int32_t* blockHeight);
constexpr int GRIDBLK_OK = 0;
constexpr int GRIDBLK_EXISTS = 1;     // AllocGridBlock: already there
constexpr int GRIDBLK_ABSENT = 1;     // FreeGridBlockIfEmpty: nothing to free
constexpr int GRIDBLK_NO_MEMORY = 3;  // AllocGridBlock
constexpr int GRIDBLK_NOT_EMPTY = 3;  // FreeGridBlockIfEmpty
constexpr int GRIDBLK_RANGE = 4;
int AllocGridBlock(int slot, int level);  // level 0..-4
int FreeGridBlockIfEmpty(int slot, int level);
int UpdateUsedArea(int mode, int x, int y, int level);  // 0 ok, 1 grid empty, 2 out of range
int ComputeGridArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax);
int GetUsedArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax,
                int withElements);
int GetElementsArea(int* xmin, int* ymin, int* levelMin, int* xmax, int* ymax, int* levelMax);

// ---- flags and options -------------------------------------------------------------------------
void SetNetModified();
void ClearNetModified();
int IsNetModified();
constexpr int SIMRUN_TOGGLE = 0;
constexpr int SIMRUN_STOP = 1;
constexpr int SIMRUN_START = 2;
void SetSimulationRunning(int action);
int IsSimulationRunning();
// The running flag itself (0/1); the trace box clears it directly while it is open.
extern int SimulationRunningFlag;
int GetPaletteGraphMode();
int SetPaletteGraphMode(int v);  // 0 or 1 -> 0; other values -> 1, unchanged
int GetReverseAdvance();
int SetReverseAdvance(int v);    // 0 or 1 -> 0; other values -> 1, unchanged
int SetOverwriteWarning(int v);  // 1 on, 2 off, else query; returns 1 on, 2 off

// ---- position format of the network file (u16 x, u16 y, i8 level) ------------------------------
int WriteBlockPosition(int x, int y, int level);                 // 0 or stream error
int ReadBlockPosition(int* x, int* y, int* level, int version);  // out pointers may be null
