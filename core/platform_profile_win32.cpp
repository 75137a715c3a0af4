// Win32 build, profile and registry group: profile strings and numbers, registry keys and values
// (string values converted both ways in ANSI mode, reads limited to 260 bytes).
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

constexpr uint32_t kProfileMax = 520;  // characters of a profile result in ANSI mode

// Converts a profile result of `bytes` bytes back; lists (section or key names) are several
// texts each ended by 0. Returns the units written before the final terminator.
static uint32_t ProfileBack(const char* a, uint32_t bytes, char16_t* buf, uint32_t maxChars,
                            int isList) {
  if (maxChars == 0) return 0;
  uint32_t used = 0;
  uint32_t pos = 0;
  do {
    int n = MultiByteToWide(a + pos, buf + used, (int)(maxChars - used)) - 1;
    used += (uint32_t)n;
    pos += (uint32_t)lstrlenA(a + pos) + 1;
    if (!isList || pos >= bytes || used + 1 >= maxChars) break;
    used++;  // keep the 0 between texts
  } while (true);
  if (isList && used + 1 < maxChars) buf[used + 1] = 0;
  return used;
}

uint32_t WrapGetPrivateProfileString(const char16_t* app, const char16_t* key,
                                     const char16_t* fallback, char16_t* buf, uint32_t maxChars,
                                     const char16_t* file) {
  if (UnicodeFlag) {
    if (file)
      return GetPrivateProfileStringW(WTEXT(app), WTEXT(key), WTEXT(fallback), WBUF(buf), maxChars,
                                      WTEXT(file));
    return GetProfileStringW(WTEXT(app), WTEXT(key), WTEXT(fallback), WBUF(buf), maxChars);
  }
  if (maxChars > kProfileMax) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return 0;
  }
  char aApp[WRAP_ANSI_BUF], aKey[WRAP_ANSI_BUF], aDef[WRAP_ANSI_BUF], aFile[WRAP_ANSI_BUF];
  LPCSTR pApp, pKey, pDef, pFile;
  if (AnsiText(app, aApp, &pApp) < 0 || AnsiText(key, aKey, &pKey) < 0 ||
      AnsiText(fallback, aDef, &pDef) < 0 || AnsiText(file, aFile, &pFile) < 0)
    return 0;
  char a[2 * kProfileMax + 2];
  DWORD size = 2 * maxChars;
  if (size < 2) size = 2;
  DWORD n = pFile ? GetPrivateProfileStringA(pApp, pKey, pDef, a, size, pFile)
                  : GetProfileStringA(pApp, pKey, pDef, a, size);
  a[n < size ? n : size - 1] = 0;
  if (!buf) return 0;
  return ProfileBack(a, n, buf, maxChars, !app || !key);
}

uint32_t WrapGetProfileString(const char16_t* app, const char16_t* key, const char16_t* fallback,
                              char16_t* buf, uint32_t maxChars) {
  return WrapGetPrivateProfileString(app, key, fallback, buf, maxChars, nullptr);
}

int WrapWritePrivateProfileString(const char16_t* app, const char16_t* key, const char16_t* value,
                                  const char16_t* file) {
  if (UnicodeFlag)
    return WritePrivateProfileStringW(WTEXT(app), WTEXT(key), WTEXT(value), WTEXT(file));
  char aApp[WRAP_ANSI_BUF], aKey[WRAP_ANSI_BUF], aVal[WRAP_ANSI_BUF], aFile[WRAP_ANSI_BUF];
  LPCSTR pApp, pKey, pVal, pFile;
  if (AnsiText(app, aApp, &pApp) < 0 || AnsiText(key, aKey, &pKey) < 0 ||
      AnsiText(value, aVal, &pVal) < 0 || AnsiText(file, aFile, &pFile) < 0)
    return 0;
  return WritePrivateProfileStringA(pApp, pKey, pVal, pFile);
}

uint32_t WrapGetPrivateProfileInt(const char16_t* app, const char16_t* key, int fallback,
                                  const char16_t* file) {
  if (UnicodeFlag) return GetPrivateProfileIntW(WTEXT(app), WTEXT(key), fallback, WTEXT(file));
  char aApp[WRAP_ANSI_BUF], aKey[WRAP_ANSI_BUF], aFile[WRAP_ANSI_BUF];
  LPCSTR pApp, pKey, pFile;
  if (AnsiText(app, aApp, &pApp) < 0 || AnsiText(key, aKey, &pKey) < 0 ||
      AnsiText(file, aFile, &pFile) < 0)
    return 0;
  return GetPrivateProfileIntA(pApp, pKey, fallback, pFile);
}

