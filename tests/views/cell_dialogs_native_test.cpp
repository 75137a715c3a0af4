// The dialogs of a cell at the cursor through the native dialog seam, answered by the test: the
// reservation of a marked cell, the track, level-change and empty-cell variants (written back
// with the reservation mark kept, or under a train into the train's record), a user symbol's
// fields, and the plain cell information with its message number and text.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/dialog_ctl.h"
#include "app/dialog_seam.h"
#include "app/editwnd.h"
#include "core/langtext.h"
#include "core/msgbox_seam.h"
#include "core/platform_native.h"
#include "elements/element_services.h"
#include "edit_window_fixture.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"
#include "views/cell_dialogs.h"
#include "views/view_services.h"

namespace {
constexpr int X = 3000, Y = 700;

// What the user sees and does in each dialog shown.
struct Step {
  std::vector<uint32_t> clicks;                            // check boxes and radio buttons
  int barSteps = 0;                                        // picture bar: lines down
  std::vector<std::pair<uint32_t, std::u16string>> typed;  // fields, each followed by EN_CHANGE
  uint32_t press = 0;                                      // 0: Cancel
};
struct Seen {
  uint32_t templateId;
  std::u16string title, text, text2, fileName, number, file, inFile;
  int mirrored = -1;
  int barPos = -1, barHigh = -1;
  std::u16string infoButton;
};
struct Script {
  std::vector<Step> steps;
  std::vector<Seen> seen;
};

std::u16string Str(const char16_t* t) { return t ? t : u""; }

void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Script* s = (Script*)context;
  Seen v;
  v.templateId = templateId;
  v.title = Str(DialogSeamTitle(dlg));
  v.text = Str(DialogSeamText(dlg, CELLDLG_TEXT));
  v.text2 = Str(DialogSeamText(dlg, CELLDLG_TEXT2));
  v.infoButton = Str(DialogSeamText(dlg, CELLDLG_INFO_BUTTON));
  Step step;
  if (s->seen.size() < s->steps.size()) step = s->steps[s->seen.size()];
  int lo = 0;
  DialogSeamScroll(dlg, CELLDLG_CHOICE_BAR, &lo, &v.barHigh, &v.barPos);
  for (uint32_t id : step.clicks) {
    DialogSeamClick(dlg, id);
    DialogSeamSend(dlg, DLGMSG_COMMAND, id, (intptr_t)DialogSeamControlWindow(dlg, id));
  }
  for (int i = 0; i < step.barSteps; i++)
    DialogSeamSend(dlg, DLGMSG_VSCROLL, SB_CODE_LINEDOWN,
                   (intptr_t)DialogSeamControlWindow(dlg, CELLDLG_CHOICE_BAR));
  for (auto& t : step.typed) {
    DialogSeamType(dlg, t.first, t.second.c_str());
    DialogSeamSend(dlg, DLGMSG_COMMAND, t.first | (0x0300u << 16),
                   (intptr_t)DialogSeamControlWindow(dlg, t.first));
  }
  v.fileName = Str(DialogSeamText(dlg, CELLDLG_FILE_NAME));
  v.number = Str(DialogSeamText(dlg, CELLDLG_NUMBER));
  v.file = Str(DialogSeamText(dlg, CELLDLG_FILE));
  v.inFile = Str(DialogSeamText(dlg, CELLDLG_IN_FILE));
  v.mirrored = DialogSeamChecked(dlg, CELLDLG_MIRRORED);
  s->seen.push_back(v);
  if (step.press) DialogSeamPress(dlg, step.press);
}

std::u16string Lang(uint32_t id) { return GetLangText(id); }

struct CellDialogs : ::testing::Test {
  EditViewSlot* s = nullptr;
  Script script;
  void SetUp() override {
    ASSERT_NE(s = StartEditWindowFixture(), nullptr);
    s->cursorX = X;
    s->cursorY = Y;
    s->cursorLevel = 0;
    DialogSeamReset();
    DialogSeamSetUser(User, &script);
    MsgSeamReset();
    ClearNetModified();
    SetClassBVariant(0);
  }
  void TearDown() override {
    DialogSeamReset();
    MsgSeamReset();
    EndEditWindowFixture();
    SetClassBVariant(0);
  }
  void Answer(std::vector<Step> steps) {
    script.steps = steps;
    script.seen.clear();
  }
  TrainRecord* TrainOn(uint32_t codeUnder) {
    TrainRecord* t = AllocTrainRecord(1, 1);
    t->line = 1;
    t->subNumber = 1;
    TrainPosition* p = TrainPositions(t);
    p[0].x = X;
    p[0].y = Y;
    p[0].level = 0;
    p[0].codeUnder = (uint16_t)codeUnder;
    EXPECT_EQ(InsertTrain(t), 0);
    SetCell(X, Y, 0, t->cellCode);
    return t;
  }
};
}  // namespace

