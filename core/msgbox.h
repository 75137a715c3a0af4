// Message boxes: errors, information and questions with the place's message number in the title,
// and the plain "Trace" box for internal consistency errors.
#pragma once
#include <cstdint>
#include "core/platform.h"

// Results of the message dialogs (those of RunDialog).
constexpr int MSG_RESULT_NONE = 0;  // style 0: nothing shown
constexpr int MSG_RESULT_CANCEL = 1;
constexpr int MSG_RESULT_OK = 2;
constexpr int MSG_RESULT_YES = 3;
constexpr int MSG_RESULT_NO = 4;

// Style bits of ShowMessageDialog.
constexpr unsigned MSG_STYLE_QUESTION = 0x01;   // template 2 (Yes, No, Cancel, Help)
constexpr unsigned MSG_STYLE_NO_NUMBER = 0x80;  // no number in the title

// Dialog templates of the two message boxes and their text control.
constexpr uint32_t MSG_TEMPLATE_MESSAGE = 1;
constexpr uint32_t MSG_TEMPLATE_QUESTION = 2;
constexpr uint32_t MSG_TEXT_CONTROL = 190;
constexpr int MSG_TITLE_MAX = 260;  // characters of a composed title (with the 0)

// Shows text under title (with " <text 8040><number>" unless style has MSG_STYLE_NO_NUMBER);
// help topic = number + 50000 (16 bits). Returns MSG_RESULT_...; style 0 shows nothing.
int ShowMessageDialog(const char16_t* text, const char16_t* title, uint32_t number, unsigned style);
int ShowError(uint32_t number, const char16_t* text);  // title text 8000
int ShowErrorText(uint32_t number, uint32_t textId);
int ShowInfo(uint32_t number, const char16_t* text);  // title text 8020
int ShowInfoText(uint32_t number, uint32_t textId);
int AskQuestion(uint32_t number, const char16_t* text);  // title text 8010; 3 Yes, 4 No, 1 Cancel
// The platform box titled "Trace" (information icon); holds the simulation while open.
int ShowTraceBox(const char16_t* text);

// Pieces the functions above use (also for tests).
// Writes "<title> <text 8040><number>" (or the title alone) into out (MSG_TITLE_MAX units).
void ComposeMessageTitle(const char16_t* title, uint32_t number, unsigned style, char16_t* out);
uint16_t MessageHelpTopic(uint32_t number);  // (number + 50000) cut to 16 bits
// The owner of a box: innermost dialog, else the active edit window, else the main window,
// else the desktop window.
WrapWindow MessageBoxOwner();
// Runs message template 1 or 2 with title, help topic and text (Win32: through
// MessageBoxCalls.runTemplate; native: the test seam of core/msgbox_seam.h).
int RunMessageTemplate(WrapWindow owner, uint32_t templateId, const char16_t* title,
                       uint16_t helpTopic, const char16_t* text);
// The main window for MessageBoxOwner (null when there is none).
WrapWindow MessageMainWindow();

// What the message functions need of the dialogs, the windows and the simulation above them;
// start-up fills it. A member left null: no dialog or edit window owns a box, there is no main
// window, the "Trace" box does not hold the simulation, and (Win32) a message template is shown
// as the platform's box with the same title, text and answers.
struct MessageBoxHooks {
  WrapWindow (*innerOwner)();      // the innermost dialog, else the active edit window, or null
  WrapWindow (*mainWindow)();      // the main window or null
  int (*simulationRunning)();      // the simulation running flag
  void (*setSimulationFlag)(int);  // sets that flag alone (no redraw, no follow mode)
  // Shows template 1 (OK, Help) or 2 (Yes, No, Help, Cancel); returns MSG_RESULT_...
  int (*runTemplate)(WrapWindow owner, uint32_t templateId, const char16_t* title,
                     uint16_t helpTopic, const char16_t* text);
};
extern MessageBoxHooks MessageBoxCalls;
