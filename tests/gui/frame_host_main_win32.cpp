// Test host of the program frame: starts the frame in-process as the program does (command line
// "/Q /N" ...), then reports what the windows show: titles, menu captions and states, the edit
// windows up to the seventh, recent-file items, a drawn frame, and the thread count before start
// and after the shut-down (one key=value line each).
#include <windows.h>
#include <tlhelp32.h>
#include <cstring>
#include <string>
#include "app/cursor.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/frame_win32.h"
#include "app/menu_tables.h"
#include "app/recent.h"
#include "app/tick.h"
#include "core/platform.h"
#include "model/grid.h"
#include "views/view_services.h"
#include "host_win32.h"

static std::wstring Title(HWND w) {
  wchar_t b[600] = L"";
  if (w) GetWindowTextW(w, b, 600);
  return b;
}

static int Threads() {
  HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 te = {};
  te.dwSize = sizeof te;
  int n = 0;
  if (Thread32First(snap, &te)) {
    do {
      if (te.th32OwnerProcessID == GetCurrentProcessId()) n++;
    } while (Thread32Next(snap, &te));
  }
  CloseHandle(snap);
  return n;
}

static long PixelOf(HWND w) {
  HDC dc = GetDC(w);
  long p = (long)GetPixel(dc, 10, 10);
  ReleaseDC(w, dc);
  return p;
}

static HWND Slot(int i) { return (HWND)EditViews.slot[i].window; }

