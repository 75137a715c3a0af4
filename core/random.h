// The program's runtime random-number generator. Every draw that the C runtime's rand()
// would give goes through here, so seeded runs agree in the native and the Win32 build.
// The sequence is the Windows C runtime's: state = state * 214013 + 2531011,
// result = (state >> 16) & 0x7FFF.
#pragma once
#include <cstdint>

constexpr int RUNTIME_RAND_MAX = 0x7FFF;

void RuntimeSrand(uint32_t seed);  // like srand(): restarts the sequence
int RuntimeRand();                 // like rand(): 0..RUNTIME_RAND_MAX
uint32_t RuntimeRandState();       // the current state (for tests and saving)
