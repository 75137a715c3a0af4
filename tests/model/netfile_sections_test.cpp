// The general and grid sections on their own, read from raw (uncompressed) bytes: run words,
// positions and codes from a file checked against the grid, clock fields, scale and texts.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <vector>
#include "app/editwnd.h"
#include "core/langtext.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/grid_section.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"
#include "views/view_services.h"

class Sections : public ::testing::Test {
 protected:
  void SetUp() override {
    NetTestSetUp();
    UseFolder(OutputDir());
  }
  void TearDown() override { NetTestTearDown(); }
};

struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u8(uint32_t v) {
    b.push_back((uint8_t)v);
    return *this;
  }
  Bytes& u16(uint32_t v) {
    u8(v);
    return u8(v >> 8);
  }
  Bytes& u32(uint32_t v) {
    u16(v);
    return u16(v >> 16);
  }
  Bytes& tag(const char* t) {
    while (*t) u8((uint8_t)*t++);
    return *this;
  }
  Bytes& pos(int x, int y, int level) {
    u16((uint16_t)x);
    u16((uint16_t)y);
    return u8((uint8_t)level);
  }
};

// Writes bytes to a file and opens it for raw reading.
static void OpenRaw(const std::vector<uint8_t>& bytes) {
  WriteWholeFile(OutputDir() + "raw.bin", bytes);
  ASSERT_EQ(StreamOpenRead(u"raw.bin", 0, FILE_KIND_NETWORK), 0);
}

static std::vector<uint8_t> WriteRaw(int (*writer)()) {
  EXPECT_EQ(StreamOpenWrite(u"rawout.bin", STREAM_WRITE_UTF16LE, FILE_KIND_NETWORK), 0);
  EXPECT_EQ(writer(), 0);
  EXPECT_EQ(StreamCloseWrite(), 0);
  return ReadWholeFile(OutputDir() + "rawout.bin");
}

