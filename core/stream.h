// The program's one buffered file stream (one file open at a time, 4096-byte buffer), its
// pair-run compression, narrow and UTF-16 text, the file-kind folders and the file-name helpers.
#pragma once
#include <cstdint>

// ---- results ------------------------------------------------------------------------------------
// 0 is success everywhere. Open: 1 cannot open / create, 2 bad file (mark or header missing),
// 3 a file is already open. Close: 3 no file open. Read: 1 end of file, 2 read error (the file
// has been closed). Write: 1 write error, 2 fewer bytes written (the file has been closed).
constexpr int STREAM_OK = 0;
constexpr int STREAM_ERR_OPEN = 1;
constexpr int STREAM_ERR_BAD_FILE = 2;
constexpr int STREAM_ERR_BUSY = 3;      // open: a file is already open
constexpr int STREAM_ERR_NOT_OPEN = 3;  // close, seek: no file open
constexpr int STREAM_ERR_EOF = 1;
constexpr int STREAM_ERR_READ = 2;
constexpr int STREAM_ERR_WRITE = 1;
constexpr int STREAM_ERR_SHORT_WRITE = 2;

constexpr int STREAM_BUFFER_SIZE = 4096;
constexpr int STREAM_PATH_CHARS = 260;      // path and folder buffers, terminator included
constexpr uint32_t STREAM_MAX_RUN = 65500;  // largest repeat count of one pair-run record

// ---- open flags ---------------------------------------------------------------------------------
constexpr int STREAM_READ_SKIP_HEADER = 1;  // skip characters up to and including the first 0x1A
constexpr int STREAM_READ_PROGRESS = 2;     // show the bytes read in the topmost info box
constexpr int STREAM_READ_NEED_MARK = 4;    // file must begin with a UTF-16 byte-order mark

constexpr int STREAM_WRITE_UTF16LE = 4;
constexpr int STREAM_WRITE_UTF16BE = 8;
constexpr int STREAM_WRITE_NARROW =
    16;  // first match wins: 16, then 4, then 8; none = by UnicodeFlag
constexpr int STREAM_WRITE_MARK = 32;  // write the byte-order mark at once

// Read encodings (StreamGetReadEncoding).
constexpr int STREAM_ENC_NARROW = 0;
constexpr int STREAM_ENC_UTF16LE = 1;
constexpr int STREAM_ENC_UTF16BE = 2;

// ---- file kinds ---------------------------------------------------------------------------------
constexpr int FILE_KIND_PROGRAM = 0;  // program folder
constexpr int FILE_KIND_OPTIONS = 1;  // option-file folder
constexpr int FILE_KIND_NETWORK = 2;  // network files (option key Pfad_nt3)
constexpr int FILE_KIND_PICTURE = 3;  // picture export (Pfad_pcx)
constexpr int FILE_KIND_TEXT = 4;     // text export (Pfad_dat)
constexpr int FILE_KIND_LOG = 5;      // log files (Pfad_log)
constexpr int FILE_KIND_SCRIPT = 6;   // drawing scripts (Pfad_qna)
constexpr int FILE_KIND_ZOOM2 = 20;   // program folder + "zoom2\"
constexpr int FILE_KIND_ZOOM2G = 21;  // program folder + "zoom2g\"
constexpr int FILE_KIND_ZOOM1 = 22;   // program folder + "zoom1\"
constexpr int FILE_KIND_ZOOM1G = 23;  // program folder + "zoom1g\"

// ---- life of the module -------------------------------------------------------------------------
int StreamInit();   // 0, or 1 when the buffer cannot be allocated
void StreamExit();  // closes a file still open (without flushing a write) and frees the buffer

// ---- open and close -----------------------------------------------------------------------------
int StreamOpenRead(const char16_t* name, int flags, int kind);
int StreamOpenWrite(const char16_t* name, int flags, int kind);
int StreamCloseRead();
int StreamCloseWrite();
int StreamIsOpen();  // 1 when a file is open (either direction), else 0

int StreamResetCompression();  // compression on from here, both run states cleared; 0
void StreamSetReadEncoding(uint8_t first, uint8_t second);  // FF FE: LE, FE FF: BE, else narrow
int StreamGetReadEncoding();                                // STREAM_ENC_...

