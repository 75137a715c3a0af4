// Vehicle graphics: packed pixels, the generated vehicle-graphic file, the set reader's results
// on the generated test files (current and older records, broken copies), browsing, old codes,
// numbered files, tab alignment and the library's queries.
#include <gtest/gtest.h>
#include <fstream>
#include <sstream>
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/colours.h"
#include "graphics/title.h"
#include "graphics/vehicles.h"
#include "graphics_test_util.h"
#include "model/general_section.h"
#include "views/view_services.h"

namespace {
std::string TestFiles() { return DataDir() + "vehicle_tests/"; }

// User vehicle-graphic file n gets the name (the network's list is the seam tests fill).
void NameUserFile(int n, const char* name) {
  std::u16string w = Wide(name);
  CopyStringLimited(DocState.vehicleFiles[n - 1], w.c_str(), USER_FILE_NAME + 1);
}
// A name as the program shows it: 32 units padded with spaces.
std::u16string Pad32(const std::string& s) {
  std::string p = s;
  p.resize(32, ' ');
  return Wide(p);
}
std::u16string Aligned(const std::string& head, const std::string& tail) {
  return Wide(head + std::string(32 - head.size() - tail.size(), ' ') + tail);
}
uint32_t UserCode(int file, int record) {
  return VG_USER | (uint32_t)((file - 1) * 10 + record) << 4;
}

class Vehicles : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
    UseProgramFolder(DataDir());
    SetKindFolder(FILE_KIND_NETWORK, Wide(TestFiles()).c_str());
    for (auto& f : DocState.vehicleFiles) f[0] = 0;
    SetNumberedFileReported(1);  // a report shows a message (the native tests see it)
  }
  void TearDown() override {
    FreeVehicleGraphicLibrary();
    for (auto& f : DocState.vehicleFiles) f[0] = 0;
    if (StreamIsOpen()) StreamCloseRead();
  }
};

