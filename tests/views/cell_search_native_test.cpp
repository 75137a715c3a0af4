// The searches from a cell: where the text search starts, the symbol search's reading order over
// the used area (cells, then levels from the top) without wrapping past the box, its comparison
// rules (symbol numbers only, mirror bit, level-change families, signal aspects, the element's
// state), and the configured form of each element kind.
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/signal_symbols.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/cell_search.h"
#include "views/view_services.h"

namespace {
struct SearchFixture : ::testing::Test {
  uint32_t codes[10] = {9,          CELL_EMPTY, CELL_EMPTY, CELL_EMPTY, CELL_EMPTY,
                        CELL_EMPTY, CELL_EMPTY, CELL_EMPTY, CELL_EMPTY, CELL_EMPTY};
  void SetUp() override {
    ASSERT_EQ(InitGrid(), 0);
    ClearGrid();
    ClearSwitches();
    ResetTrains();
    SetSwitchSymbolForm(0);
  }
  void TearDown() override {
    ResetTrains();
    ClearSwitches();
    ClearGrid();
    SetSwitchSymbolForm(0);
  }
  void Put(int x, int y, int level, uint32_t code) {
    ASSERT_EQ(SetCell(x, y, level, code), 1);
    UpdateUsedArea(GRID_AREA_WIDEN, x, y, level);
  }
  // The next hit after (x, y, level) as "x,y,level", or "none".
  std::string Next(int x, int y, int level, uint32_t options = 1) {
    if (!FindSymbolFromCell(&x, &y, &level, options, codes)) return "none";
    return std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(level);
  }
};
}  // namespace

TEST(TextSearch, StartsOneLevelBelowAndMovesOnByCellAndRow) {
  struct Case {
    int x, y, level, ok, wx, wy, wl;
  } cases[] = {
      {5, 5, 0, 1, 5, 5, -1},     {5, 5, -4, 1, 6, 5, 0},
      {32767, 5, -4, 1, 0, 6, 0}, {32767, 32767, -4, 0, 32767, 32767, -4},
      {-1, 0, 0, 1, -1, 0, -1},   {32767, 32767, -3, 1, 32767, 32767, -4},
  };
  for (const Case& c : cases) {
    int x = c.x, y = c.y, l = c.level;
    EXPECT_EQ(NextTextSearchStart(&x, &y, &l), c.ok) << c.x << "," << c.y << "," << c.level;
    EXPECT_EQ(std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(l),
              std::to_string(c.wx) + "," + std::to_string(c.wy) + "," + std::to_string(c.wl));
  }
  ClearGrid();
  int x = -1, y = 0, l = 0;
  EXPECT_EQ(SearchFromCell(&x, &y, &l, 1, u"abc"), 0);  // an empty grid: nothing
}

TEST_F(SearchFixture, ReadingOrderWithinTheUsedAreaAndNoWrapBeyondIt) {
  EXPECT_EQ(Next(-1, 0, 0), "none");  // empty grid
  Put(10, 5, 0, 9);
  Put(3, 7, -2, 9);
  Put(20, 5, -1, 9);
  Put(12, 6, 0, 10);                          // another symbol
  EXPECT_EQ(Next(-1, 0, 0, 0xE000), "none");  // no slot bit
  EXPECT_EQ(Next(-1, 0, 0), "10,5,0");
  EXPECT_EQ(Next(10, 5, 0), "20,5,-1");
  EXPECT_EQ(Next(20, 5, -1), "3,7,-2");  // from the box's right edge to the next row
  EXPECT_EQ(Next(3, 7, -2), "none");     // the box's end: no wrap to its start
  // the same cell's lower levels come first, then the next cell from its top level
  Put(10, 5, -2, 9);
  Put(11, 5, 0, 9);
  EXPECT_EQ(Next(10, 5, 0), "10,5,-2");
  EXPECT_EQ(Next(10, 5, -2), "11,5,0");
  codes[0] = 10;
  codes[3] = 9;
  EXPECT_EQ(Next(11, 5, 0, 1), "12,6,0");  // only enabled slots count
  EXPECT_EQ(Next(11, 5, 0, 1 | 8), "20,5,-1");
}

