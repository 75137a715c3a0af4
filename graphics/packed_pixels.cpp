// The packed-pixel coding of the vehicle-graphic, zoom-2 graphic and title files: plain pixel
// words, and run words (top byte 0xC0) for 2..257 equal pixels.
#include "core/stream.h"
#include "graphics/vehicles.h"

static uint32_t RunLeft = 0, RunValue = 0;  // the decoder between calls

int ReadPackedPixel(uint32_t* out) {
  if (!out) {
    RunLeft = 0;
    return 0;
  }
  if (RunLeft) {
    RunLeft--;
    *out = RunValue;
    return 0;
  }
  uint32_t w;
  int r = StreamReadDword(&w);
  if (r) return r;
  if ((w >> 24) != 0xC0) {
    *out = w;
    return 0;
  }
  if (w & 0x10000) {
    RunValue = PIXEL_CLEAR;
  } else if ((r = StreamReadDword(&RunValue))) {
    return r;
  }
  RunLeft = (w & 0xFF) + 1;  // the run yields (w & 0xFF) + 2 pixels, this one included
  *out = RunValue;
  return 0;
}

static uint32_t GroupValue = 0, GroupCount = 0;  // the writer's open group

void ResetPackedPixelWriter() { GroupCount = 0; }

static int WriteGroup() {
  uint32_t c = GroupCount;
  GroupCount = 0;
  if (c == 0) return 0;
  if (c == 1) return StreamWriteDword(GroupValue);
  if (GroupValue == PIXEL_CLEAR) return StreamWriteDword((c - 2) | 0xC0010000u);
  int r = StreamWriteDword((c - 2) | 0xC0000000u);
  return r ? r : StreamWriteDword(GroupValue);
}

int WritePackedPixel(uint32_t pixel) {
  if (pixel == PACKED_FLUSH) return WriteGroup();
  if (GroupCount && pixel == GroupValue) {
    if (++GroupCount == 257) return WriteGroup();
    return 0;
  }
  int r = WriteGroup();
  GroupValue = pixel;
  GroupCount = 1;
  return r;
}
