// Reading the grid's section of the network file: the flat layout of the oldest files and the
// block list, every position checked against the grid and every code converted and checked.
#include "model/grid_section.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/cellcodes.h"
#include "core/misc.h"
#include "model/netfile.h"

static int DroppedCodes = 0;
static LegacyTextCell* TextCells = nullptr;
static int TextCellCount = 0, TextCellCapacity = 0;

int GetGridDroppedCodeCount() { return DroppedCodes; }

const LegacyTextCell* GetLegacyTextCells(int* count) {
  if (count) *count = TextCellCount;
  return TextCells;
}

void ClearLegacyTextCells() {
  if (TextCells) MemFree(TextCells);
  TextCells = nullptr;
  TextCellCount = TextCellCapacity = 0;
}

// 0, or 4 when the list cannot grow.
static int AddLegacyTextCell(int x, int y, uint16_t code) {
  if (TextCellCount == TextCellCapacity) {
    int capacity = TextCellCapacity ? TextCellCapacity * 2 : 64;
    void* grown = TextCells ? MemRealloc(TextCells, sizeof(LegacyTextCell) * (size_t)capacity)
                            : MemAlloc(sizeof(LegacyTextCell) * (size_t)capacity);
    if (!grown) return NETSEC_MEMORY;
    TextCells = static_cast<LegacyTextCell*>(grown);
    TextCellCapacity = capacity;
  }
  TextCells[TextCellCount++] = {x, y, code};
  return 0;
}

// Places one non-empty code read from the file: text cells of old files go to their list, codes
// that may not stand in the grid are left out and noted as repairs, except the train cells, which
// the train records put back. 0 or 4.
static int PlaceCode(int version, int x, int y, int level, uint16_t code, CellCode* cell) {
  if (version < NET_VERSION_GRID_TEXT_CELLS && level == 0 && code >= 0xF000)
    return AddLegacyTextCell(x, y, code);
  if (!IsStorableGridCode(code)) {
    if (!IsTrainCellCode(code)) {
      DroppedCodes++;
      NoteLoadRepair(x, y, level);
    }
    return 0;
  }
  if (cell) {
    *cell = code;
    return 0;
  }
  return SetCell(x, y, level, code) ? 0 : NETSEC_MEMORY;
}

static int ReadCode(int version, uint16_t* code) {
  uint16_t w;
  int r = StreamReadWord(&w);
  if (r) return r;
  *code = ConvertGridCode(w, version);
  return 0;
}

// The flat layout of the old 2048-cell-wide grid (level 0 only).
static int ReadFlatGrid(int version, uint32_t stored, uint8_t chunks) {
  uint32_t rest = stored % 16384;
  uint64_t total = (chunks > 1 ? (uint64_t)(chunks - 1) * 16384 : 0) + (rest ? rest : 16384);
  int x = 0, y = 0;
  for (uint64_t i = 0; i < total; i++) {
    uint16_t code;
    int r = ReadCode(version, &code);
    if (r) return r;
    if (IsGridRunWord(code)) {
      x += (code & 255) + 1;
    } else {
      if (y > GRID_MAX_XY) return NETSEC_FORMAT;  // codes below the last row of the grid
      if (code != CELL_EMPTY && (r = PlaceCode(version, x, y, 0, code, nullptr))) return r;
      x += 1;
    }
    while (x >= 2048) {
      x -= 2048;
      y += 1;
    }
  }
  GridBlocksChanged = 1;
  return 0;
}

static int ReadBlockCells(int version, int x0, int y0, int level, CellCode* cells) {
  int index = 0;
  while (index < GRID_BLOCK_CELLS) {
    uint16_t code;
    int r = ReadCode(version, &code);
    if (r) return r;
    if (IsGridRunWord(code)) {
      index += (code & 255) + 1;
      continue;
    }
    if (code != CELL_EMPTY &&
        (r = PlaceCode(version, x0 + (index & 63), y0 + (index >> 6), level, code, &cells[index])))
      return r;
    index++;
  }
  return 0;
}

static int ReadBlockList(int version) {
  int r;
  if (version >= 14396)
    r = ReadSectionTag(NET_VERSION_U32_TAGS, NetTag4('Q', 'U', 'A', 'D'), 0);
  else
    r = ReadSectionTag(0, 0, NetTag2('Q', 'U'));
  if (r) return r;
  uint32_t width, height, levels = 5, count;
  if ((r = ReadVersionedCount(version, 14397, &width))) return r;
  if ((r = ReadVersionedCount(version, 14397, &height))) return r;
  if (width != 64 || height != 64) return NETSEC_FORMAT;
  if (version >= 14396) {
    if ((r = ReadVersionedCount(version, 14397, &levels))) return r;
    if (levels != 5) return NETSEC_FORMAT;
  }
  if ((r = ReadVersionedCount(version, 14389, &count))) return r;
  for (uint32_t b = 0; b < count; b++) {
    int x, y, level;
    if ((r = ReadBlockPosition(&x, &y, &level, version))) return r;
    if (!GridPositionValid(x, y, level) || (x & 63) || (y & 63)) return NETSEC_FORMAT;
    int slot = GridSlotOf(x, y);
    if (AllocGridBlock(slot, level) != GRIDBLK_OK) return NETSEC_MEMORY;
    CellCode* cells = Grid.blocks[slot * GRID_LEVELS - level];
    if ((r = ReadBlockCells(version, x, y, level, cells))) return r;
  }
  return 0;
}

int ReadGridSection(int version) {
  ClearGrid();
  ClearLegacyTextCells();
  DroppedCodes = 0;
  int r = ReadSectionTag(version, NetTag4('N', 'E', 'T', 'Z'), NetTag2('N', 'P'));
  if (r) return r;
  if (version < 14396) {
    uint32_t stored;
    uint8_t k;
    if ((r = StreamReadDword(&stored))) return r;
    if ((r = StreamReadByte(&k))) return r;
    if (k < 255) return ReadFlatGrid(version, stored, k);
    if (version < 13568) return NETSEC_FORMAT;
  }
  r = ReadBlockList(version);
  GridBlocksChanged = 1;
  if (!r) UpdateUsedArea(0, 0, 0, 0);
  return r;
}
