// Native build: font handles of our own (a copy of the setting and the scale), counted while live.
#include <cstdlib>
#include "graphics/fonts.h"
#include "graphics/fonts_platform.h"

struct NativeFont {
  FontSetting setting;
  int scale;
};
static int LiveFonts = 0;

void* FontPlatformCreate(const FontSetting* s, int scale) {
  NativeFont* f = (NativeFont*)malloc(sizeof(NativeFont));
  if (!f) return nullptr;
  f->setting = *s;
  f->setting.height *= scale;
  f->setting.width *= scale;
  f->scale = scale;
  LiveFonts++;
  return f;
}

void FontPlatformDelete(void* handle) {
  if (!handle) return;
  free(handle);
  LiveFonts--;
}

int32_t FontPlatformPointHeight(int points) {
  return -(points * 96 + 36) / 72;
}  // 96 dots per inch

int FontNativeLiveCount() { return LiveFonts; }

const FontSetting* FontNativeSetting(const void* handle) {
  return handle ? &((const NativeFont*)handle)->setting : nullptr;
}
