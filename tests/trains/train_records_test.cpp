// Train records: the sorted list of all trains, the state queues with their invariants, the
// waiting difference list, the round-robin and code counters, finding a train at a cell, the
// sub-number helpers, vehicle starts and the direction codes.
#include <gtest/gtest.h>
#include <vector>
#include "trains/train_records.h"
#include "trains/train_services.h"

namespace {
struct TrainsFixture : ::testing::Test {
  void SetUp() override { ResetTrains(); }
  void TearDown() override { ResetTrains(); }
  TrainRecord* Make(uint32_t line, uint32_t sub, uint32_t flags, int cells = 2, int x = 100,
                    int y = 100) {
    TrainRecord* t = AllocTrainRecord(cells, 1);
    t->line = line;
    t->subNumber = sub;
    t->flags = flags;
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i < cells; i++) {
      p[i].x = (uint32_t)(x - i);
      p[i].y = (uint32_t)y;
      p[i].level = 0;
      p[i].codeUnder = 0x0201;
    }
    return t;
  }
  static int Length(TrainRecord* q) {
    int n = 0;
    for (; q; q = q->nextInQueue) n++;
    return n;
  }
  // Every train is in exactly one queue, by its state.
  static void CheckQueues() {
    int inQueues = Length(Trains.running) + Length(Trains.parked) + Length(Trains.held) +
                   Length(Trains.waiting);
    for (auto* q : Trains.roundRobin) inQueues += Length(q);
    int expected = 0;
    for (TrainRecord* t = Trains.first; t; t = t->next)
      expected += (t->flags & (TRAIN_MANUAL | TRAIN_JOINING)) ? 0 : 1;
    EXPECT_EQ(inQueues, expected);
  }
};
}  // namespace

TEST_F(TrainsFixture, ListSortedByLineThenSubNumberAndPairsUnique) {
  const uint32_t pairs[][2] = {{5, 2}, {3, 9}, {5, 1}, {3, 1}, {7, 4}, {5, 3}};
  for (auto& p : pairs) ASSERT_EQ(InsertTrain(Make(p[0], p[1], TRAIN_PARKED)), 0);
  TrainRecord* dup = Make(5, 2, TRAIN_PARKED);
  EXPECT_EQ(InsertTrain(dup), 1);
  FreeTrainRecord(dup);
  std::vector<std::pair<uint32_t, uint32_t>> seen;
  for (TrainRecord* t = Trains.first; t; t = t->next) seen.push_back({t->line, t->subNumber});
  std::vector<std::pair<uint32_t, uint32_t>> want = {{3, 1}, {3, 9}, {5, 1},
                                                     {5, 2}, {5, 3}, {7, 4}};
  EXPECT_EQ(seen, want);
  EXPECT_EQ(GetTrainCount(), 6);
  CheckQueues();
}

TEST_F(TrainsFixture, QueuesByStateAndRemoval) {
  TrainRecord* parked = Make(1, 1, TRAIN_PARKED);
  TrainRecord* held = Make(1, 2, TRAIN_HELD);
  TrainRecord* running = Make(1, 3, 0);
  TrainRecord* leaving = Make(1, 4, TRAIN_LEAVING);
  TrainRecord* blocked = Make(1, 5, TRAIN_BLOCKED);
  TrainRecord* manual = Make(1, 6, TRAIN_MANUAL);
  TrainRecord* waiting = Make(1, 7, TRAIN_WAITING);
  waiting->wait = 30;
  running->speed = 500;
  for (TrainRecord* t : {parked, held, running, leaving, blocked, manual, waiting})
    ASSERT_EQ(InsertTrain(t), 0);
  EXPECT_EQ(Trains.parked, parked);
  EXPECT_EQ(Trains.held, held);
  EXPECT_EQ(Trains.running, running);
  EXPECT_EQ(running->speed, 0);  // entering the running queue resets the speed
  EXPECT_EQ(Trains.roundRobin[0], leaving);
  EXPECT_EQ(Trains.roundRobin[1], blocked);
  EXPECT_EQ(blocked->rrQueue, 1);
  EXPECT_EQ(Trains.waiting, waiting);
  CheckQueues();
  // Parked and leaving trains get no cell code; the others do.
  EXPECT_EQ(parked->cellCode, 0);
  EXPECT_EQ(leaving->cellCode, 0);
  EXPECT_GE(running->cellCode, 0xBF00);
  blocked->blockedCount = 4;
  RemoveTrain(blocked);
  EXPECT_EQ(blocked->flags & (TRAIN_LEAVING | TRAIN_BLOCKED), 0u);
  EXPECT_EQ(blocked->blockedCount, 0);
  EXPECT_EQ(Trains.roundRobin[1], nullptr);
  RemoveTrain(running);
  EXPECT_EQ(Trains.running, nullptr);
  CheckQueues();
  FreeTrainRecord(blocked);
  FreeTrainRecord(running);
}

