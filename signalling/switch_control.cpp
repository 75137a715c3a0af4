// The store of switch control records, their ids, type data, references and statistics, the
// switch symbol classes and connections, and the block hooks.
#include "signalling/switch_control.h"
#include <cstddef>
#include "core/misc.h"
#include "core/random.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "views/view_services.h"

static ElementHeader* SwitchBuckets[SWITCH_BUCKETS];
static void FreeSwitchMemory(ElementHeader* h);
ElementStore SwitchStore = {nullptr,         0, SwitchBuckets,
                            SWITCH_BUCKETS,  0, (int32_t)offsetof(SwitchControl, id),
                            FreeSwitchMemory};
static SwitchControl* EnumCursor = nullptr;    // last record given by EnumerateSwitches
static SwitchControl* SearchCursor = nullptr;  // last record given by FindRouteSwitchInBox
RouteListOps RouteLists = {};

static SwitchControl* AsSwitch(ElementHeader* h) { return (SwitchControl*)h; }
static SwitchControl* First() { return AsSwitch(SwitchStore.head); }
static SwitchControl* NextOf(SwitchControl* r) { return AsSwitch(r->h.next); }
static int IsRouteType(int type) { return type >= SWITCH_ROUTE1 && type <= SWITCH_ROUTE3; }

// ---- switch symbols ----------------------------------------------------------------------------------
int ClassifySwitchSymbol(uint32_t code, int32_t* range) {
  if (code >= 0x8000) return 0;
  int s = code & 0x1FF, cls, high;
  if (s >= 48 && s <= 79) {
    cls = 1, high = 2;
  } else if (s >= 80 && s <= 87) {
    cls = 1, high = 0;
  } else if (s >= 88 && s <= 95) {
    cls = 5, high = 1;
  } else if (s >= 12 && s <= 15) {
    cls = 4, high = 2;
  } else if (s >= 16 && s <= 23) {
    cls = 3, high = 2;
  } else if (s >= 472 && s <= 495) {
    cls = 2, high = 0;
  } else {
    return 0;
  }
  if (range) {
    range[0] = 0;
    range[1] = high;
  }
  return cls;
}

// Entry, exit 1, exit 2, exit 3 of symbols 12..23 and 48..95.
static const uint8_t kConnections12[12][4] = {
    {1, 32, 2, 16}, {1, 128, 2, 64}, {4, 32, 8, 16},  {4, 64, 8, 128},
    {1, 16, 2, 32}, {2, 32, 1, 16},  {1, 64, 2, 128}, {2, 128, 1, 64},
    {8, 32, 4, 16}, {4, 16, 8, 32},  {4, 128, 8, 64}, {8, 64, 4, 128},
};
static const uint8_t kConnections48[48][4] = {
    {4, 8, 16, 0},   {4, 8, 128, 0},  {8, 4, 32, 0},   {8, 4, 64, 0},   {2, 1, 128, 0},
    {2, 1, 32, 0},   {1, 2, 64, 0},   {1, 2, 16, 0},   {64, 128, 8, 0}, {64, 128, 1, 0},
    {128, 64, 4, 0}, {128, 64, 2, 0}, {16, 32, 1, 0},  {16, 32, 4, 0},  {32, 16, 2, 0},
    {32, 16, 8, 0},  {2, 32, 128, 0}, {1, 16, 64, 0},  {8, 64, 32, 0},  {4, 128, 16, 0},
    {32, 8, 2, 0},   {16, 4, 1, 0},   {128, 2, 4, 0},  {64, 1, 8, 0},   {2, 1, 32, 128},
    {1, 2, 16, 64},  {8, 4, 64, 32},  {4, 8, 128, 16}, {32, 16, 8, 2},  {16, 32, 4, 1},
    {128, 64, 2, 4}, {64, 128, 1, 8}, {4, 8, 2, 0},    {4, 8, 1, 0},    {8, 4, 1, 0},
    {8, 4, 2, 0},    {2, 1, 8, 0},    {2, 1, 4, 0},    {1, 2, 4, 0},    {1, 2, 8, 0},
    {1, 2, 64, 32},  {1, 2, 16, 128}, {4, 8, 16, 64},  {4, 8, 128, 32}, {32, 16, 8, 1},
    {32, 16, 2, 4},  {64, 128, 8, 2}, {64, 128, 1, 4},
};

