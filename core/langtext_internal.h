// Shared state and helpers of the language-text files (langtext*.cpp, collation.cpp); not for
// other modules. Tables hold entries of LangEntry + text, each padded to 4 bytes.
#pragma once
#include <atomic>
#include <cstdint>
#include "core/langtext.h"

struct LangTableState {
  uint8_t* data;   // entries in ascending id order (null: no table)
  uint32_t bytes;  // bytes used
  uint32_t count;  // entries
  // Lookup cache: (id << 32) | entry offset of the last id found, 0 for none (ids are above 0).
  // One word, so a lookup from another thread never sees an id with another id's offset.
  std::atomic<uint64_t> cache;
  char16_t fileName[261];
};

extern LangTableState LangMain;       // ids 1..39999 ("quil.lng")
extern LangTableState LangSecond;     // ids from 40000 ("quil.lnv")
extern LangTableState LangCollation;  // key character -> equivalent characters ("quil.lnx")

// Bytes one entry of `length` characters (terminator included) takes in a table.
inline uint32_t LangEntrySize(uint32_t length) { return (8 + 2 * length + 3) & ~3u; }

void LangClearCaches();
void LangFreeTable(LangTableState* t);
// Reports info message `number` through the message seam.
void LangReport(int number, const char16_t* text);
// Counts a warning of the load in progress (line number of the source file).
void LangWarn(int line);
void LangResetWarnings();

// Growing entry block used by both parsers: starts at 4096 bytes, grows by 4096.
struct LangBuilder {
  uint8_t* data;
  uint32_t bytes;
  uint32_t capacity;
  uint32_t count;
};
// Appends id and text (length characters, without terminator): 0, or 1 when out of memory.
int LangBuilderAppend(LangBuilder* b, uint32_t id, const char16_t* text, uint32_t length);
void LangBuilderFree(LangBuilder* b);

// Line reader over the open stream: a line ends at any character below U+0020; such characters
// at the start of a line are skipped. Lines longer than `capacity` - 1 units are cut (the rest
// of the line is dropped and `cut` set).
struct LangLineReader {
  int line;      // source line number of the last line read (1-based)
  int pending;   // a character read ahead (-1 none)
  int newlines;  // line breaks seen since the last line (for line numbers)
};
void LangLineReaderInit(LangLineReader* r);
// 0 a line, 1 end of file before any character, 2 read error. The line is terminated.
int LangReadLine(LangLineReader* r, char16_t* line, int capacity, int* length, int* cut);

// ---- texts used as formats ----------------------------------------------------------------------
// The built-in (English) form of a text that holds "%", or null when the id is not a format text;
// length (may be null) receives its characters without the terminator, all 0-separated parts.
const char16_t* FindBuiltinFormat(uint32_t id, uint32_t* length);
int BuiltinFormatCount();
// 1 when both texts have the same printf conversions in the same order (flags, width and
// precision ignored; "%%" is no conversion); a malformed conversion never matches.
int SameConversions(const char16_t* a, const char16_t* b);
// Writes the canonical conversion list of text ("%u%s") into out (capacity units): 0, or 1 when
// the text holds a malformed conversion or the list does not fit.
int ConversionSignature(const char16_t* text, char16_t* out, int capacity);
