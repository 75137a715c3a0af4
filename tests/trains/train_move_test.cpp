// Moving a train one cell: plain track straight, diagonal and round curves; trains driven along a
// small network with their codes in the grid; the blocking cases (no way, reserved cells, a train
// ahead); the grid edge and the lowest level; switches, signals and ramps.
#include <gtest/gtest.h>
#include <vector>
#include "core/misc.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_move.h"
#include "trains/train_services.h"

namespace {
struct Event {
  int kind, x, y, level;
};
std::vector<Event> Events;
int RecordEvent(int kind, int x, int y, int level, int line, int secondLine, int subNumber,
                int32_t value) {
  Events.push_back({kind, x, y, level});
  return 0;
}

struct Cell {
  int x, y, level;
};

struct MoveFixture : ::testing::Test {
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    ResetTrains();
    ClearSwitches();
    Events.clear();
    TrainMoveEventSink = RecordEvent;
  }
  void TearDown() override {
    TrainMoveEventSink = AddEventDisplayEntry;
    AskSwitchExitHook = AskSwitchExit;
    ResetTrains();
    ClearSwitches();
  }
  static void Put(int x, int y, int level, uint32_t code) {
    ASSERT_EQ(SetCell(x, y, level, code), 1);
  }
  // A running train on the cells (head first) travelling (dx, dy), its code in the grid.
  TrainRecord* Place(std::vector<Cell> cells, int dx, int dy, uint32_t wayKinds = WAYKIND_FIRST,
                     uint32_t sub = 1) {
    TrainRecord* t = AllocTrainRecord((int)cells.size(), 1);
    t->line = 1;
    t->subNumber = sub;
    t->wayKinds = wayKinds;
    t->dx = dx, t->dy = dy;
    t->maxSpeed = 80000;
    t->decrement = 10;
    TrainPosition* p = TrainPositions(t);
    for (size_t i = 0; i < cells.size(); i++) {
      p[i].x = (uint32_t)cells[i].x, p[i].y = (uint32_t)cells[i].y, p[i].level = cells[i].level;
      p[i].cell = GetCellAddress(cells[i].x, cells[i].y, cells[i].level);
      p[i].codeUnder = GetCell(cells[i].x, cells[i].y, cells[i].level);
    }
    EXPECT_EQ(InsertTrain(t), 0);
    for (size_t i = 0; i < cells.size(); i++)
      if (p[i].cell) *p[i].cell = t->cellCode;
    return t;
  }
  // The train holds a reservation of these cells (their marks are the caller's).
  static void Keep(TrainRecord* t, std::vector<Cell> cells) {
    t->flags |= TRAIN_RESERVING;
    t->reservedCells = (int)cells.size();
    t->reservedPath = (ReservedCell*)MemAlloc(cells.size() * sizeof(ReservedCell));
    t->reservedCapacity = (int)cells.size();
    for (size_t i = 0; i < cells.size(); i++)
      t->reservedPath[i] = {cells[i].x, cells[i].y, cells[i].level};
  }
  // One whole-cell step as the running step does it: the new head's cell takes the train's code,
  // the positions shift and the cell the tail leaves gets its code back.
  static int Step(TrainRecord* t) {
    TrainPosition head = {};
    int r = MoveTrainOneCell(t, &head);
    if (r < 4) return r;
    TrainPosition* p = TrainPositions(t);
    if (head.cell) *head.cell = t->cellCode;
    for (int i = t->positionCount; i > 0; i--) p[i] = p[i - 1];
    p[0] = head;
    TrainPosition& tail = p[t->positionCount];
    if (tail.codeUnder != 65535 && tail.cell) *tail.cell = tail.codeUnder;
    tail.codeUnder = 65535;
    return r;
  }
  static Cell HeadOf(TrainRecord* t) {
    TrainPosition* p = TrainPositions(t);
    return {(int)p[0].x, (int)p[0].y, p[0].level};
  }
};
}  // namespace

