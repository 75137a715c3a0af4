// Placing symbols at the cursor: the refusals (train cell, reserved cell, depot cell, no
// memory), the overwrite questions answered by the test before anything is deleted, the
// records of the old element going, the level-change partner below, the train-cell option, the
// empty slot and the advance of the cursor.
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/platform_native.h"
#include "edit_window_fixture.h"
#include "graphics/symbols.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/view_services.h"

namespace {
constexpr int X = 1000, Y = 2000;

struct PlaceFixture : ::testing::Test {
  EditViewSlot* s = nullptr;
  void SetUp() override {
    ASSERT_NE(s = StartEditWindowFixture(), nullptr);
    s->zoom = 1;
    s->originX = X - 20;
    s->originY = Y - 15;
    s->farX = s->originX + 40;
    s->farY = s->originY + 30;
    Cursor(X, Y, 0);
    SetOverwriteWarning(2);
    SetReverseAdvance(0);
    PlaceOverTrainSwitch = 0;
    MsgSeamReset();
    ClearNetModified();
  }
  void TearDown() override {
    EndEditWindowFixture();
    SetOverwriteWarning(2);
    PlaceOverTrainSwitch = 0;
    MsgSeamReset();
  }
  void Cursor(int x, int y, int level) {
    s->cursorX = x;
    s->cursorY = y;
    s->cursorLevel = level;
  }
  static int Message(int n) {  // the number of the n-th box shown (0 none)
    const MsgBoxCall* c = MsgSeamCall(n);
    return c ? (int)c->helpTopic - 50000 : 0;
  }
  static void PlaceSwitchRecord(int x, int y, int level) {
    const uint32_t dirs[4] = {8, 4, 16, 0};
    ASSERT_EQ(PlaceSwitch(x, y, level, 0, SWITCH_PLAIN, 1, dirs, 0), 0);
  }
};
}  // namespace

TEST_F(PlaceFixture, DigitKeysPlaceTheSlotSymbolsAndAdvance) {
  uint32_t codes[10];
  GetSlotCodes(codes);
  PlaceSymbolAtCursor('1', 1);
  EXPECT_EQ(GetCell(X, Y, 0), codes[1]);
  EXPECT_TRUE(IsNetModified());
  uint32_t d = GetPlacementAdvance(codes[1]);
  EXPECT_EQ(s->cursorX, X + ((d & 1) ? 1 : (d & 2) ? -1 : 0));
  EXPECT_EQ(s->cursorY, Y + ((d & 4) ? 1 : (d & 8) ? -1 : 0));
  // the same symbol again writes nothing but still advances
  Cursor(X, Y, 0);
  ClearNetModified();
  PlaceSymbolAtCursor('1', 1);
  EXPECT_FALSE(IsNetModified());
  EXPECT_NE(s->cursorX * 100000 + s->cursorY, X * 100000 + Y);
  // slot 0 is the empty cell: it clears
  Cursor(X, Y, 0);
  PlaceSymbolAtCursor('0', 0);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_EMPTY);
  EXPECT_EQ(s->cursorX, X);
  // no active window: nothing
  EditViews.active = -1;
  PlaceSymbolAtCursor('1', 1);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_EMPTY);
}

TEST_F(PlaceFixture, RefusalsLeaveTheCellAlone) {
  // a train's cell without the option: a sound, no box, nothing written
  SetCell(X, Y, 0, 0xBF05);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 1), PLACE_REFUSED);
  EXPECT_EQ(GetCell(X, Y, 0), 0xBF05);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(s->cursorX, X);
  // a reserved cell: error 502
  SetCell(X, Y, 0, 9 | CELL_MARK_BIT);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 1), PLACE_REFUSED);
  EXPECT_EQ(Message(0), 502);
  EXPECT_EQ(GetCell(X, Y, 0), 9 | CELL_MARK_BIT);
  EXPECT_FALSE(IsNetModified());
}

