// The dialog engine end to end on the native build's windowless dialogs: filling controls from a
// descriptor, reading values back, nesting, spin bars, stepping, lists, help and re-opening.
#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/dialog_fields.h"
#include "app/dialog_seam.h"
#include "core/msgbox_seam.h"
#include "dialog_test_util.h"

namespace {

using UserFn = std::function<void(WrapWindow, uint32_t)>;

void CallUser(WrapWindow dlg, uint32_t templ, void* ctx) {
  UserFn* fn = static_cast<UserFn*>(ctx);
  if (*fn) (*fn)(dlg, templ);
}

class DialogNative : public ::testing::Test {
 protected:
  UserFn user;
  void SetUp() override {
    DialogSeamReset();
    MsgSeamReset();
    TestNameCount = 4;
    SetDialogNameSource(DLGK_TP, TestNameCountFn, TestNameStep);
    DialogSeamSetUser(CallUser, &user);
  }
  void TearDown() override {
    DialogSeamReset();
    SetDialogNameSource(DLGK_TP, nullptr, nullptr);
  }
  int Run(DialogRecord* d, uint32_t templ = 7) {
    return RunDialog(nullptr, templ, DlgF_Einfach, d);
  }
};

TEST_F(DialogNative, RoundTripFillsControlsAndReadsValuesBack) {
  char16_t number[8] = u"3";
  char16_t name[20] = u"old";
  DialogRecord d[] = {DlgTitleText(u"Round trip", 42000, 140),
                      DlgText(190, 8100),
                      DlgEdit(140, number, 8, DLGE_RANGE | DLGE_TRIM, 1, 12),
                      DlgEdit(141, name, 20, DLGE_TRIM | DLGE_FONT3),
                      DlgRadio(400, 0, DLGB_CHECKED),
                      DlgRadio(401, 0, 0),
                      DlgCheck(470, 0, 0),
                      DlgOk(),
                      DlgCancel(),
                      DlgHelp(),
                      DlgEnd()};
  bool seen = false;
  user = [&](WrapWindow w, uint32_t templ) {
    seen = true;
    EXPECT_EQ(templ, 7u);
    EXPECT_EQ(std::u16string(DialogSeamTitle(w)), u"Round trip");
    EXPECT_EQ(std::u16string(DialogSeamText(w, 140)), u"3");
    EXPECT_EQ(std::u16string(DialogSeamText(w, 141)), u"old");
    EXPECT_EQ(DialogSeamFont(w, 140), DLG_FONT_4);
    EXPECT_EQ(DialogSeamFont(w, 141), DLG_FONT_3);
    EXPECT_EQ(DialogSeamFont(w, 190), DLG_FONT_7);
    EXPECT_EQ(DialogSeamLimit(w, 140), 7);
    EXPECT_EQ(DialogSeamLimit(w, 141), 19);
    EXPECT_EQ(DialogSeamChecked(w, 400), 1);
    EXPECT_EQ(DialogSeamFocus(w), 140u);
    int lo, hi;
    EXPECT_EQ(DialogSeamScroll(w, 290, &lo, &hi, nullptr), 1);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 12);
    EXPECT_EQ(GetCurrentDialog(), w);
    DialogSeamType(w, 140, u" 11");
    DialogSeamType(w, 141, u"   new name");
    DialogSeamClick(w, 401);
    DialogSeamClick(w, 470);
    EXPECT_EQ(DialogSeamPress(w, DLGID_OK), 1);
  };
  EXPECT_EQ(Run(d), DLGR_OK);
  EXPECT_TRUE(seen);
  EXPECT_EQ(std::u16string(number), u"11");
  EXPECT_EQ(std::u16string(name), u"new name");
  EXPECT_EQ(d[4].button.flags, 0);
  EXPECT_EQ(d[5].button.flags, DLGB_CHECKED);
  EXPECT_EQ(d[6].button.flags, DLGB_CHECKED);
  EXPECT_EQ(GetDialogLevel(), -1);
}

