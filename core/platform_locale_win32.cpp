// Case mapping, locale compare, decimal separator, version and memory queries of the platform
// layer: wide calls, or the ANSI calls (with converted texts) when UnicodeFlag is 0.
#include <windows.h>
#include "core/platform.h"

char16_t WrapCharUpper(char16_t ch) {
  if (UnicodeFlag) return (char16_t)(ULONG_PTR)CharUpperW((LPWSTR)(ULONG_PTR)ch);
  return (char16_t)((ULONG_PTR)CharUpperA((LPSTR)(ULONG_PTR)(BYTE)ch) & 0xFF);
}

char16_t WrapCharLower(char16_t ch) {
  if (UnicodeFlag) return (char16_t)(ULONG_PTR)CharLowerW((LPWSTR)(ULONG_PTR)ch);
  return (char16_t)((ULONG_PTR)CharLowerA((LPSTR)(ULONG_PTR)(BYTE)ch) & 0xFF);
}

int WrapIsCharUpper(char16_t ch) {
  return UnicodeFlag ? (IsCharUpperW((WCHAR)ch) ? 1 : 0) : (IsCharUpperA((CHAR)(BYTE)ch) ? 1 : 0);
}

int WrapIsCharLower(char16_t ch) {
  return UnicodeFlag ? (IsCharLowerW((WCHAR)ch) ? 1 : 0) : (IsCharLowerA((CHAR)(BYTE)ch) ? 1 : 0);
}

void WrapCharUpperA(char* text) { CharUpperA(text); }

// Texts of the ANSI compare: up to 360 characters, two bytes each for multibyte code pages.
static const int kCompareBytes = 361 * 2;

static int CompareAnsi(const char16_t* a, const char16_t* b, int ignoreCase) {
  static char bufA[kCompareBytes], bufB[kCompareBytes];
  WideToMultiByte(a, bufA, kCompareBytes);
  WideToMultiByte(b, bufB, kCompareBytes);
  return ignoreCase ? lstrcmpiA(bufA, bufB) : lstrcmpA(bufA, bufB);
}

int WrapLstrcmp(const char16_t* a, const char16_t* b) {
  if (!UnicodeFlag) return CompareAnsi(a, b, 0);
  return lstrcmpW((LPCWSTR)a, (LPCWSTR)b);
}

int WrapLstrcmpi(const char16_t* a, const char16_t* b) {
  if (!UnicodeFlag) return CompareAnsi(a, b, 1);
  return lstrcmpiW((LPCWSTR)a, (LPCWSTR)b);
}

int WrapLstrcmpiA(const char* a, const char* b) { return lstrcmpiA(a, b); }

int WrapGetLocaleDecimal(char16_t* out, int outChars) {
  if (!out || outChars < 1) return 0;
  if (UnicodeFlag)
    return GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, (LPWSTR)out, outChars);
  char narrow[16];
  if (!GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, narrow, sizeof narrow)) return 0;
  return MultiByteToWide(narrow, out, outChars);
}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
int WrapGetVersionEx(uint32_t* major, uint32_t* minor, uint32_t* platformId,
                     char16_t* servicePack) {
  OSVERSIONINFOEXA info = {};
  info.dwOSVersionInfoSize = sizeof info;
  if (!GetVersionExA((OSVERSIONINFOA*)&info)) return 0;
  if (major) *major = info.dwMajorVersion;
  if (minor) *minor = info.dwMinorVersion;
  if (platformId) *platformId = info.dwPlatformId;
  if (servicePack) {
    servicePack[0] = 0;
    if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
      OSVERSIONINFOEXW wide = {};
      wide.dwOSVersionInfoSize = sizeof wide;
      if (GetVersionExW((OSVERSIONINFOW*)&wide)) {
        int i = 0;
        for (; i < 127 && wide.szCSDVersion[i]; i++)
          servicePack[i] = (char16_t)wide.szCSDVersion[i];
        servicePack[i] = 0;
      }
    } else {
      MultiByteToWide(info.szCSDVersion, servicePack, 128);
    }
  }
  return 1;
}
#pragma GCC diagnostic pop

int WrapGlobalMemoryStatus(WrapMemoryStatus* out) {
  if (!out) return 0;
  MEMORYSTATUSEX status = {};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  out->loadPercent = status.dwMemoryLoad;
  out->totalPhysical = status.ullTotalPhys;
  out->freePhysical = status.ullAvailPhys;
  out->totalVirtual = status.ullTotalVirtual;
  out->freeVirtual = status.ullAvailVirtual;
  return 1;
}
