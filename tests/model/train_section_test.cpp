// The trains' section "ZUGD": trains in every state save and load back equal (the second save
// byte-equal to the first), the generator's files of every version form load as their forms say,
// faulty sections are refused before anything reaches the grid, reservations come back along their
// marks, a running simulation goes on after a reload as it would have, and the steps after loading.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include "core/misc.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"
#include "signalling/switch_control.h"
#include "trains/headless_run.h"
#include "trains/train_records.h"
#include "trains/train_reserve.h"
#include "trains/train_section.h"
#include "trains/train_services.h"

namespace {
struct TrainSection : ::testing::Test {
  void SetUp() override {
    NetTestSetUp();
    headless::ResetNetwork();
  }
  void TearDown() override {
    ResetTrains();
    ClearSwitches();
    NetTestTearDown();
  }
};

std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

int LoadOutput(const char* name) {
  UseFolder(OutputDir());
  return LoadNetworkFile(Widen(name).c_str());
}

// Loaded: vehicles whose graphic is not in the library are marked, which the load reports.
bool Loaded(int r) { return r == NETLOAD_OK || r == NETLOAD_WARNINGS; }

// Which queue a train stands in.
std::string QueueOf(const TrainRecord* t) {
  auto in = [&](const TrainRecord* q) {
    for (; q; q = q->nextInQueue)
      if (q == t) return true;
    return false;
  };
  if (in(Trains.running)) return "running";
  if (in(Trains.parked)) return "parked";
  if (in(Trains.held)) return "held";
  if (in(Trains.waiting)) return "waiting";
  for (int i = 0; i < TRAIN_QUEUES_RR; i++)
    if (in(Trains.roundRobin[i])) return "rr";
  return "none";
}

// Every stored field of every train, its queue and its absolute wait.
std::string DumpAll() {
  std::string out;
  char buf[400];
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    int32_t wait = t->wait;
    if (QueueOf(t) == "waiting") {
      wait = 0;
      for (TrainRecord* q = Trains.waiting; q; q = q->nextInQueue) {
        wait += q->wait;
        if (q == t) break;
      }
    }
    std::snprintf(buf, sizeof buf,
                  "%u/%u/%u n%d vi%d vc%d home %u,%u flags %x pend %u,%u speeds %d %d %d %d %d %d "
                  "acc %d %d %d %d steps %d %d waits %u %u state %d tp %d attrs %u %u %u %u %u %u "
                  "res %d off %d len %d dir %d,%d,%d blocked %d %d queue %s list",
                  t->line, t->secondLine, t->subNumber, t->positionCount, t->vehicleIndex,
                  t->vehicleCount, t->homeDepot, t->homeSlot, t->flags, t->pendingDepot,
                  t->pendingSlot, t->maxSpeed, t->speed, t->targetSpeed, t->limit1, t->limit2,
                  t->limit3, t->accumulator, t->decrement, t->acceleration, t->brake,
                  t->accelerationStep, t->brakeStep, t->minWait, t->maxWait, wait, t->tpTime,
                  t->type, t->homeType, t->category, t->homeCategory, t->tpAttribute5, t->wayKinds,
                  t->reservedCells, t->subCellOffset, t->length, t->dx, t->dy, t->dz,
                  t->blockedLimit, t->blockedCount, QueueOf(t).c_str());
    out += buf;
    for (int i = 0; i < t->listCount; i++) out += " " + std::to_string(t->list[i]);
    for (int i = 0; i < 6; i++) {
      std::snprintf(buf, sizeof buf, " A%x,%u,%u B%x,%u,%u", t->scheduleATime[i],
                    t->scheduleADepot[i], t->scheduleASlot[i], t->scheduleBTime[i],
                    t->scheduleBDepot[i], t->scheduleBSlot[i]);
      out += buf;
    }
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++) {
      std::snprintf(buf, sizeof buf, " p%d,%d,%d,%s,%x", (int)p[i].x, (int)p[i].y, p[i].level,
                    p[i].codeUnder == 65535 ? "-" : "u", p[i].vehicleMark);
      out += buf;
    }
    TrainVehicleEntry* v = TrainVehicles(t);
    for (int i = 0; i < t->vehicleCount; i++) {
      std::snprintf(buf, sizeof buf, " v%u,%u,%x,%u", v[i].id, v[i].spare, v[i].flags & ~0x80u,
                    v[i].length);
      out += buf;
    }
    if (t->reservedPath)
      for (int i = 0; i < t->reservedCells; i++) {
        const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
        std::snprintf(buf, sizeof buf, " r%d,%d,%d", c.x, c.y, c.level);
        out += buf;
      }
    out += "\n";
  }
  return out;
}

