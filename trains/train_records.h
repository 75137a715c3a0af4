// Train records: the list of all trains sorted by line and sub-number, the state queues (running,
// parked, held, waiting as a difference list, ten round-robin queues), the 256 cell-code buckets
// and the small operations on them (directions, finding a train at a cell, sub-numbers, speeds).
#pragma once
#include <cstdint>
#include "model/grid.h"

// Train flags.
constexpr uint32_t TRAIN_PENDING = 0x1;      // pending depot and slot are valid
constexpr uint32_t TRAIN_PARKED = 0x2;       // in a depot, no cells on the grid
constexpr uint32_t TRAIN_WAITING = 0x4;      // waiting at a stop or TP
constexpr uint32_t TRAIN_HELD = 0x8;         // stands with no further task
constexpr uint32_t TRAIN_RESERVING = 0x10;   // reservation ahead is active
constexpr uint32_t TRAIN_TURNED = 0x20;      // runs turned round
constexpr uint32_t TRAIN_MANUAL = 0x80;      // steered by hand (in no state queue)
constexpr uint32_t TRAIN_HEAD_MARK = 0x100;  // selected with the head mark (not saved)
constexpr uint32_t TRAIN_SELECTED = 0x200;   // fully selected (not saved)
constexpr uint32_t TRAIN_LEAVING1 = 0x400;   // leaving the depot, first phase
constexpr uint32_t TRAIN_JOINING = 0x800;    // joining on contact (in no state queue)
constexpr uint32_t TRAIN_LEAVING = 0x1000;   // leaving the depot (round-robin, no cell code yet)
constexpr uint32_t TRAIN_BLOCKED = 0x2000;   // round-robin after a failed move
constexpr uint32_t TRAIN_SKIP_STOP = 0x4000;
constexpr uint32_t TRAIN_PENDING_FLAGGED = 0x8000;

constexpr int TRAIN_QUEUES_RR = 10;
constexpr int TRAIN_BUCKETS = 256;
constexpr uint16_t TRAIN_CODE_FIRST = 0xBF00;

struct TrainPosition {
  uint32_t x, y;
  int32_t level;
  CellCode* cell;       // the grid word of that cell, refreshed after loading
  uint16_t codeUnder;   // 65535 = entry unused
  uint8_t vehicleMark;  // low 3 bits: vehicles whose front lies here; high 5 bits travel with it
};

struct TrainVehicleEntry {
  uint32_t id;      // bit 30 a vehicle set, bit 31 a user vehicle-graphic file
  uint16_t spare;   // 0 on creation, saved
  uint32_t flags;   // 0x8000 backwards, 0x1 symmetric, 0x2 / 0x4 coupling limits, 0x38, bit 7
  uint32_t length;  // in 1/32 cell
};

// A cell of a train's reserved path (kept in order with the train, never saved).
struct ReservedCell {
  int32_t x, y, level;
};

struct TrainRecord {
  TrainRecord* next;         // list of all trains
  TrainRecord* nextInQueue;  // the state queue the train is in
  int32_t rrQueue;           // 0..9
  TrainRecord* nextInBucket;
  uint16_t cellCode;  // 0xBF00 + k while on the grid
  uint32_t line, secondLine, subNumber;
  int32_t positionCount;  // cells covered; the array has one entry more (the tail leaving)
  int32_t vehicleIndex, vehicleCount;
  uint16_t homeDepot, homeSlot, pendingDepot, pendingSlot;
  uint32_t flags;
  uint32_t type, homeType, category, homeCategory;
  uint32_t tpAttribute5, wayKinds;
  uint32_t scheduleATime[6];
  uint16_t scheduleADepot[6], scheduleASlot[6];
  uint32_t scheduleBTime[6];
  uint16_t scheduleBDepot[6], scheduleBSlot[6];
  int32_t maxSpeed, speed, targetSpeed, limit1, limit2, limit3;
  uint32_t timeStep;
  int32_t accumulator, decrement, acceleration, brake, accelerationStep, brakeStep;
  uint16_t minWait, maxWait;
  int32_t wait;  // waiting queue: relative to the train ahead; joining: join data
  int32_t tpTime;
  int32_t reservedCells, subCellOffset, length;
  int32_t listCount;
  uint16_t* list;  // owned, listCount entries
  int32_t reservationRetries, blockedLimit, blockedCount;
  int32_t dx, dy, dz;
  // The marked cells ahead: reservedCells of them from reservedFirst (owned, not saved).
  ReservedCell* reservedPath;
  int32_t reservedFirst, reservedCapacity;
  // followed by positionCount + 1 TrainPosition entries, then vehicleCount vehicle entries
};

