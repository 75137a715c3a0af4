// Test host of the manual switching question (dialog 90) and of the clock window's face:
//   switch_host --data <folder> ask <exit3 0|1> <proposal 1|2|3>   runs the question, prints result
//   switch_host --data <folder> clock                               draws the clock window, advances
//                                                                   the clock one simulated second
#include <windows.h>
#include <cwchar>
#include <string>
#include "core/platform_ui.h"
#include "host_win32.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/clock_texts.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"

static LRESULT CALLBACK HostWndProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, message, wp, lp);
}

static HWND MakeWindow(HINSTANCE instance, const wchar_t* title, int w, int h) {
  return HostStatusWindow(instance, HostWndProc, COLOR_WINDOW, title, WS_OVERLAPPED | WS_CAPTION,
                          20, 20, w, h);
}

// A checksum of the window's client pixels as they are on the screen now.
static unsigned long long ClientChecksum(HWND w) {
  RECT rc;
  GetClientRect(w, &rc);
  int cw = rc.right, ch = rc.bottom;
  HDC dc = GetDC(w);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, cw, ch);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, cw, ch, dc, 0, 0, SRCCOPY);
  SelectObject(mem, old);
  BITMAPINFO bi;
  ZeroMemory(&bi, sizeof bi);
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = cw;
  bi.bmiHeader.biHeight = -ch;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  std::string pixels((size_t)cw * ch * 4, '\0');
  GetDIBits(mem, bmp, 0, (UINT)ch, &pixels[0], &bi, DIB_RGB_COLORS);
  unsigned long long sum = 1469598103934665603ull;
  for (unsigned char c : pixels) sum = (sum ^ c) * 1099511628211ull;
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(w, dc);
  return sum;
}

static int Ask(HINSTANCE instance, int exit3, int proposal) {
  // The dialogs' owner: the window of the status class in this process.
  HWND main = MakeWindow(instance, L"switch host", 300, 200);
  InitGrid();
  InitSwitches();
  SetCell(5, 5, 0, 72);
  const uint32_t dirs[4] = {2, 1, 32, exit3 ? 128u : 0u};
  HostPut("placed", PlaceSwitch(5, 5, 0, 0, SWITCH_PLAIN, 1, dirs, 1));
  SwitchControl* r = FindSwitchRecord(5, 5, 0, 0);
  uint32_t p = proposal == 1 ? dirs[1] : proposal == 2 ? dirs[2] : dirs[3];
  HostPut("result", AskSwitchExit(p, r));
  HostPut("running", IsSimulationRunning());
  DestroyWindow(main);
  return 0;
}

static int Clock(HINSTANCE instance) {
  HWND w = MakeWindow(instance, L"clock", 200, 80);
  ClockWindowForDrawing = w;
  DocumentState& d = DocState;
  d.weekday = 2, d.hour = 10, d.minute = 59, d.second = 58, d.tick = 0, d.speedLevel = 10;
  DrawClockWindow(nullptr);
  unsigned long long a = ClientChecksum(w);
  for (int i = 0; i < 50; i++) AdvanceClock();  // one simulated second: the window is redrawn
  unsigned long long b = ClientChecksum(w);
  for (int i = 0; i < 50; i++) AdvanceClock();  // a new minute and hour
  unsigned long long c = ClientChecksum(w);
  char16_t text[40];
  FormatClockWindowText(text, 0);
  HostPutText("text", text);
  HostPut("changed_second", a != b);
  HostPut("changed_minute", b != c);
  DrawClockWindow(nullptr);
  HostPut("stable", ClientChecksum(w) == c);
  HostPut("hour", d.hour);
  DestroyWindow(w);
  return 0;
}

static const HostScene kScenes[] = {
    {L"ask",
     [](const HostArgs& a) {
       if (a.at + 2 >= a.argc) return 2;
       return Ask(a.instance, _wtoi(a.Arg(0)), _wtoi(a.Arg(1)));
     }},
    {L"clock", [](const HostArgs& a) { return Clock(a.instance); }},
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes);
}
