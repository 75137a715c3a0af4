// Line-reference lists: the whole-list check, matching by line, number and time (windows over
// midnight and the week end, ranges, the any-line id), the bounded look ahead, the actions of an
// entry, removing and adding lines, depot-slot edits and the old file forms.
#include <gtest/gtest.h>
#include <vector>
#include "elements/lines.h"

namespace {
using Words = std::vector<uint32_t>;
constexpr uint32_t ANY = 0x7F000000u;
constexpr uint32_t MON = 0x01000000u, TUE = 0x02000000u, SUN = 0x40000000u;
constexpr uint32_t H(uint32_t h, uint32_t m = 0) { return h << 16 | m << 8; }
constexpr uint32_t DASH = 0xFFFFFFFFu;

int Check(const Words& w) { return CheckLineRefList(w.data(), (int)w.size()); }
}  // namespace

TEST(LineRefCheck, EntriesMustLieInsideTheListWithinTheirLimits) {
  Words twentyIds = {20};
  for (int i = 1; i <= 20; i++) twentyIds.push_back(i);
  twentyIds.push_back(0);
  Words twentyOneIds = twentyIds;
  twentyOneIds[0] = 21;
  twentyOneIds.insert(twentyOneIds.begin() + 21, 21);
  Words windows21 = {1, 5, LREF_WINDOWS, 21};
  for (int i = 0; i < 21; i++) windows21.insert(windows21.end(), {ANY | H(1), ANY | H(2)});
  Words range21 = {1, 5, LREF_RANGE, 21};
  for (int i = 0; i < 21; i++) range21.push_back(i);
  Words schedule7 = {1, 5, LREF_SCHEDULE_A, 7};
  for (int i = 0; i < 7; i++) schedule7.insert(schedule7.end(), {H(8), 1, 1, 1});
  static const struct {
    const char* what;
    Words list;
    int result;
  } cases[] = {
      {"empty", {}, 0},
      {"plain", {1, 5, 0}, 0},
      {"no ids", {0, 0}, 0},
      {"empty range list", {1, 5, LREF_RANGE, 0}, 0},
      {"empty window list", {1, 5, LREF_WINDOWS, 0}, 0},
      {"twenty ids", twentyIds, 0},
      {"twenty-one ids", twentyOneIds, 3},
      {"twenty-one windows", windows21, 3},
      {"twenty-one range words", range21, 3},
      {"seven schedule records", schedule7, 3},
      {"flag word missing", {1, 5}, 3},
      {"ids past the end", {4, 5, 6}, 3},
      {"window past the end", {1, 5, LREF_WINDOWS, 1, ANY | H(1)}, 3},
      {"action word missing", {1, 5, LREF_TARGET | LREF_WAIT, 7}, 3},
      {"depot order words missing", {1, 5, LREF_DEPOT_ORDER, 5, 3}, 3},
      {"depot order without depot", {1, 5, LREF_DEPOT_ORDER, 1}, 0},
      {"second entry runs over", {1, 5, 0, 2, 6}, 3},
      {"huge count", {0xFFFFFFFFu, 5, 0}, 3},
  };
  for (const auto& c : cases) EXPECT_EQ(Check(c.list), c.result) << c.what;
  EXPECT_EQ(LineRefEntryCount(twentyIds.data(), (int)twentyIds.size()), 1);
  Words two = {1, 5, 0, 2, 6, 7, LREF_TARGET, 9};
  EXPECT_EQ(LineRefEntryCount(two.data(), (int)two.size()), 2);
  EXPECT_EQ(LineRefEntryAt(two.data(), (int)two.size(), 1), 3);
  EXPECT_EQ(LineRefEntryAt(two.data(), (int)two.size(), 2), -1);
  EXPECT_EQ(LineRefEntryLength(two.data(), (int)two.size(), 3), 5);
  EXPECT_EQ(LineRefEntryLength(two.data(), 7, 3), 0);  // cut short: no entry there
}

