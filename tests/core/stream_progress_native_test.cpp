// Progress of the stream in the info box (native build: the info boxes there need no window):
// bytes per buffer read or written, and which closes take the box away.
#include "stream_test_util.h"
#include "app/infobox.h"
#include "core/langtext.h"

namespace {

class StreamProgressTest : public StreamTest {
 protected:
  char16_t savedProgram[STREAM_PATH_CHARS];
  void SetUp() override {
    StreamTest::SetUp();
    GetKindFolder(FILE_KIND_PROGRAM, savedProgram);
    ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, Widen(QUIL_TEST_DATA_DIR).c_str()), 0);
    ASSERT_EQ(InitLanguage(), 0);
    ASSERT_EQ(LoadLanguageFile(u"quil.lng", 1), 0);
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
  }
  void TearDown() override {
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    ExitLanguage();
    SetKindFolder(FILE_KIND_PROGRAM, savedProgram);
    StreamTest::TearDown();
  }
  std::u16string Progress() {
    const InfoBoxSlot* slot = GetInfoBoxSlot(GetInfoBoxLevel());
    return slot ? std::u16string(slot->progress) : u"(no box)";
  }
};

TEST_F(StreamProgressTest, ReadingShowsBytesPerBufferAndClosesTheBox) {
  Put("big.bin", Bytes(10000, 3));
  ASSERT_EQ(OpenInfoBox(u"Loading", u"quil", 12, 0), 0);
  ASSERT_EQ(StreamOpenRead(u"big.bin", STREAM_READ_PROGRESS, FILE_KIND_NETWORK), 0);
  uint8_t b;
  ASSERT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(Progress(), u"4096 bytes");
  Bytes rest(9999);
  EXPECT_EQ(StreamReadBytes(rest.data(), 9999), 9999u);
  EXPECT_EQ(Progress(), u"12288 bytes");
  EXPECT_EQ(StreamCloseRead(), 0);
  EXPECT_EQ(GetInfoBoxLevel(), -1);

  // Without the flag: no text, and the box stays.
  ASSERT_EQ(OpenInfoBox(u"Loading", u"quil", 12, 0), 0);
  ASSERT_EQ(StreamOpenRead(u"big.bin", 0, FILE_KIND_NETWORK), 0);
  ASSERT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(Progress(), u"");
  EXPECT_EQ(StreamCloseRead(), 0);
  EXPECT_EQ(GetInfoBoxLevel(), 0);

  // A failed open with the flag closes the box the caller opened for it.
  EXPECT_EQ(StreamOpenRead(u"missing.bin", STREAM_READ_PROGRESS, FILE_KIND_NETWORK), 1);
  EXPECT_EQ(GetInfoBoxLevel(), -1);
}

// A file the stream closes by itself (found bad while opening) takes its progress box along:
// the caller cannot close the file any more, so nobody else would close the box. A box below
// it stays.
TEST_F(StreamProgressTest, AFileFoundBadClosesItsProgressBox) {
  Put("nomark.bin", Bytes{0x41, 0x42, 0x43});
  const int cases[] = {STREAM_READ_SKIP_HEADER, STREAM_READ_NEED_MARK};
  for (int flag : cases) {
    SCOPED_TRACE(flag);
    ASSERT_EQ(OpenInfoBox(u"Below", u"quil", 12, 0), 0);
    ASSERT_EQ(OpenInfoBox(u"Loading", u"quil", 12, 0), 1);
    EXPECT_EQ(StreamOpenRead(u"nomark.bin", flag | STREAM_READ_PROGRESS, FILE_KIND_NETWORK),
              STREAM_ERR_BAD_FILE);
    EXPECT_EQ(StreamIsOpen(), 0);
    EXPECT_EQ(GetInfoBoxLevel(), 0);
    EXPECT_EQ(StreamCloseRead(), STREAM_ERR_NOT_OPEN);
    EXPECT_EQ(GetInfoBoxLevel(), 0);
    CloseInfoBox();
  }
  // Without the progress flag the box is the caller's own business.
  ASSERT_EQ(OpenInfoBox(u"Loading", u"quil", 12, 0), 0);
  EXPECT_EQ(StreamOpenRead(u"nomark.bin", STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK),
            STREAM_ERR_BAD_FILE);
  EXPECT_EQ(GetInfoBoxLevel(), 0);
}

TEST_F(StreamProgressTest, WritingShowsEachBufferAndCloseWriteClosesTheBox) {
  ASSERT_EQ(OpenInfoBox(u"Saving", u"quil", 12, 0), 0);
  ASSERT_EQ(StreamOpenWrite(u"w.bin", 0, FILE_KIND_NETWORK), 0);
  Bytes data(8193, 1);
  ASSERT_EQ(StreamWriteBytes(data.data(), 4096), 0);
  EXPECT_EQ(Progress(), u"");  // a full buffer leaves only when the next byte comes
  ASSERT_EQ(StreamWriteBytes(data.data(), 4096), 0);
  EXPECT_EQ(Progress(), u"4096 bytes");
  ASSERT_EQ(StreamWriteByte(1), 0);
  EXPECT_EQ(Progress(), u"8192 bytes");
  EXPECT_EQ(StreamCloseWrite(), 0);
  EXPECT_EQ(GetInfoBoxLevel(), -1);
  EXPECT_EQ(Get("w.bin"), data);
}

}  // namespace
