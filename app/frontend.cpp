// The common run of a menu command's dialog: run, check, re-open on the bad field.
#include "app/frontend.h"
#include "app/editwnd.h"

int FrontEndHasActiveWindow() { return EditViews.active >= 0; }

void SetDescriptorFocus(DialogRecord* descriptor, uint32_t controlId) {
  for (DialogRecord* r = descriptor; r && r->type < DLG_END; r = NextDescriptorRecord(r))
    if (r->type == DLG_TITLE_ID || r->type == DLG_TITLE_TEXT) {
      r->title.focusId = controlId;
      return;
    }
}

int RunFrontEndDialog(uint32_t templateId, DialogProcFn proc, DialogRecord* descriptor,
                      FrontEndCheckFn check, void* context) {
  SetDescriptorFocus(descriptor, DLG_NO_FOCUS);
  for (;;) {
    int r = RunDialog(nullptr, templateId, proc ? proc : DlgF_Einfach, descriptor);
    if (r != DLGR_OK || !check) return r;
    uint32_t bad = check(descriptor, context);
    if (!bad) return DLGR_OK;
    SetDescriptorFocus(descriptor, bad);
  }
}
