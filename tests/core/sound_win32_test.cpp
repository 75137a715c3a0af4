// The sounds under the platform: playing gives 0 or the platform's error at once, never waiting for
// the sound to end (there may be no audio device), and a missing file gives its error.
#include <gtest/gtest.h>
#include <string>
#include "core/platform.h"
#include "core/sound.h"
#include "core/stream.h"

TEST(SoundsWin32, PlayReturnsWithoutWaiting) {
  StreamInit();
  char16_t saved[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, saved);
  const char* dir = QUIL_TEST_DATA_DIR;
  std::u16string d(dir, dir + std::char_traits<char>::length(dir));
  SetKindFolder(FILE_KIND_PROGRAM, (d + u"/").c_str());
  for (int mode : {1, 0}) {
    int savedMode = UnicodeFlag;
    UnicodeFlag = mode;
    uint32_t start = WrapGetTickCount();
    uint32_t r = PlaySoundFile(3, 1);  // the longest sound
    uint32_t took = WrapGetTickCount() - start;
    EXPECT_LT(took, 700u) << "mode " << mode << " result " << r;
    EXPECT_NE(PlaySoundFile(77, 1), 0u);  // no such file: an error
    UnicodeFlag = savedMode;
  }
  SetKindFolder(FILE_KIND_PROGRAM, saved);
}
