// Language texts: the two text tables ("quil.lng" ids below 40000, "quil.lnv" ids from 40000),
// lookup by id, the character-order table ("quil.lnx"), the document text blocks and built-in texts.
#pragma once
#include <cstdint>

// Every text-id literal in code is written LANG_ID(n); a text used as a printf-style format is
// written LANG_FMT(n, "%u%s") where the string lists exactly the conversions the call passes, in
// order. Both expand to the number; the id checker of the test run reads them from the sources.
#define LANG_ID(n)         (n)
#define LANG_FMT(n, convs) (n)

constexpr uint32_t LANG_SECOND_FIRST_ID = 40000;  // first id of the second table ("quil.lnv")
constexpr int LANG_TEXT_MAX = 249;                // characters of one text after escapes
constexpr int LANG_BUILTIN_LANGUAGES = 6;         // 0 English, 1 German, 2 French, 3 Dutch,
                                                  // 4 Polish, 5 Spanish
constexpr int LANG_BUILTIN_ROWS = 13;
constexpr int TEXT_BLOCK_SHORT = 80;    // blocks 0 and 1 (terminator not counted)
constexpr int TEXT_BLOCK_LONG = 20000;  // block 2 (terminator not counted)

// Built-in text rows (GetBuiltinText).
constexpr int BUILTIN_OLD_PLATFORM_TITLE = 0;
constexpr int BUILTIN_OLD_PLATFORM_TEXT = 1;
constexpr int BUILTIN_STARTUP_ERROR_TITLE = 4;  // format: "%u" (the error code)
constexpr int BUILTIN_PROGRAM_CANCELED = 6;     // begins with CR LF
constexpr int BUILTIN_USAGE_TITLE = 7;
constexpr int BUILTIN_USAGE_TEXT = 8;
constexpr int BUILTIN_NO_MEMORY = 9;
constexpr int BUILTIN_FILE_MISSING = 10;  // the file name follows
constexpr int BUILTIN_FILE_FAULTY = 11;   // the file name follows
constexpr int BUILTIN_OLD_PROCESSOR = 12;

// Results of LoadLanguageFile.
constexpr int LANG_OK = 0;
constexpr int LANG_ERR_OPEN = 1;    // cannot open
constexpr int LANG_ERR_READ = 2;    // read error, also a missing "." end line
constexpr int LANG_ERR_SYNTAX = 3;  // syntax, range or order error; also the stream is busy
constexpr int LANG_ERR_MEMORY = 4;  // out of memory

// One entry of a table: id, length (characters including the terminating 0), then the characters.
struct LangEntry {
  uint32_t id;
  uint32_t length;
  // char16_t text[length] follows
};
inline const char16_t* LangEntryText(const LangEntry* e) {
  return reinterpret_cast<const char16_t*>(e + 1);
}

// ---- life of the module -------------------------------------------------------------------------
int InitLanguage();   // 0, or 1 when a text block cannot be allocated; clears both caches
void ExitLanguage();  // frees the text blocks and all three tables, clears counts and caches

// ---- loading ------------------------------------------------------------------------------------
// main != 0 loads the main table (ids 1..39999), 0 the second table (ids from 40000). The file is
// read from the program folder (file kind 0). Results LANG_OK / LANG_ERR_...; after a failure the
// old table stays in force.
int LoadLanguageFile(const char16_t* fileName, int main);
// Loads "quil.lnx" from the program folder: 0; 1 cannot open or no byte-order mark (info message
// 583); 2 read error or out of memory (info message 584).
int LoadCollationFile();
// The file name a table was loaded from ("" when none).
const char16_t* GetLangFileName(int main);

// ---- lookup -------------------------------------------------------------------------------------
// The text of an id (valid until its table is reloaded); a missing id gives "?@F<id>" in a shared
// static buffer (overwritten by the next such call).
const char16_t* GetLangText(uint32_t id);
// The text converted to the ANSI code page in a static 250-byte buffer.
const char* GetLangTextA(uint32_t id);
// Stored length (characters including the terminator), 0 for a missing id.
uint32_t GetLangTextLength(uint32_t id);
// The entry of an id or null; length (may be null) receives the stored length.
const LangEntry* FindLangEntry(uint32_t id, uint32_t* length);

// ---- character order ----------------------------------------------------------------------------
char16_t MapCollationKey(char16_t ch, int ignoreCase);

// ---- document text blocks -----------------------------------------------------------------------
// GetTextBlock copies block 0 or 1 (text holds 81 characters) or block 2 (20001 characters):
// 0, or 1 for another index. SetTextBlock: 0, or 1 for a bad index or a missing block; the copy
// stops at the source's terminator or the block's size, whichever comes first.
int GetTextBlock(int index, char16_t* text);
int SetTextBlock(int index, const char16_t* text);

// ---- built-in texts -----------------------------------------------------------------------------
// A language of 6 or more counts as 0 (English); a row outside 0..12 gives "".
const char16_t* GetBuiltinText(unsigned language, unsigned row);

// ---- messages -----------------------------------------------------------------------------------
// Info messages of the loaders (580-584): number and the composed text. They are shown with
// ShowInfo unless a handler is set here (tests, or a caller that collects them); null restores
// the information box.
typedef void (*LangMessageFn)(int number, const char16_t* text);
void SetLangMessageHandler(LangMessageFn fn);
// Warnings of the last load (escape and length problems): count, and the line of the first one.
int GetLangWarningCount();
int GetLangFirstWarningLine();
