// Tests of the pair-run compression: exact bytes written for escapes, runs, the count forms and
// the run cap; decoding of every form; round trips of chosen and random data; raw mode.
#include "stream_test_util.h"
#include "core/random.h"

namespace {

Bytes Repeat(const Bytes& unit, size_t times) {
  Bytes out;
  for (size_t i = 0; i < times; i++) out.insert(out.end(), unit.begin(), unit.end());
  return out;
}
Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct GoldenCase {
  const char* what;
  Bytes logical;
  Bytes coded;
};

std::vector<GoldenCase> GoldenCases() {
  return {
      {"empty", {}, {}},
      {"plain bytes", {1, 2, 3}, {1, 2, 3}},
      {"two pairs", {0x41, 0x42, 0x41, 0x42}, {0xC5, 0x01, 0x41, 0x42}},
      {"six equal bytes", Bytes(6, 0), {0xC5, 0x02, 0x00, 0x00}},
      {"five equal bytes", Bytes(5, 0), {0xC5, 0x01, 0x00, 0x00, 0x00}},
      {"three equal bytes", Bytes(3, 7), {7, 7, 7}},
      {"A B A then other", {0x41, 0x42, 0x41, 0x43}, {0x41, 0x42, 0x41, 0x43}},
      {"lone C5", {0xC5}, {0xC5, 0x00}},
      {"lone B5", {0xB5}, {0xB5, 0x00, 0x00}},
      {"escapes among literals",
       {0x01, 0xC5, 0x02, 0xB5, 0x03},
       {0x01, 0xC5, 0x00, 0x02, 0xB5, 0x00, 0x00, 0x03}},
      {"escaped A of a broken pair",
       {0xC5, 0x42, 0xC5, 0x43},
       {0xC5, 0x00, 0x42, 0xC5, 0x00, 0x43}},
      {"run of C5 C5 keeps A and B raw", Bytes(4, 0xC5), {0xC5, 0x01, 0xC5, 0xC5}},
      {"run of B5 C5 pairs", {0xB5, 0xC5, 0xB5, 0xC5, 0xB5, 0xC5}, {0xC5, 0x02, 0xB5, 0xC5}},
      {"odd byte after a run", {0x41, 0x42, 0x41, 0x42, 0x41}, {0xC5, 0x01, 0x41, 0x42, 0x41}},
      {"escaped odd C5 after a run",
       {0xC5, 0x42, 0xC5, 0x42, 0xC5},
       {0xC5, 0x01, 0xC5, 0x42, 0xC5, 0x00}},
      {"run then another byte", {0x41, 0x42, 0x41, 0x42, 0x43}, {0xC5, 0x01, 0x41, 0x42, 0x43}},
      {"run, A again, another byte",
       {0x41, 0x42, 0x41, 0x42, 0x41, 0x43},
       {0xC5, 0x01, 0x41, 0x42, 0x41, 0x43}},
      {"256 pairs: largest C5 count", Repeat({0x41, 0x42}, 256), {0xC5, 0xFF, 0x41, 0x42}},
      {"257 pairs: smallest B5 count", Repeat({0x41, 0x42}, 257), {0xB5, 0x00, 0x01, 0x41, 0x42}},
      {"300 pairs", Repeat({0x41, 0x42}, 300), {0xB5, 0x2B, 0x01, 0x41, 0x42}},
      {"65501 pairs: one full record", Repeat({0x41, 0x42}, 65501), {0xB5, 0xDC, 0xFF, 0x41, 0x42}},
      {"65502 pairs: the next pair starts afresh",
       Repeat({0x41, 0x42}, 65502),
       {0xB5, 0xDC, 0xFF, 0x41, 0x42, 0x41, 0x42}},
      {"65503 pairs: a second run",
       Repeat({0x41, 0x42}, 65503),
       {0xB5, 0xDC, 0xFF, 0x41, 0x42, 0xC5, 0x01, 0x41, 0x42}},
      {"131002 equal bytes", Bytes(131002, 0x00), {0xB5, 0xDC, 0xFF, 0x00, 0x00}},
      {"run, literal, run",
       Cat(Cat(Repeat({1, 2}, 3), {9}), Repeat({3, 4}, 2)),
       {0xC5, 0x02, 1, 2, 9, 0xC5, 0x01, 3, 4}},
  };
}

TEST_F(StreamTest, CompressionWritesTheExactBytes) {
  for (const GoldenCase& c : GoldenCases()) {
    SCOPED_TRACE(c.what);
    WriteFile("golden.bin", {}, c.logical, true);
    EXPECT_EQ(Get("golden.bin"), c.coded);
  }
}

TEST_F(StreamTest, DecompressionGivesTheLogicalBytes) {
  for (const GoldenCase& c : GoldenCases()) {
    SCOPED_TRACE(c.what);
    Put("golden.bin", c.coded);
    int rc = 0;
    EXPECT_EQ(ReadFile("golden.bin", 0, true, &rc), c.logical);
    EXPECT_EQ(rc, STREAM_ERR_EOF);
  }
}

// Forms the writer never makes must still read as the format says.
TEST_F(StreamTest, DecompressionReadsEveryRecordForm) {
  struct Case {
    const char* what;
    Bytes coded;
    Bytes logical;
  };
  const Case cases[] = {
      {"B5 with a small count", {0xB5, 0x01, 0x00, 0x41, 0x42}, {0x41, 0x42, 0x41, 0x42}},
      {"largest B5 count", {0xB5, 0xFF, 0xFF, 7, 8}, Repeat({7, 8}, 65536)},
      {"records back to back",
       {0xC5, 0x01, 1, 2, 0xC5, 0x00, 0xB5, 0x00, 0x00, 0xC5, 0x01, 3, 4},
       {1, 2, 1, 2, 0xC5, 0xB5, 3, 4, 3, 4}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Put("forms.bin", c.coded);
    EXPECT_EQ(ReadFile("forms.bin", 0, true), c.logical);
  }
}

TEST_F(StreamTest, TruncatedRecordsEndWithEndOfFile) {
  const Bytes cases[] = {
      {0xC5}, {0xB5}, {0xB5, 0x00}, {0xC5, 0x02}, {0xC5, 0x02, 0x41}, {0xB5, 0x05, 0x00, 0x41}};
  for (const Bytes& coded : cases) {
    Put("cut.bin", coded);
    int rc = 0;
    EXPECT_TRUE(ReadFile("cut.bin", 0, true, &rc).empty());
    EXPECT_EQ(rc, STREAM_ERR_EOF);
  }
}

TEST_F(StreamTest, RawModePassesEscapeBytesUnchanged) {
  const Bytes data = {0xC5, 0x00, 0xB5, 0x01, 0x41, 0x42, 0x41, 0x42, 0xC5, 0xB5};
  WriteFile("raw.bin", {}, data, false);
  EXPECT_EQ(Get("raw.bin"), data);
  EXPECT_EQ(ReadFile("raw.bin", 0, false), data);
}

// A header written raw before StreamResetCompression stays raw; the rest is coded.
TEST_F(StreamTest, HeaderStaysRawAndCompressionStartsAfterReset) {
  WriteFile("hdr.bin", {0xC5, 0x1A}, {0xC5, 0x41, 0x42, 0x41, 0x42}, true);
  EXPECT_EQ(Get("hdr.bin"), (Bytes{0xC5, 0x1A, 0xC5, 0x00, 0xC5, 0x01, 0x41, 0x42}));
  EXPECT_EQ(ReadFile("hdr.bin", 2, true), (Bytes{0xC5, 0x1A, 0xC5, 0x41, 0x42, 0x41, 0x42}));
}

// Every open starts raw again.
TEST_F(StreamTest, OpenSwitchesCompressionOff) {
  ASSERT_EQ(StreamOpenWrite(u"a.bin", 0, FILE_KIND_NETWORK), 0);
  StreamResetCompression();
  ASSERT_EQ(StreamCloseWrite(), 0);
  WriteFile("b.bin", {0xC5}, {}, false);
  EXPECT_EQ(Get("b.bin"), (Bytes{0xC5}));
}

Bytes RandomData(int kind, size_t size) {
  Bytes out;
  static const uint8_t alphabet[] = {0xC5, 0xB5, 0x00, 0x41};
  while (out.size() < size) {
    int r = RuntimeRand();
    switch (kind) {
      case 0:  // any bytes
        out.push_back((uint8_t)(r & 0xFF));
        break;
      case 1:  // escape-heavy small alphabet: many short accidental runs
        out.push_back(alphabet[r & 3]);
        break;
      default: {  // cell codes: runs of 16-bit words of varying length, some varied words
        uint16_t code = (r & 7) == 0 ? (uint16_t)RuntimeRand() : (uint16_t)(0xC000 + (r & 3));
        int len = 1 + RuntimeRand() % 400;
        for (int i = 0; i < len; i++) {
          out.push_back((uint8_t)(code & 0xFF));
          out.push_back((uint8_t)(code >> 8));
        }
      }
    }
  }
  out.resize(size);
  return out;
}

TEST_F(StreamTest, RandomDataRoundTrips) {
  RuntimeSrand(20261210);
  const size_t sizes[] = {1, 2, 3, 4095, 4096, 4097, 70001};
  for (int kind = 0; kind < 3; kind++) {
    for (size_t size : sizes) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " size " << size);
      Bytes data = RandomData(kind, size);
      WriteFile("rand.bin", {0x1A}, data, true);
      Bytes back = ReadFile("rand.bin", 1, true);
      ASSERT_EQ(back.size(), data.size() + 1);
      EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin() + 1));
    }
  }
}

