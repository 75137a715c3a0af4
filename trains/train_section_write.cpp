// Writing the trains' section of the network file (the viewer is built without it).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "elements/element_services.h"
#include "model/netfile.h"
#include "trains/train_section.h"
#include "trains/train_services.h"

namespace {
// Sticky writes: after the first failure nothing more is written and the failure stays in r.
struct Out {
  int r = 0;
  void U16(uint32_t v) {
    if (!r) r = StreamWriteWord((uint16_t)v);
  }
  void U32(uint32_t v) {
    if (!r) r = StreamWriteDword(v);
  }
  void I32(int32_t v) { U32((uint32_t)v); }
  void Position(const TrainPosition& p) {
    U16((uint16_t)(int16_t)(int32_t)p.x);
    U16((uint16_t)(int16_t)(int32_t)p.y);
    if (!r) r = StreamWriteByte((uint8_t)(int8_t)p.level);
  }
};

// The wait of a waiting train counted from the front of the waiting queue (its own field when it
// stands in no queue).
int32_t AbsoluteWait(const TrainRecord* t) {
  int32_t sum = 0;
  for (const TrainRecord* q = Trains.waiting; q; q = q->nextInQueue) {
    sum += q->wait;
    if (q == t) return sum;
  }
  return t->wait;
}

uint32_t StateWord(const TrainRecord* t) {
  if (t->flags & TRAIN_WAITING) return (uint32_t)AbsoluteWait(t);
  if (t->flags & TRAIN_JOINING) return (uint32_t)t->wait;
  if (t->flags & TRAIN_HELD) {
    const TrainPosition& head = TrainPositions((TrainRecord*)t)[0];
    int32_t number;
    if (GetTpHeldNumber((int)head.x, (int)head.y, head.level, &number) == 0)
      return (uint32_t)number;
    return (uint32_t)t->wait;  // no TP element keeps it: the number read from the file
  }
  return 0;
}

void WriteTrain(Out& o, TrainRecord* t, uint32_t index) {
  o.U32(index);
  o.U32(t->line);
  o.U32(t->secondLine);
  o.U32(t->subNumber);
  o.U32((uint32_t)t->positionCount);
  o.U32((uint32_t)t->vehicleIndex);
  o.U32((uint32_t)t->vehicleCount);
  o.U32(t->homeDepot);
  o.U32(t->homeSlot);
  uint32_t flags = t->flags & ~(TRAIN_HEAD_MARK | TRAIN_SELECTED);
  o.U32(flags);
  if (flags & TRAIN_PENDING) {
    o.U32(t->pendingDepot);
    o.U32(t->pendingSlot);
  }
  for (int i = 0; i < 6; i++) {
    o.U32(t->scheduleATime[i]);
    o.U32(t->scheduleADepot[i]);
    o.U32(t->scheduleASlot[i]);
    o.U32(t->scheduleBTime[i]);
    o.U32(t->scheduleBDepot[i]);
    o.U32(t->scheduleBSlot[i]);
  }
  const int32_t speeds[10] = {t->maxSpeed, t->speed,       t->targetSpeed,  t->limit1,
                              t->limit2,   t->limit3,      t->accumulator,  t->decrement,
                              t->acceleration, t->brake};
  for (int32_t v : speeds) o.I32(v);
  o.U32(t->minWait);
  o.U32(t->maxWait);
  o.U32(StateWord(t));
  o.I32(t->tpTime);
  const uint32_t attributes[6] = {t->type,         t->homeType,     t->category,
                                  t->homeCategory, t->tpAttribute5, t->wayKinds};
  for (uint32_t v : attributes) o.U32(v);
  if (flags & TRAIN_RESERVING) o.I32(t->reservedCells);
  o.I32(t->subCellOffset);
  o.I32(t->length);
  o.I32(t->dx);
  o.I32(t->dy);
  o.I32(t->dz);
  o.I32(t->listCount);
  for (int i = 0; i < t->listCount; i++) o.U16(t->list[i]);
  o.I32(t->blockedLimit);
  // The limit is stored unsigned: a count follows for every limit the reader takes as 1 or more.
  if ((flags & (TRAIN_LEAVING | TRAIN_BLOCKED)) && (uint32_t)t->blockedLimit >= 1)
    o.I32(t->blockedCount);
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < t->positionCount; i++) {
    o.Position(p[i]);
    o.U16(p[i].codeUnder == 65535 ? 65535 : 1);
    o.U16(p[i].vehicleMark);
  }
  o.Position(p[t->positionCount]);
  o.U16(p[t->positionCount].codeUnder == 65535 ? 65535 : 1);
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < t->vehicleCount; i++) {
    o.U32(v[i].id);
    o.U16(v[i].spare);
    o.U32(v[i].flags & ~0x80u);
    o.U32(v[i].length);
  }
}
}  // namespace

int SaveTrainsSection() {
  Out o;
  o.U32(NetTag4('Z', 'U', 'G', 'D'));
  uint32_t count = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) count++;
  o.U32(count);
  uint32_t index = 0;
  for (TrainRecord* t = Trains.first; t && !o.r; t = t->next) WriteTrain(o, t, index++);
  return o.r;
}
#endif