void SetState(TrainRecord* t, uint32_t flags, int32_t wait) {
  DequeueTrainByState(t);
  t->flags = flags;
  t->wait = wait;
  EnqueueTrainByState(t);
}

TrainRecord* PlaceOnLoop(const std::vector<headless::Cell>& loop, int head, int count,
                         uint32_t sub) {
  headless::TrainSpec s = headless::TrainOnLoop(loop, head, count);
  s.subNumber = sub;
  s.vehicles = 2;
  s.acceleration = 250;
  s.brake = 300;
  return headless::PlaceTrain(s);
}

// A parked (or leaving) train standing on a slot cell outside the drawn network.
TrainRecord* PlaceParked(uint32_t sub, uint32_t flags) {
  TrainRecord* t = AllocTrainRecord(3, 1);
  t->line = 1;
  t->subNumber = sub;
  t->flags = flags;
  t->homeDepot = 3;
  t->homeSlot = 2;
  t->tpTime = -1;
  t->timeStep = 1;
  t->accumulator = 1;
  t->decrement = 10;
  TrainPosition* p = TrainPositions(t);
  p[0].x = 200;
  p[0].y = 201;
  p[0].codeUnder = 0;
  TrainVehicles(t)[0] = {39585, 7, 0x8001, 56};
  t->length = TrainLength(t);
  EXPECT_EQ(InsertTrain(t), 0);
  return t;
}

// Every cell of the box is free of the reservation mark.
int CountMarks(int x0, int y0, int x1, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      CellCode c = GetCell(x, y, 0);
      if (c < 0x8000 && (c & CELL_MARK_BIT)) n++;
    }
  return n;
}

std::vector<headless::Cell> DrawLoopWithSwitch() {
  EXPECT_EQ(headless::BuildLoop(10, 10, 60, 30, 0), 0);
  // A switch on the top row whose branch leaves towards the south-east.
  EXPECT_EQ(headless::PlaceTestSwitch(30, 10, 0, headless::SWITCH_E_SE, SWITCH_FIXED2), 0);
  return headless::LoopCells(10, 10, 60, 30);
}
}  // namespace

