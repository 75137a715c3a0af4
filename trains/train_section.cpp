// Reading the trains' section of the network file in every version, the repairs of trains of older
// files, and the steps after loading: time steps, old vehicle codes, the trains' codes in the grid
// and their reservations.
#include "trains/train_section.h"
#include <cstring>
#include "core/misc.h"
#include "core/platform.h"
#include "core/stream.h"
#include "graphics/vehicles.h"
#include "model/cellcodes.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/grid_section.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "trains/train_reserve.h"
#include "trains/train_services.h"

namespace {

// Sticky reads: after the first failure every read gives 0 and the failure stays in r.
struct In {
  int r = 0;
  uint32_t U8() {
    uint8_t v = 0;
    if (!r) r = StreamReadByte(&v);
    return r ? 0 : v;
  }
  uint32_t U16() {
    uint16_t v = 0;
    if (!r) r = StreamReadWord(&v);
    return r ? 0 : v;
  }
  uint32_t U32() {
    uint32_t v = 0;
    if (!r) r = StreamReadDword(&v);
    return r ? 0 : v;
  }
  // u32 from version `from` on, u16 before.
  uint32_t W(int version, int from) { return version >= from ? U32() : U16(); }
  void Skip(int n) {
    while (n-- > 0 && !r) U8();
  }
};

int FitsWord(uint32_t v) { return v <= 0xFFFF; }
int InGrid(int64_t x, int64_t y, int64_t level) {
  return x >= 0 && x <= GRID_MAX_XY && y >= 0 && y <= GRID_MAX_XY && level >= GRID_LEVEL_BOTTOM &&
         level <= GRID_LEVEL_TOP;
}
int IsStep(int32_t d) { return d >= -1 && d <= 1; }

// The fixed part of a train before its positions, as read (the counts decide the record's size).
struct TrainHead {
  uint32_t line, secondLine, subNumber, positionCount, vehicleIndex, vehicleCount;
  uint32_t homeDepot, homeSlot, scheduleIndex, flags, pendingDepot, pendingSlot;
  uint32_t aTime[6], aDepot[6], aSlot[6], bTime[6], bDepot[6], bSlot[6];
  int32_t maxSpeed, speed, targetSpeed, limit1, limit2, limit3;
  int32_t accumulator, decrement, acceleration, brake;
  uint32_t minWait, maxWait, stateWord;
  int32_t tpTime;
  uint32_t type, homeType, category, homeCategory, tpAttribute5, wayKinds;
  uint32_t oldA, oldB, hasOldAttributes;
  uint32_t reservedCells, oldReservation, endX, endY;
  uint32_t subCellOffset, length;
  int32_t dx, dy, dz;
  uint32_t listCount;
  uint16_t* list;
  uint32_t blockedLimit, blockedCount;
};

// Schedules of files before 14389: three entries each of minute, hour and depot.
void ReadOldSchedule(In& in, uint32_t* time, uint32_t* depot, uint32_t* slot) {
  for (int i = 0; i < 3; i++) {
    uint32_t minute = in.U8(), hour = in.U8(), d = in.U16();
    if (hour == 255 || d == 0) continue;
    time[i] = 0x7F000000u | hour << 16 | minute << 8;
    depot[i] = d;
    slot[i] = 1;
  }
}

void ReadSchedule(In& in, uint32_t* time, uint32_t* depot, uint32_t* slot, int i) {
  time[i] = in.U32() & ~0xFFu;  // seconds are not kept
  depot[i] = in.U32();
  slot[i] = in.U32();
  if (depot[i] == 0) time[i] = slot[i] = 0;
}

// The list of a file before 14389: narrow text in the language's code page, zeros kept as zeros.
int ConvertNarrowList(const uint8_t* bytes, uint32_t n, TrainHead* h) {
  uint16_t* out = (uint16_t*)MemAlloc((size_t)(n + 1) * sizeof(uint16_t));
  if (!out) return NETSEC_MEMORY;
  char16_t piece[260];
  char part[260];
  uint32_t units = 0, i = 0;
  while (i < n) {
    if (bytes[i] == 0) {
      out[units++] = 0;
      i++;
      continue;
    }
    uint32_t k = 0;
    while (i < n && bytes[i] != 0 && k < 200) part[k++] = (char)bytes[i++];
    part[k] = 0;
    int got = MultiByteToWide(part, piece, 260) - 1;
    for (int j = 0; j < got && units < n; j++) out[units++] = (uint16_t)piece[j];
  }
  h->list = out;
  h->listCount = units;
  return 0;
}

// Reads the list; 0, 3 (too long), 4 or the stream error.
int ReadList(In& in, int version, TrainHead* h) {
  h->list = nullptr;
  h->listCount = 0;
  if (version < 14171) {
    in.U32();
    return in.r;
  }
  uint32_t n = in.U32();
  if (in.r) return in.r;
  if (n > TRAIN_FILE_MAX_LIST) return NETSEC_FORMAT;
  if (n == 0) return 0;
  if (version >= 14389) {
    h->list = (uint16_t*)MemAlloc((size_t)n * sizeof(uint16_t));
    if (!h->list) return NETSEC_MEMORY;
    h->listCount = n;
    for (uint32_t i = 0; i < n; i++) h->list[i] = (uint16_t)in.U16();
    return in.r;
  }
  uint8_t* bytes = (uint8_t*)MemAlloc(n);
  if (!bytes) return NETSEC_MEMORY;
  uint32_t got = StreamReadBytes(bytes, n);
  int r = got == n ? ConvertNarrowList(bytes, n, h) : (got == 0 ? STREAM_ERR_READ : STREAM_ERR_EOF);
  MemFree(bytes);
  return r;
}

// The fields before the positions. 0, 3, 4 or the stream error; on failure no list is left.
int ReadTrainHead(In& in, int version, uint32_t index, TrainHead* h) {
  FillMem(h, 0, sizeof(*h));
  uint32_t stored = in.W(version, 14343);
  if (in.r) return in.r;
  if (stored != index) return NETSEC_FORMAT;
  h->line = in.W(version, 14389);
  h->secondLine = in.W(version, 14389);
  h->subNumber = in.W(version, 14389);
  if (version >= 14394) {
    h->positionCount = in.U32();
    h->vehicleIndex = in.U32();
    h->vehicleCount = in.U32();
  } else {
    h->positionCount = in.U8();
    h->vehicleIndex = version >= 13568 ? in.U8() : 0;
    h->vehicleCount = in.U8();
  }
  if (version >= 14389) {
    h->homeDepot = in.U32();
    h->homeSlot = in.U32();
  } else {
    h->homeDepot = in.U16();
    h->homeSlot = h->homeDepot ? 1 : 0;
  }
  if (version < 14394) h->scheduleIndex = in.W(version, 14389);
  h->flags = in.W(version, 14160);
  if (in.r) return in.r;
  // Counts first: they size the record.
  if (h->positionCount == 0 || h->positionCount > TRAIN_FILE_MAX_POSITIONS ||
      h->vehicleCount > TRAIN_FILE_MAX_VEHICLES ||
      (h->vehicleCount && h->vehicleIndex >= h->vehicleCount) || h->scheduleIndex > 6)
    return NETSEC_FORMAT;
  h->flags &= ~(TRAIN_HEAD_MARK | TRAIN_SELECTED);
  if (version < 14396 && (h->flags & 0x40)) {
    h->flags &= ~0x40u;
    h->oldReservation = 1;
  }
  if (version >= 14394 && (h->flags & TRAIN_PENDING)) {
    h->pendingDepot = in.U32();
    h->pendingSlot = in.U32();
  }
  if (version < 13572) in.Skip(2);
  if (version >= 14389) {
    for (int i = 0; i < 6; i++) {
      ReadSchedule(in, h->aTime, h->aDepot, h->aSlot, i);
      ReadSchedule(in, h->bTime, h->bDepot, h->bSlot, i);
    }
  } else {
    ReadOldSchedule(in, h->aTime, h->aDepot, h->aSlot);
    ReadOldSchedule(in, h->bTime, h->bDepot, h->bSlot);
  }
  if (version < 14394 && (h->flags & TRAIN_PENDING)) {
    uint32_t k = h->scheduleIndex;
    if (k == 0) {
      h->pendingDepot = h->homeDepot;
      h->pendingSlot = h->homeSlot;
    } else {
      h->pendingDepot = h->aDepot[k - 1];
      h->pendingSlot = h->aSlot[k - 1];
    }
  }
  // Speeds, acceleration and brake.
  if (version >= 14342) {
    h->maxSpeed = (int32_t)in.U32();
    h->speed = (int32_t)in.U32();
    h->targetSpeed = (int32_t)in.U32();
    h->limit1 = (int32_t)in.U32();
    h->limit2 = version >= 14390 ? (int32_t)in.U32() : 0;
    h->limit3 = version >= 14398 ? (int32_t)in.U32() : 0;
    h->accumulator = (int32_t)in.U32();
    h->decrement = (int32_t)in.U32();
    h->acceleration = (int32_t)in.U32();
    h->brake = (int32_t)in.U32();
  } else if (version >= 14160) {
    h->maxSpeed = (int32_t)in.U16() * 1000;
    h->speed = (int32_t)in.U16() * 1000;
    h->targetSpeed = (int32_t)in.U16() * 1000;
    if (version >= 14341) {
      uint32_t l = in.U16();
      h->limit1 = l == 10000 ? 0 : (int32_t)l * 1000;
    } else {
      h->limit1 = h->targetSpeed;
    }
    h->accumulator = (int32_t)in.U32();
    h->decrement = (int32_t)in.U32();
    h->acceleration = (int32_t)(in.U32() / 1024);
    h->brake = (int32_t)in.U32();
    in.U32();
  } else {
    h->maxSpeed = (int32_t)in.U16() * 1000;
    h->speed = (int32_t)in.U16() * 1000;
    h->limit1 = h->targetSpeed = h->speed;
    h->accumulator = (int32_t)(int16_t)in.U16();
    h->decrement = (int32_t)in.U8();
    if (h->flags & ~0x3471u) h->speed = 0;
  }
  h->minWait = in.W(version, 14389);
  h->maxWait = in.W(version, 14389);
  h->stateWord = in.W(version, 14389);
  if (version < 13575 && (h->flags & TRAIN_JOINING)) h->stateWord = 30;
  h->tpTime = version >= 14339 ? (int32_t)in.U32() : -1;
  if (version >= 14389) {
    h->type = in.U32();
    h->homeType = in.U32();
    h->category = in.U32();
    h->homeCategory = in.U32();
    h->tpAttribute5 = in.U32();
    h->wayKinds = in.U32();
  } else {
    h->oldA = in.U16();
    h->oldB = in.U16();
    h->hasOldAttributes = 1;
    h->wayKinds = version >= 14162 ? in.U16() : 1;
  }
  if (version >= 14162 && (h->flags & TRAIN_RESERVING)) {
    h->reservedCells = in.U32();
    if (h->oldReservation) {
      h->endX = in.U16();
      h->endY = in.U16();
    }
  }
  h->subCellOffset = version < 13577 ? 0 : in.W(version, 14389);
  h->length = version >= 14160 ? in.U32() : 0;
  if (version >= 14396) {
    h->dx = (int32_t)in.U32();
    h->dy = (int32_t)in.U32();
    h->dz = (int32_t)in.U32();
  }
  if (in.r) return in.r;
  if (h->subCellOffset > TRAIN_FILE_MAX_OFFSET || !IsStep(h->dx) || !IsStep(h->dy) || h->dz < -1 ||
      h->dz > 0 || !FitsWord(h->homeDepot) || !FitsWord(h->homeSlot) ||
      !FitsWord(h->pendingDepot) || !FitsWord(h->pendingSlot) || !FitsWord(h->minWait) ||
      !FitsWord(h->maxWait) || ((h->flags & TRAIN_WAITING) && h->stateWord > 0x7FFFFFFFu))
    return NETSEC_FORMAT;
  for (int i = 0; i < 6; i++)
    if (!FitsWord(h->aDepot[i]) || !FitsWord(h->aSlot[i]) || !FitsWord(h->bDepot[i]) ||
        !FitsWord(h->bSlot[i]))
      return NETSEC_FORMAT;
  int r = ReadList(in, version, h);
  if (!r && version >= 14397) {
    h->blockedLimit = in.U32();
    if ((h->flags & (TRAIN_LEAVING | TRAIN_BLOCKED)) && h->blockedLimit >= 1)
      h->blockedCount = in.U32();
  }
  if (!r && version < 14389) in.Skip(1);
  if (!r) r = in.r;
  if (r && h->list) {
    MemFree(h->list);
    h->list = nullptr;
  }
  return r;
}

void TakeHead(TrainRecord* t, const TrainHead& h) {
  t->line = h.line;
  t->secondLine = h.secondLine;
  t->subNumber = h.subNumber;
  t->vehicleIndex = (int32_t)h.vehicleIndex;
  t->homeDepot = (uint16_t)h.homeDepot;
  t->homeSlot = (uint16_t)h.homeSlot;
  t->flags = h.flags;
  t->pendingDepot = (uint16_t)h.pendingDepot;
  t->pendingSlot = (uint16_t)h.pendingSlot;
  for (int i = 0; i < 6; i++) {
    t->scheduleATime[i] = h.aTime[i];
    t->scheduleADepot[i] = (uint16_t)h.aDepot[i];
    t->scheduleASlot[i] = (uint16_t)h.aSlot[i];
    t->scheduleBTime[i] = h.bTime[i];
    t->scheduleBDepot[i] = (uint16_t)h.bDepot[i];
    t->scheduleBSlot[i] = (uint16_t)h.bSlot[i];
  }
  t->maxSpeed = h.maxSpeed;
  t->speed = h.speed;
  t->targetSpeed = h.targetSpeed;
  t->limit1 = h.limit1;
  t->limit2 = h.limit2;
  t->limit3 = h.limit3;
  t->accumulator = h.accumulator;
  t->decrement = h.decrement;
  t->acceleration = h.acceleration;
  t->brake = h.brake;
  t->accelerationStep = (int32_t)((int64_t)h.acceleration * 18 / 25);
  t->brakeStep = (int32_t)((int64_t)h.brake * 18 / 25);
  t->minWait = (uint16_t)h.minWait;
  t->maxWait = (uint16_t)h.maxWait;
  // The waiting queue takes the absolute wait; joining and held trains keep the field as it is.
  t->wait = (int32_t)h.stateWord;
  t->tpTime = h.tpTime;
  t->type = h.type;
  t->homeType = h.homeType;
  t->category = h.category;
  t->homeCategory = h.homeCategory;
  t->tpAttribute5 = h.tpAttribute5;
  t->wayKinds = h.wayKinds;
  if (h.hasOldAttributes) ConvertOldTrainAttributes(t, h.oldA, h.oldB);
  t->reservedCells = (int32_t)h.reservedCells;
  t->subCellOffset = (int32_t)h.subCellOffset;
  t->length = (int32_t)h.length;
  t->dx = h.dx;
  t->dy = h.dy;
  t->dz = h.dz;
  t->list = h.list;
  t->listCount = (int32_t)h.listCount;
  t->blockedLimit = (int32_t)h.blockedLimit;
  t->blockedCount = (int32_t)h.blockedCount;
  t->timeStep = 1;
  t->rrQueue = -1;
}

// One position entry by version (see the section's layout); *stepX, *stepY the old per-entry step.
void ReadPosition(In& in, int version, TrainRecord* t, TrainPosition* p, int32_t* stepX,
                  int32_t* stepY) {
  int x = 0, y = 0, level = 0;
  *stepX = *stepY = 0;
  if (!in.r) {
    int readAs = version >= 14160 && version < 14396 ? 14389 : version;
    in.r = ReadBlockPosition(&x, &y, &level, readAs);
  }
  p->x = (uint32_t)x;
  p->y = (uint32_t)y;
  p->level = level;
  p->cell = nullptr;
  if (version >= 14160 && version < 14396) {
    *stepX = (int32_t)in.U32();
    *stepY = (int32_t)in.U32();
  } else if (version < 14160) {
    *stepX = (int8_t)in.U8();
    *stepY = (int8_t)in.U8();
  }
  uint32_t used = in.U16();
  if (version < 14160) {
    uint32_t oldCode = in.U16();
    if (version < 13573 && used != 65535) used = 1;
    if (version <= 13312 && !(t->flags & (TRAIN_PARKED | TRAIN_LEAVING))) {
      used = 1;
      // The cell code of the oldest files stands with the train; it goes into the grid once all
      // positions of the train are known to lie inside it.
      p->codeUnder = ConvertGridCode((uint16_t)oldCode, version);
      if (p->codeUnder == 65535) p->codeUnder = CELL_EMPTY;
    }
  }
  if (used != 65535 && p->codeUnder == 65535) p->codeUnder = 0;
  if (used == 65535) p->codeUnder = 65535;
  uint32_t mark = version >= 13574 ? in.U16() : 0;
  if (version < 14390 && mark > 63) mark = (mark & 63) | 0x80;
  p->vehicleMark = (uint8_t)mark;
  if (mark > 0xFF) in.r = in.r ? in.r : NETSEC_FORMAT;
  if (version < 14389) in.Skip(5);
}

// Every used position of a train on the grid lies inside the grid.
int PositionsInGrid(TrainRecord* t) {
  if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) return 1;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i <= t->positionCount; i++)
    if (p[i].codeUnder != 65535 && !InGrid((int32_t)p[i].x, (int32_t)p[i].y, p[i].level)) return 0;
  return 1;
}

