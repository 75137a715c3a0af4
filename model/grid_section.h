// The grid's section of the network file ("NETZ" + "QUAD": the allocated 64 x 64 blocks with
// runs of empty cells as one word) and the conversion of older cell numberings on reading.
#pragma once
#include <cstdint>

int WriteGridSection();            // 0 or the first stream error
int ReadGridSection(int version);  // 0, 3 format, 4 a block cannot be placed, or stream error

// A stored word that stands for a run of empty cells (0x8000 | count - 1) rather than a cell.
inline int IsGridRunWord(uint16_t code) { return (code & 0xF000) == 0x8000; }

// One stored grid word of a file of this version in today's numbering (run words unchanged).
uint16_t ConvertGridCode(uint16_t code, int version);
// The steps of the chain, for tests.
uint16_t ConvertCodeOld(uint16_t code);
uint16_t ConvertCode14160(uint16_t code);
uint16_t ConvertCode14162(uint16_t code);
uint16_t ConvertCode14389(uint16_t code);
uint16_t ConvertCode14393(uint16_t code);
uint16_t ConvertCode14399(uint16_t code, int version);
// 1 when a code may stand in the grid after loading (not a run word, animation frame, train
// code, unused range 0x9000-0xBEFF or a code from 0xFC20 on).
int IsStorableGridCode(uint32_t code);

// Cells with codes that may not stand in the grid, dropped by the last ReadGridSection.
int GetGridDroppedCodeCount();

// Files below 13577 kept their text labels as codes 0xF000-0xFFFF in level 0 of the grid. The
// reader puts such cells into this list instead of the grid; the text labels' reader turns them
// into labels. The list lives until the next ReadGridSection or ClearLegacyTextCells.
struct LegacyTextCell {
  int32_t x, y;
  uint16_t code;
};
constexpr int NET_VERSION_GRID_TEXT_CELLS = 13577;
const LegacyTextCell* GetLegacyTextCells(int* count);
void ClearLegacyTextCells();
