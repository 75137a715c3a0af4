// The section "WEIN" of the switch control records: fixtures of every version form load as the
// old forms say (or fail with a format error where they cannot be taken over), a network with
// switches of every control type saves and loads back equal, and the second save is identical.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "netfile_test_util.h"
#include "signalling/switch_control.h"

namespace {
struct SwitchSection : ::testing::Test {
  void SetUp() override { NetTestSetUp(); }
  void TearDown() override {
    ClearSwitches();
    NetTestTearDown();
  }
};

void ExpectDirs(const SwitchControl* r, uint32_t e, uint32_t a, uint32_t b, uint32_t c) {
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->entry, e);
  EXPECT_EQ(r->exit1, a);
  EXPECT_EQ(r->exit2, b);
  EXPECT_EQ(r->exit3, c);
}
}  // namespace

TEST_F(SwitchSection, EveryVersionFormLoads) {
  const int versions[] = {13569, 13570, 13571, 14170, 14336, 14344, 14389, 14390, 14400};
  for (int v : versions) {
    SCOPED_TRACE(v);
    std::string name = "switches_" + std::to_string(v) + ".nt3";
    ASSERT_EQ(LoadFixture(name.c_str()), NETLOAD_OK);
    int expected = 5 + (v >= 13571) + (v >= 14170 ? 2 : 0) + (v >= 14389);
    EXPECT_EQ(SwitchStore.count, expected);
    EXPECT_EQ(FindSwitchRecord(18, 10, 0, -1), nullptr);  // no switch symbol: dropped
    SwitchControl* a = FindSwitchRecord(10, 10, 0, 0);
    ExpectDirs(a, 4, 8, 16, 0);  // below 13570 from the symbol's connections
    EXPECT_EQ(a->type, SWITCH_PLAIN);
    EXPECT_EQ(a->displayState, v >= 14344 ? 1u : 0u);
    EXPECT_EQ(a->id, 1u);
    SwitchControl* b = FindSwitchRecord(11, 10, 0, 0);
    ExpectDirs(b, 2, 1, 32, 128);
    EXPECT_EQ(b->type, SWITCH_FIXED2);
    SwitchControl* d = FindSwitchRecord(13, 10, 0, 0);
    ASSERT_EQ(d->type, SWITCH_RANDOM);
    EXPECT_EQ(d->data.random.share[2], 3u);
    EXPECT_EQ(d->data.random.draw, 4u);
    SwitchControl* e = FindSwitchRecord(14, 10, 0, 0);
    ASSERT_EQ(e->type, SWITCH_ATTRIBUTES);  // below 14389 converted from the old flag words
    const uint32_t masks[12] = {3, 0x3FF, 0, 1, 12, 0, 0, 0, 0, 0, 0x3FF, 8};
    for (int i = 0; i < 12; i++) EXPECT_EQ(e->data.attributes.mask[i], masks[i]) << i;
    SwitchControl* f = FindSwitchRecord(15, 10, 0, 0);
    ASSERT_EQ(f->type, SWITCH_STATES);
    EXPECT_EQ(f->data.states.priority, 4u);
    EXPECT_EQ(f->data.states.length[0], v >= 14390 ? 2 : 0);
    EXPECT_EQ(f->data.states.length[2], v >= 14390 ? 1 : 0);
    if (v >= 14390) {
      EXPECT_EQ(f->data.states.tokens[2][0], 0x33u);
    }
    SwitchControl* c = FindSwitchRecord(12, 10, 0, 0);
    if (v >= 13571) {
      ASSERT_NE(c, nullptr);
      ASSERT_EQ(c->type, SWITCH_RATIO);
      EXPECT_EQ(c->data.ratio.count[0], 2u);
      EXPECT_EQ(c->data.ratio.count[2], 3u);
      EXPECT_EQ(c->data.ratio.counter, 5u);
      EXPECT_EQ(c->data.ratio.resetTime[0], 0x7F081E00u);
      EXPECT_EQ(c->data.ratio.resetValue[0], 6u);
      EXPECT_EQ(c->data.ratio.resetTime[1], 0u);
    }
    if (v >= 14170) {
      SwitchControl* h1 = FindSwitchRecord(17, 10, 0, 1);
      SwitchControl* h2 = FindSwitchRecord(17, 10, 0, 2);
      ExpectDirs(h1, 1, 16, 2, 0);
      ASSERT_NE(h2, nullptr);
      EXPECT_EQ(h2->type, SWITCH_FIXED3);
      EXPECT_EQ(h2->displayState, h1->displayState);  // taken from the index-1 record
      EXPECT_EQ(h1->displayState, v >= 14344 ? 2u : 0u);
      EXPECT_EQ(h2->id, 8u);
    }
    if (v >= 14389) {
      SwitchControl* g = FindSwitchRecord(16, 10, 0, 0);
      ASSERT_NE(g, nullptr);
      EXPECT_EQ(g->type, SWITCH_ROUTE1);
      EXPECT_EQ(g->data.route.flags, 0x4000u);
      EXPECT_EQ(g->data.route.length[0], 3u);
      EXPECT_EQ(g->data.route.length[3], 2u);
      EXPECT_EQ(g->data.route.values[3], 30u);
    }
    // The list keeps the file's order (the loader appends).
    if (v == 14400) {
      std::vector<uint32_t> ids;
      for (ElementHeader* h = SwitchStore.head; h; h = h->next)
        ids.push_back(((SwitchControl*)h)->id);
      EXPECT_EQ(ids, (std::vector<uint32_t>{1, 2, 4, 5, 6, 3, 8, 8, 7}));
    }
  }
}