TEST(LineRefFind, MatchesByLineTimeAndNumber) {
  // Entry 1: line 5 in the window [22:00, 02:00) any day. Entry 2: line 6 from Sunday 22:00 to
  // Monday 02:00. Entry 3: line 7 with numbers 3..7 and 12. Entry 4: any line (id 0 behind 8).
  const Words list = {1, 5, LREF_WINDOWS | LREF_TARGET, 1, ANY | H(22), ANY | H(2), 50,
                      1, 6, LREF_WINDOWS, 1, SUN | H(22), MON | H(2),
                      1, 7, LREF_RANGE | LREF_CATEGORY, 4, 3, DASH, 7, 12, 2,
                      2, 8, 0, LREF_TYPE, 4};
  static const struct {
    uint32_t line, number, t;
    int index;
    uint32_t flags, end;
  } cases[] = {
      {5, 0, MON | H(23, 30), 6, LREF_WINDOWS | LREF_TARGET, ANY | H(2)},
      {5, 0, TUE | H(1), 6, LREF_WINDOWS | LREF_TARGET, ANY | H(2)},
      {5, 0, TUE | H(3), 26, LREF_TYPE, 0},  // outside the window: the any-line entry
      {6, 0, SUN | H(23), 13, LREF_WINDOWS, MON | H(2)},
      {6, 0, MON | H(1, 59), 13, LREF_WINDOWS, MON | H(2)},
      {6, 0, SUN | H(21), 26, LREF_TYPE, 0},
      {6, 0, MON | H(2), 26, LREF_TYPE, 0},
      {7, 5, MON | H(9), 21, LREF_RANGE | LREF_CATEGORY, 0},
      {7, 12, MON | H(9), 21, LREF_RANGE | LREF_CATEGORY, 0},
      {7, 0, MON | H(9), 21, LREF_RANGE | LREF_CATEGORY, 0},  // number 0: no range test
      {7, 9, MON | H(9), 26, LREF_TYPE, 0},
      {123, 0, MON | H(9), 26, LREF_TYPE, 0},
  };
  for (const auto& c : cases) {
    uint32_t flags = 0, end = 1;
    EXPECT_EQ(FindLineRefEntry(list.data(), (int)list.size(), c.line, c.number, c.t, &flags, &end),
              c.index)
        << c.line << " " << c.number << " " << std::hex << c.t;
    EXPECT_EQ(flags, c.flags);
    EXPECT_EQ(end, c.end);
  }
  EXPECT_EQ(FindLineRefEntry(list.data(), 0, 5, 0, MON, nullptr, nullptr), -1);
  const Words noAny = {1, 5, 0};
  EXPECT_EQ(FindLineRefEntry(noAny.data(), 3, 6, 0, MON, nullptr, nullptr), -1);
  // A damaged list ends the search without reading past it.
  const Words cut = {1, 9, 0, 3, 4};
  EXPECT_EQ(FindLineRefEntry(cut.data(), 5, 4, 0, MON, nullptr, nullptr), -1);
}

TEST(LineRefRanges, NumbersRangesAndOverlaps) {
  const uint32_t r[] = {4, 3, DASH, 7, 12};
  static const struct {
    uint32_t number;
    int result;
  } cases[] = {{2, 0}, {3, 1}, {5, 1}, {7, 1}, {8, 0}, {12, 1}, {13, 0}};
  for (const auto& c : cases) EXPECT_EQ(RangeListContains(r, c.number), c.result) << c.number;
  const uint32_t empty[] = {0};
  EXPECT_EQ(RangeListContains(empty, 99), 2);
  const uint32_t lead[] = {2, DASH, 5};  // a dash without a number before it is a number
  EXPECT_EQ(RangeListContains(lead, 3), 0);
  EXPECT_EQ(RangeListContains(lead, 5), 1);
  const uint32_t a[] = {3, DASH, 7}, b[] = {7, DASH, 9}, c[] = {8, 20};
  EXPECT_EQ(RangeListsOverlap(a, 3, b, 3), 1);
  EXPECT_EQ(RangeListsOverlap(a, 3, c, 2), 0);
  EXPECT_EQ(RangeListsOverlap(c, 2, b, 3), 1);
  EXPECT_EQ(RangeListsOverlap(a, 0, b, 3), 2);
}

