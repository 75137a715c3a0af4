// The section table of the network file: one row per place of the fixed section order, naming
// the section's reader, writer, clear function and error offset; every element family owns its row.
#pragma once
#include <cstdint>

typedef int (*NetSectionReader)(int version);  // 0, 3, 4 or a stream error (trains: <= 0 ok)
typedef int (*NetSectionWriter)();             // 0 or the first stream error
typedef void (*NetSectionClear)();

// Kinds of row.
constexpr int NETROW_SECTION = 0;   // an ordinary section
constexpr int NETROW_PASSWORD = 1;  // password slice bytes first..last (only with the flag)
constexpr int NETROW_TRAINS = 2;    // the trains: a reader result <= 0 is success, -n skipped

struct NetSectionRow {
  const char* name;           // for traces and tests ("GENL", "NETZ", "slice 0-2", ...)
  int kind;                   // NETROW_...
  int errorOffset;            // added to a reader's non-zero result
  NetSectionReader read;      // null for password rows
  NetSectionWriter write;     // null for password rows
  int sliceFirst, sliceLast;  // password rows only
};

// The 26 places in file order (general section first, info texts last). The tables are filled
// in the source by each family; tests may swap a row for the time of one test.
constexpr int NET_SECTION_COUNT = 26;
extern NetSectionRow NetSectionTable[NET_SECTION_COUNT];

// The clear order before loading (position history, password, saved positions, grid, trains,
// info texts, animated cells, event display, TP, Dwx, switches, route points, signals, text
// labels, stops, LFST, buffer stops, log points, vehicle-graphic data). Each family supplies its
// clear function here; rows not built yet clear nothing.
constexpr int NET_CLEAR_COUNT = 19;
constexpr int NET_CLEAR_TRAINS = 4, NET_CLEAR_EVENTS = 7,
              NET_CLEAR_SWITCHES = 10;  // rows the layers above fill
extern NetSectionClear NetClearOrder[NET_CLEAR_COUNT];

// ---- empty forms of the sections whose families are not built yet --------------------------------
// Each writer writes the family's section with no records (tag and zero counts, 14400 form); each
// reader accepts the empty form of every version 13312..14400 and answers 3 when the file holds
// records (they cannot be taken over without their family). Each family replaces its pair.
int WriteEmptyTrainsSection();
int ReadEmptyTrainsSection(int version);  // "ZUGD" / "ZU"
int WriteEmptySwitchSection();
int ReadEmptySwitchSection(int version);  // "WEIN" / "WE"
int WriteEmptyRpSection();
int ReadEmptyRpSection(int version);  // "RNGP" / "RP"
int WriteEmptyDepotSection();
int ReadEmptyDepotSection(int version);  // "DEPO" / "BF"
int WriteEmptyTpSection();
int ReadEmptyTpSection(int version);  // "TKTP" / "EP"
int WriteEmptyDwxSection();
int ReadEmptyDwxSection(int version);  // "DWXP" / "LW"
int WriteEmptySignalSection();
int ReadEmptySignalSection(int version);  // "SIGS"+"SIGE" / "SI"
int WriteEmptyTextsSection();
int ReadEmptyTextsSection(int version);  // "ZKTN" / "ZK"
int WriteEmptyHstSection();
int ReadEmptyHstSection(int version);  // "HSTP" / "HS"
int WriteEmptyLfstSection();
int ReadEmptyLfstSection(int version);  // "LFST" / "LF"
int WriteEmptyLineSection();
int ReadEmptyLineSection(int version);  // "LIND" / "LI"
int WriteEmptyGraphicsSection();
int ReadEmptyGraphicsSection(int version);  // u16 "ZG"
int WriteEmptyLogPointSection();
int ReadEmptyLogPointSection(int version);  // "LOGP" / "ZA"
int WriteEmptyPrellSection();
int ReadEmptyPrellSection(int version);  // "PRLB" / "PB"
int WriteEmptyInfoSection();
int ReadEmptyInfoSection(int version);  // "INFO" / "IF"

// ---- steps after loading ---------------------------------------------------------------------------
// Each step runs after the file was read and closed, for files below `belowVersion` (0: every
// file), in table order. How its result counts:
constexpr int NETPOST_IGNORE = 0;          // the result is not looked at
constexpr int NETPOST_NONZERO_FAILS = 1;   // non-zero -> failCode
constexpr int NETPOST_NEGATIVE_FAILS = 2;  // negative -> modified flag cleared, failCode
constexpr int NETPOST_GRAPHICS = 3;        // 3 -> failCode, other non-zero -> warning
constexpr int NETPOST_TRAINS = 4;          // 1 -> failCode, 2 -> warning

typedef int (*NetPostLoadFn)(const char16_t* name, int version);
struct NetPostLoadStep {
  const char* what;
  int belowVersion;
  int kind;
  int failCode;
  NetPostLoadFn run;  // null: the family is not built yet, the step is left out
};
constexpr int NET_POSTLOAD_COUNT = 11;
extern NetPostLoadStep NetPostLoadSteps[NET_POSTLOAD_COUNT];

// The check of level changes in files below 14396, run right after the grid section: the number
// of problems reported, or -1 when a cell cannot be written (the load fails with 14). It opens
// its own progress box, which the loader closes after it. Null until the file commands provide it.
typedef int (*NetGridCheckFn)();
extern NetGridCheckFn NetGridCheck;
