// Writers of the empty forms of the sections whose element families are not built yet (the
// viewer is built without them).
#ifndef QUIL_VIEWER
#include "model/netfile_sections.h"
#include "core/stream.h"
#include "model/netfile.h"

static int WriteEmpty(uint32_t tag) {
  int r = StreamWriteDword(tag);
  if (!r) r = StreamWriteDword(0);
  return r;
}

int WriteEmptyTrainsSection() { return WriteEmpty(NetTag4('Z', 'U', 'G', 'D')); }
int WriteEmptySwitchSection() { return WriteEmpty(NetTag4('W', 'E', 'I', 'N')); }
int WriteEmptyRpSection() { return WriteEmpty(NetTag4('R', 'N', 'G', 'P')); }
int WriteEmptyDepotSection() { return WriteEmpty(NetTag4('D', 'E', 'P', 'O')); }
int WriteEmptyTpSection() { return WriteEmpty(NetTag4('T', 'K', 'T', 'P')); }
int WriteEmptyDwxSection() { return WriteEmpty(NetTag4('D', 'W', 'X', 'P')); }
int WriteEmptyTextsSection() { return WriteEmpty(NetTag4('Z', 'K', 'T', 'N')); }
int WriteEmptyHstSection() { return WriteEmpty(NetTag4('H', 'S', 'T', 'P')); }
int WriteEmptyLfstSection() { return WriteEmpty(NetTag4('L', 'F', 'S', 'T')); }
int WriteEmptyLineSection() { return WriteEmpty(NetTag4('L', 'I', 'N', 'D')); }
int WriteEmptyPrellSection() { return WriteEmpty(NetTag4('P', 'R', 'L', 'B')); }
int WriteEmptyInfoSection() { return WriteEmpty(NetTag4('I', 'N', 'F', 'O')); }

int WriteEmptySignalSection() {
  int r = WriteEmpty(NetTag4('S', 'I', 'G', 'S'));
  if (!r) r = WriteEmpty(NetTag4('S', 'I', 'G', 'E'));
  return r;
}

int WriteEmptyGraphicsSection() {
  int r = StreamWriteWord(0x475A);
  if (!r) r = StreamWriteDword(0);  // no vehicle-graphic sets
  if (!r) r = StreamWriteDword(0);  // no background picture
  return r;
}

int WriteEmptyLogPointSection() {
  int r = WriteEmpty(NetTag4('L', 'O', 'G', 'P'));
  if (!r) r = StreamWriteDword(0);
  return r;
}
#endif