TEST_F(TrainSection, EveryStateRoundTripsAndTheSecondSaveIsEqual) {
  auto loop = DrawLoopWithSwitch();
  TrainRecord* running = PlaceOnLoop(loop, 5, 3, 1);
  running->speed = 45500;
  running->accumulator = -7;
  running->flags |= TRAIN_HEAD_MARK;  // selection marks never reach the file
  TrainRecord* waiting1 = PlaceOnLoop(loop, 60, 2, 2);
  SetState(waiting1, TRAIN_WAITING, 0);
  RemoveWaitingTrain(waiting1);
  InsertWaitingTrain(waiting1, 40);
  TrainRecord* waiting2 = PlaceOnLoop(loop, 66, 2, 3);
  DequeueTrainByState(waiting2);
  waiting2->flags = TRAIN_WAITING;
  InsertWaitingTrain(waiting2, 25);
  TrainRecord* held = PlaceOnLoop(loop, 72, 2, 4);
  SetState(held, TRAIN_HELD, 1234);  // the number the TP keeps for it
  TrainRecord* blocked = PlaceOnLoop(loop, 78, 2, 5);
  blocked->blockedLimit = 3;
  SetState(blocked, TRAIN_BLOCKED, 0);
  blocked->blockedCount = 2;
  TrainRecord* hand = PlaceOnLoop(loop, 84, 2, 6);
  SetState(hand, TRAIN_MANUAL, 0);
  TrainRecord* joining = PlaceOnLoop(loop, 90, 2, 7);
  SetState(joining, TRAIN_JOINING, 0x00050003);
  TrainRecord* pending = PlaceOnLoop(loop, 96, 2, 8);
  pending->flags |= TRAIN_PENDING;
  pending->pendingDepot = 9;
  pending->pendingSlot = 0x8004;
  pending->scheduleATime[0] = 0x7F081E00;
  pending->scheduleADepot[0] = 9;
  pending->scheduleASlot[0] = 4;
  pending->scheduleBTime[5] = 0x03120000;
  pending->scheduleBDepot[5] = 2;
  pending->scheduleBSlot[5] = 0x8001;
  TrainRecord* listed = PlaceOnLoop(loop, 102, 2, 9);
  static const uint16_t kList[] = {0x41, 0, 0x20AC, 65535};
  listed->list = (uint16_t*)MemAlloc(sizeof kList);
  std::memcpy(listed->list, kList, sizeof kList);
  listed->listCount = 4;
  listed->limit2 = 30000;
  listed->limit3 = 20000;
  listed->tpTime = 3600;
  listed->type = 4, listed->homeType = 5, listed->category = 2, listed->homeCategory = 3;
  listed->tpAttribute5 = 0x8, listed->wayKinds = 3;
  // Reserved: ahead of its head lies the switch, passed along the through way.
  TrainRecord* reserved = PlaceOnLoop(loop, 17, 3, 10);
  ASSERT_EQ(ReserveAhead(reserved, 1), 1);
  ASSERT_TRUE(reserved->flags & TRAIN_RESERVING);
  ASSERT_GE(reserved->reservedCells, 2);
  PlaceParked(11, TRAIN_PARKED);
  TrainRecord* leaving = PlaceParked(12, TRAIN_LEAVING);
  leaving->blockedLimit = 1;
  leaving->blockedCount = 1;
  RefreshTrainCellCodes(0);  // as every dispatcher does after an action
  ASSERT_EQ(headless::CheckTrainCells(0, 0, 70, 40, 0), "");

  std::string before = DumpAll();
  UpdateUsedArea(0, 0, 0, 0);  // as the drawing commands keep it
  ASSERT_EQ(SaveAs("trains_states.nt3"), 0);
  ASSERT_TRUE(Loaded(LoadOutput("trains_states.nt3")));
  std::string after = DumpAll();
  // The only difference: the head mark of the selected train.
  std::string expected = before;
  size_t at = expected.find("flags 100");
  ASSERT_NE(at, std::string::npos);
  expected.replace(at, 9, "flags 0");
  EXPECT_EQ(after, expected);
  EXPECT_EQ(headless::CheckTrainCells(0, 0, 70, 40, 0), "");
  EXPECT_EQ(GetTrainCount(), 12);
  // Speeds go on with their time steps; stopped trains take a step of 1.
  for (TrainRecord* t = Trains.first; t; t = t->next)
    EXPECT_EQ(t->timeStep, t->speed ? DocState.timeBase / (uint32_t)t->speed : 1u);

  ASSERT_EQ(SaveAs("trains_states2.nt3"), 0);
  auto a = ReadWholeFile(OutputDir() + "trains_states.nt3");
  auto b = ReadWholeFile(OutputDir() + "trains_states2.nt3");
  ASSERT_FALSE(a.empty());
  EXPECT_TRUE(a == b);
}

