// Tests of the layout grid: blocks made and freed, absent blocks, range checks, used area,
// row walking, level tests, cell-code classes and the document flags.
#include <gtest/gtest.h>
#include "model/grid.h"
#include "core/misc.h"
#include "app/editwnd.h"
#include "trains/train_services.h"

class GridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(InitGrid(), 0);
    ClearGrid();
    GridBlocksChanged = 0;
  }
  void TearDown() override { ExitGrid(); }
};

TEST_F(GridTest, AbsentBlocksReadEmpty) {
  EXPECT_EQ(GetCell(100, 200, 0), CELL_EMPTY);
  EXPECT_EQ(GetCellAddress(100, 200, 0), nullptr);
  EXPECT_EQ(SetCell(100, 200, 0, CELL_EMPTY), 1);  // nothing allocated
  EXPECT_EQ(Grid.blockCount, 0);
  EXPECT_EQ(IsGridEmpty(), 1);
  EXPECT_EQ(GridBlocksChanged, 0);
}

TEST_F(GridTest, BlocksAllocatedAndFreed) {
  int32_t memBlocks = MemBlockCount;
  EXPECT_EQ(SetCell(100, 200, -2, 0x1234), 1);
  EXPECT_EQ(Grid.blockCount, 1);
  EXPECT_EQ(MemBlockCount, memBlocks + 1);
  EXPECT_EQ(GridBlocksChanged, 1);
  EXPECT_EQ(GetCell(100, 200, -2), 0x1234);
  EXPECT_EQ(GetCell(100, 200, 0), CELL_EMPTY);   // other level: no block
  EXPECT_EQ(GetCell(101, 200, -2), CELL_EMPTY);  // same block, empty cell
  ASSERT_NE(GetCellAddress(100, 200, -2), nullptr);
  EXPECT_EQ(*GetCellAddress(100, 200, -2), 0x1234);

  SetCell(101, 200, -2, 0x0005);
  EXPECT_EQ(SetCell(100, 200, -2, CELL_EMPTY), 1);  // writing empty keeps the block
  EXPECT_EQ(Grid.blockCount, 1);
  GridBlocksChanged = 0;
  ClearCell(101, 200, -2);  // the last non-empty cell: block freed
  EXPECT_EQ(Grid.blockCount, 0);
  EXPECT_EQ(GridBlocksChanged, 1);
  EXPECT_EQ(MemBlockCount, memBlocks);
  ClearCell(101, 200, -2);  // nothing there: no effect
  EXPECT_EQ(Grid.blockCount, 0);
}

TEST_F(GridTest, BlockOperationResults) {
  EXPECT_EQ(AllocGridBlock(5, 0), GRIDBLK_OK);
  EXPECT_EQ(AllocGridBlock(5, 0), GRIDBLK_EXISTS);
  EXPECT_EQ(AllocGridBlock(-1, 0), GRIDBLK_RANGE);
  EXPECT_EQ(AllocGridBlock(GRID_SLOT_COUNT, 0), GRIDBLK_RANGE);
  EXPECT_EQ(AllocGridBlock(5, 1), GRIDBLK_RANGE);
  EXPECT_EQ(AllocGridBlock(5, -5), GRIDBLK_RANGE);
  EXPECT_EQ(GetCell(5 * 64, 0, 0), CELL_EMPTY);  // a new block holds only empty cells
  SetCell(5 * 64 + 3, 7, 0, 0x10);
  EXPECT_EQ(FreeGridBlockIfEmpty(5, 0), GRIDBLK_NOT_EMPTY);
  EXPECT_EQ(FreeGridBlockIfEmpty(6, 0), GRIDBLK_ABSENT);
  EXPECT_EQ(FreeGridBlockIfEmpty(5, -7), GRIDBLK_RANGE);
  SetCell(5 * 64 + 3, 7, 0, CELL_EMPTY);
  EXPECT_EQ(FreeGridBlockIfEmpty(5, 0), GRIDBLK_OK);
  EXPECT_EQ(Grid.blockCount, 0);
  int32_t blocks, kb, w, h;
  SetCell(0, 0, 0, 1);
  SetCell(32767, 32767, -4, 1);
  GetGridMemory(&blocks, &kb, &w, &h);
  EXPECT_EQ(blocks, 2);
  EXPECT_EQ(kb, 16);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 64);
}

