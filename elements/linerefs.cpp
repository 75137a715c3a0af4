// Line-reference lists: walking entries (lengths from the flag word, always within the list),
// matching a train by line, number and time, applying an entry's actions, removing and adding
// lines, depot-slot edits, number range lists and the conversions of old file forms.
#include <initializer_list>
#include "core/misc.h"
#include "elements/lines.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"

// Single-word parts between the range block and the schedule blocks, and after them.
static const uint32_t kMiddleWords[] = {LREF_TARGET,   LREF_WAIT,        LREF_CATEGORY,
                                        LREF_TYPE,     LREF_WAY_KINDS,   LREF_SUB_NUMBER,
                                        LREF_ACCELERATION, LREF_BRAKE,   LREF_ATTR_8,
                                        LREF_ATTR_4};
static const uint32_t kTailWords[] = {LREF_MAX_SPEED, LREF_VEHICLE_INDEX, LREF_BLOCKED,
                                      LREF_STATE};

// End of the entry at index (the index of the next entry), or -1 when it runs past the list or a
// count is above its limit.
static int EntryEnd(const uint32_t* L, int n, int i) {
  if (!L || i < 0 || i >= n) return -1;
  uint32_t c = L[i];
  if (c > (uint32_t)LREF_MAX_IDS) return -1;
  i += 1 + (int)c;
  if (i >= n) return -1;
  uint32_t f = L[i++];
  if (f & LREF_WINDOWS) {
    if (i >= n || L[i] > (uint32_t)LREF_MAX_WINDOWS) return -1;
    i += 1 + 2 * (int)L[i];
  }
  if (f & LREF_RANGE) {
    if (i >= n || L[i] > (uint32_t)LREF_MAX_RANGE) return -1;
    i += 1 + (int)L[i];
  }
  for (uint32_t bit : kMiddleWords)
    if (f & bit) i++;
  for (uint32_t bit : {LREF_SCHEDULE_B, LREF_SCHEDULE_A})
    if (f & bit) {
      if (i >= n || L[i] > (uint32_t)LREF_MAX_SCHEDULE) return -1;
      i += 1 + 4 * (int)L[i];
    }
  for (uint32_t bit : kTailWords)
    if (f & bit) i++;
  if (f & LREF_DEPOT_ORDER) {
    if (i >= n) return -1;
    i += (L[i] != 0 && (L[i] & 4)) ? 3 : 1;
  }
  return i <= n ? i : -1;
}

int LineRefEntryLength(const uint32_t* list, int length, int index) {
  int e = EntryEnd(list, length, index);
  return e < 0 ? 0 : e - index;
}

int LineRefNextEntryIn(const uint32_t* list, int length, int index) {
  return index + LineRefEntryLength(list, length, index);
}

// The unchecked walk for lists that passed CheckLineRefList.
int LineRefNextEntry(const uint32_t* list, int index) {
  int e = EntryEnd(list, 0x7FFFFFFF, index);
  return e < 0 ? index : e;
}

int LineRefEntryAt(const uint32_t* list, int length, int n) {
  int i = 0;
  for (int k = 0; i < length; k++) {
    if (k == n) return i;
    int e = EntryEnd(list, length, i);
    if (e < 0) return -1;
    i = e;
  }
  return -1;
}

int LineRefEntryCount(const uint32_t* list, int length) {
  int k = 0;
  for (int i = 0; i < length; k++) {
    int e = EntryEnd(list, length, i);
    if (e < 0) break;
    i = e;
  }
  return k;
}

int CheckLineRefList(const uint32_t* list, int length) {
  if (length < 0 || (length > 0 && !list)) return 3;
  for (int i = 0; i < length;) {
    int e = EntryEnd(list, length, i);
    if (e < 0) return 3;
    i = e;
  }
  return 0;
}