inline TrainPosition* TrainPositions(TrainRecord* t) { return (TrainPosition*)(t + 1); }
inline TrainVehicleEntry* TrainVehicles(TrainRecord* t) {
  return (TrainVehicleEntry*)(TrainPositions(t) + t->positionCount + 1);
}

// The state of all trains.
struct TrainLists {
  TrainRecord* first;  // sorted by line order, then sub-number
  int32_t count;
  TrainRecord* running;
  TrainRecord* parked;
  TrainRecord* held;
  TrainRecord* waiting;  // difference list of waits
  TrainRecord* roundRobin[TRAIN_QUEUES_RR];
  int32_t rrCounter;    // the queue the next entrant takes
  int32_t codeCounter;  // the bucket the next train takes
  TrainRecord* bucket[TRAIN_BUCKETS];
};
extern TrainLists Trains;

// Allocates a zeroed record with room for the positions and vehicles (unused positions have
// code under 65535); null when memory is short. FreeTrainRecord frees it with its list.
TrainRecord* AllocTrainRecord(int positionCount, int vehicleCount);
void FreeTrainRecord(TrainRecord* t);

// Order of two lines in the line table: 11 either unknown, 1 a before b, 0 equal, 2 after. Until
// the line table exists the ids themselves give the order.
extern int (*CompareLineOrderHook)(uint32_t a, uint32_t b);

// The place of (line, subNumber): the train after which a new one goes (null: at the front);
// *found = 1 when the pair exists (sub-number 0: the first train of the line).
TrainRecord* FindTrainSlot(uint32_t line, uint32_t subNumber, int* found);
int InsertTrain(TrainRecord* t);  // 0, 1 the pair exists (nothing inserted)
void RemoveTrain(TrainRecord* t);
void EnqueueTrainByState(TrainRecord* t);
void DequeueTrainByState(TrainRecord* t);
// The waiting queue (difference list) and the running queue.
void InsertWaitingTrain(TrainRecord* t, int32_t wait);
void RemoveWaitingTrain(TrainRecord* t);  // its wait field then holds the absolute wait
void AppendRunningTrain(TrainRecord* t);
// Cell codes: a train neither parked nor leaving takes the next bucket; release ignores codes
// outside 0xBF00..0xBFFF.
void AssignTrainCellCode(TrainRecord* t);
void ReleaseTrainCellCode(TrainRecord* t);

uint32_t DirectionCode(int dx, int dy);
int DirectionDx(uint32_t code);
int DirectionDy(uint32_t code);
uint32_t OppositeDirection(uint32_t code);

TrainRecord* FindTrainAt(int x, int y, int level, int* positionIndex, uint16_t code);
int SetTrainCellCode(int x, int y, int level, uint16_t currentCode, uint16_t newCode);
extern int TrainDrawSuppressed;  // 1: SetTrainCellCode does not redraw

void ComputeTargetSpeed(TrainRecord* t);
int32_t TrainLength(TrainRecord* t);
void MarkVehicleStarts(TrainRecord* t);
int FindScheduleA(const TrainRecord* t, uint32_t weekdayMask, uint32_t time);  // 1-based, 0 none
int FindScheduleB(const TrainRecord* t, uint32_t weekdayMask, uint32_t time);  // 0-based, -1
uint32_t LowestFreeSubNumber(uint32_t line);
uint32_t HighestFreeSubNumber(uint32_t line);
int TrainPlacementState(TrainRecord* t);  // 1 parked, 3 a position unused, else 0
uint32_t GetPendingDepotSlot(const TrainRecord* t);
void SetTrainCount(int count);
TrainRecord* GetFirstTrain();
void SetFirstTrain(TrainRecord* t);