TEST_F(TrainSection, SchedulesLoseTheirSecondsAndEmptyEntriesClearWhole) {
  auto loop = DrawLoopWithSwitch();
  TrainRecord* t = PlaceOnLoop(loop, 5, 2, 1);
  t->scheduleATime[0] = 0x7F081E2A;  // 08:30:42
  t->scheduleADepot[0] = 3;
  t->scheduleASlot[0] = 1;
  t->scheduleBTime[1] = 0x7F0A0000;  // a time without a depot: nothing
  t->scheduleBSlot[1] = 5;
  RefreshTrainCellCodes(0);
  ASSERT_EQ(SaveAs("trains_sched.nt3"), 0);
  ASSERT_TRUE(Loaded(LoadOutput("trains_sched.nt3")));
  ASSERT_NE(Trains.first, nullptr);
  EXPECT_EQ(Trains.first->scheduleATime[0], 0x7F081E00u);
  EXPECT_EQ(Trains.first->scheduleADepot[0], 3);
  EXPECT_EQ(Trains.first->scheduleBTime[1], 0u);
  EXPECT_EQ(Trains.first->scheduleBSlot[1], 0);
}

TEST_F(TrainSection, AReservedTrainReloadedAndReleasedLeavesNoMark) {
  auto loop = DrawLoopWithSwitch();
  // The reservation ahead of the head runs up to the switch.
  TrainRecord* t = PlaceOnLoop(loop, 17, 3, 1);
  ASSERT_EQ(ReserveAhead(t, 1), 1);
  std::vector<ReservedCell> kept(t->reservedPath + t->reservedFirst,
                                 t->reservedPath + t->reservedFirst + t->reservedCells);
  ASSERT_GE(kept.size(), 2u);
  int marks = CountMarks(0, 0, 70, 40);
  ASSERT_EQ(marks, (int)kept.size());
  RefreshTrainCellCodes(0);
  ASSERT_EQ(SaveAs("trains_reserved.nt3"), 0);
  ASSERT_TRUE(Loaded(LoadOutput("trains_reserved.nt3")));
  TrainRecord* r = Trains.first;
  ASSERT_NE(r, nullptr);
  ASSERT_TRUE(r->flags & TRAIN_RESERVING);
  ASSERT_EQ(r->reservedCells, (int)kept.size());
  for (size_t i = 0; i < kept.size(); i++) {
    const ReservedCell& c = r->reservedPath[r->reservedFirst + i];
    EXPECT_EQ(c.x, kept[i].x) << i;
    EXPECT_EQ(c.y, kept[i].y) << i;
  }
  EXPECT_EQ(CountMarks(0, 0, 70, 40), marks);
  ReleaseTrainReservation(r);
  EXPECT_EQ(CountMarks(0, 0, 70, 40), 0);
}

TEST_F(TrainSection, TheRebuildTakesTheMarkedWayAtASwitch) {
  auto loop = DrawLoopWithSwitch();
  // Marks leading through the switch along its branch (south-east) for a train heading east.
  TrainRecord* t = PlaceOnLoop(loop, 18, 2, 1);  // head at (28,10), heading east
  const int cells[][2] = {{29, 10}, {30, 10}, {31, 11}};
  SetCell(31, 11, 0, headless::TRACK_NWSE);
  for (auto& c : cells) SetCell(c[0], c[1], 0, GetCell(c[0], c[1], 0) | CELL_MARK_BIT);
  t->flags |= TRAIN_RESERVING;
  RebuildTrainReservation(t, 3);
  ASSERT_EQ(t->reservedCells, 3);
  EXPECT_EQ(t->reservedPath[t->reservedFirst + 2].x, 31);
  EXPECT_EQ(t->reservedPath[t->reservedFirst + 2].y, 11);
  // At most the reserved count is taken.
  RebuildTrainReservation(t, 2);
  EXPECT_EQ(t->reservedCells, 2);
  // Without any mark ahead the reservation ends.
  for (auto& c : cells) SetCell(c[0], c[1], 0, GetCell(c[0], c[1], 0) & ~CELL_MARK_BIT);
  RebuildTrainReservation(t, 3);
  EXPECT_EQ(t->reservedCells, 0);
  EXPECT_FALSE(t->flags & TRAIN_RESERVING);
}

