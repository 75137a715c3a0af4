// A headless run of the simulation built from the program's own functions: a network drawn into
// the grid (loops of track, switches), trains placed as records with their codes written into the
// grid, the clock advanced tick by tick at speed level 20, and the trains' positions dumped as
// text. Used by the train tests, the train benchmark and the GUI test host.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include "core/random.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/sim_clock.h"
#include "trains/train_records.h"
#include "trains/train_reserve.h"
#include "trains/train_services.h"

namespace headless {

// Track codes (symbol numbers of page 0): straight ways and the four quarter curves.
constexpr CellCode TRACK_WE = 0, TRACK_NS = 1, TRACK_NWSE = 2, TRACK_SWNE = 3;
constexpr CellCode CURVE_WS = 8;  // joins the west and south sides
constexpr CellCode CURVE_WN = 9;
constexpr CellCode CURVE_EN = 10;
constexpr CellCode CURVE_ES = 11;
// A switch: through way west-east, the branch leaves a train running east towards south-east.
constexpr CellCode SWITCH_E_SE = 48;

struct Cell {
  int x, y;
};

// An empty grid, no trains and no switches, the clock at day 1 00:00:00 tick 0, speed level 20,
// the default cell scale, a fixed random sequence.
inline void ResetNetwork() {
  static const int gridReady = InitGrid();
  (void)gridReady;
  ResetTrains();
  ClearSwitches();
  ClearGrid();
  DocumentState& d = DocState;
  d.weekday = 1;
  d.hour = d.minute = d.second = d.tick = 0;
  d.minuteCount = 0;
  d.speedLevel = 20;
  d.loopMode = 0;
  d.skipCounter = 0;
  d.fiveTick = 0;
  d.queueIndex = 0;
  d.stopHour = 255;
  SetSimulationScale(SIM_SCALE_DEFAULT);
  RuntimeSrand(1);
}

// The cells of a clockwise loop round the box (x0, y0) .. (x1, y1), starting at the top-left
// corner and running east along the top row.
inline std::vector<Cell> LoopCells(int x0, int y0, int x1, int y1) {
  std::vector<Cell> cells;
  for (int x = x0; x < x1; x++) cells.push_back({x, y0});
  for (int y = y0; y < y1; y++) cells.push_back({x1, y});
  for (int x = x1; x > x0; x--) cells.push_back({x, y1});
  for (int y = y1; y > y0; y--) cells.push_back({x0, y});
  return cells;
}

// Draws the loop round the box into the grid at the level; 0 when every cell was written.
inline int BuildLoop(int x0, int y0, int x1, int y1, int level) {
  int failed = 0;
  for (int x = x0 + 1; x < x1; x++) {
    failed += !SetCell(x, y0, level, TRACK_WE);
    failed += !SetCell(x, y1, level, TRACK_WE);
  }
  for (int y = y0 + 1; y < y1; y++) {
    failed += !SetCell(x0, y, level, TRACK_NS);
    failed += !SetCell(x1, y, level, TRACK_NS);
  }
  failed += !SetCell(x0, y0, level, CURVE_ES);
  failed += !SetCell(x1, y0, level, CURVE_WS);
  failed += !SetCell(x1, y1, level, CURVE_WN);
  failed += !SetCell(x0, y1, level, CURVE_EN);
  return failed;
}

// A switch symbol with its control record (control type, e.g. SWITCH_FIXED2); 0 when placed.
inline int PlaceTestSwitch(int x, int y, int level, CellCode code, int type) {
  if (!SetCell(x, y, level, code)) return 1;
  uint32_t directions[4];
  if (GetSwitchConnections(code, directions) != 0) return 1;
  return PlaceSwitch(x, y, level, 0, type, FindFreeSwitchId(), directions, 0);
}

struct TrainSpec {
  uint32_t line = 1, subNumber = 1;
  std::vector<Cell> cells;  // head first; one position entry each
  int level = 0;
  int dx = 1, dy = 0;        // direction of travel of the head
  int32_t maxSpeed = 100000;  // thousandths of the speed unit
  int32_t acceleration = 0, brake = 0;
  int32_t length = -1;  // 1/32 cell; -1: exactly the cells covered
  int vehicles = 1;
  uint32_t wayKinds = 1;
};

// Builds the train's record as a running train on its cells, inserts it and writes its code into
// the grid under every position. Null when the record cannot be made or inserted.
inline TrainRecord* PlaceTrain(const TrainSpec& s) {
  int n = (int)s.cells.size();
  int vehicles = s.vehicles > 0 ? s.vehicles : 1;
  TrainRecord* t = AllocTrainRecord(n, vehicles);
  if (!t) return nullptr;
  t->line = s.line;
  t->subNumber = s.subNumber;
  t->wayKinds = s.wayKinds;
  t->maxSpeed = s.maxSpeed;
  t->acceleration = s.acceleration;
  t->accelerationStep = s.acceleration * 18 / 25;
  t->brake = s.brake;
  t->brakeStep = s.brake * 18 / 25;
  t->decrement = s.dx && s.dy ? 7 : 10;
  t->timeStep = 1;
  t->tpTime = -1;
  t->dx = s.dx;
  t->dy = s.dy;
  int32_t length = s.length >= 0 ? s.length : 32 * n;
  TrainVehicleEntry* v = TrainVehicles(t);
  for (int i = 0; i < vehicles; i++)
    v[i].length = (uint32_t)(length / vehicles + (i < length % vehicles ? 1 : 0));
  t->length = TrainLength(t);
  TrainPosition* p = TrainPositions(t);
  for (int i = 0; i < n; i++) {
    p[i].x = (uint32_t)s.cells[i].x;
    p[i].y = (uint32_t)s.cells[i].y;
    p[i].level = s.level;
    p[i].cell = GetCellAddress(s.cells[i].x, s.cells[i].y, s.level);
    p[i].codeUnder = p[i].cell ? *p[i].cell : CELL_EMPTY;
  }
  if (InsertTrain(t) != 0) {
    FreeTrainRecord(t);
    return nullptr;
  }
  for (int i = 0; i < n; i++)
    if (p[i].cell) *p[i].cell = t->cellCode;
  ComputeTargetSpeed(t);
  MarkVehicleStarts(t);
  return t;
}

// A train of `count` cells on a loop (cells from LoopCells) with its head at index `head`, its body
// on the cells before it.
inline TrainSpec TrainOnLoop(const std::vector<Cell>& loop, int head, int count) {
  TrainSpec s;
  int n = (int)loop.size();
  for (int i = 0; i < count; i++) s.cells.push_back(loop[((head - i) % n + n) % n]);
  const Cell& a = loop[head % n];
  const Cell& b = loop[(head + 1) % n];
  s.dx = b.x - a.x;
  s.dy = b.y - a.y;
  return s;
}

// `count` fast trains of two cells spaced evenly round a loop (lines of up to 900 sub-numbers each).
// Result 0, or 1 when a train could not be placed.
inline int PlaceTrainsRoundLoop(const std::vector<Cell>& loop, int count) {
  int spacing = (int)loop.size() / count;
  for (int i = 0; i < count; i++) {
    TrainSpec s = TrainOnLoop(loop, 1 + i * spacing, 2);
    s.line = 1 + (uint32_t)i / 900;
    s.subNumber = 1 + (uint32_t)i % 900;
    s.maxSpeed = 100000;
    if (!PlaceTrain(s)) return 1;
  }
  return 0;
}

inline void AdvanceTicks(int ticks) {
  for (int i = 0; i < ticks; i++) AdvanceClock();
}

// One line per train in list order: line/sub-number, head cell, direction, sub-cell offset, speed,
// state flags and the cells it holds in the grid (head first, the tail entry last when used), then
// the cells it keeps reserved ahead.
inline std::string DumpTrains() {
  std::string out;
  char buf[160];
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    TrainPosition* p = TrainPositions(t);
    std::snprintf(buf, sizeof buf, "%u/%u head %u,%u,%d dir %d,%d off %d speed %d flags %04x cells",
                  t->line, t->subNumber, p[0].x, p[0].y, p[0].level, t->dx, t->dy,
                  t->subCellOffset, t->speed, t->flags & 0xFFFF);
    out += buf;
    for (int i = 0; i <= t->positionCount; i++) {
      if (p[i].codeUnder == 65535) continue;
      std::snprintf(buf, sizeof buf, " %u,%u", p[i].x, p[i].y);
      out += buf;
    }
    if (t->reservedCells > 0 && t->reservedPath) {
      out += " reserved";
      for (int i = 0; i < t->reservedCells; i++) {
        const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
        std::snprintf(buf, sizeof buf, " %d,%d", c.x, c.y);
        out += buf;
      }
    }
    out += "\n";
  }
  return out;
}

