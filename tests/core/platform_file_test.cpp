// The runtime file wrappers: open, write, read, seek, length, rename, remove, access, chmod,
// modification time, current folder, full paths, and the 260-character rule in ANSI mode;
// plus the global memory blocks of the allocator.
#include "core/platform.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {
const char16_t* kFile = u"platform_test_a.tmp";
const char16_t* kOther = u"platform_test_b.tmp";

void Clean() {
  WrapChmod(kFile, WRAP_S_IREAD | WRAP_S_IWRITE);
  WrapRemove(kFile);
  WrapRemove(kOther);
}
}  // namespace

TEST(PlatformFiles, WriteReadSeekAndLength) {
  Clean();
  int fd = WrapOpen(kFile, WRAP_O_RDWR | WRAP_O_CREAT | WRAP_O_TRUNC | WRAP_O_BINARY,
                    WRAP_S_IREAD | WRAP_S_IWRITE);
  ASSERT_GE(fd, 0);
  EXPECT_EQ(10, WrapWrite(fd, "0123456789", 10));
  EXPECT_EQ(10, WrapFilelength(fd));
  EXPECT_EQ(4, WrapLseek(fd, 4, WRAP_SEEK_SET));
  char buf[8] = {};
  EXPECT_EQ(3, WrapRead(fd, buf, 3));
  EXPECT_STREQ("456", buf);
  EXPECT_EQ(8, WrapLseek(fd, -2, WRAP_SEEK_END));
  EXPECT_EQ(2, WrapRead(fd, buf, 8));
  EXPECT_EQ(0, WrapRead(fd, buf, 8));
  WrapTime t{};
  EXPECT_EQ(0, WrapGetFtime(fd, &t));
  EXPECT_GE(t.year, 2020);
  EXPECT_EQ(0, WrapClose(fd));
  EXPECT_EQ(-1, WrapFilelength(fd));
  Clean();
}

TEST(PlatformFiles, RenameRemoveAccessAndChmod) {
  Clean();
  FILE* f = WrapFopen(kFile, u"wb");
  ASSERT_NE(nullptr, f);
  fputs("x", f);
  EXPECT_EQ(0, WrapFclose(f));
  EXPECT_EQ(0, WrapAccess(kFile, WRAP_ACCESS_EXISTS));
  EXPECT_EQ(-1, WrapAccess(kOther, WRAP_ACCESS_EXISTS));
  EXPECT_EQ(0, WrapRename(kFile, kOther));
  EXPECT_EQ(-1, WrapAccess(kFile, WRAP_ACCESS_EXISTS));
  int fd = WrapCreat(kFile, WRAP_S_IREAD | WRAP_S_IWRITE);
  ASSERT_GE(fd, 0);
  WrapClose(fd);
  EXPECT_EQ(-1, WrapRename(kFile, kOther));  // never replaces a file
  EXPECT_EQ(0, WrapChmod(kFile, WRAP_S_IREAD));
  EXPECT_EQ(0, WrapChmod(kFile, WRAP_S_IREAD | WRAP_S_IWRITE));
  EXPECT_EQ(0, WrapRemove(kOther));
  EXPECT_EQ(-1, WrapRemove(kOther));
  EXPECT_EQ(nullptr, WrapFopen(kOther, u"rb"));
  EXPECT_EQ(nullptr, WrapFopen(kFile, u"rbrbrbrbrbrbrbrbrbrb"));  // mode of 20 characters
  Clean();
}

static std::string ReadAll(const char16_t* path) {
  std::string out;
  FILE* f = WrapFopen(path, u"rb");
  if (!f) return "<none>";
  int c;
  while ((c = fgetc(f)) != EOF) out += (char)c;
  WrapFclose(f);
  return out;
}

static void WriteAll(const char16_t* path, const char* text) {
  FILE* f = WrapFopen(path, u"wb");
  ASSERT_NE(nullptr, f);
  fputs(text, f);
  WrapFclose(f);
}

