// Tests of the utility module: allocator counters, string primitives, searching, control-code
// escapes, name tokens, decimal numbers, the version class and the seeded random sequence.
#include <gtest/gtest.h>
#include <cstdint>
#include <string>
#include "core/misc.h"
#include "core/platform.h"
#include "core/random.h"

static const char16_t kAlphabet[] = u"\\12345678U";

// ---- allocator ---------------------------------------------------------------------------------
TEST(MiscMemory, AllocFreeKeepCounters) {
  int32_t blocks = MemBlockCount;
  uint32_t bytes = MemByteTotal;
  void* a = MemAlloc(100);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(MemBlockCount, blocks + 1);
  EXPECT_GE(MemByteTotal, bytes + 100);
  void* b = MemRealloc(a, 5000);
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(MemBlockCount, blocks + 1);
  EXPECT_GE(MemByteTotal, bytes + 5000);
  EXPECT_EQ(MemFree(b), 0);
  EXPECT_EQ(MemBlockCount, blocks);
  EXPECT_EQ(MemByteTotal, bytes);
}

TEST(MiscMemory, FreeNullAndFailedReallocChangeNothing) {
  int32_t blocks = MemBlockCount;
  uint32_t bytes = MemByteTotal;
  EXPECT_EQ(MemFree(nullptr), MEMFREE_NULL);
  EXPECT_EQ(MemBlockCount, blocks);
  EXPECT_EQ(MemByteTotal, bytes);
  EXPECT_EQ(MemRealloc(nullptr, 10), nullptr);

  char* a = (char*)MemAlloc(16);
  ASSERT_NE(a, nullptr);
  CopyStringA(a, "kept");
  uint32_t after = MemByteTotal;
  if (sizeof(size_t) > 4) {  // a size beyond the 32-bit byte counter is refused
    EXPECT_EQ(MemRealloc(a, (size_t)0x100000000ull), nullptr);
  }
  EXPECT_EQ(MemRealloc(a, SIZE_MAX), nullptr);  // no platform heap grants this
  EXPECT_STREQ(a, "kept");
  EXPECT_EQ(MemBlockCount, blocks + 1);
  EXPECT_EQ(MemByteTotal, after);
  EXPECT_EQ(MemFree(a), 0);
}

TEST(MiscMemory, ForgetAndStatus) {
  EXPECT_EQ(MemForget(0), 1);
  void* a = MemAlloc(64);
  int32_t blocks = MemBlockCount;
  EXPECT_EQ(MemForget(64), 0);
  EXPECT_EQ(MemBlockCount, blocks - 1);
  MemBlockCount += 1;  // give the block back to the counters before freeing it
  MemByteTotal += 64;
  EXPECT_EQ(MemFree(a), 0);
  int32_t count = -1;
  uint32_t total = 0;
  uint64_t physical = GetMemoryStatus(nullptr, nullptr, nullptr, nullptr, &count, &total);
  EXPECT_GT(physical, 0u);
  EXPECT_EQ(count, MemBlockCount);
  EXPECT_EQ(total, MemByteTotal);
}

// ---- primitives --------------------------------------------------------------------------------
TEST(MiscStrings, Primitives) {
  char16_t buf[32];
  CopyString(buf, u"  ab");
  AppendString(buf, u"cd");
  EXPECT_EQ(std::u16string(buf), u"  abcd");
  EXPECT_EQ(StringLength(buf), 6);
  EXPECT_EQ(StringLength(nullptr), 0);
  EXPECT_EQ(CountLeadingBlanks(buf), 2);
  EXPECT_EQ(StripLeadingBlanks(buf), 2);
  EXPECT_EQ(std::u16string(buf), u"abcd");
  EXPECT_EQ(FindChar(buf, u'c'), buf + 2);
  EXPECT_EQ(FindChar(buf, u'x'), nullptr);
  char narrow[16] = "   x y";
  EXPECT_EQ(StripLeadingBlanksA(narrow), 3);
  EXPECT_STREQ(narrow, "x y");
  EXPECT_EQ(IsBlankString(u" \t \r"), 1);
  EXPECT_EQ(IsBlankString(u"  .  "), 0);
  EXPECT_EQ(CountTextLines(u"a\r\nb\r\nc"), 3);
  EXPECT_EQ(CountTextLines(nullptr), 0);
  EXPECT_EQ(CountTextLinesA("one"), 1);
  char16_t sw[] = {0x1234, 0x00AB, 0};
  SwapCharBytes(sw);
  EXPECT_EQ(sw[0], 0x3412);
  EXPECT_EQ(sw[1], 0xAB00);
  EXPECT_EQ(CountBits(0), 0);
  EXPECT_EQ(CountBits(0xFFFFFFFFu), 32);
  EXPECT_EQ(CountBits(0x80000101u), 3);
  char16_t fill[4] = {0, 0, 0, 0};
  FillChars(fill, u'z', 3);
  EXPECT_EQ(std::u16string(fill), u"zzz");
  EXPECT_EQ(CompareStringsNoCaseA("  Abc", "aBC"), 0);
}

