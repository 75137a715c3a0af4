// The option file "quil.ini": where it is found, the key table (one row per key with its reader,
// writer and default), reading with the section choice and the migrations of older versions,
// and writing the whole file anew.
#pragma once
#include <cstdint>

// Results of ReadSettingsFile.
constexpr int SETTINGS_READ = 0;
constexpr int SETTINGS_CANNOT_OPEN = 1;
constexpr int SETTINGS_FAULTY = 3;
// Results of WriteSettingsFile besides 0 and the stream's codes.
constexpr int SETTINGS_SECOND_INSTANCE = 3;
constexpr int SETTINGS_KEPT_FAULTY = 9;  // the faulty file could not be set aside: not overwritten
constexpr int SETTINGS_REPLACE_FAILED = 8;

constexpr int SETTINGS_NAME_CHARS = 513;  // file names of the settings: at most 512 characters

// The whole start-up procedure: defaults, the search, the question 214 and the copy, the read,
// and a file of defaults in place of a missing or faulty one.
void LocateAndReadSettings();
// The settings row of the start-up: locates and reads the option file.
void LoadSettings();
// Every default of the key table and the language, second-language and help file names.
void SetDefaultSettings();
// 0 read; 1 the file cannot be opened (in ANSI mode: converted); 3 faulty.
int ReadSettingsFile();
// 0 written; 3 second instance (nothing written); else the first failing stream code (the old file
// is unchanged and no temporary file is left).
int WriteSettingsFile();

// The save-settings command (also at shut-down and after a faulty file): writes the file; a
// second instance gets information 211, a failure error 213. Returns WriteSettingsFile's result.
int SaveSettingsCommand();

// At shut-down with option O = 1: writes the file; a failure shows error 213 (a second instance
// writes nothing and says nothing).
void SaveSettingsAtShutDown();

// The folder and name the file is read from and written to (after LocateAndReadSettings).
const char16_t* GetSettingsFolder();
const char16_t* GetSettingsFileName();
// The section version of the last read (384 .. 358), 0 before any.
int GetSettingsVersion();

// Settings the option file keeps for the program itself.
extern int SaveSettingsAtExit;                                // option O
extern char16_t LanguageFileName[SETTINGS_NAME_CHARS];        // Sprache_P
extern char16_t SecondLanguageFileName[SETTINGS_NAME_CHARS];  // Sprache_F

// Settings whose components are not part of the program yet: the option file and the option
// dialogs keep them here until their owners take them over.
constexpr int SEARCH_HISTORY_COUNT = 20;
constexpr int SEARCH_TEXT_CHARS = 256;
struct SettingsHeld {
  int32_t exportColourMode;  // P: picture-export colour mode (1 ..)
  int32_t exportScale;       // Q: picture-export scale 1..16
  uint32_t statKinds;        // Stat_Opt: kinds of the text-table export
  char16_t statSeparator;    // Stat_Sep
  uint32_t searchOptions;    // E: text-search options
  char16_t history[SEARCH_HISTORY_COUNT][SEARCH_TEXT_CHARS];  // search history, 0 newest
  int32_t historyCount;
  uint32_t symbolSearch;              // SuchSym
  int32_t backgroundMode;             // HgrBmpOpt 1..4
  int32_t zoom2;                      // Zoom2: zoom-2 vehicle graphics
  int32_t rasterDib, rasterSetPixel;  // Gfx_Eig
};
extern SettingsHeld Held;

// The places of the windows (work-area coordinates) and the origin of the desktop work area; the
// Win32 frame has the windows themselves, the native build keeps the values.
struct SettingsWindowPlace {
  int32_t x, y, width, height;
  int32_t shown;  // main window: 1 for the full work-area width ('B'); clock: 1 shown ('E')
};
void GetMainWindowPlace(SettingsWindowPlace* place);
void SetMainWindowPlace(const SettingsWindowPlace* place);
void GetClockWindowPlace(SettingsWindowPlace* place);
void SetClockWindowPlace(const SettingsWindowPlace* place);
void GetWorkAreaOrigin(int32_t* x, int32_t* y);
void SetNativeWorkAreaOrigin(int32_t x, int32_t y);  // native build (tests)

// The key table (tests): the written name of row i, or null past the end.
const char16_t* GetSettingsKeyName(int row);
