// Native build: threads, mutexes, semaphores, waits and the locks on POSIX threads, with the
// platform's semantics (owned recursive mutexes, counted semaphores, start suspended).
#include "core/platform.h"
#include "core/platform_lockemu.h"
#include "core/misc.h"
#include <pthread.h>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <new>
#include <sched.h>
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

enum { KIND_MUTEX = 1, KIND_SEMAPHORE = 2, KIND_THREAD = 3 };

struct NativeObject {
  int kind;
  int refs;  // handle + running thread
  pthread_mutex_t m;
  pthread_cond_t c;
  uint32_t owner;          // mutex: owning thread id
  int32_t recursion;       // mutex: recursion of the owner
  int32_t count, maximum;  // semaphore
  pthread_t thread;        // thread
  int suspended, finished;
  WrapThreadFunc func;
  void* arg;
  char16_t name[64];  // named mutex
  NativeObject* nextNamed;
};

static thread_local uint32_t tThreadId;
static thread_local uint32_t tLastError;
static std::atomic<uint32_t> gNextThreadId{1};
static pthread_mutex_t gObjectsLock = PTHREAD_MUTEX_INITIALIZER;
static NativeObject* gNamed;

uint32_t WrapGetCurrentThreadId() {
  if (!tThreadId) tThreadId = gNextThreadId.fetch_add(1);
  return tThreadId;
}

uint32_t WrapGetLastError() { return tLastError; }

static NativeObject* NewObject(int kind) {
  NativeObject* o = (NativeObject*)calloc(1, sizeof(NativeObject));
  if (!o) return nullptr;
  o->kind = kind;
  o->refs = 1;
  pthread_mutex_init(&o->m, nullptr);
  pthread_condattr_t attr;
  pthread_condattr_init(&attr);
  pthread_condattr_setclock(&attr, CLOCK_MONOTONIC);
  pthread_cond_init(&o->c, &attr);
  pthread_condattr_destroy(&attr);
  return o;
}

static void DropObject(NativeObject* o) {
  pthread_mutex_lock(&gObjectsLock);
  int left = --o->refs;
  if (left == 0 && o->name[0]) {
    for (NativeObject** p = &gNamed; *p; p = &(*p)->nextNamed)
      if (*p == o) {
        *p = o->nextNamed;
        break;
      }
  }
  pthread_mutex_unlock(&gObjectsLock);
  if (left > 0) return;
  pthread_cond_destroy(&o->c);
  pthread_mutex_destroy(&o->m);
  free(o);
}

static int SameName(const char16_t* a, const char16_t* b) {
  while (*a && *a == *b) {
    a++;
    b++;
  }
  return *a == *b;
}

// ---- mutexes -----------------------------------------------------------------------------------
WrapHandle WrapCreateMutex(int initialOwner, const char16_t* name) {
  tLastError = 0;
  if (name) {
    if (StringLength(name) >= 64) {
      tLastError = 206;
      return nullptr;
    }
    pthread_mutex_lock(&gObjectsLock);
    for (NativeObject* o = gNamed; o; o = o->nextNamed)
      if (SameName(o->name, name)) {
        o->refs++;
        pthread_mutex_unlock(&gObjectsLock);
        tLastError = WRAP_ERROR_ALREADY_EXISTS;
        return o;
      }
    pthread_mutex_unlock(&gObjectsLock);
  }
  NativeObject* o = NewObject(KIND_MUTEX);
  if (!o) {
    tLastError = 8;
    return nullptr;
  }
  if (initialOwner) {
    o->owner = WrapGetCurrentThreadId();
    o->recursion = 1;
  }
  if (name) {
    for (int i = 0; name[i]; i++) o->name[i] = name[i];
    pthread_mutex_lock(&gObjectsLock);
    o->nextNamed = gNamed;
    gNamed = o;
    pthread_mutex_unlock(&gObjectsLock);
  }
  return o;
}

