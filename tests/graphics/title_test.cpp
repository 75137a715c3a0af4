// Title pictures: the choice of a picture, the generated file, broken copies of it.
#include <gtest/gtest.h>
#include "core/misc.h"
#include "graphics/colours.h"
#include "graphics/title.h"
#include "graphics_test_util.h"
#include "views/view_services.h"

TEST(TitlePicture, EveryChoiceGivesAPictureOfTheFile) {
  struct Case {
    uint32_t choice, count, index;
  } cases[] = {
      {TITLE_LAST, 1, 0},
      {TITLE_LAST, 4, 3},
      {TITLE_BEFORE_LAST, 1, 0},
      {TITLE_BEFORE_LAST, 2, 0},
      {TITLE_BEFORE_LAST, 4, 2},
      {TITLE_RANDOM, 1, 0},
      {TITLE_RANDOM, 2, 0},
      {TITLE_RANDOM, 3, 0},
      {0, 1, 0},
      {1, 4, 1},
      {2, 4, 0},
      {7, 4, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ChooseTitlePicture(c.choice, c.count), c.index) << c.choice << " of " << c.count;
  for (int i = 0; i < 50; i++) EXPECT_LT(ChooseTitlePicture(TITLE_RANDOM, 5), 3u);
}

class TitleFile : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
  }
  void TearDown() override { FreeTitleBitmap(); }
};

TEST_F(TitleFile, GeneratedPictures) {
  UseProgramFolder(DataDir());
  EXPECT_EQ(LoadTitleBitmap(TITLE_LAST), 3);
  EXPECT_EQ(LoadTitleBitmap(TITLE_BEFORE_LAST), 2);
  int r = LoadTitleBitmap(TITLE_RANDOM);
  EXPECT_TRUE(r == 0 || r == 1);
  ASSERT_EQ(LoadTitleBitmap(0), 0);
  EXPECT_EQ(HeldTitle.width, 192);
  EXPECT_EQ(HeldTitle.height, 256);
  // the sky of the first picture (colour 9) at the top, the background (6) in the middle
  EXPECT_EQ(HeldTitle.pixels[0], SwapRedBlue(ResolveColour(9)));
  int dummy;
  EXPECT_EQ(DrawTitleBitmap(&dummy, 0, 0, 256, 192), 0);
  EXPECT_EQ(DrawTitleBitmap(nullptr, 0, 0, 256, 192), -1);
  EXPECT_EQ(FreeTitleBitmap(), 0);
  EXPECT_EQ(FreeTitleBitmap(), -1);
  EXPECT_EQ(DrawTitleBitmap(&dummy, 0, 0, 256, 192), -2);
}

TEST_F(TitleFile, BrokenFilesLeaveNoPicture) {
  std::vector<uint8_t> good = ReadBytes(DataDir() + "quil.tbd");
  size_t body = GlyphBodyStart(good);
  ASSERT_LT(body + 10, good.size());
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  std::vector<uint8_t> b = good;
  b[body] = 0x55;
  cases.push_back({"magic", b});
  b = good;
  b[body + 3] = 58;
  cases.push_back({"version", b});
  b = good;
  b[body + 4] = b[body + 5] = 0;
  cases.push_back({"no pictures", b});
  b = good;
  b[body + 6] = b[body + 7] = b[body + 8] = 0xFF;  // first offset far past the end
  cases.push_back({"offset", b});
  cases.push_back({"truncated", std::vector<uint8_t>(good.begin(), good.end() - 40)});
  cases.push_back(
      {"no byte 26", std::vector<uint8_t>(good.begin(), good.begin() + (long)body - 1)});
  for (const Case& c : cases) {
    WriteBytes(ScratchDir() + "quil.tbd", c.bytes);
    UseProgramFolder(ScratchDir());
    int r = LoadTitleBitmap(0);
    if (std::string(c.what) == "truncated") r = LoadTitleBitmap(TITLE_LAST);
    EXPECT_EQ(r, -2) << c.what;
    EXPECT_EQ(HeldTitle.pixels, nullptr) << c.what;
  }
  std::filesystem::create_directories(ScratchDir() + "empty");
  UseProgramFolder(ScratchDir() + "empty/");
  EXPECT_EQ(LoadTitleBitmap(0), -2);
  // a failing allocation of the pixels
  UseProgramFolder(DataDir());
  GraphicsAlloc = [](uint32_t) -> void* { return nullptr; };
  EXPECT_EQ(LoadTitleBitmap(0), -5);
  GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
}