TEST(LineRefMatch, KeepsMatchingUntilAGivenTime) {
  // Line 5: any day [06:00, 10:00) and [10:00, 12:00) chain; line 6: every time of any day.
  const Words list = {1, 5, LREF_WINDOWS, 2, ANY | H(6), ANY | H(10), ANY | H(10), ANY | H(12),
                      1, 6, 0};
  const int n = (int)list.size();
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 5, 0, MON | H(7), nullptr), 1);
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 5, 0, MON | H(13), nullptr), 0);
  uint32_t until = MON | H(11);
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 5, 0, MON | H(7), &until), 1);  // through the chain
  until = MON | H(13);
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 5, 0, MON | H(7), &until), 0);
  EXPECT_EQ(until, MON | H(12));  // where it stops matching
  until = MON | H(5);
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 6, 0, SUN | H(22), &until), 1);  // over the week end
  // A time that no window can reach (no weekday): the walk round the week ends when a time comes
  // back, with the time reached.
  until = H(5);
  EXPECT_EQ(MatchLineRefAt(list.data(), n, 6, 0, H(22), &until), 0);
  EXPECT_EQ(until, TUE);
}

TEST(LineRefApply, ActionsReachTheTrainValues) {
  LineRefTrainValues v = {};
  v.line = 5;
  v.number = 3;
  v.attribute5 = 8;
  v.depot = 44;
  v.slot = 2;
  v.scheduleATime[2] = H(9);
  v.scheduleADepot[2] = 7;
  v.scheduleBTime[0] = H(5);
  const Words list = {
      1, 5,
      LREF_TARGET | LREF_WAIT | LREF_CATEGORY | LREF_TYPE | LREF_WAY_KINDS | LREF_SUB_NUMBER |
          LREF_ACCELERATION | LREF_BRAKE | LREF_ATTR_8 | LREF_ATTR_4 | LREF_SCHEDULE_B |
          LREF_SCHEDULE_A | LREF_MAX_SPEED | LREF_VEHICLE_INDEX | LREF_BLOCKED | LREF_STATE |
          LREF_DEPOT_ORDER,
      9,                      // target line
      120u << 16 | 30,        // wait 30..120
      2, 4, 0x30, 77, 15, 25, // category, type, way kinds, number, acceleration, brake
      1,                      // attribute 0x8 cleared
      1,                      // attribute 0x4 set
      2, 24u << 16, 0, 0, 0,  // schedule B: clear all six ...
      MON | H(7, 15) | 33, 8, 3, 2,  // ... then entry 2 at 07:15 (seconds cleared)
      1, 24u << 16, 0, 0, 3,  // schedule A: clear entry 3
      80, (uint32_t)-1, 6,    // speed, vehicle index, blocked limit
      1,                      // leave-depot state
      0,                      // depot order: cancel
  };
  ASSERT_EQ(Check(list), 0);
  ASSERT_EQ(ApplyLineRefEntryAt(list.data(), (int)list.size(), MON | H(8), &v), 1);
  EXPECT_EQ(v.line, 9u);
  EXPECT_EQ(v.minWait, 30);
  EXPECT_EQ(v.maxWait, 120);
  EXPECT_EQ(v.category, 2u);
  EXPECT_EQ(v.type, 4u);
  EXPECT_EQ(v.wayKinds, 0x30u);
  EXPECT_EQ(v.number, 77u);
  EXPECT_EQ(v.acceleration, 15);
  EXPECT_EQ(v.brake, 25);
  EXPECT_EQ(v.attribute5, 4u);
  EXPECT_EQ(v.scheduleBTime[0], 0u);
  EXPECT_EQ(v.scheduleBTime[1], MON | H(7, 15));
  EXPECT_EQ(v.scheduleBDepot[1], 8);
  EXPECT_EQ(v.scheduleBSlot[1], 3);
  EXPECT_EQ(v.scheduleATime[2], 0u);
  EXPECT_EQ(v.scheduleADepot[2], 0);
  EXPECT_EQ(v.maxSpeed, 80);
  EXPECT_EQ(v.vehicleIndex, -1);
  EXPECT_EQ(v.blockedLimit, 6);
  EXPECT_EQ(v.flags, 0x400u);  // the state set it; no order pending, so nothing to cancel
  // The state and the depot order against the train's flags.
  static const struct {
    uint32_t flagsIn, state, order, flagsOut;
  } cases[] = {
      {0x8400, 0, 0, 0},             // state 0 clears the leave-depot bits
      {0x0001, 3, 0, 0},             // an order pending: the state is not set; order 0 cancels it
      {0x0000, 3, 0, 0x8400},        // state with its variant
      {0x8001, 0, 0, 0},             // cancel a pending order with its variant bit
  };
  for (const auto& c : cases) {
    const Words l = {1, 0, LREF_STATE | LREF_DEPOT_ORDER, c.state, c.order};
    LineRefTrainValues w = {};
    w.flags = c.flagsIn;
    ASSERT_EQ(ApplyLineRefEntryAt(l.data(), (int)l.size(), MON, &w), 1);
    EXPECT_EQ(w.flags, c.flagsOut) << std::hex << c.flagsIn << " " << c.state;
  }
  LineRefTrainValues w = {};
  EXPECT_EQ(ApplyLineRefEntryAt(list.data(), 0, MON, &w), 2);
  w.line = 6;
  EXPECT_EQ(ApplyLineRefEntryAt(list.data(), (int)list.size(), MON, &w), 0);
}

