// Train records, the list of all trains, the state queues and the cell-code buckets.
#include "trains/train_records.h"
#include "core/misc.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "views/view_services.h"

TrainLists Trains;
int TrainDrawSuppressed = 0;

static int CompareLineIds(uint32_t a, uint32_t b) { return a < b ? 1 : a == b ? 0 : 2; }
int (*CompareLineOrderHook)(uint32_t a, uint32_t b) = CompareLineIds;

TrainRecord* AllocTrainRecord(int positionCount, int vehicleCount) {
  if (positionCount < 0 || vehicleCount < 0 || positionCount > 100000 || vehicleCount > 100000)
    return nullptr;
  size_t size = sizeof(TrainRecord) + (size_t)(positionCount + 1) * sizeof(TrainPosition) +
                (size_t)vehicleCount * sizeof(TrainVehicleEntry);
  TrainRecord* t = (TrainRecord*)MemAlloc(size);
  if (!t) return nullptr;
  FillMem(t, 0, size);
  t->positionCount = positionCount;
  t->vehicleCount = vehicleCount;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i <= positionCount; i++) p[i].codeUnder = 65535;
  return t;
}

void FreeTrainRecord(TrainRecord* t) {
  if (!t) return;
  ForgetSelectedTrain(t);  // no freed train stays selected
  if (t->list) MemFree(t->list);
  if (t->reservedPath) MemFree(t->reservedPath);
  MemFree(t);
}

// ---- list of all trains ------------------------------------------------------------------------
TrainRecord* FindTrainSlot(uint32_t line, uint32_t subNumber, int* found) {
  *found = 0;
  TrainRecord* prev = nullptr;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    int c = CompareLineOrderHook(t->line, line);
    if (c == 11) c = CompareLineIds(t->line, line);
    if (c == 1) {
      prev = t;
      continue;
    }
    if (c == 2) break;
    if (subNumber == 0 || t->subNumber == subNumber) {
      *found = 1;
      break;
    }
    if (t->subNumber > subNumber) break;
    prev = t;
  }
  return prev;
}

static void Unlink(TrainRecord** head, TrainRecord* t) {
  for (TrainRecord** p = head; *p; p = &(*p)->nextInQueue)
    if (*p == t) {
      *p = t->nextInQueue;
      t->nextInQueue = nullptr;
      return;
    }
}

static void PushFront(TrainRecord** head, TrainRecord* t) {
  t->nextInQueue = *head;
  *head = t;
}

static void AppendTo(TrainRecord** head, TrainRecord* t) {
  TrainRecord** p = head;
  while (*p) p = &(*p)->nextInQueue;
  t->nextInQueue = nullptr;
  *p = t;
}

static void EnterRunning(TrainRecord* t) {
  t->speed = 0;
  t->timeStep = 0;
  t->accumulator = 0;
  t->reservationRetries = 0;
}

void AppendRunningTrain(TrainRecord* t) {
  EnterRunning(t);
  AppendTo(&Trains.running, t);
}

void InsertWaitingTrain(TrainRecord* t, int32_t wait) {
  TrainRecord** p = &Trains.waiting;
  int32_t rest = wait;
  while (*p && (*p)->wait <= rest) {
    rest -= (*p)->wait;
    p = &(*p)->nextInQueue;
  }
  t->wait = rest;
  t->nextInQueue = *p;
  if (*p) (*p)->wait -= rest;
  *p = t;
}

void RemoveWaitingTrain(TrainRecord* t) {
  int32_t sum = 0;
  for (TrainRecord** p = &Trains.waiting; *p; p = &(*p)->nextInQueue) {
    sum += (*p)->wait;
    if (*p != t) continue;
    *p = t->nextInQueue;
    if (t->nextInQueue) t->nextInQueue->wait += t->wait;
    t->nextInQueue = nullptr;
    t->wait = sum;
    return;
  }
}

void EnqueueTrainByState(TrainRecord* t) {
  uint32_t f = t->flags;
  if (f & (TRAIN_MANUAL | TRAIN_JOINING)) return;
  if (f & TRAIN_PARKED) {
    PushFront(&Trains.parked, t);
  } else if (f & TRAIN_HELD) {
    PushFront(&Trains.held, t);
  } else if (!(f & (TRAIN_WAITING | TRAIN_LEAVING | TRAIN_BLOCKED))) {
    EnterRunning(t);
    PushFront(&Trains.running, t);
  } else if (f & (TRAIN_LEAVING | TRAIN_BLOCKED)) {
    int q = Trains.rrCounter;
    if (q < 0 || q >= TRAIN_QUEUES_RR) q = 0;
    Trains.rrCounter = q == TRAIN_QUEUES_RR - 1 ? 0 : q + 1;
    t->rrQueue = q;
    t->speed = 0;
    t->timeStep = 0;
    AppendTo(&Trains.roundRobin[q], t);
  } else {
    InsertWaitingTrain(t, t->wait);
  }
}

