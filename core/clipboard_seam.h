// Test seam of the native build's clipboard (core/platform_clipboard_native.cpp): the clipboard
// lives in the process; tests can make opening or handing over data fail.
#pragma once
#include <cstddef>
#include <cstdint>

void ClipSeamReset();             // empties and closes the clipboard, clears the failures
void ClipSeamFailOpen(int fail);  // 1: WrapOpenClipboard fails
void ClipSeamFailSet(int fail);   // 1: WrapSetClipboardData fails
int ClipSeamIsOpen();
// Puts a copy of bytes under format (as another program would); 0 ok, 1 out of memory.
int ClipSeamPut(uint32_t format, const void* bytes, size_t count);
