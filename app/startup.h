// Start-up and shut-down of the components: the table of init functions in their fixed order
// with the start-up error codes, the exit functions in theirs, and the built-in start-up error
// message. A component that is not part of the program yet has no row in the tables.
#pragma once
#include <cstdint>

// Start-up error codes (each is fatal).
constexpr int STARTUP_GRID = 1;
constexpr int STARTUP_HELP = 8;
constexpr int STARTUP_STREAMS = 9;
constexpr int STARTUP_LINES = 12;
constexpr int STARTUP_LANGUAGE = 14;  // tables, or out of memory while loading a file
constexpr int STARTUP_GLYPHS = 20;    // + the glyph loader's code
constexpr int STARTUP_LNG_MISSING = 71, STARTUP_LNG_FAULTY = 72, STARTUP_LNG_FAULTY2 = 73;
constexpr int STARTUP_LNV_MISSING = 74, STARTUP_LNV_FAULTY = 75, STARTUP_LNV_FAULTY2 = 76;
constexpr int STARTUP_PROCESSOR = 80;

// One row of the start-up table: run returns the component's own result; code maps a non-zero
// result to the start-up error code (0 = tolerated). code null: any result is tolerated.
struct StartupStep {
  const char* component;
  int (*run)();
  int (*code)(int result);
};
// Runs the rows in order and returns 0 or the first error code; *failedRow gets the row index
// (-1 when all ran). failedRow may be null.
int RunStartupTable(const StartupStep* steps, int count, int* failedRow);

// The program's tables.
const StartupStep* GetStartupTable(int* count);
int InitProgram();   // 0 or a start-up error code
void ExitProgram();  // every component's exit function, in the shut-down order
// Names of the exit functions in the order ExitProgram calls them (for tests and the report).
const char* const* GetExitOrder(int* count);

// Error-code mappings of the language files (LoadLanguageFile results 1..4).
int MapMainLanguageResult(int result);    // 71, 72, 73, 14
int MapSecondLanguageResult(int result);  // 74, 75, 76, 14
int MapGlyphResult(int result);           // 20 + r, 0 for r 0 and 6

// Processor class from the system information: architecture other than Intel 1000; else type
// 386, 486 or 586 as such and any other type 686.
int ProcessorClassFrom(int intelArchitecture, uint32_t processorType);

// The built-in start-up message of a code in a UI language: caption (row 4 with the code) and
// body (row 9, 10 or 11 with a file name, or 12; then row 6). Buffers hold capacity units.
void FormatStartupError(int code, int language, char16_t* caption, int captionCapacity,
                        char16_t* body, int bodyCapacity);

// Minimal formatter for the built-in and language texts with numbers: %u %i %d with optional 0
// flag and width, %s taking the next text, %% ; other conversions are copied unchanged.
// values and texts are taken in the order their conversions appear. Returns the length.
int FormatTextWith(char16_t* out, int capacity, const char16_t* format, const uint32_t* values,
                   int valueCount, const char16_t* const* texts, int textCount);

// Running-time message: text 1360 with hours, minutes and seconds when the run lasted 1504
// seconds or more, then text 1361.
int ComposeExitMessage(char16_t* out, int capacity, uint32_t seconds, const char16_t* format1360,
                       const char16_t* text1361);

// Flags of the deferred notices (information messages after the settings are read).
extern int StartupNoMouse;      // cursors reported no mouse: message 99, text 1340
extern int StartupGlyphNotice;  // glyph loader result 6: message 96, text 1320
extern uint32_t RunStartTick;   // tick count at the start of InitProgram

// Seam for the start-up of the Win32 program and for tests: the processor class.
extern int (*StartupProcessorClass)();
