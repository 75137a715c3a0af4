// Test host of running trains: a loop of track in the grid, one train placed on it through the
// headless-run helper, and the clock advanced from the window's 20 ms timer as the simulation's
// tick message does, at speed level 20. After every timer step the host reads the grid: the cells
// holding the train's code must be exactly its cells, every other cell of the loop must show its
// track again, and the head must go round the loop cell by cell.
//   train_host loop <laps>   prints code, cells, head_moves, laps, faults, first_fault, done
#include <windows.h>
#include <cwchar>
#include <string>
#include <vector>
#include "host_win32.h"
#include "tests/trains/headless_run.h"

using namespace headless;

namespace {
constexpr int X0 = 10, Y0 = 10, X1 = 25, Y1 = 18;
std::vector<Cell> Loop;
std::vector<CellCode> Track;
TrainRecord* Train = nullptr;
int HeadIndex = -1, HeadMoves = 0, Faults = 0, Steps = 0;
std::string FirstFault;
std::vector<int> Seen;  // how often each loop cell held the train's code

int IndexOf(uint32_t x, uint32_t y) {
  for (size_t i = 0; i < Loop.size(); i++)
    if ((uint32_t)Loop[i].x == x && (uint32_t)Loop[i].y == y) return (int)i;
  return -1;
}

void Fault(const std::string& why) {
  if (!Faults++) FirstFault = why;
}

// What the grid shows after a step of the clock.
void Observe() {
  std::string fault = CheckTrainCells(X0 - 2, Y0 - 2, X1 + 2, Y1 + 2, 0);
  if (!fault.empty()) Fault(fault);
  for (size_t i = 0; i < Loop.size(); i++) {
    CellCode c = GetCell(Loop[i].x, Loop[i].y, 0);
    if (c == Train->cellCode) {
      Seen[i]++;
      if (GetTrainCellCode(Loop[i].x, Loop[i].y, 0, c) != Track[i])
        Fault("the code under the train at a loop cell is not its track");
    } else if (c != Track[i]) {
      Fault("loop cell " + std::to_string(i) + " shows " + std::to_string(c) + " not its track");
    }
  }
  TrainPosition* head = TrainPositions(Train);
  int h = IndexOf(head->x, head->y);
  if (h < 0) {
    Fault("the head left the loop");
  } else if (h != HeadIndex) {
    if (HeadIndex >= 0 && h != (HeadIndex + 1) % (int)Loop.size())
      Fault("the head jumped from " + std::to_string(HeadIndex) + " to " + std::to_string(h));
    if (GetCell(Loop[h].x, Loop[h].y, 0) != Train->cellCode) Fault("no train code at the head");
    HeadIndex = h;
    HeadMoves++;
  }
}

LRESULT CALLBACK HostWndProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_TIMER && Train) {
    for (int i = 0; i < 10; i++) {
      AdvanceClock();
      Observe();
    }
    Steps++;
    return 0;
  }
  if (message == WM_DESTROY) return 0;
  return DefWindowProcW(w, message, wp, lp);
}

int RunLoop(HINSTANCE instance, int laps) {
  HWND w = HostStatusWindow(instance, HostWndProc, COLOR_WINDOW, L"train host",
                            WS_OVERLAPPED | WS_CAPTION, 20, 20, 300, 200);
  ResetNetwork();
  if (BuildLoop(X0, Y0, X1, Y1, 0) != 0) {
    HostPut("built", 0);
    return 1;
  }
  Loop = LoopCells(X0, Y0, X1, Y1);
  for (const Cell& c : Loop) Track.push_back(GetCell(c.x, c.y, 0));
  Seen.assign(Loop.size(), 0);
  TrainSpec s = TrainOnLoop(Loop, 4, 3);
  s.maxSpeed = 160000;
  Train = PlaceTrain(s);
  if (!Train) {
    HostPut("placed", 0);
    return 1;
  }
  HostPut("code", Train->cellCode);
  Observe();
  int target = laps * (int)Loop.size();
  SetTimer(w, 1, 20, nullptr);
  HostPumpUntil([&] { return HeadMoves > target || Faults > 0; }, 90000);
  KillTimer(w, 1);
  int cellsSeen = 0;
  for (int n : Seen) cellsSeen += n > 0;
  HostPut("cells", cellsSeen);
  HostPut("loop_cells", (long long)Loop.size());
  HostPut("head_moves", HeadMoves);
  HostPut("timer_steps", Steps);
  HostPut("faults", Faults);
  if (Faults) HostPutText("first_fault", std::wstring(FirstFault.begin(), FirstFault.end()));
  HostPut("done", 1);
  DestroyWindow(w);
  ResetNetwork();
  return 0;
}

const HostScene kScenes[] = {
    {L"loop", [](const HostArgs& a) { return RunLoop(a.instance, _wtoi(a.Arg(0))); }},
};
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes);
}
