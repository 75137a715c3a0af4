// Shared state of the file stream between its source files (stream.cpp keeps the one stream,
// stream_text.cpp reads and writes characters through it). Not for use outside the stream.
#pragma once
#include <cstdint>

int StreamWriteEncodingBits();  // STREAM_WRITE_... bits chosen at open, 0 = by UnicodeFlag
void StreamSetReadEncodingValue(int enc);  // STREAM_ENC_...
int StreamIsOpenForReading();              // 1 when the open file is being read
int64_t StreamFileLength();                // length of the open file, -1 when unknown
// Formats language text 10000 with the byte count into out (100 characters).
void StreamFormatProgress(char16_t* out, uint32_t bytes);
