// Switch control records: per switch cell and exit index one record that tells a train which exit
// to take (fixed, counted ratio, random shares, train attributes, element states, route lists),
// their store (32 buckets by x, list ordered by id and exit index), ids 1..60000, the type data,
// the references to lines, depot slots and signal elements, statistics, the switch symbol classes
// and connections, the network-file section "WEIN" and the copy text "WEI".
#pragma once
#include <cstdint>
#include "elements/element_store.h"

// Control types.
constexpr int SWITCH_PLAIN = 1;
constexpr int SWITCH_FIXED1 = 2;
constexpr int SWITCH_FIXED2 = 3;
constexpr int SWITCH_FIXED3 = 4;
constexpr int SWITCH_RATIO = 11;
constexpr int SWITCH_RANDOM = 12;
constexpr int SWITCH_ATTRIBUTES = 14;
constexpr int SWITCH_STATES = 15;
constexpr int SWITCH_ROUTE1 = 21;
constexpr int SWITCH_ROUTE2 = 22;
constexpr int SWITCH_ROUTE3 = 23;
constexpr int SWITCH_OLD_RP1 = 31;  // route points in old files
constexpr int SWITCH_OLD_RP2 = 32;

constexpr uint32_t SWITCH_ID_MAX = 60000;
constexpr int SWITCH_BUCKETS = 32;
constexpr int SWITCH_EXPRESSION_MAX = 60;         // tokens of one element expression
constexpr uint32_t SWITCH_ROUTE_LIST_MAX = 2400;  // words of one route list
// Recorded exit of a route-list switch (flag word).
constexpr uint32_t ROUTE_RECORDED_EXIT1 = 0x4000;
constexpr uint32_t ROUTE_RECORDED_EXIT2 = 0x8000;
constexpr uint32_t ROUTE_RECORDED_EXIT3 = 0x2000;
constexpr uint32_t ROUTE_RECORDED_MASK = 0xE000;

struct SwitchRatioData {
  uint32_t count[3];
  uint32_t counter;        // counts down from the total to 1
  uint32_t resetTime[3];   // PackedDayTime, 0 = none
  uint32_t resetValue[3];  // the counter set at the reset time (16 bits)
};
struct SwitchRandomData {
  uint32_t share[3];
  uint32_t draw;  // 0 .. sum - 1, drawn ahead
};
struct SwitchAttributeData {
  uint32_t mask[12];  // per exit: type masks of categories 1, 2, 3, flag mask
};
struct SwitchStateData {
  int32_t length[3];
  uint32_t tokens[3][SWITCH_EXPRESSION_MAX];
  uint8_t priority;  // bits 1, 2, 4, 16, 32, 64
};
struct SwitchRouteData {
  uint32_t flags;      // bits 0x4000, 0x8000, 0x2000: the recorded exit
  uint32_t length[6];  // line lists of exits 1..3, destination lists of exits 1..3
  uint32_t* values;    // the six lists concatenated (owned; null when all are empty)
};

struct SwitchControl {
  ElementHeader h;  // list and bucket links, x, y, level
  uint32_t id;
  int32_t type;
  int32_t exitIndex;  // 0 the cell's single record; 1..4 one record per entry direction
  uint32_t entry, exit1, exit2, exit3;  // DirectionCodes; exit 3 is 0 with two exits
  uint32_t displayState;
  union {
    SwitchRatioData ratio;
    SwitchRandomData random;
    SwitchAttributeData attributes;
    SwitchStateData states;
    SwitchRouteData route;
  } data;
};

extern ElementStore SwitchStore;

// ---- symbols and connections ---------------------------------------------------------------------
// 0 no switch; else the class 1..5, with the state range in range[0..1] when asked.
int ClassifySwitchSymbol(uint32_t code, int32_t* range);
// Entry, exit 1, exit 2, exit 3 of a switch symbol: 0, or 1 (all four cleared) for other codes.
int GetSwitchConnections(uint32_t code, uint32_t directions[4]);

// ---- store ---------------------------------------------------------------------------------------
void InitSwitches();
void ExitSwitches();
void ClearSwitches();
int IsValidSwitchType(int type);
SwitchControl* FindSwitchRecord(int x, int y, int level, int exitIndex);  // -1: any index
SwitchControl* FindSwitchById(uint32_t id);
// 0 done (record in *out when asked), 1 out of memory, 2 refused control type.
int CreateSwitchRecord(SwitchControl* appendAfter, int x, int y, int level, int exitIndex, int type,
                       uint32_t id, uint32_t entry, uint32_t exit1, uint32_t exit2, uint32_t exit3,
                       uint32_t displayState, SwitchControl** out);
void FreeSwitchRecord(SwitchControl* r);
void InsertSwitchSorted(SwitchControl* r);
int PlaceSwitch(int x, int y, int level, int exitIndex, int type, uint32_t id,
                const uint32_t directions[4], uint32_t displayState);
