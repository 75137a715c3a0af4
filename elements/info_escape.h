// Free texts in copy-text lines: control characters, the line and paragraph separators and the
// backslash become a backslash and four hexadecimal digits, and the lines are cut at 200 characters.
#pragma once
#include <cstdint>

constexpr int INFO_TEXT_MAX = 10001;      // units written and read at most (the last one is 0)
constexpr int INFO_LINE_WRITE = 200;      // a written line ends once it holds this many characters
constexpr int INFO_LINE_READ = 210;       // the longest line the reader takes

// Appends the escaped lines of the text's first capacity units (at most INFO_TEXT_MAX, the last of
// them written as 0) to the copy text: 0, or the first line error.
int EscapeInfoText(const char16_t* text, int capacity);
// Collects n units (at most INFO_TEXT_MAX) from the copy-text lines from *lineIndex on into out,
// taking a new line whenever one is used up; *lineIndex moves past the lines used. 0, or 2 when a
// line cannot be read or an escape is bad.
int UnescapeInfoText(int* lineIndex, char16_t* out, int n);
