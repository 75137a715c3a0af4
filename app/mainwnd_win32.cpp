// The main (status) window: its procedure, the message-filter hook, the four timer threads, the
// tick handler glue and the idle step, the title window and the shut-down sequence.
#include "app/frame_win32.h"
#include "app/commands.h"
#include <commctrl.h>
#include <windowsx.h>
#include <mmsystem.h>
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/help.h"
#include "app/optionfile.h"
#include "app/startup.h"
#include "app/tick.h"
#include "app/titles.h"
#include "app/tooltip.h"
#include "core/langtext.h"
#include "core/platform.h"
#include "core/platform_ui.h"
#include "core/sound.h"
#include "graphics/title.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_options.h"
#include "app/netcmd.h"
#include "trains/event_display.h"
#include "trains/train_services.h"
#include "views/view_services.h"

// ---- timer threads ------------------------------------------------------------------------------
// The threads wait their period on the stop signal, so that they end at once when it is given.
static volatile LONG TimerStop = 0;
static WrapHandle TimerStopSignal = nullptr;  // a semaphore: one count for each thread

// Waits one period; 0 when the thread is to end.
static int TimerWait(uint32_t period) {
  if (TimerStop) return 0;
  if (TimerStopSignal) return WrapWaitForSingleObject(TimerStopSignal, period) == WRAP_WAIT_TIMEOUT;
  WrapSleep(period);
  return !TimerStop;
}

static void TickThread(void*) {
  while (TimerWait(20)) {
    HWND main = (HWND)Entry.mainWindow;
    if (main && !TimerStop) FrameSend(main, WM_QUIL_TICK, 0, 0);  // waits until handled
  }
}

static void AnimationThread(void*) {
  while (TimerWait(55))
    if (AnimationSwitch) RaiseTimerCounter(&TimerCount.anim55);
}

static void ElementTimerThread(void*) {
  while (TimerWait(165))
    if (AnimationSwitch && !OverlayPauseSwitch) RaiseTimerCounter(&TimerCount.elem165);
}

#ifndef QUIL_VIEWER
// The viewer saves nothing and has no autosave thread.
static void AutosaveThread(void*) {
  while (TimerWait(1000)) {
    LowerAutosaveCountdown(0);  // a real second; with flag 2 the simulation clock counts instead
  }
}
#endif

static void* StartOne(WrapThreadFunc f) {
  WrapHandle t = WrapBeginThread(f, nullptr, 1);
  if (t) WrapSetThreadPriority(t, WRAP_PRIORITY_BELOW_NORMAL);
  return t;
}

int StartTimerThreads() {
  TimerStop = 0;
  TimerStopSignal = WrapCreateSemaphore(0, 4);
  if (!TimerStopSignal) return 1;
  Entry.tickThread = StartOne(TickThread);
  Entry.animationThread = StartOne(AnimationThread);
  Entry.elementTimerThread = StartOne(ElementTimerThread);
#ifndef QUIL_VIEWER
  Entry.autosaveThread = StartOne(AutosaveThread);
  if (!Entry.autosaveThread) return 1;
#endif
  if (!Entry.tickThread || !Entry.animationThread || !Entry.elementTimerThread) return 1;
  Entry.frameSemaphore = WrapCreateSemaphore(0, 1);
  return Entry.frameSemaphore ? 0 : 1;
}

void SuspendTimerThreads() {
  void* threads[4] = {Entry.tickThread, Entry.animationThread, Entry.elementTimerThread,
                      Entry.autosaveThread};
  for (void* t : threads)
    if (t) WrapSuspendThread(t);
}

void ResumeThreadFully(void* thread) {
  for (int i = 0; i < 8; i++) {
    uint32_t prev = WrapResumeThread(thread);
    if (prev == 0xFFFFFFFFu || prev <= 1) break;
  }
}

void EndTimerThreads() {
  // After the message loop, or after a start that failed: no tick is handled any more, every
  // timer thread is told to stop and waited for. A tick thread that is blocked in its send to
  // the main window gets its answer while we wait, so none is left behind.
  Entry.shuttingDown = 1;
  TimerStop = 1;
  if (TimerStopSignal) WrapReleaseSemaphore(TimerStopSignal, 4, nullptr);
  void** threads[4] = {&Entry.tickThread, &Entry.animationThread, &Entry.elementTimerThread,
                       &Entry.autosaveThread};
  for (void** t : threads) {
    if (!*t) continue;
    ResumeThreadFully(*t);
    WrapWaitHandlingSends(*t, 3000);
    WrapCloseHandle(*t);
    *t = nullptr;
  }
  if (TimerStopSignal) WrapCloseHandle(TimerStopSignal);
  TimerStopSignal = nullptr;
}

