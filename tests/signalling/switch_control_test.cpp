// Switch control records: ids, placing and refusals, list order, display states, type data
// setters, references, statistics, symbol classes and connections, and the copy text "WEI".
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/random.h"
#include "model/grid.h"
#include "signalling/switch_control.h"

namespace {
const uint32_t kDirs[4] = {4, 8, 16, 0};     // symbol 48: two exits
const uint32_t kDirs3[4] = {2, 1, 32, 128};  // symbol 72: three exits

struct SwitchFixture : ::testing::Test {
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    InitSwitches();
    ClearSwitches();
  }
  void TearDown() override { ClearSwitches(); }
  static std::vector<uint32_t> Ids() {
    std::vector<uint32_t> ids;
    for (ElementHeader* h = SwitchStore.head; h; h = h->next)
      ids.push_back(((SwitchControl*)h)->id);
    return ids;
  }
};
}  // namespace

TEST_F(SwitchFixture, IdsAreUniquePerCellAndFreeIdsFillGaps) {
  EXPECT_EQ(FindFreeSwitchId(), 1u);
  EXPECT_EQ(PlaceSwitch(1, 1, 0, 0, SWITCH_PLAIN, 0, kDirs, 0), 3);
  EXPECT_EQ(PlaceSwitch(1, 1, 0, 0, SWITCH_PLAIN, 60001, kDirs, 0), 3);
  EXPECT_EQ(PlaceSwitch(1, 1, 0, 0, 5, 1, kDirs, 0), 1);  // refused control type
  ASSERT_EQ(PlaceSwitch(1, 1, 0, 0, SWITCH_PLAIN, 3, kDirs, 0), 0);
  ASSERT_EQ(PlaceSwitch(2, 1, 0, 0, SWITCH_PLAIN, 1, kDirs, 0), 0);
  EXPECT_EQ(PlaceSwitch(5, 5, 0, 0, SWITCH_PLAIN, 3, kDirs, 0), 2);  // held by another cell
  EXPECT_EQ(FindFreeSwitchId(), 2u);
  ASSERT_EQ(PlaceSwitch(3, 1, 0, 0, SWITCH_PLAIN, 2, kDirs, 0), 0);
  EXPECT_EQ(FindFreeSwitchId(), 4u);
  EXPECT_EQ(Ids(), (std::vector<uint32_t>{1, 2, 3}));
  // A multi-record cell: all records share the id of the cell.
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 2, SWITCH_PLAIN, 7, kDirs3, 1), 0);
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 1, SWITCH_FIXED1, 7, kDirs3, 2), 0);
  EXPECT_EQ(AssignSwitchId(9, 9, 0, 2), 3);   // held elsewhere
  EXPECT_EQ(AssignSwitchId(9, 9, 0, 0), 2);   // outside 1..60000
  EXPECT_EQ(AssignSwitchId(8, 8, 0, 20), 1);  // no record
  ASSERT_EQ(AssignSwitchId(9, 9, 0, 20), 0);
  EXPECT_EQ(FindSwitchRecord(9, 9, 0, 1)->id, 20u);
  EXPECT_EQ(FindSwitchRecord(9, 9, 0, 2)->id, 20u);
  EXPECT_EQ(Ids(), (std::vector<uint32_t>{1, 2, 3, 20, 20}));
  EXPECT_EQ(FindSwitchRecord(9, 9, 0, 1)->h.next, &FindSwitchRecord(9, 9, 0, 2)->h);
  // Display state for exit index 1 and up goes to every record of the cell.
  EXPECT_EQ(GetSwitchDisplayState(9, 9, 0), 2u);
  EXPECT_EQ(SetSwitchDisplayState(9, 9, 0, 1), 0);
  EXPECT_EQ(FindSwitchRecord(9, 9, 0, 2)->displayState, 1u);
  EXPECT_EQ(SetSwitchDisplayState(8, 8, 0, 1), 1);
  int x, y, level;
  EXPECT_EQ(GetSwitchPositionById(20, &x, &y, &level), 1);
  EXPECT_EQ(x, 9);
  EXPECT_EQ(GetSwitchPositionById(0, &x, &y, &level), 0);
  EXPECT_EQ(ChangeSwitchExitIndex(9, 9, 0, 1, 2, kDirs3), 2);
  EXPECT_EQ(ChangeSwitchExitIndex(9, 9, 0, 3, 4, kDirs3), 1);
  EXPECT_EQ(ChangeSwitchExitIndex(9, 9, 0, 1, 3, kDirs3), 0);
  EXPECT_EQ(FindSwitchRecord(9, 9, 0, 2)->h.next, &FindSwitchRecord(9, 9, 0, 3)->h);
  EXPECT_EQ(DeleteSwitch(9, 9, 0, 3), 1);
  EXPECT_EQ(DeleteSwitch(9, 9, 0, 3), 0);
}

