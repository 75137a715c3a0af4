// The train running step: speeds, the quarter-cell accumulator, whole-cell and partial moves, the
// stops and TP under the head, waits, blocked retries, starts from depots and the schedules.
#include "trains/train_running.h"
#include "trains/train_reserve.h"
#include "core/random.h"
#include "elements/element_services.h"
#include "model/cellcodes.h"
#include "model/general_section.h"
#include "trains/sim_clock.h"
#include "trains/train_draw.h"
#include "trains/train_move.h"
#include "trains/train_services.h"
#include "views/view_services.h"

int32_t TrainStraightMoves = 0, TrainDiagonalMoves = 0;

int (*TrainLogSink)(int x, int y, int level, int tpX, int tpY, int tpLevel, int dx, int dy,
                    int kind, int32_t timeValue, uint32_t line, uint32_t secondLine,
                    uint32_t number, uint32_t trainFlags) = LogTrainEvent;

void LogTrainAtHead(TrainRecord* t, int kind, int32_t time) {
  TrainPosition* h = TrainPositions(t);
  TrainLogSink((int)h->x, (int)h->y, h->level, (int)h->x, (int)h->y, h->level, t->dx, t->dy, kind,
               time, t->line, t->secondLine, t->subNumber, t->flags);
}

namespace {
constexpr uint16_t UNUSED_ENTRY = 65535;

TrainPosition* Head(TrainRecord* t) { return TrainPositions(t); }

void RaiseTrainEvent(int kind, TrainRecord* t, int32_t value) {
  TrainPosition* h = Head(t);
  AddEventDisplayEntry(kind, (int)h->x, (int)h->y, h->level, (int)t->line, (int)t->secondLine,
                       (int)t->subNumber, value);
}

int IsSelected(const TrainRecord* t) { return (t->flags & (TRAIN_HEAD_MARK | TRAIN_SELECTED)) != 0; }

// The tail entry gives its cell back: the code under it returns to the grid and the cell is
// redrawn; the entry is unused afterwards.
void ReleaseTailEntry(TrainRecord* t) {
  TrainPosition* tail = &TrainPositions(t)[t->positionCount];
  if (tail->codeUnder == UNUSED_ENTRY) return;
  int x = (int)tail->x, y = (int)tail->y, level = tail->level;
  if (tail->cell) *tail->cell = tail->codeUnder;
  tail->codeUnder = UNUSED_ENTRY;
  if (!GridPositionValid(x, y, level)) return;
  RemoveAnimationAt(x, y, level);
  if (!TrainDrawSuppressed) {
    DrawCell(x, y, level, DRAWCELL_ALL_VIEWS);
    if (y >= 1) DrawCell(x, y - 1, level, 1);
  }
}

// The tail leaves its cell when the train's length and the head's offset no longer reach into it.
int TailLeaves(const TrainRecord* t) {
  return ((t->length + t->subCellOffset + 31) >> 5) == t->positionCount;
}

void CopyPosition(TrainPosition* to, const TrainPosition* from) {
  uint8_t starts = to->vehicleMark & 7;  // the vehicle starts stay with the slot
  *to = *from;
  to->vehicleMark = (uint8_t)((from->vehicleMark & ~7) | starts);
}

// A random wait from the train's wait range (the minimum when the range is empty).
int32_t RandomWait(const TrainRecord* t) {
  if (t->maxWait < t->minWait) return t->minWait;
  return t->minWait + RuntimeRand() % (t->maxWait - t->minWait + 1);
}

void TakeSpeedLimit(TrainRecord* t, int32_t limit) {
  if (limit < 0) return;
  t->limit1 = limit;
  ComputeTargetSpeed(t);
}

// The selected train moved or changed: the idle step's follow mode looks at it again.
void UpdateFollowView(TrainRecord* t) {
  if (IsSelected(t)) RequestFollowUpdate();
}

// The train leaves its running queue (or round-robin queue) and stands held in the held queue.
void HoldTrain(TrainRecord* t) {
  DequeueTrainByState(t);
  t->flags = (t->flags & ~(uint32_t)(TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED)) | TRAIN_HELD;
  EnqueueTrainByState(t);
  LogTrainAtHead(t, TRAINLOG_HELD, -1);
}

void FillTpData(const TrainRecord* t, TpTrainData* d) {
  d->line = t->line;
  d->secondLine = t->secondLine;
  d->subNumber = t->subNumber;
  d->minWait = t->minWait;
  d->maxWait = t->maxWait;
  d->type = t->type;
  d->homeType = t->homeType;
  d->category = t->category;
  d->attribute2 = 0;
  d->attribute5 = t->tpAttribute5;
  d->flags = t->flags;
  d->wayKinds = t->wayKinds;
  d->pendingDepot = t->pendingDepot;
  d->pendingSlot = t->pendingSlot;
  d->acceleration = t->acceleration;
  d->brake = t->brake;
  d->maxSpeed = t->maxSpeed;
  d->vehicleIndex = t->vehicleIndex;
  d->blockedLimit = t->blockedLimit;
  for (int i = 0; i < 6; i++) {
    d->scheduleATime[i] = t->scheduleATime[i];
    d->scheduleADepot[i] = t->scheduleADepot[i];
    d->scheduleASlot[i] = t->scheduleASlot[i];
    d->scheduleBTime[i] = t->scheduleBTime[i];
    d->scheduleBDepot[i] = t->scheduleBDepot[i];
    d->scheduleBSlot[i] = t->scheduleBSlot[i];
  }
  d->value = -1;
  d->releaseTime = -1;
}

// The head reached the end of a TP cell.
void MeetTp(TrainRecord* t) {
  if ((t->flags & TRAIN_PENDING_FLAGGED) || t->category == 3) return;
  TrainPosition* h = Head(t);
  TpTrainData d;
  FillTpData(t, &d);
  int r = MatchTpForTrain((int)h->x, (int)h->y, h->level, DirectionCode(t->dx, t->dy), 0, &d);
  if (r == 6) {
    RaiseTrainEvent(EVENT_TP_RELEASE_TIME, t, d.releaseTime);
    r = 5;
  }
  t->tpTime = r == 5 ? d.releaseTime : -1;
  if (t->category == 2 && r != 0 && r != 5) return;
  if (t->flags & TRAIN_PENDING) {
    if (r == 1 || r > 5) return;
    ClearTpHoldAt((int)h->x, (int)h->y, h->level);
    if (t->category != 1) return;
    if (t->flags & TRAIN_SKIP_STOP) {
      t->flags &= ~TRAIN_SKIP_STOP;
    } else {
      StartWaiting(t, RandomWait(t));
      LogTrainAtHead(t, TRAINLOG_TP_WAIT, t->tpTime);
    }
  } else {
    ApplyTpTrainData(t, &d);
    if (r == 1) {
      // nothing more to do
    } else if (r == 5) {
      t->flags &= ~(uint32_t)(TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED);
      if (t->category != 2) {
        StartWaiting(t, RandomWait(t));
        LogTrainAtHead(t, TRAINLOG_TP_WAIT, t->tpTime);
      }
    } else if (r >= 2 && r <= 4) {
      if ((t->flags & (TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED)) ==
          (TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED)) {
        // leaving towards a flagged goal: runs on
      } else if (t->flags & TRAIN_SKIP_STOP) {
        t->flags &= ~TRAIN_SKIP_STOP;
      } else {
        StartWaiting(t, RandomWait(t));
        LogTrainAtHead(t, TRAINLOG_TP_WAIT, t->tpTime);
      }
    } else {
      HoldTrain(t);
    }
  }
  TakeSpeedLimit(t, d.value);
}

// The head reached the end of a stop cell.
void MeetStop(TrainRecord* t) {
  TrainPosition* h = Head(t);
  int32_t limit = -1;
  int wait = MatchHstForTrain((int)h->x, (int)h->y, h->level, DirectionCode(t->dx, t->dy),
                              t->category, 1, t->line, t->secondLine, t->subNumber, t->type,
                              t->flags, &limit);
  if (wait != 0) {
    if (t->flags & TRAIN_SKIP_STOP) {
      t->flags &= ~TRAIN_SKIP_STOP;
    } else {
      StartWaiting(t, wait);
      LogTrainAtHead(t, TRAINLOG_STOP, -1);
    }
  }
  TakeSpeedLimit(t, limit);
}

int ClassUnderHead(TrainRecord* t) {
  int cls = ELEM_PLAIN;
  NextCellClass(t->dx, t->dy, Head(t)->codeUnder, &cls, t->wayKinds);
  return cls;
}

// The pending goal changes (set or cleared): a reservation is searched again, a held train runs.
void AfterPendingChange(TrainRecord* t, uint32_t clear, uint32_t set) {
  if (t->flags & TRAIN_RESERVING) {
    ReleaseTrainReservation(t);
    t->flags = (t->flags & ~(clear | TRAIN_RESERVING)) | set;
    ReserveAhead(t, 1);
  } else {
    t->flags = (t->flags & ~clear) | set;
  }
  if (t->flags & TRAIN_HELD) {
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_HELD;
    EnqueueTrainByState(t);
    TrainPosition* h = Head(t);
    ClearTpHoldAt((int)h->x, (int)h->y, h->level);
    LogTrainAtHead(t, TRAINLOG_TP_RELEASED, -1);
  }
  UpdateFollowView(t);
  RedrawTrain(t, 0);
}

void StepRunningTrain(TrainRecord* t) {
  if (t->speed != t->targetSpeed) {
    if (t->speed < t->targetSpeed) {
      t->speed = t->acceleration != 0 ? t->speed + t->accelerationStep : t->targetSpeed;
      if (t->speed > t->targetSpeed) t->speed = t->targetSpeed;
    } else {
      t->speed = t->brake != 0 ? t->speed - t->brakeStep : t->targetSpeed;
      if (t->speed < t->targetSpeed) t->speed = t->targetSpeed;
    }
    // The part of the quarter step already run is kept: rebased from the old to the new step.
    t->accumulator -= (int32_t)t->timeStep;
    if (t->speed > 0) t->timeStep = DocState.timeBase / (uint32_t)t->speed;
    t->accumulator += (int32_t)t->timeStep;
  }
  t->accumulator -= t->decrement;
  if (t->accumulator > 0) return;
  t->accumulator += (int32_t)t->timeStep;
  if (t->subCellOffset > 0) {
    t->subCellOffset -= 8;
    MoveTrainPartial(t);
  } else {
    MoveTrainWholeCell(t);
  }
}
}  // namespace

