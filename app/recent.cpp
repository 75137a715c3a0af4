// The recent-file list: 32 fixed entries, newest first.
#include "app/recent.h"

char16_t RecentFiles[RECENT_COUNT][RECENT_CHARS];
int32_t RecentShownCount = 20;  // the option file's default

static char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return (char16_t)(c - 32);
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return (char16_t)(c - 32);
  return c;
}

static const char16_t* SkipBlanks(const char16_t* s) {
  while (*s == u' ' || *s == u'\t') s++;
  return s;
}

static int SamePath(const char16_t* a, const char16_t* b) {
  a = SkipBlanks(a);
  b = SkipBlanks(b);
  while (*a && Fold(*a) == Fold(*b)) {
    a++;
    b++;
  }
  return Fold(*a) == Fold(*b);
}

static void CopyEntry(char16_t* dst, const char16_t* src) {
  int i = 0;
  for (; i < RECENT_CHARS - 1 && src[i]; i++) dst[i] = src[i];
  dst[i] = 0;
}

void AddRecentFile(const char16_t* path) {
  if (!path) {
    for (int i = 0; i < RECENT_COUNT; i++) RecentFiles[i][0] = 0;
    return;
  }
  char16_t entry[RECENT_CHARS];
  CopyEntry(entry, path);
  int found = RECENT_COUNT - 1;  // none matched: all 31 move, entry 31 is dropped
  for (int i = 0; i < RECENT_COUNT - 1; i++)
    if (RecentFiles[i][0] && SamePath(RecentFiles[i], entry)) {
      found = i;
      break;
    }
  for (int i = found; i > 0; i--) CopyEntry(RecentFiles[i], RecentFiles[i - 1]);
  CopyEntry(RecentFiles[0], entry);
}

int GetRecentFile(char16_t* buffer, int id) {
  if (id < RECENT_FIRST_ID || id > RECENT_LAST_ID) return 1;
  const char16_t* e = RecentFiles[id - RECENT_FIRST_ID];
  int len = 0;
  while (len < RECENT_CHARS && e[len]) len++;
  if (len < 1 || len > RECENT_CHARS - 1) return 1;
  for (int i = 0; i <= len; i++) buffer[i] = e[i];
  return 0;
}

int FormatRecentMenuItem(int index, char16_t* out, int capacity) {
  if (index < 0 || index >= RECENT_COUNT || capacity < 1) return 1;
  char16_t head[8];
  int n = 0;
  if (index < 10) {
    head[n++] = u'&';
    head[n++] = (char16_t)(u'0' + index);
  } else {
    head[n++] = (char16_t)(u'0' + index / 10);
    head[n++] = (char16_t)(u'0' + index % 10);
  }
  head[n++] = u' ';
  int o = 0;
  for (int i = 0; i < n && o < capacity - 1; i++) out[o++] = head[i];
  const char16_t* e = RecentFiles[index];
  for (int i = 0; i < RECENT_CHARS && e[i] && o < capacity - 1; i++) out[o++] = e[i];
  out[o] = 0;
  return 0;
}

int SetRecentShownCount(int n) {
  if (n < 0 || n > RECENT_COUNT) return 1;
  RecentShownCount = n;
  return 0;
}