// Route lists of 14170..14388 are converted: a plain line entry, an entry with an old time window
// (its end one minute later, on any day), a window ending at 23:59 (its end wraps to 00:00) and
// destination depots with slot 0.
TEST_F(SwitchSection, OldRouteListsAreConverted) {
  for (int v : {14170, 14388}) {
    SCOPED_TRACE(v);
    std::string name = "route_old_" + std::to_string(v) + ".nt3";
    ASSERT_EQ(LoadFixture(name.c_str()), NETLOAD_OK);
    SwitchControl* g = FindSwitchRecord(16, 10, 0, 0);
    ASSERT_NE(g, nullptr);
    ASSERT_EQ(g->type, SWITCH_ROUTE2);
    const SwitchRouteData& d = g->data.route;
    EXPECT_EQ(d.flags, 0x8000u);
    const uint32_t list1[] = {1, 7, 0, 1, 9, 0x8000, 1, 0x7F080000, 0x7F100100};
    const uint32_t list3[] = {1, 3, 0x8000, 1, 0x7F160000, 0x7F000000};
    const uint32_t pairs[] = {30, 0, 31, 0};
    ASSERT_EQ(d.length[0], 9u);
    EXPECT_EQ(d.length[1], 0u);
    ASSERT_EQ(d.length[2], 6u);
    ASSERT_EQ(d.length[4], 4u);
    EXPECT_EQ(std::vector<uint32_t>(d.values, d.values + 9), std::vector<uint32_t>(list1, list1 + 9));
    EXPECT_EQ(std::vector<uint32_t>(d.values + 9, d.values + 15),
              std::vector<uint32_t>(list3, list3 + 6));
    EXPECT_EQ(std::vector<uint32_t>(d.values + 15, d.values + 19),
              std::vector<uint32_t>(pairs, pairs + 4));
  }
}

