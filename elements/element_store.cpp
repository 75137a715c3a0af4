// The element store pattern shared by every placed-element kind.
#include "elements/element_store.h"
#include <cstdarg>
#include <cstdio>
#include "core/clipboard.h"
#include "core/misc.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"

int InElementBox(const ElementBox& b, int x, int y, int level) {
  return PointInBox(x, y, level, b.x0, b.y0, b.level0, b.x1, b.y1, b.level1);
}

void StoreInit(ElementStore* s) {
  s->head = nullptr;
  s->count = 0;
  for (int i = 0; i < s->bucketCount; i++) s->buckets[i] = nullptr;
}

static void FreeOne(ElementStore* s, ElementHeader* r) {
  if (s->freeRecord)
    s->freeRecord(r);
  else
    MemFree(r);
}

void StoreClear(ElementStore* s) {
  ElementHeader* r = s->head;
  while (r) {
    ElementHeader* n = r->next;
    FreeOne(s, r);
    r = n;
  }
  StoreInit(s);
}

int StoreBucketOf(const ElementStore* s, int x) {
  return s->bucketCount > 0 ? (x & (s->bucketCount - 1)) : 0;
}

ElementHeader* StoreFind(const ElementStore* s, int x, int y, int level) {
  ElementHeader* r = s->bucketCount > 0 ? s->buckets[StoreBucketOf(s, x)] : s->head;
  for (; r; r = s->bucketCount > 0 ? r->nextInBucket : r->next)
    if (r->x == x && r->y == y && r->level == level) return r;
  return nullptr;
}

uint32_t StoreIdOf(const ElementStore* s, const ElementHeader* r) {
  if (s->idOffset < 0) return 0;
  uint32_t id;
  CopyMem(&id, (const char*)r + s->idOffset, sizeof id);
  return id;
}

ElementHeader* StoreFindById(const ElementStore* s, uint32_t id) {
  if (s->idOffset < 0) return nullptr;
  for (ElementHeader* r = s->head; r; r = r->next)
    if (StoreIdOf(s, r) == id) return r;
  return nullptr;
}

int StoreHasRoom(const ElementStore* s) { return s->limit <= 0 || s->count < s->limit; }

static void BucketPush(ElementStore* s, ElementHeader* r) {
  if (s->bucketCount <= 0) return;
  ElementHeader** b = &s->buckets[StoreBucketOf(s, r->x)];
  r->nextInBucket = *b;
  *b = r;
}

static void BucketRemove(ElementStore* s, ElementHeader* r) {
  if (s->bucketCount <= 0) return;
  for (ElementHeader** p = &s->buckets[StoreBucketOf(s, r->x)]; *p; p = &(*p)->nextInBucket)
    if (*p == r) {
      *p = r->nextInBucket;
      break;
    }
  r->nextInBucket = nullptr;
}

void StoreLink(ElementStore* s, ElementHeader* r, ElementHeader* after) {
  if (after) {
    r->next = after->next;
    after->next = r;
  } else {
    r->next = s->head;
    s->head = r;
  }
  BucketPush(s, r);
  s->count++;
}

void StoreUnlink(ElementStore* s, ElementHeader* r) {
  for (ElementHeader** p = &s->head; *p; p = &(*p)->next)
    if (*p == r) {
      *p = r->next;
      s->count--;
      break;
    }
  r->next = nullptr;
  BucketRemove(s, r);
}

void StoreFree(ElementStore* s, ElementHeader* r) {
  StoreUnlink(s, r);
  FreeOne(s, r);
}

int StoreDeleteAt(ElementStore* s, int x, int y, int level) {
  ElementHeader* r = StoreFind(s, x, y, level);
  if (!r) return 1;
  StoreFree(s, r);
  SetNetModified();
  return 0;
}

void StoreRehash(ElementStore* s, ElementHeader* r, int newX) {
  BucketRemove(s, r);
  r->x = newX;
  BucketPush(s, r);
}

// ---- block hooks -----------------------------------------------------------------------------------
void StoreMoveInBox(ElementStore* s, const ElementBox& box, int dx, int dy, int dlevel) {
  for (ElementHeader* r = s->head; r; r = r->next) {
    if (!InElementBox(box, r->x, r->y, r->level)) continue;
    StoreRehash(s, r, r->x + dx);
    r->y += dy;
    r->level += dlevel;
  }
}

static int32_t ScaleOne(int32_t origin, int32_t v, int a, int b) {
  if (b == 0) return v;
  return origin + (int32_t)((int64_t)(v - origin) * a / b);
}

