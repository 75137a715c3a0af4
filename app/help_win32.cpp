// The HTML Help library on Windows, bound at its first use: the wide entry HtmlHelpW of
// HHCTRL.OCX is looked up once and every help call goes through it.
#include <windows.h>
#include "app/help_platform.h"

typedef HWND(WINAPI* HtmlHelpWFn)(HWND, LPCWSTR, UINT, DWORD_PTR);
static HtmlHelpWFn HtmlHelpEntry = nullptr;
static int BindTried = 0;

intptr_t HelpPlatformCall(WrapWindow owner, const char16_t* file, uint32_t command, uintptr_t data) {
  if (!BindTried) {
    BindTried = 1;
    HMODULE lib = LoadLibraryW(L"hhctrl.ocx");
    if (lib) HtmlHelpEntry = (HtmlHelpWFn)(void*)GetProcAddress(lib, "HtmlHelpW");
  }
  if (!HtmlHelpEntry) return 0;
  return (intptr_t)HtmlHelpEntry((HWND)owner, (LPCWSTR)file, command, (DWORD_PTR)data);
}
