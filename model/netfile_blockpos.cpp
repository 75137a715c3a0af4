// The shared 5-byte position of the network file (u16 x, u16 y, i8 level) and the wider forms
// of older file versions.
#include "model/grid.h"
#include "core/stream.h"

// 14400 on: i16 x, i16 y, i8 level; 14396..14399: three u32; 14389..14395: two u32, level 0;
// older: two u16, level 0. Values are returned as stored (callers check them against the grid).
int ReadBlockPosition(int* x, int* y, int* level, int version) {
  int vx = 0, vy = 0, vl = 0, r = 0;
  if (version >= 14400) {
    uint16_t a = 0, b = 0;
    uint8_t c = 0;
    r = StreamReadWord(&a);
    if (!r) r = StreamReadWord(&b);
    if (!r) r = StreamReadByte(&c);
    vx = (int16_t)a;
    vy = (int16_t)b;
    vl = (int8_t)c;
  } else if (version >= 14389) {
    uint32_t a = 0, b = 0, c = 0;
    r = StreamReadDword(&a);
    if (!r) r = StreamReadDword(&b);
    if (!r && version >= 14396) r = StreamReadDword(&c);
    vx = (int32_t)a;
    vy = (int32_t)b;
    vl = (int32_t)c;
  } else {
    uint16_t a = 0, b = 0;
    r = StreamReadWord(&a);
    if (!r) r = StreamReadWord(&b);
    vx = a;
    vy = b;
  }
  if (r) return r;
  if (x) *x = vx;
  if (y) *y = vy;
  if (level) *level = vl;
  return 0;
}
