// The vehicle-graphic library: the loaded sets in ascending id order with a one-entry look-up
// cache, the queries of drawing, dialogs and the network file, and the reports of failed loads.
#include "app/dialog.h"
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"
#include "graphics/vehicles.h"
#include "trains/train_services.h"

static VehicleGraphicSet* Library = nullptr;
static uint32_t CachedId = 1;  // 1: no set has this id
static VehicleGraphicSet* CachedSet = nullptr;

void ResetVehicleGraphicSetCache() {
  CachedId = 1;
  CachedSet = nullptr;
}

VehicleGraphicSet* FindVehicleGraphicSet(uint32_t id) {
  if (id == CachedId) return CachedSet;
  for (VehicleGraphicSet* s = Library; s; s = s->next)
    if (s->id == id) {
      CachedId = id;
      CachedSet = s;
      return s;
    }
  ResetVehicleGraphicSetCache();
  return nullptr;
}

void SetVehicleGraphicLibrary(VehicleGraphicSet* head) {
  Library = head;
  ResetVehicleGraphicSetCache();
}
VehicleGraphicSet* GetVehicleGraphicLibrary() { return Library; }
int HasVehicleGraphicSet(uint32_t id) { return FindVehicleGraphicSet(id) ? 1 : 0; }
uint32_t GetFirstVehicleGraphicSetId() { return Library ? Library->id : 0; }

uint32_t GetVehicleGraphicKey(uint32_t id, int n) {
  VehicleGraphicSet* s = FindVehicleGraphicSet(id);
  if (!s || n < 0 || n >= s->count) return 0;
  return s->entries[n].slot | s->id;
}

const VehicleGraphicEntry* FindVehicleGraphic(uint32_t code) {
  VehicleGraphicSet* s = FindVehicleGraphicSet(VehicleSetId(code));
  if (!s) return nullptr;
  for (int i = 0; i < s->count; i++)
    if (s->entries[i].slot == (code & 15)) return &s->entries[i];
  return nullptr;
}

uint32_t GetVehicleGraphicWidth(uint32_t code) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(code);
  if (e) return (uint32_t)e->length;
  return (code & VG_GROUP) ? code & ~VG_GROUP : 0;
}

uint32_t GetVehicleGraphicAttributes(uint32_t code) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(code);
  if (e) return e->flags;
  return (code & VG_GROUP) ? 128 : 65535;
}

uint32_t GetVehicleGraphicParam(uint32_t code) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(code);
  if (!e) return 65535;
  uint32_t p = e->flags & (VG_SYMMETRIC | VG_LEADS);
  if (e->flags & VG_FRONT_CLOSED) p |= 0x2 | 0x8;
  if (e->flags & VG_REAR_CLOSED) p |= 0x4 | 0x20;
  return p;
}

// The i-th text (from 0) of a text block of zero-terminated texts.
static const char16_t* BlockText(const char16_t* block, int i) {
  if (!block) return nullptr;
  while (i-- > 0) block += StringLength(block) + 1;
  return block;
}

int DescribeVehicleGraphic(uint32_t id, int* count, uint32_t* nextSetId, char16_t* name) {
  VehicleGraphicSet* s = FindVehicleGraphicSet(id);
  if (name) name[0] = 0;
  if (!s) return 0;
  if (count) *count = s->count;
  if (nextSetId) *nextSetId = s->next ? s->next->id : 0;
  if (name) {
    const char16_t* text = (s->id & VG_USER) ? BlockText(s->texts, 0) : GetLangText(s->nameId);
    for (int i = 0; i < 32; i++) name[i] = u' ';
    int len = StringLength(text);
    if (len > 32) len = 32;
    for (int i = 0; i < len; i++) name[i] = text[i];
    name[32] = 0;
    TabAlignNameWide(name);
  }
  return 1;
}

int DescribeVehicleGraphicEntry(uint32_t code, const char16_t* texts[5]) {
  for (int k = 0; k < 5; k++) texts[k] = nullptr;
  VehicleGraphicSet* s = FindVehicleGraphicSet(VehicleSetId(code));
  const VehicleGraphicEntry* e = FindVehicleGraphic(code);
  if (!s || !e) {
    if (!(code & VG_GROUP)) return 1;
    static const uint32_t ids[4] = {LANG_ID(5581), LANG_ID(5582), LANG_ID(5583), LANG_ID(5584)};
    for (int k = 0; k < 4; k++) texts[k] = GetLangText(ids[k]);
    return 0;
  }
  int position = (int)(e - s->entries);
  for (int k = 0; k < 5; k++) {
    if (s->id & VG_USER)
      texts[k] = BlockText(s->texts, 1 + 5 * position + k);
    else
      texts[k] = e->textIds[k] ? GetLangText(e->textIds[k]) : nullptr;
  }
  return 0;
}

