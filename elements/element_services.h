// Services of the placed-element stores (depots, TP, stops, info texts, lines, LFST, log points,
// buffer stops, route points, Dwx) that the core, the layout model and the frame call: start-up
// and exit, counts, lookups, names, lines, log file, sections, clears, reports, symbol tests.
#pragma once
#include <cstdint>

// ---- start-up and exit of the stores ---------------------------------------------------------
void InitDepots();
void ExitDepots();
void InitRp();
void ExitRp();
void InitTpStore();
void ExitTpStore();
void InitDwx();
void ExitDwx();
void InitHstElements();
void ExitHstElements();
void InitLfst();
void ExitLfst();
void InitInfoTexts();
void ExitInfoTexts();
void InitLogPoints();
void ExitLogPoints();
void InitPrell();
void ExitPrell();
int InitLineTable();  // non-zero on success; 0 is start-up error 12
void ExitLineTable();

// ---- store clears (new network, before loading) ----------------------------------------------------
void FreeInfoList();
void FreeTpList();
void DwxDeleteAll();
void RpDeleteAll();
void FreeHstList();
void FreeLfstList();
void PrellDeleteAll();
void FreeLogPoints();
void FreeDepots();
void ClearLineTable();  // frees the line descriptions, line count 0

// ---- counts (status report, menu greying) ----------------------------------------------------------
int CountDepots(int* totalSlots);
int RpCount();
int GetTpCount();
int DwxCount();
int GetHstCount(int* limit);
int LfstCount();
int PrellCount();
int GetInfoTotals(uint32_t* totalCapacity);
int GetLineCountAndMax();  // count in bits 0-15, 4000 in bits 16-31

// ---- network-file sections: writers () -> 0 or the first stream error; readers (file version)
// -> 0, 3 format error, 4 out of memory, or a stream error --------------------------------------
int RpWriteSection();
int RpReadSection(int version);  // "RNGP" / "RP"
int WriteDepotSection();
int ReadDepotSection(int version);  // "DEPO" / "BF"
int SaveTpSection();
int LoadTpSection(int version);  // "TKTP" / "EP"
int DwxWriteSection();
int DwxReadSection(int version);  // "DWXP" / "LW"
int SaveHstSection();
int LoadHstSection(int version);  // "HSTP" / "HS"
int SaveLfstSection();
int LoadLfstSection(int version);  // "LFST" / "LF"
int SaveLineSection();
int LoadLineSection(int version);  // "LIND" / "LI"
int SaveLogPointSection();
int LoadLogPointSection(int version);  // "LOGP" / "ZA"
int PrellWriteSection();
int PrellReadSection(int version);  // "PRLB" / "PB"
int SaveInfoSection();
int LoadInfoSection(int version);  // "INFO" / "IF"
int ConvertOldLfstSymbols();       // files below 14344; negative = failure
int ConvertOldHstSymbols();

// ---- text export (into the open output stream): 0 or the first stream error -------------------
int WriteLineReport(char16_t separator, int withDescriptions);
int ExportDepotText(char16_t separator, int withInfoTexts);
int ExportTpText(int withInfoTexts);
int ExportDwxText(int withInfoTexts);
int ExportRpText(int withInfoTexts);

// ---- info texts --------------------------------------------------------------------------------
int GetInfoTextSize(int x, int y, int level);              // capacity, 0 when none
int GetInfoText(int x, int y, int level, char16_t* text);  // 1 when none
int SetInfoAt(int x, int y, int level, int capacity);      // 0, 1 when memory is short
int SetInfoText(int x, int y, int level, const char16_t* text);
// The next text after the position in row order (wrapping when asked); 0 when there are none.
int NextInfoPosition(int* x, int* y, int* level, int wrap);
int SearchInfoText(int* x, int* y, int* level, const char16_t* pattern, int options);
// Out minimum x, y, level, maximum level, y, x; 1 when there are no texts, else 0.
int GetInfoBounds(int* minX, int* minY, int* minLevel, int* maxLevel, int* maxY, int* maxX);
// The info text of the cell in the text export (before the row of the element there): 0 or the
// first stream error.
int WriteInfoTextReport(int x, int y, int level);

