// The platform calls behind the settings: string values of the current user's registry key
// "Software\KorvsoftSx_ChKMSt", private-profile files and file attributes. The Win32 build goes
// through the wrapper layer; the native build has its own registry (in memory), profile reader
// and writer, and attribute table, which answer as the platform does.
#pragma once
#include <cstdint>

// Registry results (the platform's codes).
constexpr long SREG_OK = 0;
constexpr long SREG_NOT_FOUND = 2;
constexpr long SREG_MORE_DATA = 234;
constexpr uint32_t SREG_SZ = 1;

// Queries value `name` of the program's key: type, data (up to *bytes bytes) and the stored byte
// count in *bytes. A string value is handed over as stored (its terminating zero may be missing).
long SettingsRegQuery(const char16_t* name, uint32_t* type, void* data, uint32_t* bytes);
// Sets value `name`, creating the key when it is missing (all access rights).
long SettingsRegSet(const char16_t* name, uint32_t type, const void* data, uint32_t bytes);

// Private-profile calls as the platform has them: names compare without case, blanks round the
// value are trimmed and one pair of enclosing quotes is dropped. A null key lists the section's
// keys (each ended by 0, the list by a second 0). Results are cut to maxChars - 1 characters.
uint32_t SettingsProfileGet(const char16_t* section, const char16_t* key, const char16_t* fallback,
                            char16_t* buf, uint32_t maxChars, const char16_t* file);
// Writes (or with a null value deletes) one key; a null section, key and value flushes the cache.
// Nonzero on success; a read-only file is not written.
int SettingsProfileWrite(const char16_t* section, const char16_t* key, const char16_t* value,
                         const char16_t* file);

// File attributes (the platform's bits); SFILE_INVALID when the file does not exist.
constexpr uint32_t SFILE_READONLY = 1, SFILE_HIDDEN = 2, SFILE_NORMAL = 0x80;
constexpr uint32_t SFILE_INVALID = 0xFFFFFFFFu;
uint32_t SettingsGetFileAttributes(const char16_t* path);
int SettingsSetFileAttributes(const char16_t* path, uint32_t attributes);  // nonzero ok

// 1 when the system knows the code page.
int SettingsIsValidCodePage(int codePage);

// Native build only (tests): empties the registry; stores a raw value.
void NativeRegistryClear();
void NativeRegistryFail(int on);  // every registry call fails while on