int CountVehicleGraphics(int* sets, int* setsInUse, int* graphicsInUse) {
  int total = 0, n = 0, used = 0, graphicsUsed = 0;
  for (VehicleGraphicSet* s = Library; s; s = s->next) {
    n++;
    int any = 0;
    for (int i = 0; i < s->count; i++) {
      total++;
      if (CountVehicleInTrains(s->id | s->entries[i].slot) > 0) {
        graphicsUsed++;
        any = 1;
      }
    }
    used += any;
  }
  if (sets) *sets = n;
  if (setsInUse) *setsInUse = used;
  if (graphicsInUse) *graphicsInUse = graphicsUsed;
  return total;
}

int CountVehicleGraphicUse(uint32_t id, int countAll) {
  VehicleGraphicSet* s = FindVehicleGraphicSet(id);
  if (!s) return 0;
  int sum = 0;
  for (int i = 0; i < s->count; i++) {
    int uses = CountVehicleInTrains(s->id | s->entries[i].slot);
    if (uses > 0 && !countAll) return 1;
    sum += uses;
  }
  return sum;
}

void InsertVehicleGraphicSet(VehicleGraphicSet* set, int atHead) {
  if (atHead || !Library) {
    set->next = Library;
    Library = set;
  } else {
    VehicleGraphicSet** link = &Library;
    while (*link && (*link)->id <= set->id) link = &(*link)->next;
    set->next = *link;
    *link = set;
  }
  ResetVehicleGraphicSetCache();
}

int FreeVehicleGraphicSet(uint32_t id) {
  VehicleGraphicSet** link = &Library;
  while (*link && (*link)->id != id) link = &(*link)->next;
  if (!*link) return 1;
  VehicleGraphicSet* s = *link;
  *link = s->next;
  FreeVehicleGraphicSetMemory(s);
  ResetVehicleGraphicSetCache();
  return 0;
}

void FreeVehicleGraphicLibrary() {
  while (Library) {
    VehicleGraphicSet* s = Library;
    Library = s->next;
    FreeVehicleGraphicSetMemory(s);
  }
  ResetVehicleGraphicSetCache();
}

int IsTrainOnCell(int x, int y, int level, uint16_t code) {
  int first = 0;
  if (GetTrainCellShape(x, y, level, &first, nullptr, nullptr, nullptr, code) == 0xC000) return 0;
  return first ? 2 : 1;
}

// ---- loading with reports ----------------------------------------------------------------------
static int ReportsOn = 1;
static int LastReportedFile = 0;
void ResetVehicleLoadReports() {
  ReportsOn = 1;
  LastReportedFile = 0;
}
int AreVehicleLoadReportsOn() { return ReportsOn; }

static void ReportFailedLoad(uint32_t code, int result) {
  int user = (code & VG_USER) != 0;
  uint32_t n = (code & 0x7FFFFFFFu) >> 4;
  int file = user ? (int)(n / VG_SETS_PER_FILE) + 1 : 0;
  if (!ReportsOn || (user && file == LastReportedFile)) return;
  uint32_t number = user ? 623 : 624;
  uint32_t record = user ? n % VG_SETS_PER_FILE : code >> 4;
  char16_t line1[STREAM_PATH_CHARS + 4] = {};
  if (user) {
    char16_t name[STREAM_PATH_CHARS];
    if (GetVehicleGraphicFileName(file, name) || !name[0]) CopyStringLimited(name, u"???", 4);
    const char16_t* parts[1] = {name};
    FormatTextWith(line1, STREAM_PATH_CHARS + 4, u"\"%s\"", nullptr, 0, parts, 1);
  }
  char16_t line2[300];
  const uint32_t values[2] = {record, (uint32_t)result};
  const char16_t* names[2] = {GetLangText(LANG_ID(5504)), GetLangText(LANG_ID(5501))};
  FormatTextWith(line2, 300, u"%s = %u, %s = %u", values, 2, names, 2);
  char16_t title[MSG_TITLE_MAX];
  const char16_t* texts[2] = {GetLangText(LANG_ID(8000)), GetLangText(LANG_ID(8040))};
  FormatTextWith(title, MSG_TITLE_MAX, u"%s %s%u", &number, 1, texts, 2);
  DialogRecord d[] = {DlgTitleText(title, MessageHelpTopic(number), DLG_NO_FOCUS),
                      DlgText(190, user ? LANG_ID(5502) : LANG_ID(5503)),
                      DlgTextPtr(191, line1),
                      DlgTextPtr(192, line2),
                      DlgOk(),
                      DlgText(120, LANG_ID(8106)),
                      DlgHelp(),
                      DlgEnd()};
  if (RunDialog(nullptr, 121, DlgF_Einfach, d) == 120) ReportsOn = 0;
  LastReportedFile = file;
}

int LoadVehicleGraphicSet(uint32_t code, int atHead) {
  int r = ReadVehicleGraphicSet(code, atHead);
  if (r == 0 || r == 11) return 0;
  if (r == 14) {
    ShowErrorText(622, LANG_ID(8005));
    return 4;
  }
  ReportFailedLoad(code, r);
  return (code & VG_USER) ? 2 : 1;
}