// A move over plain track: the new cell, the code under it, the result by step and turn.
TEST_F(MoveFixture, PlainTrackStraightDiagonalAndCurves) {
  struct Case {
    uint32_t code;
    int dx, dy;
    int result, ndx, ndy;
  };
  const Case cases[] = {
      {0, 1, 0, MOVE_CELL_STRAIGHT, 1, 0},  // straight along x
      {0, -1, 0, MOVE_CELL_STRAIGHT, -1, 0},
      {1, 0, -1, MOVE_CELL_STRAIGHT, 0, -1},  // straight along y
      {2, 1, 1, MOVE_CELL_DIAGONAL, 1, 1},    // diagonal
      {3, -1, 1, MOVE_CELL_DIAGONAL, -1, 1},
      {8, 1, 0, MOVE_CELL_TURNED, 0, 1},               // quarter curve east to south
      {8, 0, -1, MOVE_CELL_TURNED, -1, 0},             // and back north to west
      {24, 0, -1, MOVE_CELL_DIAGONAL_TURNED, -1, -1},  // straight into a diagonal
      {24, 1, 1, MOVE_CELL_TURNED, 0, 1},              // diagonal into straight
      {0x0200 | 0, 1, 0, MOVE_CELL_STRAIGHT, 1, 0},    // another track kind of the first way kind
  };
  for (const Case& c : cases) {
    SetUp();
    Put(10, 10, 0, c.code);
    TrainRecord* t = Place({{10 - c.dx, 10 - c.dy, 0}}, c.dx, c.dy);
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), c.result) << c.code << " (" << c.dx << "," << c.dy << ")";
    EXPECT_EQ(head.x, 10u);
    EXPECT_EQ(head.y, 10u);
    EXPECT_EQ(head.level, 0);
    EXPECT_EQ(head.codeUnder, c.code);
    EXPECT_EQ(head.cell, GetCellAddress(10, 10, 0));
    EXPECT_EQ(t->dx, c.ndx) << c.code;
    EXPECT_EQ(t->dy, c.ndy) << c.code;
    EXPECT_EQ(t->dz, 0);
    EXPECT_TRUE(Events.empty());
  }
}

// A three-cell train runs round a closed loop of straights, curves and a diagonal: every step
// moves it, the grid holds its code exactly on its cells and the track comes back behind it.
TEST_F(MoveFixture, TrainRunsRoundALoopAndGivesTheTrackBack) {
  std::vector<std::pair<Cell, uint32_t>> loop = {
      {{5, 5, 0}, 11},                                       // corner north to east
      {{10, 5, 0}, 28},                                      // east into south-east
      {{11, 6, 0}, 2},  {{12, 7, 0}, 2},                     // diagonal
      {{13, 8, 0}, 24},                                      // south-east into south
      {{13, 9, 0}, 1},  {{13, 10, 0}, 1}, {{13, 11, 0}, 9},  // corner south to west
      {{5, 11, 0}, 10},                                      // corner west to north
  };
  for (int x = 6; x <= 9; x++) loop.push_back({{x, 5, 0}, 0});
  for (int x = 6; x <= 12; x++) loop.push_back({{x, 11, 0}, 0});
  for (int y = 6; y <= 10; y++) loop.push_back({{5, y, 0}, 1});
  for (auto& c : loop) Put(c.first.x, c.first.y, 0, c.second);
  TrainRecord* t = Place({{8, 5, 0}, {7, 5, 0}, {6, 5, 0}}, 1, 0);
  int diagonal = 0;
  for (int step = 0; step < 2 * (int)loop.size(); step++) {
    int r = Step(t);
    ASSERT_TRUE(r == MOVE_CELL_STRAIGHT || r == MOVE_CELL_TURNED || r == MOVE_CELL_DIAGONAL ||
                r == MOVE_CELL_DIAGONAL_TURNED)
        << "step " << step << " result " << r;
    diagonal += r >= MOVE_CELL_DIAGONAL;
    TrainPosition* p = TrainPositions(t);
    for (auto& c : loop) {
      int held = 0;
      for (int i = 0; i < t->positionCount; i++)
        held |= p[i].x == (uint32_t)c.first.x && p[i].y == (uint32_t)c.first.y;
      ASSERT_EQ(GetCell(c.first.x, c.first.y, 0), held ? t->cellCode : c.second)
          << "step " << step << " cell " << c.first.x << "," << c.first.y;
    }
  }
  EXPECT_EQ(diagonal, 2 * 3);  // into the diagonal, along it twice, per lap
  EXPECT_EQ(HeadOf(t).x, 8);
  EXPECT_EQ(HeadOf(t).y, 5);
  EXPECT_EQ(t->dx, 1);
  EXPECT_EQ(t->dy, 0);
  EXPECT_TRUE(Events.empty());
}

