// The LIND reader when memory runs out: the lines read before the description that cannot be
// allocated stay, and the result is 4.
#include <gtest/gtest.h>
#include "core/platform_native.h"
#include "core/stream.h"
#include "elements/lines.h"
#include "model/netfile.h"
#include "netfile_test_util.h"

TEST(LineSectionMemory, ADescriptionWithoutMemoryKeepsTheLinesRead) {
  NetTestSetUp();
  InitLineTable();
  ClearLineTable();
  ASSERT_EQ(CreateLine(u"A", 0, 0), 0);
  ASSERT_EQ(CreateLine(u"B", 0, 0), 0);
  ASSERT_EQ(SetLineDescription(2, u"text of B"), 0);
  UseFolder(OutputDir());
  ASSERT_EQ(StreamOpenWrite(u"lind.bin", 0, FILE_KIND_NETWORK), 0);
  ASSERT_EQ(SaveLineSection(), 0);
  ASSERT_EQ(StreamCloseWrite(), 0);
  ASSERT_EQ(StreamOpenRead(u"lind.bin", 0, FILE_KIND_NETWORK), 0);
  SetGlobalAllocFault(1);  // the first block asked for: the description of B
  EXPECT_EQ(LoadLineSection(NET_VERSION_CURRENT), NETSEC_MEMORY);
  SetGlobalAllocFault(0);
  StreamCloseRead();
  EXPECT_EQ(LineCount(), 2);
  EXPECT_EQ(GetLineDescription(2, nullptr), 0);
  ClearLineTable();
  NetTestTearDown();
}