void DequeueTrainByState(TrainRecord* t) {
  uint32_t f = t->flags;
  if (f & (TRAIN_MANUAL | TRAIN_JOINING)) return;
  if (f & TRAIN_PARKED) {
    Unlink(&Trains.parked, t);
  } else if (f & TRAIN_HELD) {
    Unlink(&Trains.held, t);
  } else if (!(f & (TRAIN_WAITING | TRAIN_LEAVING | TRAIN_BLOCKED))) {
    Unlink(&Trains.running, t);
    t->speed = 0;
    t->timeStep = 0;
    t->accumulator = 0;
  } else if (f & (TRAIN_LEAVING | TRAIN_BLOCKED)) {
    if (t->rrQueue >= 0 && t->rrQueue < TRAIN_QUEUES_RR) Unlink(&Trains.roundRobin[t->rrQueue], t);
    t->blockedCount = 0;
    t->flags &= ~(TRAIN_LEAVING | TRAIN_BLOCKED);
  } else {
    RemoveWaitingTrain(t);
  }
}

void AssignTrainCellCode(TrainRecord* t) {
  if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) return;
  int k = Trains.codeCounter >= TRAIN_BUCKETS - 1 || Trains.codeCounter < 0
              ? 0
              : Trains.codeCounter + 1;
  Trains.codeCounter = k;
  t->cellCode = (uint16_t)(TRAIN_CODE_FIRST + k);
  t->nextInBucket = Trains.bucket[k];
  Trains.bucket[k] = t;
}

void ReleaseTrainCellCode(TrainRecord* t) {
  if (t->cellCode < TRAIN_CODE_FIRST || t->cellCode > TRAIN_CODE_FIRST + 0xFF) return;
  for (TrainRecord** p = &Trains.bucket[t->cellCode - TRAIN_CODE_FIRST]; *p;
       p = &(*p)->nextInBucket)
    if (*p == t) {
      *p = t->nextInBucket;
      break;
    }
  t->nextInBucket = nullptr;
}

int InsertTrain(TrainRecord* t) {
  int found;
  TrainRecord* prev = FindTrainSlot(t->line, t->subNumber, &found);
  if (found && t->subNumber != 0) return 1;
  if (prev) {
    t->next = prev->next;
    prev->next = t;
  } else {
    t->next = Trains.first;
    Trains.first = t;
  }
  Trains.count++;
  EnqueueTrainByState(t);
  AssignTrainCellCode(t);
  return 0;
}

void RemoveTrain(TrainRecord* t) {
  for (TrainRecord** p = &Trains.first; *p; p = &(*p)->next)
    if (*p == t) {
      *p = t->next;
      Trains.count--;
      break;
    }
  t->next = nullptr;
  if (!(t->flags & TRAIN_PARKED)) ReleaseTrainCellCode(t);
  DequeueTrainByState(t);
}

// ---- start-up, reset and counters ------------------------------------------------------------------
void InitTrains() {}

void ResetTrains() {
  ClearTrainSelection();
  TrainRecord* t = Trains.first;
  while (t) {
    TrainRecord* n = t->next;
    FreeTrainRecord(t);
    t = n;
  }
  FillMem(&Trains, 0, sizeof(Trains));
}

void ExitTrains() { ResetTrains(); }
int GetTrainCount() { return Trains.count; }
void SetTrainCount(int count) { Trains.count = count; }
TrainRecord* GetFirstTrain() { return Trains.first; }
void SetFirstTrain(TrainRecord* t) { Trains.first = t; }

// ---- directions --------------------------------------------------------------------------------
uint32_t DirectionCode(int dx, int dy) {
  static const uint8_t codes[3][3] = {
      // dy -1, 0, 1 for dx = -1, 0, 1
      {32, 4, 64},
      {1, 0, 2},
      {128, 8, 16},
  };
  if (dx < -1 || dx > 1 || dy < -1 || dy > 1) return 0;
  return codes[dx + 1][dy + 1];
}

int DirectionDx(uint32_t code) {
  if (code & (4 | 32 | 64)) return -1;
  if (code & (8 | 16 | 128)) return 1;
  return 0;
}

int DirectionDy(uint32_t code) {
  if (code & (1 | 32 | 128)) return -1;
  if (code & (2 | 16 | 64)) return 1;
  return 0;
}

uint32_t OppositeDirection(uint32_t code) {
  switch (code) {
    case 1: return 2;
    case 2: return 1;
    case 4: return 8;
    case 8: return 4;
    case 16: return 32;
    case 32: return 16;
    case 64: return 128;
    case 128: return 64;
  }
  return 0;
}

// ---- trains at cells ---------------------------------------------------------------------------
// Each entry lies at most one cell in x and in y from the one before it, so entry i is at most i
// cells from the head: a cell farther from the head than the train has entries is not the train's.
// The bound grows with the train: one holding more than 201 cells (a joined train keeps the cells
// of both) is found at its far cells too.
static int HoldsCell(TrainRecord* t, int x, int y, int level, int* index) {
  if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) return 0;
  TrainPosition* p = TrainPositions(t);
  int64_t hx = (int64_t)p[0].x - x, hy = (int64_t)p[0].y - y;
  int64_t reach = t->positionCount > 200 ? t->positionCount : 200;
  if (hx > reach || hx < -reach || hy > reach || hy < -reach) return 0;
  for (int i = 0; i <= t->positionCount; i++)
    if (p[i].codeUnder != 65535 && p[i].x == (uint32_t)x && p[i].y == (uint32_t)y &&
        p[i].level == level) {
      if (index) *index = i;
      return 1;
    }
  return 0;
}