TEST(LineRefEdit, ContainsAndRemovesStrictAndLoose) {
  // 1: ids 5, 6. 2: id 5 alone with a window. 3: id 7 targeting 5 with a window only. 4: id 8
  // targeting 5 with a wait. 5: id 5 targeting 5.
  const Words list = {2, 5, 6, 0,
                      1, 5, LREF_WINDOWS, 1, ANY | H(1), ANY | H(2),
                      1, 7, LREF_WINDOWS | LREF_TARGET, 1, ANY | H(1), ANY | H(2), 5,
                      1, 8, LREF_TARGET | LREF_WAIT, 5, 7,
                      1, 5, LREF_TARGET, 5};
  EXPECT_EQ(LineRefListContains(list.data(), (int)list.size(), 5), 1);
  EXPECT_EQ(LineRefListContains(list.data(), (int)list.size(), 8), 1);
  EXPECT_EQ(LineRefListContains(list.data(), (int)list.size(), 0), 0);
  const Words targetOnly = {1, 7, LREF_TARGET, 5};
  EXPECT_EQ(LineRefListContains(targetOnly.data(), 4, 5), 2);
  EXPECT_EQ(LineRefListContains(targetOnly.data(), 0, 7), 0);

  Words strict = list;
  int n = LineRefListRemove(strict.data(), (int)strict.size(), 5, 1);
  strict.resize(n);
  EXPECT_EQ(strict, (Words{1, 6, 0, 1, 8, LREF_WAIT, 7}));
  Words loose = list;
  n = LineRefListRemove(loose.data(), (int)loose.size(), 5, 0);
  loose.resize(n);
  EXPECT_EQ(loose, (Words{1, 6, 0, 1, 7, LREF_WINDOWS, 1, ANY | H(1), ANY | H(2), 1, 8,
                          LREF_WAIT, 7}));
  EXPECT_EQ(Check(strict), 0);
  EXPECT_EQ(Check(loose), 0);
}

