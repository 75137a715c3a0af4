// Native build: tick count, local time, performance counter and global memory blocks of the
// platform call layer (the POSIX stand-ins of the kernel calls).
#include "core/platform.h"
#include "core/platform_native.h"
#include <mutex>
#include <unordered_set>
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
// Every handle handed out is registered, so that a pointer that is not one of ours is refused
// without reading memory around it.
struct alignas(16) GlobalHeader {
  uint64_t magic;
  size_t size;
};
constexpr uint64_t kGlobalMagic = 0x51554C474C4F424CULL;

static std::mutex gGlobalLock;
static std::unordered_set<const void*> gGlobalBlocks;

static void Register(GlobalHeader* h) {
  std::lock_guard<std::mutex> hold(gGlobalLock);
  gGlobalBlocks.insert(h);
}

static bool Forget(GlobalHeader* h) {
  std::lock_guard<std::mutex> hold(gGlobalLock);
  return gGlobalBlocks.erase(h) == 1;
}

static GlobalHeader* Header(WrapGlobal block) {
  std::lock_guard<std::mutex> hold(gGlobalLock);
  return block && gGlobalBlocks.count(block) ? (GlobalHeader*)block : nullptr;
}

static int GlobalAllocFault = 0;
void SetGlobalAllocFault(int n) { GlobalAllocFault = n > 0 ? n : 0; }

WrapGlobal WrapGlobalAlloc(unsigned flags, size_t bytes) {
  if (GlobalAllocFault > 0 && --GlobalAllocFault == 0) return nullptr;
  if (bytes > ((size_t)1 << 40)) return nullptr;
  GlobalHeader* h = (GlobalHeader*)malloc(sizeof(GlobalHeader) + bytes);
  if (!h) return nullptr;
  h->magic = kGlobalMagic;
  h->size = bytes;
  if (flags & WRAP_GMEM_ZEROINIT) memset(h + 1, 0, bytes);
  Register(h);
  return h;
}

WrapGlobal WrapGlobalReAlloc(WrapGlobal block, size_t bytes, unsigned flags) {
  GlobalHeader* h = Header(block);
  if (!h || bytes > ((size_t)1 << 40)) return nullptr;
  size_t old = h->size;
  Forget(h);
  GlobalHeader* n = (GlobalHeader*)realloc(h, sizeof(GlobalHeader) + bytes);
  if (!n) {
    Register(h);  // the old block stays valid
    return nullptr;
  }
  n->size = bytes;
  if ((flags & WRAP_GMEM_ZEROINIT) && bytes > old) memset((char*)(n + 1) + old, 0, bytes - old);
  Register(n);
  return n;
}

WrapGlobal WrapGlobalFree(WrapGlobal block) {
  GlobalHeader* h = (GlobalHeader*)block;
  if (!h || !Forget(h)) return block;
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
  if (!memory) return nullptr;
  // The would-be header is only computed (as an address), never read, before it is found.
  const void* h = (const char*)memory - sizeof(GlobalHeader);
  return Header((WrapGlobal)h);
}

// The native build has no windows: the desktop is a null window.
WrapWindow WrapGetDesktopWindow() { return nullptr; }
