// The train operations other components call: their result codes, creating a train from the start
// train's template (parked on its home slot, or at x -1 without one), starting parked trains,
// removing a train from the grid, the queries and counts, selection, the followed train's status
// text, the letters, the bulk maintenance, and the guard that keeps commands away from the trains
// while a simulation step waits in a modal question.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "../resources/menus.h"
#include "app/commands.h"
#include "app/dialog_test_util.h"
#include "app/editwnd.h"
#include "app/input.h"
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "graphics/graphics_test_util.h"
#include "graphics/vehicles.h"
#include "trains/headless_run.h"
#include "trains/train_draw.h"
#include "trains/train_ops.h"
#include "trains/train_running.h"

using namespace headless;

namespace {
struct OpsFixture : ::testing::Test {
  // Depot 1 with slot 1 at (60, 40) leaving east on the track and slot 2 at (60, 44) on no track.
  void SetUp() override {
    ResetNetwork();
    InitDepots();
    DepotRecord d = {};
    d.id = 1;
    CopyString(d.name, u"Yard");
    CopyString(d.shortName, u"Y");
    const DepotSlot slots[2] = {{60, 40, 0, 1, 0, 8, 0, 0}, {60, 44, 0, 2, 0, 8, 0, 0}};
    for (const DepotSlot& s : slots) ASSERT_EQ(AddDepotSlot(&d, &s), 0);
    for (int x = 40; x <= 80; x++) SetCell(x, 40, 0, TRACK_WE);
  }
  void TearDown() override {
    ResetNetwork();
    FreeDepots();
  }
  // A running train of `cells` cells heading east with its head at (headX, y).
  static TrainRecord* Running(uint32_t line, uint32_t sub, int headX, int y, int cells = 2,
                              int vehicles = 1) {
    TrainSpec s;
    s.line = line;
    s.subNumber = sub;
    s.vehicles = vehicles;
    for (int i = 0; i < cells; i++) s.cells.push_back({headX - i, y});
    return PlaceTrain(s);
  }
  // A parked train made by CreateTrain (two vehicles of 32 units) with the home depot and slot.
  static TrainRecord* Parked(uint32_t line, uint32_t sub, uint16_t depot = 1, uint16_t slot = 1) {
    TrainRecord h = {};
    h.line = h.secondLine = line;
    h.subNumber = sub;
    h.vehicleCount = 2;
    h.homeDepot = depot;
    h.homeSlot = slot;
    h.maxSpeed = 60000;
    h.wayKinds = 1;
    const uint32_t pairs[4] = {0x110, 0x10, 0x111, 0};
    if (CreateTrain(pairs, &h, -1, 0, 0, nullptr) != 0) return nullptr;
    return GetTrainByIndex(FindTrainIndex((int)line, (int)sub));
  }
  static int InQueue(TrainRecord* q, TrainRecord* t) {
    for (; q; q = q->nextInQueue)
      if (q == t) return 1;
    return 0;
  }
};
}  // namespace