// Packs words through the writer into a file and reads them back through the decoder.
std::vector<uint32_t> RoundTrip(const std::vector<uint32_t>& words, size_t* bytes) {
  SetKindFolder(FILE_KIND_NETWORK, Wide(ScratchDir()).c_str());
  EXPECT_EQ(StreamOpenWrite(u"packed.bin", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
  ResetPackedPixelWriter();
  for (uint32_t w : words) EXPECT_EQ(WritePackedPixel(w), 0);
  EXPECT_EQ(WritePackedPixel(PACKED_FLUSH), 0);
  EXPECT_EQ(StreamCloseWrite(), 0);
  *bytes = ReadBytes(ScratchDir() + "packed.bin").size();
  EXPECT_EQ(StreamOpenRead(u"packed.bin", 0, FILE_KIND_NETWORK), 0);
  std::vector<uint32_t> out(words.size());
  ReadPackedPixel(nullptr);
  for (uint32_t& w : out) EXPECT_EQ(ReadPackedPixel(&w), 0);
  uint32_t extra;
  EXPECT_NE(ReadPackedPixel(&extra), 0);  // nothing is left over
  if (StreamIsOpen()) StreamCloseRead();
  return out;
}
}  // namespace

TEST_F(Vehicles, PackedPixelsRoundTrip) {
  struct Case {
    const char* what;
    std::vector<uint32_t> words;
    size_t bytes;  // the packed size
  };
  auto run = [](uint32_t v, int n) { return std::vector<uint32_t>((size_t)n, v); };
  std::vector<Case> cases;
  cases.push_back({"single", {0x123456}, 4});
  cases.push_back({"pair", run(0x40FFEEDD, 2), 8});
  cases.push_back({"transparent pair", run(PIXEL_CLEAR, 2), 4});
  cases.push_back({"257 in one run", run(0x00A0B0C0, 257), 8});
  cases.push_back({"258: a run and a single", run(0x00A0B0C0, 258), 12});
  cases.push_back({"514: two runs", run(PIXEL_CLEAR, 514), 8});
  std::vector<uint32_t> mixed;
  for (int i = 0; i < 3000; i++) mixed.push_back(i % 7 == 0 ? PIXEL_CLEAR : 0x51000000u + i / 13);
  cases.push_back({"mixed", mixed, 0});
  for (const Case& c : cases) {
    size_t bytes = 0;
    EXPECT_EQ(RoundTrip(c.words, &bytes), c.words) << c.what;
    if (c.bytes) EXPECT_EQ(bytes, c.bytes) << c.what;
  }
  // run words as the file holds them
  std::vector<uint8_t> b = {0xFF, 0x00, 0x01, 0xC0,  // 257 transparent, no value word
                            0x00, 0x00, 0x00, 0xC0, 0x44, 0x33, 0x22, 0x11,  // two of a value
                            0x07, 0x00, 0x00, 0x00};
  WriteBytes(ScratchDir() + "runs.bin", b);
  SetKindFolder(FILE_KIND_NETWORK, Wide(ScratchDir()).c_str());
  ASSERT_EQ(StreamOpenRead(u"runs.bin", 0, FILE_KIND_NETWORK), 0);
  ReadPackedPixel(nullptr);
  uint32_t w = 0;
  for (int i = 0; i < 257; i++) {
    ASSERT_EQ(ReadPackedPixel(&w), 0);
    ASSERT_EQ(w, PIXEL_CLEAR);
  }
  for (int i = 0; i < 2; i++) {
    ASSERT_EQ(ReadPackedPixel(&w), 0);
    EXPECT_EQ(w, 0x11223344u);
  }
  ASSERT_EQ(ReadPackedPixel(&w), 0);
  EXPECT_EQ(w, 7u);
  StreamCloseRead();
}

TEST_F(Vehicles, DefaultSetsOfTheGeneratedFile) {
  int smoke = 0, locos = 0, ends34 = 0;
  for (uint32_t id : kDefaultVehicleSets) {
    ASSERT_EQ(ReadVehicleGraphicSet(id, 0), 0) << id;
    const VehicleGraphicSet* s = FindVehicleGraphicSet(id);
    ASSERT_NE(s, nullptr);
    EXPECT_GE(s->count, 2) << id;
    EXPECT_NE(s->category, 0u) << id;
    EXPECT_EQ(s->category & 0x8000, 0u) << id;
    EXPECT_GE(s->nameId, 40000u) << id;
    EXPECT_LE(s->nameId, 65535u) << id;
    for (int i = 0; i < s->count; i++) {
      const VehicleGraphicEntry& e = s->entries[i];
      EXPECT_GE(e.textIds[0], 40000u);
      smoke += e.spanStart[0] >= 0;
      locos += (e.flags & VG_LEADS) != 0;
      ends34 += (e.flags & VG_ENDS34) != 0;
      // every area holds some pixels, and the side views are not all transparent
      int w, h, drawn = 0;
      const uint32_t* s1 = VehicleArea(&e, 0, &w, &h);
      ASSERT_NE(s1, nullptr);
      EXPECT_EQ(w, e.length);
      for (int k = 0; k < w * h; k++) drawn += s1[k] != PIXEL_CLEAR;
      EXPECT_GT(drawn, w) << id << " " << i;
      EXPECT_EQ(VehicleArea(&e, 6, &w, &h) != nullptr, (e.flags & VG_ENDS34) != 0);
    }
  }
  EXPECT_GE(smoke, 2);
  EXPECT_GE(locos, 5);
  EXPECT_GE(ends34, 1);
  // library order: ascending ids whatever the load order
  uint32_t last = 0;
  int n = 0;
  for (VehicleGraphicSet* s = GetVehicleGraphicLibrary(); s; s = s->next, n++) {
    EXPECT_GT(s->id, last);
    last = s->id;
  }
  EXPECT_EQ(n, 9);
  EXPECT_EQ(ReadVehicleGraphicSet(645136, 0), 11);  // already loaded
  EXPECT_EQ(ReadVehicleGraphicSet(645137, 0), 7);   // a code with a slot
  EXPECT_EQ(ReadVehicleGraphicSet(0, 0), 7);
  EXPECT_EQ(ReadVehicleGraphicSet(645152, 0), 5);  // not in the file
  EXPECT_EQ(ReadVehicleGraphicSet(16, 0), 21);     // a code-translation record, not a set
}

// Every case the generator lists: file, user file number, record, the set reader's result.
TEST_F(Vehicles, ReaderResultsOfTheTestFiles) {
  std::ifstream f(TestFiles() + "cases.txt");
  ASSERT_TRUE(f.good());
  std::string line;
  int cases = 0;
  while (std::getline(f, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream in(line);
    std::string file;
    int number, record, expected;
    in >> file >> number >> record >> expected;
    NameUserFile(number, file.c_str());
    uint32_t code = UserCode(number, record);
    EXPECT_EQ(ReadVehicleGraphicSet(code, 0), expected) << file << " record " << record;
    EXPECT_EQ(HasVehicleGraphicSet(code), expected == 0 ? 1 : 0) << file;
    EXPECT_FALSE(StreamIsOpen()) << file;
    FreeVehicleGraphicLibrary();
    cases++;
  }
  EXPECT_GT(cases, 30);
}

TEST_F(Vehicles, UserSetsOfTheCurrentForm) {
  NameUserFile(3, "user1.nfz");
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(3, 0), 0), 0);
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(3, 1), 0), 0);
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(3, 2), 0), 0);
  const VehicleGraphicSet* s = FindVehicleGraphicSet(UserCode(3, 0));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->count, 2);
  char16_t name[VG_NAME_UNITS];
  int count = 0;
  uint32_t next = 0;
  ASSERT_EQ(DescribeVehicleGraphic(UserCode(3, 0), &count, &next, name), 1);
  EXPECT_EQ(std::u16string(name), Pad32("My locomotives"));
  EXPECT_EQ(next, UserCode(3, 1));
  const char16_t* texts[5];
  ASSERT_EQ(DescribeVehicleGraphicEntry(UserCode(3, 0) | 1, texts), 0);
  EXPECT_EQ(std::u16string(texts[0]), u"Tender");
  EXPECT_EQ(std::u16string(texts[1]), u"Coal and water tender");
  EXPECT_EQ(std::u16string(texts[2]), u"");
  // bit 15 of a user category is cleared; unpacked pixels are colour numbers
  const VehicleGraphicSet* plain = FindVehicleGraphicSet(UserCode(3, 1));
  EXPECT_EQ(plain->category, 0x0200u);
  EXPECT_EQ(plain->entries[0].pixels[0], ResolveColourRgb(3));
  EXPECT_EQ(plain->entries[0].pixels[1], ResolveColourRgb(10));
  // slots apart: keys are slot | id
  EXPECT_EQ(GetVehicleGraphicKey(UserCode(3, 2), 1), UserCode(3, 2) | 9);
  EXPECT_EQ(GetVehicleGraphicKey(UserCode(3, 2), 2), 0u);  // n equal to the count
  EXPECT_EQ(GetVehicleGraphicWidth(UserCode(3, 2) | 5), 64u);
  EXPECT_EQ(GetVehicleGraphicWidth(UserCode(3, 2) | 6), 0u);
}

