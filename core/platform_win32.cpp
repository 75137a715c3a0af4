// Win32 build: tick count, local time, performance counter, last error and the global memory
// blocks of the platform call layer.
#include "core/platform.h"
#include <windows.h>

uint32_t WrapGetTickCount() { return GetTickCount(); }
void WrapSleep(uint32_t milliseconds) { Sleep(milliseconds); }
uint32_t WrapGetLastError() { return GetLastError(); }

static_assert(sizeof(WrapTime) == sizeof(SYSTEMTIME), "WrapTime mirrors SYSTEMTIME");

void WrapGetLocalTime(WrapTime* out) { GetLocalTime((SYSTEMTIME*)out); }

int WrapQueryPerformanceCounter(int64_t* count) {
  LARGE_INTEGER v;
  if (!QueryPerformanceCounter(&v)) return 0;
  *count = v.QuadPart;
  return 1;
}

int WrapQueryPerformanceFrequency(int64_t* perSecond) {
  LARGE_INTEGER v;
  if (!QueryPerformanceFrequency(&v)) return 0;
  *perSecond = v.QuadPart;
  return 1;
}

WrapGlobal WrapGlobalAlloc(unsigned flags, size_t bytes) { return GlobalAlloc(flags, bytes); }
WrapGlobal WrapGlobalReAlloc(WrapGlobal block, size_t bytes, unsigned flags) {
  return GlobalReAlloc((HGLOBAL)block, bytes, flags);
}
WrapGlobal WrapGlobalFree(WrapGlobal block) { return GlobalFree((HGLOBAL)block); }
size_t WrapGlobalSize(WrapGlobal block) { return GlobalSize((HGLOBAL)block); }
void* WrapGlobalLock(WrapGlobal block) { return GlobalLock((HGLOBAL)block); }
int WrapGlobalUnlock(WrapGlobal block) { return GlobalUnlock((HGLOBAL)block); }
WrapGlobal WrapGlobalHandle(const void* memory) { return GlobalHandle(memory); }

WrapWindow WrapGetDesktopWindow() { return GetDesktopWindow(); }
