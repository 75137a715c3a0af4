// The track geometry table against what it must agree with: the switch connections of every
// switch symbol, the symbol numbers of the element kinds, the reverse way of every two-way shape,
// the way kinds (track classes) and the turning of switch decisions into moves.
#include <gtest/gtest.h>
#include <set>
#include "model/cellcodes.h"
#include "signalling/signal_symbols.h"
#include "signalling/switch_control.h"
#include "trains/track_geometry.h"
#include "trains/train_records.h"

namespace {
// The arrival column of a direction code bit.
int ColumnOf(uint32_t direction) {
  return TrackArrivalOf(DirectionDx(direction), DirectionDy(direction));
}
// Direction of travel of each arrival column.
const int kColumnDx[8] = {-1, 1, 0, 0, -1, -1, 1, 1};
const int kColumnDy[8] = {0, 0, -1, 1, -1, 1, -1, 1};

std::set<int> ClassesOfShape(int shape) {
  std::set<int> classes;
  for (int a = 0; a < 8; a++) {
    uint16_t e = TrackGeometryEntry(shape, a);
    if (e) classes.insert(e >> 8);
  }
  return classes;
}
}  // namespace

TEST(TrackGeometry, SwitchShapesAgreeWithTheSwitchConnections) {
  int switches = 0;
  for (uint32_t s = 0; s < 512; s++) {
    if (!ClassifySwitchSymbol(s, nullptr)) continue;
    switches++;
    uint32_t d[4];
    ASSERT_EQ(GetSwitchConnections(s, d), 0) << s;
    int shape = TrackShapeOfCode(s);
    // The ways into the cell are exactly the opposites of the entry and the exits.
    std::set<int> expected, arrivals;
    for (uint32_t dir : d)
      if (dir) expected.insert(ColumnOf(OppositeDirection(dir)));
    int controlArrival = -1, controlled = 0;
    for (int a = 0; a < 8; a++) {
      uint16_t e = TrackGeometryEntry(shape, a);
      if (!e) continue;
      arrivals.insert(a);
      if ((e >> 8) == ELEM_SWITCH_CONTROL) controlArrival = a, controlled++;
    }
    EXPECT_EQ(arrivals, expected) << "symbol " << s << " shape " << shape;
    // Switches decided by their control are entered through their entry side, once.
    if (controlled) {
      EXPECT_EQ(controlled, 1) << s;
      EXPECT_EQ(controlArrival, ColumnOf(OppositeDirection(d[0]))) << "symbol " << s;
      // Coming back from each exit the train leaves through the entry side.
      for (int i = 1; i < 4; i++) {
        if (!d[i]) continue;
        int back = ColumnOf(OppositeDirection(d[i]));
        uint16_t e = TrackGeometryEntry(shape, back);
        int move = e & 0xFF;
        int dx = move == MOVE_STRAIGHT ? kColumnDx[back] : MoveResultDx(move);
        int dy = move == MOVE_STRAIGHT ? kColumnDy[back] : MoveResultDy(move);
        EXPECT_EQ(DirectionCode(dx, dy), d[0]) << "symbol " << s << " exit " << d[i];
      }
    } else {
      // The others decide by the arrival direction.
      EXPECT_TRUE(ClassesOfShape(shape).count(ELEM_SWITCH_ARRIVAL)) << s;
    }
  }
  EXPECT_EQ(switches, 12 + 48 + 24);
}