int GetSwitchConnections(uint32_t code, uint32_t directions[4]) {
  int s = code < 0x8000 ? (int)(code & 0x1FF) : -1;
  if (s >= 472 && s <= 479)
    s -= 400;
  else if (s >= 480 && s <= 487)
    s -= 408;
  else if (s >= 488 && s <= 495)
    s -= 416;
  const uint8_t* row = nullptr;
  if (s >= 12 && s <= 23) row = kConnections12[s - 12];
  if (s >= 48 && s <= 95) row = kConnections48[s - 48];
  for (int i = 0; i < 4; i++) directions[i] = row ? row[i] : 0;
  return row ? 0 : 1;
}

// ---- store ---------------------------------------------------------------------------------------
static void FreeSwitchMemory(ElementHeader* h) {
  SwitchControl* r = AsSwitch(h);
  if (r == EnumCursor) EnumCursor = nullptr;
  if (r == SearchCursor) SearchCursor = nullptr;
  if (IsRouteType(r->type) && r->data.route.values) MemFree(r->data.route.values);
  MemFree(r);
}

void InitSwitches() { StoreInit(&SwitchStore); }
void ClearSwitches() {
  StoreClear(&SwitchStore);
  EnumCursor = SearchCursor = nullptr;
}
void ExitSwitches() { ClearSwitches(); }

int IsValidSwitchType(int type) {
  return (type >= 1 && type <= 4) || type == SWITCH_RATIO || type == SWITCH_RANDOM ||
         type == SWITCH_ATTRIBUTES || type == SWITCH_STATES || IsRouteType(type);
}

static size_t SwitchRecordSize(int type) {
  size_t base = offsetof(SwitchControl, data);
  switch (type) {
    case SWITCH_RATIO: return base + sizeof(SwitchRatioData);
    case SWITCH_RANDOM: return base + sizeof(SwitchRandomData);
    case SWITCH_ATTRIBUTES: return base + sizeof(SwitchAttributeData);
    case SWITCH_STATES: return base + sizeof(SwitchStateData);
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: return base + sizeof(SwitchRouteData);
  }
  return base;
}

SwitchControl* FindSwitchRecord(int x, int y, int level, int exitIndex) {
  for (ElementHeader* h = SwitchBuckets[x & (SWITCH_BUCKETS - 1)]; h; h = h->nextInBucket) {
    SwitchControl* r = AsSwitch(h);
    if (h->x == x && h->y == y && h->level == level &&
        (exitIndex == -1 || r->exitIndex == exitIndex))
      return r;
  }
  return nullptr;
}

SwitchControl* FindSwitchById(uint32_t id) {
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (r->id == id) return r;
  return nullptr;
}

void InsertSwitchSorted(SwitchControl* r) {
  SwitchControl* prev = nullptr;
  if (r->id != 0)
    for (SwitchControl* p = First(); p; p = NextOf(p)) {
      if (p->id < r->id || (p->id == r->id && p->exitIndex <= r->exitIndex))
        prev = p;
      else
        break;
    }
  StoreLink(&SwitchStore, &r->h, prev ? &prev->h : nullptr);
}

