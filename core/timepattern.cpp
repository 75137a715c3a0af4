// Weekly time patterns: the check, the searches, splitting by weekday and merging back, and the
// text form of durations.
#include "core/timepattern.h"
#include "core/misc.h"

int (*TimePatternWeekdayFixed)() = nullptr;

static int IsSecondByte(uint8_t b) { return b >= 0x80 && b <= 0x80 + 59; }

// ---- check ------------------------------------------------------------------------------------
int CheckTimePattern(const uint8_t* p, size_t length) {
  if (!p) return 3;
  size_t i = 0;
  for (;;) {
    if (i >= length) return 3;
    uint8_t mask = p[i++];
    if (mask == 0) return 0;
    if (mask > 127) return 3;
    for (;;) {  // hour groups up to 255
      if (i >= length) return 3;
      uint8_t h = p[i++];
      if (h == TP_DAY_END) break;
      if (h > 23) return 3;
      if (i >= length) return 3;
      if (p[i] >= 0x80 && p[i] < TP_HOUR_END) {  // range byte: h..h2, never backwards
        if ((p[i] & 0x7F) > 23 || (p[i] & 0x7F) < h) return 3;
        i++;
      }
      for (;;) {  // minute entries up to 254
        if (i >= length) return 3;
        uint8_t m = p[i++];
        if (m == TP_HOUR_END) break;
        if (m > 59) return 3;
        while (i < length && p[i] >= 0x80 && p[i] < TP_HOUR_END) {
          if (!IsSecondByte(p[i])) return 3;
          i++;
        }
      }
    }
  }
}

// ---- walking a checked pattern ----------------------------------------------------------------
// One hour group: its hours, the position of its first minute entry and of the byte after its 254.
struct HourGroup {
  int first, last;
  const uint8_t* minutes;
  const uint8_t* next;
};

static const uint8_t* SkipBlock(const uint8_t* p) {  // p at a mask byte; returns the next block
  p++;
  while (*p != TP_DAY_END) p++;
  return p + 1;
}

static const uint8_t* FindDayBlock(const uint8_t* p, uint32_t mask) {
  while (*p) {
    if (*p & mask) return p;
    p = SkipBlock(p);
  }
  return nullptr;
}

// Reads the group at p (p not at 255).
static HourGroup ReadGroup(const uint8_t* p) {
  HourGroup g;
  g.first = g.last = *p++;
  if (*p >= 0x80 && *p < TP_HOUR_END) g.last = *p++ & 0x7F;
  g.minutes = p;
  while (*p != TP_HOUR_END) p++;
  g.next = p + 1;
  return g;
}

// The minute entry at p: its minute, its second bytes and the entry after it.
static const uint8_t* MinuteSeconds(const uint8_t* p, const uint8_t** secondsEnd) {
  const uint8_t* s = p + 1;
  while (*s >= 0x80 && *s < TP_HOUR_END) s++;
  *secondsEnd = s;
  return p + 1;
}

static int FirstSecond(const uint8_t* minuteEntry) {
  uint8_t b = minuteEntry[1];
  return (b >= 0x80 && b < TP_HOUR_END) ? (b & 0x7F) : 0;
}

int IsTimeInPattern(const uint8_t* pattern, uint32_t weekdayMask, int hour, int minute,
                    int second) {
  const uint8_t* p = FindDayBlock(pattern, weekdayMask & 0x7F);
  if (!p) return 0;
  p++;
  while (*p != TP_DAY_END) {
    HourGroup g = ReadGroup(p);
    p = g.next;
    if (*g.minutes == TP_HOUR_END) continue;  // a group without minutes holds no time
    if (g.first > hour) return 0;
    if (hour <= g.last) {
      for (const uint8_t* m = g.minutes; *m != TP_HOUR_END;) {
        const uint8_t* end;
        const uint8_t* s = MinuteSeconds(m, &end);
        if (*m == minute) {
          if (s == end && second == 0) return 1;
          for (; s < end; s++)
            if ((*s & 0x7F) == second) return 1;
        }
        m = end;
      }
      // not in this group: a later group may still cover the hour
    }
  }
  return 0;
}

