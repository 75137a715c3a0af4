// Tests of text through the stream: encodings and byte-order marks on writing and reading, the
// mid-file mark switch, skipped characters, line ends, the header skip and narrow conversion.
#include "stream_test_util.h"

namespace {

void WriteChars(const std::u16string& text) {
  for (char16_t c : text) ASSERT_EQ(StreamWriteChar(c), 0);
}

std::u16string ReadChars(int* rc = nullptr) {
  std::u16string out;
  uint32_t ch;
  int r;
  while ((r = StreamReadChar(&ch)) == 0) out += (char16_t)ch;
  if (rc) *rc = r;
  return out;
}

TEST_F(StreamTest, WriteEncodingsAndMarks) {
  struct Case {
    const char* what;
    int flags;
    int unicode;
    Bytes bytes;
  };
  // The text: 'A', U+00E9, U+20AC, then a mark character that narrow text drops.
  const Case cases[] = {
      {"LE with mark",
       STREAM_WRITE_UTF16LE | STREAM_WRITE_MARK,
       1,
       {0xFF, 0xFE, 0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20, 0xFF, 0xFE}},
      {"BE with mark",
       STREAM_WRITE_UTF16BE | STREAM_WRITE_MARK,
       1,
       {0xFE, 0xFF, 0x00, 0x41, 0x00, 0xE9, 0x20, 0xAC, 0xFE, 0xFF}},
      {"LE without mark",
       STREAM_WRITE_UTF16LE,
       1,
       {0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20, 0xFF, 0xFE}},
      {"narrow ignores the mark flag",
       STREAM_WRITE_NARROW | STREAM_WRITE_MARK,
       1,
       {0x41, 0xE9, 0x80}},
      {"narrow wins over LE and BE",
       STREAM_WRITE_NARROW | STREAM_WRITE_UTF16LE | STREAM_WRITE_UTF16BE,
       1,
       {0x41, 0xE9, 0x80}},
      {"LE wins over BE",
       STREAM_WRITE_UTF16LE | STREAM_WRITE_UTF16BE,
       1,
       {0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20, 0xFF, 0xFE}},
      {"default in wide mode: LE with mark",
       STREAM_WRITE_MARK,
       1,
       {0xFF, 0xFE, 0x41, 0x00, 0xE9, 0x00, 0xAC, 0x20, 0xFF, 0xFE}},
      {"default in ANSI mode: narrow, no mark", STREAM_WRITE_MARK, 0, {0x41, 0xE9, 0x80}},
  };
  SetConversionCodePages(-1, 1252);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    UnicodeFlag = c.unicode;
    ASSERT_EQ(StreamOpenWrite(u"enc.txt", c.flags, FILE_KIND_NETWORK), 0);
    WriteChars(u"A\u00E9\u20AC\uFEFF");
    ASSERT_EQ(StreamCloseWrite(), 0);
    EXPECT_EQ(Get("enc.txt"), c.bytes);
  }
}

