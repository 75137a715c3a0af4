// Process-wide values of the program's entry: windows that live as long as the process, the
// folders and file names it works with, the title mode and the values the command line gave.
#pragma once
#include <cstdint>

constexpr int ENTRY_PATH_CHARS = 260;

struct EntryState {
  int32_t uiLanguage;  // 0..5: language of the built-in texts
  void* mainWindow;    // the status window (0 before it exists / after shut-down)
  void* titleWindow;
  void* tooltipWindow;  // 0 when it could not be made
  void* paletteScroll;  // pane 3, vertical
  void* groupScroll;    // pane 6, horizontal
  void* levelScroll;    // pane 39, vertical
  void* statusDC;
  void* filterHook;
  void* tickThread;
  void* animationThread;
  void* elementTimerThread;
  void* autosaveThread;
  void* frameSemaphore;
  void* accelerators;
  char16_t programFolder[ENTRY_PATH_CHARS];  // ends with a backslash
  char16_t programFileName[ENTRY_PATH_CHARS];
  char16_t defaultFolder[ENTRY_PATH_CHARS];   // current folder at start (all five file kinds)
  char16_t optionFolder[ENTRY_PATH_CHARS];    // empty: the option file is searched for
  char16_t optionFileName[ENTRY_PATH_CHARS];  // "quil.ini" by default
  uint8_t titleMode;        // 0 none; 1 simulation starts when it closes; 2 stays stopped
  int32_t titleNumber;      // -1 when not given
  int32_t firstWindowZoom;  // 1 or 2, else 0
  uint32_t commandFlags;    // the flags of the command line
  char16_t commandFile[ENTRY_PATH_CHARS];  // network file named on the command line
  volatile uint32_t shuttingDown;          // the main window is being destroyed
};
extern EntryState Entry;

// The option file's default name: "quil.ini", "quilview.ini" for the viewer.
const char16_t* DefaultOptionFileName();

// Splits a full path into folder (drive + directory, ending with a backslash) and name
// (name + extension). Either output may be null. 0 ok; 1 when a part does not fit (that part is
// left empty).
int SplitFolderAndName(const char16_t* fullPath, char16_t* folder, char16_t* name);

// Appends a backslash to a folder that lacks one (when it fits): 0 ok, 1 does not fit.
int EnsureTrailingBackslash(char16_t* folder, int capacity);

// The option-file place from the command line. given: 0 no I= switch (empty folder, the default
// name); 1 the full path of the given file (its folder, the program folder when it has none; its
// name, the default name when it has none); 2 the full path could not be formed (the program
// folder, and the name of the path as given).
void ChooseOptionFile(const char16_t* fullOptionPath, int given, const char16_t* programFolder,
                      char16_t* folder, char16_t* name);