TEST_F(TrainSection, EveryVersionFormLoads) {
  const int versions[] = {13312, 13568, 13572, 13573, 13574, 13575, 13576, 13577,
                          14160, 14162, 14171, 14339, 14341, 14342, 14343, 14389,
                          14390, 14394, 14396, 14397, 14398, 14400};
  for (int v : versions) {
    SCOPED_TRACE(v);
    std::string name = "trains_" + std::to_string(v) + ".nt3";
    ASSERT_TRUE(Loaded(LoadFixture(name.c_str())));
    ASSERT_EQ(GetTrainCount(), 2);
    TrainRecord* a = Trains.first;
    TrainRecord* b = a->next;
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->line, 7u);
    EXPECT_EQ(a->secondLine, 9u);
    EXPECT_EQ(a->subNumber, 3u);
    EXPECT_EQ(a->positionCount, 4);
    EXPECT_EQ(a->vehicleCount, 2);
    EXPECT_EQ(a->vehicleIndex, v >= 13568 ? 1 : 0);
    EXPECT_EQ(a->homeDepot, 2);
    EXPECT_EQ(a->homeSlot, 1);
    EXPECT_EQ(a->flags, 0u);
    EXPECT_EQ(a->maxSpeed, 120000);
    EXPECT_EQ(a->speed, 45000);
    EXPECT_EQ(a->targetSpeed, v >= 14160 ? 80000 : 45000);
    EXPECT_EQ(a->limit1, v >= 14160 ? 80000 : 45000);
    EXPECT_EQ(a->accumulator, 5);
    EXPECT_EQ(a->decrement, 10);
    EXPECT_EQ(a->acceleration, v >= 14160 ? 300 : 0);
    EXPECT_EQ(a->accelerationStep, v >= 14160 ? 300 * 18 / 25 : 0);
    EXPECT_EQ(a->brake, v >= 14160 ? 400 : 0);
    EXPECT_EQ(a->minWait, 10);
    EXPECT_EQ(a->maxWait, 20);
    EXPECT_EQ(a->tpTime, -1);
    if (v >= 14389) {
      EXPECT_EQ(a->type, 1u);
      EXPECT_EQ(a->homeType, 3u);
      EXPECT_EQ(a->category, 2u);
      EXPECT_EQ(a->homeCategory, 1u);
    } else {  // converted from the old words 0x01 and 0x03
      EXPECT_EQ(a->type, 1u);
      EXPECT_EQ(a->category, 1u);
      EXPECT_EQ(a->homeType, 3u);
      EXPECT_EQ(a->homeCategory, 1u);
    }
    EXPECT_EQ(a->wayKinds, 1u);
    EXPECT_EQ(a->subCellOffset, v >= 13577 ? 8 : 0);
    // Lengths come from the file from 14160, before from the vehicles (in units of 8 from 13576).
    EXPECT_EQ(a->length, v >= 13576 ? 104 : 0);
    EXPECT_EQ(a->dx, 1);
    EXPECT_EQ(a->dy, 0);
    EXPECT_EQ(a->dz, 0);
    EXPECT_EQ(a->listCount, v >= 14171 ? 3 : 0);
    if (v >= 14171) {
      EXPECT_EQ(a->list[2], 0x43);
    }
    EXPECT_EQ(a->scheduleATime[0], 0x7F081E00u);
    EXPECT_EQ(a->scheduleADepot[0], 4);
    EXPECT_EQ(a->scheduleASlot[0], 1);
    EXPECT_EQ(a->scheduleATime[3], 0u);
    TrainPosition* p = TrainPositions(a);
    for (int i = 0; i < 4; i++) {
      EXPECT_EQ(p[i].x, 24u - i);
      EXPECT_EQ(p[i].y, 30u);
      EXPECT_EQ(p[i].level, 0);
      EXPECT_NE(p[i].codeUnder, 65535);
      EXPECT_EQ(GetCell(24 - i, 30, 0), a->cellCode);  // the train's code is in the grid
    }
    if (v >= 13573) {
      EXPECT_EQ(p[0].codeUnder, 0x0000);  // the track under the train
    }
    if (v >= 13574) {
      EXPECT_EQ(p[1].vehicleMark & 7, 1);
    }
    EXPECT_EQ(p[4].x, 20u);  // the tail entry: stored, or behind the last entry
    EXPECT_EQ(p[4].codeUnder, 65535);
    TrainVehicleEntry* veh = TrainVehicles(a);
    EXPECT_EQ(veh[0].id, 39585u);
    EXPECT_EQ(veh[1].id, 39040u);
    EXPECT_EQ(veh[0].flags & ~0x80u, 0x8u);
    EXPECT_EQ(veh[1].length, v >= 13576 ? 48u : 0u);
    // The parked train: its pending goal stored, or from schedule A entry 1.
    EXPECT_EQ(b->subNumber, 4u);
    EXPECT_EQ(b->flags, 3u);
    EXPECT_EQ(b->pendingDepot, 4);
    EXPECT_EQ(b->pendingSlot, 1);
    EXPECT_EQ(QueueOf(b), "parked");
    EXPECT_EQ(QueueOf(a), "running");
    EXPECT_EQ(TrainPositions(b)[0].x, 16379u);
  }
}

