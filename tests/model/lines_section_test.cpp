// The section "LIND" of the line table: fixtures of every version form load as their forms say,
// faulty sections are format errors that keep the lines read before, and a table with
// descriptions saves and loads back equal (the second save identical).
#include <gtest/gtest.h>
#include <string>
#include "core/misc.h"
#include "elements/lines.h"
#include "model/netfile.h"
#include "app/dialog_test_util.h"
#include "core/langtext.h"
#include "core/stream.h"
#include "netfile_test_util.h"

namespace {
struct LineSection : ::testing::Test {
  void SetUp() override {
    NetTestSetUp();
    InitLineTable();
    ClearLineTable();
  }
  void TearDown() override {
    ClearLineTable();
    NetTestTearDown();
  }
};

std::u16string Description(int id) {
  static char16_t b[LINE_DESC_MAX];
  if (GetLineDescription(id, b) <= 0) return u"";
  return b;
}
}  // namespace

TEST_F(LineSection, EveryVersionFormLoads) {
  for (int v : {13572, 13573, 14388, 14389, 14392, 14393, 14400}) {
    SCOPED_TRACE(v);
    std::string name = "lines_" + std::to_string(v) + ".nt3";
    ASSERT_EQ(LoadFixture(name.c_str()), NETLOAD_OK);
    ASSERT_EQ(LineCount(), 3);
    EXPECT_EQ(std::u16string(LineAt(0)->name), u"S1");  // narrow names lose their blanks
    EXPECT_EQ(LineAt(0)->id, 3u);
    EXPECT_EQ(std::u16string(LineAt(1)->name), u"Bus42");
    EXPECT_EQ(LineAt(2)->id, 4005u);
    EXPECT_EQ(Description(3), v >= 14393 ? u"Airport\r\nvia the centre" : u"");
    EXPECT_EQ(GetLineDescription(1, nullptr), 0);
    EXPECT_EQ(Description(4005), v >= 14393 ? u"x" : u"");
  }
}

TEST_F(LineSection, FaultsAreFormatErrors) {
  static const struct {
    const char* name;
    int kept;  // lines read before the fault
  } faults[] = {{"lind_count", 0},    {"lind_id0", 0},        {"lind_id4006", 0},
                {"lind_idtwice", 1},  {"lind_idtwice_old", 1}, {"lind_name9", 0},
                {"lind_desc10002", 1}, {"lind_tag", 0}};
  for (const auto& f : faults) {
    std::string file = std::string(f.name) + ".nt3";
    EXPECT_EQ(LoadFixture(file.c_str()), NETOFS_LINES + NETSEC_FORMAT) << f.name;
    EXPECT_EQ(LineCount(), f.kept) << f.name;
  }
  // A description whose last unit is not 0 is ended there.
  ASSERT_EQ(LoadFixture("lind_desc_unterminated.nt3"), NETLOAD_OK);
  EXPECT_EQ(GetLineDescription(5, nullptr), 3);
  EXPECT_EQ(Description(5), u"ab");
}

TEST_F(LineSection, SavesAndLoadsBackEqual) {
  ASSERT_EQ(LoadFixture("lines_14400.nt3"), NETLOAD_OK);
  ASSERT_EQ(CreateLine(u"Night", FindLineByName(u"S1"), 0), 0);
  std::u16string longText(LINE_DESC_MAX - 1, u'd');
  ASSERT_EQ(SetLineDescription(FindLineByName(u"Night"), longText.c_str()), 0);
  ASSERT_EQ(SaveAs("lines_first.nt3"), 0);
  ClearLineTable();
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"lines_first.nt3"), NETLOAD_OK);
  ASSERT_EQ(LineCount(), 4);
  EXPECT_EQ(std::u16string(LineAt(1)->name), u"Night");
  EXPECT_EQ(Description(LineAt(1)->id), longText);
  EXPECT_EQ(Description(3), u"Airport\r\nvia the centre");
  EXPECT_EQ(LineAt(3)->id, 4005u);
  ASSERT_EQ(SaveAs("lines_second.nt3"), 0);
  auto first = FromEofMark(ReadWholeFile(OutputDir() + "lines_first.nt3"));
  auto second = FromEofMark(ReadWholeFile(OutputDir() + "lines_second.nt3"));
  EXPECT_FALSE(first.empty());
  EXPECT_EQ(first, second);
}

// The lines table of the text export: heading with the count, column titles, one row per line
// with the name right-aligned and the separator between the columns, descriptions when asked.
TEST_F(LineSection, ReportTable) {
  ASSERT_TRUE(LoadTestLanguage());
  ASSERT_EQ(CreateLine(u"A", 0, 0), 0);
  ASSERT_EQ(CreateLine(u"Bus42", 0, 0), 0);
  ASSERT_EQ(SetLineDescription(1, u"via X"), 0);
  UseFolder(OutputDir());
  for (int withDescriptions : {0, 1}) {
    ASSERT_EQ(StreamOpenWrite(u"lines.txt", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
    ASSERT_EQ(WriteLineReport(u';', withDescriptions), 0);
    ASSERT_EQ(StreamCloseWrite(), 0);
    auto bytes = ReadWholeFile(OutputDir() + "lines.txt");
    std::string got(bytes.begin(), bytes.end());
    std::string expected = "Lines: 2\r\n" + std::string(GetLangTextA(LANG_ID(12101))) + "\r\n" +
                           "       A;      0;      0;      0;      0;      0\r\n";
    if (withDescriptions) expected += "Description: via X\r\n";
    expected += "   Bus42;      0;      0;      0;      0;      0\r\n";
    expected += "\r\n" + std::string(60, '-') + "\r\n";
    EXPECT_EQ(got, expected);
  }
}