TEST_F(SwitchFixture, NoFreeIdWhenAll60000AreUsed) {
  SwitchControl* last = nullptr;
  for (uint32_t id = 1; id <= SWITCH_ID_MAX; id++)
    ASSERT_EQ(CreateSwitchRecord(last, (int)(id % 30000), (int)(id / 30000), 0, 0, SWITCH_PLAIN, id,
                                 4, 8, 16, 0, 0, &last),
              0);
  EXPECT_EQ(FindFreeSwitchId(), 0u);
  FreeSwitchRecord(FindSwitchById(777));
  EXPECT_EQ(FindFreeSwitchId(), 777u);
}

TEST_F(SwitchFixture, EnumerationWalksTheListAndSurvivesDeletes) {
  ASSERT_EQ(PlaceSwitch(1, 1, 0, 0, SWITCH_FIXED2, 2, kDirs, 0), 0);
  ASSERT_EQ(PlaceSwitch(2, 2, -1, 0, SWITCH_PLAIN, 1, kDirs, 0), 0);
  int x = -1, y = 0, level = 0, index = 0;
  uint32_t id, dirs[4];
  EXPECT_EQ(EnumerateSwitches(&x, &y, &level, &index, &id, dirs), SWITCH_PLAIN);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(level, -1);
  x = -2;
  EXPECT_EQ(EnumerateSwitches(&x, &y, &level, &index, &id, dirs), SWITCH_FIXED2);
  EXPECT_EQ(id, 2u);
  EXPECT_EQ(dirs[2], 16u);
  DeleteSwitch(1, 1, 0, 0);  // the cursor's record: the next call ends the walk
  x = -2;
  EXPECT_EQ(EnumerateSwitches(&x, &y, &level, &index, &id, dirs), 0);
}

