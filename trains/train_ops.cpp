// Creating, removing and changing trains for the dialogs, the stores and the commands.
#include "trains/train_ops.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "graphics/vehicles.h"
#include "model/grid.h"
#include "trains/train_draw.h"
#include "trains/train_reserve.h"
#include "trains/train_running.h"
#include "trains/train_services.h"
#include "views/view_services.h"

namespace {
constexpr uint16_t UNUSED_ENTRY = 65535;
constexpr int MAX_TRAIN_VEHICLES = 200;
constexpr int MAX_TRAIN_CELLS = 200;
constexpr int32_t MAX_LIST_COUNT = 65535;

// The first train of (line, subNumber) (sub-number 0: the first of the line), or null.
TrainRecord* FirstNamed(int line, int subNumber) {
  if (subNumber < 0) return nullptr;
  int found;
  TrainRecord* prev = FindTrainSlot((uint32_t)line, (uint32_t)subNumber, &found);
  if (!found) return nullptr;
  return prev ? prev->next : Trains.first;
}

// The next train named by (line, subNumber) after t: for sub-number 0 the rest of the line.
TrainRecord* NextNamed(TrainRecord* t, int line, int subNumber) {
  if (subNumber != 0 || !t->next || t->next->line != (uint32_t)line) return nullptr;
  return t->next;
}

// A held train runs again (its TP hold cleared), a waiting one leaves the waiting queue for the
// running queue: 1 when the train was either.
int EndHeldOrWaiting(TrainRecord* t) {
  if (t->flags & (TRAIN_MANUAL | TRAIN_JOINING | TRAIN_PARKED)) return 0;
  if (t->flags & TRAIN_HELD) {
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_HELD;
    TrainPosition* h = TrainPositions(t);
    ClearTpHoldAt((int)h->x, (int)h->y, h->level);
    EnqueueTrainByState(t);
    return 1;
  }
  if ((t->flags & TRAIN_WAITING) && !(t->flags & (TRAIN_LEAVING | TRAIN_BLOCKED))) {
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_WAITING;
    t->wait = 0;
    EnqueueTrainByState(t);
    return 1;
  }
  return 0;
}

// Gives a used entry's cell back: the code under the train returns to the grid when the grid
// still holds a train code there, the animation goes and the cell and the one above are drawn.
void GiveCellBack(TrainPosition* p) {
  if (p->codeUnder == UNUSED_ENTRY) return;
  int x = (int)p->x, y = (int)p->y, level = p->level;
  uint16_t under = p->codeUnder;
  p->codeUnder = UNUSED_ENTRY;
  p->cell = nullptr;
  if (!GridPositionValid(x, y, level)) return;
  CellCode* cell = GetCellAddress(x, y, level);
  if (cell && (*cell & 0xFF00) == TRAIN_CODE_FIRST) *cell = under;
  RemoveAnimationAt(x, y, level);
  if (!TrainDrawSuppressed) {
    DrawCell(x, y, level, DRAWCELL_ALL_VIEWS);
    if (y >= 1) DrawCell(x, y - 1, level, 1);
  }
}

int32_t StepOf(int32_t value) { return (int32_t)((int64_t)value * 18 / 25); }
}  // namespace

