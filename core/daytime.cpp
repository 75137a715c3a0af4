// Typed day-times: weekday names and lists and the parser of a time of day.
#include "core/daytime.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"

constexpr int kWordMax = 64;     // characters of a weekday word kept for the comparison
constexpr int kReportMax = 300;  // characters of a composed message

static int IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
static int IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// "<text of textId>: "<word>"" with the word cut to fit.
static void ReportWord(uint32_t number, uint32_t textId, const char16_t* word, int wordLength) {
  char16_t msg[kReportMax];
  int n = CopyStringLimited(msg, GetLangText(textId), kReportMax - 8);
  msg[n++] = u':';
  msg[n++] = u' ';
  msg[n++] = u'"';
  for (int i = 0; i < wordLength && n < kReportMax - 2; i++) msg[n++] = word[i];
  msg[n++] = u'"';
  msg[n] = 0;
  ShowError(number, msg);
}

static int IsNameEnd(char16_t c) {
  return c == 0 || c == u':' || c == u'-' || c == u'+' || c == u')' || c == u',' || c == u' ';
}

int ParseWeekdayName(const char16_t* text, int report, int* length) {
  int i = 0;
  while (IsBlank(text[i])) i++;
  int start = i;
  while (!IsNameEnd(text[i])) i++;
  if (length) *length = i;
  int n = i - start;
  if (n > 0 && n < kWordMax) {
    char16_t word[kWordMax];
    CopyMem(word, text + start, (size_t)n * sizeof(char16_t));
    word[n] = 0;
    for (int day = 1; day <= 7; day++)
      if (CompareStrings(word, GetLangText(LANG_ID(17020) + day),
                         CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0)
        return day;
  }
  if (report) ReportWord(819, LANG_ID(21083), text + start, n);
  return 0;
}

uint32_t ParseWeekdayList(const char16_t* text, int report, int* endIndex) {
  uint32_t mask = 0;
  int rangeFrom = 0;  // first day of an open range, 0 = none
  int i = 0;
  for (;;) {
    while (IsBlank(text[i])) i++;
    int length = 0;
    int day = ParseWeekdayName(text + i, report, &length);
    if (!day) return 0;
    if (rangeFrom) {
      for (int d = rangeFrom;; d = d == 7 ? 1 : d + 1) {
        mask |= 1u << (d - 1);
        if (d == day) break;
      }
      rangeFrom = 0;
    } else {
      mask |= 1u << (day - 1);
    }
    i += length;
    while (IsBlank(text[i])) i++;
    char16_t c = text[i];
    if (c == 0 || c == u':' || c == u',' || c == u')') {
      if (endIndex) *endIndex = i;
      return mask;
    }
    if (c == u'-') {
      rangeFrom = day;
    } else if (c != u'+') {
      if (report) ReportWord(875, LANG_ID(21084), text + i, StringLength(text + i));
      return 0;
    }
    i++;
  }
}

// One "%u" field at text[*pos]: blanks, then digits. 0 when there is no digit; a value beyond 32
// bits is kept as 0xFFFFFFFF (out of every range) instead of wrapping.
static int ScanField(const char16_t* text, int* pos, uint32_t* value) {
  int i = *pos;
  while (text[i] == u' ' || (text[i] >= 9 && text[i] <= 13)) i++;
  if (!IsDigit(text[i])) return 0;
  uint64_t v = 0;
  while (IsDigit(text[i])) {
    v = v * 10 + (uint64_t)(text[i] - u'0');
    if (v > 0xFFFFFFFFull) v = 0xFFFFFFFFull + 1;
    i++;
  }
  *value = v > 0xFFFFFFFFull ? 0xFFFFFFFFu : (uint32_t)v;
  *pos = i;
  return 1;
}

static uint32_t Fail(uint32_t code, uint32_t number, uint32_t textId, int report) {
  if (report) ShowErrorText(number, textId);
  return code;
}

static int IsValueEnd(char16_t c, char16_t marker) {
  return c == 0 || c == u',' || c == u'-' || c == u':' || c == u'+' || c == u')' ||
         (marker && c == marker);
}

uint32_t ParseTimeOfDay(const char16_t* text, const char16_t* minuteText,
                        const char16_t* secondText, uint32_t* result, int* endIndex, int report) {
  uint32_t mask = 127, hour = 0, minute = 0, second = 0;
  int timeAt = 0;      // where the time (or the value after the list) starts in text
  int timeFields = 1;  // time fields read from text
  if (minuteText) {
    int pos = 0;
    if (!ScanField(text, &pos, &hour)) return Fail(1, 341, LANG_ID(8006), report);
    int mpos = 0;
    if (!ScanField(minuteText, &mpos, &minute)) return Fail(2, 343, LANG_ID(8006), report);
    int spos = 0;
    if (secondText && !ScanField(secondText, &spos, &second)) second = 0;
  } else {
    int i = 0;
    while (IsBlank(text[i])) i++;
    int readTime = 1;
    if (!IsDigit(text[i])) {
      int listEnd = 0;
      mask = ParseWeekdayList(text + i, report, &listEnd);
      if (!mask) return DAYTIME_BAD_HOUR;
      i += listEnd;
      while (IsBlank(text[i])) i++;
      if (text[i] == u':') {
        i++;
      } else {
        readTime = 0;
        timeFields = 0;
      }
    }
    timeAt = i;
    if (readTime) {
      uint32_t v[3] = {0, 0, 0};
      int fields = 0, pos = i;
      while (fields < 3) {
        if (fields > 0) {
          if (text[pos] != u':') break;
          pos++;
        }
        if (!ScanField(text, &pos, &v[fields])) break;
        fields++;
      }
      if (fields < 2) return Fail(1, 356, LANG_ID(18028), report);
      hour = v[0];
      minute = v[1];
      second = v[2];
      timeFields = fields;
    }
  }
  if (hour > 24) return Fail(1, 342, LANG_ID(18012), report);
  if (minute > 59) return Fail(2, 344, LANG_ID(18011), report);
  if (second > 59) return Fail(3, 348, LANG_ID(18042), report);
  if (hour == 24) {
    if (minute > 0 || second >= 1) return Fail(2, 345, LANG_ID(18013), report);
    hour = 0;
    if (mask != 127) mask = ((mask << 1) | (mask >> 6)) & 127;
  }
  *result = mask << 24 | hour << 16 | minute << 8 | second;
  if (endIndex) {
    const char16_t* markerText = GetLangText(LANG_ID(19000));
    char16_t marker = markerText ? markerText[0] : 0;
    int pos = timeAt, colons = timeFields > 1 ? timeFields - 1 : 0;
    for (;;) {
      while (!IsValueEnd(text[pos], marker)) pos++;
      if (text[pos] == u':' && colons > 0) {
        colons--;
        pos++;
        continue;
      }
      break;
    }
    *endIndex = pos;
  }
  return DAYTIME_OK;
}