TEST(MiscStrings, CopyStringLimited) {
  struct Case {
    const char16_t* src;
    int capacity;
    const char16_t* out;
  };
  const Case cases[] = {
      {u"abc", 8, u"abc"}, {u"abc", 4, u"abc"}, {u"abcd", 4, u"abc"},
      {u"abc", 1, u""},    {nullptr, 4, u""},
  };
  for (const Case& c : cases) {
    char16_t buf[9];
    FillChars(buf, u'#', 9);
    int n = CopyStringLimited(buf, c.src, c.capacity);
    EXPECT_EQ(std::u16string(buf), c.out) << c.capacity;
    EXPECT_EQ(n, StringLength(c.out)) << c.capacity;
    EXPECT_EQ(buf[c.capacity], u'#') << "written past the capacity " << c.capacity;
  }
}

TEST(MiscStrings, PointTests) {
  struct Case {
    int x, y, l, x1, y1, l1, x2, y2, l2, inBox, inRect;
  } cases[] = {
      {5, 5, -2, 0, 0, -4, 10, 10, 0, 1, 1},
      {0, 10, 0, 0, 0, -4, 10, 10, 0, 1, 1},  // bounds inclusive
      {11, 5, 0, 0, 0, -4, 10, 10, 0, 0, 0},
      {5, 5, -3, 0, 0, -2, 10, 10, 0, 0, 1},  // the level counts only for the box
      {5, 11, 0, 0, 0, -4, 10, 10, 0, 0, 0},  // y below the rectangle
      {5, -1, 0, 0, 0, -4, 10, 10, 0, 0, 0},  // y above it
      {-1, 5, 0, 0, 0, -4, 10, 10, 0, 0, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointInBox(c.x, c.y, c.l, c.x1, c.y1, c.l1, c.x2, c.y2, c.l2), c.inBox);
    EXPECT_EQ(PointInRect(c.x, c.y, c.x1, c.y1, c.x2, c.y2), c.inRect) << c.x << "," << c.y;
  }
}

TEST(MiscStrings, CaseMappingFollowsUnicodeFlag) {
  int saved = UnicodeFlag;
  UnicodeFlag = 1;
  EXPECT_EQ(CharToUpper(u'a'), u'A');
  EXPECT_EQ(CharToLower(u'\u00C4'), u'\u00E4');
  EXPECT_EQ(CharToUpper(u'\u0431'), u'\u0411');
  EXPECT_EQ(IsUpperChar(u'Q'), 1);
  EXPECT_EQ(IsLowerChar(u'Q'), 0);
  char16_t s[] = u"abc\u00e9";
  StringToUpper(s);
  EXPECT_EQ(std::u16string(s), u"ABC\u00c9");
  UnicodeFlag = 0;  // ANSI: only the low byte is mapped
  EXPECT_EQ(CharToUpper(u'b'), u'B');
  EXPECT_EQ(CharToUpper(u'\u0431'), u'1');
  UnicodeFlag = saved;
}

// ---- comparing and searching -------------------------------------------------------------------
TEST(MiscSearch, CompareStrings) {
  struct Case {
    const char16_t *a, *b;
    int options, result;
  } cases[] = {
      {u"abc", u"abc", 0, 0},
      {u"abc", u"abd", 0, -1},
      {u"abc", u"ABC", CMPS_IGNORE_CASE, 0},
      {u"  abc", u"abc", CMPS_SKIP_BLANKS, 0},
      {u"ab", u"abc", CMPS_BY_KEYS, -1},
      {u"abc", u"ab", CMPS_BY_KEYS, 1},
      {u"", u"", CMPS_BY_KEYS, 0},
      {u"b", u"a", CMPS_BY_KEYS, 1},
  };
  for (const Case& c : cases) {
    std::u16string a(c.a), b(c.b);
    EXPECT_EQ(CompareStrings(c.a, c.b, c.options), c.result)
        << std::string(a.begin(), a.end()) << " / " << std::string(b.begin(), b.end())
        << " options " << c.options;
  }
}

