// Saving and loading a large network (4.3 million non-empty cells on three levels), side by
// side with a plain read of the same file's bytes.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include "core/langtext.h"
#include "core/random.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"

namespace {

constexpr int kSide = 1200;  // cells per side and level
constexpr int kLevels = 3;   // levels 0, -1, -2: 4,320,000 cells

std::string gFolder;
int64_t gFileBytes = 0;

// Track codes in runs of varying length, with elements and user symbols in between.
void FillGrid() {
  RuntimeSrand(7);
  for (int level = 0; level > -kLevels; level--)
    for (int y = 0; y < kSide; y++) {
      int x = 0;
      while (x < kSide) {
        int run = 1 + RuntimeRand() % 40;
        int pick = RuntimeRand() % 10;
        uint16_t code = pick < 7   ? (uint16_t)(0x0200 | (RuntimeRand() % 8))
                        : pick < 9 ? (uint16_t)(RuntimeRand() % 0x7FFF)
                                   : (uint16_t)(0xE000 + RuntimeRand() % 0x1C00);
        if (code == CELL_EMPTY) code = 0x0201;
        for (int k = 0; k < run && x < kSide; k++, x++) SetCell(x, y, level, code);
      }
    }
  UpdateUsedArea(0, 0, 0, 0);
}

void SetUpOnce() {
  if (!gFolder.empty()) return;
  gFolder = (std::filesystem::temp_directory_path() / "quil_netfile_bench").string() + "/";
  std::filesystem::create_directories(gFolder);
  if (StreamInit() || InitGrid() || InitLanguage()) std::abort();
  std::u16string folder(gFolder.begin(), gFolder.end());
  SetKindFolder(FILE_KIND_NETWORK, folder.c_str());
  ResetDocumentState();
  FillGrid();
  SetNetworkName(u"bench.nt3");
  if (WriteNetworkFile() != 0) std::abort();
  gFileBytes = (int64_t)std::filesystem::file_size(gFolder + "bench.nt3");
}

void BM_SaveNetwork(benchmark::State& state) {
  SetUpOnce();
  if (LoadNetworkFile(u"bench.nt3") != 0) std::abort();
  for (auto _ : state) {
    SetNetworkName(u"bench_save.nt3");
    if (WriteNetworkFile() != 0) state.SkipWithError("save failed");
  }
  state.SetBytesProcessed(state.iterations() * gFileBytes);
  state.counters["cells"] = (double)kSide * kSide * kLevels;
  state.counters["file_bytes"] = (double)gFileBytes;
}

void BM_LoadNetwork(benchmark::State& state) {
  SetUpOnce();
  for (auto _ : state) {
    if (LoadNetworkFile(u"bench.nt3") != 0) state.SkipWithError("load failed");
  }
  state.SetBytesProcessed(state.iterations() * gFileBytes);
  state.counters["blocks"] = Grid.blockCount;
}

// The same file's bytes read plainly through the runtime, for comparison.
void BM_PlainReadOfTheFile(benchmark::State& state) {
  SetUpOnce();
  std::vector<char> buffer(1 << 16);
  for (auto _ : state) {
    FILE* f = std::fopen((gFolder + "bench.nt3").c_str(), "rb");
    size_t total = 0, n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) total += n;
    std::fclose(f);
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * gFileBytes);
}

// The same bytes through the program's stream without decompression (raw byte reads).
void BM_StreamRawReadOfTheFile(benchmark::State& state) {
  SetUpOnce();
  for (auto _ : state) {
    if (StreamOpenRead(u"bench.nt3", 0, FILE_KIND_NETWORK)) state.SkipWithError("open failed");
    uint8_t b;
    int64_t total = 0;
    while (StreamReadByte(&b) == 0) total++;
    if (StreamIsOpen()) StreamCloseRead();
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(state.iterations() * gFileBytes);
}

}  // namespace

BENCHMARK(BM_SaveNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadNetwork)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadOfTheFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StreamRawReadOfTheFile)->Unit(benchmark::kMillisecond);
