// Locks in both modes (platform critical section and the ANSI-mode emulation), threads started
// suspended, mutexes and semaphores with the platform's semantics.
#include "core/platform.h"
#include "core/platform_lockemu.h"
#include <gtest/gtest.h>
#include <atomic>

namespace {
struct ModeScope {
  int old;
  explicit ModeScope(int flag) : old(UnicodeFlag) {
    UnicodeFlag = flag;
    InitLockEmulation();
  }
  ~ModeScope() { UnicodeFlag = old; }
};

struct Shared {
  LockRecord* lock;
  std::atomic<int> step{0};
  std::atomic<int> result{-1};
  std::atomic<int> entered{0};
};

void TryEnterOnce(void* p) {
  Shared* s = (Shared*)p;
  s->result = WrapTryEnterCriticalSection(s->lock);
  if (s->result == 1) WrapLeaveCriticalSection(s->lock);
}

void EnterAndMark(void* p) {
  Shared* s = (Shared*)p;
  WrapEnterCriticalSection(s->lock);
  s->entered = 1;
  WrapLeaveCriticalSection(s->lock);
}

void WaitForThread(WrapHandle t) {
  ASSERT_EQ(WRAP_WAIT_OBJECT_0, WrapWaitForSingleObject(t, 5000));
  WrapCloseHandle(t);
}
}  // namespace

class PlatformLockModes : public ::testing::TestWithParam<int> {};

// A thread that entered twice must leave twice before another thread gets in; meanwhile a
// try-enter by that other thread answers 0 at once.
TEST_P(PlatformLockModes, RecursionAcrossThreads) {
  ModeScope mode(GetParam());
  LockRecord lock;
  WrapInitializeCriticalSection(&lock);
  Shared s;
  s.lock = &lock;
  WrapEnterCriticalSection(&lock);
  EXPECT_EQ(1, WrapTryEnterCriticalSection(&lock));  // the owner may enter again

  WrapHandle t = WrapBeginThread(TryEnterOnce, &s, 1);
  ASSERT_NE(nullptr, t);
  WaitForThread(t);  // returned without waiting
  EXPECT_EQ(0, s.result.load());

  WrapHandle waiter = WrapBeginThread(EnterAndMark, &s, 1);  // blocks until both leaves
  ASSERT_NE(nullptr, waiter);
  WrapLeaveCriticalSection(&lock);
  // After one of two leaves the lock is still held: another thread's try-enter answers 0 (it
  // returns at once, so this needs no waiting), and the blocked thread has not entered.
  s.result = -1;
  t = WrapBeginThread(TryEnterOnce, &s, 1);
  ASSERT_NE(nullptr, t);
  WaitForThread(t);
  EXPECT_EQ(0, s.result.load()) << "free after only one of two leaves";
  EXPECT_EQ(0, s.entered.load());
  WrapLeaveCriticalSection(&lock);
  WaitForThread(waiter);  // now it gets in
  EXPECT_EQ(1, s.entered.load());

  t = WrapBeginThread(TryEnterOnce, &s, 1);
  WaitForThread(t);
  EXPECT_EQ(1, s.result.load());  // free again
  WrapDeleteCriticalSection(&lock);
}

INSTANTIATE_TEST_SUITE_P(WideAndAnsi, PlatformLockModes, ::testing::Values(1, 0));

TEST(PlatformLockEmulation, LeaveByAnotherThreadDoesNothing) {
  ModeScope mode(0);
  LockRecord lock;
  WrapInitializeCriticalSection(&lock);
  WrapEnterCriticalSection(&lock);
  Shared s;
  s.lock = &lock;
  WrapHandle t =
      WrapBeginThread([](void* p) { WrapLeaveCriticalSection(((Shared*)p)->lock); }, &s, 1);
  WaitForThread(t);
  EXPECT_EQ(1, lock.count);
  EXPECT_EQ(WrapGetCurrentThreadId(), lock.owner);
  WrapLeaveCriticalSection(&lock);
  EXPECT_EQ(0, lock.count);
  EXPECT_EQ(0u, lock.owner);
  WrapDeleteCriticalSection(&lock);
  EXPECT_EQ(nullptr, lock.mutex);
}

TEST(PlatformLockEmulation, LockWithoutMutexDoesNothing) {
  ModeScope mode(0);
  LockRecord lock{};
  lock.mutex = nullptr;
  WrapEnterCriticalSection(&lock);
  EXPECT_EQ(0, lock.count);
  EXPECT_EQ(0, WrapTryEnterCriticalSection(&lock));
  WrapLeaveCriticalSection(&lock);
  EXPECT_EQ(0, lock.count);
}

// A thread that got the mutex but has not yet written owner and count (between its wait and its
// bookkeeping): a try-enter now must answer 0 at once instead of waiting while holding the guard,
// which would block that thread for good.
TEST(PlatformLockEmulation, TryEnterNeverWaitsWhileHoldingTheGuard) {
  ModeScope mode(0);
  LockRecord lock;
  EmuInitializeCriticalSection(&lock);
  ASSERT_NE(nullptr, lock.mutex);
  Shared s;
  s.lock = &lock;
  WrapHandle holder = WrapBeginThread(
      [](void* p) {
        Shared* sh = (Shared*)p;
        WrapWaitForSingleObject(sh->lock->mutex, WRAP_INFINITE);  // mutex taken, fields not yet
        sh->step = 1;
        while (sh->step != 2) WrapSleep(1);
        LockGuardEnter();  // the bookkeeping it would do next
        LockGuardLeave();
        WrapReleaseMutex(sh->lock->mutex);
      },
      &s, 1);
  while (s.step != 1) WrapSleep(1);
  WrapHandle t = WrapBeginThread(
      [](void* p) {
        Shared* sh = (Shared*)p;
        sh->result = EmuTryEnterCriticalSection(sh->lock);
      },
      &s, 1);
  ASSERT_EQ(WRAP_WAIT_OBJECT_0, WrapWaitForSingleObject(t, 3000)) << "try-enter waited";
  WrapCloseHandle(t);
  EXPECT_EQ(0, s.result.load());
  s.step = 2;
  WaitForThread(holder);
  EmuDeleteCriticalSection(&lock);
}

