// Shared declarations of the program frame's Win32 files: window procedures, private messages,
// the class names and the helpers the entry, main, edit and clock windows share.
#pragma once
#include <windows.h>
#include <cstdint>
#include "core/platform_ui.h"

constexpr UINT WM_QUIL_FILTER_KEY = WM_USER + 1;   // hook -> main window: key in dialog or menu
constexpr UINT WM_QUIL_DIALOG_KEY = WM_USER + 2;   // main window -> innermost dialog: a key
constexpr UINT WM_QUIL_DIALOG_STEP = WM_USER + 3;  // main window -> dialog: step the focused field
constexpr UINT WM_QUIL_TICK = WM_USER + 4;         // tick thread -> main window
constexpr UINT WM_QUIL_SOUND = WM_USER + 5;        // play the event sound

extern const wchar_t kStatusClass[];
extern const wchar_t kEditClass[];
extern const wchar_t kInfoBoxClassName[];
extern const wchar_t kTitleClass[];
extern const wchar_t kClockClass[];

LRESULT CALLBACK StatusWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK EditWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK TitelWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK UhrWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK FilterFunc(int code, WPARAM wParam, LPARAM lParam);

// Entry (entry_win32.cpp).
int QuilWinMain(HINSTANCE instance, int showCommand);
int RegisterWindowClasses(HINSTANCE instance);
int InitInstance(HINSTANCE instance, int showCommand);
int RunMessageLoop();
int ShowStartupError(int code);
uint32_t ParseCommandLine();
HINSTANCE ProgramInstance();

// Main window (mainwnd_win32.cpp).
int StartTimerThreads();  // 0 ok, 1 a thread or the semaphore failed
void SuspendTimerThreads();
void EndTimerThreads();  // after the message loop: stop flag, resume, wait
// Resumes a thread until its suspend count is 0 (at most 8 times), so that it can run to its end.
void ResumeThreadFully(void* thread);
void RunIdleStep();  // nothing once the shut-down has begun
void CloseTitleWindow();
// The close path of the program (after the save question): runs the shut-down steps while every
// window still exists, then destroys the main window, whose WM_DESTROY posts the quit message.
void EndProgram();
// Tests: called with the step number (1..9) before each shut-down step runs.
extern void (*ShutDownStepHook)(int step);
// The title picture (number from TNR=, -1 = default): load returns 0 when it loaded. While no
// loader is set the title window is refused and start-up goes on without it.
extern int (*TitlePictureLoad)(int number);
extern void (*TitlePictureDraw)(HDC dc);
extern void (*TitlePictureFree)();
int CreateScrollBarsAndTooltips(HWND main);
void MoveScrollBarsToPanes();
void RegisterTooltipRects();
// Frame commands: the commands whose work lives in the frame (windows, views, recent files,
// quit). Returns 1 when the id was one of them.
int HandleFrameCommand(int id);
void UpdateMenuState(HWND window);                     // WM_INITMENU of an edit window
void ShowEditContextMenu(HWND window, LPARAM lParam);  // WM_CONTEXTMENU of an edit window
// Key and mouse input of the windows (app/input_win32.cpp).
int DispatchKey(int key, int flags, int fromEdit);  // the low byte of HandleKey
int KeyFlagsOf(LPARAM lParam);                      // Ctrl and Shift held, Alt from bit 29
// Key-down, system-key-down and character messages: 1 when the dispatcher used the key.
int HandleKeyMessage(UINT message, WPARAM wParam, LPARAM lParam, int fromEdit);
void DispatchMouse(UINT message, int x, int y, int fromStatus, int dragState, uint32_t keys);
int HandleEditMouseMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void DispatchCommand(int id, LPARAM lParam, int context);
int IsModalOpen();  // a dialog runs or a popup menu is open
// WM_SETCURSOR of the frame's windows: outside the client area and without a running dialog 0
// (default handling), else the cursor for the window is set and 1 returned.
int FrameSetCursor(HWND window, LPARAM lParam);
// WM_MOUSEACTIVATE of the main and edit windows: refused with a beep while a dialog runs.
LRESULT FrameMouseActivate();

// Edit windows (editwnd_win32.cpp).
void ClearEditSlotsAtStart();
void EnableCommandInAllWindows(int id, int enabled);

// Clock window (clockwnd_win32.cpp).
int ClockWindow(int operation, int32_t* left, int32_t* top, int32_t* width, int32_t* height);
HWND ClockWindowHandle();

// Menus (menu_win32.cpp).
void SetMenuItemText(int slot, uint16_t position, int commandId, uint32_t textId);
void SetMenuBarTexts(int slot);
void EnableMenuCommand(int id, int slot, int enabled);
void CheckMenuCommand(int id, int slot, int checked);
void SetEditMenuTexts(int slot);
void RebuildRecentFileMenus(int slot);
uint32_t GetMenuOpen();
void SetMenuOpen(uint32_t value);
uint32_t MenuHelpId(HWND window, HMENU popup);
extern HMENU OpenContextMenu;

// The frame's windows go through the platform call layer, so that they are wide or ANSI windows
// as UnicodeFlag says, every one of them (class, creation, texts, messages, default handling).
HINSTANCE ProgramInstance();
inline HWND FrameCreateWindow(DWORD exStyle, const wchar_t* className, const wchar_t* title,
                              DWORD style, int x, int y, int width, int height, HWND parent,
                              HMENU menu, HINSTANCE instance, void* param) {
  return (HWND)WrapCreateWindowEx(exStyle, (const char16_t*)className, (const char16_t*)title,
                                  style, x, y, width, height, parent, menu, instance, param);
}
inline LRESULT FrameSend(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return (LRESULT)WrapSendMessage(window, message, wParam, lParam);
}
inline LRESULT FrameDefault(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return (LRESULT)WrapDefWindowProc(window, message, wParam, lParam);
}

// Work area of the desktop (left, top, width, height).
void GetWorkArea(int32_t* left, int32_t* top, int32_t* width, int32_t* height);
