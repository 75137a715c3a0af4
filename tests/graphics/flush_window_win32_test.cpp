// Under Win32 a composed cell flushed into an edit window's drawing buffer shows at its pixel
// position once the buffer goes into the window bitmap the way the render thread puts it there
// (SetDIBits with the window's bitmap header): rows from the top, red and blue in their places,
// enlarged by the zoom step.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include "app/editwnd.h"
#include "core/misc.h"
#include "core/platform.h"
#include "graphics/cellbuf.h"
#include "graphics/compose.h"
#include "graphics/flush.h"
#include "graphics_test_util.h"

TEST(FlushWindowWin32, ACellLandsAtItsPlaceInTheWindowBitmap) {
  ASSERT_EQ(LoadGeneratedGlyphs(), 0);
  ResetEditWindows();
  LockRecord a, b;
  std::memset(&a, 0, sizeof a);
  std::memset(&b, 0, sizeof b);
  WrapInitializeCriticalSection(&a);
  WrapInitializeCriticalSection(&b);
  EditViewSlot* s = GetEditSlot(0);
  s->window = (void*)1;
  s->lockA = &a;
  s->lockB = &b;
  for (int zoom : {1, 2}) {
    s->zoom = zoom;
    ASSERT_EQ(PrepareWindowBuffers(0, 150, 70, 1), 0);
    ComposeCellBase(3, 0, 0xC000, 0, 0xC000, 0, 0, 9, 9, 0, 1);  // a diagonal track
    FlushBuf1ToWindow(nullptr, 40, 20, 0, 0, 0);
    // what the cell became (tinted in place), rows from the top
    SetDIBits((HDC)s->memoryDC, (HBITMAP)s->bitmap, 0, (UINT)s->pixelHeight, s->drawBuffer,
              (const BITMAPINFO*)s->bitmapHeader, DIB_RGB_COLORS);
    for (int y = 0; y < 16 * zoom; y++)
      for (int x = 0; x < 32 * zoom; x++) {
        uint32_t p = CellBuffer1[(15 - y / zoom) * 32 + x / zoom] & 0xFFFFFF;
        COLORREF want = RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
        ASSERT_EQ(GetPixel((HDC)s->memoryDC, 40 + x, 20 + y), want)
            << "zoom " << zoom << " at " << x << "," << y;
      }
    // the pixels beside the cell keep the cleared view
    EXPECT_EQ(GetPixel((HDC)s->memoryDC, 39, 20), GetPixel((HDC)s->memoryDC, 0, 0));
    EXPECT_EQ(GetPixel((HDC)s->memoryDC, 40, 19), GetPixel((HDC)s->memoryDC, 0, 0));
  }
  SelectObject((HDC)s->memoryDC, (HGDIOBJ)s->defaultBitmap);
  DeleteObject((HGDIOBJ)s->bitmap);
  DeleteDC((HDC)s->memoryDC);
  MemFree(s->drawBuffer);
  MemFree(s->bitmapBuffer);
  std::memset((void*)s, 0, sizeof *s);
  ResetEditWindows();
  WrapDeleteCriticalSection(&a);
  WrapDeleteCriticalSection(&b);
  FreeSymbolGraphics();
}
