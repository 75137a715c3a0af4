// Helpers of the Win32 wrappers: casts of the portable text type and the ANSI rule for names
// that may also be resource ordinals.
#pragma once
#include "core/platform.h"
#include "core/misc.h"
#include <windows.h>

#define WTEXT(s) ((LPCWSTR)(s))
#define WBUF(s) ((LPWSTR)(s))

// One ANSI text argument: ordinals and null pass unchanged. Returns 0 and sets *out, or -1 when
// the text is too long (the call must fail).
inline int AnsiName(const char16_t *name, char *buf, LPCSTR *out) {
  if ((uintptr_t)name < 0x10000) {
    *out = (LPCSTR)name;
    return 0;
  }
  if (WrapAnsiArg(name, buf) < 0) return -1;
  *out = buf;
  return 0;
}