// Refusals: no event or one at the cell ahead, and the train, its cells and the grid unchanged.
TEST_F(MoveFixture, BlockedMovesLeaveTrainAndGridUnchanged) {
  struct Case {
    const char* what;
    uint32_t ahead;  // code of the cell ahead (0xFFFF: another train stands there)
    int dx, dy;
    uint32_t wayKinds, otherFlags;
    int otherDx, otherDy;
    int event;  // 0: none
  };
  const Case cases[] = {
      {"across a straight", 0, 0, -1, WAYKIND_FIRST, 0, 0, 0, 6},
      {"empty cell", CELL_EMPTY, 1, 0, WAYKIND_FIRST, 0, 0, 0, 6},
      {"user symbol", 0xE000, 1, 0, WAYKIND_FIRST, 0, 0, 0, 6},
      {"other way kind", 0, 1, 0, WAYKIND_SECOND, 0, 0, 0, 6},
      {"no way kind", 0, 1, 0, 0, 0, 0, 0, 6},
      {"back of a buffer stop", 168, 0, 1, WAYKIND_FIRST, 0, 0, 0, 6},
      {"ramp top entered directly", 218, 1, 0, WAYKIND_FIRST, 0, 0, 0, 6},
      {"ramp up seen from above", 187, -1, 0, WAYKIND_FIRST, 0, 0, 0, 6},
      {"reserved for another train", 0x4000 | 0, 1, 0, WAYKIND_FIRST, 0, 0, 0, 0},
      {"train standing across", 0xFFFF, 1, 0, WAYKIND_FIRST, 0, 0, 1, 0},
      {"train ahead running away", 0xFFFF, 1, 0, WAYKIND_FIRST, 0, 1, 0, 0},
      {"heads meet", 0xFFFF, 1, 0, WAYKIND_FIRST, 0, -1, 0, 7},
      {"hand-steered train", 0xFFFF, 1, 0, WAYKIND_FIRST, TRAIN_MANUAL, 1, 0, 12},
  };
  for (const Case& c : cases) {
    SetUp();
    int ax = 10, ay = 10;
    if (c.ahead == 0xFFFF) {
      Put(ax, ay, 0, 0);
      Put(ax, ay + 1, 0, 1);
      TrainRecord* other = Place({{ax, ay, 0}}, c.otherDx, c.otherDy, WAYKIND_FIRST, 2);
      if (c.otherFlags) {
        DequeueTrainByState(other);
        other->flags |= c.otherFlags;
      }
    } else {
      Put(ax, ay, 0, c.ahead);
    }
    Put(ax - c.dx, ay - c.dy, 0, 0);
    TrainRecord* t = Place({{ax - c.dx, ay - c.dy, 0}}, c.dx, c.dy, c.wayKinds);
    t->flags |= TRAIN_SKIP_STOP;  // kept through a refusal
    CellCode before = GetCell(ax, ay, 0);
    TrainPosition head = {7, 7, -3, nullptr, 0x1234, 5};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_BLOCKED) << c.what;
    EXPECT_EQ(head.codeUnder, 0x1234) << c.what;
    EXPECT_EQ(t->dx, c.dx) << c.what;
    EXPECT_EQ(t->dy, c.dy) << c.what;
    EXPECT_EQ(t->flags, TRAIN_SKIP_STOP) << c.what;
    EXPECT_EQ(TrainPositions(t)[0].x, (uint32_t)(ax - c.dx)) << c.what;
    EXPECT_EQ(GetCell(ax, ay, 0), before) << c.what;
    EXPECT_EQ(GetCell(ax - c.dx, ay - c.dy, 0), t->cellCode) << c.what;
    if (c.event) {
      ASSERT_EQ(Events.size(), 1u) << c.what;
      EXPECT_EQ(Events[0].kind, c.event) << c.what;
      EXPECT_EQ(Events[0].x, ax) << c.what;
      EXPECT_EQ(Events[0].y, ay) << c.what;
    } else {
      EXPECT_TRUE(Events.empty()) << c.what;
    }
  }
}

