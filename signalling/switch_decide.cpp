// Which exit a switch gives a train: the decision of every control type with its random draws,
// the marks on the result, the recorded exits of route-list switches and the time-driven reset of
// counted-ratio switches.
#include "core/random.h"
#include "signalling/switch_control.h"
#include "trains/sim_clock.h"
#include "trains/train_records.h"
#include "trains/train_services.h"

int (*EvaluateElementExpression)(const uint32_t* tokens, int length) = nullptr;
uint32_t (*AskSwitchExitHook)(uint32_t proposal, SwitchControl* r) = AskSwitchExit;

static uint32_t ExitDirection(const SwitchControl* r, int exit) {
  return exit == 1 ? r->exit1 : exit == 2 ? r->exit2 : exit == 3 ? r->exit3 : 0;
}

uint32_t DecideRatioSwitch(SwitchControl* r, int advance) {
  SwitchRatioData& d = r->data.ratio;
  // A switch without exit 3 never sends a train there: its count counts as 0.
  uint32_t c1 = d.count[0] & 0xFFFF, c2 = d.count[1] & 0xFFFF;
  uint32_t c3 = r->exit3 ? d.count[2] & 0xFFFF : 0;
  uint32_t total = c1 + c2 + c3;
  if (total == 0) return r->exit1;
  // A counter outside 1..total (from a file, a paste or a reset value) starts a full round.
  uint32_t k = d.counter >= 1 && d.counter <= total ? d.counter : total;
  int exit = k > c2 + c3 ? 1 : k > c3 ? 2 : 3;
  if (advance) d.counter = k == 1 ? total : k - 1;
  return ExitDirection(r, exit);
}

uint32_t DecideRandomSwitch(SwitchControl* r, int advance) {
  SwitchRandomData& d = r->data.random;
  uint32_t s1 = d.share[0] & 0xFFFF, s2 = d.share[1] & 0xFFFF;
  uint32_t s3 = r->exit3 ? d.share[2] & 0xFFFF : 0;
  uint32_t sum = s1 + s2 + s3;
  if (sum == 0) return r->exit1;
  if (d.draw >= sum) d.draw = (uint32_t)RuntimeRand() % sum;  // a draw beyond the shares
  uint32_t v = d.draw;
  int exit = v < s1 ? 1 : v >= s1 + s2 ? 3 : 2;
  if (advance) d.draw = ((uint32_t)RuntimeRand() % sum) & 0xFFFF;
  return ExitDirection(r, exit);
}

// A random exit with the stop mark: one of two, or of three when the switch has exit 3.
static uint32_t RandomExit(const SwitchControl* r) {
  int exit = r->exit3 ? RuntimeRand() % 3 + 1 : RuntimeRand() % 2 + 1;
  return ExitDirection(r, exit) | SWITCH_STOP_MARK;
}

uint32_t DecideAttributeSwitch(SwitchControl* r, TrainRecord* train) {
  const uint32_t* m = r->data.attributes.mask;  // exit e: m[4(e-1)] .. m[4(e-1) + 3]
  uint32_t flags = train->flags, f = 0;
  if (flags & TRAIN_LEAVING1)
    f = (flags & TRAIN_PENDING_FLAGGED) ? 1 : 4;
  else if (flags & TRAIN_PENDING)
    f = (flags & TRAIN_PENDING_FLAGGED) ? 2 : 8;
  if (!(f & (m[3] | m[7] | m[11]))) f = 0;
  if (r->exit3 && (f & m[11])) return r->exit3;
  if (f & m[7]) return r->exit2;
  if (f & m[3]) return r->exit1;
  uint32_t t = train->type >= 1 && train->type <= 10 ? 1u << (train->type - 1) : 0;
  int column = train->category == 1 ? 0 : train->category == 2 ? 1 : 2;
  if (r->exit3 && (t & m[8 + column])) return r->exit3;
  if (t & m[4 + column]) return r->exit2;
  if (t & m[column]) return r->exit1;
  return RandomExit(r);
}

static int ExpressionMet(const SwitchStateData& d, int i) {
  int n = d.length[i];
  if (n <= 0) return 1;
  if (n > SWITCH_EXPRESSION_MAX || !EvaluateElementExpression) return 0;
  return EvaluateElementExpression(d.tokens[i], n) == 3;
}

