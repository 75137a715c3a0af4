// The value store with its mirror file (see valuestore.h).
#include "core/valuestore.h"
#include "core/misc.h"
#include "core/settings_platform.h"

static char16_t MirrorFolder[260];
static const char16_t kMirrorName[] = u"quil.sy2";
static const char16_t kMirrorSection[] = u"QUIL_384";
constexpr int kValueChars = STORED_VALUE_MAX + 2;  // the mirror is read with 516 characters

void SetValueStoreFolder(const char16_t* folder) {
  CopyStringLimited(MirrorFolder, folder, (int)(sizeof MirrorFolder / sizeof MirrorFolder[0]));
}

int GetMirrorFilePath(char16_t* path) {
  int a = StringLength(MirrorFolder), b = StringLength(kMirrorName);
  if (a + b >= 260) {
    path[0] = 0;
    return 1;
  }
  CopyString(path, MirrorFolder);
  AppendString(path, kMirrorName);
  return 0;
}

int TerminateRegistryString(char16_t* buf, uint32_t bytes, int capacity) {
  if (capacity < 1) return 0;
  int units = (int)(bytes / 2);
  if (units > capacity - 1) units = capacity - 1;
  buf[units] = 0;
  return StringLength(buf);
}

// Opens the mirror for an access: its hidden and read-only bits are taken away while it is used.
static void UnprotectMirror(const char16_t* path) {
  uint32_t a = SettingsGetFileAttributes(path);
  if (a != SFILE_INVALID && (a & (SFILE_HIDDEN | SFILE_READONLY)))
    SettingsSetFileAttributes(path, SFILE_NORMAL);
}

// After every access (also a failed one): the cache flushed, the file hidden and read-only again.
static void ProtectMirror(const char16_t* path) {
  SettingsProfileWrite(nullptr, nullptr, nullptr, path);
  if (SettingsGetFileAttributes(path) != SFILE_INVALID)
    SettingsSetFileAttributes(path, SFILE_HIDDEN | SFILE_READONLY);
}

void WriteMirrorValue(const char16_t* name, const char16_t* text) {
  char16_t path[260];
  if (GetMirrorFilePath(path)) return;
  UnprotectMirror(path);
  SettingsProfileWrite(kMirrorSection, name, text, path);
  ProtectMirror(path);
}

static void WriteRegistryValue(const char16_t* name, const char16_t* text) {
  SettingsRegSet(name, SREG_SZ, text, (uint32_t)(StringLength(text) + 1) * 2);
}

void WriteStoredValue(const char16_t* name, const char16_t* text) {
  WriteMirrorValue(name, text);
  WriteRegistryValue(name, text);
}

// The registry copy (a string value only); 1 when there is one.
static int ReadRegistryValue(const char16_t* name, char16_t* buf, int capacity) {
  uint32_t type = 0, bytes = (uint32_t)capacity * 2;
  if (SettingsRegQuery(name, &type, buf, &bytes) != SREG_OK || type != SREG_SZ) return 0;
  TerminateRegistryString(buf, bytes, capacity);
  return 1;
}

static int ReadMirrorValue(const char16_t* name, char16_t* buf, int capacity) {
  char16_t path[260];
  buf[0] = 0;
  if (GetMirrorFilePath(path)) return 0;
  UnprotectMirror(path);
  SettingsProfileGet(kMirrorSection, name, u"", buf, (uint32_t)capacity, path);
  ProtectMirror(path);
  return buf[0] != 0;
}

void ReadStoredValue(const char16_t* name, const char16_t* fallback, char16_t* out, int capacity) {
  char16_t reg[kValueChars], mirror[kValueChars];
  int haveReg = ReadRegistryValue(name, reg, kValueChars);
  int haveMirror = ReadMirrorValue(name, mirror, kValueChars);
  if (haveReg && haveMirror && CompareStrings(reg, mirror, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS))
    haveReg = 0;
  if (!haveMirror && haveReg) WriteMirrorValue(name, reg);
  if (!haveReg && haveMirror) WriteRegistryValue(name, mirror);
  const char16_t* result = haveMirror ? mirror : haveReg ? reg : fallback;
  if (capacity >= 1) CopyStringLimited(out, result, capacity);
}
