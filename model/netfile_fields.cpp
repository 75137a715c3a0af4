// The one reader and writer of field-described network-file records: each walks a table of
// fields with their version ranges and stored forms.
#include "model/netfile_fields.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"

int ReadNetFields(const NetField* fields, int count, int version, int64_t* values) {
  for (int i = 0; i < count; i++) {
    const NetField& f = fields[i];
    if (!NetFieldPresent(f, version)) continue;
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

int NetFieldPresent(const NetField* fields, int count, int version, int slot) {
  for (int i = 0; i < count; i++)
    if (fields[i].slot == slot && NetFieldPresent(fields[i], version)) return 1;
  return 0;
}