TEST_F(GridTest, PositionsOutsideTheGridAreNeverTouched) {
  struct Pos {
    int x, y, level;
  } outside[] = {
      {-1, 0, 0}, {0, -1, 0}, {32768, 0, 0},    {0, 32768, 0},
      {0, 0, 1},  {0, 0, -5}, {-100000, 5, -1}, {5, 1 << 30, -1},
  };
  SetCell(0, 0, 0, 0x0042);  // a real cell the bad positions must not reach
  for (const Pos& p : outside) {
    EXPECT_EQ(SetCell(p.x, p.y, p.level, 0x1111), 0);
    EXPECT_EQ(GetCell(p.x, p.y, p.level), CELL_EMPTY);
    EXPECT_EQ(GetCellChecked(p.x, p.y, p.level), CELL_EMPTY);
    EXPECT_EQ(GetCellAddress(p.x, p.y, p.level), nullptr);
    ClearCell(p.x, p.y, p.level);
  }
  EXPECT_EQ(Grid.blockCount, 1);
  EXPECT_EQ(GetCell(0, 0, 0), 0x0042);
  EXPECT_EQ(SetCell(1, 1, 0, 0x10000), 0);  // not a 16-bit code
}

TEST_F(GridTest, CornersOfTheGrid) {
  struct Pos {
    int x, y, level;
  } corners[] = {{0, 0, 0}, {32767, 0, -1}, {0, 32767, -3}, {32767, 32767, -4}};
  uint16_t code = 1;
  for (const Pos& p : corners) EXPECT_EQ(SetCell(p.x, p.y, p.level, code++), 1);
  code = 1;
  for (const Pos& p : corners) EXPECT_EQ(GetCell(p.x, p.y, p.level), code++);
  EXPECT_EQ(Grid.blockCount, 4);
  int a, b, c, d, e, f;  // the walks stop after the last block: the far corner still counts
  EXPECT_EQ(ComputeGridArea(&a, &b, &c, &d, &e, &f), 0);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(b, 0);
  EXPECT_EQ(c, -4);
  EXPECT_EQ(d, 32767);
  EXPECT_EQ(e, 32767);
  EXPECT_EQ(f, 0);
  int32_t memBlocks = MemBlockCount;
  ClearGrid();
  EXPECT_EQ(MemBlockCount, memBlocks - 4);
  for (const Pos& p : corners) EXPECT_EQ(GetCellAddress(p.x, p.y, p.level), nullptr);
}

TEST_F(GridTest, AtOrBelowAndResolved) {
  SetCell(10, 10, -3, 0x0100);
  EXPECT_EQ(GetCellAtOrBelow(10, 10, 0), 0x0100);
  EXPECT_EQ(GetCellAtOrBelow(10, 10, -4), CELL_EMPTY);
  EXPECT_EQ(GetCellAtOrBelow(10, 10, -5), CELL_EMPTY);
  SetCell(10, 10, -1, CELL_SEE_THROUGH_1);
  EXPECT_EQ(GetCellAtOrBelow(10, 10, 0), CELL_SEE_THROUGH_1);

  SetCell(20, 20, 0, 0x4105);  // the mark bit is cleared
  EXPECT_EQ(GetCellResolved(20, 20, 0), 0x0105);
  SetCell(21, 20, 0, 0xC123);  // symbols stay as they are
  EXPECT_EQ(GetCellResolved(21, 20, 0), 0xC123);
  SetCell(22, 20, 0, 0xBF07);  // no train holds the cell: empty
  EXPECT_EQ(GetCellResolved(22, 20, 0), CELL_EMPTY);
  EXPECT_EQ(GetCellResolved(-1, 20, 0), CELL_EMPTY);
}

TEST_F(GridTest, NextCellInRowSkipsAbsentBlocks) {
  SetCell(130, 5, 0, 0x0007);
  int x = 0;
  EXPECT_EQ(NextCellInRow(&x, 5, 0), CELL_EMPTY);
  EXPECT_EQ(x, 64);
  EXPECT_EQ(NextCellInRow(&x, 5, 0), CELL_EMPTY);
  EXPECT_EQ(x, 128);
  EXPECT_EQ(NextCellInRow(&x, 5, 0), CELL_EMPTY);
  EXPECT_EQ(x, 129);
  NextCellInRow(&x, 5, 0);
  EXPECT_EQ(NextCellInRow(&x, 5, 0), 0x0007);
  EXPECT_EQ(x, 131);
  x = 32767;
  NextCellInRow(&x, 5, 0);
  EXPECT_GT(x, 32767);
  // A walk over the whole row meets the one cell once and ends past the grid's last column,
  // stepping over each absent block at once (511 blocks skipped, 64 cells read).
  int steps = 0, found = 0;
  for (x = 0; x <= 32767 && steps < 5000; steps++)
    if (NextCellInRow(&x, 5, 0) == 0x0007) found++;
  EXPECT_EQ(found, 1);
  EXPECT_GT(x, 32767);
  EXPECT_EQ(steps, 511 + 64);
  x = 5;
  NextCellInRow(&x, 40000, 0);  // a row outside the grid ends the walk at once
  EXPECT_EQ(x, 64);
}