// Every operation's refusals and successes, each on a fresh set of trains.
TEST_F(OpsFixture, ResultCodesOfTheOperations) {
  struct Case {
    const char* what;
    int (*op)();
    int expected;
  } cases[] = {
      {"delete parked: none", [] { return DeleteParkedTrains(9, 0); }, 1},
      {"delete parked: one running stays", [] { return DeleteParkedTrains(1, 0); }, 2},
      {"delete parked: the parked one", [] { return DeleteParkedTrains(2, 1); }, 0},
      {"send home: none", [] { return SendTrainsHome(9, 1, 0); }, 1},
      {"send home: parked", [] { return SendTrainsHome(2, 1, 0); }, 2},
      {"send home: no home depot", [] { return SendTrainsHome(1, 1, 0); }, 4},
      {"send home: by hand", [] {
         GetTrainByIndex(FindTrainIndex(1, 2))->homeDepot = 1;
         TakeTrainByHand(1, 2);
         return SendTrainsHome(1, 2, 0);
       }, 5},
      {"send home: sent, then pending", [] {
         GetTrainByIndex(FindTrainIndex(1, 1))->homeDepot = 1;
         int first = SendTrainsHome(1, 1, 0);
         return first * 10 + SendTrainsHome(1, 1, 0);
       }, 3},
      {"send home: every train", [] { return SendTrainsHome(0, 0, 0); }, 0},
      {"clear pending: sub-number 0", [] { return ClearTrainPending(1, 0); }, 1},
      {"clear pending: none pending", [] { return ClearTrainPending(1, 1); }, 2},
      {"clear pending: cleared", [] {
         GetTrainByIndex(FindTrainIndex(1, 1))->homeDepot = 1;
         SendTrainsHome(1, 1, 0);
         return ClearTrainPending(1, 1);
       }, 0},
      {"start: none", [] { return StartTrainsFromDepot(9, 0, 0); }, 1},
      {"start: not parked", [] { return StartTrainsFromDepot(1, 1, 0); }, 2},
      {"start: by hand", [] {
         TakeTrainByHand(2, 1);
         return StartTrainsFromDepot(2, 1, 0);
       }, 3},
      {"start: started", [] { return StartTrainsFromDepot(2, 1, 0); }, 0},
      {"remove: none", [] { return RemoveTrainFromGrid(9, 1); }, 0},
      {"remove: done", [] { return RemoveTrainFromGrid(1, 2); }, 1},
      {"release held: none", [] { return ReleaseHeldTrain(9, 1); }, 1},
      {"release held: running", [] { return ReleaseHeldTrain(1, 1); }, 2},
      {"turn: parked", [] { return TurnTrainAround(2, 1); }, 0},
      {"turn: done", [] { return TurnTrainAround(1, 1); }, 1},
      {"by hand: twice", [] { return TakeTrainByHand(1, 1) * 10 + TakeTrainByHand(1, 1); }, 2},
      {"end hand control: not by hand", [] { return EndHandControl(1, 1); }, 2},
      {"join: none", [] { return SetJoinOnContact(9, 1); }, 1},
      {"join: parked", [] { return SetJoinOnContact(2, 1); }, 2},
      {"join: set, then again", [] { return SetJoinOnContact(1, 1) * 10 + SetJoinOnContact(1, 1); },
       2},
      {"split: none", [] { return SplitTrainByHand(9, 1, 1, 9, 2, 0); }, 1},
      {"split: one vehicle", [] { return SplitTrainByHand(1, 1, 1, 1, 5, 0); }, 4},
      {"split: may not be split", [] {
         GetTrainByIndex(FindTrainIndex(1, 3))->tpAttribute5 = 0x4;
         return SplitTrainByHand(1, 3, 1, 1, 5, 0);
       }, 5},
      {"split: index beyond", [] { return SplitTrainByHand(1, 3, 3, 1, 5, 0); }, 6},
      {"placement: none", [] { return TrainPlacementStateOf(9, 1); }, 11},
      {"placement: parked", [] { return TrainPlacementStateOf(2, 1); }, 1},
      {"index: first of the line", [] { return FindTrainIndex(1, 0); }, 0},
      {"index: the parked train", [] { return FindTrainIndex(2, 1); }, 3},
      {"index: none", [] { return FindTrainIndex(9, 0); }, -1},
      {"index at cell: parked trains are not found", [] { return FindTrainIndexAtCell(60, 40, 0); },
       -1},
      {"index at cell: the body", [] { return FindTrainIndexAtCell(48, 40, 0); }, 1},
  };
  for (const Case& c : cases) {
    ResetTrains();
    for (int x = 40; x <= 80; x++) SetCell(x, 40, 0, TRACK_WE);
    ASSERT_NE(Running(1, 1, 45, 40), nullptr);
    ASSERT_NE(Running(1, 2, 49, 40), nullptr);
    ASSERT_NE(Running(1, 3, 55, 40, 3, 3), nullptr);
    ASSERT_NE(Parked(2, 1), nullptr);
    ClearNetModified();
    EXPECT_EQ(c.op(), c.expected) << c.what;
  }
}

// The changes mark the network modified and leave the queues consistent.
TEST_F(OpsFixture, StateChangesMoveTrainsBetweenQueues) {
  TrainRecord* t = Running(1, 1, 45, 40);
  ASSERT_NE(t, nullptr);
  ClearNetModified();
  ASSERT_EQ(TakeTrainByHand(1, 1), 0);
  EXPECT_TRUE(t->flags & TRAIN_MANUAL);
  EXPECT_FALSE(InQueue(Trains.running, t));
  EXPECT_TRUE(IsNetModified());
  ASSERT_EQ(EndHandControl(1, 1), 0);
  EXPECT_TRUE(InQueue(Trains.running, t));
  // a held train runs again and its hold ends; a waiting train leaves the waiting queue
  DequeueTrainByState(t);
  t->flags |= TRAIN_HELD;
  EnqueueTrainByState(t);
  ASSERT_EQ(ReleaseHeldTrain(1, 1), 0);
  EXPECT_FALSE(t->flags & TRAIN_HELD);
  EXPECT_TRUE(InQueue(Trains.running, t));
  StartWaiting(t, 30);
  ASSERT_TRUE(InQueue(Trains.waiting, t));
  ASSERT_EQ(ReleaseHeldTrain(1, 1), 0);
  EXPECT_FALSE(InQueue(Trains.waiting, t));
  EXPECT_TRUE(InQueue(Trains.running, t));
  // joining on contact: out of every queue
  ASSERT_EQ(SetJoinOnContact(1, 1), 0);
  EXPECT_TRUE(t->flags & TRAIN_JOINING);
  EXPECT_FALSE(InQueue(Trains.running, t));
  // turned round: speed and time step 0, head where the tail was
  t->flags &= ~TRAIN_JOINING;
  EnqueueTrainByState(t);
  t->speed = 30000;
  ASSERT_EQ(TurnTrainAround(1, 1), 1);
  EXPECT_EQ(t->speed, 0);
  EXPECT_EQ(t->dx, -1);
  EXPECT_EQ(TrainPositions(t)[0].x, 44u);
}

