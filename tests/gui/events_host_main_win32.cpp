// Test host of the event display: starts the frame in-process as the program does ("/Q /N"), puts
// three events into the list and runs the message loop while the test works with the list as a
// user does (a click on the indicator pane, keys, buttons, the filter page, the menu command) and
// closes the program; then it reports the list, the filter and the clipboard it left (one
// key=value line each).
#include <windows.h>
#include "app/entry.h"
#include "app/frame_win32.h"
#include "core/clipboard.h"
#include "trains/event_display.h"
#include "views/view_services.h"
#include "host_win32.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  if (!HostStartFrame(instance)) return 1;
  ResetEventFilter();
  HostPut("added6", AddEventDisplayEntry(6, 100, 50, 0, 0, 0, 0, 0));
  HostPut("added7", AddEventDisplayEntry(7, 120, 60, -1, 0, 0, 0, 0));
  HostPut("added17", AddEventDisplayEntry(17, 130, 70, 0, 0, 0, 0, 125));
  HostPut("look", GetEventIndicatorLook(nullptr));
  int top = 0, width = 0, height = 0;
  int left = GetStatusPaneRect(28, &top, &width, &height);
  HostPut("pane_x", left);
  HostPut("pane_y", top);
  HostPut("pane_w", width);
  HostPut("pane_h", height);
  HostPut("ready", 1);
  int code = RunMessageLoop();
  EndTimerThreads();
  HostPut("count", GetEventDisplayCount());
  HostPut("flag6", GetEventKindFlag(6));
  HostPut("flag11", GetEventKindFlag(11));
  char16_t line[CLIP_LINE_MAX];
  for (int i = 0; i < 2; i++) {
    char key[8] = "clip0";
    key[4] = (char)('0' + i);
    if (ReadClipboardLine(i, CLIP_LINE_MAX, line) == 0) HostPutText(key, line);
  }
  HostPut("exit", code);
  return 0;
}
