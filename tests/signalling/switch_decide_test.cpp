// Exit decisions of every control type with a seeded random source: counted ratio (with counters
// out of range and switches without exit 3), random shares, train attributes, element states with
// a fake evaluator, route lists with recorded exits, the manual question and the time reset.
#include <gtest/gtest.h>
#include <map>
#include <vector>
#include "core/random.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"

namespace {
const uint32_t kTwo[4] = {4, 8, 16, 0};
const uint32_t kThree[4] = {2, 1, 32, 128};

int AskCount;
uint32_t AskAnswer;
uint32_t FakeAsk(uint32_t proposal, SwitchControl*) {
  AskCount++;
  return AskAnswer ? AskAnswer : proposal;
}
std::map<uint32_t, int> Truth;  // first token -> 3 true, 2 false
int FakeEvaluate(const uint32_t* tokens, int length) { return Truth[tokens[0]]; }

struct DecideFixture : ::testing::Test {
  TrainRecord* train;
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    ClearSwitches();
    RuntimeSrand(12345);
    train = AllocTrainRecord(1, 0);
    train->type = 3;
    train->category = 1;
    AskCount = 0;
    AskAnswer = 0;
    AskSwitchExitHook = FakeAsk;
    EvaluateElementExpression = FakeEvaluate;
    Truth.clear();
  }
  void TearDown() override {
    FreeTrainRecord(train);
    ClearSwitches();
    AskSwitchExitHook = AskSwitchExit;
    EvaluateElementExpression = nullptr;
  }
  SwitchControl* Place(int type, const uint32_t* dirs, int x = 5) {
    EXPECT_EQ(PlaceSwitch(x, 5, 0, 0, type, (uint32_t)x, dirs, 0), 0);
    return FindSwitchRecord(x, 5, 0, 0);
  }
};
}  // namespace

TEST_F(DecideFixture, RatioSwitchCountsThroughItsRound) {
  SwitchControl* r = Place(SWITCH_RATIO, kThree);
  const uint32_t none[3] = {0, 0, 0};
  ASSERT_EQ(SetRatioSwitchData(5, 5, 0, 0, 2, 1, 0, 0, none, none), 0);
  std::vector<uint32_t> got;
  for (int i = 0; i < 6; i++) {
    uint32_t ahead = DecideSwitchExitAuto(train, 5, 5, 0, 0);
    uint32_t pass = DecideSwitchExit(train, 5, 5, 0);
    EXPECT_EQ(ahead, pass);  // the look-ahead answer is the next pass's answer
    got.push_back(pass);
  }
  EXPECT_EQ(got, (std::vector<uint32_t>{1, 1, 32, 1, 1, 32}));
  // A counter outside 1..total (file, paste, reset value) starts a full round; it never wraps.
  for (uint32_t bad : {0u, 4u, 0xFFFFFFFFu}) {
    r->data.ratio.counter = bad;
    EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 1u);
    EXPECT_EQ(r->data.ratio.counter, 2u);
  }
}

TEST_F(DecideFixture, RatioAndRandomNeverChooseAMissingExit3) {
  SwitchControl* ratio = Place(SWITCH_RATIO, kTwo, 5);
  ratio->data.ratio.count[0] = 1, ratio->data.ratio.count[1] = 1, ratio->data.ratio.count[2] = 5;
  ratio->data.ratio.counter = 7;
  SwitchControl* random = Place(SWITCH_RANDOM, kTwo, 6);
  random->data.random.share[0] = 1, random->data.random.share[1] = 1;
  random->data.random.share[2] = 50;
  random->data.random.draw = 40;  // beyond the shares without exit 3: drawn anew
  for (int i = 0; i < 200; i++) {
    uint32_t a = DecideSwitchExit(train, 5, 5, 0), b = DecideSwitchExit(train, 6, 5, 0);
    EXPECT_TRUE(a == 8 || a == 16) << a;
    EXPECT_TRUE(b == 8 || b == 16) << b;
    EXPECT_LT(random->data.random.draw, 2u);
    EXPECT_GE(ratio->data.ratio.counter, 1u);
    EXPECT_LE(ratio->data.ratio.counter, 2u);
  }
}

