// Pieces shared by the option file's driver (optionfile.cpp) and its key table
// (optionfile_keys.cpp).
#pragma once
#include <cstdint>

constexpr int OPT_VALUE_CHARS = 4096;  // a value is read whole up to this length
constexpr int OPT_ABSENT = -1;
constexpr int OPT_TOO_LONG = -2;

// Reads the value of key from the chosen section: its length, OPT_ABSENT, or OPT_TOO_LONG when it
// does not fit in capacity - 1 characters or holds a line break (out is then empty).
int OptGet(const char16_t* key, char16_t* out, int capacity);
// Writes the line "key=value": 0 or the stream's error.
int OptPut(const char16_t* key, const char16_t* value);
// The version of the section being read (384 .. 358).
int OptVersion();

// The key table's parts, run by the driver.
void OptionKeysSetDefaults();
int OptionKeysRead();   // 0, or 3 at the first refused value
int OptionKeysWrite();  // 0 or the first stream error
