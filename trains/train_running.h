// The train running step: the clock moves the trains a quarter cell at a time. The first quarter of
// each cell is a whole-cell move (the cell ahead and everything on it decide), the other three only
// lower the sub-cell offset and, at the last one, meet a stop or TP under the head. Speeds change
// by the acceleration and brake steps, waits count down once a second, blocked and leaving trains
// retry from their round-robin queues, and the schedules start and redirect trains once a minute.
#pragma once
#include <cstdint>
#include "trains/train_records.h"

// Log kinds of the train running step.
constexpr int TRAINLOG_RELEASED = 0;     // left the waiting queue, no TP under the head
constexpr int TRAINLOG_STOP = 1;         // waits at a stop
constexpr int TRAINLOG_HELD_RELEASED = 2;  // a held train let go at its cell (the time of day)
constexpr int TRAINLOG_HELD = 3;         // held at a TP with no further task
constexpr int TRAINLOG_TP_RELEASED = 4;  // left a TP (waiting or held) without a TP time
constexpr int TRAINLOG_TP_WAIT = 5;      // waits at a TP
constexpr int TRAINLOG_TP_TIME = 6;      // left a TP with the TP time

// Where the log lines of trains go: the log file's writer (x, y, level, TP cell, direction, kind,
// time value, line, second line, number, train flags).
extern int (*TrainLogSink)(int x, int y, int level, int tpX, int tpY, int tpLevel, int dx, int dy,
                           int kind, int32_t timeValue, uint32_t line, uint32_t secondLine,
                           uint32_t number, uint32_t trainFlags);
// A log line of the kind at the train's head cell (the TP cell is the head's too).
void LogTrainAtHead(TrainRecord* train, int kind, int32_t timeValue);

// Events raised by the running step.
constexpr int EVENT_SCHEDULE_A_REFUSED = 14;  // a schedule A entry is due while parked or pending
constexpr int EVENT_SCHEDULE_B_RUNNING = 15;  // a schedule B entry is due while not parked
constexpr int EVENT_BLOCKED_LIMIT = 17;       // blocked for its blocked limit of retries or more
constexpr int EVENT_TP_RELEASE_TIME = 26;     // a TP released the train with a time

// Distance counters of the selected train: whole-cell moves straight and diagonally.
extern int32_t TrainStraightMoves, TrainDiagonalMoves;

void StepRunningTrains();       // every tick: every train of the running queue
void StepTrainQueue(int queue);  // every fifth tick: round-robin queue 0..9
void StepWaitingTrains();        // every simulated second
void StartDepotTrainsBySchedule();  // every minute: schedule B starts parked trains
void ApplyTrainSchedules();         // every minute: schedule A gives running trains a new goal

// One quarter-cell step: the whole-cell move (the offset is 0) and a partial one (the offset was
// just lowered by 8).
void MoveTrainWholeCell(TrainRecord* train);
void MoveTrainPartial(TrainRecord* train);
// Puts a parked train on the slot cell of a depot (-1 the depot under its head, 0 its home depot
// and slot) to leave from there: 0 started, 1 refused (no such slot, no track for the train).
int StartTrainFromDepot(TrainRecord* train, int depot, int slot, int flag);
// The train waits (a wait below 1 is drawn from its wait range), out of its running or
// round-robin queue.
void StartWaiting(TrainRecord* train, int32_t wait);
// Schedule A entry k (1..6) or the home depot and slot (0) becomes the pending goal; flag: the
// entry's extra flag. ClearPendingChange: 1 when there was none, else 0.
void SetPendingChange(TrainRecord* train, int k, int flag);
int ClearPendingChange(TrainRecord* train);