int CreateSwitchRecord(SwitchControl* appendAfter, int x, int y, int level, int exitIndex, int type,
                       uint32_t id, uint32_t entry, uint32_t exit1, uint32_t exit2, uint32_t exit3,
                       uint32_t displayState, SwitchControl** out) {
  if (out) *out = nullptr;
  if (!IsValidSwitchType(type)) return 2;
  size_t size = SwitchRecordSize(type);
  SwitchControl* r = (SwitchControl*)MemAlloc(size);
  if (!r) return 1;
  FillMem(r, 0, size);
  r->h.x = x;
  r->h.y = y;
  r->h.level = level;
  r->id = id;
  r->type = type;
  r->exitIndex = exitIndex;
  r->entry = entry;
  r->exit1 = exit1;
  r->exit2 = exit2;
  r->exit3 = exit3;
  r->displayState = displayState;
  if (appendAfter)
    StoreLink(&SwitchStore, &r->h, &appendAfter->h);
  else
    InsertSwitchSorted(r);
  if (exitIndex != 0) AssignSwitchId(x, y, level, id);
  if (out) *out = r;
  return 0;
}

void FreeSwitchRecord(SwitchControl* r) { StoreFree(&SwitchStore, &r->h); }

// Another position holds the id.
static int IdHeldElsewhere(uint32_t id, int x, int y, int level) {
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (r->id == id && (r->h.x != x || r->h.y != y || r->h.level != level)) return 1;
  return 0;
}

int PlaceSwitch(int x, int y, int level, int exitIndex, int type, uint32_t id,
                const uint32_t directions[4], uint32_t displayState) {
  if (id < 1 || id > SWITCH_ID_MAX) return 3;
  if (IdHeldElsewhere(id, x, y, level)) return 2;
  if (!IsValidSwitchType(type)) return 1;
  SwitchControl* old = FindSwitchRecord(x, y, level, exitIndex);
  if (old) FreeSwitchRecord(old);
  RpRemoveAt(x, y, level);
  if (CreateSwitchRecord(nullptr, x, y, level, exitIndex, type, id, directions[0], directions[1],
                         directions[2], directions[3], displayState, nullptr))
    return 1;
  if (exitIndex >= 1)
    for (SwitchControl* r = First(); r; r = NextOf(r))
      if (r->h.x == x && r->h.y == y && r->h.level == level) r->displayState = displayState;
  SetNetModified();
  return 0;
}

int DeleteSwitch(int x, int y, int level, int exitIndex) {
  SwitchControl* r = FindSwitchRecord(x, y, level, exitIndex);
  if (!r) return 0;
  FreeSwitchRecord(r);
  SetNetModified();
  return 1;
}

int ChangeSwitchExitIndex(int x, int y, int level, int oldIndex, int newIndex,
                          const uint32_t directions[4]) {
  if (newIndex != oldIndex && FindSwitchRecord(x, y, level, newIndex)) return 2;
  SwitchControl* r = FindSwitchRecord(x, y, level, oldIndex);
  if (!r) return 1;
  StoreUnlink(&SwitchStore, &r->h);
  r->exitIndex = newIndex;
  r->entry = directions[0];
  r->exit1 = directions[1];
  r->exit2 = directions[2];
  r->exit3 = directions[3];
  InsertSwitchSorted(r);
  SetNetModified();
  return 0;
}

int AssignSwitchId(int x, int y, int level, uint32_t id) {
  if (id < 1 || id > SWITCH_ID_MAX) return 2;
  if (IdHeldElsewhere(id, x, y, level)) return 3;
  if (!FindSwitchRecord(x, y, level, -1)) return 1;
  int changed = 0;
  for (;;) {
    SwitchControl* other = nullptr;
    for (ElementHeader* h = SwitchBuckets[x & (SWITCH_BUCKETS - 1)]; h; h = h->nextInBucket)
      if (h->x == x && h->y == y && h->level == level && AsSwitch(h)->id != id) {
        other = AsSwitch(h);
        break;
      }
    if (!other) break;
    StoreUnlink(&SwitchStore, &other->h);
    other->id = id;
    InsertSwitchSorted(other);
    changed = 1;
  }
  if (changed) SetNetModified();
  return 0;
}