// ---- number ranges -----------------------------------------------------------------------------------
static int RangeWordsContain(const uint32_t* nums, int m, uint32_t number) {
  for (int j = 0; j < m; j++) {
    uint32_t v = nums[j];
    if (v == 0xFFFFFFFFu && j > 0 && j + 1 < m) {
      if (nums[j - 1] <= number && number <= nums[j + 1]) return 1;
      j++;  // the number after the dash is part of the range
      continue;
    }
    if (v == number) return 1;
  }
  return 0;
}

int RangeListContains(const uint32_t* list, uint32_t number) {
  if (!list || list[0] == 0) return 2;
  return RangeWordsContain(list + 1, (int)list[0], number);
}

// The k-th interval of a range list (numbers and ranges); returns the index after it.
static int NextInterval(const uint32_t* nums, int m, int j, uint32_t* lo, uint32_t* hi) {
  *lo = *hi = nums[j];
  if (j + 2 < m && nums[j + 1] == 0xFFFFFFFFu) {
    *hi = nums[j + 2];
    return j + 3;
  }
  return j + 1;
}

int RangeListsOverlap(const uint32_t* listA, int lengthA, const uint32_t* listB, int lengthB) {
  if (lengthA <= 0 || lengthB <= 0 || !listA || !listB) return 2;
  for (int a = 0; a < lengthA;) {
    uint32_t alo, ahi;
    a = NextInterval(listA, lengthA, a, &alo, &ahi);
    for (int b = 0; b < lengthB;) {
      uint32_t blo, bhi;
      b = NextInterval(listB, lengthB, b, &blo, &bhi);
      uint32_t lo = alo > blo ? alo : blo, hi = ahi < bhi ? ahi : bhi;
      if (lo <= hi) return 1;
    }
  }
  return 0;
}

// ---- matching -----------------------------------------------------------------------------------------
int FindLineRefEntry(const uint32_t* list, int length, uint32_t line, uint32_t number, uint32_t t,
                     uint32_t* flags, uint32_t* windowEnd) {
  for (int i = 0; i < length;) {
    int end = EntryEnd(list, length, i);
    if (end < 0) return -1;
    uint32_t c = list[i];
    int match = 0;
    for (uint32_t k = 0; k < c && !match; k++) {
      uint32_t id = list[i + 1 + k];
      match = id == 0 || id == line;
    }
    int p = i + 1 + (int)c;
    uint32_t f = list[p++];
    uint32_t e = 0;
    if (f & LREF_WINDOWS) {
      uint32_t w = list[p++];
      if (match) {
        int inside = 0;
        for (uint32_t k = 0; k < w && !inside; k++)
          if (IsInTimeWindow(t, list[p + 2 * k], list[p + 2 * k + 1])) {
            inside = 1;
            e = list[p + 2 * k + 1];
          }
        match = inside;
      }
      p += 2 * (int)w;
    }
    if (f & LREF_RANGE) {
      if (match && number != 0 && RangeListContains(list + p, number) <= 0) match = 0;
      p += 1 + (int)list[p];
    }
    if (match) {
      if (flags) *flags = f;
      if (windowEnd) *windowEnd = e;
      return p;
    }
    i = end;
  }
  return -1;
}

static int CountWindows(const uint32_t* list, int length) {
  int windows = 0;
  for (int i = 0; i < length;) {
    int end = EntryEnd(list, length, i);
    if (end < 0) break;
    int p = i + 1 + (int)list[i];
    if (list[p] & LREF_WINDOWS) windows += (int)list[p + 1];
    i = end;
  }
  return windows;
}

