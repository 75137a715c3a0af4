// Mouse cursors on Windows: the eleven own cursor resources and four system cursors, shown with
// the platform's cursor call; the mouse position and client area of the window asked about.
#include <windows.h>
#include "app/cursor_platform.h"
#include "app/editwnd.h"
#include "core/platform_ui.h"

static HCURSOR Cursors[CUR_COUNT];

int CursorPlatformHasMouse() { return WrapGetSystemMetrics(SM_MOUSEPRESENT) ? 1 : 0; }

int CursorPlatformLoad() {
  HINSTANCE inst = (HINSTANCE)WrapGetModuleHandle(nullptr);
  for (int i = 1; i <= CURSOR_OWN_COUNT; i++) {
    Cursors[i] = (HCURSOR)WrapLoadCursor(inst, WrapOrdinal((unsigned)i));
    if (!Cursors[i]) Cursors[i] = (HCURSOR)WrapLoadCursor(nullptr, (const char16_t*)IDC_ARROW);
  }
  Cursors[CUR_SYS_ARROW] = (HCURSOR)WrapLoadCursor(nullptr, (const char16_t*)IDC_ARROW);
  Cursors[CUR_SYS_SIZE_WE] = (HCURSOR)WrapLoadCursor(nullptr, (const char16_t*)IDC_SIZEWE);
  Cursors[CUR_SYS_SIZE_NS] = (HCURSOR)WrapLoadCursor(nullptr, (const char16_t*)IDC_SIZENS);
  Cursors[CUR_SYS_NO] = (HCURSOR)WrapLoadCursor(nullptr, (const char16_t*)IDC_NO);
  return 0;
}

void CursorPlatformFree() {
  HCURSOR arrow = Cursors[CUR_SYS_ARROW];
  for (int i = 1; i <= CURSOR_OWN_COUNT; i++) {
    if (Cursors[i] && Cursors[i] != arrow) WrapDestroyCursor(Cursors[i]);
    Cursors[i] = nullptr;
  }
}

void CursorPlatformShow(int cursor) {
  if (cursor > 0 && cursor < CUR_COUNT && Cursors[cursor]) WrapSetCursor(Cursors[cursor]);
}

int CursorPlatformQuery(WrapWindow window, CursorQuery* q, CursorBlockRectFn blockRect) {
  HWND w = (HWND)window;
  if (!w || !IsWindow(w)) return 0;
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  q->isActiveEditWindow = slot && slot->window == window;
  POINT p;
  GetCursorPos(&p);
  ScreenToClient(w, &p);
  RECT rc;
  GetClientRect(w, &rc);
  q->mouseX = p.x;
  q->mouseY = p.y;
  q->clientWidth = rc.right - rc.left;
  q->clientHeight = rc.bottom - rc.top;
  int l, t, r, b;
  if (blockRect && blockRect(window, &l, &t, &r, &b))
    q->blockMarked = 1, q->blockLeft = l, q->blockTop = t, q->blockRight = r, q->blockBottom = b;
  return 1;
}
