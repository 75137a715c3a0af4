// Headless runs: networks drawn into the grid, trains placed on them, the clock advanced at speed
// level 20, the train positions dumped and compared with the golden texts in tests/trains/golden
// (a loop, a switch, diagonal timing, acceleration and braking). The same texts come out natively
// and under Wine. QUIL_UPDATE_GOLDEN=1 writes the texts anew.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>
#include "trains/golden_text.h"
#include "trains/headless_run.h"
#include "trains/track_geometry.h"
#include "trains/train_running.h"

using namespace headless;

namespace {

// The dump every `every` ticks up to `ticks`, each block headed by the clock tick.
std::string RunDumping(int ticks, int every) {
  std::string out;
  for (int done = 0; done < ticks; done += every) {
    AdvanceTicks(every);
    out += "tick " + std::to_string(done + every) + "\n" + DumpTrains();
  }
  return out;
}

struct HeadlessFixture : ::testing::Test {
  void SetUp() override { ResetNetwork(); }
  void TearDown() override { ResetNetwork(); }
};
}  // namespace

TEST_F(HeadlessFixture, TrainsRoundALoop) {
  ASSERT_EQ(BuildLoop(10, 10, 30, 20, 0), 0);
  std::vector<Cell> loop = LoopCells(10, 10, 30, 20);
  struct {
    int head, cells;
    int32_t length, maxSpeed;
  } trains[] = {{5, 3, 96, 100000}, {22, 2, 64, 80000}, {40, 4, 100, 120000}};
  uint32_t sub = 1;
  for (auto& k : trains) {
    TrainSpec s = TrainOnLoop(loop, k.head, k.cells);
    s.subNumber = sub++;
    s.length = k.length;
    s.maxSpeed = k.maxSpeed;
    ASSERT_NE(PlaceTrain(s), nullptr);
  }
  std::string text = RunDumping(3000, 250);
  EXPECT_EQ(CheckTrainCells(5, 5, 35, 25, 0), "");
  ExpectGolden("loop", text);
}

TEST_F(HeadlessFixture, ASwitchSendsTheTrainDownItsBranch) {
  for (int x = 10; x <= 50; x++) {
    if (x != 21) {
      ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
    }
  }
  ASSERT_EQ(PlaceTestSwitch(21, 30, 0, SWITCH_E_SE, SWITCH_FIXED2), 0);
  for (int i = 1; i <= 6; i++) ASSERT_TRUE(SetCell(21 + i, 30 + i, 0, TRACK_NWSE));
  TrainSpec s;
  s.cells = {{15, 30}, {14, 30}};
  ASSERT_NE(PlaceTrain(s), nullptr);
  // A second train comes the other way along the through way after the first has turned off.
  TrainSpec straight;
  straight.subNumber = 2;
  straight.cells = {{45, 30}, {46, 30}};
  straight.dx = -1;
  ASSERT_NE(PlaceTrain(straight), nullptr);
  std::string text = RunDumping(1200, 50);
  EXPECT_EQ(CheckTrainCells(5, 25, 55, 40, 0), "");
  ExpectGolden("switch", text);
}

TEST_F(HeadlessFixture, DiagonalCellsTakeTenSeventhsAsLong) {
  for (int x = 10; x < 20; x++) ASSERT_TRUE(SetCell(x, 10, 0, TRACK_WE));
  ASSERT_TRUE(SetCell(20, 10, 0, 28));  // running east, the way turns south-east
  for (int i = 1; i <= 10; i++) ASSERT_TRUE(SetCell(20 + i, 10 + i, 0, TRACK_NWSE));
  TrainSpec s;
  s.cells = {{12, 10}, {11, 10}};
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  std::string text;
  uint32_t x = TrainPositions(t)[0].x, y = TrainPositions(t)[0].y;
  for (int tick = 1; tick <= 700; tick++) {
    AdvanceClock();
    TrainPosition* h = TrainPositions(t);
    if (h->x == x && h->y == y) continue;
    x = h->x;
    y = h->y;
    text += "tick " + std::to_string(tick) + " enters " + std::to_string(x) + "," +
            std::to_string(y) + " decrement " + std::to_string(t->decrement) + "\n";
  }
  text += DumpTrains();
  ExpectGolden("diagonal", text);
}