int MatchLineRefAt(const uint32_t* list, int length, uint32_t line, uint32_t number, uint32_t now,
                   uint32_t* until) {
  uint32_t t = now;
  if (!until) return FindLineRefEntry(list, length, line, number, t, nullptr, nullptr) >= 0;
  // Windows may chain round the week for ever: the walk ends after 7 steps per window (and one
  // more set), or when a time comes back.
  const int steps = 7 * (CountWindows(list, length) + 1);
  uint32_t seen[64];
  int seenCount = 0;
  for (int step = 0; step < steps; step++) {
    uint32_t e;
    if (FindLineRefEntry(list, length, line, number, t, nullptr, &e) < 0) break;
    uint32_t days = e >> 24;
    if (days == 0 || days == 0x7F) {  // no particular weekday: the same day, or 00:00 the next
      e &= 0xFFFFFF;
      uint32_t today = (t >> 24) & 0x7F;
      if (today == 0 || today == 0x7F) today = 1;
      if (e > 0) {
        e |= today << 24;
      } else {
        uint32_t next = today << 1;
        if (next & 0x80) next = 1;
        e = next << 24;
      }
    }
    if (IsInTimeWindow(*until, t, e)) return 1;
    t = e;
    for (int k = 0; k < seenCount; k++)
      if (seen[k] == t) {
        *until = t;
        return 0;
      }
    if (seenCount < 64) seen[seenCount++] = t;
  }
  *until = t;
  return 0;
}

int MatchLineRefForTrain(const uint32_t* list, int length, uint32_t line, uint32_t number,
                         uint32_t* until) {
  return MatchLineRefAt(list, length, line, number, ClockDayTime(), until);
}

// ---- applying an entry --------------------------------------------------------------------------------
static void ApplySchedule(const uint32_t* r, uint32_t k, uint32_t* times, uint16_t* depots,
                          uint16_t* slots) {
  for (uint32_t j = 0; j < k; j++, r += 4) {
    uint32_t time = r[0], hour = (time >> 16) & 0xFF, entry = r[3];
    if (hour == 24) {
      for (int n = 0; n < 6; n++)
        if (entry == 0 || entry == (uint32_t)n + 1) {
          times[n] = 0;
          depots[n] = 0;
          slots[n] = 0;
        }
    } else if (hour <= 23 && entry >= 1 && entry <= 6) {
      times[entry - 1] = time & ~0xFFu;
      depots[entry - 1] = (uint16_t)r[1];
      slots[entry - 1] = (uint16_t)r[2];
    }
  }
}

int ApplyLineRefEntryAt(const uint32_t* list, int length, uint32_t now, LineRefTrainValues* v) {
  if (length <= 0) return 2;
  uint32_t f;
  int p = FindLineRefEntry(list, length, v->line, v->number, now, &f, nullptr);
  if (p < 0) return 0;
  if (f & LREF_TARGET) v->line = list[p++];
  if (f & LREF_WAIT) {
    uint32_t w = list[p++];
    v->minWait = (uint16_t)(w & 0xFFFF);
    v->maxWait = (uint16_t)(w >> 16);
  }
  if (f & LREF_CATEGORY) v->category = list[p++];
  if (f & LREF_TYPE) v->type = list[p++];
  if (f & LREF_WAY_KINDS) v->wayKinds = list[p++];
  if (f & LREF_SUB_NUMBER) v->number = list[p++];
  if (f & LREF_ACCELERATION) v->acceleration = (int32_t)list[p++];
  if (f & LREF_BRAKE) v->brake = (int32_t)list[p++];
  if (f & LREF_ATTR_8) {
    if (list[p++] == 0)
      v->attribute5 |= 8;
    else
      v->attribute5 &= ~8u;
  }
  if (f & LREF_ATTR_4) {
    if (list[p++] == 1)
      v->attribute5 |= 4;
    else
      v->attribute5 &= ~4u;
  }
  if (f & LREF_SCHEDULE_B) {
    uint32_t k = list[p++];
    ApplySchedule(list + p, k, v->scheduleBTime, v->scheduleBDepot, v->scheduleBSlot);
    p += 4 * (int)k;
  }
  if (f & LREF_SCHEDULE_A) {
    uint32_t k = list[p++];
    ApplySchedule(list + p, k, v->scheduleATime, v->scheduleADepot, v->scheduleASlot);
    p += 4 * (int)k;
  }
  if (f & LREF_MAX_SPEED) v->maxSpeed = (int32_t)list[p++];
  if (f & LREF_VEHICLE_INDEX) v->vehicleIndex = (int32_t)list[p++];
  if (f & LREF_BLOCKED) v->blockedLimit = (int32_t)list[p++];
  if (f & LREF_STATE) {
    uint32_t s = list[p++];
    if (s == 0) {
      if (v->flags & 0x400) v->flags &= ~0x8400u;
    } else if (!(v->flags & 1)) {
      if (s & 1) v->flags |= 0x400;
      if (s & 2)
        v->flags |= 0x8000;
      else
        v->flags &= ~0x8000u;
    }
  }
  if (f & LREF_DEPOT_ORDER) {
    uint32_t w = list[p++];
    uint32_t depot = v->depot, slot = v->slot;
    if (w != 0 && (w & 4)) {
      depot = list[p++];
      slot = list[p++];
    }
    if (w == 0) {
      if (v->flags & 1) v->flags &= ~0x8001u;
    } else if ((w & 1) && depot <= 0xFFFF && slot <= 0xFFFF &&
               FormatDepotName((int)depot, (int)slot, nullptr, nullptr) == 0) {
      if (v->flags & 0x400) v->flags &= ~0x8400u;
      v->flags |= 1;
      v->depot = (uint16_t)depot;
      v->slot = (uint16_t)slot;
      if (w & 2)
        v->flags |= 0x8000;
      else
        v->flags &= ~0x8000u;
    }
  }
  return 1;
}

