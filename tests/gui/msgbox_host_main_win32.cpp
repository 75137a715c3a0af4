// Test host for the message boxes and the ANSI rule of the wrappers: shows one box or window
// chosen on the command line and prints what the call returned ("result=..." lines on stdout).
//   msgbox_host [--data <folder>] error|info|ask <number> <text>
//   msgbox_host [--data <folder>] trace <text>
//   msgbox_host ansi-window <length>    ANSI mode: a window whose title has <length> characters
//   msgbox_host ansi-msgbox <length>    ANSI mode: WrapMessageBox with a text of <length> characters
#include <windows.h>
#include <cwchar>
#include <string>
#include "core/msgbox.h"
#include "core/platform_ui.h"
#include "host_win32.h"

// A text of n characters: "0123456789" repeated, so a cut shows where it happened.
static std::u16string Numbered(int n) {
  std::u16string t;
  for (int i = 0; i < n; i++) t += (char16_t)(u'0' + i % 10);
  return t;
}

static LRESULT CALLBACK HostWndProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return (LRESULT)WrapDefWindowProc(w, message, wp, lp);
}

static int AnsiWindow(HINSTANCE instance, int length) {
  UnicodeFlag = 0;
  WNDCLASSEXW wc;
  ZeroMemory(&wc, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = HostWndProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
  wc.lpszClassName = L"QuilGuiHostAnsi";
  HostPut("registered", WrapRegisterClassEx(&wc) != 0);
  std::u16string title = Numbered(length);
  WrapWindow w = WrapCreateWindow(u"QuilGuiHostAnsi", title.c_str(), WS_OVERLAPPEDWINDOW, 10, 10,
                                  400, 200, nullptr, nullptr, instance, nullptr);
  HostPut("created", w != nullptr);
  if (!w) return 0;
  char16_t back[400];
  HostPut("title_length", WrapGetWindowText(w, back, 400));
  WrapShowWindow(w, SW_SHOW);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  wchar_t** argv = nullptr;
  bool data = false;
  int a = HostStart(&argc, &argv, &data);
  if (!a) return 2;
  std::wstring action = argv[a];
  if (data) HostPut("lang_second", LoadLanguageFile(u"quil.lnv", 0));
  const char16_t* arg1 = a + 1 < argc ? (const char16_t*)argv[a + 1] : u"";
  const char16_t* arg2 = a + 2 < argc ? (const char16_t*)argv[a + 2] : u"";
  uint32_t number = (uint32_t)wcstoul((const wchar_t*)arg1, nullptr, 10);
  if (action == L"error")
    HostPut("result", ShowError(number, arg2));
  else if (action == L"info")
    HostPut("result", ShowInfo(number, arg2));
  else if (action == L"ask")
    HostPut("result", AskQuestion(number, arg2));
  else if (action == L"trace")
    HostPut("result", ShowTraceBox(arg1));
  else if (action == L"ansi-window")
    return AnsiWindow(instance, (int)number);
  else if (action == L"ansi-msgbox") {
    UnicodeFlag = 0;
    std::u16string text = Numbered((int)number);
    HostPut("result", WrapMessageBox(nullptr, text.c_str(), u"AnsiBox", MB_OK));
  } else {
    return 2;
  }
  return 0;
}