// A buffer stop ahead turns the train round before it (no event; the reservation the train held
// is released); the train does not enter it and then runs back the way it came.
TEST_F(MoveFixture, ABufferStopTurnsTheTrainRound) {
  Put(10, 10, 0, 168);
  for (int y = 11; y <= 16; y++) Put(10, y, 0, 1);
  TrainRecord* t = Place({{10, 11, 0}, {10, 12, 0}, {10, 13, 0}}, 0, -1);
  t->length = 96;
  Put(10, 9, 0, 1 | CELL_MARK_BIT);  // a cell it held reserved (from a walk that ended here)
  Keep(t, {{10, 9, 0}});
  TrainPosition head = {};
  EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_BLOCKED);
  EXPECT_TRUE(Events.empty());
  EXPECT_TRUE(t->flags & TRAIN_TURNED);
  EXPECT_FALSE(t->flags & TRAIN_RESERVING);
  EXPECT_EQ(GetCell(10, 10, 0), 168u);  // not entered
  EXPECT_EQ(GetCell(10, 9, 0), 1u);
  EXPECT_EQ(HeadOf(t).y, 13);
  EXPECT_EQ(t->dx, 0);
  EXPECT_EQ(t->dy, 1);
  for (int y = 11; y <= 13; y++) EXPECT_EQ(GetCell(10, y, 0), t->cellCode) << y;
  EXPECT_EQ(Step(t), MOVE_CELL_STRAIGHT);
  EXPECT_EQ(HeadOf(t).y, 14);
  EXPECT_EQ(GetCell(10, 11, 0), 1u);
}

// A next cell outside the grid or below the lowest level reads as empty: event 6, no move, and
// nothing is read or written through a folded-over address.
TEST_F(MoveFixture, GridEdgeAndLowestLevelEndTheWay) {
  struct Case {
    int x, y, level, dx, dy, dz;
  };
  const Case cases[] = {
      {GRID_MAX_XY, 10, 0, 1, 0, 0},
      {0, 10, 0, -1, 0, 0},
      {10, 0, 0, 0, -1, 0},
      {10, GRID_MAX_XY, 0, 0, 1, 0},
      {GRID_MAX_XY, GRID_MAX_XY, 0, 1, 1, 0},
      {0, 0, -2, -1, -1, 0},
      {10, 10, GRID_LEVEL_BOTTOM, 1, 0, -1},
  };
  for (const Case& c : cases) {
    SetUp();
    // Track wherever a folded position could land: the next row of blocks, the block beside, the
    // level index one past the lowest.
    for (int x : {0, 11, 64}) Put(x, 74, 0, 0);
    for (int y : {9, 10, 11}) Put(11, y, 0, 0);
    Put(c.x, c.y, c.level, c.dx && c.dy ? 2 : c.dx ? 0 : 1);
    TrainRecord* t = Place({{c.x, c.y, c.level}}, c.dx, c.dy);
    t->dz = c.dz;
    int blocks = Grid.blockCount;
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_BLOCKED) << c.x << "," << c.y << "," << c.level;
    ASSERT_EQ(Events.size(), 1u);
    EXPECT_EQ(Events[0].kind, 6);
    EXPECT_EQ(Events[0].x, c.x + c.dx);
    EXPECT_EQ(Events[0].y, c.y + c.dy);
    EXPECT_EQ(Events[0].level, c.level + c.dz);
    EXPECT_EQ(head.cell, nullptr);
    EXPECT_EQ(Grid.blockCount, blocks);
    EXPECT_EQ(t->dz, c.dz);
  }
}