TEST_F(PlaceFixture, AQuestionDeclinedKeepsTheElementAndItsRecords) {
  const uint32_t switchCode = 48;  // a plain switch symbol
  SetCell(X, Y, 0, switchCode);
  PlaceSwitchRecord(X, Y, 0);
  SetOverwriteWarning(1);
  MsgSeamPushAnswer(MSG_RESULT_NO);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 1), PLACE_DECLINED);
  EXPECT_EQ(Message(0), 523);
  EXPECT_EQ(GetCell(X, Y, 0), switchCode);
  EXPECT_NE(FindSwitchRecord(X, Y, 0, -1), nullptr);
  EXPECT_EQ(s->cursorX, X);
  // yes: the records go with the symbol
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_YES);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 0), PLACE_DONE);
  EXPECT_EQ(GetCell(X, Y, 0), 10);
  EXPECT_EQ(FindSwitchRecord(X, Y, 0, -1), nullptr);
  // without the warning there is no question; the empty slot clears the element
  SetCell(X, Y, 0, switchCode);
  PlaceSwitchRecord(X, Y, 0);
  SetOverwriteWarning(2);
  MsgSeamReset();
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, CELL_EMPTY, 0), PLACE_DONE);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_EMPTY);
  EXPECT_EQ(FindSwitchRecord(X, Y, 0, -1), nullptr);
}

TEST_F(PlaceFixture, ASwitchOverASwitchKeepsItsRecords) {
  SetCell(X, Y, 0, 48);
  PlaceSwitchRecord(X, Y, 0);
  SetOverwriteWarning(1);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 49, 0), PLACE_DONE);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(GetCell(X, Y, 0), 49);
  EXPECT_NE(FindSwitchRecord(X, Y, 0, -1), nullptr);
}

TEST_F(PlaceFixture, LevelChangesKeepTheirPartnerBelow) {
  const uint32_t high = 216, low = MapToSymbolClassC(216);
  ASSERT_NE(low, CELL_EMPTY);
  // placing a class-B symbol writes its partner into an empty cell below
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, high, 0), PLACE_DONE);
  EXPECT_EQ(GetCell(X, Y, -1), low);
  // but not over a track below
  SetCell(X + 1, Y, -1, 9);
  PlaceSymbolAt(X + 1, Y, 0, high, 0);
  EXPECT_EQ(GetCell(X + 1, Y, -1), 9);
  // replacing it clears the partner
  PlaceSymbolAt(X, Y, 0, 10, 0);
  EXPECT_EQ(GetCell(X, Y, -1), CELL_EMPTY);
  // on the lowest level there is no cell below
  EXPECT_EQ(PlaceSymbolAt(X, Y, -4, high, 0), PLACE_DONE);
  EXPECT_EQ(GetCell(X, Y, -4), high);
  PlaceSymbolAt(X, Y, -4, 10, 0);
  EXPECT_EQ(GetCell(X, Y, -4), 10);
}

TEST_F(PlaceFixture, TheTrainCellOptionChangesTheCodeUnderTheTrain) {
  TrainRecord* t = AllocTrainRecord(2, 1);
  ASSERT_NE(t, nullptr);
  t->line = 1;
  t->subNumber = 1;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < 2; i++) {
    p[i].x = (uint32_t)(X - i);
    p[i].y = Y;
    p[i].level = 0;
    p[i].codeUnder = 9;
  }
  ASSERT_EQ(InsertTrain(t), 0);
  SetCell(X, Y, 0, t->cellCode);
  SetCell(X - 1, Y, 0, t->cellCode);
  PlaceOverTrainSwitch = 1;
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 0), PLACE_DONE);
  EXPECT_EQ(GetCell(X, Y, 0), t->cellCode);  // the train stays in the grid
  EXPECT_EQ(GetTrainCellCode(X, Y, 0, (uint16_t)t->cellCode), 10);
  EXPECT_EQ(GetTrainCellCode(X - 1, Y, 0, (uint16_t)t->cellCode), 9);
  EXPECT_TRUE(IsNetModified());
  // the empty slot takes the track from under the train, not the train
  PlaceSymbolAt(X - 1, Y, 0, CELL_EMPTY, 0);
  EXPECT_EQ(GetCell(X - 1, Y, 0), t->cellCode);
  EXPECT_EQ(GetTrainCellCode(X - 1, Y, 0, (uint16_t)t->cellCode), CELL_EMPTY);
}