int ApplyLineRefEntry(const uint32_t* list, int length, LineRefTrainValues* v) {
  return ApplyLineRefEntryAt(list, length, ClockDayTime(), v);
}

// ---- editing ---------------------------------------------------------------------------------------------
int LineRefListContains(const uint32_t* list, int length, uint32_t line) {
  if (line == 0 || length <= 0) return 0;
  int target = 0;
  for (int i = 0; i < length;) {
    int end = EntryEnd(list, length, i);
    if (end < 0) break;
    uint32_t c = list[i];
    for (uint32_t k = 0; k < c; k++)
      if (list[i + 1 + k] == line) return 1;
    int p = i + 1 + (int)c;
    uint32_t f = list[p++];
    if (f & LREF_TARGET) {
      if (f & LREF_WINDOWS) p += 1 + 2 * (int)list[p];
      if (f & LREF_RANGE) p += 1 + (int)list[p];
      if (list[p] == line) target = 1;
    }
    i = end;
  }
  return target ? 2 : 0;
}

// Index of the target word of the entry at i (its flag word has LREF_TARGET).
static int TargetIndex(const uint32_t* list, int i) {
  int p = i + 1 + (int)list[i];
  uint32_t f = list[p++];
  if (f & LREF_WINDOWS) p += 1 + 2 * (int)list[p];
  if (f & LREF_RANGE) p += 1 + (int)list[p];
  return p;
}

static void CutWords(uint32_t* list, int* length, int at, int count) {
  MoveMem(list + at, list + at + count, (size_t)(*length - at - count) * sizeof(uint32_t));
  *length -= count;
}

int LineRefListRemove(uint32_t* list, int length, uint32_t line, int strict) {
  int n = length;
  for (int i = 0; i < n;) {
    int end = EntryEnd(list, n, i);
    if (end < 0) break;  // a damaged tail is left as it is
    uint32_t c = list[i];
    int fi = i + 1 + (int)c;
    uint32_t f = list[fi];
    int hits = 0;
    for (uint32_t k = 0; k < c; k++) hits += list[i + 1 + k] == line;
    int ti = (f & LREF_TARGET) ? TargetIndex(list, i) : -1;
    if (ti < 0 || list[ti] != line) {
      if (!hits) {
        i = end;
      } else if (hits == (int)c) {
        CutWords(list, &n, i, end - i);
      } else {
        int w = i + 1;
        for (uint32_t k = 0; k < c; k++)
          if (list[i + 1 + k] != line) list[w++] = list[i + 1 + k];
        CutWords(list, &n, w, hits);
        list[i] = c - (uint32_t)hits;
        i = end - hits;
      }
    } else if (hits || (strict && !(f & ~(LREF_TARGET | LREF_WINDOWS)))) {
      CutWords(list, &n, i, end - i);
    } else {
      list[fi] = f & ~LREF_TARGET;
      CutWords(list, &n, ti, 1);
      i = end - 1;
    }
  }
  return n;
}

