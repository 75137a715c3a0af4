// The copy-text section "WEI" of the switch control records: written for a block, read back at the
// paste offset with new ids.
#include "app/infobox.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "model/grid.h"
#include "signalling/switch_control.h"

SwitchTextForms SwitchTexts = {};

static const char16_t kTag[] = u"WEI";
constexpr int kRecordLine = 100;       // record and data lines
constexpr int kExpressionLine = 1260;  // expression lines
constexpr int kListLine = 2001;        // line and destination list lines

static int Append(char16_t* line) { return AppendCopyLine(line); }

int WriteSwitchSection(const ElementBox& box) {
  SetInfoBoxText(GetLangText(LANG_ID(15200)));
  int r = WriteCopyTextMarker(kTag, u'A');
  char16_t line[kListLine + 1];
  for (ElementHeader* h = SwitchStore.head; h && !r; h = h->next) {
    const SwitchControl* s = (const SwitchControl*)h;
    if (!InElementBox(box, h->x, h->y, h->level)) continue;
    FormatCopyLine(line, kRecordLine, "%x,%x,%i,%i,%u,%x,%x,%x,%x,%x", (unsigned)h->x,
                   (unsigned)h->y, (int)h->level, (int)s->exitIndex, (unsigned)s->type,
                   (unsigned)s->entry, (unsigned)s->exit1, (unsigned)s->exit2, (unsigned)s->exit3,
                   (unsigned)s->displayState);
    if ((r = Append(line))) break;
    switch (s->type) {
      case SWITCH_RATIO: {
        const SwitchRatioData& q = s->data.ratio;
        FormatCopyLine(line, kRecordLine, "%u,%u,%u,%x,%x,%x,%x,%x,%x", (unsigned)q.count[0],
                       (unsigned)q.count[1], (unsigned)q.count[2], (unsigned)q.resetTime[0],
                       (unsigned)q.resetValue[0], (unsigned)q.resetTime[1],
                       (unsigned)q.resetValue[1], (unsigned)q.resetTime[2],
                       (unsigned)q.resetValue[2]);
        r = Append(line);
        break;
      }
      case SWITCH_RANDOM:
        FormatCopyLine(line, kRecordLine, "%u,%u,%u", (unsigned)s->data.random.share[0],
                       (unsigned)s->data.random.share[1], (unsigned)s->data.random.share[2]);
        r = Append(line);
        break;
      case SWITCH_ATTRIBUTES: {
        const uint32_t* m = s->data.attributes.mask;
        FormatCopyLine(line, kRecordLine, "%x,%x,%x,%x,%x,%x,%x,%x,%x,%x,%x,%x,", (unsigned)m[0],
                       (unsigned)m[1], (unsigned)m[2], (unsigned)m[3], (unsigned)m[4],
                       (unsigned)m[5], (unsigned)m[6], (unsigned)m[7], (unsigned)m[8],
                       (unsigned)m[9], (unsigned)m[10], (unsigned)m[11]);
        r = Append(line);
        break;
      }
      case SWITCH_STATES: {
        // Expressions travel only in their text form.
        const SwitchStateData& q = s->data.states;
        char16_t text[3][kExpressionLine + 1];
        int n[3];
        for (int i = 0; i < 3; i++) {
          n[i] = 0;
          if (q.length[i] > 0 && SwitchTexts.formatExpression &&
              SwitchTexts.formatExpression(q.tokens[i], q.length[i], text[i], kExpressionLine) >= 0)
            n[i] = q.length[i];
        }
        FormatCopyLine(line, kRecordLine, "%u,%u,%u,%x", (unsigned)n[0], (unsigned)n[1],
                       (unsigned)n[2], (unsigned)q.priority);
        r = Append(line);
        for (int i = 0; i < 3 && !r; i++)
          if (n[i]) r = Append(text[i]);
        break;
      }
      case SWITCH_ROUTE1:
      case SWITCH_ROUTE2:
      case SWITCH_ROUTE3: {
        const SwitchRouteData& q = s->data.route;
        static char16_t text[6][kListLine + 1];
        uint32_t n[6], offset = 0;
        for (int i = 0; i < 6; i++) {
          n[i] = 0;
          auto format = i < 3 ? SwitchTexts.formatConditions : SwitchTexts.formatPairList;
          if (q.length[i] && format &&
              format(q.values + offset, q.length[i], text[i], kListLine) >= 0)
            n[i] = q.length[i];
          offset += q.length[i];
        }
        FormatCopyLine(line, kRecordLine, "%u,%u,%u,%u,%u,%u", (unsigned)n[0], (unsigned)n[1],
                       (unsigned)n[2], (unsigned)n[3], (unsigned)n[4], (unsigned)n[5]);
        r = Append(line);
        for (int i = 0; i < 6 && !r; i++)
          if (n[i]) r = Append(text[i]);
        break;
      }
    }
  }
  if (!r) r = WriteCopyTextMarker(kTag, u'E');
  return r;
}

