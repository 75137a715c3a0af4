// Reserved paths ahead of trains. Reserving walks the way ahead deciding switches as a train would
// (without advancing their counters: the train advances them once when it passes), marks the cells
// and keeps them in order with the train; everything after that (releasing, the queries, passing a
// reserved switch) follows the kept cells, so a switch whose decision changed meanwhile never
// splits a reservation from its marks.
#include "trains/train_reserve.h"
#include <utility>
#include "core/misc.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/track_geometry.h"
#include "trains/train_draw.h"
#include "trains/train_move.h"
#include "trains/train_running.h"
#include "trains/train_services.h"
#include "views/view_services.h"

namespace {
constexpr int MAX_RESERVED_CELLS = 10000;
constexpr int MAX_RESERVATION_RETRIES = 100;
constexpr uint32_t DRAW_LINE_DIAGRAM = 2;


int InGrid(int64_t x, int64_t y, int64_t level) {
  return x >= 0 && x <= GRID_MAX_XY && y >= 0 && y <= GRID_MAX_XY && level <= GRID_LEVEL_TOP &&
         level >= GRID_LEVEL_BOTTOM;
}

CellCode ReadCode(int x, int y, int level, CellCode** address) {
  *address = InGrid(x, y, level) ? GetCellAddress(x, y, level) : nullptr;
  return *address ? **address : CELL_EMPTY;
}

// The code a train reads at a cell: under a train standing there, its code under.
CellCode TrackCodeAt(int x, int y, int level) {
  CellCode* a;
  CellCode code = ReadCode(x, y, level, &a);
  if (IsTrainCellCode(code)) code = GetTrainCellCode(x, y, level, code);
  return code;
}

// The condition of a signal with a condition for the train: 1 or 2 let it through. Until the
// signal conditions are built every condition lets trains through.
int SignalConditionForTrain(const TrainRecord*, int, int, int) { return 1; }

void RedrawMarked(int x, int y, int level) {
  if (!TrainDrawSuppressed) DrawCell(x, y, level, DRAW_LINE_DIAGRAM);
}

// The switch exit the train would take at the cell (counters not advanced). A route-list switch
// records its decision (or keeps one recorded before): the search and the marking walk the same
// way, and the train passing uses the recorded exit and clears it.
uint32_t DecideWithoutAdvance(TrainRecord* t, const PathWalk* w, int cls) {
  return cls == ELEM_SWITCH_CONTROL
             ? DecideSwitchExitAuto(t, w->x, w->y, w->level, 1)
             : DecideSwitchExitAutoFrom(t, w->x, w->y, w->level, w->dx, w->dy, 1);
}

int KeepCell(TrainRecord* t, int x, int y, int level) {
  int used = t->reservedFirst + t->reservedCells;
  if (used >= t->reservedCapacity) {
    if (t->reservedFirst > 0) {  // the dropped cells make room
      for (int i = 0; i < t->reservedCells; i++)
        t->reservedPath[i] = t->reservedPath[t->reservedFirst + i];
      t->reservedFirst = 0;
    } else {
      int capacity = t->reservedCapacity ? t->reservedCapacity * 2 : 16;
      size_t size = (size_t)capacity * sizeof(ReservedCell);
      void* p = t->reservedPath ? MemRealloc(t->reservedPath, size) : MemAlloc(size);
      if (!p) return 0;
      t->reservedPath = (ReservedCell*)p;
      t->reservedCapacity = capacity;
    }
    used = t->reservedFirst + t->reservedCells;
  }
  t->reservedPath[used] = {x, y, level};
  t->reservedCells++;
  return 1;
}

int FindKeptCell(const TrainRecord* t, int x, int y, int level) {
  if (!(t->flags & TRAIN_RESERVING) || !t->reservedPath) return -1;
  for (int i = 0; i < t->reservedCells; i++) {
    const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
    if (c.x == x && c.y == y && c.level == level) return i;
  }
  return -1;
}

// A train standing in the way ahead: 1 when the reserving train may run on to join it.
int MayJoinTrainAhead(TrainRecord* t, const PathWalk* w, CellCode code) {
  if (!(t->flags & TRAIN_JOINING)) return 0;
  int entry = 0;
  TrainRecord* other = FindTrainAt(w->x, w->y, w->level, &entry, code);
  if (!other) return 0;
  if (entry == 0 && other->dx == -w->dx && other->dy == -w->dy) return 1;
  TrainPosition* p = TrainPositions(other);
  int last = other->positionCount - 1;
  if (entry == last && other->dx == w->dx && other->dy == w->dy &&
      p[other->positionCount].codeUnder == 65535)
    return 1;
  return entry == other->positionCount ? 1 : 0;
}

int FinishReservation(TrainRecord* t, int c) {
  if (c < 2) return 1;
  if (!MarkReservation(t, c)) {
    ReleaseReservation(t, c);
    return 0;
  }
  t->flags |= TRAIN_RESERVING;
  return 1;
}

// A ramp foot ahead: 0 when it leads nowhere below (event raised), else dz -1 for the next step.
int RampFootLeadsDown(const TrainRecord* t, const PathWalk* w, int raiseEvents) {
  if (w->level < GRID_LEVEL_BOTTOM + 1) {
    if (raiseEvents) RaiseTrainEvent(EVENT_RAMP_LEVEL, t, w->x, w->y, w->level);
    return 0;
  }
  int belowClass;
  CellCode below = TrackCodeAt(w->x, w->y, w->level - 1);
  if (below >= 0x8000 ||
      NextCellClass(-w->dx, -w->dy, below & 0x3FFF, &belowClass, t->wayKinds) != MOVE_STRAIGHT ||
      belowClass != ELEM_RAMP_UP) {
    if (raiseEvents) RaiseTrainEvent(EVENT_RAMP_BELOW_MISSING, t, w->x, w->y, w->level);
    return 0;
  }
  return 1;
}
}  // namespace

