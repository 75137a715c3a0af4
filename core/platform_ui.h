// The user-interface wrappers of the platform call layer (windows, messages, dialogs, menus,
// cursors, scroll bars, graphics, common dialogs, profile, registry, sound, help, clipboard).
// Win32 build only: included by *_win32 files and the front-end code compiled there.
#pragma once
#include <cstdint>
#include "core/platform.h"

// ---- opaque handles and shapes ---------------------------------------------------------------------
typedef void* WrapMenu;       // HMENU
typedef void* WrapDC;         // HDC
typedef void* WrapGdiObject;  // HGDIOBJ (bitmap, brush, font ...)
typedef void* WrapCursor;     // HCURSOR
typedef void* WrapIcon;       // HICON
typedef void* WrapInstance;   // HINSTANCE
typedef void* WrapHook;       // HHOOK
typedef void* WrapAccel;      // HACCEL
typedef void* WrapKey;        // HKEY
typedef uintptr_t WrapWParam;
typedef intptr_t WrapLParam;
typedef intptr_t WrapLResult;

#if defined(_WIN32) && !defined(_WIN64)
#define WRAP_CALLBACK __attribute__((stdcall))
#else
#define WRAP_CALLBACK
#endif
typedef WrapLResult(WRAP_CALLBACK* WrapWndProc)(WrapWindow window, uint32_t message,
                                                WrapWParam wParam, WrapLParam lParam);
typedef intptr_t(WRAP_CALLBACK* WrapDlgProc)(WrapWindow window, uint32_t message, uintptr_t wParam,
                                             intptr_t lParam);
typedef WrapLResult(WRAP_CALLBACK* WrapHookProc)(int code, WrapWParam wParam, WrapLParam lParam);

// The platform's RECT, POINT and SIZE (32-bit fields).
struct WrapRect {
  int32_t left, top, right, bottom;
};
struct WrapPoint {
  int32_t x, y;
};
struct WrapSize {
  int32_t cx, cy;
};

// A resource ordinal passed where a name is expected (values below 0x10000 are ordinals).
inline const char16_t* WrapOrdinal(unsigned id) { return (const char16_t*)(uintptr_t)id; }
inline int WrapIsOrdinal(const char16_t* name) { return (uintptr_t)name < 0x10000; }

// HKEY_CURRENT_USER (the platform sign-extends the 32-bit value)
inline const WrapKey WRAP_HKEY_CURRENT_USER = (WrapKey)(intptr_t)(int32_t)0x80000001u;

// Records marked "platform record" are the platform's wide records (WNDCLASSEXW, PAINTSTRUCT,
// OPENFILENAMEW ...), filled by Win32-side code; in ANSI mode the wrapper copies them into their
// ANSI layouts and copies back what the platform writes.

// ---- system ------------------------------------------------------------------------------------------
const char16_t* WrapGetCommandLine();
WrapInstance WrapGetModuleHandle(const char16_t* name);  // null: the program itself
// The full path of the module's file (null: the program's) into buf, cut to maxChars with the 0.
// Returns the characters written without the 0, 0 on failure.
uint32_t WrapGetModuleFileName(WrapInstance module, char16_t* buf, uint32_t maxChars);
void WrapGetSystemInfo(void* systemInfo);  // platform record
// ANSI mode answers only action 48 (the work area) and returns 0 for every other action.
int WrapSystemParametersInfo(uint32_t action, uint32_t param, void* value, uint32_t winIni);
int WrapGetSystemMetrics(int index);
int WrapMulDiv(int number, int numerator, int denominator);
uint16_t WrapGetUserDefaultLangID();
uint32_t WrapGetUserDefaultLCID();
// ANSI mode accepts buffers of at most 1000 characters (else last error 122 and 0).
int WrapGetLocaleInfo(uint32_t locale, uint32_t type, char16_t* buf, int maxChars);
int WrapIsTextUnicode(const void* data, int bytes, int* flags);

// ---- windows ----------------------------------------------------------------------------------------
uint16_t WrapRegisterClassEx(const void* wndClassEx);  // platform record; atom or 0
WrapWindow WrapCreateWindow(const char16_t* className, const char16_t* windowName, uint32_t style,
                            int x, int y, int width, int height, WrapWindow parent, WrapMenu menu,
                            WrapInstance instance, void* param);
WrapWindow WrapCreateWindowEx(uint32_t exStyle, const char16_t* className,
                              const char16_t* windowName, uint32_t style, int x, int y, int width,
                              int height, WrapWindow parent, WrapMenu menu, WrapInstance instance,
                              void* param);
