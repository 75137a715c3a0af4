// The cell-drawing objects are real bitmaps of 32 x 16, 64 x 32 and 8 x 16 (one bit) held by
// memory device contexts; making them again makes nothing new, and deleting leaves no object.
#include <gtest/gtest.h>
#include <windows.h>
#include "app/entry.h"
#include "views/view_services.h"
#include "views/window_buffer.h"

namespace {
DWORD GdiObjects() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS); }
BITMAP Info(void* b) {
  BITMAP bm = {};
  GetObjectW((HGDIOBJ)b, sizeof bm, &bm);
  return bm;
}
}  // namespace

TEST(CellSurfacesWin32, BitmapsOfTheCellSizesInTheirDeviceContexts) {
  DeleteCellDrawingDCs();
  DWORD before = GdiObjects();
  ASSERT_NE(GetDrawingDC(-1), nullptr);
  ASSERT_EQ(CreateCellDrawingDCs(), 0);
  BITMAP a = Info(CellDrawing.bitmap1), b = Info(CellDrawing.bitmap2),
         m = Info(CellDrawing.monoBitmap);
  EXPECT_EQ(a.bmWidth, 32);
  EXPECT_EQ(a.bmHeight, 16);
  EXPECT_EQ(b.bmWidth, 64);
  EXPECT_EQ(b.bmHeight, 32);
  EXPECT_EQ(m.bmWidth, 8);
  EXPECT_EQ(m.bmHeight, 16);
  EXPECT_EQ(m.bmBitsPixel, 1);
  EXPECT_EQ(GetCurrentObject((HDC)CellDrawing.dc1, OBJ_BITMAP), (HGDIOBJ)CellDrawing.bitmap1);
  EXPECT_EQ(GetCurrentObject((HDC)CellDrawing.dc2, OBJ_BITMAP), (HGDIOBJ)CellDrawing.bitmap2);
  EXPECT_EQ(GetCurrentObject((HDC)CellDrawing.monoDC, OBJ_BITMAP), (HGDIOBJ)CellDrawing.monoBitmap);
  EXPECT_EQ(GetBkMode((HDC)CellDrawing.dc1), TRANSPARENT);
  EXPECT_EQ(GetTextAlign((HDC)CellDrawing.dc2), (UINT)TA_CENTER);
  DWORD made = GdiObjects();
  EXPECT_EQ(CreateCellDrawingDCs(), 0);
  EXPECT_EQ(GdiObjects(), made);
  DeleteCellDrawingDCs();
  EXPECT_EQ(GdiObjects(), before);
  EXPECT_EQ(CellDrawing.dc1, nullptr);
}
