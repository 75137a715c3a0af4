// Maintenance over all trains: the list order, trains moved or scaled with a block, parked trains
// moved with a depot slot, depot slots renumbered; and the demonstration network's start train.
#include "core/misc.h"
#include "model/grid.h"
#include "trains/train_ops.h"
#include "trains/train_services.h"

namespace {
constexpr uint16_t UNUSED_ENTRY = 65535;

int HeadInBox(TrainRecord* t, int x0, int y0, int level0, int x1, int y1, int level1) {
  TrainPosition* h = TrainPositions(t);
  return PointInBox((int)h->x, (int)h->y, h->level, x0, y0, level0, x1, y1, level1);
}

int LineOrder(const TrainRecord* a, const TrainRecord* b) {
  int c = CompareLineOrderHook(a->line, b->line);
  if (c == 11) c = a->line < b->line ? 1 : a->line == b->line ? 0 : 2;
  return c;
}

// 1 when b must stand before a.
int OutOfOrder(const TrainRecord* a, const TrainRecord* b) {
  int c = LineOrder(a, b);
  return c == 2 || (c == 0 && a->subNumber > b->subNumber);
}
}  // namespace

void SortTrains() {
  for (int swapped = 1; swapped;) {
    swapped = 0;
    for (TrainRecord** p = &Trains.first; *p && (*p)->next; p = &(*p)->next) {
      TrainRecord* a = *p;
      TrainRecord* b = a->next;
      if (!OutOfOrder(a, b)) continue;
      a->next = b->next;
      b->next = a;
      *p = b;
      swapped = 1;
    }
  }
}

void ShiftTrainsInRect(int dx, int dy, int dlevel, int x0, int y0, int level0, int x1, int y1,
                       int level1) {
  int changed = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (!HeadInBox(t, x0, y0, level0, x1, y1, level1)) continue;
    int parked = (t->flags & TRAIN_PARKED) != 0;
    TrainPosition* p = TrainPositions(t);
    int last = parked ? 0 : t->positionCount;
    for (int i = 0; i <= last; i++) {
      p[i].x += (uint32_t)dx;
      p[i].y += (uint32_t)dy;
      p[i].level += dlevel;
      p[i].cell = parked || p[i].codeUnder == UNUSED_ENTRY
                      ? nullptr
                      : GetCellAddress((int)p[i].x, (int)p[i].y, p[i].level);
    }
    // The marked cells ahead move with the block.
    for (int i = 0; i < t->reservedCells; i++) {
      ReservedCell& r = t->reservedPath[t->reservedFirst + i];
      r.x += dx, r.y += dy, r.level += dlevel;
    }
    changed = 1;
  }
  if (changed) SetNetModified();
}

void ScaleTrainsInRect(int cx, int cy, int a, int b, int c, int d, int x0, int y0, int level0,
                       int x1, int y1, int level1) {
  int changed = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (!HeadInBox(t, x0, y0, level0, x1, y1, level1)) continue;
    int parked = (t->flags & TRAIN_PARKED) != 0;
    TrainPosition* p = TrainPositions(t);
    int last = parked ? 0 : t->positionCount;
    // An unused tail entry keeps its offset from the last cell.
    int tailKept = last > 0 && p[last].codeUnder == UNUSED_ENTRY;
    int tailX = tailKept ? (int)(p[last].x - p[last - 1].x) : 0;
    int tailY = tailKept ? (int)(p[last].y - p[last - 1].y) : 0;
    for (int i = 0; i <= last; i++) {
      int nx, ny;
      if (i == last && tailKept) {
        p[i].x = p[i - 1].x + (uint32_t)tailX;
        p[i].y = p[i - 1].y + (uint32_t)tailY;
        continue;
      }
      ScaleBlockPosition(cx, cy, (int)p[i].x, (int)p[i].y, p[i].level, a, b, c, d, &nx, &ny);
      p[i].x = (uint32_t)nx;
      p[i].y = (uint32_t)ny;
      p[i].cell = parked || p[i].codeUnder == UNUSED_ENTRY
                      ? nullptr
                      : GetCellAddress(nx, ny, p[i].level);
    }
    changed = 1;
  }
  if (changed) SetNetModified();
}

int MoveParkedTrains(int fromX, int fromY, int fromLevel, int toX, int toY, int toLevel) {
  int moved = 0;
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (!(t->flags & TRAIN_PARKED)) continue;
    TrainPosition* h = TrainPositions(t);
    if (h->x != (uint32_t)fromX || h->y != (uint32_t)fromY || h->level != fromLevel) continue;
    h->x = (uint32_t)toX;
    h->y = (uint32_t)toY;
    h->level = toLevel;
    moved++;
  }
  if (moved) SetNetModified();
  return moved;
}

void RenumberDepotSlot(int depot, int oldSlot, int newSlot) {
  int changed = 0;
  auto renumber = [&](uint16_t d, uint16_t* slot) {
    if (d != (uint32_t)depot || (*slot & 0x7FFF) != (uint32_t)oldSlot) return;
    *slot = (uint16_t)((*slot & 0x8000) | (newSlot & 0x7FFF));
    changed = 1;
  };
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    renumber(t->homeDepot, &t->homeSlot);
    renumber(t->pendingDepot, &t->pendingSlot);
    for (int i = 0; i < 6; i++) {
      renumber(t->scheduleADepot[i], &t->scheduleASlot[i]);
      renumber(t->scheduleBDepot[i], &t->scheduleBSlot[i]);
    }
  }
  if (changed) SetNetModified();
}

// ---- the start train --------------------------------------------------------------------------------
// A tender engine with its tender and two bogie coaches of the default vehicle-graphic sets (steam
// engines 645136, coaches 645120), all facing forwards.
const uint32_t StartTrainVehicles[START_TRAIN_VEHICLES * 2] = {
    645136 + 1, 0x10,  // tender engine (may lead)
    645136 + 2, 0,     // tender
    645120 + 1, 0x1,   // bogie coach (symmetric)
    645120 + 1, 0x1,
};

void MakeStartTrainHeader(TrainRecord* h, uint32_t line, uint16_t depot) {
  FillMem(h, 0, sizeof(TrainRecord));
  h->line = h->secondLine = line;
  h->subNumber = 1;
  h->vehicleCount = START_TRAIN_VEHICLES;
  h->homeDepot = depot;
  h->homeSlot = 1;
  h->type = h->homeType = 1;
  h->category = h->homeCategory = 1;
  h->wayKinds = 1;
  h->maxSpeed = 80000;  // 80 speed units
  h->acceleration = 500;
  h->brake = 1000;
  h->minWait = 10;
  h->maxWait = 30;
}
