// Writing the graphics section "ZG" (the viewer is built without it).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "graphics/graphics_section.h"

int WriteGraphicsSection() {
  int r = StreamWriteWord(0x475A);
  // The sets the network uses: the pending list until the vehicle-graphic library holds them.
  if (!r) r = StreamWriteDword(PendingSetCount);
  for (uint32_t i = 0; !r && i < PendingSetCount; i++) r = StreamWriteDword(PendingSetIds[i]);
  if (r) return r;
  if (!Background.present) return StreamWriteDword(0);
  if (!r) r = StreamWriteDword(1);
  if (!r) r = StreamWriteDword(Background.reserved);
  const int32_t v[4] = {Background.x, Background.y, Background.width, Background.height};
  for (int i = 0; !r && i < 4; i++) r = StreamWriteDword((uint32_t)v[i]);
  for (int i = 0; !r && i < BACKGROUND_NAME_UNITS - 1 && Background.name[i]; i++)
    r = StreamWriteWord(Background.name[i]);
  if (!r) r = StreamWriteWord(0);
  return r;
}
#endif
