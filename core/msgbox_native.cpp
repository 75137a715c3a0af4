// Native build of the message boxes: the seam records each box and answers it from the queue
// (default: OK for template 1, Cancel for template 2, 1 for the platform box).
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/misc.h"
#include "app/dialog.h"
#include "model/grid.h"

static MsgBoxCall Calls[MSGSEAM_MAX];
static int CallTotal;
static int Answers[MSGSEAM_MAX];
static int AnswerCount, AnswerNext;

void MsgSeamReset() {
  CallTotal = 0;
  AnswerCount = 0;
  AnswerNext = 0;
}

void MsgSeamPushAnswer(int answer) {
  if (AnswerCount < MSGSEAM_MAX) Answers[AnswerCount++] = answer;
}

int MsgSeamCallCount() { return CallTotal; }

const MsgBoxCall* MsgSeamCall(int n) {
  int kept = CallTotal < MSGSEAM_MAX ? CallTotal : MSGSEAM_MAX;
  if (n < 0 || n >= kept) return nullptr;
  return &Calls[(CallTotal - kept + n) % MSGSEAM_MAX];
}

const MsgBoxCall* MsgSeamLastCall() {
  return CallTotal ? &Calls[(CallTotal - 1) % MSGSEAM_MAX] : nullptr;
}

static MsgBoxCall* NewCall(WrapWindow owner) {
  MsgBoxCall* c = &Calls[CallTotal % MSGSEAM_MAX];
  CallTotal++;
  *c = MsgBoxCall{};
  c->owner = owner;
  c->runningDuring = IsSimulationRunning();
  return c;
}

static int NextAnswer(int fallback) {
  return AnswerNext < AnswerCount ? Answers[AnswerNext++] : fallback;
}

int RunMessageTemplate(WrapWindow owner, uint32_t templateId, DialogRecord* descriptor) {
  MsgBoxCall* c = NewCall(owner);
  c->templateId = templateId;
  for (DialogRecord* r = descriptor; r && r->type < DLG_END; r++) {
    if (r->type == DLG_TITLE_TEXT) {
      CopyStringLimited(c->title, r->title.text, MSGSEAM_TEXT);
      c->helpTopic = r->title.helpTopic;
    } else if (r->type == DLG_TEXT_PTR && r->text.controlId == MSG_TEXT_CONTROL) {
      CopyStringLimited(c->text, r->text.text, MSGSEAM_TEXT);
    } else if (r->type >= DLG_BTN_OK && r->type <= DLG_BTN_HELP && c->buttonCount < 8) {
      static const uint32_t ids[] = {DLGID_OK,  DLGID_CANCEL, DLGID_THIRD,
                                     DLGID_YES, DLGID_NO,     DLGID_HELP};
      c->buttons[c->buttonCount++] = ids[r->type - DLG_BTN_OK];
    }
  }
  return NextAnswer(templateId == MSG_TEMPLATE_QUESTION ? MSG_RESULT_CANCEL : MSG_RESULT_OK);
}

WrapWindow MessageMainWindow() { return nullptr; }

int WrapMessageBox(WrapWindow owner, const char16_t* text, const char16_t* title, unsigned style) {
  MsgBoxCall* c = NewCall(owner);
  c->platformBox = 1;
  c->style = style;
  // the ANSI rule of the message box: text and title cut to 259 characters
  int capacity = UnicodeFlag ? MSGSEAM_TEXT : WRAP_ANSI_MAX;
  CopyStringLimited(c->text, text, capacity);
  CopyStringLimited(c->title, title, capacity);
  return NextAnswer(1);
}