TEST_F(DialogNative, EveryRecordKindInitialisesItsControl) {
  char16_t combo[12] = u"abc", off[8] = u"x";
  std::u16string names = std::u16string(u"b") + u'\0' + u"a" + u'\0' + u'\0';
  uint32_t cells[3] = {0x0001C003, 0x0002C004, 0x0003C005};
  DialogRecord text4 = DlgText(192, 8101);
  text4.type = DLG_TEXT_ID2;  // treated as type 2
  DialogRecord d[] = {DlgTitle(8104, 0, DLG_NO_FOCUS),
                      DlgText(190, 8100),
                      DlgTextPtr(191, u"pointed"),
                      text4,
                      DlgTextOff(193, 8102),
                      DlgOk(),
                      DlgCancel(),
                      DlgThird(),
                      DlgYes(),
                      DlgNo(),
                      DlgHelp(),
                      DlgList(106, names.data(), DLGL_FONT_ONLY | DLGL_SORT),
                      DlgList(107, names.data(), DLGL_DISABLED),
                      DlgEdit(110, combo, 12, 0),
                      DlgEdit(140, off, 8, DLGE_DISABLED),
                      DlgCheck(470, 0, DLGB_CHECKED),
                      DlgCellList(340, 0, 0, 32, 3, 2, cells),
                      DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(std::u16string(DialogSeamTitle(w)), GetLangText(8104));
    struct Text {
      uint32_t id;
      std::u16string text;
      int enabled;
    } texts[] = {{190, GetLangText(8100), 1}, {191, u"pointed", 1},
                 {192, GetLangText(8101), 1}, {193, GetLangText(8102), 0},
                 {1, GetLangText(8100), 1},   {2, GetLangText(8101), 1},
                 {8, GetLangText(8105), 1},   {6, GetLangText(8102), 1},
                 {7, GetLangText(8103), 1},   {100, GetLangText(8104), 1}};
    for (const Text& t : texts) {
      EXPECT_EQ(std::u16string(DialogSeamText(w, t.id)), t.text) << t.id;
      EXPECT_EQ(DialogSeamFont(w, t.id), DLG_FONT_7) << t.id;
      EXPECT_EQ(DialogSeamEnabled(w, t.id), t.enabled) << t.id;
    }
    EXPECT_EQ(DialogSeamListCount(w, 106), 0);  // flag 2: only the font; the procedure fills it
    EXPECT_EQ(DialogSeamFont(w, 106), DLG_FONT_7);
    EXPECT_EQ(DialogSeamListCount(w, 107), 2);
    EXPECT_EQ(DialogSeamEnabled(w, 107), 0);
    EXPECT_EQ(DialogSeamFont(w, 107), 0);    // a filled list keeps its font
    EXPECT_EQ(DialogSeamLimit(w, 110), 11);  // combo box: length - 1
    EXPECT_EQ(std::u16string(DialogSeamText(w, 110)), u"abc");
    EXPECT_EQ(DialogSeamEnabled(w, 140), 0);
    EXPECT_EQ(DialogSeamChecked(w, 470), 1);
    int lo, hi, pos;
    EXPECT_EQ(DialogSeamScroll(w, 340, &lo, &hi, &pos), 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 2);
    EXPECT_EQ(pos, 2);
    DialogSeamSend(w, DLGMSG_VSCROLL, SB_CODE_LINEDOWN, (intptr_t)DialogSeamControlWindow(w, 340));
    DialogSeamScroll(w, 340, &lo, &hi, &pos);
    EXPECT_EQ(pos, 0);  // wrapped over the entries
    DialogSeamPress(w, 1);
  };
  EXPECT_EQ(Run(d), DLGR_OK);
  EXPECT_EQ(std::u16string(names.c_str()), u"b");  // a font-only list is not sorted
  EXPECT_EQ(d[16].cellList.shown, 0);
}

