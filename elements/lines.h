// Lines and line-reference lists. The line table holds the named services trains belong to, in the
// user's order; placed elements choose the trains they act on through line-reference lists (runs
// of u32 words: count, line ids, flag word, then the parts the flag word announces). The plain
// services (names, create, delete, sections, reports) are declared in element_services.h; this
// header adds the table record, the list walkers, matchers and editors, and the table of the stores
// that hold lists.
#pragma once
#include <cstdint>
#include "elements/element_services.h"

// ---- the line table -------------------------------------------------------------------------------
constexpr int LINE_TABLE_MAX = 4000;         // lines in the table
constexpr uint32_t LINE_ID_MAX = 4005;  // ids run 1..4005
constexpr int LINE_NAME_CHARS = 8;     // characters of a name (the record holds a terminator too)
constexpr int LINE_DESC_MAX = 10001;   // units of a description with its terminator
constexpr int LINE_UNKNOWN_INDEX = 4001;

struct LineRecord {
  uint32_t id;
  char16_t name[LINE_NAME_CHARS + 1];
  uint32_t descLength;    // units with the terminator, 0 = none
  char16_t* description;  // owned, descLength units
};

int LineCount();
const LineRecord* LineAt(int index);  // null at or past the count
int LineIdToIndex(uint32_t id);       // LINE_UNKNOWN_INDEX when unknown
uint32_t NextFreeLineId();
// Order of two lines in the table: 11 either unknown, 1 a before b, 0 equal, 2 after.
int CompareLineOrder(uint32_t a, uint32_t b);
// Re-sorts the list of all trains by the table order of their lines, then sub-number.
void SortTrainsByLineOrder();
// Puts the line table's services into the hooks of the other components (start-up), the LIND
// reader and writer into the section table.
void RegisterLineServices();
void RegisterLineSection();
// The section reader's additions: a line appended (0; 1 the table is full or the id lies outside
// 1..4005 or is taken) and a description block handed over (owned by the table afterwards).
int AppendLoadedLine(uint32_t id, const char16_t* name);
void AdoptLineDescription(int index, char16_t* block, uint32_t length);

// ---- line-reference lists --------------------------------------------------------------------------
// Flag bits of an entry.
constexpr uint32_t LREF_STATE = 0x0001;
constexpr uint32_t LREF_CATEGORY = 0x0002;
constexpr uint32_t LREF_VEHICLE_INDEX = 0x0004;
constexpr uint32_t LREF_MAX_SPEED = 0x0008;
constexpr uint32_t LREF_SCHEDULE_A = 0x0010;
constexpr uint32_t LREF_SCHEDULE_B = 0x0020;
constexpr uint32_t LREF_ATTR_4 = 0x0040;
constexpr uint32_t LREF_ATTR_8 = 0x0080;
constexpr uint32_t LREF_BRAKE = 0x0100;
constexpr uint32_t LREF_ACCELERATION = 0x0200;
constexpr uint32_t LREF_TYPE = 0x0400;
constexpr uint32_t LREF_WAIT = 0x0800;
constexpr uint32_t LREF_WAY_KINDS = 0x1000;
constexpr uint32_t LREF_SUB_NUMBER = 0x2000;
constexpr uint32_t LREF_TARGET = 0x4000;
constexpr uint32_t LREF_WINDOWS = 0x8000;
constexpr uint32_t LREF_RANGE = 0x10000;
constexpr uint32_t LREF_DEPOT_ORDER = 0x20000;
constexpr uint32_t LREF_BLOCKED = 0x40000;

constexpr int LREF_MAX_IDS = 20;        // line ids of one entry
constexpr int LREF_MAX_WINDOWS = 20;    // time windows of one entry
constexpr int LREF_MAX_RANGE = 20;      // words of one number range list
constexpr int LREF_MAX_SCHEDULE = 6;    // schedule records of one block
constexpr int LREF_ADD_LIMIT = 600;     // words a list may grow to when a line is added alongside
constexpr int LREF_OLD_LIST_MAX = 2400; // words of an old list after conversion

// Length in words of the entry at list[index] within a list of `length` words; 0 when the entry
// runs past the list or a count is above its limit (a list that fails CheckLineRefList).
int LineRefEntryLength(const uint32_t* list, int length, int index);
int LineRefNextEntryIn(const uint32_t* list, int length, int index);  // index + entry length
int LineRefEntryAt(const uint32_t* list, int length, int n);          // index of entry n, -1
int LineRefEntryCount(const uint32_t* list, int length);
// The check every reader of a list calls: 0 when every entry lies wholly inside the list and no
// count exceeds its limit (20 ids, 20 windows, 20 range words, 6 schedule records), else 3.
int CheckLineRefList(const uint32_t* list, int length);

inline int PairListNext(int index) { return index + 2; }
inline int PairAt(int n) { return 2 * n; }
inline int PairCount(int length) { return length / 2; }

// The first entry that matches (line, number, PackedDayTime t): the index where its single-word
// actions begin, -1 when none. flags gets its flag word, windowEnd the `to` of the matching window
// (0 without windows); both may be null.
int FindLineRefEntry(const uint32_t* list, int length, uint32_t line, uint32_t number, uint32_t t,
                     uint32_t* flags, uint32_t* windowEnd);
// Without `until`: 1 when the list matches now (the clock's PackedDayTime), else 0. With it: 1 when
// the list keeps matching from now until *until; else 0 with the time at which it stops matching
// stored into *until.
int MatchLineRefForTrain(const uint32_t* list, int length, uint32_t line, uint32_t number,
                         uint32_t* until);
// The same at a given time `now` (what MatchLineRefForTrain does with the clock).
int MatchLineRefAt(const uint32_t* list, int length, uint32_t line, uint32_t number, uint32_t now,
                   uint32_t* until);