// The train's own reservation: passed while cells remain, ended (mark removed) at its last cell;
// an unmarked cell ends it too.
TEST_F(MoveFixture, OwnReservationRunsOutAtItsLastCell) {
  struct Case {
    uint32_t code;
    int reserved;
    uint32_t flagAfter;
    CellCode gridAfter;
  };
  const Case cases[] = {
      {0x4000 | 0x0200, 5, TRAIN_RESERVING, 0x4000 | 0x0200},
      {0x4000 | 0x0200, 2, TRAIN_RESERVING, 0x4000 | 0x0200},
      {0x4000 | 0x0200, 1, 0, 0x0200},
      {0x0200, 5, 0, 0x0200},
  };
  for (const Case& c : cases) {
    SetUp();
    Put(10, 10, 0, c.code);
    Put(9, 10, 0, 0);
    TrainRecord* t = Place({{9, 10, 0}}, 1, 0);
    std::vector<Cell> kept;
    for (int i = 0; i < c.reserved; i++) kept.push_back({10 + i, 10, 0});
    Keep(t, kept);
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_STRAIGHT) << c.reserved;
    EXPECT_EQ(head.codeUnder, 0x0200);  // the code under a train never keeps the mark
    EXPECT_EQ(t->flags & TRAIN_RESERVING, c.flagAfter) << c.reserved;
    EXPECT_EQ(GetCell(10, 10, 0), c.gridAfter) << c.reserved;
  }
}

namespace {
uint32_t AskAnswer;
uint32_t FakeAsk(uint32_t proposal, SwitchControl*) { return AskAnswer; }
}  // namespace

// Switches: the control's exit turns the train; a stop without an exit keeps it before the switch;
// the user stopping in the question keeps it waiting; a switch without a record has no way.
TEST_F(MoveFixture, SwitchesDecideTheExit) {
  const uint32_t entryWest[4] = {4, 8, 16, 0};  // symbol 48: in from the west, out east or SE
  struct Case {
    const char* what;
    int type;        // 0: no control record
    uint32_t asked;  // the answer of the question to a selected train (0: not selected)
    int result, ndx, ndy, event;
  };
  const Case cases[] = {
      // Leaving a switch always counts as a turn, the straight way too.
      {"exit 1", SWITCH_FIXED1, 0, MOVE_CELL_TURNED, 1, 0, 0},
      {"exit 2", SWITCH_FIXED2, 0, MOVE_CELL_DIAGONAL_TURNED, 1, 1, 0},
      {"asked: exit 2 with stop mark", SWITCH_PLAIN, SWITCH_STOP_MARK | 16,
       MOVE_CELL_DIAGONAL_TURNED, 1, 1, 0},
      {"asked: stop, no exit", SWITCH_PLAIN, SWITCH_STOP_MARK, MOVE_CELL_BLOCKED, 1, 0, 0},
      {"asked: user stopped", SWITCH_PLAIN, SWITCH_USER_STOPPED, MOVE_CELL_STAYS, 1, 0, 0},
      {"no record", 0, 0, MOVE_CELL_BLOCKED, 1, 0, 6},
  };
  for (const Case& c : cases) {
    SetUp();
    Put(10, 10, 0, 48);
    Put(9, 10, 0, 0);
    if (c.type) {
      ASSERT_EQ(PlaceSwitch(10, 10, 0, 0, c.type, 1, entryWest, 0), 0);
    }
    TrainRecord* t = Place({{9, 10, 0}}, 1, 0);
    if (c.asked) {
      t->flags |= TRAIN_SELECTED;
      AskAnswer = c.asked;
      AskSwitchExitHook = FakeAsk;
    }
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), c.result) << c.what;
    EXPECT_EQ(t->dx, c.ndx) << c.what;
    EXPECT_EQ(t->dy, c.ndy) << c.what;
    EXPECT_EQ(Events.size(), c.event ? 1u : 0u) << c.what;
    if (c.event && !Events.empty()) {
      EXPECT_EQ(Events[0].kind, c.event);
    }
  }
  // Through the other ways the switch is run over without asking its control.
  SetUp();
  Put(10, 10, 0, 48);
  Put(11, 10, 0, 0);
  Put(11, 11, 0, 2);
  Put(9, 10, 0, 0);  // the way on behind the switch (these ways reserve the switch with it)
  TrainRecord* back = Place({{11, 10, 0}}, -1, 0);
  TrainRecord* fromDiagonal = Place({{11, 11, 0}}, -1, -1, WAYKIND_FIRST, 2);
  TrainPosition head = {};
  EXPECT_EQ(MoveTrainOneCell(back, &head), MOVE_CELL_STRAIGHT);
  ReleaseTrainReservation(back);  // the switch is free for the next train again
  EXPECT_EQ(MoveTrainOneCell(fromDiagonal, &head), MOVE_CELL_TURNED);
  EXPECT_EQ(fromDiagonal->dx, -1);
  EXPECT_EQ(fromDiagonal->dy, 0);
}

