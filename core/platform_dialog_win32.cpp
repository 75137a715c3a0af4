// Win32 build, dialogs group: modal dialogs by template number, dialog items, their texts,
// numbers and check states (list and combo strings in their ANSI form in ANSI mode).
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

intptr_t WrapDialogBoxParam(WrapInstance instance, uint32_t templateId, WrapWindow owner,
                            WrapDlgProc proc, intptr_t param) {
  if (UnicodeFlag)
    return DialogBoxParamW((HINSTANCE)instance, MAKEINTRESOURCEW(templateId), (HWND)owner,
                           (DLGPROC)proc, param);
  return DialogBoxParamA((HINSTANCE)instance, MAKEINTRESOURCEA(templateId), (HWND)owner,
                         (DLGPROC)proc, param);
}

int WrapEndDialog(WrapWindow dialog, intptr_t result) { return EndDialog((HWND)dialog, result); }
WrapWindow WrapGetDlgItem(WrapWindow dialog, int id) { return GetDlgItem((HWND)dialog, id); }
int WrapGetDlgCtrlID(WrapWindow control) { return GetDlgCtrlID((HWND)control); }
WrapWindow WrapGetNextDlgTabItem(WrapWindow dialog, WrapWindow control, int previous) {
  return GetNextDlgTabItem((HWND)dialog, (HWND)control, previous);
}

static int IsListStringMessage(uint32_t message) {
  switch (message) {
    case CB_ADDSTRING:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SELECTSTRING:
    case LB_DIR:
    case LB_FINDSTRING:
    case LB_ADDFILE:
    case LB_FINDSTRINGEXACT: return 1;
    default: return 0;
  }
}

WrapLResult WrapSendDlgItemMessage(WrapWindow dialog, int id, uint32_t message, WrapWParam wParam,
                                   WrapLParam lParam) {
  if (UnicodeFlag) return SendDlgItemMessageW((HWND)dialog, id, message, wParam, lParam);
  if (message == LB_GETTEXT) return 0;
  if (IsListStringMessage(message) && lParam) {
    char a[WRAP_ANSI_BUF];
    WrapAnsiArgCut((const char16_t*)lParam, a, sizeof a, WRAP_ANSI_MAX - 1);
    return SendDlgItemMessageA((HWND)dialog, id, message, wParam, (LPARAM)a);
  }
  return SendDlgItemMessageA((HWND)dialog, id, message, wParam, lParam);
}

int WrapSetDlgItemText(WrapWindow dialog, int id, const char16_t* text) {
  HWND control = GetDlgItem((HWND)dialog, id);
  if (!control) return 0;
  return (int)WrapSendMessage(control, WM_SETTEXT, 0, (WrapLParam)text);
}

int WrapGetDlgItemText(WrapWindow dialog, int id, char16_t* buf, int maxChars) {
  HWND control = GetDlgItem((HWND)dialog, id);
  if (!control) {
    if (buf && maxChars > 0) buf[0] = 0;
    return 0;
  }
  return (int)WrapSendMessage(control, WM_GETTEXT, (WrapWParam)maxChars, (WrapLParam)buf);
}

int WrapSetDlgItemInt(WrapWindow dialog, int id, uint32_t value, int isSigned) {
  return SetDlgItemInt((HWND)dialog, id, value, isSigned);
}

uint32_t WrapGetDlgItemInt(WrapWindow dialog, int id, int* translated, int isSigned) {
  BOOL ok = FALSE;
  UINT v = GetDlgItemInt((HWND)dialog, id, &ok, isSigned);
  if (translated) *translated = ok;
  return v;
}

int WrapCheckRadioButton(WrapWindow dialog, int firstId, int lastId, int checkId) {
  return CheckRadioButton((HWND)dialog, firstId, lastId, checkId);
}
int WrapCheckDlgButton(WrapWindow dialog, int id, uint32_t check) {
  return CheckDlgButton((HWND)dialog, id, check);
}
uint32_t WrapIsDlgButtonChecked(WrapWindow dialog, int id) {
  return IsDlgButtonChecked((HWND)dialog, id);
}
int WrapMapDialogRect(WrapWindow dialog, WrapRect* rect) {
  return MapDialogRect((HWND)dialog, (RECT*)rect);
}
int WrapMessageBeep(uint32_t type) { return MessageBeep(type); }
