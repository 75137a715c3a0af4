// Test host of the dialog engine and the info boxes: runs one scene chosen on the command line and
// prints what came back ("key=value" lines on stdout). Like the program, it has a main window of
// the status class (the default owner of dialogs), the info-box class, and the program's own
// message filter, which brings the arrow and page keys of a dialog through the main window to
// the dialog as the field-stepping message.
//   dialog_host [--data <folder>] roundtrip   the form of every control kind; values read back
//   dialog_host [--data <folder>] longstep    a long ranged field stepped by arrow keys
//   dialog_host [--data <folder>] nest        ten nested dialogs; the eleventh is refused
//   dialog_host [--data <folder>] badfield    a front-end that re-opens on a bad minute
//   dialog_host [--data <folder>] infobox     a plain box, then a cancellable box aborted by F12
//   dialog_host cursors                       the own cursors and icons load from the resources
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/entry.h"
#include "app/frame_win32.h"
#include "app/infobox.h"
#include "core/msgbox.h"
#include "core/platform_ui.h"
#include "host_win32.h"

// ---- the frame a dialog needs ---------------------------------------------------------------------
static HWND MainWindow;

static LRESULT CALLBACK MainProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) return 0;
  if (message == WM_QUIL_FILTER_KEY) return StatusWndProc(w, message, wp, lp);
  return (LRESULT)WrapDefWindowProc(w, message, wp, lp);
}

static LRESULT CALLBACK InfoProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  return (LRESULT)InfoBoxWndProc(w, message, (uintptr_t)wp, (intptr_t)lp);
}

static void MakeFrame(HINSTANCE instance) {
  WNDCLASSEXW wc = HostWindowClass(instance, InfoProc, (LPCWSTR)kInfoBoxClass, -1);
  wc.style = CS_OWNDC | CS_NOCLOSE | CS_SAVEBITS;
  RegisterClassExW(&wc);
  MainWindow = HostStatusWindow(instance, MainProc, COLOR_APPWORKSPACE, L"Dialog host",
                                WS_OVERLAPPEDWINDOW, 0, 0, 900, 700);
  Entry.mainWindow = MainWindow;
  Entry.filterHook = SetWindowsHookExW(WH_MSGFILTER, FilterFunc, nullptr, GetCurrentThreadId());
}

static void Pump() {
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
}

// ---- scenes --------------------------------------------------------------------------------------------
static int RoundTrip() {
  char16_t number[8] = u"7";
  char16_t name[24] = u"Main line";
  static char16_t list[] =
      u"000003 Harbour\0"
      u"000001 Central\0"
      u"000002 Airport\0";
  uint32_t cell = 0;
  (void)cell;
  DialogRecord d[] = {DlgTitleText(u"Descriptor dialog", 42014, 140),
                      DlgTextPtr(190, u"Every record kind of a form"),
                      DlgTextPtr(191, u"Number 1..12"),
                      DlgEdit(140, number, 8, DLGE_RANGE | DLGE_TRIM, 1, 12),
                      DlgTextPtr(192, u"Name"),
                      DlgEdit(141, name, 24, DLGE_TRIM),
                      DlgRadio(400, LANG_ID(17021), DLGB_CHECKED),
                      DlgRadio(401, LANG_ID(17022), 0),
                      DlgCheck(470, LANG_ID(17027), 0),
                      DlgList(106, list, DLGL_SORT),
                      DlgOk(),
                      DlgCancel(),
                      DlgHelp(),
                      DlgEnd()};
  int r = RunDialog(nullptr, 901, DlgF_Einfach, d);
  HostPut("result", r);
  HostPutText("f140", number);
  HostPutText("f141", name);
  HostPut("r400", d[6].button.flags);
  HostPut("r401", d[7].button.flags);
  HostPut("c470", d[8].button.flags);
  HostPut("level", GetDialogLevel());
  return 0;
}

// A long ranged field with three values, the caret in the second: every arrow key steps that
// value and is swallowed, so that the caret stays in it.
static int LongStep() {
  char16_t values[40] = u"10,20,30";
  DialogRecord d[] = {DlgTitleText(u"Long field", 0, 140),
                      DlgEdit(140, values, 40, DLGE_RANGE, 0, 100), DlgOk(), DlgCancel(), DlgEnd()};
  int r = RunDialog(nullptr, 901, DlgF_Einfach, d);
  HostPut("result", r);
  HostPutText("f140", values);
  return 0;
}

struct NestLevel {
  char16_t title[32];
  DialogRecord d[4];
};
static NestLevel Levels[DIALOG_MAX_LEVELS + 1];