TEST_F(SwitchFixture, TypeDataSettersCheckAndKeepBounds) {
  ASSERT_EQ(PlaceSwitch(4, 4, 0, 0, SWITCH_RATIO, 1, kDirs3, 0), 0);
  ASSERT_EQ(PlaceSwitch(5, 4, 0, 0, SWITCH_RANDOM, 2, kDirs3, 0), 0);
  const uint32_t times[3] = {0x7F080000, 0, 0}, positions[3] = {1, 0, 0};
  EXPECT_EQ(SetRatioSwitchData(4, 4, 0, 0, 2, 0, 0, 0, times, positions), 3);  // one count
  EXPECT_EQ(SetRatioSwitchData(4, 4, 0, 0, 2, 1, 0, 3, times, positions), 3);  // start >= total
  EXPECT_EQ(SetRatioSwitchData(4, 4, 0, 0, 60000, 6000, 0, 0, times, positions), 3);  // 16 bits
  EXPECT_EQ(SetRatioSwitchData(5, 4, 0, 0, 2, 1, 0, 0, times, positions), 2);         // other type
  EXPECT_EQ(SetRatioSwitchData(6, 4, 0, 0, 2, 1, 0, 0, times, positions), 1);         // no record
  ASSERT_EQ(SetRatioSwitchData(4, 4, 0, 0, 2, 1, 0, 1, times, positions), 0);
  SwitchControl* r = FindSwitchRecord(4, 4, 0, 0);
  EXPECT_EQ(r->data.ratio.counter, 2u);
  EXPECT_EQ(r->data.ratio.resetValue[0], 2u);
  uint32_t counts[3], position, t[3], p[3];
  ASSERT_EQ(GetRatioSwitchData(4, 4, 0, 0, counts, &position, t, p), 0);
  EXPECT_EQ(position, 1u);
  EXPECT_EQ(p[0], 1u);
  EXPECT_EQ(t[0], 0x7F080000u);
  RuntimeSrand(5);
  EXPECT_EQ(SetRandomSwitchData(5, 4, 0, 0, 0, 0, 4), 3);
  ASSERT_EQ(SetRandomSwitchData(5, 4, 0, 0, 1, 2, 3), 0);
  uint32_t shares[3], draw;
  ASSERT_EQ(GetRandomSwitchData(5, 4, 0, 0, shares, &draw), 0);
  EXPECT_LT(draw, 6u);
  const uint32_t tokens[2] = {11, 12};
  ASSERT_EQ(PlaceSwitch(6, 4, 0, 0, SWITCH_STATES, 3, kDirs3, 0), 0);
  EXPECT_EQ(SetStateSwitchExpressions(6, 4, 0, 0, 61, tokens, 0, nullptr, 0, nullptr, 0), 3);
  EXPECT_EQ(SetStateSwitchExpressions(6, 4, 0, 0, 2, tokens, 0, nullptr, 1, tokens, 5), 0);
  int lengths[3];
  uint32_t got[3][SWITCH_EXPRESSION_MAX], prio;
  ASSERT_EQ(GetStateSwitchExpressions(6, 4, 0, 0, lengths, got, &prio), 0);
  EXPECT_EQ(lengths[0], 2);
  EXPECT_EQ(got[2][0], 11u);
  EXPECT_EQ(prio, 5u);
}

// Fake list operations: a line-reference list here is a plain list of line ids.
static uint32_t RemoveLine(uint32_t* list, uint32_t n, uint32_t line) {
  uint32_t m = 0;
  for (uint32_t i = 0; i < n; i++)
    if (list[i] != line) list[m++] = list[i];
  return m;
}
static int ContainsLine(const uint32_t* list, uint32_t n, uint32_t line) {
  for (uint32_t i = 0; i < n; i++)
    if (list[i] == line) return 1;
  return 0;
}
static uint32_t AddAlongside(const uint32_t* list, uint32_t n, uint32_t oldLine, uint32_t newLine,
                             uint32_t* out, uint32_t cap) {
  uint32_t m = 0;
  for (uint32_t i = 0; i < n; i++) {
    out[m++] = list[i];
    if (list[i] == oldLine) out[m++] = newLine;
  }
  return m;
}

