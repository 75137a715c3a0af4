// Fuzz target of the switch section reader ("WEIN"): the first byte picks a file version, the rest
// is the section as stored (uncompressed). Switch symbols stand on a few cells so that records are
// created. A section that loads must save and load again to the same records.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "signalling/switch_control.h"
#include "fuzz_scratch.h"

static std::string gIn8, gOut8;
static std::u16string gIn, gOut;

static const int kVersions[] = {13312, 13569, 13570, 13571, 14169, 14170, 14336, 14337,
                                14343, 14344, 14388, 14389, 14390, 14396, 14399, 14400};

static void InitOnce() {
  if (!gIn.empty()) return;
  std::string folder = FuzzScratchFolder("switch_section_fuzz");
  gIn8 = folder + "in";
  gOut8 = folder + "out";
  gIn = std::u16string(gIn8.begin(), gIn8.end());
  gOut = std::u16string(gOut8.begin(), gOut8.end());
  if (StreamInit() || InitGrid()) abort();
  InitSwitches();
  // Switch symbols of every class at (x, 0..4, 0) for x = 0..3, level 0.
  const uint32_t codes[] = {48, 72, 16, 12, 90, 480};
  for (int x = 0; x < 4; x++)
    for (int y = 0; y < 6; y++) SetCell(x, y, 0, codes[(x + y) % 6]);
}

static int Load(const std::u16string& name, int version) {
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) abort();
  int r = LoadSwitches(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  if (size < 1) return 0;
  int version = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
  FuzzWriteFile(gIn8, data + 1, size - 1);
  if (Load(gIn, version) != 0) {
    ClearSwitches();
    return 0;
  }
  int count = SwitchStore.count;
  if (StreamOpenWrite(gOut.c_str(), 0, 99) != 0) abort();
  if (SaveSwitches() != 0) abort();
  if (StreamCloseWrite() != 0) abort();
  if (Load(gOut, NET_VERSION_CURRENT) != 0) abort();
  if (SwitchStore.count != count) abort();
  ClearSwitches();
  return 0;
}
