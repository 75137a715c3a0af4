// Win32 build, multimedia and help group: MCI commands (the open record in its ANSI form in ANSI
// mode) and HTML Help, whose library is bound at its first use.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"
#include <mmsystem.h>

constexpr uint32_t kMciRefused = 274;  // the MCI error given for a call the wrapper refuses

// Converts one text of the open record when its flag is set and it is not an id.
static int OpenText(uintptr_t flags, uintptr_t flag, uintptr_t idFlag, LPCWSTR text, char* buf,
                    LPCSTR* out) {
  *out = (LPCSTR)text;
  if (!(flags & flag) || (idFlag && (flags & idFlag)) || !text) return 0;
  if (WrapAnsiArg((const char16_t*)text, buf) < 0) return -1;
  *out = buf;
  return 0;
}

uint32_t WrapMciSendCommand(uint32_t device, uint32_t command, uintptr_t flags, void* record) {
  if (UnicodeFlag) return mciSendCommandW(device, command, flags, (DWORD_PTR)record);
  if (command == MCI_CLOSE || command == MCI_PLAY || !record)
    return mciSendCommandA(device, command, flags, (DWORD_PTR)record);
  if (command != MCI_OPEN) return kMciRefused;
  MCI_OPEN_PARMSW* w = (MCI_OPEN_PARMSW*)record;
  MCI_OPEN_PARMSA a;
  a.dwCallback = w->dwCallback;
  a.wDeviceID = w->wDeviceID;
  char type[WRAP_ANSI_BUF], element[WRAP_ANSI_BUF], alias[WRAP_ANSI_BUF];
  if (OpenText(flags, MCI_OPEN_TYPE, MCI_OPEN_TYPE_ID, w->lpstrDeviceType, type,
               &a.lpstrDeviceType) < 0 ||
      OpenText(flags, MCI_OPEN_ELEMENT, MCI_OPEN_ELEMENT_ID, w->lpstrElementName, element,
               &a.lpstrElementName) < 0 ||
      OpenText(flags, MCI_OPEN_ALIAS, 0, w->lpstrAlias, alias, &a.lpstrAlias) < 0)
    return kMciRefused;
  uint32_t r = mciSendCommandA(device, command, flags, (DWORD_PTR)&a);
  w->wDeviceID = a.wDeviceID;
  return r;
}

// ---- HTML Help ---------------------------------------------------------------------------------------
typedef HWND(WINAPI* HtmlHelpWFn)(HWND, LPCWSTR, UINT, DWORD_PTR);
typedef HWND(WINAPI* HtmlHelpAFn)(HWND, LPCSTR, UINT, DWORD_PTR);
static HMODULE HelpLibrary;
static HtmlHelpWFn HelpW;
static HtmlHelpAFn HelpA;
static int HelpTried;

static void BindHelp() {
  if (HelpTried) return;
  HelpTried = 1;
  HelpLibrary = LoadLibraryW(L"hhctrl.ocx");
  if (!HelpLibrary) return;
  HelpW = (HtmlHelpWFn)(void*)GetProcAddress(HelpLibrary, "HtmlHelpW");
  HelpA = (HtmlHelpAFn)(void*)GetProcAddress(HelpLibrary, "HtmlHelpA");
}

static int HelpDataIsText(uint32_t command) {
  return command == 0 || command == 1 || command == 2 || command == 6 || command == 9;
}

WrapWindow WrapHtmlHelp(WrapWindow owner, const char16_t* file, uint32_t command, uintptr_t data) {
  BindHelp();
  if (UnicodeFlag) return HelpW ? HelpW((HWND)owner, WTEXT(file), command, data) : nullptr;
  if (!HelpA || !file) return nullptr;
  char aFile[WRAP_ANSI_BUF], aData[WRAP_ANSI_BUF];
  if (WrapAnsiArg(file, aFile) < 0) return nullptr;
  if (HelpDataIsText(command) && data) {
    if (WrapAnsiArg((const char16_t*)data, aData) < 0) return nullptr;
    data = (uintptr_t)aData;
  }
  return HelpA((HWND)owner, aFile, command, data);
}
