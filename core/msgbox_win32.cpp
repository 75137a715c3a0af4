// Win32 build of the message boxes: templates 1 and 2 run through the dialog engine with the
// generic procedure; the main window is the program's status-class window.
#include "core/msgbox.h"
#include "app/dialog.h"
#include "app/dialog_ctl.h"

int RunMessageTemplate(WrapWindow owner, uint32_t templateId, DialogRecord* descriptor) {
  return RunDialog(owner, templateId, DlgF_Einfach, descriptor);
}

WrapWindow MessageMainWindow() { return DialogMainWindow(); }
