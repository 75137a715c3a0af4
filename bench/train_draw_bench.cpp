// Benchmark of the train cell shape: the vehicle pieces of one cell of a 200-vehicle train (each
// vehicle 24 units, the train 150 cells along a row), asked at its head, middle and tail cells,
// and every cell of the train in turn as a full repaint of the train asks them.
#include <benchmark/benchmark.h>
#include <cstdint>
#include "graphics/vehicle_cell.h"
#include "model/grid.h"
#include "trains/train_draw.h"
#include "trains/train_records.h"
#include "trains/train_services.h"

static TrainRecord* LongTrain(int vehicles) {
  InitGrid();
  ResetTrains();
  int cells = (vehicles * 24 + 31) / 32;
  TrainRecord* t = AllocTrainRecord(cells, vehicles);
  t->line = 1, t->subNumber = 1, t->dx = 1;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < cells; i++) {
    p[i].x = (uint32_t)(1000 - i), p[i].y = 1000, p[i].level = 0;
    p[i].codeUnder = 0x0101;
  }
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < vehicles; i++) v[i].id = 645136, v[i].length = 24;
  InsertTrain(t);
  for (int i = 0; i < cells; i++) SetCell((int)p[i].x, 1000, 0, t->cellCode);
  return t;
}

static void BM_TrainCellShape(benchmark::State& state) {
  TrainRecord* t = LongTrain(200);
  int cell = (int)state.range(0) * (t->positionCount - 1) / 2;  // 0 head, 1 middle, 2 tail
  int x = (int)TrainPositions(t)[cell].x;
  uint32_t ids[TRAIN_CELL_PIECES + 1];
  VehicleSpan spans[TRAIN_CELL_PIECES];
  uint16_t words[TRAIN_CELL_PIECES];
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        GetTrainCellShape(x, 1000, 0, nullptr, ids, spans, words, t->cellCode));
    benchmark::DoNotOptimize(ids[0]);
  }
  ResetTrains();
  ExitGrid();
}
BENCHMARK(BM_TrainCellShape)->Arg(0)->Arg(1)->Arg(2);

static void BM_TrainCellShapeWholeTrain(benchmark::State& state) {
  TrainRecord* t = LongTrain(200);
  uint32_t ids[TRAIN_CELL_PIECES + 1];
  VehicleSpan spans[TRAIN_CELL_PIECES];
  uint16_t words[TRAIN_CELL_PIECES];
  for (auto _ : state)
    for (int i = 0; i < t->positionCount; i++)
      benchmark::DoNotOptimize(GetTrainCellShape(1000 - i, 1000, 0, nullptr, ids, spans, words,
                                                 t->cellCode));
  state.SetItemsProcessed(state.iterations() * t->positionCount);
  ResetTrains();
  ExitGrid();
}
BENCHMARK(BM_TrainCellShapeWholeTrain);
