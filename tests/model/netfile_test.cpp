// Network files: our writer against the independent generator's bytes, round trips, header and
// section error codes, the password slices and the safe replacement of the old file.
#include "core/misc.h"
#include <gtest/gtest.h>
#include <cstring>
#include "app/editwnd.h"
#include "core/langtext.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/password.h"
#include "netfile_test_util.h"
#include "views/view_services.h"

class NetFile : public ::testing::Test {
 protected:
  void SetUp() override { NetTestSetUp(); }
  void TearDown() override { NetTestTearDown(); }
};

static void ExpectSameFromEofMark(const char* ours, const char* fixture) {
  auto a = FromEofMark(ReadWholeFile(OutputDir() + ours));
  auto b = FromEofMark(ReadWholeFile(FixtureDir() + fixture));
  ASSERT_FALSE(b.empty()) << fixture;
  ASSERT_EQ(a.size(), b.size()) << fixture;
  for (size_t i = 0; i < a.size(); i++) ASSERT_EQ(a[i], b[i]) << fixture << " byte " << i;
}

TEST_F(NetFile, EmptyNetworkMatchesGenerator) {
  SetTextBlock(0, u"T0");
  SetTextBlock(1, u"T1");
  SetTextBlock(2, u"T2");
  ASSERT_EQ(SaveAs("empty_ours.nt3"), 0);
  ExpectSameFromEofMark("empty_ours.nt3", "empty.nt3");
}

TEST_F(NetFile, SmallNetworkMatchesGeneratorAndRoundTrips) {
  BuildSmallNetwork();
  ASSERT_EQ(SaveAs("small_ours.nt3"), 0);
  ExpectSameFromEofMark("small_ours.nt3", "small.nt3");

  NetTestSetUp();
  ASSERT_EQ(LoadFixture("small.nt3"), 0);
  EXPECT_EQ(GetLoadedVersion(), 14400);
  EXPECT_EQ(GetCell(1, 2, 0), 0x0201);
  EXPECT_EQ(GetCell(63, 63, 0), 0xE003);
  EXPECT_EQ(GetCell(70, 5, 0), 0x4030);
  EXPECT_EQ(GetCell(427, 64, 0), 0x0205);
  EXPECT_EQ(GetCell(428, 64, 0), CELL_EMPTY);
  EXPECT_EQ(GetCell(5000, 7000, -2), 0xC001);
  EXPECT_EQ(GetCell(5001, 7000, -4), 0xD123);
  EXPECT_EQ(EditViews.slot[0].cursorLevel, -1);
  EXPECT_EQ(DocState.saved[5].level, -2);
  EXPECT_EQ(std::u16string(DocState.saved[5].name), u"Platz \u00e4\u20ac");
  EXPECT_EQ(DocState.fixedSeed, 4242);
  EXPECT_EQ(FixedRandomSeed, 4242);  // the random draws switch to the seeded source
  EXPECT_EQ(DocState.timeBase, 450000000u / 32);
  char16_t text[TEXT_BLOCK_LONG + 1];
  GetTextBlock(2, text);
  EXPECT_EQ(std::u16string(text), u"Info text");
  EXPECT_FALSE(IsNetModified());

  ASSERT_EQ(SaveAs("small_again.nt3"), 0);
  ExpectSameFromEofMark("small_again.nt3", "small.nt3");
  ASSERT_EQ(LoadFixture("empty.nt3"), 0);
  EXPECT_EQ(FixedRandomSeed, -1);
}

// The track-line command's reference point may be unset (-1, -1); such a network loads again.
TEST_F(NetFile, UnsetConstructionOriginRoundTrips) {
  SetConstructionOrigin(-1, -1);
  ASSERT_EQ(SaveAs("unset_origin.nt3"), 0);
  SetConstructionOrigin(5, 6);
  ASSERT_EQ(LoadNetworkFile(u"unset_origin.nt3"), 0);
  int y = 0;
  EXPECT_EQ(GetConstructionOrigin(&y), -1);
  EXPECT_EQ(y, -1);
}

TEST_F(NetFile, PasswordSlicesStandBetweenSections) {
  ASSERT_EQ(LoadFixture("password.nt3"), 0);
  EXPECT_TRUE(IsNetworkProtected());
  EXPECT_STREQ(GetPasswordField(), "K7Q2M9X4B1Z8P3W6R");
  ASSERT_EQ(SaveAs("password_ours.nt3"), 0);
  ExpectSameFromEofMark("password_ours.nt3", "password.nt3");
  // Without the flag the file holds no slice bytes: 29 bytes fewer before compression; the
  // field of the protected network loaded before does not stay behind.
  ASSERT_EQ(LoadFixture("small.nt3"), 0);
  EXPECT_FALSE(IsNetworkProtected());
  EXPECT_STREQ(GetPasswordField(), "");
}

struct LoadCase {
  const char* file;
  int result;
};