TEST(MiscSearch, StrStr2) {
  struct Case {
    const char16_t *text, *pattern;
    int options, result;
  } cases[] = {
      {u"xab ab", u"ab", 0, 1},
      {u"xab ab", u"ab", STRSTR_WHOLE_WORD, 4},
      {u"ab, abx", u"ab", STRSTR_WHOLE_WORD, -1},  // only a blank or control code ends a word
      {u"ab\tx", u"ab", STRSTR_WHOLE_WORD, 0},
      {u"xabx abx", u"ab", STRSTR_WHOLE_WORD, -1},
      {u"Hello World", u"WORLD", STRSTR_IGNORE_CASE, 6},
      {u"Hello World", u"WORLD", 0, -1},
      {u"abc", u"abcd", 0, -1},
      {u"abc", u"", 0, -1},
      {u"aaab", u"aab", 0, 1},
      {u"   ", u"a", STRSTR_WHOLE_WORD, -1},
  };
  for (const Case& c : cases) {
    std::u16string text(c.text), pattern(c.pattern);
    EXPECT_EQ(StrStr2(c.text, (int)text.size(), c.pattern, (int)pattern.size(), c.options),
              c.result)
        << std::string(text.begin(), text.end()) << " / "
        << std::string(pattern.begin(), pattern.end());
  }
}

// ---- escapes -----------------------------------------------------------------------------------
TEST(MiscEscape, EscapeForms) {
  struct Case {
    std::u16string in;
    int capacity;
    std::u16string out;
    int result;
  } cases[] = {
      {u"plain", 20, u"plain", 0},
      {u"a\\b", 20, u"a\\\\b", 0},
      {std::u16string(u"x") + char16_t(31) + u"y", 20, u"x\\1y", 0},
      {std::u16string(1, char16_t(27)), 20, u"\\8", 0},
      {std::u16string(1, char16_t(24)), 20, u"\\5", 0},
      {std::u16string(u"a") + char16_t(1), 20, u"a\\\\", 0},  // other codes: the escape char
      {u"line\r\nnext", 20, u"line\r\nnext", 0},
      {u"abc\\", 5, u"abc", 1},      // no room for the pair
      {u"a\\bc", 5, u"a\\\\b", 1},   // the last character drops out
      {u"abcdefgh", 5, u"abcd", 1},  // cut at capacity - 1
      {u"abcd", 5, u"abcd", 0},      // an exact fit is not a cut
  };
  for (const Case& c : cases) {
    char16_t buf[64] = {0};
    for (size_t i = 0; i < c.in.size(); i++) buf[i] = c.in[i];
    EXPECT_EQ(EscapeControlCodesWith(buf, c.capacity, kAlphabet), c.result);
    EXPECT_EQ(std::u16string(buf), c.out);
  }
}

TEST(MiscEscape, UnescapeForms) {
  struct Case {
    std::u16string in, out;
  } cases[] = {
      {u"a\\\\b", u"a\\b"},
      {u"\\1\\2\\3\\4", std::u16string({31, 30, 28, 29})},
      {u"\\5\\6\\7\\8", std::u16string({24, 25, 26, 27})},
      {u"\\u00e9!", u"\u00e9!"},
      {u"\\U20AC", u"\u20ac"},
      {u"\\x", u"\\x"},      // unknown letter: both stay
      {u"end\\", u"end\\"},  // escape char last: stays, nothing read beyond
      {u"\\U12", u"\\U12"},  // fewer than four characters follow
      {u"\\U", u"\\U"},
      {u"\\Uzzzz", u"\\Uzzzz"},    // no hexadecimal digit
      {u"\\U0000x", u"\\U0000x"},  // the value 0 would end the text: kept as typed
  };
  for (const Case& c : cases) {
    std::u16string buf = c.in;
    UnescapeControlCodesWith(buf.data(), kAlphabet);
    EXPECT_EQ(std::u16string(buf.c_str()), c.out) << std::string(c.in.begin(), c.in.end());
  }
}