TEST_F(TrainsFixture, WaitingQueueKeepsDifferences) {
  TrainRecord* a = Make(1, 1, TRAIN_WAITING);
  TrainRecord* b = Make(1, 2, TRAIN_WAITING);
  TrainRecord* c = Make(1, 3, TRAIN_WAITING);
  TrainRecord* d = Make(1, 4, TRAIN_WAITING);
  InsertWaitingTrain(a, 10);
  InsertWaitingTrain(b, 25);
  InsertWaitingTrain(c, 5);
  InsertWaitingTrain(d, 10);  // equal to a's: behind it
  std::vector<TrainRecord*> order;
  std::vector<int> absolute;
  int sum = 0;
  for (TrainRecord* t = Trains.waiting; t; t = t->nextInQueue) {
    order.push_back(t);
    sum += t->wait;
    absolute.push_back(sum);
  }
  EXPECT_EQ(order, (std::vector<TrainRecord*>{c, a, d, b}));
  EXPECT_EQ(absolute, (std::vector<int>{5, 10, 10, 25}));
  RemoveWaitingTrain(c);  // the first: its wait goes to the second
  EXPECT_EQ(c->wait, 5);
  EXPECT_EQ(Trains.waiting, a);
  EXPECT_EQ(a->wait, 10);
  RemoveWaitingTrain(d);
  EXPECT_EQ(d->wait, 10);
  EXPECT_EQ(b->wait, 15);
  for (TrainRecord* t : {a, b, c, d}) FreeTrainRecord(t);
  Trains.waiting = nullptr;
}

TEST_F(TrainsFixture, CodesRotateAndRepeatAfter256) {
  std::vector<TrainRecord*> all;
  for (int i = 0; i < 257; i++) {
    TrainRecord* t = Make(1, (uint32_t)(i + 1), 0, 1, 1000 + 2 * i, 50);
    ASSERT_EQ(InsertTrain(t), 0);
    all.push_back(t);
  }
  EXPECT_EQ(all[0]->cellCode, 0xBF01);
  EXPECT_EQ(all[254]->cellCode, 0xBFFF);
  EXPECT_EQ(all[255]->cellCode, 0xBF00);
  EXPECT_EQ(all[256]->cellCode, 0xBF01);  // shares the bucket with the first train
  int index = -1;
  EXPECT_EQ(FindTrainAt(1000, 50, 0, &index, 0xBF01), all[0]);
  EXPECT_EQ(FindTrainAt(1000 + 512, 50, 0, &index, 0xBF01), all[256]);
  // A code whose bucket does not hold the train still finds it through all trains.
  EXPECT_EQ(FindTrainAt(1000 + 20, 50, 0, &index, 0xBF77), all[10]);
  EXPECT_EQ(GetTrainCellCode(1000 + 20, 50, 0, 0xC000), 0x0201);
  EXPECT_EQ(GetTrainCellCode(999, 50, 0, 0xC000), 0xC000);
}

// Every cell a train covers is found, however far its tail lies from the head: a train of 205
// cells in a row (diagonally too) is found at each of them, and by the code of its bucket.
TEST_F(TrainsFixture, FindTrainAtReachesTheWholeTrain) {
  TrainRecord* t = Make(1, 1, 0, 205, 500, 500);  // head at 500, tail cells down to 296
  ASSERT_EQ(InsertTrain(t), 0);
  TrainRecord* d = Make(1, 2, 0, 230, 2000, 2000);  // diagonal: the tail 229 cells up and left
  for (int i = 0; i < 230; i++) TrainPositions(d)[i].y = (uint32_t)(2000 - i);
  ASSERT_EQ(InsertTrain(d), 0);
  int index = -1;
  for (int i : {0, 1, 200, 201, 204}) {
    EXPECT_EQ(FindTrainAt(500 - i, 500, 0, &index, 0xC000), t) << i;
    EXPECT_EQ(index, i);
    EXPECT_EQ(FindTrainAt(500 - i, 500, 0, &index, t->cellCode), t) << i;
  }
  for (int i : {0, 199, 200, 201, 229}) {
    EXPECT_EQ(FindTrainAt(2000 - i, 2000 - i, 0, &index, d->cellCode), d) << i;
    EXPECT_EQ(index, i);
    EXPECT_EQ(GetTrainCellCode(2000 - i, 2000 - i, 0, d->cellCode), 0x0201) << i;
  }
  EXPECT_EQ(FindTrainAt(295, 500, 0, &index, 0xC000), nullptr);  // past the tail
  EXPECT_EQ(FindTrainAt(500, 500, -1, &index, 0xC000), nullptr);
  // An unused entry never matches; a parked train is never found.
  TrainPositions(t)[3].codeUnder = 65535;
  EXPECT_EQ(FindTrainAt(497, 500, 0, &index, 0xC000), nullptr);
  EXPECT_EQ(TrainPlacementState(t), 3);
}

