// Fuzz target of the user symbol-file (.uzg) reader: the input is read as a page file; a
// faulty file falls back to the glyph file's default page, which is missing here.
#include <cstdint>
#include <cstdlib>
#include <string>
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"
#include "fuzz_scratch.h"

static std::string gFolder;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (gFolder.empty()) {
    if (StreamInit()) abort();
    gFolder = FuzzScratchFolder("uzg_fuzz");
    std::u16string wdir(gFolder.begin(), gFolder.end());
    SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str());
    SetKindFolder(FILE_KIND_NETWORK, wdir.c_str());
    GlyphStore = (uint32_t*)MemAlloc(GLYPH_STORE_BYTES);
    if (!GlyphStore || BuildSymbolTable()) abort();
  }
  if (size < 1) return 0;
  int page = data[0] % 100;
  FuzzWriteFile(gFolder + "page.uzg", data + 1, size - 1);
  LoadUserSymbolFile(page, u"page.uzg");
  const SymbolEntry* e = GetSymbolEntry(SYMBOL_USER_FIRST + 36 * page);
  for (int i = 0; i < e->count; i++) (void)e->parts[i].source;
  return 0;
}