// ---- binary values (little-endian) ----------------------------------------------------------------
int StreamReadByte(uint8_t* out);
int StreamWriteByte(uint8_t value);
int StreamReadWord(uint16_t* out);
int StreamWriteWord(uint16_t value);
int StreamReadDword(uint32_t* out);
int StreamWriteDword(uint32_t value);
uint32_t StreamReadBytes(void* buffer, uint32_t count);    // bytes read before the first failure
int StreamWriteBytes(const void* buffer, uint32_t count);  // 0 or the first failure

// ---- text ---------------------------------------------------------------------------------------
int StreamReadChar(uint32_t* out);  // narrow: the byte's value; UTF-16: one unit (marks and
                                    // U+2028, U+2029, U+FFFF skipped)
int StreamWriteChar(char16_t ch);
int StreamWriteText(const char16_t* text);  // CR, LF, CR LF and LF CR each become CR LF
int StreamWriteNewline();
int StreamWriteRule();           // CR LF, 60 "-", CR LF
int StreamSeek(int32_t offset);  // relative to the next unread byte; empties the buffer

// ---- folders of the file kinds --------------------------------------------------------------------
// Folder texts end with a backslash (or are empty). GetKindFolder -> 0, or 1 with an empty
// folder for an unknown kind. SetKindFolder sets kinds 0..6 (a missing trailing backslash is
// added to a non-empty folder; setting kind 0 also sets kinds 20..23) -> 0, 1 unknown kind or a
// derived kind (20..23), 2 the folder does not fit (unchanged).
int GetKindFolder(int kind, char16_t* folder);  // folder holds STREAM_PATH_CHARS characters
int SetKindFolder(int kind, const char16_t* folder);
// Folder of the kind + name into path (STREAM_PATH_CHARS): 0; 1 the path does not fit. An unknown
// kind uses the name unchanged.
int BuildKindPath(int kind, const char16_t* name, char16_t* path);

// ---- files --------------------------------------------------------------------------------------
// GetFileDate -> 0, or -1 when the file cannot be opened or its time read (seconds step by 2).
int GetFileDate(const char16_t* name, int kind, int* year, int* month, int* day, int* hour,
                int* minute, int* second);
// Decodes a file-system date and time word: time = seconds/2 in bits 0-4, minutes 5-10,
// hours 11-15; date = day in bits 0-4, month 5-8, year - 1980 in bits 9-15.
void DecodeFileDate(uint16_t date, uint16_t time, int* year, int* month, int* day, int* hour,
                    int* minute, int* second);
// The reverse (years outside 1980..2107 are held at the nearest end of that range).
void PackFileDate(int year, int month, int day, int hour, int minute, int second, uint16_t* date,
                  uint16_t* time);
int DeleteKindFile(const char16_t* name, int kind);  // 0; 2 access denied; 1 other failure
int RenameKindFile(const char16_t* oldName, const char16_t* newName, int kind);  // 0; 2; 1
// Moves the file oldName onto newName in one step, replacing a file of that name (both in the
// kind's folder). 0; 1 when it failed (both files stay as they were).
int ReplaceKindFile(const char16_t* oldName, const char16_t* newName, int kind);
int IsFileReadable(const char16_t* path);  // 0 opens for reading, 1 otherwise
int CopyFileBytes(const char16_t* source, const char16_t* target);  // 0; 1; 2; 3; 4
int CanOpenTextFile(const char16_t* name, int kind);  // 1 when the file begins with a UTF-16 mark
int ConvertFileToNarrowText(const char16_t* name, int kind);  // 0; 1..6 (see stream.cpp)

// ---- file names (backslash and slash both end a folder) -----------------------------------------
void StripExtension(char16_t* path);  // cut at the last "." of the file name (not at position 0)
void StripFileName(char16_t* path);   // keep the folder and its separator; no separator: unchanged
// Appends the extension (a "." put in front unless it begins with one) when the file name has no
// ".": 0; 1 it would not fit in capacity characters (terminator included; the path is unchanged).
int AddDefaultExtension(char16_t* path, const char16_t* extension,
                        int capacity = STREAM_PATH_CHARS);
// The text after the last "." of the file name, without the ".": 0; 1 no extension (empty out).
int GetExtension(const char16_t* path, char16_t* extension);