// ---- the walk ------------------------------------------------------------------------------------
int WalkPathStep(const TrainRecord* t, PathWalk* w, CellCode* code, int* elementClass, int* move) {
  int64_t x = (int64_t)w->x + w->dx, y = (int64_t)w->y + w->dy;
  int64_t level = (int64_t)w->level - (w->dz == -1 ? 1 : 0);
  *elementClass = ELEM_PLAIN;
  *move = MOVE_BLOCKED;
  *code = CELL_EMPTY;
  if (!InGrid(x, y, level)) return WALK_NO_TRACK;
  w->x = (int32_t)x, w->y = (int32_t)y, w->level = (int32_t)level;
  CellCode* a;
  *code = ReadCode(w->x, w->y, w->level, &a);
  if (*code >= 0x8000) return WALK_NO_TRACK;
  *move = NextCellClass(w->dx, w->dy, *code & 0x3FFF, elementClass, t->wayKinds);
  if (*elementClass == ELEM_RAMP_UP && w->level < GRID_LEVEL_TOP) {
    // Followed to the level above when a ramp top is there.
    int topClass;
    CellCode top = ReadCode(w->x, w->y, w->level + 1, &a);
    if (top < 0x8000 || IsTrainCellCode(top)) {
      CellCode under = IsTrainCellCode(top) ? GetTrainCellCode(w->x, w->y, w->level + 1, top) : top;
      if (under < 0x8000 &&
          NextCellClass(w->dx, w->dy, under & 0x3FFF, &topClass, t->wayKinds) == MOVE_STRAIGHT &&
          topClass == ELEM_RAMP_TOP) {
        w->level++;
        *code = top;
        *elementClass = ELEM_PLAIN;
        *move = MOVE_STRAIGHT;
      }
    }
  }
  return WALK_OK;
}

void ApplyWalkMove(PathWalk* w, int move) {
  if (move >= 2 && move <= 9) {
    w->dx = MoveResultDx(move);
    w->dy = MoveResultDy(move);
  }
}

