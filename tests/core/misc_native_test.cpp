// Tests of the utility module's trace reports (native build: the message boxes are recorded):
// the ANSI compare limit and the pattern buffer of the character-order search.
#include <gtest/gtest.h>
#include <cstdlib>
#include <string>
#include "core/misc.h"
#include "core/platform.h"
#include "core/langtext.h"
#include "core/msgbox_seam.h"

static std::u16string LastTraceText() {
  const MsgBoxCall* call = MsgSeamLastCall();
  return call ? std::u16string(call->text) : std::u16string();
}

TEST(MiscTrace, AnsiCompareRefusesLongTexts) {
  int saved = UnicodeFlag;
  UnicodeFlag = 0;
  MsgSeamReset();
  std::u16string longText(361, u'a'), fits(360, u'a');
  EXPECT_EQ(LocaleCompare(longText.c_str(), u"b", 1), 0);
  EXPECT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(LastTraceText(), u"Non-Unicode Support Error: lstrcmpi (1)");
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->title), u"Trace");
  EXPECT_EQ(LocaleCompare(u"b", longText.c_str(), 0), 0);
  EXPECT_EQ(LastTraceText(), u"Non-Unicode Support Error: lstrcmpi (2)");
  EXPECT_LT(LocaleCompare(fits.c_str(), u"b", 1), 0);  // 360 characters are compared
  EXPECT_EQ(MsgSeamCallCount(), 2);
  UnicodeFlag = 1;
  EXPECT_LT(LocaleCompare(longText.c_str(), u"b", 1), 0);  // no limit with wide calls
  EXPECT_EQ(MsgSeamCallCount(), 2);
  UnicodeFlag = saved;
}

TEST(MiscTrace, KeySearchPatternBuffer) {
  MsgSeamReset();
  std::u16string pattern(301, u'x'), text(400, u'x');
  EXPECT_EQ(StrStr2(text.c_str(), 400, pattern.c_str(), 301, STRSTR_BY_KEYS), -1);
  EXPECT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(LastTraceText(), u"MISC.StrStr2().Bufsize error");
  EXPECT_EQ(StrStr2(text.c_str(), 400, pattern.c_str(), 301, 0), 0);  // only the key search
  EXPECT_EQ(MsgSeamCallCount(), 1);
}

// MemFree of a pointer the allocator did not hand out gives code 2 and reads nothing around it
// (the sanitizer would stop the test at a read before a small heap block or a stack array).
TEST(MiscMemoryNative, ForeignPointersAreRefusedWithoutReadingAroundThem) {
  int32_t blocks = MemBlockCount;
  uint32_t bytes = MemByteTotal;
  char onStack[4] = {};
  char* heap = (char*)malloc(8);
  ASSERT_NE(heap, nullptr);
  char* ours = (char*)MemAlloc(32);
  ASSERT_NE(ours, nullptr);
  void* foreign[] = {onStack + 1, heap, heap + 4, ours + 8};
  for (void* p : foreign) EXPECT_EQ(MemFree(p), MEMFREE_NOT_OURS);
  EXPECT_EQ(MemRealloc(heap, 64), nullptr);
  EXPECT_EQ(MemFree(ours), 0);
  EXPECT_EQ(MemFree(ours), MEMFREE_NOT_OURS);  // freed once already
  free(heap);
  EXPECT_EQ(MemBlockCount, blocks);
  EXPECT_EQ(MemByteTotal, bytes);
}