void StoreScaleInBox(ElementStore* s, const ElementBox& box, int a, int b, int c, int d) {
  for (ElementHeader* r = s->head; r; r = r->next) {
    if (!InElementBox(box, r->x, r->y, r->level)) continue;
    StoreRehash(s, r, ScaleOne(box.x0, r->x, a, b));
    r->y = ScaleOne(box.y0, r->y, c, d);
  }
}

void StoreDeleteInBox(ElementStore* s, const ElementBox& box) {
  ElementHeader* r = s->head;
  while (r) {
    ElementHeader* n = r->next;
    if (InElementBox(box, r->x, r->y, r->level)) StoreFree(s, r);
    r = n;
  }
}

int StoreCrossBox(const ElementStore* s, const ElementBox& a, const ElementBox& b) {
  int any = 0;
  for (ElementHeader* r = s->head; r; r = r->next) {
    if (!InElementBox(a, r->x, r->y, r->level)) continue;
    if (!InElementBox(b, r->x, r->y, r->level)) return 2;
    any = 1;
  }
  return any;
}

// ---- network-file section framing --------------------------------------------------------------------
int StoreWriteSectionHead(uint32_t tag4, uint32_t count) {
  int r = StreamWriteDword(tag4);
  return r ? r : StreamWriteDword(count);
}

int StoreReadSectionHead(int version, uint32_t tag4, uint16_t tag2, int countU32From,
                         uint32_t maxCount, uint32_t* count) {
  int r = ReadSectionTag(version, tag4, tag2);
  if (r) return r;
  if ((r = ReadVersionedCount(version, countU32From, count))) return r;
  return *count > maxCount ? NETSEC_FORMAT : 0;
}

// ---- copy-text framing -------------------------------------------------------------------------------
int (*CopyTextAppendLine)(const char16_t* line) = AppendClipboardLine;
int (*CopyTextReadLine)(int index, int maxChars, char16_t* out) = ReadClipboardLine;

int AppendCopyLine(const char16_t* line) {
  return CopyTextAppendLine ? CopyTextAppendLine(line) : 1;
}

int ReadCopyLine(int index, int maxChars, char16_t* out) {
  return CopyTextReadLine ? CopyTextReadLine(index, maxChars, out) : 1;
}

int WriteCopyTextMarker(const char16_t* tag, char16_t suffix) {
  char16_t line[32];
  int n = 0;
  while (tag[n] && n < 28) {
    line[n] = tag[n];
    n++;
  }
  line[n++] = u'_';
  line[n++] = suffix;
  line[n] = 0;
  return AppendCopyLine(line);
}

int IsCopyTextMarker(const char16_t* line, const char16_t* tag, char16_t suffix) {
  int n = 0;
  while (tag[n]) {
    if (line[n] != tag[n]) return 0;
    n++;
  }
  return line[n] == u'_' && line[n + 1] == suffix && line[n + 2] == 0;
}

int FormatCopyLine(char16_t* out, int n, const char* format, ...) {
  char narrow[512];
  va_list args;
  va_start(args, format);
  int len = vsnprintf(narrow, sizeof narrow, format, args);
  va_end(args);
  if (len < 0) len = 0;
  if (len > (int)sizeof narrow - 1) len = (int)sizeof narrow - 1;
  if (len > n - 1) len = n - 1;
  for (int i = 0; i < len; i++) out[i] = (char16_t)(unsigned char)narrow[i];
  out[len] = 0;
  return len;
}

static int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

int ParseCopyFields(const char16_t* line, const int* bases, int count, int64_t* out) {
  const char16_t* p = line;
  for (int i = 0; i <= count; i++) {
    while (*p == u' ') p++;
    if (i == count) return *p ? count + 1 : count;
    int base = bases[i] < 0 ? -bases[i] : bases[i];
    int negative = 0;
    if (bases[i] < 0 && *p == u'-') {
      negative = 1;
      p++;
    }
    int64_t v = 0;
    int digits = 0;
    while (DigitValue(*p) < base) {
      v = v * base + DigitValue(*p++);
      if (v > 0xFFFFFFFFll) return i;
      digits++;
    }
    if (!digits) return i;
    while (*p == u' ') p++;
    if (*p != u',' && *p != 0) return i;
    out[i] = negative ? -v : v;
    if (*p == u',') p++;
    while (*p == u' ') p++;
    if (*p == 0) return i + 1;
  }
  return count;
}