// ---- idle step and tick -----------------------------------------------------------------------------
int IsModalOpen() { return IsDialogOpen() || GetMenuOpen() != 0; }

int FrameSetCursor(HWND window, LPARAM lParam) {
  if (LOWORD(lParam) != HTCLIENT && !IsDialogOpen()) return 0;
  SetCursorForWindow(window, 0);
  return 1;
}

LRESULT FrameMouseActivate() {
  if (!IsDialogOpen()) return MA_ACTIVATE;
  MessageBeep(0);
  return MA_NOACTIVATEANDEAT;
}

static int HookRunning() { return IsSimulationRunning(); }
static int HookLevel() { return DocState.speedLevel; }
static int HookTickDelay() { return GetTickDelay(); }
// The loop option (option ViaTimer 'V'), kept with the clock.
static int HookLoopOption() { return DocState.loopMode ? 1 : 0; }
static int HookModal() { return IsModalOpen(); }
static uint32_t HookTickCount() { return WrapGetTickCount(); }
static int HookInput() {
  return LOWORD(GetQueueStatus(QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_PAINT)) != 0;
}
static int HookFollowMode() { return GetFollowMode(); }
static void HookReleaseFrame() {
  if (Entry.frameSemaphore) WrapReleaseSemaphore(Entry.frameSemaphore, 1, nullptr);
}
// One edge-scroll move of the active edit window when its interval has passed.
static void EdgeScrollStep(uint32_t state) {
  int dx, dy;
  if (EdgeScrollDue(state, WrapGetTickCount(), &LastEdgeScrollTime,
                    (uint32_t)GetEdgeScrollInterval(), &dx, &dy) &&
      IsEditSlot(EditViews.active))
    ScrollViewStep(EditViews.active, dx, dy);
}

#ifndef QUIL_VIEWER
static void HookAutosave() { AutosaveStep(); }
#else
#define HookAutosave nullptr  // the viewer saves nothing
#endif

// The components without an idle hook yet (animated cells, element timers) are added here as they
// join the program.
static const IdleHooks kIdle = {
    HookRunning,    AdvanceClock,        nullptr,          nullptr,       HookModal, HookAutosave,
    HookFollowMode, FollowSelectedTrain, HookReleaseFrame, EdgeScrollStep};
static const TickHooks kTick = {HookRunning, HookLevel,     HookTickDelay, HookLoopOption,
                                HookModal,   HookTickCount, HookInput,     RunIdleStep};

void RunIdleStep() {
  if (!Entry.shuttingDown) RunIdleStepWith(&TimerCount, &kIdle, EdgeScrollState);
}

// ---- scroll bars and tooltips -------------------------------------------------------------------------
// The three scroll bars of the status window (palette, group, level) and the panes they stand for.
static const int kBarPanes[3] = {3, 6, 39};
static void** BarHandle(int bar) {
  void** handles[3] = {&Entry.paletteScroll, &Entry.groupScroll, &Entry.levelScroll};
  return handles[bar];
}

// Rectangles of the three scroll-bar panes, from the status layout of the views.
static void PaneRect(int pane, RECT* r) {
  int top = 0, width = 0, height = 0;
  int left = GetStatusPaneRect(pane, &top, &width, &height);
  if (left < 0) left = width = height = top = 0;
  SetRect(r, left, top, left + width, top + height);
}

int CreateScrollBarsAndTooltips(HWND main) {
  const DWORD styles[3] = {SBS_VERT, SBS_HORZ, SBS_VERT};
  for (int i = 0; i < 3; i++) {
    RECT r;
    PaneRect(kBarPanes[i], &r);
    HWND w = FrameCreateWindow(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | styles[i], r.left,
                               r.top, r.right - r.left, r.bottom - r.top, main, nullptr,
                               ProgramInstance(), nullptr);
    if (!w) return 1;
    *BarHandle(i) = w;
  }
  Entry.tooltipWindow =
      FrameCreateWindow(0, TOOLTIPS_CLASSW, L"", TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, main, nullptr, ProgramInstance(), nullptr);
  RegisterTooltipRects();
  return 0;
}

