// The emulated lock on the platform's mutexes: an enter whose wait fails does not enter.
#include "core/platform.h"
#include "core/platform_lockemu.h"
#include <gtest/gtest.h>

// A lock whose mutex is gone (closed): the wait fails at once, and the lock stays free instead
// of being taken without its mutex.
TEST(PlatformLockEmulationWin32, EnterHonoursAFailedWait) {
  int old = UnicodeFlag;
  UnicodeFlag = 0;
  InitLockEmulation();
  LockRecord lock{};
  EmuInitializeCriticalSection(&lock);
  ASSERT_NE(nullptr, lock.mutex);
  WrapCloseHandle(lock.mutex);  // the handle value stays in the record
  EmuEnterCriticalSection(&lock);
  EXPECT_EQ(0, lock.count);
  EXPECT_EQ(0u, lock.owner);
  lock.mutex = nullptr;
  UnicodeFlag = old;
}
