// The line table: named services in the user's order, their ids, names and descriptions; creating,
// renaming, moving and deleting lines with what that changes in the element lists and the trains.
#include "elements/lines.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "model/grid.h"
#include "trains/train_records.h"

static LineRecord* Table = nullptr;  // LINE_TABLE_MAX entries, contiguous from 0 in display order
static int Count = 0;
static uint32_t IdCounter = 1;

int InitLineTable() {
  if (Table) return 1;
  Table = (LineRecord*)MemAlloc(sizeof(LineRecord) * LINE_TABLE_MAX);
  if (!Table) return 0;
  FillMem(Table, 0, sizeof(LineRecord) * LINE_TABLE_MAX);
  Count = 0;
  IdCounter = 1;
  return 1;
}

void ClearLineTable() {
  if (!Table) return;
  for (int i = 0; i < Count; i++)
    if (Table[i].description) {
      MemFree(Table[i].description);
      Table[i].description = nullptr;
      Table[i].descLength = 0;
    }
  Count = 0;
  IdCounter = 1;  // a new network numbers its lines from 1
}

void ExitLineTable() {
  ClearLineTable();
  if (Table) MemFree(Table);
  Table = nullptr;
}

int LineCount() { return Count; }
int GetLineCountAndMax() { return Count | LINE_TABLE_MAX << 16; }
const LineRecord* LineAt(int index) { return index >= 0 && index < Count ? &Table[index] : nullptr; }
int GetLineIdAt(int index) { return index >= 0 && index < Count ? (int)Table[index].id : 0; }

int LineIdToIndex(uint32_t id) {
  if (id == 0) return LINE_UNKNOWN_INDEX;
  for (int i = 0; i < Count; i++)
    if (Table[i].id == id) return i;
  return LINE_UNKNOWN_INDEX;
}

uint32_t NextFreeLineId() {
  for (int tries = 0; tries <= (int)LINE_ID_MAX; tries++) {
    if (IdCounter < 1 || IdCounter > LINE_ID_MAX) IdCounter = 1;
    if (LineIdToIndex(IdCounter) == LINE_UNKNOWN_INDEX) return IdCounter;
    IdCounter++;
  }
  return 0;  // cannot happen while the table holds at most LINE_TABLE_MAX lines
}

int CompareLineOrder(uint32_t a, uint32_t b) {
  int ia = LineIdToIndex(a), ib = LineIdToIndex(b);
  if (ia == LINE_UNKNOWN_INDEX || ib == LINE_UNKNOWN_INDEX) return 11;
  return ia < ib ? 1 : ia == ib ? 0 : 2;
}

// ---- names ---------------------------------------------------------------------------------------
static int ScanLineName(const char16_t* text, char16_t* name, int* consumed) {
  char16_t bad = 0;
  int c = ScanNameToken(text ? text : u"", name, consumed, &bad, LINE_NAME_CHARS);
  return c == NAME_STAR ? NAME_BAD_CHAR : c;
}

