// Line-reference lists are matched for every train at every stop, LFST, switch and signal element
// it passes: finding the entry of a line and the look ahead until a time, on a list of 600 words
// whose matching entry is the last one (the whole list is walked).
#include <benchmark/benchmark.h>
#include <vector>
#include "elements/lines.h"

namespace {
constexpr uint32_t ANY = 0x7F000000u;

// 98 entries of other lines with one time window each, then one of line 500 with a window
// [06:00, 22:00) and a number range: 600 words.
std::vector<uint32_t> MakeList() {
  std::vector<uint32_t> list;
  for (uint32_t k = 1; k <= 98; k++)
    list.insert(list.end(), {1, k, LREF_WINDOWS, 1, ANY | 6u << 16, ANY | 22u << 16});
  list.insert(list.end(), {1, 500, LREF_WINDOWS | LREF_RANGE, 1, ANY | 6u << 16,
                           ANY | 22u << 16, 5, 1, 0xFFFFFFFFu, 900, 7, 950});
  return list;
}

void BM_FindLineRefEntry(benchmark::State& state) {
  std::vector<uint32_t> list = MakeList();
  if (list.size() != 600 || CheckLineRefList(list.data(), (int)list.size()))
    state.SkipWithError("bad list");
  uint32_t flags, end;
  for (auto _ : state) {
    int r = FindLineRefEntry(list.data(), (int)list.size(), 500, 42, 0x04000C00u, &flags, &end);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_FindLineRefEntry);

void BM_MatchLineRefUntil(benchmark::State& state) {
  std::vector<uint32_t> list = MakeList();
  for (auto _ : state) {
    uint32_t until = 0x04140000u;  // Wednesday 20:00, inside the window
    int r = MatchLineRefAt(list.data(), (int)list.size(), 500, 42, 0x04080000u, &until);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_MatchLineRefUntil);

void BM_MatchLineRefForTrainNow(benchmark::State& state) {
  std::vector<uint32_t> list = MakeList();
  for (auto _ : state) {
    int r = MatchLineRefForTrain(list.data(), (int)list.size(), 500, 42, nullptr);
    benchmark::DoNotOptimize(r);
  }
}
BENCHMARK(BM_MatchLineRefForTrainNow);
}  // namespace
