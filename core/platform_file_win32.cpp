// Win32 build: the runtime file and folder wrappers, wide calls or ANSI calls with converted
// paths (a path of 260 or more characters fails with -1, or null for WrapFopen).
#include "core/platform.h"
#include "core/misc.h"
#include <windows.h>
#include <direct.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <cstdlib>

#define W(s) ((const wchar_t*)(s))

FILE* WrapFopen(const char16_t* path, const char16_t* mode) {
  if (!path || !mode) return nullptr;
  if (StringLength(mode) >= 20) return nullptr;
  if (UnicodeFlag) return _wfopen(W(path), W(mode));
  char p[WRAP_ANSI_BUF], m[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0 || WrapAnsiArg(mode, m) <= 0) return nullptr;
  return fopen(p, m);
}

int WrapFclose(FILE* f) { return f ? fclose(f) : -1; }

int WrapOpen(const char16_t* path, int oflag, int pmode) {
  if (UnicodeFlag) return path ? _wopen(W(path), oflag, pmode) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return _open(p, oflag, pmode);
}

int WrapCreat(const char16_t* path, int pmode) {
  if (UnicodeFlag) return path ? _wcreat(W(path), pmode) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return _creat(p, pmode);
}

int WrapClose(int fd) { return _close(fd); }
int WrapRead(int fd, void* buf, unsigned count) { return _read(fd, buf, count); }
int WrapWrite(int fd, const void* buf, unsigned count) { return _write(fd, buf, count); }
int64_t WrapLseek(int fd, int64_t offset, int origin) { return _lseeki64(fd, offset, origin); }
int64_t WrapFilelength(int fd) { return _filelengthi64(fd); }

int WrapRemove(const char16_t* path) {
  if (UnicodeFlag) return path ? _wremove(W(path)) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return remove(p);
}

int WrapRename(const char16_t* from, const char16_t* to) {
  if (UnicodeFlag) return from && to ? _wrename(W(from), W(to)) : -1;
  char a[WRAP_ANSI_BUF], b[WRAP_ANSI_BUF];
  if (WrapAnsiArg(from, a) <= 0 || WrapAnsiArg(to, b) <= 0) return -1;
  return rename(a, b);
}

int WrapReplaceFile(const char16_t* from, const char16_t* to) {
  const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
  if (UnicodeFlag) return from && to && MoveFileExW(W(from), W(to), flags) ? 0 : -1;
  char a[WRAP_ANSI_BUF], b[WRAP_ANSI_BUF];
  if (WrapAnsiArg(from, a) <= 0 || WrapAnsiArg(to, b) <= 0) return -1;
  return MoveFileExA(a, b, flags) ? 0 : -1;
}

int WrapAccess(const char16_t* path, int mode) {
  if (UnicodeFlag) return path ? _waccess(W(path), mode) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return _access(p, mode);
}

int WrapChmod(const char16_t* path, int pmode) {
  if (UnicodeFlag) return path ? _wchmod(W(path), pmode) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return _chmod(p, pmode);
}

char16_t* WrapGetCwd(char16_t* buf, int maxLen) {
  if (!buf || maxLen < 1 || maxLen > WRAP_ANSI_MAX) return nullptr;
  if (UnicodeFlag) return _wgetcwd((wchar_t*)buf, maxLen) ? buf : nullptr;
  char p[WRAP_ANSI_BUF];
  if (!_getcwd(p, sizeof p)) return nullptr;
  MultiByteToWide(p, buf, maxLen);
  return buf;
}

int WrapChdir(const char16_t* path) {
  if (UnicodeFlag) return path ? _wchdir(W(path)) : -1;
  char p[WRAP_ANSI_BUF];
  if (WrapAnsiArg(path, p) <= 0) return -1;
  return _chdir(p);
}

char16_t* WrapFullPath(char16_t* absPath, const char16_t* relPath, int maxLen) {
  if (!absPath || !relPath || maxLen < 1) return nullptr;
  if (UnicodeFlag) return _wfullpath((wchar_t*)absPath, W(relPath), maxLen) ? absPath : nullptr;
  char p[WRAP_ANSI_BUF], full[WRAP_ANSI_BUF];
  if (WrapAnsiArg(relPath, p) <= 0) return nullptr;
  if (!_fullpath(full, p, WRAP_ANSI_MAX)) return nullptr;
  MultiByteToWide(full, absPath, maxLen);
  return absPath;
}

int WrapGetFtime(int fd, WrapTime* modified) {
  HANDLE h = (HANDLE)_get_osfhandle(fd);
  FILETIME written, local;
  if (h == INVALID_HANDLE_VALUE || !GetFileTime(h, nullptr, nullptr, &written)) return -1;
  if (!FileTimeToLocalFileTime(&written, &local)) return -1;
  return FileTimeToSystemTime(&local, (SYSTEMTIME*)modified) ? 0 : -1;
}
