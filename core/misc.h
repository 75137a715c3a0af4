// Memory, strings and numbers: the one counting allocator, wide-string and memory primitives,
// case mapping, searching, control-code escapes, name tokens, decimal numbers and random values.
#pragma once
#include <cstddef>
#include <cstdint>

// ---- allocator -------------------------------------------------------------------------------
extern int32_t MemBlockCount;  // live blocks
extern uint32_t MemByteTotal;  // sum of the granted sizes of the live blocks

void* MemAlloc(size_t size);                 // contents undefined; null on failure
void* MemRealloc(void* block, size_t size);  // null in -> null; failure keeps the old block
int MemFree(void* block);                    // 0, or MEMFREE_... reason
int MemForget(size_t size);                  // 0, 1 size 0, 2 no block counted
// Returns the total physical memory in bytes; every out pointer may be null.
uint64_t GetMemoryStatus(uint64_t* freePhysical, uint64_t* totalVirtual, uint64_t* freeVirtual,
                         uint32_t* loadPercent, int32_t* blockCount, uint32_t* byteTotal);
int InitMisc();
void ExitMisc();

constexpr int MEMFREE_NULL = 1;       // null pointer
constexpr int MEMFREE_NOT_OURS = 2;   // not a block of this allocator
constexpr int MEMFREE_SIZE_ZERO = 3;  // the block's size reads as 0
constexpr int MEMFREE_REFUSED = 4;    // the platform refused to free it

// ---- memory and string primitives -------------------------------------------------------------
void CopyMem(void* dst, const void* src, size_t n);
void MoveMem(void* dst, const void* src, size_t n);
void FillMem(void* dst, int value, size_t n);
int CompareMem(const void* a, const void* b, size_t n);
void FillChars(char16_t* dst, char16_t ch, size_t n);
char16_t* CopyString(char16_t* dst, const char16_t* src);  // returns dst
char* CopyStringA(char* dst, const char* src);             // returns dst
// Copies at most capacity - 1 characters of src (null: none) and a terminator into dst
// (capacity >= 1); returns the characters copied.
int CopyStringLimited(char16_t* dst, const char16_t* src, int capacity);
char16_t* AppendString(char16_t* dst, const char16_t* src);  // returns dst
int StringLength(const char16_t* s);                         // 0 for null
const char16_t* FindChar(const char16_t* s, char16_t ch);
char16_t* FindChar(char16_t* s, char16_t ch);
int CountLeadingBlanks(const char16_t* s);
int CountLeadingBlanksA(const char* s);
int StripLeadingBlanks(char16_t* s);
int StripLeadingBlanksA(char* s);
int IsBlankString(const char16_t* s);
int CountTextLines(const char16_t* s);
int CountTextLinesA(const char* s);
void SwapCharBytes(char16_t* s);
int CountBits(uint32_t v);
int CompareStringsNoCaseA(const char* a, const char* b);
int PointInRect(int x, int y, int left, int top, int right, int bottom);
int PointInBox(int x, int y, int level, int x1, int y1, int level1, int x2, int y2, int level2);

// ---- case mapping (wide or ANSI platform calls by UnicodeFlag) --------------------------------
char16_t CharToUpper(char16_t ch);
char16_t CharToLower(char16_t ch);
int IsUpperChar(char16_t ch);
int IsLowerChar(char16_t ch);
void StringToUpper(char16_t* s);
void StringToUpperA(char* s);

// ---- comparing and searching -------------------------------------------------------------------
// CompareStrings option bits: 8 skip leading spaces, 2 compare through the character order,
// 1 ignore case.
constexpr int CMPS_IGNORE_CASE = 1;
constexpr int CMPS_BY_KEYS = 2;
constexpr int CMPS_SKIP_BLANKS = 8;
// StrStr2 option bits.
constexpr int STRSTR_IGNORE_CASE = 1;
constexpr int STRSTR_BY_KEYS = 2;
constexpr int STRSTR_WHOLE_WORD = 4;

int LocaleCompare(const char16_t* a, const char16_t* b, int ignoreCase);  // <0, 0, >0
int CompareStrings(const char16_t* a, const char16_t* b, int options);    // -1, 0, 1
int StrStr2(const char16_t* text, int textLength, const char16_t* pattern, int patternLength,
            int options);  // position or -1

// ---- control-code escapes of edit fields --------------------------------------------------------
int EscapeControlCodes(char16_t* text, int capacity);  // 0, or 1 when the text was cut
void UnescapeControlCodes(char16_t* text);
char16_t GetEscapeChar();
int HexDigitValue(char16_t c);  // 0..15, or -1 for a character that is no hexadecimal digit
// The same with an explicit escape alphabet (10 characters: escape char, letters 1..8, letter 9).
int EscapeControlCodesWith(char16_t* text, int capacity, const char16_t* alphabet);
void UnescapeControlCodesWith(char16_t* text, const char16_t* alphabet);

// ---- names in expressions ----------------------------------------------------------------------
constexpr int NAME_OK = 0;
constexpr int NAME_NONE = 1;
constexpr int NAME_BAD_CHAR = 2;
constexpr int NAME_TOO_LONG = 3;
constexpr int NAME_STAR = 4;
constexpr int NAME_UNCLOSED_QUOTE = 5;
int IsNameChar(char16_t ch);
// name must hold maxLength + 1 characters; consumed and badChar may be null.
int ScanNameToken(const char16_t* text, char16_t* name, int* consumed, char16_t* badChar,
                  int maxLength);

// ---- decimal numbers and version ---------------------------------------------------------------
char16_t GetDecimalSeparator();
int32_t ParseDecimal2(const char16_t* text);              // hundredths or -1
void FormatDecimal2(char16_t* out, uint32_t hundredths);  // out: at least 16 characters
int32_t ParseDecimal3(const char16_t* text);              // thousandths or -1
void FormatDecimal3(char16_t* out, uint32_t thousandths);
// The same with an explicit separator; digits is 2 or 3.
int32_t ParseDecimalWith(const char16_t* text, char16_t separator, int digits);
void FormatDecimalWith(char16_t* out, uint32_t value, char16_t separator, int digits);
// Writes the decimal digits of v (at least minDigits, zeros in front; at most 10) at out without
// a terminator; returns their number.
int FormatUnsignedDigits(char16_t* out, uint32_t v, int minDigits);
// major << 16 | minor, or 0 when the query fails; versionClass 0..8; servicePackText (may be
// null) must hold 128 characters.
uint32_t GetWindowsVersion(int* versionClass, char16_t* servicePackText);

// ---- random numbers ----------------------------------------------------------------------------
extern int32_t RandomSeed;       // owned by NextRandom
extern int32_t FixedRandomSeed;  // -1: no fixed seed configured
int32_t NextRandom(int32_t n);   // n < 1 seeds with -n and returns -1
int32_t RandomBelow(int32_t n);
