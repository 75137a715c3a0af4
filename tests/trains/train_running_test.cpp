// The train running step: speed changes with the accumulator rebased, quarter-cell steps and the
// 10/7 diagonal pace, the tail giving its cell back for every train length, waits counting down
// once a second, blocked trains retrying from their round-robin queue, the schedules and the
// pending goal, and the clock calling all of it.
#include <gtest/gtest.h>
#include <string>
#include "app/editwnd.h"
#include "trains/headless_run.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "trains/train_running.h"

using namespace headless;

namespace {
struct RunningFixture : ::testing::Test {
  void SetUp() override { ResetNetwork(); }
  void TearDown() override { ResetNetwork(); }
  // A straight way east along row y from x0 to x1.
  static void Straight(int x0, int x1, int y) {
    for (int x = x0; x <= x1; x++) ASSERT_TRUE(SetCell(x, y, 0, TRACK_WE));
  }
  static TrainRecord* TrainAt(int headX, int y, int cells, int32_t maxSpeed = 100000,
                              uint32_t subNumber = 1) {
    TrainSpec s;
    s.subNumber = subNumber;
    for (int i = 0; i < cells; i++) s.cells.push_back({headX - i, y});
    s.maxSpeed = maxSpeed;
    return PlaceTrain(s);
  }
  static int InQueue(TrainRecord* q, TrainRecord* t) {
    for (; q; q = q->nextInQueue)
      if (q == t) return 1;
    return 0;
  }
};
}  // namespace

TEST_F(RunningFixture, SpeedStepsTowardsTheTargetAndTheAccumulatorKeepsItsFraction) {
  struct Case {
    const char* what;
    int32_t start, target, acceleration, brake;
    int32_t expected;
  } cases[] = {
      {"no acceleration: jumps to the target", 0, 50000, 0, 0, 50000},
      {"acceleration step 18/25 of it", 0, 50000, 1000, 0, 720},
      {"capped at the target", 49500, 50000, 1000, 0, 50000},
      {"no brake: drops at once", 50000, 10000, 0, 0, 10000},
      {"brake step", 50000, 10000, 0, 2500, 48200},
      {"not below the target", 10500, 10000, 0, 2500, 10000},
  };
  Straight(100, 140, 50);
  for (const Case& c : cases) {
    ResetTrains();
    ClearGrid();
    Straight(100, 140, 50);
    TrainRecord* t = TrainAt(110, 50, 2, c.target);
    ASSERT_NE(t, nullptr);
    t->acceleration = c.acceleration;
    t->accelerationStep = c.acceleration * 18 / 25;
    t->brake = c.brake;
    t->brakeStep = c.brake * 18 / 25;
    t->speed = c.start;
    t->timeStep = c.start ? DocState.timeBase / (uint32_t)c.start : 0;
    t->accumulator = 1000000;  // far from the next step
    uint32_t oldStep = t->timeStep;
    StepRunningTrains();
    EXPECT_EQ(t->speed, c.expected) << c.what;
    uint32_t newStep = DocState.timeBase / (uint32_t)c.expected;
    EXPECT_EQ(t->timeStep, newStep) << c.what;
    EXPECT_EQ(t->accumulator, 1000000 - (int32_t)oldStep + (int32_t)newStep - 10) << c.what;
  }
}

TEST_F(RunningFixture, QuarterStepsOneWholeCellMoveAndThreePartialOnes) {
  Straight(100, 140, 50);
  TrainRecord* t = TrainAt(110, 50, 3, 100000);  // time step 70: a quarter every 7 ticks
  ASSERT_NE(t, nullptr);
  std::vector<int> moves, offsets;
  for (int tick = 1; tick <= 60; tick++) {
    uint32_t x = TrainPositions(t)[0].x;
    int offset = t->subCellOffset;
    StepRunningTrains();
    if (TrainPositions(t)[0].x != x) moves.push_back(tick);
    if (t->subCellOffset != offset) offsets.push_back(t->subCellOffset);
  }
  // First tick: speed 0 -> 100000, the accumulator is rebased to 70 - 10 and runs down to 0.
  EXPECT_EQ(moves, (std::vector<int>{7, 35}));
  EXPECT_EQ(offsets, (std::vector<int>{24, 16, 8, 0, 24, 16, 8, 0}));
  EXPECT_EQ(t->decrement, 10);
  EXPECT_EQ(CheckTrainCells(90, 40, 150, 60, 0), "");
}

