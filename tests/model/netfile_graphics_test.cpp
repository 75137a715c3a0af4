// Network files whose graphics section lists vehicle-graphic sets and a background picture.
#include <gtest/gtest.h>
#include "graphics/graphics_section.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"

class NetGraphics : public ::testing::Test {
 protected:
  void SetUp() override {
    NetTestSetUp();
    for (NetSectionRow& r : NetSectionTable) saved.push_back(r);
    savedClear = NetClearOrder[NET_CLEAR_COUNT - 1];
    RegisterGraphicsSection();
  }
  void TearDown() override {
    for (size_t i = 0; i < saved.size(); i++) NetSectionTable[i] = saved[i];
    NetClearOrder[NET_CLEAR_COUNT - 1] = savedClear;
    FreeGraphicData();
    NetTestTearDown();
  }
  std::vector<NetSectionRow> saved;
  NetSectionClear savedClear = nullptr;
};

TEST_F(NetGraphics, ListedSetsLoadAndAreWrittenBack) {
  struct Case {
    const char* file;
    int background;
    uint32_t firstId;  // u16 ids before 14369
  } cases[] = {{"graphics_sets.nt3", 1, 645136},
               {"graphics_sets_v14370.nt3", 0, 645136},
               {"graphics_sets_v14368.nt3", 0, 645136 & 0xFFFF}};
  for (const Case& c : cases) {
    ASSERT_EQ(LoadFixture(c.file), 0) << c.file;
    ASSERT_EQ(PendingSetCount, 3u) << c.file;
    EXPECT_EQ(PendingSetIds[0], c.firstId) << c.file;
    EXPECT_EQ(Background.present, c.background) << c.file;
  }
  ASSERT_EQ(LoadFixture("graphics_sets.nt3"), 0);
  EXPECT_EQ(Background.x, 10);
  EXPECT_EQ(Background.height, 200);
  EXPECT_EQ(std::u16string(Background.name), u"park.bmp");
  ASSERT_EQ(SaveAs("graphics_again.nt3"), 0);
  FreeGraphicData();
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"graphics_again.nt3"), 0);
  ASSERT_EQ(PendingSetCount, 3u);
  EXPECT_EQ(PendingSetIds[1], 320016u);
  EXPECT_EQ(PendingSetIds[2], 100096u);
  EXPECT_EQ(Background.width, 300);
  EXPECT_EQ(std::u16string(Background.name), u"park.bmp");
  // a new network clears the graphic data through the clear order
  ASSERT_EQ(LoadFixture("empty.nt3"), 0);
  EXPECT_EQ(PendingSetCount, 0u);
  EXPECT_EQ(Background.present, 0);
}
