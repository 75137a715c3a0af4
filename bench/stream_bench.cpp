// Throughput of the file stream on a grid-section-like byte stream (16-bit cell codes, mostly
// repeated in runs, some varied): pair-run write and read, raw write and read, and memcpy.
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include "core/random.h"
#include "core/stream.h"

namespace {

constexpr size_t kStreamBytes = 4 << 20;

// Cell codes as a grid section holds them: long stretches of the empty cell and of track codes,
// now and then a varied code (elements, user symbols).
const std::vector<uint8_t>& GridLikeBytes() {
  static std::vector<uint8_t> data;
  if (!data.empty()) return data;
  RuntimeSrand(4711);
  data.reserve(kStreamBytes);
  while (data.size() < kStreamBytes) {
    int r = RuntimeRand();
    uint16_t code;
    int len;
    if ((r & 15) < 9) {  // empty cells
      code = 0xC000;
      len = 8 + RuntimeRand() % 120;
    } else if ((r & 15) < 14) {  // a straight track
      code = (uint16_t)(0x0200 + (RuntimeRand() & 0x3F));
      len = 2 + RuntimeRand() % 30;
    } else {  // varied codes
      code = (uint16_t)RuntimeRand();
      len = 1;
    }
    for (int i = 0; i < len && data.size() < kStreamBytes; i++) {
      data.push_back((uint8_t)(code & 0xFF));
      data.push_back((uint8_t)(code >> 8));
    }
  }
  data.resize(kStreamBytes);
  return data;
}

std::u16string BenchFile(const char* tail) {
  std::string p =
      (std::filesystem::temp_directory_path() / (std::string("quil_stream_bench_") + tail))
          .string();
  return std::u16string(p.begin(), p.end());
}

void WriteStream(const std::u16string& name, const std::vector<uint8_t>& data, bool compress,
                 benchmark::State& state) {
  if (StreamOpenWrite(name.c_str(), 0, 99) != 0) {
    state.SkipWithError("cannot create the file");
    return;
  }
  if (compress) StreamResetCompression();
  for (uint8_t b : data)  // byte by byte, as the section writers do
    if (StreamWriteByte(b) != 0) break;
  if (StreamCloseWrite() != 0) state.SkipWithError("write failed");
}

size_t ReadStream(const std::u16string& name, std::vector<uint8_t>& out, bool compress) {
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) return 0;
  if (compress) StreamResetCompression();
  size_t n = 0;
  uint8_t b;
  while (n < out.size() && StreamReadByte(&b) == 0) out[n++] = b;
  StreamCloseRead();
  return n;
}

void Setup() {
  static bool done = false;
  if (!done) {
    StreamInit();
    done = true;
  }
}

void BM_PairRunWrite(benchmark::State& state) {
  Setup();
  const auto& data = GridLikeBytes();
  std::u16string name = BenchFile("w.bin");
  for (auto _ : state) WriteStream(name, data, true, state);
  state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.size());
}

void BM_PairRunRead(benchmark::State& state) {
  Setup();
  const auto& data = GridLikeBytes();
  std::u16string name = BenchFile("r.bin");
  WriteStream(name, data, true, state);
  std::vector<uint8_t> out(data.size());
  for (auto _ : state) {
    size_t n = ReadStream(name, out, true);
    if (n != data.size() || out != data) state.SkipWithError("round trip differs");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.size());
  std::error_code ec;
  std::filesystem::path p(std::string(name.begin(), name.end()));
  state.counters["ratio"] = (double)std::filesystem::file_size(p, ec) / (double)data.size();
}

void BM_RawWrite(benchmark::State& state) {
  Setup();
  const auto& data = GridLikeBytes();
  std::u16string name = BenchFile("rw.bin");
  for (auto _ : state) WriteStream(name, data, false, state);
  state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.size());
}

void BM_RawRead(benchmark::State& state) {
  Setup();
  const auto& data = GridLikeBytes();
  std::u16string name = BenchFile("rr.bin");
  WriteStream(name, data, false, state);
  std::vector<uint8_t> out(data.size());
  for (auto _ : state) {
    size_t n = ReadStream(name, out, false);
    if (n != data.size()) state.SkipWithError("short read");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.size());
}

void BM_Memcpy(benchmark::State& state) {
  const auto& data = GridLikeBytes();
  std::vector<uint8_t> out(data.size());
  for (auto _ : state) {
    std::memcpy(out.data(), data.data(), data.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed((int64_t)state.iterations() * (int64_t)data.size());
}

BENCHMARK(BM_PairRunWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PairRunRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

}  // namespace
