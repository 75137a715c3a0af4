// Drawing support of the trains: the vehicle pieces that lie in a train cell, the label at a
// train's head, the redraw of a train's cells, the selected train, and the train-side answers for
// block scaling and the line diagram.
#include "trains/train_draw.h"
#include "app/editwnd.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/vehicle_cell.h"
#include "model/cellcodes.h"
#include "model/grid.h"
#include "trains/track_geometry.h"
#include "trains/train_running.h"
#include "trains/train_services.h"
#include "views/view_draw.h"
#include "views/view_services.h"

// ---- the vehicle pieces of a cell ----------------------------------------------------------------
static int StepOf(uint32_t to, uint32_t from) {
  int64_t d = (int64_t)to - (int64_t)from;
  return d > 0 ? 1 : d < 0 ? -1 : 0;
}

// The direction of travel from position a to position b (0 for a step that stays on the cell).
static uint32_t StepDirection(const TrainPosition& a, const TrainPosition& b) {
  return DirectionCode(StepOf(b.x, a.x), StepOf(b.y, a.y));
}

// The place of a direction code on the compass (N, NE, E, SE, S, SW, W, NW), -1 for none.
static int CompassIndex(uint32_t code) {
  static const uint32_t ring[8] = {1, 128, 8, 16, 2, 64, 4, 32};
  for (int i = 0; i < 8; i++)
    if (ring[i] == code) return i;
  return -1;
}

// Where a cell's way changes direction, in units from its front edge (the edge the train leaves
// by): units before it run in the direction out of the cell, the rest in the direction into it.
// A turn by 45 degrees is a curve through the middle of the cell (unit 16), as the track symbols
// draw it; a sharper change happens at the cell's front edge (unit 0: the whole cell runs in the
// direction into it and the next cell takes the new one). The tail cell has no cell behind it and
// runs in the direction out of it; the head runs towards its next step.
static int BendUnit(uint32_t in, uint32_t out) {
  if (in == out) return 0;
  int a = CompassIndex(in), b = CompassIndex(out);
  if (a < 0 || b < 0) return 0;
  int d = a > b ? a - b : b - a;
  if (d > 4) d = 8 - d;
  return d == 1 ? 16 : 0;
}

uint16_t GetTrainCellShape(int x, int y, int level, int* notHandSteered, uint32_t* vehicleList,
                           VehicleSpan* pieceTable, uint16_t* directionList, uint16_t code) {
  if (vehicleList) vehicleList[0] = 0;
  int k = 0;
  TrainRecord* t = FindTrainAt(x, y, level, &k, code);
  if (!t) {
    if (notHandSteered) *notHandSteered = 1;
    return 0xC000;
  }
  if (notHandSteered) *notHandSteered = (t->flags & TRAIN_MANUAL) ? 0 : 1;
  TrainPosition* p = TrainPositions(t);
  uint16_t under = p[k].codeUnder;
  if (!vehicleList) return under;
  // the directions into and out of the cell
  uint32_t out = k == 0 ? DirectionCode(t->dx, t->dy) : StepDirection(p[k], p[k - 1]);
  uint32_t in = k < t->positionCount && p[k + 1].codeUnder != 65535 ? StepDirection(p[k + 1], p[k])
                                                                   : 0;
  if (!out) out = in;
  if (!in) in = out;
  if (!in) in = out = DirectionCode(-1, 0);
  int bend = BendUnit(in, out);
  // the vehicles laid one after the other from the head's offset; cell k covers [32 k, 32 k + 32)
  int64_t offset = t->subCellOffset < 0 ? 0 : t->subCellOffset > 31 ? 31 : t->subCellOffset;
  int64_t cellLo = (int64_t)k * 32, cellHi = cellLo + 32, start = offset;
  TrainVehicleEntry* v = TrainVehicles(t);
  int n = 0;
  for (int i = 0; i < t->vehicleCount && n < TRAIN_CELL_PIECES; i++) {
    int64_t length = v[i].length;
    if (length <= 0) continue;  // a vehicle without length takes no room
    int64_t a = start, b = start + length;
    start = b;
    if (b <= cellLo) continue;
    if (a >= cellHi) break;
    int lo = (int)((a > cellLo ? a : cellLo) - cellLo), hi = (int)((b < cellHi ? b : cellHi) - cellLo);
    uint32_t id = (v[i].flags & 0x80) ? (uint32_t)(v[i].length | 0x40000000u) : v[i].id;
    uint16_t back = (v[i].flags & VDIR_REVERSED) ? (uint16_t)VDIR_REVERSED : 0;
    // a piece that would pass the bend is cut there
    int cuts[3] = {lo, hi, hi};
    int parts = 1;
    if (bend > lo && bend < hi) cuts[1] = bend, parts = 2;
    for (int j = 0; j < parts && n < TRAIN_CELL_PIECES; j++) {
      int s = cuts[j], e = cuts[j + 1];
      vehicleList[n] = id;
      if (pieceTable) {
        pieceTable[n].first = (int)(cellLo + s - a);
        pieceTable[n].last = (int)(cellLo + e - a - 1);
        pieceTable[n].x = s;
      }
      if (directionList) directionList[n] = (uint16_t)((s < bend ? out : in) | back);
      n++;
    }
  }
  vehicleList[n] = 0;
  return under;
}

