// The Win32 wrappers in ANSI mode (UnicodeFlag forced to 0) beside wide mode: system parameters,
// locale, profile, registry, fonts, window and list texts, MCI and help refusals, and the
// double-byte conversion cut.
#include "core/platform_ui.h"
#include <windows.h>
#include <mmsystem.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {
struct AnsiScope {
  int old;
  explicit AnsiScope(int flag = 0) : old(UnicodeFlag) { UnicodeFlag = flag; }
  ~AnsiScope() { UnicodeFlag = old; }
};
std::u16string Repeat(int n, char16_t c = u'a') { return std::u16string((size_t)n, c); }
}  // namespace

TEST(PlatformAnsi, SystemParametersAnswerOnlyTheWorkArea) {
  for (int mode : {1, 0}) {
    AnsiScope scope(mode);
    RECT r{0, 0, 0, 0};
    EXPECT_NE(0, WrapSystemParametersInfo(SPI_GETWORKAREA, 0, &r, 0)) << mode;
    EXPECT_GT(r.right - r.left, 0) << mode;
    BOOL beep = FALSE;
    int got = WrapSystemParametersInfo(SPI_GETBEEP, 0, &beep, 0);
    if (mode)
      EXPECT_NE(0, got);
    else
      EXPECT_EQ(0, got);
  }
}

TEST(PlatformAnsi, LocaleInfoBuffersUpTo1000Characters) {
  AnsiScope scope;
  char16_t buf[1100];
  EXPECT_GT(WrapGetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STIME, buf, 1000), 0);
  EXPECT_NE(0, buf[0]);
  SetLastError(0);
  EXPECT_EQ(0, WrapGetLocaleInfo(LOCALE_USER_DEFAULT, LOCALE_STIME, buf, 1001));
  EXPECT_EQ(122u, GetLastError());
}

TEST(PlatformAnsi, PrivateProfileBothModes) {
  char16_t path[MAX_PATH];
  ASSERT_NE(nullptr, WrapFullPath(path, u"platform_ui_test.ini", MAX_PATH));
  WrapRemove(path);
  for (int mode : {1, 0}) {
    AnsiScope scope(mode);
    std::u16string key = mode ? u"wide" : u"ansi";
    EXPECT_NE(0,
              WrapWritePrivateProfileString(u"QUIL_384", key.c_str(), u"Gr\u00FC\u00DFe 42", path));
    char16_t buf[100];
    EXPECT_EQ(8u, WrapGetPrivateProfileString(u"QUIL_384", key.c_str(), u"-", buf, 100, path));
    EXPECT_EQ(std::u16string(u"Gr\u00FC\u00DFe 42"), buf);
    EXPECT_EQ(1u, WrapGetPrivateProfileString(u"QUIL_384", u"missing", u"-", buf, 100, path));
    EXPECT_EQ(7u, WrapGetPrivateProfileInt(u"QUIL_384", u"missing", 7, path));
  }
  AnsiScope scope;
  char16_t big[600];
  EXPECT_EQ(0u, WrapGetPrivateProfileString(u"QUIL_384", u"ansi", u"-", big, 521, path));
  EXPECT_EQ(0, WrapWritePrivateProfileString(u"QUIL_384", Repeat(260).c_str(), u"x", path));
  WrapRemove(path);
}

TEST(PlatformAnsi, RegistryStringsBothWays) {
  WrapKey key = nullptr;
  uint32_t disposition = 0;
  ASSERT_EQ(0, WrapRegCreateKeyEx(WRAP_HKEY_CURRENT_USER, u"Software\\QuilPlatformTest", 0,
                                  KEY_ALL_ACCESS, &key, &disposition));
  const char16_t value[] = u"C:\\Netze\\Gr\u00FC\u00DFe\\";
  for (int mode : {1, 0}) {
    AnsiScope scope(mode);
    EXPECT_EQ(0, WrapRegSetValueEx(key, u"Q384_PFAD", REG_SZ, value, sizeof value));
    char16_t back[300] = {};
    uint32_t type = 0, bytes = sizeof back;
    EXPECT_EQ(0, WrapRegQueryValueEx(key, u"Q384_PFAD", &type, back, &bytes));
    EXPECT_EQ((uint32_t)REG_SZ, type);
    EXPECT_EQ(std::u16string(value), back) << mode;
  }
  {
    AnsiScope scope;
    WrapKey k2 = nullptr;
    EXPECT_EQ(1, WrapRegOpenKeyEx(WRAP_HKEY_CURRENT_USER, Repeat(260).c_str(), 0, KEY_READ, &k2));
  }
  WrapRegCloseKey(key);
  RegDeleteKeyW(HKEY_CURRENT_USER, L"Software\\QuilPlatformTest");
}

