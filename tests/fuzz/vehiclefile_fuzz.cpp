// Fuzz target of the vehicle-graphic file readers: the set reader (current records of "quil.fzg"
// and of user files, older records), browsing and the translation of old codes. The first byte
// chooses the form; the rest is the record after a valid header and index (or, for form 5 and
// up, the whole file after the leading text), so mutations reach the record fields.
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

static void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back((uint8_t)v);
  b.push_back((uint8_t)(v >> 8));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit()) abort();
    gFolder = FuzzScratchFolder("vehiclefile_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str());
    SetKindFolder(FILE_KIND_NETWORK, wdir.c_str());
    CopyStringLimited(DocState.vehicleFiles[0], u"f.nfz", 8);
    SetNumberedFileReported(1);
  }
  if (size < 1) return 0;
  int form = data[0] % 6;
  std::vector<uint8_t> file = {'v', 26};
  // header: magic and version
  static const uint16_t versions[5] = {0x3830, 0x3830, 0x3509, 0x3400, 0x3506};
  uint16_t key = 0;
  if (form < 5) {
    if (versions[form] == 0x3400) {
      file.insert(file.end(), {0x46, 0xDA, 0x47});
    } else {
      file.insert(file.end(), {0x46, 0x5A, 0xC7});
      file.push_back((uint8_t)(versions[form] >> 8));
      file.push_back((uint8_t)versions[form]);
    }
    key = form == 0 ? 40321 : form == 1 ? 4000 : 64000;
    Put16(file, key);  // one index pair, the record right after the end pair
    Put16(file, 6), Put16(file, 0);
    Put16(file, 0), Put16(file, 0), Put16(file, 0);
    Put16(file, key);
  }
  file.insert(file.end(), data + 1, data + size);
  FuzzWriteFile(gFolder + (form == 0 ? "quil.fzg" : "f.nfz"), file.data(), file.size());
  uint32_t code = form == 0 ? 40321u << 4 : VG_USER;
  int r = ReadVehicleGraphicSet(code, 0);
  if (StreamIsOpen()) abort();  // every path closes the file
  if (r == 0) {
    const VehicleGraphicSet* s = FindVehicleGraphicSet(code);
    if (!s || s->count < 1 || s->count > 16) abort();
    volatile uint32_t sum = 0;
    for (int i = 0; i < s->count; i++) {
      const VehicleGraphicEntry& e = s->entries[i];
      uint32_t words = VehicleBlockWords(e.length, e.e1, e.e2, e.e3, e.flags & VG_ENDS34);
      for (uint32_t k = 0; k < words; k++) sum = sum + e.pixels[k];
      const char16_t* texts[5];
      DescribeVehicleGraphicEntry(code | e.slot, texts);
      for (const char16_t* t : texts) sum = sum + (uint32_t)StringLength(t);
    }
    char16_t name[VG_NAME_UNITS];
    DescribeVehicleGraphic(code, nullptr, nullptr, name);
  }
  FreeVehicleGraphicLibrary();
  uint32_t browse = 0, next = 0;
  char16_t name[VG_NAME_UNITS];
  FindVehicleGraphicSetInFile(&browse, name, 0xFFFFFFFFu, &next, form == 0 ? 0 : 1);
  if (StreamIsOpen()) abort();
  if (form == 0) ConvertOldVehicleCode(40321u << 4 | 3);
  if (StreamIsOpen()) abort();
  return 0;
}