// A line with two parked trains of which one cannot be placed: 4, and the other one starts.
TEST_F(OpsFixture, StartingTwoParkedTrainsOfWhichOneCannotBePlaced) {
  TrainRecord* ok = Parked(3, 1, 1, 1);
  TrainRecord* noTrack = Parked(3, 2, 1, 2);
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(noTrack, nullptr);
  ClearNetModified();
  EXPECT_EQ(StartTrainsFromDepot(3, 0, 0), 4);
  EXPECT_EQ(ok->flags & (TRAIN_PARKED | TRAIN_LEAVING), TRAIN_LEAVING);
  EXPECT_EQ(TrainPositions(ok)[0].x, 60u);
  EXPECT_TRUE(noTrack->flags & TRAIN_PARKED);
  EXPECT_TRUE(InQueue(Trains.parked, noTrack));
  EXPECT_TRUE(IsNetModified());
  // both started alone: the first leaves, the second is refused
  EXPECT_EQ(StartTrainsFromDepot(3, 2, 0), 4);
  EXPECT_EQ(StartTrainsFromDepot(3, 1, 0), 2);
}

// The start train: its vehicles from the default sets, parked on its home slot; without the slot
// it stays at x -1 and cannot start. The template's values, lengths and initial state.
TEST_F(OpsFixture, CreateTrainFromTheStartTemplate) {
  StreamExit();
  ASSERT_EQ(StreamInit(), 0);
  UseProgramFolder(DataDir());
  ASSERT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
  ASSERT_EQ(LoadVehicleGraphicSet(645120, 0), 0);
  TrainRecord h;
  MakeStartTrainHeader(&h, 7, 1);
  const uint16_t list[3] = {5, 6, 7};
  h.listCount = 3;
  ClearNetModified();
  ASSERT_EQ(CreateTrain(StartTrainVehicles, &h, -1, 0, 0, list), 0);
  EXPECT_TRUE(IsNetModified());
  EXPECT_EQ(CreateTrain(StartTrainVehicles, &h, -1, 0, 0, list), 1);  // the pair exists
  EXPECT_EQ(GetTrainCount(), 1);
  TrainRecord* t = GetTrainByIndex(FindTrainIndex(7, 1));
  ASSERT_NE(t, nullptr);
  int64_t sum = 0;
  for (int i = 0; i < START_TRAIN_VEHICLES; i++) {
    uint32_t width = GetVehicleGraphicWidth(StartTrainVehicles[2 * i]);
    EXPECT_GT(width, 0u) << i;
    EXPECT_EQ(TrainVehicles(t)[i].length, width);
    EXPECT_EQ(TrainVehicles(t)[i].flags, StartTrainVehicles[2 * i + 1]);
    sum += width;
  }
  // the engine leads: its graphic may lead
  EXPECT_TRUE(GetVehicleGraphicParam(StartTrainVehicles[0]) & VG_LEADS);
  EXPECT_EQ(t->length, sum);
  EXPECT_EQ(t->positionCount, (int)((sum + 31) / 32));
  EXPECT_EQ(t->flags, TRAIN_PARKED);
  EXPECT_TRUE(InQueue(Trains.parked, t));
  EXPECT_EQ(TrainPositions(t)[0].x, 60u);
  EXPECT_EQ(TrainPositions(t)[0].y, 40u);
  EXPECT_EQ(TrainPositions(t)[0].codeUnder, 65535);
  EXPECT_EQ(t->accumulator, 1);
  EXPECT_EQ(t->decrement, 10);
  EXPECT_EQ(t->tpTime, -1);
  EXPECT_EQ(t->timeStep, 1u);
  EXPECT_EQ(t->accelerationStep, h.acceleration * 18 / 25);
  EXPECT_EQ(t->brakeStep, h.brake * 18 / 25);
  EXPECT_EQ(t->targetSpeed, h.maxSpeed);
  ASSERT_EQ(t->listCount, 3);
  EXPECT_EQ(t->list[2], 7);
  EXPECT_NE(t->list, list);
  // started from the slot under its head, it leaves east
  EXPECT_EQ(StartTrainsFromDepot(7, 1, 0), 0);
  EXPECT_EQ(t->dx, 1);
  // without a slot entry 0 stays at x -1 and a start refuses the train
  MakeStartTrainHeader(&h, 7, 5);
  h.subNumber = 2;
  ASSERT_EQ(CreateTrain(StartTrainVehicles, &h, -1, 0, 0, nullptr), 0);
  TrainRecord* lost = GetTrainByIndex(FindTrainIndex(7, 2));
  ASSERT_NE(lost, nullptr);
  EXPECT_EQ(TrainPositions(lost)[0].x, 0xFFFFFFFFu);
  EXPECT_EQ(StartTrainFromDepot(lost, -1, 0, 0), 1);
  EXPECT_TRUE(lost->flags & TRAIN_PARKED);
  FreeVehicleGraphicLibrary();
}

