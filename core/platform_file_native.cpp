// Native build: the runtime file and folder wrappers on POSIX calls. Paths are UTF-16 inside,
// UTF-8 with '/' on disk; in ANSI mode a path of 260 or more characters fails as on Windows.
#include "core/platform.h"
#include "core/platform_native.h"
#include "core/misc.h"
#include "core/platform_file_fault.h"
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

static int Utf16ToUtf8(const char16_t* s, int units, char* out, int outBytes) {
  int used = 0;
  for (int i = 0; i < units && s[i];) {
    uint32_t c = s[i++];
    if (c >= 0xD800 && c <= 0xDBFF && i < units && s[i] >= 0xDC00 && s[i] <= 0xDFFF)
      c = 0x10000 + ((c - 0xD800) << 10) + (s[i++] - 0xDC00);
    else if (c >= 0xD800 && c <= 0xDFFF)
      c = 0xFFFD;
    char b[4];
    int n = c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
    if (n == 1)
      b[0] = (char)c;
    else if (n == 2) {
      b[0] = (char)(0xC0 | (c >> 6));
      b[1] = (char)(0x80 | (c & 0x3F));
    } else if (n == 3) {
      b[0] = (char)(0xE0 | (c >> 12));
      b[1] = (char)(0x80 | ((c >> 6) & 0x3F));
      b[2] = (char)(0x80 | (c & 0x3F));
    } else {
      b[0] = (char)(0xF0 | (c >> 18));
      b[1] = (char)(0x80 | ((c >> 12) & 0x3F));
      b[2] = (char)(0x80 | ((c >> 6) & 0x3F));
      b[3] = (char)(0x80 | (c & 0x3F));
    }
    if (used + n > outBytes - 1) return -1;
    memcpy(out + used, b, n);
    used += n;
  }
  out[used] = 0;
  return used;
}

