// Win32 build: the settings' platform calls through the wrapper layer (registry key
// HKEY_CURRENT_USER\Software\KorvsoftSx_ChKMSt, private-profile files, file attributes).
#include "core/settings_platform.h"
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

static const char16_t kSoftware[] = u"Software";
static const char16_t kProgramKey[] = u"KorvsoftSx_ChKMSt";

// Opens (create 1: creates) Software\KorvsoftSx_ChKMSt of the current user; null on failure.
static WrapKey OpenProgramKey(int create) {
  WrapKey software = nullptr, key = nullptr;
  long r = create ? WrapRegCreateKeyEx(WRAP_HKEY_CURRENT_USER, kSoftware, 0, KEY_ALL_ACCESS,
                                       &software, nullptr)
                  : WrapRegOpenKeyEx(WRAP_HKEY_CURRENT_USER, kSoftware, 0, KEY_READ, &software);
  if (r != ERROR_SUCCESS) return nullptr;
  r = create ? WrapRegCreateKeyEx(software, kProgramKey, 0, KEY_ALL_ACCESS, &key, nullptr)
             : WrapRegOpenKeyEx(software, kProgramKey, 0, KEY_READ, &key);
  WrapRegCloseKey(software);
  return r == ERROR_SUCCESS ? key : nullptr;
}

long SettingsRegQuery(const char16_t* name, uint32_t* type, void* data, uint32_t* bytes) {
  WrapKey key = OpenProgramKey(0);
  if (!key) return SREG_NOT_FOUND;
  long r = WrapRegQueryValueEx(key, name, type, data, bytes);
  WrapRegCloseKey(key);
  return r;
}

long SettingsRegSet(const char16_t* name, uint32_t type, const void* data, uint32_t bytes) {
  WrapKey key = OpenProgramKey(1);
  if (!key) return 1;
  long r = WrapRegSetValueEx(key, name, type, data, bytes);
  WrapRegCloseKey(key);
  return r;
}

uint32_t SettingsProfileGet(const char16_t* section, const char16_t* key, const char16_t* fallback,
                            char16_t* buf, uint32_t maxChars, const char16_t* file) {
  return WrapGetPrivateProfileString(section, key, fallback, buf, maxChars, file);
}

int SettingsProfileWrite(const char16_t* section, const char16_t* key, const char16_t* value,
                         const char16_t* file) {
  return WrapWritePrivateProfileString(section, key, value, file);
}

uint32_t SettingsGetFileAttributes(const char16_t* path) {
  if (UnicodeFlag) return GetFileAttributesW(WTEXT(path));
  char a[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, a) <= 0) return SFILE_INVALID;
  return GetFileAttributesA(a);
}

int SettingsSetFileAttributes(const char16_t* path, uint32_t attributes) {
  if (UnicodeFlag) return SetFileAttributesW(WTEXT(path), attributes);
  char a[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, a) <= 0) return 0;
  return SetFileAttributesA(a, attributes);
}

int SettingsIsValidCodePage(int codePage) {
  return codePage > 0 && codePage < 65536 && IsValidCodePage((UINT)codePage);
}

void NativeRegistryClear() {}
void NativeRegistryFail(int) {}