// Only used entries give their code back: an unused entry (65535) never reaches the grid.
TEST_F(OpsFixture, RemovingATrainGivesBackOnlyItsUsedCells) {
  TrainRecord* t = Running(1, 1, 50, 40, 4);
  ASSERT_NE(t, nullptr);
  TrainPosition* p = TrainPositions(t);
  // the third cell is not held (as while leaving a depot); its grid code stays the track
  *p[2].cell = TRACK_WE;
  p[2].codeUnder = 65535;
  p[4] = p[3];  // the tail entry, unused, on the last cell's place
  p[4].x = 46;
  p[4].codeUnder = 65535;
  SetCell(46, 40, 0, TRACK_NS);
  ClearNetModified();
  ASSERT_EQ(RemoveTrainFromGrid(1, 1), 1);
  EXPECT_EQ(GetTrainCount(), 0);
  EXPECT_TRUE(IsNetModified());
  for (int x = 40; x <= 80; x++) EXPECT_EQ(GetCell(x, 40, 0), x == 46 ? TRACK_NS : TRACK_WE) << x;
  EXPECT_EQ(RemoveTrainFromGrid(1, 1), 0);
}

// Queries: sub-numbers, counts by state, by line, by depot slot, vehicles, trains in a box.
TEST_F(OpsFixture, QueriesAndCounts) {
  TrainRecord* a = Running(1, 1, 45, 40);
  TrainRecord* b = Running(1, 2, 49, 40);
  TrainRecord* c = Running(1, 4, 55, 40, 3, 3);
  TrainRecord* p = Parked(2, 1);
  ASSERT_TRUE(a && b && c && p);
  EXPECT_EQ(NextFreeSubNumber(1), 3u);
  EXPECT_EQ(NextFreeSubNumber(5), 1u);
  EXPECT_EQ(LastSubNumber(1), 4u);
  EXPECT_EQ(LastSubNumber(5), 0u);
  // by state: each train once, in the first state that applies
  b->flags |= TRAIN_MANUAL | TRAIN_WAITING;
  c->flags |= TRAIN_BLOCKED;
  int hand = -1, joining = -1, waiting = -1, blocked = -1, held = -1;
  EXPECT_EQ(TrainStatistics(&hand, &joining, &waiting, &blocked, &held), 1);
  EXPECT_EQ(hand, 1);
  EXPECT_EQ(waiting, 0);
  EXPECT_EQ(blocked, 1);
  EXPECT_EQ(joining + held, 0);
  b->flags &= ~(TRAIN_MANUAL | TRAIN_WAITING);
  c->flags &= ~TRAIN_BLOCKED;
  // by line: a runs as line 2, p is parked as line 2
  a->secondLine = 2;
  b->secondLine = 3;
  int all, parked, asOther, arriving;
  EXPECT_EQ(CountTrainsOfLine(2, &all, &parked, &asOther, &arriving), 1);
  EXPECT_EQ(parked, 1);
  EXPECT_EQ(asOther, 0);
  EXPECT_EQ(arriving, 1);
  c->secondLine = 1;
  EXPECT_EQ(CountTrainsOfLine(1, &all, &parked, &asOther, &arriving), 3);
  EXPECT_EQ(asOther, 2);
  // by depot slot
  a->homeDepot = 1, a->homeSlot = 2;
  b->flags |= TRAIN_PENDING, b->pendingDepot = 1, b->pendingSlot = 1;
  c->scheduleATime[3] = 0x02000000u | 0x0800;
  c->scheduleADepot[3] = 1, c->scheduleASlot[3] = 0x8001;
  c->scheduleBTime[0] = 0x01000000u | 0x0900;
  c->scheduleBDepot[0] = 1, c->scheduleBSlot[0] = 1;
  int pending, schedB, schedA, onCell;
  EXPECT_EQ(CountTrainsForDepotSlot(1, 1, 60, 40, 0, 0x2, &pending, &schedB, &schedA, &onCell), 1);
  EXPECT_EQ(pending, 1);
  EXPECT_EQ(schedA, 1);  // the marked entry counts, bit 15 aside
  EXPECT_EQ(schedB, 0);  // not on that weekday
  EXPECT_EQ(onCell, 1);
  EXPECT_EQ(CountTrainsForDepotSlot(1, 0, 0, 0, 0, 0x7F, nullptr, &schedB, nullptr, nullptr), 2);
  EXPECT_EQ(schedB, 1);
  // vehicles: a group entry (flag bit 7) does not count as its id
  TrainVehicles(c)[0].id = 0x110;
  TrainVehicles(c)[1].id = 0x110;
  TrainVehicles(c)[1].flags |= 0x80;
  EXPECT_EQ(CountVehicleInTrains(0x110), 2);  // c's first and p's first
  TrainVehicles(c)[1].length = 0x40000000u | 0x220;
  EXPECT_EQ(CountVehicleInTrains(0x40000000u | 0x220), 1);
  // box: c (55..53) wholly inside, b crossing the edge
  EXPECT_EQ(TrainsInRect(50, 40, 0, 60, 40, 0, 0), 1);
  EXPECT_EQ(TrainsInRect(49, 40, 0, 60, 40, 0, 0), 2);
  EXPECT_EQ(TrainsInRect(59, 39, 0, 61, 41, 0, 0), 0);
  EXPECT_EQ(TrainsInRect(59, 39, 0, 61, 41, 0, 1), 1);  // the parked train's slot cell
}

