// Mouse cursors: mode and style, the busy count, edge-scroll and block-edge zones, mouse options
// and the edge-scroll interval; the platform part shows and loads the cursors.
#include "app/cursor.h"
#include "app/cursor_platform.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "views/view_services.h"

static int Loaded = 0;
static int Mode = CURSOR_MODE_EDIT;
static int Style = CURSOR_STYLE_OWN;
static int Base = CUR_EDIT;
static int Current = CUR_EDIT;
static int Busy = 0;
static int Shown = 0;
static uint32_t MouseOptions = MOUSE_EDGE_SCROLL | MOUSE_DRAG_SCROLL;
static int EdgeInterval = 55;
static CursorBlockRectFn BlockRect = nullptr;
static CursorPaletteRedrawFn PaletteRedraw = nullptr;

void SetCursorBlockSource(CursorBlockRectFn fn) { BlockRect = fn; }
void SetCursorPaletteRedraw(CursorPaletteRedrawFn fn) { PaletteRedraw = fn; }

// The marked block in pixels of an edit window, from the views' block marking: only while marking
// is on (query 3) and the active window's level lies inside the block's level range. The far
// corner is the pixel before cell (x2 + 1, y2 + 1).
int MarkedBlockWindowRect(WrapWindow window, int* left, int* top, int* right, int* bottom) {
  int index = -1;
  for (int i = 0; i < EDIT_SLOTS; i++)
    if (window && EditViews.slot[i].window == window) index = i;
  EditViewSlot* active = GetEditSlot(EditViews.active);
  if (index < 0 || !active || !active->window || SetBlockMarkMode(3) != 1) return 0;
  int x1, y1, level1, x2, y2, level2;
  GetNormalizedMarkedBlock(&x1, &y1, &level1, &x2, &y2, &level2);
  if (active->cursorLevel < level1 || active->cursorLevel > level2) return 0;
  int nearCorner[2] = {x1, y1}, farCorner[2] = {x2 + 1, y2 + 1};
  CellToWindowPixel(index, nearCorner);
  CellToWindowPixel(index, farCorner);
  farCorner[0]--, farCorner[1]--;
  *left = nearCorner[0] < farCorner[0] ? nearCorner[0] : farCorner[0];
  *right = nearCorner[0] < farCorner[0] ? farCorner[0] : nearCorner[0];
  *top = nearCorner[1] < farCorner[1] ? nearCorner[1] : farCorner[1];
  *bottom = nearCorner[1] < farCorner[1] ? farCorner[1] : nearCorner[1];
  return 1;
}

static void Show(int cursor) {
  Shown = cursor;
  CursorPlatformShow(cursor);
}

int InitCursors() {
  if (!CursorPlatformHasMouse()) return 2;
  CursorPlatformLoad();
  Loaded = 1;
  Busy = 0;
  SetCursorMode(CURSOR_MODE_EDIT);
  return 0;
}

void ExitCursors() {
  if (!Loaded) return;
  CursorPlatformFree();
  Loaded = 0;
  Shown = 0;
}

int AreCursorsLoaded() { return Loaded; }
int GetShownCursor() { return Shown; }
int GetBusyCount() { return Busy; }
int GetCursorMode() { return Mode; }
int GetCursorStyle() { return Style; }

int SetCursorMode(int mode) {
  if (!Loaded) return mode;
  switch (mode) {
    case CURSOR_MODE_EDIT: {
      int was = Mode;
      Mode = CURSOR_MODE_EDIT;
      Current = Base;
      if (!Busy) Show(Current);
      if (was == CURSOR_MODE_PICK) {
        if (PaletteRedraw)
          PaletteRedraw();
        else
          DrawSymbolPalette(nullptr);  // the whole palette
      }
      return Current;
    }
    case CURSOR_MODE_PICK:
      Mode = CURSOR_MODE_PICK;
      Current = CUR_PICK;
      if (!Busy) Show(Current);
      return Current;
    case CURSOR_BUSY_BEGIN:
      if (++Busy == 1) Show(CUR_BUSY);
      return CUR_BUSY;
    case CURSOR_BUSY_END:
      if (Busy > 0 && --Busy == 0) {
        Current = Mode == CURSOR_MODE_PICK ? CUR_PICK : Base;
        Show(Current);
      }
      return Busy ? CUR_BUSY : Current;
    default: return mode;
  }
}