TEST_F(DecideFixture, RandomSharesFollowTheDrawKnownAhead) {
  SwitchControl* r = Place(SWITCH_RANDOM, kThree);
  ASSERT_EQ(SetRandomSwitchData(5, 5, 0, 0, 1, 2, 3), 0);
  int seen[3] = {0, 0, 0};
  for (int i = 0; i < 600; i++) {
    uint32_t draw = r->data.random.draw;
    uint32_t want = draw < 1 ? 1 : draw >= 3 ? 128 : 32;
    EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 0), want);  // no advance
    EXPECT_EQ(r->data.random.draw, draw);
    EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), want);
    EXPECT_LT(r->data.random.draw, 6u);
    seen[want == 1 ? 0 : want == 32 ? 1 : 2]++;
  }
  EXPECT_GT(seen[0], 50);
  EXPECT_GT(seen[2], seen[0]);
}

TEST_F(DecideFixture, AttributeSwitchFlagsThenTypesThenRandom) {
  Place(SWITCH_ATTRIBUTES, kThree);
  uint32_t m[12] = {};
  m[3] = 4;            // exit 1: leaving the depot without the schedule flag
  m[4 + 0] = 1u << 2;  // exit 2: type 3, category 1
  m[8 + 1] = 1u << 2;  // exit 3: type 3, category 2
  ASSERT_EQ(SetAttributeSwitchMasks(5, 5, 0, 0, m), 0);
  train->flags = TRAIN_LEAVING1;
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 1u);
  train->flags = TRAIN_LEAVING1 | TRAIN_PENDING_FLAGGED;  // flag bit 1: not in any mask
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 32u);       // so by type: category 1 -> exit 2
  train->flags = 0;
  train->category = 2;
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 128u);
  train->type = 4;  // matches nothing: a random exit, with the stop mark from the look-ahead
  for (int i = 0; i < 30; i++) {
    uint32_t ahead = DecideSwitchExitAuto(train, 5, 5, 0, 0);
    EXPECT_TRUE(ahead & SWITCH_STOP_MARK);
    uint32_t pass = DecideSwitchExit(train, 5, 5, 0);
    EXPECT_FALSE(pass & SWITCH_STOP_MARK);
    EXPECT_TRUE(pass == 1 || pass == 32 || pass == 128);
  }
  train->type = 0;  // no type bit at all
  EXPECT_TRUE(DecideSwitchExitAuto(train, 5, 5, 0, 0) & SWITCH_STOP_MARK);
}

TEST_F(DecideFixture, StateSwitchTiesAndPriorities) {
  Place(SWITCH_STATES, kThree);
  const uint32_t e1[1] = {101}, e2[1] = {102}, e3[1] = {103};
  struct {
    int t1, t2, t3;
    uint32_t prio;
    uint32_t want;  // 0xFF: one of several
  } cases[] = {
      {3, 2, 2, 0, 1},    {2, 3, 2, 0, 32},    {2, 2, 3, 0, 128},  {3, 3, 2, 1, 1},
      {3, 3, 2, 2, 32},   {3, 3, 2, 16, 1},    {3, 3, 2, 32, 32},  {3, 2, 3, 4, 128},
      {3, 2, 3, 64, 128}, {2, 3, 3, 32, 32},   {2, 3, 3, 4, 128},  {3, 3, 3, 2, 32},
      {3, 3, 3, 4, 128},  {3, 3, 3, 16, 0xFF}, {3, 3, 2, 0, 0xFF},
  };
  for (auto& c : cases) {
    Truth[101] = c.t1, Truth[102] = c.t2, Truth[103] = c.t3;
    ASSERT_EQ(SetStateSwitchExpressions(5, 5, 0, 0, 1, e1, 1, e2, 1, e3, c.prio), 0);
    uint32_t got = DecideSwitchExit(train, 5, 5, 0);
    if (c.want == 0xFF)
      EXPECT_TRUE(got == 1 || got == 32 || got == 128);
    else
      EXPECT_EQ(got, c.want) << c.t1 << c.t2 << c.t3 << " prio " << c.prio;
  }
  // Nothing met: the stop mark alone when passed, and always the mark from the look-ahead.
  Truth[101] = Truth[102] = Truth[103] = 2;
  ASSERT_EQ(SetStateSwitchExpressions(5, 5, 0, 0, 1, e1, 1, e2, 1, e3, 0), 0);
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), SWITCH_STOP_MARK);
  EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 0), SWITCH_STOP_MARK);
  // All empty: every exit counts as met and one is drawn.
  ASSERT_EQ(SetStateSwitchExpressions(5, 5, 0, 0, 0, nullptr, 0, nullptr, 0, nullptr, 0), 0);
  int seen = 0;
  for (int i = 0; i < 60; i++) seen |= DecideSwitchExit(train, 5, 5, 0);
  EXPECT_EQ(seen, 1 | 32 | 128);
  // Without an evaluator a non-empty expression is not met.
  EvaluateElementExpression = nullptr;
  ASSERT_EQ(SetStateSwitchExpressions(5, 5, 0, 0, 1, e1, 0, nullptr, 1, e3, 0), 0);
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 32u);
}