TEST(MiscEscape, RoundTrip) {
  std::u16string original = u"A\\B";
  for (char16_t c = 1; c < 32; c++)
    if (c != u'\r' && c != u'\n' && (c >= 24 || c == 1)) original += c;
  original += u"\r\nend";
  char16_t buf[128] = {0};
  for (size_t i = 0; i < original.size(); i++) buf[i] = original[i];
  EXPECT_EQ(EscapeControlCodesWith(buf, 128, kAlphabet), 0);
  for (char16_t* p = buf; *p; p++) EXPECT_TRUE(*p >= 32 || *p == u'\r' || *p == u'\n');
  UnescapeControlCodesWith(buf, kAlphabet);
  std::u16string expected = original;
  for (char16_t& c : expected)
    if (c == 1) c = u'\\';  // codes without a letter come back as the escape character
  EXPECT_EQ(std::u16string(buf), expected);
}

TEST(MiscEscape, DefaultAlphabetWithoutLanguageText) {
  char16_t esc = GetEscapeChar();
  EXPECT_NE(esc, 0);
  char16_t buf[16] = {esc, 0};
  EXPECT_EQ(EscapeControlCodes(buf, 16), 0);
  EXPECT_EQ(buf[0], esc);
  EXPECT_EQ(buf[1], esc);
  UnescapeControlCodes(buf);
  EXPECT_EQ(buf[0], esc);
  EXPECT_EQ(buf[1], 0);
}

// ---- names -------------------------------------------------------------------------------------
TEST(MiscNames, IsNameChar) {
  EXPECT_EQ(IsNameChar(u'a'), 1);
  EXPECT_EQ(IsNameChar(u'-'), 1);
  EXPECT_EQ(IsNameChar(u','), 0);
  EXPECT_EQ(IsNameChar(u' '), 0);
  for (char16_t c : {u'<', u'@', u'\\', u'~', char16_t(0x7F), char16_t(0x201C), char16_t(0xFEFF)})
    EXPECT_EQ(IsNameChar(c), 0) << (int)c;
}

TEST(MiscNames, ScanNameToken) {
  struct Case {
    const char16_t* text;
    int max;
    int result;
    std::u16string name;
    int consumed;
    char16_t bad;
  } cases[] = {
      {u"  abc,def", 16, NAME_OK, u"abc", 5, 0},
      {u"\"abc", 16, NAME_UNCLOSED_QUOTE, u"abc", 4, 0},
      {u"\"abc\" x", 16, NAME_OK, u"abc", 4, 0},
      {u"*", 16, NAME_STAR, u"*", 1, 0},
      {u"a*b", 16, NAME_BAD_CHAR, u"a*b", 3, 0},
      {u"a<b", 16, NAME_BAD_CHAR, u"a", 1, u'<'},
      {u"abcdef", 3, NAME_TOO_LONG, u"abc", 3, 0},
      {u"abc", 3, NAME_OK, u"abc", 3, 0},
      {u"  ,,", 16, NAME_NONE, u"", 4, 0},
      {u"x1(y)", 16, NAME_OK, u"x1", 2, 0},
  };
  for (const Case& c : cases) {
    char16_t name[32];
    int consumed = -1;
    char16_t bad = 0;
    EXPECT_EQ(ScanNameToken(c.text, name, &consumed, &bad, c.max), c.result);
    EXPECT_EQ(std::u16string(name), c.name);
    EXPECT_EQ(consumed, c.consumed);
    EXPECT_EQ(bad, c.bad);
  }
}

// ---- numbers -----------------------------------------------------------------------------------
TEST(MiscNumbers, ParseDecimalWithComma) {
  struct Case {
    const char16_t* text;
    int digits;
    int32_t value;
  } cases[] = {
      {u"3,5", 2, 350},
      {u"3,05", 2, 305},
      {u"3", 2, 300},
      {u"3,", 2, 300},
      {u",5", 2, 50},
      {u"abc", 2, -1},
      {u"", 2, -1},
      {u"12,345", 2, 1234},
      {u"-3", 2, -1},
      {u"3,5", 3, 3500},
      {u"3,05", 3, 3050},
      {u"3,005", 3, 3005},
      {u"0,999", 3, 999},
      {u"99999999999", 2, -1},  // more than 32 bits
      // a minus sign is refused, not read as the fraction alone; '+' reads as before
      {u"-3,5", 2, -1},
      {u" -0,5", 3, -1},
      {u"+3,5", 2, 350},
      {u" +3,05", 3, 3050},
      // a whole part of 2^32 or more is refused, not dropped in favour of its fraction
      {u"4294967296,5", 2, -1},
      {u"4294967296,5", 3, -1},
      {u"5000000000", 3, -1},
      {u"2147483,647", 3, 2147483647},
      {u"2147483,648", 3, -1},
  };
  for (const Case& c : cases) {
    std::u16string t(c.text);
    EXPECT_EQ(ParseDecimalWith(c.text, u',', c.digits), c.value) << std::string(t.begin(), t.end());
  }
}