int DeleteSwitch(int x, int y, int level, int exitIndex);  // 1 deleted, 0 none
int ChangeSwitchExitIndex(int x, int y, int level, int oldIndex, int newIndex,
                          const uint32_t directions[4]);
int AssignSwitchId(int x, int y, int level, uint32_t id);
int SetSwitchId(int x, int y, int level, uint32_t id);
uint32_t FindFreeSwitchId();
uint32_t GetSwitchId(int x, int y, int level);
int GetSwitchPositionById(uint32_t id, int* x, int* y, int* level);
uint32_t GetSwitchDisplayState(int x, int y, int level);
int SetSwitchDisplayState(int x, int y, int level, uint32_t state);
int EnumerateSwitches(int* x, int* y, int* level, int* exitIndex, uint32_t* id,
                      uint32_t directions[4]);

// ---- type data -------------------------------------------------------------------------------------
int SetRatioSwitchData(int x, int y, int level, int exitIndex, uint32_t c1, uint32_t c2,
                       uint32_t c3, uint32_t startPosition, const uint32_t resetTimes[3],
                       const uint32_t resetPositions[3]);
int GetRatioSwitchData(int x, int y, int level, int exitIndex, uint32_t counts[3],
                       uint32_t* position, uint32_t resetTimes[3], uint32_t resetPositions[3]);
int SetRandomSwitchData(int x, int y, int level, int exitIndex, uint32_t s1, uint32_t s2,
                        uint32_t s3);
int GetRandomSwitchData(int x, int y, int level, int exitIndex, uint32_t shares[3], uint32_t* draw);
int SetAttributeSwitchMasks(int x, int y, int level, int exitIndex, const uint32_t masks[12]);
int GetAttributeSwitchMasks(int x, int y, int level, int exitIndex, uint32_t masks[12]);
int SetStateSwitchExpressions(int x, int y, int level, int exitIndex, int length1,
                              const uint32_t* tokens1, int length2, const uint32_t* tokens2,
                              int length3, const uint32_t* tokens3, uint32_t priority);
int GetStateSwitchExpressions(int x, int y, int level, int exitIndex, int lengths[3],
                              uint32_t tokens[3][SWITCH_EXPRESSION_MAX], uint32_t* priority);
int SetRouteSwitchLists(int x, int y, int level, int exitIndex, const uint32_t lengths[6],
                        const uint32_t* values);
// Length of list 1..6 and its values (*values may stay null for an empty list).
int GetRouteSwitchList(int x, int y, int level, int exitIndex, int selector,
                       const uint32_t** values);
// The counter rules of counted-ratio switches: a counter outside 1..total is the full total.
uint32_t RatioTotal(const SwitchControl* r);

// ---- references held by route lists and state expressions -----------------------------------------
// The list operations on line-reference and pair lists. Until the line table is built they are
// these hooks (null: nothing is removed or matched).
struct RouteListOps {
  // Removes `line` from a line-reference list in place; returns the new length.
  uint32_t (*lineRefListRemove)(uint32_t* list, uint32_t length, uint32_t line);
  // Writes into out (capacity words) the list with `newLine` added beside `oldLine`; returns the
  // new length, or a value above capacity when it does not fit.
  uint32_t (*lineRefListAddAlongside)(const uint32_t* list, uint32_t length, uint32_t oldLine,
                                      uint32_t newLine, uint32_t* out, uint32_t capacity);
  int (*lineRefListContains)(const uint32_t* list, uint32_t length, uint32_t line);
  // Pair lists of depot slots: remove (slot 0: every slot) and renumber in place; new length.
  uint32_t (*depotSlotListRemove)(uint32_t* list, uint32_t length, uint32_t depot, uint32_t slot);
  uint32_t (*depotSlotListRenumber)(uint32_t* list, uint32_t length, uint32_t depot,
                                    uint32_t oldSlot, uint32_t newSlot);
  // 1 when a pair has first word a and (b non-zero) second word b or 0.
  int (*lineRefListFind)(const uint32_t* pairs, uint32_t length, uint32_t a, uint32_t b);
  // 1 when the line-reference list matches a train of (line, number) now.
  int (*matchLineRefForTrain)(const uint32_t* list, uint32_t length, uint32_t line,
                              uint32_t number);
};
extern RouteListOps RouteLists;
void RemoveLineFromRouteSwitches(uint32_t line);
int AddLineAlongsideInRouteSwitches(uint32_t oldLine, uint32_t newLine);
void RemoveDepotSlotFromRouteSwitches(uint32_t depot, uint32_t slot);
void RenumberDepotSlotInRouteSwitches(uint32_t depot, uint32_t oldSlot, uint32_t newSlot);
void RemoveElementFromStateSwitches(uint32_t elementId);
int StateSwitchInBoxUsesElement(uint32_t elementId, const ElementBox& box);
int CountStateSwitchesUsingElement(uint32_t elementId);
int RouteSwitchHasLine(const SwitchControl* r, uint32_t line);
int FindRouteSwitchInBox(uint32_t line, const ElementBox& box, int* x, int* y, int* level,
                         uint32_t* id);