TEST_F(HeadlessFixture, AccelerationAndBraking) {
  for (int x = 10; x < 400; x++) ASSERT_TRUE(SetCell(x, 10, 0, TRACK_WE));
  TrainSpec s;
  s.cells = {{14, 10}, {13, 10}, {12, 10}};
  s.maxSpeed = 120000;
  s.acceleration = 500;  // 360 a tick
  s.brake = 1000;        // 720 a tick
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  std::string text = RunDumping(600, 50);
  t->limit1 = 30000;  // a slow section: the train brakes down to it
  ComputeTargetSpeed(t);
  text += "limit 30000\n" + RunDumping(600, 50);
  t->limit1 = 0;
  ComputeTargetSpeed(t);
  text += "no limit\n" + RunDumping(300, 50);
  ExpectGolden("acceleration", text);
}

// Two trains one behind the other reserve over a crossing and a ratio switch (one train each way):
// the first takes the through way, the second the branch; every reservation is passed by the exit
// it marked and no mark is left behind.
TEST_F(HeadlessFixture, TrainsReserveOverACrossingAndARatioSwitch) {
  for (int x = 5; x <= 50; x++) {
    if (x != 20 && x != 23) {
      ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
    }
  }
  ASSERT_TRUE(SetCell(20, 30, 0, 32));  // a crossing: trains reserve from here
  ASSERT_EQ(PlaceTestSwitch(23, 30, 0, SWITCH_E_SE, SWITCH_RATIO), 0);
  SwitchControl* r = FindSwitchRecord(23, 30, 0, 0);
  ASSERT_NE(r, nullptr);
  r->data.ratio.count[0] = 1, r->data.ratio.count[1] = 1, r->data.ratio.counter = 2;
  for (int i = 1; i <= 8; i++) ASSERT_TRUE(SetCell(23 + i, 30 + i, 0, TRACK_NWSE));
  TrainSpec first;
  first.cells = {{16, 30}, {15, 30}, {14, 30}};
  ASSERT_NE(PlaceTrain(first), nullptr);
  TrainSpec second;
  second.subNumber = 2;
  second.cells = {{9, 30}, {8, 30}, {7, 30}};
  ASSERT_NE(PlaceTrain(second), nullptr);
  std::string text;
  for (int done = 0; done < 1000; done += 50) {
    AdvanceTicks(50);
    text += "tick " + std::to_string(done + 50) + "\n" + DumpTrains();
    ASSERT_EQ(CheckTrainCells(0, 25, 55, 45, 0), "") << done;
  }
  EXPECT_EQ(r->data.ratio.counter, 2u);  // advanced once by each train
  ExpectGolden("reserve_ratio", text);
}

