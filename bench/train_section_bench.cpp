// Saving and loading the trains' section with 1,000 trains of 200 vehicles each (250 cells a train,
// standing on rows of track), through the program's compressed stream; the load includes writing
// the trains' codes back into the grid.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_records.h"
#include "trains/train_services.h"

namespace {

constexpr int kTrains = 1000;
constexpr int kVehicles = 200;
constexpr int kCells = 250;

std::string gFolder;
int64_t gFileBytes = 0;

void PlaceTrains() {
  for (int k = 0; k < kTrains; k++) {
    int y = 10 + k;
    for (int x = 40; x < 40 + kCells + 2; x++) SetCell(x, y, 0, 0);
    TrainRecord* t = AllocTrainRecord(kCells, kVehicles);
    if (!t) std::abort();
    t->line = 1 + (uint32_t)k / 900;
    t->subNumber = 1 + (uint32_t)k % 900;
    t->dx = 1;
    t->maxSpeed = 100000;
    t->speed = 50000 + k;
    t->tpTime = -1;
    t->wayKinds = 1;
    TrainVehicleEntry* v = TrainVehicles(t);
    for (int i = 0; i < kVehicles; i++) v[i] = {39585u + (uint32_t)(i % 3), 0, 0x8, 40};
    t->length = TrainLength(t);
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i < kCells; i++) {
      p[i].x = (uint32_t)(40 + kCells - i);
      p[i].y = (uint32_t)y;
      p[i].codeUnder = 0;
    }
    if (InsertTrain(t)) std::abort();
  }
  RefreshTrainCellCodes(1);
}

int SaveTo(const char16_t* name) {
  if (StreamOpenWrite(name, 0, FILE_KIND_NETWORK)) return 1;
  StreamResetCompression();
  int r = SaveTrainsSection();
  return StreamCloseWrite() || r;
}

int LoadFrom(const char16_t* name) {
  if (StreamOpenRead(name, 0, FILE_KIND_NETWORK)) return 1;
  StreamResetCompression();
  int r = LoadTrainsSection(14400);
  if (StreamIsOpen()) StreamCloseRead();
  if (r > 0) return r;
  RefreshTrainCellCodes(1);
  return 0;
}

void SetUpOnce() {
  if (!gFolder.empty()) return;
  gFolder = (std::filesystem::temp_directory_path() / "quil_train_section_bench").string() + "/";
  std::filesystem::create_directories(gFolder);
  if (StreamInit() || InitGrid()) std::abort();
  std::u16string folder(gFolder.begin(), gFolder.end());
  SetKindFolder(FILE_KIND_NETWORK, folder.c_str());
  ResetDocumentState();
  PlaceTrains();
  if (SaveTo(u"trains.bin")) std::abort();
  gFileBytes = (int64_t)std::filesystem::file_size(gFolder + "trains.bin");
}

void BM_SaveTrainsSection(benchmark::State& state) {
  SetUpOnce();
  for (auto _ : state)
    if (SaveTo(u"trains_save.bin")) state.SkipWithError("save failed");
  state.SetBytesProcessed(state.iterations() * gFileBytes);
  state.counters["trains"] = GetTrainCount();
  state.counters["file_bytes"] = (double)gFileBytes;
}

void BM_LoadTrainsSection(benchmark::State& state) {
  SetUpOnce();
  for (auto _ : state) {
    // The grid holds the trains' codes from the last load: the codes under them go back first.
    state.PauseTiming();
    ResetTrains();
    for (int k = 0; k < kTrains; k++)
      for (int x = 40; x < 40 + kCells + 2; x++) SetCell(x, 10 + k, 0, 0);
    state.ResumeTiming();
    if (LoadFrom(u"trains.bin")) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(state.iterations() * gFileBytes);
  state.counters["trains"] = GetTrainCount();
}

}  // namespace

BENCHMARK(BM_SaveTrainsSection)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadTrainsSection)->Unit(benchmark::kMillisecond);