// Names compare ignoring case and leading blanks.
static int SameName(const char16_t* a, const char16_t* b) {
  return CompareStrings(a, b, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0;
}

static int FindIndexByScannedName(const char16_t* name) {
  for (int i = 0; i < Count; i++)
    if (SameName(Table[i].name, name)) return i;
  return -1;
}

int FindLineByName(const char16_t* text) {
  char16_t name[LINE_NAME_CHARS + 1];
  int c = ScanLineName(text, name, nullptr);
  if (c != NAME_OK) return -c;
  int i = FindIndexByScannedName(name);
  return i < 0 ? 0 : (int)Table[i].id;
}

int GetLineName(int id, char16_t* buffer, int pad) {
  if (!buffer) return id == 0 ? 2 : LineIdToIndex((uint32_t)id) == LINE_UNKNOWN_INDEX ? 1 : 0;
  if (id == 0) {
    CopyString(buffer, u"*");
    return 2;
  }
  int i = LineIdToIndex((uint32_t)id);
  if (i == LINE_UNKNOWN_INDEX) {
    CopyString(buffer, u"?");
    return 1;
  }
  int n = StringLength(Table[i].name);
  int lead = pad && n < LINE_NAME_CHARS ? LINE_NAME_CHARS - n : 0;
  FillChars(buffer, u' ', (size_t)lead);
  CopyString(buffer + lead, Table[i].name);
  return 0;
}

int ParseLineName(const char16_t* text, int* id) {
  char16_t name[LINE_NAME_CHARS + 1];
  int consumed = 0;
  char16_t bad = 0;
  int c = ScanNameToken(text ? text : u"", name, &consumed, &bad, LINE_NAME_CHARS);
  if (id) *id = 65535;
  if (c == NAME_STAR) {
    if (id) *id = 0;
    return consumed;
  }
  if (c == NAME_NONE) return 0;
  if (c == NAME_TOO_LONG) return -3;
  if (c != NAME_OK) return -2;
  int i = FindIndexByScannedName(name);
  if (id && i >= 0) *id = (int)Table[i].id;
  return consumed;
}

int StepLineNameField(const char16_t* fieldText, char16_t* name, int n) {
  if (Count == 0) return 1;
  char16_t text[LINE_NAME_CHARS + 1];
  const char16_t* p = fieldText ? fieldText : u"";
  while (*p == u' ') p++;
  CopyStringLimited(text, p, LINE_NAME_CHARS + 1);
  int i = -1;
  if (text[0]) i = FindIndexByScannedName(text);
  if (i < 0) {
    i = 0;
  } else {
    long k = ((long)i + n) % Count;
    if (k < 0) k += Count;
    i = (int)k;
  }
  CopyString(name, Table[i].name);
  return 0;
}

// ---- train order ----------------------------------------------------------------------------------
static int TrainBefore(const TrainRecord* a, const TrainRecord* b) {
  int c = CompareLineOrder(a->line, b->line);
  if (c == 11) c = a->line < b->line ? 1 : a->line == b->line ? 0 : 2;
  if (c != 0) return c == 1;
  return a->subNumber < b->subNumber;
}

void SortTrainsByLineOrder() {
  TrainRecord* sorted = nullptr;
  TrainRecord* t = Trains.first;
  while (t) {  // insertion sort of the list of all trains (stable: equal keys keep their order)
    TrainRecord* next = t->next;
    TrainRecord** p = &sorted;
    while (*p && !TrainBefore(t, *p)) p = &(*p)->next;
    t->next = *p;
    *p = t;
    t = next;
  }
  Trains.first = sorted;
}

// ---- create, delete, rename, move ------------------------------------------------------------------
int CreateLine(const char16_t* name, int afterId, int copyFromId) {
  if (!Table || Count >= LINE_TABLE_MAX) return 1;
  char16_t scanned[LINE_NAME_CHARS + 1];
  int c = ScanLineName(name, scanned, nullptr);
  if (c != NAME_OK) return c + 2;
  if (FindIndexByScannedName(scanned) >= 0) return 2;
  int at = Count;
  if (afterId) {
    int i = LineIdToIndex((uint32_t)afterId);
    if (i != LINE_UNKNOWN_INDEX) at = i + 1;
  }
  uint32_t id = NextFreeLineId();
  MoveMem(&Table[at + 1], &Table[at], sizeof(LineRecord) * (size_t)(Count - at));
  LineRecord& r = Table[at];
  FillMem(&r, 0, sizeof r);
  r.id = id;
  CopyString(r.name, scanned);
  Count++;
  int result = 0;
  if (copyFromId && AddLineAlongsideInStores((uint32_t)copyFromId, id)) result = 10;
  SetNetModified();
  return result;
}

int DeleteLine(int id) {
  int i = LineIdToIndex((uint32_t)id);
  if (i == LINE_UNKNOWN_INDEX) return 1;
  for (TrainRecord* t = Trains.first; t; t = t->next)
    if (t->line == (uint32_t)id) return 2;
  for (TrainRecord* t = Trains.first; t; t = t->next)
    if (t->secondLine == (uint32_t)id && !(t->flags & TRAIN_PARKED)) return 3;
  RemoveLineFromStores((uint32_t)id);
  if (Table[i].description) MemFree(Table[i].description);
  MoveMem(&Table[i], &Table[i + 1], sizeof(LineRecord) * (size_t)(Count - i - 1));
  Count--;
  FillMem(&Table[Count], 0, sizeof(LineRecord));
  SetNetModified();
  return 0;
}

static void MoveEntry(int from, int to) {
  if (from == to) return;
  LineRecord r = Table[from];
  if (from < to)
    MoveMem(&Table[from], &Table[from + 1], sizeof(LineRecord) * (size_t)(to - from));
  else
    MoveMem(&Table[to + 1], &Table[to], sizeof(LineRecord) * (size_t)(from - to));
  Table[to] = r;
}

int RenameLine(int id, char16_t* newName, int position) {
  int i = LineIdToIndex((uint32_t)id);
  if (i == LINE_UNKNOWN_INDEX) return 1;
  char16_t scanned[LINE_NAME_CHARS + 1];
  scanned[0] = 0;
  int keepName = 1;
  if (newName) {
    if (StringLength(newName) > LINE_NAME_CHARS) return 4;
    int c = ScanLineName(newName, scanned, nullptr);
    if (c == NAME_TOO_LONG) return 4;
    if (c != NAME_OK && c != NAME_NONE) return 3;
    if (c == NAME_OK) {
      int found = FindLineByName(newName);
      if (found < -1) return 1 - found;
      if (found > 0 && found != id) {
        CopyString(newName, Table[LineIdToIndex((uint32_t)found)].name);
        return 2;
      }
      keepName = 0;
    } else if (position == 0) {
      return 0;
    }
  }
  if (position != 0) {
    int to;
    if (position == -1)
      to = i == 0 ? Count - 1 : i - 1;
    else if (position == -2)
      to = i == Count - 1 ? 0 : i + 1;
    else {
      int after = LineIdToIndex((uint32_t)position);
      if (after == LINE_UNKNOWN_INDEX) return 1;
      to = after < i ? after + 1 : after;  // right behind that line once this one is out
    }
    MoveEntry(i, to);
    i = to;
    SortTrainsByLineOrder();
  }
  if (!keepName) CopyString(Table[i].name, scanned);
  SetNetModified();
  return 0;
}

// ---- descriptions ------------------------------------------------------------------------------------
int GetLineDescription(int id, char16_t* buffer) {
  int i = LineIdToIndex((uint32_t)id);
  if (i == LINE_UNKNOWN_INDEX) return -1;
  const LineRecord& r = Table[i];
  if (buffer) {
    if (r.descLength && r.description)
      CopyMem(buffer, r.description, r.descLength * sizeof(char16_t));
    else
      buffer[0] = 0;
  }
  return (int)r.descLength;
}

int SetLineDescription(int id, const char16_t* text) {
  int i = LineIdToIndex((uint32_t)id);
  if (i == LINE_UNKNOWN_INDEX) return -1;
  LineRecord& r = Table[i];
  char16_t* block = nullptr;
  uint32_t n = 0;
  if (text && !IsBlankString(text)) {
    int len = StringLength(text);
    if (len > LINE_DESC_MAX - 1) len = LINE_DESC_MAX - 1;
    n = (uint32_t)len + 1;
    block = (char16_t*)MemAlloc(n * sizeof(char16_t));
    if (!block) return -2;
    CopyMem(block, text, (size_t)len * sizeof(char16_t));
    block[len] = 0;
  }
  if (r.description) MemFree(r.description);
  r.description = block;
  r.descLength = n;
  SetNetModified();
  return 0;
}

void AdoptLineDescription(int index, char16_t* block, uint32_t length) {
  LineRecord& r = Table[index];
  if (r.description) MemFree(r.description);
  r.description = block;
  r.descLength = block ? length : 0;
}

int AppendLoadedLine(uint32_t id, const char16_t* name) {
  if (!Table || Count >= LINE_TABLE_MAX || id < 1 || id > LINE_ID_MAX) return 1;
  if (LineIdToIndex(id) != LINE_UNKNOWN_INDEX) return 1;
  LineRecord& r = Table[Count];
  FillMem(&r, 0, sizeof r);
  r.id = id;
  CopyStringLimited(r.name, name, LINE_NAME_CHARS + 1);
  Count++;
  return 0;
}

// ---- refused names -------------------------------------------------------------------------------------
int ReportLineNameError(int code, const char16_t* name, int mayCreate) {
  char16_t text[400];
  const char16_t* typed = name ? name : u"";
  if (code == -2) {
    char16_t bad[2] = {0, 0};
    char16_t scanned[LINE_NAME_CHARS + 1];
    char16_t badChar = 0;
    ScanNameToken(typed, scanned, nullptr, &badChar, LINE_NAME_CHARS);
    bad[0] = badChar ? badChar : u'?';
    char16_t first3[4];
    CopyStringLimited(first3, typed, 4);
    CopyString(text, GetLangText(LANG_ID(12004)));
    AppendString(text, u" \"");
    AppendString(text, bad);
    AppendString(text, u"\": \"");
    AppendString(text, first3);
    AppendString(text, u"..");
    ShowError(664, text);
    return 0;
  }
  if (code == -1) {
    ShowErrorText(663, LANG_ID(12003));
    return 0;
  }
  char16_t shown[64];
  CopyStringLimited(shown, typed, 64);
  if (code != 0) {
    CopyString(text, GetLangText(LANG_ID(12005)));
    AppendString(text, u": \"");
    AppendString(text, shown);
    AppendString(text, u"...\"");
    ShowError(665, text);
    return 0;
  }
  CopyString(text, GetLangText(LANG_ID(12002)));
  AppendString(text, u": \"");
  AppendString(text, shown);
  AppendString(text, u"\"");
  if (!mayCreate) {
    ShowError(662, text);
    return 0;
  }
  AppendString(text, u" ");
  AppendString(text, GetLangText(LANG_ID(12001)));
  if (ShowMessageDialog(text, GetLangText(LANG_ID(8020)), 660, MSG_STYLE_QUESTION) !=
      MSG_RESULT_YES)
    return 0;
  if (CreateLine(typed, 0, 0)) {
    ShowErrorText(661, LANG_ID(12006));
    return 0;
  }
  int id = FindLineByName(typed);
  return id > 0 ? id : 0;
}

int CountLineUses(int id, int x0, int y0, int level0, int x1, int y1, int level1) {
  if (id > 0) return CountLineUsesInStores((uint32_t)id, x0, y0, level0, x1, y1, level1, 0);
  if (id < 0) return CountLineUsesInStores((uint32_t)-id, x0, y0, level0, x1, y1, level1, 1);
  return 0;
}