// ---- log points and the log file ---------------------------------------------------------------
int GetLogPointAt(int x, int y, int level, char16_t* name, uint32_t* directionMask);  // flags
int CreateLogPoint(int x, int y, int level, uint32_t flags, const char16_t* name,
                   uint32_t directionMask);  // 0, 1 when memory is short
int DeleteLogPointAt(int x, int y, int level);
int FindNextLogPoint(int* x, int* y, int* level, int wrap);
// Log points: 1 without points, else the box of all points and 0.
int GetLogPointsBox(int* minX, int* minY, int* minLevel, int* maxX, int* maxY, int* maxLevel);
// Returns the number of points; every out pointer may be null.
int GetLogSettings(uint32_t* flags, char16_t* separator, char16_t* comment, int* switchedOff);
// 1 flags without a bit but 4 and 8, 2 separator, 3 comment outside 32..65535; else closes
// the log file, stores the values and returns 0.
int SetLogSettings(uint32_t flags, uint32_t separator, uint32_t comment);
int IsLogFileOpen();
int OpenLogFile();
void CloseLogFile();
const char16_t* GetOpenLogFileName();  // null while no log file is open
struct TrainRecord;
// Writes the line of a new event-display entry into the open log file (train may be null).
void LogDisplayEvent(int x, int y, int level, const char16_t* timeText, const char16_t* message,
                     int line, TrainRecord* train);

// ---- names of the TP, Dwx and signal-system elements ---------------------------------------------
// Name buffers hold ELEMENT_NAME_CHARS characters with the terminator; every out may be null.
constexpr int ELEMENT_NAME_CHARS = 64;
// The TP element at the cell: 0 with its name and id, 1 when there is none.
int GetTpInfoAt(int x, int y, int level, char16_t* name, int* id);
// Cell of part 0..parts of TP element id: 0; 1 no such id; 3 part number above the count.
int GetTpPart(int id, int part, int* x, int* y, int* level, int* order);
// The Dwx element at the cell: 0 with its name, 1 when there is none.
int DwxGetAt(int x, int y, int level, char16_t* name);
// Selector: an id (-1 the first, -2 the next after the last returned); the signal system's state
// with its name, 0 when there is none.
int QuerySignalSystems(int selector, char16_t* name);

// ---- depots ------------------------------------------------------------------------------------
int FindDepotAt(int x, int y, int level, int* slot);  // depot id, 0 when none
int GetDepotSlot(int id, int slot, int* x, int* y, int* level, uint32_t* direction,
                 uint32_t* signalSystem, uint32_t* timeMs, uint32_t* flags);  // 0, 1 none
int FindDepotByName(const char16_t* name, int slot);  // id, 0 none, -1 -2 -3 bad name
int GetFirstDepotSlot(int id);
int NextDepotSlot(int* depot);  // slot, 0 after the last
int FormatDepotName(int id, int slot, char16_t* fullName, char16_t* shortName);
int ParseDepotReference(const char16_t* text, char16_t* out, int step);
int CreateDepotSlotAt(int x, int y, int level, const char16_t* name, int slot);
int ChangeDepotSlot(int id, const char16_t* name, const char16_t* shortName, int oldSlot,
                    int newSlot, uint32_t direction, uint32_t signalSystem, uint32_t timeMs,
                    uint32_t flags);
int GetDepotSlotCount(int id);  // 0 for a depot that does not exist
int SetDepotSlotDirection(int id, int slot, uint32_t direction);