// ---- quarter-cell steps --------------------------------------------------------------------------
void MoveTrainWholeCell(TrainRecord* t) {
  TrainPosition next = {};
  TrainPosition old = *Head(t);
  int r = MoveTrainOneCell(t, &next);
  if (r >= 1 && r <= 3) return;  // handled there: gone, joined, waits or stays
  if (r == MOVE_CELL_BLOCKED) {
    t->speed = 0;
    t->timeStep = 0;
    if (t->flags & (TRAIN_LEAVING | TRAIN_BLOCKED)) {
      t->accumulator = t->accumulator >= 1 ? t->accumulator - 1 : 49;
      if (t->blockedLimit > 0) {
        t->blockedCount++;
        if (t->blockedCount >= t->blockedLimit)
          RaiseTrainEvent(EVENT_BLOCKED_LIMIT, t, t->blockedCount);
      }
    } else {
      DequeueTrainByState(t);
      t->flags |= TRAIN_BLOCKED;
      EnqueueTrainByState(t);
      t->blockedCount = 0;
    }
    return;
  }
  if (t->flags & TRAIN_BLOCKED) {
    DequeueTrainByState(t);  // out of the round-robin queue, 0x3000 and the count cleared
    EnqueueTrainByState(t);  // at the front of the running queue
  }
  if (t->flags & TRAIN_RESERVING) DropFirstReservedCell(t);
  t->decrement = r < MOVE_CELL_DIAGONAL ? 10 : 7;
  if (IsLogFileOpen())
    WriteLogEntry((int)old.x, (int)old.y, old.level, (int)next.x, (int)next.y, next.level, t->dx,
                  t->dy, t->line, t->secondLine, t->subNumber, t->flags);
  if (next.codeUnder != UNUSED_ENTRY && next.cell) *next.cell = t->cellCode;
  // The tail entry still in use gives its cell back before the positions shift over it: the
  // shift would lose its cell with the train's code standing in it (a train longer or shorter
  // than its cells whose tail never left at the exact offset).
  ReleaseTailEntry(t);
  TrainPosition* p = TrainPositions(t);
  for (int i = t->positionCount; i >= 1; i--) CopyPosition(&p[i], &p[i - 1]);
  CopyPosition(&p[0], &next);
  t->subCellOffset = 24;
  if (TailLeaves(t)) ReleaseTailEntry(t);
  RedrawTrain(t, 0);
  if (IsSelected(t)) {
    RequestFollowUpdate();
    if (r < MOVE_CELL_DIAGONAL)
      TrainStraightMoves++;
    else
      TrainDiagonalMoves++;
  }
}

