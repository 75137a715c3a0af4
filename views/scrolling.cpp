// Scrolling of the edit windows: single cursor steps with a tenth-of-the-view margin, fine
// scrolling by pixels within a cell, page moves of cursor and view together. The symbol and
// diagram views scroll by whole cells (and the symbol view by pixels); the overview moves its
// cursor by blocks and leaves the block scrolling to the overview's own operations.
#include "app/editwnd.h"
#include "core/misc.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "views/view_services.h"

static int IsCellView(const EditViewSlot* s) {
  return s->viewMode == VIEW_SYMBOLS || s->viewMode == VIEW_DIAGRAM;
}

static int OverviewScale(const EditViewSlot* s) { return s->zoom > 0 ? s->zoom : 1; }

// Scroll bars and the status window's cursor field follow the cursor.
static void AfterCursorMove(int window) {
  SetEditScrollToCursor(window);
  if (window == EditViews.active) DrawCursorPosition(nullptr);
}

void PushPositionHistory(int window) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->history) return;
  const int entry = 12, capacity = EDIT_HISTORY_BYTES / entry;
  int fill = s->historyTop;  // a new move drops the entries ahead of the current one
  if (fill < 0 || fill > capacity) fill = s->historyFill < capacity ? s->historyFill : capacity;
  if (fill >= 1) {
    // two moves from one position record it once
    const int32_t* last = (const int32_t*)(s->history + (size_t)(fill - 1) * entry);
    if (last[0] == s->cursorX && last[1] == s->cursorY && last[2] == s->cursorLevel) return;
  }
  if (fill >= capacity) {
    MoveMem(s->history, s->history + entry, (size_t)(capacity - 1) * entry);
    fill = capacity - 1;
  }
  int32_t* e = (int32_t*)(s->history + (size_t)fill * entry);
  e[0] = s->cursorX;
  e[1] = s->cursorY;
  e[2] = s->cursorLevel;
  s->historyFill = s->historyTop = fill + 1;
}

// Pixel shift of a cell carry plus a change of the sub-cell offset, along one axis.
static int PixelShift(const EditViewSlot* s, int cellPixels, int carry, int oldSub, int newSub) {
  int zoom = s->zoom > 0 ? s->zoom : 1;
  int raw = -cellPixels * carry - (oldSub - newSub);
  return s->viewMode == VIEW_SYMBOLS ? raw * zoom : raw / zoom;
}

int ScrollViewByPixels(int window, int dx, int dy) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !IsCellView(s)) return 0;
  // a step never exceeds one cell, so the offsets stay within a cell
  if (dx > 32) dx = 32;
  if (dx < -32) dx = -32;
  if (dy > 16) dy = 16;
  if (dy < -16) dy = -16;
  int subX = s->fineX - dx, carryX = 0;
  if (subX >= 32)
    subX -= 32, carryX = -1;
  else if (subX < 0)
    subX += 32, carryX = 1;
  int subY = s->fineY - dy, carryY = 0;
  if (subY >= 16)
    subY -= 16, carryY = -1;
  else if (subY < 0)
    subY += 16, carryY = 1;
  int lastX = GRID_CELLS - s->cellsWide, lastY = GRID_CELLS - s->cellsHigh;
  if (carryX == 1 && s->originX + 1 > lastX) carryX = 0;
  if (carryX == -1 && s->originX < 1) carryX = 0;
  if (carryY == 1 && s->originY + 1 > lastY) carryY = 0;
  if (carryY == -1 && s->originY < 1) carryY = 0;
  if (s->originX + carryX <= 0 || s->originX + carryX >= lastX) subX = 0;
  if (s->originY + carryY <= 0 || s->originY + carryY >= lastY) subY = 0;
  if (!carryX && !carryY && subX == s->fineX && subY == s->fineY) return 0;

  int sx = PixelShift(s, s->viewMode == VIEW_SYMBOLS ? 32 : 16, carryX, s->fineX, subX);
  int sy = PixelShift(s, 16, carryY, s->fineY, subY);
  s->originX += carryX;
  s->originY += carryY;
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  s->fineX = subX;
  s->fineY = subY;
  s->ready = 0;
  int w = s->pixelWidth, h = s->pixelHeight;
  ScrollWindowBuffer(window, 0, 0, w - 1, h - 1, sx, sy);
  // repaint the uncovered strips at once
  if (sx >= 1)
    RefreshEditWindowRect(window, 0, 0, sx - 1, h - 1);
  else if (sx < 0)
    RefreshEditWindowRect(window, w + sx - 1, 0, w - 1, h - 1);
  if (sy >= 1)
    RefreshEditWindowRect(window, 0, 0, w - 1, sy - 1);
  else if (sy < 0)
    RefreshEditWindowRect(window, 0, h + sy - 1, w - 1, h - 1);
  int ax = carryX < 0 ? -carryX : carryX, ay = carryY < 0 ? -carryY : carryY;
  return (ay << 8) | ax;
}

