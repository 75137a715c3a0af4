// Cell codes of the layout grid: the one table of code ranges, the symbol numbers of the element
// kinds and the symbol-code classes of level changes and depots.
#pragma once
#include <cstdint>

typedef uint16_t CellCode;

// Code ranges.
constexpr CellCode CELL_TRACK_LAST = 0x7FFF;   // 0x0000-0x7FFF track or element codes
constexpr CellCode CELL_SYMBOL_MASK = 0x01FF;  // bits 0-8: symbol number
constexpr CellCode CELL_KIND_MASK = 0x3E00;    // bits 9-13: track kind
constexpr int CELL_KIND_SHIFT = 9;
constexpr CellCode CELL_MARK_BIT = 0x4000;   // per-cell mark (reserved ahead of a train)
constexpr CellCode CELL_END_MARK = 0x2000;   // end mark rebuilt by the trains after loading
constexpr CellCode CELL_RUN_FIRST = 0x8000;  // 0x8000-0x8FFF never a cell (run words)
constexpr CellCode CELL_RUN_LAST = 0x8FFF;
constexpr CellCode CELL_ANIM_FIRST = 0xB000;  // animation frame codes, never in the grid
constexpr CellCode CELL_ANIM_LAST = 0xB1C7;
constexpr CellCode CELL_TRAIN_FIRST = 0xBF00;  // 0xBF00 + bucket: a cell held by a train
constexpr CellCode CELL_TRAIN_LAST = 0xBFFF;
constexpr CellCode CELL_EMPTY = 0xC000;          // the empty cell
constexpr CellCode CELL_SEE_THROUGH_1 = 0xC001;  // empty, levels below show through
constexpr CellCode CELL_SEE_THROUGH_2 = 0xC002;
constexpr CellCode CELL_BUILTIN_FIRST = 0xC003;  // built-in symbols
constexpr CellCode CELL_BUILTIN_LAST = 0xDFFF;
constexpr CellCode CELL_USER_FIRST = 0xE000;  // user symbols, two codes each (odd = mirrored)
constexpr CellCode CELL_USER_LAST = 0xFC1F;
constexpr CellCode CELL_NONE = 0xFFFF;  // "none" in index tables

// What a code is, by its range.
enum CellCodeKind {
  CELLKIND_TRACK = 0,        // 0x0000-0x7FFF
  CELLKIND_RUN_WORD = 1,     // 0x8000-0x8FFF
  CELLKIND_ANIM_FRAME = 2,   // 0xB000-0xB1C7
  CELLKIND_TRAIN = 3,        // 0xBF00-0xBFFF
  CELLKIND_EMPTY = 4,        // 0xC000
  CELLKIND_SEE_THROUGH = 5,  // 0xC001, 0xC002
  CELLKIND_BUILTIN = 6,      // 0xC003-0xDFFF
  CELLKIND_USER = 7,         // 0xE000-0xFC1F
  CELLKIND_NONE = 8,         // 0xFFFF
  CELLKIND_UNUSED = 9        // any other value
};
CellCodeKind ClassifyCellCode(CellCode code);
inline int IsTrainCellCode(uint32_t code) {
  return code >= CELL_TRAIN_FIRST && code <= CELL_TRAIN_LAST;
}
inline int TrainBucketOfCode(uint32_t code) { return (int)(code - CELL_TRAIN_FIRST); }
inline int SymbolNumberOf(uint32_t code) { return (int)(code & CELL_SYMBOL_MASK); }
inline int TrackKindOf(uint32_t code) { return (int)((code & CELL_KIND_MASK) >> CELL_KIND_SHIFT); }

// Symbol numbers (bits 0-8 of a code below 0x8000) of the element kinds: first, last.
constexpr int SYM_SWITCH4_FIRST = 12, SYM_SWITCH4_LAST = 15;
constexpr int SYM_SWITCH3_FIRST = 16, SYM_SWITCH3_LAST = 23;
constexpr int SYM_SWITCH1_FIRST = 48, SYM_SWITCH1_LAST = 87;
constexpr int SYM_SWITCH5_FIRST = 88, SYM_SWITCH5_LAST = 95;
constexpr int SYM_SWITCH2_FIRST = 472, SYM_SWITCH2_LAST = 495;
constexpr int SYM_DEPOT_FIRST = 136, SYM_DEPOT_LAST = 151;  // class A
constexpr int SYM_TP_FIRST = 152, SYM_TP_LAST = 159;
constexpr int SYM_PRELL_FIRST = 168, SYM_PRELL_LAST = 175;  // buffer stops
constexpr int SYM_LFST_FIRST = 176, SYM_LFST_LAST = 183;
constexpr int SYM_LEVEL_LOW_FIRST = 184, SYM_LEVEL_LOW_LAST = 191;  // class C
constexpr int SYM_RP_FIRST = 192, SYM_RP_LAST = 199;
constexpr int SYM_DWX_FIRST = 200, SYM_DWX_LAST = 207;
constexpr int SYM_LEVEL_HIGH2_FIRST = 208, SYM_LEVEL_HIGH2_LAST = 210;  // class B 2
constexpr int SYM_LEVEL_HIGH1_FIRST = 216, SYM_LEVEL_HIGH1_LAST = 255;  // class B 1
constexpr int SYM_HST_FIRST = 264, SYM_HST_LAST = 271;                  // stops
constexpr int SYM_SK_FIRST = 392, SYM_SK_LAST = 399;
constexpr int SYM_KSIG_FIRST = 400, SYM_KSIG_LAST = 423;
constexpr int SYM_VSIG_FIRST = 424, SYM_VSIG_LAST = 439;
constexpr int SYM_HSIG_FIRST = 440, SYM_HSIG_LAST = 455;
constexpr int SYM_BUESIG_FIRST = 456, SYM_BUESIG_LAST = 471;

// Symbol-code classes. A code above the stated bound is compared whole, so it never matches.
int IsSymbolClassA(uint32_t code);          // depots 136..151; bound 16383
int GetSymbolClassB(uint32_t code);         // 1: 216..255, 2: 208..210, else 0; bound 32767
int IsSymbolClassC(uint32_t code);          // 184..191; bound 32767
CellCode MapToSymbolClassC(uint32_t code);  // class-C partner of a class-B code, else 0xC000