TEST(LineRefEdit, AddingAlongsideStopsAtTwentyIdsAndSixHundredWords) {
  Words list = {1, 5, 0, 2, 6, 5, LREF_TARGET, 9, 1, 7, 0};
  Words out(LREF_ADD_LIMIT);
  int n = 0;
  EXPECT_EQ(LineRefListAddAlongside(list.data(), (int)list.size(), out.data(), 5, 40, &n), 0);
  out.resize(n);
  EXPECT_EQ(out, (Words{2, 5, 40, 0, 3, 6, 5, 40, LREF_TARGET, 9, 1, 7, 0}));
  // Twenty ids: that entry stays; the other is extended (-3); when none can be, -2.
  Words full = {20};
  for (int i = 1; i <= 20; i++) full.push_back(i);
  full.push_back(0);
  Words mixed = full;
  mixed.insert(mixed.end(), {1, 5, 0});
  out.assign(LREF_ADD_LIMIT, 0);
  EXPECT_EQ(LineRefListAddAlongside(mixed.data(), (int)mixed.size(), out.data(), 5, 40, &n), -3);
  EXPECT_EQ(n, (int)mixed.size() + 1);
  EXPECT_EQ(Words(out.begin(), out.begin() + 22), Words(full.begin(), full.end()));
  EXPECT_EQ(LineRefListAddAlongside(full.data(), (int)full.size(), out.data(), 5, 40, &n), -2);
  EXPECT_EQ(Words(out.begin(), out.begin() + n), full);
  // 600 words: a list of 200 three-word entries cannot grow.
  Words big;
  for (int i = 0; i < 200; i++) big.insert(big.end(), {1, 5, 0});
  out.assign(LREF_ADD_LIMIT, 0);
  EXPECT_EQ(LineRefListAddAlongside(big.data(), 600, out.data(), 5, 40, &n), -2);
  EXPECT_EQ(n, 600);
  EXPECT_EQ(LineRefListAddAlongside(big.data(), 597, out.data(), 5, 40, &n), -3);  // three fit
  EXPECT_EQ(n, 600);
  EXPECT_EQ(LineRefListAddAlongside(list.data(), (int)list.size(), out.data(), 5, 0, &n), -1);
  EXPECT_EQ(n, (int)list.size());
}

TEST(LineRefEdit, DepotSlotsClearedAndRenumbered) {
  // Schedule A with (depot 3, slot 2 | 0x8000) and a clear record naming depot 3 slot 2; schedule
  // B with (3, 4); a depot order (3, 2); a depot order of another depot.
  const Words list = {1, 5, LREF_SCHEDULE_A | LREF_SCHEDULE_B | LREF_DEPOT_ORDER,
                      1, H(7), 3, 4, 1,                                    // schedule B
                      2, H(8), 3, 0x8002, 1, 24u << 16, 3, 2, 2,           // schedule A
                      5, 3, 2,                                             // order
                      1, 6, LREF_DEPOT_ORDER, 4, 9, 2};
  ASSERT_EQ(Check(list), 0);
  Words r = list;
  LineRefListRenumberDepotSlot(r.data(), (int)r.size(), 3, 2, 7);
  EXPECT_EQ(r[11], 0x8007u);  // bit 15 kept
  EXPECT_EQ(r[15], 2u);       // a clearing record keeps its slot
  EXPECT_EQ(r[19], 7u);       // the depot order
  EXPECT_EQ(r[25], 2u);       // another depot
  EXPECT_EQ(r[6], 4u);
  Words c = list;
  LineRefListClearDepotSlot(c.data(), (int)c.size(), 3, 2);
  EXPECT_EQ(c[10], 0u);
  EXPECT_EQ(c[11], 0x8000u);
  EXPECT_EQ(c[14], 0u);
  EXPECT_EQ(c[15], 0u);
  EXPECT_EQ(c[5], 3u);  // slot 4 stays
  EXPECT_EQ(c[18], 0u);
  EXPECT_EQ(c[19], 0u);
  EXPECT_EQ(c[24], 9u);
  Words all = list;
  LineRefListClearDepotSlot(all.data(), (int)all.size(), 3, 0);  // every slot of the depot
  EXPECT_EQ(all[5], 0u);
  EXPECT_EQ(all[6], 0u);
  // Pair lists.
  Words pairs = {3, 2, 3, 4, 5, 2, 3, 2};
  DepotSlotListRenumber(pairs.data(), 8, 3, 2, 9);
  EXPECT_EQ(pairs, (Words{3, 9, 3, 4, 5, 2, 3, 9}));
  EXPECT_EQ(DepotSlotListRemove(pairs.data(), 8, 3, 9), 4);
  EXPECT_EQ(Words(pairs.begin(), pairs.begin() + 4), (Words{3, 4, 5, 2}));
  EXPECT_EQ(DepotSlotListRemove(pairs.data(), 4, 3, 0), 2);
  EXPECT_EQ(LineRefListFind(pairs.data(), 2, 5, 2), 1);
  EXPECT_EQ(LineRefListFind(pairs.data(), 2, 5, 3), 0);
  const uint32_t anySlot[] = {5, 0};
  EXPECT_EQ(LineRefListFind(anySlot, 2, 5, 3), 1);
  EXPECT_EQ(LineRefListFind(anySlot, 2, 5, 0), 1);
}

