// The preview layer of the cell flush (Win32): a block of cell pixels into a dialog's device
// context through the cell bitmaps, or straight to the device.
#include <windows.h>
#include "graphics/flush.h"
#include "views/window_buffer.h"

int BlitCellPreview(void* dc, int x, int y, const uint32_t* pixels, int w, int h, int destW,
                    int destH, int direct) {
  if (!dc || !pixels || w <= 0 || h <= 0 || w > 64 || h > 32) return 1;
  BITMAPINFO bmi = {};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = w;
  bmi.bmiHeader.biHeight = h;  // rows bottom-up
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  if (direct && destW == w && destH == h)
    return SetDIBitsToDevice((HDC)dc, x, y, (DWORD)w, (DWORD)h, 0, 0, 0, (UINT)h, pixels, &bmi,
                             DIB_RGB_COLORS)
               ? 0
               : 1;
  int small = w <= 32 && h <= 16;
  int bw = small ? 32 : 64, bh = small ? 16 : 32;
  HBITMAP bitmap = (HBITMAP)(small ? CellDrawing.bitmap1 : CellDrawing.bitmap2);
  HDC memory = (HDC)(small ? CellDrawing.dc1 : CellDrawing.dc2);
  if (!bitmap || !memory) return 1;
  // the block at the top-left of a picture of the bitmap's whole size, so that every row of the
  // bitmap is set and the block's place in it is known
  uint32_t whole[64 * 32] = {};
  for (int r = 0; r < h; r++)
    for (int c = 0; c < w; c++) whole[(bh - h + r) * bw + c] = pixels[r * w + c];
  bmi.bmiHeader.biWidth = bw;
  bmi.bmiHeader.biHeight = bh;
  if (!SetDIBits(memory, bitmap, 0, (UINT)bh, whole, &bmi, DIB_RGB_COLORS)) return 1;
  if (destW == w && destH == h) return BitBlt((HDC)dc, x, y, w, h, memory, 0, 0, SRCCOPY) ? 0 : 1;
  SetStretchBltMode((HDC)dc, COLORONCOLOR);
  return StretchBlt((HDC)dc, x, y, destW, destH, memory, 0, 0, w, h, SRCCOPY) ? 0 : 1;
}
