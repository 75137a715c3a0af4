// The copy-text section "DEP" of the depot slots: written for a block, read back at the paste
// offset into the depots of the same name (or new depots).
#include "app/infobox.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"

static const char16_t kTag[] = u"DEP";
constexpr int kLineChars = 120;
constexpr int kSystemNameChars = 20;

// Appends "\"text\"" with a comma in front when asked.
static void AppendQuoted(char16_t* line, const char16_t* text, int comma) {
  int n = StringLength(line);
  if (comma) line[n++] = u',';
  line[n++] = u'"';
  for (int i = 0; text[i]; i++) line[n++] = text[i];
  line[n++] = u'"';
  line[n] = 0;
}

int CopyDepotsToClipboard(const ElementBox& box) {
  SetInfoBoxText(GetLangText(LANG_ID(7120)));
  int r = WriteCopyTextMarker(kTag, u'A');
  for (const DepotRecord* d = DepotList; d && !r; d = d->next)
    for (int i = 0; i < d->slotCount && !r; i++) {
      const DepotSlot& s = d->slots[i];
      if (!InElementBox(box, s.x, s.y, s.level)) continue;
      char16_t line[kLineChars + 80];
      FormatCopyLine(line, kLineChars, "%x,%x,%i,%u,%x,%u,%x,%u,", (unsigned)s.x, (unsigned)s.y,
                     (int)s.level, (unsigned)s.number, (unsigned)s.direction, (unsigned)s.timeMs,
                     (unsigned)s.flags, (unsigned)d->id);
      char16_t system[kSystemNameChars + 1];
      GetDepotSignalSystemName(s.signalSystem, system, kSystemNameChars + 1);
      AppendQuoted(line, d->name, 0);
      AppendQuoted(line, d->shortName, 1);
      AppendQuoted(line, system, 1);
      r = AppendCopyLine(line);
    }
  return r ? r : WriteCopyTextMarker(kTag, u'E');
}

// The next quoted text from *p: it begins after the next double quote and runs to the one after
// it. 0, or 1 for a missing quote or more than maxChars characters.
static int NextQuoted(const char16_t** p, char16_t* out, int maxChars) {
  const char16_t* q = FindChar(*p, u'"');
  if (!q) return 1;
  q++;
  int n = 0;
  while (q[n] && q[n] != u'"') {
    if (n >= maxChars) return 1;
    out[n] = q[n];
    n++;
  }
  if (q[n] != u'"') return 1;
  out[n] = 0;
  *p = q + n + 1;
  return 0;
}

int PasteDepotsFromClipboard(int* lineIndex, int dx, int dy, int dlevel) {
  SetInfoBoxText(GetLangText(LANG_ID(7120)));
  char16_t line[kLineChars + 1];
  int index = *lineIndex;
  if (ReadCopyLine(index++, kLineChars, line)) return 4;
  static const int kBases[8] = {16, 16, -10, 10, 16, 10, 16, 10};
  int result = 0;
  for (;;) {
    if (ReadCopyLine(index++, kLineChars, line)) return 4;
    int64_t v[8];
    if (ParseCopyFields(line, kBases, 8, v) < 8) {
      if (!IsCopyTextMarker(line, kTag, u'E')) return 4;
      break;
    }
    DepotRecord d = {};
    char16_t system[kSystemNameChars + 1];
    const char16_t* p = line;
    if (NextQuoted(&p, d.name, DEPOT_NAME_CHARS) ||
        NextQuoted(&p, d.shortName, DEPOT_SHORT_CHARS) || NextQuoted(&p, system, kSystemNameChars))
      return 4;
    // A name that the depot rules do not take (empty, or a character that may not stand in a
    // name) is bad text; so is a slot number outside 1..99.
    char16_t check[DEPOT_NAME_CHARS + 1];
    CopyString(check, d.name);
    char16_t* start;
    if (CheckDepotName(check, &start) || start != check ||
        StringLength(check) != StringLength(d.name))
      return 4;
    if (v[3] < 1 || v[3] > DEPOT_MAX_SLOTS) return 4;
    int id = GetSignalIdByName(system);
    DepotSlot s = {};
    s.x = (int32_t)v[0] + dx;
    s.y = (int32_t)v[1] + dy;
    s.level = (int32_t)v[2] + dlevel;
    s.number = (int32_t)v[3];
    s.direction = (uint32_t)v[4];
    s.timeMs = (uint32_t)v[5];
    s.flags = (uint32_t)v[6];
    s.signalSystem = id > 0 ? (uint32_t)id : 0;
    if (!GridPositionValid(s.x, s.y, s.level)) {
      result |= 1;
      continue;
    }
    DepotRecord* byName = nullptr;
    DepotRecord* byShort = nullptr;
    for (DepotRecord* r = DepotList; r; r = r->next) {
      if (!byName && CompareStrings(r->name, d.name, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0)
        byName = r;
      if (!byShort && d.shortName[0] &&
          CompareStrings(r->shortName, d.shortName, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0)
        byShort = r;
    }
    int slotIndex;
    if ((byName && FindDepotById(byName->id, s.number, &slotIndex)) ||
        (byShort && FindDepotById(byShort->id, s.number, &slotIndex))) {
      result |= 2;
      continue;
    }
    DepotRecord* target = byName ? byName : byShort;
    if (target) {
      d.id = target->id;
    } else if (!(d.id = NewDepotId())) {
      result |= 1;
      continue;
    }
    if (AddDepotSlot(&d, &s)) result |= 1;
  }
  *lineIndex = index;
  return result;
}

int ReadDepotCopyText(int* lineIndex, int dx, int dy, int dlevel) {
  int r = PasteDepotsFromClipboard(lineIndex, dx, dy, dlevel);
  return r & 4 ? 2 : r ? 1 : 0;
}
