// Files of every older version the readers know, made by the independent generator: the general
// section's fields and the grid's cells arrive in today's form.
#include <gtest/gtest.h>
#include <string>
#include "app/editwnd.h"
#include "core/langtext.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/grid_section.h"
#include "model/netfile.h"
#include "netfile_test_util.h"

static const int Versions[] = {13312, 13568, 13569, 13572, 13573, 13574, 13575, 13576, 13577,
                               14160, 14162, 14164, 14165, 14166, 14167, 14170, 14171, 14337,
                               14338, 14343, 14344, 14346, 14369, 14384, 14388, 14389, 14390,
                               14393, 14395, 14396, 14397, 14399, 14400};

static std::u16string Text(int block) {
  static char16_t text[TEXT_BLOCK_LONG + 1];
  GetTextBlock(block, text);
  return text;
}

static void CheckVersion(int v) {
  SCOPED_TRACE(v);
  NetTestSetUp();
  EditViews.slot[0].cellsWide = 100;
  EditViews.slot[0].cellsHigh = 50;
  std::string name = "v" + std::to_string(v) + ".nt3";
  ASSERT_EQ(LoadFixture(name.c_str()), 0);
  EXPECT_EQ(GetLoadedVersion(), v);
  const DocumentState& d = DocState;
  const EditViewSlot& w = EditViews.slot[0];
  int levels = v >= 14396;
  EXPECT_EQ(w.originX, 100);
  EXPECT_EQ(w.originY, 200);
  EXPECT_EQ(w.cursorX, 150);
  EXPECT_EQ(w.cursorY, 220);
  EXPECT_EQ(w.cursorLevel, levels ? -1 : 0);
  if (v >= 14338) {
    EXPECT_EQ(d.saved[0].x, 10);
    EXPECT_EQ(d.saved[0].level, levels ? -1 : 0);
    EXPECT_EQ(d.saved[0].alarm, 0x7F0C1E00u);
    EXPECT_EQ(std::u16string(d.saved[0].name), u"Alpha");
    EXPECT_EQ(std::u16string(d.saved[2].name), u"B");
    EXPECT_EQ(d.saved[2].alarm, 0u);
    EXPECT_EQ(d.saved[3].x, 16384);
  } else {
    EXPECT_EQ(d.saved[9].x, 19);
    EXPECT_EQ(d.saved[9].y, 20);
    EXPECT_EQ(d.saved[10].x, 16384);
  }
  EXPECT_EQ(d.homeX, v >= 13574 ? 300 : 1024);
  EXPECT_EQ(d.homeLevel, levels ? -1 : 0);
  EXPECT_EQ(d.markX2, v >= 13576 ? 20 : 16384);
  EXPECT_EQ(d.markLevel, levels ? -1 : 0);
  EXPECT_EQ(d.constructionX, v >= 14344 ? 500 : 10);
  EXPECT_EQ(d.speedLevel, 7);
  EXPECT_EQ(d.weekday, 3);
  EXPECT_EQ(d.hour, 13);
  EXPECT_EQ(d.minute, 45);
  EXPECT_EQ(d.second, 30);
  EXPECT_EQ(d.tick, 10);
  EXPECT_EQ(d.minuteCount, v >= 14162 ? 12345u : 0u);
  EXPECT_EQ(d.stopHour, v >= 13576 ? 18 : 255);
  EXPECT_EQ(d.stopWeekday, v >= 14389 ? 2 : 0);
  EXPECT_EQ(d.stopRepeat, v >= 14337 ? 3u : 0u);
  EXPECT_EQ(d.blockMarkMode, 6);
  EXPECT_EQ(d.weekdayFixed, 1);
  EXPECT_EQ(d.fixedSeed, v >= 14384 ? 4242 : -1);
  EXPECT_EQ(d.scale, 32u);
  EXPECT_EQ(d.params[0], v >= 13569 ? 1u : 0u);
  EXPECT_EQ(d.params[5], v >= 13569 ? 6u : 16u);
  EXPECT_EQ(d.simulationSwitch, v >= 13574 ? 1 : 0);
  EXPECT_EQ(d.dayTimes[0], v >= 13577 ? 0x0800 : 0x0700);
  EXPECT_EQ(std::u16string(d.symbolFiles[0]), v >= 13573 ? u"a.uzg" : u"");
  EXPECT_EQ(std::u16string(d.symbolFiles[3]), v >= 13573 ? u"b.uzg" : u"");
  EXPECT_EQ(std::u16string(d.vehicleFiles[0]), v >= 13573 ? u"v.nfz" : u"");
  EXPECT_EQ(Text(0), u"Hello");
  EXPECT_EQ(Text(1), u"World");
  EXPECT_EQ(Text(2), u"Info text");
  // grid, converted to today's numbering; train codes and codes from 0xFC20 on are dropped, and
  // only the codes from 0xFC20 on count as repairs (the train records put the train cells back)
  if (v < 13573) {
    EXPECT_EQ(GetCell(1, 2, 0), 0x0030);
    EXPECT_EQ(GetCell(70, 5, 0), 0x1230);
    EXPECT_EQ(GetCell(9, 9, 0), CELL_EMPTY);
    EXPECT_EQ(GetGridDroppedCodeCount(), 0);
    EXPECT_EQ(GetLoadRepairs(nullptr, nullptr, nullptr), 0);
  } else {
    EXPECT_EQ(GetCell(1, 2, 0), 0x0201);
    EXPECT_EQ(GetCell(70, 5, 0), v < 14389 ? 0x008A : 0x00D2);
    EXPECT_EQ(GetCell(5, 6, 0), (v >= 14346 && v < 14399) ? 0x018A : 0x0122);
    EXPECT_EQ(GetCell(7, 8, 0), 0xE002);
    EXPECT_EQ(GetCell(9, 9, 0), CELL_EMPTY);
    EXPECT_EQ(GetCell(10, 9, 0), CELL_EMPTY);
    EXPECT_EQ(GetGridDroppedCodeCount(), v < 13577 ? 0 : 1);  // 0xFC20 is a text cell there
    EXPECT_EQ(GetLoadRepairs(nullptr, nullptr, nullptr), v < 13577 ? 0 : 1);
    EXPECT_EQ(GetCell(65, 1, -1), levels ? 0x0201 : CELL_EMPTY);
  }
  // text labels of files below 13577 stood in the grid as 0xF000-0xFFFF: kept apart
  int textCells = 0;
  const LegacyTextCell* cells = GetLegacyTextCells(&textCells);
  if (v < 13577) {
    EXPECT_EQ(GetCell(11, 9, 0), CELL_EMPTY);
    ASSERT_EQ(textCells, v < 13573 ? 1 : 2);
    cells += textCells - 1;  // the last one (0xFC20 at (10, 9) comes first in block files)
    EXPECT_EQ(cells[0].x, 11);
    EXPECT_EQ(cells[0].y, 9);
    EXPECT_EQ(cells[0].code, 0xF123);
  } else {
    EXPECT_EQ(GetCell(11, 9, 0), 0xF123);
    EXPECT_EQ(textCells, 0);
  }
  NetTestTearDown();
}

TEST(NetFileVersions, EveryThresholdLoads) {
  for (int v : Versions) CheckVersion(v);
}

TEST(NetFileVersions, OldFileSavedAgainIsCurrentVersion) {
  NetTestSetUp();
  ASSERT_EQ(LoadFixture("v14162.nt3"), 0);
  ASSERT_EQ(SaveAs("from14162.nt3"), 0);
  NetTestSetUp();
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"from14162.nt3"), 0);
  EXPECT_EQ(GetLoadedVersion(), 14400);
  EXPECT_EQ(GetCell(70, 5, 0), 0x008A);
  EXPECT_EQ(DocState.minuteCount, 12345u);
  NetTestTearDown();
}