// A character that the code page gives as more than one byte must not leave a lead byte alone
// in a narrow file: the replacement character stands in its place.
TEST_F(StreamTest, NarrowWriteNeverWritesHalfACharacter) {
  struct Case {
    int codePage;
    std::u16string text;
    Bytes bytes;
  };
  const Case cases[] = {
      {65001, u"a\u00E9b\u20ACc", {'a', '?', 'b', '?', 'c'}},
      {932, u"x\u3042y", {'x', '?', 'y'}},
      {1252, u"\u00FC\u4E00", {0xFC, '?'}},
      {1252, std::u16string(u"a\0b", 3), {'a', 0, 'b'}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.codePage);
    SetConversionCodePages(-1, c.codePage);
    ASSERT_EQ(StreamOpenWrite(u"narrow.txt", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
    WriteChars(c.text);
    ASSERT_EQ(StreamCloseWrite(), 0);
    EXPECT_EQ(Get("narrow.txt"), c.bytes);
  }
}

TEST_F(StreamTest, LineEndsAndRule) {
  struct Case {
    std::u16string text;
    std::string bytes;
  };
  const Case cases[] = {
      {u"a\r\n\rb", "a\r\n\r\nb"},
      {u"a\n\rb", "a\r\nb"},
      {u"a\nb\rc\r\n", "a\r\nb\r\nc\r\n"},
      {u"\n\n", "\r\n\r\n"},
      {u"", ""},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(StreamOpenWrite(u"lines.txt", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
    EXPECT_EQ(StreamWriteText(c.text.c_str()), 0);
    ASSERT_EQ(StreamCloseWrite(), 0);
    EXPECT_EQ(Get("lines.txt"), Bytes(c.bytes.begin(), c.bytes.end()));
  }
  ASSERT_EQ(StreamOpenWrite(u"rule.txt", STREAM_WRITE_UTF16LE, FILE_KIND_NETWORK), 0);
  EXPECT_EQ(StreamWriteRule(), 0);
  EXPECT_EQ(StreamWriteNewline(), 0);
  ASSERT_EQ(StreamCloseWrite(), 0);
  Bytes rule = {0x0D, 0, 0x0A, 0};
  for (int i = 0; i < 60; i++) rule.insert(rule.end(), {'-', 0});
  rule.insert(rule.end(), {0x0D, 0, 0x0A, 0, 0x0D, 0, 0x0A, 0});
  EXPECT_EQ(Get("rule.txt"), rule);
}

TEST_F(StreamTest, ReadingTextWithMarksAndSkippedCharacters) {
  struct Case {
    const char* what;
    int flags;
    Bytes bytes;
    std::u16string text;
  };
  const Case cases[] = {
      {"LE mark", STREAM_READ_NEED_MARK, {0xFF, 0xFE, 0x41, 0x00, 0xE9, 0x00}, u"A\u00E9"},
      {"BE mark", STREAM_READ_NEED_MARK, {0xFE, 0xFF, 0x00, 0x41, 0x20, 0xAC}, u"A\u20AC"},
      {"narrow bytes keep their values", 0, {0x41, 0xE9, 0xFF, 0xFE}, u"A\u00E9\u00FF\u00FE"},
      {"switch to BE in the middle",
       STREAM_READ_NEED_MARK,
       {0xFF, 0xFE, 0x41, 0x00, 0xFE, 0xFF, 0x00, 0x42, 0x00, 0x43},
       u"ABC"},
      {"switch to LE in the middle",
       STREAM_READ_NEED_MARK,
       {0xFE, 0xFF, 0x00, 0x41, 0xFF, 0xFE, 0x42, 0x00},
       u"AB"},
      {"mark in the current order stays",
       STREAM_READ_NEED_MARK,
       {0xFF, 0xFE, 0x41, 0x00, 0xFF, 0xFE, 0x42, 0x00},
       u"AB"},
      {"line and paragraph separators and FFFF skipped",
       STREAM_READ_NEED_MARK,
       {0xFF, 0xFE, 0x28, 0x20, 0x41, 0x00, 0x29, 0x20, 0xFF, 0xFF, 0x42, 0x00},
       u"AB"},
      {"U+2027 and U+FFFD are kept",
       STREAM_READ_NEED_MARK,
       {0xFF, 0xFE, 0x27, 0x20, 0xFD, 0xFF},
       u"\u2027\uFFFD"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put("read.txt", c.bytes);
    ASSERT_EQ(StreamOpenRead(u"read.txt", c.flags, FILE_KIND_NETWORK), 0);
    int rc = 0;
    EXPECT_EQ(ReadChars(&rc), c.text);
    EXPECT_EQ(rc, STREAM_ERR_EOF);
    EXPECT_EQ(StreamCloseRead(), 0);
  }
}

TEST_F(StreamTest, OddTrailingByteEndsUtf16Reading) {
  Put("odd.txt", {0xFF, 0xFE, 0x41, 0x00, 0x42});
  ASSERT_EQ(StreamOpenRead(u"odd.txt", STREAM_READ_NEED_MARK, FILE_KIND_NETWORK), 0);
  int rc = 0;
  EXPECT_EQ(ReadChars(&rc), u"A");
  EXPECT_EQ(rc, STREAM_ERR_EOF);
}

TEST_F(StreamTest, BadOrMissingMarkIsABadFile) {
  const Bytes cases[] = {{}, {0xFF}, {0x41, 0x00, 0x42, 0x00}, {0xFE, 0xFE}};
  for (const Bytes& bytes : cases) {
    Put("mark.txt", bytes);
    EXPECT_EQ(StreamOpenRead(u"mark.txt", STREAM_READ_NEED_MARK, FILE_KIND_NETWORK),
              STREAM_ERR_BAD_FILE);
    EXPECT_EQ(StreamIsOpen(), 0);  // the file was closed again
  }
}

TEST_F(StreamTest, SetReadEncodingFromMarkBytes) {
  struct Case {
    uint8_t a, b;
    int enc;
  };
  const Case cases[] = {{0xFF, 0xFE, STREAM_ENC_UTF16LE},
                        {0xFE, 0xFF, STREAM_ENC_UTF16BE},
                        {0xFF, 0xFF, STREAM_ENC_NARROW},
                        {0x00, 0x00, STREAM_ENC_NARROW}};
  for (const Case& c : cases) {
    StreamSetReadEncoding(c.a, c.b);
    EXPECT_EQ(StreamGetReadEncoding(), c.enc);
  }
  // In the middle of a narrow file: the name after it reads as UTF-16.
  Put("mid.bin", {0x07, 0xFE, 0xFF, 0x00, 0x41, 0x00, 0x42});
  ASSERT_EQ(StreamOpenRead(u"mid.bin", 0, FILE_KIND_NETWORK), 0);
  uint8_t n, m1, m2;
  ASSERT_EQ(StreamReadByte(&n), 0);
  ASSERT_EQ(StreamReadByte(&m1), 0);
  ASSERT_EQ(StreamReadByte(&m2), 0);
  StreamSetReadEncoding(m1, m2);
  EXPECT_EQ(ReadChars(), u"AB");
}

TEST_F(StreamTest, HeaderSkipConsumesUpToTheFirst1A) {
  Put("hdr.bin", {'Q', 'U', 'I', 'L', '\r', '\n', 0x1A, 0x01, 0x1A, 0x02});
  ASSERT_EQ(StreamOpenRead(u"hdr.bin", STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK), 0);
  uint8_t b = 0;
  EXPECT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(b, 0x01);
  EXPECT_EQ(StreamCloseRead(), 0);

  // With a mark the header is read as UTF-16 characters.
  Put("hdr16.bin", {0xFF, 0xFE, 'x', 0x00, 0x1A, 0x01, 0x1A, 0x00, 0x05});
  ASSERT_EQ(StreamOpenRead(u"hdr16.bin", STREAM_READ_SKIP_HEADER | STREAM_READ_NEED_MARK,
                           FILE_KIND_NETWORK),
            0);
  EXPECT_EQ(StreamReadByte(&b), 0);
  EXPECT_EQ(b, 0x05);
  EXPECT_EQ(StreamCloseRead(), 0);

  Put("nohdr.bin", {'a', 'b', 'c'});
  EXPECT_EQ(StreamOpenRead(u"nohdr.bin", STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK),
            STREAM_ERR_BAD_FILE);
  EXPECT_EQ(StreamIsOpen(), 0);
}

TEST_F(StreamTest, TextRoundTripsInEveryEncoding) {
  std::u16string text;
  for (char16_t c = 0x20; c < 0x3000; c += 37)
    if (c != 0x2028 && c != 0x2029) text += c;
  const int encodings[] = {STREAM_WRITE_UTF16LE, STREAM_WRITE_UTF16BE};
  for (int enc : encodings) {
    ASSERT_EQ(StreamOpenWrite(u"rt.txt", enc | STREAM_WRITE_MARK, FILE_KIND_NETWORK), 0);
    StreamResetCompression();  // text through the compressor, the mark before it raw
    WriteChars(text);
    ASSERT_EQ(StreamCloseWrite(), 0);
    ASSERT_EQ(StreamOpenRead(u"rt.txt", STREAM_READ_NEED_MARK, FILE_KIND_NETWORK), 0);
    StreamResetCompression();
    EXPECT_EQ(ReadChars(), text);
    EXPECT_EQ(StreamCloseRead(), 0);
  }
}

}  // namespace