TEST_F(SearchFixture, ComparisonRules) {
  struct Case {
    uint32_t cell, palette, options;
    int found;
  } cases[] = {
      {1024 + 9, 9, 1, 0},
      {1024 + 9, 9, 1 | 0x8000, 1},  // symbol numbers only
      {49408 + 256 + 5, 49408 + 5, 1 | 0x8000, 1},
      {49408 + 256 + 5, 49408 + 5, 1, 0},
      {50433, 50432, 1 | 0x4000, 1},  // the mirror bit
      {50433, 50432, 1, 0},
      {216 + 3, 240 + 3, 1, 1},  // level changes by their family
      {216 + 3, 240 + 3, 1 | 0x2000, 0},
      {216 + 3, 240 + 2, 1, 0},
      {209, 210, 1, 1},
      {440, 448, 1, 1},  // a main signal of either aspect
      {448, 448, 1, 1},
      {440, 440, 1, 0},
      {400, 408, 1, 1},  // combined signals: all three aspects
      {416, 408, 1, 1},
      {9 | CELL_MARK_BIT, 9, 1, 1},  // the reservation mark does not count
  };
  for (const Case& c : cases) {
    ClearGrid();
    Put(100, 100, 0, c.cell);
    codes[0] = c.palette;
    EXPECT_EQ(Next(-1, 0, 0, c.options) != "none", c.found != 0)
        << c.cell << " " << c.palette << " " << c.options;
  }
}

TEST_F(SearchFixture, TrainCellsAndElementStates) {
  // the symbol under a train is found
  TrainRecord* t = AllocTrainRecord(1, 1);
  ASSERT_NE(t, nullptr);
  t->line = 1;
  t->subNumber = 1;
  TrainPositions(t)[0].x = 50;
  TrainPositions(t)[0].y = 60;
  TrainPositions(t)[0].level = 0;
  TrainPositions(t)[0].codeUnder = 9;
  ASSERT_EQ(InsertTrain(t), 0);
  Put(50, 60, 0, t->cellCode);
  EXPECT_EQ(Next(-1, 0, 0), "50,60,0");
  // with the state test a switch must show the configured form
  ResetTrains();
  ClearGrid();
  const uint32_t dirs[4] = {8, 4, 16, 0};
  Put(70, 80, 0, 48);
  ASSERT_EQ(PlaceSwitch(70, 80, 0, 0, SWITCH_PLAIN, 1, dirs, 1), 0);
  codes[0] = 48;
  ASSERT_EQ(SetSwitchSymbolForm(1), 0);
  EXPECT_EQ(Next(-1, 0, 0, 1 | 0x2000), "70,80,0");
  ASSERT_EQ(SetSwitchSymbolForm(2), 0);
  EXPECT_EQ(Next(-1, 0, 0, 1 | 0x2000), "none");
  EXPECT_EQ(Next(-1, 0, 0, 1), "70,80,0");
}

TEST(ConfiguredForm, EachKindsRememberedFormWithinItsRange) {
  ASSERT_EQ(SetStopDefault(5), 0);
  ASSERT_EQ(SetTpSymbolForm(2), 0);
  ASSERT_EQ(SetSwitchSymbolForm(2), 0);
  ASSERT_EQ(SetSignalSymbolFormHSig(30), 0);
  struct Case {
    uint32_t code, form;
  } cases[] = {
      {264, 5},           // stop
      {152 + 0x1800, 2},  // TP on the narrow band (0..2)
      {48, 2},            // switch
      {80, 0},            // a switch symbol showing only state 0
      {440, 30},          // main signal
      {7168 + 440, 6},    // main signal on the narrow band: forms 6..11
      {9, 0},             // plain track
      {CELL_EMPTY, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(GetConfiguredSymbolForm(c.code), c.form) << c.code;
  // the setters refuse values outside their kinds' forms and keep the old one
  EXPECT_EQ(SetSwitchSymbolForm(3), 1);
  EXPECT_EQ(GetSwitchSymbolForm(), 2);
  EXPECT_EQ(SetTpSymbolForm(-1), 1);
  EXPECT_EQ(SetSignalSymbolFormKSig(48), 1);
  EXPECT_EQ(SetSignalSymbolFormKSig(47), 0);
  EXPECT_EQ(SetSignalSymbolFormSK(12), 1);
  SetStopDefault(0);
  SetTpSymbolForm(0);
  SetSwitchSymbolForm(0);
  SetSignalSymbolFormHSig(0);
  SetSignalSymbolFormKSig(0);
}

TEST(SignalLamps, AspectGroupsAsLampCounts) {
  const uint32_t codes[][2] = {{440, 3}, {448, 2}, {424, 3}, {432, 4}, {400, 3}, {408, 4},
                               {416, 2}, {456, 3}, {464, 2}, {392, 0}, {9, 0},   {16384 + 440, 0}};
  for (auto& c : codes) EXPECT_EQ(GetSignalLampCount(c[0]), (int)c[1]) << c[0];
}