static int Utf8ToUtf16(const char* s, char16_t* out, int outUnits) {
  int used = 0;
  const unsigned char* p = (const unsigned char*)s;
  while (*p) {
    uint32_t c = *p++;
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (more) c &= (0x3F >> more);
    while (more-- > 0 && (*p & 0xC0) == 0x80) c = (c << 6) | (*p++ & 0x3F);
    int need = c >= 0x10000 ? 2 : 1;
    if (used + need > outUnits - 1) return -1;
    if (need == 2) {
      out[used++] = (char16_t)(0xD800 + ((c - 0x10000) >> 10));
      out[used++] = (char16_t)(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out[used++] = (char16_t)c;
    }
  }
  out[used] = 0;
  return used;
}

// Converts a path for the file system; -1 when it is too long (ANSI mode: 260 characters).
static int DiskPath(const char16_t* path, char* out) {
  if (!path) return -1;
  int len = StringLength(path);
  if (!UnicodeFlag && len >= WRAP_ANSI_MAX) return -1;
  if (Utf16ToUtf8(path, len, out, PATH_MAX) < 0) return -1;
  for (char* p = out; *p; p++)
    if (*p == '\\') *p = '/';
  return 0;
}

// ---- armed faults (tests) ----------------------------------------------------------------------

static std::atomic<int> gFaultAt[FILE_FAULT_KINDS];
static std::atomic<int> gFaultCalls[FILE_FAULT_KINDS];

void SetFileFault(FileFaultKind kind, int nth) {
  if (kind < 0 || kind >= FILE_FAULT_KINDS) return;
  gFaultCalls[kind] = 0;
  gFaultAt[kind] = nth > 0 ? nth : 0;
}

void ClearFileFaults() {
  for (int k = 0; k < FILE_FAULT_KINDS; k++) SetFileFault((FileFaultKind)k, 0);
}

int FileFaultCalls(FileFaultKind kind) {
  return kind >= 0 && kind < FILE_FAULT_KINDS ? gFaultCalls[kind].load() : 0;
}

// Counts a call of that kind; 1 when it is the armed one (the fault is then disarmed).
static int FaultFires(FileFaultKind kind, int error) {
  int n = ++gFaultCalls[kind];
  int at = gFaultAt[kind].load();
  if (at == 0 || n != at) return 0;
  gFaultAt[kind] = 0;
  errno = error;
  return 1;
}

static int MapOpenFlags(int oflag) {
  int f = (oflag & WRAP_O_RDWR) ? O_RDWR : (oflag & WRAP_O_WRONLY) ? O_WRONLY : O_RDONLY;
  if (oflag & WRAP_O_APPEND) f |= O_APPEND;
  if (oflag & WRAP_O_CREAT) f |= O_CREAT;
  if (oflag & WRAP_O_TRUNC) f |= O_TRUNC;
  if (oflag & WRAP_O_EXCL) f |= O_EXCL;
  return f | O_CLOEXEC;
}

static mode_t MapMode(int pmode) {
  mode_t m = 0;
  if (pmode & WRAP_S_IREAD) m |= 0444;
  if (pmode & WRAP_S_IWRITE) m |= 0222;
  return m & ~(mode_t)022;
}

FILE* WrapFopen(const char16_t* path, const char16_t* mode) {
  char p[PATH_MAX];
  char m[20];
  int n = 0;
  if (!mode || DiskPath(path, p) < 0) return nullptr;
  if (FaultFires(FILE_FAULT_OPEN, EACCES)) return nullptr;
  for (int i = 0; mode[i] && mode[i] != ','; i++) {  // the runtime's ",ccs=" part is not ours
    if (i >= 19) return nullptr;
    if (mode[i] != 't') m[n++] = (char)mode[i];
  }
  m[n] = 0;
  return fopen(p, m);
}

int WrapFclose(FILE* f) { return f ? fclose(f) : -1; }

int WrapOpen(const char16_t* path, int oflag, int pmode) {
  char p[PATH_MAX];
  if (DiskPath(path, p) < 0) return -1;
  if (FaultFires(FILE_FAULT_OPEN, EACCES)) return -1;
  return open(p, MapOpenFlags(oflag), MapMode(pmode ? pmode : WRAP_S_IREAD | WRAP_S_IWRITE));
}

int WrapCreat(const char16_t* path, int pmode) {
  return WrapOpen(path, WRAP_O_WRONLY | WRAP_O_CREAT | WRAP_O_TRUNC, pmode);
}

int WrapClose(int fd) {
  int r = close(fd) == 0 ? 0 : -1;
  return FaultFires(FILE_FAULT_CLOSE, EIO) ? -1 : r;
}

int WrapRead(int fd, void* buf, unsigned count) {
  ssize_t n;
  do n = read(fd, buf, count);
  while (n < 0 && errno == EINTR);
  return n < 0 ? -1 : (int)n;
}

int WrapWrite(int fd, const void* buf, unsigned count) {
  if (FaultFires(FILE_FAULT_WRITE, ENOSPC)) return -1;
  if (count > 0 && FaultFires(FILE_FAULT_SHORT_WRITE, ENOSPC)) count /= 2;
  ssize_t n;
  do n = write(fd, buf, count);
  while (n < 0 && errno == EINTR);
  return n < 0 ? -1 : (int)n;
}

int64_t WrapLseek(int fd, int64_t offset, int origin) {
  int whence = origin == WRAP_SEEK_CUR ? SEEK_CUR : origin == WRAP_SEEK_END ? SEEK_END : SEEK_SET;
  off_t r = lseek(fd, (off_t)offset, whence);
  return r < 0 ? -1 : (int64_t)r;
}

int64_t WrapFilelength(int fd) {
  struct stat st;
  if (fstat(fd, &st) != 0) return -1;
  return (int64_t)st.st_size;
}

int WrapRemove(const char16_t* path) {
  char p[PATH_MAX];
  if (DiskPath(path, p) < 0) return -1;
  if (FaultFires(FILE_FAULT_REMOVE, EACCES)) return -1;
  return unlink(p) == 0 ? 0 : -1;
}

int WrapRename(const char16_t* from, const char16_t* to) {
  char a[PATH_MAX], b[PATH_MAX];
  if (DiskPath(from, a) < 0 || DiskPath(to, b) < 0) return -1;
  if (FaultFires(FILE_FAULT_RENAME, EACCES)) return -1;
  if (access(b, F_OK) == 0) return -1;  // the runtime's rename never replaces a file
  return rename(a, b) == 0 ? 0 : -1;
}

int WrapReplaceFile(const char16_t* from, const char16_t* to) {
  char a[PATH_MAX], b[PATH_MAX];
  if (DiskPath(from, a) < 0 || DiskPath(to, b) < 0) return -1;
  if (FaultFires(FILE_FAULT_REPLACE, EACCES)) return -1;
  return rename(a, b) == 0 ? 0 : -1;
}

int WrapAccess(const char16_t* path, int mode) {
  char p[PATH_MAX];
  if (DiskPath(path, p) < 0) return -1;
  int m = F_OK;
  if (mode & WRAP_ACCESS_WRITE) m |= W_OK;
  if (mode & WRAP_ACCESS_READ) m |= R_OK;
  return access(p, m) == 0 ? 0 : -1;
}

int WrapChmod(const char16_t* path, int pmode) {
  char p[PATH_MAX];
  struct stat st;
  if (DiskPath(path, p) < 0 || stat(p, &st) != 0) return -1;
  mode_t m = st.st_mode & 07777;
  m = (pmode & WRAP_S_IWRITE) ? (m | S_IWUSR) : (m & ~(mode_t)0222);
  return chmod(p, m) == 0 ? 0 : -1;
}

char16_t* WrapGetCwd(char16_t* buf, int maxLen) {
  char p[PATH_MAX];
  if (!buf || maxLen < 1 || maxLen > WRAP_ANSI_MAX || !getcwd(p, sizeof p)) return nullptr;
  return Utf8ToUtf16(p, buf, maxLen) < 0 ? nullptr : buf;
}

int WrapChdir(const char16_t* path) {
  char p[PATH_MAX];
  if (DiskPath(path, p) < 0) return -1;
  return chdir(p) == 0 ? 0 : -1;
}

// Joins a relative path to the current folder and folds "." and ".." parts (the file need not
// exist); '\' counts as a separator.
char16_t* WrapFullPath(char16_t* absPath, const char16_t* relPath, int maxLen) {
  char rel[PATH_MAX], joined[2 * PATH_MAX + 2], out[2 * PATH_MAX + 2];
  if (!absPath || maxLen < 1 || DiskPath(relPath, rel) < 0) return nullptr;
  if (rel[0] == '/') {
    strcpy(joined, rel);
  } else {
    if (!getcwd(joined, PATH_MAX)) return nullptr;
    strcat(joined, "/");
    strcat(joined, rel);
  }
  size_t o = 0;
  const char* s = joined;
  while (*s) {
    while (*s == '/') s++;
    const char* e = s;
    while (*e && *e != '/') e++;
    size_t n = (size_t)(e - s);
    if (n == 0 || (n == 1 && s[0] == '.')) {
    } else if (n == 2 && s[0] == '.' && s[1] == '.') {
      while (o > 0 && out[o - 1] != '/') o--;
      if (o > 0) o--;
    } else {
      out[o++] = '/';
      memcpy(out + o, s, n);
      o += n;
    }
    s = e;
  }
  if (o == 0) out[o++] = '/';
  out[o] = 0;
  return Utf8ToUtf16(out, absPath, maxLen) < 0 ? nullptr : absPath;
}

int WrapGetFtime(int fd, WrapTime* modified) {
  struct stat st;
  if (fstat(fd, &st) != 0) return -1;
  NativeLocalTime(st.st_mtime, 0, modified);
  return 0;
}