// Releases the marks of an old reservation from the head towards the stored end.
void ReleaseOldReservation(TrainRecord* t, int endX, int endY) {
  if (!(t->flags & TRAIN_RESERVING)) return;
  t->flags &= ~TRAIN_RESERVING;
  RebuildTrainReservation(t, 0);
  int n = t->reservedCells;
  if (t->reservedPath)
    for (int i = 0; i < t->reservedCells; i++) {
      const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
      if (c.x == endX && c.y == endY) {
        n = i + 1;
        break;
      }
    }
  ReleaseReservation(t, n);
  t->reservedCells = 0;
  t->flags &= ~TRAIN_RESERVING;
}

// Reads one vehicle entry by version.
void ReadVehicle(In& in, int version, TrainVehicleEntry* v) {
  if (version >= 14341) {
    v->id = in.U32();
  } else {
    uint32_t id = in.U16();
    if (id >= 64000) id = (((id >> 4) - 4000) * 16) | (id & 7) | 0x80000000u;
    v->id = id;
  }
  v->spare = (uint16_t)in.U16();
  if (version >= 14160) {
    v->flags = in.U32() & ~0x80u;
    v->length = in.U32();
  } else {
    v->flags = in.U16() & ~0x80u;
    v->length = version >= 13576 ? in.U16() * 8 : 0;
  }
}

