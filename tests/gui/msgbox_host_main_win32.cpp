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
  WNDCLASSEXW wc = HostWindowClass(instance, HostWndProc, L"QuilGuiHostAnsi", COLOR_WINDOW);
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

// The first argument as a number, the second as a text.
static uint32_t Number(const HostArgs& a) { return (uint32_t)wcstoul(a.Arg(0), nullptr, 10); }
static const char16_t* Text(const HostArgs& a, int n) { return (const char16_t*)a.Arg(n); }

static const HostScene kScenes[] = {
    {L"error",
     [](const HostArgs& a) { return HostPut("result", ShowError(Number(a), Text(a, 1))), 0; }},
    {L"info",
     [](const HostArgs& a) { return HostPut("result", ShowInfo(Number(a), Text(a, 1))), 0; }},
    {L"ask",
     [](const HostArgs& a) { return HostPut("result", AskQuestion(Number(a), Text(a, 1))), 0; }},
    {L"trace", [](const HostArgs& a) { return HostPut("result", ShowTraceBox(Text(a, 0))), 0; }},
    {L"ansi-window", [](const HostArgs& a) { return AnsiWindow(a.instance, (int)Number(a)); }},
    {L"ansi-msgbox",
     [](const HostArgs& a) {
       UnicodeFlag = 0;
       std::u16string text = Numbered((int)Number(a));
       HostPut("result", WrapMessageBox(nullptr, text.c_str(), u"AnsiBox", MB_OK));
       return 0;
     }},
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes, [](const HostArgs& a) {
    if (a.withData) HostPut("lang_second", LoadLanguageFile(u"quil.lnv", 0));
  });
}
