// Benchmark of trains reserving their way: clock ticks per second with 100 and 1,000 trains of two
// cells running round one large loop whose top and bottom rows hold a crossing followed by a
// switch every 20 cells, so that every train reserves over the crossing and the switch behind it,
// passes them by its kept cells and releases them.
#include <benchmark/benchmark.h>
#include "app/layer_hooks.h"
#include "tests/trains/headless_run.h"

namespace {
using namespace headless;
constexpr CellCode CROSSING = 32;

int PlaceReservingTrains(int count) {
  SetLayerHooks();
  ResetNetwork();
  const int x0 = 1000, y0 = 1000, x1 = 2500, y1 = 1800;
  if (BuildLoop(x0, y0, x1, y1, 0) != 0) return 1;
  // Top row runs east: crossing, plain cell, switch (through way fixed); the bottom row the same
  // for trains running west (the switch is entered on its through way from the other side).
  for (int x = x0 + 10; x + 2 < x1 - 10; x += 20) {
    if (!SetCell(x, y0, 0, CROSSING) || !SetCell(x, y1, 0, CROSSING)) return 1;
    if (PlaceTestSwitch(x + 2, y0, 0, SWITCH_E_SE, SWITCH_FIXED1) != 0) return 1;
  }
  return PlaceTrainsRoundLoop(LoopCells(x0, y0, x1, y1), count);
}

void ReservingTicks(benchmark::State& state) {
  int count = (int)state.range(0);
  if (PlaceReservingTrains(count) != 0) {
    state.SkipWithError("network or trains not placed");
    return;
  }
  AdvanceTicks(200);
  for (auto _ : state) AdvanceClock();
  int reserving = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) reserving += (t->flags & TRAIN_RESERVING) != 0;
  state.counters["ticks_per_s"] =
      benchmark::Counter((double)state.iterations(), benchmark::Counter::kIsRate);
  state.counters["reserving"] = reserving;
  ResetNetwork();
}
}  // namespace

BENCHMARK(ReservingTicks)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);