TEST(MiscNumbers, FormatDecimal) {
  char16_t out[24];
  FormatDecimalWith(out, 305, u',', 2);
  EXPECT_EQ(std::u16string(out), u"3,05");
  FormatDecimalWith(out, 3050, u',', 3);
  EXPECT_EQ(std::u16string(out), u"3,050");
  FormatDecimalWith(out, 7, u'.', 3);
  EXPECT_EQ(std::u16string(out), u"0.007");
  char16_t sep = GetDecimalSeparator();
  FormatDecimal2(out, 1234);
  EXPECT_EQ(out[2], sep);
  EXPECT_EQ(ParseDecimal2(out), 1234);
  FormatDecimal3(out, 4321);
  EXPECT_EQ(ParseDecimal3(out), 4321);
}

TEST(MiscNumbers, UnsignedDigits) {
  struct Case {
    uint32_t v;
    int minDigits;
    std::u16string text;
  } cases[] = {
      {0, 1, u"0"},
      {7, 2, u"07"},
      {5, 3, u"005"},
      {12345, 2, u"12345"},
      {4294967295u, 1, u"4294967295"},
      {1, 12, u"0000000001"},  // never more than 10 digits
  };
  for (const Case& c : cases) {
    char16_t out[16];
    for (char16_t& u : out) u = u'X';
    int n = FormatUnsignedDigits(out, c.v, c.minDigits);
    EXPECT_EQ(n, (int)c.text.size()) << c.v;
    EXPECT_EQ(std::u16string(out, (size_t)n), c.text) << c.v;
    EXPECT_EQ(out[n], u'X') << "no terminator is written";
  }
}

TEST(MiscNumbers, WindowsVersionClass) {
  int cls = -1;
  char16_t sp[128];
  uint32_t v = GetWindowsVersion(&cls, sp);
  EXPECT_NE(v, 0u);
  EXPECT_GE(cls, 1);
  EXPECT_LE(cls, 8);
  EXPECT_EQ(GetWindowsVersion(nullptr, nullptr), v);
}

// ---- random ------------------------------------------------------------------------------------
TEST(MiscRandom, NextRandomSequence) {
  EXPECT_EQ(NextRandom(0), -1);
  EXPECT_EQ(RandomSeed, 0);
  EXPECT_EQ(NextRandom(10), 1);
  EXPECT_EQ(RandomSeed, 1);
  EXPECT_EQ(NextRandom(10), 4);
  EXPECT_EQ(RandomSeed, 74);
  EXPECT_EQ(NextRandom(-5), -1);
  EXPECT_EQ(RandomSeed, 5);
  EXPECT_EQ(NextRandom(1000), 366);  // 5 * 73 + 1
}

TEST(MiscRandom, NextRandomStaysInRange) {
  // A seed whose product wraps to 0x80000000 has no positive absolute value.
  RandomSeed = (int32_t)0xB81C0E07;  // 0xB81C0E07 * 73 + 1 wraps to 0x80000000
  uint32_t check = (uint32_t)RandomSeed * 73u + 1u;
  ASSERT_EQ(check, 0x80000000u);
  int32_t r = NextRandom(7);
  EXPECT_GE(r, 0);
  EXPECT_LT(r, 7);
}

TEST(MiscRandom, RandomBelowSources) {
  FixedRandomSeed = -1;
  RuntimeSrand(1);
  int expected = RuntimeRand() % 6;
  RuntimeSrand(1);
  EXPECT_EQ(RandomBelow(6), expected);
  EXPECT_EQ(RandomBelow(0), 0);
  FixedRandomSeed = 1234;
  NextRandom(0);
  EXPECT_EQ(RandomBelow(10), 1);  // continues the seeded sequence
  EXPECT_EQ(RandomBelow(0), 0);   // never reseeds
  EXPECT_EQ(RandomSeed, 1);
  FixedRandomSeed = -1;
}
