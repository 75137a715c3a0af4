// Process-wide values of the entry and the folder and option-file rules (both builds).
#include "app/entry.h"

EntryState Entry = {};

const char16_t* DefaultOptionFileName() {
#ifdef QUIL_VIEWER
  return u"quilview.ini";
#else
  return u"quil.ini";
#endif
}

static int Copy(char16_t* dst, const char16_t* src, int len) {
  if (len >= ENTRY_PATH_CHARS) {
    dst[0] = 0;
    return 1;
  }
  for (int i = 0; i < len; i++) dst[i] = src[i];
  dst[len] = 0;
  return 0;
}

int SplitFolderAndName(const char16_t* fullPath, char16_t* folder, char16_t* name) {
  int len = 0, cut = 0;
  while (fullPath && fullPath[len]) {
    if (fullPath[len] == u'\\' || fullPath[len] == u'/' || fullPath[len] == u':') cut = len + 1;
    len++;
  }
  int r = 0;
  if (folder) r |= Copy(folder, fullPath ? fullPath : u"", cut);
  if (name) r |= Copy(name, fullPath ? fullPath + cut : u"", len - cut);
  return r;
}

int EnsureTrailingBackslash(char16_t* folder, int capacity) {
  int len = 0;
  while (folder[len]) len++;
  if (len && (folder[len - 1] == u'\\' || folder[len - 1] == u'/')) return 0;
  if (len + 2 > capacity) return 1;
  folder[len] = u'\\';
  folder[len + 1] = 0;
  return 0;
}

void ChooseOptionFile(const char16_t* fullOptionPath, int given, const char16_t* programFolder,
                      char16_t* folder, char16_t* name) {
  folder[0] = 0;
  name[0] = 0;
  if (given && fullOptionPath && fullOptionPath[0]) {
    SplitFolderAndName(fullOptionPath, folder, name);
    if (!folder[0] || given == 2) SplitFolderAndName(programFolder, folder, nullptr);
  } else if (given) {
    SplitFolderAndName(programFolder, folder, nullptr);
  }
  if (!name[0]) {
    const char16_t* d = DefaultOptionFileName();
    int i = 0;
    for (; d[i]; i++) name[i] = d[i];
    name[i] = 0;
  }
}