TEST_F(DialogNative, ClosingButtonsMapToResults) {
  DialogRecord d[] = {DlgTitleText(u"t", 0, DLG_NO_FOCUS),
                      DlgOk(),
                      DlgCancel(),
                      DlgThird(),
                      DlgYes(),
                      DlgNo(),
                      DlgEnd()};
  struct Case {
    uint32_t press;
    int result;
  } cases[] = {{1, 2}, {2, 1}, {8, 1}, {6, 3}, {7, 4}, {103, 103}, {125, 125}};
  for (const Case& c : cases) {
    user = [&](WrapWindow w, uint32_t) { EXPECT_EQ(DialogSeamPress(w, c.press), 1); };
    EXPECT_EQ(Run(d), c.result) << c.press;
  }
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamPress(w, 140), 0);
  };  // ignored; then Cancel
  EXPECT_EQ(Run(d), DLGR_CANCEL);
}

intptr_t QUIL_DLGCALL EndWith106(WrapWindow w, uint32_t msg, uintptr_t wp, intptr_t lp) {
  if (msg == DLGMSG_COMMAND && (wp & 0xFFFF) == 106) {
    DlgCtlEndDialog(w, 106);
    return 1;
  }
  return DlgF_Einfach(w, msg, wp, lp);
}

TEST_F(DialogNative, EndCode106SetsTheMouseFlagsAndOthersClearThem) {
  DialogRecord d[] = {DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) { DialogSeamPress(w, 106); };
  EXPECT_EQ(RunDialog(nullptr, 5, EndWith106, d), 106);
  EXPECT_EQ(DialogSwallowMouseMove, 1);
  EXPECT_EQ(DialogSwallowButtonUp, 1);
  user = [&](WrapWindow w, uint32_t) { DialogSeamPress(w, 1); };
  EXPECT_EQ(RunDialog(nullptr, 5, EndWith106, d), DLGR_OK);
  EXPECT_EQ(DialogSwallowMouseMove, 0);
  EXPECT_EQ(DialogSwallowButtonUp, 0);
}

TEST_F(DialogNative, RefusedRunsShowNothing) {
  DialogRecord d[] = {DlgOk(), DlgEnd()};
  EXPECT_EQ(RunDialog(nullptr, 0, DlgF_Einfach, d), DLGR_CANCEL);
  EXPECT_EQ(RunDialog(nullptr, 5, nullptr, d), DLGR_CANCEL);
  DialogSeamSetNoOwner(1);
  EXPECT_EQ(RunDialog(nullptr, 5, DlgF_Einfach, d), DLGR_CANCEL);
  int owner = 0;
  EXPECT_EQ(RunDialog(&owner, 5, DlgF_Einfach, d), DLGR_CANCEL);  // a given owner is enough
  EXPECT_EQ(DialogSeamLastOwner(), &owner);
  EXPECT_EQ(DialogSeamRunCount(), 1);
}

TEST_F(DialogNative, TenDialogsNestAndTheEleventhIsRefused) {
  DialogRecord d[] = {DlgOk(), DlgEnd()};
  int depth = 0, eleventh = -5;
  WrapWindow windows[DIALOG_MAX_LEVELS] = {};
  user = [&](WrapWindow w, uint32_t) {
    windows[depth] = w;
    EXPECT_EQ(GetDialogLevel(), depth);
    EXPECT_EQ(GetCurrentDialog(), w);
    EXPECT_EQ(DialogBrushesExist(), 1);
    depth++;
    if (depth < DIALOG_MAX_LEVELS) {
      EXPECT_EQ(Run(d), DLGR_OK);
    } else {
      eleventh = Run(d);
      EXPECT_EQ(GetDialogLevel(), DIALOG_MAX_LEVELS - 1);
    }
    depth--;
    EXPECT_EQ(GetCurrentDialog(),
              w);  // the slot of this level is intact after the inner one closed
    DialogSeamPress(w, 1);
  };
  EXPECT_EQ(Run(d), DLGR_OK);
  EXPECT_EQ(eleventh, DLGR_CANCEL);
  EXPECT_EQ(DialogSeamRunCount(), DIALOG_MAX_LEVELS);
  EXPECT_EQ(GetDialogLevel(), -1);
  EXPECT_EQ(IsDialogOpen(), 0);
  EXPECT_EQ(GetCurrentDialog(), nullptr);
  EXPECT_EQ(DialogBrushesExist(), 0);
  EXPECT_EQ(DialogSeamBrushSets(), 0);
}

