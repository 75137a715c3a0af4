// Fuzz target of the trains' section reader ("ZUGD"): the first byte picks a file version, the rest
// is the section as stored (uncompressed). Track stands on a few rows so that trains reach the
// grid. A section that loads must save, load again (into the grid it left) to the same number of
// trains and save again to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "fuzz_scratch.h"

static std::string gIn8, gOut8, gOut28;
static std::u16string gIn, gOut, gOut2;

static const int kVersions[] = {13312, 13568, 13572, 13573, 13574, 13575, 13576, 13577,
                                14160, 14162, 14171, 14339, 14341, 14342, 14343, 14389,
                                14390, 14394, 14396, 14397, 14398, 14400};

static void InitOnce() {
  if (!gIn.empty()) return;
  std::string folder = FuzzScratchFolder("train_section_fuzz");
  gIn8 = folder + "in";
  gOut8 = folder + "out";
  gOut28 = folder + "out2";
  gIn = std::u16string(gIn8.begin(), gIn8.end());
  gOut = std::u16string(gOut8.begin(), gOut8.end());
  gOut2 = std::u16string(gOut28.begin(), gOut28.end());
  if (StreamInit() || InitGrid()) abort();
}

// Track on rows 28..32, x 0..63, a class-C ramp foot and a class-B cell among them.
static void DrawTrack() {
  ClearGrid();
  for (int y = 28; y <= 32; y++)
    for (int x = 0; x < 64; x++) SetCell(x, y, 0, 0);
  SetCell(40, 30, 0, 184);
  SetCell(41, 30, 0, 216);
  SetCell(40, 30, -1, 0);
}

// The grid as the loaded trains found it (the codes under them back in their cells), as the
// program's own file keeps it beside the trains.
static void LiftTrains() {
  for (TrainRecord* t = GetFirstTrain(); t; t = t->next) {
    if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) continue;
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++)
      if (p[i].codeUnder != 65535 && p[i].cell) *p[i].cell = p[i].codeUnder;
  }
  ResetTrains();
}

static int Load(const std::u16string& name, int version) {
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) abort();
  int r = LoadTrainsSection(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

static void Save(const std::u16string& name) {
  if (StreamOpenWrite(name.c_str(), 0, 99) != 0) abort();
  if (SaveTrainsSection() != 0) abort();
  if (StreamCloseWrite() != 0) abort();
}

static std::vector<uint8_t> Bytes(const std::string& path) {
  std::vector<uint8_t> out;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) abort();
  int c;
  while ((c = fgetc(f)) != EOF) out.push_back((uint8_t)c);
  fclose(f);
  return out;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  if (size < 1) return 0;
  int version = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
  DrawTrack();
  FuzzWriteFile(gIn8, data + 1, size - 1);
  int r = Load(gIn, version);
  if (r > 0) {
    ResetTrains();
    return 0;
  }
  RefreshTrainCellCodes(1);
  int count = GetTrainCount();
  Save(gOut);
  LiftTrains();
  if (Load(gOut, NET_VERSION_CURRENT) > 0) abort();
  if (GetTrainCount() != count) abort();
  RefreshTrainCellCodes(1);
  Save(gOut2);
  if (Bytes(gOut8) != Bytes(gOut28)) abort();
  ResetTrains();
  return 0;
}
