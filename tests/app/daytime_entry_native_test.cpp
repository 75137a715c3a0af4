// The day-phase dialog and the stop at the stop time on the native build's windowless dialogs:
// the rows show the four times in their order through the day, a bad field re-opens the dialog
// with its message and the focus on it, times out of cyclic order are refused, and good times and
// the two options are stored; the stop time stops the simulation and offers a new stop time.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "app/daytime_entry.h"
#include "app/dialog.h"
#include "app/dialog_seam.h"
#include "core/langtext.h"
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/timepattern.h"
#include "dialog_test_util.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"

namespace {
// One opening of the dialog: what the user types (control, text), then the button pressed.
struct Opening {
  std::vector<std::pair<uint32_t, std::u16string>> typed;
  std::vector<uint32_t> clicked;
  uint32_t button;
  // seen on this opening
  uint32_t focus = 0;
  std::vector<std::u16string> shown;
  int checked470 = -1, checked471 = -1;
};

struct Script {
  std::vector<Opening> openings;
  size_t at = 0;
};

void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Script* s = (Script*)context;
  if (templateId != DAYPHASE_TEMPLATE || s->at >= s->openings.size()) return;
  Opening& o = s->openings[s->at++];
  o.focus = DialogSeamFocus(dlg);
  for (uint32_t id = 140; id <= 147; id++) {
    const char16_t* t = DialogSeamText(dlg, id);
    o.shown.push_back(t ? t : u"(none)");
  }
  o.checked470 = DialogSeamChecked(dlg, 470);
  o.checked471 = DialogSeamChecked(dlg, 471);
  for (auto& [id, text] : o.typed) DialogSeamType(dlg, id, text.c_str());
  for (uint32_t id : o.clicked) DialogSeamClick(dlg, id);
  DialogSeamPress(dlg, o.button);
}

Opening Typing(std::vector<std::u16string> rows, uint32_t button = DLGID_OK) {
  Opening o;
  for (size_t i = 0; i < rows.size(); i++) o.typed.push_back({140 + (uint32_t)i, rows[i]});
  o.button = button;
  return o;
}

// 1 when the clock's day-time windows are built (the stand-in answers 0 for every window).
bool TimeWindowsBuilt() {
  return IsInTimeWindow(PackDayTime(127, 1, 0, 0), PackDayTime(127, 0, 0, 0),
                        PackDayTime(127, 2, 0, 0)) != 0;
}

class DayPhaseDialog : public ::testing::Test {
 protected:
  Script script;
  void SetUp() override {
    ASSERT_TRUE(LoadTestLanguage());
    ResetDocumentState();
    ClearNetModified();
    DialogSeamReset();
    MsgSeamReset();
    DialogSeamSetUser(User, &script);
  }
  void TearDown() override { DialogSeamReset(); }
};
}  // namespace

TEST_F(DayPhaseDialog, ShowsTheRowsThroughTheDayAndCancelKeepsEverything) {
  DocState.dayPhaseOptions = 2;
  script.openings.push_back(Typing({u"1", u"2", u"3", u"4"}, DLGID_CANCEL));
  EditDayPhaseTimes();
  ASSERT_EQ(script.at, 1u);
  const Opening& o = script.openings[0];
  EXPECT_EQ(o.shown,
            (std::vector<std::u16string>{u" 5", u"30", u" 7", u"00", u"17", u"00", u"18", u"30"}));
  EXPECT_EQ(o.checked470, 0);
  EXPECT_EQ(o.checked471, 1);
  EXPECT_EQ(DocState.dayTimes[0], 0x0700);
  EXPECT_EQ(DocState.dayTimes[3], 0x051E);
  EXPECT_EQ(DocState.dayPhaseOptions, 2);
  EXPECT_FALSE(IsNetModified());
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

TEST_F(DayPhaseDialog, BadFieldsAreReportedAndFocused) {
  struct Case {
    uint32_t control;
    std::u16string text;
    uint32_t number, textId;
  };
  const Case cases[] = {
      {142, u"x", 341, 8006},   {143, u"", 343, 8006},    {144, u"25", 342, 18012},
      {147, u"60", 344, 18011}, {147, u"30", 345, 18013},  // hour 24 with minutes: the minute field
  };
  for (const Case& c : cases) {
    script = Script{};
    MsgSeamReset();
    Opening bad;
    bad.typed.push_back({c.control, c.text});
    if (c.number == 345) bad.typed.push_back({146, u"24"});
    bad.button = DLGID_OK;
    script.openings.push_back(bad);
    Opening second;
    second.button = DLGID_CANCEL;
    script.openings.push_back(second);
    EditDayPhaseTimes();
    ASSERT_EQ(script.at, 2u) << c.control;
    EXPECT_EQ(script.openings[1].focus, c.control);
    // the second opening shows what the user typed
    EXPECT_EQ(script.openings[1].shown[c.control - 140], c.text);
    ASSERT_EQ(MsgSeamCallCount(), 1);
    EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50000 + c.number);
    EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), std::u16string(GetLangText(c.textId)));
    EXPECT_EQ(DocState.dayTimes[1], 0x1100);  // nothing stored
  }
}