static int MatchFirstWord(const uint32_t* list, uint32_t n, uint32_t line, uint32_t number) {
  return list[0] == line;
}
static int FindPair(const uint32_t* pairs, uint32_t n, uint32_t a, uint32_t b) {
  for (uint32_t i = 0; i + 1 < n; i += 2)
    if (pairs[i] == a && (!b || pairs[i + 1] == b || pairs[i + 1] == 0)) return 1;
  return 0;
}

TEST_F(DecideFixture, RouteListsRecordedByTheLookAheadAreUsedOnce) {
  RouteListOps saved = RouteLists;
  RouteLists.matchLineRefForTrain = MatchFirstWord;
  RouteLists.lineRefListFind = FindPair;
  Place(SWITCH_ROUTE3, kThree);
  const uint32_t lengths[6] = {1, 1, 0, 0, 2, 0};
  const uint32_t values[4] = {7, 8, 30, 0};  // line 7 -> exit 1, line 8 -> exit 2; depot 30 -> 2
  ASSERT_EQ(SetRouteSwitchLists(5, 5, 0, 0, lengths, values), 0);
  train->secondLine = 8;
  EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 1), 32u);  // recorded
  train->secondLine = 7;  // the lists no longer point there, the recorded exit holds
  EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 1), 32u);
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 32u);  // used and cleared
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 1u);
  train->secondLine = 99;
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 128u);  // the type's default
  train->flags = TRAIN_PENDING, train->pendingDepot = 30, train->pendingSlot = 4;
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 32u);  // the destination first
  train->flags = 0;
  EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 1), 128u);
  EXPECT_EQ(ClearSwitchExitMarksAt(5, 5, 0), 0);
  EXPECT_EQ(FindSwitchRecord(5, 5, 0, 0)->data.route.flags & ROUTE_RECORDED_MASK, 0u);
  EXPECT_EQ(ClearSwitchExitMarksAt(6, 5, 0), 1);
  RouteLists = saved;
}

TEST_F(DecideFixture, ManualQuestionForSelectedTrainsOnly) {
  Place(SWITCH_FIXED3, kThree, 5);
  Place(SWITCH_PLAIN, kThree, 6);
  Place(SWITCH_RATIO, kThree, 7);
  const uint32_t none[3] = {0, 0, 0};
  ASSERT_EQ(SetRatioSwitchData(7, 5, 0, 0, 1, 1, 0, 0, none, none), 0);
  train->flags = TRAIN_SELECTED;
  EXPECT_EQ(DecideSwitchExit(train, 5, 5, 0), 128u);  // a fixed switch never asks
  EXPECT_EQ(AskCount, 0);
  AskAnswer = 32;
  EXPECT_EQ(DecideSwitchExit(train, 6, 5, 0), 32u);
  EXPECT_EQ(AskCount, 1);
  AskAnswer = SWITCH_USER_STOPPED;
  EXPECT_EQ(DecideSwitchExit(train, 7, 5, 0), SWITCH_USER_STOPPED);
  EXPECT_EQ(DecideSwitchExitAuto(train, 7, 5, 0, 0), 32u);  // the counter advanced meanwhile
  EXPECT_EQ(AskCount, 2);
  train->flags = 0;
  EXPECT_EQ(DecideSwitchExit(train, 6, 5, 0), 1u);
  EXPECT_EQ(AskCount, 2);
}