TEST_F(NetFile, LoadResultCodes) {
  const LoadCase cases[] = {
      {"no_such_file.nt3", NETLOAD_CANNOT_OPEN},
      {"no_eof_mark.nt3", NETLOAD_CANNOT_OPEN},
      {"bad_magic.nt3", NETLOAD_BAD_MAGIC},
      {"v3841.nt3", NETLOAD_TOO_NEW},
      {"v33ff.nt3", NETLOAD_TOO_OLD},
      {"short_trailer.nt3", NETLOAD_TRAILER_READ},
      {"trailer_nonzero.nt3", NETLOAD_OK},
      {"bad_lfst.nt3", NETOFS_LFST + 3},
      {"dwx_records.nt3", NETOFS_DWX + 3},
      {"v13569_low_first.nt3", NETLOAD_OK},
  };
  for (const LoadCase& c : cases) {
    NetTestSetUp();
    EditViews.active = 0;
    EXPECT_EQ(LoadFixture(c.file), c.result) << c.file;
    EXPECT_EQ(StreamIsOpen(), 0) << c.file;
    EXPECT_NE(EditViews.slot[0].cursorX, -1) << c.file;  // the loader gives the cursor back
  }
  EditViews.active = -1;
}

TEST_F(NetFile, HeaderFaultsLeaveTheDocumentAlone) {
  SetCell(3, 3, 0, 0x0201);
  EXPECT_EQ(LoadFixture("bad_magic.nt3"), NETLOAD_BAD_MAGIC);
  EXPECT_EQ(GetCell(3, 3, 0), 0x0201);
}

static std::vector<uint8_t> Decompress(const std::vector<uint8_t>& in, size_t start) {
  std::vector<uint8_t> out;
  for (size_t i = start; i < in.size();) {
    uint8_t b = in[i++];
    if (b == 0xC5 || b == 0xB5) {
      uint32_t n;
      if (b == 0xC5)
        n = in[i++];
      else {
        n = in[i] | in[i + 1] << 8;
        i += 2;
      }
      if (n == 0) {
        out.push_back(b);
        continue;
      }
      for (uint32_t k = 0; k <= n; k++) {
        out.push_back(in[i]);
        out.push_back(in[i + 1]);
      }
      i += 2;
    } else {
      out.push_back(b);
    }
  }
  return out;
}

TEST_F(NetFile, SectionsInFixedOrderWithTrailer) {
  ASSERT_EQ(SaveAs("order.nt3"), 0);
  auto raw = FromEofMark(ReadWholeFile(OutputDir() + "order.nt3"));
  ASSERT_GE(raw.size(), 7u);
  EXPECT_EQ(raw[1], 0x38);
  EXPECT_EQ(raw[6], 0x40);
  auto body = Decompress(raw, 7);
  std::string s(body.begin(), body.end());
  const char* tags[] = {"GENL", "NETZ", "QUAD", "ZUGD", "WEIN", "RNGP", "DEPO",
                        "TKTP", "DWXP", "SIGS", "SIGE", "ZKTN", "HSTP", "LFST",
                        "LIND", "ZG",   "MA",   "LOGP", "PRLB", "INFO"};
  size_t at = 0;
  for (const char* t : tags) {
    size_t p = s.find(t, at);
    ASSERT_NE(p, std::string::npos) << t;
    at = p;
  }
  ASSERT_GE(body.size(), 16u);
  for (size_t i = body.size() - 16; i < body.size(); i++) EXPECT_EQ(body[i], 0);
}

TEST_F(NetFile, FailedSaveKeepsThePreviousFile) {
  BuildSmallNetwork();
  ASSERT_EQ(SaveAs("keep.nt3"), 0);
  auto before = ReadWholeFile(OutputDir() + "keep.nt3");
  // A name whose temporary file cannot be created: the old file stays as it was.
  UseFolder(OutputDir() + "no_such_folder/");
  SetNetworkName(u"keep.nt3");
  EXPECT_EQ(WriteNetworkFile(), NETSAVE_CANNOT_CREATE);
  EXPECT_EQ(ReadWholeFile(OutputDir() + "keep.nt3"), before);
  // A name is kept to the path length; one with no room for the temporary suffix is refused.
  std::u16string longName(STREAM_PATH_CHARS + 10, u'k');
  SetNetworkName(longName.c_str());
  EXPECT_EQ(std::u16string(GetNetworkName()), longName.substr(0, STREAM_PATH_CHARS - 1));
  EXPECT_EQ(WriteNetworkFile(), NETSAVE_CANNOT_CREATE);
  // A successful save replaces it and leaves no temporary file behind.
  NetTestSetUp();
  ASSERT_EQ(SaveAs("keep.nt3"), 0);
  EXPECT_NE(ReadWholeFile(OutputDir() + "keep.nt3"), before);
  EXPECT_TRUE(ReadWholeFile(OutputDir() + "keep.nt3.~tmp").empty());
  EXPECT_TRUE(ReadWholeFile(OutputDir() + "keep.nt3.~old").empty());
}