int ScrollOneColumnRight(int window) { return ScrollViewByPixels(window, 32, 0) & 0xFF; }
int ScrollOneColumnLeft(int window) { return ScrollViewByPixels(window, -32, 0) & 0xFF; }
int ScrollOneRowDown(int window) { return (ScrollViewByPixels(window, 0, 16) >> 8) & 0xFF; }
int ScrollOneRowUp(int window) { return (ScrollViewByPixels(window, 0, -16) >> 8) & 0xFF; }

// One cursor step along an axis of a cell view: the cursor moves inside 0..32767; the view
// follows when the cursor comes within a tenth of the visible cells of the edge. Returns the
// carry (-1, 0, 1) the view needs.
static int StepAxis(int32_t* cursor, int origin, int visible, int delta) {
  int margin = visible / 10;
  if (delta > 0) {
    if (*cursor >= GRID_MAX_XY) return 0;
    (*cursor)++;
    return *cursor >= origin + visible - margin ? 1 : 0;
  }
  if (delta < 0) {
    if (*cursor <= 0) return 0;
    (*cursor)--;
    return *cursor < origin + margin ? -1 : 0;
  }
  return 0;
}

// The overview's cursor step by one block; the view follows by whole blocks.
static void OverviewStep(EditViewSlot* s, int window, int dx, int dy) {
  int k = OverviewScale(s);
  if (dx > 0) {
    int limit = GRID_CELLS - k;
    s->cursorX = s->cursorX + k > limit ? limit : s->cursorX + k;
    int last = s->originX + (s->pixelWidth - 1) * k;
    if (s->cursorX >= last) ScrollViewRightBy(window, (s->cursorX - last) / k + 1);
  } else if (dx < 0) {
    s->cursorX = s->cursorX - k < 0 ? 0 : s->cursorX - k;
    if (s->cursorX < s->originX) ScrollViewLeftBy(window, (s->originX - s->cursorX + k - 1) / k);
  }
  if (dy > 0) {
    int limit = GRID_CELLS - k;
    s->cursorY = s->cursorY + k > limit ? limit : s->cursorY + k;
    int last = s->originY + (s->pixelHeight - 1) * k;
    if (s->cursorY >= last) ScrollViewDownBy(window, (s->cursorY - last) / k + 1);
  } else if (dy < 0) {
    s->cursorY = s->cursorY - k < 0 ? 0 : s->cursorY - k;
    if (s->cursorY < s->originY) ScrollViewUpBy(window, (s->originY - s->cursorY + k - 1) / k);
  }
}

static int SingleStep(int window, int dx, int dy) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s) return 1;
  PushPositionHistory(window);
  if (!IsCellView(s)) {
    OverviewStep(s, window, dx, dy);
  } else {
    int carryX = StepAxis(&s->cursorX, s->originX, s->cellsWide, dx);
    if (carryX > 0) ScrollOneColumnRight(window);
    if (carryX < 0) ScrollOneColumnLeft(window);
    int carryY = StepAxis(&s->cursorY, s->originY, s->cellsHigh, dy);
    if (carryY > 0) ScrollOneRowDown(window);
    if (carryY < 0) ScrollOneRowUp(window);
  }
  AfterCursorMove(window);
  return 1;
}

int ScrollViewRight(int window) { return SingleStep(window, 1, 0); }
int ScrollViewLeft(int window) { return SingleStep(window, -1, 0); }
int ScrollViewDown(int window) { return SingleStep(window, 0, 1); }
int ScrollViewUp(int window) { return SingleStep(window, 0, -1); }

int ScrollViewStep(int window, int dx, int dy) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s) return 0;
  dx = dx > 0 ? 1 : dx < 0 ? -1 : 0;
  dy = dy > 0 ? 1 : dy < 0 ? -1 : 0;
  if (!IsCellView(s)) {
    if (dx) SingleStep(window, dx, 0);
    if (dy) SingleStep(window, 0, dy);
    return 1;
  }
  PushPositionHistory(window);
  int carryX = StepAxis(&s->cursorX, s->originX, s->cellsWide, dx);
  int carryY = StepAxis(&s->cursorY, s->originY, s->cellsHigh, dy);
  if (carryX || carryY) ScrollViewByPixels(window, carryX * 32, carryY * 16);
  AfterCursorMove(window);
  return 1;
}

