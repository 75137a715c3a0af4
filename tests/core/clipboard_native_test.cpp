// The clipboard functions when the platform refuses: the clipboard cannot be opened, or does not
// take the text; the block given back is freed and the clipboard is closed every time; and a bitmap
// whose header claims more than the clipboard holds.
#include <gtest/gtest.h>
#include <cstring>
#include <vector>
#include "core/clipboard.h"
#include "core/clipboard_seam.h"
#include "core/misc.h"
#include "core/platform.h"

TEST(ClipboardRefused, EveryFunctionAnswersAndLeavesTheClipboardClosed) {
  ClipSeamReset();
  ClipSeamFailOpen(1);
  char16_t out[8] = u"x";
  void* dib = nullptr;
  EXPECT_EQ(ClearClipboard(), 1);
  EXPECT_EQ(AppendClipboardLine(u"a"), 2);
  EXPECT_EQ(CopyListToClipboard(u"a\0"), 2);
  EXPECT_EQ(ReadClipboardLine(0, 8, out), 2);
  EXPECT_EQ(out[0], 0);
  EXPECT_EQ(ReadClipboardDib(&dib, nullptr), 2);

  ClipSeamReset();
  int32_t blocks = MemBlockCount;
  ClipSeamFailSet(1);
  EXPECT_EQ(AppendClipboardLine(u"a"), 2);
  EXPECT_EQ(CopyListToClipboard(u"a\0"), 2);
  EXPECT_EQ(MemBlockCount, blocks);  // the refused blocks were freed
  EXPECT_FALSE(ClipSeamIsOpen());

  ClipSeamReset();
  ASSERT_EQ(AppendClipboardLine(u"kept"), 0);
  EXPECT_EQ(MemBlockCount, blocks);  // the handed-over block left the counters
  EXPECT_FALSE(ClipSeamIsOpen());
  ClipSeamReset();
}

TEST(ClipboardRefused, TextWithoutTerminatorIsReadWithinItsBlock) {
  ClipSeamReset();
  const char16_t unterminated[3] = {u'a', u'b', u'c'};
  ASSERT_EQ(ClipSeamPut(WRAP_CF_UNICODETEXT, unterminated, sizeof unterminated), 0);
  char16_t out[16];
  EXPECT_EQ(ReadClipboardLine(0, 16, out), 0);
  EXPECT_EQ(std::u16string(out), u"abc");
  ASSERT_EQ(AppendClipboardLine(u"d"), 0);
  EXPECT_EQ(ReadClipboardLine(1, 16, out), 0);
  EXPECT_EQ(std::u16string(out), u"d");
  ClipSeamReset();
}

TEST(ClipboardRefused, BitmapClaimingMoreThanTheBlockIsNotCopied) {
  ClipSeamReset();
  std::vector<uint8_t> h(40, 0);
  const uint32_t size = 40, height = 100;
  const int32_t width = 100;
  const uint16_t bits = 24;
  memcpy(&h[0], &size, 4);
  memcpy(&h[4], &width, 4);
  memcpy(&h[8], &height, 4);
  memcpy(&h[14], &bits, 2);
  ASSERT_EQ(ClipSeamPut(WRAP_CF_DIB, h.data(), h.size()), 0);
  void* dib = nullptr;
  int32_t blocks = MemBlockCount;
  EXPECT_EQ(ReadClipboardDib(&dib, nullptr), 3);
  EXPECT_EQ(dib, nullptr);
  EXPECT_EQ(MemBlockCount, blocks);
  EXPECT_FALSE(ClipSeamIsOpen());
  ClipSeamReset();
}
