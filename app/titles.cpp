// Composition of the window titles from their parts (the windows themselves are set by the
// Win32 code).
#include "app/titles.h"
#include "core/misc.h"

namespace {
struct Out {
  char16_t* p;
  int cap;
  int n;
};
}  // namespace

static void Put(Out* o, const char16_t* s) {
  if (!s) return;
  for (; *s; s++)
    if (o->n < o->cap - 1) o->p[o->n++] = *s;
}

static void PutAscii(Out* o, const char* s) {
  for (; *s; s++)
    if (o->n < o->cap - 1) o->p[o->n++] = (char16_t)*s;
}

static void PutU(Out* o, uint32_t v) {
  char16_t buf[11];
  buf[FormatUnsignedDigits(buf, v, 1)] = 0;
  Put(o, buf);
}

static int Begin(Out* o, char16_t* out, int capacity, int second) {
  o->p = out;
  o->cap = capacity;
  o->n = 0;
  if (capacity < 1) return 0;
  PutAscii(o, "QUIL");
  if (second) PutAscii(o, "(2)");
  return 1;
}

static int End(Out* o) {
  o->p[o->n] = 0;
  return o->n;
}

int ComposeMainTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8120,
                     const char16_t* network, const char16_t* modifiedText, const char16_t* logText,
                     const char16_t* logName) {
  Out o;
  if (!Begin(&o, out, capacity, secondInstance)) return 0;
  PutAscii(&o, " ");
  Put(&o, text8120);
  PutAscii(&o, " ");
  Put(&o, network);
  PutAscii(&o, " ");
  Put(&o, modifiedText);
  PutAscii(&o, " ");
  Put(&o, logText);
  Put(&o, logName);
  return End(&o);
}

int ComposeEditTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8121,
                     uint32_t n, const char16_t* network, const char16_t* text8122, uint32_t a,
                     uint32_t b, const char16_t* followLabel) {
  Out o;
  if (!Begin(&o, out, capacity, secondInstance)) return 0;
  PutAscii(&o, " ");
  Put(&o, text8121);
  PutU(&o, n);
  PutAscii(&o, " ");
  Put(&o, network);
  PutAscii(&o, " ");
  Put(&o, text8122);
  PutAscii(&o, " ");
  PutU(&o, a);
  PutAscii(&o, ":");
  PutU(&o, b);
  PutAscii(&o, " ");
  Put(&o, followLabel);
  return End(&o);
}

int ComposeClockTitle(char16_t* out, int capacity, int secondInstance, const char16_t* text8125) {
  Out o;
  if (!Begin(&o, out, capacity, secondInstance)) return 0;
  PutAscii(&o, " ");
  Put(&o, text8125);
  return End(&o);
}

int RunTimeParts(uint32_t seconds, uint32_t* hours, uint32_t* minutes, uint32_t* secs) {
  *hours = seconds / 3600;
  *minutes = seconds / 60 % 60;
  *secs = seconds % 60;
  return seconds >= 1504;
}

// ---- the titles of the live windows -------------------------------------------------------------
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "core/langtext.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "trains/train_services.h"

int SecondInstance = 0;

void UpdateWindowTitles(int which) {
  char16_t t[TITLE_CHARS];
  if ((which == -2 || which == -1) && TitleWindowExists(TITLE_CLOCK)) {
    ComposeClockTitle(t, TITLE_CHARS, SecondInstance, GetLangText(LANG_ID(8125)));
    ApplyWindowTitle(TITLE_CLOCK, 0, t);
  }
  if ((which == -1 || which == 0) && TitleWindowExists(TITLE_MAIN)) {
    // The log-file part appears once log files exist in the program.
    ComposeMainTitle(t, TITLE_CHARS, SecondInstance, GetLangText(LANG_ID(8120)), GetNetworkName(),
                     IsNetModified() ? GetLangText(LANG_ID(8123)) : u"", u"", u"");
    ApplyWindowTitle(TITLE_MAIN, 0, t);
  }
  for (int n = 1; n <= EDIT_SLOTS; n++) {
    if (which != -1 && which != n) continue;
    const EditViewSlot* s = GetEditSlot(n - 1);
    if (!s || !s->window) continue;
    uint32_t a, b;
    ViewScale(s->viewMode, s->zoom, &a, &b);
    // While this window follows a train, the train's label closes the title.
    char16_t follow[TITLE_CHARS] = {0};
    if (EditViews.followed == n - 1 && GetFollowMode() != 0)
      FormatTrainStatus(follow, TITLE_CHARS);
    follow[TITLE_CHARS - 1] = 0;
    ComposeEditTitle(t, TITLE_CHARS, SecondInstance, GetLangText(LANG_ID(8121)), (uint32_t)n,
                     GetNetworkName(), GetLangText(LANG_ID(8122)), a, b, follow);
    ApplyWindowTitle(TITLE_EDIT, n - 1, t);
  }
}