// Pixel (10, 10) of a window's drawing buffer as the screen shows it (0x00BBGGRR).
static long BufferPixelOf(int i) {
  const EditViewSlot* s = &EditViews.slot[i];
  if (!s->drawBuffer || s->pixelWidth < 11 || s->pixelHeight < 11) return -1;
  uint32_t p = s->drawBuffer[(size_t)(s->pixelHeight - 1 - 10) * s->pixelWidth + 10];
  return (long)(((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF));
}

static std::wstring MenuText(HWND w, UINT id) {
  wchar_t b[300] = L"";
  GetMenuStringW(GetMenu(w), id, b, 300, MF_BYCOMMAND);
  return b;
}

// The shut-down steps as they run: the step numbers in order, and which of the program's windows
// still exist when the step that closes them begins.
static std::string shutdownOrder;
static int editAliveAtClose = -1, clockAliveAtClose = -1, tooltipAliveAtClose = -1;
static int idleAfterExit = -1;
static void RecordShutDownStep(int step) {
  if (!shutdownOrder.empty()) shutdownOrder += ",";
  shutdownOrder += std::to_string(step);
  if (step == 4) clockAliveAtClose = IsWindow(ClockWindowHandle()) ? 1 : 0;
  if (step == 5) {
    editAliveAtClose = 0;
    for (int i = 0; i < EDIT_SLOTS; i++)
      if (Slot(i) && IsWindow(Slot(i))) editAliveAtClose++;
  }
  if (step == 6) tooltipAliveAtClose = IsWindow((HWND)Entry.tooltipWindow) ? 1 : 0;
  if (step == 9) {
    // A tick that was queued before the shut-down and an idle step of the loop find nothing to
    // do: the raised counter stays as it is.
    TimerCount.anim55 = 5;
    SendMessageW((HWND)Entry.mainWindow, WM_QUIL_TICK, 0, 0);
    RunIdleStep();
    idleAfterExit = TimerCount.anim55 == 5 ? 0 : 1;
  }
}

static void ReportShutDown() {
  HostPrint("shutdown_order=" + shutdownOrder);
  HostPut("edit_alive_at_close", editAliveAtClose);
  HostPut("clock_alive_at_close", clockAliveAtClose);
  HostPut("tooltip_alive_at_close", tooltipAliveAtClose);
  HostPut("idle_after_exit", idleAfterExit);
}

// A start that fails (usage box, start-up error box) as the program's entry runs it: once the
// start has given up, the host reports how long the timer threads take to end and whether every
// thread the start made has ended.
static int FailedStartRun(HINSTANCE instance) {
  HostPut("threads_before", Threads());
  UnicodeFlag = 1;
  InitLockEmulation();
  int ok = RegisterWindowClasses(instance) && InitInstance(instance, SW_SHOWNORMAL);
  DWORD failed = GetTickCount();
  EndTimerThreads();
  HostPut("exit_ms", (long long)(GetTickCount() - failed));
  HostPut("threads_after", Threads());
  HostPut("init", ok);
  return 0;
}

// The ANSI-call mode (environment QUIL_HOST_ANSI=1): the frame's windows are ANSI windows.
static bool AnsiRun() { return GetEnvironmentVariableW(L"QUIL_HOST_ANSI", nullptr, 0) > 0; }

// Starts the frame as the program's entry does and reports whether it is ready to run.
static int StartFrame(HINSTANCE instance) { return HostStartFrame(instance, AnsiRun()); }

// Title run (command line without /Q): a stand-in title picture; the host reports the title
// window, closes it with a key and reports what the close set up.
static int titleLoads = 0, titleFrees = 0;
static int FakeTitleLoad(int number) {
  titleLoads++;
  HostPut("title_number", number);
  return 0;
}
static void FakeTitleDraw(HDC dc) {
  RECT r = {0, 0, 192, 256};
  HBRUSH b = CreateSolidBrush(RGB(0, 0, 160));
  FillRect(dc, &r, b);
  DeleteObject(b);
}
static void FakeTitleFree() { titleFrees++; }

static int TitleRun(HINSTANCE instance) {
  TitlePictureLoad = FakeTitleLoad;
  TitlePictureDraw = FakeTitleDraw;
  TitlePictureFree = FakeTitleFree;
  if (!StartFrame(instance)) return 3;
  HostPumpUntil([] { return Entry.titleWindow && IsWindowVisible((HWND)Entry.titleWindow); }, 5000);
  HWND title = (HWND)Entry.titleWindow;
  HostPut("title_window", title != nullptr && IsWindowVisible(title));
  RECT tr = {}, desk = {};
  GetWindowRect(title, &tr);
  GetClientRect(GetDesktopWindow(), &desk);
  int tw = 2 * GetSystemMetrics(SM_CXFIXEDFRAME) + 192;
  int th = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 256;
  HostPut("title_placed", tr.right - tr.left == tw && tr.bottom - tr.top == th &&
                              tr.left == (desk.right - tw) / 2 &&
                              tr.top == (desk.bottom - 28 - th) / 2);
  HostPut("title_mode", Entry.titleMode);
  HostPut("main_visible_before", IsWindowVisible((HWND)Entry.mainWindow) ? 1 : 0);
  HostPut("windows_before", CountEditWindows());
  HostPut("running_before", IsSimulationRunning());
  SendMessageW(title, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(title, WM_KEYDOWN, VK_SPACE, 0);  // a second key finds no title any more
  HostPumpUntil([] { return !Entry.titleWindow && CountEditWindows() > 0; }, 5000);
  HostPut("title_gone", Entry.titleWindow == nullptr && !IsWindow(title));
  HostPut("title_loads", titleLoads);
  HostPut("title_frees", titleFrees);
  HostPut("main_visible_after", IsWindowVisible((HWND)Entry.mainWindow) ? 1 : 0);
  HostPut("windows_after", CountEditWindows());
  HostPut("zoom_after", EditViews.slot[0].zoom);
  HostPut("running_after", IsSimulationRunning());
  HostCloseFrame();
  return 0;
}

// The failed starts: a bad switch, or no language file beside the host.
static bool StartMustFail() {
  if (wcsstr(GetCommandLineW(), L"/BAD")) return true;
  wchar_t path[MAX_PATH + 20];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  while (n > 0 && path[n - 1] != L'\\') n--;
  wcscpy(path + n, L"quil.lng");
  return GetFileAttributesW(path) == INVALID_FILE_ATTRIBUTES;
}

// ANSI run: the main and the first edit window with their titles and menus (texts of the
// language given, umlauts included), read back through the wide calls, which convert them.
static int AnsiFrameRun(HINSTANCE instance) {
  if (!StartFrame(instance)) return 3;
  HWND main = (HWND)Entry.mainWindow;
  HostPut("unicode_flag", UnicodeFlag);
  HostPut("main_unicode", IsWindowUnicode(main) ? 1 : 0);
  HostPut("edit_unicode", IsWindowUnicode(Slot(0)) ? 1 : 0);
  HostPutText("main_title", Title(main));
  HostPutText("edit1_title", Title(Slot(0)));
  HMENU bar = GetMenu(Slot(0));
  for (int i = 0; i < 7; i++) {
    wchar_t b[100] = L"";
    GetMenuStringW(bar, (UINT)i, b, 100, MF_BYPOSITION);
    HostPutText(("bar" + std::to_string(i + 1)).c_str(), b);
  }
  HostPutText("menu257", MenuText(Slot(0), 257));
  // A second edit window and the clock: titled and drawn in this mode as well.
  HostPut("create2", CreateEditWindow(0));
  HostPutText("edit2_title", Title(Slot(1)));
  bool drawn = HostPumpUntil(
      [] { return BufferPixelOf(1) >= 0 && PixelOf(Slot(1)) == BufferPixelOf(1); }, 20000);
  HostPut("edit2_drawn", drawn ? 1 : 0);
  HostCloseFrame();
  HostPut("windows_end", CountEditWindows());
  return 0;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (StartMustFail()) return FailedStartRun(GetModuleHandleW(nullptr));
  if (AnsiRun()) return AnsiFrameRun(GetModuleHandleW(nullptr));
  if (!wcsstr(GetCommandLineW(), L"/Q")) return TitleRun(GetModuleHandleW(nullptr));
  HINSTANCE instance = GetModuleHandleW(nullptr);
  HostPut("threads_before", Threads());
  if (!StartFrame(instance)) return 3;

  HWND main = (HWND)Entry.mainWindow;
  HostPutText("main_title", Title(main));
  HostPutText("edit1_title", Title(Slot(0)));
  HostPut("windows", CountEditWindows());
  HostPut("threads_running", Threads());

  // A drawn frame: the render thread brings the painted drawing buffer into the window.
  HostPumpUntil([] { return BufferPixelOf(0) >= 0 && PixelOf(Slot(0)) == BufferPixelOf(0); },
                20000);
  HostPut("pixel", PixelOf(Slot(0)));
  HostPut("pixel_buffer", BufferPixelOf(0));

  // The tick runs idle steps: the 55 ms counter is consumed after it was raised.
  bool raised = HostPumpUntil([] { return TimerCount.anim55 != 0; }, 20000);
  bool consumed = raised && HostPumpUntil([] { return TimerCount.anim55 == 0; }, 20000);
  HostPut("anim_consumed", consumed ? 1 : 0);

  // A size whose buffers cannot be made is refused and leaves the stored size as it was.
  {
    EditViewSlot* s0 = &EditViews.slot[0];
    int w0 = s0->pixelWidth, h0 = s0->pixelHeight, cw0 = s0->cellsWide;
    uint32_t n0 = s0->pixelCount;
    HostPut("huge_refused", PrepareWindowBuffers(0, 60000, 60000, 0));
    HostPut("size_kept", s0->pixelWidth == w0 && s0->pixelHeight == h0 && s0->cellsWide == cw0 &&
                             s0->pixelCount == n0);
  }

  // While drawing is suspended no frame reaches the window; after resuming it does.
  EditViewSlot* first = &EditViews.slot[0];
  SuspendThreads(0);
  WrapEnterCriticalSection(first->lockB);
  for (uint32_t i = 0; i < first->pixelCount; i++) first->drawBuffer[i] = 0x00102030;
  first->dirty = 1;
  WrapLeaveCriticalSection(first->lockB);
  HostPump(300);  // frames would have come in this time
  HostPut("pixel_suspended", PixelOf(Slot(0)));
  SuspendThreads(1);
  first->dirty = 1;
  HostPumpUntil([] { return PixelOf(Slot(0)) == 0x302010; }, 20000);
  HostPut("pixel_resumed", PixelOf(Slot(0)));

  // The clock window: opened, titled, toggled; a remembered place outside the work area is
  // replaced by the centre.
  int32_t cl = 6000, ct = 6000, cw = -1, chh = -1;
  ClockWindow(5, &cl, &ct, &cw, &chh);
  HostPut("clock_w", cw);
  HostPut("clock_open", ClockWindow(3, nullptr, nullptr, nullptr, nullptr));
  HostPutText("clock_title", Title(ClockWindowHandle()));
  RECT cr = {};
  GetWindowRect(ClockWindowHandle(), &cr);
  int32_t wl, wt, ww, wh;
  GetWorkArea(&wl, &wt, &ww, &wh);
  HostPut("clock_inside",
          cr.left >= wl && cr.right <= wl + ww && cr.top >= wt && cr.bottom <= wt + wh);
  HostPut("clock_toggle", ClockWindow(4, nullptr, nullptr, nullptr, nullptr));
  HostPut("clock_gone", ClockWindowHandle() == nullptr);

  // Menu captions of the first window: the popups by position, every command by id.
  HMENU bar = GetMenu(Slot(0));
  for (int i = 0; i < 7; i++) {
    wchar_t b[100] = L"";
    GetMenuStringW(bar, (UINT)i, b, 100, MF_BYPOSITION);
    HostPutText(("bar" + std::to_string(i + 1)).c_str(), b);
  }
  int n;
  const MenuCommandCaption* c = GetMenuCommandCaptions(&n);
  for (int i = 0; i < n; i++)
    HostPutText(("menu" + std::to_string(c[i].commandId)).c_str(),
                MenuText(Slot(0), c[i].commandId));
  c = GetMenuToggleCaptions(&n);
  for (int i = 0; i < n; i++)
    HostPutText(("menu" + std::to_string(c[i].commandId)).c_str(),
                MenuText(Slot(0), c[i].commandId));
  HostPut("checked348", (GetMenuState(bar, 348, MF_BYCOMMAND) & MF_CHECKED) ? 1 : 0);
  HostPut("checked347", (GetMenuState(bar, 347, MF_BYCOMMAND) & MF_CHECKED) ? 1 : 0);

  // Up to six windows; the seventh is refused and command 400 is greyed while six are open.
  for (int i = 2; i <= 7; i++) HostPut(("create" + std::to_string(i)).c_str(), CreateEditWindow(0));
  HostPut("windows_after", CountEditWindows());
  int greyed = 0;
  for (int i = 0; i < EDIT_SLOTS; i++)
    if (GetMenuState(GetMenu(Slot(i)), 400, MF_BYCOMMAND) & MF_GRAYED) greyed++;
  HostPut("greyed400", greyed);
  HostPutText("edit6_title", Title(Slot(5)));
  HostPut("threads_six", Threads());

  HostPut("close6", CloseEditWindow(6));
  HostPut("close_minus1", CloseEditWindow(-1));
  HostPut("close5", CloseEditWindow(5));
  HostPut("close5_again", CloseEditWindow(5));
  HostPut("enabled400", (GetMenuState(GetMenu(Slot(0)), 400, MF_BYCOMMAND) & MF_GRAYED) ? 0 : 1);
  HostPut("threads_five", Threads());

  // View mode 3 zoom 4 shows the scale 1:128 in the title; zoom in from there gives zoom 2.
  HostPut("view", SetViewModeAndZoom(1, 3, 4));
  HostPutText("edit2_title", Title(Slot(1)));
  HostPut("zoomin", ZoomIn(1));
  HostPut("mode", (long)EditViews.slot[1].viewMode);
  HostPut("zoom", EditViews.slot[1].zoom);
  HostPut("checked354", (GetMenuState(GetMenu(Slot(1)), 354, MF_BYCOMMAND) & MF_CHECKED) ? 1 : 0);

  // Recent files at the end of the file menu.
  AddRecentFile(u"first.nt3");
  AddRecentFile(u"second.nt3");
  RebuildRecentFileMenus(-1);
  HostPutText("recent272", MenuText(Slot(0), 272));
  HostPutText("recent273", MenuText(Slot(0), 273));
  HostPutText("recent274", MenuText(Slot(0), 274));

  // Next and previous window.
  // (each waits until the activation has reached the window table; a wrong window would show
  // in the value reported after the wait's time)
  ActivateEditWindow(0);
  HostPumpUntil([] { return EditViews.active == 0; }, 5000);
  HostPut("active_a", EditViews.active);
  ActivateEditWindow(-2);
  HostPumpUntil([] { return EditViews.active == 1; }, 5000);
  HostPut("active_next", EditViews.active);
  ActivateEditWindow(-3);
  HostPumpUntil([] { return EditViews.active == 0; }, 5000);
  HostPut("active_prev", EditViews.active);

  // A right click on a window edge starts edge scrolling only with a mouse option on; the
  // button's release ends it.
  uint32_t mouseOptions = GetMouseOptions();
  SetMouseOptions(0);
  SendMessageW(Slot(0), WM_NCRBUTTONDOWN, HTTOPRIGHT, 0);
  HostPut("edge_off", EdgeScrollState);
  SetMouseOptions(1);
  SendMessageW(Slot(0), WM_NCRBUTTONDOWN, HTTOPRIGHT, 0);
  HostPut("edge_on", EdgeScrollState);
  HostPut("edge_capture", GetCapture() == Slot(0) ? 1 : 0);
  SendMessageW(Slot(0), WM_NCRBUTTONUP, HTTOPRIGHT, 0);
  HostPut("edge_after", EdgeScrollState);
  HostPut("edge_released", GetCapture() == nullptr ? 1 : 0);
  SetMouseOptions(mouseOptions);

  // Frame commands: scroll bars of the active window, the wide status window, tiling.
  EditViews.active = 0;
  HostPut("scroll_before", (GetWindowLongW(Slot(0), GWL_STYLE) & WS_VSCROLL) ? 1 : 0);
  DispatchCommand(339, 0, 0);
  HostPut("scroll_after", (GetWindowLongW(Slot(0), GWL_STYLE) & WS_VSCROLL) ? 1 : 0);
  DispatchCommand(405, 0, 0);
  RECT mr;
  GetWindowRect(main, &mr);
  GetWorkArea(&wl, &wt, &ww, &wh);
  HostPut("wide_status", (mr.right - mr.left) == (ww > 800 ? ww : 800));
  DispatchCommand(405, 0, 0);
  GetWindowRect(main, &mr);
  HostPut("narrow_status", (mr.right - mr.left) == 800);
  DispatchCommand(404, 0, 0);
  HostPumpUntil([] { return true; }, 0);  // one round: the moves are made at once
  RECT a, b;
  GetWindowRect(Slot(0), &a);
  GetWindowRect(Slot(1), &b);
  HostPut("tiled_top_halves",
          a.top == b.top && a.right <= b.left + 1 && (a.right - a.left) == ww / 2);

  // Stress: windows opened, resized and closed while cells change and the render threads draw;
  // the rounds end in time and leave no thread or handle behind.
  {
    HostPump(200);
    int threads0 = Threads();
    DWORD handles0 = 0, handles1 = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles0);
    DWORD start = GetTickCount();
    for (int round = 0; round < 6; round++) {
      if (CreateEditWindow(0) != EDITWND_OK) break;
      int slot = 5;
      for (int k = 0; k < 150; k++) {
        int x = 16374 + k % 30, y = 16374 + (k / 30 + round) % 12;
        SetCell(x, y, 0, (k + round) & 1 ? 0x0201 : 0xC000);
        DrawCell(x, y, 0, DRAWCELL_ALL_VIEWS);
        if (k % 75 == 0) {
          MoveWindow(Slot(slot), 40 + round * 7, 60, 300 + round * 23, 200 + round * 11, TRUE);
          HostPump(15);
        }
      }
      HostPump(30);
      CloseEditWindow(slot);
    }
    for (int k = 0; k < 300; k++) ClearCell(16374 + k % 30, 16374 + k / 30, 0);
    HostPump(100);
    GetProcessHandleCount(GetCurrentProcess(), &handles1);
    HostPut("stress_ms", (long long)(GetTickCount() - start));
    HostPut("stress_windows", CountEditWindows());
    HostPut("stress_threads", Threads() - threads0);
    HostPut("stress_handles", (long long)handles1 - (long long)handles0);
  }

  // Shut-down through the close path, with the clock open: the running-time message waits for
  // its OK; then the loop ends.
  ClockWindow(3, nullptr, nullptr, nullptr, nullptr);
  ShutDownStepHook = RecordShutDownStep;
  HostCloseFrame();
  ReportShutDown();
  HostPut("windows_end", CountEditWindows());
  HostPut("threads_after", Threads());
  return 0;
}