// Appends the train to the list of all trains in file order and queues it by its flags.
void AppendTrain(TrainRecord* t, TrainRecord** last) {
  t->next = nullptr;
  if (*last)
    (*last)->next = t;
  else
    Trains.first = t;
  *last = t;
  Trains.count++;
  int32_t speed = t->speed, accumulator = t->accumulator;
  EnqueueTrainByState(t);
  AssignTrainCellCode(t);
  t->speed = speed;  // the queue entry stopped it; the stored motion goes on
  t->accumulator = accumulator;
}
}  // namespace

// ---- attributes and repairs of older files -----------------------------------------------------
static void OldTypeAndCategory(uint32_t bits, uint32_t* type, uint32_t* category) {
  bits &= 0x3F;
  *type = 0;
  *category = 0;
  if (bits == 0) return;
  *category = 1;
  if ((bits & 3) == 3)
    *type = 3;
  else if (bits & 0x2)
    *type = 5;
  else if (bits & 0x8)
    *type = 6;
  else if (bits & 0x10)
    *type = 8;
  else if (bits & 0x4)
    *type = 1, *category = 2;
  else if (bits & 0x20)
    *type = 1, *category = 3;
  else
    *type = 1;
}

void ConvertOldTrainAttributes(TrainRecord* t, uint32_t a, uint32_t b) {
  OldTypeAndCategory(a, &t->type, &t->category);
  OldTypeAndCategory(b, &t->homeType, &t->homeCategory);
  t->tpAttribute5 = 0;
  if (a & 0x200) t->tpAttribute5 |= 0x4;
  if (a & 0x400) t->tpAttribute5 |= 0x8;
  if ((a & 0x40) && (t->flags & TRAIN_LEAVING1)) {
    t->flags |= TRAIN_PENDING_FLAGGED;
    for (int i = 0; i < 6; i++)
      if (t->scheduleBTime[i]) t->scheduleBSlot[i] |= 0x8000;
  }
  if ((a & 0x80) && (t->flags & TRAIN_PENDING)) {
    t->flags |= TRAIN_PENDING_FLAGGED;
    for (int i = 0; i < 6; i++)
      if (t->scheduleATime[i]) t->scheduleASlot[i] |= 0x8000;
  }
}