// Switches decided by the arrival direction take the record of the side the train comes from.
TEST_F(MoveFixture, ArrivalSwitchTakesTheRecordOfItsSide) {
  const uint32_t fromSouth[4] = {2, 32, 1, 0}, fromNorth[4] = {1, 2, 16, 0};
  Put(10, 10, 0, 12);
  Put(10, 11, 0, 1);
  Put(10, 9, 0, 1);
  Put(9, 9, 0, 2);  // the ways on behind the switch, reserved with it
  Put(11, 11, 0, 2);
  ASSERT_EQ(PlaceSwitch(10, 10, 0, 1, SWITCH_FIXED1, 1, fromSouth, 0), 0);
  ASSERT_EQ(PlaceSwitch(10, 10, 0, 2, SWITCH_FIXED2, 1, fromNorth, 0), 0);
  TrainRecord* up = Place({{10, 11, 0}}, 0, -1);
  TrainRecord* down = Place({{10, 9, 0}}, 0, 1, WAYKIND_FIRST, 2);
  TrainPosition head = {};
  EXPECT_EQ(MoveTrainOneCell(up, &head), MOVE_CELL_DIAGONAL_TURNED);  // north-west
  EXPECT_EQ(up->dx, -1);
  EXPECT_EQ(up->dy, -1);
  ReleaseTrainReservation(up);  // the switch is free for the train from the north again
  EXPECT_EQ(MoveTrainOneCell(down, &head), MOVE_CELL_DIAGONAL_TURNED);  // south-east
  EXPECT_EQ(down->dx, 1);
  EXPECT_EQ(down->dy, 1);
}

// Signals in their own direction end the reservation and the signal limits and mark the cell;
// the back of a signal only marks it; a distant signal clears limit 2.
TEST_F(MoveFixture, SignalsMarkTheCellAndSetLimits) {
  struct Case {
    const char* what;
    uint32_t code;
    int dy;
    uint8_t mark;
    int limit2, limit3, target;
    uint32_t reserving;
  };
  // Symbol 400 (shape 188): a signal for trains running north; 424 (shape 204): distant signal.
  const Case cases[] = {
      {"signal", 400, -1, VEHICLE_MARK_SIGNAL, 0, 0, 60000, 0},
      {"back of the signal", 400, 1, VEHICLE_MARK_SIGNAL, 30000, 40000, 30000, TRAIN_RESERVING},
      {"distant signal", 424, -1, 0, 0, 40000, 40000, TRAIN_RESERVING},
      {"back of the distant signal", 424, 1, 0, 30000, 40000, 30000, TRAIN_RESERVING},
  };
  for (const Case& c : cases) {
    SetUp();
    Put(10, 10, 0, 0x4000 | c.code);
    Put(10, 10 - c.dy, 0, 1);
    TrainRecord* t = Place({{10, 10 - c.dy, 0}}, 0, c.dy);
    TrainPositions(t)[0].vehicleMark = 0x80 | 3;
    Keep(t, {{10, 10, 0}, {10, 10 + c.dy, 0}, {10, 10 + 2 * c.dy, 0}, {10, 10 + 3 * c.dy, 0}});
    t->maxSpeed = 60000, t->limit2 = 30000, t->limit3 = 40000;
    ComputeTargetSpeed(t);
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_STRAIGHT) << c.what;
    EXPECT_EQ(head.vehicleMark, c.mark | 3) << c.what;  // the vehicle count stays with the slot
    EXPECT_EQ(t->limit2, c.limit2) << c.what;
    EXPECT_EQ(t->limit3, c.limit3) << c.what;
    EXPECT_EQ(t->targetSpeed, c.target) << c.what;
    EXPECT_EQ(t->flags & TRAIN_RESERVING, c.reserving) << c.what;
  }
}