TrainRecord* FindTrainAt(int x, int y, int level, int* positionIndex, uint16_t code) {
  if (code >= TRAIN_CODE_FIRST && code <= TRAIN_CODE_FIRST + 0xFF)
    for (TrainRecord* t = Trains.bucket[code - TRAIN_CODE_FIRST]; t; t = t->nextInBucket)
      if (HoldsCell(t, x, y, level, positionIndex)) return t;
  for (TrainRecord* t = Trains.first; t; t = t->next)
    if (HoldsCell(t, x, y, level, positionIndex)) return t;
  return nullptr;
}

uint16_t GetTrainCellCode(int x, int y, int level, uint16_t code) {
  int i;
  TrainRecord* t = FindTrainAt(x, y, level, &i, code);
  return t ? TrainPositions(t)[i].codeUnder : (uint16_t)0xC000;
}

int SetTrainCellCode(int x, int y, int level, uint16_t currentCode, uint16_t newCode) {
  int i;
  TrainRecord* t = FindTrainAt(x, y, level, &i, currentCode);
  if (!t) return 1;
  TrainPositions(t)[i].codeUnder = newCode;
  if (!TrainDrawSuppressed) {
    DrawCell(x, y, level, DRAWCELL_ALL_VIEWS);
    DrawCell(x, y - 1, level, 1);
    DrawCell(x, y - 2, level, 1);
  }
  return 0;
}

// ---- speeds, lengths, schedules and sub-numbers ---------------------------------------------------
void ComputeTargetSpeed(TrainRecord* t) {
  int32_t v = t->maxSpeed;
  int32_t limits[3] = {t->limit1, t->limit2, t->limit3};
  for (int32_t l : limits)
    if (l != 0 && l < v) v = l;
  t->targetSpeed = v;
}

int32_t TrainLength(TrainRecord* t) {
  int32_t sum = 0;
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < t->vehicleCount; i++) sum += (int32_t)v[i].length;
  return sum;
}

void MarkVehicleStarts(TrainRecord* t) {
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < t->positionCount; i++) p[i].vehicleMark &= ~7;
  int64_t quarters = (int64_t)t->positionCount * 4, q = 0;
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < t->vehicleCount && q < quarters; i++) {
    TrainPosition& cell = p[q / 4];
    // At most 7 starts a cell: the high five bits of the mark belong to the cell.
    if ((cell.vehicleMark & 7) < 7) cell.vehicleMark++;
    q += v[i].length / 8;
  }
}

int FindScheduleA(const TrainRecord* t, uint32_t weekdayMask, uint32_t time) {
  for (int i = 0; i < 6; i++)
    if ((t->scheduleATime[i] & 0xFFFFFF) == time && ((t->scheduleATime[i] >> 24) & weekdayMask))
      return i + 1;
  return 0;
}

int FindScheduleB(const TrainRecord* t, uint32_t weekdayMask, uint32_t time) {
  for (int i = 0; i < 6; i++)
    if ((t->scheduleBTime[i] & 0xFFFFFF) == time && ((t->scheduleBTime[i] >> 24) & weekdayMask))
      return i;
  return -1;
}

static TrainRecord* FirstOfLine(uint32_t line) {
  int found;
  TrainRecord* prev = FindTrainSlot(line, 0, &found);
  if (!found) return nullptr;
  return prev ? prev->next : Trains.first;
}

uint32_t LowestFreeSubNumber(uint32_t line) {
  TrainRecord* t = FirstOfLine(line);
  if (!t || t->subNumber > 1) return 1;
  uint32_t last = t->subNumber;
  for (t = t->next; t && t->line == line; t = t->next) {
    if (t->subNumber > last + 1) return last + 1;
    last = t->subNumber;
  }
  return last >= 999 ? 0 : last + 1;
}

uint32_t HighestFreeSubNumber(uint32_t line) {
  TrainRecord* t = FirstOfLine(line);
  if (!t) return 999;
  uint32_t afterGap = t->subNumber, last = t->subNumber;
  for (t = t->next; t && t->line == line; t = t->next) {
    if (t->subNumber > last + 1) afterGap = t->subNumber;
    last = t->subNumber;
  }
  if (last < 999) return 999;
  return afterGap ? afterGap - 1 : 0;
}

int TrainPlacementState(TrainRecord* t) {
  if (t->flags & TRAIN_PARKED) return 1;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < t->positionCount; i++)
    if (p[i].codeUnder == 65535) return 3;
  return 0;
}

uint32_t GetPendingDepotSlot(const TrainRecord* t) {
  return (t->flags & TRAIN_PENDING) ? (uint32_t)t->pendingSlot << 16 | t->pendingDepot : 0;
}
