// Splitting paths into drive, folder, name and extension, with the parts found as flags.
#include "core/platform.h"
#include <gtest/gtest.h>
#include <string>

TEST(PlatformPath, SplitsIntoParts) {
  struct Case {
    const char16_t *path, *drive, *dir, *name, *ext;
    int flags;
  } cases[] = {
      {u"C:\\net\\demo.nt3", u"C:", u"\\net\\", u"demo", u".nt3",
       WRAP_FN_DRIVE | WRAP_FN_DIRECTORY | WRAP_FN_FILENAME | WRAP_FN_EXTENSION},
      {u"demo", u"", u"", u"demo", u"", WRAP_FN_FILENAME},
      {u"a/b.c/name", u"", u"a/b.c/", u"name", u"", WRAP_FN_DIRECTORY | WRAP_FN_FILENAME},
      {u"x.tar.gz", u"", u"", u"x.tar", u".gz", WRAP_FN_FILENAME | WRAP_FN_EXTENSION},
      {u"D:*.nt3", u"D:", u"", u"*", u".nt3",
       WRAP_FN_DRIVE | WRAP_FN_WILDCARDS | WRAP_FN_FILENAME | WRAP_FN_EXTENSION},
      {u"", u"", u"", u"", u"", 0},
  };
  for (const auto& c : cases) {
    char16_t drive[WRAP_MAX_DRIVE], dir[WRAP_MAX_DIR], name[WRAP_MAX_FNAME], ext[WRAP_MAX_EXT];
    EXPECT_EQ(c.flags, WrapFnSplit(c.path, drive, dir, name, ext));
    EXPECT_EQ(std::u16string(c.drive), drive);
    EXPECT_EQ(std::u16string(c.dir), dir);
    EXPECT_EQ(std::u16string(c.name), name);
    EXPECT_EQ(std::u16string(c.ext), ext);
  }
}

TEST(PlatformPath, LongPartsAreCutToTheirBuffers) {
  std::u16string path =
      u"C:\\" + std::u16string(400, u'd') + u"\\" + std::u16string(300, u'n') + u".e";
  char16_t dir[WRAP_MAX_DIR], name[WRAP_MAX_FNAME];
  WrapSplitPath(path.c_str(), nullptr, dir, name, nullptr);
  EXPECT_EQ(std::u16string(WRAP_MAX_DIR - 1, u'\\').size(), std::u16string(dir).size());
  EXPECT_EQ((size_t)WRAP_MAX_FNAME - 1, std::u16string(name).size());
}