TEST_F(DecideFixture, MultiRecordCellsChooseByEntrySide) {
  // Two records of one cell: entered from the left (4) or from below (2).
  const uint32_t fromLeft[4] = {4, 8, 1, 0}, fromBelow[4] = {2, 1, 8, 0};
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 1, SWITCH_FIXED2, 3, fromLeft, 0), 0);
  ASSERT_EQ(PlaceSwitch(9, 9, 0, 2, SWITCH_FIXED1, 3, fromBelow, 0), 0);
  EXPECT_EQ(DecideSwitchExitFrom(train, 9, 9, 0, 1, 0), 1u);   // moving right: entered from 4
  EXPECT_EQ(DecideSwitchExitFrom(train, 9, 9, 0, 0, -1), 1u);  // moving up: entered from 2
  EXPECT_EQ(DecideSwitchExitAutoFrom(train, 9, 9, 0, -1, 0, 0), 0u);  // no record from the right
  EXPECT_EQ(DecideSwitchExit(train, 9, 9, 0), 0u);                    // no record of exit index 0
}

TEST_F(DecideFixture, RatioResetsAtTheMinuteOfItsDayTime) {
  DocumentState saved = DocState;
  SwitchControl* r = Place(SWITCH_RATIO, kThree);
  const uint32_t times[3] = {(1u << 2) << 24 | 0x081E00, 0x7F091E00, (1u << 2) << 24 | 0x0A1E05};
  const uint32_t positions[3] = {1, 2, 0};
  ASSERT_EQ(SetRatioSwitchData(5, 5, 0, 0, 2, 2, 0, 3, times, positions), 0);
  EXPECT_EQ(r->data.ratio.counter, 1u);
  DocState.weekday = 3, DocState.hour = 8, DocState.minute = 30, DocState.second = 0;
  ResetRatioSwitchesByTime();
  EXPECT_EQ(r->data.ratio.counter, 3u);  // position 1
  r->data.ratio.counter = 1;
  DocState.weekday = 4;  // not that day
  ResetRatioSwitchesByTime();
  EXPECT_EQ(r->data.ratio.counter, 1u);
  DocState.hour = 9;  // any day (old form)
  ResetRatioSwitchesByTime();
  EXPECT_EQ(r->data.ratio.counter, 2u);
  r->data.ratio.counter = 1;
  DocState.weekday = 3, DocState.hour = 10, DocState.second = 0;  // seconds 5 never fire
  ResetRatioSwitchesByTime();
  EXPECT_EQ(r->data.ratio.counter, 1u);
  DocState = saved;
}

// Route lists as the program uses them: line-reference lists matched by the train's second line,
// number and the clock's time, and destination pairs of (depot, slot) with slot 0 for any slot.
TEST_F(DecideFixture, RouteListsMatchLinesByTimeAndDestinations) {
  Place(SWITCH_ROUTE3, kThree);
  // Exit 1: line 7 from 06:00 to 09:00 any day; exit 2: line 7 with numbers 10..19 or line 8;
  // destinations of exit 2: depot 30 (any slot); exit 3: depot 31 slot 2.
  const uint32_t lengths[6] = {6, 10, 0, 0, 2, 2};
  const uint32_t values[] = {1, 7, 0x8000, 1, 0x7F060000, 0x7F090000,
                             1, 7, 0x10000, 3, 10, 0xFFFFFFFFu, 19, 1, 8, 0,
                             30, 0, 31, 2};
  ASSERT_EQ(SetRouteSwitchLists(5, 5, 0, 0, lengths, values), 0);
  static const struct {
    uint32_t secondLine, number, hour, flags, depot, slot, exit;
  } cases[] = {
      {7, 3, 7, 0, 0, 0, 1},                // in the window: exit 1
      {7, 12, 10, 0, 0, 0, 32},             // after it, in the range: exit 2
      {7, 3, 10, 0, 0, 0, 128},             // neither: the type's default, exit 3
      {8, 3, 10, 0, 0, 0, 32},              // line 8 on exit 2
      {9, 3, 7, TRAIN_PENDING, 30, 5, 32},  // a destination decides first
      {7, 3, 7, TRAIN_PENDING, 31, 2, 128},
      {7, 3, 7, TRAIN_PENDING, 31, 3, 1},   // no destination fits: the lines
  };
  for (const auto& c : cases) {
    DocState.weekday = 3;
    DocState.hour = (int32_t)c.hour;
    DocState.minute = 0;
    DocState.second = 0;
    train->secondLine = c.secondLine;
    train->subNumber = c.number;
    train->flags = c.flags;
    train->pendingDepot = (uint16_t)c.depot;
    train->pendingSlot = (uint16_t)c.slot;
    EXPECT_EQ(DecideSwitchExitAuto(train, 5, 5, 0, 0), c.exit)
        << c.secondLine << " " << c.number << " " << c.hour << " " << c.depot;
  }
}
