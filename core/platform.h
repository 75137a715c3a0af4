// The platform call layer: every runtime and kernel call of portable code goes through these
// wrappers (files and folders, time, locks, threads, memory, text conversion, message box).
#pragma once
#include <cstdint>
#include <cstddef>
#include <cstdio>

// ---- opaque handles --------------------------------------------------------------------------
typedef void* WrapHandle;  // thread, mutex, semaphore (kernel objects)
typedef void* WrapWindow;  // a window (HWND in the Win32 build)
typedef void* WrapGlobal;  // a global memory block (HGLOBAL in the Win32 build)

// ---- mode and code-page settings -------------------------------------------------------------
// UnicodeFlag: 1 = wide platform calls, 0 = ANSI calls with conversions (set once by the entry
// before any wrapper runs; tests may force 0).
extern int UnicodeFlag;
// Code pages of the option keys CP_AnsiUni (ANSI to UTF-16) and CP_UniAnsi (UTF-16 to ANSI);
// -1 = the system default ANSI code page.
extern int CpAnsiUni;
extern int CpUniAnsi;
void SetConversionCodePages(int ansiToUni, int uniToAnsi);

// Texts handed to ANSI calls live in buffers of this many characters (the path limit); a text of
// WRAP_ANSI_MAX or more characters makes such a call fail with the call's own failure value.
constexpr int WRAP_ANSI_MAX = 260;

// ---- text conversion -------------------------------------------------------------------------
// UTF-16 -> ANSI with CpUniAnsi. Writes at most outBytes bytes including the terminator, never
// cuts a multibyte character in half, always terminates (outBytes >= 1). Returns the bytes
// written including the terminator (1 for an empty text); 0 only when outBytes < 1.
int WideToMultiByte(const char16_t* text, char* out, int outBytes);
// As WideToMultiByte, converting at most the first `units` UTF-16 units (a surrogate pair is
// never split); units < 0 means the whole text.
int WideToMultiByteN(const char16_t* text, int units, char* out, int outBytes);
// ANSI -> UTF-16 with CpAnsiUni (precomposed). Writes at most outUnits units including the
// terminator, always terminates (outUnits >= 1). Returns the units written including it.
int MultiByteToWide(const char* text, char16_t* out, int outUnits);
// OEM (DOS) code-page text -> ANSI code-page text, in place, for length bytes (texts of older
// files).
void WrapOemToCharBuff(char* text, int length);
// The ANSI rule for one text argument: null -> 0 (pass null); a text of WRAP_ANSI_MAX or more
// characters -> -1 (the call must fail); else converts into buf (WRAP_ANSI_MAX * 2 bytes for
// multibyte code pages, see WRAP_ANSI_BUF) and returns 1.
constexpr int WRAP_ANSI_BUF = WRAP_ANSI_MAX * 2;
int WrapAnsiArg(const char16_t* text, char* buf);
// As WrapAnsiArg, but a long text is cut to maxChars characters instead of failing.
int WrapAnsiArgCut(const char16_t* text, char* buf, int bufBytes, int maxChars);

// ---- runtime files and folders ---------------------------------------------------------------
// Flags as the Windows runtime numbers them (the native build maps them).
constexpr int WRAP_O_RDONLY = 0x0000;
constexpr int WRAP_O_WRONLY = 0x0001;
constexpr int WRAP_O_RDWR = 0x0002;
constexpr int WRAP_O_APPEND = 0x0008;
constexpr int WRAP_O_CREAT = 0x0100;
constexpr int WRAP_O_TRUNC = 0x0200;
constexpr int WRAP_O_EXCL = 0x0400;
constexpr int WRAP_O_TEXT = 0x4000;
constexpr int WRAP_O_BINARY = 0x8000;
constexpr int WRAP_S_IREAD = 0x0100;
constexpr int WRAP_S_IWRITE = 0x0080;
constexpr int WRAP_SEEK_SET = 0, WRAP_SEEK_CUR = 1, WRAP_SEEK_END = 2;
constexpr int WRAP_ACCESS_EXISTS = 0, WRAP_ACCESS_WRITE = 2, WRAP_ACCESS_READ = 4,
              WRAP_ACCESS_RW = 6;

