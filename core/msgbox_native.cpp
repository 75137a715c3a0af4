// Native build of the message boxes: the seam records each box and answers it from the queue
// (default: OK for template 1, Cancel for template 2, 1 for the platform box).
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/misc.h"

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
  c->runningDuring = MessageBoxCalls.simulationRunning ? MessageBoxCalls.simulationRunning() : 0;
  return c;
}

static int NextAnswer(int fallback) {
  return AnswerNext < AnswerCount ? Answers[AnswerNext++] : fallback;
}

int RunMessageTemplate(WrapWindow owner, uint32_t templateId, const char16_t* title,
                       uint16_t helpTopic, const char16_t* text) {
  MsgBoxCall* c = NewCall(owner);
  c->templateId = templateId;
  c->helpTopic = helpTopic;
  CopyStringLimited(c->title, title, MSGSEAM_TEXT);
  CopyStringLimited(c->text, text, MSGSEAM_TEXT);
  return NextAnswer(templateId == MSG_TEMPLATE_QUESTION ? MSG_RESULT_CANCEL : MSG_RESULT_OK);
}

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