TEST_F(GridTest, UsedAreaWidenAndRecompute) {
  int a, b, c, d, e, f;
  EXPECT_EQ(UpdateUsedArea(0, 0, 0, 0), 1);  // empty grid
  EXPECT_EQ(GetUsedArea(&a, &b, &c, &d, &e, &f, 0), 1);
  EXPECT_EQ(UpdateUsedArea(GRID_AREA_WIDEN, 40000, 0, 0), 2);
  EXPECT_EQ(UpdateUsedArea(GRID_AREA_WIDEN, 0, 0, 1), 2);
  EXPECT_EQ(UpdateUsedArea(GRID_AREA_WIDEN, 50, 60, -1), 0);
  EXPECT_EQ(GetUsedArea(&a, &b, &c, &d, &e, &f, 0), 0);
  EXPECT_EQ(a, 50);
  EXPECT_EQ(b, 60);
  EXPECT_EQ(c, -1);
  EXPECT_EQ(d, 50);
  EXPECT_EQ(e, 60);
  EXPECT_EQ(f, -1);
  EXPECT_EQ(UpdateUsedArea(GRID_AREA_WIDEN, 10, 70, -3), 0);
  GetUsedArea(&a, &b, &c, &d, &e, &f, 1);  // no elements: the grid box alone
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 60);
  EXPECT_EQ(c, -3);
  EXPECT_EQ(d, 50);
  EXPECT_EQ(e, 70);
  EXPECT_EQ(f, -1);

  SetCell(100, 5, 0, 1);
  SetCell(3000, 4000, -2, 1);
  SetCell(120, 30, 0, 1);  // inside the box of the first two
  EXPECT_EQ(UpdateUsedArea(0, 0, 0, 0), 0);
  GetUsedArea(&a, &b, &c, &d, &e, &f, 0);
  EXPECT_EQ(a, 100);
  EXPECT_EQ(b, 5);
  EXPECT_EQ(c, -2);
  EXPECT_EQ(d, 3000);
  EXPECT_EQ(e, 4000);
  EXPECT_EQ(f, 0);
  EXPECT_EQ(ComputeGridArea(&a, &b, &c, &d, &e, &f), 0);
  EXPECT_EQ(a, 100);
  EXPECT_EQ(e, 4000);

  ClearGrid();
  EXPECT_EQ(AllocGridBlock(GridSlotOf(640, 640), -1), GRIDBLK_OK);  // a block of empty cells
  EXPECT_EQ(ComputeGridArea(&a, &b, &c, &d, &e, &f), 1);            // places nothing
  EXPECT_EQ(UpdateUsedArea(0, 0, 0, 0), 1);
  ClearGrid();
  EXPECT_EQ(ComputeGridArea(&a, &b, &c, &d, &e, &f), 1);
  EXPECT_EQ(a, 0);
  EXPECT_EQ(f, 0);
  EXPECT_EQ(GetUsedArea(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 1), 1);
}

TEST_F(GridTest, LevelsOpenBelow) {
  ResetEditWindows();
  EditViewSlot* slot = GetEditSlot(1);
  ASSERT_NE(slot, nullptr);
  slot->cursorLevel = 0;
  SetCell(7, 7, 0, CELL_SEE_THROUGH_1);
  SetCell(7, 7, -1, CELL_SEE_THROUGH_2);
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, 0), 0);
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, -2), 0);
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, -3), -5);  // level -2 is plain empty
  EXPECT_EQ(CheckLevelsOpenBelow(1, 8, 7, -1), -5);
  EXPECT_EQ(CheckLevelsOpenBelow(6, 7, 7, 0), -5);
  EXPECT_EQ(CheckLevelsOpenBelow(-1, 7, 7, 0), -5);
  for (int l = -2; l >= -4; l--) SetCell(7, 7, l, CELL_SEE_THROUGH_1);
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, -4), 0);   // open down to the lowest level
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, -5), -5);  // not a level of the grid
  SetCell(7, 7, -2, CELL_EMPTY);
  slot->cursorLevel = -1;
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, 0), -5);  // above the window's level
  EXPECT_EQ(CheckLevelsOpenBelow(1, 7, 7, -2), -1);
}