// Each returns -1 (null for WrapFopen) on failure or when a path is too long for ANSI mode.
FILE* WrapFopen(const char16_t* path, const char16_t* mode);  // mode below 20 characters
int WrapFclose(FILE* f);
int WrapOpen(const char16_t* path, int oflag, int pmode);
int WrapCreat(const char16_t* path, int pmode);
int WrapClose(int fd);
int WrapRead(int fd, void* buf, unsigned count);           // bytes read, 0 at end, -1 error
int WrapWrite(int fd, const void* buf, unsigned count);    // bytes written, -1 error
int64_t WrapLseek(int fd, int64_t offset, int origin);     // new position or -1
int64_t WrapFilelength(int fd);                            // length or -1
int WrapRemove(const char16_t* path);                      // 0 or -1
int WrapRename(const char16_t* from, const char16_t* to);  // 0 or -1
// Moves from onto to in one step, replacing a file of that name: no moment exists without a file
// named to. 0 or -1 (from is kept on failure).
int WrapReplaceFile(const char16_t* from, const char16_t* to);
int WrapAccess(const char16_t* path, int mode);   // 0 or -1
int WrapChmod(const char16_t* path, int pmode);   // 0 or -1
char16_t* WrapGetCwd(char16_t* buf, int maxLen);  // buf or null; maxLen at most 260
int WrapChdir(const char16_t* path);              // 0 or -1
char16_t* WrapFullPath(char16_t* absPath, const char16_t* relPath, int maxLen);  // absPath or null

// Local date and time (the platform's SYSTEMTIME order).
struct WrapTime {
  uint16_t year, month, dayOfWeek, day, hour, minute, second, milliseconds;
};
int WrapGetFtime(int fd, WrapTime* modified);  // last write time (local); 0 or -1

// Path splitting (wide only): any out pointer may be null; sizes as the runtime's
// (drive 3, dir 256, fname 256, ext 256 units). WrapFnSplit returns flags of the parts found.
constexpr int WRAP_MAX_DRIVE = 3, WRAP_MAX_DIR = 256, WRAP_MAX_FNAME = 256, WRAP_MAX_EXT = 256;
constexpr int WRAP_FN_WILDCARDS = 0x01, WRAP_FN_EXTENSION = 0x02, WRAP_FN_FILENAME = 0x04,
              WRAP_FN_DIRECTORY = 0x08, WRAP_FN_DRIVE = 0x10;
void WrapSplitPath(const char16_t* path, char16_t* drive, char16_t* dir, char16_t* fname,
                   char16_t* ext);
int WrapFnSplit(const char16_t* path, char16_t* drive, char16_t* dir, char16_t* fname,
                char16_t* ext);

// ---- time and tick count ---------------------------------------------------------------------
uint32_t WrapGetTickCount();
void WrapSleep(uint32_t milliseconds);
void WrapGetLocalTime(WrapTime* out);
int WrapQueryPerformanceCounter(int64_t* count);  // 1 ok, 0 failed
int WrapQueryPerformanceFrequency(int64_t* perSecond);

// ---- locks -----------------------------------------------------------------------------------
// Wide mode keeps the platform critical section in `platform`; ANSI mode (UnicodeFlag 0) uses
// the emulation fields: recursion count, owner thread id (0 = none) and a mutex (null = none).
struct LockRecord {
  alignas(8) unsigned char platform[64];
  int32_t count;
  uint32_t owner;
  WrapHandle mutex;
};
void InitLockEmulation();    // creates LockEmulationGuard (ANSI mode only); first of the run
void DeleteLockEmulation();  // last of the run
void WrapInitializeCriticalSection(LockRecord* lock);
void WrapEnterCriticalSection(LockRecord* lock);
void WrapLeaveCriticalSection(LockRecord* lock);
int WrapTryEnterCriticalSection(LockRecord* lock);  // 1 entered, 0 not
void WrapDeleteCriticalSection(LockRecord* lock);

// ---- threads and synchronisation ---------------------------------------------------------------
constexpr uint32_t WRAP_INFINITE = 0xFFFFFFFFu;
constexpr uint32_t WRAP_WAIT_OBJECT_0 = 0, WRAP_WAIT_TIMEOUT = 258, WRAP_WAIT_FAILED = 0xFFFFFFFFu;
constexpr int WRAP_PRIORITY_BELOW_NORMAL = -1, WRAP_PRIORITY_NORMAL = 0,
              WRAP_PRIORITY_ABOVE_NORMAL = 1;
typedef void (*WrapThreadFunc)(void* arg);
WrapHandle WrapBeginThread(WrapThreadFunc func, void* arg,
                           int run);  // suspended unless run; null on failure
