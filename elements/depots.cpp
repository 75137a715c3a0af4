// The depot store: depots and their slots, names and short names, slot creation, change and
// deletion, the signal systems referred to by slots, and the block hooks.
#include "elements/depots.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "elements/lines.h"
#include "graphics/colours.h"
#include "model/cellcodes.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

DepotRecord* DepotList = nullptr;
int32_t DepotCount = 0;

// Decimal digits of v with a terminator.
static void PutNumber(char16_t* out, uint32_t v) { out[FormatUnsignedDigits(out, v, 1)] = 0; }

static size_t DepotBytes(int slots) {
  return sizeof(DepotRecord) + (size_t)(slots > 1 ? slots - 1 : 0) * sizeof(DepotSlot);
}

// ---- life of the store ------------------------------------------------------------------------------
void InitDepots() {
  DepotList = nullptr;
  DepotCount = 0;
}

void FreeDepots() {
  DepotRecord* r = DepotList;
  while (r) {
    DepotRecord* next = r->next;
    MemFree(r);
    r = next;
  }
  DepotList = nullptr;
  DepotCount = 0;
}

void ExitDepots() { FreeDepots(); }

int CountDepots(int* totalSlots) {
  if (totalSlots) {
    int n = 0;
    for (DepotRecord* r = DepotList; r; r = r->next) n += r->slotCount;
    *totalSlots = n;
  }
  return DepotCount;
}

// ---- names --------------------------------------------------------------------------------------------
static int IsNameEnd(char16_t c) { return c == 0 || c == u' ' || c == u',' || c == u':'; }

int CheckDepotName(char16_t* text, char16_t** start) {
  while (*text == u' ') text++;
  if (start) *start = text;
  int n = 0;
  while (!IsNameEnd(text[n])) n++;
  text[n] = 0;
  if (n == 0) return 1;
  for (int i = 0; i < n; i++)
    if (!IsNameChar(text[i])) return 2;
  return n > DEPOT_NAME_CHARS ? 3 : 0;
}

// Copies a caller's name into a buffer that the check may cut; a text longer than the buffer
// keeps enough characters to be found too long.
static char16_t* CheckedName(const char16_t* text, char16_t* buffer, int capacity, int* code) {
  CopyStringLimited(buffer, text ? text : u"", capacity);
  char16_t* start;
  *code = CheckDepotName(buffer, &start);
  return start;
}

static int SameName(const char16_t* a, const char16_t* b) {
  return CompareStrings(a, b, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0;
}

static int DepotMatches(const DepotRecord* r, const char16_t* text) {
  return SameName(r->name, text) || (r->shortName[0] && SameName(r->shortName, text));
}

// The first depot (not exceptId) whose name or short name matches, null when none.
static DepotRecord* FindMatchingDepot(const char16_t* text, int exceptId) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    if (r->id != exceptId && DepotMatches(r, text)) return r;
  return nullptr;
}

static DepotRecord* FindDepotByExactName(const char16_t* name) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    if (SameName(r->name, name)) return r;
  return nullptr;
}

void MakeDepotShortName(const char16_t* name, char16_t* shortName, int exceptId) {
  int n = StringLength(name);
  if (n <= DEPOT_SHORT_CHARS) {
    CopyString(shortName, name);
    return;
  }
  char16_t candidate[DEPOT_SHORT_CHARS + 1];
  CopyStringLimited(candidate, name, DEPOT_SHORT_CHARS + 1);
  if (!FindMatchingDepot(candidate, exceptId)) {
    CopyString(shortName, candidate);
    return;
  }
  for (int prefix = 3; prefix >= 1; prefix--) {
    uint32_t limit = prefix == 3 ? 10 : prefix == 2 ? 100 : 1000;
    for (uint32_t k = 0; k < limit; k++) {
      CopyStringLimited(candidate, name, prefix + 1);
      PutNumber(candidate + prefix, k);
      if (!FindMatchingDepot(candidate, exceptId)) {
        CopyString(shortName, candidate);
        return;
      }
    }
  }
  shortName[0] = 0;  // every candidate is taken: no short name
}

void RebuildDepotShortNames() {
  for (DepotRecord* r = DepotList; r; r = r->next) {
    char16_t s[DEPOT_SHORT_CHARS + 1];
    MakeDepotShortName(r->name, s, r->id);
    CopyString(r->shortName, s);
  }
}