// ---- labels ----------------------------------------------------------------------------------------
uint32_t GetTrainLabelOptions() { return (OverlayTrainLabelBits | CycleDisplayMode) & 3; }

AnnotationRecord* GetTrainLabel(int x, int y, int level, AnnotationRecord* out) {
  uint32_t options = GetTrainLabelOptions();
  if (!out || !options) return nullptr;
  uint32_t code = GetCell(x, y, level);
  if (code < TRAIN_CODE_FIRST || code > TRAIN_CODE_FIRST + 0xFFu) return nullptr;
  int k = -1;
  TrainRecord* t = FindTrainAt(x, y, level, &k, (uint16_t)code);
  if (!t || k != 0 || (t->flags & (TRAIN_PARKED | TRAIN_LEAVING))) return nullptr;
  char16_t text[ANNOTATION_TEXT_UNITS + 16];
  int n = 0;
  text[0] = 0;
  if (options & 1) {
    char16_t name[ANNOTATION_TEXT_UNITS + 64] = {0};
    GetLineName((int)t->secondLine, name, 0);
    name[ANNOTATION_TEXT_UNITS - 1] = 0;
    for (int i = 0; name[i] && n < ANNOTATION_TEXT_UNITS - 1; i++) text[n++] = name[i];
    if ((options & 2) && n < ANNOTATION_TEXT_UNITS - 1) text[n++] = u'/';
  }
  if (options & 2) {
    char16_t digits[12];
    int d = 0;
    uint32_t sub = t->subNumber;
    do digits[d++] = (char16_t)(u'0' + sub % 10), sub /= 10;
    while (sub && d < 11);
    while (d && n < ANNOTATION_TEXT_UNITS - 1) text[n++] = digits[--d];
    if (n < ANNOTATION_TEXT_UNITS - 1) text[n++] = u'.';
  }
  text[n] = 0;
  CopyString(out->text, text);
  uint32_t f = t->flags;
  uint8_t c0, c1;
  if (!(f & TRAIN_PENDING)) {
    if (!(f & TRAIN_LEAVING1))
      c0 = 108, c1 = 109;
    else if (f & TRAIN_PENDING_FLAGGED)
      c0 = 156, c1 = 157;
    else
      c0 = 129, c1 = 130;
  } else if (f & TRAIN_PENDING_FLAGGED) {
    c0 = 154, c1 = 155;
  } else {
    c0 = 127, c1 = 128;
  }
  out->textColour = c0;
  out->boxColour = c1;
  int offset = t->subCellOffset;
  out->xOffset = t->dx < 0 ? offset : t->dx > 0 ? 24 - offset : 16;
  out->yOffset = t->dy < 0 ? offset / 2 : t->dy > 0 ? -offset / 2 : 0;
  return out;
}

