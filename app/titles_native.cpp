// Title targets of the native build: no windows; the texts are kept so that tests can read them.
#include "app/titles.h"
#include "app/editwnd.h"

static char16_t Applied[2 + EDIT_SLOTS][TITLE_CHARS];
static int Exists[3];

static int Index(int kind, int slot) {
  if (kind == TITLE_MAIN) return 0;
  if (kind == TITLE_CLOCK) return 1;
  if (kind == TITLE_EDIT && IsEditSlot(slot)) return 2 + slot;
  return -1;
}

int TitleWindowExists(int kind) {
  return (kind == TITLE_MAIN || kind == TITLE_CLOCK) ? Exists[kind] : 0;
}

void SetTitleWindowExists(int kind, int exists) {
  if (kind == TITLE_MAIN || kind == TITLE_CLOCK) Exists[kind] = exists;
}

void ApplyWindowTitle(int kind, int slot, const char16_t* text) {
  int i = Index(kind, slot);
  if (i < 0) return;
  int n = 0;
  for (; text && text[n] && n < TITLE_CHARS - 1; n++) Applied[i][n] = text[n];
  Applied[i][n] = 0;
}

const char16_t* GetAppliedTitle(int kind, int slot) {
  int i = Index(kind, slot);
  return i < 0 ? u"" : Applied[i];
}
