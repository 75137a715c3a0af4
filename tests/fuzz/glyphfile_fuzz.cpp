// Fuzz target of the glyph-file reader: the input is the whole "quil.gzg" (a leading byte 26
// is added when the input has none, so the blocks are reached).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "app/entry.h"
#include "core/stream.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"
#include "fuzz_scratch.h"

static std::string gFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit()) abort();
    static unsigned char drawingDC;  // the main window's device context of the program
    Entry.statusDC = &drawingDC;
    gFolder = FuzzScratchFolder("glyphfile_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str());
  }
  std::vector<uint8_t> bytes;
  bytes.push_back(26);
  bytes.insert(bytes.end(), data, data + size);
  FuzzWriteFile(gFolder + "quil.gzg", bytes.data(), bytes.size());
  if (LoadSymbolFile() == 0) {
    for (int slot = 0; slot < SYMBOL_SLOT_COUNT; slot += 97) (void)GetSymbolEntry(slot)->count;
  }
  FreeSymbolGraphics();
  return 0;
}