TEST_F(RunningFixture, DiagonalMovesMakeTheNextQuarterStepsTakeTenSeventhsAsLong) {
  for (int i = 0; i < 40; i++) ASSERT_TRUE(SetCell(100 + i, 50 + i, 0, TRACK_NWSE));
  TrainSpec s;
  s.cells = {{105, 55}, {104, 54}};
  s.dx = 1;
  s.dy = 1;
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  std::vector<int> moves;
  for (int tick = 1; tick <= 120; tick++) {
    uint32_t x = TrainPositions(t)[0].x;
    StepRunningTrains();
    if (TrainPositions(t)[0].x != x) moves.push_back(tick);
  }
  EXPECT_EQ(t->decrement, 7);
  // 70 / 7 = 10 ticks a quarter: 40 ticks a diagonal cell against 28 a straight one.
  ASSERT_GE(moves.size(), 3u);
  EXPECT_EQ(moves[2] - moves[1], 40);
  EXPECT_EQ(moves[1] - moves[0], 40);
}

// A train's code stands exactly in the cells of its used entries after every tick, for trains
// shorter and longer than their cells: the tail entry still in use when the positions shift gives
// its cell back (without that, a ghost code stays behind and the track under it is lost).
TEST_F(RunningFixture, NoGhostTrainCodeAndNoTrackLostForAnyTrainLength) {
  const int lengths[] = {8, 24, 40, 56, 64, 88, 96, 97, 120, 200, 320};
  ASSERT_EQ(BuildLoop(200, 200, 230, 215, 0), 0);
  std::vector<Cell> loop = LoopCells(200, 200, 230, 215);
  std::vector<CellCode> track;
  for (const Cell& c : loop) track.push_back(GetCell(c.x, c.y, 0));
  int head = 10;
  uint32_t sub = 1;
  std::vector<TrainRecord*> trains;
  for (int32_t length : lengths) {
    TrainSpec s = TrainOnLoop(loop, head, 3);  // 3 cells: 96 / 32
    s.subNumber = sub++;
    s.length = length;
    s.vehicles = 2;
    s.maxSpeed = 150000 + (int32_t)sub * 10000;  // the faster ones catch up and wait
    trains.push_back(PlaceTrain(s));
    ASSERT_NE(trains.back(), nullptr);
    head += 8;
  }
  std::vector<int> cellsRun(std::size(lengths), 0);
  for (int tick = 0; tick < 3000; tick++) {
    std::vector<uint32_t> heads;
    for (TrainRecord* t : trains) heads.push_back(TrainPositions(t)[0].x << 16 | TrainPositions(t)[0].y);
    AdvanceClock();
    for (size_t i = 0; i < trains.size(); i++)
      cellsRun[i] += heads[i] != (TrainPositions(trains[i])[0].x << 16 | TrainPositions(trains[i])[0].y);
    std::string fault = CheckTrainCells(195, 195, 235, 220, 0);
    ASSERT_EQ(fault, "") << "tick " << tick;
    // No track lost: every cell of the loop shows its track or lies under a train that keeps it.
    for (size_t i = 0; i < loop.size(); i++) {
      CellCode code = GetCell(loop[i].x, loop[i].y, 0);
      if (IsTrainCellCode(code)) code = GetTrainCellCode(loop[i].x, loop[i].y, 0, code);
      ASSERT_EQ(code, track[i]) << "tick " << tick << " cell " << loop[i].x << "," << loop[i].y;
    }
  }
  // Every train went a long way (the cells the check above watched changed all the time).
  for (size_t i = 0; i < trains.size(); i++) EXPECT_GT(cellsRun[i], 60) << "train " << i + 1;
}

