// The one reader and writer of field-described network-file records: each walks a table of
// fields with their version ranges and stored forms.
#include "model/netfile_fields.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"

static int Present(const NetField& f, int version) {
  return version >= f.from && version < f.until;
}

int ReadNetFields(const NetField* fields, int count, int version, int64_t* values) {
  for (int i = 0; i < count; i++) {
    const NetField& f = fields[i];
    if (!Present(f, version)) continue;
    int r = 0;
    switch (f.form) {
      case NF_U8: {
        uint8_t b;
        r = StreamReadByte(&b);
        if (!r) values[f.slot] = b;
        break;
      }
      case NF_U16: {
        uint16_t w;
        r = StreamReadWord(&w);
        if (!r) values[f.slot] = w;
        break;
      }
      case NF_I16: {
        uint16_t w;
        r = StreamReadWord(&w);
        if (!r) values[f.slot] = (int16_t)w;
        break;
      }
      case NF_U32: {
        uint32_t d;
        r = StreamReadDword(&d);
        if (!r) values[f.slot] = d;
        break;
      }
      case NF_ZERO16: {
        uint16_t w;
        r = StreamReadWord(&w);
        if (!r && w != 0) r = NETSEC_FORMAT;
        break;
      }
      case NF_SKIP16: {
        uint16_t w;
        r = StreamReadWord(&w);
        break;
      }
      case NF_POS: {
        int x, y, level;
        r = ReadBlockPosition(&x, &y, &level, version);
        if (!r) {
          values[f.slot] = x;
          values[f.slot + 1] = y;
          values[f.slot + 2] = level;
        }
        break;
      }
      default: r = NETSEC_FORMAT; break;
    }
    if (r) return r;
  }
  return 0;
}

int WriteNetFields(const NetField* fields, int count, const int64_t* values) {
  for (int i = 0; i < count; i++) {
    const NetField& f = fields[i];
    if (!Present(f, NET_VERSION_CURRENT)) continue;
    int r = 0;
    switch (f.form) {
      case NF_U8: r = StreamWriteByte((uint8_t)values[f.slot]); break;
      case NF_U16:
      case NF_I16: r = StreamWriteWord((uint16_t)values[f.slot]); break;
      case NF_U32: r = StreamWriteDword((uint32_t)values[f.slot]); break;
      case NF_ZERO16:
      case NF_SKIP16: r = StreamWriteWord(0); break;
      case NF_POS:
        r = WriteBlockPosition((int)values[f.slot], (int)values[f.slot + 1],
                               (int)values[f.slot + 2]);
        break;
      default: r = NETSEC_FORMAT; break;
    }
    if (r) return r;
  }
  return 0;
}

int NetFieldPresent(const NetField* fields, int count, int version, int slot) {
  for (int i = 0; i < count; i++)
    if (fields[i].slot == slot && Present(fields[i], version)) return 1;
  return 0;
}
