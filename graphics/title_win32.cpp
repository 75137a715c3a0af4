// Drawing the held title picture into a device context.
#include "core/platform_ui.h"
#include "graphics/title.h"

int DrawTitleBitmap(void* dc, int left, int top, int areaHeight, int areaWidth) {
  if (!dc) return -1;
  if (!HeldTitle.pixels) return -2;
  if (areaWidth > HeldTitle.width) left += (areaWidth - HeldTitle.width) / 2;
  if (areaHeight > HeldTitle.height) top += (areaHeight - HeldTitle.height) / 2;
  WrapSetPixelsToDevice(dc, left, top, HeldTitle.width, HeldTitle.height, HeldTitle.pixels);
  return 0;
}
