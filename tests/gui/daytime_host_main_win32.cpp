// Test host of the day-time entry: runs the day-phase dialog of a new network as the menu command
// does and prints what was stored ("key=value" lines on stdout). Like the program, it has a main
// window of the status class (the default owner of dialogs) and the program's fonts.
//   daytime_host --data <folder> dayphase   the dialog 52; the stored times and options
#include <windows.h>
#include <string>
#include "app/daytime_entry.h"
#include "core/platform_ui.h"
#include "core/timepattern.h"
#include "host_win32.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "trains/train_services.h"

static LRESULT CALLBACK MainProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) return 0;
  return (LRESULT)WrapDefWindowProc(w, message, wp, lp);
}

static void MakeFrame(HINSTANCE instance) {
  HostStatusWindow(instance, MainProc, COLOR_APPWORKSPACE, L"Day-time host", WS_OVERLAPPEDWINDOW, 0,
                   0, 600, 400);
}

static int DayPhase() {
  ResetDocumentState();
  ClearNetModified();
  // 1 when the clock's day-time windows are built (the stand-in refuses every order).
  HostPut("windows_built", IsInTimeWindow(PackDayTime(127, 1, 0, 0), PackDayTime(127, 0, 0, 0),
                                          PackDayTime(127, 2, 0, 0)));
  EditDayPhaseTimes();
  for (int slot = 0; slot < 4; slot++) {
    char key[8] = "t0";
    key[1] = (char)('1' + slot);
    HostPut(key, DocState.dayTimes[slot]);
  }
  HostPut("options", DocState.dayPhaseOptions);
  HostPut("modified", IsNetModified());
  HostPut("done", 1);
  return 0;
}

static const HostScene kScenes[] = {
    {L"dayphase", [](const HostArgs&) { return DayPhase(); }},
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes, [](const HostArgs& a) { MakeFrame(a.instance); });
}