// Searches one day block; 0 when it holds no time after (or at) h:m:s.
static uint32_t SearchDay(const uint8_t* block, uint32_t day, int h, int m, int s, int inclusive) {
  const uint8_t* p = block + 1;
  while (*p != TP_DAY_END) {
    HourGroup g = ReadGroup(p);
    p = g.next;
    if (*g.minutes == TP_HOUR_END) continue;  // a group without minutes holds no time
    if (g.first > h) return PackDayTime(day, g.first, *g.minutes, FirstSecond(g.minutes));
    if (g.last < h) continue;
    for (const uint8_t* e = g.minutes; *e != TP_HOUR_END;) {
      const uint8_t* end;
      const uint8_t* sec = MinuteSeconds(e, &end);
      int minute = *e;
      if (minute > m) return PackDayTime(day, h, minute, FirstSecond(e));
      if (minute == m) {
        if (sec == end) {
          if (inclusive && s == 0) return PackDayTime(day, h, m, 0);
        } else {
          for (; sec < end; sec++) {
            int v = *sec & 0x7F;
            if (v > s || (inclusive && v == s)) return PackDayTime(day, h, m, v);
          }
        }
      }
      e = end;
    }
    if (h < g.last) return PackDayTime(day, h + 1, *g.minutes, FirstSecond(g.minutes));
  }
  return 0;
}

static uint32_t LowestBit(uint32_t v) { return v & (0u - v); }

uint32_t NextTimeInPattern(const uint8_t* pattern, uint32_t weekdayBit, int hour, int minute,
                           int second, int inclusive) {
  if (!pattern || pattern[0] == 0 || (pattern[0] == 127 && pattern[1] == TP_DAY_END)) return 0;
  uint32_t day = LowestBit(weekdayBit & 0x7F);
  if (!day) return 0;
  int fixed = TimePatternWeekdayFixed ? TimePatternWeekdayFixed() : 0;
  // Seven days and, last, the starting day again from its start (its earlier times come round
  // a week later).
  for (int tried = 0; tried < 8; tried++) {
    const uint8_t* block = FindDayBlock(pattern, day);
    if (block) {
      uint32_t r = SearchDay(block, day, hour, minute, second, inclusive);
      if (r) return r;
    }
    if (fixed) {
      if (hour == 0 && minute == 0 && second == 0 && inclusive) return 0;
    } else {
      day = day == 64 ? 1 : day << 1;
    }
    hour = minute = second = 0;
    inclusive = 1;
  }
  return 0;
}

void SplitWeekTime(int weekday, int hour, int minute, int32_t offset1, int32_t offset2,
                   int* outWeekday, int* outHour, int* outMinute, int* outSecond) {
  int64_t total = (int64_t)(weekday - 1) * 86400 + (int64_t)hour * 3600 + (int64_t)minute * 60 +
                  offset1 + offset2;
  if (total < 0) total += 604800;
  int64_t day = total / 86400 + 1;
  if (day > 7) day -= 7;
  int64_t rest = total % 86400;
  *outWeekday = (int)day;
  *outHour = (int)(rest / 3600);
  *outMinute = (int)(rest / 60 % 60);
  *outSecond = (int)(rest % 60);
}

size_t TimePatternLength(const uint8_t* pattern) {
  const uint8_t* p = pattern;
  while (*p) p = SkipBlock(p);
  return (size_t)(p - pattern) + 1;
}

int CompareTimePatterns(const uint8_t* a, const uint8_t* b) {
  size_t n = TimePatternLength(a);
  if (n != TimePatternLength(b)) return 2;
  if (n > 1 && CompareMem(a + 1, b + 1, n - 1) != 0) return 2;
  return a[0] == b[0] ? 0 : 1;
}