int SetSwitchId(int x, int y, int level, uint32_t id) {
  int r = AssignSwitchId(x, y, level, id);
  if (r == 0) DrawCell(x, y, level, DRAWCELL_ALL_VIEWS);
  return r;
}

uint32_t FindFreeSwitchId() {
  uint32_t last = 0;
  for (SwitchControl* r = First(); r; r = NextOf(r)) {
    if (r->id > last + 1) return last + 1 <= SWITCH_ID_MAX ? last + 1 : 0;
    if (r->id > last) last = r->id;
  }
  return last < SWITCH_ID_MAX ? last + 1 : 0;
}

uint32_t GetSwitchId(int x, int y, int level) {
  SwitchControl* r = FindSwitchRecord(x, y, level, -1);
  return r ? r->id : 0;
}

int GetSwitchPositionById(uint32_t id, int* x, int* y, int* level) {
  SwitchControl* r = id ? FindSwitchById(id) : nullptr;
  if (!r) return 0;
  *x = r->h.x;
  *y = r->h.y;
  *level = r->h.level;
  return 1;
}

uint32_t GetSwitchDisplayState(int x, int y, int level) {
  SwitchControl* r = FindSwitchRecord(x, y, level, -1);
  return r ? r->displayState : 0;
}

int SetSwitchDisplayState(int x, int y, int level, uint32_t state) {
  SwitchControl* r = FindSwitchRecord(x, y, level, -1);
  if (!r) return 1;
  if (r->exitIndex == 0) {
    r->displayState = state;
  } else {
    r = FindSwitchRecord(x, y, level, 1);
    for (int n = 0; r && n < 4; r = NextOf(r), n++) {
      if (r->h.x != x || r->h.y != y || r->h.level != level) break;
      r->displayState = state;
    }
  }
  SetNetModified();
  return 0;
}

int EnumerateSwitches(int* x, int* y, int* level, int* exitIndex, uint32_t* id,
                      uint32_t directions[4]) {
  SwitchControl* r;
  if (*x == -1)
    r = First();
  else if (*x == -2)
    r = EnumCursor ? NextOf(EnumCursor) : nullptr;
  else
    r = FindSwitchRecord(*x, *y, *level, *exitIndex);
  if (!r) return 0;
  if (*x < 0) {
    *x = r->h.x;
    *y = r->h.y;
    *level = r->h.level;
  }
  *exitIndex = r->exitIndex;
  if (id) *id = r->id;
  if (directions) {
    directions[0] = r->entry;
    directions[1] = r->exit1;
    directions[2] = r->exit2;
    directions[3] = r->exit3;
  }
  EnumCursor = r;
  return r->type;
}

// ---- type data -----------------------------------------------------------------------------------
// The record of (x, y, level, exit index) when it has the type: 0, 1 none, 2 another type.
static int TypedRecord(int x, int y, int level, int exitIndex, int type, SwitchControl** out) {
  *out = FindSwitchRecord(x, y, level, exitIndex);
  if (!*out) return 1;
  if (type == SWITCH_ROUTE1 ? !IsRouteType((*out)->type) : (*out)->type != type) return 2;
  return 0;
}

uint32_t RatioTotal(const SwitchControl* r) {
  return r->data.ratio.count[0] + r->data.ratio.count[1] + r->data.ratio.count[2];
}

static int NonZeroCount(uint32_t a, uint32_t b, uint32_t c) {
  return (a != 0) + (b != 0) + (c != 0);
}

