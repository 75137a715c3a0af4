// The event display's dialogs through the native dialog seam, answered by the test: the empty
// list's message, the list's rows, title and selection, deleting (button and Del key) with the
// dialog reopened on the clamped row, clearing, copying (and a failed copy), the help topics, the
// stop options and the three filter pages, and the menu commands that open them.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "../resources/menus.h"
#include "app/commands.h"
#include "app/dialog_ctl.h"
#include "app/dialog_seam.h"
#include "app/editwnd.h"
#include "app/netcmd.h"
#include "app/startup.h"
#include "core/msgbox.h"
#include "core/clipboard.h"
#include "core/clipboard_seam.h"
#include "core/langtext.h"
#include "core/msgbox_seam.h"
#include "core/sound.h"
#include "graphics/colours.h"
#include "views/view_services.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/event_display.h"

namespace {

// One action per dialog shown, in order; what each dialog showed is kept.
using Action = std::function<void(WrapWindow dlg)>;
struct Shown {
  uint32_t templateId;
  std::u16string title;
  int rows = -1, selected = -1;
  std::vector<int> checked;  // ids 400.. and 470, 471 that are checked
};
struct Script {
  std::vector<Action> actions;
  std::vector<Shown> shown;
};
Script S;

void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Shown v;
  v.templateId = templateId;
  v.title = DialogSeamTitle(dlg) ? DialogSeamTitle(dlg) : u"";
  if (templateId == 93) {
    v.rows = DialogSeamListCount(dlg, 106);
    v.selected = DialogSeamListSel(dlg, 106);
  }
  for (int id = 400; id < 440; id++)
    if (DialogSeamChecked(dlg, id)) v.checked.push_back(id);
  for (int id : {470, 471})
    if (DialogSeamChecked(dlg, id)) v.checked.push_back(id);
  size_t n = S.shown.size();
  S.shown.push_back(v);
  if (n < S.actions.size() && S.actions[n]) S.actions[n](dlg);
}

void Select(WrapWindow dlg, int row) {
  DlgCtlListSetSel(dlg, 106, row);
  DialogSeamSend(dlg, DLGMSG_COMMAND, 106 | (1u << 16), 0);  // LBN_SELCHANGE
}
Action Press(uint32_t id) {
  return [id](WrapWindow dlg) { DialogSeamPress(dlg, id); };
}

struct EventDialogs : ::testing::Test {
  uint32_t savedSound = 0;
  void SetUp() override {
    savedSound = SoundOptions;
    S = Script{};
    DialogSeamReset();
    DialogSeamSetUser(User, nullptr);
    MsgSeamReset();
    ClipSeamReset();
    EventSoundRequest = [](int) {};
    ClearEventDisplay();
    ResetEventFilter();
  }
  void TearDown() override {
    DialogSeamReset();
    MsgSeamReset();
    ClipSeamReset();
    ClearEventDisplay();
    ResetEventFilter();
    SoundOptions = savedSound;
  }
  void Add(int n) {
    for (int i = 0; i < n; i++) ASSERT_EQ(AddEventDisplayEntry(6 + i % 2, 100 + i, 7, 0, 0, 0, 0, 0), 0);
  }
};

TEST_F(EventDialogs, AnEmptyListShowsTheMessageInsteadOfTheDialog) {
  ShowEventDisplay();
  EXPECT_EQ(DialogSeamRunCount(), 0);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), std::u16string(GetLangText(4000)));
  EXPECT_NE(std::u16string(MsgSeamLastCall()->title).find(u"599"), std::u16string::npos);
}

TEST_F(EventDialogs, TheListShowsEveryEntryAndMarksThemSeen) {
  Add(3);
  ASSERT_EQ(GetEventDisplayNewFlag(), 1);
  S.actions = {Press(DLGID_CANCEL)};
  ShowEventDisplay();
  ASSERT_EQ(S.shown.size(), 1u);
  EXPECT_EQ(S.shown[0].templateId, 93u);
  EXPECT_EQ(S.shown[0].rows, 3);
  EXPECT_EQ(S.shown[0].selected, 0);
  char16_t title[MSG_TITLE_MAX];
  const uint32_t count = 3;
  FormatTextWith(title, MSG_TITLE_MAX, GetLangText(4200), &count, 1, nullptr, 0);
  EXPECT_EQ(S.shown[0].title, std::u16string(title));
  EXPECT_EQ(GetEventDisplayNewFlag(), 0);
  EXPECT_EQ(GetEventIndicatorLook(nullptr), 102);
  EXPECT_EQ(GetEventDisplayCount(), 3);  // Cancel changes nothing
}