// The vehicles reported from the front, or from the back for a train whose first vehicle may not
// lead; a group entry as its set id.
TEST_F(OpsFixture, TrainInfoReportsTheVehiclesFromTheLeadingEnd) {
  TrainRecord* t = Running(1, 1, 50, 40, 3, 3);
  ASSERT_NE(t, nullptr);
  TrainVehicleEntry* v = TrainVehicles(t);
  v[0] = {0x110, 0, 0x0, 32};
  v[1] = {0x111, 0, 0x1, 32};
  v[2] = {0x112, 0, 0x80, 0x40000000u | 0x330};
  uint32_t pairs[6] = {};
  int x = 0, y = 0, level = 1;
  uint32_t dir = 0;
  TrainRecord header;
  ASSERT_EQ(GetTrainInfoByIndex(0, &x, &y, 0, 3, &header, pairs, &dir, &level), 0);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 40);
  EXPECT_EQ(level, 0);
  EXPECT_EQ(dir, 8u);
  EXPECT_EQ(header.subNumber, 1u);
  const uint32_t back[6] = {0x40000330u, 0x8080, 0x111, 0x1, 0x110, 0x8000};
  for (int i = 0; i < 6; i++) EXPECT_EQ(pairs[i], back[i]) << i;
  v[0].flags = 0x10;  // may lead: reported from the front
  ASSERT_EQ(GetTrainInfoByIndex(0, nullptr, nullptr, 0, 2, nullptr, pairs, nullptr, nullptr), 0);
  EXPECT_EQ(pairs[0], 0x110u);
  EXPECT_EQ(pairs[1], 0x10u);
  EXPECT_EQ(GetTrainInfoByIndex(1, &x, &y, 0, 3, nullptr, pairs, nullptr, nullptr), 1);
}