// ---- reserving -----------------------------------------------------------------------------------
int ReserveAhead(TrainRecord* t, int mode) {
  if (!t || t->positionCount < 1) return 1;
  TrainPosition* head = TrainPositions(t);
  PathWalk w = {(int32_t)head->x, (int32_t)head->y, head->level, t->dx, t->dy, t->dz};
  int n = 0, c = 0;
  for (;;) {
    if (n >= t->positionCount) return FinishReservation(t, c);
    PathWalk from = w;
    CellCode code;
    int cls, move;
    WalkPathStep(t, &w, &code, &cls, &move);
    if (IsTrainCellCode(code)) return MayJoinTrainAhead(t, &w, code);
    if (code < 0x8000 && (code & CELL_MARK_BIT)) return 0;
    if (CheckReservationConflict(from.x, from.y, from.level, w.x, w.y, w.level, t, from.dx,
                                 from.dy, from.dz))
      return 0;
    int endAfter = 0, dz = 0;
    switch (cls) {
      case ELEM_PLAIN:
      case ELEM_STOP:
      case ELEM_SIGNAL_BACK:
      case ELEM_LFST:
      case ELEM_DWX:
      case ELEM_DISTANT_SIGNAL:
      case ELEM_DISTANT_VALUE: break;
      case ELEM_FREE_PATH:
      case ELEM_SWITCH_RESERVE: n = -1; break;
      case ELEM_SWITCH_CONTROL:
      case ELEM_SWITCH_ARRIVAL: {
        uint32_t decision = DecideWithoutAdvance(t, &w, cls);
        int exit = SwitchDecisionToMove(decision);
        if (exit == SWITCH_MOVE_WAIT) exit = MOVE_BLOCKED;
        if (decision & SWITCH_STOP_MARK) {
          if (exit == MOVE_BLOCKED) return 0;  // told to stop: the train waits before the switch
          endAfter = 1;
        } else if (cls == ELEM_SWITCH_ARRIVAL) {
          n = -1;
        }
        move = exit;
        break;
      }
      case ELEM_TP:
        if (MatchTpForTrain(w.x, w.y, w.level, DirectionCode(w.dx, w.dy), 1, nullptr) != 1)
          endAfter = 1;
        break;
      case ELEM_SIGNAL:
      case ELEM_DEPOT_SLOT:
      case ELEM_SIGNAL_SPEED: endAfter = 1; break;
      case ELEM_SIGNAL_CONDITION:
        if (SignalConditionForTrain(t, w.x, w.y, w.level) == 0) return 0;
        endAfter = 1;
        break;
      case ELEM_BUFFER_STOP:
        if (mode == 0) return 0;
        break;
      case ELEM_RAMP_FOOT:
        if (!RampFootLeadsDown(t, &w, 1)) return 0;
        dz = -1;
        break;
      case ELEM_ROUTE_POINT: return FinishReservation(t, c);  // the route point stays free
      case ELEM_RAMP_TOP:
      case ELEM_RAMP_UP: RaiseTrainEvent(EVENT_NO_WAY, t, w.x, w.y, w.level); return 0;
      default: return 0;
    }
    if (move == MOVE_BLOCKED) {
      RaiseTrainEvent(EVENT_NO_WAY, t, w.x, w.y, w.level);
      return 0;
    }
    n++, c++;
    if (c > MAX_RESERVED_CELLS) {
      if (++t->reservationRetries >= MAX_RESERVATION_RETRIES) {
        RaiseTrainEvent(EVENT_RESERVATION_TOO_LONG, t, w.x, w.y, w.level);
        t->reservationRetries = 0;
      }
      return 0;
    }
    if (endAfter) return FinishReservation(t, c);
    ApplyWalkMove(&w, move);
    w.dz = dz;
  }
}

