// The demonstration network: the loop's cells, the control records of its switches, the depot
// named by the language texts and leaving onto the loop, the used area; and texts that cannot
// name the depot and its line, which leave the loop without them.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "elements/demo_layout.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/switch_control.h"

namespace {
std::u16string Widen(const std::string& s) { return std::u16string(s.begin(), s.end()); }

struct DemoLayout : ::testing::Test {
  std::string dir;
  char16_t savedFolder[STREAM_PATH_CHARS];
  void SetUp() override {
    ASSERT_EQ(StreamInit(), 0);
    GetKindFolder(FILE_KIND_PROGRAM, savedFolder);
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/demo_layout_test_files";
    std::filesystem::create_directories(dir);
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    InitDepots();
    ClearSwitches();
    ASSERT_EQ(InitLanguage(), 0);
  }
  void TearDown() override {
    ExitLanguage();
    FreeDepots();
    ClearSwitches();
    ExitGrid();
    SetKindFolder(FILE_KIND_PROGRAM, savedFolder);
  }
  // Loads a language file of the program from the data folder.
  void LoadProgramLanguage(const char16_t* name) {
    ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, Widen(QUIL_TEST_DATA_DIR).c_str()), 0);
    ASSERT_EQ(LoadLanguageFile(name, 1), LANG_OK);
  }
  // A language file holding only texts 1380 and 1381 (an empty one is left out: missing).
  void LoadNames(const std::u16string& name, const std::u16string& shortName) {
    std::u16string text;
    if (!name.empty()) text += u"1380\r\n" + name + u"\r\n";
    if (!shortName.empty()) text += u"1381\r\n" + shortName + u"\r\n";
    text += u".\r\n";
    std::string bytes("\xFF\xFE", 2);
    for (char16_t c : text) {
      bytes += (char)(c & 0xFF);
      bytes += (char)(c >> 8);
    }
    FILE* f = std::fopen((dir + "/names.lng").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, Widen(dir).c_str()), 0);
    ASSERT_EQ(LoadLanguageFile(u"names.lng", 1), LANG_OK);
  }
};

// The loop and its fittings, whatever the texts.
void ExpectLoop() {
  for (int y = 16377; y <= 16390; y++) {
    if (y != 16382 && y != 16389 && y != 16387) {
      EXPECT_EQ(GetCell(16380, y, 0), 1) << y;
    }
    if (y != 16379 && y != 16380 && y != 16381) {
      EXPECT_EQ(GetCell(16389, y, 0), 1) << y;
    }
  }
  for (int x = 16382; x <= 16387; x++) {
    if (x != 16383) {
      EXPECT_EQ(GetCell(x, 16375, 0), 0) << x;
    }
    if (x != 16386) {
      EXPECT_EQ(GetCell(x, 16392, 0), 0) << x;
    }
  }
  const struct {
    int x, y;
    uint32_t code;
  } cells[] = {
      {16381, 16375, 543},   {16380, 16376, 539},   {16388, 16375, 540},   {16389, 16376, 536},
      {16380, 16391, 538},   {16381, 16392, 542},   {16389, 16391, 537},   {16388, 16392, 541},
      {16389, 16379, 264},   {16383, 16375, 266},   {16386, 16392, 267},   {16380, 16387, 265},
      {16389, 16380, 160},   {16389, 16381, 160},   {16379, 16383, 539},   {16379, 16384, 1},
      {16379, 16385, 137},   {16379, 16386, 137},   {16379, 16387, 137},   {16379, 16388, 538},
      {16380, 16382, 54},    {16380, 16389, 53},    {16384, 16380, 51210}, {16387, 16388, 51212},
      {16388, 16388, 51216}, {16385, 16382, 51222}, {16383, 16389, 54020}, {16386, 16383, 53760},
  };
  for (auto& c : cells) EXPECT_EQ(GetCell(c.x, c.y, 0), c.code) << c.x << "," << c.y;
  // Both switches have their control records, with distinct ids.
  SwitchControl* a = FindSwitchRecord(16380, 16382, 0, -1);
  SwitchControl* b = FindSwitchRecord(16380, 16389, 0, -1);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(b, nullptr);
  EXPECT_NE(a->id, b->id);
  uint32_t dirs[4];
  GetSwitchConnections(54, dirs);
  EXPECT_EQ(a->entry, dirs[0]);
  int x0, y0, l0, x1, y1, l1;
  GetUsedArea(&x0, &y0, &l0, &x1, &y1, &l1, 0);
  EXPECT_EQ(x0, 16379);
  EXPECT_EQ(y0, 16375);
  EXPECT_EQ(x1, 16389);
  EXPECT_EQ(y1, 16392);
  EXPECT_EQ(l0, 0);
  EXPECT_EQ(l1, 0);
}
}  // namespace

