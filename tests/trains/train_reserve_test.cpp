// Reserved paths: reserving over a crossing and a ratio switch (the switch's counter is advanced
// once per train, when it passes, and the train takes the exit it reserved), the grid's edge, the
// marks released when a move ends the reservation, the queries, the box release and the diagonal
// conflict of two trains at an X crossing.
#include <gtest/gtest.h>
#include <vector>
#include "elements/element_services.h"
#include "trains/headless_run.h"
#include "trains/train_move.h"
#include "trains/train_reserve.h"
#include "trains/train_running.h"

using namespace headless;

namespace {
constexpr CellCode CROSSING = 32;  // crossing of the west-east and north-south ways

int NoEvent(int, int, int, int, int, int, int, int32_t) { return 0; }

struct ReserveFixture : ::testing::Test {
  void SetUp() override {
    ResetNetwork();
    TrainMoveEventSink = NoEvent;
  }
  void TearDown() override {
    ResetNetwork();
    TrainMoveEventSink = AddEventDisplayEntry;
    TrainLogSink = LogTrainEvent;
  }
  // Row y = 30 from x = 10 to 40 running east: a crossing at 16, a ratio switch at 18 whose branch
  // leaves south-east over (19, 31) .. (24, 36). Exit 1 the through way, exit 2 the branch.
  static SwitchControl* BuildRatioNetwork(uint32_t counter) {
    for (int x = 10; x <= 40; x++) {
      if (x != 16 && x != 18) {
        EXPECT_TRUE(SetCell(x, 30, 0, TRACK_WE));
      }
    }
    EXPECT_TRUE(SetCell(16, 30, 0, CROSSING));
    EXPECT_EQ(PlaceTestSwitch(18, 30, 0, SWITCH_E_SE, SWITCH_RATIO), 0);
    for (int i = 1; i <= 6; i++) EXPECT_TRUE(SetCell(18 + i, 30 + i, 0, TRACK_NWSE));
    SwitchControl* r = FindSwitchRecord(18, 30, 0, 0);
    EXPECT_NE(r, nullptr);
    r->data.ratio.count[0] = 1, r->data.ratio.count[1] = 1, r->data.ratio.count[2] = 0;
    r->data.ratio.counter = counter;
    return r;
  }
  static TrainRecord* FourCellTrainAt15() {
    TrainSpec s;
    s.cells = {{15, 30}, {14, 30}, {13, 30}, {12, 30}};
    return PlaceTrain(s);
  }
  static std::vector<ReservedCell> Kept(TrainRecord* t) {
    std::vector<ReservedCell> v;
    for (int i = 0; i < t->reservedCells; i++) v.push_back(t->reservedPath[t->reservedFirst + i]);
    return v;
  }
  static int Marked(int x, int y) { return (GetCell(x, y, 0) & 0xC000) == CELL_MARK_BIT; }
};

bool operator==(const ReservedCell& a, const ReservedCell& b) {
  return a.x == b.x && a.y == b.y && a.level == b.level;
}
}  // namespace

