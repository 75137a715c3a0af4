// Lock emulation used in ANSI mode: owner thread, recursion count and a mutex per lock, with
// one guard for the fields of every lock. Internal to the platform call layer (and its tests).
#pragma once
#include "core/platform.h"

// The guard (LockEmulationGuard): a plain lock of the build, held only for a few field updates.
void LockGuardCreate();
void LockGuardDelete();
void LockGuardEnter();
void LockGuardLeave();

void EmuInitializeCriticalSection(LockRecord* lock);
void EmuEnterCriticalSection(LockRecord* lock);
void EmuLeaveCriticalSection(LockRecord* lock);
int EmuTryEnterCriticalSection(LockRecord* lock);  // 1 entered, 0 not (never waits)
void EmuDeleteCriticalSection(LockRecord* lock);
