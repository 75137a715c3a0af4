// Test host of the file dialog in both appearances: runs FileDialog for network files once and
// prints what it returned ("result", "name", "exists" and the kind's folder "folder").
//   filedialog_host --data <folder> open|save explorer|older <preset path>
#include <windows.h>
#include <cwchar>
#include <string>
#include "app/filedialog.h"
#include "host_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  int argc = 0;
  wchar_t** argv = nullptr;
  bool data = false;
  int a = HostStart(&argc, &argv, &data);
  if (!a || a + 2 >= argc) return 2;
  if (data) HostPut("lang_second", LoadLanguageFile(u"quil.lnv", 0));
  int save = wcscmp(argv[a], L"save") == 0;
  SetExplorerFileDialog(wcscmp(argv[a + 1], L"explorer") == 0 ? 1 : 0);
  const char16_t* preset = (const char16_t*)argv[a + 2];
  char16_t name[FILEDLG_NAME_CHARS] = u"";
  int exists = -1;
  int r = FileDialog(save ? 11220 : 11200, save ? 11021 : 11201, 42001, save, 0, nullptr,
                     FILE_KIND_NETWORK, preset, &exists, name, u"nt3", 11203);
  HostPut("result", r);
  HostPutText("name", name);
  HostPut("exists", exists);
  char16_t folder[STREAM_PATH_CHARS] = u"";
  GetKindFolder(FILE_KIND_NETWORK, folder);
  HostPutText("folder", folder);
  return 0;
}