void MoveScrollBarsToPanes() {
  for (int i = 0; i < 3; i++) {
    RECT r;
    PaneRect(kBarPanes[i], &r);
    if (*BarHandle(i))
      MoveWindow((HWND)*BarHandle(i), r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
  }
}

// Every status pane is a tool of the tooltip window: the scroll-bar windows stand for panes 3, 6
// and 39, the other panes are rectangles of the status window with the pane number as id. The
// text comes by callback.
void RegisterTooltipRects() {
  if (!Entry.tooltipWindow) return;
  for (int pane = 0; pane <= 40; pane++) {
    TOOLINFOW ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = (HWND)Entry.mainWindow;
    ti.lpszText = LPSTR_TEXTCALLBACKW;
    int bar = 2;
    while (bar >= 0 && kBarPanes[bar] != pane) bar--;
    if (bar >= 0) {
      if (!*BarHandle(bar)) continue;
      ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
      ti.uId = (UINT_PTR)*BarHandle(bar);
    } else {
      int top = 0, width = 0, height = 0;
      int left = GetStatusPaneRect(pane, &top, &width, &height);
      if (left < 0 || width <= 0 || height <= 0) continue;
      ti.uFlags = TTF_SUBCLASS;
      ti.uId = (UINT_PTR)pane;
      SetRect(&ti.rect, left, top, left + width, top + height);
    }
    FrameSend((HWND)Entry.tooltipWindow, TTM_DELTOOLW, 0, (LPARAM)&ti);
    FrameSend((HWND)Entry.tooltipWindow, TTM_ADDTOOLW, 0, (LPARAM)&ti);
  }
}

static int PaneOfTool(UINT_PTR id, UINT flags) {
  if (!(flags & TTF_IDISHWND)) return id <= 40 ? (int)id : -1;
  for (int i = 0; i < 3; i++)
    if ((void*)id == *BarHandle(i)) return kBarPanes[i];
  return -1;
}

// ---- message-filter hook --------------------------------------------------------------------------------
LRESULT CALLBACK FilterFunc(int code, WPARAM wParam, LPARAM lParam) {
  if (code < 0) return (LRESULT)WrapCallNextHook(Entry.filterHook, code, wParam, lParam);
  const MSG* m = (const MSG*)lParam;
  if ((code == MSGF_DIALOGBOX || code == MSGF_MENU) && m && m->message == WM_KEYDOWN) {
    WPARAM k = m->wParam;
    if ((k >= VK_F1 && k <= VK_F12) || k == VK_INSERT || k == VK_DELETE || k == VK_UP ||
        k == VK_DOWN || k == VK_PRIOR || k == VK_NEXT || k == VK_HOME || (k >= 'A' && k <= 'Z'))
      return FrameSend((HWND)Entry.mainWindow, WM_QUIL_FILTER_KEY, (WPARAM)code, (LPARAM)k);
  }
  return 0;
}

static LRESULT FilterKey(int code, WPARAM key) {
  int shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0;
  HWND dialog = (HWND)GetCurrentDialog();
  if (key == VK_F1) {
    if (code == MSGF_MENU) {
      ShowHelpTopic(shift ? HELPID_INDEX : HELPID_MENU);
    } else if (ctrl) {
      if (dialog) FrameSend(dialog, WM_COMMAND, 99, 0);
    } else if (shift) {
      ShowHelpTopic(HELPID_INDEX);
    } else if (dialog) {
      FrameSend(dialog, WM_COMMAND, 100, 0);
    }
    return 1;
  }
  if (code == MSGF_MENU) return 0;
  if (!dialog) return 0;
  if (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT)
    return FrameSend(dialog, WM_QUIL_DIALOG_STEP, key, 0);
  FrameSend(dialog, WM_QUIL_DIALOG_KEY, key, 0);
  return 0;
}

// ---- commands --------------------------------------------------------------------------------------------
void DispatchCommand(int id, LPARAM lParam, int context) {
  (void)lParam;
  (void)context;
  HandleMenuCommand(id);
}

// ---- shut-down ---------------------------------------------------------------------------------------------
void (*ShutDownStepHook)(int step) = nullptr;

static void StepSaveSettings() { SaveSettingsAtShutDown(); }
static void StepSuspendDrawing() { SuspendThreads(0); }
static void StepCloseSound() { mciSendCommandW(MCI_ALL_DEVICE_ID, MCI_CLOSE, MCI_WAIT, 0); }
static void StepCloseClock() { ClockWindow(2, nullptr, nullptr, nullptr, nullptr); }
static void StepCloseEditWindows() {
  for (int slot = 0; slot < EDIT_SLOTS; slot++) CloseEditWindow(slot);
}
static void StepTooltipHookHelp() {
  if (Entry.tooltipWindow) DestroyWindow((HWND)Entry.tooltipWindow);
  Entry.tooltipWindow = nullptr;
  if (Entry.filterHook) UnhookWindowsHookEx((HHOOK)Entry.filterHook);
  Entry.filterHook = nullptr;
  ShowHelpTopic(HELPID_CLOSE_ALL);
}
static void StepSuspendTimers() {
  SuspendTimerThreads();
  if (Entry.frameSemaphore) WrapCloseHandle(Entry.frameSemaphore);
  Entry.frameSemaphore = nullptr;
}
static void StepExitMessage() { ShowExitMessage(); }
static void StepExitComponents() {
  Entry.statusDC = nullptr;
  ExitProgram();
  DeleteLockEmulation();
}

// The shut-down steps in their order (numbered from 1 for the step hook).
static void (*const kShutDownSteps[])() = {
    StepSaveSettings,  StepSuspendDrawing,   StepCloseSound,
    StepCloseClock,    StepCloseEditWindows, StepTooltipHookHelp,
    StepSuspendTimers, StepExitMessage,      StepExitComponents};

// Runs the shut-down steps once, while every window of the program still exists: the system
// destroys the windows the main window owns (edit windows, clock, tooltip) before the main
// window's own WM_DESTROY, so the steps cannot wait for it. From here on no tick and no idle
// step runs.
static void ShutDownSteps() {
  if (Entry.shuttingDown) return;
  Entry.shuttingDown = 1;
  int n = (int)(sizeof kShutDownSteps / sizeof kShutDownSteps[0]);
  for (int i = 0; i < n; i++) {
    if (ShutDownStepHook) ShutDownStepHook(i + 1);
    kShutDownSteps[i]();
  }
}

void EndProgram() {
  HWND main = (HWND)Entry.mainWindow;
  if (!main) return;
  ShutDownSteps();
  Entry.mainWindow = nullptr;
  DestroyWindow(main);  // its WM_DESTROY posts the quit message
}

// ---- the window procedure ------------------------------------------------------------------------------------
LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      SetFocus(window);
      Entry.statusDC = GetDC(window);
      return 0;
    case WM_DESTROY:
      // Normally the close path has run the steps already; a main window destroyed without it
      // still ends the program.
      ShutDownSteps();
      Entry.mainWindow = nullptr;
      PostQuitMessage(0);
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE) {
        // An active edit window becomes the last-used one; a status window activated again
        // keeps the last-used window it had.
        if (EditViews.active >= 0 && EditViews.lastUsed != EditViews.active)
          EditViews.lastUsed = EditViews.active;
        EditViews.active = -1;
        SetFocus(window);
        DrawCursorPosition(nullptr);
      }
      return 0;
    case WM_PAINT: {
      // The face under the panes, then the panes of the views and the three scroll bars.
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
      EndPaint(window, &ps);
      PaintStatusWindow();
      // until the status window's painting draws them
      DrawCursorPosition(nullptr);
      DrawEventIndicator(nullptr);
      for (int i = 0; i < 3; i++)
        if (*BarHandle(i)) InvalidateRect((HWND)*BarHandle(i), nullptr, TRUE);
      return 0;
    }
    case WM_SIZE:
      // The pane layout of a wide status window follows its width.
      if (wParam != SIZE_MINIMIZED) {
        SetStatusClientWidth(LOWORD(lParam));
        MoveScrollBarsToPanes();
        RegisterTooltipRects();
      }
      return 0;
    case WM_CLOSE:
      if (QuerySaveChanges()) EndProgram();  // the save question may stop the close
      return 0;
    case WM_SETCURSOR:
      if (FrameSetCursor(window, lParam)) return 1;
      break;
    case WM_MOUSEACTIVATE: return FrameMouseActivate();
    case WM_NOTIFY: {
      NMHDR* h = (NMHDR*)lParam;
      if (h && h->code == TTN_GETDISPINFOW) {
        NMTTDISPINFOW* d = (NMTTDISPINFOW*)lParam;
        int pane = PaneOfTool(d->hdr.idFrom, d->uFlags);
        d->hinst = nullptr;
        if (pane < 0 || !UnicodeFlag) {
          d->lpszText = const_cast<wchar_t*>(L"?");
        } else {
          d->lpszText = const_cast<wchar_t*>(
              reinterpret_cast<const wchar_t*>(GetLangText(LANG_ID(1420) + (uint32_t)pane)));
        }
        return 0;
      }
      if (h && h->code == TTN_GETDISPINFOA) {
        NMTTDISPINFOA* d = (NMTTDISPINFOA*)lParam;
        int pane = PaneOfTool(d->hdr.idFrom, d->uFlags);
        d->hinst = nullptr;
        if (pane < 0 || UnicodeFlag) {
          d->lpszText = const_cast<char*>("?");
        } else {
          TooltipNarrowText(GetLangText(LANG_ID(1420) + (uint32_t)pane), d->szText);
          d->lpszText = d->szText;
        }
        return 0;
      }
      break;
    }
    case WM_COMMAND: DispatchCommand(LOWORD(wParam), lParam, 0); return 0;
    case WM_HSCROLL:
      if ((void*)lParam == Entry.groupScroll) {
        if (LOWORD(wParam) == SB_LINELEFT)
          HandlePaletteCommand(302);
        else if (LOWORD(wParam) == SB_LINERIGHT)
          HandlePaletteCommand(301);
        return 0;
      }
      break;
    case WM_VSCROLL:
      if ((void*)lParam == Entry.paletteScroll) {
        if (LOWORD(wParam) == SB_LINEUP)
          StepPaletteSymbol(1);
        else if (LOWORD(wParam) == SB_LINEDOWN)
          StepPaletteSymbol(-1);
        return 0;
      }
      if ((void*)lParam == Entry.levelScroll) {
        // Only with a last-used edit window: its level, then that window is activated.
        int last = EditViews.lastUsed;
        if (IsEditSlot(last) && EditViews.slot[last].window) {
          if (LOWORD(wParam) == SB_LINEUP)
            LevelUp(last);
          else if (LOWORD(wParam) == SB_LINEDOWN)
            LevelDown(last);
          ActivateEditWindow(-4);
        }
        return 0;
      }
      break;
    case WM_MOUSEMOVE: SetCursorForWindow(window, 0); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
      if (HandleKeyMessage(message, wParam, lParam, 0)) return 0;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      DispatchMouse(message, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), 1, 0, 0);
      return 0;
    case MM_MCINOTIFY: mciSendCommandW((MCIDEVICEID)lParam, MCI_CLOSE, 0, 0); return 0;
    case WM_QUIL_FILTER_KEY: return FilterKey((int)wParam, (WPARAM)lParam);
    case WM_QUIL_TICK:
      if (!Entry.shuttingDown) {  // a tick queued before shut-down does nothing
        HandleTick(&Tick, &kTick);
        RefreshOverlaySnapshots();  // what the overlays of the next frames show
      }
      return 0;
    case WM_QUIL_SOUND:  // an event sound, unless the user's input is waiting
      if (!WrapGetInputState()) PlaySoundFile((uint32_t)wParam, (uint32_t)lParam);
      return 0;
  }
  return FrameDefault(window, message, wParam, lParam);
}