int LineRefListAddAlongside(const uint32_t* list, int length, uint32_t* out, uint32_t line,
                            uint32_t newLine, int* outLength) {
  if (length < 0) length = 0;
  if (newLine == 0 || length == 0) {
    if (length) CopyMem(out, list, (size_t)length * sizeof(uint32_t));
    *outLength = length;
    return -1;
  }
  int o = 0, added = 0, refused = 0;
  int i = 0;
  while (i < length) {
    int end = EntryEnd(list, length, i);
    if (end < 0) break;
    uint32_t c = list[i];
    int at = -1;
    for (uint32_t k = 0; k < c && at < 0; k++)
      if (list[i + 1 + k] == line) at = (int)k;
    if (at >= 0 && c < (uint32_t)LREF_MAX_IDS && length + added + 1 <= LREF_ADD_LIMIT) {
      out[o++] = c + 1;
      for (uint32_t k = 0; k < c; k++) {
        out[o++] = list[i + 1 + k];
        if ((int)k == at) out[o++] = newLine;
      }
      int rest = end - (i + 1 + (int)c);
      CopyMem(out + o, list + i + 1 + c, (size_t)rest * sizeof(uint32_t));
      o += rest;
      added++;
    } else {
      if (at >= 0) refused++;
      CopyMem(out + o, list + i, (size_t)(end - i) * sizeof(uint32_t));
      o += end - i;
    }
    i = end;
  }
  if (i < length) {  // a damaged tail travels unchanged
    CopyMem(out + o, list + i, (size_t)(length - i) * sizeof(uint32_t));
    o += length - i;
  }
  *outLength = o;
  if (refused) return added ? -3 : -2;
  return 0;
}

// Calls fn(recordIndex) for every schedule record of both blocks and gives the depot-order index.
template <typename F, typename G>
static void EachSlotReference(uint32_t* list, int length, F schedule, G order) {
  for (int i = 0; i < length;) {
    int end = EntryEnd(list, length, i);
    if (end < 0) break;
    int p = i + 1 + (int)list[i];
    uint32_t f = list[p++];
    if (f & LREF_WINDOWS) p += 1 + 2 * (int)list[p];
    if (f & LREF_RANGE) p += 1 + (int)list[p];
    for (uint32_t bit : kMiddleWords)
      if (f & bit) p++;
    for (uint32_t bit : {LREF_SCHEDULE_B, LREF_SCHEDULE_A})
      if (f & bit) {
        uint32_t k = list[p++];
        for (uint32_t j = 0; j < k; j++) schedule(list + p + 4 * j);
        p += 4 * (int)k;
      }
    for (uint32_t bit : kTailWords)
      if (f & bit) p++;
    if ((f & LREF_DEPOT_ORDER) && list[p] != 0 && (list[p] & 4)) order(list + p + 1);
    i = end;
  }
}

void LineRefListClearDepotSlot(uint32_t* list, int length, uint32_t depot, uint32_t slot) {
  EachSlotReference(
      list, length,
      [&](uint32_t* r) {
        if (r[1] == depot && (slot == 0 || (r[2] & ~0x8000u) == slot)) {
          r[1] = 0;
          r[2] &= 0x8000u;
        }
      },
      [&](uint32_t* d) {
        if (d[0] == depot && (slot == 0 || d[1] == slot)) d[0] = d[1] = 0;
      });
}

void LineRefListRenumberDepotSlot(uint32_t* list, int length, uint32_t depot, uint32_t oldSlot,
                                  uint32_t newSlot) {
  EachSlotReference(
      list, length,
      [&](uint32_t* r) {
        if (((r[0] >> 16) & 0xFF) != 24 && r[1] == depot && (r[2] & ~0x8000u) == oldSlot)
          r[2] = (r[2] & 0x8000u) | newSlot;
      },
      [&](uint32_t* d) {
        if (d[0] == depot && d[1] == oldSlot) d[1] = newSlot;
      });
}

