// Reading the network-file section "DEPO" of the depots in every file version, and its place in
// the section table (the writer is in depots_write.cpp).
#include <cstring>
#include "core/misc.h"
#include "core/platform.h"
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"

// A UTF-16 name of at most `units` units ending at a 0 unit (3 when the 0 does not come), cut to
// units - 1 characters, leading blanks removed.
static int ReadUnitName(char16_t* out, int units) {
  char16_t text[DEPOT_NAME_CHARS + 1];
  for (int i = 0;; i++) {
    if (i == units) return NETSEC_FORMAT;
    uint16_t u;
    int r = StreamReadWord(&u);
    if (r) return r;
    text[i] = (char16_t)u;
    if (u == 0) break;
  }
  StripLeadingBlanks(text);
  CopyString(out, text);
  return 0;
}

// Flags of depots in 14389 and 14390: bit 15 stood for the bits 1, 2 and 3 of later files.
static uint32_t OldDepotFlags(uint32_t f, int version) {
  return version < 14391 && (f & 0x8000) ? f | 14 : f;
}

static int ReadSlotPosition(DepotSlot* s, int version) {
  int r = ReadBlockPosition(&s->x, &s->y, &s->level, version);
  if (r) return r;
  return GridPositionValid(s->x, s->y, s->level) ? 0 : NETSEC_FORMAT;
}

// From 14389: one record per depot with all of its slots.
static int ReadDepots(int version, uint32_t count) {
  static uint8_t seen[DEPOT_MAX_ID + 1];
  FillMem(seen, 0, sizeof seen);
  for (uint32_t n = 0; n < count; n++) {
    DepotRecord d = {};
    uint32_t id, slots, depotFlags = 0;
    int r = StreamReadDword(&id);
    if (r) return r;
    if (id < 1 || id > DEPOT_MAX_ID || seen[id]) return NETSEC_FORMAT;
    seen[id] = 1;
    d.id = (int32_t)id;
    if ((r = ReadUnitName(d.name, DEPOT_NAME_CHARS + 1))) return r;
    if ((r = ReadUnitName(d.shortName, DEPOT_SHORT_CHARS + 1))) return r;
    if ((r = StreamReadDword(&slots))) return r;
    if (slots > DEPOT_MAX_SLOTS) return NETSEC_FORMAT;
    if (version <= 14390) {
      if ((r = StreamReadDword(&depotFlags))) return r;
      depotFlags = OldDepotFlags(depotFlags, version);
    }
    uint8_t numbers[DEPOT_MAX_SLOTS + 1] = {};
    for (uint32_t k = 0; k < slots; k++) {
      DepotSlot s = {};
      uint32_t number;
      if ((r = ReadSlotPosition(&s, version))) return r;
      if ((r = StreamReadDword(&number))) return r;
      if (number < 1 || number > DEPOT_MAX_SLOTS || numbers[number]) return NETSEC_FORMAT;
      numbers[number] = 1;
      s.number = (int32_t)number;
      if ((r = StreamReadDword(&s.direction)) || (r = StreamReadDword(&s.signalSystem)) ||
          (r = StreamReadDword(&s.timeMs)))
        return r;
      if (version >= 14390) {
        if ((r = StreamReadDword(&s.flags))) return r;
        if (version == 14390) s.flags |= depotFlags;
      } else {
        s.flags = depotFlags;
      }
      if (AddDepotSlot(&d, &s)) return 4;
    }
  }
  return 0;
}