// ---- finding ------------------------------------------------------------------------------------------
static int SlotIndexOf(const DepotRecord* r, int slot) {
  for (int i = 0; i < r->slotCount; i++)
    if (r->slots[i].number == slot) return i;
  return -1;
}

DepotRecord* FindDepotById(int id, int slot, int* slotIndex) {
  if (id < 1 || id > DEPOT_MAX_ID) return nullptr;
  for (DepotRecord* r = DepotList; r; r = r->next) {
    if (r->id != id) continue;
    if (slot) {
      int i = SlotIndexOf(r, slot);
      if (i < 0) return nullptr;
      if (slotIndex) *slotIndex = i;
    }
    return r;
  }
  return nullptr;
}

int FindDepotAt(int x, int y, int level, int* slot) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++) {
      const DepotSlot& s = r->slots[i];
      if (s.x == x && s.y == y && s.level == level) {
        if (slot) *slot = s.number;
        return r->id;
      }
    }
  if (slot) *slot = 0;
  return 0;
}

int FindDepotByName(const char16_t* name, int slot) {
  char16_t buffer[40];
  int code;
  char16_t* text = CheckedName(name, buffer, 40, &code);
  if (code) return -code;
  for (DepotRecord* r = DepotList; r; r = r->next)
    if (DepotMatches(r, text) && (!slot || SlotIndexOf(r, slot) >= 0)) return r->id;
  return 0;
}

int GetDepotSlotCount(int id) {
  DepotRecord* r = FindDepotById(id, 0, nullptr);
  return r ? r->slotCount : 0;
}

int GetFirstDepotSlot(int id) {
  DepotRecord* r = FindDepotById(id, 0, nullptr);
  return r && r->slotCount ? r->slots[0].number : 0;
}

int GetDepotSlot(int id, int slot, int* x, int* y, int* level, uint32_t* direction,
                 uint32_t* signalSystem, uint32_t* timeMs, uint32_t* flags) {
  if (slot < 1 || slot > DEPOT_MAX_SLOTS) return 1;
  int i;
  DepotRecord* r = FindDepotById(id, slot, &i);
  if (!r) return 1;
  const DepotSlot& s = r->slots[i];
  if (x) *x = s.x;
  if (y) *y = s.y;
  if (level) *level = s.level;
  if (direction) *direction = s.direction;
  if (signalSystem) *signalSystem = s.signalSystem;
  if (timeMs) *timeMs = s.timeMs;
  if (flags) *flags = s.flags;
  return 0;
}

int SetDepotSlotDirection(int id, int slot, uint32_t direction) {
  if (id < 1 || id > DEPOT_MAX_ID || slot < 1 || slot > DEPOT_MAX_SLOTS) return 1;
  int i;
  DepotRecord* r = FindDepotById(id, slot, &i);
  if (!r) return 2;
  r->slots[i].direction = direction;
  return 0;
}

// ": " and the slot number ("%c%2u" for a positive slot, "%c%u" for a negative one).
static void AppendSlot(char16_t* out, int slot) {
  int n = StringLength(out);
  out[n++] = u':';
  uint32_t v = (uint32_t)(slot < 0 ? -slot : slot);
  if (slot > 0 && v < 10) out[n++] = u' ';
  PutNumber(out + n, v);
}

int FormatDepotName(int id, int slot, char16_t* fullName, char16_t* shortName) {
  if (id < 1 || id > DEPOT_MAX_ID || slot < -DEPOT_MAX_SLOTS || slot > DEPOT_MAX_SLOTS) return 1;
  int i = 0;
  DepotRecord* r = FindDepotById(id, slot < 0 ? -slot : slot, &i);
  if (!r) return 2;
  if (fullName) {
    CopyString(fullName, r->name);
    if (slot) AppendSlot(fullName, slot);
  }
  if (shortName) {
    CopyString(shortName, r->shortName);
    if (slot) AppendSlot(shortName, slot);
  }
  return 0;
}

// The enumeration cursor: the depot and slot index returned last.
static int CursorDepot = 0, CursorIndex = 0;

int NextDepotSlot(int* depot) {
  DepotRecord* r = nullptr;
  int i = 0;
  if (*depot != 0 && *depot == CursorDepot) {
    r = FindDepotById(CursorDepot, 0, nullptr);
    i = CursorIndex + 1;
    if (r && i >= r->slotCount) {
      r = r->next;
      i = 0;
    }
  } else if (*depot == 0) {
    r = DepotList;
  } else {
    r = FindDepotById(*depot, 0, nullptr);  // a depot named by the caller: its next depot
    r = r ? r->next : nullptr;
  }
  if (!r || r->slotCount < 1) {
    CursorDepot = 0;
    return 0;
  }
  CursorDepot = *depot = r->id;
  CursorIndex = i;
  return r->slots[i].number;
}

