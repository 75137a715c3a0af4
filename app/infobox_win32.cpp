// Info-box windows on Windows: made owned by the active edit window (else the main window),
// painted synchronously from inside the long operation, F12 read as the asynchronous key state.
#include <windows.h>
#include "app/infobox_platform.h"
#include "app/cursor.h"
#include "app/dialog_ctl.h"
#include "app/editwnd.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform_ui.h"

static HWND Owner() {
  EditViewSlot* slot = GetEditSlot(EditViews.active);
  if (slot && slot->window) return (HWND)slot->window;
  return (HWND)DialogMainWindow();
}

// Texts are drawn in characters of 8 pixels, colour 8 on colour 9: through the views' symbol-text
// painter when it is registered (texts may embed cell pictures), else in a fixed font.
static void DrawText8(HDC dc, int x, int y, const char16_t* text, int fieldChars) {
  SetTextColor(dc, DialogDisplayColour(8));
  SetBkColor(dc, DialogDisplayColour(9));
  SetBkMode(dc, OPAQUE);
  HGDIOBJ old = SelectObject(dc, GetStockObject(SYSTEM_FIXED_FONT));
  if (fieldChars > 0) {
    RECT r = {x, y, x + 8 * fieldChars, y + 16};
    HBRUSH b = CreateSolidBrush(DialogDisplayColour(9));
    FillRect(dc, &r, b);
    DeleteObject(b);
  }
  if (DialogSymbolTextFn symbolText = GetDialogSymbolText()) {
    SelectObject(dc, old);
    symbolText(dc, x, y, text, DialogDisplayColour(8), DialogDisplayColour(9));
    return;
  }
  int n = StringLength(text);
  if (fieldChars > 0 && n > fieldChars) n = fieldChars;
  WrapTextOut(dc, x, y, text, n);
  SelectObject(dc, old);
}

static const InfoBoxSlot* Top() { return GetInfoBoxSlot(GetInfoBoxLevel()); }

void PaintInfoBox(void* dcp) {
  const InfoBoxSlot* s = Top();
  if (!s || !s->window) return;
  HDC dc = (HDC)dcp;
  RECT rc;
  GetClientRect((HWND)s->window, &rc);
  HBRUSH b = CreateSolidBrush(DialogDisplayColour(0));
  FillRect(dc, &rc, b);
  DeleteObject(b);
  if (s->cancellable) {
    DrawText8(dc, 16, 44, GetLangText(LANG_ID(8060)), 0);
    DrawText8(dc, 16, 16, s->text, 0);
  } else {
    DrawText8(dc, 16, 24, s->text, 0);
  }
  if (s->progress[0])
    DrawText8(dc, s->progressX, InfoBoxTextY(s->cancellable), s->progress, s->progressWidth);
}

void DrawInfoBoxProgress(const char16_t* progressText) {
  const InfoBoxSlot* s = Top();
  if (!s || !s->window) return;
  HDC dc = GetDC((HWND)s->window);
  DrawText8(dc, s->progressX, InfoBoxTextY(s->cancellable), progressText, s->progressWidth);
  ReleaseDC((HWND)s->window, dc);
}

intptr_t QUIL_WNDCALL InfoBoxWndProc(void* window, uint32_t message, uintptr_t wParam,
                                     intptr_t lParam) {
  HWND w = (HWND)window;
  switch (message) {
    case WM_CREATE: SetFocus(w); return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) SetFocus(w);
      return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_COMMAND:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_XBUTTONDOWN:
    case WM_XBUTTONUP:
    case WM_XBUTTONDBLCLK: return 0;
    case WM_MOUSEMOVE: SetCursorForWindow(window, 0); return 0;
    case WM_DESTROY:
    case WM_SIZE:
    case WM_SETFOCUS: return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(w, &ps);
      const InfoBoxSlot* s = Top();
      if (s && s->window == window) PaintInfoBox(dc);
      EndPaint(w, &ps);
      return 0;
    }
    case WM_ERASEBKGND: {
      const InfoBoxSlot* s = Top();
      if (s && s->window == window) PaintInfoBox((HDC)wParam);
      return 1;
    }
    default: return WrapDefWindowProc(w, message, wParam, lParam);
  }
}

void InfoBoxPlatformGeometry(int* screenWidth, int* l, int* t, int* r, int* b) {
  *screenWidth = GetSystemMetrics(SM_CXSCREEN);
  RECT rc = {0, 0, *screenWidth, GetSystemMetrics(SM_CYSCREEN)};
  HWND owner = Owner();
  if (owner) GetWindowRect(owner, &rc);
  *l = rc.left, *t = rc.top, *r = rc.right, *b = rc.bottom;
}

void* InfoBoxPlatformCreate(InfoBoxSlot* slot, const char16_t* caption) {
  HWND w =
      (HWND)WrapCreateWindow(kInfoBoxClass, caption ? caption : u"", WS_OVERLAPPED | WS_CAPTION,
                             slot->x, slot->y, slot->width, kInfoBoxHeight, Owner(), nullptr,
                             (HINSTANCE)WrapGetModuleHandle(nullptr), nullptr);
  if (!w) return nullptr;
  slot->window = w;
  ShowWindow(w, SW_SHOW);
  UpdateWindow(w);
  InfoBoxPlatformRepaint(slot);
  return w;
}

void InfoBoxPlatformDestroy(void* window) {
  if (window) DestroyWindow((HWND)window);
}

void InfoBoxPlatformRepaint(const InfoBoxSlot* slot) {
  if (!slot || !slot->window) return;
  HDC dc = GetDC((HWND)slot->window);
  PaintInfoBox(dc);
  ReleaseDC((HWND)slot->window, dc);
}

void InfoBoxPlatformDrawProgress(const InfoBoxSlot* slot) {
  if (slot) DrawInfoBoxProgress(slot->progress);
}

int InfoBoxPlatformF12Down() { return (WrapGetAsyncKeyState(VK_F12) & 0x8000) ? 1 : 0; }

void InfoBoxPlatformFocusOwner() {
  HWND owner = Owner();
  if (owner) SetFocus(owner);
}
