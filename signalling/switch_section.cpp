// Reading the network-file section "WEIN" of the switch control records, in every file version.
#include "core/misc.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include <cstring>
#include "elements/lines.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"

// At most five records a cell and 60000 cells.
constexpr uint32_t SWITCH_RECORDS_MAX = SWITCH_ID_MAX * 5;

void ConvertOldAttributeFlags(uint32_t word, uint32_t masks[4]) {
  masks[0] = masks[1] = masks[2] = masks[3] = 0;
  if (word & 0x01) masks[0] |= 3;
  if (word & 0x02) masks[0] |= 12;
  if (word & 0x04) masks[0] |= 16;
  if (word & 0x08) masks[0] |= 96;
  if (word & 0x10) masks[0] |= 0x380;
  if (word & 0x20) masks[1] = 0x3FF;
  if (word & 0x40) masks[2] = 0x3FF;
  if (word & 0x100) masks[3] |= 1;
  if (word & 0x200) masks[3] |= 2;
  if (word & 0x400) masks[3] |= 4;
  if (word & 0x800) masks[3] |= 8;
}

static int IsDirection(uint32_t d) { return d && d <= 128 && (d & (d - 1)) == 0; }

static int Word(uint32_t* v) {
  uint16_t w;
  int r = StreamReadWord(&w);
  *v = w;
  return r;
}

// Old reset time (u16 hour << 8 | minute; high byte 255 = none) with its reset value.
static int ReadOldReset(uint32_t* time, uint32_t* value) {
  uint32_t old;
  int r = Word(&old);
  if (r) return r;
  *time = 0;
  *value = 0;
  if ((old >> 8) == 255) return 0;
  *time = old * 256 | 0x7F000000u;
  return Word(value);
}

// Route lists of files 14170..14388: six u16 entry counts and a u16 flag word, then the line
// entries (u16 line, u16 flag word of which bit 15 announces an old time window) and the
// destination entries (u16 depot, u16 not used), converted to the current forms.
static int ReadOldRouteLists(SwitchRouteData& q, uint32_t** values) {
  uint32_t counts[6];
  int r;
  for (int i = 0; i < 6; i++)
    if ((r = Word(&counts[i]))) return r;
  if ((r = Word(&q.flags))) return r;
  uint32_t* v = (uint32_t*)MemAlloc(SWITCH_ROUTE_LIST_MAX * sizeof(uint32_t));
  uint16_t* old = (uint16_t*)MemAlloc(4 * SWITCH_ROUTE_LIST_MAX * sizeof(uint16_t));
  if (!v || !old) {
    if (v) MemFree(v);
    if (old) MemFree(old);
    return NETSEC_MEMORY;
  }
  uint32_t total = 0;
  for (int i = 0; i < 6 && !r; i++) {
    int n = 0;
    for (uint32_t e = 0; e < counts[i] && !r; e++) {
      if (n + 4 > 4 * (int)SWITCH_ROUTE_LIST_MAX) {
        r = NETSEC_FORMAT;
        break;
      }
      uint32_t a, b;
      if ((r = Word(&a)) || (r = Word(&b))) break;
      old[n++] = (uint16_t)a;
      old[n++] = i < 3 ? (uint16_t)(b & 0x8000) : 0;
      if (i < 3 && (b & 0x8000)) {
        if ((r = Word(&a)) || (r = Word(&b))) break;
        old[n++] = (uint16_t)a;
        old[n++] = (uint16_t)b;
      }
    }
    if (r) break;
    int room = (int)(SWITCH_ROUTE_LIST_MAX - total);
    int m = i < 3 ? ConvertOldLineRefList(old, n, v + total, room)
                  : ConvertOldLinePairList(old, n, v + total, room);
    if (m < 0) {
      r = NETSEC_FORMAT;  // more than the longest list holds
      break;
    }
    q.length[i] = (uint32_t)m;
    total += (uint32_t)m;
  }
  MemFree(old);
  if (r || !total) {
    MemFree(v);
    if (r) {
      for (uint32_t& n : q.length) n = 0;
      return r;
    }
    return 0;
  }
  *values = v;
  return 0;
}

