// Fuzz target of the network-file loader: arbitrary file bytes through LoadNetworkFile (header,
// every section reader, the trailer); a file that loads must save, load again and save the same
// bytes a second time (nothing read is lost or changed by a save and a load).
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "app/layer_hooks.h"
#include "core/langtext.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "fuzz_scratch.h"

static std::string gFolder;

static std::vector<char> ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

static void InitOnce() {
  if (!gFolder.empty()) return;
  gFolder = FuzzScratchFolder("netfile_fuzz");
  SetLayerHooks();  // as start-up: the switches' section and the window places take part
  if (StreamInit() || InitGrid() || InitLanguage()) abort();
  std::u16string folder(gFolder.begin(), gFolder.end());
  SetKindFolder(FILE_KIND_NETWORK, folder.c_str());
  ResetDocumentState();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  FuzzWriteFile(gFolder + "in.nt3", data, size);
  int r = LoadNetworkFile(u"in.nt3");
  if (StreamIsOpen()) abort();  // every path closes the file
  if (r == NETLOAD_OK) {
    SetNetworkName(u"out.nt3");
    if (WriteNetworkFile() != 0) abort();
    if (LoadNetworkFile(u"out.nt3") != NETLOAD_OK) abort();
    SetNetworkName(u"out2.nt3");
    if (WriteNetworkFile() != 0) abort();
    if (ReadAll(gFolder + "out.nt3") != ReadAll(gFolder + "out2.nt3")) abort();
  }
  return 0;  // the grid is left as it is: the next load clears it first
}