TEST_F(DialogNative, StackLevelsCountCommonDialogsToo) {
  for (int i = 0; i < DIALOG_MAX_LEVELS; i++) EXPECT_EQ(EnterDialogLevel(), 0);
  EXPECT_EQ(EnterDialogLevel(), 1);
  EXPECT_EQ(GetDialogLevel(), 9);
  for (int i = 0; i < DIALOG_MAX_LEVELS; i++) LeaveDialogLevel();
  EXPECT_EQ(GetDialogLevel(), -1);
  LeaveDialogLevel();  // below -1 nothing happens
  EXPECT_EQ(GetDialogLevel(), -1);
  EXPECT_EQ(DialogBrushesExist(), 0);
}

TEST_F(DialogNative, FocusRules) {
  char16_t a[8] = u"", b[8] = u"";
  DialogRecord off[] = {DlgTitleText(u"t", 0, 140), DlgEdit(140, a, 8, DLGE_DISABLED),
                        DlgEdit(141, b, 8, 0), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamFocus(w), 141u);  // the disabled field hands the focus on
    EXPECT_EQ(DialogSeamEnabled(w, 140), 0);
  };
  Run(off);
  DialogRecord ok[] = {DlgTitleText(u"t", 0, 1), DlgEdit(141, b, 8, 0), DlgOk(), DlgCancel(),
                       DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamFocus(w), 1u);
    EXPECT_EQ(DialogSeamDefault(w), 1u);  // a plain push button with the focus becomes the default
  };
  Run(ok);
  DialogRecord none[] = {DlgTitleText(u"t", 0, DLG_NO_FOCUS), DlgEdit(141, b, 8, 0), DlgOk(),
                         DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamFocus(w), 141u);
  };  // the dialog's own choice
  Run(none);
}

TEST_F(DialogNative, DisabledButtonsComeBackWithFlag2) {
  DialogRecord d[] = {DlgRadio(400, 0, DLGB_CHECKED | DLGB_DISABLED),
                      DlgRadio(401, 0, DLGB_DISABLED), DlgCheck(470, 0, DLGB_DISABLED), DlgOk(),
                      DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(std::u16string(DialogSeamText(w, 400)), u"      ");  // text id 0: six blanks
    DialogSeamPress(w, 1);
  };
  Run(d);
  EXPECT_EQ(d[0].button.flags, DLGB_DISABLED | DLGB_CHECKED);
  EXPECT_EQ(d[1].button.flags, DLGB_DISABLED);
  EXPECT_EQ(d[2].button.flags, DLGB_DISABLED);
}