int WrapDestroyWindow(WrapWindow window);
int WrapShowWindow(WrapWindow window, int command);
int WrapUpdateWindow(WrapWindow window);
int WrapEnableWindow(WrapWindow window, int enable);
int WrapIsWindowEnabled(WrapWindow window);
intptr_t WrapGetWindowLong(WrapWindow window, int index);                  // ANSI form always
intptr_t WrapSetWindowLong(WrapWindow window, int index, intptr_t value);  // ANSI form always
int WrapGetWindowPlacement(WrapWindow window, void* placement);            // platform record
int WrapGetClientRect(WrapWindow window, WrapRect* rect);
int WrapGetWindowRect(WrapWindow window, WrapRect* rect);
int WrapMoveWindow(WrapWindow window, int x, int y, int width, int height, int repaint);
int WrapClientToScreen(WrapWindow window, WrapPoint* point);
int WrapScreenToClient(WrapWindow window, WrapPoint* point);
WrapWindow WrapGetActiveWindow();
WrapWindow WrapSetActiveWindow(WrapWindow window);
WrapWindow WrapSetFocus(WrapWindow window);
int WrapInvalidateRect(WrapWindow window, const WrapRect* rect, int erase);
int WrapValidateRect(WrapWindow window, const WrapRect* rect);
WrapLResult WrapDefWindowProc(WrapWindow window, uint32_t message, WrapWParam wParam,
                              WrapLParam lParam);
int WrapSetWindowText(WrapWindow window, const char16_t* text);         // via WrapSendMessage
int WrapGetWindowText(WrapWindow window, char16_t* buf, int maxChars);  // via WrapSendMessage

// ---- messages ---------------------------------------------------------------------------------------
// ANSI mode: WM_SETTEXT cut to 31999 characters; WM_GETTEXT count capped at 32000 and converted
// back; TTM_ADDTOOLW / TTM_DELTOOLW sent in their ANSI form; every other message unchanged.
WrapLResult WrapSendMessage(WrapWindow window, uint32_t message, WrapWParam wParam,
                            WrapLParam lParam);
int WrapPostMessage(WrapWindow window, uint32_t message, WrapWParam wParam, WrapLParam lParam);
void WrapPostQuitMessage(int exitCode);
int WrapGetInputState();
uint32_t WrapGetQueueStatus(uint32_t flags);
int16_t WrapGetKeyState(int key);
int16_t WrapGetAsyncKeyState(int key);
WrapHook WrapSetWindowsHookEx(int hookId, WrapHookProc proc);  // ANSI form, this thread
int WrapUnhookWindowsHookEx(WrapHook hook);
WrapLResult WrapCallNextHook(WrapHook hook, int code, WrapWParam wParam, WrapLParam lParam);
uintptr_t WrapSetTimer(WrapWindow window, uintptr_t id, uint32_t milliseconds);  // no callback
int WrapKillTimer(WrapWindow window, uintptr_t id);
WrapWindow WrapSetCapture(WrapWindow window);
int WrapReleaseCapture();
// The message loop (msg: the platform's MSG record): wide or ANSI calls as UnicodeFlag says.
int WrapGetMessage(void* msg, WrapWindow window, uint32_t first, uint32_t last);  // >0, 0 quit, -1
int WrapPeekMessage(void* msg, WrapWindow window, uint32_t first, uint32_t last, uint32_t remove);
WrapLResult WrapDispatchMessage(const void* msg);
int WrapTranslateMessage(const void* msg);
int WrapTranslateAccelerator(WrapWindow window, WrapAccel accelerators, void* msg);
// Waits for the object as WrapWaitForSingleObject does, but handles the messages other threads
// send to this thread's windows meanwhile, so that a thread blocked in such a send can go on
// (and end). Posted messages stay queued.
uint32_t WrapWaitHandlingSends(WrapHandle object, uint32_t milliseconds);

// ---- dialogs ------------------------------------------------------------------------------------------
intptr_t WrapDialogBoxParam(WrapInstance instance, uint32_t templateId, WrapWindow owner,
                            WrapDlgProc proc, intptr_t param);
int WrapEndDialog(WrapWindow dialog, intptr_t result);
WrapWindow WrapGetDlgItem(WrapWindow dialog, int id);
int WrapGetDlgCtrlID(WrapWindow control);
WrapWindow WrapGetNextDlgTabItem(WrapWindow dialog, WrapWindow control, int previous);
// ANSI mode: the string messages of lists and combo boxes convert their text (cut to 259
// characters); LB_GETTEXT is refused (0).
WrapLResult WrapSendDlgItemMessage(WrapWindow dialog, int id, uint32_t message, WrapWParam wParam,
                                   WrapLParam lParam);
