// Write failures of the stream on the native build: the full device refuses every byte, so the
// buffer write-out and the final flush fail, close the file and report a write error.
#include "stream_test_util.h"

namespace {

TEST_F(StreamTest, WriteErrorClosesTheFile) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A failure when a full buffer is written out.
  ASSERT_EQ(StreamOpenWrite(u"/dev/full", 0, 99), 0);
  Bytes data(4097, 0x41);
  EXPECT_EQ(StreamWriteBytes(data.data(), 4096), 0);
  EXPECT_EQ(StreamWriteByte(1), STREAM_ERR_WRITE);
  EXPECT_EQ(StreamIsOpen(), 0);
  EXPECT_EQ(StreamCloseWrite(), STREAM_ERR_NOT_OPEN);

  // A failure of the last buffer at close, with a run still held by the compressor.
  ASSERT_EQ(StreamOpenWrite(u"/dev/full", 0, 99), 0);
  StreamResetCompression();
  EXPECT_EQ(StreamWriteBytes(data.data(), 10), 0);
  EXPECT_EQ(StreamCloseWrite(), STREAM_ERR_WRITE);
  EXPECT_EQ(StreamIsOpen(), 0);
  EXPECT_EQ(StreamCloseWrite(), STREAM_ERR_NOT_OPEN);
}

}  // namespace