TEST_F(Vehicles, OlderRecordsWithTheirNumberedFile) {
  NameUserFile(1, "old3509.nfz");
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(1, 0), 0), 0);
  const VehicleGraphicSet* s = FindVehicleGraphicSet(UserCode(1, 0));
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->category, 0x8000u);
  ASSERT_EQ(s->count, 2);
  const VehicleGraphicEntry& a = s->entries[0];
  EXPECT_EQ(a.length, 16);
  EXPECT_EQ(a.e1, 14);
  EXPECT_EQ(a.e2, 8);
  EXPECT_EQ(a.e3, 0);
  // S1 right to left: first-group tile 0 (number 1) in columns 8..15; tile 1 (number 2) in 0..7
  // (tile t of the first kind has colour number 2 + t; the last pixel of a row is masked)
  EXPECT_EQ(a.pixels[0], ResolveColourRgb(4));
  EXPECT_EQ(a.pixels[8], ResolveColourRgb(3));
  EXPECT_EQ(a.pixels[15], ResolveColourRgb(255));
  // S2 left to right: third-group tiles 1, 0
  const uint32_t* s2 = VehicleArea(&a, 1, nullptr, nullptr);
  EXPECT_EQ(s2[0], ResolveColourRgb(3));
  EXPECT_EQ(s2[8], ResolveColourRgb(2));
  // T1: second-group tile j at the 32 words of 32 (c - 1 - j): tile 0 (colour 9) at 32
  const uint32_t* t1 = VehicleArea(&a, 2, nullptr, nullptr);
  EXPECT_EQ(t1[32], ResolveColourRgb(9));
  EXPECT_EQ(t1[0], ResolveColourRgb(10));
  // the second graphic: a span opened by bit 7 and lengthened by bit 6
  const VehicleGraphicEntry& b = s->entries[1];
  EXPECT_EQ(b.spanStart[0], 4);
  EXPECT_EQ(b.spanKind[0], 9);
  EXPECT_EQ(b.spanLength[0], 12);
  // texts and attributes from the numbered file: the name tab-aligned
  char16_t name[VG_NAME_UNITS];
  ASSERT_EQ(DescribeVehicleGraphic(UserCode(1, 0), nullptr, nullptr, name), 1);
  EXPECT_EQ(std::u16string(name), Aligned("Old", "set"));
  const char16_t* texts[5];
  ASSERT_EQ(DescribeVehicleGraphicEntry(UserCode(1, 0) | 1, texts), 0);
  EXPECT_EQ(std::u16string(texts[0]), u"Loco");
  EXPECT_EQ(std::u16string(texts[2]), u"y");
  EXPECT_EQ(std::u16string(texts[3]), u"");
  EXPECT_EQ(a.flags, VG_FRONT_CLOSED);
  EXPECT_EQ(b.flags, VG_LEADS | VG_SYMMETRIC);
  // record 1 (byte-per-pixel tiles) has a numbered record with two m values and no name
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(1, 1), 0), 0);
  ASSERT_EQ(DescribeVehicleGraphic(UserCode(1, 1), nullptr, nullptr, name), 1);
  EXPECT_EQ(name[0], u'?');
  ASSERT_EQ(DescribeVehicleGraphicEntry(UserCode(1, 1), texts), 0);
  EXPECT_EQ(std::u16string(texts[0]), u"A");
  // version 0x3400: second-kind tiles numbered after the first kind, rows 14 and 15 dropped
  NameUserFile(2, "old3400.nfz");
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(2, 0), 0), 0);
  const VehicleGraphicEntry& c = FindVehicleGraphicSet(UserCode(2, 0))->entries[0];
  const uint32_t* ct1 = VehicleArea(&c, 2, nullptr, nullptr);
  EXPECT_EQ(ct1[32], ResolveColourRgb(9));                // second group tile 0: number 4 - a = 0
  EXPECT_EQ(ct1[0], ResolveColourRgb(10));                // tile 1
  EXPECT_EQ(c.pixels[13 * 16], ResolveColourRgb(2 + 3));  // S1 row 13 of tile 3
  // without its numbered file the default texts stay
  NameUserFile(4, "old3506.nfz");
  ASSERT_EQ(ReadVehicleGraphicSet(UserCode(4, 0), 0), 0);
  ASSERT_EQ(DescribeVehicleGraphicEntry(UserCode(4, 0), texts), 0);
  EXPECT_EQ(std::u16string(texts[0]), u"Z");
  ASSERT_EQ(DescribeVehicleGraphic(UserCode(4, 0), nullptr, nullptr, name), 1);
  EXPECT_EQ(name[0], 0xDC);
}

