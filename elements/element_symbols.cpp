// Symbol tests of the placed-element kinds: whether a cell code shows a stop, TP, LFST, route
// point, Dwx or buffer stop, and the range of states its symbol can show.
#include "elements/element_services.h"
#include "model/cellcodes.h"

// The code's symbol number lies in first..first + 7 (codes up to 32767 only).
static int HasSymbol(uint32_t code, int first) {
  if (code > CELL_TRACK_LAST) return 0;
  int s = SymbolNumberOf(code);
  return s >= first && s <= first + 7;
}

static int Answer(int32_t* range, int32_t low, int32_t high) {
  if (range) {
    range[0] = low;
    range[1] = high;
  }
  return 1;
}

static uint32_t Plain(uint32_t code) { return code & ~(uint32_t)CELL_MARK_BIT; }

int IsHstSymbol(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_HST_FIRST)) return 0;
  uint32_t c = Plain(code);
  return c >= 0x1800 && c <= 0x1FFF ? Answer(range, 2, 2) : Answer(range, 0, 16);
}

int IsTpSymbol(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_TP_FIRST)) return 0;
  uint32_t c = Plain(code);
  return c >= 0x1800 && c <= 0x1FFF ? Answer(range, 0, 2) : Answer(range, 0, 18);
}

int IsLfstSymbol(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_LFST_FIRST)) return 0;
  uint32_t c = Plain(code);
  if (c > 6143) return Answer(range, 0, 3);
  return c >= 4096 ? Answer(range, 4, 17) : Answer(range, 0, 17);
}

int IsRpCode(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_RP_FIRST)) return 0;
  uint32_t c = Plain(code);
  return c >= 6144 && c <= 8191 ? Answer(range, 0, 0) : Answer(range, 0, 3);
}

int IsDwxCode(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_DWX_FIRST)) return 0;
  uint32_t c = Plain(code);
  return c >= 6144 && c <= 8191 ? Answer(range, 0, 0) : Answer(range, 0, 1);
}

int IsPrellCode(uint32_t code, int32_t* range) {
  if (!HasSymbol(code, SYM_PRELL_FIRST)) return 0;
  uint32_t c = Plain(code);
  if (c >= 6144 && c <= 8191) return Answer(range, 0, 7);
  return c >= 4096 && c <= 6143 ? Answer(range, 0, 11) : Answer(range, 0, 3);
}
