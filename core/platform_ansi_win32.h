// Helpers of the Win32 wrappers: casts of the portable text type and the ANSI rule for text
// arguments and for names that may also be resource ordinals.
#pragma once
#include "core/platform.h"
#include "core/misc.h"
#include <windows.h>

#define WTEXT(s) ((LPCWSTR)(s))
#define WBUF(s)  ((LPWSTR)(s))

// One ANSI text argument: null passes as null. Returns 0 and sets *out, or -1 when the text is
// too long (the call must fail).
inline int AnsiText(const char16_t* text, char* buf, LPCSTR* out) {
  int r = WrapAnsiArg(text, buf);
  *out = r > 0 ? buf : nullptr;
  return r < 0 ? -1 : 0;
}

// As AnsiText for a name that may also be an ordinal, which passes unchanged.
inline int AnsiName(const char16_t* name, char* buf, LPCSTR* out) {
  if ((uintptr_t)name < 0x10000) {
    *out = (LPCSTR)name;
    return 0;
  }
  return AnsiText(name, buf, out);
}