TEST_F(Vehicles, NumberedFiles) {
  char16_t name[VG_NAME_UNITS];
  NameUserFile(1, "old3509.nfz");
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50000), 0);
  EXPECT_EQ(std::u16string(name), Aligned("Old", "set"));
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50001), 0);
  EXPECT_EQ(name[0], 0);  // a name whose first two bytes are 0
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50002), 4);
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 51000), 1);
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 49999), 1);
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50010), 3);  // user file 2 has no name
  // the text reader: bounded by R, at least 3 n entries, a non-zero kind
  struct Case {
    const char* file;
    int result;
  } cases[] = {{"num_few.nfz", 3},   {"num_R.nfz", 3},     {"num_kind0.nfz", 3},
               {"num_magic.nfz", 5}, {"num_short.nfz", 5}, {"absent.nfz", 5}};
  for (const Case& c : cases) {
    NameUserFile(5, c.file);
    uint16_t attrs[16];
    char16_t* texts = (char16_t*)1;
    EXPECT_EQ(ReadNumberedVehicleGraphicTexts(UserCode(5, 0), attrs, &texts), c.result) << c.file;
    EXPECT_EQ(texts, nullptr) << c.file;
    EXPECT_FALSE(StreamIsOpen()) << c.file;
  }
  uint16_t attrs[16];
  char16_t* texts = nullptr;
  EXPECT_EQ(ReadNumberedVehicleGraphicTexts(UserCode(1, 0) & ~VG_USER, attrs, &texts), 4);
  int count = 0;
  ASSERT_EQ(ReadNumberedVehicleGraphicTexts(UserCode(1, 0), attrs, &texts, &count), 0);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(attrs[1], 0x8040);
  MemFree(texts);
}

