// Writing the network-file section "LIND" of the line table (the viewer writes no network files).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "elements/lines.h"
#include "model/netfile.h"

int SaveLineSection() {
  int r = StreamWriteDword(NetTag4('L', 'I', 'N', 'D'));
  if (!r) r = StreamWriteDword((uint32_t)LineCount());
  for (int i = 0; !r && i < LineCount(); i++) {
    const LineRecord* l = LineAt(i);
    for (int k = 0; !r && l->name[k]; k++) r = StreamWriteWord((uint16_t)l->name[k]);
    if (!r) r = StreamWriteWord(0);
    if (!r) r = StreamWriteDword(l->id);
    if (!r) r = StreamWriteDword(l->descLength);
    for (uint32_t k = 0; !r && k < l->descLength; k++)
      r = StreamWriteWord((uint16_t)l->description[k]);
  }
  return r;
}
#endif