int MarkReservation(TrainRecord* t, int n) {
  TrainPosition* head = TrainPositions(t);
  PathWalk w = {(int32_t)head->x, (int32_t)head->y, head->level, t->dx, t->dy, t->dz};
  t->reservedFirst = 0;
  t->reservedCells = 0;
  for (int i = 0; i < n; i++) {
    CellCode code;
    int cls, move;
    if (WalkPathStep(t, &w, &code, &cls, &move) != WALK_OK || IsTrainCellCode(code) ||
        (code & CELL_MARK_BIT) || cls > ELEM_SIGNAL_SPEED)
      return 0;
    int dz = 0;
    if (cls == ELEM_SWITCH_CONTROL || cls == ELEM_SWITCH_ARRIVAL) {
      move = SwitchDecisionToMove(DecideWithoutAdvance(t, &w, cls));
      if (move == SWITCH_MOVE_WAIT) move = MOVE_BLOCKED;
    } else if (cls == ELEM_RAMP_FOOT) {
      if (!RampFootLeadsDown(t, &w, 0)) return 0;
      dz = -1;
    } else if (cls == ELEM_RAMP_UP || cls == ELEM_RAMP_TOP) {
      return 0;  // a broken ramp
    }
    CellCode* address = GetCellAddress(w.x, w.y, w.level);
    if (!address || !KeepCell(t, w.x, w.y, w.level)) return 0;
    *address = (CellCode)(code | CELL_MARK_BIT);
    RedrawMarked(w.x, w.y, w.level);
    if (cls == ELEM_SIGNAL || cls == ELEM_DEPOT_SLOT || cls == ELEM_ROUTE_POINT ||
        cls == ELEM_SIGNAL_CONDITION || cls == ELEM_SIGNAL_SPEED)
      return 1;
    if (i + 1 < n && move == MOVE_BLOCKED) return 0;
    ApplyWalkMove(&w, move);
    w.dz = dz;
  }
  return 1;
}

void ReleaseReservation(TrainRecord* t, int n) {
  if (!t) return;
  if (n > t->reservedCells) n = t->reservedCells;
  if (!t->reservedPath) n = 0;
  for (int i = 0; i < n; i++) {
    const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
    CellCode* address = GetCellAddress(c.x, c.y, c.level);
    // A kept cell whose mark an edit removed is no longer held; the cells after it still are.
    if (!address || *address >= 0x8000 || !(*address & CELL_MARK_BIT)) continue;
    *address = (CellCode)(*address & ~CELL_MARK_BIT);
    RedrawMarked(c.x, c.y, c.level);
  }
  t->reservedFirst = 0;
  t->reservedCells = 0;
}

void ReleaseTrainReservation(TrainRecord* t) {
  if (!t) return;
  ReleaseReservation(t, t->reservedCells);
  t->flags &= ~TRAIN_RESERVING;
}

void DropFirstReservedCell(TrainRecord* t) {
  if (t->reservedCells <= 0) return;
  t->reservedFirst++;
  t->reservedCells--;
}

int IsNextReservedCell(const TrainRecord* t, int x, int y, int level) {
  if (!(t->flags & TRAIN_RESERVING) || t->reservedCells < 1 || !t->reservedPath) return 0;
  const ReservedCell& c = t->reservedPath[t->reservedFirst];
  return c.x == x && c.y == y && c.level == level;
}

int ReservedExitAt(const TrainRecord* t, int x, int y, int level) {
  if (!(t->flags & TRAIN_RESERVING) || t->reservedCells < 2 || !t->reservedPath) return 0;
  const ReservedCell* c = t->reservedPath + t->reservedFirst;
  if (c[0].x != x || c[0].y != y || c[0].level != level) return 0;
  return MoveResultToward(c[1].x - x, c[1].y - y);
}

// ---- queries -------------------------------------------------------------------------------------
TrainRecord* FindTrainReservationAt(int x, int y, int level, int x2, int y2, int level2,
                                    int hasSecond) {
  TrainRecord* found = nullptr;
  for (TrainRecord* t = GetFirstTrain(); t; t = t->next) {
    int a = FindKeptCell(t, x, y, level) >= 0;
    int b = hasSecond && FindKeptCell(t, x2, y2, level2) >= 0;
    if (!hasSecond) {
      if (a) return t;
      continue;
    }
    if (a && b) return t;
    if (a || b) {
      if (found && found != t) return nullptr;  // different trains hold them
      found = t;
    }
  }
  return nullptr;
}

TrainRecord* FindTrainReservingCell(int x, int y, int level) {
  return FindTrainReservationAt(x, y, level, 0, 0, 0, 0);
}

