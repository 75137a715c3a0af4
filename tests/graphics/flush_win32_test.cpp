// Under Win32 a composed cell reaches a dialog's device context pixel for pixel: at scale 1
// through the cell bitmap and BitBlt, enlarged by StretchBlt, and a diagram square straight to
// the device.
#include <gtest/gtest.h>
#include <windows.h>
#include "graphics/cellbuf.h"
#include "graphics/compose.h"
#include "graphics/flush.h"
#include "graphics_test_util.h"
#include "views/view_services.h"

namespace {
struct Surface {
  HDC dc = nullptr;
  HBITMAP bitmap = nullptr, old = nullptr;
  uint32_t* bits = nullptr;
  int w = 0, h = 0;
  Surface(int width, int height) : w(width), h(height) {
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = w;
    bmi.bmiHeader.biHeight = -h;  // rows from the top
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    dc = CreateCompatibleDC(nullptr);
    bitmap = CreateDIBSection(dc, &bmi, DIB_RGB_COLORS, (void**)&bits, nullptr, 0);
    old = (HBITMAP)SelectObject(dc, bitmap);
    for (int i = 0; i < w * h; i++) bits[i] = 0x00777777;
  }
  ~Surface() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  uint32_t At(int x, int y) {
    GdiFlush();
    return bits[(size_t)y * w + x] & 0xFFFFFF;
  }
};
}  // namespace

TEST(FlushWin32, ComposedCellsReachTheDeviceContext) {
  ASSERT_EQ(LoadGeneratedGlyphs(), 0);
  for (int target : {6, 7}) {
    Surface s(100, 60);
    ComposeCellBase(2, 0, 0xC000, 0, 0xC000, 0, 0, 3, 3, 0, 1);  // a diagonal track
    uint32_t want[512];
    for (int i = 0; i < 512; i++)
      want[i] =
          (CellBuffer1[i] & 0x80000000u) ? DarkenPixel(CellBuffer1[i]) : CellBuffer1[i] & 0xFFFFFF;
    FlushBuf1ToWindow(s.dc, 5, 7, target, 0, 0);
    int scale = target == 6 ? 1 : 2;
    for (int y = 0; y < 16 * scale; y++)
      for (int x = 0; x < 32 * scale; x++)
        ASSERT_EQ(s.At(5 + x, 7 + y), want[(15 - y / scale) * 32 + x / scale])
            << "target " << target << " at " << x << "," << y;
    EXPECT_EQ(s.At(4, 7), 0x777777u);
    EXPECT_EQ(s.At(5, 6), 0x777777u);
  }
  // a diagram square straight to the device and through the bitmap agree
  for (int direct : {0, 1}) {
    Surface s(40, 40);
    for (int i = 0; i < 2048; i++) CellBuffer2[i] = (uint32_t)i * 4099u & 0xFFFFFF;
    QueryRasterCaps(direct, 0);
    FlushDiagramCell(s.dc, 1, 2, 7);
    for (int y = 0; y < 24; y++)
      for (int x = 0; x < 24; x++)
        ASSERT_EQ(s.At(1 + x, 2 + y), CellBuffer2[(31 - y) * 64 + x])
            << direct << " " << x << "," << y;
  }
  QueryRasterCaps(0, 0);
  FreeSymbolGraphics();
}