TEST(PlatformAnsi, FontFaceNamesOf32CharactersFail) {
  AnsiScope scope;
  WrapGdiObject f =
      WrapCreateFont(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, Repeat(31, u'f').c_str());
  EXPECT_NE(nullptr, f);
  if (f) WrapDeleteObject(f);
  EXPECT_EQ(nullptr,
            WrapCreateFont(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, Repeat(32, u'f').c_str()));
}

TEST(PlatformAnsi, MciAndHelpRefuseWhatTheyCannotConvert) {
  AnsiScope scope;
  std::u16string longName = Repeat(260, u'w');
  MCI_OPEN_PARMSW open;
  ZeroMemory(&open, sizeof open);
  open.lpstrElementName = (LPCWSTR)longName.c_str();
  EXPECT_EQ(274u, WrapMciSendCommand(0, MCI_OPEN, MCI_OPEN_ELEMENT, &open));
  MCI_STATUS_PARMS status;
  ZeroMemory(&status, sizeof status);
  EXPECT_EQ(274u, WrapMciSendCommand(1, MCI_STATUS, MCI_STATUS_ITEM, &status));
  EXPECT_EQ(nullptr, WrapHtmlHelp(nullptr, nullptr, 0, 0));
  EXPECT_EQ(nullptr, WrapHtmlHelp(nullptr, longName.c_str(), 0, 0));
}

TEST(PlatformAnsi, DoubleByteConversionIsNeverCutMidCharacter) {
  if (!IsValidCodePage(932)) GTEST_SKIP() << "code page 932 not installed";
  int a = CpAnsiUni, u = CpUniAnsi;
  SetConversionCodePages(932, 932);
  const char16_t* text = u"\u3042\u3044\u3046";  // three characters of two bytes each
  struct Case {
    int outBytes, written;
  } cases[] = {{1, 1}, {2, 1}, {3, 3}, {4, 3}, {5, 5}, {7, 7}, {20, 7}};
  for (const Case& c : cases) {
    char out[24];
    memset(out, 'X', sizeof out);
    EXPECT_EQ(c.written, WideToMultiByte(text, out, c.outBytes)) << c.outBytes;
    EXPECT_EQ(0, out[c.written - 1]) << c.outBytes;
    EXPECT_EQ('X', out[c.outBytes]) << c.outBytes;
    char16_t back[8];
    EXPECT_EQ((c.written - 1) / 2 + 1, MultiByteToWide(out, back, 8)) << c.outBytes;
  }
  SetConversionCodePages(a, u);
}

// A face name of 31 double-byte characters needs 62 bytes; the ANSI face field holds 31 and
// the name must end between two characters there.
TEST(PlatformAnsi, DoubleByteFontFaceIsCutBetweenCharacters) {
  if (!IsValidCodePage(932)) GTEST_SKIP() << "code page 932 not installed";
  AnsiScope scope;
  int a = CpAnsiUni, u = CpUniAnsi;
  SetConversionCodePages(932, 932);
  WrapGdiObject f =
      WrapCreateFont(-12, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, Repeat(31, u'\u3042').c_str());
  SetConversionCodePages(a, u);
  ASSERT_NE(nullptr, f);
  LOGFONTA font;
  ASSERT_NE(0, GetObjectA((HGDIOBJ)f, sizeof font, &font));
  WrapDeleteObject(f);
  int bytes = (int)strlen(font.lfFaceName);
  EXPECT_EQ(30, bytes);
  EXPECT_NE(0, MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, font.lfFaceName, bytes, nullptr, 0));
}

// Window texts through WrapSendMessage and list strings through WrapSendDlgItemMessage.
class PlatformAnsiWindows : public ::testing::Test {
 protected:
  HWND parent = nullptr;
  void SetUp() override {
    parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, nullptr,
                             nullptr);
    if (!parent) GTEST_SKIP() << "no window could be made (no display)";
  }
  void TearDown() override {
    if (parent) DestroyWindow(parent);
  }
};

TEST_F(PlatformAnsiWindows, WindowTextsAreCutAndConvertedBack) {
  AnsiScope scope;
  std::u16string big = Repeat(40000, u'b');
  EXPECT_NE(0, WrapSetWindowText(parent, big.c_str()));
  EXPECT_EQ(31999, GetWindowTextLengthW(parent));
  EXPECT_NE(0, WrapSetWindowText(parent, u"Gr\u00FC\u00DFe"));
  char16_t buf[16];
  EXPECT_EQ(5, WrapGetWindowText(parent, buf, 16));
  EXPECT_EQ(std::u16string(u"Gr\u00FC\u00DFe"), buf);
  EXPECT_EQ(3, WrapGetWindowText(parent, buf, 4));
  EXPECT_EQ(std::u16string(u"Gr\u00FC"), buf);
  WrapSetWindowText(parent, u"");
  buf[0] = u'x';
  EXPECT_EQ(0, WrapGetWindowText(parent, buf, 16));
  EXPECT_EQ(0, buf[0]);
}