// The level change of a ramp cell met walking along a train: -1 class B, 1 class C, else 0.
static int RampStep(int x, int y, int level) {
  CellCode code = GetCell(x, y, level);
  if (code >= 0x8000) return 0;
  code &= ~CELL_MARK_BIT;
  if (GetSymbolClassB(code)) return -1;
  return IsSymbolClassC(code) ? 1 : 0;
}

int RepairOldTrain(TrainRecord* t, int oldReservation, int endX, int endY) {
  if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) return 1;
  TrainPosition* p = TrainPositions(t);
  int level = 0;
  if (oldReservation && (t->flags & TRAIN_RESERVING)) {
    // From the reservation end back to the head over the ramp cells between them: the walk
    // follows the straight line of cells, the only form the old reservations took.
    int64_t x = endX, y = endY;
    for (int n = 0; n < 10000 && !(x == p[0].x && y == p[0].y); n++) {
      level += RampStep((int)x, (int)y, level);
      if (level < GRID_LEVEL_BOTTOM || level > GRID_LEVEL_TOP) return 3;
      x += x < p[0].x ? 1 : x > p[0].x ? -1 : 0;
      y += y < p[0].y ? 1 : y > p[0].y ? -1 : 0;
    }
  }
  int repaired = 0;
  int64_t covered = ((int64_t)t->length + t->subCellOffset + 31) / 32;
  for (int i = 0; i <= t->positionCount; i++) {
    if (i == t->positionCount && covered <= t->positionCount) break;  // the tail is left behind
    TrainPosition& e = p[i];
    e.level = level;
    if (level < 0 && e.codeUnder == 65535) e.codeUnder = 0;
    if (e.codeUnder == 65535) continue;
    CellCode code = GetCell((int)e.x, (int)e.y, level);
    if (code > 0x3FFF) repaired = 1;
    int step = RampStep((int)e.x, (int)e.y, level);
    if (step > 0 && i == 0) t->dz = -1;
    level += step;
    if (level < GRID_LEVEL_BOTTOM || level > GRID_LEVEL_TOP) return 3;
  }
  return repaired ? 2 : 0;
}

