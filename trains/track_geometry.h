// Track geometry: the shape of every track symbol and, per shape, what a train arriving in each of
// the eight directions meets there (the element class of the way and where the train leaves), the
// way kinds a train may run on, and the turning of a switch decision into a move.
#pragma once
#include <cstdint>

constexpr int TRACK_SHAPES = 252;  // shape 0: nothing to run on

// Arrival directions (the direction of travel of the arriving train), the columns of a shape row.
enum TrackArrival {
  ARRIVE_W = 0,  // (-1, 0)
  ARRIVE_E = 1,  // (1, 0)
  ARRIVE_N = 2,  // (0, -1)
  ARRIVE_S = 3,  // (0, 1), also taken for (0, 0)
  ARRIVE_NW = 4,
  ARRIVE_SW = 5,
  ARRIVE_NE = 6,
  ARRIVE_SE = 7,
};

// Move results of the geometry: 0 cannot enter, 1 on in the same direction, 2..9 leave towards
// W, E, N, S, NW, SW, NE, SE.
constexpr int MOVE_BLOCKED = 0;
constexpr int MOVE_STRAIGHT = 1;

// Element classes of a way through a cell.
enum TrackElementClass {
  ELEM_PLAIN = 0,
  ELEM_FREE_PATH = 1,       // crossings and through ways that need a free path
  ELEM_SWITCH_RESERVE = 2,  // switch ways that always need a reservation
  ELEM_SWITCH_CONTROL = 3,  // decided by the switch's control
  ELEM_SWITCH_ARRIVAL = 4,  // decided by the arrival direction
  ELEM_STOP = 5,
  ELEM_TP = 6,
  ELEM_SIGNAL = 7,  // a signal in its own direction
  ELEM_DEPOT_SLOT = 8,
  ELEM_SIGNAL_BACK = 9,  // the back of a signal or a plain signal symbol
  ELEM_BUFFER_STOP = 11,
  ELEM_LFST = 12,
  ELEM_RAMP_FOOT = 13,
  ELEM_RAMP_TOP = 14,
  ELEM_RAMP_UP = 15,  // a ramp leading up to the level above
  ELEM_ROUTE_POINT = 16,
  ELEM_DWX = 17,
  ELEM_SIGNAL_CONDITION = 18,
  ELEM_DISTANT_SIGNAL = 19,
  ELEM_DISTANT_VALUE = 20,
  ELEM_SIGNAL_SPEED = 21,
};

// Way-kind mask bits of a train.
constexpr uint32_t WAYKIND_FIRST = 1;
constexpr uint32_t WAYKIND_SECOND = 2;
constexpr uint32_t WAYKIND_THIRD = 4;

// The geometry table entry of a shape for an arrival column: element class << 8 | move result
// (0 outside the table).
uint16_t TrackGeometryEntry(int shape, int arrival);

// The shape 0..251 of a cell code (0 for codes from 0x8000 and symbols without a way).
int TrackShapeOfCode(uint32_t code);
// The column of a direction of travel; -1 when dx or dy lies outside -1..1.
int TrackArrivalOf(int dx, int dy);
// The direction of travel a move result 2..9 leaves in; 0 for other results.
int MoveResultDx(int move);
int MoveResultDy(int move);
// The move result 2..9 leaving towards (dx, dy); 0 for (0, 0) and steps outside -1..1.
int MoveResultToward(int dx, int dy);

// The track class of a code for a train of the way-kind mask: 0 nothing it runs on, 1 its way as
// the table gives it, 2 the first kind's symbols 472..495 (their control-decided ways run plain,
// their reserve-only ways are closed), 3 the third kind's codes 0x2000..0x31FF, 4 the third
// kind's codes up to 0xFFF (3 and 4 may cross where the table has no way).
int TrackClass(uint32_t code, uint32_t wayKinds);
// The geometry entry of the code for a train arriving with (dx, dy), corrected by the track class;
// the element class goes to *elementClass (may be null). Returns the move result.
int NextCellClass(int dx, int dy, uint32_t code, int* elementClass, uint32_t wayKinds);

// A switch decision (low byte an exit direction bit, 0x8000 a stop mark, 0x10000 the user stopped
// the simulation in the switching question) as a move: SWITCH_MOVE_WAIT for the user stop, else the
// move 2..9 of the exit bit, 0 without one.
constexpr int SWITCH_MOVE_WAIT = -1;
int SwitchDecisionToMove(uint32_t decision);
