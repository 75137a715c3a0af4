// Win32 build: the platform's open and save dialogs, in the explorer style or with the program's
// template 103, and their hook procedure DlgF_FileHook.
#include <windows.h>
#include <commdlg.h>
#include "app/dialog.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/filedialog.h"
#include "app/help.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform_ui.h"

// The one descriptor of the file dialog (filled for each run).
static DialogRecord FileDescriptor[10];
static FileDialogOptionsFn RunOptions = nullptr;
static int RunExplorer = 0;

static void BuildDescriptor(const FileDialogRun* run) {
  int n = 0;
  FileDescriptor[n++] = DlgTitle((uint16_t)run->titleId, run->helpTopic, DLG_NO_FOCUS);
  for (uint16_t i = 0; i < 4; i++)
    FileDescriptor[n++] = DlgText((uint16_t)(190 + i), (uint16_t)(LANG_ID(11380) + i));
  DialogRecord ok = DlgText(1, (uint16_t)run->okTextId);
  ok.type = DLG_TEXT_ID2;
  FileDescriptor[n++] = ok;
  FileDescriptor[n++] = DlgHelp();
  FileDescriptor[n++] = DlgCancel();
  FileDescriptor[n++] = run->options ? DlgText(FILEDLG_OPTIONS_BUTTON, LANG_ID(11384))
                                     : DlgTextOff(FILEDLG_OPTIONS_BUTTON, LANG_ID(11384));
  if (run->options) FileDescriptor[n - 1].type = DLG_TEXT_ID2;
  FileDescriptor[n++] = DlgList(FILEDLG_FOLDER_LIST, nullptr,
                                DLGL_FONT_ONLY | (run->fixedFolder ? DLGL_DISABLED : 0));
  FileDescriptor[n++] = DlgEnd();
}

static UINT_PTR CALLBACK DlgF_FileHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  HWND dialog = RunExplorer ? GetParent(window) : window;
  switch (message) {
    case WM_INITDIALOG: {
      const OPENFILENAMEW* ofn = (const OPENFILENAMEW*)lParam;
      DialogRecord* d = ofn ? (DialogRecord*)ofn->lCustData : nullptr;
      SetCurrentDialogWindow(dialog);
      if (!RunExplorer && d) InitDialogFromDescriptor(dialog, d);
      return 1;
    }
    case WM_NOTIFY: {
      const NMHDR* h = (const NMHDR*)lParam;
      if (RunExplorer && h && h->code == CDN_HELP) {
        ShowHelpTopic(DescriptorHelpTopic(FileDescriptor));
        return 1;
      }
      return 0;
    }
    case WM_COMMAND:
      if (RunExplorer) return 0;
      if (LOWORD(wParam) == DLGID_HELP) {
        ShowHelpTopic(DescriptorHelpTopic(FileDescriptor));
        return 1;
      }
      if (LOWORD(wParam) == FILEDLG_OPTIONS_BUTTON) {
        if (RunOptions) RunOptions(dialog);
        return 1;
      }
      return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      return (UINT_PTR)DialogControlColour((void*)wParam, message, (WrapWindow)lParam);
  }
  return 0;
}

int RunPlatformFileDialog(FileDialogRun* run) {
  // The filter text holds its zero separators: it is taken at its full stored length.
  static char16_t filter[520];
  const char16_t* f = GetLangText(run->filterId);
  uint32_t length = GetLangTextLength(run->filterId);
  if (length > 516) length = 516;
  for (uint32_t i = 0; i < length; i++) filter[i] = f[i];
  filter[length] = filter[length + 1] = filter[length + 2] = 0;
  static char16_t title[260];
  CopyStringLimited(title, GetLangText(run->titleId), 260);

  BuildDescriptor(run);
  RunOptions = run->options;
  RunExplorer = GetExplorerFileDialog();
  int active = EditViews.active;

  OPENFILENAMEW ofn = {};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = (HWND)Entry.mainWindow;
  ofn.hInstance = (HINSTANCE)WrapGetModuleHandle(nullptr);
  ofn.lpstrFilter = (LPCWSTR)filter;
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = (LPWSTR)run->file;
  ofn.nMaxFile = FILEDLG_NAME_CHARS;
  ofn.lpstrInitialDir =
      run->startFolder && run->startFolder[0] ? (LPCWSTR)run->startFolder : nullptr;
  ofn.lpstrTitle = (LPCWSTR)title;
  ofn.lpstrDefExt = (LPCWSTR)run->defaultExtension;
  ofn.lCustData = (LPARAM)FileDescriptor;
  ofn.lpfnHook = DlgF_FileHook;
  ofn.lpTemplateName = MAKEINTRESOURCEW(FILEDLG_TEMPLATE);
  ofn.Flags = OFN_LONGNAMES | OFN_NONETWORKBUTTON | OFN_PATHMUSTEXIST | OFN_ENABLEHOOK |
              OFN_SHOWHELP | OFN_NOCHANGEDIR | OFN_HIDEREADONLY |
              (RunExplorer ? OFN_EXPLORER : OFN_ENABLETEMPLATE);
  int chosen = WrapGetFileName(&ofn, run->save) ? 1 : 0;

  // The window that was active before gets the activation back.
  if (active >= 0 && active < EDIT_SLOTS && EditViews.slot[active].window)
    SetActiveWindow((HWND)EditViews.slot[active].window);
  else if (Entry.mainWindow)
    SetActiveWindow((HWND)Entry.mainWindow);
  RunOptions = nullptr;
  return chosen;
}
