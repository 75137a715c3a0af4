// The cell-drawing objects of the native build refuse like the platform's: none without a drawing
// DC; a failed creation keeps the objects made before it, and the next call makes only the rest.
#include <gtest/gtest.h>
#include "app/entry.h"
#include "views/cell_surfaces_native.h"
#include "views/view_services.h"
#include "views/window_buffer.h"

TEST(CellSurfaces, MadeOnTheDrawingDCAndKeptAcrossAFailure) {
  void* saved = Entry.statusDC;
  DeleteCellDrawingDCs();
  Entry.statusDC = nullptr;
  EXPECT_EQ(CreateCellDrawingDCs(), 1);
  EXPECT_EQ(CellDrawing.bitmap1, nullptr);

  int token;
  Entry.statusDC = &token;
  CellSurfaceFailAt = 3;  // the first device context
  EXPECT_EQ(CreateCellDrawingDCs(), 1);
  void* made[3] = {CellDrawing.bitmap1, CellDrawing.bitmap2, CellDrawing.monoBitmap};
  for (void* m : made) EXPECT_NE(m, nullptr);
  EXPECT_EQ(CellDrawing.dc1, nullptr);
  CellSurfaceFailAt = -1;
  EXPECT_EQ(CreateCellDrawingDCs(), 0);
  EXPECT_EQ(CellDrawing.bitmap1, made[0]);
  EXPECT_EQ(CellDrawing.bitmap2, made[1]);
  EXPECT_EQ(CellDrawing.monoBitmap, made[2]);
  EXPECT_NE(CellDrawing.dc1, nullptr);
  EXPECT_NE(CellDrawing.dc2, nullptr);
  EXPECT_NE(CellDrawing.monoDC, nullptr);
  DeleteCellDrawingDCs();
  EXPECT_EQ(CellDrawing.dc1, nullptr);
  EXPECT_EQ(CellDrawing.bitmap2, nullptr);
  Entry.statusDC = saved;
}