TEST_F(EventDialogs, DeletingTheLastRowReopensOnTheNewLastRowAndTheOnlyEntryCloses) {
  Add(3);
  S.actions = {
      [](WrapWindow d) { Select(d, 2), DialogSeamPress(d, 121); },
      // the Del key arrives as the dialog key message
      [](WrapWindow d) { DialogSeamSend(d, DLGMSG_KEY, 46, 0); },
      Press(121),
  };
  ShowEventDisplay();
  ASSERT_EQ(S.shown.size(), 3u);
  EXPECT_EQ(S.shown[1].rows, 2);
  EXPECT_EQ(S.shown[1].selected, 1);  // the deleted last row's place, clamped
  EXPECT_EQ(S.shown[2].rows, 1);
  EXPECT_EQ(S.shown[2].selected, 0);
  EXPECT_EQ(GetEventDisplayCount(), 0);
}

TEST_F(EventDialogs, DeleteTakesTheSelectedEntryAndClearEmptiesTheList) {
  Add(4);
  S.actions = {[](WrapWindow d) { Select(d, 1), DialogSeamPress(d, 121); }, Press(122)};
  ShowEventDisplay();
  ASSERT_EQ(S.shown.size(), 2u);
  EXPECT_EQ(S.shown[1].selected, 1);
  EXPECT_EQ(GetEventDisplayCount(), 0);
  EXPECT_EQ(GetEventIndicatorLook(nullptr), 101);

  Add(3);
  S = Script{};
  S.actions = {[](WrapWindow d) { Select(d, 1), DialogSeamPress(d, 121); }, Press(DLGID_CANCEL)};
  ShowEventDisplay();
  ASSERT_EQ(GetEventDisplayCount(), 2);
  EXPECT_EQ(GetEventDisplayEntry(0)->x, 100u);
  EXPECT_EQ(GetEventDisplayEntry(1)->x, 102u);
}

// OK (or a double click) on a row moves the active edit window to the event's place; Cancel and a
// missing window leave the view alone.
TEST_F(EventDialogs, ConfirmingARowBringsItsPlaceIntoTheActiveWindow) {
  ResetEditWindows();
  EditViewSlot* w = GetEditSlot(2);
  w->window = (void*)1;
  w->viewMode = VIEW_SYMBOLS;
  w->zoom = 1;
  w->cellsWide = 20, w->cellsHigh = 30;
  w->pixelWidth = 640, w->pixelHeight = 480;
  w->farX = 20, w->farY = 30;
  EditViews.active = 2;
  ASSERT_EQ(AddEventDisplayEntry(6, 100, 7, 0, 0, 0, 0, 0), 0);
  ASSERT_EQ(AddEventDisplayEntry(6, 5000, 6000, -3, 0, 0, 0, 0), 0);
  static const struct {
    const char* what;
    uint32_t button;
    int row;
    int x, y, level, originX, originY;
  } cases[] = {
      {"Cancel", DLGID_CANCEL, 1, 0, 0, 0, 0, 0},
      {"OK on the second row", DLGID_OK, 1, 5000, 6000, -3, 4991, 5986},
      {"a double click on the first row", 106, 0, 100, 7, 0, 90, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    S = Script{};
    static int row;
    static uint32_t button;
    row = c.row, button = c.button;
    S.actions = {[](WrapWindow d) {
      Select(d, row);
      if (button == 106)
        DialogSeamSend(d, DLGMSG_COMMAND, 106 | (2u << 16), 0);  // LBN_DBLCLK
      else
        DialogSeamPress(d, button);
    }};
    ShowEventDisplay();
    EXPECT_EQ(w->cursorX, c.x);
    EXPECT_EQ(w->cursorY, c.y);
    EXPECT_EQ(w->cursorLevel, c.level);
    EXPECT_EQ(w->originX, c.originX);
    EXPECT_EQ(w->originY, c.originY);
  }
  // without an open window nothing moves
  w->window = nullptr;
  S = Script{};
  S.actions = {Press(DLGID_OK)};
  ShowEventDisplay();
  EXPECT_EQ(w->cursorX, 100);
  ResetEditWindows();
}

TEST_F(EventDialogs, CopyPutsTheRowsWithoutMarksAndAFailureEmptiesTheClipboard) {
  Add(2);
  S.actions = {[](WrapWindow d) {
    DialogSeamPress(d, 104);
    DialogSeamPress(d, DLGID_CANCEL);
  }};
  ShowEventDisplay();
  char16_t line[CLIP_LINE_MAX];
  ASSERT_EQ(ReadClipboardLine(1, CLIP_LINE_MAX, line), 0);
  std::u16string second = line;
  EXPECT_EQ(second.find(u'\x02'), std::u16string::npos);
  EXPECT_NE(second.find(u"-------- -------- ----"), std::u16string::npos);
  EXPECT_EQ(second.substr(second.size() - std::u16string(GetLangText(4507)).size()),
            std::u16string(GetLangText(4507)));
  EXPECT_EQ(MsgSeamCallCount(), 0);

  S = Script{};
  ClipSeamFailSet(1);
  S.actions = {[](WrapWindow d) {
    DialogSeamPress(d, 104);
    DialogSeamPress(d, DLGID_CANCEL);
  }};
  ShowEventDisplay();
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_NE(std::u16string(MsgSeamLastCall()->title).find(u"598"), std::u16string::npos);
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), std::u16string(GetLangText(8007)));
  ClipSeamFailSet(0);
}