TEST_F(DialogNative, SpinBarsTakeTheirFieldsRanges) {
  char16_t a[8], b[8], c[8], e[8];
  DialogRecord d[] = {DlgEdit(150, a, 8, DLGE_RANGE, 5, 5),
                      DlgEdit(151, b, 8, DLGE_RANGE, 3, 3),
                      DlgEdit(152, c, 8, DLGE_RANGE, 9, 2),
                      DlgEdit(153, e, 8, 0),
                      DlgOk(),
                      DlgEnd()};
  a[0] = b[0] = c[0] = e[0] = 0;
  user = [&](WrapWindow w, uint32_t) {
    int lo, hi;
    EXPECT_EQ(DialogSeamScroll(w, 300, &lo, &hi, nullptr), 1);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 3);  // 0 .. number of TP elements - 1
    EXPECT_EQ(DialogSeamScroll(w, 301, &lo, &hi, nullptr), 1);
    EXPECT_EQ(hi, 100);
    EXPECT_EQ(DialogSeamScroll(w, 302, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(DialogSeamScroll(w, 303, &lo, &hi, nullptr), 1);
    EXPECT_EQ(hi, 100);
  };
  Run(d);
}

// The step message answers as a real dialog does (the stored result): 1 for every key that stepped
// the field, so that the key hook swallows each of them and the field's caret stays in the value.
TEST_F(DialogNative, EveryStepKeyOfALongFieldIsAnsweredAndStepsTheSameValue) {
  char16_t a[40] = u"10,20,30";
  DialogRecord d[] = {DlgTitleText(u"t", 0, 140), DlgEdit(140, a, 40, DLGE_RANGE, 0, 100), DlgOk(),
                      DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    DialogSeamSetFocus(w, 140, 4);
    const char16_t* want[] = {u"10,21,30", u"10,22,30", u"10,23,30"};
    for (const char16_t* text : want) {
      EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, KEY_UP, 0), 1);
      EXPECT_EQ(std::u16string(DialogSeamText(w, 140)), text);
      EXPECT_EQ(DialogSeamCaret(w, 140), 4);
    }
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, 13, 0), 0);  // not a step key: default handling
  };
  Run(d);
}

TEST_F(DialogNative, StepMessageAndSpinBarsStepTheFocusedField) {
  char16_t a[8] = u"12", b[8] = u"N1";
  DialogRecord d[] = {DlgTitleText(u"t", 0, 140),
                      DlgEdit(140, a, 8, DLGE_RANGE | DLGE_TRIM, 1, 12),
                      DlgEdit(141, b, 8, DLGE_RANGE, 5, 5),
                      DlgText(190, 1),
                      DlgOk(),
                      DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, KEY_UP, 0), 1);
    EXPECT_EQ(std::u16string(DialogSeamText(w, 140)), u"1");
    EXPECT_EQ(DialogSeamCaret(w, 140), 0);
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, 13, 0), 0);
    // Spin bar 291 (field 141): line down steps down and takes the focus to the field.
    DialogSeamSend(w, DLGMSG_VSCROLL, SB_CODE_LINEDOWN, (intptr_t)DialogSeamControlWindow(w, 291));
    EXPECT_EQ(DialogSeamFocus(w), 141u);
    EXPECT_EQ(std::u16string(DialogSeamText(w, 141)), u"N0");
    // Not the active window: spin bars do nothing.
    DialogSeamSetActive(w, 0);
    DialogSeamSend(w, DLGMSG_VSCROLL, SB_CODE_LINEUP, (intptr_t)DialogSeamControlWindow(w, 291));
    EXPECT_EQ(std::u16string(DialogSeamText(w, 141)), u"N0");
    DialogSeamSetActive(w, 1);
    DialogSeamSetFocus(w, 190, 0);  // not a field
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, KEY_UP, 0), 0);
    DialogSeamPress(w, 1);
  };
  Run(d);
  EXPECT_EQ(std::u16string(a), u"1");
  EXPECT_EQ(std::u16string(b), u"N0");
}

TEST_F(DialogNative, SteppingALongFieldKeepsTheTextAfterTheFirst600Characters) {
  std::u16string start = u"5," + std::u16string(598, u'a') + u",7,";  // 603 characters
  std::u16string tail = std::u16string(400, u'b') + u",end";
  std::vector<char16_t> buf(2001, 0);
  DialogRecord d[] = {DlgTitleText(u"t", 0, 140),
                      DlgEdit(140, buf.data(), 2001, DLGE_RANGE, 0, 100), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    DialogSeamType(w, 140, (start + tail).c_str());
    DialogSeamSetFocus(w, 140, 1);  // in the first value
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, KEY_UP, 0), 1);
    DialogSeamSetFocus(w, 140, 602);  // in the value beyond the 600th character
    EXPECT_EQ(DialogSeamSend(w, DLGMSG_STEP, KEY_DOWN, 0), 1);
    EXPECT_EQ(DialogSeamCaret(w, 140), 602);  // kept in the value
    DialogSeamPress(w, 1);
  };
  Run(d);
  EXPECT_EQ(std::u16string(buf.data()), u"6," + std::u16string(598, u'a') + u",6," + tail);
}