// Selection: a closed window 3, a missing train 1, a parked train selected with 2; the full mark
// releases the reservation and carries both marks.
TEST_F(OpsFixture, SelectionAndFollowMode) {
  ResetEditWindows();
  TrainRecord* t = Running(1, 1, 45, 40);
  TrainRecord* p = Parked(2, 1);
  ASSERT_TRUE(t && p);
  EXPECT_EQ(SelectAndFollowTrain(1, 1, 0, 2, 0), 3);
  EXPECT_EQ(SelectAndFollowTrain(1, 1, 0, 6, 0), 3);
  GetEditSlot(2)->window = (void*)1;
  EXPECT_EQ(SelectAndFollowTrain(1, 9, 0, 2, 0), 1);
  EXPECT_EQ(GetSelectedTrain(), nullptr);
  EXPECT_EQ(SelectAndFollowTrain(2, 1, 0, 2, 0), 2);
  EXPECT_EQ(GetSelectedTrain(), p);
  EXPECT_EQ(GetFollowMode(), 1);
  EXPECT_EQ(EditViews.followed, 2);
  int sub = 0;
  EXPECT_EQ(GetSelectedTrainLine(&sub), 2);
  EXPECT_EQ(sub, 1);
  ASSERT_EQ(ReserveAhead(t, 0), 1);
  ASSERT_TRUE(t->flags & TRAIN_RESERVING);
  TrainStraightMoves = 5;
  EXPECT_EQ(SelectAndFollowTrain(1, 1, 1, 2, 1), 0);
  EXPECT_FALSE(p->flags & (TRAIN_HEAD_MARK | TRAIN_SELECTED));  // the old selection is cleared
  EXPECT_EQ(t->flags & (TRAIN_HEAD_MARK | TRAIN_SELECTED), TRAIN_HEAD_MARK | TRAIN_SELECTED);
  EXPECT_FALSE(t->flags & TRAIN_RESERVING);
  EXPECT_EQ(GetCell(46, 40, 0) & 0x4000, 0);
  EXPECT_EQ(TrainStraightMoves, 0);
  EXPECT_EQ(GetSelectedTrainMark(), 2);
  SetSelectedTrainMark(1);
  EXPECT_EQ(t->flags & (TRAIN_HEAD_MARK | TRAIN_SELECTED), TRAIN_HEAD_MARK);
  EditViews.active = 2;
  EXPECT_EQ(SelectAndFollowTrain(1, 1, 0, -1, 0), 0);  // -1: the current window
  ResetEditWindows();
}

// The status text: speed with its thousandths, a whole target speed alone, the distance; cut to
// any buffer without writing past it.
TEST_F(OpsFixture, StatusTextOfTheFollowedTrain) {
  REQUIRE_LANGUAGE();
  ResetEditWindows();
  GetEditSlot(0)->window = (void*)1;
  TrainRecord* t = Running(1, 4, 45, 40);
  ASSERT_NE(t, nullptr);
  char16_t buffer[300];
  FormatTrainStatus(buffer, 300);
  EXPECT_EQ(buffer[0], 0);  // nothing followed
  ASSERT_EQ(SelectAndFollowTrain(1, 4, 0, 0, 1), 0);
  t->speed = 45500;
  t->targetSpeed = 80000;
  t->category = 2;
  t->type = 5;
  t->secondLine = 3;
  TrainStraightMoves = 64;  // 64 cells at the default scale of 64 cells a kilometre
  TrainDiagonalMoves = 0;
  FormatTrainStatus(buffer, 300);
  auto text = [](uint32_t id) { return std::u16string(GetLangText(id)); };
  std::u16string expected = text(16000) + u" " + text(16002) + u" ?/4. " + text(16006) + u" ? " +
                            text(16007) + u"=" + text(19616)[0] + text(19604)[0] + u" " +
                            text(16003) + u"=" + text(19011)[0] + u"  " + text(16004) +
                            u"=45.500 " + text(16005) + u"=80 " + text(16008) + u"=1.000" +
                            text(16009);
  EXPECT_EQ(std::u16string(buffer), expected);
  t->targetSpeed = 80250;
  FormatTrainStatus(buffer, 300);
  EXPECT_NE(std::u16string(buffer).find(text(16005) + u"=80.250 "), std::u16string::npos);
  // a small buffer: cut, ended, nothing written behind it
  for (int capacity : {1, 2, 9, 40}) {
    std::vector<char16_t> small(capacity + 4, u'#');
    FormatTrainStatus(small.data(), capacity);
    std::u16string got(small.data());
    EXPECT_EQ((int)got.size(), capacity - 1) << capacity;
    EXPECT_EQ(got, std::u16string(buffer).substr(0, capacity - 1));
    for (int i = capacity; i < capacity + 4; i++) EXPECT_EQ(small[i], u'#') << capacity;
  }
  ResetEditWindows();
}