TEST_F(TrainSection, FaultySectionsAreRefused) {
  const char* faults[] = {"tr_poscount0", "tr_poscount256", "tr_vehcount256", "tr_listcount",
                          "tr_vehidx",    "tr_sched_index_14389", "tr_offset", "tr_dx",
                          "tr_dz",        "tr_dz_down",     "tr_outside", "tr_level",
                          "tr_index",     "tr_step_14160",  "tr_ramp_14160", "tr_depot",
                          "tr_wait"};
  for (const char* f : faults) {
    SCOPED_TRACE(f);
    std::string name = std::string(f) + ".nt3";
    CellCode before = GetCell(24, 30, 0);
    EXPECT_EQ(LoadFixture(name.c_str()), NETOFS_TRAINS + NETSEC_FORMAT);
    // Nothing of a refused train reached the grid, and no train code stands there.
    CellCode after = GetCell(24, 30, 0);
    EXPECT_FALSE(IsTrainCellCode(after)) << std::hex << before << " " << after;
    EXPECT_LE(GetTrainCount(), 1);
  }
}

TEST_F(TrainSection, AnEmptySectionLeavesNoTrains) {
  auto loop = DrawLoopWithSwitch();
  PlaceOnLoop(loop, 5, 2, 1);
  ASSERT_EQ(LoadFixture("v14400.nt3"), NETLOAD_OK);  // clears the trains first
  EXPECT_EQ(GetTrainCount(), 0);
  EXPECT_EQ(Trains.first, nullptr);
  EXPECT_EQ(Trains.running, nullptr);
}

TEST_F(TrainSection, AHeadlessRunGoesOnAfterAReload) {
  ASSERT_EQ(headless::BuildLoop(10, 10, 60, 30, 0), 0);
  auto loop = headless::LoopCells(10, 10, 60, 30);
  ASSERT_EQ(headless::PlaceTrainsRoundLoop(loop, 6), 0);
  headless::AdvanceTicks(400);
  RefreshTrainCellCodes(0);
  std::string atSave = DumpAll();
  std::string headlessAtSave = headless::DumpTrains();
  ASSERT_EQ(SaveAs("trains_run.nt3"), 0);
  headless::AdvanceTicks(600);
  std::string goneOn = headless::DumpTrains();
  ASSERT_NE(goneOn, headlessAtSave);  // the trains moved on

  ASSERT_TRUE(Loaded(LoadOutput("trains_run.nt3")));
  EXPECT_EQ(DumpAll(), atSave);  // positions, speeds, queues
  EXPECT_EQ(headless::CheckTrainCells(0, 0, 70, 40, 0), "");
  headless::AdvanceTicks(600);
  EXPECT_EQ(headless::DumpTrains(), goneOn);
}

