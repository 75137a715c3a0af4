// Code-page conversions and the ANSI rule for text arguments: cuts only between characters,
// always terminated, 259 characters pass and 260 fail.
#include "core/platform.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>
#include <string>

namespace {
struct CodePageScope {
  int a, u;
  CodePageScope(int ansiToUni, int uniToAnsi) : a(CpAnsiUni), u(CpUniAnsi) {
    SetConversionCodePages(ansiToUni, uniToAnsi);
  }
  ~CodePageScope() { SetConversionCodePages(a, u); }
};
}  // namespace

TEST(PlatformConvert, Cp1252BothWays) {
  CodePageScope cp(1252, 1252);
  char out[32];
  EXPECT_EQ(9, WideToMultiByte(u"Gr\u00FC\u00DFe \u20AC!", out, sizeof out));
  EXPECT_STREQ(
      "Gr\xFC\xDF"
      "e \x80!",
      out);
  char16_t back[32];
  EXPECT_EQ(9, MultiByteToWide(out, back, 32));
  EXPECT_EQ(std::u16string(u"Gr\u00FC\u00DFe \u20AC!"), std::u16string(back));
  EXPECT_EQ(1, WideToMultiByte(u"", out, sizeof out));
  EXPECT_EQ(0, out[0]);
}

// A multibyte code page: "a", e-acute (2 bytes), euro sign (3 bytes), then a character outside
// the basic plane (4 bytes, a surrogate pair in UTF-16).
TEST(PlatformConvert, MultibyteResultIsCutBetweenCharactersAndTerminated) {
  CodePageScope cp(65001, 65001);
  const char16_t* text = u"a\u00E9\u20AC\U0001F600";
  struct Case {
    int outBytes;
    int written;
    const char* expected;
  } cases[] = {{1, 1, ""},
               {2, 2, "a"},
               {3, 2, "a"},
               {4, 4, "a\xC3\xA9"},
               {6, 4, "a\xC3\xA9"},
               {7, 7, "a\xC3\xA9\xE2\x82\xAC"},
               {10, 7, "a\xC3\xA9\xE2\x82\xAC"},
               {11, 11, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
               {40, 11, "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"}};
  for (const Case& c : cases) {
    char out[48];
    memset(out, 'X', sizeof out);
    EXPECT_EQ(c.written, WideToMultiByte(text, out, c.outBytes)) << c.outBytes;
    EXPECT_STREQ(c.expected, out) << c.outBytes;
    EXPECT_EQ('X', out[c.outBytes]) << "wrote past the buffer at " << c.outBytes;
  }
}

TEST(PlatformConvert, WideResultKeepsSurrogatePairsWhole) {
  CodePageScope cp(65001, 65001);
  const char* text =
      "a\xF0\x9F\x98\x80"
      "b";
  struct Case {
    int outUnits;
    int written;
    std::u16string expected;
  } cases[] = {{1, 1, u""},
               {2, 2, u"a"},
               {3, 2, u"a"},
               {4, 4, u"a\U0001F600"},
               {5, 5, u"a\U0001F600b"},
               {9, 5, u"a\U0001F600b"}};
  for (const Case& c : cases) {
    char16_t out[12];
    for (char16_t& u : out) u = u'X';
    EXPECT_EQ(c.written, MultiByteToWide(text, out, c.outUnits)) << c.outUnits;
    EXPECT_EQ(c.expected, std::u16string(out)) << c.outUnits;
    EXPECT_EQ(u'X', out[c.outUnits]) << c.outUnits;
  }
}

TEST(PlatformConvert, LimitedConversionStopsAtTheUnitLimit) {
  CodePageScope cp(65001, 65001);
  char out[32];
  EXPECT_EQ(3, WideToMultiByteN(u"abcdef", 2, out, sizeof out));
  EXPECT_STREQ("ab", out);
  EXPECT_EQ(2, WideToMultiByteN(u"a\U0001F600", 2, out, sizeof out));  // pair would be split
  EXPECT_STREQ("a", out);
  EXPECT_EQ(7, WideToMultiByteN(u"abcdef", -1, out, sizeof out));
}

TEST(PlatformConvert, LimitedConversionReadsNothingPastTheLimit) {
  // Texts in blocks of exactly their units, without a terminator (as clipboard text may be): the
  // sanitizer build catches any read past the block.
  const std::u16string cases[] = {u"abc", u"ab\xD83D", u"\xD83D\xDE00"};
  const char* expected[] = {"abc", "ab", "?"};
  for (int i = 0; i < 3; i++) {
    std::unique_ptr<char16_t[]> block(new char16_t[cases[i].size()]);
    std::memcpy(block.get(), cases[i].data(), cases[i].size() * 2);
    char out[16];
    WideToMultiByteN(block.get(), (int)cases[i].size(), out, sizeof out);
    if (i < 2)
      EXPECT_STREQ(out, expected[i]) << i;
    else
      EXPECT_EQ(out[0], expected[i][0]);  // the pair's replacement (one or two marks)
  }
}

TEST(PlatformConvert, AnsiRuleAt259And260Characters) {
  CodePageScope cp(1252, 1252);
  char buf[WRAP_ANSI_BUF];
  std::u16string t259(259, u'x'), t260(260, u'x'), t300(300, u'y');
  EXPECT_EQ(0, WrapAnsiArg(nullptr, buf));
  EXPECT_EQ(1, WrapAnsiArg(t259.c_str(), buf));
  EXPECT_EQ(259u, strlen(buf));
  EXPECT_EQ(-1, WrapAnsiArg(t260.c_str(), buf));
  EXPECT_EQ(1, WrapAnsiArgCut(t300.c_str(), buf, sizeof buf, 259));
  EXPECT_EQ(259u, strlen(buf));
  EXPECT_EQ(0, WrapAnsiArgCut(nullptr, buf, sizeof buf, 259));
}