TEST_F(RunningFixture, TheTailLeavesWhenTheLengthNoLongerReachesIntoItsCell) {
  // A train of exactly its cells lets the tail go when the head has fully entered its cell; one a
  // quarter shorter a quarter earlier.
  struct Case {
    int32_t length;
    int releaseOffset;  // the head's offset at the step that releases the tail
  } cases[] = {{96, 0}, {88, 8}, {80, 16}, {72, 24}};
  for (const Case& c : cases) {
    ResetTrains();
    ClearGrid();
    Straight(100, 140, 50);
    TrainSpec s;
    s.cells = {{110, 50}, {109, 50}, {108, 50}};
    s.length = c.length;
    TrainRecord* t = PlaceTrain(s);
    ASSERT_NE(t, nullptr);
    int seen = -1;
    for (int tick = 0; tick < 40 && seen < 0; tick++) {
      StepRunningTrains();
      TrainPosition* tail = &TrainPositions(t)[t->positionCount];
      if (TrainPositions(t)[0].x == 111 && tail->codeUnder == 65535) seen = t->subCellOffset;
    }
    EXPECT_EQ(seen, c.releaseOffset) << c.length;
    EXPECT_EQ(GetCell(107, 50, 0), TRACK_WE) << c.length;
  }
}

TEST_F(RunningFixture, WaitsCountDownOncePerSecondAndEqualWaitsLeaveTogether) {
  Straight(100, 160, 50);
  TrainRecord* a = TrainAt(110, 50, 2, 100000, 1);
  TrainRecord* b = TrainAt(130, 50, 2, 100000, 2);
  TrainRecord* c = TrainAt(150, 50, 2, 100000, 3);
  ASSERT_TRUE(a && b && c);
  StartWaiting(a, 3);
  StartWaiting(b, 3);
  StartWaiting(c, 5);
  EXPECT_EQ(Trains.running, nullptr);
  EXPECT_TRUE(a->flags & TRAIN_WAITING);
  std::vector<int> leftA, leftB, leftC;
  for (int step = 1; step <= 7; step++) {
    StepWaitingTrains();
    if (!(a->flags & TRAIN_WAITING) && leftA.empty()) leftA.push_back(step);
    if (!(b->flags & TRAIN_WAITING) && leftB.empty()) leftB.push_back(step);
    if (!(c->flags & TRAIN_WAITING) && leftC.empty()) leftC.push_back(step);
  }
  EXPECT_EQ(leftA, std::vector<int>{4});  // a wait w leaves on the (w + 1)-th step
  EXPECT_EQ(leftB, std::vector<int>{4});
  EXPECT_EQ(leftC, std::vector<int>{6});
  EXPECT_TRUE(InQueue(Trains.running, a) && InQueue(Trains.running, b) &&
              InQueue(Trains.running, c));
  EXPECT_EQ(Trains.waiting, nullptr);
}

TEST_F(RunningFixture, AWaitBelowOneIsDrawnFromTheWaitRange) {
  Straight(100, 160, 50);
  struct Case {
    uint16_t minWait, maxWait;
    int32_t low, high;
  } cases[] = {{5, 9, 5, 9}, {7, 7, 7, 7}, {7, 6, 7, 7}, {7, 2, 7, 7}};
  for (const Case& c : cases) {
    for (int round = 0; round < 20; round++) {
      ResetTrains();
      TrainRecord* t = TrainAt(110, 50, 2);
      t->minWait = c.minWait;
      t->maxWait = c.maxWait;
      StartWaiting(t, 0);
      EXPECT_GE(t->wait, c.low) << c.minWait << ".." << c.maxWait;
      EXPECT_LE(t->wait, c.high) << c.minWait << ".." << c.maxWait;
    }
  }
}