static int ReadRaw(const std::vector<uint8_t>& bytes, int (*reader)(int), int version) {
  OpenRaw(bytes);
  int r = reader(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

static Bytes GridHeader(uint32_t blocks) {
  Bytes g;
  g.tag("NETZ").tag("QUAD").u32(64).u32(64).u32(5).u32(blocks);
  return g;
}

TEST_F(Sections, GridRunWords) {
  SetCell(0, 0, 0, 0x0201);  // then 4095 empty cells: 15 x 0x80FF and one run of 255
  auto bytes = WriteRaw(WriteGridSection);
  Bytes expect = GridHeader(1);
  expect.pos(0, 0, 0).u16(0x0201);
  for (int i = 0; i < 15; i++) expect.u16(0x80FF);
  expect.u16(0x8000 | 254);
  EXPECT_EQ(bytes, expect.b);
  // An emptied block: its position and 16 words 0x80FF. 257 empties: 0x80FF then 0x8000.
  SetCell(0, 0, 0, CELL_EMPTY);
  SetCell(257, 64, 0, 0x0202);
  bytes = WriteRaw(WriteGridSection);
  Bytes e2 = GridHeader(2);
  e2.pos(0, 0, 0);
  for (int i = 0; i < 16; i++) e2.u16(0x80FF);
  e2.pos(256, 64, 0).u16(0x8000).u16(0x0202);
  for (int i = 0; i < 15; i++) e2.u16(0x80FF);
  e2.u16(0x8000 | 253);
  EXPECT_EQ(bytes, e2.b);
}

struct GridCase {
  const char* what;
  int x, y, level;
  int twice;
  int result;
};

TEST_F(Sections, GridBlockPositionsAreChecked) {
  const GridCase cases[] = {
      {"good", 64, 128, -4, 0, 0},
      {"not a multiple of 64", 65, 0, 0, 0, NETSEC_FORMAT},
      {"negative x", -64, 0, 0, 0, NETSEC_FORMAT},
      {"level 1", 0, 0, 1, 0, NETSEC_FORMAT},
      {"level -5", 0, 0, -5, 0, NETSEC_FORMAT},
      {"listed twice", 0, 0, 0, 1, NETSEC_MEMORY},
  };
  for (const GridCase& c : cases) {
    Bytes g = GridHeader(c.twice ? 2 : 1);
    for (int k = 0; k <= c.twice; k++) {
      g.pos(c.x, c.y, c.level).u16(0x0203);
      for (int i = 0; i < 16; i++) g.u16(0x80FF);
    }
    EXPECT_EQ(ReadRaw(g.b, ReadGridSection, 14400), c.result) << c.what;
    if (c.result == 0) {
      EXPECT_EQ(GetCell(c.x, c.y, c.level), 0x0203);
    }
  }
}

TEST_F(Sections, GridCodesThatMayNotStandInTheGrid) {
  const uint16_t bad[] = {0x9000, 0xAFFF, 0xB000, 0xB1C7, 0xBEFF, 0xBF00, 0xBFFF, 0xFC20, 0xFFFF};
  Bytes g = GridHeader(1);
  g.pos(0, 0, 0);
  for (uint16_t code : bad) g.u16(code);
  g.u16(0xC002).u16(0xFC1F);
  int left = 4096 - 11;
  while (left > 0) {
    int n = left > 256 ? 256 : left;
    g.u16(0x8000 | (n - 1));
    left -= n;
  }
  ClearLoadRepairs();
  ASSERT_EQ(ReadRaw(g.b, ReadGridSection, 14400), 0);
  for (int i = 0; i < 9; i++) EXPECT_EQ(GetCell(i, 0, 0), CELL_EMPTY) << i;
  EXPECT_EQ(GetCell(9, 0, 0), 0xC002);
  EXPECT_EQ(GetCell(10, 0, 0), 0xFC1F);
  // The two train cells (0xBF00, 0xBFFF) come back from the train records: no repair.
  EXPECT_EQ(GetGridDroppedCodeCount(), 7);
  int x, y, level;
  EXPECT_EQ(GetLoadRepairs(&x, &y, &level), 7);
  EXPECT_EQ(x, 0);  // the first: 0x9000 at (0, 0, 0)
  EXPECT_EQ(y, 0);
  EXPECT_EQ(level, 0);
  EXPECT_EQ(GridBlocksChanged, 1);
}

TEST_F(Sections, FlatGridCannotRunPastTheLastRow) {
  // 2048 x 32768 cells of runs fill the old grid's rows to the end; the next code lies outside.
  Bytes g;
  g.tag("NP").u32(16 * 16384 + 1).u8(17);
  for (int i = 0; i < 16 * 16384; i++) g.u16(0x80FF);
  g.u16(0x0201);
  EXPECT_EQ(ReadRaw(g.b, ReadGridSection, 14000), NETSEC_FORMAT);
  EXPECT_EQ(Grid.blockCount, 0);
  Bytes ok;
  ok.tag("NP").u32(3).u8(1).u16(0x80FF).u16(0x80FF).u16(0x0201);
  EXPECT_EQ(ReadRaw(ok.b, ReadGridSection, 14000), 0);
  EXPECT_EQ(GetCell(512, 0, 0), 0x0201);
}

// Below 14160 the end mark 0x2000 comes off before the kind is looked at: the end-marked codes of
// kinds 8..11 (4096..6143 without the mark) keep their value, as the unmarked ones do.
TEST_F(Sections, EndMarkedCodesOfKinds8To11KeepTheirValueBelow14160) {
  int changed = 0;
  for (uint32_t c = 0x1000; c <= 0x17FF; c++) {
    if (ConvertCode14160((uint16_t)(c | 0x2000)) != (c | 0x2000)) changed++;
    if (ConvertCode14160((uint16_t)(c | 0x4000)) != (c | 0x4000)) changed++;
  }
  EXPECT_EQ(changed, 0);
  EXPECT_EQ(ConvertCode14160(0x3068), 0x3068);
}

TEST_F(Sections, CodeConversionSteps) {
  EXPECT_EQ(ConvertCode14399(0x4122, 14346), 0x418A);  // SK signals, mark kept
  EXPECT_EQ(ConvertCode14399(0x0122, 14345), 0x0122);
  EXPECT_EQ(ConvertCode14389(0x10D2), 0x1092);  // in 4096..6143: minus 64
  EXPECT_EQ(ConvertCode14393(0xCDB6), 0xCDB3);
  EXPECT_EQ(ConvertCode14162(0xCD43), 0xCD41);
  EXPECT_EQ(ConvertCode14162(0xC512), 7396);
  EXPECT_EQ(ConvertCode14160(0x0010), 0x0208);
  EXPECT_EQ(ConvertCode14160(0x4010), 0x4208);  // the mark bit comes off and goes back
  EXPECT_EQ(ConvertCode14160(0x2068), 0x2268);  // or else the end mark
  EXPECT_EQ(ConvertCode14160(0x6068), 0x6268);
  EXPECT_EQ(ConvertCodeOld(0), 0xC000);
  EXPECT_EQ(ConvertCodeOld(768 + 3), 0xE006);
  EXPECT_EQ(ConvertCodeOld(0x0800 | 44), 0x4030);
  EXPECT_EQ(ConvertGridCode(0, 13500), 0x8000);
  EXPECT_EQ(ConvertGridCode(0x80FF, 13500), 0x80FF);
}

// Offsets in the general section of a new network as written (names empty, no seed).
constexpr int OFS_CURSOR_X = 12, OFS_SAVED_COUNT = 17, OFS_FIRST_SAVED = 21;
constexpr int OFS_CONSTRUCTION = 2246;
constexpr int OFS_SPEED = 2254, OFS_WEEKDAY = 2255, OFS_HOUR = 2256, OFS_MINUTE = 2257,
              OFS_SECOND = 2258, OFS_TICK = 2259, OFS_STOP_MINUTE = 2267, OFS_STOP_HOUR = 2268,
              OFS_STOP_WEEKDAY = 2269, OFS_SCALE = 2288, OFS_PARAMS = 2292, OFS_SWITCH = 2316,
              OFS_DAYTIMES = 2317;

struct Patch {
  const char* what;
  int offset;
  std::vector<uint8_t> bytes;
  int result;
  int repairs;  // values replaced by a default (or kept at the current value)
};

// Every field is checked before it is used: positions, counts and clock values a reader cannot
// keep make the section fail; values that the program can make safe where it uses them are kept
// as read; a value that would divide by zero, and a speed the clock refuses, are replaced and
// counted as repairs of the load.
TEST_F(Sections, GeneralFieldsAreRangeChecked) {
  auto good = WriteRaw(WriteGeneralSection);
  ASSERT_EQ(good[OFS_SAVED_COUNT], 200);
  ASSERT_EQ(good[OFS_SPEED], 15);
  ASSERT_EQ(good[OFS_SCALE], 64);
  ASSERT_EQ(good[OFS_PARAMS + 8], 64);
  ASSERT_EQ(good[OFS_PARAMS + 20], 16);
  ASSERT_EQ(good[OFS_SWITCH], 'g');
  ASSERT_EQ(good[OFS_DAYTIMES + 1], 0x07);
  ASSERT_EQ(good[OFS_CONSTRUCTION + 1], 16384 >> 8);
  const Patch patches[] = {
      {"unchanged", 0, {'G'}, 0, 0},
      {"saved count 201", OFS_SAVED_COUNT, {201}, NETSEC_FORMAT, 0},
      {"cursor x -1", OFS_CURSOR_X, {0xFF, 0xFF}, NETSEC_FORMAT, 0},
      {"saved position x 32768", OFS_FIRST_SAVED, {0x00, 0x80}, NETSEC_FORMAT, 0},
      {"saved position level 1", OFS_FIRST_SAVED + 4, {1}, NETSEC_FORMAT, 0},
      {"construction origin unset", OFS_CONSTRUCTION, std::vector<uint8_t>(8, 0xFF), 0, 0},
      {"construction origin x 32768", OFS_CONSTRUCTION, {0x00, 0x80, 0, 0}, NETSEC_FORMAT, 0},
      {"construction origin x -1 only",
       OFS_CONSTRUCTION,
       {0xFF, 0xFF, 0xFF, 0xFF},
       NETSEC_FORMAT,
       0},
      {"speed 0 keeps the clock's speed", OFS_SPEED, {0}, 0, 1},
      {"speed 21 keeps the clock's speed", OFS_SPEED, {21}, 0, 1},
      {"speed 20", OFS_SPEED, {20}, 0, 0},
      {"weekday 0 loads as 1", OFS_WEEKDAY, {0}, 0, 0},
      {"weekday 9 loads as 1", OFS_WEEKDAY, {9}, 0, 0},
      {"hour 24", OFS_HOUR, {24}, NETSEC_FORMAT, 0},
      {"minute 60", OFS_MINUTE, {60}, NETSEC_FORMAT, 0},
      {"second 60", OFS_SECOND, {60}, NETSEC_FORMAT, 0},
      {"tick 50", OFS_TICK, {1000 & 255, 1000 >> 8}, NETSEC_FORMAT, 0},
      {"stop 18:15", OFS_STOP_MINUTE, {15, 18}, 0, 0},
      {"stop hour 24", OFS_STOP_HOUR, {24}, NETSEC_FORMAT, 0},
      {"stop weekday 9 is kept", OFS_STOP_WEEKDAY, {9}, 0, 0},
      {"scale 0", OFS_SCALE, {0}, NETSEC_FORMAT, 0},
      {"scale 450000001", OFS_SCALE, {0x81, 0x74, 0xD2, 0x1A}, NETSEC_FORMAT, 0},
      {"scale 450000000", OFS_SCALE, {0x80, 0x74, 0xD2, 0x1A}, 0, 0},
      {"grid spacing 0 takes the default", OFS_PARAMS + 8, {0}, 0, 1},
      {"two minor spacings of 0", OFS_PARAMS + 16, {0, 0, 0, 0, 0, 0, 0, 0}, 0, 2},
      {"grid spacing 513 is kept", OFS_PARAMS + 20, {0x01, 0x02}, 0, 0},
      {"grid origin 32768 is kept", OFS_PARAMS, {0x00, 0x80}, 0, 0},
      {"day time 25:61 is kept", OFS_DAYTIMES, {61, 25}, 0, 0},
  };
  for (const Patch& p : patches) {
    NetTestSetUp();
    UseFolder(OutputDir());
    DocState.weekday = 5;
    SetClockSpeed(7);
    ClearLoadRepairs();
    auto bytes = good;
    for (size_t i = 0; i < p.bytes.size(); i++) bytes[p.offset + i] = p.bytes[i];
    EXPECT_EQ(ReadRaw(bytes, ReadGeneralSection, 14400), p.result) << p.what;
    int x = 0;
    EXPECT_EQ(GetLoadRepairs(&x, nullptr, nullptr), p.repairs) << p.what;
    EXPECT_EQ(x, -1) << p.what;  // none of these has a place in the grid
    if (p.result) continue;
    EXPECT_EQ(DocState.weekday, 1) << p.what;
    if (p.offset == OFS_SPEED) {
      EXPECT_EQ(DocState.speedLevel, p.repairs ? 7 : bytes[OFS_SPEED]) << p.what;
    }
    if (p.offset == OFS_CONSTRUCTION) {
      EXPECT_EQ(GetConstructionOrigin(nullptr), -1);
    }
    if (p.offset == OFS_SCALE) {
      EXPECT_EQ(DocState.timeBase, 1u) << p.what;
    }
    if (p.offset == OFS_STOP_WEEKDAY) {
      EXPECT_EQ(DocState.stopWeekday, 9);
    }
    if (p.offset == OFS_DAYTIMES) {
      EXPECT_EQ(DocState.dayTimes[0], 0x193D);
    }
    if (p.offset >= OFS_PARAMS && p.offset < OFS_SWITCH) {
      const uint32_t defaults[6] = {0, 0, 64, 64, 16, 16};
      for (int i = 0; i < 6; i++) {
        uint32_t stored = (uint32_t)bytes[OFS_PARAMS + 4 * i] | bytes[OFS_PARAMS + 4 * i + 1] << 8;
        EXPECT_EQ(DocState.params[i], stored ? stored : defaults[i]) << p.what << " " << i;
      }
    }
  }
  // A failed scale leaves the time base as it was.
  NetTestSetUp();
  auto bytes = good;
  bytes[OFS_SCALE] = 0;
  EXPECT_EQ(ReadRaw(bytes, ReadGeneralSection, 14400), NETSEC_FORMAT);
  EXPECT_EQ(DocState.timeBase, 450000000u / 64);
}

TEST_F(Sections, GeneralTexts) {
  SetTextBlock(0, u"abc");
  auto bytes = WriteRaw(WriteGeneralSection);
  // the shifted form of "abc": 0x0068, 0x006C, 0x0070, 0x0010
  const uint8_t shifted[] = {0x68, 0, 0x6C, 0, 0x70, 0, 0x10, 0};
  auto it = std::search(bytes.begin(), bytes.end(), shifted, shifted + 8);
  EXPECT_NE(it, bytes.end());
  // An empty text 2 is written as L = 1 and one 0 unit; L = 0 on reading gives text 11061.
  SetTextBlock(2, u"");
  bytes = WriteRaw(WriteGeneralSection);
  size_t n = bytes.size();
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + (long)n - 6, bytes.end()),
            (std::vector<uint8_t>{1, 0, 0, 0, 0, 0}));
  bytes[n - 6] = 0;
  bytes.resize(n - 2);
  ASSERT_EQ(ReadRaw(bytes, ReadGeneralSection, 14400), 0);
  static char16_t text[TEXT_BLOCK_LONG + 1];
  GetTextBlock(2, text);
  EXPECT_EQ(std::u16string(text), std::u16string(GetLangText(LANG_ID(11061))));
  // Text 1 of any length is streamed; only its first 80 characters are kept.
  std::u16string longText(5000, u'x');
  bytes = WriteRaw(WriteGeneralSection);
  Bytes head;
  size_t at = std::search(bytes.begin(), bytes.end(), shifted, shifted + 8) - bytes.begin() + 8;
  head.b.assign(bytes.begin(), bytes.begin() + (long)at);
  for (uint32_t i = 0; i <= longText.size(); i++)
    head.u16(ShiftTextUnit(i < longText.size() ? longText[i] : 0, i));
  head.u32(3).u16('h').u16('i').u16(0);
  ASSERT_EQ(ReadRaw(head.b, ReadGeneralSection, 14400), 0);
  GetTextBlock(1, text);
  EXPECT_EQ(std::u16string(text), std::u16string(80, u'x'));
  GetTextBlock(2, text);
  EXPECT_EQ(std::u16string(text), u"hi");
  // A stored length past an early terminator: the length kept is the one the next save writes.
  Bytes padded = head;
  padded.b.resize(head.b.size() - 10);
  padded.u32(6).u16('h').u16('i').u16(0).u16('x').u16(0).u16(0);
  ASSERT_EQ(ReadRaw(padded.b, ReadGeneralSection, 14400), 0);
  EXPECT_EQ(DocState.text2Length, 3u);
  bytes = WriteRaw(WriteGeneralSection);
  n = bytes.size();
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + (long)n - 10, bytes.end()),
            (std::vector<uint8_t>{3, 0, 0, 0, 'h', 0, 'i', 0, 0, 0}));
  // A text-2 length above 20001 is a format error; a short text 2 gives 2.
  Bytes tooLong = head;
  tooLong.b.resize(head.b.size() - 10);
  tooLong.u32(20002);
  EXPECT_EQ(ReadRaw(tooLong.b, ReadGeneralSection, 14400), NETSEC_FORMAT);
  Bytes shortText = head;
  shortText.b.resize(head.b.size() - 2);
  EXPECT_EQ(ReadRaw(shortText.b, ReadGeneralSection, 14400), 2);
}

