// Benchmark of the layout grid: cell writes and reads at random positions (runtime generator,
// fixed seed) beside sequential row-by-row access, and the row walk over absent blocks.
#include <benchmark/benchmark.h>
#include <cstdint>
#include <vector>
#include "model/grid.h"
#include "core/random.h"

struct Position {
  int x, y, level;
};

// Positions drawn from the program's runtime generator with a fixed seed: the same on every run.
static std::vector<Position> RandomPositions(size_t n, int span) {
  std::vector<Position> out(n);
  RuntimeSrand(12345);
  for (Position& p : out) {
    p.x = 16384 - span / 2 + RuntimeRand() % span;
    p.y = 16384 - span / 2 + RuntimeRand() % span;
    p.level = -(RuntimeRand() % 5);
  }
  return out;
}

// 16384 positions: at most 16384 blocks (128 MB) even when every write lands in a new block.
static const size_t kCount = 1 << 14;

static void BM_GridWriteRandom(benchmark::State& state) {
  InitGrid();
  auto positions = RandomPositions(kCount, (int)state.range(0));
  size_t i = 0;
  for (auto _ : state) {
    const Position& p = positions[i++ & (kCount - 1)];
    benchmark::DoNotOptimize(SetCell(p.x, p.y, p.level, (uint32_t)(i & 0x3FFF)));
  }
  state.SetItemsProcessed((int64_t)state.iterations());
  state.counters["blocks"] = Grid.blockCount;
  ExitGrid();
}
BENCHMARK(BM_GridWriteRandom)->Arg(512)->Arg(4096)->Arg(32768);

static void BM_GridReadRandom(benchmark::State& state) {
  InitGrid();
  auto positions = RandomPositions(kCount, (int)state.range(0));
  for (const Position& p : positions) SetCell(p.x, p.y, p.level, 0x0101);
  size_t i = 0;
  uint32_t sum = 0;
  for (auto _ : state) {
    const Position& p = positions[i++ & (kCount - 1)];
    sum += GetCell(p.x, p.y, p.level);
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed((int64_t)state.iterations());
  ExitGrid();
}
BENCHMARK(BM_GridReadRandom)->Arg(512)->Arg(4096)->Arg(32768);

// Row by row over a square of side range(0) on level 0.
static void BM_GridWriteSequential(benchmark::State& state) {
  InitGrid();
  const int side = (int)state.range(0);
  int x = 0, y = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SetCell(16000 + x, 16000 + y, 0, 0x0101));
    if (++x == side) {
      x = 0;
      if (++y == side) y = 0;
    }
  }
  state.SetItemsProcessed((int64_t)state.iterations());
  ExitGrid();
}
BENCHMARK(BM_GridWriteSequential)->Arg(512);

static void BM_GridReadSequential(benchmark::State& state) {
  InitGrid();
  const int side = (int)state.range(0);
  for (int y = 0; y < side; y++)
    for (int x = 0; x < side; x++) SetCell(16000 + x, 16000 + y, 0, 0x0101);
  int x = 0, y = 0;
  uint32_t sum = 0;
  for (auto _ : state) {
    sum += GetCell(16000 + x, 16000 + y, 0);
    if (++x == side) {
      x = 0;
      if (++y == side) y = 0;
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed((int64_t)state.iterations());
  ExitGrid();
}
BENCHMARK(BM_GridReadSequential)->Arg(512);

// One whole row of the grid with NextCellInRow: absent blocks are skipped 64 cells at a time.
static void BM_GridRowWalk(benchmark::State& state) {
  InitGrid();
  for (int x = 16000; x < 16000 + 512; x++) SetCell(x, 100, 0, 0x0101);
  for (auto _ : state) {
    int x = 0;
    uint32_t sum = 0;
    while (x < GRID_CELLS) sum += NextCellInRow(&x, 100, 0);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed((int64_t)state.iterations() * GRID_CELLS);
  ExitGrid();
}
BENCHMARK(BM_GridRowWalk);