TEST_F(TrainsFixture, SubNumberHelpers) {
  EXPECT_EQ(LowestFreeSubNumber(4), 1u);
  EXPECT_EQ(HighestFreeSubNumber(4), 999u);
  for (uint32_t s : {1u, 2u, 3u, 7u}) InsertTrain(Make(4, s, TRAIN_PARKED));
  EXPECT_EQ(LowestFreeSubNumber(4), 4u);
  EXPECT_EQ(HighestFreeSubNumber(4), 999u);
  InsertTrain(Make(4, 999, TRAIN_PARKED));
  EXPECT_EQ(HighestFreeSubNumber(4), 998u);  // one below the last train after a gap
  ResetTrains();
  for (uint32_t s : {2u, 998u, 999u}) InsertTrain(Make(6, s, TRAIN_PARKED));
  EXPECT_EQ(LowestFreeSubNumber(6), 1u);
  EXPECT_EQ(HighestFreeSubNumber(6), 997u);
  ResetTrains();
  for (uint32_t s : {1u, 2u, 999u}) InsertTrain(Make(6, s, TRAIN_PARKED));
  EXPECT_EQ(LowestFreeSubNumber(6), 3u);
  ResetTrains();
  InsertTrain(Make(6, 999, TRAIN_PARKED));
  InsertTrain(Make(6, 1, TRAIN_PARKED));
  EXPECT_EQ(HighestFreeSubNumber(6), 998u);
}

TEST_F(TrainsFixture, VehicleStartsCapAtSevenAndKeepTheCellBits) {
  TrainRecord* t = AllocTrainRecord(3, 10);
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i <= 3; i++) p[i].vehicleMark = 0xF8;  // the high five bits travel with the cell
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < 9; i++) v[i].length = 2;  // 2/32 cell: 0 quarters, all start in cell 0
  v[9].length = 32;
  MarkVehicleStarts(t);
  EXPECT_EQ(p[0].vehicleMark, 0xF8 | 7);  // ten starts, capped at 7
  EXPECT_EQ(p[1].vehicleMark, 0xF8);
  for (int i = 0; i < 10; i++) v[i].length = 16;  // two quarters each
  MarkVehicleStarts(t);
  EXPECT_EQ(p[0].vehicleMark & 7, 2);
  EXPECT_EQ(p[1].vehicleMark & 7, 2);
  EXPECT_EQ(p[2].vehicleMark & 7, 2);
  EXPECT_EQ(p[3].vehicleMark, 0xF8);  // the tail entry is not covered
  EXPECT_EQ(TrainLength(t), 160);
  FreeTrainRecord(t);
}

TEST(TrainDirections, CodesAndSteps) {
  const int steps[8][3] = {{0, -1, 1}, {0, 1, 2},    {-1, 0, 4},  {1, 0, 8},
                           {1, 1, 16}, {-1, -1, 32}, {-1, 1, 64}, {1, -1, 128}};
  for (auto& s : steps) {
    EXPECT_EQ(DirectionCode(s[0], s[1]), (uint32_t)s[2]);
    EXPECT_EQ(DirectionDx((uint32_t)s[2]), s[0]);
    EXPECT_EQ(DirectionDy((uint32_t)s[2]), s[1]);
    EXPECT_EQ(OppositeDirection(OppositeDirection((uint32_t)s[2])), (uint32_t)s[2]);
    EXPECT_EQ(DirectionCode(-s[0], -s[1]), OppositeDirection((uint32_t)s[2]));
  }
  EXPECT_EQ(DirectionCode(0, 0), 0u);
  EXPECT_EQ(DirectionCode(2, 0), 0u);
}

TEST(TrainSchedules, FindEntriesAndTargetSpeed) {
  TrainRecord* t = AllocTrainRecord(1, 0);
  t->scheduleATime[2] = 0x04081E00;  // day 3, 08:30
  t->scheduleBTime[4] = 0x7F081E00;
  EXPECT_EQ(FindScheduleA(t, 0x04, 0x081E00), 3);
  EXPECT_EQ(FindScheduleA(t, 0x02, 0x081E00), 0);
  EXPECT_EQ(FindScheduleB(t, 0x40, 0x081E00), 4);
  EXPECT_EQ(FindScheduleB(t, 0x40, 0x081E01), -1);
  t->maxSpeed = 100, t->limit1 = 0, t->limit2 = 60, t->limit3 = 80;
  ComputeTargetSpeed(t);
  EXPECT_EQ(t->targetSpeed, 60);
  t->flags = TRAIN_PENDING, t->pendingDepot = 7, t->pendingSlot = 3;
  EXPECT_EQ(GetPendingDepotSlot(t), 3u << 16 | 7u);
  FreeTrainRecord(t);
}
