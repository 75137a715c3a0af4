// Value stepping of ranged edit fields: the value under the caret is found, read, stepped with
// wrapping inside its range or kind, and written back in place.
#include "app/dialog_fields.h"
#include "core/langtext.h"
#include "core/misc.h"

static DialogNameCountFn NameCount[12];
static DialogNameStepFn NameStep[12];

static int IsNameKind(int32_t k) {
  return k == 1 || k == 2 || k == 5 || k == 6 || k == 10 || k == 11;
}

void SetDialogNameSource(int kind, DialogNameCountFn count, DialogNameStepFn step) {
  if (!IsNameKind(kind)) return;
  NameCount[kind] = count;
  NameStep[kind] = step;
}

int32_t FieldKindOf(const DialogRecord* rec) {
  if (!rec || rec->type != DLG_EDIT || !(rec->edit.flags & DLGE_RANGE)) return 0;
  if (rec->edit.lowest != rec->edit.highest) return 0;
  return rec->edit.lowest;
}

static int KindRange(int32_t kind, int32_t* lo, int32_t* hi) {
  *lo = 0;
  *hi = 100;
  if (IsNameKind(kind)) {
    int n = NameCount[kind] ? NameCount[kind]() : 0;
    *hi = n - 1;
  } else if (kind == DLGK_FOURTH) {
    *lo = 1;
    *hi = 10;
  } else if (kind == DLGK_DECIMAL2) {
    *hi = 300;
  } else if (kind == DLGK_DECIMAL3) {
    *hi = 600000;
  } else if (kind == DLGK_WEEKDAY) {
    *lo = 1;
    *hi = 7;
  }
  return *lo < *hi;
}

int SpinRangeForRecord(const DialogRecord* rec, int32_t* lowest, int32_t* highest) {
  *lowest = 0;
  *highest = 100;
  if (!rec || rec->type != DLG_EDIT || !(rec->edit.flags & DLGE_RANGE)) return 1;
  if (rec->edit.lowest < rec->edit.highest) {
    *lowest = rec->edit.lowest;
    *highest = rec->edit.highest;
    return 1;
  }
  if (rec->edit.lowest == rec->edit.highest) return KindRange(rec->edit.lowest, lowest, highest);
  *lowest = rec->edit.lowest;
  *highest = rec->edit.highest;
  return 0;
}

int StepForKey(uint32_t key) {
  switch (key) {
    case 38: return 1;
    case 40: return -1;
    case 33: return 10;
    case 34: return -10;
    default: return 0;
  }
}

uint32_t KeyForSpinCode(int code) {
  switch (code) {
    case 0: return 38;  // line up
    case 1: return 40;  // line down
    case 2:
    case 6: return 33;  // page up, top
    case 3:
    case 7: return 34;  // page down, bottom
    default: return 0;
  }
}

// ---- small text helpers -------------------------------------------------------------------------
// Reads an optionally signed decimal integer after leading blanks; 0 when there is none.
static int ReadInt(const char16_t* s, int n, int32_t* out) {
  int i = 0;
  while (i < n && s[i] == u' ') i++;
  int neg = 0;
  if (i < n && (s[i] == u'-' || s[i] == u'+')) neg = s[i++] == u'-';
  int digits = 0;
  int64_t v = 0;
  while (i < n && s[i] >= u'0' && s[i] <= u'9') {
    if (v < 1000000000) v = v * 10 + (s[i] - u'0');
    i++;
    digits++;
  }
  if (!digits) return 0;
  *out = (int32_t)(neg ? -v : v);
  return 1;
}

// "%*i": the number right-aligned in width characters.
static int WriteInt(char16_t* out, int32_t v, int width) {
  char16_t digits[12];
  int n = 0;
  if (v < 0) digits[n++] = u'-';
  n += FormatUnsignedDigits(digits + n, v < 0 ? 0u - (uint32_t)v : (uint32_t)v, 1);
  int len = 0;
  for (int pad = width - n; pad > 0; pad--) out[len++] = u' ';
  for (int i = 0; i < n; i++) out[len++] = digits[i];
  out[len] = 0;
  return len;
}

static int Wrap(int32_t v, int32_t lo, int32_t hi) {
  if (v > hi) return lo;
  if (v < lo) return hi;
  return v;
}

static int WeekdayOf(const char16_t* s, int n) {
  char16_t name[DLG_NAME_MAX];
  int i = 0, k = 0;
  while (i < n && s[i] == u' ') i++;
  while (i < n && k < DLG_NAME_MAX - 1 && s[i] != u' ') name[k++] = s[i++];
  name[k] = 0;
  if (!k) return 0;
  for (int d = 1; d <= 7; d++)
    if (CompareStrings(name, GetLangText(LANG_ID(17020) + d),
                       CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) == 0)
      return d;
  return 0;
}