// Ramps: up from the lower level onto the ramp above, down from the ramp foot to the level below,
// and the broken ramps with their events.
TEST_F(MoveFixture, RampsChangeTheLevel) {
  // At (5, 5): level -1 symbol 187 leads up for trains running east; level 0 symbol 218 is its
  // top for them and its foot for trains running west.
  auto build = [](int upper) {
    Put(4, 5, upper - 1, 0);
    Put(5, 5, upper - 1, 187);
    Put(5, 5, upper, 218);
    Put(6, 5, upper, 0);
  };
  for (int upper : {0, -2}) {
    SetUp();
    build(upper);
    TrainRecord* t = Place({{4, 5, upper - 1}, {3, 5, upper - 1}}, 1, 0);
    EXPECT_EQ(Step(t), MOVE_CELL_STRAIGHT);
    EXPECT_EQ(HeadOf(t).level, upper);
    EXPECT_EQ(TrainPositions(t)[0].codeUnder, 218);
    EXPECT_EQ(GetCell(5, 5, upper), t->cellCode);
    EXPECT_EQ(GetCell(5, 5, upper - 1), 187);  // the lower ramp cell is never held
    EXPECT_EQ(Step(t), MOVE_CELL_STRAIGHT);
    EXPECT_EQ(HeadOf(t).x, 6);
    EXPECT_EQ(HeadOf(t).level, upper);
    EXPECT_EQ(t->dz, 0);
  }
  SetUp();
  build(0);
  Put(6, 5, 0, 0);
  TrainRecord* down = Place({{6, 5, 0}}, -1, 0);
  EXPECT_EQ(Step(down), MOVE_CELL_STRAIGHT);
  EXPECT_EQ(HeadOf(down).level, 0);
  EXPECT_EQ(down->dz, -1);
  EXPECT_EQ(Step(down), MOVE_CELL_STRAIGHT);
  EXPECT_EQ(HeadOf(down).x, 4);
  EXPECT_EQ(HeadOf(down).level, -1);
  EXPECT_EQ(down->dz, 0);
  EXPECT_EQ(GetCell(5, 5, 0), 218);
  EXPECT_TRUE(Events.empty());

  struct Broken {
    const char* what;
    int level, dx;  // the train stands at (5 - dx, 5, level)
    Cell cells[2];  // codes put at (5, 5, cell.level): cell.x is the code, 0xFFFF none
    int event;
  };
  const Broken broken[] = {
      {"ramp up at the top level", 0, 1, {{187, 0, 0}, {0xFFFF, 0, 0}}, 5},
      {"ramp up without a top", -1, 1, {{187, 0, -1}, {0xFFFF, 0, 0}}, 3},
      {"ramp up under plain track", -1, 1, {{187, 0, -1}, {0, 0, 0}}, 3},
      {"ramp foot at the lowest level", -4, -1, {{218, 0, -4}, {0xFFFF, 0, 0}}, 5},
      {"ramp foot without a ramp below", 0, -1, {{218, 0, 0}, {0xFFFF, 0, 0}}, 4},
      {"ramp foot over a ramp the other way", 0, -1, {{218, 0, 0}, {186, 0, -1}}, 4},
  };
  for (const Broken& b : broken) {
    SetUp();
    for (const Cell& c : b.cells)
      if (c.x != 0xFFFF) Put(5, 5, c.level, (uint32_t)c.x);
    Put(5 - b.dx, 5, b.level, 0);
    TrainRecord* t = Place({{5 - b.dx, 5, b.level}}, b.dx, 0);
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_BLOCKED) << b.what;
    ASSERT_EQ(Events.size(), 1u) << b.what;
    EXPECT_EQ(Events[0].kind, b.event) << b.what;
    EXPECT_EQ(t->dz, 0) << b.what;
    EXPECT_EQ(GetCell(5 - b.dx, 5, b.level), t->cellCode) << b.what;
  }
}