void MoveTrainPartial(TrainRecord* t) {
  if (TailLeaves(t)) ReleaseTailEntry(t);
  if (t->subCellOffset == 0) {
    int cls = ClassUnderHead(t);
    if (cls == ELEM_STOP)
      MeetStop(t);
    else if (cls == ELEM_TP)
      MeetTp(t);
  }
  RedrawTrain(t, 0);
  UpdateFollowView(t);
}

// ---- the clock's work ----------------------------------------------------------------------------
void StepRunningTrains() {
  TrainRecord* next;
  for (TrainRecord* t = Trains.running; t; t = next) {
    next = t->nextInQueue;  // taken first: the train may leave the queue
    StepRunningTrain(t);
  }
}

void StepTrainQueue(int queue) {
  if (queue < 0 || queue >= TRAIN_QUEUES_RR) return;
  TrainRecord* next;
  for (TrainRecord* t = Trains.roundRobin[queue]; t; t = next) {
    next = t->nextInQueue;
    MoveTrainWholeCell(t);
  }
}

void StepWaitingTrains() {
  while (TrainRecord* t = Trains.waiting) {
    if (t->wait > 0) {
      t->wait--;
      return;
    }
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_WAITING;
    EnqueueTrainByState(t);  // at the front of the running queue
    if (ClassUnderHead(t) != ELEM_TP)
      LogTrainAtHead(t, TRAINLOG_RELEASED, -1);
    else if (t->tpTime != -1)
      LogTrainAtHead(t, TRAINLOG_TP_TIME, t->tpTime);
    else
      LogTrainAtHead(t, TRAINLOG_TP_RELEASED, -1);
  }
}

