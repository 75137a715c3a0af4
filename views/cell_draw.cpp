// Redrawing grid cells in the edit windows: the see-through walk from each window's level, the
// cell's pixel position by view mode, the redraw queue of the trains, whole-window repaints and
// the display state of an element cell.
#include "app/editwnd.h"
#include "elements/element_services.h"
#include "model/cellcodes.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "views/view_services.h"
#include "views/view_draw.h"

static int IsSeeThrough(uint32_t code) {
  return code == CELL_SEE_THROUGH_1 || code == CELL_SEE_THROUGH_2;
}

int WalkDownSeeThrough(int x, int y, int level) {
  while (level > GRID_LEVEL_BOTTOM && IsSeeThrough(GetCell(x, y, level))) level--;
  return level;
}

uint32_t CellOverlayFlags(int x, int y, int level) {
  uint32_t flags = 0;
  if (CellMarkDisplaySwitch && GetInfoTextSize(x, y, level) > 0) flags |= 1;
  if (LogPointDisplaySwitch) {
    uint32_t log = (uint32_t)GetLogPointAt(x, y, level, nullptr, nullptr);
    if (log) flags |= (log & 16) ? 4 : 2;
  }
  return flags;
}

void DrawCell(int x, int y, int level, uint32_t viewMask) {
  if (!GridPositionValid(x, y, level)) return;
  int flagsDone = 0;
  uint32_t flags = 0;
  for (int n = 0; n < EDIT_SLOTS; n++) {
    EditViewSlot* s = &EditViews.slot[n];
    if (!s->window || s->cursorLevel < level) continue;
    int top = CheckLevelsOpenBelow(n, x, y, level);
    if (top < GRID_LEVEL_BOTTOM) continue;
    int bottom = WalkDownSeeThrough(x, y, level);
    int zoom = s->zoom > 0 ? s->zoom : 1;
    if (s->viewMode == VIEW_SYMBOLS) {
      if (!(viewMask & 1)) continue;
      if (x < s->originX - 1 || x >= s->farX || y < s->originY - 1 || y >= s->farY) continue;
      if (!flagsDone) {
        flags = CellOverlayFlags(x, y, bottom);
        flagsDone = 1;
      }
      int px = ((x - s->originX) * 32 + s->fineX) * zoom;
      int py = ((y - s->originY) * 16 + s->fineY) * zoom;
      if (py <= s->pixelHeight)
        ComposeCellPicture(GetDrawingDC(n), px, py, x, y, top, bottom, flags, n);
      MarkOverlaySnapshotStale(n);
    }
    // Line diagrams and overviews keep their background until their cell drawing is built.
  }
}

void RedrawCellAllViews(int x, int y, int level) { DrawCell(x, y, level, DRAWCELL_ALL_VIEWS); }

// ---- the redraw queue of the trains ----------------------------------------------------------------
struct RedrawQueueRecord {
  int32_t cells[REDRAW_QUEUE_CELLS][3];
  int count;
};
static RedrawQueueRecord RedrawQueue;

int QueueCellRedraw(int x, int y, int level) {
  // A full queue is flushed before the next position goes in: no position is ever lost.
  if (RedrawQueue.count >= REDRAW_QUEUE_CELLS) FlushCellRedrawQueue(1);
  int32_t* c = RedrawQueue.cells[RedrawQueue.count++];
  c[0] = x;
  c[1] = y;
  c[2] = level;
  return RedrawQueue.count;
}

int FlushCellRedrawQueue(int allViews) {
  int n = RedrawQueue.count;
  RedrawQueue.count = 0;
  for (int i = 0; i < n; i++) {
    const int32_t* c = RedrawQueue.cells[i];
    DrawCell(c[0], c[1], c[2], allViews ? DRAWCELL_ALL_VIEWS : 1);
    if (c[1] >= 1) DrawCell(c[0], c[1] - 1, c[2], 1);  // vehicles reach one row up
  }
  return n * 3;
}

int GetCellRedrawQueueCount() { return RedrawQueue.count; }

// ---- whole windows ---------------------------------------------------------------------------------
void InvalidateViews(uint32_t mask) {
  if (mask & 1) InvalidateStatusWindow();
  for (int n = 0; n < EDIT_SLOTS; n++) {
    EditViewSlot* s = &EditViews.slot[n];
    if (!s->window) continue;
    int zoom = s->zoom > 0 ? s->zoom : 1;
    if ((mask & 2) || ((mask & 4) && s->viewMode == VIEW_SYMBOLS) ||
        ((mask & 8) && s->viewMode == VIEW_DIAGRAM && zoom <= 8)) {
      InvalidateWindowRect(n, 0, 0, s->pixelWidth - 1, s->pixelHeight - 1);
      UpdateEditWindow(n);
    }
  }
}

void RedrawWindowCells(int window, int top, int left, int bottom, int right) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window || top > bottom || left > right || s->viewMode != VIEW_SYMBOLS) return;
  int zoom = s->zoom > 0 ? s->zoom : 1;
  int x1 = ((left - s->originX) * 32 + s->fineX) * zoom;
  int y1 = ((top - s->originY) * 16 + s->fineY) * zoom;
  int x2 = ((right + 1 - s->originX) * 32 + s->fineX) * zoom - 1;
  int y2 = ((bottom + 1 - s->originY) * 16 + s->fineY) * zoom - 1;
  if (x1 < 0) x1 = 0;
  if (y1 < 0) y1 = 0;
  if (x2 >= s->pixelWidth) x2 = s->pixelWidth - 1;
  if (y2 >= s->pixelHeight) y2 = s->pixelHeight - 1;
  if (x1 <= x2 && y1 <= y2) RefreshEditWindowRect(window, x1, y1, x2, y2);
}

// ---- element states ----------------------------------------------------------------------------------
uint32_t GetCellElementState(int x, int y, int level, uint32_t code) {
  if (code >= 32767) return 0;
  // The stores of stops, TP, route points, Dwx, slow sections and buffer stops are asked in
  // that order as they come; the switches keep their shown state.
  if (FindSwitchRecord(x, y, level, -1)) return GetSwitchDisplayState(x, y, level);
  return 0;
}