// A train standing on the ramp's top blocks the one climbing to it.
TEST_F(MoveFixture, TrainOnTheRampTopBlocksTheClimb) {
  Put(4, 5, -1, 0);
  Put(5, 5, -1, 187);
  Put(5, 5, 0, 218);
  Put(6, 5, 0, 0);
  Place({{5, 5, 0}, {6, 5, 0}}, -1, 0, WAYKIND_FIRST, 2);
  TrainRecord* t = Place({{4, 5, -1}}, 1, 0);
  TrainPosition head = {};
  EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_BLOCKED);
  ASSERT_EQ(Events.size(), 1u);
  EXPECT_EQ(Events[0].kind, 7);  // head to head
  EXPECT_EQ(GetCell(5, 5, -1), 187);
}

// A train leaving its depot takes its first cell on its first move: it runs, gets its code, and
// the code under its head is what lay there (without a reservation mark, or the code under
// another train standing there).
TEST_F(MoveFixture, LeavingTheDepotTakesTheFirstCell) {
  for (int underTrain : {0, 1}) {
    SetUp();
    Put(10, 10, 0, underTrain ? 0x0200 : 0x4000 | 0x0200);
    Put(11, 10, 0, 0);
    if (underTrain) Place({{10, 10, 0}}, 0, 1, WAYKIND_FIRST, 2);
    TrainRecord* t = AllocTrainRecord(2, 1);
    t->line = 1, t->subNumber = 1, t->wayKinds = WAYKIND_FIRST, t->dx = 1;
    t->flags = TRAIN_LEAVING | TRAIN_LEAVING1;
    TrainPosition* p = TrainPositions(t);
    p[0].x = 10, p[0].y = 10;
    p[1].x = 9, p[1].y = 10;
    ASSERT_EQ(InsertTrain(t), 0);
    ASSERT_EQ(Trains.roundRobin[t->rrQueue], t);
    EXPECT_EQ(t->cellCode, 0);
    TrainPosition head = {};
    EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_STRAIGHT) << underTrain;
    EXPECT_EQ(t->flags, (uint32_t)TRAIN_LEAVING1);
    EXPECT_EQ(Trains.roundRobin[t->rrQueue], nullptr);
    TrainRecord* last = Trains.running;
    while (last && last->nextInQueue) last = last->nextInQueue;
    EXPECT_EQ(last, t);  // appended to the running trains
    EXPECT_GE(t->cellCode, CELL_TRAIN_FIRST);
    EXPECT_EQ(GetCell(10, 10, 0), t->cellCode);
    EXPECT_EQ(p[0].cell, GetCellAddress(10, 10, 0));
    EXPECT_EQ(p[0].codeUnder, 0x0200) << underTrain;
    EXPECT_EQ(p[1].codeUnder, 65535);  // the cells behind come with the next moves
    EXPECT_EQ(head.x, 11u);
    EXPECT_EQ(head.codeUnder, 0);
  }
}

// A train standing on the lower cell of a ramp leading up does not hide the ramp: the climb goes
// on to the ramp's top.
TEST_F(MoveFixture, TrainOnTheLowerRampCellDoesNotHideTheRamp) {
  Put(4, 5, -1, 0);
  Put(5, 5, -1, 187);
  Put(5, 5, 0, 218);
  Place({{5, 5, -1}}, 0, 1, WAYKIND_FIRST, 2);
  TrainRecord* t = Place({{4, 5, -1}}, 1, 0);
  TrainPosition head = {};
  EXPECT_EQ(MoveTrainOneCell(t, &head), MOVE_CELL_STRAIGHT);
  EXPECT_EQ(head.level, 0);
  EXPECT_EQ(head.codeUnder, 218);
  EXPECT_EQ(head.cell, GetCellAddress(5, 5, 0));
  EXPECT_TRUE(Events.empty());
}