int WrapSetDlgItemText(WrapWindow dialog, int id, const char16_t* text);
int WrapGetDlgItemText(WrapWindow dialog, int id, char16_t* buf, int maxChars);
int WrapSetDlgItemInt(WrapWindow dialog, int id, uint32_t value, int isSigned);
uint32_t WrapGetDlgItemInt(WrapWindow dialog, int id, int* translated, int isSigned);
int WrapCheckRadioButton(WrapWindow dialog, int firstId, int lastId, int checkId);
int WrapCheckDlgButton(WrapWindow dialog, int id, uint32_t check);
uint32_t WrapIsDlgButtonChecked(WrapWindow dialog, int id);
int WrapMapDialogRect(WrapWindow dialog, WrapRect* rect);
int WrapMessageBeep(uint32_t type);

// ---- menus ---------------------------------------------------------------------------------------------
WrapMenu WrapLoadMenu(WrapInstance instance, uint32_t menuId);
int WrapDestroyMenu(WrapMenu menu);
int WrapRemoveMenu(WrapMenu menu, uint32_t position, uint32_t flags);
WrapMenu WrapGetMenu(WrapWindow window);
WrapMenu WrapGetSubMenu(WrapMenu menu, int position);
// newItem is a text for string items, else the platform's bitmap handle or item data.
int WrapModifyMenu(WrapMenu menu, uint32_t position, uint32_t flags, uintptr_t newId,
                   const char16_t* newItem);
int WrapSetMenuItemInfo(WrapMenu menu, uint32_t item, int byPosition,
                        const void* menuItemInfo);  // platform record
int WrapAppendMenu(WrapMenu menu, uint32_t flags, uintptr_t newId, const char16_t* newItem);
uint32_t WrapCheckMenuItem(WrapMenu menu, uint32_t item, uint32_t check);
int WrapEnableMenuItem(WrapMenu menu, uint32_t item, uint32_t enable);
int WrapTrackPopupMenuEx(WrapMenu menu, uint32_t flags, int x, int y, WrapWindow window,
                         void* params);
int WrapDrawMenuBar(WrapWindow window);
WrapAccel WrapLoadAccelerators(WrapInstance instance, const char16_t* name);  // text or WrapOrdinal

WrapIcon WrapLoadIcon(WrapInstance instance, const char16_t* name);  // text or WrapOrdinal
// The next top-level (parent null) or child window after `after` of the class and title (either
// may be null: any).
WrapWindow WrapFindWindowEx(WrapWindow parent, WrapWindow after, const char16_t* className,
                            const char16_t* title);

// ---- cursors and scroll bars --------------------------------------------------------------------------------
WrapCursor WrapLoadCursor(WrapInstance instance, const char16_t* name);  // text or WrapOrdinal
int WrapDestroyCursor(WrapCursor cursor);
WrapCursor WrapSetCursor(WrapCursor cursor);
int WrapGetCursorPos(WrapPoint* point);
int WrapSetScrollRange(WrapWindow window, int bar, int minimum, int maximum, int redraw);
int WrapSetScrollInfo(WrapWindow window, int bar, const void* scrollInfo,
                      int redraw);  // platform record
int WrapSetScrollPos(WrapWindow window, int bar, int position, int redraw);
int WrapShowScrollBar(WrapWindow window, int bar, int show);

// ---- graphics -----------------------------------------------------------------------------------------------
int WrapGetDeviceCaps(WrapDC dc, int index);
uint32_t WrapGetSysColor(int index);  // 0x00BBGGRR
// Copies a top-down 32-bit image of width x height pixels to (x, y) of the context.
int WrapSetPixelsToDevice(WrapDC dc, int x, int y, int width, int height, const uint32_t* pixels);
WrapDC WrapGetDC(WrapWindow window);
int WrapReleaseDC(WrapWindow window, WrapDC dc);
WrapDC WrapBeginPaint(WrapWindow window, void* paint);  // platform record (PAINTSTRUCT)
int WrapEndPaint(WrapWindow window, const void* paint);
WrapDC WrapCreateCompatibleDC(WrapDC dc);
int WrapDeleteDC(WrapDC dc);
WrapDC WrapGetWindowDC(WrapWindow window);
WrapGdiObject WrapCreateCompatibleBitmap(WrapDC dc, int width, int height);
int WrapStretchBlt(WrapDC dest, int x, int y, int width, int height, WrapDC source, int sx, int sy,
                   int sWidth, int sHeight, uint32_t rop);
