// Benchmark of cell composition: every cell of a full-screen window (1920 x 1080) composed from
// a layout with typical track density (about a third of the cells track or element codes, the
// rest empty) and flushed into the window's drawing buffer; at zoom 1 (60 x 68 cells) and at
// zoom 8 (8 x 9 cells composed at zoom 2 and copied enlarged four times).
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>
#include "app/editwnd.h"
#include "app/entry.h"
#include "core/platform.h"
#include "core/random.h"
#include "core/stream.h"
#include "graphics/compose.h"
#include "graphics/flush.h"
#include "graphics/glyphfile.h"

namespace {
int LoadGlyphsOnce() {
  static int result = -1;
  if (result >= 0) return result;
  static unsigned char drawingDC;
  Entry.statusDC = &drawingDC;
  StreamInit();
  std::string dir = std::string(QUIL_DATA_DIR) + "/";
  std::u16string wide(dir.begin(), dir.end());
  SetKindFolder(FILE_KIND_PROGRAM, wide.c_str());
  result = LoadSymbolFile();
  return result;
}

// Codes of a layout: runs of straight and diagonal track of several kinds, switches, signals.
std::vector<uint32_t> Layout(int cols, int rows) {
  static const uint32_t kTrack[] = {0,         1,    2,    3,    48,       51,   24,
                                    27,        1024, 2050, 4096, 5120 + 2, 5632, 8192,
                                    12288 + 3, 440,  264,  136,  0x200,    12};
  std::vector<uint32_t> codes((size_t)cols * rows, 0xC000);
  RuntimeSrand(4711);
  for (uint32_t& c : codes)
    if (RuntimeRand() % 3 == 0) c = kTrack[RuntimeRand() % (sizeof kTrack / sizeof kTrack[0])];
  return codes;
}

void ComposeWindow(benchmark::State& state, int zoom) {
  if (LoadGlyphsOnce() != 0 && LoadGlyphsOnce() != 6) {
    state.SkipWithError("no glyph file");
    return;
  }
  const int W = 1920, H = 1080;
  int cw = 32 * zoom, ch = 16 * zoom;
  int cols = (W + cw - 1) / cw, rows = (H + ch - 1) / ch;
  std::vector<uint32_t> codes = Layout(cols, rows + 2);
  ResetEditWindows();
  LockRecord lock;
  std::memset(&lock, 0, sizeof lock);
  WrapInitializeCriticalSection(&lock);
  std::vector<uint32_t> buffer((size_t)W * H);
  EditViewSlot* s = GetEditSlot(0);
  s->window = (void*)1, s->lockB = &lock, s->drawBuffer = buffer.data();
  s->pixelWidth = W, s->pixelHeight = H, s->pixelCount = W * H, s->zoom = zoom;
  int composeZoom = zoom >= 2 ? 2 : 1;
  for (auto _ : state) {
    for (int y = 0; y < rows; y++)
      for (int x = 0; x < cols; x++) {
        uint32_t code = codes[(size_t)(y + 1) * cols + x];
        uint32_t above = codes[(size_t)y * cols + x], below = codes[(size_t)(y + 2) * cols + x];
        ComposeCellBase(code, 0, above, 0, below, 0, 0, 1000 + x, 1000 + y, 0, composeZoom);
        if (composeZoom == 1)
          FlushBuf1ToWindow(nullptr, x * cw, y * ch, 0, 0, 0);
        else
          FlushBuf2ToWindow(nullptr, x * cw, y * ch, 0, 0, 0);
      }
  }
  state.counters["cells"] = cols * rows;
  state.SetItemsProcessed((int64_t)state.iterations() * cols * rows);
  ResetEditWindows();
  WrapDeleteCriticalSection(&lock);
}

void BM_ComposeFullScreenZoom1(benchmark::State& state) { ComposeWindow(state, 1); }
void BM_ComposeFullScreenZoom8(benchmark::State& state) { ComposeWindow(state, 8); }
}  // namespace

BENCHMARK(BM_ComposeFullScreenZoom1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ComposeFullScreenZoom8)->Unit(benchmark::kMillisecond);
