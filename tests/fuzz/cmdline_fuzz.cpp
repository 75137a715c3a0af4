// Fuzz target of the command-line parser: any text (UTF-16 units from the input bytes) is parsed
// without reading or writing past its buffers; every result buffer stays terminated.
#include "app/cmdline.h"
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

static void CheckTerminated(const char16_t* s) {
  for (int i = 0; i < CMDL_PATH_CHARS; i++)
    if (!s[i]) return;
  abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char16_t> text(size / 2 + 1);
  std::memcpy(text.data(), data, size / 2 * 2);
  text[size / 2] = 0;
  CommandLineArgs a;
  uint32_t f = ParseCommandLineText(text.data(), &a);
  CheckTerminated(a.programPath);
  CheckTerminated(a.networkFile);
  CheckTerminated(a.optionFile);
  if (f & ~0x1DFu) abort();
  if ((f & CMDL_ZOOM) && a.firstZoom != 1 && a.firstZoom != 2) abort();
  if ((f & CMDL_TITLE_NUMBER) && a.titleNumber < 0) abort();
  if (a.language < -1 || a.language > 5) abort();
  if ((f & CMDL_FILE) && !(f & CMDL_NO_DEMO)) abort();
  return 0;
}
