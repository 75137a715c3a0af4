// Reserved paths ahead of trains: the walk along a train's way, reserving it (the cell mark
// 0x4000 and the train's list of its marked cells), releasing it, the queries of block operations
// and switch edits, and the diagonal-step conflict check.
#pragma once
#include <cstdint>
#include "trains/train_records.h"

// One step of the way ahead of a train: where it is and the direction of its next step.
struct PathWalk {
  int32_t x, y, level;
  int32_t dx, dy, dz;
};

// Step results of WalkPathStep.
constexpr int WALK_OK = 0;
constexpr int WALK_NO_TRACK = 1;  // outside the grid, a code that is no track, or no way on

// Takes one step (the cell's class and move go to *elementClass and *move; *code the cell's code,
// the ramp top when a ramp leads up). A step outside x, y 0..32767 or levels -4..0 is no track.
// The direction is not turned yet: ApplyWalkMove does that with the move (or a switch's exit).
int WalkPathStep(const TrainRecord* t, PathWalk* w, CellCode* code, int* elementClass, int* move);
void ApplyWalkMove(PathWalk* w, int move);

// Marks n cells ahead (0 when a cell is already marked or the path breaks); the train then
// keeps the marked cells in order. Switches are decided without advancing their counters.
int MarkReservation(TrainRecord* train, int n);
// Clears the marks of up to n kept cells (passing cells that lost their mark) and forgets them.
void ReleaseReservation(TrainRecord* train, int n);
// The kept cell that the train enters next has been entered: it leaves the list.
void DropFirstReservedCell(TrainRecord* train);
// 1 when the cell is the first of the train's kept cells (the one it enters next).
int IsNextReservedCell(const TrainRecord* train, int x, int y, int level);
// The exit move (2..9) a train reserved at the switch cell it enters, 0 when none was reserved
// there (the cell is not its first kept cell or the reservation ends there).
int ReservedExitAt(const TrainRecord* train, int x, int y, int level);
// The train whose kept cells hold both cells (hasSecond 0: the first only); none when different
// trains hold them.
TrainRecord* FindTrainReservationAt(int x, int y, int level, int x2, int y2, int level2,
                                    int hasSecond);
// 2 the head and kept cells lie partly inside the box (bounds inclusive), 0 all inside, 1 none.
int ReservationCrossesRect(const TrainRecord* train, int x0, int y0, int level0, int x1, int y1,
                           int level1);
// After loading: the kept cells are found again from the head along the marked cells, at most
// maxCells of them (0: up to the end mark of files of older versions). At a switch the train takes
// the way whose next cell carries the mark, the switch's decision when several do. Returns their
// count; none clears the train's reservation flag.
int RebuildTrainReservation(TrainRecord* train, int maxCells);
int RecountTrainReservation(TrainRecord* train);  // files of older versions: up to the end mark
// Turns the train round: its cells in reverse order (the cell ahead of the old head the new tail
// entry), its vehicles reversed (keepVehicles: kept, only symmetric ones turn), its reservation
// released and a held train running again; setOffset sets the sub-cell offset from the length.
// 1 when the train is not wholly on the grid (nothing turned), else 0.
int ReverseTrain(TrainRecord* train, int setOffset, int keepVehicles);
