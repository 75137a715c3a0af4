// Message functions through the native seam: titles with the number after text 8040, help
// topics, templates and buttons, answers, style 0, and the "Trace" box holding the simulation.
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/langtext.h"
#include "model/grid.h"
#include <gtest/gtest.h>
#include <string>

namespace {
std::u16string Title(uint32_t titleId, const char16_t* number) {
  std::u16string t = GetLangText(titleId);
  t += u" ";
  t += GetLangText(8040);
  return t + number;
}
}  // namespace

TEST(MessageBoxes, TitleTemplateAndHelpTopicPerFunction) {
  struct Case {
    int (*call)(uint32_t, const char16_t*);
    uint32_t number, titleId, templateId;
    const char16_t* numberText;
    uint16_t help;
  } cases[] = {
      {ShowError, 1234, 8000, 1, u"1234", 51234},
      {ShowInfo, 96, 8020, 1, u"96", 50096},
      {AskQuestion, 20000, 8010, 2, u"20000", 4464},
      {ShowError, 0, 8000, 1, u"0", 50000},
  };
  for (const Case& c : cases) {
    MsgSeamReset();
    c.call(c.number, u"the message");
    ASSERT_EQ(1, MsgSeamCallCount());
    const MsgBoxCall* m = MsgSeamLastCall();
    EXPECT_EQ(0, m->platformBox);
    EXPECT_EQ(c.templateId, m->templateId);
    EXPECT_EQ(Title(c.titleId, c.numberText), std::u16string(m->title));
    EXPECT_EQ(std::u16string(u"the message"), std::u16string(m->text));
    EXPECT_EQ(c.help, m->helpTopic);
  }
}

TEST(MessageBoxes, TextIdFormsLookUpTheText) {
  MsgSeamReset();
  ShowErrorText(5, 8020);
  ShowInfoText(6, 8000);
  ASSERT_EQ(2, MsgSeamCallCount());
  std::u16string t8020 = GetLangText(8020);
  std::u16string t8000 = GetLangText(8000);
  EXPECT_EQ(t8020, MsgSeamCall(0)->text);
  EXPECT_EQ(t8000, MsgSeamCall(1)->text);
}

TEST(MessageBoxes, StylesAndAnswers) {
  MsgSeamReset();
  EXPECT_EQ(MSG_RESULT_NONE, ShowMessageDialog(u"x", u"T", 7, 0));
  EXPECT_EQ(0, MsgSeamCallCount());
  EXPECT_EQ(MSG_RESULT_OK, ShowMessageDialog(u"x", u"T", 7, 0x80 | 8));
  EXPECT_EQ(std::u16string(u"T"), MsgSeamLastCall()->title);
  MsgSeamPushAnswer(MSG_RESULT_YES);
  MsgSeamPushAnswer(MSG_RESULT_NO);
  EXPECT_EQ(MSG_RESULT_YES, AskQuestion(1, u"q"));
  EXPECT_EQ(MSG_RESULT_NO, AskQuestion(2, u"q"));
  EXPECT_EQ(MSG_RESULT_CANCEL, AskQuestion(3, u"q"));  // nothing queued: closed with Cancel
  EXPECT_EQ(2u, MsgSeamLastCall()->templateId);
}

TEST(MessageBoxes, LongTitleIsCutAndTerminated) {
  std::u16string title(400, u't');
  char16_t out[MSG_TITLE_MAX + 4];
  for (char16_t& u : out) u = u'X';
  ComposeMessageTitle(title.c_str(), 12, 8, out);
  EXPECT_EQ((size_t)MSG_TITLE_MAX - 1, std::u16string(out).size());
  EXPECT_EQ(u'X', out[MSG_TITLE_MAX]);
}

TEST(MessageBoxes, TraceBoxHoldsTheSimulationWhileOpen) {
  for (int running : {1, 0}) {
    MsgSeamReset();
    SimulationRunningFlag = running;
    MsgSeamPushAnswer(1);
    EXPECT_EQ(1, ShowTraceBox(u"MISC.StrStr2().Bufsize error"));
    const MsgBoxCall* m = MsgSeamLastCall();
    ASSERT_NE(nullptr, m);
    EXPECT_EQ(1, m->platformBox);
    EXPECT_EQ(std::u16string(u"Trace"), m->title);
    EXPECT_EQ(std::u16string(u"MISC.StrStr2().Bufsize error"), m->text);
    EXPECT_EQ(64u, m->style);
    EXPECT_EQ(0, m->runningDuring);
    EXPECT_EQ(running, IsSimulationRunning());
  }
  SimulationRunningFlag = 0;
}

TEST(MessageBoxes, PlatformBoxInAnsiModeCutsTo259Characters) {
  std::u16string text(300, u'm');
  for (int mode : {1, 0}) {
    int old = UnicodeFlag;
    UnicodeFlag = mode;
    MsgSeamReset();
    WrapMessageBox(nullptr, text.c_str(), u"Trace", 0);
    EXPECT_EQ(mode ? 300u : 259u, std::u16string(MsgSeamLastCall()->text).size());
    UnicodeFlag = old;
  }
}

// Without the hooks of start-up the message functions stand alone: the desktop owns every box,
// the "Trace" box leaves the simulation flag alone, and the boxes still show their texts.
TEST(MessageBoxes, WithoutTheHooksOfStartUpBoxesStillShow) {
  MessageBoxHooks saved = MessageBoxCalls;
  MessageBoxCalls = MessageBoxHooks{};
  SimulationRunningFlag = 1;
  MsgSeamReset();
  EXPECT_EQ(WrapGetDesktopWindow(), MessageBoxOwner());
  EXPECT_EQ(nullptr, MessageMainWindow());
  EXPECT_EQ(MSG_RESULT_OK, ShowError(7, u"alone"));
  EXPECT_EQ(1, ShowTraceBox(u"trace"));
  ASSERT_EQ(2, MsgSeamCallCount());
  EXPECT_EQ(std::u16string(u"alone"), MsgSeamCall(0)->text);
  EXPECT_EQ(0, MsgSeamCall(1)->runningDuring);  // nothing reads the flag without the hooks
  EXPECT_EQ(1, SimulationRunningFlag);
  SimulationRunningFlag = 0;
  MessageBoxCalls = saved;
}