// ---- lines -------------------------------------------------------------------------------------
int GetLineIdAt(int index);                          // 0 at or past the count
int GetLineName(int id, char16_t* buffer, int pad);  // 0, 1 unknown ("?"), 2 for 0 ("*")
int FindLineByName(const char16_t* text);            // id, 0 none, negative bad name
int CreateLine(const char16_t* name, int afterId, int copyFromId);
// position: 0 keep, -1 up, -2 down, else behind that line id; a taken name is copied back.
int RenameLine(int id, char16_t* newName, int position);
int DeleteLine(int id);
int GetLineDescription(int id, char16_t* buffer);      // length, -1 unknown id
int SetLineDescription(int id, const char16_t* text);  // 0, -1 unknown id, -2 memory
int ReportLineNameError(int code, const char16_t* name, int mayCreate);
int ParseLineName(const char16_t* text, int* id);
int StepLineNameField(const char16_t* fieldText, char16_t* name, int n);
int CountLineUses(int id, int x0, int y0, int level0, int x1, int y1, int level1);
int LineRefNextEntry(const uint32_t* list, int index);
int RangeListsOverlap(const uint32_t* listA, int lengthA, const uint32_t* listB, int lengthB);
// Line-reference queries over a box: the next element of the kind whose lists hold the line
// (cursor -1 continues after the one found last); 1 found, 0 at the end.
int NextTpWithLine(int line, int x0, int y0, int level0, int x1, int y1, int level1, int* cursor,
                   int* x, int* y, char16_t* name);
int NextHstWithLine(int line, int x0, int y0, int level0, int x1, int y1, int level1, int* cursorX,
                    int* y, int* level);
int LfstQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                       int* iteration, int* y, int* level);
int DwxQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                      int* iteration, int* y, int* level, char16_t* name);
int RpQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                     int* iteration, int* y, int* level);

// ---- route points ------------------------------------------------------------------------------
// Removes the route point at the cell: 1 removed, 0 none.
int RpRemoveAt(int x, int y, int level);
// Replaces the route point at the cell by a new one: 0, 1 when it cannot be made.
int RpReplaceAt(int x, int y, int level, int type, uint32_t directionMask, uint32_t state);

// ---- element names and the demonstration layout ----------------------------------------------------
int GetTpNameRelative(const char16_t* name, char16_t* out, int step);  // 0 found
int DwxGetNameRelative(const char16_t* name, char16_t* out, int n);    // 0 found
int SetHstAt(int x, int y, int level, uint32_t categories, uint32_t flags, uint32_t directionMask,
             uint32_t time, uint32_t state, const uint32_t* lineWords, int lineCount,
             const uint32_t* weighted, int weightedCount);

// ---- property-dialog defaults (option keys BauformHst, BauformLfst, BauformPrell, Store_Hst) -----
int GetStopDefault();
int SetStopDefault(int form);  // 0..16
int GetSlowSectionDefault();
int SetSlowSectionDefault(int form);  // 0..17
int GetBufferStopDefault();
int SetBufferStopDefault(int form);  // 0..11
extern int StoreHstSwitch;           // the stop dialog remembers its last values
// Remembered symbol forms (option keys BauformHSig .. BauformSK: 0..59, 0..59, 0..47, 0..23,
// 0..11; BauformWei, BauformRp, BauformTp, BauformDwx: 0..2); non-zero = refused, unchanged.
int GetSignalSymbolFormHSig();
int SetSignalSymbolFormHSig(int form);
int GetSignalSymbolFormVSig();
int SetSignalSymbolFormVSig(int form);
int GetSignalSymbolFormKSig();
int SetSignalSymbolFormKSig(int form);
int GetSignalSymbolFormBUESig();
int SetSignalSymbolFormBUESig(int form);
int GetSignalSymbolFormSK();
int SetSignalSymbolFormSK(int form);
int GetSwitchSymbolForm();
int SetSwitchSymbolForm(int form);
int GetRoutePointSymbolForm();
int SetRoutePointSymbolForm(int form);
int GetTpSymbolForm();
int SetTpSymbolForm(int form);
int GetDwxSymbolForm();
int SetDwxSymbolForm(int form);
extern int StoreSigASwitch;  // the signal dialogs remember their last values (option Store_SigA)