TEST_F(SwitchSection, FormsThatCannotBeTakenOverAreFormatErrors) {
  const char* faults[] = {"sw_ratio_13570", "sw_route_14169", "sw_route_old_long",
                          "sw_route_14389_entry",
                          "sw_state_14389", "sw_routepoint",  "sw_oldroutepoint_13570",
                          "sw_type7",       "sw_index5",      "sw_dir3",
                          "sw_dirzero",     "sw_exprlen",     "sw_routelen",
                          "sw_id"};
  for (const char* name : faults) {
    std::string file = std::string(name) + ".nt3";
    EXPECT_EQ(LoadFixture(file.c_str()), NETOFS_SWITCHES + NETSEC_FORMAT) << name;
    EXPECT_FALSE(StreamIsOpen());
  }
}

TEST_F(SwitchSection, EveryControlTypeSavesAndLoadsBackEqual) {
  ASSERT_EQ(LoadFixture("switches_14400.nt3"), NETLOAD_OK);
  // Add what the fixture lacks: the other route-list types and a multi-record cell of four.
  SetCell(20, 10, 0, 72);
  SetCell(21, 10, 0, 72);
  SetCell(22, 10, 0, 90);
  const uint32_t three[4] = {2, 1, 32, 128};
  ASSERT_EQ(PlaceSwitch(20, 10, 0, 0, SWITCH_ROUTE2, 20, three, 0), 0);
  ASSERT_EQ(PlaceSwitch(21, 10, 0, 0, SWITCH_ROUTE3, 21, three, 0), 0);
  const uint32_t lengths[6] = {0, 3, 0, 0, 0, 4};
  const uint32_t values[7] = {1, 2, 0, 3, 4, 5, 6};  // entry (line 2), pairs (3, 4) (5, 6)
  ASSERT_EQ(SetRouteSwitchLists(21, 10, 0, 0, lengths, values), 0);
  for (int i = 1; i <= 4; i++) {
    const uint32_t dirs[4] = {i == 1 ? 4u : i == 2 ? 8u : i == 3 ? 16u : 64u, 8, 2, 0};
    ASSERT_EQ(PlaceSwitch(22, 10, 0, i, i == 3 ? SWITCH_FIXED2 : SWITCH_PLAIN, 22, dirs, 1), 0);
  }
  const int types[] = {1, 2, 3, 4, 11, 12, 14, 15, 21, 22, 23};
  for (int t : types) {
    int found = 0;
    for (ElementHeader* h = SwitchStore.head; h; h = h->next)
      found |= ((SwitchControl*)h)->type == t;
    EXPECT_TRUE(found) << t;
  }
  ASSERT_EQ(SaveAs("sw_first.nt3"), 0);
  std::vector<std::vector<uint32_t>> before;
  for (ElementHeader* h = SwitchStore.head; h; h = h->next) {
    const SwitchControl* r = (const SwitchControl*)h;
    before.push_back({(uint32_t)h->x, (uint32_t)h->y, (uint32_t)h->level, r->id, (uint32_t)r->type,
                      (uint32_t)r->exitIndex, r->entry, r->exit1, r->exit2, r->exit3,
                      r->displayState});
  }
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"sw_first.nt3"), NETLOAD_OK);
  std::vector<std::vector<uint32_t>> after;
  for (ElementHeader* h = SwitchStore.head; h; h = h->next) {
    const SwitchControl* r = (const SwitchControl*)h;
    after.push_back({(uint32_t)h->x, (uint32_t)h->y, (uint32_t)h->level, r->id, (uint32_t)r->type,
                     (uint32_t)r->exitIndex, r->entry, r->exit1, r->exit2, r->exit3,
                     r->displayState});
  }
  EXPECT_EQ(after, before);
  const uint32_t* v;
  EXPECT_EQ(GetRouteSwitchList(21, 10, 0, 0, 6, &v), 4);
  EXPECT_EQ(v[3], 6u);
  ASSERT_EQ(SaveAs("sw_second.nt3"), 0);
  auto first = FromEofMark(ReadWholeFile(OutputDir() + "sw_first.nt3"));
  auto second = FromEofMark(ReadWholeFile(OutputDir() + "sw_second.nt3"));
  EXPECT_EQ(first, second);
}
