// Fuzz target of the depot section reader ("DEPO"): the first byte picks a file version, the rest
// is the section as stored (uncompressed). A section that loads must hold only sound depots (ids
// 1..4000, 1..99 slots of distinct numbers, names within their lengths) and must save and load
// again to the same depots and slots.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/misc.h"
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "fuzz_scratch.h"

static std::string gIn8, gOut8;
static std::u16string gIn, gOut;

static const int kVersions[] = {13312, 13568, 13569, 13572, 13573, 13574, 13575, 14341,
                                14342, 14388, 14389, 14390, 14391, 14396, 14399, 14400};

static void InitOnce() {
  if (!gIn.empty()) return;
  std::string folder = FuzzScratchFolder("depot_section_fuzz");
  gIn8 = folder + "in";
  gOut8 = folder + "out";
  gIn = std::u16string(gIn8.begin(), gIn8.end());
  gOut = std::u16string(gOut8.begin(), gOut8.end());
  if (StreamInit() || InitGrid()) abort();
  InitDepots();
}

static int Load(const std::u16string& name, int version) {
  if (StreamOpenRead(name.c_str(), 0, 99) != 0) abort();
  int r = ReadDepotSection(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

// The store's rules hold; returns the total number of slots.
static int CheckStore() {
  int total = 0, depots = 0;
  for (const DepotRecord* r = DepotList; r; r = r->next, depots++) {
    if (r->id < 1 || r->id > DEPOT_MAX_ID) abort();
    if (r->slotCount < 1 || r->slotCount > DEPOT_MAX_SLOTS) abort();
    if (StringLength(r->name) > DEPOT_NAME_CHARS || StringLength(r->shortName) > DEPOT_SHORT_CHARS)
      abort();
    for (int i = 0; i < r->slotCount; i++) {
      if (r->slots[i].number < 1 || r->slots[i].number > DEPOT_MAX_SLOTS) abort();
      if (i && r->slots[i].number <= r->slots[i - 1].number) abort();
      if (!GridPositionValid(r->slots[i].x, r->slots[i].y, r->slots[i].level)) abort();
    }
    for (const DepotRecord* o = r->next; o; o = o->next)
      if (o->id == r->id) abort();
    total += r->slotCount;
  }
  if (depots != DepotCount) abort();
  return total;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  if (size < 1) return 0;
  int version = kVersions[data[0] % (sizeof kVersions / sizeof kVersions[0])];
  FuzzWriteFile(gIn8, data + 1, size - 1);
  if (Load(gIn, version) != 0) {
    if (DepotCount != 0) abort();  // a failed section leaves nothing behind
    return 0;
  }
  int total = CheckStore();
  int count = DepotCount;
  if (StreamOpenWrite(gOut.c_str(), 0, 99) != 0) abort();
  if (WriteDepotSection() != 0) abort();
  if (StreamCloseWrite() != 0) abort();
  if (Load(gOut, NET_VERSION_CURRENT) != 0) abort();
  if (DepotCount != count || CheckStore() != total) abort();
  FreeDepots();
  return 0;
}
