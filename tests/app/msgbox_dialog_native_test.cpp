// The message templates on the dialog engine (the run start-up gives the message functions):
// title, text, the buttons of each template and the answer each button gives.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/dialog_seam.h"
#include "app/msgbox_dialog.h"
#include "core/msgbox.h"

namespace {
struct Seen {
  uint32_t templateId = 0;
  std::u16string title, text;
  std::vector<uint32_t> buttons;
  uint32_t press = 0;
};

void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Seen* s = static_cast<Seen*>(context);
  s->templateId = templateId;
  s->title = DialogSeamTitle(dlg);
  const char16_t* text = DialogSeamText(dlg, MSG_TEXT_CONTROL);
  s->text = text ? text : u"";
  for (uint32_t id : {DLGID_OK, DLGID_CANCEL, DLGID_YES, DLGID_NO, DLGID_HELP})
    if (DlgCtlExists(dlg, id)) s->buttons.push_back(id);
  if (s->press) DialogSeamPress(dlg, s->press);
}
}  // namespace

TEST(MessageDialog, TemplatesShowTheirButtonsAndAnswerByButton) {
  const struct {
    uint32_t templateId;
    std::vector<uint32_t> buttons;
    uint32_t press;
    int result;
  } cases[] = {
      {MSG_TEMPLATE_MESSAGE, {DLGID_OK, DLGID_HELP}, DLGID_OK, MSG_RESULT_OK},
      {MSG_TEMPLATE_QUESTION,
       {DLGID_CANCEL, DLGID_YES, DLGID_NO, DLGID_HELP},
       DLGID_YES,
       MSG_RESULT_YES},
      {MSG_TEMPLATE_QUESTION,
       {DLGID_CANCEL, DLGID_YES, DLGID_NO, DLGID_HELP},
       DLGID_NO,
       MSG_RESULT_NO},
      {MSG_TEMPLATE_QUESTION,
       {DLGID_CANCEL, DLGID_YES, DLGID_NO, DLGID_HELP},
       0,
       MSG_RESULT_CANCEL},
  };
  for (const auto& c : cases) {
    DialogSeamReset();
    Seen seen;
    seen.press = c.press;
    DialogSeamSetUser(User, &seen);
    EXPECT_EQ(c.result, RunMessageDialog(nullptr, c.templateId, u"Title 1", 51234, u"the text"));
    EXPECT_EQ(c.templateId, seen.templateId);
    EXPECT_EQ(u"Title 1", seen.title);
    EXPECT_EQ(u"the text", seen.text);
    EXPECT_EQ(c.buttons, seen.buttons) << c.templateId;
  }
  DialogSeamReset();
}

// Start-up gives the message functions this run, and the dialogs and edit windows as owners.
TEST(MessageDialog, StartUpPutsTheDialogRunIntoTheMessageFunctions) {
  EXPECT_EQ(&RunMessageDialog, MessageBoxCalls.runTemplate);
  DialogSeamReset();
  WrapWindow ownerInside = nullptr;
  auto user = [](WrapWindow dlg, uint32_t, void* context) {
    *static_cast<WrapWindow*>(context) = MessageBoxOwner() == dlg ? dlg : nullptr;
  };
  DialogSeamSetUser(user, &ownerInside);
  DialogRecord d[] = {DlgTitleText(u"outer", 0, DLG_NO_FOCUS), DlgOk(), DlgEnd()};
  RunDialog(nullptr, 7, DlgF_Einfach, d);
  EXPECT_NE(nullptr, ownerInside);  // the open dialog owns a box shown from it
  DialogSeamReset();
}
