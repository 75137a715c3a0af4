// The clock texts.
#include "trains/clock_texts.h"
#include "core/langtext.h"
#include "model/general_section.h"
#include "trains/sim_clock.h"
#include "trains/train_services.h"
#include "views/view_services.h"

const char16_t* ClockWeekdayName(int weekday) {
  if (weekday < 1 || weekday > 7) weekday = 1;
  return GetLangText(LANG_ID(17020) + (uint32_t)weekday);
}

void FormatWeekdayField(int weekday, char16_t out[4]) {
  const char16_t* name = ClockWeekdayName(weekday);
  int n = 0;
  while (name[n]) n++;
  out[0] = out[1] = out[2] = u' ';
  out[3] = 0;
  for (int i = 0; i < 3 && i < n; i++) out[2 - i] = name[n - 1 - i];
}

// Appends value with at least `width` digits (padded with pad), no sign for values below 0.
static int PutNumber(char16_t* out, int value, int width, char16_t pad) {
  char16_t digits[12];
  unsigned v = value < 0 ? 0u : (unsigned)value;
  int n = 0;
  do {
    digits[n++] = (char16_t)(u'0' + v % 10);
    v /= 10;
  } while (v && n < 11);
  int k = 0;
  for (int i = n; i < width; i++) out[k++] = pad;
  while (n) out[k++] = digits[--n];
  return k;
}

void FormatClockNumber(char16_t* out, const char16_t* form, int value) {
  int k = 0;
  for (const char16_t* f = form; *f; f++) {
    if (*f != u'%') {
      out[k++] = *f;
      continue;
    }
    f++;
    char16_t pad = u' ';
    if (*f == u'0') {
      pad = u'0';
      f++;
    }
    int width = *f - u'0';
    f++;  // the conversion letter
    k += PutNumber(out + k, value, width, pad);
  }
  out[k] = 0;
}

static int PutTime(char16_t* out, int fast, int withSeconds) {
  const DocumentState& d = DocState;
  int k = 0;
  out[k++] = u':';
  k += PutNumber(out + k, d.hour, 2, u' ');
  out[k++] = u':';
  k += PutNumber(out + k, d.minute, 2, u'0');
  if (!fast && withSeconds) {
    out[k++] = u':';
    k += PutNumber(out + k, d.second, 2, u'0');
  }
  return k;
}

int FormatClockWindowText(char16_t* out, int fast) {
  const char16_t* name = ClockWeekdayName(DocState.weekday);
  int n = 0, k = 0;
  while (name[n] && n < 20) n++;
  for (int i = n; i < 3; i++) out[k++] = u' ';
  for (int i = 0; i < n; i++) out[k++] = name[i];
  k += PutTime(out + k, fast, 1);
  out[k++] = u' ';
  out[k] = 0;
  return k;
}

int FormatMaximisedClockText(char16_t* out, int fast) {
  const char16_t* name = ClockWeekdayName(DocState.weekday);
  int k = 0;
  for (int i = 0; name[i] && i < 20; i++) out[k++] = name[i];
  k += PutTime(out + k, fast, 1);
  if (fast)
    for (int i = 0; i < 3; i++) out[k++] = u' ';
  out[k] = 0;
  return k;
}

// ---- which panes a clock step redraws ---------------------------------------------------------------
void DrawClockParts(uint32_t parts) {
  void* dc = (parts & (CLOCKPART_WEEKDAY | CLOCKPART_HOUR | CLOCKPART_MINUTE | CLOCKPART_SECOND |
                       CLOCKPART_SPEED))
                 ? GetDrawingDC(-1)
                 : nullptr;
  if (dc) {
    if (parts & CLOCKPART_WEEKDAY) DrawWeekdayPane(dc);
    if (parts & CLOCKPART_HOUR) DrawHourPane(dc);
    if (parts & CLOCKPART_MINUTE) DrawMinutePane(dc);
    if (parts & CLOCKPART_SECOND) DrawSecondPane(dc);
    if (parts & CLOCKPART_SPEED) DrawSpeedPane(dc);
  }
  if (parts & CLOCKPART_MAXIMISED) DrawMaximisedClockTexts();
  if (parts & CLOCKPART_WINDOW) DrawClockWindow(nullptr);
}

void RedrawClockPanes(void* dc) {
  if (!dc) dc = GetDrawingDC(-1);
  if (dc) {
    DrawWeekdayPane(dc);
    DrawHourPane(dc);
    DrawMinutePane(dc);
    DrawSecondPane(dc);
    DrawSpeedPane(dc);
  }
  DrawMaximisedClockTexts();
  DrawClockWindow(nullptr);
}
