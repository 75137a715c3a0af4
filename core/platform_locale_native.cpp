// Native stand-ins for the case-mapping, locale and system queries of the platform layer:
// case mapping of Latin, Greek and Cyrillic letters, a plain code-unit order, "." as decimal
// separator, and the memory figures of the running system.
#include <unistd.h>
#include <cstring>
#include "core/platform.h"

static char16_t UpperOf(char16_t c) {
  if (c >= u'a' && c <= u'z') return (char16_t)(c - 32);
  if (c < 0x80) return c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return (char16_t)(c - 32);
  if (c == 0xFF) return 0x178;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      return (c & 1) ? c : (char16_t)(c - 1);
    if (c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c & 1) ? (char16_t)(c - 1) : c;
  }
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return (char16_t)(c - 32);
  if (c >= 0x430 && c <= 0x44F) return (char16_t)(c - 32);
  if (c >= 0x450 && c <= 0x45F) return (char16_t)(c - 80);
  return c;
}

static char16_t LowerOf(char16_t c) {
  if (c >= u'A' && c <= u'Z') return (char16_t)(c + 32);
  if (c < 0x80) return c;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return (char16_t)(c + 32);
  if (c == 0x178) return 0xFF;
  if (c >= 0x100 && c <= 0x17F) {
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
      return (c & 1) ? (char16_t)(c + 1) : c;
    if (c == 0x130 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
    return (c & 1) ? c : (char16_t)(c + 1);
  }
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return (char16_t)(c + 32);
  if (c >= 0x410 && c <= 0x42F) return (char16_t)(c + 32);
  if (c >= 0x400 && c <= 0x40F) return (char16_t)(c + 80);
  return c;
}

// In ANSI mode only the low byte is mapped (the Latin-1 part of the code page).
char16_t WrapCharUpper(char16_t ch) {
  return UnicodeFlag ? UpperOf(ch) : (char16_t)(UpperOf((char16_t)(ch & 0xFF)) & 0xFF);
}
char16_t WrapCharLower(char16_t ch) {
  return UnicodeFlag ? LowerOf(ch) : (char16_t)(LowerOf((char16_t)(ch & 0xFF)) & 0xFF);
}
int WrapIsCharUpper(char16_t ch) {
  if (!UnicodeFlag) ch = (char16_t)(ch & 0xFF);
  return LowerOf(ch) != ch;
}
int WrapIsCharLower(char16_t ch) {
  if (!UnicodeFlag) ch = (char16_t)(ch & 0xFF);
  return UpperOf(ch) != ch;
}

void WrapCharUpperA(char* text) {
  for (; *text; text++) *text = (char)(UpperOf((char16_t)(unsigned char)*text) & 0xFF);
}

static int CompareUnits(const char16_t* a, const char16_t* b, int ignoreCase) {
  for (;; a++, b++) {
    char16_t x = ignoreCase ? LowerOf(*a) : *a;
    char16_t y = ignoreCase ? LowerOf(*b) : *b;
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

int WrapLstrcmp(const char16_t* a, const char16_t* b) { return CompareUnits(a, b, 0); }
int WrapLstrcmpi(const char16_t* a, const char16_t* b) { return CompareUnits(a, b, 1); }

int WrapLstrcmpiA(const char* a, const char* b) {
  for (;; a++, b++) {
    char16_t x = LowerOf((char16_t)(unsigned char)*a), y = LowerOf((char16_t)(unsigned char)*b);
    if (x != y) return x < y ? -1 : 1;
    if (x == 0) return 0;
  }
}

int WrapGetLocaleDecimal(char16_t* out, int outChars) {
  if (!out || outChars < 2) return 0;
  out[0] = u'.';
  out[1] = 0;
  return 2;
}

int WrapGetVersionEx(uint32_t* major, uint32_t* minor, uint32_t* platformId,
                     char16_t* servicePack) {
  if (major) *major = 10;
  if (minor) *minor = 0;
  if (platformId) *platformId = WRAP_PLATFORM_NT;
  if (servicePack) servicePack[0] = 0;
  return 1;
}

int WrapGlobalMemoryStatus(WrapMemoryStatus* out) {
  if (!out) return 0;
  long pages = sysconf(_SC_PHYS_PAGES), avail = sysconf(_SC_AVPHYS_PAGES);
  long pageSize = sysconf(_SC_PAGESIZE);
  if (pages <= 0 || pageSize <= 0) return 0;
  out->totalPhysical = (uint64_t)pages * (uint64_t)pageSize;
  out->freePhysical = avail > 0 ? (uint64_t)avail * (uint64_t)pageSize : 0;
  out->totalVirtual = out->totalPhysical;
  out->freeVirtual = out->freePhysical;
  out->loadPercent = (uint32_t)(100 - out->freePhysical * 100 / out->totalPhysical);
  return 1;
}
