// Writing the network-file section "WEIN" of the switch control records (the viewer saves no
// network files and is built without it).
#ifndef QUIL_VIEWER
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "signalling/switch_control.h"

static int WriteTypeData(const SwitchControl* s) {
  int r = 0;
  switch (s->type) {
    case SWITCH_RATIO: {
      const SwitchRatioData& q = s->data.ratio;
      for (int i = 0; i < 3 && !r; i++) r = StreamWriteWord((uint16_t)q.count[i]);
      if (!r) r = StreamWriteWord((uint16_t)q.counter);
      for (int i = 0; i < 3 && !r; i++) {
        r = StreamWriteDword(q.resetTime[i]);
        if (!r && q.resetTime[i]) r = StreamWriteWord((uint16_t)q.resetValue[i]);
      }
      return r;
    }
    case SWITCH_RANDOM: {
      const SwitchRandomData& q = s->data.random;
      for (int i = 0; i < 3 && !r; i++) r = StreamWriteWord((uint16_t)q.share[i]);
      if (!r) r = StreamWriteWord((uint16_t)q.draw);
      if (!r) r = StreamWriteWord(0);
      if (!r) r = StreamWriteWord(0);
      return r;
    }
    case SWITCH_ATTRIBUTES:
      for (int i = 0; i < 12 && !r; i++) r = StreamWriteDword(s->data.attributes.mask[i]);
      return r;
    case SWITCH_STATES: {
      const SwitchStateData& q = s->data.states;
      for (int i = 0; i < 3 && !r; i++) {
        r = StreamWriteDword((uint32_t)q.length[i]);
        for (int k = 0; k < q.length[i] && !r; k++) r = StreamWriteDword(q.tokens[i][k]);
      }
      if (!r) r = StreamWriteByte(q.priority);
      return r;
    }
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: {
      const SwitchRouteData& q = s->data.route;
      uint32_t total = 0;
      for (int i = 0; i < 6 && !r; i++) {
        r = StreamWriteDword(q.length[i]);
        total += q.length[i];
      }
      if (!r) r = StreamWriteDword(q.flags);
      for (uint32_t k = 0; k < total && !r; k++) r = StreamWriteDword(q.values[k]);
      return r;
    }
  }
  return 0;
}

int SaveSwitches() {
  int r = StoreWriteSectionHead(NetTag4('W', 'E', 'I', 'N'), (uint32_t)SwitchStore.count);
  for (ElementHeader* h = SwitchStore.head; h && !r; h = h->next) {
    const SwitchControl* s = (const SwitchControl*)h;
    r = WriteBlockPosition(h->x, h->y, h->level);
    if (!r) r = StreamWriteDword(s->id);
    if (!r) r = StreamWriteByte((uint8_t)s->type);
    uint32_t dir[4] = {s->entry, s->exit1, s->exit2, s->exit3};
    for (int i = 0; i < 4 && !r; i++) r = StreamWriteWord((uint16_t)dir[i]);
    if (!r) r = StreamWriteDword(s->displayState);
    if (!r) r = StreamWriteWord((uint16_t)s->exitIndex);
    if (!r) r = WriteTypeData(s);
  }
  return r;
}
#endif
