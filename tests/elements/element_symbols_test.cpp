// Tests of the element symbol tests (symbol numbers and state ranges) and of the settings the
// element stores keep for the option file.
#include <gtest/gtest.h>
#include "elements/element_services.h"

typedef int (*SymbolTest)(uint32_t, int32_t*);

TEST(ElementSymbols, KindsAndStateRanges) {
  struct Case {
    SymbolTest test;
    uint32_t code;
    int result;
    int32_t low, high;
  } cases[] = {
      {IsHstSymbol, 264, 1, 0, 16},
      {IsHstSymbol, 0x1800 | 271, 1, 2, 2},
      {IsHstSymbol, 0x4000 | 0x1800 | 264, 1, 2, 2},  // the mark bit does not count
      {IsHstSymbol, 272, 0, 0, 0},
      {IsHstSymbol, 0x8000 | 264, 0, 0, 0},
      {IsTpSymbol, 152, 1, 0, 18},
      {IsTpSymbol, 0x1A00 | 159, 1, 0, 2},
      {IsTpSymbol, 151, 0, 0, 0},
      {IsLfstSymbol, 176, 1, 0, 17},
      {IsLfstSymbol, 0x1000 | 183, 1, 4, 17},
      {IsLfstSymbol, 0x1800 | 180, 1, 0, 3},
      {IsRpCode, 192, 1, 0, 3},
      {IsRpCode, 0x1800 | 199, 1, 0, 0},
      {IsRpCode, 200, 0, 0, 0},
      {IsDwxCode, 200, 1, 0, 1},
      {IsDwxCode, 0x1800 | 207, 1, 0, 0},
      {IsDwxCode, 0xC0C8, 0, 0, 0},
      {IsPrellCode, 168, 1, 0, 3},
      {IsPrellCode, 0x1000 | 175, 1, 0, 11},
      {IsPrellCode, 0x1800 | 170, 1, 0, 7},
      {IsPrellCode, 167, 0, 0, 0},
  };
  for (const Case& c : cases) {
    int32_t range[2] = {-99, -99};
    EXPECT_EQ(c.test(c.code, range) != 0, c.result != 0) << std::hex << c.code;
    if (c.result) {
      EXPECT_EQ(range[0], c.low) << std::hex << c.code;
      EXPECT_EQ(range[1], c.high) << std::hex << c.code;
    } else {
      EXPECT_EQ(range[0], -99);  // untouched
    }
    EXPECT_EQ(c.test(c.code, nullptr) != 0, c.result != 0);
  }
}

TEST(ElementSettings, FormDefaultsRefuseBadValues) {
  struct Case {
    int (*set)(int);
    int (*get)();
    int high;
  } cases[] = {
      {SetStopDefault, GetStopDefault, 16},
      {SetSlowSectionDefault, GetSlowSectionDefault, 17},
      {SetBufferStopDefault, GetBufferStopDefault, 11},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.set(c.high), 0);
    EXPECT_EQ(c.get(), c.high);
    EXPECT_EQ(c.set(c.high + 1) & 0xFF, 1);
    EXPECT_EQ(c.set(-1) & 0xFF, 1);
    EXPECT_EQ(c.get(), c.high);
    c.set(0);
  }
}

// The log settings: flags that only choose the text form (bits 4 and 8) log nothing and are
// refused, like characters below 32; a refusal changes nothing.
TEST(ElementSettings, LogSettings) {
  uint32_t flags = 0;
  char16_t sep = 0, comment = 0;
  GetLogSettings(&flags, &sep, &comment, nullptr);
  EXPECT_EQ(flags, 3u);  // log points and event-display entries
  EXPECT_EQ(sep, u',');
  EXPECT_EQ(comment, u';');
  struct Case {
    uint32_t flags, separator, comment;
    int result;
  } cases[] = {
      {4, u',', u';', 1},     {0, u',', u';', 1},  {8, u',', u';', 1},
      {12, u',', u';', 1},    {1, 31, u';', 2},    {1, u',', 70000, 3},
      {2 | 8, u'|', u'!', 0}, {16, u',', u';', 0}, {1 | 2 | 4 | 16, 32, 65535, 0},
  };
  uint32_t expectFlags = 3, expectSep = u',', expectComment = u';';
  for (const Case& c : cases) {
    EXPECT_EQ(SetLogSettings(c.flags, c.separator, c.comment), c.result) << c.flags;
    if (c.result == 0) {
      expectFlags = c.flags;
      expectSep = c.separator;
      expectComment = c.comment;
    }
    GetLogSettings(&flags, &sep, &comment, nullptr);
    EXPECT_EQ(flags, expectFlags) << c.flags;
    EXPECT_EQ(sep, expectSep) << c.flags;
    EXPECT_EQ(comment, expectComment) << c.flags;
  }
  SetLogSettings(3, u',', u';');
}

TEST(LineRefLists, NextEntrySkipsEveryAnnouncedPart) {
  const uint32_t list[] = {
      // entry 0: two lines, no parts
      2,
      7,
      8,
      0,
      // entry 1: one line, time windows (1 pair), number ranges (2 words), category, schedule B
      // (1 record), depot order with depot and slot
      1,
      5,
      0x8000 | 0x10000 | 0x0002 | 0x0020 | 0x20000,
      1,
      0x01000000,
      0x02000000,
      2,
      10,
      20,
      3,
      1,
      0x01080000,
      4,
      1,
      1,
      4 | 1,
      9,
      2,
      // entry 2: no lines, depot order without depot
      0,
      0x20000,
      0,
  };
  int second = LineRefNextEntry(list, 0);
  EXPECT_EQ(second, 4);
  int third = LineRefNextEntry(list, second);
  EXPECT_EQ(third, 4 + 3 + 3 + 3 + 1 + 5 + 3);
  EXPECT_EQ(LineRefNextEntry(list, third), (int)(sizeof list / sizeof list[0]));
}