TEST(CellVariants, TrackVariantsOfEachForm) {
  struct Case {
    uint32_t code;
    std::vector<uint32_t> want;
  } cases[] = {
      {0, {0, 162, 163, 256}},
      {1, {1, 160, 161, 257, 260, 261, 262, 263}},
      {2, {2, 164, 165, 258}},
      {3, {3, 166, 167, 259}},
      {161, {1, 160, 161, 257, 260, 261, 262, 263}},
      {163, {0, 162, 163, 256}},
      {258, {2, 164, 165, 258}},
      {262, {1, 160, 161, 257, 260, 261, 262, 263}},
      {1024 + 1, {1025, 1184, 1185, 1281, 1284, 1285, 1286, 1287}},
      {6144 + 1, {6145, 6304, 6305}},  // kinds without the fourth form
      {12800 + 2, {12802, 12964, 12965}},
      {8192 + 3, {8195, 8358, 8359, 8451}},
      {26, {26, 498, 506}},
      {1024 + 509, {1024 + 29, 1024 + 501, 1024 + 509}},
      {5, {}},
      {40, {}},
      {16384, {}},
  };
  for (const Case& c : cases) {
    uint32_t got[8];
    int n = GetTrackVariants(c.code, got);
    EXPECT_EQ(std::vector<uint32_t>(got, got + n), c.want) << c.code;
  }
}

TEST(CellVariants, LevelChangeVariantsKeepTheDirection) {
  uint32_t got[8];
  int n = GetClassBVariants(216 + 3, got);
  EXPECT_EQ(std::vector<uint32_t>(got, got + n), (std::vector<uint32_t>{219, 227, 235, 243, 251}));
  n = GetClassBVariants(1024 + 224, got);
  EXPECT_EQ(std::vector<uint32_t>(got, got + n),
            (std::vector<uint32_t>{1240, 1248, 1256, 1264, 1272, 1232, 1233, 1234}));
  n = GetClassBVariants(209, got);  // class 2: the same eight on its base
  EXPECT_EQ(std::vector<uint32_t>(got, got + n),
            (std::vector<uint32_t>{216, 224, 232, 240, 248, 208, 209, 210}));
  EXPECT_EQ(GetClassBVariants(100, got), 0);
}

TEST_F(CellDialogs, AMarkedCellShowsItsReservationAndReleasesIt) {
  SetCell(X, Y, 0, 9 | CELL_MARK_BIT);
  Answer({Step{{}, 0, {}, DLGID_OK}});
  EditElementAtCursor(1);
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_RESERVATION);
  EXPECT_EQ(script.seen[0].title, Lang(8020) + u" " + Lang(8040) + u"532");
  EXPECT_EQ(script.seen[0].text, Lang(2325) + u" " + Lang(2326));
  EXPECT_EQ(GetCell(X, Y, 0), 9 | CELL_MARK_BIT);
  EXPECT_FALSE(IsNetModified());
  // Release: without a train the mark goes
  Answer({Step{{}, 0, {}, CELLDLG_RELEASE}});
  EditElementAtCursor(1);
  EXPECT_EQ(GetCell(X, Y, 0), 9u);
  EXPECT_TRUE(IsNetModified());
  // Without bit 0 a marked switch cell refuses its editor (message 534), no reservation dialog
  SetCell(X, Y, 0, 48 | CELL_MARK_BIT);
  Answer({});
  EditElementAtCursor(2);
  EXPECT_TRUE(script.seen.empty());
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(MsgSeamCall(0)->helpTopic, 50000u + 534);
}