int WrapSetBkMode(WrapDC dc, int mode);
uint32_t WrapSetTextAlign(WrapDC dc, uint32_t align);
uint32_t WrapSetTextColor(WrapDC dc, uint32_t colour);  // 0x00BBGGRR
uint32_t WrapSetBkColor(WrapDC dc, uint32_t colour);
int WrapTextOut(WrapDC dc, int x, int y, const char16_t* text, int count);  // always wide
int WrapExtTextOut(WrapDC dc, int x, int y, uint32_t options, const WrapRect* rect,
                   const char16_t* text, uint32_t count, const int* dx);  // always wide
int WrapGetTextExtentPoint32(WrapDC dc, const char16_t* text, int count,
                             WrapSize* size);  // always wide
// Single pixels (colours 0x00BBGGRR): SetPixelV when exact is set, else SetPixel; GetPixel gives
// 0xFFFFFFFF outside the clipping region.
int WrapSetPixel(WrapDC dc, int x, int y, uint32_t colour, int exact);
uint32_t WrapGetPixel(WrapDC dc, int x, int y);
// Fills a rectangle (right and bottom exclusive) with a brush.
int WrapFillRect(WrapDC dc, const WrapRect* rect, WrapGdiObject brush);
int WrapBitBlt(WrapDC dest, int x, int y, int width, int height, WrapDC source, int sx, int sy,
               uint32_t rop);
// A bitmap of the given planes and bits per pixel from rows of bits (rows padded to 16 bits).
WrapGdiObject WrapCreateBitmap(int width, int height, uint32_t planes, uint32_t bitsPerPixel,
                               const void* bits);
// Scrolls a client rectangle of a window, invalidating what is uncovered.
int WrapScrollWindowEx(WrapWindow window, int dx, int dy, const WrapRect* scroll,
                       const WrapRect* clip, uint32_t flags);
WrapGdiObject WrapCreateSolidBrush(uint32_t colour);
WrapGdiObject WrapSelectObject(WrapDC dc, WrapGdiObject object);
WrapGdiObject WrapGetStockObject(int index);
int WrapDeleteObject(WrapGdiObject object);
// ANSI mode: a face name of 32 or more characters fails (null).
WrapGdiObject WrapCreateFont(int height, int width, int escapement, int orientation, int weight,
                             uint32_t italic, uint32_t underline, uint32_t strikeOut,
                             uint32_t charSet, uint32_t outPrecision, uint32_t clipPrecision,
                             uint32_t quality, uint32_t pitchAndFamily, const char16_t* face);

// ---- common dialogs and controls ------------------------------------------------------------------------------
void WrapInitCommonControls();
int WrapChooseColor(void* chooseColor);             // platform record (CHOOSECOLORW)
int WrapChooseFont(void* chooseFont);               // platform record (CHOOSEFONTW)
int WrapGetFileName(void* openFileName, int save);  // platform record (OPENFILENAMEW)

// ---- profile and registry ---------------------------------------------------------------------------------------
// ANSI mode: result buffers of at most 520 characters; registry string values (type 1) are
// converted both ways and reads are limited to 260 bytes.
uint32_t WrapGetProfileString(const char16_t* app, const char16_t* key, const char16_t* fallback,
                              char16_t* buf, uint32_t maxChars);
uint32_t WrapGetPrivateProfileString(const char16_t* app, const char16_t* key,
                                     const char16_t* fallback, char16_t* buf, uint32_t maxChars,
                                     const char16_t* file);
int WrapWritePrivateProfileString(const char16_t* app, const char16_t* key, const char16_t* value,
                                  const char16_t* file);
uint32_t WrapGetPrivateProfileInt(const char16_t* app, const char16_t* key, int fallback,
                                  const char16_t* file);
long WrapRegOpenKeyEx(WrapKey key, const char16_t* subKey, uint32_t options, uint32_t access,
                      WrapKey* result);
long WrapRegCreateKeyEx(WrapKey key, const char16_t* subKey, uint32_t options, uint32_t access,
                        WrapKey* result, uint32_t* disposition);
long WrapRegSetValueEx(WrapKey key, const char16_t* name, uint32_t type, const void* data,
                       uint32_t bytes);
long WrapRegQueryValueEx(WrapKey key, const char16_t* name, uint32_t* type, void* data,
                         uint32_t* bytes);
long WrapRegCloseKey(WrapKey key);

// ---- sound and help --------------------------------------------------------------------------------------------------
uint32_t WrapMciSendCommand(uint32_t device, uint32_t command, uintptr_t flags,
                            void* record);  // platform record
WrapWindow WrapHtmlHelp(WrapWindow owner, const char16_t* file, uint32_t command, uintptr_t data);

// The clipboard wrappers are portable (core/platform.h): the native build has a clipboard of its own.
