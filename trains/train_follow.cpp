// Follow mode: the window that follows the selected train is moved with it at every idle step,
// by a jump that centres the train's head or by smooth steps towards it.
#include "app/editwnd.h"
#include "app/titles.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "views/view_services.h"

static uint32_t FollowOptions = 0;
uint32_t GetFollowOptions() { return FollowOptions; }
void SetFollowOptions(uint32_t options) { FollowOptions = options & (FOLLOW_SMOOTH | FOLLOW_KEEP_LEVEL); }

void ClearFollowUpdateRequest();

static int CentredOrigin(int p, int visible) {
  if (visible >= GRID_CELLS) return 0;
  int o = p - visible / 2;
  if (o < 0) o = 0;
  if (o > GRID_CELLS - visible) o = GRID_CELLS - visible;
  return o;
}

// Centres the window on the cell at the level: the cursor goes there (scroll bars and, for the
// active window, the cursor field with it) and the whole window is drawn anew by the caller.
static void CentreWindowOn(int window, EditViewSlot* s, int x, int y, int level) {
  PushPositionHistory(window);
  s->cursorLevel = level;
  if (s->viewMode != VIEW_SYMBOLS && s->viewMode != VIEW_DIAGRAM) {
    CenterViewOn(window, &x, &y);
  } else {
    s->cursorX = x;
    s->cursorY = y;
    s->originX = CentredOrigin(x, s->cellsWide);
    s->originY = CentredOrigin(y, s->cellsHigh);
    s->farX = s->originX + s->cellsWide;
    s->farY = s->originY + s->cellsHigh;
    s->fineX = s->fineY = 0;
  }
  s->ready = 0;
  SetEditScrollToCursor(window);
  if (window == EditViews.active) DrawCursorPosition(nullptr);
  if (s->pixelWidth > 0 && s->pixelHeight > 0)
    RefreshEditWindowRect(window, 0, 0, s->pixelWidth - 1, s->pixelHeight - 1);
}

static int Sign(int v) { return v > 0 ? 1 : v < 0 ? -1 : 0; }

// The head cell the follow mode last saw: a head found elsewhere counts as a request.
static TrainRecord* SeenTrain = nullptr;
static TrainPosition SeenHead;

// Called by every idle step; 1 when the followed window must be drawn at once. Nothing happens
// while following is paused, no train is selected or the followed window is closed.
int FollowSelectedTrain() {
  TrainRecord* t = GetSelectedTrain();
  if (GetFollowMode() != 1 || !t) return 0;
  const TrainPosition* head = TrainPositions(t);
  if (t != SeenTrain || head->x != SeenHead.x || head->y != SeenHead.y ||
      head->level != SeenHead.level)
    RequestFollowUpdate();
  if (!IsFollowUpdateRequested()) return 0;
  int window = EditViews.followed;
  EditViewSlot* s = window >= 0 && window < EDIT_SLOTS ? GetEditSlot(window) : nullptr;
  if (!s || !s->window) return 0;
  if (t->flags & (TRAIN_PARKED | TRAIN_LEAVING)) return 0;
  ClearFollowUpdateRequest();
  SeenTrain = t;
  SeenHead = *head;
  UpdateWindowTitles(window + 1);
  TrainPosition* h = TrainPositions(t);
  int hx = (int)h->x, hy = (int)h->y, hl = h->level;
  int keepLevel = (FollowOptions & FOLLOW_KEEP_LEVEL) != 0;
  if (!keepLevel && s->cursorLevel != hl) {
    // onto the head's level: brought into view as every jump to a position is
    ScrollCellIntoView(window, hx, hy, hl);
    return 1;
  }
  int level = keepLevel ? s->cursorLevel : hl;
  int inside = hx >= s->originX && hx < s->farX && hy >= s->originY && hy < s->farY;
  if (!inside) {
    CentreWindowOn(window, s, hx, hy, level);
    return 1;
  }
  if (!(FollowOptions & FOLLOW_SMOOTH)) return 0;
  int cx = s->originX + s->cellsWide / 2, cy = s->originY + s->cellsHigh / 2;
  if (s->viewMode != VIEW_SYMBOLS && s->viewMode != VIEW_DIAGRAM) {
    int step = s->zoom > 0 ? s->zoom : 1;
    int bx = (hx - cx) / step, by = (hy - cy) / step;
    if (bx > 0) ScrollViewRightBy(window, bx);
    if (bx < 0) ScrollViewLeftBy(window, -bx);
    if (by > 0) ScrollViewDownBy(window, by);
    if (by < 0) ScrollViewUpBy(window, -by);
    s->cursorX = hx;
    s->cursorY = hy;
    return 1;
  }
  if (hx == cx && hy == cy) return 0;
  // one step towards the head per idle step; the request stays until the head is central
  int stepX = s->viewMode == VIEW_SYMBOLS ? 8 : 16, stepY = s->viewMode == VIEW_SYMBOLS ? 4 : 16;
  int ox = s->originX, oy = s->originY, fx = s->fineX, fy = s->fineY;
  ScrollViewByPixels(window, Sign(hx - cx) * stepX, Sign(hy - cy) * stepY);
  if (s->originX == ox && s->originY == oy && s->fineX == fx && s->fineY == fy) return 0;
  RequestFollowUpdate();
  return 1;
}
