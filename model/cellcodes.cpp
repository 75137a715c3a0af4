// Cell-code ranges and the symbol-code classes of depots (A) and the two ends of a level
// change (B upper end, C lower end, placed one level below).
#include "model/cellcodes.h"

CellCodeKind ClassifyCellCode(CellCode code) {
  if (code <= CELL_TRACK_LAST) return CELLKIND_TRACK;
  if (code <= CELL_RUN_LAST) return CELLKIND_RUN_WORD;
  if (code >= CELL_ANIM_FIRST && code <= CELL_ANIM_LAST) return CELLKIND_ANIM_FRAME;
  if (code >= CELL_TRAIN_FIRST && code <= CELL_TRAIN_LAST) return CELLKIND_TRAIN;
  if (code == CELL_EMPTY) return CELLKIND_EMPTY;
  if (code == CELL_SEE_THROUGH_1 || code == CELL_SEE_THROUGH_2) return CELLKIND_SEE_THROUGH;
  if (code >= CELL_BUILTIN_FIRST && code <= CELL_BUILTIN_LAST) return CELLKIND_BUILTIN;
  if (code >= CELL_USER_FIRST && code <= CELL_USER_LAST) return CELLKIND_USER;
  if (code == CELL_NONE) return CELLKIND_NONE;
  return CELLKIND_UNUSED;
}

// The symbol number of a code up to the bound; larger codes are compared whole.
static uint32_t SymbolUpTo(uint32_t code, uint32_t bound) {
  return code > bound ? code : (code & CELL_SYMBOL_MASK);
}

int IsSymbolClassA(uint32_t code) {
  uint32_t s = SymbolUpTo(code, 16383);
  return s >= SYM_DEPOT_FIRST && s <= SYM_DEPOT_LAST;
}

int GetSymbolClassB(uint32_t code) {
  uint32_t s = SymbolUpTo(code, 32767);
  if (s >= SYM_LEVEL_HIGH1_FIRST && s <= SYM_LEVEL_HIGH1_LAST) return 1;
  if (s >= SYM_LEVEL_HIGH2_FIRST && s <= SYM_LEVEL_HIGH2_LAST) return 2;
  return 0;
}

int IsSymbolClassC(uint32_t code) {
  uint32_t s = SymbolUpTo(code, 32767);
  return s >= SYM_LEVEL_LOW_FIRST && s <= SYM_LEVEL_LOW_LAST;
}

CellCode MapToSymbolClassC(uint32_t code) {
  int cls = GetSymbolClassB(code);
  if (cls == 0) return CELL_EMPTY;
  uint32_t p = cls == 1 ? ((code & 7) ^ 1) : 1;
  return (CellCode)((code & ~(uint32_t)CELL_SYMBOL_MASK) | SYM_LEVEL_LOW_FIRST | p);
}
