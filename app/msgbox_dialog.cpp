// The message templates on the dialog engine: two shared descriptors, run with DlgF_Einfach.
#include "app/msgbox_dialog.h"
#include "app/dialog.h"
#include "core/msgbox.h"

static DialogRecord MessageDescriptor[5];
static DialogRecord QuestionDescriptor[7];

DialogRecord* BuildMessageDescriptor(uint32_t templateId, const char16_t* title, uint16_t helpTopic,
                                     const char16_t* text) {
  if (templateId == MSG_TEMPLATE_QUESTION) {
    DialogRecord* d = QuestionDescriptor;
    d[0] = DlgTitleText(title, helpTopic, DLG_NO_FOCUS);
    d[1] = DlgTextPtr(MSG_TEXT_CONTROL, text);
    d[2] = DlgYes();
    d[3] = DlgNo();
    d[4] = DlgHelp();
    d[5] = DlgCancel();
    d[6] = DlgEnd();
    return d;
  }
  DialogRecord* d = MessageDescriptor;
  d[0] = DlgTitleText(title, helpTopic, DLG_NO_FOCUS);
  d[1] = DlgTextPtr(MSG_TEXT_CONTROL, text);
  d[2] = DlgOk();
  d[3] = DlgHelp();
  d[4] = DlgEnd();
  return d;
}

int RunMessageDialog(WrapWindow owner, uint32_t templateId, const char16_t* title,
                     uint16_t helpTopic, const char16_t* text) {
  return RunDialog(owner, templateId, DlgF_Einfach,
                   BuildMessageDescriptor(templateId, title, helpTopic, text));
}