// Reserving walks over the crossing and the switch by the exit the switch would give now, marks
// those cells and keeps them in order; the switch's counter is not advanced by reserving. The
// train then passes the switch by the reserved exit, advancing the counter exactly once.
TEST_F(ReserveFixture, ARatioSwitchIsReservedWithoutAdvancingAndPassedByItsReservedExit) {
  struct Case {
    uint32_t counter;          // 2: exit 1 (straight) now, 1: exit 2 (branch)
    ReservedCell afterSwitch;  // the first kept cell behind the switch
    uint32_t counterAfter;     // advanced once when the train passed
  };
  const Case cases[] = {{2, {19, 30, 0}, 1}, {1, {19, 31, 0}, 2}};
  for (const Case& c : cases) {
    SetUp();
    SwitchControl* r = BuildRatioNetwork(c.counter);
    TrainRecord* t = FourCellTrainAt15();
    ASSERT_NE(t, nullptr);
    ASSERT_EQ(ReserveAhead(t, 1), 1);
    ASSERT_TRUE(t->flags & TRAIN_RESERVING) << c.counter;
    std::vector<ReservedCell> kept = Kept(t);
    ASSERT_GE(kept.size(), 4u);
    EXPECT_TRUE(kept[0] == (ReservedCell{16, 30, 0}));
    EXPECT_TRUE(kept[2] == (ReservedCell{18, 30, 0}));
    EXPECT_TRUE(kept[3] == c.afterSwitch) << c.counter;
    for (const ReservedCell& k : kept) EXPECT_TRUE(Marked(k.x, k.y)) << k.x << "," << k.y;
    EXPECT_EQ(r->data.ratio.counter, c.counter);  // reserving decides, it does not advance
    // A second reservation attempt over the same cells finds them marked.
    EXPECT_EQ(FindTrainReservingCell(18, 30, 0), t);
    // Run the train over the switch.
    for (int i = 0; i < 4; i++) {
      TrainPosition head = {};
      ASSERT_GE(MoveTrainOneCell(t, &head), MOVE_CELL_STRAIGHT) << i;
      TrainPosition* p = TrainPositions(t);
      if (head.cell) *head.cell = t->cellCode;
      if (p[t->positionCount].codeUnder != 65535 && p[t->positionCount].cell)
        *p[t->positionCount].cell = p[t->positionCount].codeUnder;
      for (int k = t->positionCount; k > 0; k--) p[k] = p[k - 1];
      p[0] = head;
      if (t->flags & TRAIN_RESERVING) DropFirstReservedCell(t);
    }
    TrainPosition* p = TrainPositions(t);
    EXPECT_EQ((int)p[0].x, c.afterSwitch.x) << c.counter;
    EXPECT_EQ((int)p[0].y, c.afterSwitch.y) << c.counter;
    EXPECT_EQ(r->data.ratio.counter, c.counterAfter) << c.counter;
  }
}

// Even when the switch's decision changes after the reservation (another rule, a reset), the
// train follows the cells it marked and no mark is left behind.
TEST_F(ReserveFixture, ATrainKeepsToItsReservedCellsWhenTheDecisionChanges) {
  SwitchControl* r = BuildRatioNetwork(2);  // straight on
  TrainRecord* t = FourCellTrainAt15();
  ASSERT_EQ(ReserveAhead(t, 1), 1);
  r->data.ratio.counter = 1;  // now the branch
  AdvanceTicks(300);
  EXPECT_EQ(CheckTrainCells(5, 25, 45, 40, 0), "");
  EXPECT_GT(TrainPositions(t)[0].x, 22u);
  EXPECT_EQ(TrainPositions(t)[0].y, 30u);  // stayed on the through way
  for (int x = 10; x <= 40; x++) EXPECT_FALSE(Marked(x, 30)) << x;
  for (int i = 1; i <= 6; i++) EXPECT_FALSE(Marked(18 + i, 30 + i)) << i;
}

