// Fuzz target of the clipboard readers on what another program may have put there: text of either
// format without or with terminators, and bitmaps with any header; and the marked list copy of
// arbitrary lines. The native build's clipboard holds exactly the given bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include "core/clipboard.h"
#include "core/clipboard_seam.h"
#include "core/misc.h"
#include "core/platform.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const uint8_t mode = data[0];
  data++;
  size--;
  ClipSeamReset();
  UnicodeFlag = mode & 1;
  const uint32_t format = (mode & 6) == 0   ? WRAP_CF_UNICODETEXT
                          : (mode & 6) == 2 ? WRAP_CF_TEXT
                                            : WRAP_CF_DIB;
  ClipSeamPut(format, data, size);
  char16_t line[64];
  for (int n = 0; n < 4; n++) {
    int r = ReadClipboardLine(n * (mode >> 3), 1 + (mode >> 2) % 63, line);
    if (r < 0 || r > 3 || StringLength(line) > 62) __builtin_trap();
  }
  void* dib = nullptr;
  size_t bytes = 0;
  if (ReadClipboardDib(&dib, &bytes) == 0) {
    if (bytes > size || memcmp(dib, data, bytes) != 0) __builtin_trap();
    MemFree(dib);
  }
  // The bytes as a list of lines: zeros added so it ends, and so that a code opening a run at
  // its end still has its parameter units, as the program's lists have.
  std::vector<char16_t> list(size / 2 + 8, 0);
  memcpy(list.data(), data, size / 2 * 2);
  int r = CopyListToClipboard(list.data());
  if (r != 0 && r != 3) __builtin_trap();
  ClipSeamReset();
  UnicodeFlag = 1;
  return 0;
}
