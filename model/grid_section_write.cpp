// Writing the grid's section of the network file: every allocated block with runs of empty
// cells as one word; a cell held by a train is written with the code under the train.
#ifndef QUIL_VIEWER
#include "model/grid_section.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"

static int WriteBlock(int slot, int levelIndex, const CellCode* cells) {
  int x0 = (slot % GRID_SLOTS_PER_ROW) * GRID_BLOCK_SIDE;
  int y0 = (slot / GRID_SLOTS_PER_ROW) * GRID_BLOCK_SIDE;
  int r = WriteBlockPosition(x0, y0, -levelIndex);
  if (r) return r;
  int run = 0;
  for (int i = 0; i < GRID_BLOCK_CELLS; i++) {
    uint16_t code = cells[i];
    if (code == CELL_EMPTY) {
      if (++run == 256) {
        if ((r = StreamWriteWord(0x80FF))) return r;
        run = 0;
      }
      continue;
    }
    if (run) {
      if ((r = StreamWriteWord((uint16_t)((run - 1) | 0x8000)))) return r;
      run = 0;
    }
    if (IsTrainCellCode(code)) code = GetCellResolved(x0 + (i & 63), y0 + (i >> 6), -levelIndex);
    if ((r = StreamWriteWord(code))) return r;
  }
  if (run) r = StreamWriteWord((uint16_t)((run - 1) | 0x8000));
  return r;
}

int WriteGridSection() {
  int r = StreamWriteDword(NetTag4('N', 'E', 'T', 'Z'));
  if (!r) r = StreamWriteDword(NetTag4('Q', 'U', 'A', 'D'));
  if (!r) r = StreamWriteDword(64);
  if (!r) r = StreamWriteDword(64);
  if (!r) r = StreamWriteDword(5);
  if (!r) r = StreamWriteDword((uint32_t)Grid.blockCount);
  if (r || Grid.blockCount == 0 || !Grid.blocks) return r;
  int left = Grid.blockCount;  // the walk ends at the last block, not at the grid's end
  for (int slot = 0; left > 0 && slot < GRID_SLOT_COUNT; slot++) {
    for (int li = 0; li < GRID_LEVELS; li++) {
      const CellCode* cells = Grid.blocks[slot * GRID_LEVELS + li];
      if (!cells) continue;
      if ((r = WriteBlock(slot, li, cells))) return r;
      left--;
    }
  }
  return 0;
}
#endif