TEST_F(Sections, BlockPositionForms) {
  struct {
    int version;
    std::vector<uint8_t> bytes;
    int x, y, level;
  } cases[] = {
      {14400, {0x10, 0x00, 0x20, 0x00, 0xFE}, 16, 32, -2},
      {14396, {1, 0, 0, 0, 2, 0, 0, 0, 0xFD, 0xFF, 0xFF, 0xFF}, 1, 2, -3},
      {14389, {1, 0, 0, 0, 2, 0, 0, 0}, 1, 2, 0},
      {14388, {1, 0, 2, 0}, 1, 2, 0},
  };
  for (auto& c : cases) {
    OpenRaw(c.bytes);
    int x, y, level;
    ASSERT_EQ(ReadBlockPosition(&x, &y, &level, c.version), 0);
    EXPECT_EQ(x, c.x);
    EXPECT_EQ(y, c.y);
    EXPECT_EQ(level, c.level) << c.version;
    StreamCloseRead();
  }
}

// The longest names round trip: a saved position's 64 characters, a file name's 259. A file
// name that reaches 260 units without its terminator is a format error.
TEST_F(Sections, LongestNamesAndTheFileNameLimit) {
  std::u16string name64(64, u'n'), file259(259, u'f');
  SetSavedPosition(7, 1, 2, 0, name64.c_str(), 0);
  for (int i = 0; i <= 259; i++) DocState.symbolFiles[3][i] = i < 259 ? u'f' : 0;
  auto bytes = WriteRaw(WriteGeneralSection);
  NetTestSetUp();
  UseFolder(OutputDir());
  ASSERT_EQ(ReadRaw(bytes, ReadGeneralSection, 14400), 0);
  EXPECT_EQ(std::u16string(DocState.saved[7].name), name64);
  EXPECT_EQ(std::u16string(DocState.symbolFiles[3]), file259);
  // the terminator of the 259-unit name made a 260th character
  std::vector<uint8_t> unit = {'f', 0};
  auto at = std::search(bytes.begin(), bytes.end(), unit.begin(), unit.end());
  ASSERT_NE(at, bytes.end());
  size_t end = (size_t)(at - bytes.begin()) + 2 * 259;
  ASSERT_EQ(bytes[end], 0);
  ASSERT_EQ(bytes[end + 1], 0);
  bytes[end] = 'f';
  EXPECT_EQ(ReadRaw(bytes, ReadGeneralSection, 14400), NETSEC_FORMAT);
}

// The empty forms of the sections not built yet: a count of 0 is taken, any other is a format
// fault.
TEST_F(Sections, EmptySectionsRefuseRecords) {
  for (uint32_t n : {0u, 1u}) {
    SCOPED_TRACE(n);
    int expected = n == 0 ? 0 : NETSEC_FORMAT;
    EXPECT_EQ(ReadRaw(Bytes().tag("DEPO").u32(n).b, ReadEmptyDepotSection, 14400), expected);
    EXPECT_EQ(ReadRaw(Bytes().tag("SI").u16(0).u32(n).b, ReadEmptySignalSection, 14389), expected);
    EXPECT_EQ(ReadRaw(Bytes().u16(0x475A).u32(n).u32(0).b, ReadEmptyGraphicsSection, 14400),
              expected);
    EXPECT_EQ(ReadRaw(Bytes().tag("HS").u16(n * 6).b, ReadEmptyHstSection, 13573), expected);
  }
}
