// Clipboard text lines in both text modes (the wide and the ANSI format): appending, reading lines
// back, cutting to the capacity, the marked list copy with its refused long line, and the bitmap's
// size checks. Natively through the process clipboard, under Wine through the system clipboard.
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>
#include "core/clipboard.h"
#include "core/misc.h"
#include "core/platform.h"

namespace {
struct ModeGuard {
  int saved = UnicodeFlag;
  explicit ModeGuard(int mode) { UnicodeFlag = mode; }
  ~ModeGuard() { UnicodeFlag = saved; }
};

std::u16string Line(int n, int capacity = 300, int* result = nullptr) {
  std::vector<char16_t> out(capacity > 0 ? capacity : 1, u'?');
  int r = ReadClipboardLine(n, capacity, out.data());
  if (result) *result = r;
  return out.data();
}

// The whole clipboard text of the format in use, as wide text.
std::u16string WholeText() {
  std::u16string all;
  for (int n = 0;; n++) {
    int r = 0;
    std::u16string line = Line(n, 1000, &r);
    if (r == 3) break;
    if (n) all += u"\r\n";
    all += line;
  }
  return all;
}
}  // namespace

class ClipboardModes : public ::testing::TestWithParam<int> {};

TEST_P(ClipboardModes, AppendedLinesReadBackLineByLine) {
  ModeGuard mode(GetParam());
  ASSERT_EQ(ClearClipboard(), 0);
  int r = -1;
  EXPECT_EQ(Line(0, 10, &r), u"");
  EXPECT_EQ(r, 3);  // no text
  ASSERT_EQ(AppendClipboardLine(u"a"), 0);
  ASSERT_EQ(AppendClipboardLine(u"b"), 0);
  EXPECT_EQ(Line(0), u"a");
  EXPECT_EQ(Line(1, 10, &r), u"b");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Line(2, 10, &r), u"");
  EXPECT_EQ(r, 3);
  EXPECT_EQ(Line(-1, 10, &r), u"");
  EXPECT_EQ(r, 3);

  ASSERT_EQ(ClearClipboard(), 0);
  ASSERT_EQ(AppendClipboardLine(u"abcdef"), 0);
  EXPECT_EQ(Line(0, 4, &r), u"abc");
  EXPECT_EQ(r, 1);
  EXPECT_EQ(Line(0, 7, &r), u"abcdef");
  EXPECT_EQ(r, 0);
  EXPECT_EQ(Line(0, 1, &r), u"");
  EXPECT_EQ(r, 1);
  ClearClipboard();
}

TEST_P(ClipboardModes, ListCopyStripsMarkingsAndEndsWithAnEmptyLine) {
  ModeGuard mode(GetParam());
  struct Case {
    std::u16string list;  // lines with their 0s; the final empty line is added below
    std::u16string text;
    int result;
  };
  std::u16string longLine(256, u'x'), justShort(255, u'y');
  const Case cases[] = {
      {std::u16string(u"x\0y\0", 4), u"x\r\ny\r\n", 0},
      {u"", u"", 0},
      // a run: 2 and three parameter units, text, the closing 2; then 6 and five units
      {std::u16string(u"a\x02"
                      u"123bc\x02"
                      u"d\x06"
                      u"12345e\x06"
                      u"f\0",
                      19),
       u"abcdef\r\n", 0},
      // parameter units may be 0: a keyed run of entry 0 (key 0, filler 0) as the lists make it
      {std::u16string(u"ab\x02"
                      u"\0\0\0 cd\x02"
                      u"e\0next\0",
                      16),
       u"ab cde\r\nnext\r\n", 0},
      {std::u16string(u"ab\x06"
                      u"1\0\0\0\0f\x06"
                      u"\0",
                      12),
       u"abf\r\n", 0},
      {justShort + std::u16string(u"\0", 1), justShort + u"\r\n", 0},
      // a long line: the lines before it are copied, the result is 3
      {std::u16string(u"one\0two\0", 8) + longLine + std::u16string(u"\0three\0", 7), u"one\r\ntwo",
       3},
      {longLine + std::u16string(u"\0", 1), u"", 3},
  };
  int row = 0;
  for (const Case& c : cases) {
    std::u16string list = c.list + std::u16string(1, u'\0');
    AppendClipboardLine(u"old text");  // the copy empties the clipboard first
    EXPECT_EQ(CopyListToClipboard(list.c_str()), c.result) << "row " << row;
    EXPECT_EQ(WholeText(), c.text) << "row " << row;
    row++;
  }
  ClearClipboard();
}