// ---- creation --------------------------------------------------------------------------------------
int CreateTrain(const uint32_t* vehiclePairs, const void* templateHeader, int headX, int headY,
                int level, const uint16_t* list) {
  const TrainRecord* h = (const TrainRecord*)templateHeader;
  if (!h || !vehiclePairs) return 2;
  int vehicles = h->vehicleCount;
  if (vehicles < 1 || vehicles > MAX_TRAIN_VEHICLES) return 2;
  int32_t listCount = list ? h->listCount : 0;
  if (listCount < 0 || listCount > MAX_LIST_COUNT) return 2;
  if (h->subNumber == 0) return 1;
  int found;
  FindTrainSlot(h->line, h->subNumber, &found);
  if (found) return 1;

  int64_t length = 0;
  for (int i = 0; i < vehicles; i++) length += GetVehicleGraphicWidth(vehiclePairs[2 * i]);
  int cells = (int)((length + 31) / 32);
  if (cells < 1) cells = 1;
  if (cells > MAX_TRAIN_CELLS) return 2;
  TrainRecord* t = AllocTrainRecord(cells, vehicles);
  if (!t) return 2;
  uint16_t* copy = nullptr;
  if (listCount > 0) {
    copy = (uint16_t*)MemAlloc((size_t)listCount * sizeof(uint16_t));
    if (!copy) {
      FreeTrainRecord(t);
      return 2;
    }
    CopyMem(copy, list, (size_t)listCount * sizeof(uint16_t));
  }
  CopyMem(t, h, sizeof(TrainRecord));
  t->next = t->nextInQueue = t->nextInBucket = nullptr;
  t->rrQueue = 0;
  t->cellCode = 0;
  t->positionCount = cells;
  t->vehicleCount = vehicles;
  if (t->vehicleIndex < 0 || t->vehicleIndex >= vehicles) t->vehicleIndex = 0;
  t->list = copy;
  t->listCount = listCount;
  t->reservedPath = nullptr;
  t->reservedFirst = t->reservedCapacity = t->reservedCells = 0;
  t->flags = TRAIN_PARKED;
  t->accumulator = 1;
  t->decrement = 10;
  t->wait = 0;
  t->tpTime = -1;
  t->speed = 0;
  t->limit2 = t->limit3 = 0;
  t->timeStep = 1;
  t->subCellOffset = 0;
  t->accelerationStep = StepOf(t->acceleration);
  t->brakeStep = StepOf(t->brake);
  t->dx = t->dy = t->dz = 0;
  t->blockedLimit = t->blockedCount = 0;
  t->reservationRetries = 0;

  // Entry 0 is where the train stands: the given cell, or the slot cell of its home depot (the
  // slot gives no exit limit of its own, so the train keeps no limit 1). Without such a slot the
  // head stays at x -1 and a start from the depot refuses the train.
  TrainPosition* p = TrainPositions(t);
  p[0].x = (uint32_t)headX;
  p[0].y = (uint32_t)headY;
  p[0].level = level;
  if (headX == -1) {
    t->limit1 = 0;
    int sx, sy, slevel;
    if (t->homeDepot != 0 &&
        GetDepotSlot(t->homeDepot, t->homeSlot, &sx, &sy, &slevel, nullptr, nullptr, nullptr,
                     nullptr) == 0 &&
        GridPositionValid(sx, sy, slevel)) {
      p[0].x = (uint32_t)sx;
      p[0].y = (uint32_t)sy;
      p[0].level = slevel;
    }
  }
  ComputeTargetSpeed(t);
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < vehicles; i++) {
    v[i].id = vehiclePairs[2 * i];
    v[i].flags = vehiclePairs[2 * i + 1];
    v[i].length = GetVehicleGraphicWidth(v[i].id);
    v[i].spare = 0;
  }
  t->length = TrainLength(t);
  MarkVehicleStarts(t);
  if (InsertTrain(t) != 0) {
    FreeTrainRecord(t);
    return 1;
  }
  SetNetModified();
  return 0;
}

// ---- removal ----------------------------------------------------------------------------------------
void DeleteTrain(TrainRecord* t) {
  if (!t) return;
  if (t == GetSelectedTrain()) ClearTrainSelection();
  if (t->flags & TRAIN_RESERVING) ReleaseTrainReservation(t);
  RemoveTrain(t);
  FreeTrainRecord(t);
}

int DeleteParkedTrains(int line, int subNumber) {
  TrainRecord* t = FirstNamed(line, subNumber);
  if (!t) return 1;
  int kept = 0, deleted = 0;
  while (t) {
    TrainRecord* next = NextNamed(t, line, subNumber);
    if (t->flags & TRAIN_PARKED) {
      DeleteTrain(t);
      deleted++;
    } else {
      kept++;
    }
    t = next;
  }
  if (deleted) SetNetModified();
  return kept ? 2 : 0;
}

int RemoveTrainFromGrid(int line, int subNumber) {
  if (subNumber == 0) return 0;
  TrainRecord* t = FirstNamed(line, subNumber);
  if (!t) return 0;
  if (t->flags & TRAIN_RESERVING) ReleaseTrainReservation(t);
  // A parked train holds no cell; every other gives back the cells of its used entries only (an
  // unused entry's 65535 never reaches the grid).
  if (!(t->flags & TRAIN_PARKED)) {
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++) GiveCellBack(&p[i]);
  }
  DeleteTrain(t);
  SetNetModified();
  return 1;
}

