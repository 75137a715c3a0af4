// The program's command line: one optional network file name and the switches N, STOP, Q,
// TNR=n, Z=N1/Z=N2, I="path" and one language switch; any fault sets the error bit.
#pragma once
#include <cstdint>

constexpr uint32_t CMDL_ERROR = 0x001;         // show the usage text and end
constexpr uint32_t CMDL_NO_DEMO = 0x002;       // N, or a file name
constexpr uint32_t CMDL_NO_TITLE = 0x004;      // Q
constexpr uint32_t CMDL_FILE = 0x008;          // a network file name was given
constexpr uint32_t CMDL_TITLE_NUMBER = 0x010;  // TNR=n
constexpr uint32_t CMDL_STOP = 0x040;          // STOP
constexpr uint32_t CMDL_ZOOM = 0x080;          // Z=N1, Z=N2
constexpr uint32_t CMDL_OPTION_FILE = 0x100;   // I="path"

constexpr int CMDL_PATH_CHARS = 260;  // path buffers, terminator included

struct CommandLineArgs {
  char16_t programPath[CMDL_PATH_CHARS];  // cut when longer
  char16_t networkFile[CMDL_PATH_CHARS];  // a longer name is an error
  char16_t optionFile[CMDL_PATH_CHARS];   // a longer path is an error
  int32_t firstZoom;                      // 1 or 2 with CMDL_ZOOM, else 0
  int32_t titleNumber;                    // -1 when not given
  int32_t language;                       // 0..5 from a language switch, -1 when none
};

// Parses a whole command line (program path first). Returns the flag bits above. A language
// switch is stored at once (so an error after it still shows the usage text in that language).
uint32_t ParseCommandLineText(const char16_t* text, CommandLineArgs* out);

// UI language index (0 English, 1 German, 2 French, 3 Dutch, 4 Polish, 5 Spanish) from a
// Windows language id (primary language = low 10 bits).
int UiLanguageFromLangId(uint32_t langId);