// Letters: the first character of their texts, '*' for 0, '?' outside; back from the letters.
TEST_F(OpsFixture, CategoryTypeAndStateLetters) {
  REQUIRE_LANGUAGE();
  for (int c = 1; c <= 3; c++) {
    EXPECT_EQ(CategoryLetter(c), GetLangText(19614 + c)[0]);
    EXPECT_EQ(CategoryFromLetter(CategoryLetter(c)), c);
    EXPECT_EQ(CategoryFromLetter(CharToLower(CategoryLetter(c))), c);
  }
  for (int t = 1; t <= 10; t++) {
    EXPECT_EQ(TypeLetter(t), GetLangText(19599 + t)[0]);
    EXPECT_EQ(TypeFromLetter(TypeLetter(t)), t);
  }
  EXPECT_EQ(CategoryLetter(0), u'*');
  EXPECT_EQ(CategoryLetter(4), u'?');
  EXPECT_EQ(TypeLetter(0), u'*');
  EXPECT_EQ(TypeLetter(11), u'?');
  EXPECT_EQ(TypeFromLetter(u'*'), 0);
  struct Case {
    uint32_t flags;
    uint32_t firstText;
    int firstColour;
    int secondIndex;  // character of text 19010, -1 blank, -2 the parked letter
    int secondColour;
  } cases[] = {
      {0, 19011, 58, -1, -1},
      {TRAIN_RESERVING | TRAIN_SELECTED | TRAIN_TURNED, 19011, 58, -1, -1},
      {TRAIN_PARKED, 19012, 60, -1, -1},
      {TRAIN_WAITING | TRAIN_PENDING, 19013, 62, 0, 59},
      {TRAIN_HELD | TRAIN_PENDING | TRAIN_PENDING_FLAGGED, 19014, 61, 1, 59},
      {TRAIN_MANUAL, 19015, 64, -1, -1},
      {TRAIN_MANUAL | TRAIN_PARKED, 19015, 64, -2, 60},
      {TRAIN_JOINING, 19016, 65, -1, -1},
      {TRAIN_LEAVING | TRAIN_LEAVING1, 19018, 63, 2, 152},
      {TRAIN_LEAVING | TRAIN_BLOCKED | TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED, 19018, 63, 3, 152},
      {TRAIN_BLOCKED, 19018, 63, -1, -1},
      {TRAIN_WAITING | TRAIN_HELD, 19017, -1, -1, -1},
  };
  for (const Case& c : cases) {
    char16_t first = 0, second = 0;
    int colour = 0, colour2 = 0;
    TrainStateLetters(c.flags, &first, &colour, &second, &colour2);
    EXPECT_EQ(first, GetLangText(c.firstText)[0]) << std::hex << c.flags;
    EXPECT_EQ(colour, c.firstColour) << std::hex << c.flags;
    char16_t want = c.secondIndex == -1   ? u' '
                    : c.secondIndex == -2 ? GetLangText(19012)[0]
                                          : GetLangText(19010)[c.secondIndex];
    EXPECT_EQ(second, want) << std::hex << c.flags;
    EXPECT_EQ(colour2, c.secondColour) << std::hex << c.flags;
  }
}

// Bulk maintenance: sorting, shifting and scaling with a block, parked trains moved, slots
// renumbered.
TEST_F(OpsFixture, BulkMaintenance) {
  TrainRecord* a = Running(1, 3, 45, 40);
  TrainRecord* b = Running(1, 5, 50, 40);
  TrainRecord* p = Parked(2, 1);
  ASSERT_TRUE(a && b && p);
  // out of order after a sub-number change: sorted again
  a->subNumber = 9;
  SortTrains();
  EXPECT_EQ(Trains.first, b);
  EXPECT_EQ(b->next, a);
  EXPECT_EQ(a->next, p);
  // the data of a train replaced: sorted, steps recomputed, a clash refused
  TrainRecord h = *a;
  h.subNumber = 1;
  h.acceleration = 1000;
  const uint16_t list[2] = {3, 4};
  h.listCount = 2;
  ClearNetModified();
  ASSERT_EQ(ReplaceTrainData(1, &h, list), 0);
  EXPECT_EQ(Trains.first, a);
  EXPECT_EQ(a->accelerationStep, 720);
  ASSERT_EQ(a->listCount, 2);
  EXPECT_EQ(a->list[1], 4);
  EXPECT_TRUE(IsNetModified());
  h.subNumber = 5;
  EXPECT_EQ(ReplaceTrainData(0, &h, list), 3);
  EXPECT_EQ(ReplaceTrainData(7, &h, list), 1);
  // shifted: the train whose head lies in the box moves with all its cells and its tail entry
  TrainPositions(a)[2].x = 43, TrainPositions(a)[2].y = 40;
  ShiftTrainsInRect(0, 5, 0, 44, 39, 0, 46, 41, 0);
  EXPECT_EQ(TrainPositions(a)[0].y, 45u);
  EXPECT_EQ(TrainPositions(a)[1].y, 45u);
  EXPECT_EQ(TrainPositions(a)[2].y, 45u);  // the tail entry
  EXPECT_EQ(TrainPositions(b)[0].y, 40u);
  // scaled by 2 about (0, 0): an unused tail entry keeps its offset from the last cell
  TrainPositions(b)[2].x = 48, TrainPositions(b)[2].y = 40;
  ScaleTrainsInRect(0, 0, 2, 1, 2, 1, 49, 40, 0, 50, 40, 0);
  EXPECT_EQ(TrainPositions(b)[0].x, 100u);
  EXPECT_EQ(TrainPositions(b)[0].y, 80u);
  EXPECT_EQ((int)TrainPositions(b)[2].x - (int)TrainPositions(b)[1].x, -1);
  EXPECT_EQ(TrainPositions(b)[2].y, TrainPositions(b)[1].y);
  // parked trains on the slot cell move with it
  EXPECT_EQ(MoveParkedTrains(60, 40, 0, 62, 41, 0), 1);
  EXPECT_EQ(TrainPositions(p)[0].x, 62u);
  EXPECT_EQ(MoveParkedTrains(60, 40, 0, 62, 41, 0), 0);
  // renumbered slots, the schedule's bit 15 kept
  p->scheduleASlot[2] = 0x8001, p->scheduleADepot[2] = 1;
  p->scheduleBSlot[1] = 1, p->scheduleBDepot[1] = 2;
  RenumberDepotSlot(1, 1, 7);
  EXPECT_EQ(p->homeSlot, 7);
  EXPECT_EQ(p->scheduleASlot[2], 0x8007);
  EXPECT_EQ(p->scheduleBSlot[1], 1);
}