TEST(LineRefOld, OldFormsConvert) {
  // Types of the old type word: v -> (category, type).
  static const struct {
    uint16_t v;
    uint32_t category, type;
  } types[] = {{0, 0, 0}, {3, 1, 3}, {2, 1, 5}, {8, 1, 6}, {16, 1, 8},
               {4, 2, 1}, {32, 3, 1}, {64, 1, 1}, {1, 1, 1}};
  for (const auto& t : types) {
    const uint16_t old[] = {5, 0x0400, t.v};
    uint32_t out[8];
    ASSERT_EQ(ConvertOldLineRefList(old, 3, out, 8), 5);
    EXPECT_EQ(out[2], LREF_TYPE | LREF_CATEGORY);
    EXPECT_EQ(out[3], t.category) << t.v;
    EXPECT_EQ(out[4], t.type) << t.v;
  }
  // Window (08:30 .. 16:59 becomes [08:30, 17:00)), target, wait, a schedule and a clearing one,
  // speed; then the end of day wrapping.
  const uint16_t old[] = {7, 0x8000 | 0x4000 | 0x0800 | 0x0020 | 0x0010 | 0x0008,
                          0x081E, 0x103B, 9, 30, 120, 0x0705, 44, 0x1800, 99, 80, 1,
                          8, 0x8000, 0x1600, 0x173B};
  uint32_t out[64];
  int n = ConvertOldLineRefList(old, 17, out, 64);
  const Words expected = {1, 7, 0x8000 | 0x4000 | 0x0800 | 0x0020 | 0x0010 | 0x0008,
                          1, ANY | H(8, 30), ANY | H(17), 9, 120u << 16 | 30,
                          1, ANY | H(7, 5), 44, 1, 1,
                          1, 24u << 16, 0, 0, 1,
                          1u << 16 | 80,
                          1, 8, 0x8000, 1, ANY | H(22), ANY | H(0)};
  EXPECT_EQ(Words(out, out + (n > 0 ? n : 0)), expected);
  EXPECT_EQ(Check(Words(out, out + n)), 0);
  // An old entry that runs past its list, or a result that does not fit, stops the conversion.
  EXPECT_EQ(ConvertOldLineRefList(old, 16, out, 64), -1);
  EXPECT_EQ(ConvertOldLineRefList(old, 12, out, 64), -1);
  EXPECT_EQ(ConvertOldLineRefList(old, 1, out, 64), -1);
  EXPECT_EQ(ConvertOldLineRefList(old, 17, out, 10), -1);
  const uint16_t pairs[] = {3, 9, 4, 1};
  EXPECT_EQ(ConvertOldLinePairList(pairs, 4, out, 64), 4);
  EXPECT_EQ(Words(out, out + 4), (Words{3, 0, 4, 0}));
  EXPECT_EQ(ConvertOldLinePairList(pairs, 3, out, 64), -1);
  // The oldest form: each flag word becomes two words.
  uint16_t split[12] = {5, 0x4001, 9, 6, 0x0400, 1};
  EXPECT_EQ(SplitOldLineRefFlags(split, 6, 12), 8);
  const uint16_t splitExpected[] = {5, 0x0001, 0x4000, 9, 6, 0x0400 & 0x33FF, 0x0400 & 0xCC00, 1};
  EXPECT_EQ(std::vector<uint16_t>(split, split + 8),
            std::vector<uint16_t>(splitExpected, splitExpected + 8));
  uint16_t overrun[6] = {5, 0x4000};
  EXPECT_EQ(SplitOldLineRefFlags(overrun, 2, 6), -1);
}
