// Test seam of the native build's dialogs: RunDialog makes a windowless dialog whose controls
// follow the descriptor, runs the procedure on it, and lets a test "user" type, click and press.
#pragma once
#include <cstdint>
#include "app/dialog.h"

// The user of a dialog: called once the dialog is initialised; may call the functions below and
// RunDialog again (nesting). When it returns without ending the dialog, Cancel (2) is pressed.
typedef void (*DialogSeamUser)(WrapWindow dlg, uint32_t templateId, void* context);
void DialogSeamReset();  // no user, no dialogs, counters 0
void DialogSeamSetUser(DialogSeamUser user, void* context);
void DialogSeamSetNoOwner(int none);       // 1: no default owner exists
void DialogSeamSetListLimit(int entries);  // list boxes refuse entries past this (0: none)
int DialogSeamRunCount();                  // dialogs shown since the reset
uint32_t DialogSeamLastTemplate();
WrapWindow DialogSeamLastOwner();

// Acting as the user.
int DialogSeamPress(WrapWindow dlg, uint32_t id);  // WM_COMMAND; 1 when it ended
void DialogSeamType(WrapWindow dlg, uint32_t id, const char16_t* text);  // replaces the text
void DialogSeamClick(WrapWindow dlg, uint32_t id);  // toggles a check box, picks a radio
void DialogSeamSetFocus(WrapWindow dlg, uint32_t id, int caret);
intptr_t DialogSeamSend(WrapWindow dlg, uint32_t message, uintptr_t wParam, intptr_t lParam);
void DialogSeamSetActive(WrapWindow dlg, int active);             // default: active
WrapWindow DialogSeamControlWindow(WrapWindow dlg, uint32_t id);  // for WM_VSCROLL's lParam

// Reading what the dialog shows.
const char16_t* DialogSeamTitle(WrapWindow dlg);
const char16_t* DialogSeamText(WrapWindow dlg, uint32_t id);  // null when no such control
int DialogSeamEnabled(WrapWindow dlg, uint32_t id);
int DialogSeamChecked(WrapWindow dlg, uint32_t id);
int DialogSeamFont(WrapWindow dlg, uint32_t id);
int DialogSeamLimit(WrapWindow dlg, uint32_t id);
uint32_t DialogSeamFocus(WrapWindow dlg);  // focused control id, 0 none
int DialogSeamCaret(WrapWindow dlg, uint32_t id);
uint32_t DialogSeamDefault(WrapWindow dlg);  // default push button id
// Scroll bar state: 1 when enabled; range and position through the pointers.
int DialogSeamScroll(WrapWindow dlg, uint32_t id, int* lowest, int* highest, int* pos);
int DialogSeamListCount(WrapWindow dlg, uint32_t id);
const char16_t* DialogSeamListText(WrapWindow dlg, uint32_t id, int n);
int DialogSeamListSel(WrapWindow dlg, uint32_t id);
int DialogSeamPictureRedraws(WrapWindow dlg);
uint32_t DialogSeamLastHelpTopic();
int DialogSeamBrushSets();  // brush sets made and not yet deleted
