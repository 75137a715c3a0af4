// Test host of autosave: the frame starts as the program's entry starts it, the host names a
// modified network, sets the autosave options (interval 2 s, real seconds) and reports when the
// program's own timer thread and idle step have saved it.
#include <windows.h>
#include <string>
#include "app/entry.h"
#include "app/frame_win32.h"
#include "app/netcmd.h"
#include "core/platform.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_options.h"
#include "host_win32.h"

static std::wstring Folder;
static bool Exists(const wchar_t* name) {
  return GetFileAttributesW((Folder + name).c_str()) != INVALID_FILE_ATTRIBUTES;
}
static DWORD SizeOf(const wchar_t* name) {
  WIN32_FILE_ATTRIBUTE_DATA d;
  if (!GetFileAttributesExW((Folder + name).c_str(), GetFileExInfoStandard, &d)) return 0;
  return d.nFileSizeLow;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!HostStartFrame(instance)) return 3;

  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  while (n > 0 && path[n - 1] != L'\\') n--;
  path[n] = 0;
  Folder = path;
  SetKindFolder(FILE_KIND_NETWORK, (const char16_t*)path);
  HANDLE f = CreateFileW((Folder + L"auto.nt3").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(f, "old", 3, &written, nullptr);
  CloseHandle(f);
  SetNetworkName(u"auto.nt3");
  SetCell(16384, 16384, 0, 0x0201);
  SetNetModified();

  DWORD start = GetTickCount();
  HostPut("options", SetAutosaveOptions(AUTOSAVE_ONLY_MODIFIED, 2));
  auto saved = [] {
    return Exists(L"auto.000.nt2") && Exists(L"auto.nt3") && SizeOf(L"auto.nt3") > 3;
  };
  HostPumpUntil([] { return false; }, 700);
  HostPut("early", saved() ? 0 : 1);  // not before the interval
  bool done = HostPumpUntil(saved, 20000);
  HostPut("saved", done ? 1 : 0);
  HostPut("after_ms", (long long)(GetTickCount() - start));
  HostPut("modified_after", IsNetModified());
  HostPut("backup_old", SizeOf(L"auto.000.nt2") == 3 ? 1 : 0);
  HostCloseFrame();
  return 0;
}
