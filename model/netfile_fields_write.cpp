// Writing the fields of a section's field table and block positions (the viewer is built without
// it).
#ifndef QUIL_VIEWER
#include "model/netfile.h"
#include "model/netfile_fields.h"
#include "core/stream.h"

int WriteBlockPosition(int x, int y, int level) {
  int r = StreamWriteWord((uint16_t)x);
  if (!r) r = StreamWriteWord((uint16_t)y);
  if (!r) r = StreamWriteByte((uint8_t)(int8_t)level);
  return r;
}

int WriteNetFields(const NetField* fields, int count, const int64_t* values) {
  for (int i = 0; i < count; i++) {
    const NetField& f = fields[i];
    if (!NetFieldPresent(f, NET_VERSION_CURRENT)) continue;
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
#endif