int DepotSlotListRemove(uint32_t* pairs, int length, uint32_t depot, uint32_t slot) {
  int o = 0;
  for (int i = 0; i + 1 < length; i += 2) {
    if (pairs[i] == depot && (slot == 0 || pairs[i + 1] == slot)) continue;
    pairs[o++] = pairs[i];
    pairs[o++] = pairs[i + 1];
  }
  return o;
}

void DepotSlotListRenumber(uint32_t* pairs, int length, uint32_t depot, uint32_t oldSlot,
                           uint32_t newSlot) {
  for (int i = 0; i + 1 < length; i += 2)
    if (pairs[i] == depot && pairs[i + 1] == oldSlot) pairs[i + 1] = newSlot;
}

int LineRefListFind(const uint32_t* pairs, int length, uint32_t a, uint32_t b) {
  for (int i = 0; i + 1 < length; i += 2)
    if (pairs[i] == a && (b == 0 || pairs[i + 1] == b || pairs[i + 1] == 0)) return 1;
  return 0;
}

// ---- old file forms ----------------------------------------------------------------------------------------
// Old 16-bit entries: line, flag word, then the words the flag word announces.
static int OldExtraWords(uint32_t f) {
  int n = 0;
  if (f & 0x8000) n += 2;
  if (f & 0x4000) n += 1;
  if (f & 0x0800) n += 2;
  if (f & 0x0400) n += 1;
  for (uint32_t bit : {0x1000u, 0x2000u, 0x0200u, 0x0100u, 0x0080u, 0x0040u})
    if (f & bit) n += 1;
  if (f & 0x0020) n += 2;
  if (f & 0x0010) n += 2;
  if (f & 0x0008) n += 2;
  if (f & 0x0004) n += 2;
  return n;
}

static uint32_t OldTimeToPacked(uint32_t w) {
  return 0x7F000000u | ((w >> 8) & 0xFF) << 16 | (w & 0xFF) << 8;
}

