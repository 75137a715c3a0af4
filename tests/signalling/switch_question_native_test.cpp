// The manual switching question through the native dialog seam: dialog 90 with its title and
// buttons, exit 3 offered only with a third exit, the proposal focused, and every answer.
#include <gtest/gtest.h>
#include "app/dialog_seam.h"
#include "app/editwnd.h"
#include "core/langtext.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"

namespace {
struct Seen {
  uint32_t press;
  uint32_t templateId;
  std::u16string title;
  int exit3Enabled;
  uint32_t focus;
};

void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Seen* s = (Seen*)context;
  s->templateId = templateId;
  const char16_t* t = DialogSeamTitle(dlg);
  s->title = t ? t : u"";
  s->exit3Enabled = DialogSeamEnabled(dlg, 122);
  s->focus = DialogSeamFocus(dlg);
  if (s->press) DialogSeamPress(dlg, s->press);
}

struct Question : ::testing::Test {
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    ClearSwitches();
    DialogSeamReset();
    EditViews.active = -1;
    SetCell(5, 5, 0, 72);
  }
  void TearDown() override {
    DialogSeamReset();
    ClearSwitches();
  }
};
}  // namespace

TEST_F(Question, ButtonsAnswerWithTheirExitOrTheProposal) {
  const uint32_t three[4] = {2, 1, 32, 128}, two[4] = {2, 1, 32, 0};
  struct {
    const uint32_t* dirs;
    uint32_t proposal, press, want, focus;
  } cases[] = {
      {three, 1, 121, 32, 120},  {three, 32, 122, 128, 121}, {three, 128, 120, 1, 122},
      {three, 32, 123, 32, 121}, {three, 1, 124, 1, 120},    {three, 1, 125, 0x10000, 120},
      {three, 32, 0, 32, 121},   {two, 1, 122, 1, 120},
  };
  for (auto& c : cases) {
    ClearSwitches();
    ASSERT_EQ(PlaceSwitch(5, 5, 0, 0, SWITCH_PLAIN, 1, c.dirs, 0), 0);
    Seen seen = {c.press, 0, u"", -1, 0};
    DialogSeamSetUser(User, &seen);
    SetSimulationRunning(SIMRUN_START);
    uint32_t got = AskSwitchExit(c.proposal, FindSwitchRecord(5, 5, 0, 0));
    EXPECT_EQ(got, c.want) << "press " << c.press;
    EXPECT_EQ(seen.templateId, 90u);
    EXPECT_EQ(seen.title, std::u16string(GetLangText(LANG_ID(15020))));
    EXPECT_EQ(seen.exit3Enabled, c.dirs[3] ? 1 : 0);
    EXPECT_EQ(seen.focus, c.focus) << "press " << c.press;
    EXPECT_EQ(IsSimulationRunning(), c.press == 125 ? 0 : 1);
  }
  SetSimulationRunning(SIMRUN_STOP);
}
