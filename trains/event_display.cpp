// The event display list: adding events with their filter, duplicate and full-list rules, the
// event texts, the list text of the dialog, the filter's option-file texts, the indicator and the
// block hooks. Only the user-interface thread touches any of it (the simulation step runs there).
#include "trains/event_display.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "signalling/switch_control.h"
#include "trains/sim_clock.h"
#include "trains/train_records.h"
#include "views/view_services.h"

namespace {

struct EventList {
  EventDisplayEntry entries[EVENT_LIST_MAX];
  int count;
  int newEntries;  // set by every added entry, cleared when the list is shown or emptied
};
EventList List = {};

int Option = 0;                               // bits 1, 2, 4
uint8_t KindFlags[EVENT_KIND_LAST + 1] = {};  // 0 off, 1 on, 2 on and may stop

// Bounded text building: every append stops at the capacity (one unit kept for the 0).
struct Out {
  char16_t* s;
  int n, cap;
};
void Begin(Out* o, char16_t* s, int cap) {
  o->s = s;
  o->n = 0;
  o->cap = cap;
  if (cap > 0) s[0] = 0;
}
void Put(Out* o, char16_t c) {
  if (o->n + 1 >= o->cap) return;
  o->s[o->n++] = c;
  o->s[o->n] = 0;
}
void PutText(Out* o, const char16_t* t) {
  for (int i = 0; t && t[i]; i++) Put(o, t[i]);
}
void PutAscii(Out* o, const char* t) {
  for (int i = 0; t[i]; i++) Put(o, (char16_t)(unsigned char)t[i]);
}
// A number in at least `width` places, padded with blanks (pad ' ') or zeros (pad '0').
void PutNumber(Out* o, uint32_t v, int width, char16_t pad) {
  char16_t d[12];
  int n = 0;
  do {
    d[n++] = (char16_t)(u'0' + v % 10);
    v /= 10;
  } while (v);
  for (int i = n; i < width; i++) Put(o, pad);
  while (n) Put(o, d[--n]);
}
// "h:mm:ss" with the hour in `hourWidth` places (blank-padded, or zero-padded with zeroHour).
void PutClock(Out* o, uint32_t seconds, int hourWidth, int zeroHour, int withSeconds) {
  PutNumber(o, seconds / 3600, hourWidth, zeroHour ? u'0' : u' ');
  Put(o, u':');
  PutNumber(o, seconds / 60 % 60, 2, u'0');
  if (!withSeconds) return;
  Put(o, u':');
  PutNumber(o, seconds % 60, 2, u'0');
}

// The name of an element for the extra part, leading blanks removed; "???" when there is none.
void PutName(Out* o, int found, char16_t* name) {
  if (!found) {
    PutAscii(o, "???");
    return;
  }
  name[ELEMENT_NAME_CHARS - 1] = 0;
  PutText(o, name + CountLeadingBlanks(name));
}
void PutTpName(Out* o, int x, int y, int level) {
  char16_t name[ELEMENT_NAME_CHARS] = {};
  PutName(o, GetTpInfoAt(x, y, level, name, nullptr) == 0, name);
}

int OnGrid(const EventDisplayEntry& e) {
  return e.x <= 32767 && e.y <= 32767 && e.level >= -4 && e.level <= 0;
}

// Deletes the entries the test picks (with the indicator redrawn once when any went).
template <typename Pick>
void DeleteWhere(Pick pick) {
  int before = List.count;
  for (int i = List.count - 1; i >= 0; i--)
    if (pick(List.entries[i])) DeleteEventDisplayEntry(i, 0);
  if (List.count != before) DrawEventIndicator(nullptr);
}

int InBox(const EventDisplayEntry& e, int x1, int y1, int l1, int x2, int y2, int l2) {
  return PointInBox((int)e.x, (int)e.y, e.level, x1, y1, l1, x2, y2, l2);
}

}  // namespace

void (*EventSoundRequest)(int n) = PostEventSound;

// ---- the list ----------------------------------------------------------------------------------------
int GetEventDisplayCount() { return List.count; }
int GetEventDisplayNewFlag() { return List.newEntries; }
void MarkEventDisplaySeen() {
  List.newEntries = 0;
  DrawEventIndicator(nullptr);
}