TEST_F(TrainSection, OldVehicleCodesAndAttributes) {
  TrainRecord* t = AllocTrainRecord(1, 3);
  TrainVehicles(t)[0].id = 38657;
  TrainVehicles(t)[1].id = 38658;
  TrainVehicles(t)[2].id = 12345;  // outside the pairs: kept as it is
  t->line = 1;
  t->subNumber = 1;
  t->flags = TRAIN_PARKED;
  ASSERT_EQ(InsertTrain(t), 0);
  EXPECT_EQ(ConvertOldTrainRecords(13572), 2);
  EXPECT_EQ(TrainVehicles(t)[0].id, 39585u);
  EXPECT_EQ(TrainVehicles(t)[1].id, 39040u);
  EXPECT_EQ(TrainVehicles(t)[2].id, 12345u);
  // A code outside the pairs is neither a failure nor a change.
  EXPECT_EQ(ConvertOldTrainRecords(13572), 0);
  // From 13576 a vehicle whose graphic cannot be had is marked (drawn as the placeholder): a
  // change, not a failure of the load; marked once.
  EXPECT_EQ(ConvertOldTrainRecords(14400), 2);
  for (int i = 0; i < 3; i++) EXPECT_TRUE(TrainVehicles(t)[i].flags & 0x80) << i;
  EXPECT_EQ(ConvertOldTrainRecords(14400), 0);

  struct {
    uint32_t a, b, flags;
    uint32_t type, category, homeType, homeCategory, tp5, flagsAfter;
  } cases[] = {
      {0x00, 0x00, 0, 0, 0, 0, 0, 0, 0},
      {0x03, 0x02, 0, 3, 1, 5, 1, 0, 0},
      {0x08, 0x10, 0, 6, 1, 8, 1, 0, 0},
      {0x04, 0x20, 0, 1, 2, 1, 3, 0, 0},
      {0x01 | 0x200 | 0x400, 0x01, 0, 1, 1, 1, 1, 0xC, 0},
      {0x40, 0, TRAIN_LEAVING1, 0, 0, 0, 0, 0, TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED},
      {0x80 | 0x10, 0, TRAIN_PENDING, 8, 1, 0, 0, 0, TRAIN_PENDING | TRAIN_PENDING_FLAGGED},
      {0x80, 0, 0, 0, 0, 0, 0, 0, 0},
  };
  for (auto& c : cases) {
    TrainRecord r = {};
    r.flags = c.flags;
    r.scheduleATime[0] = 0x7F080000;
    r.scheduleASlot[0] = 1;
    r.scheduleBTime[2] = 0x7F090000;
    r.scheduleBSlot[2] = 2;
    ConvertOldTrainAttributes(&r, c.a, c.b);
    EXPECT_EQ(r.type, c.type) << c.a;
    EXPECT_EQ(r.category, c.category) << c.a;
    EXPECT_EQ(r.homeType, c.homeType) << c.b;
    EXPECT_EQ(r.homeCategory, c.homeCategory) << c.b;
    EXPECT_EQ(r.tpAttribute5, c.tp5) << c.a;
    EXPECT_EQ(r.flags, c.flagsAfter) << c.a;
    EXPECT_EQ(r.scheduleASlot[0], (c.flagsAfter & TRAIN_PENDING) ? 0x8001 : 1) << c.a;
    EXPECT_EQ(r.scheduleBSlot[2], (c.flagsAfter & TRAIN_LEAVING1) ? 0x8002 : 2) << c.a;
  }
}

TEST_F(TrainSection, TheSectionRowAndStepsBelongToTheTrains) {
  EXPECT_EQ(NetSectionTable[3].read, LoadTrainsSection);
  EXPECT_EQ(NetClearOrder[NET_CLEAR_TRAINS], ResetTrains);
  for (const NetPostLoadStep& s : NetPostLoadSteps)
    if (std::string(s.what).find("Train") != std::string::npos) {
      EXPECT_NE(s.run, nullptr) << s.what;
    }
}

TEST_F(TrainSection, RepairedTrainsAreToldInTheLoadReport) {
  // In the 13572 file the running train stands on empty cells: the old-record repair counts it,
  // and the load report (which stops the simulation) tells it.
  SetSimulationRunning(SIMRUN_START);
  ASSERT_TRUE(Loaded(LoadFixture("trains_14400.nt3")));
  EXPECT_TRUE(IsSimulationRunning());  // nothing to tell
  ASSERT_TRUE(Loaded(LoadFixture("trains_13572.nt3")));
  EXPECT_FALSE(IsSimulationRunning());
  EXPECT_EQ(GetTrainCount(), 2);  // the repaired train is kept
}

