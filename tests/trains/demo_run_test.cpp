// The demonstration network run headless: the start train made on its line in the demonstration
// depot leaves the depot up the spur onto the loop and laps it; its positions are compared with
// the golden text tests/trains/golden/demo.txt (QUIL_UPDATE_GOLDEN=1 writes it anew).
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <utility>
#include "core/langtext.h"
#include "elements/demo_layout.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "elements/lines.h"
#include "graphics/graphics_test_util.h"
#include "graphics/vehicles.h"
#include "trains/golden_text.h"
#include "trains/headless_run.h"
#include "trains/train_ops.h"

using namespace headless;

namespace {

struct DemoRun : ::testing::Test {
  void SetUp() override {
    ResetNetwork();
    FreeDepots();
    ASSERT_NE(InitLineTable(), 0);
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
    UseProgramFolder(DataDir());
    ASSERT_EQ(InitLanguage(), 0);
    ASSERT_EQ(LoadLanguageFile(u"quil.lng", 1), LANG_OK);
    ASSERT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
    ASSERT_EQ(LoadVehicleGraphicSet(645120, 0), 0);
  }
  void TearDown() override {
    ResetNetwork();
    FreeDepots();
    ClearLineTable();
    FreeVehicleGraphicLibrary();
    ExitLanguage();
  }
};
}  // namespace

TEST_F(DemoRun, StartTrainLeavesTheDepotAndLapsTheLoop) {
  int depot = DrawStartLayout();
  ASSERT_GT(depot, 0);
  ASSERT_EQ(CreateStartTrain(), 0);
  int line = FindLineByName(GetLangText(LANG_ID(1380)));
  ASSERT_GT(line, 0);
  ASSERT_EQ(GetTrainCount(), 1);
  TrainRecord* t = Trains.first;
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->line, (uint32_t)line);
  EXPECT_EQ(t->homeDepot, depot);
  EXPECT_FALSE(t->flags & TRAIN_PARKED);  // started
  // Every 50 ticks the dump; the head's cells seen on the way.
  std::string text;
  std::set<std::pair<int, int>> heads;
  for (int done = 0; done < 6000; done += 50) {
    AdvanceTicks(50);
    text += "tick " + std::to_string(done + 50) + "\n" + DumpTrains();
    TrainPosition* p = TrainPositions(Trains.first);
    heads.insert({(int)p[0].x, (int)p[0].y});
  }
  // Off the spur and round the loop: both sides and the top and bottom rows.
  EXPECT_TRUE(heads.count({16380, 16378}));  // the left side above the upper switch
  EXPECT_TRUE(heads.count({16385, 16375}));  // the top row
  EXPECT_TRUE(heads.count({16389, 16384}));  // the right side
  EXPECT_TRUE(heads.count({16385, 16392}));  // the bottom row
  EXPECT_EQ(CheckTrainCells(16370, 16370, 16395, 16395, 0), "");
  ExpectGolden("demo", text);
}

// A slot that a train refers to cannot be deleted: parked on it (2), its home (3), named by a
// schedule entry (4), a pending change to it (5); then the depot goes with its only slot.
TEST_F(DemoRun, DeletingASlotThatATrainNeedsIsRefused) {
  int depot = DrawStartLayout();
  ASSERT_GT(depot, 0);
  ASSERT_EQ(CreateLine(u"Loop", 0, 0), 0);
  int line = FindLineByName(u"Loop");
  TrainRecord header;
  MakeStartTrainHeader(&header, (uint32_t)line, (uint16_t)depot);
  ASSERT_EQ(CreateTrain(StartTrainVehicles, &header, -1, 0, 0, nullptr), 0);
  TrainRecord* t = Trains.first;
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 2);  // parked on the slot
  ASSERT_EQ(StartTrainsFromDepot(line, 0, 0), 0);
  AdvanceTicks(1000);
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 3);  // its home
  t->homeDepot = 0;
  t->scheduleATime[2] = 0x7F080000;  // every day at 08:00
  t->scheduleADepot[2] = (uint16_t)depot;
  t->scheduleASlot[2] = 1;
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 4);  // a schedule entry
  t->scheduleATime[2] = 0;
  t->scheduleBTime[0] = 0x01080000;  // Mondays at 08:00, the second six
  t->scheduleBDepot[0] = (uint16_t)depot;
  t->scheduleBSlot[0] = 1;
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 4);
  t->scheduleBTime[0] = 0;
  t->flags |= TRAIN_PENDING;
  t->pendingDepot = (uint16_t)depot;
  t->pendingSlot = 1;
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 5);  // a pending change to it
  EXPECT_EQ(CountDepots(nullptr), 1);       // nothing changed by a refusal
  t->flags &= ~TRAIN_PENDING;
  t->pendingDepot = t->pendingSlot = 0;
  EXPECT_EQ(DeleteDepotSlot(depot, 1), 0);
  EXPECT_EQ(CountDepots(nullptr), 0);
}
