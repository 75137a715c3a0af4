// The folders of the file kinds and the small file functions beside the stream: file date,
// delete, rename, readability, byte copy, the UTF-16 mark test and the conversion to narrow text.
#include "core/stream.h"
#include "core/stream_internal.h"
#include "core/platform.h"
#include "core/misc.h"
#include <cerrno>

constexpr int KIND_FOLDERS = 7;  // kinds 0..6 are set; 20..23 follow the program folder

static char16_t gKindFolders[KIND_FOLDERS][STREAM_PATH_CHARS];

static const char16_t* const kProgramSubfolders[4] = {u"zoom2\\", u"zoom2g\\", u"zoom1\\",
                                                      u"zoom1g\\"};

static int IsFolderEnd(char16_t c) { return c == u'\\' || c == u'/'; }

// The folder of a kind: 0; 1 unknown kind (empty); 2 known, but too long (empty).
static int KindFolder(int kind, char16_t* out) {
  out[0] = 0;
  if (kind >= 0 && kind < KIND_FOLDERS) {
    CopyString(out, gKindFolders[kind]);
    return 0;
  }
  if (kind < FILE_KIND_ZOOM2 || kind > FILE_KIND_ZOOM1G) return 1;
  const char16_t* program = gKindFolders[FILE_KIND_PROGRAM];
  const char16_t* sub = kProgramSubfolders[kind - FILE_KIND_ZOOM2];
  if (StringLength(program) + StringLength(sub) >= STREAM_PATH_CHARS) return 2;
  CopyString(out, program);
  AppendString(out, sub);
  return 0;
}

int GetKindFolder(int kind, char16_t* folder) {
  if (!folder) return 1;
  return KindFolder(kind, folder) == 0 ? 0 : 1;
}

int SetKindFolder(int kind, const char16_t* folder) {
  if (kind < 0 || kind >= KIND_FOLDERS) return 1;
  if (!folder) folder = u"";
  int len = StringLength(folder);
  int addEnd = len > 0 && !IsFolderEnd(folder[len - 1]);
  if (len + addEnd >= STREAM_PATH_CHARS) return 2;
  CopyString(gKindFolders[kind], folder);
  if (addEnd) AppendString(gKindFolders[kind], u"\\");
  return 0;
}

int BuildKindPath(int kind, const char16_t* name, char16_t* path) {
  if (!path) return 1;
  path[0] = 0;
  if (!name) return 1;
  char16_t folder[STREAM_PATH_CHARS];
  if (KindFolder(kind, folder) == 2) return 1;  // an unknown kind leaves the name unchanged
  if (StringLength(folder) + StringLength(name) >= STREAM_PATH_CHARS) return 1;
  CopyString(path, folder);
  AppendString(path, name);
  return 0;
}

// ---- file date ----------------------------------------------------------------------------------

void DecodeFileDate(uint16_t date, uint16_t time, int* year, int* month, int* day, int* hour,
                    int* minute, int* second) {
  if (year) *year = 1980 + (date >> 9);
  if (month) *month = (date >> 5) & 0x0F;
  if (day) *day = date & 0x1F;
  if (hour) *hour = time >> 11;
  if (minute) *minute = (time >> 5) & 0x3F;
  if (second) *second = (time & 0x1F) * 2;
}

void PackFileDate(int year, int month, int day, int hour, int minute, int second, uint16_t* date,
                  uint16_t* time) {
  int y = year - 1980;
  if (y < 0) y = 0;
  if (y > 127) y = 127;
  if (date) *date = (uint16_t)(y << 9 | (month & 0x0F) << 5 | (day & 0x1F));
  if (time) *time = (uint16_t)((hour & 0x1F) << 11 | (minute & 0x3F) << 5 | ((second / 2) & 0x1F));
}

int GetFileDate(const char16_t* name, int kind, int* year, int* month, int* day, int* hour,
                int* minute, int* second) {
  char16_t path[STREAM_PATH_CHARS];
  if (BuildKindPath(kind, name, path)) return -1;
  int fd = WrapOpen(path, WRAP_O_RDONLY | WRAP_O_BINARY, 0);
  if (fd < 0) return -1;
  WrapTime t;
  int rc = WrapGetFtime(fd, &t);
  WrapClose(fd);
  if (rc != 0) return -1;
  uint16_t date, time;
  PackFileDate(t.year, t.month, t.day, t.hour, t.minute, t.second, &date, &time);
  DecodeFileDate(date, time, year, month, day, hour, minute, second);
  return 0;
}

// ---- delete, rename, readability, copy ----------------------------------------------------------

// Access denied: the runtime says so, or the file is there but may not be written.
static int IsAccessDenied(const char16_t* path, int error) {
  if (error == EACCES || error == EPERM) return 1;
  return WrapAccess(path, WRAP_ACCESS_EXISTS) == 0 && WrapAccess(path, WRAP_ACCESS_WRITE) != 0;
}

