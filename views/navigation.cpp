// Moving an edit window to a position: the view re-centres only when the position comes near an
// edge (the overview centres on it); and the status window's cursor field.
#include <cstdio>
#include "app/editwnd.h"
#include "graphics/colours.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "views/view_services.h"

NavigationHookSet NavigationHooks = {};

// The new origin along one axis of a cell view: unchanged while the position lies inside the
// view at least an eighth of it away from both edges, else the position is centred.
static int32_t AxisOrigin(int p, int32_t origin, int32_t far, int visible) {
  int m = visible / 8, h = visible / 2;
  if (p >= origin + m + 1 && p >= far - m - 1) {
    int o = p - h + 1, last = GRID_CELLS - visible;
    if (o > last) o = last;
    return o < 0 ? 0 : o;
  }
  if (p < origin + m + 1) {
    int o = p - h;
    return o < 1 ? 0 : o;
  }
  return origin;
}

int ScrollCellIntoView(int window, int x, int y, int level) {
  if (!GridPositionValid(x, y, level)) return 0;
  EditViewSlot* s = GetEditSlot(window);
  if (!s || !s->window) return 0;
  PushPositionHistory(window);
  if (s->viewMode == VIEW_SYMBOLS || s->viewMode == VIEW_DIAGRAM) {
    s->originX = AxisOrigin(x, s->originX, s->farX, s->cellsWide);
    s->originY = AxisOrigin(y, s->originY, s->farY, s->cellsHigh);
  } else {
    CenterViewOn(window, &x, &y);
  }
  s->farX = s->originX + s->cellsWide;
  s->farY = s->originY + s->cellsHigh;
  s->fineX = s->fineY = 0;
  s->cursorX = x;
  s->cursorY = y;
  s->cursorLevel = level;
  SetEditScrollToCursor(window);
  if (window == EditViews.active) DrawCursorPosition(nullptr);
  if (NavigationHooks.rebuildAnimations) NavigationHooks.rebuildAnimations(window);
  InvalidateWindowRect(window, 0, 0, s->pixelWidth - 1, s->pixelHeight - 1);
  // a marking that follows the window's level is shown again on the new one
  if (DocState.blockMarkMode && GetMarkLevelMode() == 0 && NavigationHooks.reshowBlockMarking)
    NavigationHooks.reshowBlockMarking();
  return 1;
}

void FormatCursorPosition(char16_t out[32]) {
  char text[32];
  const EditViewSlot* s = GetEditSlot(EditViews.active);
  if (s && s->window)
    snprintf(text, sizeof text, "%5i %5i %+2i[%1i]", (int)s->cursorX, (int)s->cursorY,
             (int)s->cursorLevel, (int)EditViews.active + 1);
  else
    snprintf(text, sizeof text, "----- ----- [0]");
  int i = 0;
  for (; text[i] && i < 31; i++) out[i] = (char16_t)(unsigned char)text[i];
  out[i] = 0;
}

void DrawCursorPosition(void* dc) {
  if (!dc) dc = GetDrawingDC(-1);
  if (!dc) return;
  int top = 0, width = 0, height = 0;
  int left = GetStatusPaneRect(23, &top, &width, &height);
  if (left < 0) return;
  char16_t text[32];
  FormatCursorPosition(text);
  DrawCursorFieldText(dc, left, top, width, height, text, GetColour(34), GetColour(32));
}
