// Writing the graphics section "ZG" (the viewer is built without it).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "graphics/graphics_section.h"
#include "graphics/vehicles.h"

int WriteGraphicsSection() {
  int r = StreamWriteWord(0x475A);
  // The sets of the vehicle-graphic library, in library order.
  uint32_t count = 0;
  for (VehicleGraphicSet* s = GetVehicleGraphicLibrary(); s; s = s->next) count++;
  if (!r) r = StreamWriteDword(count);
  for (VehicleGraphicSet* s = GetVehicleGraphicLibrary(); !r && s; s = s->next)
    r = StreamWriteDword(s->id);
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