int ParseDepotReference(const char16_t* text, char16_t* out, int step) {
  if (!DepotList) {
    CopyString(out, text ? text : u"");
    return 1;
  }
  char16_t buffer[64];
  CopyStringLimited(buffer, text ? text : u"", 64);
  int p = 0;
  while (buffer[p] == u' ') p++;
  while (buffer[p] && IsNameChar(buffer[p])) p++;
  while (buffer[p] == u' ') p++;
  int slot = 0;
  if (buffer[p] == u':') {
    buffer[p++] = 0;
    while (buffer[p] == u' ') p++;
    uint32_t v = 0;
    int digits = 0;
    while (buffer[p] >= u'0' && buffer[p] <= u'9' && digits < 4) {
      v = v * 10 + (uint32_t)(buffer[p++] - u'0');
      digits++;
    }
    if (digits && v >= 1 && v <= DEPOT_MAX_SLOTS) slot = (int)v;
  }
  int total = 0;
  CountDepots(&total);
  DepotRecord* r = nullptr;
  int i = 0;
  int id = FindDepotByName(buffer, slot);
  if (id > 0) {
    r = FindDepotById(id, 0, nullptr);
    if (slot) i = SlotIndexOf(r, slot);
  }
  if (!r) {
    r = DepotList;
    i = 0;
  }
  int64_t moves = step;
  if (step <= 0) {
    moves = (int64_t)total + step;
    if (moves < 0) moves += ((-moves + DepotCount - 1) / DepotCount) * (int64_t)DepotCount;
  }
  if (total > 0) moves %= total;
  while (moves-- > 0) {
    if (++i >= r->slotCount) {
      r = r->next ? r->next : DepotList;
      i = 0;
    }
  }
  int n = CopyStringLimited(out, r->name, DEPOT_NAME_CHARS + 1);
  out[n++] = u':';
  PutNumber(out + n, (uint32_t)r->slots[i].number);
  return 0;
}

// ---- adding slots -----------------------------------------------------------------------------------
static void LinkSorted(DepotRecord* r) {
  DepotRecord** at = &DepotList;
  while (*at && CompareStrings((*at)->name, r->name, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) <= 0)
    at = &(*at)->next;
  r->next = *at;
  *at = r;
}

static void Unlink(DepotRecord* r) {
  for (DepotRecord** at = &DepotList; *at; at = &(*at)->next)
    if (*at == r) {
      *at = r->next;
      return;
    }
}

static void InsertSlotSorted(DepotRecord* r, const DepotSlot& s) {
  int i = r->slotCount;
  while (i > 0 && r->slots[i - 1].number > s.number) {
    r->slots[i] = r->slots[i - 1];
    i--;
  }
  r->slots[i] = s;
  r->slotCount++;
}

int AddDepotSlot(const DepotRecord* templ, const DepotSlot* slot) {
  DepotRecord* r = FindDepotById(templ->id, 0, nullptr);
  if (!r) {
    if (templ->id < 1 || templ->id > DEPOT_MAX_ID || DepotCount >= DEPOT_MAX_ID) return 1;
    r = (DepotRecord*)MemAlloc(DepotBytes(1));
    if (!r) return 1;
    FillMem(r, 0, DepotBytes(1));
    r->id = templ->id;
    CopyStringLimited(r->name, templ->name, DEPOT_NAME_CHARS + 1);
    CopyStringLimited(r->shortName, templ->shortName, DEPOT_SHORT_CHARS + 1);
    r->slots[0] = *slot;
    r->slotCount = 1;
    LinkSorted(r);
    DepotCount++;
    return 0;
  }
  if (r->slotCount >= DEPOT_MAX_SLOTS) return 1;
  Unlink(r);
  DepotRecord* grown = (DepotRecord*)MemRealloc(r, DepotBytes(r->slotCount + 1));
  if (!grown) {
    LinkSorted(r);
    return 1;
  }
  LinkSorted(grown);
  InsertSlotSorted(grown, *slot);
  return 0;
}

