// The train operations the rest of the program calls: creating, removing and changing trains,
// the queries over all trains, and the bulk maintenance after block operations and loading.
// Trains are named by line and sub-number (sub-number 0 = every train of the line where an
// operation allows it) or by their index in the list of all trains. Every operation that changes
// stored train data marks the network modified. (CreateTrain, StartTrainsFromDepot and the
// counts are declared with the train services.)
#pragma once
#include <cstdint>
#include "trains/train_records.h"

// ---- creation, removal and state ----------------------------------------------------------------
// The named parked trains are deleted: 1 none found, 2 some were not parked (they stay), else 0.
int DeleteParkedTrains(int line, int subNumber);
// Gives each named train (line 0: every train) a pending change to its home depot and slot.
// Result of the last train examined: 0 sent, 2 parked, 3 already pending, 4 no home depot,
// 5 steered by hand; 1 none found. With line 0: 0, or 1 when there are no trains.
int SendTrainsHome(int line, int subNumber, int flag);
// 1 line or sub-number 0 or no such train, 2 no pending change, else 0 (cleared).
int ClearTrainPending(int line, int subNumber);
// Deletes the train wherever it stands, giving its cells back: 1 done, 0 no such train.
int RemoveTrainFromGrid(int line, int subNumber);
// A held train runs again, a waiting one leaves the waiting queue: 0, 1 none, 2 neither.
int ReleaseHeldTrain(int line, int subNumber);
// Turns the train round (vehicle order reversed), speed and time step 0: 1 done, 0 none or parked
// or not wholly on the grid.
int TurnTrainAround(int line, int subNumber);
// 0 the train is now steered by hand, 1 none, 2 it already was.
int TakeTrainByHand(int line, int subNumber);
// 0 the train is back in its parked or running queue, 1 none, 2 not steered by hand.
int EndHandControl(int line, int subNumber);
// 0 the train now joins the next train it touches; 1 none, 2 parked or already joining, 3 not
// wholly on the grid.
int SetJoinOnContact(int line, int subNumber);
// Splits the train behind the vehicle index: 0 done; 1 none, 4 only one vehicle, 5 the train may
// not be split, 6 index beyond the vehicles; the splitter's refusals as 2, 12, 13, 15, 3, 17, 20.
int SplitTrainByHand(int line, int subNumber, int vehicleIndex, int newLine, int newSubNumber,
                     int level);
// Takes over the header and list of the train at the index (links, cells and vehicles kept):
// 0, 1 no such index, 2 out of memory, 3 the new line and sub-number name another train (nothing
// changed).
int ReplaceTrainData(int index, const TrainRecord* header, const uint16_t* list);
// Takes the train out of every list and frees it (the selection is cleared when it was selected).
void DeleteTrain(TrainRecord* train);

// ---- queries --------------------------------------------------------------------------------------
// Index of the first train not parked with a used entry at the cell, -1 none.
int FindTrainIndexAtCell(int x, int y, int level);
// Index of the train (sub-number 0: the first of the line), -1 none.
int FindTrainIndex(int line, int subNumber);
TrainRecord* GetTrainByIndex(int index);
uint32_t NextFreeSubNumber(int line);  // first gap from 1, at most 999; 1 for no trains
uint32_t LastSubNumber(int line);      // 0 when the line has no train
// The head cell, direction code and level of the train at the index, a copy of its header and up
// to n (id, flags) pairs of its vehicles from the front (mode 0: a train whose first vehicle may
// not lead is reported from the back). Outs may be null. 0, or 1 no such index.
int GetTrainInfoByIndex(int index, int* x, int* y, int mode, int n, TrainRecord* header,
                        uint32_t* pairs, uint32_t* directionCode, int* level);
// Uses of the vehicle graphic set (bit 30) in all trains.
int CountVehicleSetInTrains(uint32_t setId);
int TrainPlacementStateOf(int line, int subNumber);  // 11 none, else TrainPlacementState
// 2 a train lies partly inside the box (bounds inclusive), 1 at least one wholly inside, else 0.
int TrainsInRect(int x0, int y0, int level0, int x1, int y1, int level1, int includeParked);
// The line of the selected train (0 none) and its sub-number.
int GetSelectedTrainLine(int* subNumber);

// ---- status text and letters ------------------------------------------------------------------------
// The state letters of a train's flags (the second a blank when none) and their colour numbers
// (-1: the default text colour).
void TrainStateLetters(uint32_t flags, char16_t* first, int* firstColour, char16_t* second,
                       int* secondColour);

// ---- bulk maintenance ---------------------------------------------------------------------------------
void SortTrains();  // by line order, then sub-number
// Moves the cells of trains whose head lies in the box (parked trains: the first entry only).
void ShiftTrainsInRect(int dx, int dy, int dlevel, int x0, int y0, int level0, int x1, int y1,
                       int level1);
// Maps the cells of trains whose head lies in the box with ScaleBlockPosition about (cx, cy).
void ScaleTrainsInRect(int cx, int cy, int a, int b, int c, int d, int x0, int y0, int level0,
                       int x1, int y1, int level1);

// ---- the start train ---------------------------------------------------------------------------------
// The demonstration network's train: its vehicles (id, flags pairs) and header. The header names
// the line, the home depot and slot 1; CreateTrain with head x -1 parks it there.
constexpr int START_TRAIN_VEHICLES = 4;
extern const uint32_t StartTrainVehicles[START_TRAIN_VEHICLES * 2];
void MakeStartTrainHeader(TrainRecord* header, uint32_t line, uint16_t depot);