// The walk never leaves the grid: a switch at the east edge whose exit leads off it is no track,
// nothing is marked and the train is refused; the same way one cell in from the edge reserves.
TEST_F(ReserveFixture, TheWalkStopsAtTheGridsEdge) {
  struct Case {
    int switchX;
    int result;
    int marked;
  };
  const Case cases[] = {{GRID_MAX_XY, 0, 0}, {GRID_MAX_XY - 1, 1, 1}};
  for (const Case& c : cases) {
    SetUp();
    int x0 = c.switchX - 4;
    for (int x = x0 - 3; x <= GRID_MAX_XY; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
    ASSERT_TRUE(SetCell(x0 + 1, 30, 0, CROSSING));
    ASSERT_EQ(PlaceTestSwitch(c.switchX, 30, 0, SWITCH_E_SE, SWITCH_FIXED1), 0);
    TrainSpec s;
    s.cells = {{x0, 30}, {x0 - 1, 30}, {x0 - 2, 30}, {x0 - 3, 30}};
    TrainRecord* t = PlaceTrain(s);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(ReserveAhead(t, 1), c.result) << c.switchX;
    EXPECT_EQ(Marked(x0 + 1, 30), c.marked) << c.switchX;
    EXPECT_EQ(Marked(c.switchX, 30), c.marked) << c.switchX;
    EXPECT_EQ(GetCell(0, 30, 0), CELL_EMPTY);  // nothing wrapped round to the west edge
    EXPECT_EQ(GetCell(0, 31, 0), CELL_EMPTY);
  }
}

// A move that ends the reservation before its last cell (the way ahead is no longer the marked
// one) clears the marks left ahead; so does a block release across the path.
TEST_F(ReserveFixture, MarksLeftAheadAreReleasedWithTheFlag) {
  BuildRatioNetwork(2);
  TrainRecord* t = FourCellTrainAt15();
  ASSERT_EQ(ReserveAhead(t, 1), 1);
  std::vector<ReservedCell> kept = Kept(t);
  // The first marked cell becomes plain track without the mark (as an edit would): the move no
  // longer finds it reserved and needs no reservation there.
  ASSERT_TRUE(SetCell(16, 30, 0, TRACK_WE));
  TrainPosition head = {};
  MoveTrainOneCell(t, &head);
  EXPECT_FALSE(t->flags & TRAIN_RESERVING);
  for (const ReservedCell& k : kept) EXPECT_FALSE(Marked(k.x, k.y)) << k.x << "," << k.y;
  EXPECT_EQ(FindTrainReservingCell(18, 30, 0), nullptr);
}

// A block box across the path: partly inside always releases, wholly inside (with the head) only
// in mode 1, and a box away from it releases nothing.
TEST_F(ReserveFixture, ReleasingReservationsInABox) {
  struct Case {
    int x0, y0, x1, y1, mode;
    int released;
  };
  const Case cases[] = {
      {17, 29, 18, 31, 0, 1},  // the switch only: partly inside
      {10, 25, 40, 40, 0, 0},  // all inside, mode 0 keeps it
      {10, 25, 40, 40, 1, 1},  // all inside, mode 1 releases
      {30, 35, 40, 40, 1, 0},  // none inside
  };
  for (const Case& c : cases) {
    SetUp();
    BuildRatioNetwork(2);
    TrainRecord* t = FourCellTrainAt15();
    ASSERT_EQ(ReserveAhead(t, 1), 1);
    std::vector<ReservedCell> kept = Kept(t);
    EXPECT_EQ(ReleaseTrainReservationsInRect(c.x0, c.y0, 0, c.x1, c.y1, 0, c.mode), c.released)
        << c.x0;
    EXPECT_EQ((t->flags & TRAIN_RESERVING) != 0, !c.released) << c.x0;
    for (const ReservedCell& k : kept) EXPECT_EQ(Marked(k.x, k.y), !c.released) << c.x0;
  }
}

// Two trains at an X crossing of the diagonals: the corners of a diagonal step reserved by one
// train, or held by a train's head with the other corner reserved for it, stop the step.
TEST_F(ReserveFixture, DiagonalStepsDoNotCutThroughAnotherTrainsPath) {
  // Train A runs south-east with its head at (19, 19) and reserves (20, 20) and (21, 21).
  for (int i = 15; i <= 25; i++) ASSERT_TRUE(SetCell(i, i, 0, TRACK_NWSE));
  TrainSpec a;
  a.cells = {{19, 19}, {18, 18}};
  a.dx = 1, a.dy = 1;
  TrainRecord* ta = PlaceTrain(a);
  ASSERT_NE(ta, nullptr);
  ASSERT_EQ(MarkReservation(ta, 2), 1);
  ta->flags |= TRAIN_RESERVING;
  TrainSpec b;
  b.subNumber = 2;
  b.cells = {{40, 40}};
  TrainRecord* tb = PlaceTrain(b);
  ASSERT_NE(tb, nullptr);
  struct Case {
    const char* what;
    int fromX, fromY, toX, toY;
    int conflict;
  };
  const Case cases[] = {
      {"both corners reserved by A", 21, 20, 20, 21, 1},
      {"A's head and a cell reserved for A", 19, 20, 20, 19, 1},
      {"one reserved corner only", 20, 19, 21, 20, 0},
      {"a straight step", 20, 21, 21, 21, 0},
  };
  for (const Case& c : cases) {
    int dx = c.toX - c.fromX, dy = c.toY - c.fromY;
    EXPECT_EQ(CheckReservationConflict(c.fromX, c.fromY, 0, c.toX, c.toY, 0, tb, dx, dy, 0),
              c.conflict)
        << c.what;
  }
  // Once A's reservation is released its corners are free again.
  ReleaseTrainReservation(ta);
  EXPECT_EQ(CheckReservationConflict(21, 20, 0, 20, 21, 0, tb, -1, 1, 0), 0);
}

// Reversing: the offset set from the length (40 -> 24, 64 -> 0), the cells in reverse order with
// the cell ahead of the old head as the new tail entry, the leave trigger of a passed signal
// staying with its cell, the vehicles reversed and turned (a symmetric one keeps its facing), the
// reservation released; a train whose last covered entry is unused is refused.
TEST_F(ReserveFixture, ReversingATrain) {
  struct Case {
    int32_t length;
    int offset;
  };
  const Case cases[] = {{40, 24}, {64, 0}};
  for (const Case& c : cases) {
    SetUp();
    for (int x = 10; x <= 30; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
    ASSERT_TRUE(SetCell(16, 30, 0, CROSSING));
    TrainSpec s;
    s.cells = {{15, 30}, {14, 30}, {13, 30}};
    s.length = c.length;
    s.vehicles = 2;
    TrainRecord* t = PlaceTrain(s);
    ASSERT_NE(t, nullptr);
    TrainVehicleEntry* v = TrainVehicles(t);
    v[0].id = 7, v[1].id = 9, v[1].flags = 1;  // the second vehicle is symmetric
    TrainPositions(t)[0].vehicleMark |= 0x80;  // a signal passed at (15, 30)
    ASSERT_EQ(ReserveAhead(t, 1), 1);
    ASSERT_TRUE(t->flags & TRAIN_RESERVING);
    EXPECT_EQ(ReverseTrain(t, 1, 0), 0) << c.length;
    TrainPosition* p = TrainPositions(t);
    EXPECT_EQ(p[0].x, 13u);
    EXPECT_EQ(p[2].x, 15u);
    EXPECT_EQ(p[3].x, 16u);  // the new tail entry: the cell ahead of the old head, unused
    EXPECT_EQ(p[3].codeUnder, 65535);
    EXPECT_EQ(t->dx, -1);
    EXPECT_EQ(t->dy, 0);
    EXPECT_EQ(p[2].vehicleMark & 0x80, 0x80);  // the mark went with (15, 30)
    EXPECT_EQ(p[0].vehicleMark & 0x80, 0);
    EXPECT_EQ(t->subCellOffset, c.offset) << c.length;
    EXPECT_TRUE(t->flags & TRAIN_TURNED);
    EXPECT_FALSE(t->flags & TRAIN_RESERVING);
    EXPECT_FALSE(Marked(16, 30));
    EXPECT_EQ(v[0].id, 9u);
    EXPECT_EQ(v[0].flags & 0x8000, 0u);  // symmetric: not turned
    EXPECT_EQ(v[1].id, 7u);
    EXPECT_EQ(v[1].flags & 0x8000, 0x8000u);
    EXPECT_EQ(CheckTrainCells(5, 25, 35, 35, 0), "");
  }
  // A train not wholly on the grid (its last covered entry unused) is not turned.
  SetUp();
  for (int x = 10; x <= 30; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
  TrainSpec s;
  s.cells = {{15, 30}, {14, 30}};
  TrainRecord* t = PlaceTrain(s);
  ASSERT_NE(t, nullptr);
  TrainPositions(t)[1].codeUnder = 65535;
  SetCell(14, 30, 0, TRACK_WE);
  EXPECT_EQ(ReverseTrain(t, 0, 0), 1);
  EXPECT_FALSE(t->flags & TRAIN_TURNED);
}

namespace {
struct LogLine {
  int x, y, level, kind;
  int32_t time;
  uint32_t subNumber;
};
std::vector<LogLine> LogLines;
int RecordLogLine(int x, int y, int level, int, int, int, int, int, int kind, int32_t time,
                  uint32_t, uint32_t, uint32_t number, uint32_t) {
  LogLines.push_back({x, y, level, kind, time, number});
  return 0;
}
bool operator==(const LogLine& a, const LogLine& b) {
  return a.x == b.x && a.y == b.y && a.level == b.level && a.kind == b.kind && a.time == b.time &&
         a.subNumber == b.subNumber;
}
int InQueue(TrainRecord* q, TrainRecord* t) {
  for (; q; q = q->nextInQueue)
    if (q == t) return 1;
  return 0;
}
void Hold(TrainRecord* t) {
  DequeueTrainByState(t);
  t->flags |= TRAIN_HELD;
  EnqueueTrainByState(t);
}
}  // namespace

// A held train runs again when the element at its head lets it go (log line of kind 2 with the
// time of day) or when it turns round (kind 4, written at the cell it stood on); a cell of its
// body, another level or a cell without a held head lets nothing go.
TEST_F(ReserveFixture, HeldTrainsRunAgain) {
  for (int x = 10; x <= 40; x++) ASSERT_TRUE(SetCell(x, 30, 0, TRACK_WE));
  TrainSpec a;
  a.cells = {{15, 30}, {14, 30}};
  TrainRecord* first = PlaceTrain(a);
  TrainSpec b;
  b.subNumber = 2;
  b.cells = {{30, 30}, {29, 30}, {28, 30}};
  TrainRecord* second = PlaceTrain(b);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  Hold(first);
  Hold(second);
  LogLines.clear();
  TrainLogSink = RecordLogLine;
  EXPECT_EQ(ReleaseHeldTrainAt(14, 30, 0), 1);   // the body, not the head
  EXPECT_EQ(ReleaseHeldTrainAt(15, 30, -1), 1);  // another level
  EXPECT_EQ(ReleaseHeldTrainAt(20, 30, 0), 1);   // no train
  EXPECT_TRUE(LogLines.empty());
  EXPECT_EQ(ReleaseHeldTrainAt(15, 30, 0), 0);
  EXPECT_FALSE(first->flags & TRAIN_HELD);
  EXPECT_TRUE(InQueue(Trains.running, first));
  EXPECT_FALSE(InQueue(Trains.held, first));
  EXPECT_TRUE(InQueue(Trains.held, second));
  EXPECT_EQ(LogLines, (std::vector<LogLine>{{15, 30, 0, TRAINLOG_HELD_RELEASED, -1, 1}}));
  EXPECT_EQ(ReleaseHeldTrainAt(15, 30, 0), 1);  // a running train is not let go twice
  EXPECT_EQ(LogLines.size(), 1u);
  // Turning round lets the held train go, logged where its head stood.
  EXPECT_EQ(ReverseTrain(second, 1, 0), 0);
  EXPECT_FALSE(second->flags & TRAIN_HELD);
  EXPECT_TRUE(InQueue(Trains.running, second));
  EXPECT_EQ(Trains.held, nullptr);
  ASSERT_EQ(LogLines.size(), 2u);
  EXPECT_EQ(LogLines[1], (LogLine{30, 30, 0, TRAINLOG_TP_RELEASED, -1, 2}));
  EXPECT_EQ(TrainPositions(second)[0].x, 28u);
  // A running train turning round writes no log line.
  EXPECT_EQ(ReverseTrain(first, 1, 0), 0);
  EXPECT_EQ(LogLines.size(), 2u);
}