// ---- the reader ---------------------------------------------------------------------------------
int LoadTrainsSection(int version) {
  ResetTrains();
  In in;
  uint32_t count;
  if (version >= 14389) {
    uint32_t tag = in.U32();
    if (in.r) return in.r;
    if (tag != NetTag4('Z', 'U', 'G', 'D')) return NETSEC_FORMAT;
  } else {
    uint32_t tag = in.U16();
    if (in.r) return in.r;
    if (tag != 21850) return NETSEC_FORMAT;
  }
  count = in.W(version, 14343);
  if (in.r) return in.r;
  int repaired = 0;
  TrainRecord* last = nullptr;
  for (uint32_t n = 0; n < count; n++) {
    TrainHead h;
    int r = ReadTrainHead(in, version, n, &h);
    if (r) return r;
    TrainRecord* t = AllocTrainRecord((int)h.positionCount, (int)h.vehicleCount);
    if (!t) {
      if (h.list) MemFree(h.list);
      return NETSEC_MEMORY;
    }
    TakeHead(t, h);
    TrainPosition* p = TrainPositions(t);
    int32_t stepX = 0, stepY = 0;
    for (int i = 0; i < t->positionCount; i++) {
      int32_t sx, sy;
      ReadPosition(in, version, t, &p[i], &sx, &sy);
      if (i == 0) stepX = sx, stepY = sy;
      if (i == t->positionCount - 1 && version < 14396) {
        // Older files derive the tail entry from the last entry and its step.
        TrainPosition& tail = p[t->positionCount];
        tail.x = p[i].x - (uint32_t)sx;
        tail.y = p[i].y - (uint32_t)sy;
        tail.level = p[i].level;
        tail.codeUnder = 65535;
      }
    }
    if (version >= 14396) {
      TrainPosition& tail = p[t->positionCount];
      int x = 0, y = 0, level = 0;
      if (!in.r) in.r = ReadBlockPosition(&x, &y, &level, version);
      tail.x = (uint32_t)x;
      tail.y = (uint32_t)y;
      tail.level = level;
      tail.codeUnder = in.U16() == 65535 ? 65535 : 0;
    } else {
      t->dx = stepX;
      t->dy = stepY;
      t->dz = 0;
    }
    for (int i = 0; i < t->vehicleCount; i++) ReadVehicle(in, version, &TrainVehicles(t)[i]);
    if (in.r || !IsStep(t->dx) || !IsStep(t->dy)) {
      r = in.r ? in.r : NETSEC_FORMAT;
      FreeTrainRecord(t);
      return r;
    }
    if (!PositionsInGrid(t)) {
      FreeTrainRecord(t);
      return NETSEC_FORMAT;
    }
    // Only now does anything of the train reach the grid: the cell codes of the oldest files
    // (whose cells all lie on level 0 until the repair below finds their levels).
    if (version <= 13312 && !(t->flags & (TRAIN_PARKED | TRAIN_LEAVING)))
      for (int i = 0; i < t->positionCount; i++)
        if (p[i].codeUnder != 65535 && IsStorableGridCode(p[i].codeUnder))
          SetCell((int)p[i].x, (int)p[i].y, p[i].level, p[i].codeUnder);
    if (version < 14396) {
      int k = RepairOldTrain(t, (int)h.oldReservation, (int)h.endX, (int)h.endY);
      if (k == 3 || !PositionsInGrid(t)) {
        FreeTrainRecord(t);
        return NETSEC_FORMAT;
      }
      if (k == 2) repaired++;
    }
    AppendTrain(t, &last);
    if (h.oldReservation) ReleaseOldReservation(t, (int)h.endX, (int)h.endY);
  }
  return -repaired;
}

