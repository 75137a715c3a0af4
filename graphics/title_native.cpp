// The title picture in the native build: nothing is drawn, the results are the platform's.
#include "graphics/title.h"

int DrawTitleBitmap(void* dc, int left, int top, int areaHeight, int areaWidth) {
  if (!dc) return -1;
  if (!HeldTitle.pixels) return -2;
  return 0;
}