TEST_F(SwitchFixture, RouteListReferencesKeepTheOtherListsInOrder) {
  RouteListOps saved = RouteLists;
  RouteLists.lineRefListRemove = RemoveLine;
  RouteLists.lineRefListContains = ContainsLine;
  RouteLists.lineRefListAddAlongside = AddAlongside;
  ASSERT_EQ(PlaceSwitch(7, 7, 0, 0, SWITCH_ROUTE2, 1, kDirs3, 0), 0);
  const uint32_t lengths[6] = {2, 1, 2, 2, 0, 2};
  const uint32_t values[9] = {5, 6, 5, 8, 5, 100, 1, 200, 2};
  ASSERT_EQ(SetRouteSwitchLists(7, 7, 0, 0, lengths, values), 0);
  EXPECT_EQ(SetRouteSwitchLists(7, 8, 0, 0, lengths, values), 2);
  ElementBox box = {0, 0, -4, 100, 100, 0};
  int x = 0, y, level;
  uint32_t id;
  EXPECT_EQ(FindRouteSwitchInBox(8, box, &x, &y, &level, &id), 1);
  EXPECT_EQ(x, 7);
  x = -1;
  EXPECT_EQ(FindRouteSwitchInBox(8, box, &x, &y, &level, &id), 0);
  RemoveLineFromRouteSwitches(5);
  const uint32_t* v;
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 1, &v), 1);
  EXPECT_EQ(v[0], 6u);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 2, &v), 0);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 3, &v), 1);
  EXPECT_EQ(v[0], 8u);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 4, &v), 2);
  EXPECT_EQ(v[0], 100u);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 6, &v), 2);
  EXPECT_EQ(v[1], 2u);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 7, &v), 0);
  EXPECT_EQ(AddLineAlongsideInRouteSwitches(8, 9), 0);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 3, &v), 2);
  EXPECT_EQ(v[1], 9u);
  EXPECT_EQ(GetRouteSwitchList(7, 7, 0, 0, 4, &v), 2);
  EXPECT_EQ(v[1], 1u);
  RouteLists = saved;
}

TEST_F(SwitchFixture, StateSwitchElementReferences) {
  const uint32_t e1[1] = {40}, e3[2] = {41, 40};
  ASSERT_EQ(PlaceSwitch(7, 7, 0, 0, SWITCH_STATES, 1, kDirs, 0), 0);  // no exit 3
  ASSERT_EQ(SetStateSwitchExpressions(7, 7, 0, 0, 1, e1, 0, nullptr, 2, e3, 0), 0);
  EXPECT_EQ(CountStateSwitchesUsingElement(40), 1);
  EXPECT_EQ(CountStateSwitchesUsingElement(41), 0);  // expression 3 counts only with exit 3
  ElementBox box = {0, 0, -4, 10, 10, 0}, away = {20, 20, 0, 30, 30, 0};
  EXPECT_EQ(StateSwitchInBoxUsesElement(40, box), 1);
  EXPECT_EQ(StateSwitchInBoxUsesElement(40, away), 0);
  RemoveElementFromStateSwitches(40);
  SwitchControl* r = FindSwitchRecord(7, 7, 0, 0);
  EXPECT_EQ(r->data.states.length[0], 0);
  EXPECT_EQ(r->data.states.length[2], 2);
}

TEST(SwitchSymbols, ClassesAndConnections) {
  struct {
    uint32_t code;
    int cls, high;
  } classes[] = {{48, 1, 2}, {0x4000 | 79, 1, 2}, {80, 1, 0},         {95, 5, 1}, {12, 4, 2},
                 {23, 3, 2}, {472, 2, 0},         {495, 2, 0},        {24, 0, 0}, {47, 0, 0},
                 {96, 0, 0}, {0x8030, 0, 0},      {0x0200 | 50, 1, 2}};
  for (auto& c : classes) {
    int32_t range[2] = {-1, -1};
    EXPECT_EQ(ClassifySwitchSymbol(c.code, range), c.cls) << c.code;
    if (c.cls) {
      EXPECT_EQ(range[1], c.high) << c.code;
    }
  }
  uint32_t d[4];
  EXPECT_EQ(GetSwitchConnections(12, d), 0);
  EXPECT_EQ(d[1], 32u);
  EXPECT_EQ(GetSwitchConnections(71, d), 0);
  EXPECT_EQ(d[0] + d[1] + d[2] + d[3], 64u + 1 + 8);
  EXPECT_EQ(GetSwitchConnections(480, d), 0);  // folds onto 72
  EXPECT_EQ(d[3], 128u);
  EXPECT_EQ(GetSwitchConnections(95, d), 0);
  EXPECT_EQ(d[3], 4u);
  EXPECT_EQ(GetSwitchConnections(30, d), 1);
  EXPECT_EQ(d[0] | d[1] | d[2] | d[3], 0u);
  // Every switch symbol's connections are single direction bits, entry and exits different.
  for (uint32_t s = 12; s < 96; s++) {
    if (s >= 24 && s < 48) continue;
    ASSERT_EQ(GetSwitchConnections(s, d), 0);
    for (int i = 0; i < 4; i++) EXPECT_EQ(d[i] & (d[i] - 1), 0u) << s;
    EXPECT_EQ(d[0] & (d[1] | d[2] | d[3]), 0u) << s;
  }
}