// The train values an entry's actions change (in: the current values, out: the new ones).
struct LineRefTrainValues {
  uint32_t line, number;
  uint16_t minWait, maxWait;
  uint32_t category, type, wayKinds;
  int32_t acceleration, brake, maxSpeed, vehicleIndex, blockedLimit;
  uint32_t attribute5;
  uint32_t flags;  // the train's flags: 0x1 depot order pending, 0x400 leave-depot, 0x8000 variant
  uint32_t scheduleATime[6];
  uint16_t scheduleADepot[6], scheduleASlot[6];
  uint32_t scheduleBTime[6];
  uint16_t scheduleBDepot[6], scheduleBSlot[6];
  uint16_t depot, slot;  // in: the defaults of a depot order; out: the order given
};
// 2 an empty list, 0 no entry matches, 1 the matching entry's actions were applied to v; `now` is a
// PackedDayTime (ApplyLineRefEntry takes the clock).
int ApplyLineRefEntryAt(const uint32_t* list, int length, uint32_t now, LineRefTrainValues* v);
int ApplyLineRefEntry(const uint32_t* list, int length, LineRefTrainValues* v);

int LineRefListContains(const uint32_t* list, int length, uint32_t line);
int LineRefListRemove(uint32_t* list, int length, uint32_t line, int strict);  // new length
// Copies the list into out (room for LREF_ADD_LIMIT words, or length when more) with newLine added
// behind line in every entry naming it: -1 newLine 0 or the list empty, 0 done, -2 nothing added
// because of the limits, -3 some entries not extended. *outLength gets the new length.
int LineRefListAddAlongside(const uint32_t* list, int length, uint32_t* out, uint32_t line,
                            uint32_t newLine, int* outLength);
void LineRefListClearDepotSlot(uint32_t* list, int length, uint32_t depot, uint32_t slot);
void LineRefListRenumberDepotSlot(uint32_t* list, int length, uint32_t depot, uint32_t oldSlot,
                                  uint32_t newSlot);
int DepotSlotListRemove(uint32_t* pairs, int length, uint32_t depot, uint32_t slot);  // new length
void DepotSlotListRenumber(uint32_t* pairs, int length, uint32_t depot, uint32_t oldSlot,
                           uint32_t newSlot);
int LineRefListFind(const uint32_t* pairs, int length, uint32_t a, uint32_t b);
// A number range list: count, then numbers; -1 between two numbers makes an inclusive range.
int RangeListContains(const uint32_t* list, uint32_t number);

// Old file forms: 16-bit entries. Each returns the new length in words, or -1 when an old entry
// runs past its list (or the result would exceed outCapacity words).
int ConvertOldLineRefList(const uint16_t* old, int length, uint32_t* out, int outCapacity);
int ConvertOldLinePairList(const uint16_t* old, int length, uint32_t* out, int outCapacity);
// The oldest form: each entry's flag word f becomes f & 0x33FF and f & 0xCC00 (in place; list must
// have room for one more word per entry, capacity words in all).
int SplitOldLineRefFlags(uint16_t* list, int length, int capacity);

// ---- the stores that hold lines and depot slots ------------------------------------------------------
// One row per store, in the fixed order switches, route points, TP, Dwx, stops, signal elements,
// LFST, trains. Each operation that walks the stores names its own order (LINE_STORES_...). A
// null entry: the store is not built yet, or has nothing of that kind.
struct LineStoreRow {
  const char* name;
  void (*removeLine)(uint32_t line);
  int (*addAlongside)(uint32_t line, uint32_t newLine);  // non-zero: a list could not take it
  // The next element inside the box whose lists hold the line (*iteration 0 first, then -1): 1
  // found, 0 at the end.
  int (*findInBox)(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                   int* iteration);
  void (*clearSlot)(uint32_t depot, uint32_t slot);  // slot 0: every slot of the depot
  void (*renumberSlot)(uint32_t depot, uint32_t oldSlot, uint32_t newSlot);
};
constexpr int LSTORE_SWITCHES = 0, LSTORE_RP = 1, LSTORE_TP = 2, LSTORE_DWX = 3, LSTORE_HST = 4,
              LSTORE_SIGNALS = 5, LSTORE_LFST = 6, LSTORE_TRAINS = 7, LSTORE_COUNT = 8;
extern LineStoreRow LineStores[LSTORE_COUNT];
// Removing and adding lines: switches, route points, TP, Dwx, stops, signal elements, LFST.
void RemoveLineFromStores(uint32_t line);
int AddLineAlongsideInStores(uint32_t line, uint32_t newLine);  // non-zero: some list refused
// Counting uses in a box: TP, Dwx, stops, route-list switches, route points, signal elements, LFST.
int CountLineUsesInStores(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                          int countAll);
// Depot slots: route-list switches, route points, TP, Dwx, signal elements, then trains.
void ClearDepotSlotInStores(uint32_t depot, uint32_t slot);
void RenumberDepotSlotInStores(uint32_t depot, uint32_t oldSlot, uint32_t newSlot);

// ---- copy text and escapes ----------------------------------------------------------------------------
int WriteLineCopyText(int x0, int y0, int level0, int x1, int y1, int level1);
// Reads the LIN section at *lineIndex: 0, 1 a line could not be created, 2 a read or format
// error, 3 a description could not be set. The index moves past the end marker.
int ReadLineCopyText(int* lineIndex);
// Dialog 114 for an unknown pasted line (its name): 120 yes, 121 yes to all, 122 no, 123 no to all.
// The dialog engine is asked through this hook; tests set it.
extern int (*AskCreatePastedLine)(const char16_t* name);
