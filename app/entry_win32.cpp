// Program entry (Win32): window classes, the process-long windows and threads, the command line,
// the folders, the start-up of every component, the title window and the message loop.
#include "app/frame_win32.h"
#include "app/commands.h"
#include "app/input.h"
#include <commctrl.h>
#include "app/cmdline.h"
#include "app/netcmd.h"
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/help.h"
#include "app/infobox.h"
#include "app/startup.h"
#include "app/tick.h"
#include "app/titles.h"
#include "app/settings_cmds.h"
#include "core/clipboard.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform.h"
#include "core/stream.h"
#include "elements/demo_layout.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_messages.h"
#include "trains/train_services.h"
#include "../resources/menus.h"

const wchar_t kStatusClass[] = L"KORV_R27K32_384_Status";
const wchar_t kEditClass[] = L"KORV_R27K32_384_Edit";
const wchar_t kInfoBoxClassName[] = L"KORV_R27K32_384_InfoBox";
const wchar_t kTitleClass[] = L"KORV_R27K32_384_Titel";
const wchar_t kClockClass[] = L"KORV_R27K32_384_Uhr";

static HINSTANCE Instance;

HINSTANCE ProgramInstance() { return Instance; }

static LRESULT CALLBACK InfoBoxClassProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  return (LRESULT)InfoBoxWndProc(w, m, (uintptr_t)wp, (intptr_t)lp);
}

// Processor class for the start-up check: 1000 for a processor that is not of the Intel 32-bit
// architecture, else 386, 486, 586 or 686.
static int Win32ProcessorClass() {
  SYSTEM_INFO si;
  GetSystemInfo(&si);
  return ProcessorClassFrom(si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_INTEL,
                            si.dwProcessorType);
}

int RegisterWindowClasses(HINSTANCE instance) {
  struct ClassRow {
    const wchar_t* name;
    UINT style;
    WNDPROC proc;
    int menu;
  };
  const ClassRow rows[] = {
      {kStatusClass, CS_OWNDC | CS_HREDRAW | CS_VREDRAW, StatusWndProc, 0},
      {kEditClass, CS_OWNDC | CS_DBLCLKS | CS_BYTEALIGNWINDOW, EditWndProc, MENU_EDIT_WINDOW},
      {kInfoBoxClassName, CS_OWNDC | CS_NOCLOSE | CS_SAVEBITS, InfoBoxClassProc, 0},
      {kTitleClass, CS_OWNDC | CS_NOCLOSE, TitelWndProc, 0},
      {kClockClass, CS_OWNDC, UhrWndProc, 0},
  };
  for (const ClassRow& r : rows) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = r.style;
    wc.lpfnWndProc = r.proc;
    wc.hInstance = instance;
    wc.hIcon = (HICON)WrapLoadIcon(instance, WrapOrdinal(2));
    wc.hIconSm = (HICON)WrapLoadIcon(instance, WrapOrdinal(11));
    wc.lpszMenuName = r.menu ? MAKEINTRESOURCEW(r.menu) : nullptr;
    wc.lpszClassName = r.name;
    if (!WrapRegisterClassEx(&wc)) return 0;
  }
  return 1;
}

void GetWorkArea(int32_t* left, int32_t* top, int32_t* width, int32_t* height) {
  RECT r;
  if (!WrapSystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0)) {
    r.left = r.top = 0;
    r.right = GetSystemMetrics(SM_CXSCREEN);
    r.bottom = GetSystemMetrics(SM_CYSCREEN);
  }
  *left = r.left;
  *top = r.top;
  *width = r.right - r.left;
  *height = r.bottom - r.top;
}