// 13569..14388: one record per slot, each slot 1 of its depot.
static int ReadSlotRecords(int version, uint32_t count) {
  for (uint32_t n = 0; n < count; n++) {
    DepotRecord d = {};
    DepotSlot s = {};
    int r = ReadSlotPosition(&s, version);
    if (r) return r;
    if (version >= 13573) {
      uint8_t skip[8];
      uint32_t got = StreamReadBytes(skip, 8);
      if (got < 8) return got == 0 ? 2 : 1;
    }
    char ansi[9] = {};
    uint32_t got = StreamReadBytes(ansi, 8);
    if (got == 0) return 2;
    if (got < 8) return 1;
    MultiByteToWide(ansi, d.name, DEPOT_NAME_CHARS + 1);
    StripLeadingBlanks(d.name);
    uint16_t id, a, b;
    if ((r = StreamReadWord(&id)) || (r = StreamReadWord(&a))) return r;
    uint32_t depotFlags;
    if (version < 13575) {
      s.direction = a & 0xFF;
      depotFlags = a & 0xFF00;
    } else {
      if ((r = StreamReadWord(&b))) return r;
      s.direction = a;
      depotFlags = b & 0xFF00;
    }
    s.flags = OldDepotFlags(depotFlags, version);
    s.number = 1;
    if (version >= 13573) {
      uint16_t system, seconds, unused;
      if ((r = StreamReadWord(&system)) || (r = StreamReadWord(&seconds)) ||
          (r = StreamReadWord(&unused)))
        return r;
      s.signalSystem = system;
      s.timeMs = seconds == 400 ? 0 : (uint32_t)seconds * 1000;
    }
    // Every record is slot 1 of its depot: an id outside the store's range, or one that came
    // before (a second slot 1), cannot be taken over.
    if (id < 1 || id > DEPOT_MAX_ID || FindDepotById(id, 0, nullptr)) return NETSEC_FORMAT;
    d.id = id;
    if (AddDepotSlot(&d, &s)) return 4;
  }
  return 0;
}

// Below 13569: 99 fixed records of a position and a 4-byte name; a named record is depot
// record number + 1 with slot 1 leaving in direction 2.
static int ReadFixedRecords(int version) {
  for (int n = 0; n < DEPOT_MAX_SLOTS; n++) {
    DepotSlot s = {};
    int r = ReadBlockPosition(&s.x, &s.y, &s.level, version);
    if (r) return r;
    char ansi[5] = {};
    uint32_t got = StreamReadBytes(ansi, 4);
    if (got == 0) return 2;
    if (got < 4) return 1;
    if (!(ansi[0] | ansi[1] | ansi[2] | ansi[3])) continue;
    if (!GridPositionValid(s.x, s.y, s.level)) return NETSEC_FORMAT;
    DepotRecord d = {};
    d.id = n + 1;
    MultiByteToWide(ansi, d.name, DEPOT_NAME_CHARS + 1);
    StripLeadingBlanks(d.name);
    s.number = 1;
    s.direction = 2;
    if (AddDepotSlot(&d, &s)) return 4;
  }
  return 0;
}

int ReadDepotSection(int version) {
  FreeDepots();
  int r = ReadSectionTag(version, NetTag4('D', 'E', 'P', 'O'), NetTag2('B', 'F'));
  if (r) return r;
  if (version < 13575) {
    uint16_t w;
    if ((r = StreamReadWord(&w))) return r;
    if (w != 99) return NETSEC_FORMAT;
  }
  if (version < 13569) {
    r = ReadFixedRecords(version);
  } else {
    uint32_t count;
    if ((r = ReadVersionedCount(version, 14389, &count))) return r;
    if (count > (version >= 14342 ? (uint32_t)DEPOT_MAX_ID : 250u)) return NETSEC_FORMAT;
    r = version >= 14389 ? ReadDepots(version, count) : ReadSlotRecords(version, count);
  }
  if (r) {
    FreeDepots();  // nothing of a section that could not be read stays
    return r;
  }
  if (version < 14389) RebuildDepotShortNames();
  return 0;
}

void RegisterDepotSection() {
  for (NetSectionRow& row : NetSectionTable)
    if (row.name && std::strcmp(row.name, "DEPO") == 0) {
      row.read = ReadDepotSection;
#ifdef QUIL_VIEWER
      row.write = nullptr;
#else
      row.write = WriteDepotSection;
#endif
    }
}
