// The stores that hold lines and depot slots, one row each, and the walks over them in the order
// each operation names; the line table's services put into the hooks of the other components.
#include "app/dialog.h"
#include "app/dialog_fields.h"
#include "elements/element_store.h"
#include "elements/lines.h"
#include "signalling/switch_control.h"
#include "trains/train_records.h"
#include "trains/train_services.h"

// ---- switches: the route lists of types 21..23 ---------------------------------------------------
static int SwitchAddPartial = 0;  // an entry could not take the new line (list kept, extended part)

static uint32_t RouteRemove(uint32_t* list, uint32_t length, uint32_t line) {
  return (uint32_t)LineRefListRemove(list, (int)length, line, 0);
}

static uint32_t RouteAddAlongside(const uint32_t* list, uint32_t length, uint32_t oldLine,
                                  uint32_t newLine, uint32_t* out, uint32_t capacity) {
  // The new list needs room for the longer of the old length and the growth limit.
  uint32_t room = length > (uint32_t)LREF_ADD_LIMIT ? length : (uint32_t)LREF_ADD_LIMIT;
  if (room > capacity) return capacity + 1;
  int n = 0;
  int r = LineRefListAddAlongside(list, (int)length, out, oldLine, newLine, &n);
  if (r == -2) return capacity + 1;  // nothing could be added: the list stays, reported
  if (r == -3) SwitchAddPartial = 1;
  return (uint32_t)n;
}

static int RouteContains(const uint32_t* list, uint32_t length, uint32_t line) {
  return LineRefListContains(list, (int)length, line) == 1;
}

static uint32_t RouteSlotRemove(uint32_t* list, uint32_t length, uint32_t depot, uint32_t slot) {
  return (uint32_t)DepotSlotListRemove(list, (int)length, depot, slot);
}

static uint32_t RouteSlotRenumber(uint32_t* list, uint32_t length, uint32_t depot,
                                  uint32_t oldSlot, uint32_t newSlot) {
  DepotSlotListRenumber(list, (int)length, depot, oldSlot, newSlot);
  return length;
}

static int RouteFind(const uint32_t* pairs, uint32_t length, uint32_t a, uint32_t b) {
  return LineRefListFind(pairs, (int)length, a, b);
}

static int RouteMatch(const uint32_t* list, uint32_t length, uint32_t line, uint32_t number) {
  return MatchLineRefForTrain(list, (int)length, line, number, nullptr);
}

static int SwitchesAdd(uint32_t line, uint32_t newLine) {
  SwitchAddPartial = 0;
  int r = AddLineAlongsideInRouteSwitches(line, newLine);
  return r || SwitchAddPartial;
}

static int SwitchesFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                        int* iteration) {
  ElementBox box = {x0, y0, level0, x1, y1, level1};
  int x = *iteration == -1 ? -1 : 0, y, level;
  uint32_t id;
  return FindRouteSwitchInBox(line, box, &x, &y, &level, &id);
}

// ---- the queries of the other stores ---------------------------------------------------------------
static int RpFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1, int* it) {
  int y, level;
  return RpQueryLineInBox((int)line, x0, y0, level0, x1, y1, level1, it, &y, &level);
}
static int TpFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1, int* it) {
  int x, y;
  char16_t name[ELEMENT_NAME_CHARS];
  return NextTpWithLine((int)line, x0, y0, level0, x1, y1, level1, it, &x, &y, name);
}
static int DwxFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                   int* it) {
  int y, level;
  char16_t name[ELEMENT_NAME_CHARS];
  return DwxQueryLineInBox((int)line, x0, y0, level0, x1, y1, level1, it, &y, &level, name);
}
static int HstFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                   int* it) {
  int y, level;
  return NextHstWithLine((int)line, x0, y0, level0, x1, y1, level1, it, &y, &level);
}
static int LfstFind(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                    int* it) {
  int y, level;
  return LfstQueryLineInBox((int)line, x0, y0, level0, x1, y1, level1, it, &y, &level);
}

static void TrainsRenumberSlot(uint32_t depot, uint32_t oldSlot, uint32_t newSlot) {
  RenumberDepotSlot((int)depot, (int)oldSlot, (int)newSlot);
}

LineStoreRow LineStores[LSTORE_COUNT] = {
    {"switches", RemoveLineFromRouteSwitches, SwitchesAdd, SwitchesFind,
     RemoveDepotSlotFromRouteSwitches, RenumberDepotSlotInRouteSwitches},
    {"route points", nullptr, nullptr, RpFind, nullptr, nullptr},
    {"TP", nullptr, nullptr, TpFind, nullptr, nullptr},
    {"Dwx", nullptr, nullptr, DwxFind, nullptr, nullptr},
    {"stops", nullptr, nullptr, HstFind, nullptr, nullptr},
    {"signal elements", nullptr, nullptr, nullptr, nullptr, nullptr},
    {"LFST", nullptr, nullptr, LfstFind, nullptr, nullptr},
    {"trains", nullptr, nullptr, nullptr, nullptr, TrainsRenumberSlot},
};

static const int kLineOrder[] = {LSTORE_SWITCHES, LSTORE_RP,      LSTORE_TP,  LSTORE_DWX,
                                 LSTORE_HST,      LSTORE_SIGNALS, LSTORE_LFST};
static const int kUseOrder[] = {LSTORE_TP,      LSTORE_DWX,     LSTORE_HST, LSTORE_SWITCHES,
                                LSTORE_RP,      LSTORE_SIGNALS, LSTORE_LFST};
static const int kSlotOrder[] = {LSTORE_SWITCHES, LSTORE_RP,      LSTORE_TP,
                                 LSTORE_DWX,      LSTORE_SIGNALS, LSTORE_TRAINS};

void RemoveLineFromStores(uint32_t line) {
  for (int s : kLineOrder)
    if (LineStores[s].removeLine) LineStores[s].removeLine(line);
}

int AddLineAlongsideInStores(uint32_t line, uint32_t newLine) {
  int refused = 0;
  for (int s : kLineOrder)
    if (LineStores[s].addAlongside && LineStores[s].addAlongside(line, newLine)) refused = 1;
  return refused;
}

int CountLineUsesInStores(uint32_t line, int x0, int y0, int level0, int x1, int y1, int level1,
                          int countAll) {
  int n = 0;
  for (int s : kUseOrder) {
    if (!LineStores[s].findInBox) continue;
    int it = 0;
    while (LineStores[s].findInBox(line, x0, y0, level0, x1, y1, level1, &it)) {
      if (!countAll) return 1;
      n++;
      it = -1;
    }
  }
  return n;
}

void ClearDepotSlotInStores(uint32_t depot, uint32_t slot) {
  for (int s : kSlotOrder)
    if (LineStores[s].clearSlot) LineStores[s].clearSlot(depot, slot);
}

void RenumberDepotSlotInStores(uint32_t depot, uint32_t oldSlot, uint32_t newSlot) {
  for (int s : kSlotOrder)
    if (LineStores[s].renumberSlot) LineStores[s].renumberSlot(depot, oldSlot, newSlot);
}

// ---- start-up -------------------------------------------------------------------------------------------
static int LineCountForField() { return LineCount(); }

void RegisterLineServices() {
  RouteLists = RouteListOps{RouteRemove,       RouteAddAlongside, RouteContains, RouteSlotRemove,
                            RouteSlotRenumber, RouteFind,         RouteMatch};
  CompareLineOrderHook = CompareLineOrder;
  SetDialogNameSource(DLGK_LINE, LineCountForField, StepLineNameField);
  RegisterLineSection();
}