int WrapReleaseMutex(WrapHandle h) {
  NativeObject* o = (NativeObject*)h;
  if (!o || o->kind != KIND_MUTEX) {
    tLastError = 6;
    return 0;
  }
  pthread_mutex_lock(&o->m);
  int ok = o->owner == WrapGetCurrentThreadId() && o->recursion > 0;
  if (ok && --o->recursion == 0) {
    o->owner = 0;
    pthread_cond_broadcast(&o->c);
  }
  pthread_mutex_unlock(&o->m);
  if (!ok) tLastError = 288;  // not owner
  return ok;
}

// ---- semaphores --------------------------------------------------------------------------------
WrapHandle WrapCreateSemaphore(int32_t initialCount, int32_t maximumCount) {
  if (maximumCount < 1 || initialCount < 0 || initialCount > maximumCount) {
    tLastError = 87;
    return nullptr;
  }
  NativeObject* o = NewObject(KIND_SEMAPHORE);
  if (!o) return nullptr;
  o->count = initialCount;
  o->maximum = maximumCount;
  return o;
}

int WrapReleaseSemaphore(WrapHandle h, int32_t count, int32_t* previous) {
  NativeObject* o = (NativeObject*)h;
  if (!o || o->kind != KIND_SEMAPHORE || count < 1) {
    tLastError = 87;
    return 0;
  }
  pthread_mutex_lock(&o->m);
  int ok = o->count <= o->maximum - count;
  if (ok) {
    if (previous) *previous = o->count;
    o->count += count;
    pthread_cond_broadcast(&o->c);
  }
  pthread_mutex_unlock(&o->m);
  if (!ok) tLastError = 298;  // too many posts
  return ok;
}

// ---- waiting -----------------------------------------------------------------------------------
static int Signalled(NativeObject* o, uint32_t me) {
  if (o->kind == KIND_MUTEX) return o->recursion == 0 || o->owner == me;
  if (o->kind == KIND_SEMAPHORE) return o->count > 0;
  return o->finished;
}

static void Take(NativeObject* o, uint32_t me) {
  if (o->kind == KIND_MUTEX) {
    o->owner = me;
    o->recursion++;
  } else if (o->kind == KIND_SEMAPHORE)
    o->count--;
}

uint32_t WrapWaitForSingleObject(WrapHandle h, uint32_t milliseconds) {
  NativeObject* o = (NativeObject*)h;
  if (!o) {
    tLastError = 6;
    return WRAP_WAIT_FAILED;
  }
  uint32_t me = WrapGetCurrentThreadId();
  MonoTime deadline;
  clock_gettime(CLOCK_MONOTONIC, &deadline);
  if (milliseconds != WRAP_INFINITE) {
    deadline.tv_sec += milliseconds / 1000;
    deadline.tv_nsec += (long)(milliseconds % 1000) * 1000000L;
    if (deadline.tv_nsec >= 1000000000L) {
      deadline.tv_sec++;
      deadline.tv_nsec -= 1000000000L;
    }
  }
  uint32_t result = WRAP_WAIT_OBJECT_0;
  pthread_mutex_lock(&o->m);
  while (!Signalled(o, me)) {
    if (milliseconds == WRAP_INFINITE) {
      pthread_cond_wait(&o->c, &o->m);
    } else if (milliseconds == 0 || pthread_cond_timedwait(&o->c, &o->m, &deadline) == ETIMEDOUT) {
      if (!Signalled(o, me)) {
        result = WRAP_WAIT_TIMEOUT;
        break;
      }
    }
  }
  if (result == WRAP_WAIT_OBJECT_0) Take(o, me);
  pthread_mutex_unlock(&o->m);
  return result;
}

int WrapCloseHandle(WrapHandle h) {
  NativeObject* o = (NativeObject*)h;
  if (!o) {
    tLastError = 6;
    return 0;
  }
  DropObject(o);
  return 1;
}

// ---- threads -----------------------------------------------------------------------------------
struct ThreadExitMark {
  NativeObject* o;
  ~ThreadExitMark() {
    pthread_mutex_lock(&o->m);
    o->finished = 1;
    pthread_cond_broadcast(&o->c);
    pthread_mutex_unlock(&o->m);
    DropObject(o);
  }
};