// Runs that cross the cap, and every byte value as A and B of runs.
TEST_F(StreamTest, LongRunsAndAllPairValuesRoundTrip) {
  Bytes data = Cat(Bytes(140001, 0x55), Repeat({0xB5, 0xC5}, 70000));
  for (int v = 0; v < 256; v++) data = Cat(data, Repeat({(uint8_t)v, (uint8_t)(255 - v)}, 3));
  WriteFile("long.bin", {}, data, true);
  EXPECT_LT(Get("long.bin").size(), 2000u);
  EXPECT_EQ(ReadFile("long.bin", 0, true), data);
}

TEST_F(StreamTest, ValuesAreLittleEndianThroughTheCompressor) {
  ASSERT_EQ(StreamOpenWrite(u"val.bin", 0, FILE_KIND_NETWORK), 0);
  StreamResetCompression();
  EXPECT_EQ(StreamWriteWord(0x1234), 0);
  EXPECT_EQ(StreamWriteDword(0xA1B2C3D4u), 0);
  EXPECT_EQ(StreamWriteDword(0xC5C5C5C5u), 0);
  ASSERT_EQ(StreamCloseWrite(), 0);
  EXPECT_EQ(Get("val.bin"), (Bytes{0x34, 0x12, 0xD4, 0xC3, 0xB2, 0xA1, 0xC5, 0x01, 0xC5, 0xC5}));
  ASSERT_EQ(StreamOpenRead(u"val.bin", 0, FILE_KIND_NETWORK), 0);
  StreamResetCompression();
  uint16_t w = 0;
  uint32_t d = 0, e = 0;
  EXPECT_EQ(StreamReadWord(&w), 0);
  EXPECT_EQ(StreamReadDword(&d), 0);
  EXPECT_EQ(StreamReadDword(&e), 0);
  EXPECT_EQ(w, 0x1234);
  EXPECT_EQ(d, 0xA1B2C3D4u);
  EXPECT_EQ(e, 0xC5C5C5C5u);
  EXPECT_EQ(StreamReadWord(&w), STREAM_ERR_EOF);
  EXPECT_EQ(StreamCloseRead(), 0);
}

TEST_F(StreamTest, ReadBytesCountsUpToTheFailure) {
  Bytes data(10000);
  for (size_t i = 0; i < data.size(); i++) data[i] = (uint8_t)(i * 7);
  for (bool compress : {false, true}) {
    SCOPED_TRACE(compress ? "compressed" : "raw");
    WriteFile("n.bin", {}, data, compress);
    ASSERT_EQ(StreamOpenRead(u"n.bin", 0, FILE_KIND_NETWORK), 0);
    if (compress) StreamResetCompression();
    Bytes back(12000);
    EXPECT_EQ(StreamReadBytes(back.data(), 3), 3u);
    EXPECT_EQ(StreamReadBytes(back.data() + 3, 11997), 9997u);
    back.resize(10000);
    EXPECT_EQ(back, data);
    EXPECT_EQ(StreamCloseRead(), 0);
  }
}

}  // namespace
