// The lists of user graphic files: the user-symbol files (.uzg) of the 100 user-symbol pages.
#pragma once

constexpr int USER_FILE_NAME_CHARS = 260;  // a name buffer, terminator included

// Copies the name of user-symbol file n (1..100) into name (empty when the page has no file of
// its own): 0, or 1 for n outside 1..100 (name untouched).
int GetSymbolFileName(int n, char16_t* name);
