// Moving a train one cell: whether the head may enter the next cell in its direction of travel,
// what the element there asks of it (switch, signal, ramp, buffer stop ...), the reaction to a
// train standing there, and the new direction.
#pragma once
#include <cstdint>
#include "trains/track_geometry.h"
#include "trains/train_records.h"

// Results of MoveTrainOneCell: 0 blocked (nothing changed), 1..3 handled here (the train was
// taken off, stopped, waits or stays), 10 moved straight, 11 moved with a turn, 20 and 21 the same
// on a diagonal step (the next quarter steps take 10/7 as long).
constexpr int MOVE_CELL_BLOCKED = 0;
constexpr int MOVE_CELL_GONE = 1;    // e.g. the train went into a depot
constexpr int MOVE_CELL_JOINED = 2;  // the moving train no longer exists
constexpr int MOVE_CELL_STAYS = 3;   // the train waits or stays where it is
constexpr int MOVE_CELL_STRAIGHT = 10;
constexpr int MOVE_CELL_TURNED = 11;
constexpr int MOVE_CELL_DIAGONAL = 20;
constexpr int MOVE_CELL_DIAGONAL_TURNED = 21;

// Vehicle-mark bit set where a train passed a signal (travels with the cell).
constexpr uint8_t VEHICLE_MARK_SIGNAL = 0x80;

// Where the events of a move go: the event display list (kind, cell ahead, line, second line,
// sub-number, value).
extern int (*TrainMoveEventSink)(int kind, int x, int y, int level, int line, int secondLine,
                                 int subNumber, int32_t value);

// Events the way ahead raises (the event list's kinds).
constexpr int EVENT_RAMP_TOP_MISSING = 3;
constexpr int EVENT_RAMP_BELOW_MISSING = 4;
constexpr int EVENT_RAMP_LEVEL = 5;
constexpr int EVENT_NO_WAY = 6;
constexpr int EVENT_HEADS_MEET = 7;
constexpr int EVENT_RESERVATION_TOO_LONG = 11;
constexpr int EVENT_HAND_STEERED_AHEAD = 12;

// Raises an event for the train at a cell, through the sink above.
void RaiseTrainEvent(int kind, const TrainRecord* t, int x, int y, int level);

// Decides the move of the train's head into the next cell. On a result of 4 or more *newHead holds
// the cell entered (x, y, level, its grid address, the code under the train there and the vehicle
// mark) and the train's dx, dy, dz hold the direction of the next step; the caller shifts the
// train's positions and writes its code there. Refusals leave the train's cells unchanged and may
// raise one event at the cell ahead. A cell ahead outside the grid reads as empty (no entry).
int MoveTrainOneCell(TrainRecord* train, TrainPosition* newHead);