// ---- title window ----------------------------------------------------------------------------------------------
// The title picture comes from the title-picture file: picture n of the command line, else a
// random one; creating the title window is refused only when no picture can be read.
static int LoadTitleForWindow(int number) {
  return LoadTitleBitmap(number < 0 ? TITLE_RANDOM : (uint32_t)number) < 0;
}
static void DrawTitleForWindow(HDC dc) {
  RECT r = {0, 0, 192, 256};
  GetClientRect(WindowFromDC(dc), &r);
  DrawTitleBitmap(dc, 0, 0, r.bottom - r.top, r.right - r.left);
}
static void FreeTitleForWindow() { FreeTitleBitmap(); }
int (*TitlePictureLoad)(int number) = LoadTitleForWindow;
void (*TitlePictureDraw)(HDC dc) = DrawTitleForWindow;
void (*TitlePictureFree)() = FreeTitleForWindow;

void CloseTitleWindow() {
  if (!Entry.titleWindow) return;
  uint8_t mode = Entry.titleMode;
  Entry.titleMode = 0;
  HWND t = (HWND)Entry.titleWindow;
  Entry.titleWindow = nullptr;
  DestroyWindow(t);
  ShowWindow((HWND)Entry.mainWindow, SW_SHOWNORMAL);
  CreateEditWindow(Entry.firstWindowZoom);
  if (mode == 1) SetSimulationRunning(SIMRUN_START);
}

LRESULT CALLBACK TitelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      if (!TitlePictureLoad || TitlePictureLoad(Entry.titleNumber)) return -1;
      SetFocus(window);
      SetTimer(window, 2, 15000, nullptr);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (TitlePictureDraw) TitlePictureDraw(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_DESTROY:
      KillTimer(window, 2);
      if (TitlePictureFree) TitlePictureFree();
      return 0;
    case WM_SIZE: return 0;
    case WM_MOUSEMOVE: SetCursorForWindow(window, 0); return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_COMMAND:
    case WM_TIMER:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: CloseTitleWindow(); return 0;
    case WM_MOUSEACTIVATE: CloseTitleWindow(); return MA_NOACTIVATEANDEAT;
  }
  return FrameDefault(window, message, wParam, lParam);
}