TEST(VehicleNames, TabAlignment) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Name\tTail", "Name|Tail"},
      {"No tab", "No tab|"},
      {"\tRight", "|Right"},
      {"A\tB", "A|B"},
  };
  for (const Case& c : cases) {
    char buf[33];
    std::string in = c.in;
    in.resize(32, ' ');
    memcpy(buf, in.c_str(), 33);
    TabAlignName(buf);
    std::string want = c.out;
    size_t bar = want.find('|');
    std::u16string aligned = Aligned(want.substr(0, bar), want.substr(bar + 1));
    EXPECT_EQ(Wide(buf), aligned) << c.in;
    std::u16string w = Wide(in);
    char16_t wb[33];
    memcpy(wb, w.c_str(), 66);
    TabAlignNameWide(wb);
    EXPECT_EQ(std::u16string(wb), aligned) << c.in;
  }
  // a name whose last character stands at position 31 changes only at the tab
  char full[33];
  memcpy(full, "ab\tcdefghijklmnopqrstuvwxyz01234", 33);
  TabAlignName(full);
  EXPECT_STREQ(full, "ab cdefghijklmnopqrstuvwxyz01234");
}

TEST_F(Vehicles, BrowsingTheFiles) {
  // "quil.fzg": keys ascending; the first set at or above the code whose category matches
  uint32_t code = 0, next = 0;
  char16_t name[VG_NAME_UNITS];
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0xFFFFFFFFu, &next, 0), 0);
  EXPECT_EQ(code, 100096u);
  EXPECT_EQ(next, 320016u);
  EXPECT_EQ(StringLength(name), 32);
  code = 320017;  // a code with a slot stands for its set
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0xFFFFFFFFu, &next, 0), 0);
  EXPECT_EQ(code, 320016u);
  code = 320032;
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0xFFFFFFFFu, &next, 0), 0);
  EXPECT_EQ(code, 320160u);
  code = 0;
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0x0008, &next, 0), 0);  // coaches only
  EXPECT_EQ(code, 645120u);
  code = 651856;  // above the last key
  EXPECT_EQ(FindVehicleGraphicSetInFile(&code, name, 0xFFFFFFFFu, &next, 0), 4);
  EXPECT_FALSE(StreamIsOpen());
  // a user file
  NameUserFile(2, "user1.nfz");
  code = 0;
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0xFFFFFFFFu, &next, 2), 0);
  EXPECT_EQ(code, UserCode(2, 0));
  EXPECT_EQ(next, UserCode(2, 1));
  EXPECT_EQ(std::u16string(name), Pad32("My locomotives"));
  code = UserCode(2, 1);
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0x0400, &next, 2), 0);
  EXPECT_EQ(code, UserCode(2, 2));
  EXPECT_EQ(next, 0u);
  // an older file is browsed through its numbered file
  NameUserFile(3, "old3509.uzz");
  code = 0;
  ASSERT_EQ(FindVehicleGraphicSetInFile(&code, name, 0, &next, 3), 0);
  EXPECT_EQ(code, UserCode(3, 0));
  code = UserCode(3, 2);
  EXPECT_EQ(FindVehicleGraphicSetInFile(&code, name, 0, &next, 3), 4);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(FindVehicleGraphicSetInFile(&code, name, 0, &next, 4), 5);  // no name
  EXPECT_EQ(FindVehicleGraphicSetInFile(&code, name, 0, &next, 101), 1);
}

TEST_F(Vehicles, OldVehicleCodes) {
  struct Case {
    uint32_t old;
    uint32_t result;
  } cases[] = {{15, 7},    {16, 645136}, {18, 645138}, {21, 644960},
               {22, 6},    {32, 651840}, {33, 648161}, {34, 6},
               {48, 5},    {0x10000, 7}, {0xFFFE0, 7}, {UserCode(1, 2), UserCode(1, 2)},
               {645136, 7}};
  for (const Case& c : cases) {
    EXPECT_EQ(ConvertOldVehicleCode(c.old), c.result) << c.old;
    EXPECT_FALSE(StreamIsOpen());
  }
}

