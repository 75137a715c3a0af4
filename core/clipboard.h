// Text lines through the system clipboard (the wide text format when UnicodeFlag is set, else the
// ANSI one), a marked list copied as plain lines, and the device-independent bitmap of the
// clipboard.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int CLIP_LINE_MAX = 256;  // a list line of this many characters or more is refused

// 0, or 1 when the clipboard cannot be opened.
int ClearClipboard();
// Appends text as a new line (after CR LF when the clipboard already holds text of the format in
// use; else the clipboard is emptied first). 0; 1 out of memory; 2 the clipboard cannot be opened
// or does not take the text.
int AppendClipboardLine(const char16_t* text);
// Empties the clipboard and copies the lines of list (0-terminated lines ended by an empty one),
// without their marking codes (2 with 3 parameter units, 6 with 5, which may be 0 units; the next
// 2 or 6 closes the run), each followed by CR LF. The lists are the program's own; a code that
// opens a run stands at least its parameter count before the end of the list. 0; 3 a line of CLIP_LINE_MAX or more characters (the lines before
// it are on the clipboard); else the first failure of AppendClipboardLine.
int CopyListToClipboard(const char16_t* list);
// Line index (from 0) of the clipboard text into out (capacity characters with the terminator).
// 0; 1 cut to capacity - 1 characters; 2 the clipboard cannot be opened; 3 no text or no such
// line (out empty).
int ReadClipboardLine(int index, int capacity, char16_t* out);
// A MemAlloc copy of the clipboard's bitmap (header, colour table and pixels; the caller frees
// it), its size in *bytes (may be null). 0; 2 cannot open; 3 no bitmap, or a bitmap whose header is
// not one this program reads or claims more than the clipboard holds; 4 out of memory.
int ReadClipboardDib(void** block, size_t* bytes);
// The bytes a bitmap with this header takes (header, colour table, rows), or 0 when the header is
// refused; available bounds what the header may claim.
uint64_t ClipboardDibSize(const uint8_t* header, size_t available);