// ---- split and merge ------------------------------------------------------------------------------
int SplitTimePatternByDay(const uint8_t* pattern, uint8_t (*days)[TIMEPATTERN_DAY_BYTES]) {
  const uint8_t* found[7];
  for (int d = 0; d < 7; d++) {
    found[d] = FindDayBlock(pattern, 1u << d);
    // day bit, the hour groups and 255, the final 0
    if (found[d] && (size_t)(SkipBlock(found[d]) - found[d]) + 1 > TIMEPATTERN_DAY_BYTES) return 3;
  }
  for (int d = 0; d < 7; d++) {
    uint8_t* out = days[d];
    out[0] = (uint8_t)(1u << d);
    if (found[d]) {
      size_t n = (size_t)(SkipBlock(found[d]) - found[d]) - 1;  // groups and 255
      CopyMem(out + 1, found[d] + 1, n);
      out[1 + n] = 0;
    } else {
      out[1] = TP_DAY_END;
      out[2] = 0;
    }
  }
  return 0;
}

size_t MergeTimePatternDays(const uint8_t (*days)[TIMEPATTERN_DAY_BYTES], uint8_t* out,
                            size_t capacity) {
  uint8_t mask[7];
  for (int d = 0; d < 7; d++) mask[d] = (uint8_t)(1u << d);
  for (int d = 1; d < 7; d++)
    for (int e = 0; e < d; e++)
      if (mask[e] && CompareTimePatterns(days[d], days[e]) < 2) {
        mask[e] |= (uint8_t)(1u << d);
        mask[d] = 0;
        break;
      }
  size_t n = 0;
  for (int d = 0; d < 7; d++) {
    if (!mask[d]) continue;
    size_t len = TimePatternLength(days[d]) - 1;  // the block without the final 0
    if (len > capacity || n + len >= capacity) return 0;
    out[n] = mask[d];
    CopyMem(out + n + 1, days[d] + 1, len - 1);
    n += len;
  }
  if (n + 1 > capacity) return 0;
  out[n++] = 0;
  return n;
}

// ---- durations ------------------------------------------------------------------------------------
void FormatDuration(char16_t* out, uint32_t seconds) {
  uint32_t h = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
  int n = FormatUnsignedDigits(out, h, 1);
  out[n++] = u':';
  n += FormatUnsignedDigits(out + n, m, 2);
  if (s) {
    out[n++] = u':';
    n += FormatUnsignedDigits(out + n, s, 2);
  }
  out[n] = 0;
}

static int IsSpace(char16_t c) { return c == u' ' || (c >= 9 && c <= 13); }
static int IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// One "%u" field: blanks, then digits. 0 when there is no digit; the value saturates.
static int ScanUnsigned(const char16_t* t, int* pos, uint64_t* value) {
  int i = *pos;
  while (IsSpace(t[i])) i++;
  if (!IsDigit(t[i])) return 0;
  uint64_t v = 0;
  while (IsDigit(t[i])) {
    if (v < 0x100000000ull) v = v * 10 + (uint64_t)(t[i] - u'0');
    i++;
  }
  *value = v;
  *pos = i;
  return 1;
}

int32_t ParseDuration(const char16_t* text, int* consumed) {
  int i = 0;
  while (text[i] == u' ') i++;
  int start = i;
  uint64_t v[3] = {0, 0, 0};
  int fields = 0, pos = i;
  while (fields < 3) {
    if (fields > 0) {
      if (text[pos] != u':') break;
      pos++;
    }
    if (!ScanUnsigned(text, &pos, &v[fields])) break;
    fields++;
  }
  int64_t result = 0;
  int bad = 0;
  for (int f = 0; f < fields; f++)
    if (v[f] > 0x7FFFFFFFull) bad = 1;
  if (!bad) {
    if (fields == 1) result = (int64_t)v[0] * 60;
    if (fields == 2) result = ((int64_t)v[0] * 60 + (int64_t)v[1]) * 60;
    if (fields == 3) result = ((int64_t)v[0] * 60 + (int64_t)v[1]) * 60 + (int64_t)v[2];
    if (result > 0x7FFFFFFF) result = 0;
  }
  if (consumed) {
    int j = start;
    for (int f = 0; f < fields; f++) {
      while (IsDigit(text[j])) j++;
      if (text[j] == u':') j++;
      while (text[j] == u' ') j++;
    }
    *consumed = j;
  }
  return (int32_t)result;
}