// ---- redraw ------------------------------------------------------------------------------------------
int RedrawTrain(TrainRecord* train, int flushMode) {
  if (!train || TrainDrawSuppressed || (train->flags & TRAIN_PARKED)) return 0;
  TrainPosition* p = TrainPositions(train);
  int n = 0;
  for (int i = 0; i <= train->positionCount; i++)
    if (p[i].codeUnder != 65535) {
      QueueCellRedraw((int)p[i].x, (int)p[i].y, p[i].level);
      n++;
    }
  FlushCellRedrawQueue(flushMode);
  return n;
}

// ---- the selected train ---------------------------------------------------------------------------
static TrainRecord* Selected = nullptr;
static int SelectedMark = 0;
static int FollowUpdate = 0;

TrainRecord* GetSelectedTrain() { return Selected; }

void SetSelectedTrain(TrainRecord* train, int mark, int window) {
  if (Selected) Selected->flags &= ~(TRAIN_HEAD_MARK | TRAIN_SELECTED);
  Selected = train;
  SelectedMark = train ? (mark == 1 ? 1 : 2) : 0;
  FollowUpdate = 0;
  if (!train) return;
  train->flags |= SelectedMark == 1 ? TRAIN_HEAD_MARK : TRAIN_HEAD_MARK | TRAIN_SELECTED;
  if (window >= 0 && window < EDIT_SLOTS) EditViews.followed = window;
  FollowUpdate = 1;
}

void ForgetSelectedTrain(TrainRecord* train) {
  if (train && train == Selected) ClearTrainSelection();
}

void ClearTrainSelection() {
  SetSelectedTrain(nullptr, 0, -1);
  SetFollowMode(0);
}

void SetSelectedTrainMark(int mark) {
  if (Selected) SetSelectedTrain(Selected, mark, -1);
}
int GetSelectedTrainMark() { return SelectedMark; }

// Selects the train and lets the window follow it: 0, 1 no such train, 2 the train is parked
// (selected all the same), 3 the window is not an open edit window. With full set the reservation
// ahead is released (the full mark lets the user decide the switches).
int SelectAndFollowTrain(int line, int subNumber, int full, int window, int resetCounters) {
  ClearTrainSelection();
  if (window == -1) window = EditViews.active;
  EditViewSlot* s = window >= 0 && window < EDIT_SLOTS ? GetEditSlot(window) : nullptr;
  if (!s || !s->window) return 3;
  TrainRecord* t = nullptr;
  for (TrainRecord* u = GetFirstTrain(); u && !t; u = u->next)
    if (u->line == (uint32_t)line && u->subNumber == (uint32_t)subNumber) t = u;
  if (!t) return 1;
  if (resetCounters) TrainStraightMoves = TrainDiagonalMoves = 0;
  if (full && (t->flags & TRAIN_RESERVING)) ReleaseTrainReservation(t);
  // The follow request scrolls the window to the head at the next idle step.
  SetSelectedTrain(t, full ? 2 : 1, window);
  SetFollowMode(1);
  RedrawTrain(t, 1);
  return (t->flags & TRAIN_PARKED) ? 2 : 0;
}

void RequestFollowUpdate() {
  if (Selected) FollowUpdate = 1;
}
int IsFollowUpdateRequested() { return FollowUpdate; }
void ClearFollowUpdateRequest() { FollowUpdate = 0; }

int IsSelectedTrainCell(int x, int y, int level) {
  if (!Selected || (Selected->flags & TRAIN_PARKED)) return 0;
  TrainPosition* p = TrainPositions(Selected);
  for (int i = 0; i <= Selected->positionCount; i++)
    if (p[i].codeUnder != 65535 && p[i].x == (uint32_t)x && p[i].y == (uint32_t)y &&
        p[i].level == level)
      return 1;
  return 0;
}

// ---- trains at cells -------------------------------------------------------------------------------
int GetTrainAtCell(int x, int y, int level, uint32_t* flags, int* subNumber, int* line,
                   uint16_t code) {
  TrainRecord* t = FindTrainAt(x, y, level, nullptr, code);
  if (!t) return 1;
  if (flags) *flags = t->flags;
  if (subNumber) *subNumber = (int)t->subNumber;
  if (line) *line = (int)t->line;
  return 0;
}

static int ScaleAxis(int origin, int v, int num, int den) {
  if (den == 0) return v;
  return origin + (int)((int64_t)(v - origin) * num / den);
}

