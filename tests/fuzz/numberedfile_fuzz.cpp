// Fuzz target of the numbered vehicle-graphic file readers (.uzz): the name reader and the text
// reader. The first byte chooses whether the input follows a valid magic and index pair or is
// the whole file after the leading text.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/vehicles.h"
#include "model/general_section.h"
#include "fuzz_scratch.h"

static std::string gFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit()) abort();
    gFolder = FuzzScratchFolder("numberedfile_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_NETWORK, wdir.c_str());
    CopyStringLimited(DocState.vehicleFiles[0], u"f.nfz", 8);
    SetNumberedFileReported(1);
  }
  if (size < 1) return 0;
  std::vector<uint8_t> file = {'n', 26};
  if (data[0] & 1) file.insert(file.end(), {0x5A, 0xC7, 0x47, 0x50, 0xC3, 2, 0, 0, 0, 0, 0});
  file.insert(file.end(), data + 1, data + size);
  FuzzWriteFile(gFolder + "f.uzz", file.data(), file.size());
  char16_t name[VG_NAME_UNITS];
  uint32_t number = 50000 + (data[0] >> 1) % 10;
  GetNumberedVehicleGraphicName(name, number);
  if (StreamIsOpen()) abort();
  if (name[0] && StringLength(name) > 32) abort();
  uint16_t attrs[VG_MAX_GRAPHICS];
  char16_t* texts = nullptr;
  int count = 0;
  int r = ReadNumberedVehicleGraphicTexts(VG_USER | ((number - 50000) << 4), attrs, &texts, &count);
  if (StreamIsOpen()) abort();
  if (r == 0) {
    if (!texts || count < 1 || count > VG_MAX_GRAPHICS) abort();
    const char16_t* t = texts;
    volatile uint32_t sum = 0;
    for (int i = 0; i < 5 * count + 1; i++) {
      int len = StringLength(t);
      sum = sum + (uint32_t)len;
      t += len + 1;
    }
    MemFree(texts);
  } else if (texts) {
    abort();
  }
  return 0;
}
