// The steps after loading and the grid check of old files: how their results become the load's
// result code, and the trains' skipped count.
#include <gtest/gtest.h>
#include "app/infobox.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"

static int gStepResult = 0;
static int gStepCalls = 0;
static int Step(const char16_t*, int) {
  gStepCalls++;
  return gStepResult;
}
// The grid check opens its own progress box; the loader closes it.
static int GridCheck() {
  gStepCalls++;
  OpenInfoBox(u"", u"check", 50, 0);
  return gStepResult;
}

class Steps : public ::testing::Test {
 protected:
  void SetUp() override {
    NetTestSetUp();
    gStepCalls = 0;
  }
  void TearDown() override { NetTestTearDown(); }
};

TEST_F(Steps, ResultsOfTheStepsAfterLoading) {
  struct {
    int step;
    int result;
    const char* file;
    int load;
    int calls;
  } cases[] = {
      {0, 1, "v14400.nt3", NETLOAD_FILE_LISTS, 1},
      {3, 3, "v14400.nt3", NETLOAD_GRAPHICS, 1},
      {3, 1, "v14400.nt3", NETLOAD_WARNINGS, 1},
      {4, 1, "v14400.nt3", NETLOAD_TRAIN_CONVERT, 1},
      {4, 2, "v14400.nt3", NETLOAD_WARNINGS, 1},
      {7, -1, "v14343.nt3", NETLOAD_LFST_SIGNAL_FIX, 1},
      {7, -1, "v14344.nt3", NETLOAD_OK, 0},  // only files below 14344
      {9, -1, "v14343.nt3", NETLOAD_HST_CONVERT, 1},
      {10, -1, "v14346.nt3", NETLOAD_LFST_SIGNAL_FIX, 1},
      {10, 5, "v14346.nt3", NETLOAD_OK, 1},
  };
  for (auto& c : cases) {
    NetTestSetUp();
    gStepCalls = 0;
    gStepResult = c.result;
    NetPostLoadFn saved = NetPostLoadSteps[c.step].run;
    NetPostLoadSteps[c.step].run = Step;
    EXPECT_EQ(LoadFixture(c.file), c.load) << NetPostLoadSteps[c.step].what << " " << c.result;
    EXPECT_EQ(gStepCalls, c.calls) << NetPostLoadSteps[c.step].what;
    NetPostLoadSteps[c.step].run = saved;
  }
}

TEST_F(Steps, GridCheckOfOldFiles) {
  NetGridCheck = GridCheck;
  gStepResult = -1;
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_GRID_CHECK);
  gStepCalls = 0;
  EXPECT_EQ(LoadFixture("v14396.nt3"), NETLOAD_OK);  // from 14396 there is no check
  EXPECT_EQ(gStepCalls, 0);
  gStepResult = 2;
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_OK);
  EXPECT_FALSE(IsSimulationRunning());  // problems stop the simulation
  NetGridCheck = nullptr;
}

static int SkippingTrains(int version) {
  int r = ReadEmptyTrainsSection(version);
  return r ? r : -3;
}

TEST_F(Steps, SkippedTrainsAreNoError) {
  NetSectionReader saved = NetSectionTable[3].read;
  NetSectionTable[3].read = SkippingTrains;
  SetSimulationRunning(SIMRUN_START);
  EXPECT_EQ(LoadFixture("v14400.nt3"), NETLOAD_OK);
  EXPECT_FALSE(IsSimulationRunning());
  NetSectionTable[3].read = saved;
}