int ConvertOldLineRefList(const uint16_t* old, int length, uint32_t* out, int outCapacity) {
  int o = 0;
  auto put = [&](uint32_t v) {
    if (o < outCapacity) out[o] = v;
    o++;
  };
  for (int i = 0; i < length;) {
    if (i + 2 > length) return -1;
    uint32_t line = old[i], f = old[i + 1];
    int end = i + 2 + OldExtraWords(f);
    if (end > length) return -1;
    const uint16_t* x = old + i + 2;
    uint32_t nf = f & ~(LREF_STATE | LREF_CATEGORY);  // no words of their own in the old form
    if (f & 0x0400) nf |= LREF_CATEGORY;
    // Placeholders for the words the new form needs; filled in the table's order below.
    uint32_t windowFrom = 0, windowTo = 0, target = 0, wait = 0, category = 0, type = 0;
    uint32_t single[6] = {0, 0, 0, 0, 0, 0};
    uint32_t schedB[4] = {0}, schedA[4] = {0}, speed = 0, vehicle = 0;
    if (f & 0x8000) {
      windowFrom = OldTimeToPacked(*x++);
      uint32_t endWord = *x++;
      uint32_t h = (endWord >> 8) & 0xFF, m = endWord & 0xFF;
      if (++m >= 60) {
        m = 0;
        if (++h >= 24) h = 0;
      }
      windowTo = OldTimeToPacked(h << 8 | m);
    }
    if (f & 0x4000) target = *x++;
    if (f & 0x0800) {
      wait = (uint32_t)x[1] << 16 | x[0];
      x += 2;
    }
    if (f & 0x0400) {
      uint32_t v = *x++;
      if (v == 0) {
        type = 0;
        category = 0;
      } else {
        category = 1;
        if ((v & 3) == 3) type = 3;
        else if (v & 2) type = 5;
        else if (v & 8) type = 6;
        else if (v & 16) type = 8;
        else if (v & 4) type = 1, category = 2;
        else if (v & 32) type = 1, category = 3;
        else type = 1;
      }
    }
    static const uint32_t kOldSingles[6] = {0x1000, 0x2000, 0x0200, 0x0100, 0x0080, 0x0040};
    for (int k = 0; k < 6; k++)
      if (f & kOldSingles[k]) single[k] = *x++;
    for (int s = 0; s < 2; s++) {
      uint32_t bit = s == 0 ? 0x0020u : 0x0010u;
      uint32_t* rec = s == 0 ? schedB : schedA;
      if (!(f & bit)) continue;
      uint32_t time = *x++;
      uint32_t depot = *x++;
      if (((time >> 8) & 0xFF) == 24) {
        rec[0] = 24u << 16;
        rec[1] = 0;
        rec[2] = 0;
        rec[3] = 1;
      } else {
        rec[0] = OldTimeToPacked(time);
        rec[1] = depot;
        rec[2] = 1;
        rec[3] = 1;
      }
    }
    if (f & 0x0008) {
      speed = (uint32_t)x[1] << 16 | x[0];
      x += 2;
    }
    if (f & 0x0004) {
      vehicle = (uint32_t)x[1] << 16 | x[0];
      x += 2;
    }
    put(1);
    put(line);
    put(nf);
    if (nf & LREF_WINDOWS) {
      put(1);
      put(windowFrom);
      put(windowTo);
    }
    if (nf & LREF_TARGET) put(target);
    if (nf & LREF_WAIT) put(wait);
    if (nf & LREF_CATEGORY) put(category);
    if (nf & LREF_TYPE) put(type);
    for (int k = 0; k < 6; k++)
      if (nf & kOldSingles[k]) put(single[k]);
    if (nf & LREF_SCHEDULE_B) {
      put(1);
      for (uint32_t w : schedB) put(w);
    }
    if (nf & LREF_SCHEDULE_A) {
      put(1);
      for (uint32_t w : schedA) put(w);
    }
    if (nf & LREF_MAX_SPEED) put(speed);
    if (nf & LREF_VEHICLE_INDEX) put(vehicle);
    i = end;
  }
  return o <= outCapacity ? o : -1;
}

int ConvertOldLinePairList(const uint16_t* old, int length, uint32_t* out, int outCapacity) {
  if (length & 1) return -1;
  if (length > outCapacity) return -1;
  for (int i = 0; i + 1 < length; i += 2) {
    out[i] = old[i];
    out[i + 1] = 0;
  }
  return length;
}

int SplitOldLineRefFlags(uint16_t* list, int length, int capacity) {
  // First pass: the entries must lie within the list (their extra words are counted by the flag
  // word's both halves, which together are the old flag word).
  int entries = 0;
  for (int i = 0; i < length; entries++) {
    if (i + 2 > length) return -1;
    int end = i + 2 + OldExtraWords(list[i + 1]);
    if (end > length) return -1;
    i = end;
  }
  if (length + entries > capacity) return -1;
  // Second pass from the back: each flag word becomes two.
  int n = length + entries;
  int starts[LREF_OLD_LIST_MAX / 2];
  if (entries > LREF_OLD_LIST_MAX / 2) return -1;
  int k = 0;
  for (int i = 0; i < length; k++) {
    starts[k] = i;
    i += 2 + OldExtraWords(list[i + 1]);
  }
  int dst = n;
  int src = length;
  for (int e = entries - 1; e >= 0; e--) {
    int s = starts[e];
    int extras = src - (s + 2);
    dst -= extras;
    MoveMem(list + dst, list + s + 2, (size_t)extras * sizeof(uint16_t));
    uint16_t f = list[s + 1], line = list[s];
    list[--dst] = (uint16_t)(f & 0xCC00);
    list[--dst] = (uint16_t)(f & 0x33FF);
    list[--dst] = line;
    src = s;
  }
  return n;
}