// ---- reading ---------------------------------------------------------------------------------------
static const int kRecordBases[10] = {16, 16, -10, -10, 10, 16, 16, 16, 16, 16};

static int IsDirection(int64_t d) { return d > 0 && d <= 128 && (d & (d - 1)) == 0; }

// Reads the type data lines of a record (at *index on) and applies them to rec (null: the record
// was dropped, its lines are only consumed). 0, 2 lists not set, 4 read or format error; 5 the
// record's data were refused (the record is to be dropped).
static int ReadTypeLines(int type, int* index, SwitchControl* rec) {
  static char16_t line[kListLine + 1];
  int64_t v[12];
  static const int dec[6] = {10, 10, 10, 10, 10, 10};
  static const int hex[12] = {16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16, 16};
  switch (type) {
    case SWITCH_RATIO: {
      static const int bases[9] = {10, 10, 10, 16, 16, 16, 16, 16, 16};
      if (ReadCopyLine((*index)++, kRecordLine, line) || ParseCopyFields(line, bases, 9, v) != 9)
        return 4;
      if (!rec) return 0;
      uint32_t total = (uint32_t)(v[0] + v[1] + v[2]);
      uint32_t times[3], positions[3];
      for (int i = 0; i < 3; i++) {
        times[i] = (uint32_t)v[3 + 2 * i];
        positions[i] = (total - (uint32_t)v[4 + 2 * i]) & 0xFFFF;
      }
      return SetRatioSwitchData(rec->h.x, rec->h.y, rec->h.level, rec->exitIndex, (uint32_t)v[0],
                                (uint32_t)v[1], (uint32_t)v[2], 0, times, positions)
                 ? 5
                 : 0;
    }
    case SWITCH_RANDOM:
      if (ReadCopyLine((*index)++, kRecordLine, line) || ParseCopyFields(line, dec, 3, v) != 3)
        return 4;
      if (!rec) return 0;
      return SetRandomSwitchData(rec->h.x, rec->h.y, rec->h.level, rec->exitIndex, (uint32_t)v[0],
                                 (uint32_t)v[1], (uint32_t)v[2])
                 ? 5
                 : 0;
    case SWITCH_ATTRIBUTES: {
      if (ReadCopyLine((*index)++, kRecordLine, line) || ParseCopyFields(line, hex, 12, v) != 12)
        return 4;
      if (!rec) return 0;
      uint32_t masks[12];
      for (int i = 0; i < 12; i++) masks[i] = (uint32_t)v[i];
      SetAttributeSwitchMasks(rec->h.x, rec->h.y, rec->h.level, rec->exitIndex, masks);
      return 0;
    }
    case SWITCH_STATES: {
      static const int bases[4] = {10, 10, 10, 16};
      if (ReadCopyLine((*index)++, kRecordLine, line) || ParseCopyFields(line, bases, 4, v) != 4)
        return 4;
      int lengths[3];
      static uint32_t tokens[3][SWITCH_EXPRESSION_MAX];
      int warning = 0;
      for (int i = 0; i < 3; i++) {
        lengths[i] = 0;
        if (v[i] == 0) continue;
        if (ReadCopyLine((*index)++, kExpressionLine, line)) return 4;
        int n = SwitchTexts.parseExpression
                    ? SwitchTexts.parseExpression(line, tokens[i], SWITCH_EXPRESSION_MAX)
                    : -1;
        if (n < 0 || n > SWITCH_EXPRESSION_MAX)
          warning = 2;
        else
          lengths[i] = n;
      }
      if (!rec) return 0;
      if (SetStateSwitchExpressions(rec->h.x, rec->h.y, rec->h.level, rec->exitIndex, lengths[0],
                                    tokens[0], lengths[1], tokens[1], lengths[2], tokens[2],
                                    (uint32_t)v[3]))
        warning = 2;
      return warning;
    }
    case SWITCH_ROUTE1:
    case SWITCH_ROUTE2:
    case SWITCH_ROUTE3: {
      if (ReadCopyLine((*index)++, kRecordLine, line) || ParseCopyFields(line, dec, 6, v) != 6)
        return 4;
      static uint32_t values[6 * SWITCH_ROUTE_LIST_MAX];
      uint32_t lengths[6], used = 0;
      int warning = 0;
      for (int i = 0; i < 6; i++) {
        lengths[i] = 0;
        if (v[i] == 0) continue;
        if (ReadCopyLine((*index)++, kListLine, line)) return 4;
        auto parse = i < 3 ? SwitchTexts.parseConditions : SwitchTexts.parsePairList;
        int n = parse ? parse(line, values + used, SWITCH_ROUTE_LIST_MAX) : -1;
        if (n < 0 || (uint32_t)n > SWITCH_ROUTE_LIST_MAX) {
          warning = 2;
          continue;
        }
        lengths[i] = (uint32_t)n;
        used += (uint32_t)n;
      }
      if (!rec) return 0;
      if (SetRouteSwitchLists(rec->h.x, rec->h.y, rec->h.level, rec->exitIndex, lengths, values))
        warning = 2;
      return warning;
    }
  }
  return 0;
}