// ---- steps after loading -------------------------------------------------------------------------
void RecalcTrainTimeSteps() {
  uint32_t base = DocState.timeBase;
  for (TrainRecord* t = Trains.first; t; t = t->next)
    t->timeStep = t->speed > 0 ? base / (uint32_t)t->speed : 1;
}

void RefreshTrainCellCodes(int mode) {
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    TrainPosition* p = TrainPositions(t);
    if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) {
      p[0].cell = nullptr;
      if (p[0].codeUnder != 65535) p[0].codeUnder = 0;
      continue;
    }
    for (int i = 0; i <= t->positionCount; i++) {
      TrainPosition& e = p[i];
      e.cell = InGrid((int32_t)e.x, (int32_t)e.y, e.level)
                   ? GetCellAddress((int)e.x, (int)e.y, e.level)
                   : nullptr;
      if (mode != 1 || e.codeUnder == 65535) continue;
      if (!e.cell) {
        e.codeUnder = 65535;
        continue;
      }
      CellCode code = *e.cell;
      if (IsTrainCellCode(code)) {
        e.codeUnder = GetTrainCellCode((int)e.x, (int)e.y, e.level, code);
      } else {
        e.codeUnder = code;
        *e.cell = t->cellCode;
      }
    }
  }
}

// The two old vehicle codes that files below 13573 still name.
static const uint32_t OldVehicleCodes[][2] = {{38657, 39585}, {38658, 39040}};