TEST_F(EventDialogs, HelpOfTheDialogAndOfTheSelectedEventsKind) {
  Add(2);  // kinds 6 and 7
  S.actions = {[](WrapWindow d) {
    DialogSeamPress(d, DLGID_HELP);
    EXPECT_EQ(DialogSeamLastHelpTopic(), 45001u);
    Select(d, 1);
    DialogSeamPress(d, 120);
    EXPECT_EQ(DialogSeamLastHelpTopic(), 45507u);
    Select(d, 0);
    DialogSeamSend(d, DLGMSG_COMMAND, 99, 0);  // Ctrl+F1
    EXPECT_EQ(DialogSeamLastHelpTopic(), 45506u);
    DialogSeamPress(d, DLGID_CANCEL);
  }};
  ShowEventDisplay();
  EXPECT_EQ(S.shown.size(), 1u);
}

TEST_F(EventDialogs, StopOptionsShowAndSetTheOptionAndTheSoundBit) {
  static const struct {
    int option;
    uint32_t sound;
    int radio;  // checked on opening
  } cases[] = {{1, 2, 400}, {3, 0, 400}, {6, 2, 401}, {4, 0, 402}, {0, 0, 402}};
  for (const auto& c : cases) {
    SetEventDisplayOption(c.option);
    SoundOptions = c.sound | 1;
    S = Script{};
    S.actions = {Press(DLGID_CANCEL)};
    EditEventStopOptions(nullptr);
    ASSERT_EQ(S.shown.size(), 1u);
    std::vector<int> want = {c.radio};
    if (c.option & 4) want.push_back(470);
    if (c.sound & 2) want.push_back(471);
    EXPECT_EQ(S.shown[0].checked, want) << c.option;
    EXPECT_EQ(S.shown[0].templateId, 94u);
  }
  // every event stops -> flagged kinds stop; stop when full on; sound off
  SetEventDisplayOption(1);
  SoundOptions = 3;
  S = Script{};
  S.actions = {[](WrapWindow d) {
    DialogSeamClick(d, 401);
    DialogSeamClick(d, 470);
    DialogSeamClick(d, 471);
    DialogSeamPress(d, DLGID_OK);
  }};
  EditEventStopOptions(nullptr);
  EXPECT_EQ(GetEventDisplayOption(), 6);
  EXPECT_EQ(SoundOptions, 1u);
  // Cancel keeps everything
  S = Script{};
  S.actions = {[](WrapWindow d) {
    DialogSeamClick(d, 402);
    DialogSeamPress(d, DLGID_CANCEL);
  }};
  EditEventStopOptions(nullptr);
  EXPECT_EQ(GetEventDisplayOption(), 6);
}