int ReadSwitchSection(int* lineIndex, int dx, int dy, int dlevel) {
  SetInfoBoxText(GetLangText(LANG_ID(15200)));
  static char16_t line[kListLine + 1];
  int index = *lineIndex;
  if (ReadCopyLine(index++, kRecordLine, line) || !IsCopyTextMarker(line, kTag, u'A')) return 4;
  int dropped = 0, listsNotSet = 0;
  for (;;) {
    if (ReadCopyLine(index++, kRecordLine, line)) return 4;
    int64_t f[10];
    if (ParseCopyFields(line, kRecordBases, 10, f) != 10) {
      if (!IsCopyTextMarker(line, kTag, u'E')) return 4;
      break;
    }
    int64_t x = f[0] + dx, y = f[1] + dy, level = f[2] + dlevel;
    int type = (int)f[4];
    if (f[3] < 0 || f[3] > 4 || !IsDirection(f[5]) || !IsDirection(f[6]) || !IsDirection(f[7]) ||
        (f[8] && !IsDirection(f[8])) || f[4] > 255)
      return 4;
    int inGrid = x >= 0 && x <= 32767 && y >= 0 && y <= 32767 && level >= -4 && level <= 0;
    uint32_t id = FindFreeSwitchId();
    SwitchControl* rec = nullptr;
    if (!inGrid || !id ||
        CreateSwitchRecord(nullptr, (int)x, (int)y, (int)level, (int)f[3], type, id, (uint32_t)f[5],
                           (uint32_t)f[6], (uint32_t)f[7], (uint32_t)f[8], (uint32_t)f[9], &rec))
      rec = nullptr;
    int r = ReadTypeLines(type, &index, rec);
    if (r == 4) {
      if (rec) FreeSwitchRecord(rec);
      return 4;
    }
    if (r == 5) {
      FreeSwitchRecord(rec);
      rec = nullptr;
    }
    if (r == 2) listsNotSet = 1;
    if (!rec) {
      dropped = 1;
      if (inGrid) SetCell((int)x, (int)y, (int)level, 0xC000);
      continue;
    }
    SetNetModified();
  }
  *lineIndex = index;
  return (dropped ? 1 : 0) | (listsNotSet ? 2 : 0);
}
