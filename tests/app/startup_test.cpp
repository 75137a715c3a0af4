// Start-up table: order, error codes, the built-in start-up messages, the exit message, and a
// whole start-up and shut-down against a missing and a present language file.
#include "app/startup.h"
#include "core/langtext.h"
#include "core/stream.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

namespace {
std::vector<int> ran;
int r0() {
  ran.push_back(0);
  return 0;
}
int r1() {
  ran.push_back(1);
  return 5;
}
int r2() {
  ran.push_back(2);
  return 6;
}
int r3() {
  ran.push_back(3);
  return 2;
}
int Map6(int r) { return r == 6 ? 0 : 40 + r; }
int Fixed(int) { return 9; }
}  // namespace

TEST(Startup, TableStopsAtFirstError) {
  const StartupStep steps[] = {
      {"a", r0, Fixed}, {"b", r1, nullptr}, {"c", r2, Map6}, {"d", r3, Map6}, {"e", r0, nullptr}};
  int row = 99;
  ran.clear();
  EXPECT_EQ(RunStartupTable(steps, 5, &row), 42);
  EXPECT_EQ(row, 3);
  EXPECT_EQ(ran, (std::vector<int>{0, 1, 2, 3}));  // tolerated results go on
  ran.clear();
  EXPECT_EQ(RunStartupTable(steps, 3, &row), 0);
  EXPECT_EQ(row, -1);
}

TEST(Startup, ProgramTableFollowsTheComponentOrder) {
  // The fixed start-up order; the program's table must be a subsequence of it.
  static const char* const order[] = {
      "processor",
      "run start time",
      "utilities",
      "file streams",
      "language tables",
      "quil.lng",
      "quil.lnv",
      "grid",
      "glyph file",
      "trains",
      "text labels",
      "depots",
      "switch control",
      "route points",
      "signals",
      "TP",
      "Dwx",
      "edit-window table",
      "HTML help",
      "cursors",
      "event filter",
      "fonts",
      "option file",
      "character order",
      "document state",
      "deferred notices",
      "stops",
      "LFST",
      "line table",
      "info texts",
      "log points",
      "buffer stops",
      "animated cells",
  };
  int n;
  const StartupStep* t = GetStartupTable(&n);
  ASSERT_GE(n, 8);
  size_t at = 0;
  for (int i = 0; i < n; i++) {
    while (at < sizeof order / sizeof order[0] && std::strcmp(order[at], t[i].component)) at++;
    ASSERT_LT(at, sizeof order / sizeof order[0]) << "out of order: " << t[i].component;
  }
  EXPECT_STREQ(t[0].component, "processor");
}

TEST(Startup, ErrorCodeMappings) {
  static const struct {
    int r, main, second, glyph;
  } cases[] = {
      {0, 0, 0, 0},    {1, 71, 74, 21}, {2, 72, 75, 22}, {3, 73, 76, 23},
      {4, 14, 14, 24}, {5, 14, 14, 25}, {6, 14, 14, 0},
  };
  for (auto& c : cases) {
    EXPECT_EQ(MapMainLanguageResult(c.r), c.main);
    EXPECT_EQ(MapSecondLanguageResult(c.r), c.second);
    EXPECT_EQ(MapGlyphResult(c.r), c.glyph);
  }
  static const struct {
    int intel;
    uint32_t type;
    int cls;
  } cpus[] = {
      {0, 586, 1000}, {1, 386, 386}, {1, 486, 486}, {1, 586, 586}, {1, 8664, 686}, {1, 0, 686},
  };
  for (auto& c : cpus) EXPECT_EQ(ProcessorClassFrom(c.intel, c.type), c.cls);
}

static std::u16string S(const char16_t* s) { return s ? std::u16string(s) : std::u16string(); }

TEST(Startup, StartupErrorTexts) {
  static const struct {
    int code;
    int row;
    const char16_t* file;
  } cases[] = {
      {21, 10, u"quil.gzg"}, {22, 11, u"quil.gzg"}, {23, 11, u"quil.gzg"}, {24, 11, u"quil.fzg"},
      {71, 10, u"quil.lng"}, {72, 11, u"quil.lng"}, {73, 11, u"quil.lng"}, {74, 10, u"quil.lnv"},
      {75, 11, u"quil.lnv"}, {76, 11, u"quil.lnv"}, {80, 12, nullptr},     {1, 9, nullptr},
      {9, 9, nullptr},       {14, 9, nullptr},
  };
  for (int lang = 0; lang < 2; lang++) {
    for (auto& c : cases) {
      char16_t cap[200], body[400];
      FormatStartupError(c.code, lang, cap, 200, body, 400);
      std::u16string expectBody = S(GetBuiltinText(lang, c.row));
      if (c.file) expectBody += u" " + S(c.file);
      expectBody += S(GetBuiltinText(lang, 6));
      EXPECT_EQ(S(body), expectBody) << c.code;
    }
  }
  char16_t cap[200], body[400];
  FormatStartupError(73, 0, cap, 200, body, 400);
  EXPECT_EQ(S(cap), u"Initialization error #73:");
  EXPECT_EQ(S(body).substr(0, 25), u"File incorrect: quil.lng\r");
  FormatStartupError(80, 7, cap, 10, body, 12);  // other languages fall back; cut safely
  EXPECT_EQ(S(cap).size(), 9u);
  EXPECT_EQ(S(body).size(), 11u);
}

TEST(Startup, FormatterAndExitMessage) {
  char16_t out[100];
  const uint32_t v[3] = {3, 7, 5};
  const char16_t* t[1] = {u"x"};
  FormatTextWith(out, 100, u"%u h %02u:%02u %s %% %q", v, 3, t, 1);
  EXPECT_EQ(S(out), u"3 h 07:05 x % %q");
  const uint32_t neg[1] = {(uint32_t)-12};
  FormatTextWith(out, 100, u"[%i][%5d]", neg, 1, nullptr, 0);
  EXPECT_EQ(S(out), u"[-12][    0]");
  FormatTextWith(out, 5, u"%u%u", v, 2, nullptr, 0);
  EXPECT_EQ(S(out), u"37");
  FormatTextWith(out, 3, u"abcdef", nullptr, 0, nullptr, 0);
  EXPECT_EQ(S(out), u"ab");

  ComposeExitMessage(out, 100, 1503, u"%u:%02u:%02u ", u"Bye");
  EXPECT_EQ(S(out), u"Bye");
  ComposeExitMessage(out, 100, 3725, u"%u:%02u:%02u ", u"Bye");
  EXPECT_EQ(S(out), u"1:02:05 Bye");
}

TEST(Startup, WholeStartupAndShutdown) {
  char16_t saved[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, saved);
  // A folder without language files: "quil.lng" is missing (code 71).
  std::string empty = std::string(QUIL_TEST_BINARY_DIR) + "/";
  std::u16string folder(empty.begin(), empty.end());
  folder += u"no-such-folder/";
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, folder.c_str()), 0);
  EXPECT_EQ(InitProgram(), 71);
  ExitProgram();

  std::string data = std::string(QUIL_TEST_DATA_DIR) + "/";
  std::u16string dataFolder(data.begin(), data.end());
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, dataFolder.c_str()), 0);
  // The build makes the language files before the tests: their absence is a failure.
  EXPECT_EQ(InitProgram(), 0) << "the data folder holds no language files";
  EXPECT_NE(GetLangText(LANG_ID(8000))[0], u'?');  // the text tables are loaded
  ExitProgram();
  ExitProgram();  // exit functions tolerate empty components
  SetKindFolder(FILE_KIND_PROGRAM, saved);
}