const EventDisplayEntry* GetEventDisplayEntry(int index) {
  return index >= 0 && index < List.count ? &List.entries[index] : nullptr;
}

void DeleteEventDisplayEntry(int index, int redraw) {
  if (index < 0 || index >= List.count) return;
  List.count--;
  if (redraw) DrawEventIndicator(nullptr);
  MoveMem(&List.entries[index], &List.entries[index + 1],
          (size_t)(List.count - index) * sizeof(EventDisplayEntry));
}

void ClearEventDisplay() {
  List.count = 0;
  List.newEntries = 0;
  DrawEventIndicator(nullptr);
}

// At shut-down the windows are gone: the list is emptied without drawing.
void ExitEventDisplay() {
  List.count = 0;
  List.newEntries = 0;
}

int AddEventDisplayEntry(int kind, int x, int y, int level, int line, int secondLine, int subNumber,
                         int32_t value) {
  if (kind != 0 && GetEventKindFlag(kind) == 0) return 1;
  x = x < 0 ? 0 : x > 32767 ? 32767 : x;
  y = y < 0 ? 0 : y > 32767 ? 32767 : y;
  if (kind == 26) {
    // The schedule entry this train has now met is done: the kind-13 event of the same time at
    // the TP element's main cell goes.
    int id = 0, px = 0, py = 0, pl = 0;
    if (GetTpInfoAt(x, y, level, nullptr, &id) == 0 &&
        GetTpPart(id, 0, &px, &py, &pl, nullptr) == 0) {
      for (int i = 0; i < List.count; i++) {
        const EventDisplayEntry& e = List.entries[i];
        if (e.kind == 13 && (int)e.x == px && (int)e.y == py && e.level == pl &&
            e.value == (uint32_t)value) {
          DeleteEventDisplayEntry(i, 0);
          break;
        }
      }
    }
  }
  if (kind != 13 && kind != 14 && kind != 26) {
    for (int i = 0; i < List.count; i++) {
      const EventDisplayEntry& e = List.entries[i];
      if (e.kind == (uint32_t)kind && (int)e.x == x && (int)e.y == y && e.level == level) return 2;
    }
  }
  int logOpen = IsLogFileOpen();
  TrainRecord* train = nullptr;
  if (logOpen && line > 0 && subNumber > 0) {
    int found = 0;
    TrainRecord* t = FindTrainSlot((uint32_t)line, (uint32_t)subNumber, &found);
    if (found) train = t;
  }
  char16_t text[EVENT_TEXT_CHARS], time[EVENT_TIME_CHARS];
  if (List.count >= EVENT_LIST_MAX) {
    if (logOpen) {
      FormatEventText(kind, x, y, level, DocState.hour, DocState.minute, DocState.second, -1, text,
                      time);
      LogDisplayEvent(x, y, level, time, text, line, train);
    }
    return 3;
  }
  EventDisplayEntry& e = List.entries[List.count];
  e.kind = (uint32_t)kind;
  e.x = (uint32_t)x;
  e.y = (uint32_t)y;
  e.level = level;
  e.line = (uint32_t)line;
  e.secondLine = (uint32_t)secondLine;
  e.subNumber = (uint32_t)subNumber;
  e.day = (uint32_t)GetElapsedDays();
  e.weekday = (uint8_t)DocState.weekday;
  e.hour = (uint8_t)DocState.hour;
  e.minute = (uint8_t)DocState.minute;
  e.second = (uint8_t)DocState.second;
  e.value = (uint32_t)value;
  if (logOpen) {
    FormatEventText(kind, x, y, level, DocState.hour, DocState.minute, DocState.second, value,
                    text, time);
    LogDisplayEvent(x, y, level, time, text, line, train);
  }
  List.count++;
  int sound = List.newEntries ? 2 : 1;
  List.newEntries = 1;
  if (EventSoundRequest) EventSoundRequest(sound);
  DrawEventIndicator(nullptr);
  if ((Option & 1) || ((Option & 2) && GetEventKindFlag(kind) == 2) ||
      ((Option & 4) && List.count >= EVENT_LIST_MAX))
    SetSimulationRunning(SIMRUN_STOP);
  return 0;
}