int ReservationCrossesRect(const TrainRecord* t, int x0, int y0, int level0, int x1, int y1,
                           int level1) {
  int inside = 0, outside = 0;
  auto test = [&](int x, int y, int level) {
    if (x >= x0 && x <= x1 && y >= y0 && y <= y1 && level >= level0 && level <= level1)
      inside++;
    else
      outside++;
  };
  const TrainPosition* head = TrainPositions((TrainRecord*)t);
  test((int)head->x, (int)head->y, head->level);
  for (int i = 0; i < t->reservedCells; i++) {
    const ReservedCell& c = t->reservedPath[t->reservedFirst + i];
    test(c.x, c.y, c.level);
  }
  if (inside && outside) return 2;
  return inside ? 0 : 1;
}

int ReleaseTrainReservationsInRect(int x0, int y0, int level0, int x1, int y1, int level1,
                                   int mode) {
  if (x0 > x1) std::swap(x0, x1);
  if (y0 > y1) std::swap(y0, y1);
  if (level0 > level1) std::swap(level0, level1);
  int any = 0;
  for (TrainRecord* t = GetFirstTrain(); t; t = t->next) {
    if (!(t->flags & TRAIN_RESERVING) || t->positionCount < 1) continue;
    int r = ReservationCrossesRect(t, x0, y0, level0, x1, y1, level1);
    if (r == 2 || (mode == 1 && r == 0)) {
      ReleaseTrainReservation(t);
      any = 1;
    }
  }
  return any;
}

// ---- diagonal steps ------------------------------------------------------------------------------
int CheckReservationConflict(int fromX, int fromY, int fromLevel, int toX, int toY, int toLevel,
                             TrainRecord* train, int dx, int dy, int dz) {
  if (dx == 0 || dy == 0 || dz != 0 || fromLevel != toLevel) return 0;
  int cx[2] = {fromX, toX}, cy[2] = {toY, fromY};
  TrainRecord* holder[2] = {nullptr, nullptr};
  TrainRecord* reserver[2] = {nullptr, nullptr};
  int entry[2] = {-1, -1};
  CellCode under[2] = {CELL_EMPTY, CELL_EMPTY};
  for (int i = 0; i < 2; i++) {
    if (!InGrid(cx[i], cy[i], fromLevel)) return 0;
    CellCode* a;
    CellCode code = ReadCode(cx[i], cy[i], fromLevel, &a);
    if (IsTrainCellCode(code)) {
      holder[i] = FindTrainAt(cx[i], cy[i], fromLevel, &entry[i], code);
      if (holder[i]) under[i] = TrainPositions(holder[i])[entry[i]].codeUnder;
    } else if (code < 0x8000 && (code & CELL_MARK_BIT)) {
      reserver[i] = FindTrainReservingCell(cx[i], cy[i], fromLevel);
    }
  }
  if (holder[0] && holder[0] == holder[1]) {
    // Ramp cells that lead into each other are one way, not a cut through the train.
    int c0, c1;
    int m0 = NextCellClass(cx[1] - cx[0], cy[1] - cy[0], under[0] & 0x3FFF, &c0, train->wayKinds);
    int m1 = NextCellClass(cx[0] - cx[1], cy[0] - cy[1], under[1] & 0x3FFF, &c1, train->wayKinds);
    if (under[0] < 0x8000 && under[1] < 0x8000 && c0 == ELEM_RAMP_FOOT &&
        c1 == ELEM_RAMP_FOOT && m0 == MOVE_STRAIGHT && m1 == MOVE_STRAIGHT)
      return 0;
    if (holder[0]->flags & TRAIN_MANUAL)
      RaiseTrainEvent(EVENT_HAND_STEERED_AHEAD, train, toX, toY, toLevel);
    return 1;
  }
  for (int i = 0; i < 2; i++)
    if (holder[i] && entry[i] == 0 && reserver[1 - i] == holder[i]) return 1;
  if (reserver[0] && reserver[0] == reserver[1]) return 1;
  return 0;
}

