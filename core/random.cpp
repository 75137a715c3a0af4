// Runtime random-number generator shared by both builds.
#include "core/random.h"

static uint32_t runtime_state = 1;  // the runtime starts as if seeded with 1

void RuntimeSrand(uint32_t seed) { runtime_state = seed; }

int RuntimeRand() {
  runtime_state = runtime_state * 214013u + 2531011u;
  return static_cast<int>((runtime_state >> 16) & 0x7FFF);
}

uint32_t RuntimeRandState() { return runtime_state; }