// ---- texts -------------------------------------------------------------------------------------------
int FormatEventText(int kind, int x, int y, int level, int hour, int minute, int second,
                    int32_t value, char16_t* out, char16_t* timeText) {
  Out o, t;
  Begin(&o, out, EVENT_TEXT_CHARS);
  if (timeText) Begin(&t, timeText, EVENT_TIME_CHARS);
  char16_t suffix[24];
  Out s;
  Begin(&s, suffix, 24);
  if (kind == 26) {
    if (value == -1) {
      PutAscii(&o, "??:??:?? ");
      if (timeText)
        PutAscii(&t, "??:??:??");
      else
        PutAscii(&s, " (?\?:?\?)");
    } else {
      uint32_t v = (uint32_t)value % 86400;
      int64_t now = (int64_t)hour * 3600 + minute * 60 + second;
      int64_t e = ((now - (int64_t)v) % 86400 + 86400) % 86400;
      PutClock(&o, (uint32_t)e, 2, 0, 1);
      Put(&o, u' ');
      if (timeText) {
        PutClock(&t, v, 2, 1, 1);
      } else {
        PutAscii(&s, " (");
        PutClock(&s, v, 2, 0, v % 60 != 0);
        Put(&s, u')');
      }
    }
  }
  uint32_t id = kind >= 1 && kind <= EVENT_KIND_LAST ? EVENT_TEXT_BASE + (uint32_t)kind
                                                      : EVENT_TEXT_BASE;
  PutText(&o, GetLangText(id));
  switch (kind) {
    case 1:
    case 2: {
      char16_t name[ELEMENT_NAME_CHARS] = {};
      Put(&o, u' ');
      PutName(&o, QuerySignalSystems(value, name) != 0, name);
      break;
    }
    case 8: {
      uint32_t sw = GetSwitchId(x, y, level);
      if (sw > 0)
        PutNumber(&o, sw, 1, u' ');
      else
        PutAscii(&o, "???");
      break;
    }
    case 10: {
      int slot = 0;
      int depot = FindDepotAt(x, y, level, &slot);
      char16_t name[128] = {};
      PutName(&o, depot > 0 && FormatDepotName(depot, -slot, name, nullptr) == 0, name);
      break;
    }
    case 13:
    case 27: PutTpName(&o, x, y, level); break;
    case 26:
      PutTpName(&o, x, y, level);
      PutText(&o, suffix);
      break;
    case 17:
      Put(&o, u' ');
      PutClock(&o, (uint32_t)value, 1, 0, 1);
      Put(&o, u' ');
      break;
    case 28:
    case 29: {
      char16_t name[ELEMENT_NAME_CHARS] = {};
      PutName(&o, DwxGetAt(x, y, level, name) == 0, name);
      break;
    }
  }
  return o.n + 1;
}

