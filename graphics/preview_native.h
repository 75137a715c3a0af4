// The native preview layer keeps the last block it was given, as a device context would show it:
// the pixels enlarged to the destination size, rows from the top.
#pragma once
#include <cstdint>
#include <vector>

struct PreviewBlitRecord {
  void* dc;
  int x, y, destW, destH, direct;
  std::vector<uint32_t> pixels;  // destW x destH, rows from the top
  int count;                     // blits so far
};
extern PreviewBlitRecord LastPreviewBlit;