// A cell reserved ahead of a train names the train (its line, sub-number and second line); OK
// keeps the reservation, the release button frees every cell the train reserved and the train
// runs without its reservation.
TEST_F(CellDialogs, AReservedCellNamesItsTrainAndReleasesIt) {
  for (int x = X - 10; x <= X + 10; x++) SetCell(x, Y, 0, 0);  // a straight way west-east
  SetCell(X - 2, Y, 0, 32);                                    // a crossing: reserved from here
  TrainRecord* t = AllocTrainRecord(2, 1);
  t->line = 7, t->secondLine = 3, t->subNumber = 12;
  t->wayKinds = 1, t->dx = 1;
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < 2; i++) {
    p[i].x = (uint32_t)(X - 3 - i), p[i].y = Y, p[i].level = 0;
    p[i].cell = GetCellAddress(X - 3 - i, Y, 0);
    p[i].codeUnder = 0;
  }
  ASSERT_EQ(InsertTrain(t), 0);
  for (int i = 0; i < 2; i++) *p[i].cell = t->cellCode;
  ASSERT_EQ(ReserveAhead(t, 1), 1);
  ASSERT_TRUE(t->flags & TRAIN_RESERVING);
  ASSERT_EQ(GetCell(X, Y, 0), 0 | CELL_MARK_BIT);  // the cursor's cell is the third reserved
  char16_t line[64], second[64];
  GetLineName(7, line, 0);
  GetLineName(3, second, 0);
  const std::u16string named = Lang(2325) + u" " + Lang(2327) + u" \"" + line + u"\"/12. " +
                               Lang(2328) + u" \"" + second + u"\"";
  Answer({Step{{}, 0, {}, DLGID_OK}});
  EditElementAtCursor(1);
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_RESERVATION);
  EXPECT_EQ(script.seen[0].text, named);
  EXPECT_TRUE(t->flags & TRAIN_RESERVING);
  EXPECT_EQ(GetCell(X, Y, 0), 0 | CELL_MARK_BIT);
  EXPECT_FALSE(IsNetModified());
  // The dialog closed by its close box is no release either.
  Answer({Step{{}, 0, {}, 0}});
  EditElementAtCursor(1);
  EXPECT_TRUE(t->flags & TRAIN_RESERVING);
  Answer({Step{{}, 0, {}, CELLDLG_RELEASE}});
  EditElementAtCursor(1);
  EXPECT_EQ(script.seen[0].text, named);
  EXPECT_FALSE(t->flags & TRAIN_RESERVING);
  EXPECT_EQ(t->reservedCells, 0);
  for (int x = X - 2; x <= X + 10; x++) EXPECT_EQ(GetCell(x, Y, 0) & CELL_MARK_BIT, 0u) << x;
  EXPECT_EQ(GetCell(X - 2, Y, 0), 32u);
  EXPECT_TRUE(IsNetModified());
  // The cell is no longer reserved: the next look is the track's own dialog.
  Answer({Step{{}, 0, {}, 0}});
  EditElementAtCursor(1);
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_TRACK);
  ResetTrains();
}

TEST_F(CellDialogs, TrackVariantIsWrittenWithTheMarkKeptOrUnderTheTrain) {
  SetCell(X, Y, 0, 1 | CELL_MARK_BIT);
  Answer({Step{{}, 2, {}, DLGID_OK}});
  EditElementAtCursor(2);  // Ctrl+double click: the reservation is no question
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_TRACK);
  EXPECT_EQ(script.seen[0].barPos, 0);
  EXPECT_EQ(script.seen[0].barHigh, 7);
  EXPECT_EQ(script.seen[0].infoButton, Lang(2201));
  EXPECT_EQ(GetCell(X, Y, 0), 161 | CELL_MARK_BIT);
  EXPECT_TRUE(IsNetModified());
  // the dialog starts on the current code; Cancel changes nothing
  ClearNetModified();
  Answer({Step{{}, 1, {}, 0}});
  EditElementAtCursor(2);
  EXPECT_EQ(script.seen[0].barPos, 2);
  EXPECT_EQ(GetCell(X, Y, 0), 161 | CELL_MARK_BIT);
  EXPECT_FALSE(IsNetModified());
  // under a train the train's record takes the variant and the train stays in the grid
  ClearGrid();
  TrainRecord* t = TrainOn(2);
  Answer({Step{{}, 1, {}, DLGID_OK}});
  EditElementAtCursor(2);
  EXPECT_EQ(GetCell(X, Y, 0), t->cellCode);
  EXPECT_EQ(GetTrainCellCode(X, Y, 0, t->cellCode), 164);
  // with bit 0 a train's cell opens the train's dialog instead
  Answer({});
  EditElementAtCursor(1);
  EXPECT_TRUE(script.seen.empty());
}

TEST_F(CellDialogs, LevelChangeVariantIsRememberedForThePalette) {
  SetCell(X, Y, 0, (216 + 3) | CELL_MARK_BIT);
  Answer({Step{{}, 2, {}, DLGID_OK}});
  EditElementAtCursor(2);
  ASSERT_EQ(script.seen.size(), 1u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_CLASS_B);
  EXPECT_EQ(script.seen[0].barHigh, 4);
  EXPECT_EQ(GetCell(X, Y, 0), (232 + 3) | CELL_MARK_BIT);
  EXPECT_EQ(GetClassBVariant(), 2);
  SetCell(X, Y, 0, 216);
  Answer({Step{{}, 6, {}, DLGID_OK}});
  EditElementAtCursor(1);
  EXPECT_EQ(GetCell(X, Y, 0), 209u);
  EXPECT_EQ(GetClassBVariant(), -2);
}