// The type data of one record by file version into d (route lists: values allocated into
// *values, to be owned by the record or freed).
static int ReadTypeData(int version, int type, SwitchControl* d, uint32_t** values) {
  int r = 0;
  *values = nullptr;
  switch (type) {
    case SWITCH_RATIO: {
      SwitchRatioData& q = d->data.ratio;
      if (version < 13571) return NETSEC_FORMAT;  // the oldest form is not taken over
      for (int i = 0; i < 3; i++)
        if ((r = Word(&q.count[i]))) return r;
      if ((r = Word(&q.counter))) return r;
      if (version >= 14389) {
        for (int i = 0; i < 3; i++) {
          if ((r = StreamReadDword(&q.resetTime[i]))) return r;
          if (q.resetTime[i] && (r = Word(&q.resetValue[i]))) return r;
        }
      } else if (version >= 14170) {
        for (int i = 0; i < 3; i++)
          if ((r = ReadOldReset(&q.resetTime[i], &q.resetValue[i]))) return r;
      } else if (q.counter & 0x8000) {
        q.counter &= 0x7FFF;
        if ((r = ReadOldReset(&q.resetTime[0], &q.resetValue[0]))) return r;
      }
      return 0;
    }
    case SWITCH_RANDOM: {
      SwitchRandomData& q = d->data.random;
      uint32_t unused;
      for (int i = 0; i < 3; i++)
        if ((r = Word(&q.share[i]))) return r;
      if ((r = Word(&q.draw))) return r;
      if ((r = Word(&unused))) return r;
      return Word(&unused);
    }
    case SWITCH_ATTRIBUTES: {
      uint32_t* m = d->data.attributes.mask;
      if (version >= 14389) {
        for (int i = 0; i < 12; i++)
          if ((r = StreamReadDword(&m[i]))) return r;
        return 0;
      }
      uint32_t word, unused;
      for (int e = 0; e < 3; e++) {
        if ((r = Word(&word))) return r;
        ConvertOldAttributeFlags(word, m + 4 * e);
      }
      if ((r = Word(&unused))) return r;
      return Word(&unused);
    }
    case SWITCH_STATES: {
      SwitchStateData& q = d->data.states;
      if (version < 14390) {
        // Three signal element ids: only empty expressions are taken over until the expression
        // form of a single element exists.
        uint32_t id, unused;
        for (int i = 0; i < 3; i++) {
          if ((r = Word(&id))) return r;
          if (id) return NETSEC_FORMAT;
        }
        uint8_t b;
        if ((r = StreamReadByte(&b))) return r;
        q.priority = b;
        if ((r = StreamReadByte(&b))) return r;
        return Word(&unused);
      }
      for (int i = 0; i < 3; i++) {
        uint32_t n;
        if ((r = StreamReadDword(&n))) return r;
        if (n > (uint32_t)SWITCH_EXPRESSION_MAX) return NETSEC_FORMAT;
        q.length[i] = (int32_t)n;
        for (uint32_t k = 0; k < n; k++)
          if ((r = StreamReadDword(&q.tokens[i][k]))) return r;
      }
      uint8_t b;
      if ((r = StreamReadByte(&b))) return r;
      q.priority = b;
      return 0;
    }
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: {
      if (version < 14170) return NETSEC_FORMAT;  // the oldest form is not taken over
      SwitchRouteData& q = d->data.route;
      if (version < 14389) return ReadOldRouteLists(q, values);
      uint32_t total = 0;
      for (int i = 0; i < 6; i++) {
        if ((r = StreamReadDword(&q.length[i]))) return r;
        if (q.length[i] > SWITCH_ROUTE_LIST_MAX) return NETSEC_FORMAT;
        total += q.length[i];
      }
      if ((r = StreamReadDword(&q.flags))) return r;
      if (!total) return 0;
      if (total > 6 * SWITCH_ROUTE_LIST_MAX) return NETSEC_FORMAT;
      uint32_t* v = (uint32_t*)MemAlloc(total * sizeof(uint32_t));
      if (!v) return NETSEC_MEMORY;
      for (uint32_t k = 0; k < total && !r; k++) r = StreamReadDword(&v[k]);
      for (uint32_t i = 0, at = 0; i < 3 && !r; at += q.length[i++])
        if (CheckLineRefList(v + at, (int)q.length[i])) r = NETSEC_FORMAT;
      if (r) {
        MemFree(v);
        return r;
      }
      *values = v;
      return 0;
    }
  }
  return 0;
}

