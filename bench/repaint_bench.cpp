// Benchmark of a full repaint of a 1920 x 1080 edit window (symbol view) at each zoom step: every
// visible cell walked down its levels, composed with its neighbours and written into the
// window's drawing buffer, on a layout with typical track density (about a third of the cells
// track or element codes).
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
#include "graphics/glyphfile.h"
#include "model/grid.h"
#include "views/view_services.h"

namespace {
int LoadGlyphsOnce() {
  static int result = -1;
  if (result >= 0) return result;
  static unsigned char drawingDC;
  Entry.statusDC = &drawingDC;
  StreamInit();
  InitGrid();
  std::string dir = std::string(QUIL_DATA_DIR) + "/";
  std::u16string wide(dir.begin(), dir.end());
  SetKindFolder(FILE_KIND_PROGRAM, wide.c_str());
  result = LoadSymbolFile();
  // The layout: 200 x 200 cells from (1000, 1000).
  static const uint32_t kTrack[] = {0,         1,    2,    3,    48,       51,   24,
                                    27,        1024, 2050, 4096, 5120 + 2, 5632, 8192,
                                    12288 + 3, 440,  264,  136,  0x200,    12};
  RuntimeSrand(4711);
  for (int y = 1000; y < 1200; y++)
    for (int x = 1000; x < 1200; x++)
      if (RuntimeRand() % 3 == 0)
        SetCell(x, y, 0, kTrack[RuntimeRand() % (sizeof kTrack / sizeof kTrack[0])]);
  return result;
}

void RepaintWindow(benchmark::State& state, int zoom) {
  if (LoadGlyphsOnce() != 0 && LoadGlyphsOnce() != 6) {
    state.SkipWithError("no glyph file");
    return;
  }
  const int W = 1920, H = 1080;
  ResetEditWindows();
  LockRecord locks[2];
  std::memset(locks, 0, sizeof locks);
  WrapInitializeCriticalSection(&locks[0]);
  WrapInitializeCriticalSection(&locks[1]);
  std::vector<uint32_t> buffer((size_t)W * H);
  EditViewSlot* s = GetEditSlot(0);
  s->window = (void*)1, s->lockA = &locks[0], s->lockB = &locks[1];
  s->drawBuffer = buffer.data(), s->pixelWidth = W, s->pixelHeight = H, s->pixelCount = W * H;
  s->viewMode = VIEW_SYMBOLS, s->zoom = zoom, s->cursorLevel = 0;
  s->originX = s->originY = 1010, s->fineX = s->fineY = 0;
  s->cellsWide = (W / zoom + 31) / 32, s->cellsHigh = (H / zoom + 15) / 16;
  s->farX = s->originX + s->cellsWide, s->farY = s->originY + s->cellsHigh;
  for (auto _ : state) PaintWindowRect(GetDrawingDC(0), 0, 0, 0, W - 1, H - 1);
  state.counters["cells"] = s->cellsWide * s->cellsHigh;
  s->window = nullptr, s->drawBuffer = nullptr, s->lockA = s->lockB = nullptr;
  ResetEditWindows();
  WrapDeleteCriticalSection(&locks[0]);
  WrapDeleteCriticalSection(&locks[1]);
}
}  // namespace

BENCHMARK_CAPTURE(RepaintWindow, zoom1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWindow, zoom2, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWindow, zoom4, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWindow, zoom6, 6)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RepaintWindow, zoom8, 8)->Unit(benchmark::kMillisecond);
