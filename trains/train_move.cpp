// Moving a train one cell: the cell ahead is read (empty outside the grid), a train standing there
// blocks, the track geometry gives the way and its element class, and the element decides.
#include "trains/train_move.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/train_reserve.h"
#include "trains/train_running.h"
#include "trains/train_services.h"
#include "views/view_services.h"

int (*TrainMoveEventSink)(int kind, int x, int y, int level, int line, int secondLine,
                          int subNumber, int32_t value) = AddEventDisplayEntry;

void RaiseTrainEvent(int kind, const TrainRecord* t, int x, int y, int level) {
  TrainMoveEventSink(kind, x, y, level, (int)t->line, (int)t->secondLine, (int)t->subNumber, 0);
}

namespace {
// The code of a cell and its grid address; a cell outside the grid or in an absent block reads as
// empty and has no address.
CellCode ReadCell(int64_t x, int64_t y, int level, CellCode** address) {
  *address = nullptr;
  if (x < 0 || x > GRID_MAX_XY || y < 0 || y > GRID_MAX_XY || level > GRID_LEVEL_TOP ||
      level < GRID_LEVEL_BOTTOM)
    return CELL_EMPTY;
  *address = GetCellAddress((int)x, (int)y, level);
  return *address ? **address : CELL_EMPTY;
}

// A reservation ahead for the free-path classes, unless the train runs without reserving.
int MayPassFreePath(TrainRecord* t) {
  if ((t->flags & (TRAIN_RESERVING | TRAIN_SELECTED)) || (t->tpAttribute5 & 0x8)) return 1;
  return ReserveAhead(t, 1);
}

// Another train holds the cell ahead (code is its train code): result 0 or 3.
int MeetTrainAhead(TrainRecord* t, int x, int y, int level, CellCode code) {
  int entry = 0;
  TrainRecord* other = FindTrainAt(x, y, level, &entry, code);
  if (!other) return MOVE_CELL_BLOCKED;
  if (other->flags & TRAIN_MANUAL) {
    RaiseTrainEvent(EVENT_HAND_STEERED_AHEAD, t, x, y, level);
    return MOVE_CELL_BLOCKED;
  }
  if (PushIntoTrain(t, other, entry) != 0) return MOVE_CELL_STAYS;
  if (entry == 0 && t->dx + other->dx == 0 && t->dy + other->dy == 0)
    RaiseTrainEvent(EVENT_HEADS_MEET, t, x, y, level);
  return MOVE_CELL_BLOCKED;
}
// A train leaving its depot takes its first cell: a depot slot with a signal system occupied keeps
// it back (0), a free one is told the train leaves. Then the train runs and its code stands in the
// grid under its head.
int LeaveDepot(TrainRecord* t) {
  TrainPosition* head = TrainPositions(t);
  int slot = 0;
  int depot = FindDepotAt((int)head->x, (int)head->y, head->level, &slot);
  if (depot) {
    int sx, sy, slevel;
    uint32_t direction, system = 0, timeMs, flags;
    if (GetDepotSlot(depot, slot, &sx, &sy, &slevel, &direction, &system, &timeMs, &flags) == 0 &&
        system) {
      int state = GetSignalSystemState(system);
      if (state == 2) return 0;
      if (state == 3)
        TriggerElementAt((int)head->x, (int)head->y, head->level,
                         (uint32_t)slot << 16 | (uint32_t)depot, (int)t->subNumber,
                         (int)t->secondLine, (int)t->line, t->vehicleCount, 48);
    }
  }
  CellCode* address;
  CellCode code = ReadCell(head->x, head->y, head->level, &address);
  if (IsTrainCellCode(code))
    code = GetTrainCellCode((int)head->x, (int)head->y, head->level, code);
  else
    code &= (CellCode)~CELL_MARK_BIT;
  DequeueTrainByState(t);  // out of its round-robin queue, without 0x1000
  AppendRunningTrain(t);
  AssignTrainCellCode(t);
  head->codeUnder = code;
  head->cell = address;
  if (address) {
    *address = t->cellCode;
    DrawCell((int)head->x, (int)head->y, head->level, DRAWCELL_ALL_VIEWS);
  }
  return 1;
}
}  // namespace

