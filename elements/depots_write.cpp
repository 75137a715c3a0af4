// Writing the network-file section "DEPO" of the depots (the viewer saves no network files).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "model/netfile.h"

static int WriteUnits(const char16_t* text) {
  for (int i = 0;; i++) {
    int r = StreamWriteWord((uint16_t)text[i]);
    if (r || !text[i]) return r;
  }
}

int WriteDepotSection() {
  int r = StoreWriteSectionHead(NetTag4('D', 'E', 'P', 'O'), (uint32_t)DepotCount);
  for (const DepotRecord* d = DepotList; d && !r; d = d->next) {
    if ((r = StreamWriteDword((uint32_t)d->id)) || (r = WriteUnits(d->name)) ||
        (r = WriteUnits(d->shortName)) || (r = StreamWriteDword((uint32_t)d->slotCount)))
      return r;
    for (int i = 0; i < d->slotCount && !r; i++) {
      const DepotSlot& s = d->slots[i];
      if ((r = WriteBlockPosition(s.x, s.y, s.level)) ||
          (r = StreamWriteDword((uint32_t)s.number)) || (r = StreamWriteDword(s.direction)) ||
          (r = StreamWriteDword(s.signalSystem)) || (r = StreamWriteDword(s.timeMs)))
        return r;
      r = StreamWriteDword(s.flags);
    }
  }
  return r;
}
#endif