int GetPageStepX(int window) {
  const EditViewSlot* s = GetEditSlot(window);
  if (!s) return 0;
  if (s->viewMode == VIEW_SYMBOLS) return s->cellsWide - 1;
  if (s->viewMode == VIEW_DIAGRAM) return (s->cellsWide - 1) / 2;
  return 0;
}

int GetPageStepY(int window) {
  const EditViewSlot* s = GetEditSlot(window);
  if (!s) return 0;
  if (s->viewMode == VIEW_SYMBOLS) return s->cellsHigh - 1;
  if (s->viewMode == VIEW_DIAGRAM) return (s->cellsHigh - 1) / 2;
  return 0;
}

// A page move of cursor and view together along one axis (dx or dy is -1 or 1).
static int PageMove(int window, int byGrid, int dx, int dy) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s) return 0;
  PushPositionHistory(window);
  int step = dx ? (byGrid ? (int)DocState.params[2] : GetPageStepX(window))
                : (byGrid ? (int)DocState.params[3] : GetPageStepY(window));
  if (step < 0) step = 0;
  if (!IsCellView(s)) {
    // the overview pages by its own cursor moves (a step of 0: eleven blocks), without a shift
    if (dx > 0) MoveOverviewCursorRight(window, step);
    if (dx < 0) MoveOverviewCursorLeft(window, step);
    if (dy > 0) MoveOverviewCursorDown(window, step);
    if (dy < 0) MoveOverviewCursorUp(window, step);
    AfterCursorMove(window);
    return 0;
  }
  int zoom = s->zoom > 0 ? s->zoom : 1;
  int shift = s->viewMode == VIEW_DIAGRAM ? step * 16 / zoom : 0;
  int32_t* cursor = dx ? &s->cursorX : &s->cursorY;
  int32_t* origin = dx ? &s->originX : &s->originY;
  int32_t* fine = dx ? &s->fineX : &s->fineY;
  int visible = dx ? s->cellsWide : s->cellsHigh;
  int dir = dx ? dx : dy;
  int64_t c = (int64_t)*cursor + (int64_t)dir * step, o = (int64_t)*origin + (int64_t)dir * step;
  if (dir > 0) {
    if (c > GRID_MAX_XY) c = GRID_MAX_XY, shift = 0;
    if (o > GRID_CELLS - visible) o = GRID_CELLS - visible, shift = 0;
    if (o < 0) o = 0;  // a view wider than the grid
  } else {
    if (c < 0) c = 0, shift = 0;
    if (o < 0) o = 0, shift = 0;
    if (o == 0) *fine = 0;
  }
  *cursor = (int32_t)c;
  *origin = (int32_t)o;
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  AfterCursorMove(window);
  int w = s->pixelWidth, h = s->pixelHeight;
  if (shift > (dx ? w : h) - 8) shift = 0;
  if (shift) {
    // the content moves against the view
    int sx = dx ? -dir * shift : 0, sy = dy ? -dir * shift : 0;
    ScrollWindowBuffer(window, 0, 0, w - 1, h - 1, sx, sy);
    if (sx > 0)
      InvalidateWindowRect(window, 0, 0, sx - 1, h - 1);
    else if (sx < 0)
      InvalidateWindowRect(window, w + sx, 0, w - 1, h - 1);
    else if (sy > 0)
      InvalidateWindowRect(window, 0, 0, w - 1, sy - 1);
    else
      InvalidateWindowRect(window, 0, h + sy, w - 1, h - 1);
  } else {
    InvalidateWindowRect(window, 0, 0, w - 1, h - 1);
  }
  return shift;
}

int ScrollViewPage(int window, int byGrid) { return PageMove(window, byGrid, 1, 0); }
int MoveViewLeft(int window, int byGrid) { return PageMove(window, byGrid, -1, 0); }
int MoveViewDown(int window, int byGrid) { return PageMove(window, byGrid, 0, 1); }
int MoveViewUp(int window, int byGrid) { return PageMove(window, byGrid, 0, -1); }

// ---- the overview: blocks of scale x scale cells ---------------------------------------------------
// The overview's slot (window index 0..5), null for any other window or view.
static EditViewSlot* OverviewSlot(int window) {
  if (window < 0 || window >= EDIT_SLOTS) return nullptr;
  EditViewSlot* s = GetEditSlot(window);
  return s && s->window && !IsCellView(s) ? s : nullptr;
}