namespace {
// A row y = 30 from x = 5 to 50 running east with a crossing (trains reserve from there) and a
// switch whose branch leaves south-east from it over eight cells.
SwitchControl* BuildCrossingAndSwitch(int crossingX, int switchX, int type) {
  for (int x = 5; x <= 50; x++) {
    if (x != crossingX && x != switchX) {
      EXPECT_TRUE(SetCell(x, 30, 0, TRACK_WE));
    }
  }
  EXPECT_TRUE(SetCell(crossingX, 30, 0, 32));
  EXPECT_EQ(PlaceTestSwitch(switchX, 30, 0, SWITCH_E_SE, type), 0);
  for (int i = 1; i <= 8; i++) EXPECT_TRUE(SetCell(switchX + i, 30 + i, 0, TRACK_NWSE));
  return FindSwitchRecord(switchX, 30, 0, 0);
}

// The dumps every 50 ticks, the grid marks checked against the trains after each tick.
std::string RunChecked(int ticks) {
  std::string out;
  for (int tick = 1; tick <= ticks; tick++) {
    AdvanceClock();
    std::string wrong = CheckTrainCells(0, 25, 55, 45, 0);
    EXPECT_EQ(wrong, "") << "tick " << tick;
    if (!wrong.empty()) break;
    if (tick % 50 == 0) out += "tick " + std::to_string(tick) + "\n" + DumpTrains();
  }
  return out;
}

// A code that a train running east enters straight as the element class given (the first of the
// symbol table).
CellCode CodeOfClassEastward(int elementClass) {
  for (CellCode code = 0; code < 0x4000; code++) {
    int cls;
    if (NextCellClass(1, 0, code, &cls, 1) == MOVE_STRAIGHT && cls == elementClass) return code;
  }
  return CELL_EMPTY;
}

// The first buffer-stop code that a train running in the direction meets as a buffer stop.
CellCode BufferStopFacing(int dx) {
  for (CellCode code = 0; code < 0x4000; code++) {
    int cls;
    NextCellClass(dx, 0, code, &cls, 1);
    if (cls == ELEM_BUFFER_STOP) return code;
  }
  return CELL_EMPTY;
}
}  // namespace

// A route-list switch on the reserved path: the first train finds the exit recorded on the switch
// (the through way, though its default is the branch), reserves and passes by it and clears it;
// the second, finding none recorded, records its default (the branch), reserves and passes by that.
TEST_F(HeadlessFixture, TrainsReserveOverARouteSwitch) {
  SwitchControl* r = BuildCrossingAndSwitch(20, 23, SWITCH_ROUTE2);
  ASSERT_NE(r, nullptr);
  r->data.route.flags = ROUTE_RECORDED_EXIT1;
  TrainSpec first;
  first.cells = {{16, 30}, {15, 30}, {14, 30}};
  ASSERT_NE(PlaceTrain(first), nullptr);
  TrainSpec second;
  second.subNumber = 2;
  second.cells = {{9, 30}, {8, 30}, {7, 30}};
  ASSERT_NE(PlaceTrain(second), nullptr);
  std::string text = RunChecked(1000);
  EXPECT_EQ(r->data.route.flags & ROUTE_RECORDED_MASK, 0u);  // each pass cleared its record
  ExpectGolden("reserve_route", text);
}

// A switch whose decision is to stop (no exit open) makes the reservation from the crossing fail:
// the train waits before the crossing with nothing marked. Once an exit opens (its expression
// emptied), the reservation ends at the switch, whose decision carries the stop mark, and the
// train runs on by that exit.
TEST_F(HeadlessFixture, ASwitchThatStopsKeepsTheTrainBeforeIt) {
  SwitchControl* r = BuildCrossingAndSwitch(21, 23, SWITCH_STATES);
  ASSERT_NE(r, nullptr);
  for (int e = 0; e < 2; e++) r->data.states.length[e] = 1, r->data.states.tokens[e][0] = 1;
  TrainSpec s;
  s.cells = {{16, 30}, {15, 30}, {14, 30}};
  ASSERT_NE(PlaceTrain(s), nullptr);
  std::string text = RunChecked(500);
  for (int x = 5; x <= 50; x++) EXPECT_NE(GetCell(x, 30, 0) & 0xC000, CELL_MARK_BIT) << x;
  r->data.states.length[1] = 0;  // the branch is open
  text += "branch open\n" + RunChecked(500);
  ExpectGolden("reserve_switch_stop", text);
}