int NewDepotId() {
  static uint8_t used[DEPOT_MAX_ID + 1];
  FillMem(used, 0, sizeof used);
  for (DepotRecord* r = DepotList; r; r = r->next)
    if (r->id >= 1 && r->id <= DEPOT_MAX_ID) used[r->id] = 1;
  for (int id = 1; id <= DEPOT_MAX_ID; id++)
    if (!used[id]) return id;
  return 0;
}

// The direction pair of a depot symbol's orientation (the code's low two bits).
static void FitDirection(DepotSlot* s, uint32_t code) {
  static const uint32_t kPairs[4][2] = {{8, 4}, {2, 1}, {16, 32}, {64, 128}};
  const uint32_t* p = kPairs[code & 3];
  if (!(s->direction & (p[0] | p[1]))) s->direction = p[0];
}

int CreateDepotSlotAt(int x, int y, int level, const char16_t* name, int slot) {
  uint32_t code = GetCellResolved(x, y, level);
  if (!IsSymbolClassA(code)) return 2;
  char16_t buffer[40];
  int check;
  char16_t* text = CheckedName(name, buffer, 40, &check);
  if (check) return 4 + check;  // 5 empty, 6 bad character, 7 too long
  if (slot < 1 || slot > DEPOT_MAX_SLOTS) return 9;
  if (FindDepotAt(x, y, level, nullptr)) return 4;
  DepotRecord* same = FindDepotByExactName(text);
  int i;
  if (same && (i = SlotIndexOf(same, slot)) >= 0) {
    DepotSlot* s = &same->slots[i];
    MoveParkedTrains(s->x, s->y, s->level, x, y, level);
    s->x = x;
    s->y = y;
    s->level = level;
    FitDirection(s, code);
    SetNetModified();
    return 1;
  }
  if (!same && DepotCount >= DEPOT_MAX_ID) return 3;
  DepotRecord templ = {};
  templ.id = same ? same->id : NewDepotId();
  if (!templ.id) return 3;
  CopyString(templ.name, text);
  DepotSlot s = {x, y, level, slot, 0, 0, 0, 0};
  if (AddDepotSlot(&templ, &s)) return 8;
  DepotRecord* r = FindDepotById(templ.id, 0, nullptr);
  char16_t shortName[DEPOT_SHORT_CHARS + 1];
  MakeDepotShortName(r->name, shortName, r->id);
  CopyString(r->shortName, shortName);
  SetNetModified();
  return 0;
}

// ---- changing and deleting ------------------------------------------------------------------------------
int ChangeDepotSlot(int id, const char16_t* name, const char16_t* shortName, int oldSlot,
                    int newSlot, uint32_t direction, uint32_t signalSystem, uint32_t timeMs,
                    uint32_t flags) {
  if (id < 1 || id > DEPOT_MAX_ID) return 1;
  if (oldSlot < 1 || oldSlot > DEPOT_MAX_SLOTS) return 7;
  if (newSlot < 1 || newSlot > DEPOT_MAX_SLOTS) return 8;
  int i;
  DepotRecord* r = FindDepotById(id, oldSlot, &i);
  if (!r) return 2;
  char16_t nameBuffer[40], shortBuffer[40];
  int check;
  char16_t* newName = CheckedName(name, nameBuffer, 40, &check);
  if (check) return 3 + check;  // 4 empty, 5 bad character, 6 too long
  char16_t* newShort = CheckedName(shortName, shortBuffer, 40, &check);
  if (check == 1) {
    if (r->shortName[0]) {
      newShort = r->shortName;
    } else {
      MakeDepotShortName(newName, shortBuffer, id);
      newShort = shortBuffer;
    }
  } else if (check) {
    return check == 2 ? 5 : 6;
  } else if (StringLength(newShort) > DEPOT_SHORT_CHARS) {
    return 6;
  }
  char16_t keptShort[DEPOT_SHORT_CHARS + 1];
  CopyString(keptShort, newShort);
  if (keptShort[0] && FindMatchingDepot(keptShort, id)) return 10;
  int nameChanged = CompareStrings(newName, r->name, 0) != 0;
  int shortChanged = CompareStrings(keptShort, r->shortName, 0) != 0;
  if ((nameChanged || shortChanged) && FindMatchingDepot(newName, id)) return 3;
  if (newSlot != oldSlot && SlotIndexOf(r, newSlot) >= 0) return 9;
  if (nameChanged || shortChanged) {
    Unlink(r);
    CopyString(r->name, newName);
    CopyString(r->shortName, keptShort);
    LinkSorted(r);
  }
  DepotSlot* s = &r->slots[i];
  s->direction = direction;
  s->signalSystem = signalSystem;
  s->timeMs = timeMs;
  s->flags = flags;
  if (newSlot != oldSlot) {
    DepotSlot moved = *s;
    moved.number = newSlot;
    for (int k = i; k + 1 < r->slotCount; k++) r->slots[k] = r->slots[k + 1];
    r->slotCount--;
    InsertSlotSorted(r, moved);
    RenumberDepotSlotInStores((uint32_t)id, (uint32_t)oldSlot, (uint32_t)newSlot);
  }
  SetNetModified();
  if (AnnotationMask & 16)
    for (int k = 0; k < r->slotCount; k++)
      RedrawCellAllViews(r->slots[k].x, r->slots[k].y, r->slots[k].level);
  return 0;
}

