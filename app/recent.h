// The list of the 32 recently opened network files (entry 0 the newest) and the texts of their
// menu items.
#pragma once
#include "../resources/menus.h"
#include <cstdint>

constexpr int RECENT_COUNT = 32;
constexpr int RECENT_CHARS = 260;                  // per entry, terminator included
constexpr int RECENT_FIRST_ID = CMD_RECENT_FIRST;  // menu commands 272..303
constexpr int RECENT_LAST_ID = CMD_RECENT_LAST;

extern char16_t RecentFiles[RECENT_COUNT][RECENT_CHARS];
extern int32_t RecentShownCount;  // option DateiZahl, 0..32

// With a path: moves an equal entry (case and leading blanks ignored) or, when none of entries
// 0..30 matches, all 31 one place down (dropping entry 31) and puts the path first; a path of
// 260 characters or more is cut to fit. Without a path (null): empties all 32 entries.
void AddRecentFile(const char16_t* path);

// Copies the entry of command id 272..303 into buffer (RECENT_CHARS units). 0 copied; 1 when
// the id is outside 272..303 or the entry's length is not 1..259.
int GetRecentFile(char16_t* buffer, int id);

// Caption of the item of entry index (0..31): "&%c %s" with the digit for 0..9, "%u %s" for
// 10..31. Writes at most capacity units (terminator included). Returns 0, 1 for a bad index.
int FormatRecentMenuItem(int index, char16_t* out, int capacity);

// Sets the shown count (0..32); 0 ok, 1 out of range (unchanged).
int SetRecentShownCount(int n);