TEST_F(RunningFixture, ABlockedTrainRetriesFromItsRoundRobinQueueUntilTheWayIsFree) {
  Straight(100, 112, 50);  // the way ends after x = 112
  TrainRecord* t = TrainAt(111, 50, 2);
  t->blockedLimit = 5;
  for (int tick = 0; tick < 200 && !(t->flags & TRAIN_BLOCKED); tick++) StepRunningTrains();
  ASSERT_TRUE(t->flags & TRAIN_BLOCKED);
  EXPECT_EQ(TrainPositions(t)[0].x, 112u);
  EXPECT_FALSE(InQueue(Trains.running, t));
  EXPECT_TRUE(InQueue(Trains.roundRobin[t->rrQueue], t));
  EXPECT_EQ(t->speed, 0);
  EXPECT_EQ(t->blockedCount, 0);
  for (int retry = 1; retry <= 6; retry++) {
    StepTrainQueue(t->rrQueue);
    EXPECT_EQ(t->blockedCount, retry);
  }
  EXPECT_EQ(CheckTrainCells(90, 40, 150, 60, 0), "");
  // The way goes on: the next retry moves the train and it runs again from the running queue.
  Straight(113, 120, 50);
  StepTrainQueue(t->rrQueue);
  EXPECT_FALSE(t->flags & TRAIN_BLOCKED);
  EXPECT_EQ(t->blockedCount, 0);
  EXPECT_EQ(Trains.running, t);
  EXPECT_EQ(TrainPositions(t)[0].x, 113u);
  EXPECT_EQ(CheckTrainCells(90, 40, 150, 60, 0), "");
}

TEST_F(RunningFixture, ScheduleAGivesAPendingGoalAtSecondZeroOnly) {
  Straight(100, 400, 50);
  TrainRecord* due = TrainAt(110, 50, 2, 100000, 1);
  TrainRecord* seconds = TrainAt(130, 50, 2, 100000, 2);
  TrainRecord* pending = TrainAt(150, 50, 2, 100000, 3);
  TrainRecord* held = TrainAt(170, 50, 2, 100000, 4);
  ASSERT_TRUE(due && seconds && pending && held);
  // Day 1 at 00:01:00 (entry 2 of each), one entry with 30 seconds.
  for (TrainRecord* t : {due, seconds, pending, held}) {
    t->scheduleATime[1] = 1u << 24 | 0 << 16 | 1 << 8;
    t->scheduleADepot[1] = 7;
    t->scheduleASlot[1] = 0x8000 | 3;
  }
  seconds->scheduleATime[1] |= 30;
  pending->flags |= TRAIN_PENDING;
  pending->pendingDepot = 9;
  DequeueTrainByState(held);
  held->flags |= TRAIN_HELD;
  EnqueueTrainByState(held);
  AdvanceTicks(50 * 61);
  EXPECT_EQ(due->flags & (TRAIN_PENDING | TRAIN_PENDING_FLAGGED),
            TRAIN_PENDING | TRAIN_PENDING_FLAGGED);
  EXPECT_EQ(due->pendingDepot, 7);
  EXPECT_EQ(due->pendingSlot, 3);
  EXPECT_FALSE(seconds->flags & TRAIN_PENDING);
  EXPECT_EQ(pending->pendingDepot, 9);  // a pending goal is not replaced
  EXPECT_EQ(held->pendingDepot, 7);     // a held train runs again towards its new goal
  EXPECT_FALSE(held->flags & TRAIN_HELD);
  EXPECT_EQ(Trains.held, nullptr);
  EXPECT_TRUE(InQueue(Trains.running, held));
  EXPECT_EQ(ClearPendingChange(due), 0);
  EXPECT_FALSE(due->flags & (TRAIN_PENDING | TRAIN_PENDING_FLAGGED));
  EXPECT_EQ(ClearPendingChange(due), 1);
  // The home depot as goal; a depot of 0 changes nothing.
  due->homeDepot = 4;
  due->homeSlot = 2;
  SetPendingChange(due, 0, 0);
  EXPECT_EQ(due->flags & (TRAIN_PENDING | TRAIN_PENDING_FLAGGED), TRAIN_PENDING);
  EXPECT_EQ(due->pendingDepot, 4);
  SetPendingChange(due, 3, 0);  // entry 3 is empty
  EXPECT_EQ(due->pendingDepot, 4);
}

