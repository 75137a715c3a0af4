// Control access of the dialog engine: the few operations on a dialog's controls that the
// portable engine needs, made by dialog_win32.cpp on real windows and by dialog_native.cpp on
// windowless stand-ins (the native tests drive dialogs through the same engine).
#pragma once
#include <cstdint>
#include "app/dialog.h"

// Window messages the engine handles (the platform's numbers).
constexpr uint32_t DLGMSG_DESTROY = 0x0002;
constexpr uint32_t DLGMSG_NCDESTROY = 0x0082;  // the last message of every dialog window
constexpr uint32_t DLGMSG_PAINT = 0x000F;
constexpr uint32_t DLGMSG_DRAWITEM = 0x002B;
constexpr uint32_t DLGMSG_INITDIALOG = 0x0110;
constexpr uint32_t DLGMSG_COMMAND = 0x0111;
constexpr uint32_t DLGMSG_VSCROLL = 0x0115;
constexpr uint32_t DLGMSG_CTLCOLORMSGBOX = 0x0132;
constexpr uint32_t DLGMSG_CTLCOLOREDIT = 0x0133;
constexpr uint32_t DLGMSG_CTLCOLORLISTBOX = 0x0134;
constexpr uint32_t DLGMSG_CTLCOLORBTN = 0x0135;
constexpr uint32_t DLGMSG_CTLCOLORDLG = 0x0136;
constexpr uint32_t DLGMSG_CTLCOLORSCROLLBAR = 0x0137;
constexpr uint32_t DLGMSG_CTLCOLORSTATIC = 0x0138;
constexpr uint32_t DLGMSG_USER = 0x0400;
constexpr uint32_t DLGMSG_KEY = DLGMSG_USER + 2;   // a key for the dialog's own handling
constexpr uint32_t DLGMSG_STEP = DLGMSG_USER + 3;  // arrow or page key: step the focused field
// Scroll codes of WM_VSCROLL (low word of wParam).
constexpr int SB_CODE_LINEUP = 0, SB_CODE_LINEDOWN = 1, SB_CODE_PAGEUP = 2, SB_CODE_PAGEDOWN = 3,
              SB_CODE_THUMBPOSITION = 4, SB_CODE_THUMBTRACK = 5, SB_CODE_TOP = 6,
              SB_CODE_BOTTOM = 7;
// Keys of the field stepping.
constexpr uint32_t KEY_PAGE_UP = 33, KEY_PAGE_DOWN = 34, KEY_UP = 38, KEY_DOWN = 40;

// Display fonts (set on controls).
constexpr int DLG_FONT_3 = 3, DLG_FONT_4 = 4, DLG_FONT_7 = 7;

int DlgCtlExists(WrapWindow dlg, uint32_t id);
// Control id of a control window (0 for none).
uint32_t DlgCtlIdOfWindow(WrapWindow control);
void DlgCtlSetTitle(WrapWindow dlg, const char16_t* text);
void DlgCtlSetText(WrapWindow dlg, uint32_t id, const char16_t* text);
int DlgCtlGetText(WrapWindow dlg, uint32_t id, char16_t* buf, int maxChars);  // length
void DlgCtlEnable(WrapWindow dlg, uint32_t id, int enable);
int DlgCtlIsEnabled(WrapWindow dlg, uint32_t id);
void DlgCtlSetCheck(WrapWindow dlg, uint32_t id, int checked);
// Checks a radio button and clears the other radio buttons of its group.
void DlgCtlCheckRadio(WrapWindow dlg, uint32_t id);
int DlgCtlIsChecked(WrapWindow dlg, uint32_t id);
void DlgCtlSetFont(WrapWindow dlg, uint32_t id, int font);
void DlgCtlSetLimit(WrapWindow dlg, uint32_t id, int limit);       // edit field
void DlgCtlSetComboLimit(WrapWindow dlg, uint32_t id, int limit);  // combo box, extended UI
// Gives the control the focus, or the next tab stop when it is disabled.
void DlgCtlFocus(WrapWindow dlg, uint32_t id);
// The window and control id that has the focus (a combo box's edit part counts as the combo);
// 0 when the focus is on no dialog control.
int DlgCtlFocused(WrapWindow* dlg, uint32_t* id);
// Makes a plain push button the default button (nothing for other controls).
void DlgCtlMakeDefault(WrapWindow dlg, uint32_t id);
int DlgCtlGetCaret(WrapWindow dlg, uint32_t id);
void DlgCtlSetCaret(WrapWindow dlg, uint32_t id, int pos);
// Scroll bars: range only (no redraw), full state, or disabled.
void DlgCtlScrollRange(WrapWindow dlg, uint32_t id, int lowest, int highest);
void DlgCtlScrollSet(WrapWindow dlg, uint32_t id, int lowest, int highest, int page, int pos,
                     int redraw);
void DlgCtlScrollDisable(WrapWindow dlg, uint32_t id);
int DlgCtlIsActive(WrapWindow dlg);  // the dialog is the active window
// List boxes.
void DlgCtlListReset(WrapWindow dlg, uint32_t id);
int DlgCtlListAdd(WrapWindow dlg, uint32_t id, const char16_t* text, void* data,
                  int height);  // index or -1
int DlgCtlListCount(WrapWindow dlg, uint32_t id);
int DlgCtlListGetSel(WrapWindow dlg, uint32_t id);  // -1 none
void DlgCtlListSetSel(WrapWindow dlg, uint32_t id, int n);
void* DlgCtlListData(WrapWindow dlg, uint32_t id, int n);
// The answer to the message the dialog procedure is handling, as real dialogs give it: what the
// sender gets back when the procedure returns nonzero (the procedure's own value goes to the
// dialog manager, except for the few messages whose value is passed on as it stands).
void DlgCtlSetResult(WrapWindow dlg, intptr_t result);
// Ends the modal dialog with an end code.
void DlgCtlEndDialog(WrapWindow dlg, intptr_t code);
// Repaints the picture area of a type-13/14 record at once.
void DlgCtlRedrawPicture(WrapWindow dlg, DialogRecord* rec);
// Opens the help topic of a dialog (innermost dialog as owner).
void DlgCtlShowHelp(uint32_t topic);

// ---- the parts of RunDialog per build -----------------------------------------------------------
WrapWindow DialogPlatformDefaultOwner();  // active edit window, else main window, else null
intptr_t DialogPlatformModal(WrapWindow owner, uint32_t templateId, DialogProcFn proc,
                             DialogRecord* descriptor);
void DialogPlatformBrushes(int create);  // create (1) or delete (0) the five brushes
// The registered drawing services (null until their owners register them).
DialogColourFn GetDialogColourSource();
DialogFontFn GetDialogFontSource();
DialogCellPainterFn GetDialogCellPainter();
DialogDiagramPainterFn GetDialogDiagramPainter();
DialogSymbolTextFn GetDialogSymbolText();
// Win32 build: a display colour (0x00BBGGRR) by its number, and the main window of this process.
uint32_t DialogDisplayColour(int n);
WrapWindow DialogMainWindow();