// The sets a conversion could not load, so that their other vehicles do not try again.
struct MissingSets {
  uint32_t id[64];
  int count;
  int Has(uint32_t set) const {
    for (int i = 0; i < count; i++)
      if (id[i] == set) return 1;
    return 0;
  }
  void Add(uint32_t set) {
    if (count < 64) id[count++] = set;
  }
};

int ConvertOldTrainRecords(int version) {
  int changed = 0, failed = 0;
  MissingSets missing = {};
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    TrainVehicleEntry* v = TrainVehicles(t);
    for (int i = 0; i < t->vehicleCount; i++) {
      if (version < 13573)
        for (const auto& pair : OldVehicleCodes)
          if (v[i].id == pair[0]) {
            v[i].id = pair[1];
            changed = 1;
            break;
          }
      if (version >= 13576 && !(v[i].id & 0x40000000u) && !FindVehicleGraphic(v[i].id)) {
        uint32_t set = VehicleSetId(v[i].id);
        if (!missing.Has(set)) {
          if (LoadVehicleGraphicSet(v[i].id, 0) == 4) failed = 1;
          if (!FindVehicleGraphic(v[i].id)) missing.Add(set);
        }
        if (!FindVehicleGraphic(v[i].id) && !(v[i].flags & 0x80)) {
          v[i].flags |= 0x80;  // drawn as the placeholder
          changed = 1;
        }
      }
      uint32_t param = GetVehicleGraphicParam(v[i].id);
      if (param != 65535) {
        uint32_t f = (v[i].flags & ~0x38u) | (param & 0x38);
        if (param & 1) f = (f & ~0x8000u) | 1;
        if (f != v[i].flags) {
          v[i].flags = f;
          changed = 1;
        }
      }
      if (version < 14160) {
        uint32_t width = GetVehicleGraphicWidth(v[i].id);
        if (width && width != v[i].length) {
          v[i].length = width;
          changed = 1;
        }
      }
    }
    if (version < 14160) t->length = TrainLength(t);
    if (version < 13574) MarkVehicleStarts(t);
  }
  if (failed) return 1;
  return changed ? 2 : 0;
}

