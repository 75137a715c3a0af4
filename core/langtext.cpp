// The language tables and their lookup: GetLangText with its per-table cache, the missing-id
// form, module start and end, the document text blocks and the message seam of the loaders.
#include "core/langtext_internal.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/platform.h"

LangTableState LangMain = {nullptr, 0, 0, 0, {0}};
LangTableState LangSecond = {nullptr, 0, 0, 0, {0}};
LangTableState LangCollation = {nullptr, 0, 0, 0, {0}};

static char16_t* TextBlocks[3];
static const int TextBlockSize[3] = {TEXT_BLOCK_SHORT, TEXT_BLOCK_SHORT, TEXT_BLOCK_LONG};

static char16_t MissingText[24];  // "?@F" + id
static char MissingTextA[250];    // GetLangTextA result

static LangMessageFn MessageFn = nullptr;
static int WarningCount = 0;
static int FirstWarningLine = 0;

// ---- seam and warnings --------------------------------------------------------------------------
void SetLangMessageHandler(LangMessageFn fn) { MessageFn = fn; }
void LangReport(int number, const char16_t* text) {
  if (MessageFn)
    MessageFn(number, text);
  else
    ShowInfo((uint32_t)number, text);
}
void LangWarn(int line) {
  if (WarningCount++ == 0) FirstWarningLine = line;
}
void LangResetWarnings() {
  WarningCount = 0;
  FirstWarningLine = 0;
}
int GetLangWarningCount() { return WarningCount; }
int GetLangFirstWarningLine() { return FirstWarningLine; }

// ---- tables -------------------------------------------------------------------------------------
static void ClearCache(LangTableState* t) { t->cache.store(0, std::memory_order_relaxed); }

void LangClearCaches() {
  ClearCache(&LangMain);
  ClearCache(&LangSecond);
}

void LangFreeTable(LangTableState* t) {
  if (t->data) MemFree(t->data);
  t->data = nullptr;
  t->bytes = 0;
  t->count = 0;
  ClearCache(t);
}

const char16_t* GetLangFileName(int main) { return main ? LangMain.fileName : LangSecond.fileName; }

const LangEntry* FindLangEntry(uint32_t id, uint32_t* length) {
  LangTableState* t = id < LANG_SECOND_FIRST_ID ? &LangMain : &LangSecond;
  if (length) *length = 0;
  if (!t->data) return nullptr;
  uint64_t cache = t->cache.load(std::memory_order_relaxed);
  uint32_t cachedId = (uint32_t)(cache >> 32);
  uint32_t off = 0;
  if (cachedId && id >= cachedId) off = (uint32_t)cache;  // equal: found at once; above: go on
  while (off + 8 <= t->bytes) {
    const LangEntry* e = reinterpret_cast<const LangEntry*>(t->data + off);
    if (e->id == id) {
      if (id != cachedId) t->cache.store((uint64_t)id << 32 | off, std::memory_order_relaxed);
      if (length) *length = e->length;
      return e;
    }
    if (e->id > id) break;  // ascending: it is not there
    off += LangEntrySize(e->length);
  }
  return nullptr;
}

static void FormatMissing(uint32_t id) {
  MissingText[0] = u'?';
  MissingText[1] = u'@';
  MissingText[2] = u'F';
  MissingText[3 + FormatUnsignedDigits(MissingText + 3, id, 1)] = 0;
}

const char16_t* GetLangText(uint32_t id) {
  const LangEntry* e = FindLangEntry(id, nullptr);
  if (e) return LangEntryText(e);
  FormatMissing(id);
  return MissingText;
}

const char* GetLangTextA(uint32_t id) {
  const LangEntry* e = FindLangEntry(id, nullptr);
  if (e) {
    WideToMultiByte(LangEntryText(e), MissingTextA, (int)sizeof MissingTextA);
  } else {
    FormatMissing(id);
    int i = 0;
    for (; MissingText[i]; i++) MissingTextA[i] = (char)MissingText[i];
    MissingTextA[i] = 0;
  }
  return MissingTextA;
}

uint32_t GetLangTextLength(uint32_t id) {
  uint32_t length = 0;
  FindLangEntry(id, &length);
  return length;
}

// ---- growing entry block ------------------------------------------------------------------------
int LangBuilderAppend(LangBuilder* b, uint32_t id, const char16_t* text, uint32_t length) {
  uint32_t size = LangEntrySize(length + 1);
  while (b->bytes + size > b->capacity) {
    uint32_t cap = b->capacity + 4096;
    uint8_t* p = static_cast<uint8_t*>(b->data ? MemRealloc(b->data, cap) : MemAlloc(cap));
    if (!p) return 1;
    b->data = p;
    b->capacity = cap;
  }
  LangEntry* e = reinterpret_cast<LangEntry*>(b->data + b->bytes);
  e->id = id;
  e->length = length + 1;
  char16_t* dst = reinterpret_cast<char16_t*>(e + 1);
  for (uint32_t i = 0; i < length; i++) dst[i] = text[i];
  dst[length] = 0;
  if ((length + 1) % 2) dst[length + 1] = 0;  // padding unit
  b->bytes += size;
  b->count++;
  return 0;
}

void LangBuilderFree(LangBuilder* b) {
  if (b->data) MemFree(b->data);
  b->data = nullptr;
  b->bytes = b->capacity = b->count = 0;
}

// ---- module life --------------------------------------------------------------------------------
int InitLanguage() {
  LangClearCaches();
  for (int i = 0; i < 3; i++) {
    if (TextBlocks[i]) continue;
    TextBlocks[i] = static_cast<char16_t*>(MemAlloc(2 * (TextBlockSize[i] + 1)));
    if (!TextBlocks[i]) return 1;
    TextBlocks[i][0] = 0;
  }
  return 0;
}

void ExitLanguage() {
  for (int i = 0; i < 3; i++) {
    if (TextBlocks[i]) MemFree(TextBlocks[i]);
    TextBlocks[i] = nullptr;
  }
  LangFreeTable(&LangMain);
  LangFreeTable(&LangSecond);
  LangFreeTable(&LangCollation);
  LangMain.fileName[0] = 0;
  LangSecond.fileName[0] = 0;
  LangResetWarnings();
}

// ---- document text blocks -----------------------------------------------------------------------
int GetTextBlock(int index, char16_t* text) {
  if (index < 0 || index > 2) return 1;
  CopyStringLimited(text, TextBlocks[index], TextBlockSize[index] + 1);
  return 0;
}

int SetTextBlock(int index, const char16_t* text) {
  if (index < 0 || index > 2 || !TextBlocks[index]) return 1;
  CopyStringLimited(TextBlocks[index], text, TextBlockSize[index] + 1);
  return 0;
}