static intptr_t CALLBACK NestProc(WrapWindow w, uint32_t message, uintptr_t wp, intptr_t lp) {
  if (message == WM_INITDIALOG) {
    intptr_t r = DlgF_Einfach(w, message, wp, lp);
    int level = GetDialogLevel();
    SetWindowPos((HWND)w, nullptr, 20 + 40 * level, 20 + 40 * level, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    PostMessageW((HWND)w, WM_APP, 0, 0);
    return r;
  }
  if (message == WM_APP) {
    ShowWindow((HWND)w, SW_SHOW);  // a dialog shows itself only when its loop first idles
    int level = GetDialogLevel();
    int next = level + 1;
    int r = RunDialog(nullptr, 902, NestProc, Levels[next].d);
    if (next == DIALOG_MAX_LEVELS) {
      HostPut("eleventh", r);
      HostPut("level_at_eleventh", GetDialogLevel());
      HostPut("ready", 1);
    } else {
      HostPut((std::string("closed") + std::to_string(next + 1)).c_str(), r);
    }
    return 1;
  }
  return DlgF_Einfach(w, message, wp, lp);
}

static int Nest() {
  for (int i = 0; i <= DIALOG_MAX_LEVELS; i++) {
    std::string t = "Level " + std::to_string(i + 1);
    for (size_t k = 0; k <= t.size(); k++) Levels[i].title[k] = (char16_t)(k < t.size() ? t[k] : 0);
    Levels[i].d[0] = DlgTitleText(Levels[i].title, 0, DLG_NO_FOCUS);
    Levels[i].d[1] = DlgTextPtr(190, Levels[i].title);
    Levels[i].d[2] = DlgOk();
    Levels[i].d[3] = DlgEnd();
  }
  int r = RunDialog(nullptr, 902, NestProc, Levels[0].d);
  HostPut("closed1", r);
  HostPut("level", GetDialogLevel());
  HostPut("brushes", DialogBrushesExist());
  return 0;
}

static int BadField() {
  char16_t hour[8] = u"", minute[8] = u"";
  DialogRecord d[] = {DlgTitleText(u"Time of day", 0, 140),
                      DlgTextPtr(191, u"Hour"),
                      DlgEdit(140, hour, 8, DLGE_TRIM),
                      DlgTextPtr(192, u"Minute"),
                      DlgEdit(141, minute, 8, DLGE_TRIM),
                      DlgOk(),
                      DlgCancel(),
                      DlgEnd()};
  int rounds = 0, r;
  for (;;) {
    r = RunDialog(nullptr, 903, DlgF_Einfach, d);
    rounds++;
    if (r != DLGR_OK) break;
    int m = 0, ok = minute[0] != 0;
    for (int i = 0; minute[i]; i++) {
      if (minute[i] < u'0' || minute[i] > u'9') ok = 0;
      m = m * 10 + (minute[i] - u'0');
    }
    if (ok && m <= 59) break;
    ShowError(910, u"The minute must lie between 0 and 59.");
    d[0].title.focusId = 141;  // again, with the focus on the bad field
  }
  HostPut("result", r);
  HostPut("rounds", rounds);
  HostPutText("hour", hour);
  HostPutText("minute", minute);
  return 0;
}

static int F12Held() { return (GetAsyncKeyState(VK_F12) & 0x8000) != 0; }

static int InfoBoxes() {
  HostPut("open1", OpenInfoBox(u"Searching the texts", u"Search", 10, 0));
  HostPut("ready1", 1);
  int seen = 0, abortPlain = 0;
  for (int i = 0; i < 1200 && !seen; i++) {  // until F12 is held (at most 60 s)
    char16_t t[16];
    std::u16string s = u"row " + std::u16string(1, (char16_t)(u'0' + i % 10));
    SetInfoBoxText(s.c_str());
    Pump();
    if (F12Held()) seen = 1;
    (void)t;
    Sleep(50);
  }
  for (int i = 0; i < 10; i++) abortPlain |= IsInfoBoxAbortPressed();
  HostPut("f12_seen", seen);
  HostPut("abort_plain", abortPlain);
  HostPut("open2", OpenInfoBox(u"Searching the info texts", u"Search", 10, 1));
  int aborted = 0, steps = 0;
  for (; steps < 1200 && !aborted; steps++) {
    SetInfoBoxText(u"running");
    Pump();
    aborted = IsInfoBoxAbortPressed();
    if (!aborted) Sleep(50);
  }
  HostPut("aborted", aborted);
  HostPut("close2", CloseInfoBox());
  HostPut("close1", CloseInfoBox());
  HostPut("level", GetInfoBoxLevel());
  return 0;
}

static int Cursors(HINSTANCE instance) {
  HostPut("init", InitCursors());
  int loaded = 0, distinct = 1;
  HCURSOR seen[CURSOR_OWN_COUNT + 1] = {};
  HCURSOR arrow = LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW);
  for (int i = 1; i <= CURSOR_OWN_COUNT; i++) {
    seen[i] = LoadCursorW(instance, MAKEINTRESOURCEW(i));
    if (seen[i]) loaded++;
    if (seen[i] == arrow) distinct = 0;
    for (int k = 1; k < i; k++)
      if (seen[k] && seen[k] == seen[i]) distinct = 0;
  }
  HostPut("cursors", loaded);
  HostPut("distinct", distinct);
  HostPut("icon_large",
          LoadImageW(instance, MAKEINTRESOURCEW(2), IMAGE_ICON, 32, 32, 0) != nullptr);
  HostPut("icon_small",
          LoadImageW(instance, MAKEINTRESOURCEW(11), IMAGE_ICON, 16, 16, 0) != nullptr);
  HostPut("mode", SetCursorMode(CURSOR_MODE_PICK));
  SetCursorMode(CURSOR_BUSY_BEGIN);
  HostPut("busy", GetBusyCount());
  SetCursorMode(CURSOR_BUSY_END);
  HostPut("shown", GetShownCursor());
  ExitCursors();
  return 0;
}

static const HostScene kScenes[] = {
    {L"roundtrip", [](const HostArgs&) { return RoundTrip(); }},
    {L"longstep", [](const HostArgs&) { return LongStep(); }},
    {L"nest", [](const HostArgs&) { return Nest(); }},
    {L"badfield", [](const HostArgs&) { return BadField(); }},
    {L"infobox", [](const HostArgs&) { return InfoBoxes(); }},
    {L"cursors", [](const HostArgs& a) { return Cursors(a.instance); }},
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes, [](const HostArgs& a) { MakeFrame(a.instance); });
}