// ---- symbol tests: non-zero when the code's symbol number is one of the kind's; range (may be
// null) receives the lowest and highest state the symbol shows ------------------------------------
int IsHstSymbol(uint32_t code, int32_t* range);
int IsTpSymbol(uint32_t code, int32_t* range);
int IsLfstSymbol(uint32_t code, int32_t* range);
int IsRpCode(uint32_t code, int32_t* range);
int IsDwxCode(uint32_t code, int32_t* range);
int IsPrellCode(uint32_t code, int32_t* range);

// ---- what a train asks of stops and TP, and the log lines of trains -----------------------------
// The train data a TP element is asked with: the train's current values go in as defaults and
// come back changed where the element gives new ones (and the out values of the element).
struct TpTrainData {
  uint32_t line, secondLine, subNumber;
  uint16_t minWait, maxWait;
  uint32_t type, homeType, category, attribute2, attribute5, flags, wayKinds;
  uint16_t pendingDepot, pendingSlot;
  int32_t acceleration, brake, maxSpeed, vehicleIndex, blockedLimit;
  uint32_t scheduleATime[6];
  uint16_t scheduleADepot[6], scheduleASlot[6];
  uint32_t scheduleBTime[6];
  uint16_t scheduleBDepot[6], scheduleBSlot[6];
  int32_t value;        // out: the element's value (a speed limit), -1 none
  int32_t releaseTime;  // out: the time of a queued release, in seconds of the day
};
// The stop at the cell for a train (direction code of its travel, category, running flags):
// 0 the stop does not apply, -1 it applies, another value the wait drawn for it. *value: the stop's
// speed limit, -1 none.
int MatchHstForTrain(int x, int y, int level, uint32_t direction, uint32_t category, int mode,
                     uint32_t line, uint32_t secondLine, uint32_t subNumber, uint32_t type,
                     uint32_t flags, int32_t* value);
// The TP at the cell asked by a train (entry bits: its direction code): 0 held here, 1 no element
// or nothing for the train, 2..4 it does not fit, 5 and 6 released (data->releaseTime). Query
// only: 0 when the train fits, nothing changes.
int MatchTpForTrain(int x, int y, int level, uint32_t entryBits, int queryOnly, TpTrainData* data);
// Forgets the train held at the TP of the cell: 0, 2 none was held, 1 no element.
int ClearTpHoldAt(int x, int y, int level);
// The wait in seconds that the buffer stop at the cell gives a train turning round there, -1 none.
int PrellGetWait(int x, int y, int level);
// The number the TP of the cell keeps for the train it holds: 0 with *number, 1 no element.
int GetTpHeldNumber(int x, int y, int level, int32_t* number);
// Log lines of trains: a whole-cell move, and the waits and releases (kinds 0..6, time value in
// seconds or -1). Nothing is written while the log file is closed.
int WriteLogEntry(int oldX, int oldY, int oldLevel, int newX, int newY, int newLevel, int dx, int dy,
                  uint32_t line, uint32_t secondLine, uint32_t number, uint32_t trainFlags);
int LogTrainEvent(int x, int y, int level, int tpX, int tpY, int tpLevel, int dx, int dy, int kind,
                  int32_t timeValue, uint32_t line, uint32_t secondLine, uint32_t number,
                  uint32_t trainFlags);

// ---- signal elements ---------------------------------------------------------------------------
// Shows the current aspect of the signal element at the cell after its symbol was placed.
void RefreshSignalElementAspectAt(int x, int y, int level);
// The state of a signal system (2 occupied, 3 free); 0 when there is none.
int GetSignalSystemState(uint32_t id);
// Tells the element at the cell that a train passes (depot slot word slot << 16 | depot); mode
// bits 1 signal, 2 contact, 4 in the symbol's direction, 8 against it, 16 with 32 or 64 a depot
// slot occupied or released. 0 done, 7 no element (more results with the signal elements).
int TriggerElementAt(int x, int y, int level, uint32_t depotSlot, int subNumber, int secondLine,
                     int line, int vehicleCount, int mode);