TEST(TrackGeometry, EveryTwoWayShapeCanBeDrivenBothWays) {
  for (int shape = 1; shape < TRACK_SHAPES; shape++) {
    std::set<int> classes = ClassesOfShape(shape);
    ASSERT_FALSE(classes.empty()) << shape;
    // Buffer stops end the way and a ramp leading up is entered from below only.
    if (classes.count(ELEM_BUFFER_STOP) || classes.count(ELEM_RAMP_UP)) continue;
    for (int a = 0; a < 8; a++) {
      uint16_t e = TrackGeometryEntry(shape, a);
      if (!e) continue;
      int move = e & 0xFF;
      ASSERT_GE(move, 1) << shape;
      // Where the switch decides, its connections give the ways (test above).
      if ((e >> 8) == ELEM_SWITCH_CONTROL || (e >> 8) == ELEM_SWITCH_ARRIVAL) continue;
      int dx = move == MOVE_STRAIGHT ? kColumnDx[a] : MoveResultDx(move);
      int dy = move == MOVE_STRAIGHT ? kColumnDy[a] : MoveResultDy(move);
      int back = TrackArrivalOf(-dx, -dy);
      uint16_t r = TrackGeometryEntry(shape, back);
      ASSERT_NE(r & 0xFF, 0) << "shape " << shape << " arrival " << a << ": no way back";
      int rc = r >> 8;
      if (rc == ELEM_SWITCH_CONTROL || rc == ELEM_SWITCH_ARRIVAL) continue;  // the switch decides
      int rmove = r & 0xFF;
      int rdx = rmove == MOVE_STRAIGHT ? kColumnDx[back] : MoveResultDx(rmove);
      int rdy = rmove == MOVE_STRAIGHT ? kColumnDy[back] : MoveResultDy(rmove);
      EXPECT_TRUE(rdx == -kColumnDx[a] && rdy == -kColumnDy[a])
          << "shape " << shape << " arrival " << a << " is not retraced";
    }
  }
}

// The element classes of every symbol's ways are those of its element kind.
TEST(TrackGeometry, ElementClassesFollowTheSymbolKinds) {
  auto in = [](int s, int first, int last) { return s >= first && s <= last; };
  for (int s = 0; s < 512; s++) {
    std::set<int> classes = ClassesOfShape(TrackShapeOfCode((uint32_t)s));
    classes.erase(ELEM_PLAIN);
    classes.erase(ELEM_FREE_PATH);
    std::set<int> want;
    if (in(s, 96, 135) || in(s, 304, 391)) {
      EXPECT_EQ(TrackShapeOfCode((uint32_t)s), 0) << s;
      continue;
    }
    if (ClassifySwitchSymbol((uint32_t)s, nullptr)) {
      classes.erase(ELEM_SWITCH_RESERVE);
      classes.erase(ELEM_SWITCH_CONTROL);
      classes.erase(ELEM_SWITCH_ARRIVAL);
    } else if (in(s, SYM_HST_FIRST, SYM_HST_LAST)) {
      want = {ELEM_STOP};
    } else if (in(s, SYM_TP_FIRST, SYM_TP_LAST)) {
      want = {ELEM_TP};
    } else if (IsSymbolClassA((uint32_t)s)) {
      want = {ELEM_DEPOT_SLOT};
    } else if (in(s, SYM_PRELL_FIRST, SYM_PRELL_LAST)) {
      want = {ELEM_BUFFER_STOP};
    } else if (in(s, SYM_LFST_FIRST, SYM_LFST_LAST)) {
      want = {ELEM_LFST};
    } else if (IsSymbolClassC((uint32_t)s)) {
      want = {ELEM_RAMP_UP};
    } else if (GetSymbolClassB((uint32_t)s) || in(s, 208, 215)) {
      want = {ELEM_RAMP_FOOT, ELEM_RAMP_TOP};
    } else if (in(s, SYM_RP_FIRST, SYM_RP_LAST)) {
      want = {ELEM_ROUTE_POINT};
    } else if (in(s, SYM_DWX_FIRST, SYM_DWX_LAST)) {
      want = {ELEM_DWX};
    } else if (ClassifySignalSymbol((uint32_t)s, nullptr)) {
      // Every element way of a signal symbol is one of the signal classes.
      for (int c : classes)
        EXPECT_TRUE(c == ELEM_SIGNAL || c == ELEM_SIGNAL_BACK || c >= ELEM_SIGNAL_CONDITION)
            << "symbol " << s << " class " << c;
      EXPECT_FALSE(classes.empty()) << "symbol " << s;
      continue;
    }
    EXPECT_EQ(classes, want) << "symbol " << s;
  }
}

