// Previews of composed cells (native preview layer): the scale of each target, marked pixels
// darkened and classes dropped, nothing for a row above the dialog (y below 0) or a target the
// buffer has no scale for.
#include <gtest/gtest.h>
#include "graphics/cellbuf.h"
#include "graphics/flush.h"
#include "graphics/preview_native.h"
#include "views/view_services.h"
#include "views/window_buffer.h"

namespace {
struct Previews : ::testing::Test {
  int dc = 0;
  void SetUp() override { ASSERT_EQ(CreateCellDrawingDCs(), 0); }
  void Fill(uint32_t* b, int n) {
    for (int i = 0; i < n; i++) b[i] = 0x41000000u | (uint32_t)i;  // a class in the top byte
    b[5] = 0x80A0B0C0;
  }
};
}  // namespace

TEST_F(Previews, EachTargetHasItsScale) {
  struct Case {
    int buffer, target, destW, destH;  // destW 0: nothing drawn
  } cases[] = {{1, 6, 32, 16}, {1, 7, 64, 32}, {1, 8, 128, 64}, {1, 9, 256, 128},
               {2, 6, 0, 0},   {2, 7, 64, 32}, {2, 8, 128, 64}, {2, 9, 256, 128}};
  for (const Case& c : cases) {
    uint32_t* b = c.buffer == 1 ? CellBuffer1 : CellBuffer2;
    int w = c.buffer == 1 ? 32 : 64, h = c.buffer == 1 ? 16 : 32;
    Fill(b, w * h);
    int before = LastPreviewBlit.count;
    (c.buffer == 1 ? FlushBuf1ToWindow : FlushBuf2ToWindow)(&dc, 4, 0, c.target, 0, 0);
    if (!c.destW) {
      EXPECT_EQ(LastPreviewBlit.count, before) << c.target;
      continue;
    }
    ASSERT_EQ(LastPreviewBlit.count, before + 1) << c.target;
    EXPECT_EQ(LastPreviewBlit.destW, c.destW);
    EXPECT_EQ(LastPreviewBlit.destH, c.destH);
    EXPECT_EQ(LastPreviewBlit.x, 4);
    int scale = c.destW / w;
    // the bottom-left pixel of the buffer (index 0) at the picture's bottom-left
    EXPECT_EQ(LastPreviewBlit.pixels[(size_t)(c.destH - 1) * c.destW], 0u);
    EXPECT_EQ(LastPreviewBlit.pixels[(size_t)(c.destH - 1) * c.destW + scale], 1u);
    EXPECT_EQ(LastPreviewBlit.pixels[(size_t)(c.destH - 1) * c.destW + 5 * scale],
              DarkenPixel(0x80A0B0C0));
  }
  // a row above the dialog draws nothing
  int before = LastPreviewBlit.count;
  Fill(CellBuffer1, 512);
  FlushBuf1ToWindow(&dc, 0, -1, 6, 0, 0);
  Fill(CellBuffer2, 2048);
  FlushBuf2ToWindow(&dc, 0, -1, 7, 0, 0);
  EXPECT_EQ(LastPreviewBlit.count, before);
}

TEST_F(Previews, DiagramCellsTakeTheTopLeftSquare) {
  for (int i = 0; i < 2048; i++) CellBuffer2[i] = (uint32_t)i;
  for (int target : {6, 7}) {
    FlushDiagramCell(&dc, 2, 3, target);
    int side = target == 6 ? 16 : 24;
    EXPECT_EQ(LastPreviewBlit.destW, side);
    // row 0 from the top is buffer index row 31
    EXPECT_EQ(LastPreviewBlit.pixels[0], 31u * 64);
    EXPECT_EQ(LastPreviewBlit.pixels[(size_t)side * side - 1],
              (uint32_t)((32 - side) * 64 + side - 1));
  }
  QueryRasterCaps(1, 0);  // straight to the device
  FlushDiagramCell(&dc, 2, 3, 6);
  EXPECT_EQ(LastPreviewBlit.direct, 1);
  QueryRasterCaps(0, 0);
}