char16_t* BuildEventListText() {
  if (List.count <= 0) return nullptr;
  size_t units = (size_t)List.count * EVENT_LINE_CHARS + 1;
  char16_t* text = (char16_t*)MemAlloc(units * sizeof(char16_t));
  if (!text) return nullptr;
  char16_t* p = text;
  uint32_t firstDay = List.entries[0].day;
  for (int i = 0; i < List.count; i++) {
    const EventDisplayEntry& e = List.entries[i];
    Out o;
    Begin(&o, p, EVENT_LINE_CHARS);
    uint32_t days = e.day - firstDay;
    if ((int32_t)days < 0 || days > 999) {
      PutAscii(&o, "??? ");
    } else {
      PutNumber(&o, days, 3, u' ');
      Put(&o, u' ');
    }
    const char16_t* wd = GetLangText(17020 + (e.weekday <= 7 ? e.weekday : 0));
    for (int n = StringLength(wd); n < 3; n++) Put(&o, u' ');
    PutText(&o, wd);
    Put(&o, u' ');
    PutNumber(&o, e.hour, 2, u' ');
    Put(&o, u':');
    PutNumber(&o, e.minute, 2, u'0');
    if (e.second) {
      Put(&o, u':');
      PutNumber(&o, e.second, 2, u'0');
      Put(&o, u' ');
    } else {
      PutAscii(&o, "    ");
    }
    // The keyed span: code 2 with the entry index (32 bits) and a 0 unit, closed by a lone 2.
    if (o.n + 4 < o.cap) {
      p[o.n++] = 2;
      p[o.n++] = (char16_t)i;
      p[o.n++] = 0;
      p[o.n++] = 0;
      p[o.n] = 0;
    }
    Put(&o, u' ');
    const uint32_t lines[2] = {e.line, e.secondLine};
    for (uint32_t lineId : lines) {
      char16_t name[64] = {};
      if (lineId && GetLineName((int)lineId, name, 0) == 0) {
        name[8] = 0;
        for (int n = StringLength(name); n < 8; n++) Put(&o, u' ');
        PutText(&o, name);
        Put(&o, u' ');
      } else {
        PutAscii(&o, "-------- ");
      }
    }
    if (e.subNumber) {
      PutNumber(&o, e.subNumber, 3, u' ');
      PutAscii(&o, ". ");
    } else {
      PutAscii(&o, "---- ");
    }
    Put(&o, 2);
    char16_t event[EVENT_TEXT_CHARS];
    FormatEventText((int)e.kind, (int)e.x, (int)e.y, e.level, e.hour, e.minute, e.second,
                    (int32_t)e.value, event, nullptr);
    PutText(&o, event);
    p += o.n + 1;  // the line's 0 stays
  }
  *p = 0;
  return text;
}

// ---- filter and options ---------------------------------------------------------------------------
int GetEventDisplayOption() { return Option; }
int SetEventDisplayOption(int value) {
  if (value < 0 || value > 7) return 1;
  Option = value;
  return 0;
}
int GetEventKindFlag(int kind) {
  return kind >= 1 && kind <= EVENT_KIND_LAST ? KindFlags[kind] : 0;
}
int SetEventKindFlag(int kind, int flag) {
  if (kind < 1 || kind > EVENT_KIND_LAST) return 1;
  if (flag < 0 || flag > 2) return 2;
  KindFlags[kind] = (uint8_t)flag;
  return 0;
}
void ResetEventFilter() {
  Option = 0;
  for (int kind = 1; kind <= EVENT_KIND_LAST; kind++) KindFlags[kind] = 1;
}
void SetDefaultEventFilter() {
  static const uint8_t kOff[] = {1, 2, 8, 9, 13, 14, 15, 26, 27};
  Option = 0;
  for (int kind = 1; kind <= EVENT_KIND_LAST; kind++) KindFlags[kind] = 1;
  for (uint8_t kind : kOff) KindFlags[kind] = 0;
}

void FormatEventOptionText(char16_t out[3]) {
  out[0] = (Option & 1) ? u'S' : (Option & 2) ? u'X' : u'0';
  out[1] = (Option & 4) ? u'V' : u'0';
  out[2] = 0;
}

int ParseEventOptionText(const char16_t* text, int length) {
  int o = Option;
  if (length > 0) {
    char16_t c = text[0];
    if (c != u'S' && c != u'X' && c != u'0') return 1;
    o = (o & ~3) | (c == u'S' ? 1 : c == u'X' ? 2 : 0);
  }
  if (length > 1) {
    char16_t c = text[1];
    if (c != u'V' && c != u'0') return 1;
    o = (o & ~4) | (c == u'V' ? 4 : 0);
  }
  Option = o;
  return 0;
}

static int KindLetterFlag(char16_t c) { return c == u'B' ? 1 : c == u'C' ? 2 : c == u'j' ? 0 : -1; }

void FormatEventKindsText(char16_t out[EVENT_KIND_LAST + 1]) {
  for (int kind = 1; kind <= EVENT_KIND_LAST; kind++) {
    int f = KindFlags[kind];
    out[kind - 1] = f == 1 ? u'B' : f == 2 ? u'C' : u'j';
  }
  out[EVENT_KIND_LAST] = 0;
}