TEST_F(DayPhaseDialog, TimesMustDifferAndFollowThroughTheDay) {
  ASSERT_TRUE(TimeWindowsBuilt());
  const std::vector<std::vector<std::u16string>> refused = {
      {u"7", u"0", u"5", u"30", u"17", u"0", u"18", u"30"},   // rows 1 and 2 swapped
      {u"5", u"30", u"5", u"30", u"17", u"0", u"18", u"30"},  // two equal times
      {u"22", u"0", u"2", u"0", u"10", u"0", u"6", u"0"},
  };
  for (const auto& rows : refused) {
    script = Script{};
    MsgSeamReset();
    script.openings.push_back(Typing(rows));
    script.openings.push_back(Typing({}, DLGID_CANCEL));
    EditDayPhaseTimes();
    ASSERT_EQ(script.at, 2u);
    EXPECT_EQ(script.openings[1].focus, 140u);
    ASSERT_EQ(MsgSeamCallCount(), 1);
    EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50340);
    EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), std::u16string(GetLangText(18001)));
  }
  EXPECT_EQ(DocState.dayTimes[0], 0x0700);
  EXPECT_FALSE(IsNetModified());

  // Over midnight in cyclic order, with both options switched on.
  script = Script{};
  MsgSeamReset();
  Opening good = Typing({u"22", u"0", u"2", u"0", u"6", u"0", u"10", u"0"});
  good.clicked = {470, 471};
  script.openings.push_back(good);
  EditDayPhaseTimes();
  EXPECT_EQ(script.at, 1u);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(DocState.dayTimes[3], 0x1600);  // row 1: slot 4
  EXPECT_EQ(DocState.dayTimes[0], 0x0200);
  EXPECT_EQ(DocState.dayTimes[1], 0x0600);
  EXPECT_EQ(DocState.dayTimes[2], 0x0A00);
  EXPECT_EQ(DocState.dayPhaseOptions, 3);
  EXPECT_TRUE(IsNetModified());
}

TEST_F(DayPhaseDialog, UnchangedTimesStoreOnlyTheOptions) {
  ASSERT_TRUE(TimeWindowsBuilt());
  Opening o = Typing({u"05", u"30", u"7", u"0", u"17", u"00", u"18", u"30"});
  o.clicked = {470};
  script.openings.push_back(o);
  EditDayPhaseTimes();
  EXPECT_EQ(DocState.dayPhaseOptions, 1);
  EXPECT_FALSE(IsNetModified());
  EXPECT_EQ(DocState.dayTimes[3], 0x051E);
}

TEST(StopTime, StopsSoundsAndOffersANewStopTime) {
  ASSERT_TRUE(LoadTestLanguage());
  ResetDocumentState();
  DocState.stopHour = 7;
  DocState.stopMinute = 5;
  SetSimulationRunning(SIMRUN_START);
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_NO);
  OnStopTimeReached();
  EXPECT_FALSE(IsSimulationRunning());
  ASSERT_EQ(MsgSeamCallCount(), 1);
  const MsgBoxCall* m = MsgSeamLastCall();
  EXPECT_EQ(m->templateId, 2u);  // a question
  EXPECT_EQ(m->helpTopic, 50346);
  EXPECT_EQ(std::u16string(m->title), std::u16string(GetLangText(18490)));  // no number
  std::u16string text = m->text;
  EXPECT_NE(text.find(u"7:05"), std::u16string::npos) << std::string(text.begin(), text.end());
}
