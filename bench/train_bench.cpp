// Benchmark of the simulation clock with running trains: clock ticks per second with 100 and 1,000
// trains of two cells running round one large loop of track (4,600 cells) at speed level 20. Every
// tick steps every running train (speeds, the quarter-cell accumulator) and moves those whose
// quarter step is due; every fifth tick one round-robin queue is tried.
#include <benchmark/benchmark.h>
#include "app/layer_hooks.h"
#include "tests/trains/headless_run.h"

namespace {
using namespace headless;

int PlaceTrainsOnLoop(int count) {
  SetLayerHooks();
  ResetNetwork();
  const int x0 = 1000, y0 = 1000, x1 = 2500, y1 = 1800;
  if (BuildLoop(x0, y0, x1, y1, 0) != 0) return 1;
  return PlaceTrainsRoundLoop(LoopCells(x0, y0, x1, y1), count);
}

void ClockTicks(benchmark::State& state) {
  int count = (int)state.range(0);
  if (PlaceTrainsOnLoop(count) != 0) {
    state.SkipWithError("network or trains not placed");
    return;
  }
  AdvanceTicks(200);  // every train under way
  for (auto _ : state) AdvanceClock();
  int running = 0;
  for (TrainRecord* t = Trains.running; t; t = t->nextInQueue) running++;
  state.counters["ticks_per_s"] =
      benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
  state.counters["running"] = running;
  ResetNetwork();
}
}  // namespace

BENCHMARK(ClockTicks)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
