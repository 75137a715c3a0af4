// The value store: named string values kept twice, in the current user's registry and in the
// hidden, read-only mirror file "quil.sy2" of the program folder; each read heals one copy from
// the other. The option file's search remembers its folders here.
#pragma once
#include <cstdint>

constexpr int STORED_VALUE_MAX = 515;  // characters of a value

// The folder of the mirror file (ends with a backslash); set at start-up.
void SetValueStoreFolder(const char16_t* folder);
// The mirror file's full path (260 characters); 0, or 1 when it does not fit.
int GetMirrorFilePath(char16_t* path);

// Writes the mirror copy, then the registry copy.
void WriteStoredValue(const char16_t* name, const char16_t* text);
// Writes the mirror copy only.
void WriteMirrorValue(const char16_t* name, const char16_t* text);
// Reads both copies, repairs the missing or differing one and gives the value (the mirror's, else
// the registry's, else the default), cut to capacity - 1 characters.
void ReadStoredValue(const char16_t* name, const char16_t* fallback, char16_t* out, int capacity);

// A registry string of `bytes` bytes in buf (capacity units): terminated within the buffer, also
// when its own terminator is missing or would not fit. Returns its length.
int TerminateRegistryString(char16_t* buf, uint32_t bytes, int capacity);