// ---- the stepped value ----------------------------------------------------------------------------
static int IsStartDelimiter(char16_t c, int32_t kind) {
  if (c == u':') return kind != DLGK_DEPOT;
  if (c == u'=') return kind == DLGK_CONDITION;
  return c == u',' || c == u'(' || c == u'&' || c == u'|' || c == u'!';
}

static int IsValueChar(char16_t c, int32_t kind, int numeric) {
  if (c == u':') return kind == DLGK_DEPOT;
  if (c == u',' || c == u'(' || c == u')' || c == u'&' || c == u'|' || c == u'!' || c == u'+' ||
      c == u'=' || c == u' ')
    return 0;
  if (numeric && c == u'-') return 0;
  return IsNameChar(c);
}

// The new value text for `value` (n characters) of an effective kind or range. Returns 1 with the
// text in out, 0 when nothing is to change.
static int NewValue(int32_t kind, int32_t lo, int32_t hi, int width, const char16_t* value, int n,
                    int step, char16_t* out) {
  int32_t v = 0;
  if (IsNameKind(kind)) {
    if (!NameStep[kind]) return 0;
    char16_t name[DLG_NAME_MAX];
    int k = 0;
    for (; k < n && k < DLG_NAME_MAX - 1; k++) name[k] = value[k];
    name[k] = 0;
    out[0] = 0;
    if (NameStep[kind](name, out, step)) return 0;
    out[DLG_NAME_MAX - 1] = 0;
    return 1;
  }
  if (kind == DLGK_DECIMAL2 || kind == DLGK_DECIMAL3) {
    char16_t t[24];
    int k = 0;
    for (; k < n && k < 23; k++) t[k] = value[k];
    t[k] = 0;
    StripLeadingBlanks(t);
    if (kind == DLGK_DECIMAL2) {
      int32_t h = ParseDecimal2(t);
      h = h < 0 ? 5 : Wrap(h + step, 5, 300);
      FormatDecimal2(out, (uint32_t)h);
    } else {
      int32_t th = ParseDecimal3(t);
      int s = step == 10 ? 1000 : step == -10 ? -1000 : step;
      th = th < 0 ? 1 : Wrap(th + s, 1, 600000);
      FormatDecimal3(out, (uint32_t)th);
    }
    return 1;
  }
  if (kind == DLGK_WEEKDAY) {
    int d = WeekdayOf(value, n);
    int s = step == 10 ? 2 : step == -10 ? -2 : step;
    d = d == 0 ? 1 : ((d - 1 + s) % 7 + 7) % 7 + 1;
    // The name comes from the language file: at most a name's length of it is taken.
    const char16_t* name = GetLangText(LANG_ID(17020) + d);
    int k = 0;
    for (; name[k] && k < DLG_NAME_MAX - 1; k++) out[k] = name[k];
    out[k] = 0;
    return 1;
  }
  if (kind == DLGK_FOURTH) return 0;  // no stepping defined for the fourth condition item
  if (!ReadInt(value, n, &v))
    v = lo;
  else
    v = Wrap(v + step, lo, hi);
  WriteInt(out, v, width);
  return 1;
}