// While a simulation step waits in the manual switch question, the commands that would free the
// train or clear the network (here: quitting, which reaches the frame) are refused and greyed;
// once the step ends they work again.
TEST_F(OpsFixture, CommandsThatFreeTrainsWaitForTheSimulationStep) {
  ASSERT_EQ(PlaceTestSwitch(70, 40, 0, SWITCH_E_SE, SWITCH_PLAIN), 0);
  SetCell(71, 41, 0, TRACK_NWSE);
  TrainRecord* t = Running(1, 1, 66, 40);
  ASSERT_NE(t, nullptr);
  t->flags |= TRAIN_SELECTED;
  static int asked, activeInside, enabledInside, frameCalls, zoomCalls, keyHandled;
  asked = activeInside = enabledInside = frameCalls = zoomCalls = 0;
  keyHandled = -1;
  int (*savedFrame)(int) = FrameWindowCommand;
  FrameWindowCommand = [](int id) {
    (id == CMD_QUIT ? frameCalls : zoomCalls)++;
    return 0;
  };
  uint32_t (*saved)(uint32_t, SwitchControl*) = AskSwitchExitHook;
  AskSwitchExitHook = [](uint32_t proposal, SwitchControl*) -> uint32_t {
    asked++;
    activeInside = IsSimulationStepActive();
    enabledInside = IsCommandEnabled(CMD_QUIT, 0);
    HandleMenuCommand(CMD_QUIT);
    HandleMenuCommand(CMD_ZOOM_IN);  // a command that leaves the trains alone goes through
    keyHandled = HandleKey(43, 0, 0);  // no key is handled meanwhile
    return proposal;
  };
  ResetEditWindows();
  EditViews.active = -1;  // keys come from the status window
  EXPECT_EQ(IsSimulationStepActive(), 0);
  for (int i = 0; i < 4000 && !asked; i++) AdvanceClock();
  AskSwitchExitHook = saved;
  ASSERT_GE(asked, 1);
  EXPECT_EQ(activeInside, 1);
  EXPECT_EQ(enabledInside, 0);
  EXPECT_EQ(frameCalls, 0);
  EXPECT_EQ(zoomCalls, asked);
  EXPECT_EQ(keyHandled, 0);
  EXPECT_EQ(GetTrainCount(), 1);
  EXPECT_EQ(IsSimulationStepActive(), 0);
  EXPECT_EQ(IsCommandEnabled(CMD_QUIT, 0), 1);
  HandleMenuCommand(CMD_QUIT);
  EXPECT_EQ(frameCalls, 1);
  EXPECT_EQ(HandleKey(43, 0, 0), 1);
  FrameWindowCommand = savedFrame;
  for (int id : {CMD_NEW_NETWORK, CMD_OPEN, CMD_RECENT_FIRST, CMD_DELETE_BLOCK, CMD_PASTE_BLOCK,
                 CMD_DELETE_TRAIN, CMD_CONTEXT_TRAIN_CONTROL})
    EXPECT_EQ(IsCommandRefusedDuringStep(id), 1) << id;
  EXPECT_EQ(IsCommandRefusedDuringStep(CMD_ZOOM_IN), 0);
}
