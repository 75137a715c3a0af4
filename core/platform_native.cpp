// Native build: tick count, local time, performance counter and global memory blocks of the
// platform call layer (the POSIX stand-ins of the kernel calls).
#include "core/platform.h"
#include "core/platform_native.h"
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <sys/time.h>
#include <type_traits>

// The runtime's time record (seconds and nanoseconds), taken from clock_gettime's signature.
template <typename F>
struct SecondArgOf;
template <typename R, typename A, typename B>
struct SecondArgOf<R(A, B)> {
  using type = B;
};
template <typename R, typename A, typename B>
struct SecondArgOf<R(A, B) noexcept> {
  using type = B;
};
using MonoTime = std::remove_pointer_t<SecondArgOf<decltype(clock_gettime)>::type>;

uint32_t WrapGetTickCount() {
  MonoTime t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (uint32_t)((uint64_t)t.tv_sec * 1000u + (uint64_t)t.tv_nsec / 1000000u);
}

void NativeLocalTime(time_t seconds, uint16_t milliseconds, WrapTime* out) {
  tm local;
  localtime_r(&seconds, &local);
  out->year = (uint16_t)(local.tm_year + 1900);
  out->month = (uint16_t)(local.tm_mon + 1);
  out->dayOfWeek = (uint16_t)local.tm_wday;
  out->day = (uint16_t)local.tm_mday;
  out->hour = (uint16_t)local.tm_hour;
  out->minute = (uint16_t)local.tm_min;
  out->second = (uint16_t)local.tm_sec;
  out->milliseconds = milliseconds;
}

void WrapGetLocalTime(WrapTime* out) {
  timeval tv;
  gettimeofday(&tv, nullptr);
  NativeLocalTime(tv.tv_sec, (uint16_t)(tv.tv_usec / 1000), out);
}

int WrapQueryPerformanceCounter(int64_t* count) {
  MonoTime t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  *count = (int64_t)t.tv_sec * 1000000000LL + t.tv_nsec;
  return 1;
}

int WrapQueryPerformanceFrequency(int64_t* perSecond) {
  *perSecond = 1000000000LL;
  return 1;
}

// ---- global memory blocks: a header before the bytes, the handle is the header --------------------
struct alignas(16) GlobalHeader {
  uint64_t magic;
  size_t size;
};
constexpr uint64_t kGlobalMagic = 0x51554C474C4F424CULL;

WrapGlobal WrapGlobalAlloc(unsigned flags, size_t bytes) {
  if (bytes > ((size_t)1 << 40)) return nullptr;
  GlobalHeader* h = (GlobalHeader*)malloc(sizeof(GlobalHeader) + bytes);
  if (!h) return nullptr;
  h->magic = kGlobalMagic;
  h->size = bytes;
  if (flags & WRAP_GMEM_ZEROINIT) memset(h + 1, 0, bytes);
  return h;
}

static GlobalHeader* Header(WrapGlobal block) {
  GlobalHeader* h = (GlobalHeader*)block;
  return h && h->magic == kGlobalMagic ? h : nullptr;
}

WrapGlobal WrapGlobalReAlloc(WrapGlobal block, size_t bytes, unsigned flags) {
  GlobalHeader* h = Header(block);
  if (!h || bytes > ((size_t)1 << 40)) return nullptr;
  size_t old = h->size;
  GlobalHeader* n = (GlobalHeader*)realloc(h, sizeof(GlobalHeader) + bytes);
  if (!n) return nullptr;
  n->size = bytes;
  if ((flags & WRAP_GMEM_ZEROINIT) && bytes > old) memset((char*)(n + 1) + old, 0, bytes - old);
  return n;
}

WrapGlobal WrapGlobalFree(WrapGlobal block) {
  GlobalHeader* h = Header(block);
  if (!h) return block;
  h->magic = 0;
  free(h);
  return nullptr;
}

size_t WrapGlobalSize(WrapGlobal block) {
  GlobalHeader* h = Header(block);
  return h ? h->size : 0;
}

void* WrapGlobalLock(WrapGlobal block) {
  GlobalHeader* h = Header(block);
  return h ? (void*)(h + 1) : nullptr;
}

int WrapGlobalUnlock(WrapGlobal block) { return 0; }

WrapGlobal WrapGlobalHandle(const void* memory) {
  return memory ? (WrapGlobal)((const GlobalHeader*)memory - 1) : nullptr;
}

// The native build has no windows: the desktop is a null window.
WrapWindow WrapGetDesktopWindow() { return nullptr; }
