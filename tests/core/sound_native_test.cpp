// The sounds natively: option bits, the file name in the program folder, a fresh alias per play,
// a missing file's error, and a failed play closing its device and giving its error.
#include <gtest/gtest.h>
#include <string>
#include "core/sound.h"
#include "core/sound_platform.h"
#include "core/stream.h"

namespace {
struct ProgramFolder {
  char16_t saved[STREAM_PATH_CHARS];
  explicit ProgramFolder(const char* dir) {
    StreamInit();
    GetKindFolder(FILE_KIND_PROGRAM, saved);
    std::u16string d(dir, dir + std::char_traits<char>::length(dir));
    SetKindFolder(FILE_KIND_PROGRAM, (d + u"/").c_str());
  }
  ~ProgramFolder() { SetKindFolder(FILE_KIND_PROGRAM, saved); }
};
}  // namespace

TEST(Sounds, PlaysTheNumberedFileUnderAFreshAlias) {
  ProgramFolder folder(QUIL_TEST_DATA_DIR);
  uint32_t savedOptions = SoundOptions;
  SoundOptions = 1;
  SoundNativeReset();
  EXPECT_EQ(PlaySoundFile(3, 2), 0u);  // bit 2 not set: nothing
  EXPECT_EQ(SoundNativeCallCount(), 0);

  uint32_t count = GetSoundPlayCount();
  ASSERT_EQ(PlaySoundFile(3, 1), 0u);
  ASSERT_EQ(SoundNativeCallCount(), 1);
  std::u16string path = SoundNativeLastCall()->path;
  EXPECT_EQ(path.substr(path.size() - 11), u"/quil03.wav");
  char16_t alias[16] = u"xxxJ";
  uint32_t n = count % 100000;
  for (int i = 8; i >= 4; i--, n /= 10) alias[i] = (char16_t)(u'0' + n % 10);
  alias[9] = 0;
  EXPECT_EQ(std::u16string(SoundNativeLastCall()->alias), std::u16string(alias));
  EXPECT_TRUE(SoundNativeLastCall()->played);
  EXPECT_FALSE(SoundNativeLastCall()->closed);

  ASSERT_EQ(PlayStartSound(), 0u);
  EXPECT_EQ(GetSoundPlayCount(), count + 2);
  EXPECT_EQ(std::u16string(SoundNativeLastCall()->path).substr(path.size() - 11), u"/quil00.wav");

  EXPECT_EQ(PlaySoundFile(42, 1), 275u);  // no such file
  SoundNativeFailPlay(1);
  EXPECT_EQ(PlaySoundFile(1, 1), 263u);  // the play's error, not the close's result
  EXPECT_TRUE(SoundNativeLastCall()->closed);
  SoundNativeReset();
  SoundOptions = savedOptions;
}
