// Test host of a followed train: starts the frame in-process as the program does ("/Q /N"), draws
// two loops of track far from the first edit window's view, one on level 0 and one on level -1,
// puts a running train of three vehicles (graphics of the program's vehicle file) on each with
// their labels shown, and runs the message loop with the simulation running. The test steers it
// through WM_COMMAND messages to the hidden window "follow host":
//   101 select train 1/1 through SelectAndFollowTrain and follow it by jumps (options 0)
//   102 follow smoothly (option 0x2)
//   103 select train 2/1 (level -1) and follow it by jumps, the level not kept (0x4 off)
//   104 stop the simulation, 105 run it
//   106 train labels off, 107 on
//   109 report: the first edit window's origin, sub-cell offsets, size in cells, cursor and level,
//       the follow state (mode, followed window, options, selected train and its mark) and the
//       selected train's cells, head first, each with the track code under it; "report=<n>" last
// Before the loop it prints what it set up and "ready"; after it the loop's "exit" code.
#include <windows.h>
#include <string>
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/frame_win32.h"
#include "graphics/vehicles.h"
#include "model/grid.h"
#include "tests/trains/headless_run.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "views/view_services.h"
#include "host_win32.h"

using namespace headless;

namespace {
constexpr uint32_t kTank = 645136;  // a vehicle-graphic set of the program's file
struct LoopPlace {
  int x0, y0, x1, y1, level;
};
constexpr LoopPlace kLoops[2] = {{16600, 16500, 16611, 16505, 0}, {16800, 16700, 16811, 16705, -1}};
int Reports = 0;

TrainRecord* PlaceLoopTrain(const LoopPlace& p, uint32_t line) {
  if (BuildLoop(p.x0, p.y0, p.x1, p.y1, p.level) != 0) return nullptr;
  TrainSpec s = TrainOnLoop(LoopCells(p.x0, p.y0, p.x1, p.y1), 4, 3);
  s.line = line;
  s.level = p.level;
  s.maxSpeed = 60000;
  s.vehicles = 3;
  TrainRecord* t = PlaceTrain(s);
  if (!t) return nullptr;
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < t->vehicleCount; i++) v[i].id = kTank;
  RedrawTrain(t, 1);
  return t;
}

void Report() {
  const EditViewSlot* s = GetEditSlot(0);
  HostPut("origin_x", s->originX);
  HostPut("origin_y", s->originY);
  HostPut("fine_x", s->fineX);
  HostPut("fine_y", s->fineY);
  HostPut("cols", s->cellsWide);
  HostPut("rows", s->cellsHigh);
  HostPut("cursor_x", s->cursorX);
  HostPut("cursor_y", s->cursorY);
  HostPut("level", s->cursorLevel);
  HostPut("follow_mode", GetFollowMode());
  HostPut("followed", EditViews.followed);
  HostPut("options", GetFollowOptions());
  TrainRecord* t = GetSelectedTrain();
  HostPut("selected_line", t ? (long long)t->line : -1);
  HostPut("mark", GetSelectedTrainMark());
  std::wstring cells;
  if (t) {
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++) {
      if (p[i].codeUnder == 65535) continue;
      if (!cells.empty()) cells += L";";
      cells += std::to_wstring(p[i].x) + L"," + std::to_wstring(p[i].y) + L"," +
               std::to_wstring(p[i].level) + L"," + std::to_wstring(p[i].codeUnder);
    }
  }
  HostPutText("cells", cells);
  HostPut("report", ++Reports);
}

LRESULT CALLBACK ControlProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message != WM_COMMAND) return DefWindowProcW(w, message, wp, lp);
  switch (LOWORD(wp)) {
    case 101:
      SetFollowOptions(0);
      HostPut("select1", SelectAndFollowTrain(1, 1, 1, 0, 0));
      break;
    case 102: SetFollowOptions(FOLLOW_SMOOTH); break;
    case 103:
      SetFollowOptions(0);
      HostPut("select2", SelectAndFollowTrain(2, 1, 1, 0, 0));
      break;
    case 104: SetSimulationRunning(SIMRUN_STOP); break;
    case 105: SetSimulationRunning(SIMRUN_START); break;
    case 106:
    case 107:
      // as the display option does: the windows' snapshots and pictures made anew
      OverlayTrainLabelBits = LOWORD(wp) == 107 ? 2 : 0;
      RefreshOverlaySnapshots();
      InvalidateViews(2);
      break;
    case 109: Report(); break;
  }
  return 0;
}
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (!HostStartFrame(instance)) return 1;
  WNDCLASSEXW wc = HostWindowClass(instance, ControlProc, L"QuilFollowHost", COLOR_WINDOW);
  RegisterClassExW(&wc);
  CreateWindowExW(0, wc.lpszClassName, L"follow host", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                  nullptr, instance, nullptr);
  HostPut("vehicles", LoadVehicleGraphicSet(kTank, 0));
  OverlayTrainLabelBits = 2;  // the sub-number: "1."
  for (int i = 0; i < 2; i++) {
    const LoopPlace& p = kLoops[i];
    char key[8] = "train0";
    key[5] = (char)('1' + i);
    HostPut(key, PlaceLoopTrain(p, (uint32_t)(i + 1)) ? 1 : 0);
  }
  SetSimulationRunning(SIMRUN_START);
  Report();
  HostPut("ready", 1);
  int code = RunMessageLoop();
  EndTimerThreads();
  HostPut("exit", code);
  return 0;
}