TEST_F(RunningFixture, AParkedTrainWithoutItsDepotSlotStaysParked) {
  TrainRecord* t = AllocTrainRecord(2, 1);
  t->flags = TRAIN_PARKED;
  t->homeDepot = 3;
  t->homeSlot = 1;
  t->scheduleBTime[0] = 1u << 24 | 0 << 16 | 1 << 8;
  t->scheduleBDepot[0] = 3;
  t->scheduleBSlot[0] = 1;
  ASSERT_EQ(InsertTrain(t), 0);
  EXPECT_EQ(StartTrainFromDepot(t, 0, 0, 0), 1);
  EXPECT_EQ(StartTrainFromDepot(t, -1, 0, 0), 1);
  AdvanceTicks(50 * 61);
  EXPECT_EQ(t->flags, TRAIN_PARKED);
  EXPECT_EQ(Trains.parked, t);
}

TEST_F(RunningFixture, TheClockRunsTheTrains) {
  Straight(100, 400, 50);
  TrainRecord* t = TrainAt(110, 50, 2);
  AdvanceTicks(50);
  // 28 ticks a cell at speed 100000 (time step 70, decrement 10): the first move at tick 7.
  EXPECT_EQ(TrainPositions(t)[0].x, 112u);
  EXPECT_EQ(CheckTrainCells(90, 40, 410, 60, 0), "");
}

// The running step only asks for following: the followed window moves in the idle step
// (FollowSelectedTrain), never inside the step, and trains that are not selected ask nothing.
TEST_F(RunningFixture, ASelectedTrainsMovesAskTheIdleStepToFollow) {
  Straight(100, 140, 50);
  Straight(100, 140, 60);
  TrainRecord* t = TrainAt(110, 50, 3, 100000, 1);
  TrainRecord* other = TrainAt(110, 60, 3, 200000, 2);  // moves first
  ASSERT_NE(t, nullptr);
  ASSERT_NE(other, nullptr);
  ResetEditWindows();
  EditViewSlot* s = GetEditSlot(0);
  s->window = (void*)1;
  s->viewMode = VIEW_SYMBOLS;
  s->zoom = 1;
  s->cellsWide = 20, s->cellsHigh = 20;
  s->originX = 2000, s->originY = 2000;
  s->farX = 2020, s->farY = 2020;
  ASSERT_EQ(SelectAndFollowTrain(1, 1, 1, 0, 0), 0);
  ASSERT_EQ(FollowSelectedTrain(), 1);  // the window jumps to the train once
  ASSERT_EQ(IsFollowUpdateRequested(), 0);
  int originX = s->originX;
  int moved = 0;
  int otherMoved = 0;
  for (int tick = 1; tick <= 60 && !moved; tick++) {
    uint32_t x = TrainPositions(t)[0].x, ox = TrainPositions(other)[0].x;
    StepRunningTrains();
    if (TrainPositions(t)[0].x != x) moved = tick;
    if (TrainPositions(other)[0].x != ox) otherMoved = 1;
    if (!moved) EXPECT_EQ(IsFollowUpdateRequested(), 0) << tick;
  }
  ASSERT_GT(moved, 0);
  EXPECT_EQ(otherMoved, 1);
  EXPECT_EQ(IsFollowUpdateRequested(), 1);
  EXPECT_EQ(s->originX, originX);  // the step itself leaves the window alone
  EXPECT_EQ(s->cursorX, 110);
  EXPECT_EQ(TrainPositions(t)[0].x, 111u);
  FollowSelectedTrain();
  EXPECT_EQ(IsFollowUpdateRequested(), 0);
  EXPECT_EQ(s->cursorX, 110);  // inside the view without smooth scrolling: no jump
  ResetEditWindows();
}
