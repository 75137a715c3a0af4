// Test host of the key and mouse dispatch: starts the frame in-process as the program does
// ("/Q /N"), then sends the edit window and the main window real messages (menu opening, clicks
// in each view mode, keys and characters, system keys) and reports the state they leave (one
// key=value line each).
#include <windows.h>
#include <string>
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/frame_win32.h"
#include "core/platform.h"
#include "core/langtext.h"
#include "model/grid.h"
#include "host_win32.h"

static HWND Slot(int i) { return (HWND)EditViews.slot[i].window; }

static std::wstring MenuText(HWND w, UINT id) {
  wchar_t b[200] = L"";
  GetMenuStringW(GetMenu(w), id, b, 200, MF_BYCOMMAND);
  return b;
}

static void Put(const std::string& key, long long v) { HostPut(key.c_str(), v); }

// A left click at a client pixel of window 0; reports the cursor it leaves.
static void Click(const std::string& name, int x, int y) {
  LPARAM p = MAKELPARAM((WORD)(short)x, (WORD)(short)y);
  PostMessageW(Slot(0), WM_LBUTTONDOWN, MK_LBUTTON, p);
  PostMessageW(Slot(0), WM_LBUTTONUP, 0, p);
  HostPump(150);
  EditViewSlot& s = EditViews.slot[0];
  Put(name + "_origin_x", s.originX);
  Put(name + "_origin_y", s.originY);
  Put(name + "_x", s.cursorX);
  Put(name + "_y", s.cursorY);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  if (!HostStartFrame(instance)) return 3;
  HostPump(300);
  ActivateEditWindow(0);
  HostPump(200);
  HostPut("active", EditViews.active);

  // Opening the menu: unbuilt commands greyed, built ones enabled, toggled captions.
  SendMessageW(Slot(0), WM_INITMENU, (WPARAM)GetMenu(Slot(0)), 0);
  for (int id : {261, 304, 308, 421, 257, 400, 433, 336, 337}) {
    UINT st = GetMenuState(GetMenu(Slot(0)), (UINT)id, MF_BYCOMMAND);
    Put("grey" + std::to_string(id), (st & MF_GRAYED) ? 1 : 0);
  }
  HostPutText("caption338", MenuText(Slot(0), 338).c_str());
  HostPutText("caption384", MenuText(Slot(0), 384).c_str());
  HostPutText("caption406", MenuText(Slot(0), 406).c_str());

  // Clicks in each view mode, with and without partial cells at the left and top.
  EditViewSlot& s = EditViews.slot[0];
  Click("m1", 100, 40);
  s.fineX = 6;
  s.fineY = 3;
  Click("m1fine", 2, 1);
  SetViewModeAndZoom(0, 2, 2);
  HostPump(100);
  Click("m2", 41, 33);
  s.fineX = 5;
  s.fineY = 5;
  Click("m2fine", 1, 2);
  SetViewModeAndZoom(0, 3, 4);
  HostPump(100);
  Click("m3", 10, 7);
  SetViewModeAndZoom(0, 1, 1);
  HostPump(100);

  // Keys and characters: '*' zooms in, '/' zooms out; the Alt letter of the simulation (a system
  // key with the Alt bit) starts and stops it.
  PostMessageW(Slot(0), WM_CHAR, '*', 0);
  HostPump(150);
  HostPut("zoom_star", s.zoom);
  PostMessageW(Slot(0), WM_CHAR, '/', 0);
  HostPump(150);
  HostPut("zoom_slash", s.zoom);
  int running = IsSimulationRunning();
  PostMessageW(Slot(0), WM_SYSKEYDOWN, GetLangText(LANG_ID(920))[1], 1 << 29);
  HostPump(150);
  HostPut("sim_toggled", IsSimulationRunning() != running);
  if (IsSimulationRunning() != running) SetSimulationRunning(SIMRUN_TOGGLE);

  // While the status window has the focus no key or click touches an edit window.
  ActivateEditWindow(-1);
  HostPump(200);
  HostPut("active_status", EditViews.active);
  int cx = s.cursorX, zoom = s.zoom;
  PostMessageW(Slot(0), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 100));
  PostMessageW(Slot(0), WM_LBUTTONUP, 0, MAKELPARAM(300, 100));
  PostMessageW(Slot(0), WM_CHAR, '*', 0);
  PostMessageW((HWND)Entry.mainWindow, WM_KEYDOWN, VK_F12, 0);
  PostMessageW((HWND)Entry.mainWindow, WM_CHAR, '*', 0);
  HostPump(200);
  HostPut("status_untouched", s.cursorX == cx && s.zoom == zoom);

  HostCloseFrame();
  return 0;
}
