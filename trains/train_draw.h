// What the train side gives the drawing of trains: the vehicle pieces of a train cell, the label
// at a train's head, the redraw of a train's cells, the selected train and the follow mode.
#pragma once
#include <cstdint>
#include "trains/train_records.h"

struct AnnotationRecord;

// At most this many vehicle pieces lie in one cell (the cell renderer takes no more); the vehicle
// list holds one entry more for its terminating 0.
constexpr int TRAIN_CELL_PIECES = 8;

// The label of the train whose head holds the cell, or null (no train head there, labels off,
// train parked or leaving). The two closing glyph codes are the text and box colours.
AnnotationRecord* GetTrainLabel(int x, int y, int level, AnnotationRecord* out);
// The train-label option bits in force: 0x1 the second line's name, 0x2 the sub-number.
uint32_t GetTrainLabelOptions();

// Queues every used cell of the train for redraw and flushes the queue with the mode; the number
// of cells queued (0 while train drawing is suppressed or for a parked train).
int RedrawTrain(TrainRecord* train, int flushMode);
// 1 when the selected train (not parked) has a used cell there.
int IsSelectedTrainCell(int x, int y, int level);

// The selected train: mark 1 the head mark, 2 the full mark; the window follows it. Freeing a
// train (FreeTrainRecord) clears the selection when it was the selected one.
TrainRecord* GetSelectedTrain();
void SetSelectedTrain(TrainRecord* train, int mark, int window);
void ForgetSelectedTrain(TrainRecord* train);  // the train is being freed

// Follow mode: the update request (set only while a train is selected) and the options.
constexpr uint32_t FOLLOW_SMOOTH = 0x2;
constexpr uint32_t FOLLOW_KEEP_LEVEL = 0x4;
void RequestFollowUpdate();
int IsFollowUpdateRequested();
uint32_t GetFollowOptions();
void SetFollowOptions(uint32_t options);

// From the level-change end (class-B symbol) at (*x, *y) on level 0, steps in the direction (0..7,
// the bit of its direction code) to the other end: a class-B cell of the same symbol group and
// way kind (wayKind 0: the start cell's) that a train arriving in that direction meets as the top
// of a ramp. The other end and the number of cells from end to end are written back. Results:
// 0 found, 1 found and the end cell reserved or held by a train, 21 the cell found is the foot of a
// ramp, 11 the start is no class-B symbol (or no direction), 12 the way leaves the grid.
int ScanForClassBPartner(int* x, int* y, int* length, uint32_t direction, int wayKind);
