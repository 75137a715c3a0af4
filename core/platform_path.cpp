// Path splitting of the runtime (drive, folder, name, extension) for both builds; '\' and '/'
// both separate folders.
#include "core/platform.h"

static void CopyPart(char16_t* out, int outSize, const char16_t* from, int n) {
  if (!out) return;
  if (n > outSize - 1) n = outSize - 1;
  for (int i = 0; i < n; i++) out[i] = from[i];
  out[n] = 0;
}

static int SplitParts(const char16_t* path, char16_t* drive, char16_t* dir, char16_t* fname,
                      char16_t* ext) {
  int flags = 0;
  if (!path) path = u"";
  int len = 0;
  while (path[len]) {
    if (path[len] == '*' || path[len] == '?') flags |= WRAP_FN_WILDCARDS;
    len++;
  }
  int pos = 0;
  if (len >= 2 && path[1] == ':') {
    CopyPart(drive, WRAP_MAX_DRIVE, path, 2);
    flags |= WRAP_FN_DRIVE;
    pos = 2;
  } else {
    CopyPart(drive, WRAP_MAX_DRIVE, path, 0);
  }
  int lastSep = -1;
  for (int i = pos; i < len; i++)
    if (path[i] == '\\' || path[i] == '/') lastSep = i;
  int dirLen = lastSep < 0 ? 0 : lastSep + 1 - pos;
  CopyPart(dir, WRAP_MAX_DIR, path + pos, dirLen);
  if (dirLen) flags |= WRAP_FN_DIRECTORY;
  pos += dirLen;
  int dot = -1;
  for (int i = pos; i < len; i++)
    if (path[i] == '.') dot = i;
  int nameLen = (dot < 0 ? len : dot) - pos;
  CopyPart(fname, WRAP_MAX_FNAME, path + pos, nameLen);
  if (nameLen) flags |= WRAP_FN_FILENAME;
  int extLen = dot < 0 ? 0 : len - dot;
  CopyPart(ext, WRAP_MAX_EXT, path + (dot < 0 ? len : dot), extLen);
  if (extLen) flags |= WRAP_FN_EXTENSION;
  return flags;
}

void WrapSplitPath(const char16_t* path, char16_t* drive, char16_t* dir, char16_t* fname,
                   char16_t* ext) {
  SplitParts(path, drive, dir, fname, ext);
}

int WrapFnSplit(const char16_t* path, char16_t* drive, char16_t* dir, char16_t* fname,
                char16_t* ext) {
  return SplitParts(path, drive, dir, fname, ext);
}
