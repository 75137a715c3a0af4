// Cell pixel buffers: pixel puts with their range checks, merges, scaling, grid marks.
#include <gtest/gtest.h>
#include "graphics/cellbuf.h"
#include "graphics/colours.h"

TEST(CellBuffers, PixelPutsInRange) {
  ClearBuf1();
  PutPixelToBuf1(0, 0, 1);
  EXPECT_EQ(CellBuffer1[480], 1u);
  PutPixelToBuf1(31, 15, 2);
  EXPECT_EQ(CellBuffer1[31], 2u);
  EXPECT_EQ(PutPixelToBuf2(63, 0, 5), 31 * 64 + 63);
  EXPECT_EQ(PutPixelToBuf2(0, 31, 5), 0);
}

TEST(CellBuffers, MergeAndScale) {
  ResetDisplayColours();
  uint32_t t = PIXEL_EMPTY;
  MergePixelBuf1(&t, PIXEL_DARKEN, 1);
  EXPECT_EQ(t, PIXEL_DARKEN);
  t = PIXEL_EMPTY;
  MergePixelBuf2(&t, PIXEL_DARKEN, 1);
  EXPECT_EQ(t, PIXEL_EMPTY);  // bit 31 was set already
  t = 0x123456;
  MergePixelBuf1(&t, PIXEL_DARKEN, 1);
  EXPECT_EQ(t, 0x80123456u);
  MergePixelBuf1(&t, PIXEL_TRANSPARENT, 1);
  EXPECT_EQ(t, 0x80123456u);
  MergePixelBuf1(&t, PIXEL_BACKGROUND, 1);
  EXPECT_EQ(t, 0x00007000u);  // colour 131 in pixel order
  MergePixelBuf1(&t, PIXEL_BACKGROUND, 0);
  EXPECT_EQ(t, 0x003C3C3Cu);  // colour 177 below level 0
  MergePixelBuf1(&t, 0x00ABCDEF, 0);
  EXPECT_EQ(t, 0x00ABCDEFu);
  // scaling an empty buffer leaves the large one as it is
  FillCellBuffer(0x00111111, 2);
  ClearBuf1();
  ScaleBuf1ToBuf2();
  for (uint32_t p : CellBuffer2) ASSERT_EQ(p, 0x00111111u);
  CellBuffer1[0] = 0x00222222;
  CellBuffer1[1] = PIXEL_DARKEN;
  ScaleBuf1ToBuf2();
  EXPECT_EQ(CellBuffer2[0], 0x00222222u);
  EXPECT_EQ(CellBuffer2[65], 0x00222222u);
  EXPECT_EQ(CellBuffer2[2], 0x80111111u);
  EXPECT_EQ(CellBuffer2[64 + 3], 0x80111111u);
  EXPECT_EQ(CellBuffer2[4], 0x00111111u);
  EXPECT_EQ(DarkenPixel(0xFF102030), 0x0000000Du);
  EXPECT_EQ(DarkenPixel(0x00A0B0C0),
            (uint32_t)((0xA0 - 70) << 16 | (0xB0 - 50) << 8 | (0xC0 - 35)));
}

TEST(CellBuffers, FillsLinesAndMarks) {
  FillCellBufferChecker(1, 2, 1);
  EXPECT_EQ(CellBuffer1[0], 1u);
  EXPECT_EQ(CellBuffer1[1], 2u);
  EXPECT_EQ(CellBuffer1[32], 2u);
  FillCellBuffer(0, 2);
  FillCellBuffer2Rect(7, 3, 2);
  EXPECT_EQ(CellBuffer2[31 * 64 + 2], 7u);
  EXPECT_EQ(CellBuffer2[30 * 64 + 0], 7u);
  EXPECT_EQ(CellBuffer2[29 * 64 + 0], 0u);
  EXPECT_EQ(CellBuffer2[31 * 64 + 3], 0u);
  FillCellBuffer(0, 2);
  DrawLineBuf2(0, 0, 10, 5, 9, 1);
  EXPECT_EQ(CellBuffer2[31 * 64 + 0], 9u);
  EXPECT_EQ(CellBuffer2[(31 - 5) * 64 + 10], 9u);
  int n = 0;
  for (uint32_t p : CellBuffer2) n += p == 9;
  EXPECT_EQ(n, 11);
  const uint32_t ground = 0x00777777;
  FillCellBuffer(ground, 1);
  DrawGridMarks1(0);
  for (uint32_t p : CellBuffer1) ASSERT_EQ(p, ground);
  DrawGridMarks1(0x01 | 0x20);
  EXPECT_NE(CellBuffer1[(15 - 2) * 32], ground);
  EXPECT_EQ(CellBuffer1[(15 - 3) * 32], ground);
  EXPECT_NE(CellBuffer1[15 * 32 + 8], ground);
  EXPECT_EQ(CellBuffer1[15 * 32 + 9], ground);
}