// ---- state -------------------------------------------------------------------------------------------
int SendTrainsHome(int line, int subNumber, int flag) {
  int all = line == 0;
  TrainRecord* t = all ? Trains.first : FirstNamed(line, subNumber);
  if (!t) return 1;
  int result = 1, changed = 0;
  for (; t; t = all ? t->next : NextNamed(t, line, subNumber)) {
    if (t->flags & TRAIN_PARKED)
      result = 2;
    else if (t->flags & TRAIN_PENDING)
      result = 3;
    else if (t->homeDepot == 0)
      result = 4;
    else if (t->flags & TRAIN_MANUAL)
      result = 5;
    else {
      SetPendingChange(t, 0, flag);
      changed = 1;
      result = 0;
    }
  }
  if (changed) SetNetModified();
  return all ? 0 : result;
}

int ClearTrainPending(int line, int subNumber) {
  if (line == 0 || subNumber == 0) return 1;
  TrainRecord* t = FirstNamed(line, subNumber);
  if (!t) return 1;
  if (ClearPendingChange(t) != 0) return 2;
  SetNetModified();
  return 0;
}

int StartTrainsFromDepot(int line, int subNumber, int flag) {
  TrainRecord* t = FirstNamed(line, subNumber);
  if (!t) return 1;
  int started = 0, failed = 0, refusal = 1;
  while (t) {
    TrainRecord* next = NextNamed(t, line, subNumber);
    if (t->flags & TRAIN_MANUAL)
      refusal = 3;
    else if (!(t->flags & TRAIN_PARKED))
      refusal = 2;
    else if (StartTrainFromDepot(t, -1, 0, flag) == 0)
      started++;
    else
      failed++;
    t = next;
  }
  if (started) SetNetModified();
  if (failed) return 4;
  return started ? 0 : refusal;
}

int ReleaseHeldTrain(int line, int subNumber) {
  TrainRecord* t = FirstNamed(line, subNumber);
  if (!t || subNumber == 0) return 1;
  if (!EndHeldOrWaiting(t)) return 2;
  SetNetModified();
  return 0;
}

int TurnTrainAround(int line, int subNumber) {
  TrainRecord* t = subNumber ? FirstNamed(line, subNumber) : nullptr;
  if (!t || (t->flags & TRAIN_PARKED)) return 0;
  if (ReverseTrain(t, 0, 0) != 0) return 0;
  t->speed = 0;
  t->timeStep = 0;
  t->accumulator = 0;
  SetNetModified();
  return 1;
}

int TakeTrainByHand(int line, int subNumber) {
  TrainRecord* t = subNumber ? FirstNamed(line, subNumber) : nullptr;
  if (!t) return 1;
  if (t->flags & TRAIN_MANUAL) return 2;
  EndHeldOrWaiting(t);
  if (t->flags & TRAIN_JOINING)
    t->flags &= ~TRAIN_JOINING;  // a joining train is in no queue
  else
    DequeueTrainByState(t);
  t->flags |= TRAIN_MANUAL;
  RedrawTrain(t, 1);
  SetNetModified();
  return 0;
}

int EndHandControl(int line, int subNumber) {
  TrainRecord* t = subNumber ? FirstNamed(line, subNumber) : nullptr;
  if (!t) return 1;
  if (!(t->flags & TRAIN_MANUAL)) return 2;
  t->flags &= ~TRAIN_MANUAL;
  EnqueueTrainByState(t);
  RedrawTrain(t, 1);
  SetNetModified();
  return 0;
}

int SetJoinOnContact(int line, int subNumber) {
  TrainRecord* t = subNumber ? FirstNamed(line, subNumber) : nullptr;
  if (!t) return 1;
  if (t->flags & (TRAIN_PARKED | TRAIN_JOINING)) return 2;
  if (TrainPlacementState(t) != 0) return 3;
  EndHeldOrWaiting(t);
  if (t->flags & TRAIN_MANUAL)
    t->flags &= ~TRAIN_MANUAL;
  else
    DequeueTrainByState(t);
  t->flags |= TRAIN_JOINING;
  SetNetModified();
  return 0;
}