TEST_F(Vehicles, LibraryQueries) {
  for (uint32_t id : {645120u, 100096u, 320016u}) ASSERT_EQ(ReadVehicleGraphicSet(id, 0), 0);
  EXPECT_EQ(GetFirstVehicleGraphicSetId(), 100096u);
  // a set inserted at the head stays first even with a larger id
  ASSERT_EQ(ReadVehicleGraphicSet(645136, 1), 0);
  EXPECT_EQ(GetFirstVehicleGraphicSetId(), 645136u);
  // a later set goes before the first set with a larger id: here before that head
  ASSERT_EQ(ReadVehicleGraphicSet(320160, 0), 0);
  uint32_t order[5], n = 0;
  for (VehicleGraphicSet* s = GetVehicleGraphicLibrary(); s && n < 5; s = s->next)
    order[n++] = s->id;
  ASSERT_EQ(n, 5u);
  const uint32_t want[5] = {320160, 645136, 100096, 320016, 645120};
  for (int i = 0; i < 5; i++) EXPECT_EQ(order[i], want[i]) << i;
  // the cache forgets a freed set
  ASSERT_NE(FindVehicleGraphicSet(320016), nullptr);
  EXPECT_EQ(FreeVehicleGraphicSet(320016), 0);
  EXPECT_EQ(FindVehicleGraphicSet(320016), nullptr);
  EXPECT_EQ(FreeVehicleGraphicSet(320016), 1);
  // groups without a graphic of their own
  EXPECT_EQ(GetVehicleGraphicWidth(VG_GROUP | 96), 96u);
  EXPECT_EQ(GetVehicleGraphicAttributes(VG_GROUP | 96), 128u);
  EXPECT_EQ(GetVehicleGraphicAttributes(123456), 65535u);
  EXPECT_EQ(GetVehicleGraphicParam(123456), 65535u);
  const char16_t* texts[5];
  EXPECT_EQ(DescribeVehicleGraphicEntry(VG_GROUP | 96, texts), 0);
  EXPECT_NE(texts[0], nullptr);
  EXPECT_EQ(texts[4], nullptr);
  EXPECT_EQ(DescribeVehicleGraphicEntry(123456, texts), 1);
  // the parameter: symmetric, coupling ends, may lead
  struct P {
    uint32_t code;
    uint32_t param;
  } params[] = {{645136 + 0, 0x10},         // tank engine: leads
                {645136 + 2, 0x00},         // tender
                {645120 + 1, 0x01},         // bogie coach: symmetric
                {100096 + 0, 0x02 | 0x08},  // snow plough: no coupling in front
                {100096 + 2, 0x11}};        // draisine
  for (const P& p : params) EXPECT_EQ(GetVehicleGraphicParam(p.code), p.param) << p.code;
  int sets = 0, inUse = -1, graphicsInUse = -1;
  EXPECT_EQ(CountVehicleGraphics(&sets, &inUse, &graphicsInUse), 4 + 5 + 3 + 3);
  EXPECT_EQ(sets, 4);
  EXPECT_EQ(inUse, 0);
  EXPECT_EQ(CountVehicleGraphicUse(645136, 1), 0);
  EXPECT_EQ(CountVehicleGraphicUse(999, 1), 0);
}

TEST_F(Vehicles, TitlePicturesOfThePackedForm) {
  UseProgramFolder(TestFiles());
  auto bytes = ReadBytes(TestFiles() + "quil57.tbd");
  ASSERT_GT(bytes.size(), 100u);
  WriteBytes(ScratchDir() + "quil.tbd", bytes);
  UseProgramFolder(ScratchDir());
  for (uint32_t choice : {0u, TITLE_LAST}) {
    int index = LoadTitleBitmap(choice);
    ASSERT_GE(index, 0) << choice;
    ASSERT_EQ(HeldTitle.width, 40);
    ASSERT_EQ(HeldTitle.height, 24);
    uint32_t bg = SwapRedBlue(0x00204060u + (uint32_t)index);
    EXPECT_EQ(HeldTitle.pixels[0], bg);
    // rows from the bottom: file row y (from the bottom) is picture row 23 - y
    uint32_t inner = SwapRedBlue(((8 / 4 + 6 / 4 + index) % 2) ? 0x00C02020u : 0x0020C020u);
    EXPECT_EQ(HeldTitle.pixels[(23 - 6) * 40 + 8], inner);
    FreeTitleBitmap();
  }
  // a picture cut short is refused
  bytes.resize(bytes.size() - 30);
  WriteBytes(ScratchDir() + "quil.tbd", bytes);
  EXPECT_EQ(LoadTitleBitmap(TITLE_LAST), -2);
  EXPECT_FALSE(StreamIsOpen());
}
