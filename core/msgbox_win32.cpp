// Win32 build of the message boxes: templates 1 and 2 run through the dialog engine that start-up
// puts into MessageBoxCalls; without it, the platform's box shows the same title, text and answers.
#include "core/msgbox.h"

int RunMessageTemplate(WrapWindow owner, uint32_t templateId, const char16_t* title,
                       uint16_t helpTopic, const char16_t* text) {
  if (MessageBoxCalls.runTemplate)
    return MessageBoxCalls.runTemplate(owner, templateId, title, helpTopic, text);
  constexpr unsigned kYesNoCancel = 0x3, kIconQuestion = 0x20;
  constexpr int kYes = 6, kNo = 7, kOk = 1;
  int question = templateId == MSG_TEMPLATE_QUESTION;
  int r = WrapMessageBox(owner, text, title, question ? kYesNoCancel | kIconQuestion : WRAP_MB_OK);
  if (r == kYes) return MSG_RESULT_YES;
  if (r == kNo) return MSG_RESULT_NO;
  if (r == kOk) return MSG_RESULT_OK;
  return MSG_RESULT_CANCEL;
}