TEST(TrackGeometry, TrackClassesOfTheWayKinds) {
  struct Case {
    uint32_t code, wayKinds;
    int dx, dy;
    int cls, move;
  };
  const Case cases[] = {
      {0x0000, 1, 1, 0, ELEM_PLAIN, 1},       // straight track along
      {0x0000, 1, 0, -1, ELEM_PLAIN, 0},      // and across: no way
      {0x0000, 0, 1, 0, ELEM_PLAIN, 0},       // a train of no way kind runs nowhere
      {0x0000, 4, 0, -1, ELEM_FREE_PATH, 1},  // the third kind crosses codes up to 0xFFF anyhow
      {0x0FFF, 4, 1, 1, ELEM_FREE_PATH, 1},
      {0x1000, 4, 1, 0, ELEM_PLAIN, 0},
      {0x2000, 4, 1, 0, ELEM_PLAIN, 1},  // its own ways as the table gives them
      {0x2000, 4, 0, 1, ELEM_FREE_PATH, 1},
      {0x2000 | 168, 4, 0, -1, ELEM_BUFFER_STOP, 0},  // but a buffer stop stays one
      {0x0000 | 168, 4, 0, -1, ELEM_FREE_PATH, 1},    // not on codes up to 0xFFF
      {0x3200, 4, 1, 0, ELEM_PLAIN, 0},
      {0x1C00, 2, 1, 0, ELEM_PLAIN, 1},  // the second kind only on 0x1C00..0x1FFF
      {0x1BFF, 2, 1, 0, ELEM_PLAIN, 0},
      {0x4000 | 0x1C00, 2, 1, 0, ELEM_PLAIN, 1},  // the reservation mark does not count
      {0x1C00, 3, 1, 0, ELEM_PLAIN, 1},           // the second kind is asked first
      {0x0400, 3, 1, 0, ELEM_PLAIN, 0},
      {0x1800, 1, 1, 0, ELEM_PLAIN, 0},  // the first kind up to 0x17FF
      {0x17FF & ~0x1FF, 1, 1, 0, ELEM_PLAIN, 1},
      {48, 1, 1, 0, ELEM_SWITCH_CONTROL, 1},  // a controlled switch
      {72, 1, -1, 1, ELEM_SWITCH_RESERVE, 5},
      {472, 1, 0, -1, ELEM_PLAIN, 6},  // on 472..495 the control's way runs plain
      {472, 1, 0, 1, ELEM_PLAIN, 0},   // and the reserve-only ways are closed
      {472, 1, 1, 1, ELEM_FREE_PATH, 5},
      {0x8000, 1, 1, 0, ELEM_PLAIN, 0},
      {CELL_EMPTY, 4, 1, 0, ELEM_PLAIN, 0},
  };
  for (const Case& c : cases) {
    int cls = -1;
    EXPECT_EQ(NextCellClass(c.dx, c.dy, c.code, &cls, c.wayKinds), c.move)
        << std::hex << c.code << " mask " << c.wayKinds << " (" << c.dx << "," << c.dy << ")";
    EXPECT_EQ(cls, c.cls) << std::hex << c.code << " mask " << c.wayKinds;
  }
}

TEST(TrackGeometry, SwitchDecisionsTurnIntoMovesTowardTheExit) {
  for (int dx = -1; dx <= 1; dx++)
    for (int dy = -1; dy <= 1; dy++) {
      if (!dx && !dy) continue;
      uint32_t bit = DirectionCode(dx, dy);
      for (uint32_t extra : {0u, SWITCH_STOP_MARK}) {
        int move = SwitchDecisionToMove(bit | extra);
        EXPECT_EQ(MoveResultDx(move), dx) << bit;
        EXPECT_EQ(MoveResultDy(move), dy) << bit;
        EXPECT_EQ(MoveResultToward(dx, dy), move);
      }
    }
  EXPECT_EQ(SwitchDecisionToMove(0), MOVE_BLOCKED);
  EXPECT_EQ(SwitchDecisionToMove(SWITCH_STOP_MARK), MOVE_BLOCKED);
  EXPECT_EQ(SwitchDecisionToMove(SWITCH_USER_STOPPED | 8), SWITCH_MOVE_WAIT);
}
