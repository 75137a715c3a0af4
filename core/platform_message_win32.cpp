// Win32 build, messages group: sending and posting messages (with the ANSI forms of the text and
// tool-tip messages), input state, hooks, timers and mouse capture.
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"
#include <commctrl.h>

constexpr int kSetTextMax = 31999;  // characters WM_SETTEXT sends in ANSI mode
constexpr int kGetTextMax = 32000;  // characters WM_GETTEXT receives in ANSI mode

static LRESULT SendSetTextA(HWND window, const char16_t* text) {
  if (!text) return SendMessageA(window, WM_SETTEXT, 0, 0);
  int bytes = 2 * kSetTextMax + 1;
  char* a = (char*)HeapAlloc(GetProcessHeap(), 0, bytes);
  if (!a) return 0;
  WrapAnsiArgCut(text, a, bytes, kSetTextMax);
  LRESULT r = SendMessageA(window, WM_SETTEXT, 0, (LPARAM)a);
  HeapFree(GetProcessHeap(), 0, a);
  return r;
}

static LRESULT SendGetTextA(HWND window, WPARAM count, char16_t* buf) {
  if (!buf || count < 1) return SendMessageA(window, WM_GETTEXT, 0, 0);
  if (count > (WPARAM)kGetTextMax) count = kGetTextMax;
  int bytes = 2 * (int)count;
  char* a = (char*)HeapAlloc(GetProcessHeap(), 0, bytes);
  if (!a) {
    buf[0] = 0;
    return 0;
  }
  LRESULT r = SendMessageA(window, WM_GETTEXT, (WPARAM)bytes, (LPARAM)a);
  if (r < 1) {
    buf[0] = 0;
    r = 0;
  } else {
    a[bytes - 1] = 0;
    r = MultiByteToWide(a, buf, (int)count) - 1;
  }
  HeapFree(GetProcessHeap(), 0, a);
  return r;
}

// The tool record in its ANSI form; the text converted for TTM_ADDTOOLW only.
static LRESULT SendToolA(HWND window, UINT message, const TTTOOLINFOW* w) {
  if (!w) return 0;
  TTTOOLINFOA a;
  ZeroMemory(&a, sizeof a);
  CopyMemory(&a, w, w->cbSize <= sizeof a ? w->cbSize : sizeof a);  // same layout but the text type
  char* text = nullptr;
  if (message == TTM_ADDTOOLW && w->lpszText != LPSTR_TEXTCALLBACKW &&
      (uintptr_t)w->lpszText >= 0x10000) {
    const char16_t* t = (const char16_t*)w->lpszText;
    int len = StringLength(t);
    if (len >= 32000) return 0;
    int bytes = 2 * len + 1;
    text = (char*)HeapAlloc(GetProcessHeap(), 0, bytes);
    if (!text) return 0;
    WideToMultiByte(t, text, bytes);
    a.lpszText = text;
  } else if (w->lpszText == LPSTR_TEXTCALLBACKW) {
    a.lpszText = LPSTR_TEXTCALLBACKA;
  }
  LRESULT r =
      SendMessageA(window, message == TTM_ADDTOOLW ? TTM_ADDTOOLA : TTM_DELTOOLA, 0, (LPARAM)&a);
  if (text) HeapFree(GetProcessHeap(), 0, text);
  return r;
}

WrapLResult WrapSendMessage(WrapWindow window, uint32_t message, WrapWParam wParam,
                            WrapLParam lParam) {
  if (UnicodeFlag) return SendMessageW((HWND)window, message, wParam, lParam);
  switch (message) {
    case WM_SETTEXT: return SendSetTextA((HWND)window, (const char16_t*)lParam);
    case WM_GETTEXT: return SendGetTextA((HWND)window, wParam, (char16_t*)lParam);
    case TTM_ADDTOOLW:
    case TTM_DELTOOLW: return SendToolA((HWND)window, message, (const TTTOOLINFOW*)lParam);
    default: return SendMessageA((HWND)window, message, wParam, lParam);
  }
}

int WrapPostMessage(WrapWindow window, uint32_t message, WrapWParam wParam, WrapLParam lParam) {
  if (UnicodeFlag) return PostMessageW((HWND)window, message, wParam, lParam);
  return PostMessageA((HWND)window, message, wParam, lParam);
}

void WrapPostQuitMessage(int exitCode) { PostQuitMessage(exitCode); }
int WrapGetInputState() { return GetInputState(); }
uint32_t WrapGetQueueStatus(uint32_t flags) { return GetQueueStatus(flags); }
int16_t WrapGetKeyState(int key) { return GetKeyState(key); }
int16_t WrapGetAsyncKeyState(int key) { return GetAsyncKeyState(key); }

WrapHook WrapSetWindowsHookEx(int hookId, WrapHookProc proc) {
  return SetWindowsHookExA(hookId, (HOOKPROC)proc, nullptr, GetCurrentThreadId());
}
int WrapUnhookWindowsHookEx(WrapHook hook) { return UnhookWindowsHookEx((HHOOK)hook); }
WrapLResult WrapCallNextHook(WrapHook hook, int code, WrapWParam wParam, WrapLParam lParam) {
  return CallNextHookEx((HHOOK)hook, code, wParam, lParam);
}

uintptr_t WrapSetTimer(WrapWindow window, uintptr_t id, uint32_t milliseconds) {
  return SetTimer((HWND)window, id, milliseconds, nullptr);
}
int WrapKillTimer(WrapWindow window, uintptr_t id) { return KillTimer((HWND)window, id); }
WrapWindow WrapSetCapture(WrapWindow window) { return SetCapture((HWND)window); }
int WrapReleaseCapture() { return ReleaseCapture(); }

uint32_t WrapWaitHandlingSends(WrapHandle object, uint32_t milliseconds) {
  HANDLE h = (HANDLE)object;
  DWORD start = GetTickCount();
  for (;;) {
    DWORD left = milliseconds;
    if (milliseconds != INFINITE) {
      DWORD spent = GetTickCount() - start;
      left = spent >= milliseconds ? 0 : milliseconds - spent;
    }
    DWORD r = MsgWaitForMultipleObjects(1, &h, FALSE, left, QS_SENDMESSAGE);
    if (r != WAIT_OBJECT_0 + 1) return r;
    MSG m;
    PeekMessageW(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);  // handles the sends
  }
}

int WrapGetMessage(void* msg, WrapWindow window, uint32_t first, uint32_t last) {
  BOOL r = UnicodeFlag ? GetMessageW((MSG*)msg, (HWND)window, first, last)
                       : GetMessageA((MSG*)msg, (HWND)window, first, last);
  return r == -1 ? -1 : (r ? 1 : 0);
}

int WrapPeekMessage(void* msg, WrapWindow window, uint32_t first, uint32_t last, uint32_t remove) {
  return UnicodeFlag ? PeekMessageW((MSG*)msg, (HWND)window, first, last, remove)
                     : PeekMessageA((MSG*)msg, (HWND)window, first, last, remove);
}

WrapLResult WrapDispatchMessage(const void* msg) {
  return UnicodeFlag ? DispatchMessageW((const MSG*)msg) : DispatchMessageA((const MSG*)msg);
}

int WrapTranslateMessage(const void* msg) { return TranslateMessage((const MSG*)msg); }

int WrapTranslateAccelerator(WrapWindow window, WrapAccel accelerators, void* msg) {
  return UnicodeFlag ? TranslateAcceleratorW((HWND)window, (HACCEL)accelerators, (MSG*)msg)
                     : TranslateAcceleratorA((HWND)window, (HACCEL)accelerators, (MSG*)msg);
}
