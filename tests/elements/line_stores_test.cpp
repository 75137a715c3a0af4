// The stores that hold lines and depot slots, walked by the line table: a line made as a copy of
// another joins it in every route list (result 10 when a list cannot take it), a deleted line
// leaves them, uses are counted in a box, and depot slots are cleared and renumbered.
#include <gtest/gtest.h>
#include <vector>
#include "elements/lines.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"

namespace {
using Words = std::vector<uint32_t>;
const uint32_t kThree[4] = {2, 1, 32, 128};

struct LineStores : ::testing::Test {
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    InitSwitches();
    ClearSwitches();
    InitLineTable();
    ClearLineTable();
  }
  void TearDown() override {
    ClearSwitches();
    ClearLineTable();
  }
  void Route(int x, const Words& lines, const Words& pairs) {
    SetCell(x, 10, 0, 72);
    ASSERT_EQ(PlaceSwitch(x, 10, 0, 0, SWITCH_ROUTE1, (uint32_t)x, kThree, 0), 0);
    const uint32_t lengths[6] = {(uint32_t)lines.size(), 0, 0, (uint32_t)pairs.size(), 0, 0};
    Words values = lines;
    values.insert(values.end(), pairs.begin(), pairs.end());
    ASSERT_EQ(SetRouteSwitchLists(x, 10, 0, 0, lengths, values.data()), 0);
  }
  Words List(int x, int selector) {
    const uint32_t* v;
    int n = GetRouteSwitchList(x, 10, 0, 0, selector, &v);
    return n > 0 ? Words(v, v + n) : Words();
  }
};
}  // namespace

TEST_F(LineStores, LinesJoinAndLeaveTheRouteLists) {
  ASSERT_EQ(CreateLine(u"A", 0, 0), 0);  // id 1
  ASSERT_EQ(CreateLine(u"B", 0, 0), 0);  // id 2
  Words full = {20};
  for (uint32_t i = 1; i <= 20; i++) full.push_back(i == 5 ? 1 : i + 100);
  full.push_back(0);
  Route(5, {2, 1, 2, 0}, {30, 4});
  Route(6, full, {});
  Route(50, {1, 1, 0}, {31, 2});
  // A copy of A: added beside A wherever a list can take it; the full entry cannot (10).
  EXPECT_EQ(CreateLine(u"C", 0, 1), 10);
  int c = FindLineByName(u"C");
  EXPECT_EQ(List(5, 1), (Words{3, 1, (uint32_t)c, 2, 0}));
  EXPECT_EQ(List(6, 1), full);
  EXPECT_EQ(List(50, 1), (Words{2, 1, (uint32_t)c, 0}));
  EXPECT_EQ(CreateLine(u"D", 0, 2), 0);
  // Uses in a box: the switches at x 5 and 6 lie inside, the one at 50 outside.
  EXPECT_EQ(CountLineUses(1, 0, 0, -4, 20, 20, 0), 1);
  EXPECT_EQ(CountLineUses(-1, 0, 0, -4, 20, 20, 0), 2);
  EXPECT_EQ(CountLineUses(-c, 0, 0, -4, 20, 20, 0), 1);
  EXPECT_EQ(CountLineUses(-c, 0, 0, -4, 60, 20, 0), 2);
  EXPECT_EQ(CountLineUses(FindLineByName(u"D"), 40, 0, -4, 60, 20, 0), 0);
  // Deleting A takes it out of every list.
  ASSERT_EQ(DeleteLine(1), 0);
  uint32_t d = (uint32_t)FindLineByName(u"D");
  EXPECT_EQ(List(5, 1), (Words{3, (uint32_t)c, 2, d, 0}));
  for (int x : {5, 6, 50}) {
    Words l = List(x, 1);
    EXPECT_EQ(LineRefListContains(l.data(), (int)l.size(), 1), 0) << x;
    EXPECT_EQ(CheckLineRefList(l.data(), (int)l.size()), 0) << x;
  }
  EXPECT_EQ(List(6, 1).size(), full.size() - 1);
  EXPECT_EQ(List(50, 1), (Words{1, (uint32_t)c, 0}));
  // Depot slots: renumbered and cleared in the destination lists.
  RenumberDepotSlotInStores(30, 4, 9);
  EXPECT_EQ(List(5, 4), (Words{30, 9}));
  ClearDepotSlotInStores(31, 0);
  EXPECT_EQ(List(50, 4), Words{});
  ClearDepotSlotInStores(30, 9);
  EXPECT_EQ(List(5, 4), Words{});
}