int SplitTrainByHand(int line, int subNumber, int vehicleIndex, int newLine, int newSubNumber,
                     int level) {
  TrainRecord* t = subNumber ? FirstNamed(line, subNumber) : nullptr;
  if (!t) return 1;
  if (t->vehicleCount <= 1) return 4;
  if (t->tpAttribute5 & 0x4) return 5;
  int index = vehicleIndex < 0 ? -vehicleIndex : vehicleIndex;
  if (index >= t->vehicleCount) return 6;
  EndHeldOrWaiting(t);
  if (t->flags & TRAIN_MANUAL) {
    t->flags &= ~TRAIN_MANUAL;
    EnqueueTrainByState(t);
  }
  SetNetModified();
  const int32_t selection[3] = {newLine, newSubNumber, level};
  int r = RouteTrainAtPoint(t, 106, t->secondLine, 106, 0, selection, vehicleIndex);
  switch (r) {
    case 0: return 0;
    case 1: return 2;   // parked
    case 2: return 12;  // the cell ahead cannot be entered
    case 3: return 13;  // out of memory
    case 5: return 15;  // no split index
    case 6: return 3;   // not wholly on the grid
    case 7: return 17;  // no free sub-number for the rear part
  }
  return 20;
}

// ---- changing the data of a train ---------------------------------------------------------------------
int ReplaceTrainData(int index, const TrainRecord* h, const uint16_t* list) {
  TrainRecord* t = GetTrainByIndex(index);
  if (!t || !h) return 1;
  if (h->subNumber != t->subNumber || h->line != t->line) {
    int found;
    FindTrainSlot(h->line, h->subNumber, &found);
    if (h->subNumber == 0 || found) return 3;
  }
  int32_t listCount = list ? h->listCount : 0;
  if (listCount < 0 || listCount > MAX_LIST_COUNT) return 2;
  if (listCount > t->listCount) {
    uint16_t* block = (uint16_t*)MemAlloc((size_t)listCount * sizeof(uint16_t));
    if (!block) return 2;
    if (t->list) MemFree(t->list);
    t->list = block;
  }
  if (listCount > 0) MoveMem(t->list, list, (size_t)listCount * sizeof(uint16_t));
  t->listCount = listCount;

  int attribute8Gained = (h->tpAttribute5 & 0x8) && !(t->tpAttribute5 & 0x8);
  int othersChanged = h->secondLine != t->secondLine || h->type != t->type ||
                      h->category != t->category || h->wayKinds != t->wayKinds;
  int resort = h->subNumber != t->subNumber || h->line != t->line;
  int hadReservation = (t->flags & TRAIN_RESERVING) != 0;
  if (hadReservation && (othersChanged || attribute8Gained)) ReleaseTrainReservation(t);

  // Everything the dialogs edit is taken over; the links, the state and the cells stay.
  t->line = h->line;
  t->secondLine = h->secondLine;
  t->subNumber = h->subNumber;
  t->homeDepot = h->homeDepot;
  t->homeSlot = h->homeSlot;
  t->type = h->type;
  t->homeType = h->homeType;
  t->category = h->category;
  t->homeCategory = h->homeCategory;
  t->tpAttribute5 = h->tpAttribute5;
  t->wayKinds = h->wayKinds;
  for (int i = 0; i < 6; i++) {
    t->scheduleATime[i] = h->scheduleATime[i];
    t->scheduleADepot[i] = h->scheduleADepot[i];
    t->scheduleASlot[i] = h->scheduleASlot[i];
    t->scheduleBTime[i] = h->scheduleBTime[i];
    t->scheduleBDepot[i] = h->scheduleBDepot[i];
    t->scheduleBSlot[i] = h->scheduleBSlot[i];
  }
  t->maxSpeed = h->maxSpeed;
  t->limit1 = h->limit1;
  t->limit2 = h->limit2;
  t->limit3 = h->limit3;
  t->acceleration = h->acceleration;
  t->brake = h->brake;
  t->accelerationStep = StepOf(t->acceleration);
  t->brakeStep = StepOf(t->brake);
  t->minWait = h->minWait;
  t->maxWait = h->maxWait;
  t->tpTime = h->tpTime;
  t->blockedLimit = h->blockedLimit;
  if (h->vehicleIndex >= 0 && h->vehicleIndex < t->vehicleCount) t->vehicleIndex = h->vehicleIndex;
  ComputeTargetSpeed(t);

  if (hadReservation && othersChanged && !(t->flags & TRAIN_RESERVING) &&
      !(t->flags & TRAIN_PARKED))
    ReserveAhead(t, 1);
  if (resort) SortTrains();
  SetNetModified();
  return 0;
}