void StartWaiting(TrainRecord* t, int32_t wait) {
  if (wait < 1) wait = RandomWait(t);
  DequeueTrainByState(t);
  t->flags |= TRAIN_WAITING;
  InsertWaitingTrain(t, wait);
}

void StartDepotTrainsBySchedule() {
  uint32_t now = ClockDayTime();
  uint32_t day = now >> 24, time = now & 0xFFFFFF;
  if (!GetEventKindFlag(EVENT_SCHEDULE_B_RUNNING)) {
    TrainRecord* next;
    for (TrainRecord* t = Trains.parked; t; t = next) {
      next = t->nextInQueue;
      int k = FindScheduleB(t, day, time);
      if (k >= 0)
        StartTrainFromDepot(t, t->scheduleBDepot[k], t->scheduleBSlot[k] & 0x7FFF,
                            t->scheduleBSlot[k] >> 15);
    }
    return;
  }
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (t->flags & TRAIN_MANUAL) continue;
    int k = FindScheduleB(t, day, time);
    if (k < 0) continue;
    if (t->flags & TRAIN_PARKED)
      StartTrainFromDepot(t, t->scheduleBDepot[k], t->scheduleBSlot[k] & 0x7FFF,
                          t->scheduleBSlot[k] >> 15);
    else
      RaiseTrainEvent(EVENT_SCHEDULE_B_RUNNING, t, 0);
  }
}

