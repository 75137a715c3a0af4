// Test host that writes a network with running trains for the program to open: a loop of track in
// the view the file names (origin 100, 100 at zoom 1), two trains of vehicles of the program's
// default vehicle-graphic set placed on it through the headless-run helper, saved with the
// program's own network-file writer.
//   trainfile_host --data <folder> save <folder> <name>   prints saved, trains, head<n>_x, head<n>_y
#include <windows.h>
#include <cwchar>
#include <string>
#include "app/editwnd.h"
#include "core/stream.h"
#include "graphics/vehicles.h"
#include "host_win32.h"
#include "model/netfile.h"
#include "tests/trains/headless_run.h"

using namespace headless;

namespace {
constexpr int X0 = 102, Y0 = 102, X1 = 116, Y1 = 108;
constexpr uint32_t kVehicle = 40321u << 4;  // the first graphic of the first default set

int Save(const HostArgs& a) {
  ResetDocumentState();
  ResetNetwork();
  EditViewSlot& view = EditViews.slot[0];
  view.cellsWide = 100;
  view.cellsHigh = 50;
  view.originX = view.originY = 100;
  // The cursor clear of the view's margins (below the loop): an opened window brings the stored
  // cursor into view and keeps this origin.
  view.cursorX = view.cursorY = 110;
  view.cursorLevel = 0;
  if (BuildLoop(X0, Y0, X1, Y1, 0) != 0) return 1;
  UpdateUsedArea(0, 0, 0, 0);
  std::vector<Cell> loop = LoopCells(X0, Y0, X1, Y1);
  HostPut("vehicle_set", LoadVehicleGraphicSet(kVehicle, 0));
  for (int k = 0; k < 2; k++) {
    TrainSpec s = TrainOnLoop(loop, 3 + 20 * k, 3);
    s.subNumber = 1 + (uint32_t)k;
    s.maxSpeed = 120000;
    s.vehicles = 2;
    TrainRecord* t = PlaceTrain(s);
    if (!t) return 1;
    for (int i = 0; i < t->vehicleCount; i++) TrainVehicles(t)[i].id = kVehicle;
    TrainPosition* head = TrainPositions(t);
    HostPut(k ? "head1_x" : "head0_x", head->x);
    HostPut(k ? "head1_y" : "head0_y", head->y);
  }
  // The vehicles' flags as the loader makes them from the graphic's parameters.
  ConvertOldTrainRecords(NET_VERSION_CURRENT);
  RefreshTrainCellCodes(0);
  SetKindFolder(FILE_KIND_NETWORK, (const char16_t*)a.Arg(0));
  SetNetworkName((const char16_t*)a.Arg(1));
  HostPut("trains", GetTrainCount());
  HostPut("saved", WriteNetworkFile());
  return 0;
}

const HostScene kScenes[] = {{L"save", Save}};
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes);
}