int ParseEventKindsText(const char16_t* text, int length) {
  for (int i = 0; i < length; i++)
    if (KindLetterFlag(text[i]) < 0) return 1;
  for (int i = 0; i < length && i < EVENT_KIND_LAST; i++)
    KindFlags[i + 1] = (uint8_t)KindLetterFlag(text[i]);
  return 0;
}

int ParseOldEventText(const char16_t* text, int length) {
  if (length > 0 && text[0] == u'S') Option = 1;
  for (int kind = 1; kind <= EVENT_KIND_LAST && kind < length; kind++) {
    char16_t c = text[kind];
    if (c == u'B') KindFlags[kind] = 1;
    if (c == u'j') KindFlags[kind] = 0;
    if (c == u'A') KindFlags[kind] = kind == 9 ? 0 : 1;
    if (c == u'i') KindFlags[kind] = kind >= 18 && kind <= 24 ? 1 : 0;
  }
  return 0;
}

// ---- indicator -------------------------------------------------------------------------------------
int GetEventIndicatorLook(char16_t* firstGlyph) {
  int colour = List.count == 0                ? 101
               : List.count >= EVENT_LIST_MAX ? 104
               : List.newEntries              ? 103
                                              : 102;
  if (firstGlyph) *firstGlyph = colour == 101 || colour == 102 ? 0x12 : 0x15;
  return colour;
}

void DrawEventIndicator(void* dc) {
  if (!dc) dc = GetDrawingDC(-1);
  if (!dc) return;
  int top = 0;
  int left = GetStatusPaneRect(28, &top, nullptr, nullptr);
  if (left < 0) return;
  char16_t glyph = 0;
  int colour = GetEventIndicatorLook(&glyph);
  const char16_t text[4] = {glyph, (char16_t)(glyph + 1), (char16_t)(glyph + 2), 0};
  DrawEventIndicatorGlyphs(dc, left, top, text, GetColour(colour), GetColour(39));
}

// ---- block hooks -------------------------------------------------------------------------------------
void MoveEventDisplayEntries(int x1, int y1, int level1, int x2, int y2, int level2, int dx, int dy,
                             int dlevel) {
  int moved = 0;
  for (int i = 0; i < List.count; i++) {
    EventDisplayEntry& e = List.entries[i];
    if (!InBox(e, x1, y1, level1, x2, y2, level2)) continue;
    int64_t nx = (int64_t)e.x + dx, ny = (int64_t)e.y + dy, nl = (int64_t)e.level + dlevel;
    // A place off the grid is marked so that the sweep below deletes it.
    e.x = nx < 0 || nx > 32767 ? 0xFFFFFFFFu : (uint32_t)nx;
    e.y = ny < 0 || ny > 32767 ? 0xFFFFFFFFu : (uint32_t)ny;
    e.level = nl < -4 || nl > 0 ? 1 : (int32_t)nl;
    moved = 1;
  }
  if (moved) DeleteWhere([](const EventDisplayEntry& e) { return !OnGrid(e); });
}

void TransformEventDisplayEntries(int x1, int y1, int level1, int x2, int y2, int level2, int a,
                                  int b, int c, int d) {
  int moved = 0;
  for (int i = 0; i < List.count; i++) {
    EventDisplayEntry& e = List.entries[i];
    if (!InBox(e, x1, y1, level1, x2, y2, level2)) continue;
    int nx = 0, ny = 0;
    ScaleBlockPosition(x1, y1, (int)e.x, (int)e.y, e.level, a, b, c, d, &nx, &ny);
    e.x = nx < 0 || nx > 32767 ? 0xFFFFFFFFu : (uint32_t)nx;
    e.y = ny < 0 || ny > 32767 ? 0xFFFFFFFFu : (uint32_t)ny;
    moved = 1;
  }
  if (moved) DeleteWhere([](const EventDisplayEntry& e) { return !OnGrid(e); });
}

void DeleteEventDisplayEntriesInBox(int x1, int y1, int level1, int x2, int y2, int level2) {
  DeleteWhere([&](const EventDisplayEntry& e) { return InBox(e, x1, y1, level1, x2, y2, level2); });
}