// A train's cells keep their places relative to its far corner (largest x and y of its cells),
// which is scaled like any other cell.
int ScaleBlockPosition(int x0, int y0, int x, int y, int level, int a, int b, int c, int d,
                       int* outX, int* outY) {
  TrainRecord* t = nullptr;
  uint32_t code = GetCell(x, y, level);  // outside the grid: the empty code
  if (code >= TRAIN_CODE_FIRST && code <= TRAIN_CODE_FIRST + 0xFFu)
    t = FindTrainAt(x, y, level, nullptr, (uint16_t)code);
  if (!t) {
    if (outX) *outX = ScaleAxis(x0, x, a, b);
    if (outY) *outY = ScaleAxis(y0, y, c, d);
    return 0;
  }
  TrainPosition* p = TrainPositions(t);
  int cx = x, cy = y;
  for (int i = 0; i <= t->positionCount; i++)
    if (p[i].codeUnder != 65535) {
      if ((int)p[i].x > cx) cx = (int)p[i].x;
      if ((int)p[i].y > cy) cy = (int)p[i].y;
    }
  if (outX) *outX = ScaleAxis(x0, cx, a, b) - (cx - x);
  if (outY) *outY = ScaleAxis(y0, cy, c, d) - (cy - y);
  return 1;
}

// ---- the ends of a level change ----------------------------------------------------------------------
// The way kind of a code: 1 rail (up to 0x17FF), 2 the second kind (0x1C00..0x1FFF), 3 the third
// (0x2000..0x31FF), 0 none.
static int WayKindOfCode(uint32_t code) {
  if (code <= 0x17FF) return 1;
  if (code >= 0x1C00 && code <= 0x1FFF) return 2;
  if (code >= 0x2000 && code <= 0x31FF) return 3;
  return 0;
}

// The code at a level-0 cell, read through a train standing there (*held = 1 then).
static uint32_t LevelZeroCode(int x, int y, int* held) {
  uint32_t code = GetCell(x, y, 0);
  *held = 0;
  if (code >= TRAIN_CODE_FIRST && code <= TRAIN_CODE_FIRST + 0xFFu) {
    uint16_t under = GetTrainCellCode(x, y, 0, (uint16_t)code);
    if (under != 0xC000) {
      *held = 1;
      code = under;
    }
  }
  return code;
}

int ScanForClassBPartner(int* x, int* y, int* length, uint32_t direction, int wayKind) {
  if (!x || !y || *x < 0 || *y < 0 || *x > GRID_MAX_XY || *y > GRID_MAX_XY) return 11;
  int held;
  uint32_t start = LevelZeroCode(*x, *y, &held);
  if (start >= 0x8000) return 11;
  int group = GetSymbolClassB(start & ~(uint32_t)CELL_MARK_BIT);
  uint32_t bit = 1u << (direction & 7);
  int dx = DirectionDx(bit), dy = DirectionDy(bit);
  if (!group || direction > 7) return 11;
  if (wayKind == 0) wayKind = WayKindOfCode(start & ~(uint32_t)CELL_MARK_BIT);
  int arrival = TrackArrivalOf(dx, dy);
  for (int cx = *x + dx, cy = *y + dy, n = 2;; cx += dx, cy += dy, n++) {
    if (cx < 0 || cy < 0 || cx > GRID_MAX_XY || cy > GRID_MAX_XY) return 12;
    uint32_t code = LevelZeroCode(cx, cy, &held);
    if (code >= 0x8000) continue;
    uint32_t plain = code & ~(uint32_t)CELL_MARK_BIT;
    if (GetSymbolClassB(plain) != group || WayKindOfCode(plain) != wayKind) continue;
    int cls = TrackGeometryEntry(TrackShapeOfCode(plain), arrival) >> 8;
    if (cls != ELEM_RAMP_TOP && cls != ELEM_RAMP_FOOT) continue;
    *x = cx, *y = cy;
    if (length) *length = n;
    if (cls == ELEM_RAMP_FOOT) return 21;
    return held || (code & CELL_MARK_BIT) ? 1 : 0;
  }
}

int FindClassBPartner(int* x, int* y, int* length, uint32_t direction) {
  return ScanForClassBPartner(x, y, length, direction, 0);
}
