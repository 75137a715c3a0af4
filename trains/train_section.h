// The trains' section of the network file ("ZUGD"): the writer (train_section_write.cpp, not in
// the viewer), the reader of every file version with the repairs of older trains, and the steps
// that follow loading (time steps, old vehicle codes, the trains' cell codes, reservations).
#pragma once
#include <cstdint>
#include "trains/train_records.h"

// Limits of a stored train: the old files kept the counts in bytes, and the program builds at
// most 200 vehicles a train.
constexpr uint32_t TRAIN_FILE_MAX_POSITIONS = 255;
constexpr uint32_t TRAIN_FILE_MAX_VEHICLES = 255;
constexpr uint32_t TRAIN_FILE_MAX_LIST = 65535;
constexpr uint32_t TRAIN_FILE_MAX_OFFSET = 24;

// Type, home type, category, home category and TP attribute 5 from the attribute words of files
// before 14389 (a: the train's word, b: its home word).
void ConvertOldTrainAttributes(TrainRecord* t, uint32_t a, uint32_t b);
// Gives the positions of a train of a file before 14396 their levels from the ramp cells under it
// (with the old reservation form, first followed from the reservation end back to the head):
// 1 parked or leaving (nothing done), 2 a cell under the train held a code above 0x3FFF, 3 a level
// left -4..0 (the train cannot be taken over), else 0.
int RepairOldTrain(TrainRecord* t, int oldReservation, int endX, int endY);

// Puts the reader and writer into the section table and the steps after loading into their rows.
void RegisterTrainsSection();
// After loading: every train with an active reservation gets its kept cells back from its head
// along the marked cells (at most its reserved-cells count).
void RebuildTrainReservations();
