// Scrolling a rectangle of a window on the screen (Win32 build).
#include "core/platform_ui.h"
#include "views/view_services.h"

constexpr uint32_t kScrollInvalidate = 2;  // SW_INVALIDATE
constexpr uint32_t kSetCursor = 0x20, kMouseMove = 0x200, kClient = 1;

void ScrollWindowArea(void* window, int x1, int y1, int x2, int y2, int dx, int dy) {
  if (!window || (!dx && !dy) || x2 < x1 || y2 < y1) return;
  WrapRect r = {x1, y1, x2 + 1, y2 + 1};
  WrapScrollWindowEx(window, dx, dy, &r, &r, kScrollInvalidate);
  // The window chooses the mouse cursor for the place under it again.
  WrapSendMessage(window, kSetCursor, (WrapWParam)window,
                  (WrapLParam)(kClient | (kMouseMove << 16)));
}
