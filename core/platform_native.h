// Helpers shared by the native stand-ins of the platform call layer (not part of its interface).
#pragma once
#include <ctime>
#include "core/platform.h"

// A runtime time in seconds as local date and time in the platform's record.
void NativeLocalTime(time_t seconds, uint16_t milliseconds, WrapTime* out);

// Test seam: the n-th next global-memory allocation fails, as the platform's does when memory
// runs out (0: none fails).
void SetGlobalAllocFault(int n);