// ---- statistics ------------------------------------------------------------------------------------
struct SwitchStatistics {
  int32_t plain, fixed, ratio, random, attributes, states, route;
  int32_t twoExitCells, threeExitCells;           // single-record cells
  int32_t class3Cells, class4Cells, class5Cells;  // multi-record cells
};
void GatherSwitchStatistics(SwitchStatistics* out);
int GetSwitchCount(SwitchStatistics* out);  // the record count; out may be null

// ---- network file, copy text and block hooks ------------------------------------------------------
int SaveSwitches();             // section "WEIN": 0 or the first stream error
int LoadSwitches(int version);  // 0, 3 format, 4 memory, or a stream error
// Puts the reader, writer (not in the viewer) and clear function of the switches into the
// section table and the clear order of the network file (start-up).
void RegisterSwitchSection();
// Old type-14 flag word -> the four masks of one exit.
void ConvertOldAttributeFlags(uint32_t word, uint32_t masks[4]);
int WriteSwitchSection(const ElementBox& box);  // copy text "WEI": 0 or the first line error
// 0 all placed, 1 switches dropped, 2 route lists not set, 3 both, 4 read or format error.
int ReadSwitchSection(int* lineIndex, int dx, int dy, int dlevel);
// The text forms of element expressions, line-reference lists and pair lists used by the copy
// text. Null until the condition expressions and the line table exist: the copy text then carries
// those expressions and lists as empty.
struct SwitchTextForms {
  int (*formatExpression)(const uint32_t* tokens, int length, char16_t* out, int capacity);
  int (*parseExpression)(const char16_t* text, uint32_t* tokens, int capacity);  // length or < 0
  int (*formatConditions)(const uint32_t* list, uint32_t length, char16_t* out, int capacity);
  int (*parseConditions)(const char16_t* text, uint32_t* list, uint32_t capacity);  // length, < 0
  int (*formatPairList)(const uint32_t* list, uint32_t length, char16_t* out, int capacity);
  int (*parsePairList)(const char16_t* text, uint32_t* list, uint32_t capacity);  // length, < 0
};
extern SwitchTextForms SwitchTexts;
void MoveSwitchesInBox(const ElementBox& box, int dx, int dy, int dlevel);
void ScaleSwitchesInBox(const ElementBox& box, int a, int b, int c, int d);
void DeleteSwitchesInBox(const ElementBox& box);
int SwitchesCrossBox(const ElementBox& a, const ElementBox& b);

// ---- exit decisions (switch_decide.cpp) ----------------------------------------------------------
struct TrainRecord;
constexpr uint32_t SWITCH_STOP_MARK = 0x8000;
constexpr uint32_t SWITCH_USER_STOPPED = 0x10000;
uint32_t DecideSwitchExit(TrainRecord* train, int x, int y, int level);
uint32_t DecideSwitchExitFrom(TrainRecord* train, int x, int y, int level, int dx, int dy);
uint32_t DecideSwitchExitAuto(TrainRecord* train, int x, int y, int level, int recordFlag);
uint32_t DecideSwitchExitAutoFrom(TrainRecord* train, int x, int y, int level, int dx, int dy,
                                  int recordFlag);
int ClearSwitchExitMarksAt(int x, int y, int level);
void ResetRatioSwitchesByTime();
uint32_t DecideExitWithDialog(SwitchControl* r, TrainRecord* train);
uint32_t DecideExitNoDialog(SwitchControl* r, TrainRecord* train, int recordFlag);
uint32_t DecideRatioSwitch(SwitchControl* r, int advance);
uint32_t DecideRandomSwitch(SwitchControl* r, int advance);
uint32_t DecideAttributeSwitch(SwitchControl* r, TrainRecord* train);
uint32_t DecideStateSwitch(SwitchControl* r);
uint32_t DecideRouteSwitch(SwitchControl* r, TrainRecord* train, int recordFlag);
uint32_t MatchRouteSwitchLists(SwitchControl* r, TrainRecord* train);
// The element-expression evaluation (3 = true); null until the condition expressions exist, then
// every non-empty expression counts as not met.
extern int (*EvaluateElementExpression)(const uint32_t* tokens, int length);
// The manual switching question (dialog 90): the chosen exit, the proposal, or 0x10000.
uint32_t AskSwitchExit(uint32_t proposal, SwitchControl* r);
extern uint32_t (*AskSwitchExitHook)(uint32_t proposal, SwitchControl* r);