TEST_F(PlaceFixture, ANewBlockIsMadeOnlyForAPlacementThatHappens) {
  EXPECT_TRUE(IsGridEmpty());
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, CELL_EMPTY, 0), PLACE_DONE);
  EXPECT_TRUE(IsGridEmpty());
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 0), PLACE_DONE);
  EXPECT_FALSE(IsGridEmpty());
  // clearing the last cell keeps the grid's used area right
  PlaceSymbolAt(X, Y, 0, CELL_EMPTY, 0);
  int x0, y0, l0, x1, y1, l1;
  EXPECT_EQ(GetUsedArea(&x0, &y0, &l0, &x1, &y1, &l1, 0), 1);
}

TEST_F(PlaceFixture, NoMemoryForTheBlockRefusesBeforeAnythingChanges) {
  SetGlobalAllocFault(1);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 10, 1), PLACE_REFUSED);
  SetGlobalAllocFault(0);
  EXPECT_EQ(Message(0), 509);
  EXPECT_TRUE(IsGridEmpty());
  EXPECT_FALSE(IsNetModified());
  EXPECT_EQ(s->cursorX, X);
  // a level change whose partner cell below has no block: the placement itself goes on
  SetGlobalAllocFault(2);
  EXPECT_EQ(PlaceSymbolAt(X, Y, 0, 216, 0), PLACE_DONE);
  SetGlobalAllocFault(0);
  EXPECT_EQ(GetCell(X, Y, 0), 216);
}

TEST(PlacementAdvance, DirectionsOfTheListsWithAndWithoutTheReverseOption) {
  struct Case {
    uint32_t code, plain, reversed;
  } cases[] = {
      {1, 4, 8},          {8, 4, 2},     {24, 4, 10}, {27, 4, 9},         {52, 4, 8},
      {137, 4, 8},        {2, 5, 10},    {26, 5, 8},  {28, 5, 2},         {138, 5, 10},
      {3, 9, 6},          {29, 9, 2},    {139, 9, 6}, {9, 8, 2},          {49411, 8, 4},
      {25, 6, 8},         {55055, 6, 2}, {0, 1, 2},   {0x0200 | 1, 4, 8}, {49408 + 256 + 3, 8, 4},
      {CELL_EMPTY, 1, 2},
  };
  // the long lists of the symbol set, by their telling members
  static const uint16_t down[] = {1, 8, 24, 27, 52, 53, 54, 55, 137, 65535};
  static const uint16_t diagonalDown[] = {2, 26, 28, 138, 65535};
  static const uint16_t diagonalUp[] = {3, 29, 139, 65535};
  const uint16_t* saved[3] = {PlacementAdvanceLists[0], PlacementAdvanceLists[1],
                              PlacementAdvanceLists[2]};
  PlacementAdvanceLists[0] = down;
  PlacementAdvanceLists[1] = diagonalDown;
  PlacementAdvanceLists[2] = diagonalUp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    SetReverseAdvance(0);
    EXPECT_EQ(GetPlacementAdvance(c.code), c.plain);
    SetReverseAdvance(1);
    EXPECT_EQ(GetPlacementAdvance(c.code), c.reversed);
  }
  SetReverseAdvance(0);
  for (int i = 0; i < 3; i++) PlacementAdvanceLists[i] = saved[i];
}

TEST(PlacementAdvance, TheSymbolSetsListsRunAsTheirSymbols) {
  const uint16_t* saved[3] = {PlacementAdvanceLists[0], PlacementAdvanceLists[1],
                              PlacementAdvanceLists[2]};
  PlacementAdvanceLists[0] = kAdvanceDownList;
  PlacementAdvanceLists[1] = kAdvanceDiagonalDownList;
  PlacementAdvanceLists[2] = kAdvanceDiagonalUpList;
  SetReverseAdvance(0);
  const uint32_t down[] = {1, 8, 24, 27, 52, 55, 137}, diagonalDown[] = {2, 26, 28, 138},
                 diagonalUp[] = {3, 29, 139};
  for (uint32_t c : down) EXPECT_EQ(GetPlacementAdvance(c), 4u) << c;
  for (uint32_t c : diagonalDown) EXPECT_EQ(GetPlacementAdvance(c), 5u) << c;
  for (uint32_t c : diagonalUp) EXPECT_EQ(GetPlacementAdvance(c), 9u) << c;
  EXPECT_EQ(GetPlacementAdvance(0), 1u);
  for (int i = 0; i < 3; i++) PlacementAdvanceLists[i] = saved[i];
}