long WrapRegOpenKeyEx(WrapKey key, const char16_t* subKey, uint32_t options, uint32_t access,
                      WrapKey* result) {
  if (UnicodeFlag) return RegOpenKeyExW((HKEY)key, WTEXT(subKey), options, access, (PHKEY)result);
  char a[WRAP_ANSI_BUF];
  LPCSTR p;
  if (AnsiText(subKey, a, &p) < 0) return 1;
  return RegOpenKeyExA((HKEY)key, p, options, access, (PHKEY)result);
}

long WrapRegCreateKeyEx(WrapKey key, const char16_t* subKey, uint32_t options, uint32_t access,
                        WrapKey* result, uint32_t* disposition) {
  DWORD d = 0;
  long r;
  if (UnicodeFlag) {
    r = RegCreateKeyExW((HKEY)key, WTEXT(subKey), 0, nullptr, options, access, nullptr,
                        (PHKEY)result, &d);
  } else {
    char a[WRAP_ANSI_BUF];
    if (WrapAnsiArg(subKey, a) <= 0) return 1;
    r = RegCreateKeyExA((HKEY)key, a, 0, nullptr, options, access, nullptr, (PHKEY)result, &d);
  }
  if (disposition) *disposition = d;
  return r;
}

long WrapRegSetValueEx(WrapKey key, const char16_t* name, uint32_t type, const void* data,
                       uint32_t bytes) {
  if (UnicodeFlag) return RegSetValueExW((HKEY)key, WTEXT(name), 0, type, (const BYTE*)data, bytes);
  char aName[WRAP_ANSI_BUF];
  LPCSTR pName;
  if (AnsiText(name, aName, &pName) < 0) return 1;
  if (type != REG_SZ || !data)
    return RegSetValueExA((HKEY)key, pName, 0, type, (const BYTE*)data, bytes);
  int units = (int)(bytes / 2);
  int size = 2 * units + 1;
  char* a = (char*)HeapAlloc(GetProcessHeap(), 0, size);
  if (!a) return 1;
  int n = WideToMultiByteN((const char16_t*)data, units, a, size);
  long r = RegSetValueExA((HKEY)key, pName, 0, REG_SZ, (const BYTE*)a, (DWORD)n);
  HeapFree(GetProcessHeap(), 0, a);
  return r;
}

long WrapRegQueryValueEx(WrapKey key, const char16_t* name, uint32_t* type, void* data,
                         uint32_t* bytes) {
  DWORD t = 0, size = bytes ? *bytes : 0;
  long r;
  if (UnicodeFlag) {
    r = RegQueryValueExW((HKEY)key, WTEXT(name), nullptr, &t, (BYTE*)data, bytes ? &size : nullptr);
  } else {
    char aName[WRAP_ANSI_BUF];
    LPCSTR pName;
    if (AnsiText(name, aName, &pName) < 0) return 1;
    char a[WRAP_ANSI_MAX + 1];
    DWORD aSize = size > WRAP_ANSI_MAX ? WRAP_ANSI_MAX : size;
    r = RegQueryValueExA((HKEY)key, pName, nullptr, &t, data ? (BYTE*)a : nullptr,
                         bytes ? &aSize : nullptr);
    if (r == ERROR_SUCCESS && data) {
      if (t == REG_SZ || t == REG_EXPAND_SZ) {
        a[aSize < sizeof a ? aSize : sizeof a - 1] = 0;
        size = 2 * (DWORD)MultiByteToWide(a, (char16_t*)data, (int)(size / 2));
      } else {
        CopyMemory(data, a, aSize);
        size = aSize;
      }
    } else {
      size = (t == REG_SZ || t == REG_EXPAND_SZ) ? 2 * aSize : aSize;
    }
  }
  if (type) *type = t;
  if (bytes) *bytes = size;
  return r;
}

long WrapRegCloseKey(WrapKey key) { return RegCloseKey((HKEY)key); }
