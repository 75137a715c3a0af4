// Where the cursor steps after a symbol was placed: along the direction in which the symbol's
// track runs, so that typing the same digit repeatedly draws a line. The reverse-advance option
// turns the direction round (and checks a few short lists of its own first).
#include "model/grid.h"
#include "views/view_services.h"

constexpr uint32_t ADV_RIGHT = 1, ADV_LEFT = 2, ADV_DOWN = 4, ADV_UP = 8;
constexpr uint16_t LIST_END = 65535;

static int InList(const uint16_t* list, uint32_t code) {
  for (; *list != LIST_END; list++)
    if (*list == code) return 1;
  return 0;
}

// Lists tried first with the reverse option on.
static const uint16_t ReverseLeft[] = {8,     9,     28,    29,    500,   501,   508,   509,
                                       49412, 49415, 49422, 49425, 55044, 55047, 55055, LIST_END};
static const uint16_t ReverseDown[] = {11, 49413, 49423, 55045, 55054, LIST_END};
static const uint16_t ReverseUp[] = {10,  25,    26,    497,   498,   505,
                                     506, 49414, 49424, 55046, 55052, LIST_END};
static const uint16_t ReverseLeftUp[] = {24, 30, 496, 502, 504, 510, LIST_END};
static const uint16_t ReverseLeftDown[] = {31, 503, 511, 55053, LIST_END};
static const uint16_t ReverseRightUp[] = {27, 499, 507, LIST_END};
// The three long lists come with the symbol definitions, which set them at start-up.
static const uint16_t NoCodes[] = {LIST_END};
const uint16_t* PlacementAdvanceLists[3] = {NoCodes, NoCodes, NoCodes};

// General lists.
static const uint16_t UpList[] = {9,     49411, 49415, 49425, 50694, 50697, 50956, 50959,   52246,
                                  52247, 52489, 52497, 52557, 52603, 52605, 52623, 52625,   52627,
                                  52637, 54126, 54128, 54148, 55043, 55047, 55053, LIST_END};
static const uint16_t LeftDownList[] = {25, 497, 505, 55055, LIST_END};

uint32_t GetPlacementAdvance(uint32_t code) {
  if (code < 16384)
    code &= CELL_SYMBOL_MASK;
  else if (code >= 49408 && code <= 50431)
    code = 49408 + (code & 0xFF);
  int reverse = GetReverseAdvance();
  if (reverse) {
    static const struct {
      const uint16_t* list;
      uint32_t value;
    } first[] = {
        {ReverseLeft, ADV_LEFT},
        {ReverseDown, ADV_DOWN},
        {ReverseUp, ADV_UP},
        {ReverseLeftUp, ADV_LEFT | ADV_UP},
        {ReverseLeftDown, ADV_LEFT | ADV_DOWN},
        {ReverseRightUp, ADV_RIGHT | ADV_UP},
    };
    for (const auto& r : first)
      if (InList(r.list, code)) return r.value;
  }
  const struct {
    const uint16_t* list;
    uint32_t value, reversed;
  } general[] = {
      {PlacementAdvanceLists[0] ? PlacementAdvanceLists[0] : NoCodes, ADV_DOWN, ADV_UP},
      {UpList, ADV_UP, ADV_DOWN},
      {PlacementAdvanceLists[1] ? PlacementAdvanceLists[1] : NoCodes, ADV_RIGHT | ADV_DOWN,
       ADV_LEFT | ADV_UP},
      {PlacementAdvanceLists[2] ? PlacementAdvanceLists[2] : NoCodes, ADV_RIGHT | ADV_UP,
       ADV_LEFT | ADV_DOWN},
      {LeftDownList, ADV_LEFT | ADV_DOWN, ADV_RIGHT | ADV_UP},
  };
  for (const auto& g : general)
    if (InList(g.list, code)) return reverse ? g.reversed : g.value;
  return reverse ? ADV_LEFT : ADV_RIGHT;
}
