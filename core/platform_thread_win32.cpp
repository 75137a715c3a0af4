// Win32 build: threads through the runtime, mutexes, semaphores, waits, and the locks: platform
// critical sections in wide mode, the emulation (owner, count, mutex) in ANSI mode.
#include "core/platform.h"
#include "core/platform_lockemu.h"
#include <windows.h>
#include <process.h>
#include <cstdlib>

struct ThreadStartRecord {
  WrapThreadFunc func;
  void* arg;
};

static unsigned __stdcall ThreadStart(void* p) {
  ThreadStartRecord start = *(ThreadStartRecord*)p;
  HeapFree(GetProcessHeap(), 0, p);
  start.func(start.arg);
  return 0;
}

WrapHandle WrapBeginThread(WrapThreadFunc func, void* arg, int run) {
  ThreadStartRecord* start = (ThreadStartRecord*)HeapAlloc(GetProcessHeap(), 0, sizeof *start);
  if (!start) return nullptr;
  start->func = func;
  start->arg = arg;
  uintptr_t h = _beginthreadex(nullptr, 0, ThreadStart, start, run ? 0 : CREATE_SUSPENDED, nullptr);
  if (!h) {
    HeapFree(GetProcessHeap(), 0, start);
    return nullptr;
  }
  return (WrapHandle)h;
}

void WrapEndThread(uint32_t code) {
  _endthreadex(code);
  for (;;) {}
}
int WrapTerminateThread(WrapHandle thread) { return TerminateThread((HANDLE)thread, 0); }
int WrapSetThreadPriority(WrapHandle thread, int priority) {
  return SetThreadPriority((HANDLE)thread, priority);
}
uint32_t WrapSuspendThread(WrapHandle thread) { return SuspendThread((HANDLE)thread); }
uint32_t WrapResumeThread(WrapHandle thread) { return ResumeThread((HANDLE)thread); }
uint32_t WrapGetCurrentThreadId() { return GetCurrentThreadId(); }

WrapHandle WrapCreateMutex(int initialOwner, const char16_t* name) {
  SECURITY_ATTRIBUTES sa;
  sa.nLength = sizeof sa;
  sa.lpSecurityDescriptor = nullptr;
  sa.bInheritHandle = FALSE;
  if (UnicodeFlag) return CreateMutexW(&sa, initialOwner ? TRUE : FALSE, (LPCWSTR)name);
  char buf[WRAP_ANSI_BUF];
  int r = WrapAnsiArg(name, buf);
  if (r < 0) {
    SetLastError(ERROR_FILENAME_EXCED_RANGE);
    return nullptr;
  }
  return CreateMutexA(&sa, initialOwner ? TRUE : FALSE, r ? buf : nullptr);
}

int WrapReleaseMutex(WrapHandle mutex) { return ReleaseMutex((HANDLE)mutex); }

WrapHandle WrapCreateSemaphore(int32_t initialCount, int32_t maximumCount) {
  if (UnicodeFlag) return CreateSemaphoreW(nullptr, initialCount, maximumCount, nullptr);
  return CreateSemaphoreA(nullptr, initialCount, maximumCount, nullptr);
}

int WrapReleaseSemaphore(WrapHandle semaphore, int32_t count, int32_t* previous) {
  LONG prev = 0;
  BOOL ok = ReleaseSemaphore((HANDLE)semaphore, count, &prev);
  if (ok && previous) *previous = prev;
  return ok;
}

uint32_t WrapWaitForSingleObject(WrapHandle object, uint32_t milliseconds) {
  return WaitForSingleObject((HANDLE)object, milliseconds);
}

int WrapCloseHandle(WrapHandle object) { return CloseHandle((HANDLE)object); }

// ---- the guard and the locks ---------------------------------------------------------------------
static CRITICAL_SECTION gGuard;
static int gGuardMade;

void LockGuardCreate() {
  if (!gGuardMade) {
    InitializeCriticalSection(&gGuard);
    gGuardMade = 1;
  }
}
void LockGuardDelete() {
  if (gGuardMade) {
    DeleteCriticalSection(&gGuard);
    gGuardMade = 0;
  }
}
void LockGuardEnter() { EnterCriticalSection(&gGuard); }
void LockGuardLeave() { LeaveCriticalSection(&gGuard); }

void InitLockEmulation() {
  if (!UnicodeFlag) LockGuardCreate();
}
void DeleteLockEmulation() { LockGuardDelete(); }

static_assert(sizeof(CRITICAL_SECTION) <= sizeof(LockRecord::platform), "lock storage too small");

static CRITICAL_SECTION* PlatformLock(LockRecord* lock) {
  return (CRITICAL_SECTION*)lock->platform;
}

void WrapInitializeCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag) {
    LockGuardCreate();  // in case the entry did not make it (tests)
    EmuInitializeCriticalSection(lock);
    return;
  }
  InitializeCriticalSection(PlatformLock(lock));
  lock->count = 0;
  lock->owner = 0;
  lock->mutex = nullptr;
}

void WrapEnterCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuEnterCriticalSection(lock);
  else
    EnterCriticalSection(PlatformLock(lock));
}

void WrapLeaveCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuLeaveCriticalSection(lock);
  else
    LeaveCriticalSection(PlatformLock(lock));
}

int WrapTryEnterCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag) return EmuTryEnterCriticalSection(lock);
  return TryEnterCriticalSection(PlatformLock(lock)) ? 1 : 0;
}

void WrapDeleteCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuDeleteCriticalSection(lock);
  else
    DeleteCriticalSection(PlatformLock(lock));
}