TEST_F(SwitchFixture, Statistics) {
  SetCell(9, 9, 0, 16);  // class 3
  ASSERT_EQ(PlaceSwitch(1, 1, 0, 0, SWITCH_PLAIN, 1, kDirs, 0), 0);
  ASSERT_EQ(PlaceSwitch(2, 1, 0, 0, SWITCH_RATIO, 2, kDirs3, 0), 0);
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 1, SWITCH_FIXED1, 3, kDirs3, 0), 0);
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 2, SWITCH_ROUTE1, 3, kDirs3, 0), 0);
  SwitchStatistics s;
  EXPECT_EQ(GetSwitchCount(&s), 4);
  EXPECT_EQ(s.plain, 1);
  EXPECT_EQ(s.fixed, 1);
  EXPECT_EQ(s.ratio, 1);
  EXPECT_EQ(s.route, 1);
  EXPECT_EQ(s.twoExitCells, 1);
  EXPECT_EQ(s.threeExitCells, 1);
  EXPECT_EQ(s.class3Cells, 1);
}

// ---- copy text ----------------------------------------------------------------------------------------
namespace {
std::vector<std::u16string> Clip;
int AppendToClip(const char16_t* line) {
  Clip.push_back(line);
  return 0;
}
int ReadFromClip(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)Clip.size() || (int)Clip[index].size() > maxChars) return 1;
  for (size_t i = 0; i <= Clip[index].size(); i++) out[i] = Clip[index].c_str()[i];
  return 0;
}
}  // namespace

TEST_F(SwitchFixture, CopyTextRoundTripAtAnOffset) {
  CopyTextAppendLine = AppendToClip;
  CopyTextReadLine = ReadFromClip;
  Clip.clear();
  const uint32_t times[3] = {0x7F083000, 0, 0}, positions[3] = {2, 0, 0};
  ASSERT_EQ(PlaceSwitch(10, 10, 0, 0, SWITCH_RATIO, 5, kDirs3, 1), 0);
  ASSERT_EQ(SetRatioSwitchData(10, 10, 0, 0, 3, 1, 2, 4, times, positions), 0);
  ASSERT_EQ(PlaceSwitch(11, 10, -1, 0, SWITCH_RANDOM, 6, kDirs3, 0), 0);
  ASSERT_EQ(SetRandomSwitchData(11, 10, -1, 0, 4, 5, 6), 0);
  ASSERT_EQ(PlaceSwitch(12, 10, 0, 0, SWITCH_ATTRIBUTES, 7, kDirs, 2), 0);
  uint32_t masks[12] = {1, 2, 3, 4, 5, 6, 7, 8, 0x3FF, 10, 11, 12};
  ASSERT_EQ(SetAttributeSwitchMasks(12, 10, 0, 0, masks), 0);
  ASSERT_EQ(PlaceSwitch(13, 10, 0, 1, SWITCH_FIXED2, 8, kDirs3, 1), 0);
  ASSERT_EQ(PlaceSwitch(13, 10, 0, 2, SWITCH_PLAIN, 8, kDirs3, 1), 0);
  ASSERT_EQ(PlaceSwitch(50, 50, 0, 0, SWITCH_PLAIN, 9, kDirs, 0), 0);  // outside the block
  ElementBox box = {10, 10, -4, 13, 10, 0};
  ASSERT_EQ(WriteSwitchSection(box), 0);
  ASSERT_EQ(Clip.size(), 2u + 5 + 3);  // markers, records, data lines of types 11, 12, 14
  EXPECT_EQ(Clip.front(), u"WEI_A");
  EXPECT_EQ(Clip.back(), u"WEI_E");
  EXPECT_EQ(Clip[1], u"a,a,0,0,11,2,1,20,80,1");
  EXPECT_EQ(Clip[2], u"3,1,2,7f083000,4,0,6,0,6");  // unset times keep position 0
  EXPECT_EQ(Clip[6], u"1,2,3,4,5,6,7,8,3ff,a,b,c,");
  Clip.insert(Clip.begin(), u"before");
  int index = 1;
  ASSERT_EQ(ReadSwitchSection(&index, 100, 0, 0), 0);
  EXPECT_EQ(index, (int)Clip.size());
  SwitchControl* r = FindSwitchRecord(110, 10, 0, 0);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(r->type, SWITCH_RATIO);
  EXPECT_EQ(r->data.ratio.counter, 6u);  // a pasted ratio switch starts with a full counter
  EXPECT_EQ(r->data.ratio.resetValue[0], 4u);
  EXPECT_EQ(r->id, 1u);  // new ids from the lowest free one
  EXPECT_EQ(FindSwitchRecord(111, 10, -1, 0)->data.random.share[2], 6u);
  EXPECT_EQ(FindSwitchRecord(112, 10, 0, 0)->data.attributes.mask[8], 0x3FFu);
  EXPECT_EQ(FindSwitchRecord(113, 10, 0, 1)->id, FindSwitchRecord(113, 10, 0, 2)->id);
  CopyTextAppendLine = nullptr;
  CopyTextReadLine = nullptr;
}

