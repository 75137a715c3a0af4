// Shared parts of the GUI test hosts: what a host reports ("key=value" lines on stdout, UTF-8), the
// start of the hosts that take "[--data <folder>] <scene> ..." on their command line, and the start,
// message pumps and close of the hosts that run the program's frame in-process.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#include <string>
#include "app/entry.h"
#include "app/frame_win32.h"
#include "app/layer_hooks.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/fonts.h"

inline void HostPrint(const std::string& line) {
  DWORD written;
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out && out != INVALID_HANDLE_VALUE) {
    std::string l = line + "\n";
    WriteFile(out, l.data(), (DWORD)l.size(), &written, nullptr);
  }
}

inline void HostPut(const char* key, long long value) {
  HostPrint(std::string(key) + "=" + std::to_string(value));
}

// A text that does not fit the line buffer is reported empty.
inline void HostPutText(const char* key, const wchar_t* text) {
  char b[2048];
  int n = WideCharToMultiByte(CP_UTF8, 0, text, -1, b, (int)sizeof b, nullptr, nullptr);
  if (n <= 0) b[0] = 0;
  HostPrint(std::string(key) + "=" + b);
}

inline void HostPutText(const char* key, const char16_t* text) {
  HostPutText(key, (const wchar_t*)text);
}
inline void HostPutText(const char* key, const std::wstring& text) {
  HostPutText(key, text.c_str());
}

// Reads the command line, sets the lower layers' hooks as start-up does, and starts the misc,
// stream and language modules. With "--data <folder>"
// the program's folder is <folder> and "quil.lng" is loaded (reported as lang_main). Returns the
// index of the scene in argv, or 0 when there is none.
inline int HostStart(int* argc, wchar_t*** argv, bool* withData) {
  *argv = CommandLineToArgvW(GetCommandLineW(), argc);
  SetLayerHooks();
  int a = 1;
  const char16_t* data = nullptr;
  if (a + 1 < *argc && wcscmp((*argv)[a], L"--data") == 0) {
    data = (const char16_t*)(*argv)[a + 1];
    a += 2;
  }
  *withData = data != nullptr;
  if (a >= *argc) return 0;
  InitMisc();
  StreamInit();
  InitLanguage();
  CreateAllFonts();  // as the program's start-up: dialogs draw in the display fonts
  if (data) {
    SetKindFolder(FILE_KIND_PROGRAM, data);
    HostPut("lang_main", LoadLanguageFile(u"quil.lng", 1));
  }
  return a;
}

// ---- windows of the hosts ------------------------------------------------------------------------
// The record of a window class of a host: arrow cursor, background colour index (+1 added here).
inline WNDCLASSEXW HostWindowClass(HINSTANCE instance, WNDPROC proc, const wchar_t* name,
                                   int background) {
  WNDCLASSEXW wc;
  ZeroMemory(&wc, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
  wc.hbrBackground = (HBRUSH)(INT_PTR)(background + 1);
  wc.lpszClassName = name;
  return wc;
}

// The program's main-window class (the default owner of dialogs) registered with proc, and a
// window of it shown and painted.
inline HWND HostStatusWindow(HINSTANCE instance, WNDPROC proc, int background, const wchar_t* title,
                             DWORD style, int x, int y, int width, int height) {
  WNDCLASSEXW wc = HostWindowClass(instance, proc, L"KORV_R27K32_384_Status", background);
  RegisterClassExW(&wc);
  HWND w = CreateWindowExW(0, wc.lpszClassName, title, style, x, y, width, height, nullptr, nullptr,
                           instance, nullptr);
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  return w;
}

// ---- scene hosts ----------------------------------------------------------------------------------
// What a scene gets: the instance, the command line and where the scene's name stands in it.
struct HostArgs {
  HINSTANCE instance;
  int argc;
  wchar_t** argv;
  int at;  // argv[at] is the scene's name, its arguments follow
  bool withData;
  // The scene's n-th argument (0: the first after its name), or "" when there is none.
  const wchar_t* Arg(int n) const { return at + 1 + n < argc ? argv[at + 1 + n] : L""; }
};

struct HostScene {
  const wchar_t* name;
  int (*run)(const HostArgs& args);
};

// The whole start of a scene host: HostStart, then prepare (may be null), then the scene named on
// the command line. Returns the scene's result, 2 without a scene or for an unknown one.
template <int N>
inline int HostRunScene(HINSTANCE instance, const HostScene (&scenes)[N],
                        void (*prepare)(const HostArgs& args) = nullptr) {
  HostArgs args = {instance, 0, nullptr, 0, false};
  args.at = HostStart(&args.argc, &args.argv, &args.withData);
  if (!args.at) return 2;
  const HostScene* scene = nullptr;
  for (const HostScene& s : scenes)
    if (wcscmp(s.name, args.argv[args.at]) == 0) scene = &s;
  if (!scene) return 2;
  if (prepare) prepare(args);
  return scene->run(args);
}

// ---- frame hosts ------------------------------------------------------------------------------------
// Handles the messages of this thread until the time is up.
inline void HostPump(DWORD ms) {
  DWORD start = GetTickCount();
  MSG m;
  while (GetTickCount() - start < ms) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    Sleep(5);
  }
}

// Handles messages until the condition holds or the time is up (a loaded machine may take long);
// returns the condition's last value.
template <class F>
inline bool HostPumpUntil(F cond, DWORD ms) {
  DWORD start = GetTickCount();
  MSG m;
  for (;;) {
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
    if (cond()) return true;
    if (GetTickCount() - start >= ms) return cond();
    Sleep(5);
  }
}

// Starts the frame in-process as the program's entry does (the ANSI-call mode when ansi), and
// reports "init". Returns whether it is ready to run.
inline bool HostStartFrame(HINSTANCE instance, bool ansi = false) {
  UnicodeFlag = ansi ? 0 : 1;
  InitLockEmulation();
  bool ok = RegisterWindowClasses(instance) && InitInstance(instance, SW_SHOWNORMAL);
  HostPut("init", ok ? 1 : 0);
  return ok;
}

// Closes the frame as the user does: reports "shutdown", closes the main window, runs the message
// loop to its end, stops the timer threads and reports the loop's "exit" code.
inline int HostCloseFrame() {
  HostPut("shutdown", 1);
  SendMessageW((HWND)Entry.mainWindow, WM_CLOSE, 0, 0);
  int code = RunMessageLoop();
  EndTimerThreads();
  HostPut("exit", code);
  return code;
}