int StepFieldText(const DialogRecord* rec, char16_t* text, int capacity, int* caret, uint32_t key) {
  if (!rec || rec->type != DLG_EDIT || (rec->edit.flags & DLGE_DISABLED) ||
      !(rec->edit.flags & DLGE_RANGE))
    return 0;
  int step = StepForKey(key);
  if (!step) return 0;
  int32_t length = rec->edit.length;
  if (length < 2 || capacity < length) return 0;
  int32_t kind = FieldKindOf(rec);
  int32_t lo = rec->edit.lowest, hi = rec->edit.highest;
  if (lo == hi && (kind < DLGK_DEPOT || kind > DLGK_SIGNAL_ELEMENT))
    return 0;  // equal bounds of no kind
  int width = length - 1 < 9 ? length - 1 : 9;
  int textLen = StringLength(text);
  if (textLen > capacity - 1) textLen = capacity - 1, text[textLen] = 0;
  char16_t out[DLG_NAME_MAX + 16];

  if (length < 24) {
    if (kind == DLGK_CONDITION) return 0;  // short condition fields are not stepped
    int n = textLen < 20 ? textLen : 20;
    if (!NewValue(kind, lo, hi, width, text, n, step, out)) return 0;
    if (rec->edit.flags & DLGE_TRIM) StripLeadingBlanks(out);
    if (StringLength(out) >= length) return 0;
    CopyString(text, out);
    *caret = 0;
    return 1;
  }

  int pos = *caret;
  if (pos < 0) pos = 0;
  if (pos > textLen) pos = textLen;
  if (pos > 0) {
    char16_t c = text[pos - 1];
    if (c == u',' || c == u':' || c == u'(' || c == u')' || c == u'&' || c == u'|' || c == u'!')
      return 0;
  }
  int start = pos;
  while (start > 0 && !IsStartDelimiter(text[start - 1], kind)) start--;
  char16_t delim = start > 0 ? text[start - 1] : 0;
  int delimAt = start - 1;
  while (start < textLen && text[start] == u' ') start++;

  int32_t effKind = kind;
  if (kind == DLGK_CONDITION) {
    const char16_t* letters = GetLangText(LANG_ID(21700));
    char16_t item = 0;
    if (delim == u'=') {
      int k = delimAt - 1;
      while (k >= 0 && text[k] == u' ') k--;
      item = k >= 0 ? CharToUpper(text[k]) : 0;
    }
    char16_t L0 = CharToUpper(letters[0]), L1 = letters[0] ? CharToUpper(letters[1]) : 0;
    char16_t L2 = L1 ? CharToUpper(letters[2]) : 0, L3 = L2 ? CharToUpper(letters[3]) : 0;
    effKind = -1;  // any other delimiter: nothing
    if (delim == 0) {
      effKind = DLGK_LINE;
    } else if (delim == u':') {
      effKind = 0, lo = 0, hi = 59;
    } else if (delim == u',') {
      int k = start;
      while (k < textLen && text[k] != u'(' && text[k] != u')' && text[k] != u'!' &&
             text[k] != u'&' && text[k] != u'|' && text[k] != u':')
        k++;
      if (k < textLen && text[k] == u':')
        effKind = 0, lo = 0, hi = 23;
      else
        effKind = DLGK_LINE;
    } else if (delim == u'=' && item != 0) {
      if (item == L0)
        effKind = 0, lo = 0, hi = 23;
      else if (item == L1)
        effKind = DLGK_LINE;
      else if (item == L2)
        effKind = 0, lo = 1, hi = 960;
      else if (item == L3)
        effKind = DLGK_FOURTH;
    }
    if (effKind < 0) return 0;
    width = 9;
  }
  int numeric = !(IsNameKind(effKind) || effKind == DLGK_WEEKDAY);
  int end = start;
  // A number may begin with its sign; a '-' after digits joins two values ("8-12") and ends it.
  if (numeric && start < textLen && text[start] == u'-') end++;
  while (end < textLen && end - start < 20 && IsValueChar(text[end], effKind, numeric)) end++;
  if (!NewValue(effKind, lo, hi, width, text + start, end - start, step, out)) return 0;
  StripLeadingBlanks(out);
  int outLen = StringLength(out);
  int newLen = textLen - (end - start) + outLen;
  if (newLen + 1 > length) return 0;
  MoveMem(text + start + outLen, text + end, (size_t)(textLen - end + 1) * sizeof(char16_t));
  CopyMem(text + start, out, (size_t)outLen * sizeof(char16_t));
  // The caret keeps its place in the value (at most its end): at the start of a value that
  // follows a comma the next key would find the comma before the caret and step nothing.
  int offset = pos - start > 0 ? pos - start : 0;
  if (offset > outLen) offset = outLen;
  if (rec->edit.flags & DLGE_TRIM) {
    int b = CountLeadingBlanks(text);
    StripLeadingBlanks(text);
    start -= b < start ? b : start;
  }
  *caret = start + offset;
  return 1;
}

// ---- picture bar 340 -------------------------------------------------------------------------------
int PictureBarRange(const DialogRecord* rec, int* lowest, int* highest, int* pos) {
  *lowest = 0, *highest = 100, *pos = 0;
  if (rec && rec->type == DLG_CELL_LIST) {
    *highest = rec->cellList.count - 1;
    *pos = rec->cellList.shown;
  } else if (rec && rec->type == DLG_CELL_STEP) {
    *lowest = rec->cellStep.lowest;
    *highest = rec->cellStep.highest;
    *pos = rec->cellStep.value;
  }
  return *lowest < *highest;
}

static int StepIn(int v, int lo, int hi, int code, int thumbPos, int* out) {
  switch (code) {
    case 1: v = v >= hi ? lo : v + 1; break;  // line down
    case 0: v = v <= lo ? hi : v - 1; break;  // line up
    case 2:
    case 6: v = lo; break;  // page up, top
    case 3:
    case 7: v = hi; break;                                                  // page down, bottom
    case 5: v = thumbPos < lo ? lo : thumbPos > hi ? hi : thumbPos; break;  // thumb tracking
    default: return 0;
  }
  *out = v;
  return 1;
}

int StepPictureRecord(DialogRecord* rec, int code, int thumbPos) {
  int v = 0;
  if (rec && rec->type == DLG_CELL_STEP) {
    DlgCellStepFields* f = &rec->cellStep;
    if (f->lowest > f->highest) return 0;
    if (!StepIn(f->value, f->lowest, f->highest, code, thumbPos, &v)) return 0;
    int changed = v != f->value;
    f->value = (uint8_t)v;
    return changed;
  }
  if (rec && rec->type == DLG_CELL_LIST) {
    DlgCellListFields* f = &rec->cellList;
    if (f->count == 0) return 0;
    if (!StepIn(f->shown, 0, f->count - 1, code, thumbPos, &v)) return 0;
    int changed = v != f->shown;
    f->shown = (uint8_t)v;
    return changed;
  }
  return 0;
}