TEST(CellCodes, Classes) {
  EXPECT_EQ(MapToSymbolClassC(217), 184);
  EXPECT_EQ(MapToSymbolClassC(216), 185);
  EXPECT_EQ(MapToSymbolClassC(209), 185);
  EXPECT_EQ(MapToSymbolClassC(0x0400 | 222), 0x0400 | 184 | 7);
  EXPECT_EQ(MapToSymbolClassC(100), CELL_EMPTY);
  EXPECT_EQ(IsSymbolClassA(0x4088), 0);
  EXPECT_EQ(IsSymbolClassA(0x0088), 1);
  EXPECT_EQ(IsSymbolClassA(0x2097), 1);
  EXPECT_EQ(GetSymbolClassB(0x40D8), 1);
  EXPECT_EQ(GetSymbolClassB(208), 2);
  EXPECT_EQ(GetSymbolClassB(211), 0);
  EXPECT_EQ(GetSymbolClassB(0x80D8), 0);
  EXPECT_EQ(IsSymbolClassC(191), 1);
  EXPECT_EQ(IsSymbolClassC(0xC0B8), 0);
  struct Case {
    CellCode code;
    CellCodeKind kind;
  } ranges[] = {
      {0x0000, CELLKIND_TRACK},    {0x7FFF, CELLKIND_TRACK},       {0x8000, CELLKIND_RUN_WORD},
      {0x8FFF, CELLKIND_RUN_WORD}, {0xB000, CELLKIND_ANIM_FRAME},  {0xB1C7, CELLKIND_ANIM_FRAME},
      {0xB1C8, CELLKIND_UNUSED},   {0xBF00, CELLKIND_TRAIN},       {0xBFFF, CELLKIND_TRAIN},
      {0xC000, CELLKIND_EMPTY},    {0xC001, CELLKIND_SEE_THROUGH}, {0xC002, CELLKIND_SEE_THROUGH},
      {0xC003, CELLKIND_BUILTIN},  {0xDFFF, CELLKIND_BUILTIN},     {0xE000, CELLKIND_USER},
      {0xFC1F, CELLKIND_USER},     {0xFC20, CELLKIND_UNUSED},      {0xFFFF, CELLKIND_NONE},
  };
  for (const Case& c : ranges) EXPECT_EQ(ClassifyCellCode(c.code), c.kind) << std::hex << c.code;
}

TEST(GridFlags, ModifiedRunningAndOptions) {
  ClearNetModified();
  EXPECT_EQ(IsNetModified(), 0);
  SetNetModified();
  SetNetModified();
  EXPECT_EQ(IsNetModified(), 1);
  ClearNetModified();
  EXPECT_EQ(IsNetModified(), 0);

  SetSimulationRunning(SIMRUN_STOP);
  EXPECT_EQ(IsSimulationRunning(), 0);
  SetFollowMode(2);
  SetSimulationRunning(SIMRUN_START);
  EXPECT_EQ(IsSimulationRunning(), 1);
  EXPECT_EQ(GetFollowMode(), 1);  // a paused follow resumes when the simulation starts
  SetSimulationRunning(SIMRUN_TOGGLE);
  EXPECT_EQ(IsSimulationRunning(), 0);
  SetSimulationRunning(7);
  EXPECT_EQ(IsSimulationRunning(), 0);
  SetSimulationRunning(SIMRUN_START);
  SetFollowMode(2);
  SetSimulationRunning(7);  // an unknown action changes nothing, the follow mode neither
  EXPECT_EQ(IsSimulationRunning(), 1);
  EXPECT_EQ(GetFollowMode(), 2);
  SetSimulationRunning(SIMRUN_START);  // already running: nothing happens
  EXPECT_EQ(GetFollowMode(), 2);
  SetSimulationRunning(SIMRUN_STOP);
  SetFollowMode(0);

  EXPECT_EQ(SetPaletteGraphMode(1), 0);
  EXPECT_EQ(GetPaletteGraphMode(), 1);
  EXPECT_EQ(SetPaletteGraphMode(2), 1);
  EXPECT_EQ(GetPaletteGraphMode(), 1);
  SetPaletteGraphMode(0);
  EXPECT_EQ(SetReverseAdvance(3), 1);
  EXPECT_EQ(SetReverseAdvance(1), 0);
  EXPECT_EQ(GetReverseAdvance(), 1);
  SetReverseAdvance(0);
  EXPECT_EQ(SetOverwriteWarning(0), 1);  // on at start
  EXPECT_EQ(SetOverwriteWarning(2), 2);
  EXPECT_EQ(SetOverwriteWarning(5), 2);
  EXPECT_EQ(SetOverwriteWarning(1), 1);
}
