// Fuzz target of the line table's section reader ("LIND"): the first byte picks a file version, the
// rest is the section as stored (uncompressed). A section that loads must save and load again to
// the same lines.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/misc.h"
#include "core/stream.h"
#include "elements/lines.h"
#include "model/netfile.h"
#include "fuzz_scratch.h"

static std::string gIn8, gOut8;
static std::u16string gIn, gOut;

static const int kVersions[] = {13312, 13572, 13573, 14388, 14389, 14392, 14393, 14400};

static void InitOnce() {
  if (!gIn.empty()) return;
  std::string folder = FuzzScratchFolder("lines_section_fuzz");
  gIn8 = folder + "in";
  gOut8 = folder + "out";
  gIn = std::u16string(gIn8.begin(), gIn8.end());
  gOut = std::u16string(gOut8.begin(), gOut8.end());
  if (StreamInit() || !InitLineTable()) abort();
}

static int Load(const std::u16string& name, int version) {
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) abort();
  int r = LoadLineSection(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  if (size < 1) return 0;
  int version = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
  FuzzWriteFile(gIn8, data + 1, size - 1);
  int r = Load(gIn, version);
  // Whatever was kept is a sound table: ids in range and unique, names and descriptions ended.
  for (int i = 0; i < LineCount(); i++) {
    const LineRecord* l = LineAt(i);
    if (l->id < 1 || l->id > LINE_ID_MAX || LineIdToIndex(l->id) != i) abort();
    if (StringLength(l->name) > LINE_NAME_CHARS) abort();
    if (l->descLength > (uint32_t)LINE_DESC_MAX) abort();
    if (l->descLength && l->description[l->descLength - 1] != 0) abort();
  }
  if (r != 0) return 0;
  int count = LineCount();
  if (StreamOpenWrite(gOut.c_str(), 0, 99) != 0) abort();
  if (SaveLineSection() != 0) abort();
  if (StreamCloseWrite() != 0) abort();
  if (Load(gOut, NET_VERSION_CURRENT) != 0) abort();
  if (LineCount() != count) abort();
  return 0;
}
