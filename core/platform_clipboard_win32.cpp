// Win32 build, clipboard group: owner, open, close, empty, and getting and setting its data.
// (The global memory blocks and the memory status are in platform_win32 and platform_locale_win32.)
#include "core/platform_ui.h"
#include "core/platform_ansi_win32.h"

WrapWindow WrapGetClipboardOwner() { return GetClipboardOwner(); }
int WrapOpenClipboard(WrapWindow window) { return OpenClipboard((HWND)window); }
int WrapCloseClipboard() { return CloseClipboard(); }
int WrapEmptyClipboard() { return EmptyClipboard(); }
WrapGlobal WrapGetClipboardData(uint32_t format) { return GetClipboardData(format); }
WrapGlobal WrapSetClipboardData(uint32_t format, WrapGlobal data) {
  return SetClipboardData(format, (HANDLE)data);
}
