// The message functions: title composition with the message number, the help topic, the two
// shared descriptors of the message templates, the owner choice and the "Trace" box.
#include "core/msgbox.h"
#include "core/langtext.h"
#include "core/misc.h"

MessageBoxHooks MessageBoxCalls = {};

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
  WrapWindow w = MessageBoxCalls.innerOwner ? MessageBoxCalls.innerOwner() : nullptr;
  if (w) return w;
  w = MessageMainWindow();
  return w ? w : WrapGetDesktopWindow();
}

WrapWindow MessageMainWindow() {
  return MessageBoxCalls.mainWindow ? MessageBoxCalls.mainWindow() : nullptr;
}

// Runs the box with the title already in MessageTitle.
static int RunComposedMessage(const char16_t* text, uint32_t number, unsigned style) {
  uint32_t templateId = (style & MSG_STYLE_QUESTION) ? MSG_TEMPLATE_QUESTION : MSG_TEMPLATE_MESSAGE;
  return RunMessageTemplate(MessageBoxOwner(), templateId, MessageTitle, MessageHelpTopic(number),
                            text ? text : u"");
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
  // The flag alone: no tick advances the simulation meanwhile.
  int hold = MessageBoxCalls.simulationRunning && MessageBoxCalls.setSimulationFlag;
  int running = hold ? MessageBoxCalls.simulationRunning() : 0;
  if (hold) MessageBoxCalls.setSimulationFlag(0);
  int result = WrapMessageBox(MessageBoxOwner(), text, u"Trace", WRAP_MB_ICONINFORMATION);
  if (hold) MessageBoxCalls.setSimulationFlag(running);
  return result;
}
