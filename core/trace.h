// The trace file "R27KTR.000": diagnostic lines appended as UTF-16 little-endian text.
#pragma once

// Appends the text and CR LF (no byte-order mark, no terminator) to "R27KTR.000" in the current
// folder, creating it when missing. -1 when it cannot be opened, else the close result (0).
int AppendTraceFile(const char16_t* text);
