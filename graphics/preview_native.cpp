// The preview layer of the native build: records what a device context would receive.
#include "graphics/preview_native.h"
#include <cstddef>
#include "graphics/flush.h"
#include "views/window_buffer.h"

PreviewBlitRecord LastPreviewBlit;

int BlitCellPreview(void* dc, int x, int y, const uint32_t* pixels, int w, int h, int destW,
                    int destH, int direct) {
  if (!dc || !pixels || w <= 0 || h <= 0 || w > 64 || h > 32) return 1;
  int small = w <= 32 && h <= 16;
  if (!(direct && destW == w && destH == h) && !(small ? CellDrawing.dc1 : CellDrawing.dc2))
    return 1;
  PreviewBlitRecord& r = LastPreviewBlit;
  r.dc = dc, r.x = x, r.y = y, r.destW = destW, r.destH = destH, r.direct = direct;
  r.pixels.assign((size_t)destW * destH, 0);
  for (int ty = 0; ty < destH; ty++)
    for (int tx = 0; tx < destW; tx++) {
      int sx = tx * w / destW, sy = ty * h / destH;  // row from the top
      r.pixels[(size_t)ty * destW + tx] = pixels[(size_t)(h - 1 - sy) * w + sx];
    }
  r.count++;
  return 0;
}