int MoveTrainOneCell(TrainRecord* t, TrainPosition* newHead) {
  if ((t->flags & TRAIN_LEAVING) && !LeaveDepot(t)) return MOVE_CELL_BLOCKED;
  TrainPosition* head = TrainPositions(t);
  int64_t x = (int64_t)head->x + t->dx, y = (int64_t)head->y + t->dy;
  int level = head->level - (t->dz == -1 ? 1 : 0);
  CellCode* address;
  CellCode code = ReadCell(x, y, level, &address);
  int move = MOVE_BLOCKED, cls = ELEM_PLAIN;
  if (IsTrainCellCode(code)) {
    // A train standing on the foot of a ramp leading up does not hide the ramp.
    int entry;
    TrainRecord* other = FindTrainAt((int)x, (int)y, level, &entry, code);
    if (other) {
      uint16_t under = TrainPositions(other)[entry].codeUnder;
      NextCellClass(t->dx, t->dy, under, &cls, t->wayKinds);
      if (cls == ELEM_RAMP_UP) code = under;
    }
  }
  if (code < 0x8000) {
    move = NextCellClass(t->dx, t->dy, code, &cls, t->wayKinds);
    if (move == MOVE_BLOCKED && cls == ELEM_PLAIN) {
      RaiseTrainEvent(EVENT_NO_WAY, t, (int)x, (int)y, level);
      return MOVE_CELL_BLOCKED;
    }
    if (cls == ELEM_RAMP_UP) {
      if (level >= GRID_LEVEL_TOP) {
        RaiseTrainEvent(EVENT_RAMP_LEVEL, t, (int)x, (int)y, level);
        return MOVE_CELL_BLOCKED;
      }
      level++;
      code = ReadCell(x, y, level, &address);
      if (IsTrainCellCode(code)) return MeetTrainAhead(t, (int)x, (int)y, level, code);
      int topClass;
      if (code >= 0x8000 || NextCellClass(t->dx, t->dy, code, &topClass, t->wayKinds) != 1 ||
          topClass != ELEM_RAMP_TOP) {
        RaiseTrainEvent(EVENT_RAMP_TOP_MISSING, t, (int)x, (int)y, level);
        return MOVE_CELL_BLOCKED;
      }
      cls = ELEM_PLAIN, move = MOVE_STRAIGHT;
    }
  } else {
    ReleaseTrainReservation(t);  // the marks left ahead go with the flag
    if (!IsTrainCellCode(code)) {
      RaiseTrainEvent(EVENT_NO_WAY, t, (int)x, (int)y, level);
      return MOVE_CELL_BLOCKED;
    }
    return MeetTrainAhead(t, (int)x, (int)y, level, code);
  }
  // A cell reserved ahead of a train: only the train that reserved it goes on; its own last
  // reserved cell ends the reservation.
  if (code & CELL_MARK_BIT) {
    if (!IsNextReservedCell(t, (int)x, (int)y, level)) return MOVE_CELL_BLOCKED;
    if (t->reservedCells < 2) {
      if (move == MOVE_BLOCKED) return MOVE_CELL_BLOCKED;
      ReleaseTrainReservation(t);
    }
  } else {
    ReleaseTrainReservation(t);  // the marks left ahead go with the flag
  }
  if (CheckReservationConflict((int)head->x, (int)head->y, head->level, (int)x, (int)y, level, t,
                               t->dx, t->dy, t->dz))
    return MOVE_CELL_BLOCKED;

  uint8_t mark = 0;
  int dz = 0;
  switch (cls) {
    case ELEM_FREE_PATH:
    case ELEM_SWITCH_RESERVE:
      if (!MayPassFreePath(t)) return MOVE_CELL_BLOCKED;
      break;
    case ELEM_SWITCH_CONTROL:
    case ELEM_SWITCH_ARRIVAL: {
      if (cls == ELEM_SWITCH_ARRIVAL && !MayPassFreePath(t)) return MOVE_CELL_BLOCKED;
      uint32_t decision = cls == ELEM_SWITCH_CONTROL
                              ? DecideSwitchExit(t, (int)x, (int)y, level)
                              : DecideSwitchExitFrom(t, (int)x, (int)y, level, t->dx, t->dy);
      move = SwitchDecisionToMove(decision);
      if (move == SWITCH_MOVE_WAIT) return MOVE_CELL_STAYS;
      // A reserved switch is passed by the exit reserved (the decision above advanced its
      // counters once for this train).
      if (int reserved = ReservedExitAt(t, (int)x, (int)y, level)) {
        move = reserved;
        break;
      }
      // Told to stop without an exit: the train waits before the switch.
      if (move == MOVE_BLOCKED && (decision & SWITCH_STOP_MARK)) return MOVE_CELL_BLOCKED;
      break;
    }
    case ELEM_SIGNAL:
      ReleaseTrainReservation(t);
      mark |= VEHICLE_MARK_SIGNAL;
      t->limit2 = t->limit3 = 0;
      ComputeTargetSpeed(t);
      break;
    case ELEM_SIGNAL_BACK: mark |= VEHICLE_MARK_SIGNAL; break;
    case ELEM_BUFFER_STOP: {
      // The train turns round before the buffer stop and may wait there; it does not enter it.
      if (ReverseTrain(t, 1, 0) != 0) return MOVE_CELL_BLOCKED;
      int32_t wait = PrellGetWait((int)x, (int)y, level);
      if (wait < 1) return MOVE_CELL_BLOCKED;
      StartWaiting(t, wait);
      return MOVE_CELL_STAYS;
    }
    case ELEM_RAMP_FOOT: {
      if (level < GRID_LEVEL_BOTTOM + 1) {
        RaiseTrainEvent(EVENT_RAMP_LEVEL, t, (int)x, (int)y, level);
        return MOVE_CELL_BLOCKED;
      }
      // The ramp goes on one level down: there the way must lead up towards this cell.
      CellCode* belowAddress;
      CellCode below = ReadCell(x, y, level - 1, &belowAddress);
      int belowClass;
      if (below >= 0x8000 ||
          NextCellClass(-t->dx, -t->dy, below, &belowClass, t->wayKinds) != MOVE_STRAIGHT ||
          belowClass != ELEM_RAMP_UP) {
        RaiseTrainEvent(EVENT_RAMP_BELOW_MISSING, t, (int)x, (int)y, level);
        return MOVE_CELL_BLOCKED;
      }
      dz = -1;
      break;
    }
    case ELEM_RAMP_TOP:
    case ELEM_RAMP_UP: move = MOVE_BLOCKED; break;  // entered only from the ramp's other end
    case ELEM_DISTANT_SIGNAL:
      t->limit2 = 0;
      ComputeTargetSpeed(t);
      break;
    default:
      // Stops, TP, depot slots, LFST, route points, Dwx and the signals with conditions or values
      // are run over as plain track until their elements answer trains.
      break;
  }

  if (move == MOVE_BLOCKED) {
    RaiseTrainEvent(EVENT_NO_WAY, t, (int)x, (int)y, level);
    return MOVE_CELL_BLOCKED;
  }
  int result;
  if (move == MOVE_STRAIGHT) {
    result = t->dx && t->dy ? MOVE_CELL_DIAGONAL : MOVE_CELL_STRAIGHT;
  } else {
    t->dx = MoveResultDx(move);
    t->dy = MoveResultDy(move);
    result = move <= 5 ? MOVE_CELL_TURNED : MOVE_CELL_DIAGONAL_TURNED;
  }
  t->dz = dz;
  newHead->x = (uint32_t)x;
  newHead->y = (uint32_t)y;
  newHead->level = level;
  newHead->cell = address;
  newHead->codeUnder = (uint16_t)(code & 0x3FFF);
  newHead->vehicleMark = (uint8_t)((head->vehicleMark & 7) | mark);
  return result;
}
