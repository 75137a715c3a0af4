// Test host of the lines of a pasted block (dialog 114 for each unknown line):
//   lines_host --data <folder> paste   reads a LIN section naming the unknown lines P, Q (with a
//                                      description) and R, prints the result, the lines created
//                                      and how often the dialog was shown
#include <windows.h>
#include <string>
#include <vector>
#include "core/misc.h"
#include "elements/element_store.h"
#include "elements/lines.h"
#include "host_win32.h"

static LRESULT CALLBACK HostWndProc(HWND w, UINT message, WPARAM wp, LPARAM lp) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(w, message, wp, lp);
}

static const std::vector<std::u16string> kText = {u"LIN_A", u"\"P\",0", u"\"Q\",3", u"qq\\0000",
                                                 u"\"R\",0", u"LIN_E"};
static int ReadLine(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)kText.size() || (int)kText[index].size() > maxChars) return 1;
  CopyString(out, kText[index].c_str());
  return 0;
}

static int (*RealAsk)(const char16_t*);
static int Asked = 0;
static int CountingAsk(const char16_t* name) {
  Asked++;
  return RealAsk(name);
}

static int Paste(HINSTANCE instance) {
  // The dialogs' owner: the window of the status class in this process.
  HWND main = HostStatusWindow(instance, HostWndProc, COLOR_WINDOW, L"lines host",
                               WS_OVERLAPPED | WS_CAPTION, 20, 20, 300, 200);
  InitLineTable();
  CopyTextReadLine = ReadLine;
  RealAsk = AskCreatePastedLine;
  AskCreatePastedLine = CountingAsk;
  int index = 0;
  HostPut("result", ReadLineCopyText(&index));
  HostPut("index", index);
  HostPut("asked", Asked);
  std::wstring made;
  for (int i = 0; i < LineCount(); i++) made += (const wchar_t*)LineAt(i)->name;
  HostPutText("created", made.empty() ? L"-" : made);
  char16_t desc[16] = u"";
  int q = FindLineByName(u"Q");
  if (q > 0) GetLineDescription(q, desc);
  HostPutText("q_description", desc[0] ? (const wchar_t*)desc : L"-");
  DestroyWindow(main);
  return 0;
}

static const HostScene kScenes[] = {
    {L"paste", [](const HostArgs& a) { return Paste(a.instance); }},
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return HostRunScene(instance, kScenes);
}
