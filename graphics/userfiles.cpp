// Neutral stand-in of the user graphic-file lists until they are built: no page has a file of
// its own, every user symbol comes from the glyph file's default pages.
#include "graphics/userfiles.h"

int GetSymbolFileName(int n, char16_t* name) {
  if (n < 1 || n > 100) return 1;
  if (name) name[0] = 0;
  return 0;
}
