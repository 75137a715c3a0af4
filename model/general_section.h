// The general section "GENL" of the network file and the document state it carries: view
// origin and cursor, saved positions, marked block, clock, stop time, simulation parameters,
// day/night times, the user graphic-file lists, the general-info texts and the flags.
#pragma once
#include <cstdint>

constexpr int SAVED_POSITION_COUNT = 200;
constexpr int SAVED_POSITION_NAME = 64;  // characters, terminator not counted
constexpr int USER_FILE_LIST_COUNT = 100;
constexpr int USER_FILE_NAME = 259;  // characters, terminator not counted
constexpr uint32_t SIM_SCALE_DEFAULT = 64;
constexpr uint32_t SIM_TIME_BASE_NUMERATOR = 450000000;

// Flag bits of the general section.
constexpr uint32_t GENFLAG_BLOCK_MARK = 1u << 0;
constexpr uint32_t GENFLAG_DAYPHASE_ON = 1u << 1;  // display option bit 0
constexpr uint32_t GENFLAG_PASSWORD = 1u << 2;
constexpr uint32_t GENFLAG_WEEKDAY_FIXED = 1u << 3;
constexpr uint32_t GENFLAG_BACKGROUND = 1u << 4;
constexpr uint32_t GENFLAG_FIXED_SEED = 1u << 5;
constexpr uint32_t GENFLAG_DAYPHASE_OPT2 = 1u << 6;  // display option bit 1

struct SavedPosition {
  int32_t x, y, level;
  uint32_t alarm;  // PackedDayTime, 0 = none
  char16_t name[SAVED_POSITION_NAME + 1];
};

// The document-wide state of a network (origin and cursor live in the edit-window table). The
// views, the clock and the graphic-file lists read and change it here.
struct DocumentState {
  SavedPosition saved[SAVED_POSITION_COUNT];
  int32_t homeX, homeY, homeLevel;
  int32_t markX1, markY1, markX2, markY2, markLevel;
  int32_t blockMarkMode;  // SetBlockMarkMode state: 0 off, 6 shown
  int32_t constructionX, constructionY;
  // clock
  int32_t speedLevel;                           // 1..20
  int32_t weekday, hour, minute, second, tick;  // weekday 1..7, tick 0..49
  uint32_t minuteCount;
  // stop time
  int32_t stopMinute, stopHour, stopWeekday;  // hour 255 = none; weekday 0 = every day
  uint32_t stopRepeat;
  int32_t weekdayFixed;  // the weekday does not advance at midnight
  // simulation
  uint32_t scale;     // cell scale, 1..
  uint32_t timeBase;  // 450000000 / scale
  uint32_t params[6];
  int32_t simulationSwitch;  // 1 "G", 0 "g"
  int32_t fixedSeed;         // -1 none
  int32_t dayPhaseOptions;   // bits 0, 1
  int32_t backgroundShown;
  uint16_t dayTimes[4];  // T1..T4, hour << 8 | minute
  // user graphic-file lists (symbol files, vehicle files); empty entries are ""
  char16_t symbolFiles[USER_FILE_LIST_COUNT][USER_FILE_NAME + 1];
  char16_t vehicleFiles[USER_FILE_LIST_COUNT][USER_FILE_NAME + 1];
  uint32_t text2Length;                  // units of general-info text 2 with its terminator
  alignas(4) int32_t autosaveCountdown;  // seconds; the autosave thread lowers it: see below
  int32_t autosaveInterval;              // seconds, 0 = off
  // clock stepping (kept by the program, not by the network): tick delay 1..5000 (option
  // BremsF), loop mode (option ViaTimer 'V'), the loop-mode skip counter, the five-tick counter
  // and the round-robin train queue stepped next
  int32_t tickDelay;
  uint32_t loopMode;
  int32_t skipCounter;
  int32_t fiveTick;
  int32_t queueIndex;
};
extern DocumentState DocState;

// The autosave countdown is lowered by the autosave thread while the user-interface thread
// restarts it: both go through interlocked operations.
void SetAutosaveCountdown(int32_t* countdown, int32_t seconds);
int32_t GetAutosaveCountdown(const int32_t* countdown);
// The document's countdown restarts from the autosave interval.
void RestartAutosaveCountdown();

// ---- the section ------------------------------------------------------------------------------
int WriteGeneralSection();            // 0 or the first stream error
int ReadGeneralSection(int version);  // 0, 3 format, 2 short text 2, or a stream error

// ---- document state ---------------------------------------------------------------------------
// Values of a new network (also at start-up).
void ResetDocumentState();
// The saved positions to (16384, 16384, 0), no name, no alarm (before loading).
void ClearSavedPositions();
void ClearUserFileLists();
// The clock speed: 1..20 sets it; -1 one level up (at most 20), -2 one down (at least 1); -3 sets
// level 15 (the default of a new network) without redrawing; anything else returns 1 and changes
// nothing. In loop mode every accepted call restarts the skip count; all accepted calls but -3
// redraw the clock panes. 0 when accepted.
int SetClockSpeed(int level);
// Cell scale: 1 ... ; 0 is refused (1) and changes nothing.
int SetSimulationScale(uint32_t scale);
// The scroll bars of edit window slot (0..5), when it is open, to its cursor x and y.
void SetEditScrollToCursor(int slot);

// Shifted text of the general-info texts 0 and 1: unit i stored as (c + 3i + 7) mod 65536.
inline uint16_t ShiftTextUnit(uint16_t c, uint32_t i) { return (uint16_t)(c + 3 * i + 7); }
inline uint16_t UnshiftTextUnit(uint16_t w, uint32_t i) { return (uint16_t)(w - (3 * i + 7)); }
