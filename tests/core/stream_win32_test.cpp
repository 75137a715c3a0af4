// File-stream cases that need the Windows runtime: refused deletes and renames of a read-only
// file, and narrow text in a double-byte code page.
#include "stream_test_util.h"

namespace {

TEST_F(StreamTest, ReadOnlyFileIsAccessDenied) {
  Put("ro.bin", {1});
  std::u16string path = Widen(Path("ro.bin"));
  ASSERT_EQ(WrapChmod(path.c_str(), WRAP_S_IREAD), 0);
  EXPECT_EQ(DeleteKindFile(u"ro.bin", FILE_KIND_NETWORK), 2);
  EXPECT_EQ(RenameKindFile(u"ro.bin", u"ro2.bin", FILE_KIND_NETWORK), 2);
  EXPECT_TRUE(Exists("ro.bin"));
  ASSERT_EQ(WrapChmod(path.c_str(), WRAP_S_IREAD | WRAP_S_IWRITE), 0);
  EXPECT_EQ(DeleteKindFile(u"ro.bin", FILE_KIND_NETWORK), 0);
}

// Single-byte characters of a double-byte code page are written; double-byte ones are not cut.
TEST_F(StreamTest, NarrowWriteInADoubleByteCodePage) {
  SetConversionCodePages(-1, 932);
  ASSERT_EQ(StreamOpenWrite(u"sjis.txt", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
  for (char16_t c : std::u16string(u"A\uFF71\u3042\u4E00z")) ASSERT_EQ(StreamWriteChar(c), 0);
  ASSERT_EQ(StreamCloseWrite(), 0);
  EXPECT_EQ(Get("sjis.txt"), (Bytes{'A', 0xB1, '?', '?', 'z'}));
}

}  // namespace
