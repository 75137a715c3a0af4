// Cell pixel buffers: pixels put outside a buffer write nothing and show their trace message.
#include <gtest/gtest.h>
#include <string>
#include "core/msgbox_seam.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"

static std::u16string LastTrace() {
  const MsgBoxCall* c = MsgSeamLastCall();
  return c ? std::u16string(c->text) : std::u16string();
}

TEST(CellBuffers, PixelPutsAndTheirChecks) {
  MsgSeamReset();
  ClearBuf1();
  PutPixelToBuf1(0, 0, 1);
  EXPECT_EQ(CellBuffer1[480], 1u);
  PutPixelToBuf1(31, 15, 2);
  EXPECT_EQ(CellBuffer1[31], 2u);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  PutPixelToBuf1(32, 0, 3);
  PutPixelToBuf1(0, -1, 3);
  EXPECT_EQ(MsgSeamCallCount(), 2);
  EXPECT_NE(LastTrace().find(u"VKNBUF_PutPixelToBuf1 xy"), std::u16string::npos);
  for (uint32_t p : CellBuffer1) EXPECT_NE(p, 3u);
  EXPECT_EQ(PutPixelToBuf2(63, 0, 5), 31 * 64 + 63);
  EXPECT_EQ(PutPixelToBuf2(64, 7, 5), -1);
  EXPECT_NE(LastTrace().find(u"VKNBUF_PutPixelToBuf2 x=64 y=7"), std::u16string::npos);
  EXPECT_EQ(PutPixelToBuf2(-2, 40, 5), -1);
  EXPECT_NE(LastTrace().find(u"x=-2 y=40"), std::u16string::npos);
  MsgSeamReset();
}