// ---- rebuilding kept cells along the marks -------------------------------------------------------
namespace {
// The exit of a switch cell along the marks: of the switch's ways (not back where the train came
// from), the one whose next cell carries the mark and takes the train; when several do, the exit
// the switch decides. 0 when none does.
int MarkedSwitchExit(TrainRecord* t, const PathWalk* w, CellCode code, int cls) {
  uint32_t ways[4];
  if (GetSwitchConnections(code & 0x3FFF, ways) != 0) return MOVE_BLOCKED;
  uint32_t back = DirectionCode(-w->dx, -w->dy);
  int found = 0, move = MOVE_BLOCKED;
  for (uint32_t d : ways) {
    if (!d || d == back) continue;
    int dx = DirectionDx(d), dy = DirectionDy(d);
    int64_t nx = (int64_t)w->x + dx, ny = (int64_t)w->y + dy;
    if (!InGrid(nx, ny, w->level)) continue;
    CellCode next = GetCell((int)nx, (int)ny, w->level);
    int nextClass;
    if (next >= 0x8000 || !(next & CELL_MARK_BIT) ||
        NextCellClass(dx, dy, next & 0x3FFF, &nextClass, t->wayKinds) == MOVE_BLOCKED)
      continue;
    found++;
    move = MoveResultToward(dx, dy);
  }
  if (found <= 1) return move;
  int decided = SwitchDecisionToMove(DecideWithoutAdvance(t, w, cls));
  return decided == SWITCH_MOVE_WAIT ? MOVE_BLOCKED : decided;
}
}  // namespace

int RebuildTrainReservation(TrainRecord* t, int maxCells) {
  TrainPosition* head = TrainPositions(t);
  PathWalk w = {(int32_t)head->x, (int32_t)head->y, head->level, t->dx, t->dy, t->dz};
  t->reservedFirst = 0;
  t->reservedCells = 0;
  int limit = maxCells > 0 && maxCells < MAX_RESERVED_CELLS ? maxCells : MAX_RESERVED_CELLS;
  for (int steps = 0; steps < limit; steps++) {
    CellCode code;
    int cls, move;
    if (WalkPathStep(t, &w, &code, &cls, &move) != WALK_OK || !(code & CELL_MARK_BIT)) break;
    if (!KeepCell(t, w.x, w.y, w.level)) break;
    if (code & CELL_END_MARK) {  // the end mark of files of older versions
      if (CellCode* a = GetCellAddress(w.x, w.y, w.level)) *a = (CellCode)(code & ~CELL_END_MARK);
      break;
    }
    int dz = 0;
    if (cls == ELEM_SWITCH_CONTROL || cls == ELEM_SWITCH_ARRIVAL)
      move = MarkedSwitchExit(t, &w, code, cls);
    else if (cls == ELEM_RAMP_FOOT)
      dz = -1;
    if (move < MOVE_STRAIGHT) break;
    ApplyWalkMove(&w, move);
    w.dz = dz;
  }
  if (t->reservedCells == 0) t->flags &= ~TRAIN_RESERVING;
  return t->reservedCells;
}

int RecountTrainReservation(TrainRecord* t) { return RebuildTrainReservation(t, 0); }

void RestoreTrainReservations() {
  for (TrainRecord* t = GetFirstTrain(); t; t = t->next)
    if ((t->flags & TRAIN_RESERVING) && t->positionCount >= 1) RecountTrainReservation(t);
}

