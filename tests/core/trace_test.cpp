// The trace file: lines appended as UTF-16 little-endian with CR LF, no byte-order mark.
#include "core/trace.h"
#include "core/platform.h"
#include <gtest/gtest.h>
#include <filesystem>
#include <vector>

TEST(TraceFile, AppendsUtf16LinesWithCrLf) {
  WrapRemove(u"R27KTR.000");
  EXPECT_EQ(0, AppendTraceFile(u"Ab"));
  EXPECT_EQ(0, AppendTraceFile(u"\u20AC"));
  EXPECT_EQ(0, AppendTraceFile(u""));
  FILE* f = WrapFopen(u"R27KTR.000", u"rb");
  ASSERT_NE(nullptr, f);
  std::vector<unsigned char> bytes(64);
  bytes.resize(fread(bytes.data(), 1, bytes.size(), f));
  WrapFclose(f);
  std::vector<unsigned char> expected = {0x41, 0,    0x62, 0,    0x0D, 0,    0x0A, 0,    0xAC,
                                         0x20, 0x0D, 0,    0x0A, 0,    0x0D, 0,    0x0A, 0};
  EXPECT_EQ(expected, bytes);
  EXPECT_EQ(0, WrapRemove(u"R27KTR.000"));
}

TEST(TraceFile, UnopenableFileGivesMinusOne) {
  WrapRemove(u"R27KTR.000");
  std::filesystem::create_directory("R27KTR.000");
  EXPECT_EQ(-1, AppendTraceFile(u"x"));
  std::filesystem::remove("R27KTR.000");
}
