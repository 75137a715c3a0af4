// The drawing device context the program has once its main window exists: the cell-drawing
// objects are made on it when the glyph file loads. Linked into the tests that load and draw.
#ifdef _WIN32
#include <windows.h>
#endif
#include "app/entry.h"

namespace {
void* TestDrawingDC() {
#ifdef _WIN32
  return GetDC(nullptr);
#else
  static unsigned char token;
  return &token;
#endif
}
const int kDrawingDC = (Entry.statusDC = TestDrawingDC(), 0);
}  // namespace