static void* ThreadStart(void* p) {
  NativeObject* o = (NativeObject*)p;
  ThreadExitMark mark{o};
  pthread_mutex_lock(&o->m);
  while (o->suspended > 0) pthread_cond_wait(&o->c, &o->m);
  pthread_mutex_unlock(&o->m);
  o->func(o->arg);
  return nullptr;
}

WrapHandle WrapBeginThread(WrapThreadFunc func, void* arg, int run) {
  NativeObject* o = NewObject(KIND_THREAD);
  if (!o) return nullptr;
  o->func = func;
  o->arg = arg;
  o->suspended = run ? 0 : 1;
  o->refs = 2;
  if (pthread_create(&o->thread, nullptr, ThreadStart, o) != 0) {
    o->refs = 1;
    DropObject(o);
    return nullptr;
  }
  pthread_detach(o->thread);  // waits use the finished flag
  return o;
}

void WrapEndThread(uint32_t code) { pthread_exit(nullptr); }

// A running POSIX thread cannot be stopped or suspended from outside: these report failure.
int WrapTerminateThread(WrapHandle thread) {
  tLastError = 50;
  return 0;
}
uint32_t WrapSuspendThread(WrapHandle thread) {
  tLastError = 50;
  return 0xFFFFFFFFu;
}

uint32_t WrapResumeThread(WrapHandle h) {
  NativeObject* o = (NativeObject*)h;
  if (!o || o->kind != KIND_THREAD) {
    tLastError = 6;
    return 0xFFFFFFFFu;
  }
  pthread_mutex_lock(&o->m);
  uint32_t previous = (uint32_t)o->suspended;
  if (o->suspended > 0 && --o->suspended == 0) pthread_cond_broadcast(&o->c);
  pthread_mutex_unlock(&o->m);
  return previous;
}

int WrapSetThreadPriority(WrapHandle thread, int priority) {
  NativeObject* o = (NativeObject*)thread;
  return o && o->kind == KIND_THREAD && priority >= -2 && priority <= 2;
}

void WrapSleep(uint32_t milliseconds) {
  if (milliseconds == 0) {
    sched_yield();
    return;
  }
  MonoTime t{(time_t)(milliseconds / 1000), (long)(milliseconds % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR) {}
}

// ---- the guard and the locks ---------------------------------------------------------------------
static pthread_mutex_t gGuard = PTHREAD_MUTEX_INITIALIZER;
void LockGuardCreate() {}
void LockGuardDelete() {}
void LockGuardEnter() { pthread_mutex_lock(&gGuard); }
void LockGuardLeave() { pthread_mutex_unlock(&gGuard); }

void InitLockEmulation() { LockGuardCreate(); }
void DeleteLockEmulation() { LockGuardDelete(); }

static_assert(sizeof(pthread_mutex_t) <= sizeof(LockRecord::platform), "lock storage too small");

static pthread_mutex_t* PlatformLock(LockRecord* lock) { return (pthread_mutex_t*)lock->platform; }

void WrapInitializeCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag) {
    EmuInitializeCriticalSection(lock);
    return;
  }
  pthread_mutexattr_t attr;
  pthread_mutexattr_init(&attr);
  pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(new (lock->platform) pthread_mutex_t, &attr);
  pthread_mutexattr_destroy(&attr);
  lock->count = 0;
  lock->owner = 0;
  lock->mutex = nullptr;
}

void WrapEnterCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuEnterCriticalSection(lock);
  else
    pthread_mutex_lock(PlatformLock(lock));
}

void WrapLeaveCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuLeaveCriticalSection(lock);
  else
    pthread_mutex_unlock(PlatformLock(lock));
}

int WrapTryEnterCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag) return EmuTryEnterCriticalSection(lock);
  return pthread_mutex_trylock(PlatformLock(lock)) == 0;
}

void WrapDeleteCriticalSection(LockRecord* lock) {
  if (!UnicodeFlag)
    EmuDeleteCriticalSection(lock);
  else
    pthread_mutex_destroy(PlatformLock(lock));
}
