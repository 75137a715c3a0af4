// Shared parts of the GUI test hosts: what a host reports ("key=value" lines on stdout, UTF-8) and
// the start of the hosts that take "[--data <folder>] <scene> ..." on their command line.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <cwchar>
#include <string>
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
