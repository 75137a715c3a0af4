// Fuzz target of the network-file loader: arbitrary file bytes through LoadNetworkFile (header,
// every section reader, the trailer); a file that loads must save and load again.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include "core/langtext.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"

static std::string gFolder;

// A folder in memory (tmpfs) when the system has one: every input is a file written and read.
static std::filesystem::path ScratchRoot() {
  std::error_code e;
  if (std::filesystem::is_directory("/dev/shm", e)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// The scratch folder goes when the fuzzer ends (a memory folder outlives the process).
static void RemoveFolder() {
  std::error_code e;
  std::filesystem::remove_all(gFolder, e);
}

static void InitOnce() {
  if (!gFolder.empty()) return;
  gFolder = (ScratchRoot() / ("quil_netfile_fuzz_" + std::to_string((long)getpid()))).string() + "/";
  std::filesystem::create_directories(gFolder);
  atexit(RemoveFolder);
  if (StreamInit() || InitGrid() || InitLanguage()) abort();
  std::u16string folder(gFolder.begin(), gFolder.end());
  SetKindFolder(FILE_KIND_NETWORK, folder.c_str());
  ResetDocumentState();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InitOnce();
  FILE* f = fopen((gFolder + "in.nt3").c_str(), "wb");
  if (!f) abort();
  if (size) fwrite(data, 1, size, f);
  fclose(f);
  int r = LoadNetworkFile(u"in.nt3");
  if (StreamIsOpen()) abort();            // every path closes the file
  if (r == NETLOAD_OK) {
    SetNetworkName(u"out.nt3");
    if (WriteNetworkFile() != 0) abort();
    if (LoadNetworkFile(u"out.nt3") != NETLOAD_OK) abort();
  }
  return 0;   // the grid is left as it is: the next load clears it first
}
