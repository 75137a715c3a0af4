// The key, character and mouse rows of the main window and the edit windows: they work out the
// modifier flags and hand the input to the dispatchers (app/input_keys.cpp, app/input_mouse.cpp).
#include <windowsx.h>
#include "app/cursor.h"
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "app/frame_win32.h"
#include "app/input.h"
#include "app/tick.h"

// Block-edge drag state of the edit windows: 0 or the edge 2..5 being dragged.
static int EdgeDragState = 0;

int DispatchKey(int key, int flags, int fromEdit) { return HandleKey(key, flags, fromEdit) & 0xFF; }

static int HeldFlags() {
  return (GetKeyState(VK_CONTROL) < 0 ? KEYMOD_CTRL : 0) |
         (GetKeyState(VK_SHIFT) < 0 ? KEYMOD_SHIFT : 0) |
         (GetKeyState(VK_MENU) < 0 ? KEYMOD_ALT : 0);
}

int KeyFlagsOf(LPARAM lParam) {
  return (GetKeyState(VK_CONTROL) < 0 ? KEYMOD_CTRL : 0) |
         (GetKeyState(VK_SHIFT) < 0 ? KEYMOD_SHIFT : 0) | ((lParam & (1 << 29)) ? KEYMOD_ALT : 0);
}

int HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam, int fromEdit) {
  if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN) {
    if (wParam == VK_SHIFT || wParam == VK_CONTROL) return 0;
    return DispatchKey((int)wParam, KeyFlagsOf(lParam), fromEdit);
  }
  if (message != WM_CHAR) return 0;
  int c = (int)wParam;
  if (c == '+' || c == '-' || c == '=' || (fromEdit && (c == '*' || c == '/'))) {
    int keypad = GetKeyState(VK_MULTIPLY) < 0 || GetKeyState(VK_ADD) < 0 ||
                 GetKeyState(VK_SUBTRACT) < 0 || GetKeyState(VK_DIVIDE) < 0;
    return DispatchKey(c, keypad ? HeldFlags() & (KEYMOD_SHIFT | KEYMOD_ALT) : 0, fromEdit);
  }
  int upper = WrapCharUpper((char16_t)c);
  if (upper < 91) return 0;
  return DispatchKey(upper, HeldFlags(), fromEdit);
}

void DispatchMouse(UINT message, int x, int y, int fromStatus, int dragState, uint32_t keys) {
  if (fromStatus)
    HandleStatusMouse(message, x, y);
  else
    HandleEditMouse(message, x, y, dragState, keys);
}

// The mouse rows of an edit window; 1 when the message was used, 0 for default handling.
int HandleEditMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
  uint32_t keys = (uint32_t)wParam & (MK_LBUTTON | MK_CONTROL);
  switch (message) {
    case WM_RBUTTONDOWN:
      if (GetMouseOptions() & 1) {
        RECT r;
        GetClientRect(window, &r);
        uint32_t state = EdgeScrollFromClientPoint(x, y, r.right, r.bottom);
        if (state) {
          DispatchMouse(0, x, y, 0, 0, keys);
          EdgeScrollState = state;
          SetCapture(window);
          return 1;
        }
      }
      DispatchMouse(message, x, y, 0, 0, keys);
      return 1;
    case WM_MOUSEMOVE: {
      if (EdgeScrollState) return 1;
      int zone = SetCursorForWindow(window, EdgeDragState);
      if ((wParam & MK_LBUTTON) && !EdgeDragState && zone >= 2 && zone <= 5) EdgeDragState = zone;
      DispatchMouse(message, x, y, 0, EdgeDragState, keys);
      return 1;
    }
    case WM_LBUTTONDOWN: {
      int zone = SetCursorForWindow(window, 0);
      if (zone >= 2 && zone <= 5) EdgeDragState = zone;
      DispatchMouse(message, x, y, 0, EdgeDragState, keys);
      return 1;
    }
    case WM_LBUTTONUP:
      EdgeDragState = 0;
      DispatchMouse(message, x, y, 0, 0, keys);
      return 1;
    case WM_LBUTTONDBLCLK: DispatchMouse(message, x, y, 0, EdgeDragState, keys); return 1;
  }
  return 0;
}