TEST_F(DialogNative, PictureBarStepsItsRecord) {
  DialogRecord d[] = {DlgCellStep(340, 10, 10, 32, 0xC010, 2, 1, 4), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    int lo, hi, pos;
    EXPECT_EQ(DialogSeamScroll(w, 340, &lo, &hi, &pos), 1);
    EXPECT_EQ(lo, 1);
    EXPECT_EQ(hi, 4);
    EXPECT_EQ(pos, 2);
    DialogSeamSend(w, DLGMSG_VSCROLL, SB_CODE_BOTTOM, (intptr_t)DialogSeamControlWindow(w, 340));
    DialogSeamSend(w, DLGMSG_VSCROLL, SB_CODE_LINEDOWN, (intptr_t)DialogSeamControlWindow(w, 340));
    DialogSeamScroll(w, 340, &lo, &hi, &pos);
    EXPECT_EQ(pos, 1);  // wrapped from the highest to the lowest
    EXPECT_EQ(DialogSeamPictureRedraws(w), 2);
  };
  Run(d);
  EXPECT_EQ(d[0].cellStep.value, 1);
}

TEST_F(DialogNative, ListsAreSortedFilledAndChosenByKey) {
  std::u16string s = std::u16string(u"000001 pear") + u'\0' + u"000002 apple" + u'\0' +
                     u"000003 fig" + u'\0' + u'\0';
  DialogRecord d[] = {DlgList(106, s.data(), DLGL_SORT), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    ASSERT_EQ(DialogSeamListCount(w, 106), 3);
    EXPECT_EQ(std::u16string(DialogSeamListText(w, 106, 0)), u"000002 apple");
    EXPECT_EQ(DialogSeamListSel(w, 106), 0);
    SelectListItemByKey(w, &d[0], u'0');
    EXPECT_EQ(DialogSeamListSel(w, 106), 1);
    EXPECT_EQ(DlgCtlListData(w, 106, 1),
              GetListString(&d[0], 1));  // item data: the entry's address
  };
  Run(d);
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

TEST_F(DialogNative, AListThatRefusesEntriesShowsMessage770) {
  std::u16string s = std::u16string(u"a") + u'\0' + u"b" + u'\0' + u"c" + u'\0' + u'\0';
  DialogRecord d[] = {DlgList(106, s.data(), 0), DlgOk(), DlgEnd()};
  DialogSeamSetListLimit(2);
  user = [&](WrapWindow w, uint32_t) { EXPECT_EQ(DialogSeamListCount(w, 106), 2); };
  Run(d);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(MsgSeamLastCall()->helpTopic, 50770);
}

TEST_F(DialogNative, HelpButtonShowsTheTitleRecordsTopicAndStaysOpen) {
  DialogRecord d[] = {DlgTitleText(u"t", 42014, DLG_NO_FOCUS), DlgOk(), DlgHelp(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    EXPECT_EQ(DialogSeamPress(w, DLGID_HELP), 0);
    EXPECT_EQ(DialogSeamLastHelpTopic(), 42014u);
    EXPECT_EQ(DialogSeamPress(w, DLGID_OK), 1);
  };
  EXPECT_EQ(Run(d), DLGR_OK);
}

TEST_F(DialogNative, FieldCharsLeft) {
  REQUIRE_LANGUAGE();
  char16_t a[20] = u"hello";
  DialogRecord d[] = {DlgEdit(141, a, 20, 0), DlgText(190, 1), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    ShowFieldCharsLeft(w, d, 141, 190);
    EXPECT_EQ(std::u16string(DialogSeamText(w, 190)), u"14 " + std::u16string(GetLangText(8202)));
  };
  Run(d);
}

TEST_F(DialogNative, EscapedControlCodesSurviveTheRoundTrip) {
  REQUIRE_LANGUAGE();
  char16_t a[20] = {u'a', 24, u'b', 31, 0};
  std::u16string before(a);
  DialogRecord d[] = {DlgEdit(141, a, 20, DLGE_ESCAPED), DlgOk(), DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    std::u16string shown = DialogSeamText(w, 141);
    for (char16_t ch : shown) EXPECT_FALSE(ch >= 24 && ch <= 31);
    DialogSeamPress(w, 1);
  };
  Run(d);
  EXPECT_EQ(std::u16string(a), before);
}

// A front-end: fill, run, check, and on a bad value run again with the focus on that field.
TEST_F(DialogNative, BadFieldReopensWithTheFocusOnIt) {
  char16_t hour[8] = u"", minute[8] = u"";
  DialogRecord d[] = {DlgTitleText(u"Time", 0, 140),
                      DlgEdit(140, hour, 8, DLGE_TRIM),
                      DlgEdit(141, minute, 8, DLGE_TRIM),
                      DlgOk(),
                      DlgCancel(),
                      DlgEnd()};
  int round = 0;
  user = [&](WrapWindow w, uint32_t) {
    round++;
    if (round == 1) {
      DialogSeamType(w, 140, u"7");
      DialogSeamType(w, 141, u"75");
    } else {
      EXPECT_EQ(DialogSeamFocus(w), 141u);                       // the bad field
      EXPECT_EQ(std::u16string(DialogSeamText(w, 141)), u"75");  // the input is kept
      EXPECT_EQ(std::u16string(DialogSeamText(w, 140)), u"7");
      DialogSeamType(w, 141, u"15");
    }
    DialogSeamPress(w, 1);
  };
  int result;
  for (;;) {
    result = Run(d);
    if (result != DLGR_OK) break;
    int m = 0;
    for (int i = 0; minute[i]; i++) m = m * 10 + (minute[i] - u'0');
    if (m <= 59) break;
    d[0].title.focusId = 141;
  }
  EXPECT_EQ(result, DLGR_OK);
  EXPECT_EQ(round, 2);
  EXPECT_EQ(std::u16string(minute), u"15");
}

}  // namespace

// A dialog procedure of its own that takes the engine's start but not its end (WM_DESTROY and
// WM_NCDESTROY are handled here).
static intptr_t QUIL_DLGCALL OwnEndProc(WrapWindow w, uint32_t message, uintptr_t wParam,
                                        intptr_t lParam) {
  if (message == DLGMSG_INITDIALOG || message == DLGMSG_COMMAND)
    return DlgF_Einfach(w, message, wParam, lParam);
  return 0;
}

// Every dialog end frees its descriptor link: after many dialogs with their own procedures the
// generic dialog still finds its descriptor and reads its values back.
TEST_F(DialogNative, DialogsWithTheirOwnEndDoNotExhaustTheDescriptorLinks) {
  char16_t other[8] = u"1";
  DialogRecord own[] = {DlgTitleText(u"own", 0, 140), DlgEdit(140, other, 8, 0, 0, 0), DlgOk(),
                        DlgEnd()};
  for (int i = 0; i < 40; i++) RunDialog(nullptr, 7, OwnEndProc, own);
  char16_t value[8] = u"1";
  DialogRecord d[] = {DlgTitleText(u"t", 0, 140), DlgEdit(140, value, 8, 0, 0, 0), DlgOk(),
                      DlgEnd()};
  user = [&](WrapWindow w, uint32_t) {
    DialogSeamType(w, 140, u"42");
    DialogSeamPress(w, 1);
  };
  EXPECT_EQ(Run(d), DLGR_OK);
  EXPECT_EQ(std::u16string(value), u"42");
}