TEST_F(CellDialogs, EmptyCellVariants) {
  // an empty cell of an empty grid becomes see-through; the info-text button shows it again
  Answer({Step{{}, 0, {}, CELLDLG_INFO_BUTTON}, Step{{CELLDLG_RADIO_FIRST + 2}, 0, {}, DLGID_OK}});
  EditElementAtCursor(1);
  ASSERT_EQ(script.seen.size(), 2u);
  EXPECT_EQ(script.seen[0].templateId, CELLDLG_EMPTY);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_SEE_THROUGH_1);
  EXPECT_TRUE(IsNetModified());
  Answer({Step{{CELLDLG_RADIO_FIRST + 1}, 0, {}, 0}});
  EditElementAtCursor(1);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_SEE_THROUGH_1);
  Answer({Step{{CELLDLG_RADIO_FIRST}, 0, {}, DLGID_OK}});
  EditElementAtCursor(1);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_EMPTY);
  // no memory for a new block: error 510 and nothing written
  s->cursorX = X + 6400;
  Answer({Step{{CELLDLG_RADIO_FIRST + 1}, 0, {}, DLGID_OK}});
  SetGlobalAllocFault(1);
  EditElementAtCursor(1);
  SetGlobalAllocFault(0);
  EXPECT_EQ(GetCell(X + 6400, Y, 0), CELL_EMPTY);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(MsgSeamCall(0)->helpTopic, 50000u + 510);
}

TEST_F(CellDialogs, PlainCellInformationByKind) {
  struct Case {
    uint32_t code;
    uint32_t number, text, shown;
  } cases[] = {
      {184, 541, 2402, 184},         {0xC003, 537, 2401, CELL_EMPTY}, {40, 539, 2405, 40},
      {1024 + 280, 539, 2406, 1304}, {300, 539, 2407, 300},           {100, 539, 2403, 100},
  };
  for (const Case& c : cases) {
    SetCell(X, Y, 0, c.code);
    Answer({Step{{}, 0, {}, DLGID_OK}});
    EditElementAtCursor(1);
    ASSERT_EQ(script.seen.size(), 1u) << c.code;
    EXPECT_EQ(script.seen[0].templateId, CELLDLG_CELL_INFO);
    std::string n = std::to_string(c.number);
    EXPECT_EQ(script.seen[0].title,
              Lang(8020) + u" " + Lang(8040) + std::u16string(n.begin(), n.end()));
    EXPECT_EQ(script.seen[0].text, Lang(c.text)) << c.code;
    char hex[8];
    snprintf(hex, sizeof hex, "0x%04X", c.shown);
    std::string h = hex;
    EXPECT_EQ(script.seen[0].text2, Lang(2445) + u" " + std::u16string(h.begin(), h.end()));
    EXPECT_EQ(GetCell(X, Y, 0), c.code);
  }
}

TEST_F(CellDialogs, UserSymbolFieldsChooseAnotherSymbol) {
  const uint32_t code = CELL_USER_FIRST + 2 * 100 + 1;  // file 2, symbol 28, mirrored
  SetCell(X, Y, 0, code);
  Answer({Step{{}, 0, {{CELLDLG_FILE, u"3"}}, 0}});
  EditElementAtCursor(1);
  ASSERT_EQ(script.seen.size(), 1u);
  const Seen& v = script.seen[0];
  EXPECT_EQ(v.templateId, CELLDLG_USER_SYMBOL);
  EXPECT_EQ(v.mirrored, 1);
  // the file changed: the running number follows, the symbol in the file stays
  EXPECT_EQ(v.number, u"136");
  EXPECT_EQ(v.inFile, u"28");
  EXPECT_EQ(v.fileName, Lang(2383) + u" quil.gzg");
  EXPECT_EQ(UserSymbolDialogCode, CELL_USER_FIRST + 2 * 136 + 1);
  EXPECT_EQ(GetCell(X, Y, 0), code);  // cancelled
  // a number out of range names no symbol; then a valid one and the mirror box; OK writes it
  Answer({Step{{}, 0, {{CELLDLG_NUMBER, u"3600"}}, 0}});
  EditElementAtCursor(1);
  EXPECT_EQ(script.seen[0].fileName, Lang(2384));
  EXPECT_EQ(UserSymbolDialogCode, CELL_EMPTY);
  Answer({Step{{CELLDLG_MIRRORED}, 0, {{CELLDLG_NUMBER, u"37"}}, DLGID_OK}});
  EditElementAtCursor(1);
  EXPECT_EQ(script.seen[0].file, u"1");
  EXPECT_EQ(script.seen[0].inFile, u"1");
  EXPECT_EQ(GetCell(X, Y, 0), CELL_USER_FIRST + 2 * 37);
  EXPECT_TRUE(IsNetModified());
  // OK while the fields name no symbol writes nothing
  ClearNetModified();
  Answer({Step{{}, 0, {{CELLDLG_IN_FILE, u"36"}}, DLGID_OK}});
  EditElementAtCursor(1);
  EXPECT_EQ(GetCell(X, Y, 0), CELL_USER_FIRST + 2 * 37);
  EXPECT_FALSE(IsNetModified());
}