int DeleteDepotSlot(int id, int slot) {
  if (slot < 1 || slot > DEPOT_MAX_SLOTS) return 1;
  int i;
  DepotRecord* r = FindDepotById(id, slot, &i);
  if (!r) return 1;
  const DepotSlot& s = r->slots[i];
  int pending = 0, scheduleB = 0, scheduleA = 0, parked = 0;
  int home = CountTrainsForDepotSlot(id, slot, s.x, s.y, s.level, 127, &pending, &scheduleB,
                                     &scheduleA, &parked);
  if (parked) return 2;
  if (home) return 3;
  if (scheduleA || scheduleB) return 4;
  if (pending) return 5;
  if (r->slotCount > 1) {
    for (int k = i; k + 1 < r->slotCount; k++) r->slots[k] = r->slots[k + 1];
    r->slotCount--;
    ClearDepotSlotInStores((uint32_t)id, (uint32_t)slot);
  } else {
    Unlink(r);
    MemFree(r);
    DepotCount--;
    ClearDepotSlotInStores((uint32_t)id, 0);  // every slot of the depot
  }
  SetNetModified();
  return 0;
}

// ---- signal systems referred to by slots ------------------------------------------------------------------
void ClearSignalSystemInDepots(uint32_t system) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++)
      if (r->slots[i].signalSystem == system) r->slots[i].signalSystem = 0;
}

int AnyDepotSlotOfSignalSystemInBox(uint32_t system, const ElementBox& box) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++) {
      const DepotSlot& s = r->slots[i];
      if (s.signalSystem == system && InElementBox(box, s.x, s.y, s.level)) return 1;
    }
  return 0;
}

int CountDepotReferences(uint32_t system) {
  int n = 0;
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++)
      if (r->slots[i].signalSystem == system) n++;
  return n;
}

void MarkDepotSlotsOfSignalSystem(uint32_t system) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++)
      if (r->slots[i].signalSystem == system) r->slots[i].flags |= 1;
}

void GetDepotSignalSystemName(uint32_t system, char16_t* name, int capacity) {
  if (capacity > 0) name[0] = 0;
}

int GetSignalIdByName(const char16_t* name) { return 0; }

// ---- block hooks ----------------------------------------------------------------------------------------
void MoveDepotSlotsInBlock(const ElementBox& box, int dx, int dy, int dlevel) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++) {
      DepotSlot& s = r->slots[i];
      if (!InElementBox(box, s.x, s.y, s.level)) continue;
      s.x += dx;
      s.y += dy;
      s.level += dlevel;
    }
}

void RemapDepotSlotsInBlock(const ElementBox& box, int a, int b, int c, int d) {
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++) {
      DepotSlot& s = r->slots[i];
      if (!InElementBox(box, s.x, s.y, s.level)) continue;
      int x, y;
      ScaleBlockPosition(box.x0, box.y0, s.x, s.y, s.level, a, b, c, d, &x, &y);
      s.x = x;
      s.y = y;
    }
}

int AnyDepotSlotInBlock(const ElementBox& box) {
  return DepotSlotsCrossBox(box, ELEMENT_BOX_NONE) != 0;
}

int DepotSlotsCrossBox(const ElementBox& a, const ElementBox& b) {
  int any = 0;
  for (DepotRecord* r = DepotList; r; r = r->next)
    for (int i = 0; i < r->slotCount; i++) {
      const DepotSlot& s = r->slots[i];
      if (!InElementBox(a, s.x, s.y, s.level)) continue;
      if (!InElementBox(b, s.x, s.y, s.level)) return 2;
      any = 1;
    }
  return any;
}