void SetCursorStyle(int style) {
  if (style != CURSOR_STYLE_OWN && style != CURSOR_STYLE_ARROW) return;
  Style = style;
  Base = style == CURSOR_STYLE_OWN ? CUR_EDIT : CUR_SYS_ARROW;
  if (Mode == CURSOR_MODE_EDIT) {
    Current = Base;
    if (Loaded && !Busy) Show(Current);
  }
}

uint32_t GetMouseOptions() { return MouseOptions; }
void SetMouseOptions(uint32_t bits) { MouseOptions = bits; }
int GetEdgeScrollInterval() { return EdgeInterval; }

int SetEdgeScrollInterval(int n) {
  if (n == -1) {
    EdgeInterval = 55;
    return 0;
  }
  if (n < 10 || n > 100) return 1;
  EdgeInterval = n;
  return 0;
}

int EdgeZoneBits(int x, int y, int width, int height) {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  int bits = 0;
  if (x < EDGE_ZONE_X)
    bits |= EDGE_LEFT;
  else if (x >= width - EDGE_ZONE_X)
    bits |= EDGE_RIGHT;
  if (y < EDGE_ZONE_Y)
    bits |= EDGE_TOP;
  else if (y >= height - EDGE_ZONE_Y)
    bits |= EDGE_BOTTOM;
  return bits;
}

int EdgeZoneCursor(int bits) {
  switch (bits) {
    case EDGE_LEFT: return CUR_EDGE_LEFT;
    case EDGE_RIGHT: return CUR_EDGE_RIGHT;
    case EDGE_TOP: return CUR_EDGE_TOP;
    case EDGE_BOTTOM: return CUR_EDGE_BOTTOM;
    case EDGE_LEFT | EDGE_TOP: return CUR_EDGE_TOP_LEFT;
    case EDGE_RIGHT | EDGE_TOP: return CUR_EDGE_TOP_RIGHT;
    case EDGE_LEFT | EDGE_BOTTOM: return CUR_EDGE_BOTTOM_LEFT;
    case EDGE_RIGHT | EDGE_BOTTOM: return CUR_EDGE_BOTTOM_RIGHT;
    default: return 0;
  }
}

static int Near(int a, int b) { return a - b <= 3 && b - a <= 3; }

int BlockEdgeZone(int x, int y, int left, int top, int right, int bottom) {
  if (x < left - 3 || x > right + 3 || y < top - 3 || y > bottom + 3) return BLOCK_EDGE_NONE;
  if (Near(x, left)) return BLOCK_EDGE_LEFT;
  if (Near(x, right)) return BLOCK_EDGE_RIGHT;
  if (Near(y, top)) return BLOCK_EDGE_TOP;
  if (Near(y, bottom)) return BLOCK_EDGE_BOTTOM;
  return BLOCK_EDGE_NONE;
}

int DecideCursor(const CursorQuery* q, int* cursor) {
  if (q->dialogOpen) {
    *cursor = CUR_SYS_NO;
    return 0;
  }
  if (q->dragState == 2 || q->dragState == 3) {
    *cursor = CUR_SYS_SIZE_WE;
    return q->dragState;
  }
  if (q->dragState == 4 || q->dragState == 5) {
    *cursor = CUR_SYS_SIZE_NS;
    return q->dragState;
  }
  if (q->isActiveEditWindow && (MouseOptions & MOUSE_EDGE_SCROLL)) {
    int c = EdgeZoneCursor(EdgeZoneBits(q->mouseX, q->mouseY, q->clientWidth, q->clientHeight));
    if (c) {
      *cursor = c;
      return 1;
    }
  }
  if (q->blockMarked) {
    int zone = BlockEdgeZone(q->mouseX, q->mouseY, q->blockLeft, q->blockTop, q->blockRight,
                             q->blockBottom);
    if (zone) {
      *cursor = zone <= BLOCK_EDGE_RIGHT ? CUR_SYS_SIZE_WE : CUR_SYS_SIZE_NS;
      return zone;
    }
  }
  *cursor = q->current;
  return 0;
}

int SetCursorForWindow(WrapWindow window, int dragState) {
  CursorQuery q = {};
  if (!CursorPlatformQuery(window, &q, BlockRect ? BlockRect : MarkedBlockWindowRect))
    q = CursorQuery{};
  q.dialogOpen = IsDialogOpen();
  q.dragState = dragState;
  q.current = Busy ? CUR_BUSY : Current;
  int cursor = 0;
  int result = DecideCursor(&q, &cursor);
  if (Loaded && cursor) Show(cursor);
  return result;
}