int SetRatioSwitchData(int x, int y, int level, int exitIndex, uint32_t c1, uint32_t c2,
                       uint32_t c3, uint32_t startPosition, const uint32_t resetTimes[3],
                       const uint32_t resetPositions[3]) {
  SwitchControl* r;
  int e = TypedRecord(x, y, level, exitIndex, SWITCH_RATIO, &r);
  if (e) return e;
  // The counts and the counter are stored in 16 bits: a total beyond that is refused.
  uint64_t total = (uint64_t)c1 + c2 + c3;
  if (NonZeroCount(c1, c2, c3) < 2 || total > 0xFFFF || startPosition >= total) return 3;
  SwitchRatioData n = {};
  n.count[0] = c1;
  n.count[1] = c2;
  n.count[2] = c3;
  n.counter = (uint32_t)total - startPosition;
  for (int i = 0; i < 3; i++) {
    n.resetTime[i] = resetTimes[i];
    n.resetValue[i] = ((uint32_t)total - resetPositions[i]) & 0xFFFF;
  }
  if (CompareMem(&n, &r->data.ratio, sizeof n) != 0) {
    r->data.ratio = n;
    SetNetModified();
  }
  return 0;
}

int GetRatioSwitchData(int x, int y, int level, int exitIndex, uint32_t counts[3],
                       uint32_t* position, uint32_t resetTimes[3], uint32_t resetPositions[3]) {
  SwitchControl* r;
  if (TypedRecord(x, y, level, exitIndex, SWITCH_RATIO, &r)) return 1;
  uint32_t total = RatioTotal(r);
  for (int i = 0; i < 3; i++) {
    counts[i] = r->data.ratio.count[i] & 0xFFFF;
    resetTimes[i] = r->data.ratio.resetTime[i];
    resetPositions[i] = (total - r->data.ratio.resetValue[i]) & 0xFFFF;
  }
  *position = (total - r->data.ratio.counter) & 0xFFFF;
  return 0;
}

// A new draw for the next train: 0 .. sum - 1 (0 when the sum is 0).
static void DrawRandomShare(SwitchControl* r) {
  uint32_t sum = r->data.random.share[0] + r->data.random.share[1] + r->data.random.share[2];
  r->data.random.draw = sum ? ((uint32_t)RuntimeRand() % sum) & 0xFFFF : 0;
}

int SetRandomSwitchData(int x, int y, int level, int exitIndex, uint32_t s1, uint32_t s2,
                        uint32_t s3) {
  SwitchControl* r;
  int e = TypedRecord(x, y, level, exitIndex, SWITCH_RANDOM, &r);
  if (e) return e;
  if (NonZeroCount(s1, s2, s3) < 2 || s1 > 0xFFFF || s2 > 0xFFFF || s3 > 0xFFFF) return 3;
  SwitchRandomData& d = r->data.random;
  if (d.share[0] == s1 && d.share[1] == s2 && d.share[2] == s3) return 0;
  d.share[0] = s1;
  d.share[1] = s2;
  d.share[2] = s3;
  DrawRandomShare(r);
  SetNetModified();
  return 0;
}

int GetRandomSwitchData(int x, int y, int level, int exitIndex, uint32_t shares[3],
                        uint32_t* draw) {
  SwitchControl* r;
  if (TypedRecord(x, y, level, exitIndex, SWITCH_RANDOM, &r)) return 1;
  for (int i = 0; i < 3; i++) shares[i] = r->data.random.share[i];
  if (draw) *draw = r->data.random.draw;
  return 0;
}

int SetAttributeSwitchMasks(int x, int y, int level, int exitIndex, const uint32_t masks[12]) {
  SwitchControl* r;
  int e = TypedRecord(x, y, level, exitIndex, SWITCH_ATTRIBUTES, &r);
  if (e) return e;
  if (CompareMem(masks, r->data.attributes.mask, sizeof r->data.attributes.mask) == 0) return 0;
  CopyMem(r->data.attributes.mask, masks, sizeof r->data.attributes.mask);
  SetNetModified();
  return 0;
}

int GetAttributeSwitchMasks(int x, int y, int level, int exitIndex, uint32_t masks[12]) {
  SwitchControl* r;
  if (TypedRecord(x, y, level, exitIndex, SWITCH_ATTRIBUTES, &r)) return 1;
  CopyMem(masks, r->data.attributes.mask, sizeof r->data.attributes.mask);
  return 0;
}