// The fuzz target's seeds, as the target runs them: the first byte picks the version, the rest is
// the section; what loads saves, loads again to as many trains and saves again to the same bytes.
TEST_F(TrainSection, TheFuzzSeedsLoadSaveAndLoadAgain) {
  static const int kVersions[] = {13312, 13568, 13572, 13573, 13574, 13575, 13576, 13577,
                                  14160, 14162, 14171, 14339, 14341, 14342, 14343, 14389,
                                  14390, 14394, 14396, 14397, 14398, 14400};
  auto drawTrack = [] {
    ClearGrid();
    for (int y = 28; y <= 32; y++)
      for (int x = 0; x < 64; x++) SetCell(x, y, 0, 0);
  };
  auto load = [](const char16_t* name, int version) {
    EXPECT_EQ(StreamOpenRead(name, 0, FILE_KIND_NETWORK), 0);
    int r = LoadTrainsSection(version);
    if (StreamIsOpen()) StreamCloseRead();
    RefreshTrainCellCodes(1);
    return r;
  };
  auto save = [](const char16_t* name) {
    EXPECT_EQ(StreamOpenWrite(name, 0, FILE_KIND_NETWORK), 0);
    EXPECT_EQ(SaveTrainsSection(), 0);
    EXPECT_EQ(StreamCloseWrite(), 0);
  };
  // blocked_limit: a blocked limit above 2^31 with its count, once written without the count.
  const char* seeds[] = {"v13312", "v14160", "v14389", "v14396", "v14400", "states",
                         "blocked_limit"};
  std::string folder = std::string(QUIL_TEST_SOURCE_DIR) + "/tests/fuzz/seeds/train_section/";
  UseFolder(OutputDir());
  for (const char* seed : seeds) {
    SCOPED_TRACE(seed);
    auto bytes = ReadWholeFile(folder + seed + ".bin");
    ASSERT_GT(bytes.size(), 1u);
    int version = kVersions[bytes[0] % (sizeof kVersions / sizeof kVersions[0])];
    WriteWholeFile(OutputDir() + "seed_in", std::vector<uint8_t>(bytes.begin() + 1, bytes.end()));
    drawTrack();
    ASSERT_LE(load(u"seed_in", version), 0);
    int count = GetTrainCount();
    EXPECT_GT(count, 0);
    save(u"seed_out");
    drawTrack();
    ASSERT_LE(load(u"seed_out", NET_VERSION_CURRENT), 0);
    EXPECT_EQ(GetTrainCount(), count);
    save(u"seed_out2");
    EXPECT_TRUE(ReadWholeFile(OutputDir() + "seed_out") == ReadWholeFile(OutputDir() + "seed_out2"));
    ResetTrains();
  }
}

TEST_F(TrainSection, OldFilesEndTheirReservationAtTheEndMark) {
  auto loop = DrawLoopWithSwitch();
  TrainRecord* t = PlaceOnLoop(loop, 5, 2, 1);  // head at (15,10), heading east
  for (int x = 16; x <= 20; x++) SetCell(x, 10, 0, GetCell(x, 10, 0) | CELL_MARK_BIT);
  SetCell(18, 10, 0, GetCell(18, 10, 0) | CELL_END_MARK);
  t->flags |= TRAIN_RESERVING;
  RestoreTrainReservations();
  ASSERT_EQ(t->reservedCells, 3);  // 16, 17 and 18, where the old end mark stood
  EXPECT_EQ(t->reservedPath[t->reservedFirst + 2].x, 18);
  EXPECT_FALSE(GetCell(18, 10, 0) & CELL_END_MARK);  // the old mark is gone, the reservation stays
  EXPECT_TRUE(GetCell(18, 10, 0) & CELL_MARK_BIT);
  ReleaseTrainReservation(t);
  EXPECT_EQ(CountMarks(16, 10, 18, 10), 0);
}
