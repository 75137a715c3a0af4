// Mouse cursors in the native build: nothing to load or show; records the requests for the tests.
#include "app/cursor_platform.h"

static CursorNativeState State = {};

CursorNativeState* GetCursorNativeState() { return &State; }
int CursorPlatformHasMouse() { return !State.noMouse; }
int CursorPlatformLoad() {
  State.loads++;
  return 0;
}
void CursorPlatformFree() { State.frees++; }
void CursorPlatformShow(int cursor) { (void)cursor; }
int CursorPlatformQuery(WrapWindow window, CursorQuery* q, CursorBlockRectFn blockRect) {
  *q = State.query;
  if (blockRect) {
    int l, t, r, b;
    if (blockRect(window, &l, &t, &r, &b))
      q->blockMarked = 1, q->blockLeft = l, q->blockTop = t, q->blockRight = r, q->blockBottom = b;
  }
  return 1;
}