// ---- reversing ------------------------------------------------------------------------------------
int ReverseTrain(TrainRecord* t, int setOffset, int keepVehicles) {
  int count = t->positionCount;
  if (count < 1) return 1;
  TrainPosition* p = TrainPositions(t);
  TrainPosition& tail = p[count];
  if ((t->length + t->subCellOffset + 31) / 32 > count) {
    t->subCellOffset = 0;
    if (tail.codeUnder != 65535) {  // the tail entry gives its cell back
      if (tail.cell) *tail.cell = tail.codeUnder;
      tail.codeUnder = 65535;
      if (!TrainDrawSuppressed) {
        DrawCell((int)tail.x, (int)tail.y, tail.level, DRAWCELL_ALL_VIEWS);
        if (tail.level < GRID_LEVEL_TOP)
          DrawCell((int)tail.x, (int)tail.y, tail.level + 1, DRAWCELL_ALL_VIEWS);
      }
    }
  }
  if (p[count - 1].codeUnder == 65535) return 1;
  ReleaseTrainReservation(t);
  if (t->flags & TRAIN_HELD) {  // runs again: the TP under the head forgets it
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_HELD;
    EnqueueTrainByState(t);
    ClearTpHoldAt((int)p[0].x, (int)p[0].y, p[0].level);
    LogTrainAtHead(t, TRAINLOG_TP_RELEASED, -1);
  }
  t->flags ^= TRAIN_TURNED;
  // The cell ahead of the old head becomes the new tail entry.
  int64_t aheadX = (int64_t)p[0].x + t->dx, aheadY = (int64_t)p[0].y + t->dy;
  int32_t aheadLevel = p[0].level - (t->dz == -1 ? 1 : 0);
  // The new direction leads from the last covered cell to the cell the tail left; a tail entry
  // that never held a cell (a train just placed) gives it from the last two covered cells.
  int64_t ndx = (int64_t)tail.x - p[count - 1].x, ndy = (int64_t)tail.y - p[count - 1].y;
  int ndz = tail.level < p[count - 1].level ? -1 : 0;
  if (ndx < -1 || ndx > 1 || ndy < -1 || ndy > 1 || (ndx == 0 && ndy == 0)) {
    if (count >= 2) {
      ndx = (int64_t)p[count - 1].x - p[count - 2].x;
      ndy = (int64_t)p[count - 1].y - p[count - 2].y;
    } else {
      ndx = -t->dx, ndy = -t->dy;
    }
    ndz = 0;
  }
  t->dx = (int32_t)ndx, t->dy = (int32_t)ndy, t->dz = ndz;
  // The cells reverse their order; the low bits of the vehicle marks (the vehicles starting in a
  // slot) stay with the slot, the high bits (the leave trigger of a passed signal) go with the cell.
  for (int i = 0, j = count - 1; i < j; i++, j--) {
    TrainPosition a = p[i], b = p[j];
    p[i] = b, p[j] = a;
    p[i].vehicleMark = (uint8_t)((a.vehicleMark & 7) | (b.vehicleMark & 0xF8));
    p[j].vehicleMark = (uint8_t)((b.vehicleMark & 7) | (a.vehicleMark & 0xF8));
  }
  tail.x = (uint32_t)(aheadX < 0 ? 0 : aheadX);
  tail.y = (uint32_t)(aheadY < 0 ? 0 : aheadY);
  tail.level = aheadLevel;
  tail.cell = nullptr;
  tail.codeUnder = 65535;
  tail.vehicleMark &= 7;
  TrainVehicleEntry* v = TrainVehicles(t);
  int n = t->vehicleCount;
  if (!keepVehicles) {
    for (int i = 0, j = n - 1; i < j; i++, j--) std::swap(v[i], v[j]);
    for (int i = 0; i < n; i++)
      if (!(v[i].flags & 1)) v[i].flags ^= 0x8000;
  } else {
    for (int i = 0; i < n; i++)
      if (v[i].flags & 1) v[i].flags ^= 0x8000;
  }
  MarkVehicleStarts(t);
  if (setOffset) {
    int offset = (32 - t->length % 32) & ~7;
    t->subCellOffset = offset == 32 ? 0 : offset;
  }
  RedrawTrain(t, 0);
  return 0;
}

// ---- held trains --------------------------------------------------------------------------------
int ReleaseHeldTrainAt(int x, int y, int level) {
  for (TrainRecord* t = Trains.held; t; t = t->nextInQueue) {
    const TrainPosition* head = TrainPositions(t);
    if (!(t->flags & TRAIN_HELD) || t->positionCount < 1 || head->x != (uint32_t)x ||
        head->y != (uint32_t)y || head->level != level)
      continue;
    DequeueTrainByState(t);
    t->flags &= ~TRAIN_HELD;
    EnqueueTrainByState(t);
    LogTrainAtHead(t, TRAINLOG_HELD_RELEASED, -1);
    return 0;
  }
  return 1;
}
