// The text of a status-pane tooltip for the narrow (ANSI) tooltip request.
#pragma once

constexpr int TOOLTIP_NARROW_BYTES = 80;  // the request's own text buffer

// Converts the pane's text to the ANSI code page into out (TOOLTIP_NARROW_BYTES bytes): a text of
// 80 or more characters, or one whose conversion does not fit, gives "?L".
void TooltipNarrowText(const char16_t* text, char* out);
