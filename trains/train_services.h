// Services of the trains, the simulation clock and the event display list that the core, the
// layout model, the frame and the symbol graphics call: train cell codes, clock steps and
// panes, selection and follow mode, train counts, sections, day-time windows and events.
#pragma once
#include <cstdint>

// ---- simulation clock (the clock values themselves are kept in the document state) ------------
void AdvanceClock();          // one simulation step with its per-second and -minute work
// 1 while a simulation step runs: it may wait in a modal question (the manual switch question,
// the route-point question), and until it ends the dispatchers refuse every command that frees,
// moves or replaces a train or clears the network.
int IsSimulationStepActive();
int SetTickDelay(int value);  // -1 restores 4500; 1..5000; else 1 and nothing changes
int GetTickDelay();
void RedrawClockPanes(void* dc);  // null: the status window's drawing context
void DrawClockWindow(void* dc);   // null: the clock window's own context
// Day-time windows of packed day-times (weekday mask << 24 | hour << 16 | minute << 8 |
// second; top byte 0x7F any day): 1 when value lies in [from, to), which may wrap.
int IsInTimeWindow(uint32_t value, uint32_t from, uint32_t to);
int IsClockInTimeWindow(uint32_t from, uint32_t to);
int TimeWindowOverlapsList(uint32_t from, uint32_t to, const uint32_t* pairs, int n);
int TimeWindowListsOverlap(const uint32_t* listA, int nA, const uint32_t* listB, int nB);
// The stop-time field of the status window ("---:---:--:--" when none is set); null dc: the
// status window's own context.
void DrawStopTimeField(void* dc = nullptr);

// ---- train records and cell codes --------------------------------------------------------------
void InitTrains();   // the lists start empty
void ExitTrains();   // frees all trains
void ResetTrains();  // clears the selection and frees all train data
int GetTrainCount();
// The code under the train that holds (x, y, level), searched in the bucket of the reference
// code (0xBF00 + k); 0xC000 when no train holds the cell.
uint16_t GetTrainCellCode(int x, int y, int level, uint16_t code);
// Refreshes the cell pointers of every train position; mode 1 (after loading) also writes the
// trains' own codes into the grid, mode 0 after grid blocks were allocated or freed.
void RefreshTrainCellCodes(int mode);
void RecalcTrainTimeSteps();
void EmptyTrainHook();
void RestoreTrainReservations();
int ConvertOldTrainRecords(int version);  // 0 ok, 1 failed, 2 something changed or dropped
// Releases the reservations of the trains (flag 0x10) that cross the box (bounds inclusive): those
// partly inside and partly outside, and with mode 1 also those wholly inside; 1 when any was.
int ReleaseTrainReservationsInRect(int x0, int y0, int level0, int x1, int y1, int level1,
                                   int mode);
// Number of parked trains; each train counted once by its first state: hand-steered, parked,
// waiting, held, joining, blocked.
int TrainStatistics(int* handSteered, int* joining, int* waiting, int* blocked, int* held);
int CountTrainsForDepotSlot(int depot, int slot, int x, int y, int level, uint32_t weekdayMask,
                            int* pending, int* scheduleB, int* scheduleA, int* parkedOnCell);
int CountTrainsOfLine(int line, int* all, int* parked, int* asOther, int* arriving);
int CountVehicleInTrains(uint32_t graphicCode);
// Parked trains whose first entry stands on the from cell move to the to cell; their number.
int MoveParkedTrains(int fromX, int fromY, int fromLevel, int toX, int toY, int toLevel);
// The demonstration train: CreateTrain (vehicle pairs, template header, head x (-1 = in the
// home depot), y, level, u16 list) -> 0 created, 1 exists, 2 out of memory.
int CreateTrain(const uint32_t* vehiclePairs, const void* templateHeader, int headX, int headY,
                int level, const uint16_t* list);
int StartTrainsFromDepot(int line, int subNumber, int flag);
// The slot number changes wherever a train names the depot and slot (bit 15 kept).
void RenumberDepotSlot(int depot, int oldSlot, int newSlot);

// ---- network-file section "ZUGD" ---------------------------------------------------------------
int SaveTrainsSection();             // 0 or the first stream error
int LoadTrainsSection(int version);  // 0, -n (n trains repaired), or a positive error

// ---- selection, follow mode and train drawing support ----------------------------------------
// Follow mode: 0 off, 1 following the selected train, 2 following paused.
int GetFollowMode();
void SetFollowMode(int mode);
int FollowSelectedTrain();  // 1 when the followed window must draw at once
int SelectAndFollowTrain(int line, int subNumber, int full, int window, int resetCounters);
void ClearTrainSelection();
void SetSelectedTrainMark(int mark);  // 1 head mark, other: full mark
int GetSelectedTrainMark();           // 0 none, 1 head, 2 full
// The status text of the followed train, cut to capacity characters (with the terminator).
void FormatTrainStatus(char16_t* buffer, int capacity);
// 0 when a train holds the cell (with its flags, sub-number and line), else 1.
int GetTrainAtCell(int x, int y, int level, uint32_t* flags, int* subNumber, int* line,
                   uint16_t code);