TEST_F(EventDialogs, FilterPagesShowAndSetEachKindsFlagInPageOrder) {
  static const struct {
    void (*open)(WrapWindow);
    uint32_t templateId;
    std::vector<int> kinds;
  } pages[] = {
      {EditEventFilterPage1, 95, {6, 11, 7, 4, 3, 5, 1, 2, 12, 8, 9}},
      {EditEventFilterPage2, 96, {10, 14, 15, 13, 26, 27, 17}},
      {EditEventFilterPage3, 97, {16, 18, 19, 20, 25, 21, 22, 23, 24, 28, 29}},
  };
  for (const auto& p : pages) {
    for (size_t i = 0; i < p.kinds.size(); i++) SetEventKindFlag(p.kinds[i], (int)i % 3);
    // Opening shows each kind's flag; the user turns every kind one step on and presses OK.
    S = Script{};
    size_t n = p.kinds.size();
    S.actions = {[n](WrapWindow d) {
      for (size_t i = 0; i < n; i++) DialogSeamClick(d, (uint32_t)(400 + 3 * i + (i + 1) % 3));
      DialogSeamPress(d, DLGID_OK);
    }};
    p.open(nullptr);
    ASSERT_EQ(S.shown.size(), 1u);
    EXPECT_EQ(S.shown[0].templateId, p.templateId);
    std::vector<int> want;
    for (size_t i = 0; i < n; i++) want.push_back((int)(400 + 3 * i + i % 3));
    EXPECT_EQ(S.shown[0].checked, want);
    for (size_t i = 0; i < n; i++) EXPECT_EQ(GetEventKindFlag(p.kinds[i]), (int)(i + 1) % 3);
  }
}

TEST_F(EventDialogs, MenuCommandsAndTheListsButtonsOpenTheFilterDialogs) {
  static const struct {
    int command;
    uint32_t templateId;
  } commands[] = {{CMD_TRAINS, 94}, {CMD_SIGNALS, 95}, {CMD_STOPS, 96}, {CMD_OTHERS, 97}};
  for (const auto& c : commands) {
    S = Script{};
    S.actions = {Press(DLGID_CANCEL)};
    HandleMenuCommand(c.command);
    ASSERT_EQ(S.shown.size(), 1u) << c.command;
    EXPECT_EQ(S.shown[0].templateId, c.templateId);
  }
  Add(1);
  S = Script{};
  S.actions = {[](WrapWindow d) {
                 for (uint32_t id : {123, 124, 125, 126}) DialogSeamPress(d, id);
                 DialogSeamPress(d, DLGID_CANCEL);
               },
               Press(DLGID_CANCEL), Press(DLGID_CANCEL), Press(DLGID_CANCEL),
               Press(DLGID_CANCEL)};
  HandleMenuCommand(CMD_INFO_EVENT_DISPLAY);
  std::vector<uint32_t> seen;
  for (const Shown& v : S.shown) seen.push_back(v.templateId);
  EXPECT_EQ(seen, (std::vector<uint32_t>{93, 94, 95, 96, 97}));
}

TEST_F(EventDialogs, TheIndicatorDrawsItsLookIntoPane28) {
  static unsigned char token;
  int top = 0;
  int left = GetStatusPaneRect(28, &top, nullptr, nullptr);
  Add(1);
  DrawEventIndicator(&token);
  EXPECT_EQ(EventIndicatorDrawn.x, left);
  EXPECT_EQ(EventIndicatorDrawn.y, top);
  EXPECT_EQ(EventIndicatorDrawn.colour, GetColour(103));
  EXPECT_EQ(std::u16string(EventIndicatorDrawn.glyphs), u"\x15\x16\x17");
  ClearEventDisplay();
  DrawEventIndicator(&token);
  EXPECT_EQ(EventIndicatorDrawn.colour, GetColour(101));
  EXPECT_EQ(std::u16string(EventIndicatorDrawn.glyphs), u"\x12\x13\x14");
}

TEST_F(EventDialogs, TheSaveQuestionAsksFirstWhileTheListHoldsEvents) {
  ClearNetModified();
  EXPECT_EQ(QuerySaveChanges(), 1);
  EXPECT_EQ(S.shown.size(), 0u);
  Add(1);
  S.actions = {Press(DLGID_CANCEL), Press(120)};
  EXPECT_EQ(QuerySaveChanges(), 0);
  EXPECT_EQ(QuerySaveChanges(), 1);
  ASSERT_EQ(S.shown.size(), 2u);
  EXPECT_EQ(S.shown[0].templateId, 3u);
}

}  // namespace
