// Readers of the empty forms of the sections whose element families are not built yet: the tag
// and zero counts of every file version; a section that holds records cannot be taken over.
#include "model/netfile_sections.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"

// A count that is u32 from countU32From and must be 0. Files below 13574 of the sections with
// oldRecordBytes > 1 count their records in bytes.
static int ReadZeroCount(int version, int countU32From, uint32_t oldRecordBytes = 1) {
  uint32_t count;
  int r = ReadVersionedCount(version, countU32From, &count);
  if (r) return r;
  if (version < 13574) count /= oldRecordBytes;
  return count == 0 ? 0 : NETSEC_FORMAT;
}

// Tag (u32 from 14389, else the u16 tag), then the zero count.
static int ReadEmpty(int version, uint32_t tag4, uint16_t tag2, int countU32From,
                     uint32_t oldRecordBytes = 1) {
  int r = ReadSectionTag(version, tag4, tag2);
  return r ? r : ReadZeroCount(version, countU32From, oldRecordBytes);
}

int ReadEmptyTrainsSection(int version) {
  return ReadEmpty(version, NetTag4('Z', 'U', 'G', 'D'), NetTag2('Z', 'U'), 14343);
}

int ReadEmptySwitchSection(int version) {
  return ReadEmpty(version, NetTag4('W', 'E', 'I', 'N'), NetTag2('W', 'E'), 14170);
}

int ReadEmptyRpSection(int version) {
  if (version < 14170) return 0;
  return ReadEmpty(version, NetTag4('R', 'N', 'G', 'P'), NetTag2('R', 'P'), 0);
}

int ReadEmptyDepotSection(int version) {
  int r = ReadSectionTag(version, NetTag4('D', 'E', 'P', 'O'), NetTag2('B', 'F'));
  if (r) return r;
  if (version < 13575) {
    uint16_t w;
    if ((r = StreamReadWord(&w))) return r;
    if (w != 99) return NETSEC_FORMAT;
  }
  if (version < 13569) {  // 99 fixed records of position and a 4-byte name
    for (int i = 0; i < 99; i++) {
      uint8_t name[4];
      if ((r = ReadBlockPosition(nullptr, nullptr, nullptr, version))) return r;
      uint32_t got = StreamReadBytes(name, 4);
      if (got == 0) return 2;
      if (got < 4) return 1;
      if (name[0] | name[1] | name[2] | name[3]) return NETSEC_FORMAT;
    }
    return 0;
  }
  return ReadZeroCount(version, 14389);
}

int ReadEmptyTpSection(int version) {
  return ReadEmpty(version, NetTag4('T', 'K', 'T', 'P'), NetTag2('E', 'P'), 14171);
}

int ReadEmptyDwxSection(int version) {
  if (version < 14171) return 0;
  return ReadEmpty(version, NetTag4('D', 'W', 'X', 'P'), NetTag2('L', 'W'), 0);
}

int ReadEmptySignalSection(int version) {
  int r;
  if (version >= 14390) {
    if ((r = ReadEmpty(version, NetTag4('S', 'I', 'G', 'S'), 0, 0))) return r;
    return ReadEmpty(version, NetTag4('S', 'I', 'G', 'E'), 0, 0);
  }
  uint16_t tag, unused;
  if ((r = StreamReadWord(&tag))) return r;
  if (tag != NetTag2('S', 'I')) return NETSEC_FORMAT;
  if ((r = StreamReadWord(&unused))) return r;
  return ReadZeroCount(version, 14346);
}

int ReadEmptyTextsSection(int version) {
  int r;
  if (version >= 14389) return ReadEmpty(version, NetTag4('Z', 'K', 'T', 'N'), 0, 0);
  if (version >= 13577) {
    if ((r = ReadEmpty(version, 0, NetTag2('Z', 'K'), 14162))) return r;
    uint16_t skipped;
    return StreamReadWord(&skipped);
  }
  // The oldest files: a table of 4000 label entries (a skipped byte and a first character; three
  // more characters when it is not 0).
  for (int i = 0; i < 4000; i++) {
    uint8_t b[2];
    uint32_t got = StreamReadBytes(b, 2);
    if (got < 2) return got == 0 ? 2 : 1;
    if (b[1]) return NETSEC_FORMAT;
  }
  return 0;
}

// The stops and the LFST elements: files below 13574 count their 6-byte records in bytes.
int ReadEmptyHstSection(int version) {
  return ReadEmpty(version, NetTag4('H', 'S', 'T', 'P'), NetTag2('H', 'S'), 14167, 6);
}

int ReadEmptyLfstSection(int version) {
  return ReadEmpty(version, NetTag4('L', 'F', 'S', 'T'), NetTag2('L', 'F'), 14337, 6);
}

int ReadEmptyLineSection(int version) {
  return ReadEmpty(version, NetTag4('L', 'I', 'N', 'D'), NetTag2('L', 'I'), 14389);
}

int ReadEmptyGraphicsSection(int version) {
  uint16_t tag;
  int r = StreamReadWord(&tag);
  if (r) return r;
  if (tag != 0x475A) return NETSEC_FORMAT;
  if ((r = ReadZeroCount(version, 14369))) return r;
  if (version >= 14393) {
    uint32_t flag;
    if ((r = StreamReadDword(&flag))) return r;
    if (flag != 0) return NETSEC_FORMAT;
  }
  return 0;
}

int ReadEmptyLogPointSection(int version) {
  int r = ReadEmpty(version, NetTag4('L', 'O', 'G', 'P'), NetTag2('Z', 'A'), 14389);
  if (r || version < 14164) return r;
  uint32_t zero;
  if ((r = StreamReadDword(&zero))) return r;
  return zero == 0 ? 0 : NETSEC_FORMAT;
}

int ReadEmptyPrellSection(int version) {
  if (version < 14166) return 0;
  return ReadEmpty(version, NetTag4('P', 'R', 'L', 'B'), NetTag2('P', 'B'), 0);
}

int ReadEmptyInfoSection(int version) {
  return ReadEmpty(version, NetTag4('I', 'N', 'F', 'O'), NetTag2('I', 'F'), 14389);
}
