// The demonstration network: the loop round (16384, 16384) on level 0 drawn cell by cell, the
// control records of its two switches, the depot on the spur at x 16379, the start train.
#include "elements/demo_layout.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_ops.h"
#include "trains/train_records.h"
#include "trains/train_services.h"

namespace {
struct DemoCell {
  int x, y;
  uint32_t code;
};

// The single cells, written after the straight runs (they replace some of them).
const DemoCell kCells[] = {
    // the four corners
    {16381, 16375, 543},
    {16380, 16376, 539},
    {16388, 16375, 540},
    {16389, 16376, 536},
    {16380, 16391, 538},
    {16381, 16392, 542},
    {16389, 16391, 537},
    {16388, 16392, 541},
    // stops
    {16389, 16379, 264},
    {16383, 16375, 266},
    {16386, 16392, 267},
    {16380, 16387, 265},
    {16389, 16380, 160},
    {16389, 16381, 160},
    // the depot spur
    {16379, 16383, 539},
    {16379, 16384, 1},
    {16379, 16385, 137},
    {16379, 16386, 137},
    {16379, 16387, 137},
    {16379, 16388, 538},
    // switches
    {16380, 16382, 54},
    {16380, 16389, 53},
    // built-in symbols
    {16384, 16380, 51210},
    {16387, 16388, 51212},
    {16388, 16388, 51216},
    {16385, 16382, 51222},
    {16383, 16389, 54020},
    {16386, 16383, 53760},
};
const DemoCell kSwitches[] = {{16380, 16382, 54}, {16380, 16389, 53}};

// The demonstration depot leaves its slot upwards, towards the switch at (16380, 16382).
constexpr uint32_t kDepotDirection = 1;

// Copies a language text that must be one whole name of at most maxChars characters: 1 when it
// is, else 0.
int NameText(uint32_t id, int maxChars, char16_t* out) {
  const char16_t* text = GetLangText(id);
  if (StringLength(text) > maxChars) return 0;
  CopyString(out, text);
  char16_t check[DEPOT_NAME_CHARS + 1];
  CopyString(check, text);
  char16_t* start;
  return CheckDepotName(check, &start) == 0 && start == check &&
         StringLength(check) == StringLength(text);
}
}  // namespace

int DrawStartLayout() {
  for (int y = 16377; y <= 16390; y++) {
    SetCell(16380, y, 0, 1);
    SetCell(16389, y, 0, 1);
  }
  for (int x = 16382; x <= 16387; x++) {
    SetCell(x, 16375, 0, 0);
    SetCell(x, 16392, 0, 0);
  }
  for (const DemoCell& c : kCells) SetCell(c.x, c.y, 0, c.code);
  for (const DemoCell& s : kSwitches) {
    uint32_t directions[4];
    GetSwitchConnections(s.code, directions);
    PlaceSwitch(s.x, s.y, 0, 0, SWITCH_PLAIN, FindFreeSwitchId(), directions, 0);
  }
  int id = 0;
  char16_t name[DEPOT_NAME_CHARS + 1], shortName[DEPOT_SHORT_CHARS + 1];
  // The depot's name names the line as well: at most 8 characters.
  if (NameText(LANG_ID(1380), 8, name) && NameText(LANG_ID(1381), DEPOT_SHORT_CHARS, shortName) &&
      CreateDepotSlotAt(DEMO_DEPOT_X, DEMO_DEPOT_Y, 0, name, 1) == 0) {
    id = FindDepotAt(DEMO_DEPOT_X, DEMO_DEPOT_Y, 0, nullptr);
    if (ChangeDepotSlot(id, name, shortName, 1, 1, 0, 0, 0, 0) != 0) {
      DeleteDepotSlot(id, 1);
      id = 0;
    } else {
      SetDepotSlotDirection(id, 1, kDepotDirection);
    }
  }
  UpdateUsedArea(0, 0, 0, 0);
  return id;
}

int CreateStartTrain() {
  int depot = FindDepotAt(DEMO_DEPOT_X, DEMO_DEPOT_Y, 0, nullptr);
  char16_t name[DEPOT_NAME_CHARS + 8];
  if (!depot || FormatDepotName(depot, 0, name, nullptr) != 0) return 1;
  // The line of the depot's name (8 characters at most, tested when the depot was made).
  int line = FindLineByName(name);
  if (line <= 0) {
    if (CreateLine(name, 0, 0) != 0 || (line = FindLineByName(name)) <= 0) return 1;
  }
  TrainRecord header;
  MakeStartTrainHeader(&header, (uint32_t)line, (uint16_t)depot);
  if (CreateTrain(StartTrainVehicles, &header, -1, 0, 0, nullptr) != 0) return 1;
  return StartTrainsFromDepot(line, 0, 0) == 0 ? 0 : 1;
}