TEST_F(PlatformAnsiWindows, CreateWindowTitleOf259And260Characters) {
  AnsiScope scope;
  std::u16string t259 = Repeat(259, u't'), t260 = Repeat(260, u't');
  WrapWindow w = WrapCreateWindow(u"STATIC", t259.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
  ASSERT_NE(nullptr, w);
  EXPECT_EQ(259, GetWindowTextLengthW((HWND)w));
  WrapDestroyWindow(w);
  EXPECT_EQ(nullptr, WrapCreateWindow(u"STATIC", t260.c_str(), WS_POPUP, 0, 0, 10, 10, nullptr,
                                      nullptr, nullptr, nullptr));
  EXPECT_EQ(nullptr, WrapCreateWindow(t260.c_str(), u"x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      nullptr, nullptr));
}

TEST_F(PlatformAnsiWindows, ListStringsAreCutTo259AndGetTextIsRefused) {
  HWND list = CreateWindowExW(0, L"LISTBOX", L"", WS_CHILD, 0, 0, 100, 100, parent,
                              (HMENU)(uintptr_t)140, nullptr, nullptr);
  ASSERT_NE(nullptr, list);
  AnsiScope scope;
  std::u16string item = Repeat(300, u'i');
  EXPECT_EQ(0, WrapSendDlgItemMessage(parent, 140, LB_ADDSTRING, 0, (WrapLParam)item.c_str()));
  EXPECT_EQ(1, WrapSendDlgItemMessage(parent, 140, LB_ADDSTRING, 0, (WrapLParam)u"Zweite"));
  EXPECT_EQ(259, SendMessageW(list, LB_GETTEXTLEN, 0, 0));
  EXPECT_EQ(1, WrapSendDlgItemMessage(parent, 140, LB_FINDSTRINGEXACT, (WrapWParam)-1,
                                      (WrapLParam)u"Zweite"));
  char16_t buf[400];
  EXPECT_EQ(0, WrapSendDlgItemMessage(parent, 140, LB_GETTEXT, 0, (WrapLParam)buf));
  UnicodeFlag = 1;
  EXPECT_EQ(6, WrapSendDlgItemMessage(parent, 140, LB_GETTEXT, 1, (WrapLParam)buf));
  EXPECT_EQ(std::u16string(u"Zweite"), buf);
}

TEST_F(PlatformAnsiWindows, MenuItemTextsOnlyForStringItems) {
  AnsiScope scope;
  WrapMenu menu = CreatePopupMenu();
  ASSERT_NE(nullptr, menu);
  EXPECT_NE(0, WrapAppendMenu(menu, MF_STRING, 256, u"&Neu#tStrg+N"));
  EXPECT_NE(0, WrapAppendMenu(menu, MF_SEPARATOR, 0, nullptr));
  EXPECT_EQ(0, WrapAppendMenu(menu, MF_STRING, 257, Repeat(260, u'm').c_str()));
  EXPECT_NE(0, WrapModifyMenu(menu, 256, MF_BYCOMMAND | MF_STRING, 256, u"Gr\u00FC\u00DFe"));
  wchar_t text[32] = {};
  GetMenuStringW((HMENU)menu, 256, text, 32, MF_BYCOMMAND);
  EXPECT_EQ(std::u16string(u"Gr\u00FC\u00DFe"), (const char16_t*)text);
  MENUITEMINFOW info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = (LPWSTR)L"Zweite Zeile";
  EXPECT_NE(0, WrapSetMenuItemInfo(menu, 0, 1, &info));
  GetMenuStringW((HMENU)menu, 0, text, 32, MF_BYPOSITION);
  EXPECT_EQ(std::wstring(L"Zweite Zeile"), text);
  EXPECT_EQ(2, GetMenuItemCount((HMENU)menu));
  WrapDestroyMenu(menu);
}

TEST_F(PlatformAnsiWindows, ClassNamesFollowTheAnsiRule) {
  AnsiScope scope;
  std::u16string longName = Repeat(260, u'c');
  WNDCLASSEXW wc;
  ZeroMemory(&wc, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = (LPCWSTR)longName.c_str();
  EXPECT_EQ(0, WrapRegisterClassEx(&wc));
  wc.lpszClassName = L"QuilAnsiTestClass";
  ASSERT_NE(0, WrapRegisterClassEx(&wc));
  WrapWindow w = WrapCreateWindow(u"QuilAnsiTestClass", u"Titel", WS_POPUP, 0, 0, 10, 10, nullptr,
                                  nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, w);
  EXPECT_FALSE(IsWindowUnicode((HWND)w));
  char16_t buf[16];
  EXPECT_EQ(5, WrapGetWindowText(w, buf, 16));
  EXPECT_EQ(std::u16string(u"Titel"), buf);
  WrapDestroyWindow(w);
  UnregisterClassA("QuilAnsiTestClass", wc.hInstance);
}

TEST_F(PlatformAnsiWindows, ToolTipsAreAddedAndRemovedInTheirAnsiForm) {
  WrapInitCommonControls();
  HWND tip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, 0, 0, 0, 0, parent, nullptr,
                             nullptr, nullptr);
  ASSERT_NE(nullptr, tip);
  AnsiScope scope;
  TTTOOLINFOW info;
  ZeroMemory(&info, sizeof info);
  info.cbSize = sizeof info;
  info.hwnd = parent;
  info.uId = 7;
  info.rect = RECT{0, 0, 50, 50};
  info.lpszText = (LPWSTR)L"Gr\u00FC\u00DFe";
  EXPECT_NE(0, WrapSendMessage(tip, TTM_ADDTOOLW, 0, (WrapLParam)&info));
  EXPECT_EQ(1, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  wchar_t text[80] = {};
  TTTOOLINFOW get;
  ZeroMemory(&get, sizeof get);
  get.cbSize = sizeof get;
  get.hwnd = parent;
  get.uId = 7;
  get.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 80, (LPARAM)&get);
  EXPECT_EQ(std::wstring(L"Gr\u00FC\u00DFe"), text);
  std::u16string huge = Repeat(32000, u'h');
  info.uId = 8;
  info.lpszText = (LPWSTR)huge.c_str();
  EXPECT_EQ(0, WrapSendMessage(tip, TTM_ADDTOOLW, 0, (WrapLParam)&info));
  info.uId = 7;
  WrapSendMessage(tip, TTM_DELTOOLW, 0, (WrapLParam)&info);
  EXPECT_EQ(0, SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0));
  DestroyWindow(tip);
}

// The module, icon and window-search wrappers answer alike in both modes; the program's file name
// is cut to the buffer and always terminated; a class name of 260 characters fails in ANSI mode.
TEST_F(PlatformAnsiWindows, ModuleIconAndWindowSearchInBothModes) {
  wchar_t wide[MAX_PATH];
  DWORD wideLength = GetModuleFileNameW(nullptr, wide, MAX_PATH);
  ASSERT_GT(wideLength, 4u);
  WNDCLASSEXW wc;
  ZeroMemory(&wc, sizeof wc);
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"QuilFindTestClass";
  ASSERT_NE(0, RegisterClassExW(&wc));
  HWND target = CreateWindowExW(0, L"QuilFindTestClass", L"Gr\u00FC\u00DFe", WS_POPUP, 0, 0, 10, 10,
                                nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(nullptr, target);
  for (int mode : {1, 0}) {
    AnsiScope scope(mode);
    EXPECT_EQ((WrapInstance)GetModuleHandleW(nullptr), WrapGetModuleHandle(nullptr)) << mode;
    EXPECT_EQ((WrapInstance)GetModuleHandleW(L"kernel32.dll"), WrapGetModuleHandle(u"kernel32.dll"))
        << mode;
    char16_t path[MAX_PATH];
    EXPECT_EQ(wideLength, WrapGetModuleFileName(nullptr, path, MAX_PATH)) << mode;
    EXPECT_EQ(std::u16string((const char16_t*)wide, wideLength), path) << mode;
    char16_t cut[5];
    EXPECT_EQ(4u, WrapGetModuleFileName(nullptr, cut, 5)) << mode;
    EXPECT_EQ(std::u16string((const char16_t*)wide, 4), cut) << mode;
    EXPECT_NE(nullptr, WrapLoadIcon(nullptr, WrapOrdinal(32512))) << mode;  // the application icon
    EXPECT_EQ(nullptr, WrapLoadIcon(GetModuleHandleW(nullptr), u"NoSuchIcon")) << mode;
    EXPECT_EQ((WrapWindow)target, WrapFindWindowEx(nullptr, nullptr, u"QuilFindTestClass", nullptr))
        << mode;
    EXPECT_EQ((WrapWindow)target,
              WrapFindWindowEx(nullptr, nullptr, u"QuilFindTestClass", u"Gr\u00FC\u00DFe"))
        << mode;
    EXPECT_EQ(nullptr, WrapFindWindowEx(nullptr, (WrapWindow)target, u"QuilFindTestClass", nullptr))
        << mode;
  }
  AnsiScope scope;
  std::u16string longName = Repeat(260, u'c');
  EXPECT_EQ(nullptr, WrapFindWindowEx(nullptr, nullptr, longName.c_str(), nullptr));
  DestroyWindow(target);
  UnregisterClassW(L"QuilFindTestClass", wc.hInstance);
}