TEST_F(DemoLayout, LoopAndDepotInBothLanguages) {
  const struct {
    const char16_t *file, *name, *shortName;
  } languages[] = {{u"quil.lng", u"Loop", u"Lp"}, {u"quil_de.lng", u"Ring", u"Rg"}};
  for (auto& l : languages) {
    SCOPED_TRACE(std::string(l.file, l.file + StringLength(l.file)));
    ClearGrid();
    FreeDepots();
    ClearSwitches();
    LoadProgramLanguage(l.file);
    int id = DrawStartLayout();
    ASSERT_GT(id, 0);
    ExpectLoop();
    int slot;
    EXPECT_EQ(FindDepotAt(DEMO_DEPOT_X, DEMO_DEPOT_Y, 0, &slot), id);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(CountDepots(nullptr), 1);
    char16_t full[40], shortName[40];
    ASSERT_EQ(FormatDepotName(id, 0, full, shortName), 0);
    EXPECT_EQ(std::u16string(full), l.name);
    EXPECT_EQ(std::u16string(shortName), l.shortName);
    // A new slot has no direction; the demonstration's leaves up the spur onto the loop.
    uint32_t direction;
    ASSERT_EQ(GetDepotSlot(id, 1, nullptr, nullptr, nullptr, &direction, nullptr, nullptr, nullptr),
              0);
    EXPECT_EQ(direction, 1u);
  }
}

TEST_F(DemoLayout, TextsThatCannotNameTheDepotLeaveTheLoopWithoutIt) {
  const struct {
    std::u16string name, shortName;
    bool depot;
  } cases[] = {
      {u"Loop", u"Lp", true},       {u"Abcdefgh", u"Abcd", true}, {u"", u"Lp", false},
      {u"Abcdefghi", u"Lp", false},  // names the line: 8 at most
      {u"Lo op", u"Lp", false},     {u"Lo,op", u"Lp", false},     {u"Lo:op", u"Lp", false},
      {u"Lo+op", u"Lp", false},     {u" Loop", u"Lp", false},     {u"Loop", u"Abcde", false},
      {u"Loop", u"L p", false},     {u"Loop", u"", false},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(std::string(c.name.begin(), c.name.end()) + "/" +
                 std::string(c.shortName.begin(), c.shortName.end()));
    ClearGrid();
    FreeDepots();
    ClearSwitches();
    LoadNames(c.name, c.shortName);
    int id = DrawStartLayout();
    ExpectLoop();
    EXPECT_EQ(id > 0, c.depot);
    EXPECT_EQ(CountDepots(nullptr), c.depot ? 1 : 0);
  }
  // Without any language file the texts are missing: the loop alone.
  ExitLanguage();
  ASSERT_EQ(InitLanguage(), 0);
  ClearGrid();
  FreeDepots();
  ClearSwitches();
  EXPECT_EQ(DrawStartLayout(), 0);
  ExpectLoop();
  EXPECT_EQ(CreateStartTrain(), 1);
}