// The replace puts a file in the place of another in one step, in both call modes; a missing
// source leaves the target as it was.
TEST(PlatformFiles, ReplaceFileTakesThePlaceOfTheOldFile) {
  int old = UnicodeFlag;
  for (int unicode = 1; unicode >= 0; unicode--) {
    SCOPED_TRACE(unicode);
    UnicodeFlag = unicode;
    Clean();
    WriteAll(kFile, "new");
    WriteAll(kOther, "old contents");
    EXPECT_EQ(0, WrapReplaceFile(kFile, kOther));
    EXPECT_EQ("new", ReadAll(kOther));
    EXPECT_EQ("<none>", ReadAll(kFile));
    EXPECT_EQ(-1, WrapReplaceFile(kFile, kOther));
    EXPECT_EQ("new", ReadAll(kOther));
    WriteAll(kFile, "to a new name");  // no file of that name yet
    WrapRemove(kOther);
    EXPECT_EQ(0, WrapReplaceFile(kFile, kOther));
    EXPECT_EQ("to a new name", ReadAll(kOther));
  }
  UnicodeFlag = old;
  Clean();
}

TEST(PlatformFiles, AnsiModeRefusesPathsOf260Characters) {
  int old = UnicodeFlag;
  UnicodeFlag = 0;
  std::u16string longName(260, u'p');
  EXPECT_EQ(nullptr, WrapFopen(longName.c_str(), u"wb"));
  EXPECT_EQ(-1, WrapOpen(longName.c_str(), WRAP_O_RDONLY, 0));
  EXPECT_EQ(-1, WrapAccess(longName.c_str(), 0));
  EXPECT_EQ(-1, WrapRemove(longName.c_str()));
  EXPECT_EQ(-1, WrapChdir(longName.c_str()));
  // a short path still works through the ANSI calls
  FILE* f = WrapFopen(kFile, u"wb");
  EXPECT_NE(nullptr, f);
  if (f) WrapFclose(f);
  EXPECT_EQ(0, WrapRemove(kFile));
  UnicodeFlag = old;
}

TEST(PlatformFiles, CurrentFolderAndFullPath) {
  for (int mode : {1, 0}) {
    int old = UnicodeFlag;
    UnicodeFlag = mode;
    char16_t cwd[WRAP_ANSI_MAX], full[WRAP_ANSI_MAX];
    ASSERT_NE(nullptr, WrapGetCwd(cwd, WRAP_ANSI_MAX));
    ASSERT_NE(nullptr, WrapFullPath(full, u"sub/../name.txt", WRAP_ANSI_MAX));
    std::u16string f(full), c(cwd);
    EXPECT_EQ(c, f.substr(0, c.size())) << mode;
    EXPECT_EQ(u"name.txt", f.substr(f.size() - 8)) << mode;
    EXPECT_EQ(c.size() + 9, f.size()) << mode;  // cwd, a separator, the name
    EXPECT_EQ(nullptr, WrapGetCwd(cwd, 261));
    EXPECT_EQ(0, WrapChdir(u"."));
    UnicodeFlag = old;
  }
}

TEST(PlatformMemory, AllocZeroGrowAndFree) {
  WrapGlobal b = WrapGlobalAlloc(WRAP_GMEM_FIXED | WRAP_GMEM_ZEROINIT, 100);
  ASSERT_NE(nullptr, b);
  EXPECT_GE(WrapGlobalSize(b), 100u);
  unsigned char* p = (unsigned char*)WrapGlobalLock(b);
  ASSERT_NE(nullptr, p);
  for (int i = 0; i < 100; i++) ASSERT_EQ(0, p[i]);
  memset(p, 0xAB, 100);
  EXPECT_EQ(b, WrapGlobalHandle(p));
  WrapGlobalUnlock(b);
  WrapGlobal g = WrapGlobalReAlloc(b, 5000, WRAP_GMEM_MOVEABLE | WRAP_GMEM_ZEROINIT);
  ASSERT_NE(nullptr, g);
  EXPECT_GE(WrapGlobalSize(g), 5000u);
  p = (unsigned char*)WrapGlobalLock(g);
  EXPECT_EQ(0xAB, p[0]);
  EXPECT_EQ(0xAB, p[99]);
  EXPECT_EQ(0, p[100]);
  EXPECT_EQ(0, p[4999]);
  WrapGlobalUnlock(g);
  EXPECT_EQ(nullptr, WrapGlobalFree(g));
}