uint32_t ParseCommandLine() {
  CommandLineArgs* a = (CommandLineArgs*)MemAlloc(sizeof(CommandLineArgs));
  if (!a) return CMDL_ERROR;
  uint32_t flags = ParseCommandLineText(WrapGetCommandLine(), a);
  if (a->language >= 0) Entry.uiLanguage = a->language;
  if (flags & CMDL_ERROR) {
    WrapMessageBox(nullptr, GetBuiltinText((unsigned)Entry.uiLanguage, BUILTIN_USAGE_TEXT),
                   GetBuiltinText((unsigned)Entry.uiLanguage, BUILTIN_USAGE_TITLE),
                   WRAP_MB_ICONERROR);
    MemFree(a);
    return flags;
  }
  Entry.firstWindowZoom = (flags & CMDL_ZOOM) ? a->firstZoom : 0;
  Entry.titleNumber = (flags & CMDL_TITLE_NUMBER) ? a->titleNumber : -1;
  Entry.commandFlags = flags;

  // Folders: the current folder for the five file kinds, the program's own folder and name.
  char16_t cwd[ENTRY_PATH_CHARS];
  if (!WrapGetCwd(cwd, ENTRY_PATH_CHARS)) cwd[0] = 0;
  EnsureTrailingBackslash(cwd, ENTRY_PATH_CHARS);
  CopyString(Entry.defaultFolder, cwd);
  for (int kind = FILE_KIND_NETWORK; kind <= FILE_KIND_NETWORK + 4; kind++)
    SetKindFolder(kind, cwd);
  char16_t module[MAX_PATH + 1];
  WrapGetModuleFileName(nullptr, module, MAX_PATH + 1);
  SplitFolderAndName(module, Entry.programFolder, Entry.programFileName);
  SetKindFolder(FILE_KIND_PROGRAM, Entry.programFolder);

  // Option file.
  char16_t full[ENTRY_PATH_CHARS];
  const char16_t* path = a->optionFile;
  int given = 0;
  if (flags & CMDL_OPTION_FILE) {
    given = 2;  // the full path could not be formed: the program folder
    if (a->optionFile[0] && WrapFullPath(full, a->optionFile, ENTRY_PATH_CHARS)) {
      path = full;
      given = 1;
    }
  }
  ChooseOptionFile(path, given, Entry.programFolder, Entry.optionFolder, Entry.optionFileName);
  if (Entry.optionFolder[0]) SetKindFolder(FILE_KIND_OPTIONS, Entry.optionFolder);

  if (flags & CMDL_FILE) CopyString(Entry.commandFile, a->networkFile);  // opened after start-up
  MemFree(a);
  return flags;
}

int ShowStartupError(int code) {
  char16_t caption[120], body[400];
  FormatStartupError(code, Entry.uiLanguage, caption, 120, body, 400);
  WrapMessageBox(nullptr, body, caption, WRAP_MB_ICONERROR | WRAP_MB_OK);
  Entry.shuttingDown = 1;  // no tick or idle step reaches the components from here on
  ExitProgram();
  return 1;
}

// Opens the network file named on the command line: the open command with all its messages,
// its file dialog preset with the name, from the default folder.
static void OpenCommandLineNetwork(const char16_t* name) {
  SetKindFolder(FILE_KIND_NETWORK, Entry.defaultFolder);
  OpenNetworkCommand(name);
  GridBlocksChanged = 0;  // the refresh below covers what the load changed
  RefreshTrainCellCodes(0);
}

static void RebuildAllRecentMenus() { RebuildRecentFileMenus(-1); }

// After a settings change: titles and menu texts from the language texts (texts set), then every
// window of the program repainted.
static BOOL CALLBACK RepaintThreadWindow(HWND window, LPARAM) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
  return TRUE;
}
static void RefreshAllWindows(int texts) {
  if (texts) {
    UpdateWindowTitles(-1);
    for (int i = 0; i < EDIT_SLOTS; i++) SetEditMenuTexts(i);
  }
  EnumThreadWindows(GetCurrentThreadId(), RepaintThreadWindow, 0);
}

static HWND CreateTitleWindow() {
  int w = 2 * GetSystemMetrics(SM_CXFIXEDFRAME) + 192;
  int h = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 256;
  // Centred on the desktop's client area, vertically on that area less 28 pixels at the bottom.
  RECT d = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  GetClientRect(GetDesktopWindow(), &d);
  int x = d.left + (d.right - d.left - w) / 2;
  int y = d.top + (d.bottom - d.top - 28 - h) / 2;
  return FrameCreateWindow(0, kTitleClass, L"", WS_OVERLAPPED, x, y, w, h, (HWND)Entry.mainWindow,
                           nullptr, Instance, nullptr);
}

