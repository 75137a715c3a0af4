// String lists of type-16 descriptor records: walking, sorting, deleting, filling a list box and
// choosing an entry by a typed character. Entries may embed cell pictures as codes 1..6.
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"

// Units of an embedded code with its parameters: 1 a cell picture (cell code, 0, 1), 2 a keyed
// group (32-bit key, 0), 3 a vehicle; 4 the four-character mark of the line lists, which has no
// parameters and stands last in its line; 5 five units; 6 a position group (x, y, level, two 0
// units).
int SymbolCodeWidth(char16_t c) {
  switch (c) {
    case 1:
    case 2:
    case 3: return 4;
    case 4: return 1;
    case 5: return 5;
    case 6: return 6;
    default: return 1;
  }
}

// Length of a symbol text in characters including its terminator; embedded codes count with their
// parameter characters (which may be 0). A code 2 or 6 opens a marked run and the next 2 or 6
// closes it alone, without parameters.
static int EntryLength(const char16_t* s) {
  int i = 0, inRun = 0;
  while (s[i]) {
    char16_t c = s[i];
    if ((c == 2 || c == 6) && inRun) {
      inRun = 0;
      i++;
      continue;
    }
    if (c == 2 || c == 6) inRun = 1;
    i += SymbolCodeWidth(c);
  }
  return i + 1;
}

static int HasHeights(const DialogRecord* rec) { return (rec->list.flags & DLGL_HEIGHTS) != 0; }

// The entry after p; skip is 1 when each entry starts with a height word.
static char16_t* NextEntry(char16_t* p, int skip) { return p + skip + EntryLength(p + skip); }

char16_t* GetListString(DialogRecord* rec, int n) {
  if (!rec || rec->type != DLG_LIST || !rec->list.strings || n < 0) return nullptr;
  int skip = HasHeights(rec) ? 1 : 0;
  char16_t* p = rec->list.strings;
  for (int i = 0;; i++) {
    if (p[skip] == 0) return nullptr;  // the terminating empty string
    if (i == n) return p;
    p = NextEntry(p, skip);
  }
}

// The end of the list: address of the terminating empty string (after its height word).
static char16_t* ListEnd(DialogRecord* rec) {
  int skip = HasHeights(rec) ? 1 : 0;
  char16_t* p = rec->list.strings;
  while (p[skip]) p = NextEntry(p, skip);
  return p + skip;
}

int DeleteListString(DialogRecord* rec, int n) {
  if (!rec || rec->type != DLG_LIST || !rec->list.strings || HasHeights(rec)) return 1;
  char16_t* p = GetListString(rec, n);
  if (!p) return 1;
  int len = EntryLength(p);
  char16_t* end = ListEnd(rec);
  MoveMem(p, p + len, (size_t)(end + 1 - (p + len)) * sizeof(char16_t));
  return 0;
}

// The entry's text from its seventh character, or "" for shorter entries.
static const char16_t* SortKey(const char16_t* s, int len) { return len - 1 > 6 ? s + 6 : u""; }

void SortDescriptorList(DialogRecord* rec) {
  if (!rec || rec->type != DLG_LIST || !rec->list.strings || HasHeights(rec)) return;
  constexpr int kMax = 103;  // longest entry with its terminator that is sorted
  char16_t tmp[2 * kMax];
  for (int swapped = 1; swapped;) {
    swapped = 0;
    char16_t* a = rec->list.strings;
    if (!a[0]) return;
    int la = EntryLength(a);
    if (la > kMax) return;
    for (;;) {
      char16_t* b = a + la;
      if (!b[0]) break;
      int lb = EntryLength(b);
      if (lb > kMax) return;
      if (CompareStrings(SortKey(a, la), SortKey(b, lb), CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) > 0) {
        CopyMem(tmp, b, (size_t)lb * sizeof(char16_t));
        CopyMem(tmp + lb, a, (size_t)la * sizeof(char16_t));
        CopyMem(a, tmp, (size_t)(la + lb) * sizeof(char16_t));
        swapped = 1;
        a += lb;  // a now points at the moved first entry
      } else {
        a = b;
        la = lb;
      }
    }
  }
}

// First character of an entry after its height word, up to two leading picture codes and blanks.
static char16_t FirstLetter(const DialogRecord* rec, const char16_t* p) {
  if (HasHeights(rec)) p++;
  for (int codes = 0; codes < 2 && *p >= 1 && *p <= 6; codes++) p += SymbolCodeWidth(*p);
  while (*p == u' ') p++;
  return *p;
}

int FindListItemByKey(DialogRecord* rec, int count, int current, char16_t ch) {
  if (!rec || rec->type != DLG_LIST || count <= 0) return -1;
  char16_t want = CharToUpper(ch);
  if (current < -1 || current >= count) current = -1;
  for (int k = 1; k <= count; k++) {
    int i = (current + k) % count;
    if (current < 0) i = k - 1;
    char16_t* p = GetListString(rec, i);
    if (!p) continue;
    char16_t c = FirstLetter(rec, p);
    if (c && CharToUpper(c) == want) return i;
  }
  return -1;
}

void SelectListItemByKey(WrapWindow window, DialogRecord* rec, char16_t ch) {
  if (!rec || rec->type != DLG_LIST) return;
  uint32_t id = rec->list.controlId;
  int n = FindListItemByKey(rec, DlgCtlListCount(window, id), DlgCtlListGetSel(window, id), ch);
  if (n >= 0) DlgCtlListSetSel(window, id, n);
}

void FillListFromDescriptor(WrapWindow window, DialogRecord* rec) {
  if (!rec || rec->type != DLG_LIST) return;
  uint32_t id = rec->list.controlId;
  DlgCtlListReset(window, id);
  if (!rec->list.strings) return;
  int skip = HasHeights(rec) ? 1 : 0;
  for (char16_t* p = rec->list.strings; p[skip]; p = NextEntry(p, skip)) {
    int height = skip ? p[0] : 0;
    if (DlgCtlListAdd(window, id, p + skip, p, height) < 0) {
      ShowErrorText(770, LANG_ID(8140));
      break;
    }
  }
  DlgCtlListSetSel(window, id, 0);
}