// Every grid cell of the box that holds a train code belongs to a used entry of the train with
// that code, and every used entry's cell holds its train's code; the reservation marks agree with
// the trains' kept cells. Empty when all agree, else the first disagreement.
inline std::string CheckTrainCells(int x0, int y0, int x1, int y1, int level) {
  char buf[160];
  for (TrainRecord* t = Trains.first; t; t = t->next) {
    if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) continue;
    TrainPosition* p = TrainPositions(t);
    for (int i = 0; i <= t->positionCount; i++)
      if (p[i].codeUnder != 65535 && GetCell((int)p[i].x, (int)p[i].y, p[i].level) != t->cellCode) {
        std::snprintf(buf, sizeof buf, "train %u: entry %d at %u,%u holds %04x, not its code %04x",
                      t->subNumber, i, p[i].x, p[i].y,
                      GetCell((int)p[i].x, (int)p[i].y, p[i].level), t->cellCode);
        return buf;
      }
  }
  // Every kept reserved cell is marked, and every marked cell of the box is kept by a train.
  for (TrainRecord* t = Trains.first; t; t = t->next)
    for (int i = 0; i < t->reservedCells && t->reservedPath; i++) {
      const ReservedCell& k = t->reservedPath[t->reservedFirst + i];
      if ((GetCell(k.x, k.y, k.level) & 0xC000) != CELL_MARK_BIT) {
        std::snprintf(buf, sizeof buf, "train %u: kept cell %d,%d is not marked", t->subNumber,
                      k.x, k.y);
        return buf;
      }
    }
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      CellCode m = GetCell(x, y, level);
      if ((m & 0xC000) == CELL_MARK_BIT && !FindTrainReservingCell(x, y, level)) {
        std::snprintf(buf, sizeof buf, "cell %d,%d is marked but kept by no train", x, y);
        return buf;
      }
    }
  for (int y = y0; y <= y1; y++)
    for (int x = x0; x <= x1; x++) {
      CellCode c = GetCell(x, y, level);
      if (c < TRAIN_CODE_FIRST || c > TRAIN_CODE_FIRST + 0xFF) continue;
      int index;
      TrainRecord* t = FindTrainAt(x, y, level, &index, c);
      if (!t || t->cellCode != c) {
        std::snprintf(buf, sizeof buf, "cell %d,%d holds train code %04x of no train entry", x, y, c);
        return buf;
      }
    }
  return "";
}

}  // namespace headless