int InitInstance(HINSTANCE instance, int showCommand) {
  Instance = instance;
  // The named mutex: a second instance runs on and marks its titles.
  WrapHandle mutex = WrapCreateMutex(0, u"KORV_R27K32_384_Mutex");
  SecondInstance = (mutex && WrapGetLastError() == WRAP_ERROR_ALREADY_EXISTS) ? 1 : 0;

  // Edit-window slots; the window commands of the command table.
  ClearEditSlotsAtStart();
  FrameWindowCommand = HandleFrameCommand;
  FrameActivateWindow = ActivateEditWindow;
  FrameSetFrameRate = SetFrameRate;
  FrameRefreshWindows = RefreshAllWindows;

  // Accelerators and common controls.
  Entry.accelerators = WrapLoadAccelerators(instance, u"R27KACC");
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);

  // Main window.
  int h = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYFIXEDFRAME) + 80;
  HWND main =
      FrameCreateWindow(0, kStatusClass, L"", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        CW_USEDEFAULT, CW_USEDEFAULT, 800, h, nullptr, nullptr, instance, nullptr);
  if (!main) return 0;
  Entry.mainWindow = main;

  // Three scroll bars and the tooltip window.
  if (CreateScrollBarsAndTooltips(main)) return 0;

  // Language of the built-in texts from the user's language.
  Entry.uiLanguage = UiLanguageFromLangId(GetUserDefaultLangID());

  // Hook, timer threads, frame semaphore.
  Entry.filterHook = WrapSetWindowsHookEx(WH_MSGFILTER, (WrapHookProc)FilterFunc);
  if (!Entry.filterHook) return 0;
  Tick = TickState();
  if (StartTimerThreads()) return 0;

  // Command line.
  uint32_t flags = ParseCommandLine();
  if (flags & CMDL_ERROR) return 0;

  // Components.
  StartupProcessorClass = Win32ProcessorClass;
  FileCommands.suspendThreads = SuspendThreads;
  FileCommands.rebuildRecentMenus = RebuildAllRecentMenus;
  FileCommands.clearClipboard = ClearClipboard;
  FileCommands.appendClipboardLine = AppendClipboardLine;
  int code = InitProgram();
  if (code) {
    ShowStartupError(code);
    return 0;
  }
  UpdateWindowTitles(0);

  // Title window.
  if (flags & CMDL_NO_TITLE) {
    Entry.titleMode = 0;
    ShowWindow(main, SW_SHOWNORMAL);
  } else {
    Entry.titleMode = (flags & CMDL_STOP) ? 2 : 1;
    HWND title = CreateTitleWindow();
    Entry.titleWindow = title;
    if (title) {
      ShowWindow(title, SW_SHOWNORMAL);
    } else {
      ShowWindow(main, SW_SHOWNORMAL);  // as if the title had been closed at once
    }
  }
  int startAfterWindow = !Entry.titleWindow && Entry.titleMode == 1;
  if (!Entry.titleWindow) Entry.titleMode = 0;

  // The demonstration network, unless switch N or a network file was given; it starts unmodified.
  if (!(flags & CMDL_NO_DEMO)) {
    DrawStartLayout();
    CreateStartTrain();
    ClearNetModified();
  }

  // A network file from the command line.
  if (flags & CMDL_FILE) {
    OpenCommandLineNetwork(Entry.commandFile);
  }

  // Stopped while the title shows or with STOP.
  if ((flags & CMDL_STOP) || Entry.titleWindow) SetSimulationRunning(SIMRUN_STOP);

  // First edit window.
  if (!Entry.titleWindow) {
    CreateEditWindow(Entry.firstWindowZoom);
    if (startAfterWindow) SetSimulationRunning(SIMRUN_START);
  }
  StartupFinished = 1;
  (void)showCommand;
  return 1;
}

int RunMessageLoop() {
  MSG msg;
  for (;;) {
    while (!Entry.shuttingDown && LoopRunsSteps(IsSimulationRunning(), DocState.speedLevel, 0)) {
      RunIdleStep();
      if (WrapPeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) break;
    }
    int got = WrapGetMessage(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    if (OfferMessageToHelp(&msg)) continue;
    // System keys (Alt combinations, F10) go to the key dispatch before the accelerators.
    if (msg.message == WM_SYSKEYDOWN && msg.wParam != VK_SHIFT && msg.wParam != VK_CONTROL) {
      EditViewSlot* s = GetEditSlot(EditViews.active);
      if (DispatchKey((int)msg.wParam, KeyFlagsOf(msg.lParam), s && s->window ? 1 : 0)) continue;
    }
    if (Entry.accelerators && Entry.mainWindow &&
        WrapTranslateAccelerator(Entry.mainWindow, Entry.accelerators, &msg))
      continue;
    WrapTranslateMessage(&msg);
    WrapDispatchMessage(&msg);
  }
  return (int)msg.wParam;
}

int QuilWinMain(HINSTANCE instance, int showCommand) {
  Instance = instance;
  int versionClass = 0;
  GetWindowsVersion(&versionClass, nullptr);
  if (versionClass == 0) {
    UnicodeFlag = 0;
    WrapMessageBox(nullptr,
                   GetBuiltinText((unsigned)UiLanguageFromLangId(GetUserDefaultLangID()),
                                  BUILTIN_OLD_PLATFORM_TEXT),
                   GetBuiltinText((unsigned)UiLanguageFromLangId(GetUserDefaultLangID()),
                                  BUILTIN_OLD_PLATFORM_TITLE),
                   WRAP_MB_ICONERROR);
    return 0;
  }
  UnicodeFlag = (versionClass >= 1 && versionClass <= 3) ? 0 : 1;
  InitLockEmulation();
  if (!RegisterWindowClasses(instance) || !InitInstance(instance, showCommand)) {
    EndTimerThreads();
    return 0;
  }
  int code = RunMessageLoop();
  EndTimerThreads();
  return code;
}
