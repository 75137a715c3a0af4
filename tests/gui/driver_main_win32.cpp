// quil_gui_driver: a test-only program that finds the windows of a program under test, reads
// their titles, control texts, check states and focus, and posts commands and keys to them.
// Each step prints one line per fact (see tests/gui/README.md); exit code 0, or 1 on the first
// failed step.
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <algorithm>
#include <string>
#include <vector>

struct Match {
  std::wstring cls, title, titlePart, exe;
  DWORD pid = 0;
  bool needVisible = true;
};

static HWND Selected;

// ---- output: UTF-8 lines -------------------------------------------------------------------------
static void Out(const std::wstring& line) {
  std::wstring l = line + L"\n";
  int n = WideCharToMultiByte(CP_UTF8, 0, l.c_str(), (int)l.size(), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, l.c_str(), (int)l.size(), &s[0], n, nullptr, nullptr);
  DWORD written;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), s.data(), (DWORD)s.size(), &written, nullptr);
}

static std::wstring Quote(const std::wstring& t) {
  std::wstring q = L"\"";
  for (wchar_t c : t) {
    if (c == L'"' || c == L'\\') {
      q += L'\\';
      q += c;
    } else if (c == L'\n')
      q += L"\\n";
    else if (c == L'\r')
      q += L"\\r";
    else if (c == L'\t')
      q += L"\\t";
    else
      q += c;
  }
  return q + L"\"";
}

static std::wstring Hex(const void* p) {
  wchar_t b[32];
  swprintf(b, 32, L"0x%llx", (unsigned long long)(uintptr_t)p);
  return b;
}

// ---- window facts ----------------------------------------------------------------------------------
static std::wstring ClassOf(HWND w) {
  wchar_t b[256] = L"";
  GetClassNameW(w, b, 256);
  return b;
}

static std::wstring TextOf(HWND w) {
  DWORD_PTR len = 0;
  if (!SendMessageTimeoutW(w, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &len)) return L"";
  std::wstring t(len + 1, L'\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutW(w, WM_GETTEXT, len + 1, (LPARAM)&t[0], SMTO_ABORTIFHUNG, 2000, &got);
  t.resize(wcslen(t.c_str()));
  return t;
}

static std::wstring ExeOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!p) return L"";
  wchar_t b[MAX_PATH] = L"";
  DWORD size = MAX_PATH;
  QueryFullProcessImageNameW(p, 0, b, &size);
  CloseHandle(p);
  const wchar_t* s = wcsrchr(b, L'\\');
  return s ? s + 1 : b;
}

static DWORD PidOf(HWND w) {
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  return pid;
}

static bool Matches(HWND w, const Match& m) {
  if (m.needVisible && !IsWindowVisible(w)) return false;
  if (!m.cls.empty() && ClassOf(w) != m.cls) return false;
  if (m.pid && PidOf(w) != m.pid) return false;
  if (!m.exe.empty() && _wcsicmp(ExeOf(w).c_str(), m.exe.c_str()) != 0) return false;
  if (!m.title.empty() || !m.titlePart.empty()) {
    std::wstring t = TextOf(w);
    if (!m.title.empty() && t != m.title) return false;
    if (!m.titlePart.empty() && t.find(m.titlePart) == std::wstring::npos) return false;
  }
  return true;
}

struct FindState {
  const Match* m;
  HWND found;
};

static BOOL CALLBACK FindTop(HWND w, LPARAM p) {
  FindState* s = (FindState*)p;
  if (Matches(w, *s->m)) {
    s->found = w;
    return FALSE;
  }
  return TRUE;
}

static void PrintWindow(const wchar_t* kind, HWND w) {
  Out(std::wstring(kind) + L" handle=" + Hex(w) + L" class=" + Quote(ClassOf(w)) + L" title=" +
      Quote(TextOf(w)) + L" exe=" + Quote(ExeOf(w)) + L" pid=" + std::to_wstring(PidOf(w)) +
      L" visible=" + std::to_wstring(IsWindowVisible(w) ? 1 : 0));
}

static BOOL CALLBACK ListTop(HWND w, LPARAM p) {
  if (IsWindowVisible(w)) PrintWindow(L"window", w);
  return TRUE;
}