TEST_F(SwitchFixture, CopyTextReaderRefusesAndDrops) {
  CopyTextReadLine = ReadFromClip;
  struct {
    std::vector<std::u16string> lines;
    int result;
  } cases[] = {
      {{u"WEI_A", u"WEI_E"}, 0},
      {{u"WEI_A", u"WEI_X"}, 4},                                      // no end marker
      {{u"WEI_A", u"a,a,0,0,1,4,8,10,0"}, 4},                         // a field too few, not WEI_E
      {{u"WEI_A", u"a,a,0,5,1,4,8,10,0,0", u"WEI_E"}, 4},             // exit index above 4
      {{u"WEI_A", u"a,a,0,0,1,3,8,10,0,0", u"WEI_E"}, 4},             // not a single direction
      {{u"WEI_A", u"a,a,0,0,12,4,8,10,0,0", u"1,1", u"WEI_E"}, 4},    // type line too short
      {{u"WEI_A", u"a,a,0,0,5,4,8,10,0,0", u"WEI_E"}, 1},             // refused type: dropped
      {{u"WEI_A", u"7ffe,a,0,0,1,4,8,10,0,0", u"WEI_E"}, 1},          // pasted outside the grid
      {{u"WEI_A", u"a,a,0,0,12,4,8,10,0,0", u"0,0,5", u"WEI_E"}, 1},  // one share: dropped
      {{u"WEI_A", u"a,a,0,0,15,4,8,10,0,0", u"1,0,0,0", u"x", u"WEI_E"}, 2},  // no text form yet
  };
  for (auto& c : cases) {
    ClearSwitches();
    SetCell(10 + 10, 10, 0, 48);
    Clip = c.lines;
    int index = 0;
    EXPECT_EQ(ReadSwitchSection(&index, 10, 0, 0), c.result) << (int)(&c - cases);
    if (c.lines.size() > 2 && c.lines[1][0] == u'a' && c.result == 1) {
      EXPECT_EQ(GetCell(20, 10, 0), 0xC000);  // a dropped switch leaves an empty cell
    }
  }
  CopyTextReadLine = nullptr;
}
