// Mouse dispatch: clicks on the status window's panes, and clicks, drags and block-edge drags in
// an edit window; the cursor move of a click (SetCursorCell).
#include "app/commands.h"
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "app/input.h"
#include "app/tick.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"
#include "views/view_services.h"

// Division rounding down (towards minus infinity) for a positive divisor.
static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

void EditPixelToCell(const EditViewSlot* s, int x, int y, int* cellX, int* cellY) {
  int zoom = s->zoom > 0 ? s->zoom : 1;
  if (s->viewMode == VIEW_SYMBOLS) {
    *cellX = FloorDiv(FloorDiv(x, zoom) - s->fineX, 32) + s->originX;
    *cellY = FloorDiv(FloorDiv(y, zoom) - s->fineY, 16) + s->originY;
  } else if (s->viewMode == VIEW_DIAGRAM) {
    *cellX = FloorDiv(zoom * x - s->fineX, 16) + s->originX;
    *cellY = FloorDiv(zoom * y - s->fineY, 16) + s->originY;
  } else {
    *cellX = zoom * x + s->originX;
    *cellY = zoom * y + s->originY;
  }
}

void SetCursorCell(int window, int x, int y) {
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window) return;
  if (x < 0 || x > 32767 || y < 0 || y > 32767) return;
  if (x == s->cursorX && y == s->cursorY) return;
  s->cursorX = x;
  s->cursorY = y;
  SetEditScrollToCursor(window);
  if (window == EditViews.active) DrawCursorPosition(nullptr);
}

// ---- status window ------------------------------------------------------------------------------
static void ActivateLastUsedWhenNone() {
  EditViewSlot* s = GetEditSlot(EditViews.active);
  if (!(s && s->window) && FrameActivateWindow) FrameActivateWindow(-4);
}

static void PaletteGroup(int group, int useMask, uint32_t mask) {
  int index = 0, mirror = 0;
  uint32_t current = 0;
  GetPaletteSelection(&index, &current, &mirror);
  SelectPaletteGroup(group, index, useMask ? mask : current, mirror);
  DrawSymbolPalette(nullptr);
}

static void StatusPane(int pane, int x, int left) {
  switch (pane) {
    case 0: SelectPaletteSlot((x - left) / 36); break;
    case 1:
    case 2: HandlePaletteCommand(305); break;
    case 4: StepPaletteSymbol(1); break;
    case 5: StepPaletteSymbol(-1); break;
    case 7: HandlePaletteCommand(301); break;
    case 8:
      AnimationSwitch = !AnimationSwitch;
      InvalidateViews(4);
      break;
    case 12:
      OverlayPauseSwitch = !OverlayPauseSwitch;
      InvalidateViews(2);
      break;
    case 19: SetBlockMarkMode(2); break;
    case 20: SetReverseAdvance(!GetReverseAdvance()); break;
    case 24: EditClockSettings(); break;
    case 25: EditSimulationTime(); break;
    case 26: SetSimulationRunning(SIMRUN_TOGGLE); break;
    case 27: EditStopTime(); break;
    case 28:
      ActivateLastUsedWhenNone();
      ShowEventDisplay();
      break;
    case 29: PaletteGroup(0, 1, 1); break;
    case 30: PaletteGroup(0, 1, 256); break;
    case 31: PaletteGroup(0, 1, 16384); break;
    case 32: PaletteGroup(0, 1, 4096); break;
    case 33: PaletteGroup(2, 0, 0); break;
    case 34: PaletteGroup(3, 0, 0); break;
    case 35:
      OverlayTextLabelsOn = !OverlayTextLabelsOn;
      InvalidateViews(4);
      break;
      // The display options of panes 9-11, 13-18, 21, 36-38, going to a position (22) and the
      // options dialog (40) join with the components that own them.
  }
}

void HandleStatusMouse(uint32_t message, int x, int y) {
  if (IsDialogOpen()) return;
  if (message == MOUSE_RDOWN || message == MOUSE_RUP) EndPickMode();
  if (message == MOUSE_LUP) {
    int pane = -1, left = 0;
    for (int p = 0; p <= 40; p++) {
      int top = 0, width = 0, height = 0;
      int l = GetStatusPaneRect(p, &top, &width, &height);
      if (l >= 0 && x >= l && x < l + width && y >= top && y < top + height) {
        pane = p;
        left = l;
        break;
      }
    }
    if (pane == 0)
      BeginPickMode();
    else
      EndPickMode();
    StatusPane(pane, x, left);
  }
  DispatchEpilogue();
}

