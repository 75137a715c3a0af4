// Reading the network-file section "LIND" of the line table in every file version, and the row of
// the section table that names the reader and writer.
#include <cstring>
#include "core/misc.h"
#include "core/platform.h"
#include "core/stream.h"
#include "elements/lines.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"

// A stored narrow name: bytes read into a name of at most LINE_NAME_CHARS characters without
// leading blanks. 0, 2 nothing read, 1 a short read.
static int ReadNarrowName(int bytes, char16_t* name) {
  char raw[LINE_NAME_CHARS + 1];
  uint32_t got = StreamReadBytes(raw, (uint32_t)bytes);
  if (got == 0) return 2;
  if (got < (uint32_t)bytes) return 1;
  raw[bytes] = 0;
  char16_t wide[LINE_NAME_CHARS * 2 + 1];
  MultiByteToWide(raw, wide, LINE_NAME_CHARS * 2 + 1);
  StripLeadingBlanks(wide);
  CopyStringLimited(name, wide, LINE_NAME_CHARS + 1);
  return 0;
}

int LoadLineSection(int version) {
  ClearLineTable();
  if (!InitLineTable()) return NETSEC_MEMORY;
  int r = ReadSectionTag(version, NetTag4('L', 'I', 'N', 'D'), NetTag2('L', 'I'));
  if (r) return r;
  uint32_t count;
  if ((r = ReadVersionedCount(version, 14389, &count))) return r;
  if (count > (uint32_t)LINE_TABLE_MAX) return NETSEC_FORMAT;
  for (uint32_t n = 0; n < count; n++) {
    char16_t name[LINE_NAME_CHARS + 1];
    uint32_t id;
    if (version >= 14389) {
      int k = 0;
      for (;; k++) {
        if (k > LINE_NAME_CHARS) return NETSEC_FORMAT;  // no end within 9 units
        uint16_t unit;
        if ((r = StreamReadWord(&unit))) return r;
        if (unit == 0) break;
        name[k] = (char16_t)unit;
      }
      name[k] = 0;
      if ((r = StreamReadDword(&id))) return r;
    } else {
      if (version >= 13573) {  // eight bytes that are not used
        uint8_t unused[8];
        uint32_t got = StreamReadBytes(unused, 8);
        if (got < 8) return got == 0 ? 2 : 1;
      }
      if ((r = ReadNarrowName(version >= 13573 ? 8 : 6, name))) return r;
      uint16_t w;
      if ((r = StreamReadWord(&w))) return r;
      id = w;
    }
    if (AppendLoadedLine(id, name)) return NETSEC_FORMAT;  // id outside 1..4005 or read twice
    if (version < 14393) continue;
    uint32_t length;
    if ((r = StreamReadDword(&length))) return r;
    if (length > (uint32_t)LINE_DESC_MAX) return NETSEC_FORMAT;
    if (length == 0) continue;
    char16_t* text = (char16_t*)MemAlloc(length * sizeof(char16_t));
    if (!text) return NETSEC_MEMORY;
    uint32_t got = StreamReadBytes(text, length * 2);
    if (got < length * 2) {
      MemFree(text);
      return 1;
    }
    for (uint32_t i = 0; i < length; i++) {  // the file holds little-endian units
      const uint8_t* b = (const uint8_t*)&text[i];
      text[i] = (char16_t)(b[0] | b[1] << 8);
    }
    text[length - 1] = 0;  // a description not ending in 0 is ended there
    AdoptLineDescription((int)n, text, length);
  }
  return 0;
}

void RegisterLineSection() {
  for (NetSectionRow& row : NetSectionTable)
    if (row.name && std::strcmp(row.name, "LIND") == 0) {
      row.read = LoadLineSection;
#ifdef QUIL_VIEWER
      row.write = nullptr;
#else
      row.write = SaveLineSection;
#endif
    }
}
