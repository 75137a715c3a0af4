// The graphics section "ZG": reading every version's form, refusals, and writing it back.
#include <gtest/gtest.h>
#include "core/misc.h"
#include "graphics/glyphfile.h"
#include "graphics/graphics_section.h"
#include "graphics/vehicles.h"
#include "graphics_test_util.h"

namespace {
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& u16(uint32_t v) {
    b.push_back((uint8_t)v);
    b.push_back((uint8_t)(v >> 8));
    return *this;
  }
  Bytes& u32(uint32_t v) {
    u16(v);
    return u16(v >> 16);
  }
  Bytes& name(const char* s, bool terminate = true) {
    while (*s) u16((uint8_t)*s++);
    if (terminate) u16(0);
    return *this;
  }
};

int ReadRaw(const std::vector<uint8_t>& bytes, int version) {
  WriteBytes(ScratchDir() + "zg.bin", bytes);
  SetKindFolder(FILE_KIND_NETWORK, Wide(ScratchDir()).c_str());
  EXPECT_EQ(StreamOpenRead(u"zg.bin", 0, FILE_KIND_NETWORK), 0);
  int r = ReadGraphicsSection(version);
  if (StreamIsOpen()) StreamCloseRead();
  return r;
}

std::vector<uint8_t> WriteRaw() {
  EXPECT_EQ(StreamOpenWrite(u"zgout.bin", STREAM_WRITE_UTF16LE, FILE_KIND_NETWORK), 0);
  EXPECT_EQ(WriteGraphicsSection(), 0);
  EXPECT_EQ(StreamCloseWrite(), 0);
  return ReadBytes(ScratchDir() + "zgout.bin");
}
}  // namespace

class GraphicsSection : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
  }
  void TearDown() override { FreeGraphicData(); }
};

TEST_F(GraphicsSection, SetsAndBackgroundAreKeptAndWrittenBack) {
  Bytes s;
  s.u16(0x475A).u32(3).u32(645136).u32(320016).u32(100096);
  s.u32(1).u32(0).u32(10).u32((uint32_t)-20).u32(300).u32(200).name("park.bmp");
  ASSERT_EQ(ReadRaw(s.b, 14400), 0);
  ASSERT_EQ(PendingSetCount, 3u);
  EXPECT_EQ(PendingSetIds[2], 100096u);
  EXPECT_EQ(Background.present, 1);
  EXPECT_EQ(Background.y, -20);
  EXPECT_EQ(std::u16string(Background.name), u"park.bmp");
  // the listed sets go into the library, which the writer lists in library order
  UseProgramFolder(DataDir());
  ASSERT_EQ(LoadListedVehicleGraphics(14400), 0);
  EXPECT_EQ(PendingSetIds, nullptr);
  Bytes w;
  w.u16(0x475A).u32(3).u32(100096).u32(320016).u32(645136);
  w.u32(1).u32(0).u32(10).u32((uint32_t)-20).u32(300).u32(200).name("park.bmp");
  EXPECT_EQ(WriteRaw(), w.b);
  // a set inserted at the head stays first
  ASSERT_EQ(FreeVehicleGraphicSet(645136), 0);
  ASSERT_EQ(LoadVehicleGraphicSet(645136, 1), 0);
  Bytes h;
  h.u16(0x475A).u32(3).u32(645136).u32(100096).u32(320016);
  h.u32(1).u32(0).u32(10).u32((uint32_t)-20).u32(300).u32(200).name("park.bmp");
  EXPECT_EQ(WriteRaw(), h.b);
  // files before 14369 load nothing here
  ASSERT_EQ(ReadRaw(s.b, 14400), 0);
  EXPECT_EQ(LoadListedVehicleGraphics(14368), 0);
  EXPECT_EQ(GetVehicleGraphicLibrary(), nullptr);
  EXPECT_EQ(PendingSetIds, nullptr);
  // without sets and background
  Bytes e;
  e.u16(0x475A).u32(0).u32(0);
  ASSERT_EQ(ReadRaw(e.b, 14400), 0);
  EXPECT_EQ(PendingSetCount, 0u);
  EXPECT_EQ(Background.present, 0);
  EXPECT_EQ(WriteRaw(), e.b);
}

TEST_F(GraphicsSection, OlderFormsAndRefusals) {
  // u16 ids before 14369, no background before 14393
  Bytes old;
  old.u16(0x475A).u16(2).u16(100).u16(200);
  ASSERT_EQ(ReadRaw(old.b, 14368), 0);
  ASSERT_EQ(PendingSetCount, 2u);
  EXPECT_EQ(PendingSetIds[1], 200u);
  Bytes mid;
  mid.u16(0x475A).u32(1).u32(645120);
  ASSERT_EQ(ReadRaw(mid.b, 14392), 0);
  EXPECT_EQ(PendingSetIds[0], 645120u);
  struct Case {
    const char* what;
    Bytes bytes;
    int result;
  };
  std::vector<Case> cases;
  Bytes b;
  b.u16(0x475B).u32(0).u32(0);
  cases.push_back({"tag", b, 3});
  b = Bytes();
  b.u16(0x475A).u32(0).u32(2);
  cases.push_back({"flag 2", b, 3});
  b = Bytes();
  b.u16(0x475A).u32(0).u32(1).u32(0).u32(0).u32(0).u32(0).u32(5).name("x");
  cases.push_back({"width 0", b, 3});
  b = Bytes();
  b.u16(0x475A).u32(0).u32(1).u32(0).u32(0).u32(0).u32(5).u32((uint32_t)-1).name("x");
  cases.push_back({"height -1", b, 3});
  b = Bytes();
  b.u16(0x475A).u32(0x7FFFFFFF);
  cases.push_back({"set count beyond any file", b, 3});
  b = Bytes();
  b.u16(0x475A).u32(4).u32(1);
  cases.push_back({"truncated ids", b, -1});  // a stream error
  for (Case& c : cases) {
    int r = ReadRaw(c.bytes.b, 14400);
    if (c.result < 0)
      EXPECT_TRUE(r == STREAM_ERR_EOF || r == STREAM_ERR_READ) << c.what << " " << r;
    else
      EXPECT_EQ(r, c.result) << c.what;
    EXPECT_EQ(PendingSetIds, nullptr) << c.what;
  }
  // a name of 260 units without a terminator keeps its first 259
  std::string long_name(260, 'a');
  b = Bytes();
  b.u16(0x475A).u32(0).u32(1).u32(0).u32(0).u32(0).u32(5).u32(5).name(long_name.c_str(), false);
  ASSERT_EQ(ReadRaw(b.b, 14400), 0);
  EXPECT_EQ(std::u16string(Background.name).size(), 259u);
  // a new network forgets it all
  FreeGraphicData();
  EXPECT_EQ(PendingSetIds, nullptr);
  EXPECT_EQ(Background.name[0], 0);
}