// Moves the view by count blocks along one axis (dir -1 or 1): the drawing buffer shifts by a pixel
// a block, the uncovered strip is painted. The origin stays within 0 .. 32768 - visible cells.
static int OverviewScroll(int window, int count, int dx, int dy) {
  EditViewSlot* s = OverviewSlot(window);
  if (!s || count < 1) return 0;
  int k = OverviewScale(s);
  int32_t* origin = dx ? &s->originX : &s->originY;
  int visible = dx ? s->cellsWide : s->cellsHigh;
  int dir = dx ? dx : dy;
  int room = dir > 0 ? (GRID_CELLS - visible - *origin) / k : *origin / k;
  if (count > room) count = room;
  if (count < 1) return 0;
  int w = s->pixelWidth, h = s->pixelHeight;
  ScrollWindowBuffer(window, 0, 0, w - 1, h - 1, dx ? -dir * count : 0, dy ? -dir * count : 0);
  *origin += dir * count * k;
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  if (dx > 0) PaintOverviewRange(nullptr, window, w - count, 0, w - 1, h - 1);
  if (dx < 0) PaintOverviewRange(nullptr, window, 0, 0, count - 1, h - 1);
  if (dy > 0) PaintOverviewRange(nullptr, window, 0, h - count, w - 1, h - 1);
  if (dy < 0) PaintOverviewRange(nullptr, window, 0, 0, w - 1, count - 1);
  return count;
}

int ScrollViewRightBy(int window, int blocks) { return OverviewScroll(window, blocks, 1, 0); }
int ScrollViewLeftBy(int window, int blocks) { return OverviewScroll(window, blocks, -1, 0); }
int ScrollViewDownBy(int window, int blocks) { return OverviewScroll(window, blocks, 0, 1); }
int ScrollViewUpBy(int window, int blocks) { return OverviewScroll(window, blocks, 0, -1); }

// Cursor moves by cells (count 0: a page of eleven blocks); the view follows when the cursor
// leaves it. Moves up and down keep whole blocks.
int MoveOverviewCursorLeft(int window, int count) {
  EditViewSlot* s = OverviewSlot(window);
  if (!s) return 0;
  int k = OverviewScale(s);
  int n = count > 0 ? count : 11 * k;
  if (n > s->cursorX) n = s->cursorX;
  s->cursorX -= n;
  if (s->cursorX < s->originX) ScrollViewLeftBy(window, (s->originX - s->cursorX) / k);
  return 1;
}

int MoveOverviewCursorUp(int window, int count) {
  EditViewSlot* s = OverviewSlot(window);
  if (!s) return 0;
  int k = OverviewScale(s);
  int n = count > 0 ? count : 11 * k;
  if (n > s->cursorY) n = s->cursorY;
  n -= n % k;
  s->cursorY -= n;
  if (s->cursorY < s->originY) ScrollViewUpBy(window, n / k);
  return 1;
}

int MoveOverviewCursorRight(int window, int count) {
  EditViewSlot* s = OverviewSlot(window);
  if (!s) return 0;
  int k = OverviewScale(s);
  int n = count > 0 ? count : 11 * k, room = GRID_CELLS - s->cursorX - k;
  if (n > room) n = room;
  if (n < 0) n = 0;
  s->cursorX += n;
  if (s->cursorX > s->originX + s->cellsWide) ScrollViewRightBy(window, n / k);
  return 1;
}

int MoveOverviewCursorDown(int window, int count) {
  EditViewSlot* s = OverviewSlot(window);
  if (!s) return 0;
  int k = OverviewScale(s);
  int n = count > 0 ? count : 11 * k, room = GRID_CELLS - s->cursorY - k;
  if (n > room) n = room;
  if (n < 0) n = 0;
  n -= n % k;
  s->cursorY += n;
  if (s->cursorY > s->originY + s->cellsHigh) ScrollViewDownBy(window, n / k);
  return 1;
}

// Centres an overview on a position: the position is rounded down to its block and becomes the
// cursor; the origin is the block-aligned corner that puts it in the middle, within the grid.
void CenterViewOn(int window, int* x, int* y) {
  EditViewSlot* s = window >= 0 && window < EDIT_SLOTS ? GetEditSlot(window) : nullptr;
  if (!s || !x || !y) return;
  int k = OverviewScale(s);
  *x -= *x % k;
  *y -= *y % k;
  s->cursorX = *x;
  s->cursorY = *y;
  auto origin = [k](int p, int visible) {
    if (visible >= GRID_CELLS) return 0;
    int o = p - visible / 2;
    if (o < 0) o = 0;
    if (o > GRID_CELLS - visible) o = GRID_CELLS - visible;
    return o & -k;
  };
  s->originX = origin(*x, s->cellsWide);
  s->originY = origin(*y, s->cellsHigh);
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
}