void RebuildTrainReservations() {
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (!(t->flags & TRAIN_RESERVING) || (t->flags & (TRAIN_PARKED | TRAIN_LEAVING))) continue;
    int wanted = t->reservedCells;
    t->reservedCells = 0;
    if (wanted > 0) RebuildTrainReservation(t, wanted);
    if (t->reservedCells == 0) t->flags &= ~TRAIN_RESERVING;
  }
}

// ---- the rows of the container -------------------------------------------------------------------
static int RecalcStep(const char16_t*, int) {
  RecalcTrainTimeSteps();
  return 0;
}
static int ConvertStep(const char16_t*, int version) { return ConvertOldTrainRecords(version); }
static int RefreshStep(const char16_t*, int version) {
  RefreshTrainCellCodes(1);
  if (version >= 14162) RebuildTrainReservations();
  return 0;
}
static int RestoreStep(const char16_t*, int) {
  RestoreTrainReservations();
  return 0;
}

void RegisterTrainsSection() {
  for (NetSectionRow& row : NetSectionTable)
    if (row.name && std::strcmp(row.name, "ZUGD") == 0) {
      row.read = LoadTrainsSection;
#ifdef QUIL_VIEWER
      row.write = nullptr;
#else
      row.write = SaveTrainsSection;
#endif
    }
  for (NetPostLoadStep& step : NetPostLoadSteps) {
    if (std::strcmp(step.what, "RecalcTrainTimeSteps") == 0) step.run = RecalcStep;
    if (std::strcmp(step.what, "ConvertOldTrainRecords") == 0) step.run = ConvertStep;
    if (std::strcmp(step.what, "RefreshTrainCellCodes") == 0) step.run = RefreshStep;
    if (std::strcmp(step.what, "RestoreTrainReservations") == 0) step.run = RestoreStep;
  }
  NetClearOrder[NET_CLEAR_TRAINS] = ResetTrains;
}