int LoadSwitches(int version) {
  int r = ReadSectionTag(version, NetTag4('W', 'E', 'I', 'N'), NetTag2('W', 'E'));
  if (r) return r;
  ClearSwitches();
  uint32_t count;
  if ((r = ReadVersionedCount(version, 14170, &count))) return r;
  if (count > SWITCH_RECORDS_MAX) return NETSEC_FORMAT;
  SwitchControl* last = nullptr;
  uint32_t lastIndex1State = 0;
  for (uint32_t n = 0; n < count; n++) {
    int x, y, level;
    if ((r = ReadBlockPosition(&x, &y, &level, version))) return r;
    if (x < 0 || x > 32767 || y < 0 || y > 32767 || level < -4 || level > 0) return NETSEC_FORMAT;
    uint32_t id;
    if (version > 14336) {
      if ((r = StreamReadDword(&id))) return r;
    } else if ((r = Word(&id))) {
      return r;
    }
    if (id > SWITCH_ID_MAX) return NETSEC_FORMAT;
    uint8_t typeByte;
    if ((r = StreamReadByte(&typeByte))) return r;
    int type = typeByte;
    if (version < 13571) {
      static const int kOld[][2] = {{6, 11}, {4, 21}, {5, 22}, {132, 31}, {133, 32}};
      for (const auto& m : kOld)
        if (type == m[0]) {
          type = m[1];
          break;
        }
    }
    if (type == SWITCH_OLD_RP1 || type == SWITCH_OLD_RP2) return NETSEC_FORMAT;  // route points
    if (!IsValidSwitchType(type)) return NETSEC_FORMAT;
    uint32_t code = GetCell(x, y, level);
    if (code >= 0xBF00 && code <= 0xBFFF) code = GetTrainCellCode(x, y, level, (uint16_t)code);
    uint32_t dir[4];
    if (version < 13570) {
      GetSwitchConnections(code, dir);
    } else {
      for (int i = 0; i < 4; i++)
        if ((r = Word(&dir[i]))) return r;
      for (int i = 0; i < 3; i++)
        if (!IsDirection(dir[i])) return NETSEC_FORMAT;
      if (dir[3] && !IsDirection(dir[3])) return NETSEC_FORMAT;
    }
    uint32_t state = 0, exitIndex = 0;
    if (version >= 14344 && (r = StreamReadDword(&state))) return r;
    if (version >= 14170 && (r = Word(&exitIndex))) return r;
    if (exitIndex > 4) return NETSEC_FORMAT;
    if (exitIndex == 1) lastIndex1State = state;
    if (exitIndex > 1) state = lastIndex1State;
    SwitchControl data = {};
    data.exit3 = dir[3];
    uint32_t* values = nullptr;
    if ((r = ReadTypeData(version, type, &data, &values))) return r;
    if (!ClassifySwitchSymbol(code, nullptr)) {  // no switch there: the record is dropped
      if (values) MemFree(values);
      continue;
    }
    SwitchControl* rec;
    if (CreateSwitchRecord(last, x, y, level, (int)exitIndex, type, id, dir[0], dir[1], dir[2],
                           dir[3], state, &rec)) {
      if (values) MemFree(values);
      return NETSEC_MEMORY;
    }
    switch (type) {
      case SWITCH_RATIO: rec->data.ratio = data.data.ratio; break;
      case SWITCH_RANDOM: rec->data.random = data.data.random; break;
      case SWITCH_ATTRIBUTES: rec->data.attributes = data.data.attributes; break;
      case SWITCH_STATES: rec->data.states = data.data.states; break;
      case SWITCH_ROUTE1:
      case SWITCH_ROUTE2:
      case SWITCH_ROUTE3:
        rec->data.route = data.data.route;
        rec->data.route.values = values;
        break;
    }
    last = rec;
  }
  return 0;
}

void RegisterSwitchSection() {
  for (NetSectionRow& row : NetSectionTable)
    if (row.name && std::strcmp(row.name, "WEIN") == 0) {
      row.read = LoadSwitches;
#ifdef QUIL_VIEWER
      row.write = nullptr;
#else
      row.write = SaveSwitches;
#endif
    }
  NetClearOrder[NET_CLEAR_SWITCHES] = ClearSwitches;
}
