// The copy-text section "LIN" of the lines a block refers to, and the lines table of the text
// export.
#include "app/dialog.h"
#include "app/infobox.h"
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "elements/element_store.h"
#include "elements/info_escape.h"
#include "elements/lines.h"
#include "trains/train_services.h"

static const char16_t kTag[] = u"LIN";
constexpr int kNameLine = 300;  // the longest name line read

// Dialog 114: the name of an unknown pasted line, buttons 120 yes, 121 yes to all, 122 no, 123 no
// to all.
static int AskWithDialog114(const char16_t* name) {
  char16_t text[400];
  CopyString(text, GetLangText(LANG_ID(12125)));
  AppendString(text, u": ");
  int n = StringLength(text);
  CopyStringLimited(text + n, name, 400 - n);
  DialogRecord d[] = {DlgTitle(LANG_ID(12120), 0, DLG_NO_FOCUS),
                      DlgTextPtr(190, text),
                      DlgText(120, LANG_ID(12121)),
                      DlgText(121, LANG_ID(12122)),
                      DlgText(122, LANG_ID(12123)),
                      DlgText(123, LANG_ID(12124)),
                      DlgEnd()};
  return RunDialog(nullptr, 114, DlgF_Einfach, d);
}
int (*AskCreatePastedLine)(const char16_t* name) = AskWithDialog114;

int WriteLineCopyText(int x0, int y0, int level0, int x1, int y1, int level1) {
  SetInfoBoxText(GetLangText(LANG_ID(12007)));
  int r = WriteCopyTextMarker(kTag, u'A');
  char16_t line[64];
  for (int i = 0; !r && i < LineCount(); i++) {
    const LineRecord* l = LineAt(i);
    if (!CountLineUses((int)l->id, x0, y0, level0, x1, y1, level1)) continue;
    const char16_t* name = l->name;
    while (*name == u' ') name++;
    int k = 0;
    line[k++] = u'"';
    for (; *name; name++) line[k++] = *name;
    line[k++] = u'"';
    line[k++] = u',';
    k += FormatCopyLine(line + k, 64 - k, "%i", (int)l->descLength);
    if ((r = AppendCopyLine(line))) break;
    if (l->descLength > 0) r = EscapeInfoText(l->description, (int)l->descLength);
  }
  if (!r) r = WriteCopyTextMarker(kTag, u'E');
  return r;
}

int ReadLineCopyText(int* lineIndex) {
  SetInfoBoxText(GetLangText(LANG_ID(12007)));
  static char16_t desc[INFO_TEXT_MAX];
  char16_t line[kNameLine + 1];
  int index = *lineIndex;
  if (ReadCopyLine(index++, kNameLine, line) || !IsCopyTextMarker(line, kTag, u'A')) return 2;
  int yesAll = 0, noAll = 0, notCreated = 0, descFailed = 0;
  for (;;) {
    if (ReadCopyLine(index++, kNameLine, line)) return 2;
    if (line[0] != u'"') {
      if (!IsCopyTextMarker(line, kTag, u'E')) return 2;
      break;
    }
    const char16_t* close = FindChar(line + 1, u'"');
    if (!close) return 2;
    char16_t name[kNameLine + 1];
    int nameLength = (int)(close - (line + 1));
    CopyMem(name, line + 1, (size_t)nameLength * sizeof(char16_t));
    name[nameLength] = 0;
    if (close[1] != u',') return 2;
    static const int kSigned[1] = {-10};
    int64_t v;
    if (ParseCopyFields(close + 2, kSigned, 1, &v) != 1) return 2;
    int64_t length = v;
    // The length names what follows; it never sizes more than the longest text.
    int units = length > 0 ? (length < INFO_TEXT_MAX ? (int)length : INFO_TEXT_MAX) : 0;
    if (units > 0 && UnescapeInfoText(&index, desc, units)) return 2;
    if (units > 0) desc[units - 1] = 0;
    int id = FindLineByName(name);
    if (id < 0) return 2;
    if (id > 0) continue;  // a known line keeps its description
    if (noAll) continue;
    if (!yesAll) {
      int answer = AskCreatePastedLine ? AskCreatePastedLine(name) : 122;
      if (answer == 121) yesAll = 1;
      if (answer == 123) noAll = 1;
      if (answer != 120 && answer != 121) continue;
    }
    if (CreateLine(name, 0, 0) == 1) {
      notCreated = 1;
      continue;
    }
    if (units > 0) {
      int created = FindLineByName(name);
      if (created <= 0 || SetLineDescription(created, desc)) descFailed = 1;
    }
  }
  *lineIndex = index;
  return notCreated ? 1 : descFailed ? 3 : 0;
}

// ---- the lines table of the text export -----------------------------------------------------------
static int WriteField(char16_t* out, uint32_t v, int width) {
  char16_t digits[12];
  int n = FormatUnsignedDigits(digits, v, 1);
  int k = 0;
  for (; k < width - n; k++) out[k] = u' ';
  for (int i = 0; i < n; i++) out[k++] = digits[i];
  return k;
}

int WriteLineReport(char16_t separator, int withDescriptions) {
  char16_t text[300];
  uint32_t count = (uint32_t)LineCount();
  FormatTextWith(text, 300, GetLangText(LANG_FMT(12100, "%u")), &count, 1, nullptr, 0);
  int r = StreamWriteText(text);
  if (!r) r = StreamWriteNewline();
  if (!r) r = StreamWriteText(GetLangText(LANG_ID(12101)));
  if (!r) r = StreamWriteNewline();
  for (int i = 0; !r && i < LineCount(); i++) {
    const LineRecord* l = LineAt(i);
    int a = 0, b = 0, c = 0, d = 0;
    CountTrainsOfLine((int)l->id, &a, &b, &c, &d);
    char16_t row[160];
    int k = 0;
    GetLineName((int)l->id, row, 1);
    k = StringLength(row);
    const int values[5] = {a, b, c, d, a + d - c - b};
    for (int v = 0; v < 5; v++) {
      row[k++] = separator;
      for (int s = 0; s < 3; s++) row[k++] = u' ';
      k += WriteField(row + k, (uint32_t)values[v], 4);
    }
    row[k] = 0;
    r = StreamWriteText(row);
    if (!r) r = StreamWriteNewline();
    if (!r && withDescriptions && l->descLength > 1 && l->description) {
      r = StreamWriteText(GetLangText(LANG_ID(12102)));
      if (!r) r = StreamWriteText(l->description);
      if (!r) r = StreamWriteNewline();
    }
  }
  if (!r) r = StreamWriteRule();
  return r;
}
