// The depot table of the text export: a heading with the counts, the column titles, one row per
// slot with its place, time, signal system and the trains that refer to it, and a closing rule.
#include <cstdio>
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "trains/train_services.h"

// Appends text right-aligned in width columns (a longer text stands whole).
static void PutRight(char16_t* out, int* n, const char16_t* text, int width) {
  int len = StringLength(text);
  for (int i = len; i < width; i++) out[(*n)++] = u' ';
  for (int i = 0; i < len; i++) out[(*n)++] = text[i];
}

// Appends a narrow printf conversion of one number.
static void PutNumber(char16_t* out, int* n, const char* format, long value) {
  char narrow[32];
  int len = snprintf(narrow, sizeof narrow, format, value);
  for (int i = 0; i < len && i < (int)sizeof narrow - 1; i++) out[(*n)++] = (char16_t)narrow[i];
}

static int WriteHeading() {
  int slots = 0;
  int depots = CountDepots(&slots);
  char16_t line[400];
  int n = 0;
  line[n++] = u'\r';
  line[n++] = u'\n';
  PutRight(line, &n, GetLangText(LANG_ID(7100)), 0);
  line[n++] = u'\r';
  line[n++] = u'\n';
  line[n++] = u' ';
  PutRight(line, &n, GetLangText(LANG_ID(7101)), 0);
  PutNumber(line, &n, " %ld ", (long)depots);
  PutRight(line, &n, GetLangText(LANG_ID(7102)), 0);
  PutNumber(line, &n, " %ld", (long)slots);
  line[n++] = u'\r';
  line[n++] = u'\n';
  line[n] = 0;
  int r = StreamWriteText(line);
  if (!r) r = StreamWriteText(GetLangText(LANG_ID(7111)));
  if (!r) r = StreamWriteText(GetLangText(LANG_ID(7112)));
  return r;
}

int ExportDepotText(char16_t separator, int withInfoTexts) {
  int r = WriteHeading();
  for (const DepotRecord* d = DepotList; d && !r; d = d->next)
    for (int i = 0; i < d->slotCount && !r; i++) {
      const DepotSlot& s = d->slots[i];
      if (withInfoTexts && (r = WriteInfoTextReport(s.x, s.y, s.level))) return r;
      char16_t full[DEPOT_NAME_CHARS + 8], shortName[DEPOT_SHORT_CHARS + 8];
      FormatDepotName(d->id, s.number, full, shortName);
      CopyString(shortName, d->shortName);
      char16_t time[16], system[24];
      if (s.timeMs) {
        int k = 0;
        PutNumber(time, &k, "%3ld", (long)(s.timeMs / 1000));
        time[k] = 0;
      } else {
        CopyString(time, u"---");
      }
      GetDepotSignalSystemName(s.signalSystem, system, 21);
      if (!system[0]) CopyString(system, u"----");
      int pending = 0, scheduleB = 0, scheduleA = 0, parked = 0;
      int home = CountTrainsForDepotSlot(d->id, s.number, s.x, s.y, s.level, 127, &pending,
                                         &scheduleB, &scheduleA, &parked);
      char16_t line[200];
      int n = 0;
      PutRight(line, &n, full, 19);
      line[n++] = separator;
      PutRight(line, &n, shortName, 4);
      line[n++] = separator;
      PutNumber(line, &n, "%5ld", (long)s.x);
      line[n++] = separator;
      PutNumber(line, &n, "%5ld", (long)s.y);
      line[n++] = separator;
      PutNumber(line, &n, "%+ld", (long)s.level);
      line[n++] = separator;
      PutRight(line, &n, time, 3);
      line[n++] = separator;
      PutRight(line, &n, system, 20);
      line[n++] = separator;
      PutNumber(line, &n, " %5ld", (long)home);
      line[n++] = separator;
      PutNumber(line, &n, "  %5ld", (long)parked);
      line[n++] = separator;
      PutNumber(line, &n, "  %5ld", (long)scheduleB);
      line[n++] = separator;
      PutNumber(line, &n, "  %5ld", (long)scheduleA);
      line[n++] = u'\r';
      line[n++] = u'\n';
      line[n] = 0;
      r = StreamWriteText(line);
    }
  return r ? r : StreamWriteRule();
}
