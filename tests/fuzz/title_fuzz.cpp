// Fuzz target of the title-picture reader: the input's first four bytes choose the picture,
// the rest is "quil.tbd".
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include "core/stream.h"
#include "graphics/title.h"
#include "fuzz_scratch.h"

static std::string gFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit()) abort();
    gFolder = FuzzScratchFolder("title_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str());
  }
  if (size < 4) return 0;
  uint32_t choice;
  memcpy(&choice, data, 4);
  FuzzWriteFile(gFolder + "quil.tbd", data + 4, size - 4);
  int r = LoadTitleBitmap(choice);
  if (r >= 0) {
    if (!HeldTitle.pixels) abort();
    volatile uint32_t sum = 0;
    for (int i = 0; i < HeldTitle.width * HeldTitle.height; i++) sum = sum + HeldTitle.pixels[i];
  }
  FreeTitleBitmap();
  return 0;
}
