// The emulated locks: recursive per thread, blocking enter, non-blocking try-enter. The guard
// is held only while the fields change, never while waiting for a lock's mutex.
#include "core/platform_lockemu.h"

constexpr uint32_t kWaitAbandoned = 0x80;

void EmuInitializeCriticalSection(LockRecord* lock) {
  lock->count = 0;
  lock->owner = 0;
  lock->mutex = WrapCreateMutex(0, nullptr);
}

void EmuEnterCriticalSection(LockRecord* lock) {
  if (!lock->mutex) return;
  uint32_t me = WrapGetCurrentThreadId();
  LockGuardEnter();
  if (lock->count > 0 && lock->owner == me) {
    lock->count++;
    LockGuardLeave();
    return;
  }
  LockGuardLeave();
  // Only a wait that got the mutex enters (an abandoned mutex is got as well); a failed wait
  // (a mutex that is gone) leaves the lock as it is.
  uint32_t r = WrapWaitForSingleObject(lock->mutex, WRAP_INFINITE);
  if (r != WRAP_WAIT_OBJECT_0 && r != kWaitAbandoned) return;
  LockGuardEnter();
  lock->owner = me;
  lock->count = 1;
  LockGuardLeave();
}

void EmuLeaveCriticalSection(LockRecord* lock) {
  if (!lock->mutex) return;
  uint32_t me = WrapGetCurrentThreadId();
  LockGuardEnter();
  if (lock->owner == me && lock->count > 0) {
    lock->count--;
    if (lock->count == 0) {
      lock->owner = 0;
      WrapReleaseMutex(lock->mutex);
    }
  }
  LockGuardLeave();
}

int EmuTryEnterCriticalSection(LockRecord* lock) {
  if (!lock->mutex) return 0;
  uint32_t me = WrapGetCurrentThreadId();
  int entered = 0;
  LockGuardEnter();
  if (lock->count > 0 && lock->owner == me) {
    lock->count++;
    entered = 1;
  } else if (lock->count < 1) {
    // Free by the fields; a thread between its wait and its bookkeeping may still hold the
    // mutex, so take it only if that succeeds at once (waiting here would block that thread
    // on the guard we hold).
    uint32_t r = WrapWaitForSingleObject(lock->mutex, 0);
    if (r == WRAP_WAIT_OBJECT_0 || r == kWaitAbandoned) {
      lock->owner = me;
      lock->count = 1;
      entered = 1;
    }
  }
  LockGuardLeave();
  return entered;
}

void EmuDeleteCriticalSection(LockRecord* lock) {
  if (lock->mutex) WrapCloseHandle(lock->mutex);
  lock->mutex = nullptr;
  lock->count = 0;
  lock->owner = 0;
}