void ApplyTrainSchedules() {
  uint32_t now = ClockDayTime();
  uint32_t day = now >> 24, time = now & 0xFFFFFF;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (t->flags & TRAIN_MANUAL) continue;
    int k = FindScheduleA(t, day, time);
    if (!k) continue;
    if (t->flags & (TRAIN_PENDING | TRAIN_PARKED))
      RaiseTrainEvent(EVENT_SCHEDULE_A_REFUSED, t, 0);
    else
      SetPendingChange(t, k, t->scheduleASlot[k - 1] >> 15);
  }
}

void SetPendingChange(TrainRecord* t, int k, int flag) {
  uint16_t depot, slot;
  if (k >= 1 && k <= 6) {
    depot = t->scheduleADepot[k - 1];
    slot = t->scheduleASlot[k - 1] & 0x7FFF;
  } else if (k == 0) {
    depot = t->homeDepot;
    slot = t->homeSlot;
  } else {
    return;
  }
  if (depot == 0) return;
  t->pendingDepot = depot;
  t->pendingSlot = slot;
  AfterPendingChange(t, TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED,
                     TRAIN_PENDING | (flag ? TRAIN_PENDING_FLAGGED : 0));
}

int ClearPendingChange(TrainRecord* t) {
  if (!(t->flags & TRAIN_PENDING)) return 1;
  AfterPendingChange(t, TRAIN_PENDING | TRAIN_PENDING_FLAGGED, 0);
  return 0;
}

int StartTrainFromDepot(TrainRecord* t, int depot, int slot, int flag) {
  TrainPosition* p = TrainPositions(t);
  if (depot == -1) {
    depot = FindDepotAt((int)p[0].x, (int)p[0].y, p[0].level, &slot);
  } else if (depot == 0) {
    depot = t->homeDepot;
    slot = t->homeSlot;
  }
  int x, y, level;
  uint32_t direction = 0;
  if (depot <= 0 || GetDepotSlot(depot, slot, &x, &y, &level, &direction, nullptr, nullptr,
                                 nullptr) != 0)
    return 1;
  if (!GridPositionValid(x, y, level)) return 1;
  int track = TrackClass(GetCell(x, y, level), t->wayKinds);
  if (track != 1 && track != 3 && track != 4) {
    AddEventDisplayEntry(EVENT_NO_WAY, x, y, level, (int)t->line, (int)t->secondLine,
                         (int)t->subNumber, 0);
    return 1;
  }
  if (!(t->flags & TRAIN_MANUAL)) DequeueTrainByState(t);  // out of the parked queue
  t->flags = (t->flags & ~TRAIN_PARKED) | TRAIN_LEAVING | TRAIN_LEAVING1 |
             (flag ? TRAIN_PENDING_FLAGGED : 0);
  EnqueueTrainByState(t);  // the next round-robin queue
  t->blockedCount = 0;
  t->speed = 0;
  t->timeStep = 0;
  t->accumulator = 0;
  // The slot record carries no exit speed limit of its own: the train leaves without limit 1.
  t->limit1 = 0;
  t->limit2 = t->limit3 = 0;
  ComputeTargetSpeed(t);
  t->subCellOffset = 0;
  t->dx = DirectionDx(direction);
  t->dy = DirectionDy(direction);
  t->dz = 0;
  for (int i = 0; i <= t->positionCount; i++) {
    p[i].x = (uint32_t)(x - i * t->dx);
    p[i].y = (uint32_t)(y - i * t->dy);
    p[i].level = level;
    p[i].cell = nullptr;
    p[i].codeUnder = UNUSED_ENTRY;
  }
  MarkVehicleStarts(t);
  return 0;
}