int SetStateSwitchExpressions(int x, int y, int level, int exitIndex, int length1,
                              const uint32_t* tokens1, int length2, const uint32_t* tokens2,
                              int length3, const uint32_t* tokens3, uint32_t priority) {
  SwitchControl* r;
  int e = TypedRecord(x, y, level, exitIndex, SWITCH_STATES, &r);
  if (e) return e;
  int lengths[3] = {length1, length2, length3};
  const uint32_t* tokens[3] = {tokens1, tokens2, tokens3};
  SwitchStateData n = {};
  for (int i = 0; i < 3; i++) {
    if (lengths[i] < 0 || lengths[i] > SWITCH_EXPRESSION_MAX) return 3;
    if (lengths[i] && !tokens[i]) return 3;
    n.length[i] = lengths[i];
    if (lengths[i]) CopyMem(n.tokens[i], tokens[i], lengths[i] * sizeof(uint32_t));
  }
  n.priority = (uint8_t)priority;
  if (CompareMem(&n, &r->data.states, sizeof n) == 0) return 0;
  r->data.states = n;
  SetNetModified();
  return 0;
}

int GetStateSwitchExpressions(int x, int y, int level, int exitIndex, int lengths[3],
                              uint32_t tokens[3][SWITCH_EXPRESSION_MAX], uint32_t* priority) {
  SwitchControl* r;
  if (TypedRecord(x, y, level, exitIndex, SWITCH_STATES, &r)) return 1;
  for (int i = 0; i < 3; i++) {
    lengths[i] = r->data.states.length[i];
    if (tokens) CopyMem(tokens[i], r->data.states.tokens[i], sizeof r->data.states.tokens[i]);
  }
  if (priority) *priority = r->data.states.priority;
  return 0;
}

static uint32_t RouteTotal(const uint32_t lengths[6]) {
  uint32_t total = 0;
  for (int i = 0; i < 6; i++) total += lengths[i];
  return total;
}

int SetRouteSwitchLists(int x, int y, int level, int exitIndex, const uint32_t lengths[6],
                        const uint32_t* values) {
  SwitchControl* r = FindSwitchRecord(x, y, level, exitIndex);
  if (!r) return 2;
  if (!IsRouteType(r->type)) return 3;
  for (int i = 0; i < 6; i++)
    if (lengths[i] > SWITCH_ROUTE_LIST_MAX) return 3;
  uint32_t total = RouteTotal(lengths);
  uint32_t* copy = nullptr;
  if (total) {
    copy = (uint32_t*)MemAlloc(total * sizeof(uint32_t));
    if (!copy) return 1;
    CopyMem(copy, values, total * sizeof(uint32_t));
  }
  SwitchRouteData& d = r->data.route;
  if (d.values) MemFree(d.values);
  d.values = copy;
  for (int i = 0; i < 6; i++) d.length[i] = lengths[i];
  d.flags = 0;
  SetNetModified();
  return 0;
}

static uint32_t ListOffset(const SwitchRouteData& d, int list) {
  uint32_t o = 0;
  for (int i = 0; i < list; i++) o += d.length[i];
  return o;
}

int GetRouteSwitchList(int x, int y, int level, int exitIndex, int selector,
                       const uint32_t** values) {
  if (values) *values = nullptr;
  SwitchControl* r = FindSwitchRecord(x, y, level, exitIndex);
  if (!r || !IsRouteType(r->type) || selector < 1 || selector > 6) return 0;
  const SwitchRouteData& d = r->data.route;
  if (!d.length[selector - 1]) return 0;
  if (values) *values = d.values + ListOffset(d, selector - 1);
  return (int)d.length[selector - 1];
}

