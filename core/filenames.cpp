// File-name helpers: cutting the extension or the file name off a path, adding a default
// extension and reading the extension. A backslash or a slash ends a folder.
#include "core/stream.h"
#include "core/misc.h"

static int IsFolderEnd(char16_t c) { return c == u'\\' || c == u'/'; }

// Index of the first character of the file name (after the last folder end).
static int FileNameStart(const char16_t* path) {
  int start = 0;
  for (int i = 0; path[i]; i++)
    if (IsFolderEnd(path[i])) start = i + 1;
  return start;
}

// Index of the last "." in the file name, or -1.
static int LastDotInName(const char16_t* path, int nameStart) {
  int dot = -1;
  for (int i = nameStart; path[i]; i++)
    if (path[i] == u'.') dot = i;
  return dot;
}

void StripExtension(char16_t* path) {
  if (!path) return;
  int start = FileNameStart(path);
  int dot = LastDotInName(path, start);
  if (dot > start) path[dot] = 0;  // a "." at the start of the file name is no extension's
}

void StripFileName(char16_t* path) {
  if (!path) return;
  int start = FileNameStart(path);
  if (start > 0) path[start] = 0;
}

int AddDefaultExtension(char16_t* path, const char16_t* extension, int capacity) {
  if (!path || !extension) return 0;
  int start = FileNameStart(path);
  if (LastDotInName(path, start) >= 0) return 0;
  int len = StringLength(path);
  int dot = extension[0] == u'.' ? 0 : 1;
  int extLen = StringLength(extension);
  if (len + dot + extLen + 1 > capacity) return 1;
  if (dot) path[len++] = u'.';
  CopyString(path + len, extension);
  return 0;
}

int GetExtension(const char16_t* path, char16_t* extension) {
  if (!extension) return 1;
  extension[0] = 0;
  if (!path) return 1;
  int start = FileNameStart(path);
  int dot = LastDotInName(path, start);
  if (dot <= start) return 1;  // no "." or only one at the start of the file name
  CopyStringLimited(extension, path + dot + 1, STREAM_PATH_CHARS);
  return 0;
}