uint32_t DecideStateSwitch(SwitchControl* r) {
  const SwitchStateData& d = r->data.states;
  uint32_t p = d.priority;
  uint32_t s = (ExpressionMet(d, 0) ? 1 : 0) | (ExpressionMet(d, 1) ? 2 : 0) |
               (r->exit3 && ExpressionMet(d, 2) ? 4 : 0);
  switch (s) {
    case 3:
      if (p & 1)
        s &= ~2u;
      else if (p & 2)
        s &= ~1u;
      else if (p & 16)
        s &= ~2u;
      else if (p & 32)
        s &= ~1u;
      break;
    case 5:
      if (p & 1)
        s &= ~4u;
      else if (p & 4)
        s &= ~1u;
      else if (p & 16)
        s &= ~4u;
      else if (p & 64)
        s &= ~1u;
      break;
    case 6:
      if (p & 2)
        s &= ~4u;
      else if (p & 4)
        s &= ~2u;
      else if (p & 32)
        s &= ~4u;
      else if (p & 64)
        s &= ~2u;
      break;
    case 7:
      if (p & 1)
        s = 1;
      else if (p & 2)
        s = 2;
      else if (p & 4)
        s = 4;
      break;
  }
  switch (s) {
    case 0: return 0;
    case 1: return r->exit1;
    case 2: return r->exit2;
    case 4: return r->exit3;
    case 3: return RuntimeRand() % 2 ? r->exit2 : r->exit1;
    case 5: return RuntimeRand() % 2 ? r->exit3 : r->exit1;
    case 6: return RuntimeRand() % 2 == 0 ? r->exit2 : r->exit3;
  }
  return ExitDirection(r, RuntimeRand() % 3 + 1);
}

static const uint32_t* RouteList(const SwitchRouteData& d, int list, uint32_t* length) {
  uint32_t o = 0;
  for (int i = 0; i < list; i++) o += d.length[i];
  *length = d.length[list];
  return d.values ? d.values + o : nullptr;
}

uint32_t MatchRouteSwitchLists(SwitchControl* r, TrainRecord* train) {
  const SwitchRouteData& d = r->data.route;
  uint32_t n;
  if ((train->flags & TRAIN_PENDING) && RouteLists.lineRefListFind)
    for (int e = 1; e <= 3; e++) {
      const uint32_t* list = RouteList(d, 2 + e, &n);
      if (n && list && RouteLists.lineRefListFind(list, n, train->pendingDepot, train->pendingSlot))
        return ExitDirection(r, e);
    }
  if (RouteLists.matchLineRefForTrain)
    for (int e = 1; e <= 3; e++) {
      const uint32_t* list = RouteList(d, e - 1, &n);
      if (n && list &&
          RouteLists.matchLineRefForTrain(list, n, train->secondLine, train->subNumber))
        return ExitDirection(r, e);
    }
  return ExitDirection(r, r->type - 20);
}

uint32_t DecideRouteSwitch(SwitchControl* r, TrainRecord* train, int recordFlag) {
  uint32_t& w = r->data.route.flags;
  uint32_t remembered = w;
  if (!recordFlag) w &= ~ROUTE_RECORDED_MASK;
  if (remembered & ROUTE_RECORDED_EXIT1) return r->exit1;
  if (remembered & ROUTE_RECORDED_EXIT2) return r->exit2;
  if ((remembered & ROUTE_RECORDED_EXIT3) && r->exit3) return r->exit3;
  uint32_t exit = MatchRouteSwitchLists(r, train);
  if (recordFlag) {
    w &= ~ROUTE_RECORDED_MASK;
    w |= exit == r->exit2 && exit   ? ROUTE_RECORDED_EXIT2
         : exit == r->exit3 && exit ? ROUTE_RECORDED_EXIT3
                                    : ROUTE_RECORDED_EXIT1;
  }
  return exit;
}

