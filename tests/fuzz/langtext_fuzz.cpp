// Fuzz target of the language-text loader: the input is written as a language file (or the
// character-order file) and loaded; every loaded id is then looked up.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/langtext.h"
#include "core/stream.h"
#include "fuzz_scratch.h"

static std::string gFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit() || InitLanguage()) abort();
    gFolder = FuzzScratchFolder("langtext_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str());
  }
  const std::string& dir = gFolder;
  if (size < 1) return 0;
  int mode = data[0] % 3;
  FuzzWriteFile(dir + (mode == 2 ? "quil.lnx" : "langtext_fuzz.lng"), data + 1, size - 1);
  if (mode == 2) {
    if (LoadCollationFile() == 0)
      for (uint32_t c = 0; c < 0x200; c++) MapCollationKey((char16_t)c, c & 1);
    return 0;
  }
  if (LoadLanguageFile(u"langtext_fuzz.lng", mode) == 0) {
    uint32_t first = mode ? 1 : 40000;
    for (uint32_t id = first; id < first + 300; id++) {
      const char16_t* t = GetLangText(id);
      uint32_t length = GetLangTextLength(id);
      for (uint32_t i = 0; length && i < length; i++) (void)t[i];
      GetLangTextA(id);
    }
  }
  return 0;
}