TEST(PlatformThreads, SuspendedThreadRunsOnlyAfterResume) {
  std::atomic<int> ran{0};
  WrapHandle t = WrapBeginThread([](void* p) { *(std::atomic<int>*)p = 1; }, &ran, 0);
  ASSERT_NE(nullptr, t);
  WrapSleep(50);
  EXPECT_EQ(0, ran.load());
  EXPECT_EQ(WRAP_WAIT_TIMEOUT, WrapWaitForSingleObject(t, 0));
  EXPECT_EQ(1u, WrapResumeThread(t));
  WaitForThread(t);
  EXPECT_EQ(1, ran.load());
}

TEST(PlatformThreads, EndThreadEndsTheCallerAndSignalsTheHandle) {
  std::atomic<int> after{0};
  WrapHandle t = WrapBeginThread(
      [](void* p) {
        WrapEndThread(7);
        *(std::atomic<int>*)p = 1;
      },
      &after, 1);
  WaitForThread(t);
  EXPECT_EQ(0, after.load());
}

TEST(PlatformSync, MutexIsRecursiveForItsOwnerOnly) {
  WrapHandle m = WrapCreateMutex(1, nullptr);
  ASSERT_NE(nullptr, m);
  EXPECT_EQ(WRAP_WAIT_OBJECT_0, WrapWaitForSingleObject(m, 0));  // owner again: count 2
  std::atomic<uint32_t> r{1};
  struct Arg {
    WrapHandle m;
    std::atomic<uint32_t>* r;
  } arg{m, &r};
  WrapHandle t = WrapBeginThread(
      [](void* p) {
        Arg* a = (Arg*)p;
        *a->r = (uint32_t)WrapReleaseMutex(a->m);  // not the owner
        if (WrapWaitForSingleObject(a->m, 20) == WRAP_WAIT_TIMEOUT) *a->r = *a->r + 10;
      },
      &arg, 1);
  WaitForThread(t);
  EXPECT_EQ(10u, r.load());
  EXPECT_NE(0, WrapReleaseMutex(m));
  EXPECT_NE(0, WrapReleaseMutex(m));
  EXPECT_EQ(0, WrapReleaseMutex(m));  // no longer owned
  EXPECT_NE(0, WrapCloseHandle(m));
}

TEST(PlatformSync, NamedMutexReportsASecondCreation) {
  WrapHandle a = WrapCreateMutex(0, u"QUIL_TEST_PLATFORM_MUTEX");
  ASSERT_NE(nullptr, a);
  EXPECT_NE(WRAP_ERROR_ALREADY_EXISTS, WrapGetLastError());
  WrapHandle b = WrapCreateMutex(0, u"QUIL_TEST_PLATFORM_MUTEX");
  ASSERT_NE(nullptr, b);
  EXPECT_EQ(WRAP_ERROR_ALREADY_EXISTS, WrapGetLastError());
  WrapCloseHandle(b);
  WrapCloseHandle(a);
}

TEST(PlatformSync, SemaphoreCountsAndRefusesTooManyPosts) {
  WrapHandle s = WrapCreateSemaphore(0, 1);
  ASSERT_NE(nullptr, s);
  EXPECT_EQ(WRAP_WAIT_TIMEOUT, WrapWaitForSingleObject(s, 10));
  int32_t prev = -1;
  EXPECT_NE(0, WrapReleaseSemaphore(s, 1, &prev));
  EXPECT_EQ(0, prev);
  EXPECT_EQ(0, WrapReleaseSemaphore(s, 1, &prev));  // above the maximum
  EXPECT_EQ(WRAP_WAIT_OBJECT_0, WrapWaitForSingleObject(s, 0));
  EXPECT_EQ(WRAP_WAIT_TIMEOUT, WrapWaitForSingleObject(s, 0));
  WrapCloseHandle(s);
}

TEST(PlatformTime, TickCountAndCounterAdvance) {
  uint32_t t0 = WrapGetTickCount();
  int64_t c0, c1, f;
  ASSERT_EQ(1, WrapQueryPerformanceCounter(&c0));
  ASSERT_EQ(1, WrapQueryPerformanceFrequency(&f));
  WrapSleep(60);
  ASSERT_EQ(1, WrapQueryPerformanceCounter(&c1));
  uint32_t dt = WrapGetTickCount() - t0;
  EXPECT_GE(dt, 40u);  // the tick count may step in 16 ms
  EXPECT_LT(dt, 2000u);
  EXPECT_GT(f, 0);
  EXPECT_GE((c1 - c0) * 1000 / f, 50);
  WrapTime now;
  WrapGetLocalTime(&now);
  EXPECT_GE(now.year, 2020);
  EXPECT_GE(now.month, 1);
  EXPECT_LE(now.month, 12);
  EXPECT_LE(now.dayOfWeek, 6);
}
