// Reading the graphics section "ZG" and the network's graphic data.
#include "graphics/graphics_section.h"
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "model/netfile_sections.h"

BackgroundSettings Background = {};
uint32_t* PendingSetIds = nullptr;
uint32_t PendingSetCount = 0;

void FreeGraphicData() {
  Background.name[0] = 0;
  Background.present = 0;
  FreeVehicleGraphicLibrary();  // every set, and the cached look-up
  if (PendingSetIds) MemFree(PendingSetIds);
  PendingSetIds = nullptr;
  PendingSetCount = 0;
}

static void FreePendingSets() {
  if (PendingSetIds) MemFree(PendingSetIds);
  PendingSetIds = nullptr;
  PendingSetCount = 0;
}

int LoadListedVehicleGraphics(int version) {
  int last = 0, anyProgram = 0, anyUser = 0;
  if (version >= 14369)
    for (uint32_t i = 0; i < PendingSetCount; i++) {
      last = LoadVehicleGraphicSet(PendingSetIds[i], 0);
      if (last == 4) break;
      anyProgram |= last == 1;
      anyUser |= last == 2;
    }
  FreePendingSets();
  if (last == 4) return 3;
  return anyProgram ? 1 : anyUser ? 2 : 0;
}

static int LoadListedStep(const char16_t* name, int version) {
  (void)name;
  return LoadListedVehicleGraphics(version);
}

static int ReadCount(int wide, uint32_t* out) {
  if (wide) return StreamReadDword(out);
  uint16_t w;
  int r = StreamReadWord(&w);
  *out = w;
  return r;
}

int ReadGraphicsSection(int version) {
  FreeGraphicData();
  uint16_t tag;
  int r = StreamReadWord(&tag);
  if (r) return r;
  if (tag != 0x475A) return 3;
  int wide = version >= 14369;
  uint32_t count;
  if ((r = ReadCount(wide, &count))) return r;
  if (count > GRAPHICS_MAX_SETS) return 3;
  if (count) {
    uint32_t* ids = (uint32_t*)GraphicsAlloc(count * 4);
    if (!ids) {
      StreamCloseRead();
      return 4;
    }
    for (uint32_t i = 0; i < count; i++)
      if ((r = ReadCount(wide, &ids[i]))) {
        MemFree(ids);
        return r;
      }
    PendingSetIds = ids;
    PendingSetCount = count;
  }
  if (version < 14393) return 0;
  uint32_t flag, reserved, v[4];
  if ((r = StreamReadDword(&flag))) return r;
  if (flag == 0) return 0;
  if (flag != 1) return 3;
  if ((r = StreamReadDword(&reserved))) return r;
  for (int i = 0; i < 4; i++)
    if ((r = StreamReadDword(&v[i]))) return r;
  if ((int32_t)v[2] < 1 || (int32_t)v[3] < 1) return 3;
  int n = 0;
  for (; n < BACKGROUND_NAME_UNITS; n++) {
    uint16_t u;
    if ((r = StreamReadWord(&u))) return r;
    Background.name[n] = u;
    if (!u) break;
  }
  Background.name[BACKGROUND_NAME_UNITS - 1] = 0;
  Background.reserved = reserved;
  Background.x = (int32_t)v[0], Background.y = (int32_t)v[1];
  Background.width = (int32_t)v[2], Background.height = (int32_t)v[3];
  Background.present = 1;
  return 0;
}

void RegisterGraphicsSection() {
  for (NetSectionRow& row : NetSectionTable)
    if (row.name && row.name[0] == 'Z' && row.name[1] == 'G' && !row.name[2]) {
      row.read = ReadGraphicsSection;
#ifdef QUIL_VIEWER
      row.write = nullptr;
#else
      row.write = WriteGraphicsSection;
#endif
    }
  NetClearOrder[NET_CLEAR_COUNT - 1] = FreeGraphicData;
  for (NetPostLoadStep& step : NetPostLoadSteps)
    if (step.kind == NETPOST_GRAPHICS) step.run = LoadListedStep;
}