uint32_t DecideExitWithDialog(SwitchControl* r, TrainRecord* train) {
  uint32_t proposal;
  switch (r->type) {
    case SWITCH_PLAIN:
      if (!(train->flags & TRAIN_SELECTED)) {
        AddEventDisplayEntry(8, r->h.x, r->h.y, r->h.level, (int)train->line,
                             (int)train->secondLine, (int)train->subNumber, 0);
        return r->exit1;
      }
      proposal = r->exit1;
      break;
    case SWITCH_FIXED1: return r->exit1;
    case SWITCH_FIXED2: return r->exit2;
    case SWITCH_FIXED3: return r->exit3;
    case SWITCH_RATIO: proposal = DecideRatioSwitch(r, 1); break;
    case SWITCH_RANDOM: proposal = DecideRandomSwitch(r, 1); break;
    case SWITCH_ATTRIBUTES: proposal = DecideAttributeSwitch(r, train) & ~SWITCH_STOP_MARK; break;
    case SWITCH_STATES:
      proposal = DecideStateSwitch(r);
      if (!proposal) return SWITCH_STOP_MARK;
      break;
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: proposal = DecideRouteSwitch(r, train, 0); break;
    default: return 0;
  }
  if ((train->flags & TRAIN_SELECTED) && AskSwitchExitHook) return AskSwitchExitHook(proposal, r);
  return proposal;
}

uint32_t DecideExitNoDialog(SwitchControl* r, TrainRecord* train, int recordFlag) {
  switch (r->type) {
    case SWITCH_PLAIN:
    case SWITCH_FIXED1: return r->exit1;
    case SWITCH_FIXED2: return r->exit2;
    case SWITCH_FIXED3: return r->exit3;
    case SWITCH_RATIO: return DecideRatioSwitch(r, 0);
    case SWITCH_RANDOM: return DecideRandomSwitch(r, 0);
    case SWITCH_ATTRIBUTES: return DecideAttributeSwitch(r, train);
    case SWITCH_STATES: return DecideStateSwitch(r) | SWITCH_STOP_MARK;
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: return DecideRouteSwitch(r, train, recordFlag);
  }
  return 0;
}

// The record of a multi-record cell that a train moving (dx, dy) enters.
static SwitchControl* RecordEnteredFrom(int x, int y, int level, int dx, int dy) {
  uint32_t o = OppositeDirection(DirectionCode(dx, dy));
  for (int i = 1; i <= 4; i++) {
    SwitchControl* r = FindSwitchRecord(x, y, level, i);
    if (r && r->entry == o) return r;
  }
  return nullptr;
}

uint32_t DecideSwitchExit(TrainRecord* train, int x, int y, int level) {
  SwitchControl* r = FindSwitchRecord(x, y, level, 0);
  return r ? DecideExitWithDialog(r, train) : 0;
}

uint32_t DecideSwitchExitFrom(TrainRecord* train, int x, int y, int level, int dx, int dy) {
  SwitchControl* r = RecordEnteredFrom(x, y, level, dx, dy);
  return r ? DecideExitWithDialog(r, train) : 0;
}

uint32_t DecideSwitchExitAuto(TrainRecord* train, int x, int y, int level, int recordFlag) {
  SwitchControl* r = FindSwitchRecord(x, y, level, 0);
  return r ? DecideExitNoDialog(r, train, recordFlag) : 0;
}

uint32_t DecideSwitchExitAutoFrom(TrainRecord* train, int x, int y, int level, int dx, int dy,
                                  int recordFlag) {
  SwitchControl* r = RecordEnteredFrom(x, y, level, dx, dy);
  return r ? DecideExitNoDialog(r, train, recordFlag) : 0;
}

int ClearSwitchExitMarksAt(int x, int y, int level) {
  if (!FindSwitchRecord(x, y, level, -1)) return 1;
  for (int i = 0; i <= 4; i++) {
    SwitchControl* r = FindSwitchRecord(x, y, level, i);
    if (r && r->type >= SWITCH_ROUTE1 && r->type <= SWITCH_ROUTE3)
      r->data.route.flags &= ~ROUTE_RECORDED_MASK;
  }
  return 0;
}

void ResetRatioSwitchesByTime() {
  uint32_t now = ClockDayTime();
  for (ElementHeader* h = SwitchStore.head; h; h = h->next) {
    SwitchControl* r = (SwitchControl*)h;
    if (r->type != SWITCH_RATIO) continue;
    for (int i = 0; i < 3; i++) {
      uint32_t t = r->data.ratio.resetTime[i];
      if (!(t & now & 0xFF000000u) || (t & 0xFFFFFF) != (now & 0xFFFFFF)) continue;
      ReleaseTrainReservationsInRect(h->x, h->y, h->level, h->x, h->y, h->level, 1);
      r->data.ratio.counter = r->data.ratio.resetValue[i];
    }
  }
}