[[noreturn]] void WrapEndThread(uint32_t code);
int WrapTerminateThread(WrapHandle thread);  // nonzero ok
int WrapSetThreadPriority(WrapHandle thread, int priority);
uint32_t WrapSuspendThread(WrapHandle thread);  // previous suspend count, 0xFFFFFFFF failed
uint32_t WrapResumeThread(WrapHandle thread);   // previous suspend count, 0xFFFFFFFF failed
uint32_t WrapGetCurrentThreadId();              // never 0
WrapHandle WrapCreateMutex(int initialOwner, const char16_t* name);  // null on failure
int WrapReleaseMutex(WrapHandle mutex);                              // nonzero ok
WrapHandle WrapCreateSemaphore(int32_t initialCount, int32_t maximumCount);
int WrapReleaseSemaphore(WrapHandle semaphore, int32_t count, int32_t* previous);
uint32_t WrapWaitForSingleObject(WrapHandle object, uint32_t milliseconds);
int WrapCloseHandle(WrapHandle object);  // nonzero ok
uint32_t WrapGetLastError();
constexpr uint32_t WRAP_ERROR_ALREADY_EXISTS = 183;

// ---- memory for the allocator ------------------------------------------------------------------
constexpr unsigned WRAP_GMEM_FIXED = 0x0000, WRAP_GMEM_MOVEABLE = 0x0002,
                   WRAP_GMEM_ZEROINIT = 0x0040;
WrapGlobal WrapGlobalAlloc(unsigned flags, size_t bytes);  // null on failure
WrapGlobal WrapGlobalReAlloc(WrapGlobal block, size_t bytes,
                             unsigned flags);  // null on failure (block kept)
WrapGlobal WrapGlobalFree(WrapGlobal block);   // null on success, else the block
size_t WrapGlobalSize(WrapGlobal block);       // 0 on failure
void* WrapGlobalLock(WrapGlobal block);
int WrapGlobalUnlock(WrapGlobal block);
WrapGlobal WrapGlobalHandle(const void* memory);

// ---- clipboard -----------------------------------------------------------------------------------
// As the platform's calls: the data handles are global memory blocks; a block handed over with
// WrapSetClipboardData belongs to the clipboard when the call succeeds. The text formats are
// converted into each other when only one of them was set. The native build keeps a clipboard of
// its own in the process (core/clipboard_seam.h).
constexpr uint32_t WRAP_CF_TEXT = 1, WRAP_CF_DIB = 8, WRAP_CF_UNICODETEXT = 13;
WrapWindow WrapGetClipboardOwner();
int WrapOpenClipboard(WrapWindow window);  // nonzero ok; fails while it is open
int WrapCloseClipboard();
int WrapEmptyClipboard();                                           // only while open
WrapGlobal WrapGetClipboardData(uint32_t format);                   // null: none or not open
WrapGlobal WrapSetClipboardData(uint32_t format, WrapGlobal data);  // null on failure

// ---- message box (the platform's plain box) -------------------------------------------------------
// Style and result values as the platform's MessageBox. In ANSI mode text and title are cut to
// 259 characters. The native build answers from the test seam (core/msgbox.h).
constexpr unsigned WRAP_MB_OK = 0x0, WRAP_MB_ICONINFORMATION = 0x40, WRAP_MB_ICONERROR = 0x10;
int WrapMessageBox(WrapWindow owner, const char16_t* text, const char16_t* title, unsigned style);
WrapWindow WrapGetDesktopWindow();

// ---- case mapping, locale and system queries (used by the utility module) -------------------------
// Case mapping and tests of one character: wide calls, or the ANSI call on the low byte when
// UnicodeFlag is 0.
char16_t WrapCharUpper(char16_t ch);
char16_t WrapCharLower(char16_t ch);
int WrapIsCharUpper(char16_t ch);
int WrapIsCharLower(char16_t ch);
void WrapCharUpperA(char* text);                         // narrow text, in place
int WrapLstrcmp(const char16_t* a, const char16_t* b);   // locale order, <0 / 0 / >0
int WrapLstrcmpi(const char16_t* a, const char16_t* b);  // the same ignoring case
int WrapLstrcmpiA(const char* a, const char* b);
// The user default locale's decimal separator (LOCALE_SDECIMAL) into out (outChars units);
// returns the units written including the terminator, 0 on failure.
int WrapGetLocaleDecimal(char16_t* out, int outChars);
// The platform version: 1 ok, 0 failed; servicePack (may be null) holds 128 units.
constexpr int WRAP_PLATFORM_WIN32S = 0, WRAP_PLATFORM_WINDOWS = 1, WRAP_PLATFORM_NT = 2;
int WrapGetVersionEx(uint32_t* major, uint32_t* minor, uint32_t* platformId, char16_t* servicePack);
struct WrapMemoryStatus {
  uint32_t loadPercent;
  uint64_t totalPhysical, freePhysical, totalVirtual, freeVirtual;
};
int WrapGlobalMemoryStatus(WrapMemoryStatus* out);  // 1 ok, 0 failed