// ---- edit windows -------------------------------------------------------------------------------
static int Sign(int v) { return (v > 0) - (v < 0); }
static int Abs(int v) { return v < 0 ? -v : v; }

static void DragScroll(int a, EditViewSlot* s, int dx, int dy) {
  if (s->viewMode == VIEW_OVERVIEW) {
    int zoom = s->zoom > 0 ? s->zoom : 1;
    if (dx > 0) ScrollViewRightBy(a, dx / zoom);
    if (dx < 0) ScrollViewLeftBy(a, -dx / zoom);
    if (dy > 0) ScrollViewDownBy(a, dy / zoom);
    if (dy < 0) ScrollViewUpBy(a, -dy / zoom);
    return;
  }
  for (int cols = Abs(dx), rows = Abs(dy); cols > 0 || rows > 0; cols--, rows--)
    ScrollViewByPixels(a, cols > 0 ? 32 * Sign(dx) : 0, rows > 0 ? 16 * Sign(dy) : 0);
}

static void DragBlockEdge(int a, EditViewSlot* s, int edge, int cx, int cy) {
  int x1, y1, l1, x2, y2, l2;
  GetMarkedBlock(&x1, &y1, &l1, &x2, &y2, &l2);
  int nx1 = x1, ny1 = y1, nx2 = x2, ny2 = y2;
  // 2 left, 3 right, 4 top, 5 bottom edge: the corner that holds that edge moves.
  if (edge == 2) (x1 <= x2 ? nx1 : nx2) = cx;
  if (edge == 3) (x1 <= x2 ? nx2 : nx1) = cx;
  if (edge == 4) (y1 <= y2 ? ny1 : ny2) = cy;
  if (edge == 5) (y1 <= y2 ? ny2 : ny1) = cy;
  if (nx1 != x1 || ny1 != y1 || nx2 != x2 || ny2 != y2)
    SetMarkedBlock(nx1, ny1, l1, nx2, ny2, l2, 1);
  int dx = cx <= s->originX ? -1 : cx >= s->farX - 1 ? 1 : 0;
  int dy = cy <= s->originY ? -1 : cy >= s->farY - 1 ? 1 : 0;
  if (dx || dy) ScrollViewStep(a, dx, dy);
}

void HandleEditMouse(uint32_t message, int x, int y, int edgeDrag, uint32_t keys) {
  int a = EditViews.active;
  EditViewSlot* s = GetEditSlot(a);
  if (!s || !s->window || IsDialogOpen() || IsSimulationStepActive()) return;
  // A palette placement on a button press swallows that button's release, which would otherwise
  // move the cursor to where the button came up and open the placed element's information.
  if (message == MOUSE_LUP && EditIgnoreButtonUp) {
    EditIgnoreButtonUp = 0;
    return;
  }
  s->dirty = 1;

  enum { CLICK, DRAG, OTHER } kind = OTHER;
  if (message == MOUSE_RDOWN) {
    if (IsPickPending()) {
      EndPickMode();
    } else {
      kind = CLICK;
    }
  } else if (message == MOUSE_MOVE && (keys & MOUSEKEY_LEFT)) {
    if (IsPickPending() || (edgeDrag >= 2 && edgeDrag <= 5)) {
      kind = CLICK;
      message = MOUSE_LDOWN;
    } else {
      kind = DRAG;
    }
  } else if (message == MOUSE_CURSOR_ONLY || message == MOUSE_LDOWN || message == MOUSE_LUP ||
             message == MOUSE_LDBLCLK) {
    kind = CLICK;
  }

  int cx, cy;
  EditPixelToCell(s, x, y, &cx, &cy);
  if (kind != OTHER) {
    if (a == EditViews.followed && GetFollowMode() == 1) SetFollowMode(2);
    if (kind == DRAG) {
      if (GetMouseOptions() & 8) DragScroll(a, s, s->cursorX - cx, s->cursorY - cy);
      DispatchEpilogue();
      return;
    }
    SetCursorCell(a, cx, cy);
  }
  if (edgeDrag >= 2 && edgeDrag <= 5) DragBlockEdge(a, s, edgeDrag, cx, cy);
  if (message == MOUSE_LUP)
    EditElementAtCursor((keys & MOUSEKEY_CTRL) ? 6 : 5);
  else if (message == MOUSE_LDBLCLK)
    EditElementAtCursor((keys & MOUSEKEY_CTRL) ? 2 : 1);
  else if (message == MOUSE_LDOWN && IsPickPending())
    PlaceCurrentSlotSymbol();
  DispatchEpilogue();
}