static bool IsCheckable(HWND c) {
  if (ClassOf(c) != L"Button") return false;
  LONG type = GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_3STATE ||
         type == BS_AUTO3STATE || type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

static BOOL CALLBACK DumpChild(HWND c, LPARAM p) {
  if (GetParent(c) != (HWND)p) return TRUE;  // direct children only
  std::wstring line = L"control id=" + std::to_wstring(GetDlgCtrlID(c)) + L" class=" +
                      Quote(ClassOf(c)) + L" text=" + Quote(TextOf(c)) + L" visible=" +
                      std::to_wstring(IsWindowVisible(c) ? 1 : 0) + L" enabled=" +
                      std::to_wstring(IsWindowEnabled(c) ? 1 : 0);
  if (IsCheckable(c)) line += L" check=" + std::to_wstring((int)SendMessageW(c, BM_GETCHECK, 0, 0));
  if (_wcsicmp(ClassOf(c).c_str(), L"Edit") == 0)
    line += L" caret=" + std::to_wstring(HIWORD(SendMessageW(c, EM_GETSEL, 0, 0)));
  Out(line);
  return TRUE;
}

static HWND FocusOf(HWND w) {
  GUITHREADINFO info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(w, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

// The items of a menu and its popups: "item id=<command> text=<caption> popup=<0|1>".
static void DumpMenu(HMENU menu) {
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; i++) {
    wchar_t text[300] = L"";
    GetMenuStringW(menu, (UINT)i, text, 300, MF_BYPOSITION);
    HMENU sub = GetSubMenu(menu, i);
    UINT id = sub ? 0 : GetMenuItemID(menu, i);
    if (id == (UINT)-1) id = 0;
    Out(L"item id=" + std::to_wstring(id) + L" text=" + Quote(text) + L" popup=" +
        std::to_wstring(sub ? 1 : 0));
    if (sub) DumpMenu(sub);
  }
}

static void Dump(HWND w) {
  Out(L"title " + Quote(TextOf(w)));
  Out(L"class " + Quote(ClassOf(w)));
  RECT r = {};
  GetWindowRect(w, &r);
  Out(L"rect left=" + std::to_wstring(r.left) + L" top=" + std::to_wstring(r.top) + L" right=" +
      std::to_wstring(r.right) + L" bottom=" + std::to_wstring(r.bottom));
  EnumChildWindows(w, DumpChild, (LPARAM)w);
  HWND f = FocusOf(w);
  if (f && (f == w || IsChild(w, f)))
    Out(L"focus id=" + std::to_wstring(GetDlgCtrlID(f)) + L" class=" + Quote(ClassOf(f)) +
        L" text=" + Quote(TextOf(f)));
  else
    Out(L"focus none");
}

// ---- steps -------------------------------------------------------------------------------------------
struct Step {
  std::wstring name;
  std::wstring key[16], value[16];
  int count = 0;
  const wchar_t* Get(const wchar_t* k) const {
    for (int i = 0; i < count; i++)
      if (key[i] == k) return value[i].c_str();
    return nullptr;
  }
  long Num(const wchar_t* k, long fallback) const {
    const wchar_t* v = Get(k);
    return v ? wcstol(v, nullptr, 0) : fallback;
  }
};

static UINT KeyCode(const wchar_t* name) {
  static const struct {
    const wchar_t* n;
    UINT vk;
  } names[] = {
      {L"ENTER", VK_RETURN}, {L"RETURN", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"TAB", VK_TAB},
      {L"SPACE", VK_SPACE},  {L"UP", VK_UP},         {L"DOWN", VK_DOWN},     {L"LEFT", VK_LEFT},
      {L"RIGHT", VK_RIGHT},  {L"PRIOR", VK_PRIOR},   {L"NEXT", VK_NEXT},     {L"F1", VK_F1},
      {L"F12", VK_F12},      {L"DELETE", VK_DELETE}, {L"HOME", VK_HOME},     {L"END", VK_END}};
  for (const auto& k : names)
    if (_wcsicmp(name, k.n) == 0) return k.vk;
  if (name[0] == L'F' && name[1] >= L'1' && name[1] <= L'9')
    return VK_F1 + wcstol(name + 1, nullptr, 10) - 1;
  if (name[0] && !name[1]) return (UINT)towupper(name[0]);
  return (UINT)wcstol(name, nullptr, 0);
}

static HWND Control(HWND w, const Step& s) {
  const wchar_t* id = s.Get(L"id");
  return id ? GetDlgItem(w, (int)wcstol(id, nullptr, 0)) : nullptr;
}

// ---- pixels -------------------------------------------------------------------------------------------
// Client pixels of the selected window in a rectangle, row by row (copied through a 32-bit bitmap).
static bool CapturePixels(int x, int y, int w, int h, std::vector<uint32_t>* out) {
  HDC dc = GetDC(Selected);
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bmp || !memory) {
    if (bmp) DeleteObject(bmp);
    if (memory) DeleteDC(memory);
    ReleaseDC(Selected, dc);
    return false;
  }
  HGDIOBJ old = SelectObject(memory, bmp);
  BitBlt(memory, 0, 0, w, h, dc, x, y, SRCCOPY);
  GdiFlush();
  out->assign((const uint32_t*)bits, (const uint32_t*)bits + (size_t)w * h);
  SelectObject(memory, old);
  DeleteObject(bmp);
  DeleteDC(memory);
  ReleaseDC(Selected, dc);
  return true;
}

// The distinct colours of a w x h part of pixels (rows of `stride`) at (x, y), the most frequent
// one and a hash of them all in row order.
struct Summary {
  size_t distinct = 0, mostCount = 0;
  uint32_t most = 0, hash = 2166136261u;
};

static Summary Summarise(const std::vector<uint32_t>& pixels, int stride, int x, int y, int w, int h) {
  Summary r;
  std::vector<uint32_t> px;
  px.reserve((size_t)w * h);
  for (int row = y; row < y + h; row++)
    for (int col = x; col < x + w; col++) px.push_back(pixels[(size_t)row * stride + col]);
  for (uint32_t p : px) r.hash = (r.hash ^ (p & 0xFFFFFF)) * 16777619u;
  std::sort(px.begin(), px.end());
  for (size_t i = 0; i < px.size();) {
    size_t j = i;
    while (j < px.size() && px[j] == px[i]) j++;
    r.distinct++;
    if (j - i > r.mostCount) r.mostCount = j - i, r.most = px[i] & 0xFFFFFF;
    i = j;
  }
  return r;
}

static int Fail(const std::wstring& why) {
  Out(L"error " + why);
  return 1;
}

static int RunStep(const Step& s) {
  DWORD timeout = (DWORD)s.Num(L"timeout", 5000);
  if (s.name == L"list") {
    EnumWindows(ListTop, 0);
    return 0;
  }
  if (s.name == L"wait") {
    Match m;
    if (s.Get(L"class")) m.cls = s.Get(L"class");
    if (s.Get(L"title")) m.title = s.Get(L"title");
    if (s.Get(L"title~")) m.titlePart = s.Get(L"title~");
    if (s.Get(L"exe")) m.exe = s.Get(L"exe");
    m.pid = (DWORD)s.Num(L"pid", 0);
    m.needVisible = s.Num(L"visible", 1) != 0;
    DWORD start = GetTickCount();
    for (;;) {
      FindState st{&m, nullptr};
      EnumWindows(FindTop, (LPARAM)&st);
      if (st.found) {
        Selected = st.found;
        PrintWindow(L"window", Selected);
        return 0;
      }
      if (GetTickCount() - start > timeout) return Fail(L"wait timeout");
      Sleep(50);
    }
  }
  if (!Selected) return Fail(s.name + L" without a window (use wait first)");
  if (s.name == L"gone") {
    DWORD start = GetTickCount();
    while (IsWindow(Selected)) {
      if (GetTickCount() - start > timeout) return Fail(L"gone timeout");
      Sleep(50);
    }
    Out(L"gone");
    Selected = nullptr;
    return 0;
  }
  if (s.name == L"dump") {
    Dump(Selected);
    return 0;
  }
  if (s.name == L"command") {
    HWND c = Control(Selected, s);
    WPARAM wp = MAKEWPARAM((WORD)s.Num(L"id", 0), (WORD)s.Num(L"notify", BN_CLICKED));
    if (!PostMessageW(Selected, WM_COMMAND, wp, (LPARAM)c)) return Fail(L"command not posted");
    Out(L"posted command id=" + std::to_wstring(s.Num(L"id", 0)));
    return 0;
  }
  if (s.name == L"menu") {
    // The menu bar of the selected window (read across processes by the menu calls).
    HMENU bar = GetMenu(Selected);
    if (!bar) return Fail(L"the window has no menu");
    DumpMenu(bar);
    return 0;
  }
  if (s.name == L"caret") {
    // The caret of an edit control: caret id=<control> pos=<index> (posted, as keys are).
    HWND c = Control(Selected, s);
    if (!c) return Fail(L"caret without a control");
    long pos = s.Num(L"pos", 0);
    PostMessageW(c, EM_SETSEL, (WPARAM)pos, (LPARAM)pos);
    Out(L"posted caret pos=" + std::to_wstring(pos));
    return 0;
  }
  if (s.name == L"key") {
    const wchar_t* name = s.Get(L"vk");
    if (!name) return Fail(L"key without vk=");
    UINT vk = KeyCode(name);
    HWND target = Selected;
    const wchar_t* to = s.Get(L"to");
    if (!to || wcscmp(to, L"focus") == 0) {
      HWND f = FocusOf(Selected);
      if (f && (f == Selected || IsChild(Selected, f))) target = f;
    } else if (HWND c = Control(Selected, s)) {
      target = c;
    }
    UINT scan = MapVirtualKeyW(vk, 0);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, vk, 1 | (scan << 16) | (3u << 30));
    Out(L"posted key vk=" + std::to_wstring(vk) + L" to id=" +
        std::to_wstring(target == Selected ? -1 : GetDlgCtrlID(target)));
    return 0;
  }
  if (s.name == L"input") {
    // Real keyboard input to the selected window made foreground: mods= any of ctrl, shift, alt.
    const wchar_t* name = s.Get(L"vk");
    if (!name) return Fail(L"input without vk=");
    const wchar_t* mods = s.Get(L"mods");
    std::wstring m = mods ? mods : L"";
    WORD held[3];
    int n = 0;
    if (m.find(L"ctrl") != std::wstring::npos) held[n++] = VK_CONTROL;
    if (m.find(L"shift") != std::wstring::npos) held[n++] = VK_SHIFT;
    if (m.find(L"alt") != std::wstring::npos) held[n++] = VK_MENU;
    SetForegroundWindow(Selected);
    for (DWORD start = GetTickCount();
         GetForegroundWindow() != Selected && GetTickCount() - start < 2000;)
      Sleep(20);
    INPUT in[8] = {};
    int k = 0;
    for (int i = 0; i < n; i++) {
      in[k].type = INPUT_KEYBOARD;
      in[k].ki.wVk = held[i];
      k++;
    }
    in[k].type = INPUT_KEYBOARD;
    in[k].ki.wVk = (WORD)KeyCode(name);
    k++;
    in[k].type = INPUT_KEYBOARD;
    in[k].ki.wVk = (WORD)KeyCode(name);
    in[k].ki.dwFlags = KEYEVENTF_KEYUP;
    k++;
    for (int i = n - 1; i >= 0; i--) {
      in[k].type = INPUT_KEYBOARD;
      in[k].ki.wVk = held[i];
      in[k].ki.dwFlags = KEYEVENTF_KEYUP;
      k++;
    }
    UINT sent = SendInput((UINT)k, in, sizeof(INPUT));
    Out(L"input sent=" + std::to_wstring(sent));
    return sent == (UINT)k ? 0 : Fail(L"input not sent");
  }
  if (s.name == L"settext") {
    HWND c = Control(Selected, s);
    if (!c) return Fail(L"settext: no such control");
    const wchar_t* t = s.Get(L"text");
    SendMessageTimeoutW(c, WM_SETTEXT, 0, (LPARAM)(t ? t : L""), SMTO_ABORTIFHUNG, 2000, nullptr);
    Out(L"text id=" + std::to_wstring(s.Num(L"id", 0)) + L" set");
    return 0;
  }
  if (s.name == L"click") {
    HWND c = Control(Selected, s);
    if (!c) return Fail(L"click: no such control");
    PostMessageW(c, BM_CLICK, 0, 0);
    Out(L"posted click id=" + std::to_wstring(s.Num(L"id", 0)));
    return 0;
  }
  if (s.name == L"mouse") {
    // A left click (button down and up) at a client point of the selected window: x=, y=,
    // mods= ctrl for the Control key held with it.
    // With id= the point is in that child control and the click goes to it; double=1 makes it
    // a double click.
    int x = (int)s.Num(L"x", 0), y = (int)s.Num(L"y", 0);
    const wchar_t* mods = s.Get(L"mods");
    WPARAM keys = (mods && wcsstr(mods, L"ctrl")) ? MK_CONTROL : 0;
    LPARAM at = MAKELPARAM(x, y);
    HWND target = Selected;
    if (s.Get(L"id")) {
      target = Control(Selected, s);
      if (!target) return Fail(L"mouse: no such control");
    }
    PostMessageW(target, WM_MOUSEMOVE, keys, at);
    PostMessageW(target, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
    PostMessageW(target, WM_LBUTTONUP, keys, at);
    if (s.Num(L"double", 0)) {
      PostMessageW(target, WM_LBUTTONDBLCLK, keys | MK_LBUTTON, at);
      PostMessageW(target, WM_LBUTTONUP, keys, at);
    }
    Out(L"posted click x=" + std::to_wstring(x) + L" y=" + std::to_wstring(y));
    return 0;
  }
  if (s.name == L"region") {
    // Client pixels of the selected window in a rectangle (copied through a 32-bit bitmap):
    // the number of distinct colours, the most frequent one, and a hash of them all.
    int x = (int)s.Num(L"x", 0), y = (int)s.Num(L"y", 0);
    int w = (int)s.Num(L"w", 1), h = (int)s.Num(L"h", 1);
    if (w < 1 || h < 1 || w > 4096 || h > 4096) return Fail(L"region: bad size");
    std::vector<uint32_t> px;
    if (!CapturePixels(x, y, w, h, &px)) return Fail(L"region: no bitmap");
    Summary r = Summarise(px, w, 0, 0, w, h);
    Out(L"region distinct=" + std::to_wstring(r.distinct) + L" most=" + std::to_wstring(r.most) +
        L" mostcount=" + std::to_wstring(r.mostCount) + L" hash=" + std::to_wstring(r.hash));
    return 0;
  }
  if (s.name == L"tiles") {
    // The client area cut into tiles of w x h pixels from (x, y): "tiles cols= rows=" (whole
    // tiles) and one line per tile that is not of one colour, "tile col= row= distinct= most= hash=".
    int w = (int)s.Num(L"w", 32), h = (int)s.Num(L"h", 16);
    int x = (int)s.Num(L"x", 0), y = (int)s.Num(L"y", 0);
    if (w < 1 || h < 1 || w > 4096 || h > 4096 || x < 0 || y < 0) return Fail(L"tiles: bad size");
    RECT rc;
    if (!GetClientRect(Selected, &rc)) return Fail(L"tiles: no client area");
    int cols = (rc.right - x) / w, rows = (rc.bottom - y) / h;
    std::vector<uint32_t> px;
    if (cols < 1 || rows < 1 || !CapturePixels(x, y, cols * w, rows * h, &px))
      return Fail(L"tiles: no bitmap");
    Out(L"tiles cols=" + std::to_wstring(cols) + L" rows=" + std::to_wstring(rows));
    for (int r = 0; r < rows; r++)
      for (int c = 0; c < cols; c++) {
        Summary t = Summarise(px, cols * w, c * w, r * h, w, h);
        if (t.distinct > 1)
          Out(L"tile col=" + std::to_wstring(c) + L" row=" + std::to_wstring(r) + L" distinct=" +
              std::to_wstring(t.distinct) + L" most=" + std::to_wstring(t.most) + L" hash=" +
              std::to_wstring(t.hash));
      }
    return 0;
  }
  if (s.name == L"close") {
    PostMessageW(Selected, WM_CLOSE, 0, 0);
    Out(L"posted close");
    return 0;
  }
  return Fail(L"unknown step " + s.name);
}

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    Out(L"usage: quil_gui_driver <step> [key=value ...] [<step> ...]; steps: list wait gone dump "
        L"command caret menu key input settext click mouse close region tiles");
    return 2;
  }
  Step s;
  for (int i = 1; i <= argc; i++) {
    bool isOption = i < argc && wcschr(argv[i], L'=') != nullptr;
    if (i == argc || !isOption) {
      if (!s.name.empty() && RunStep(s) != 0) return 1;
      if (i == argc) break;
      s = Step();
      s.name = argv[i];
      continue;
    }
    const wchar_t* eq = wcschr(argv[i], L'=');
    if (s.count < 16) {
      s.key[s.count].assign(argv[i], eq - argv[i]);
      s.value[s.count] = eq + 1;
      s.count++;
    }
  }
  return 0;
}
