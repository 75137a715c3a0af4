// The message functions: title composition with the message number, the help topic, the two
// shared descriptors of the message templates, the owner choice and the "Trace" box.
#include "core/msgbox.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "model/grid.h"

static DialogRecord MessageDescriptor[5];
static DialogRecord QuestionDescriptor[7];
static char16_t MessageTitle[MSG_TITLE_MAX];
constexpr int MESSAGE_TEXT_COPY = 4096;
static char16_t MessageText[MESSAGE_TEXT_COPY];

static int Append(char16_t* out, int used, const char16_t* text) {
  return used + CopyStringLimited(out + used, text, MSG_TITLE_MAX - used);
}

void ComposeMessageTitle(const char16_t* title, uint32_t number, unsigned style, char16_t* out) {
  int used = Append(out, 0, title);
  if (style & MSG_STYLE_NO_NUMBER) return;
  // " %s%u" with text 8040 and the number
  used = Append(out, used, u" ");
  used = Append(out, used, GetLangText(LANG_ID(8040)));
  char16_t digits[12];
  digits[FormatUnsignedDigits(digits, number, 1)] = 0;
  Append(out, used, digits);
}

uint16_t MessageHelpTopic(uint32_t number) { return (uint16_t)(number + 50000u); }

WrapWindow MessageBoxOwner() {
  WrapWindow w = GetCurrentDialog();
  if (w) return w;
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  if (slot && slot->window) return slot->window;
  w = MessageMainWindow();
  return w ? w : WrapGetDesktopWindow();
}

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

// Runs the box with the title already in MessageTitle.
static int RunComposedMessage(const char16_t* text, uint32_t number, unsigned style) {
  uint32_t templateId = (style & MSG_STYLE_QUESTION) ? MSG_TEMPLATE_QUESTION : MSG_TEMPLATE_MESSAGE;
  DialogRecord* d =
      BuildMessageDescriptor(templateId, MessageTitle, MessageHelpTopic(number), text ? text : u"");
  return RunMessageTemplate(MessageBoxOwner(), templateId, d);
}

// The text goes into MessageText when it fits, so a text from the shared buffer of a missing
// language text is not overwritten by the title lookups that follow.
static const char16_t* KeepText(const char16_t* text) {
  int n = 0;
  while (text && text[n] && n < MESSAGE_TEXT_COPY) n++;
  if (!text || n >= MESSAGE_TEXT_COPY) return text;
  return CopyString(MessageText, text);
}

int ShowMessageDialog(const char16_t* text, const char16_t* title, uint32_t number,
                      unsigned style) {
  if (style == 0) return MSG_RESULT_NONE;
  text = KeepText(text);
  ComposeMessageTitle(title, number, style, MessageTitle);
  return RunComposedMessage(text, number, style);
}

static int ShowWithTitleText(const char16_t* text, uint32_t titleId, uint32_t number,
                             unsigned style) {
  text = KeepText(text);
  ComposeMessageTitle(GetLangText(titleId), number, style, MessageTitle);
  return RunComposedMessage(text, number, style);
}

int ShowError(uint32_t number, const char16_t* text) {
  return ShowWithTitleText(text, LANG_ID(8000), number, 8);
}

int ShowErrorText(uint32_t number, uint32_t textId) {
  return ShowError(number, GetLangText(textId));
}

int ShowInfo(uint32_t number, const char16_t* text) {
  return ShowWithTitleText(text, LANG_ID(8020), number, 8);
}

int ShowInfoText(uint32_t number, uint32_t textId) { return ShowInfo(number, GetLangText(textId)); }

int AskQuestion(uint32_t number, const char16_t* text) {
  return ShowWithTitleText(text, LANG_ID(8010), number, 3);
}

int ShowTraceBox(const char16_t* text) {
  int running = SimulationRunningFlag;
  SimulationRunningFlag = 0;  // the flag alone: no tick advances the simulation meanwhile
  int result = WrapMessageBox(MessageBoxOwner(), text, u"Trace", WRAP_MB_ICONINFORMATION);
  SimulationRunningFlag = running;
  return result;
}