int DeleteKindFile(const char16_t* name, int kind) {
  char16_t path[STREAM_PATH_CHARS];
  if (BuildKindPath(kind, name, path)) return 1;
  errno = 0;
  if (WrapRemove(path) == 0) return 0;
  return IsAccessDenied(path, errno) ? 2 : 1;
}

int RenameKindFile(const char16_t* oldName, const char16_t* newName, int kind) {
  char16_t from[STREAM_PATH_CHARS], to[STREAM_PATH_CHARS];
  if (BuildKindPath(kind, oldName, from)) return 2;
  if (BuildKindPath(kind, newName, to)) return 1;
  if (WrapAccess(from, WRAP_ACCESS_WRITE) != 0) return 2;
  return WrapRename(from, to) == 0 ? 0 : 1;
}

int ReplaceKindFile(const char16_t* oldName, const char16_t* newName, int kind) {
  char16_t from[STREAM_PATH_CHARS], to[STREAM_PATH_CHARS];
  if (BuildKindPath(kind, oldName, from) || BuildKindPath(kind, newName, to)) return 1;
  return WrapReplaceFile(from, to) == 0 ? 0 : 1;
}

int IsFileReadable(const char16_t* path) {
  FILE* f = WrapFopen(path, u"rb");
  if (!f) return 1;
  WrapFclose(f);
  return 0;
}

// 0; 1 source not opened; 2 target not created; 3 a write (or a read of the source) failed;
// 4 closing the target failed.
int CopyFileBytes(const char16_t* source, const char16_t* target) {
  FILE* in = WrapFopen(source, u"rb");
  if (!in) return 1;
  FILE* out = WrapFopen(target, u"wb");
  if (!out) {
    WrapFclose(in);
    return 2;
  }
  int rc = 0;
  int c;
  while ((c = fgetc(in)) != EOF) {
    if (fputc(c, out) == EOF) {
      rc = 3;
      break;
    }
  }
  if (!rc && ferror(in)) rc = 3;  // a truncated copy is no copy
  WrapFclose(in);
  if (WrapFclose(out) != 0 && !rc) rc = 4;
  return rc;
}

// ---- UTF-16 text files --------------------------------------------------------------------------

int CanOpenTextFile(const char16_t* name, int kind) {
  if (StreamOpenRead(name, STREAM_READ_NEED_MARK, kind) != 0) return 0;
  StreamCloseRead();
  return 1;
}

// Writes the characters as narrow text (no mark) into name in the kind's folder: 0, or 4.
static int WriteNarrowFile(const char16_t* name, int kind, const char16_t* text, uint32_t count) {
  if (StreamOpenWrite(name, STREAM_WRITE_NARROW, kind) != 0) return 4;
  for (uint32_t i = 0; i < count; i++)
    if (StreamWriteChar(text[i]) != 0) return 4;  // the failed write has closed the file
  return StreamCloseWrite() == 0 ? 0 : 4;
}

// Reads a UTF-16 file (with its mark) and writes it again as narrow text without a mark:
// 0; 1, 2 or 3 from the open (1 also for a file shorter than 3 bytes or of unknown length);
// 3 a read failure; 5 out of memory; 6 the old file could not be deleted; 4 writing failed.
// The narrow text goes to a temporary file first, so a failed write leaves the old file whole.
int ConvertFileToNarrowText(const char16_t* name, int kind) {
  int rc = StreamOpenRead(name, STREAM_READ_NEED_MARK, kind);
  if (rc) return rc;
  int64_t length = StreamFileLength();
  if (length < 3) {
    StreamCloseRead();
    return 1;
  }
  int64_t capacity = (length - 2) / 2;
  char16_t* text = nullptr;
  if (capacity < 0x10000000) text = (char16_t*)MemAlloc((size_t)(capacity + 1) * sizeof(char16_t));
  if (!text) {
    StreamCloseRead();
    return 5;
  }
  uint32_t count = 0;
  while (count < (uint64_t)capacity) {
    uint32_t ch;
    rc = StreamReadChar(&ch);
    if (rc == STREAM_ERR_EOF) break;  // marks and skipped characters make the text shorter
    if (rc) {                         // the read error has closed the file
      MemFree(text);
      return 3;
    }
    text[count++] = (char16_t)ch;
  }
  StreamCloseRead();

  char16_t temp[STREAM_PATH_CHARS];
  int nameLen = StringLength(name);
  static const char16_t kTempEnd[] = u".~q";
  rc = 4;
  if (nameLen + StringLength(kTempEnd) < STREAM_PATH_CHARS) {
    CopyString(temp, name);
    AppendString(temp, kTempEnd);
    rc = WriteNarrowFile(temp, kind, text, count);
    if (rc == 0 && DeleteKindFile(name, kind) != 0) rc = 6;
    if (rc != 0)
      DeleteKindFile(temp, kind);  // the old file stays
    else if (RenameKindFile(temp, name, kind) != 0)
      rc = 4;  // the text stays in temp
  }
  MemFree(text);
  return rc;
}