// The code under the train at the cell (0xC000 when none; then the list is empty). Outs may be
// null: 0 for a hand-steered train else 1; the vehicle ids of the pieces in the cell (at most 8,
// ended by 0), their spans (columns of the vehicle, place in the cell from its front edge) and
// direction words (direction code of travel, 0x8000 a vehicle facing backwards).
struct VehicleSpan;
uint16_t GetTrainCellShape(int x, int y, int level, int* notHandSteered, uint32_t* vehicleList,
                           VehicleSpan* pieceTable, uint16_t* directionList, uint16_t code);
// Maps a cell of a block being scaled about (x0, y0); 1 when a train held the cell.
int ScaleBlockPosition(int x0, int y0, int x, int y, int level, int a, int b, int c, int d,
                       int* outX, int* outY);
// From the class-B cell (x, y, level 0) along the direction to the other end of the ramp.
int FindClassBPartner(int* x, int* y, int* length, uint32_t direction);

// ---- reservations ahead of trains ----------------------------------------------------------------
struct TrainRecord;
// The train whose reserved path holds the cell, or null.
TrainRecord* FindTrainReservingCell(int x, int y, int level);
void ReleaseTrainReservation(TrainRecord* train);  // clears the marks of the cells ahead
// 1 the train may go on (with or without a new reservation ahead), 0 not now; mode 1 passes
// buffer stops.
int ReserveAhead(TrainRecord* train, int mode);
// 1 when the step from one cell to the next (direction dx, dy, dz) crosses a cell reserved by or
// held by another train (diagonal steps on one level), else 0.
int CheckReservationConflict(int fromX, int fromY, int fromLevel, int toX, int toY, int toLevel,
                             TrainRecord* train, int dx, int dy, int dz);
// The held train whose head stands at the cell runs again (a TP lets it go): 0, or 1 when no held
// train has its head there.
int ReleaseHeldTrainAt(int x, int y, int level);

// ---- contact between trains ----------------------------------------------------------------------
// The moving train runs onto the other at its position entry: non-zero when it pushed it.
int PushIntoTrain(TrainRecord* train, TrainRecord* other, int entry);

// ---- splitting and turning at route points --------------------------------------------------------
// Splits, turns or parks the train for a route point's command word, or splits it by hand
// (command 106; selection: the new line, sub-number and level): 0 the train was replaced, else the
// reason it was not (1 parked, 2 no way on, 3 memory, 5 no split index, 6 not wholly on the grid,
// 7 no free sub-number, 9..14 turned, joined or left whole).
int RouteTrainAtPoint(TrainRecord* train, uint32_t command, uint32_t secondLine, int mode,
                      int32_t wait, const int32_t* selection, int splitIndex);

// ---- attribute take-over -------------------------------------------------------------------------
struct TpTrainData;
// The train takes over what a TP element gave it (attributes, sub-number, schedules, speeds,
// vehicle index, blocked limit).
void ApplyTpTrainData(TrainRecord* train, const TpTrainData* data);

// ---- train commands, dialogs and options ----------------------------------------------------------
void TrainMenuCommand(int command);                  // commands 368..373, 375, 376, 377
void EditTrainAtCell(int x, int y, int level);       // the train dialog of the train at the cell
void ContextTrainCommand1(int line, int subNumber);  // item 501, train not steered by hand
void ContextTrainCommand2(int line, int subNumber);  // item 501, train steered by hand
void ContextTrainCommand3(int line, int subNumber);  // item 502
void CmdTrainListOptions(int line);
int WriteTrainListReport(char16_t separator, int withInfo);  // 0 or the first stream error
int CategoryFromLetter(char16_t ch);                         // 1..3, 0 none
int TypeFromLetter(char16_t ch);                             // 1..10, 0 none
char16_t CategoryLetter(int category);                       // '*' for 0, '?' out of range
char16_t TypeLetter(int type);
uint32_t GetTrainListMode();
int SetTrainListMode(uint32_t mode);  // non-zero low byte: refused
void GetDefaultTrainTexts(uint32_t* flags, char16_t* text0, char16_t* text1, char16_t* text2);
int SetDefaultTrainTexts(uint32_t flags, const char16_t* text0, const char16_t* text1,
                         const char16_t* text2);  // texts shorter than 33 characters
int SetTrainAutoStartOption(int value);           // 1, 3 on; 2 off; 0 asks; returns 3 on, 2 off
// Train-running option bits of option key V: 1 'L', 2 'M', 4 'E'.
extern uint32_t TrainRunningOptions;
void EditClockSettings();
void EditSimulationTime();
void EditStopTime();
void EditSimulationParameters();
void EditGeneralInfo();
void ShowStatusInfo();

// ---- event display list ------------------------------------------------------------------------
// 0 added, 1 kind switched off, 2 duplicate dropped, 3 the list holds 200 entries.
int AddEventDisplayEntry(int kind, int x, int y, int level, int line, int secondLine, int subNumber,
                         int32_t value);
void ClearEventDisplay();
int GetEventDisplayCount();
void ShowEventDisplay();
void EventFilterCommand(int command);  // the filter dialogs 448..451
int GetEventDisplayOption();
int SetEventDisplayOption(int value);  // 0..7, else 1
int GetEventKindFlag(int kind);
int SetEventKindFlag(int kind, int flag);  // 1 kind outside 1..29, 2 flag above 2
void ResetEventFilter();                   // option byte 0, every kind flag 1
void ExitEventDisplay();
