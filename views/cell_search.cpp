// The two searches that start from a cell: the text search over the text labels and the symbol
// search over the grid's used area, and the configured form of a symbol that the symbol search
// (with the state test) and the palette compare with.
#include "app/infobox.h"
#include "core/misc.h"
#include "elements/element_families.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "model/textlabel.h"
#include "signalling/signal_symbols.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"
#include "views/cell_search.h"
#include "views/view_services.h"

// ---- text search --------------------------------------------------------------------------------
int NextTextSearchStart(int* x, int* y, int* level) {
  int l = *level - 1, cx = *x, cy = *y;
  if (l < GRID_LEVEL_BOTTOM) {
    l = 0;
    if (++cx > GRID_MAX_XY) {
      cx = 0;
      if (++cy > GRID_MAX_XY) return 0;
    }
  }
  *x = cx, *y = cy, *level = l;
  return 1;
}

int SearchFromCell(int* x, int* y, int* level, int options, const char16_t* text) {
  if (IsGridEmpty()) return 0;
  int sx = *x, sy = *y, sl = *level;
  if (!NextTextSearchStart(&sx, &sy, &sl)) return 0;
  int fl, fy, fx;
  if (FindTextRun(sx, sy, sl, options, 0, text, &fl, &fy, &fx) != 0) return 0;
  *x = fx, *y = fy, *level = fl;
  return 1;
}

// ---- configured form of a symbol --------------------------------------------------------------------
uint32_t GetConfiguredSymbolForm(uint32_t code) {
  struct Kind {
    int (*test)(uint32_t code, int32_t* range);
    int (*form)();
  };
  static const Kind kinds[] = {
      {IsHstSymbol, GetStopDefault},
      {IsTpSymbol, GetTpSymbolForm},
      {IsRpCode, GetRoutePointSymbolForm},
      {IsDwxCode, GetDwxSymbolForm},
      {IsLfstSymbol, GetSlowSectionDefault},
      {IsPrellCode, GetBufferStopDefault},
      {ClassifySwitchSymbol, GetSwitchSymbolForm},
  };
  int32_t range[2] = {0, 0};
  int form = 0;
  int found = 0;
  for (const Kind& k : kinds)
    if (k.test(code, range)) {
      form = k.form();
      found = 1;
      break;
    }
  if (!found && ClassifySignalSymbol(code, range)) {
    form = GetSignalSymbolForm(code);
    found = 1;
  }
  if (!found) return 0;
  return (uint32_t)(form < range[0] || form > range[1] ? range[0] : form);
}

// ---- symbol search ----------------------------------------------------------------------------------
namespace {
// A signal's code stands for all its aspects: each kind's groups count as the group of the
// palette's symbol.
uint32_t SignalAspectOfPalette(uint32_t v) {
  int kind = ClassifySignalSymbol(v, nullptr), lamps = GetSignalLampCount(v);
  if ((kind == SIGKIND_MAIN || kind == SIGKIND_DISTANT || kind == SIGKIND_COMBINED ||
       kind == SIGKIND_CROSSING) &&
      lamps == 3)
    return v + 8;
  if (kind == SIGKIND_COMBINED && lamps == 2) return v - 8;
  return v;
}

uint32_t ClassBFamily(uint32_t code) {
  int cls = GetSymbolClassB(code);
  if (cls == 1) return (code & ~(uint32_t)0x1F8) | 216;
  if (cls == 2) return (code & ~(uint32_t)CELL_SYMBOL_MASK) | 216;
  return code;
}

int CodesMatch(uint32_t v, uint32_t c, uint32_t options, int x, int y, int level) {
  uint32_t a = v, b = c;
  if (options & 0x8000) {
    if (a < 16384 && b < 16384)
      a &= 0x1FF, b &= 0x1FF;
    else if (a >= 49408 && a <= 50431 && b >= 49408 && b <= 50431)
      a &= 0xFF, b &= 0xFF;
  }
  if ((options & 0x4000) && a >= 50432 && b >= 50432) a |= 1, b |= 1;
  if (!(options & 0x2000) && GetSymbolClassB(a) && GetSymbolClassB(b))
    a = ClassBFamily(a), b = ClassBFamily(b);
  if (a != b) return 0;
  if (options & 0x2000) return GetCellElementState(x, y, level, v) == GetConfiguredSymbolForm(c);
  return 1;
}
}  // namespace

int FindSymbolOnLevel(int* x, int* y, int level, const SearchBox& box, uint32_t options,
                      const uint32_t codes[10]) {
  int cx = *x + 1, cy = *y;
  if (cy < box.y0) cy = box.y0, cx = box.x0;
  if (cx < box.x0) cx = box.x0;
  if (cx > box.x1) cx = box.x0, cy++;
  for (; cy <= box.y1; cy++, cx = box.x0) {
    char16_t row[12];
    row[FormatUnsignedDigits(row, (uint32_t)cy, 1)] = 0;
    SetInfoBoxText(row);
    if (IsInfoBoxAbortPressed()) return 0;
    while (cx <= box.x1) {
      int at = cx;
      uint32_t v = NextCellInRow(&cx, cy, level);
      if (cx <= at) cx = at + 1;  // never stand still
      if (v == CELL_EMPTY) continue;
      if (IsTrainCellCode(v)) v = GetTrainCellCode(at, cy, level, (uint16_t)v);
      if (v <= CELL_TRACK_LAST) v &= ~(uint32_t)CELL_MARK_BIT;
      v = SignalAspectOfPalette(v);
      for (int i = 0; i < 10; i++) {
        if (!(options & (1u << i)) || codes[i] == CELL_EMPTY) continue;
        if (CodesMatch(v, codes[i], options, at, cy, level)) {
          *x = at, *y = cy;
          return 1;
        }
      }
    }
  }
  return 0;
}

namespace {
struct Hit {
  int found = 0, x = 0, y = 0, level = 0;
  void Offer(int hx, int hy, int hl) {
    if (!found || hy < y || (hy == y && (hx < x || (hx == x && hl > level))))
      found = 1, x = hx, y = hy, level = hl;
  }
};
}  // namespace

int FindSymbolFromCell(int* x, int* y, int* level, uint32_t options, const uint32_t codes[10]) {
  if (IsGridEmpty() || (options & ~(uint32_t)0xE000) == 0) return 0;
  SearchBox box;
  if (GetUsedArea(&box.x0, &box.y0, &box.level0, &box.x1, &box.y1, &box.level1, 0) != 0) return 0;
  Hit best;
  // Pass 1: the given cell's lower levels, and the cells after it on the given level and below.
  for (int l = *level; l >= box.level0; l--) {
    int hx = l == *level ? *x : *x - 1, hy = *y;
    if (FindSymbolOnLevel(&hx, &hy, l, box, options, codes)) best.Offer(hx, hy, l);
  }
  // Pass 2: the cells after the given one on every level, wrapping from the box's right edge to
  // the next row; past the box's last row pass 1 stands.
  int sx = *x + 1, sy = *y;
  if (sx > box.x1) sx = box.x0, sy++;
  if (sy <= box.y1)
    for (int l = box.level1; l >= box.level0; l--) {
      int hx = sx - 1, hy = sy;
      if (FindSymbolOnLevel(&hx, &hy, l, box, options, codes)) best.Offer(hx, hy, l);
    }
  if (!best.found) return 0;
  *x = best.x, *y = best.y, *level = best.level;
  return 1;
}
