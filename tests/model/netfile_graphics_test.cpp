// Network files whose graphics section lists vehicle-graphic sets and a background picture.
#include <gtest/gtest.h>
#include "core/stream.h"
#include "graphics/graphics_section.h"
#include "graphics/vehicles.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"

static std::string DataDirU8() { return std::string(QUIL_TEST_DATA_DIR) + "/"; }

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
    for (NetPostLoadStep& step : NetPostLoadSteps)
      if (step.kind == NETPOST_GRAPHICS) step.run = nullptr;
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
  // the listed sets are loaded from the program's vehicle-graphic file after the file was read
  const std::string data = DataDirU8();
  SetKindFolder(FILE_KIND_PROGRAM, std::u16string(data.begin(), data.end()).c_str());
  for (const Case& c : cases) {
    ASSERT_EQ(LoadFixture(c.file), 0) << c.file;
    EXPECT_EQ(PendingSetCount, 0u) << c.file;
    // files before 14369 list 16-bit ids and load nothing (their trains convert their vehicles)
    EXPECT_EQ(HasVehicleGraphicSet(645136), c.firstId == 645136 ? 1 : 0) << c.file;
    EXPECT_EQ(Background.present, c.background) << c.file;
  }
  ASSERT_EQ(LoadFixture("graphics_sets.nt3"), 0);
  EXPECT_EQ(GetFirstVehicleGraphicSetId(), 100096u);  // library order: ascending ids
  EXPECT_TRUE(HasVehicleGraphicSet(320016));
  EXPECT_EQ(Background.x, 10);
  EXPECT_EQ(Background.height, 200);
  EXPECT_EQ(std::u16string(Background.name), u"park.bmp");
  ASSERT_EQ(SaveAs("graphics_again.nt3"), 0);
  FreeGraphicData();
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"graphics_again.nt3"), 0);
  int sets = 0;
  uint32_t ids[3] = {};
  for (VehicleGraphicSet* s = GetVehicleGraphicLibrary(); s; s = s->next)
    if (sets < 3) ids[sets++] = s->id;
  ASSERT_EQ(sets, 3);
  EXPECT_EQ(ids[0], 100096u);
  EXPECT_EQ(ids[1], 320016u);
  EXPECT_EQ(ids[2], 645136u);
  EXPECT_EQ(Background.width, 300);
  EXPECT_EQ(std::u16string(Background.name), u"park.bmp");
  // a new network clears the graphic data through the clear order
  ASSERT_EQ(LoadFixture("empty.nt3"), 0);
  EXPECT_EQ(PendingSetCount, 0u);
  EXPECT_EQ(GetVehicleGraphicLibrary(), nullptr);
  EXPECT_EQ(Background.present, 0);
}