// ---- references ------------------------------------------------------------------------------------
// Applies op to lists first..first+2 of a route record in place, closing the gaps.
template <typename Op>
static void ShrinkLists(SwitchRouteData& d, int first, Op op) {
  uint32_t src = 0, dst = 0;
  for (int i = 0; i < 6; i++) {
    uint32_t n = d.length[i];
    if (n && src != dst) MoveMem(d.values + dst, d.values + src, n * sizeof(uint32_t));
    src += n;
    if (i >= first && i < first + 3 && n) {
      uint32_t m = op(d.values + dst, n);
      d.length[i] = m <= n ? m : n;
    }
    dst += d.length[i];
  }
}

void RemoveLineFromRouteSwitches(uint32_t line) {
  if (!RouteLists.lineRefListRemove) return;
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (IsRouteType(r->type) && r->data.route.values)
      ShrinkLists(r->data.route, 0, [&](uint32_t* list, uint32_t n) {
        return RouteLists.lineRefListRemove(list, n, line);
      });
}

int AddLineAlongsideInRouteSwitches(uint32_t oldLine, uint32_t newLine) {
  if (!RouteLists.lineRefListAddAlongside) return 0;
  int failed = 0;
  for (SwitchControl* r = First(); r; r = NextOf(r)) {
    if (!IsRouteType(r->type) || !r->data.route.values) continue;
    SwitchRouteData& d = r->data.route;
    uint32_t lengths[6];
    uint32_t* grown =
        (uint32_t*)MemAlloc((RouteTotal(d.length) + 3 * SWITCH_ROUTE_LIST_MAX) * sizeof(uint32_t));
    if (!grown) {
      failed = 1;
      continue;
    }
    uint32_t src = 0, out = 0;
    for (int i = 0; i < 6; i++) {
      uint32_t n = d.length[i], m = SWITCH_ROUTE_LIST_MAX + 1;
      if (i < 3 && n)
        m = RouteLists.lineRefListAddAlongside(d.values + src, n, oldLine, newLine, grown + out,
                                               SWITCH_ROUTE_LIST_MAX);
      if (m > SWITCH_ROUTE_LIST_MAX) {  // not a line list, or it cannot grow: kept as it was
        if (i < 3 && n) failed = 1;
        if (n) CopyMem(grown + out, d.values + src, n * sizeof(uint32_t));
        m = n;
      }
      lengths[i] = m;
      src += n;
      out += m;
    }
    MemFree(d.values);
    d.values = grown;
    for (int i = 0; i < 6; i++) d.length[i] = lengths[i];
  }
  return failed;
}

void RemoveDepotSlotFromRouteSwitches(uint32_t depot, uint32_t slot) {
  if (!RouteLists.depotSlotListRemove) return;
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (IsRouteType(r->type) && r->data.route.values)
      ShrinkLists(r->data.route, 3, [&](uint32_t* list, uint32_t n) {
        return RouteLists.depotSlotListRemove(list, n, depot, slot);
      });
}

void RenumberDepotSlotInRouteSwitches(uint32_t depot, uint32_t oldSlot, uint32_t newSlot) {
  if (!RouteLists.depotSlotListRenumber) return;
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (IsRouteType(r->type) && r->data.route.values)
      ShrinkLists(r->data.route, 3, [&](uint32_t* list, uint32_t n) {
        return RouteLists.depotSlotListRenumber(list, n, depot, oldSlot, newSlot);
      });
}

// Whether an element expression names the element (a token equal to its id).
static int ExpressionUses(const SwitchStateData& d, int i, uint32_t id) {
  for (int k = 0; k < d.length[i] && k < SWITCH_EXPRESSION_MAX; k++)
    if (d.tokens[i][k] == id) return 1;
  return 0;
}

static int StateSwitchUses(const SwitchControl* r, uint32_t id) {
  if (r->type != SWITCH_STATES) return 0;
  for (int i = 0; i < 3; i++)
    if ((i < 2 || r->exit3) && ExpressionUses(r->data.states, i, id)) return 1;
  return 0;
}