// A path shorter than two cells before a signal: the first train, given a new goal on the
// crossing with only the signal left ahead, keeps no reservation and runs on into the signal; the
// second reserves the crossing and the signal, the shortest reservation there is.
TEST_F(HeadlessFixture, APathShorterThanTwoCellsBeforeASignal) {
  CellCode signal = CodeOfClassEastward(ELEM_SIGNAL);
  ASSERT_NE(signal, CELL_EMPTY);
  for (int x = 5; x <= 50; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
  ASSERT_TRUE(SetCell(20, 30, 0, 32));
  ASSERT_TRUE(SetCell(21, 30, 0, signal));
  TrainSpec first;
  first.cells = {{16, 30}, {15, 30}, {14, 30}};
  TrainRecord* t = PlaceTrain(first);
  ASSERT_NE(t, nullptr);
  t->homeDepot = 1, t->homeSlot = 1;
  TrainSpec second;
  second.subNumber = 2;
  second.cells = {{9, 30}, {8, 30}, {7, 30}};
  ASSERT_NE(PlaceTrain(second), nullptr);
  std::string text;
  int given = 0;
  for (int tick = 1; tick <= 800; tick++) {
    AdvanceClock();
    if (!given && TrainPositions(t)[0].x == 20) {
      ASSERT_TRUE(t->flags & TRAIN_RESERVING);
      ASSERT_EQ(t->reservedCells, 1);
      SetPendingChange(t, 0, 0);  // searched again from the crossing: only the signal is left
      EXPECT_FALSE(t->flags & TRAIN_RESERVING);
      EXPECT_EQ(GetCell(21, 30, 0), signal);
      text += "tick " + std::to_string(tick) + " new goal\n" + DumpTrains();
      given = 1;
    }
    ASSERT_EQ(CheckTrainCells(0, 25, 55, 45, 0), "") << tick;
    if (tick % 50 == 0) text += "tick " + std::to_string(tick) + "\n" + DumpTrains();
  }
  EXPECT_EQ(given, 1);
  ExpectGolden("reserve_short_signal", text);
}

// A train of 200 vehicles, 200 cells long, holding 202 cells (a joined train keeps the cells of
// both): its cells reach 202 cells behind the head while it runs, and every cell holding its code
// is found as one of its cells.
TEST_F(HeadlessFixture, ALongTrainIsFoundAtEveryCellItHolds) {
  for (int x = 10; x <= 700; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
  TrainSpec s;
  for (int x = 260; x >= 59; x--) s.cells.push_back({x, 30});
  s.vehicles = 200;
  s.length = 200 * 32;
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  int farthest = 0;
  for (int tick = 1; tick <= 400; tick++) {
    AdvanceClock();
    ASSERT_EQ(CheckTrainCells(10, 30, 700, 30, 0), "") << tick;
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++)
      if (p[i].codeUnder != 65535 && (int)(p[0].x - p[i].x) > farthest)
        farthest = (int)(p[0].x - p[i].x);
  }
  EXPECT_EQ(farthest, 202);  // the tail entry in use, 202 cells behind the head
  EXPECT_GT(TrainPositions(t)[0].x, 270u);
}

// A shuttle between two buffer stops: the train turns round before each (its cells and vehicles
// reversed, the offset set from its length of 2.5 cells), stops there and runs back; it never
// enters a buffer stop and its cells agree with the grid after every tick.
TEST_F(HeadlessFixture, ATrainShuttlesBetweenBufferStops) {
  CellCode east = BufferStopFacing(1), west = BufferStopFacing(-1);
  ASSERT_NE(east, CELL_EMPTY);
  ASSERT_NE(west, CELL_EMPTY);
  for (int x = 11; x <= 24; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
  ASSERT_TRUE(SetCell(25, 30, 0, east));
  ASSERT_TRUE(SetCell(10, 30, 0, west));
  TrainSpec s;
  s.cells = {{16, 30}, {15, 30}, {14, 30}};
  s.length = 80;
  s.vehicles = 2;
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  std::string text = RunChecked(1500);
  EXPECT_EQ(GetCell(25, 30, 0), east);
  EXPECT_EQ(GetCell(10, 30, 0), west);
  ExpectGolden("buffer_stop_shuttle", text);
}
