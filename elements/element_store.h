// The one shape of every placed-element store: a singly linked list of records with a count and
// hash buckets chosen by x (or another key), records found by exact position or by id, create and
// delete, the network-file section and copy-text framing, and the block hooks (move, scale,
// delete, crossing test). Each kind embeds ElementHeader as the first member of its record and
// keeps one ElementStore.
#pragma once
#include <cstddef>
#include <cstdint>

struct ElementHeader {
  ElementHeader* next;          // list of all records of the kind
  ElementHeader* nextInBucket;  // records of the same bucket
  int32_t x, y, level;
};

struct ElementStore {
  ElementHeader* head;
  int32_t count;
  ElementHeader** buckets;  // bucketCount heads (a power of two), keyed by x & (bucketCount - 1)
  int32_t bucketCount;
  int32_t limit;     // most records the kind holds; 0 = no limit
  int32_t idOffset;  // byte offset of the record's u32 id; -1 = the kind has no ids
  // Frees a record with its attached buffers; null: the record is one MemAlloc block.
  void (*freeRecord)(ElementHeader* record);
};

// A block of cells, bounds inclusive.
struct ElementBox {
  int32_t x0, y0, level0, x1, y1, level1;
};
// A box that holds no cell (for the crossing test "does any record lie in A").
constexpr ElementBox ELEMENT_BOX_NONE = {0, -1, -1, 0, -1, -1};
int InElementBox(const ElementBox& box, int x, int y, int level);

void StoreInit(ElementStore* s);   // head, count and buckets zeroed
void StoreClear(ElementStore* s);  // every record freed; head, count and buckets zeroed
int StoreBucketOf(const ElementStore* s, int x);
ElementHeader* StoreFind(const ElementStore* s, int x, int y, int level);
ElementHeader* StoreFindById(const ElementStore* s, uint32_t id);
uint32_t StoreIdOf(const ElementStore* s, const ElementHeader* r);
// Room for one more record (the kind's limit).
int StoreHasRoom(const ElementStore* s);
// Links a new record at the list head (after = null) or after `after`, into its bucket's head,
// and raises the count.
void StoreLink(ElementStore* s, ElementHeader* r, ElementHeader* after);
// Takes a record out of list and bucket and lowers the count (the record is not freed).
void StoreUnlink(ElementStore* s, ElementHeader* r);
void StoreFree(ElementStore* s, ElementHeader* r);  // unlink and free
// Delete at position: 1 when there is no record; else frees it, marks the network modified, 0.
int StoreDeleteAt(ElementStore* s, int x, int y, int level);
// The bucket of a record after its x changed.
void StoreRehash(ElementStore* s, ElementHeader* r, int newX);

// ---- block hooks ---------------------------------------------------------------------------------
void StoreMoveInBox(ElementStore* s, const ElementBox& box, int dx, int dy, int dlevel);
// x' = x0 + (x - x0) * a / b, y' = y0 + (y - y0) * c / d about the box's first corner.
void StoreScaleInBox(ElementStore* s, const ElementBox& box, int a, int b, int c, int d);
void StoreDeleteInBox(ElementStore* s, const ElementBox& box);
// 0 no record inside A; 2 a record inside A but not inside B; else 1.
int StoreCrossBox(const ElementStore* s, const ElementBox& a, const ElementBox& b);

// ---- network-file section framing -------------------------------------------------------------------
// The tag as a u32 whose bytes spell it, then the count as u32: 0 or the first stream error.
int StoreWriteSectionHead(uint32_t tag4, uint32_t count);
// The tag (u32 from 14389, else the u16 tag) and the count (u32 from countU32From, else u16):
// 0, 3 for a wrong tag or a count above maxCount, or the stream error.
int StoreReadSectionHead(int version, uint32_t tag4, uint16_t tag2, int countU32From,
                         uint32_t maxCount, uint32_t* count);

// ---- copy-text framing ---------------------------------------------------------------------------
// The lines of the clipboard copy text: append one line (0, or the clipboard's error) and read
// line n (0, non-zero when there is no such line or it is longer than maxChars). Null until the
// clipboard line service is present (appending then fails with 1, reading finds no line).
extern int (*CopyTextAppendLine)(const char16_t* line);
extern int (*CopyTextReadLine)(int index, int maxChars, char16_t* out);
int AppendCopyLine(const char16_t* line);
int ReadCopyLine(int index, int maxChars, char16_t* out);
// "<tag>_A" / "<tag>_E" marker lines: 0 or the clipboard error.
int WriteCopyTextMarker(const char16_t* tag, char16_t suffix);
// 1 when the line is exactly "<tag>_<suffix>".
int IsCopyTextMarker(const char16_t* line, const char16_t* tag, char16_t suffix);
// Formats like snprintf with %u %x %i (32-bit arguments) into a UTF-16 line (at most n units
// with the terminator); returns the length.
int FormatCopyLine(char16_t* out, int n, const char* format, ...);
// Parses comma-separated fields in the given bases (16 or 10, a signed 10 with -10) from the
// line into out; returns the number of fields parsed before the first that does not parse; a
// line with more fields than asked reads as asked + 1.
int ParseCopyFields(const char16_t* line, const int* bases, int count, int64_t* out);