TEST_P(ClipboardModes, TextBeyondTheAnsiRangeInWideMode) {
  if (!GetParam()) GTEST_SKIP() << "wide mode only";
  ModeGuard mode(1);
  ASSERT_EQ(ClearClipboard(), 0);
  ASSERT_EQ(AppendClipboardLine(u"\u65e5\u672c \u20ac"), 0);
  EXPECT_EQ(Line(0), u"\u65e5\u672c \u20ac");
  ClearClipboard();
}

INSTANTIATE_TEST_SUITE_P(Clipboard, ClipboardModes, ::testing::Values(1, 0),
                         [](const ::testing::TestParamInfo<int>& i) {
                           return std::string(i.param ? "Wide" : "Ansi");
                         });

// ---- bitmaps ---------------------------------------------------------------------------------------
namespace {
std::vector<uint8_t> Header(uint32_t size, int32_t width, int32_t height, uint16_t bits,
                            uint32_t colours) {
  std::vector<uint8_t> h(40, 0);
  memcpy(&h[0], &size, 4);
  memcpy(&h[4], &width, 4);
  memcpy(&h[8], &height, 4);
  h[12] = 1;
  memcpy(&h[14], &bits, 2);
  memcpy(&h[32], &colours, 4);
  return h;
}
}  // namespace

TEST(ClipboardDib, SizeFromTheHeaderIsCheckedAndBounded) {
  struct Case {
    std::vector<uint8_t> header;
    size_t available;
    uint64_t size;
  };
  const Case cases[] = {
      {Header(40, 3, 2, 24, 0), 1000, 40 + 2 * 12},       // rows padded to 4 bytes
      {Header(40, 3, -2, 24, 0), 1000, 40 + 2 * 12},      // top-down: absolute height
      {Header(40, 9, 1, 1, 0), 1000, 40 + 8 + 4},         // 1 bit: 2 colours
      {Header(40, 5, 3, 8, 0), 2000, 40 + 1024 + 3 * 8},  // 8 bits: 256 colours
      {Header(40, 5, 3, 8, 16), 2000, 40 + 64 + 3 * 8},   // colour count given
      {Header(40, 2, 2, 32, 0), 1000, 40 + 16},           // no colour table
      {Header(40, 3, 2, 4, 0), 1000, 40 + 64 + 2 * 4},
      {Header(40, 3, 2, 24, 0), 40 + 2 * 12 - 1, 0},  // claims more than the block
      {Header(39, 3, 2, 24, 0), 1000, 0},             // header below 40
      {Header(40, 0, 2, 24, 0), 1000, 0},             // width 0
      {Header(40, -3, 2, 24, 0), 1000, 0},
      {Header(40, 3, 2, 2, 0), 1000, 0},  // depth 2
      {Header(40, 3, 2, 0, 0), 1000, 0},
      {Header(400, 3, 2, 24, 0), 100, 0},                        // header size beyond the block
      {Header(40, 0x7FFFFFFF, 0x7FFFFFFF, 32, 0), 1u << 30, 0},  // 64-bit size, refused
      {Header(40, 1, (int32_t)0x80000000, 8, 0xFFFFFFFF), 1u << 30, 0},
      {Header(40, 3, 2, 24, 0), 39, 0},
  };
  int row = 0;
  for (const Case& c : cases)
    EXPECT_EQ(ClipboardDibSize(c.header.data(), c.available), c.size) << row++;
}

TEST(ClipboardDib, CopyOfTheClipboardBitmap) {
  std::vector<uint8_t> dib = Header(40, 2, 2, 24, 0);
  for (int i = 0; i < 16; i++) dib.push_back((uint8_t)i);
  ASSERT_TRUE(WrapOpenClipboard(nullptr));
  WrapEmptyClipboard();
  WrapGlobal g = WrapGlobalAlloc(WRAP_GMEM_MOVEABLE, dib.size());
  ASSERT_NE(g, nullptr);
  memcpy(WrapGlobalLock(g), dib.data(), dib.size());
  WrapGlobalUnlock(g);
  ASSERT_NE(WrapSetClipboardData(WRAP_CF_DIB, g), nullptr);
  WrapCloseClipboard();

  void* block = nullptr;
  size_t bytes = 0;
  ASSERT_EQ(ReadClipboardDib(&block, &bytes), 0);
  ASSERT_EQ(bytes, dib.size());
  EXPECT_EQ(memcmp(block, dib.data(), bytes), 0);
  MemFree(block);

  ClearClipboard();
  EXPECT_EQ(ReadClipboardDib(&block, &bytes), 3);
  EXPECT_EQ(block, nullptr);
}