void RemoveElementFromStateSwitches(uint32_t elementId) {
  for (SwitchControl* r = First(); r; r = NextOf(r)) {
    if (r->type != SWITCH_STATES) continue;
    for (int i = 0; i < 3; i++)
      if ((i < 2 || r->exit3) && ExpressionUses(r->data.states, i, elementId))
        r->data.states.length[i] = 0;
  }
}

int StateSwitchInBoxUsesElement(uint32_t elementId, const ElementBox& box) {
  for (SwitchControl* r = First(); r; r = NextOf(r))
    if (InElementBox(box, r->h.x, r->h.y, r->h.level) && StateSwitchUses(r, elementId)) return 1;
  return 0;
}

int CountStateSwitchesUsingElement(uint32_t elementId) {
  int n = 0;
  for (SwitchControl* r = First(); r; r = NextOf(r)) n += StateSwitchUses(r, elementId);
  return n;
}

int RouteSwitchHasLine(const SwitchControl* r, uint32_t line) {
  if (!IsRouteType(r->type) || !RouteLists.lineRefListContains) return 0;
  const SwitchRouteData& d = r->data.route;
  for (int i = 0; i < 3; i++)
    if (d.length[i] &&
        RouteLists.lineRefListContains(d.values + ListOffset(d, i), d.length[i], line))
      return 1;
  return 0;
}

int FindRouteSwitchInBox(uint32_t line, const ElementBox& box, int* x, int* y, int* level,
                         uint32_t* id) {
  SwitchControl* r = (*x == -1 && SearchCursor) ? NextOf(SearchCursor) : First();
  for (; r; r = NextOf(r)) {
    if (!InElementBox(box, r->h.x, r->h.y, r->h.level) || !RouteSwitchHasLine(r, line)) continue;
    SearchCursor = r;
    *x = r->h.x;
    *y = r->h.y;
    *level = r->h.level;
    if (id) *id = r->id;
    return 1;
  }
  SearchCursor = nullptr;
  return 0;
}

// ---- statistics ------------------------------------------------------------------------------------
void GatherSwitchStatistics(SwitchStatistics* out) {
  SwitchStatistics s = {};
  for (SwitchControl* r = First(); r; r = NextOf(r)) {
    switch (r->type) {
      case SWITCH_PLAIN: s.plain++; break;
      case SWITCH_FIXED1:
      case SWITCH_FIXED2:
      case SWITCH_FIXED3: s.fixed++; break;
      case SWITCH_RATIO: s.ratio++; break;
      case SWITCH_RANDOM: s.random++; break;
      case SWITCH_ATTRIBUTES: s.attributes++; break;
      case SWITCH_STATES: s.states++; break;
      default:
        if (IsRouteType(r->type)) s.route++;
    }
    if (r->exitIndex == 0) {
      if (r->exit3)
        s.threeExitCells++;
      else
        s.twoExitCells++;
    } else if (r->exitIndex == 2) {
      int cls = ClassifySwitchSymbol(GetCellResolved(r->h.x, r->h.y, r->h.level), nullptr);
      if (cls == 3) s.class3Cells++;
      if (cls == 4) s.class4Cells++;
      if (cls == 5) s.class5Cells++;
    }
  }
  *out = s;
}

int GetSwitchCount(SwitchStatistics* out) {
  if (out) GatherSwitchStatistics(out);
  return SwitchStore.count;
}

// ---- block hooks -------------------------------------------------------------------------------------
void MoveSwitchesInBox(const ElementBox& box, int dx, int dy, int dlevel) {
  StoreMoveInBox(&SwitchStore, box, dx, dy, dlevel);
}
void ScaleSwitchesInBox(const ElementBox& box, int a, int b, int c, int d) {
  StoreScaleInBox(&SwitchStore, box, a, b, c, d);
}
void DeleteSwitchesInBox(const ElementBox& box) { StoreDeleteInBox(&SwitchStore, box); }
int SwitchesCrossBox(const ElementBox& a, const ElementBox& b) {
  return StoreCrossBox(&SwitchStore, a, b);
}
