// The option file's key table: one row per key with its writer, reader and default, each going
// through the setter and getter of the component that holds the setting. Keys whose owner is not
// part of the program yet keep their value here (parsed, checked and written back in its place).
#include "app/optionfile.h"
#include "app/optionfile_internal.h"
#include "app/cursor.h"
#include "app/editwnd.h"
#include "app/editwnd_layout.h"
#include "app/entry.h"
#include "app/filedialog.h"
#include "app/help.h"
#include "app/netcmd.h"
#include "app/recent.h"
#include "app/tick.h"
#include "core/misc.h"
#include "core/platform.h"
#include "core/settings_platform.h"
#include "core/sound.h"
#include "core/stream.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_options.h"
#include "trains/event_display.h"
#include "trains/train_services.h"
#include "views/view_services.h"

// ---- values held here until their owners exist --------------------------------------------------
int SaveSettingsAtExit = 1;
char16_t LanguageFileName[SETTINGS_NAME_CHARS] = u"quil.lng";
char16_t SecondLanguageFileName[SETTINGS_NAME_CHARS] = u"quil.lnv";
SettingsHeld Held;

// ---- text building --------------------------------------------------------------------------------
struct Txt {
  char16_t s[1200];
  int n;
};
static void TBegin(Txt* t) {
  t->n = 0;
  t->s[0] = 0;
}
static void TChar(Txt* t, char16_t c) {
  if (t->n < (int)(sizeof t->s / sizeof t->s[0]) - 1) t->s[t->n++] = c;
  t->s[t->n] = 0;
}
static void TUInt(Txt* t, uint32_t v) {
  char16_t d[12];
  int n = FormatUnsignedDigits(d, v, 1);
  for (int i = 0; i < n; i++) TChar(t, d[i]);
}
static void TInt(Txt* t, int32_t v) {
  if (v < 0) {
    TChar(t, u'-');
    TUInt(t, 0u - (uint32_t)v);
  } else {
    TUInt(t, (uint32_t)v);
  }
}
static void THex(Txt* t, uint32_t v, int width) {
  char16_t d[8];
  int n = 0;
  do {
    d[n++] = u"0123456789ABCDEF"[v & 15];
    v >>= 4;
  } while (v && n < 8);
  while (n < width) d[n++] = u'0';
  while (n) TChar(t, d[--n]);
}

// ---- parsing --------------------------------------------------------------------------------------
// One decimal number from *p (blanks before it skipped, optional sign); advances *p. 1 ok.
static int ScanInt(const char16_t** p, int32_t* v) {
  const char16_t* s = *p;
  while (*s == u' ') s++;
  int neg = 0;
  if (*s == u'-' || *s == u'+') neg = *s++ == u'-';
  if (*s < u'0' || *s > u'9') return 0;
  int64_t x = 0;
  while (*s >= u'0' && *s <= u'9') {
    x = x * 10 + (*s++ - u'0');
    if (x > 0x80000000LL) return 0;
  }
  if (!neg && x > 0x7FFFFFFFLL) return 0;
  *v = (int32_t)(neg ? -x : x);
  while (*s == u' ') s++;
  *p = s;
  return 1;
}
static int ParseInt(const char16_t* s, int32_t* v) { return ScanInt(&s, v) && !*s; }
static int ScanHex(const char16_t** p, uint32_t* v) {
  const char16_t* s = *p;
  while (*s == u' ') s++;
  int n = 0;
  uint32_t x = 0;
  for (int d; (d = HexDigitValue(*s)) >= 0; s++, n++) {
    if (n >= 8) return 0;
    x = x * 16 + (uint32_t)d;
  }
  if (!n) return 0;
  while (*s == u' ') s++;
  *v = x;
  *p = s;
  return 1;
}
static int ParseHex(const char16_t* s, uint32_t* v) { return ScanHex(&s, v) && !*s; }
// A comma list of numbers: its count, or -1 when a part is no number or there are more than max.
static int ParseList(const char16_t* s, int32_t* v, int max) {
  int n = 0;
  for (;;) {
    if (n >= max || !ScanInt(&s, &v[n])) return -1;
    n++;
    if (!*s) return n;
    if (*s++ != u',') return -1;
  }
}

// A key's value: present (length >= 0), absent or too long for the buffer.
// Its text lies in one of a few buffers used in turn (a reader holds at most two at a time).
struct Val {
  char16_t* s;
  int n;
};
static char16_t ValueBuffers[4][OPT_VALUE_CHARS];
static int ValueNext = 0;
static int Get(const char16_t* key, Val* v) {
  v->s = ValueBuffers[ValueNext];
  ValueNext = (ValueNext + 1) & 3;
  v->n = OptGet(key, v->s, OPT_VALUE_CHARS);
  return v->n;
}
static char16_t At(const Val* v, int i) { return i < v->n ? v->s[i] : 0; }

static int Put(const char16_t* key, const Txt* t) { return OptPut(key, t->s); }
static int PutText(const char16_t* key, const char16_t* s) { return OptPut(key, s); }

// ---- rows of one letter ----------------------------------------------------------------------------
struct FlagRow {
  const char16_t* key;
  char16_t on, off;
  const char16_t *onText, *offText;  // written words (null: the letter)
  int8_t def, absent;                // absent: -1 keeps the default
  uint8_t refuse;                    // another first letter makes the file faulty
  int (*get)();
  void (*set)(int on);
};

static int GetShow(int i) { return ShowOption[i]; }
static int GetShow2() { return GetShow(2); }
static int GetShow3() { return GetShow(3); }
static int GetShow4() { return GetShow(4); }
static int GetShow5() { return GetShow(5); }
static int GetShow6() { return GetShow(6); }
static int GetShow7() { return GetShow(7); }
static int GetBallast() { return ShowBallast; }
static void SetBallast(int on) { ShowBallast = on; }
static int GetWaterways() { return ShowWaterways; }
static void SetWaterways(int on) { ShowWaterways = on; }
static int GetRoads() { return ShowRoads; }
static void SetRoads(int on) { ShowRoads = on; }
static int GetPaletteGraph() { return GetPaletteGraphMode(); }
static void SetPaletteGraph(int on) { SetPaletteGraphMode(on); }
static int GetCellMark() { return CellMarkDisplaySwitch; }
static void SetCellMark(int on) { CellMarkDisplaySwitch = on; }
static int GetLogPoint() { return LogPointDisplaySwitch; }
static void SetLogPoint(int on) { LogPointDisplaySwitch = on; }
static int GetStoreHst() { return StoreHstSwitch; }
static void SetStoreHst(int on) { StoreHstSwitch = on; }
static int GetStoreSigA() { return StoreSigASwitch; }
static void SetStoreSigA(int on) { StoreSigASwitch = on; }
static int GetMouseBit(uint32_t b) { return (GetMouseOptions() & b) ? 1 : 0; }
static void SetMouseBit(uint32_t b, int on) {
  SetMouseOptions(on ? GetMouseOptions() | b : GetMouseOptions() & ~b);
}
static int GetMouse1() { return GetMouseBit(1); }
static void SetMouse1(int on) { SetMouseBit(1, on); }
static int GetMouse8() { return GetMouseBit(8); }
static void SetMouse8(int on) { SetMouseBit(8, on); }
static int GetCursor51() { return GetCursorStyle() != 52; }
static void SetCursor51(int on) { SetCursorStyle(on ? 51 : 52); }
static int GetExplorer() { return GetExplorerFileDialog(); }
static void SetExplorer(int on) { SetExplorerFileDialog(on); }
static int GetLoopMode() { return DocState.loopMode ? 1 : 0; }
static void SetLoopMode(int on) { DocState.loopMode = on ? 1 : 0; }
static int GetOverwrite() { return SetOverwriteWarning(0) == 1; }
static void SetOverwrite(int on) { SetOverwriteWarning(on ? 1 : 2); }
static int GetNameWarning() { return SetFileNameWarning(0) == 1; }
static void SetNameWarning(int on) { SetFileNameWarning(on ? 1 : 2); }
static int GetZoom2() { return Held.zoom2; }
static void SetZoom2(int on) { Held.zoom2 = on; }

static const FlagRow kFlags[] = {
    {u"F", u'G', u'T', u"Graph", u"Text", 0, 0, 1, GetPaletteGraph, SetPaletteGraph},
    {u"I", u'M', u'N', u"Mark", u"NMark", 1, 1, 0, GetCellMark, SetCellMark},
    {u"Log_P", u'M', u'0', nullptr, nullptr, 1, 1, 0, GetLogPoint, SetLogPoint},
    {u"Store_Hst", u'H', u'0', nullptr, nullptr, 0, 1, 0, GetStoreHst, SetStoreHst},
    {u"Store_SigA", u'S', u'0', nullptr, nullptr, 0, 1, 0, GetStoreSigA, SetStoreSigA},
    {u"MausRR", u'R', u'0', nullptr, nullptr, 1, -1, 0, GetMouse1, SetMouse1},
    {u"MausRD", u'L', u'0', nullptr, nullptr, 1, -1, 0, GetMouse8, SetMouse8},
    {u"MausCs", u'M', u'P', nullptr, nullptr, 1, -1, 0, GetCursor51, SetCursor51},
    {u"Schotter", u'Z', u'G', nullptr, nullptr, 1, -1, 1, GetBallast, SetBallast},
    {u"Rangp", u'R', u'N', nullptr, nullptr, 0, 1, 1, GetShow4, SetShowOption4},
    {u"Lwx", u'L', u'N', nullptr, nullptr, 1, -1, 1, GetShow5, SetShowOption5},
    {u"Lfst", u'A', u'S', nullptr, nullptr, 0, -1, 1, GetShow6, SetShowOption6},
    {u"Sige", u'A', u'S', nullptr, nullptr, 0, -1, 1, GetShow2, SetShowOption2},
    {u"AnzHst", u'A', u'S', nullptr, nullptr, 0, -1, 1, GetShow3, SetShowOption3},
    {u"Txte", u'T', u'N', nullptr, nullptr, 1, -1, 1, GetShow7, SetShowOption7},
    {u"FwH2O", u'Z', u'G', nullptr, nullptr, 1, -1, 1, GetWaterways, SetWaterways},
    {u"FwBus", u'Z', u'G', nullptr, nullptr, 1, -1, 1, GetRoads, SetRoads},
    {u"DateiDlg", u'X', u'N', nullptr, nullptr, 0, -1, 1, GetExplorer, SetExplorer},
    {u"ViaTimer", u'V', u'T', nullptr, nullptr, 0, -1, 1, GetLoopMode, SetLoopMode},
    {u"WarnUeb", u'J', u'N', nullptr, nullptr, 1, 1, 0, GetOverwrite, SetOverwrite},
    {u"WarnDatN", u'J', u'N', nullptr, nullptr, 1, 1, 0, GetNameWarning, SetNameWarning},
    {u"Zoom2", u'E', u'a', nullptr, nullptr, 1, 1, 0, GetZoom2, SetZoom2},
};

static const FlagRow* FindFlag(const char16_t* key) {
  for (const FlagRow& r : kFlags)
    if (!CompareStrings(r.key, key, 0)) return &r;
  return nullptr;
}

static int ReadFlag(const FlagRow* r) {
  Val v;
  int n = Get(r->key, &v);
  if (n == OPT_ABSENT) {
    if (r->absent >= 0) r->set(r->absent);
    return 0;
  }
  if (n == OPT_TOO_LONG) return 0;
  char16_t c = At(&v, 0);
  if (c == r->on) {
    r->set(1);
  } else if (c == r->off) {
    r->set(0);
  } else {
    if (r->refuse) return SETTINGS_FAULTY;
    r->set(0);
  }
  return 0;
}

static int WriteFlag(const FlagRow* r) {
  int on = r->get();
  if (r->onText) return PutText(r->key, on ? r->onText : r->offText);
  Txt t;
  TBegin(&t);
  TChar(&t, on ? r->on : r->off);
  return Put(r->key, &t);
}

// ---- rows of one number -----------------------------------------------------------------------------
struct NumberRow {
  const char16_t* key;
  char16_t form;  // 'i', 'u' or 'X'
  int32_t def;
  int32_t (*get)();
  int (*set)(int32_t v);  // non-zero: refused
  uint8_t refuse;         // a refused value (or no number) makes the file faulty; else ignored
};

static int32_t GetFrameRate() { return EditViews.frameRate < 1 ? 25 : EditViews.frameRate; }
static int SetFrameRateValue(int32_t v) {
  if (v < 1 || v > 60) return 1;
  EditViews.frameRate = v;
  EditViews.frameInterval = 1000 / v;
  return 0;
}
static int32_t GetSaveAtExit() { return SaveSettingsAtExit; }
static int SetSaveAtExit(int32_t v) {
  if (v < 0 || v > 1) return 1;
  SaveSettingsAtExit = v;
  return 0;
}
static int32_t GetExportColour() { return Held.exportColourMode; }
static int SetExportColour(int32_t v) {
  if (v <= 0) return 1;
  Held.exportColourMode = v;
  return 0;
}
static int32_t GetExportScale() { return Held.exportScale; }
static int SetExportScale(int32_t v) {
  if (v <= 0 || v > 16) return 1;
  Held.exportScale = v;
  return 0;
}
static int32_t GetEdgeScroll() { return GetEdgeScrollInterval(); }
static int SetEdgeScroll(int32_t v) { return SetEdgeScrollInterval(v); }
static int32_t GetTick() { return GetTickDelay(); }
static int SetTick(int32_t v) { return SetTickDelay(v); }
static int32_t GetRecentCount() { return RecentShownCount; }
static int SetRecentCount(int32_t v) { return SetRecentShownCount(v); }
static int32_t GetSymbolSearch() { return (int32_t)Held.symbolSearch; }
static int SetSymbolSearch(int32_t v) {
  Held.symbolSearch = (uint32_t)v;
  return 0;
}
static int32_t GetStop() { return GetStopDefault(); }
static int SetStop(int32_t v) { return SetStopDefault(v); }
static int32_t GetSlow() { return GetSlowSectionDefault(); }
static int SetSlow(int32_t v) { return SetSlowSectionDefault(v); }
static int32_t GetBuffer() { return GetBufferStopDefault(); }
static int SetBuffer(int32_t v) { return SetBufferStopDefault(v); }
static int32_t GetRp() { return GetRoutePointSymbolForm(); }
static int SetRp(int32_t v) { return SetRoutePointSymbolForm(v); }
static int32_t GetDwx() { return GetDwxSymbolForm(); }
static int SetDwx(int32_t v) { return SetDwxSymbolForm(v); }
static int32_t GetTp() { return GetTpSymbolForm(); }
static int SetTp(int32_t v) { return SetTpSymbolForm(v); }
static int32_t GetWei() { return GetSwitchSymbolForm(); }
static int SetWei(int32_t v) { return SetSwitchSymbolForm(v); }
static int32_t GetTunn() { return GetClassBVariant(); }
static int SetTunn(int32_t v) { return SetClassBVariant(v) & 0xFF; }
static int32_t GetHSig() { return GetSignalSymbolFormHSig(); }
static int SetHSig(int32_t v) { return SetSignalSymbolFormHSig(v); }
static int32_t GetVSig() { return GetSignalSymbolFormVSig(); }
static int SetVSig(int32_t v) { return SetSignalSymbolFormVSig(v); }
static int32_t GetKSig() { return GetSignalSymbolFormKSig(); }
static int SetKSig(int32_t v) { return SetSignalSymbolFormKSig(v); }
static int32_t GetBUESig() { return GetSignalSymbolFormBUESig(); }
static int SetBUESig(int32_t v) { return SetSignalSymbolFormBUESig(v); }
static int32_t GetSK() { return GetSignalSymbolFormSK(); }
static int SetSK(int32_t v) { return SetSignalSymbolFormSK(v); }

static const NumberRow kNumbers[] = {
    {u"FrameRate", u'i', 25, GetFrameRate, SetFrameRateValue, 0},
    {u"O", u'u', 1, GetSaveAtExit, SetSaveAtExit, 1},
    {u"P", u'u', 1, GetExportColour, SetExportColour, 1},
    {u"Q", u'u', 1, GetExportScale, SetExportScale, 1},
    {u"MausRBr", u'u', -1, GetEdgeScroll, SetEdgeScroll, 1},
    {u"SuchSym", u'X', 1, GetSymbolSearch, SetSymbolSearch, 1},
    {u"BremsF", u'u', 4500, GetTick, SetTick, 1},
    {u"DateiZahl", u'u', 20, GetRecentCount, SetRecentCount, 1},
    {u"BauformHst", u'i', 0, GetStop, SetStop, 1},
    {u"BauformLfst", u'i', 0, GetSlow, SetSlow, 1},
    {u"BauformPrell", u'i', 0, GetBuffer, SetBuffer, 1},
    {u"BauformRp", u'i', 0, GetRp, SetRp, 1},
    {u"BauformDwx", u'i', 0, GetDwx, SetDwx, 1},
    {u"BauformTp", u'i', 0, GetTp, SetTp, 1},
    {u"BauformWei", u'i', 0, GetWei, SetWei, 1},
    {u"BauformTunn", u'i', 0, GetTunn, SetTunn, 1},
    {u"BauformHSig", u'i', 0, GetHSig, SetHSig, 1},
    {u"BauformVSig", u'i', 0, GetVSig, SetVSig, 1},
    {u"BauformKSig", u'i', 0, GetKSig, SetKSig, 1},
    {u"BauformBUESig", u'i', 0, GetBUESig, SetBUESig, 1},
    {u"BauformSK", u'i', 0, GetSK, SetSK, 1},
};

static const NumberRow* FindNumber(const char16_t* key) {
  for (const NumberRow& r : kNumbers)
    if (!CompareStrings(r.key, key, 0)) return &r;
  return nullptr;
}

static int ParseNumber(const NumberRow* r, const char16_t* s, int32_t* out) {
  if (r->form == u'X') {
    uint32_t h;
    if (!ParseHex(s, &h)) return 0;
    *out = (int32_t)h;
    return 1;
  }
  if (!ParseInt(s, out)) return 0;
  return r->form != u'u' || *out >= 0;
}

// Absent values: BremsF keeps the current delay; SuchSym reads as 0.
static int ReadNumber(const NumberRow* r) {
  Val v;
  int n = Get(r->key, &v);
  if (n == OPT_ABSENT) {
    if (!CompareStrings(r->key, u"SuchSym", 0)) r->set(0);
    return 0;
  }
  if (n == OPT_TOO_LONG) return 0;
  int32_t x;
  if (!ParseNumber(r, v.s, &x)) return r->refuse ? SETTINGS_FAULTY : 0;
  if (r->set(x)) return r->refuse ? SETTINGS_FAULTY : 0;
  return 0;
}

static int WriteNumber(const NumberRow* r) {
  Txt t;
  TBegin(&t);
  int32_t x = r->get();
  if (r->form == u'X')
    THex(&t, (uint32_t)x, 1);
  else if (r->form == u'u')
    TUInt(&t, (uint32_t)x);
  else
    TInt(&t, x);
  return Put(r->key, &t);
}

// ---- the read context: values several keys hand to one setter -----------------------------------
static struct {
  uint32_t logFlags;
  uint32_t logSeparator, logComment;
  int32_t autosaveInterval;
  ConstructionSettings construction;
  uint32_t trainSearchFlags;
  char16_t trainTexts[3][33];
  int32_t ansiToUni;
} Rd;

// ---- code pages and backups ----------------------------------------------------------------------------
static int ReadCodePage(const char16_t* key, const char16_t* oldKey, int32_t fallback,
                        int32_t* out) {
  Val v;
  int n = Get(key, &v);
  if (n == OPT_ABSENT && oldKey) n = Get(oldKey, &v);
  *out = fallback;
  if (n < 0) return 0;
  int32_t cp;
  if (ParseInt(v.s, &cp) && (cp == -1 || SettingsIsValidCodePage(cp)))
    *out = cp;
  else
    *out = -1;
  return 0;
}
static int ReadCodePages() {
  int32_t a, u;
  ReadCodePage(u"CP_AnsiUni", u"Unicode", -1, &a);
  ReadCodePage(u"CP_UniAnsi", nullptr, a, &u);
  SetConversionCodePages(a, u);
  return 0;
}
static int WriteCodePages() {
  Txt t;
  TBegin(&t);
  TInt(&t, CpAnsiUni);
  int r = Put(u"CP_AnsiUni", &t);
  if (r) return r;
  TBegin(&t);
  TInt(&t, CpUniAnsi);
  return Put(u"CP_UniAnsi", &t);
}

static int ReadBackup() {
  Val v;
  int n = Get(u"Backup", &v);
  int old = 0;
  if (n == OPT_ABSENT) {
    n = Get(u"U", &v);
    old = 1;
  }
  if (n < 0) return 0;
  int32_t x;
  if (!ParseInt(v.s, &x)) return SETTINGS_FAULTY;
  if (old && x == 1) x = 10;
  return SetBackupCount(x) ? SETTINGS_FAULTY : 0;
}
static int WriteBackup() {
  Txt t;
  TBegin(&t);
  TInt(&t, GetBackupCount());
  return Put(u"Backup", &t);
}

// ---- autosave ----------------------------------------------------------------------------------------------
#ifdef QUIL_VIEWER
// The viewer cannot save: it keeps the autosave values only to write them back.
static uint32_t ViewerAutosaveBits = AUTOSAVE_BITS_DEFAULT;
static int32_t ViewerAutosaveInterval = 0;
static uint32_t GetAutosave(int32_t* interval) {
  *interval = ViewerAutosaveInterval;
  return ViewerAutosaveBits;
}
static int SetAutosave(uint32_t bits, int32_t interval) {
  if (interval != 0 && (interval < 1 || interval > 86399)) return 1;
  ViewerAutosaveBits = bits;
  ViewerAutosaveInterval = interval;
  return 0;
}
#else
static uint32_t GetAutosave(int32_t* interval) { return GetAutosaveOptions(interval); }
static int SetAutosave(uint32_t bits, int32_t interval) {
  return SetAutosaveOptions(bits, interval);
}
#endif
static int ReadAutosaveInterval() {
  Val v;
  Rd.autosaveInterval = 0;
  if (Get(u"AutoSpNtDiff", &v) < 0) return 0;
  return ParseInt(v.s, &Rd.autosaveInterval) ? 0 : SETTINGS_FAULTY;
}
static int ReadAutosaveFlags() {
  Val v;
  uint32_t bits = 0;
  if (Get(u"AutoSpNtOpt", &v) >= 0) {
    if (At(&v, 0) == u'E') bits |= 1;
    if (At(&v, 1) == u'S') bits |= 2;
  }
  return SetAutosave(bits, Rd.autosaveInterval) ? SETTINGS_FAULTY : 0;
}
static int WriteAutosave() {
  int32_t interval = 0;
  uint32_t bits = GetAutosave(&interval);
  Txt t;
  TBegin(&t);
  TInt(&t, interval);
  int r = Put(u"AutoSpNtDiff", &t);
  if (r) return r;
  TBegin(&t);
  TChar(&t, (bits & 1) ? u'E' : u'i');
  TChar(&t, (bits & 2) ? u'S' : u'u');
  return Put(u"AutoSpNtOpt", &t);
}

// ---- text-table export -------------------------------------------------------------------------------------
static int ReadStatOpt() {
  Val v;
  uint32_t x;
  if (Get(u"Stat_Opt", &v) >= 0) {
    if (ParseHex(v.s, &x)) Held.statKinds = x;
    return 0;
  }
  if (Get(u"S", &v) < 0) return 0;
  int32_t s;
  if (!ParseInt(v.s, &s)) return 0;
  if (s == 0) return SETTINGS_FAULTY;
  x = (uint32_t)s;
  if ((x & 0xFF) > 127) x = (x & ~0x80u) | 0x280;
  Held.statKinds = x;
  return 0;
}
static int WriteStatOpt() {
  Txt t;
  TBegin(&t);
  THex(&t, Held.statKinds, 1);
  return Put(u"Stat_Opt", &t);
}
static int ReadStatSep() {
  Val v;
  if (Get(u"Stat_Sep", &v) < 0) return 0;
  char16_t c = At(&v, 0) == u'"' ? At(&v, 1) : At(&v, 0);
  Held.statSeparator = c < 32 ? u' ' : c;
  return 0;
}
static int WriteStatSep() {
  Txt t;
  TBegin(&t);
  TChar(&t, u'"');
  TChar(&t, Held.statSeparator);
  TChar(&t, u'"');
  return Put(u"Stat_Sep", &t);
}

// ---- palette selection ----------------------------------------------------------------------------------------
static int ReadPalette() {
  Val v;
  if (Get(u"N", &v) < 0) return 0;
  // "%u,%u,%X,%c"
  const char16_t* p = v.s;
  int32_t group, index;
  uint32_t mask;
  int fields = 0;
  if (ScanInt(&p, &group)) fields = 1;
  if (fields == 1 && !*p) {
    SelectPaletteGroup(0, 0, 1, 0);
    return 0;
  }
  if (fields != 1 || *p++ != u',' || !ScanInt(&p, &index) || *p++ != u',' || !ScanHex(&p, &mask) ||
      *p++ != u',' || !*p || p[1])
    return SETTINGS_FAULTY;
  SelectPaletteGroup(group, index, mask, *p == u'S');
  return 0;
}
static int WritePalette() {
  int index = 0, mirror = 0;
  uint32_t mask = 0;
  int group = GetPaletteSelection(&index, &mask, &mirror);
  Txt t;
  TBegin(&t);
  TUInt(&t, (uint32_t)group);
  TChar(&t, u',');
  TUInt(&t, (uint32_t)index);
  TChar(&t, u',');
  THex(&t, mask, 1);
  TChar(&t, u',');
  TChar(&t, mirror ? u'S' : u'k');
  return Put(u"N", &t);
}

// ---- folders ----------------------------------------------------------------------------------------------------
static const struct {
  const char16_t* key;
  const char16_t* oldKey;  // before 375
  int kind;
} kFolders[] = {{u"Pfad_nt3", u"D", FILE_KIND_NETWORK},
                {u"Pfad_pcx", u"X", FILE_KIND_PICTURE},
                {u"Pfad_dat", u"Y", FILE_KIND_TEXT},
                {u"Pfad_log", nullptr, FILE_KIND_LOG},
                {u"Pfad_qna", nullptr, FILE_KIND_SCRIPT}};

static int ReadFolders() {
  for (const auto& f : kFolders) {
    Val v;
    int n = Get(OptVersion() < 375 && f.oldKey ? f.oldKey : f.key, &v);
    if (n == OPT_ABSENT && !f.oldKey) {  // log and script folders: the network-file folder
      char16_t net[STREAM_PATH_CHARS];
      GetKindFolder(FILE_KIND_NETWORK, net);
      SetKindFolder(f.kind, net);
      continue;
    }
    if (n > 0) SetKindFolder(f.kind, v.s);  // a folder that does not fit is ignored
  }
  return 0;
}
static int WriteFolders() {
  for (const auto& f : kFolders) {
    char16_t folder[STREAM_PATH_CHARS];
    GetKindFolder(f.kind, folder);
    int r = PutText(f.key, folder);
    if (r) return r;
  }
  return 0;
}

// ---- log settings ------------------------------------------------------------------------------------------------
static int ReadLogOpt() {
  Val v;
  if (Get(u"Log_Opt", &v) == OPT_ABSENT) v.s = (char16_t*)u"PD23", v.n = 4;
  uint32_t f = 0;
  if (At(&v, 0) == u'P') f |= 1;
  if (At(&v, 1) == u'D') f |= 2;
  if (At(&v, 2) == u'U') f |= 8;
  if (At(&v, 2) == u'A') f |= 4;
  if (At(&v, 3) == u'V') f |= 16;
  Rd.logFlags = f;
  return 0;
}
static int ReadLogChar(const char16_t* key, uint32_t fallback, uint32_t* out) {
  Val v;
  int n = Get(key, &v);
  *out = n > 0 ? v.s[0] : fallback;
  return 0;
}
static int ReadLogSep() { return ReadLogChar(u"Log_Sep", u',', &Rd.logSeparator); }
static int ReadLogComm() {
  ReadLogChar(u"Log_Comm", u';', &Rd.logComment);
  return SetLogSettings(Rd.logFlags, Rd.logSeparator, Rd.logComment) ? SETTINGS_FAULTY : 0;
}
static int WriteLog() {
  uint32_t f = 0;
  char16_t sep = u',', comm = u';';
  GetLogSettings(&f, &sep, &comm, nullptr);
  Txt t;
  TBegin(&t);
  TChar(&t, (f & 1) ? u'P' : u'0');
  TChar(&t, (f & 2) ? u'D' : u'1');
  TChar(&t, (f & 8) ? u'U' : (f & 4) ? u'A' : u'2');
  TChar(&t, (f & 16) ? u'V' : u'3');
  int r = Put(u"Log_Opt", &t);
  if (r) return r;
  TBegin(&t);
  TChar(&t, sep);
  if ((r = Put(u"Log_Sep", &t))) return r;
  TBegin(&t);
  TChar(&t, comm);
  return Put(u"Log_Comm", &t);
}

// ---- event display: its texts both ways belong to the event display list -------------------------------
static void DefaultEvents() { SetDefaultEventFilter(); }
static int ReadOldEventKey() {
  Val v;
  if (Get(u"A", &v) < 0) return 0;
  return ParseOldEventText(v.s, v.n) ? SETTINGS_FAULTY : 0;
}
static int ReadEventOption() {
  Val v;
  int n = Get(u"DispNAllg", &v);
  if (n == OPT_ABSENT) return ReadOldEventKey();
  if (n < 0) return 0;
  return ParseEventOptionText(v.s, v.n) ? SETTINGS_FAULTY : 0;
}
static int ReadEventKinds() {
  Val v;
  if (Get(u"DispNn", &v) < 0) return 0;
  return ParseEventKindsText(v.s, v.n) ? SETTINGS_FAULTY : 0;
}
static int PutChars(const char16_t* key, const char16_t* chars) {
  Txt t;
  TBegin(&t);
  for (int i = 0; chars[i]; i++) TChar(&t, chars[i]);
  return Put(key, &t);
}
static int WriteEvents() {
  char16_t option[3], kinds[EVENT_KIND_LAST + 1];
  FormatEventOptionText(option);
  FormatEventKindsText(kinds);
  int r = PutChars(u"DispNAllg", option);
  return r ? r : PutChars(u"DispNn", kinds);
}
static int MigrateEvents() {
  if (OptVersion() < 375) {
    SetEventKindFlag(28, 1);
    SetEventKindFlag(29, 1);
  }
  if (OptVersion() < 384)
    for (int k : {3, 4, 5, 11, 17}) SetEventKindFlag(k, 1);
  return 0;
}

// ---- train-running options, text search, train search --------------------------------------------------------
struct LetterBit {
  char16_t on, off;
  uint32_t bit;
};
// Letters by position: a position's 'on' letter sets its bit. refuse: another letter (not an
// empty position) makes the file faulty.
static int ParseLetterBits(const Val* v, const LetterBit* bits, int count, int refuse,
                           uint32_t* out) {
  uint32_t x = 0;
  for (int i = 0; i < count; i++) {
    char16_t c = At(v, i);
    if (c == bits[i].on)
      x |= bits[i].bit;
    else if (refuse && c && c != bits[i].off)
      return 0;
  }
  *out = x;
  return 1;
}
static void FormatLetterBits(Txt* t, const LetterBit* bits, int count, uint32_t x) {
  TBegin(t);
  for (int i = 0; i < count; i++) TChar(t, (x & bits[i].bit) ? bits[i].on : bits[i].off);
}

static const LetterBit kRunning[] = {{u'L', u'D', 1}, {u'M', u's', 2}, {u'E', u'v', 4}};
static int ReadRunning() {
  Val v;
  if (Get(u"V", &v) < 0) return 0;
  uint32_t x;
  if (!ParseLetterBits(&v, kRunning, 3, 1, &x)) return SETTINGS_FAULTY;
  TrainRunningOptions = x;
  return 0;
}
static int WriteRunning() {
  Txt t;
  FormatLetterBits(&t, kRunning, 3, TrainRunningOptions);
  return Put(u"V", &t);
}

static const LetterBit kSearch[] = {
    {u'T', u'I', 1}, {u'A', u'P', 4}, {u'G', u'g', 8}, {u'D', u'd', 16}, {u'W', u'w', 32}};
static int ReadSearchOptions() {
  Val v;
  int n = Get(u"E", &v);
  if (n == OPT_ABSENT)
    v.s = (char16_t*)u"TP", v.n = 2;
  else if (n < 0)
    return 0;
  char16_t c0 = At(&v, 0), c1 = At(&v, 1);
  if ((c0 != u'T' && c0 != u'I') || (c1 != u'A' && c1 != u'P')) return SETTINGS_FAULTY;
  uint32_t x;
  ParseLetterBits(&v, kSearch, 5, 0, &x);
  if (c0 == u'I') x |= 2;
  Held.searchOptions = x;
  return 0;
}
static int WriteSearchOptions() {
  Txt t;
  FormatLetterBits(&t, kSearch, 5, Held.searchOptions);
  if (!(Held.searchOptions & 1)) t.s[0] = u'I';
  return Put(u"E", &t);
}

static int ReadSearchHistory() {
  Held.historyCount = 0;
  for (int i = 0; i < SEARCH_HISTORY_COUNT; i++) {
    char16_t key[16] = u"SuchText";
    key[8 + FormatUnsignedDigits(key + 8, (uint32_t)i, 1)] = 0;
    Val v;
    int n = Get(key, &v);
    if (n == OPT_ABSENT) break;
    if (n <= 0 || n >= SEARCH_TEXT_CHARS) continue;
    // The newest entry on top: every older entry moves one place down.
    int keep =
        Held.historyCount < SEARCH_HISTORY_COUNT ? Held.historyCount : SEARCH_HISTORY_COUNT - 1;
    for (int k = keep; k > 0; k--) CopyString(Held.history[k], Held.history[k - 1]);
    CopyString(Held.history[0], v.s);
    Held.historyCount = keep + 1;
  }
  return 0;
}
static int WriteSearchHistory() {
  int number = 0;
  for (int i = Held.historyCount - 1; i >= 0; i--) {
    if (!Held.history[i][0]) continue;
    char16_t key[16] = u"SuchText";
    key[8 + FormatUnsignedDigits(key + 8, (uint32_t)number++, 1)] = 0;
    int r = PutText(key, Held.history[i]);
    if (r) return r;
  }
  return 0;
}

static const LetterBit kTrainSearch[] = {{u'N', u'a', 1},  {u'T', u'a', 2}, {u'2', u'n', 4},
                                         {u'N', u's', 64}, {u'G', u'g', 8}, {u'D', u'd', 16},
                                         {u'W', u'w', 32}};
static int ReadTrainSearch() {
  Val v;
  uint32_t flags = 0;
  char16_t t[3][33];
  GetDefaultTrainTexts(&flags, t[0], t[1], t[2]);
  int n = Get(u"FzgSuchOpt", &v);
  if (n == OPT_ABSENT)
    flags = 0;
  else if (n >= 0)
    ParseLetterBits(&v, kTrainSearch, 7, 0, &flags);
  Rd.trainSearchFlags = flags;
  for (int i = 0; i < 3; i++) CopyString(Rd.trainTexts[i], t[i]);
  return 0;
}
static int ReadTrainTexts() {
  for (int i = 0; i < 3; i++) {
    char16_t key[16] = u"FzgSuchTxt0";
    key[10] = (char16_t)(u'0' + i);
    Val v;
    int n = Get(key, &v);
    if (n >= 0 && n <= 32) CopyString(Rd.trainTexts[i], v.s);
  }
  return SetDefaultTrainTexts(Rd.trainSearchFlags, Rd.trainTexts[0], Rd.trainTexts[1],
                              Rd.trainTexts[2])
             ? SETTINGS_FAULTY
             : 0;
}
static int WriteTrainSearch() {
  uint32_t flags = 0;
  char16_t t[3][33];
  GetDefaultTrainTexts(&flags, t[0], t[1], t[2]);
  Txt x;
  FormatLetterBits(&x, kTrainSearch, 7, flags);
  int r = Put(u"FzgSuchOpt", &x);
  for (int i = 0; !r && i < 3; i++) {
    char16_t key[16] = u"FzgSuchTxt0";
    key[10] = (char16_t)(u'0' + i);
    r = PutText(key, t[i]);
  }
  return r;
}
static int ReadAutoStart() {
  Val v;
  int n = Get(u"FzgListOpt", &v);
  int value = n == OPT_ABSENT ? 3 : n < 0 ? 1 : At(&v, 0) == u'a' ? 2 : At(&v, 0) == u'n' ? 3 : 1;
  SetTrainAutoStartOption(value);
  return 0;
}
static int WriteAutoStart() {
  return PutText(u"FzgListOpt", SetTrainAutoStartOption(0) == 2 ? u"a" : u"n");
}

// ---- train texts and annotations ---------------------------------------------------------------------------
static int ReadTrainTextMode() {
  Val v;
  int n = Get(u"ZugTxte", &v);
  if (n == OPT_ABSENT)
    v.s = (char16_t*)u"N", v.n = 1;
  else if (n < 0)
    return 0;
  char16_t c0 = At(&v, 0);
  if (c0 != u'Z' && c0 != u'N') return SETTINGS_FAULTY;
  uint32_t x = (c0 == u'Z' ? 1 : 0) | (At(&v, 1) == u'K' ? 2 : 0) | (At(&v, 2) == u'T' ? 4 : 0);
  SetCycleDisplayMode(x);
  return 0;
}
static int WriteTrainTextMode() {
  Txt t;
  TBegin(&t);
  TChar(&t, (CycleDisplayMode & 1) ? u'Z' : u'N');
  TChar(&t, (CycleDisplayMode & 2) ? u'K' : u'N');
  TChar(&t, (CycleDisplayMode & 4) ? u'T' : u'H');
  return Put(u"ZugTxte", &t);
}
static const LetterBit kAnnotation[] = {{u't', u'h', 0x8000}, {u'W', u'n', 1}, {u'S', u'n', 2},
                                        {u'T', u'n', 4},      {u'D', u'n', 8}, {u'B', u'n', 16},
                                        {u'L', u'n', 32}};
static int ReadAnnotation() {
  Val v;
  int n = Get(u"ObjTxte", &v);
  if (n == OPT_ABSENT)
    v.s = (char16_t*)u"n", v.n = 1;
  else if (n < 0)
    return 0;
  uint32_t x;
  ParseLetterBits(&v, kAnnotation, 7, 0, &x);
  SetAnnotationMask(x);
  return 0;
}
static int WriteAnnotation() {
  Txt t;
  FormatLetterBits(&t, kAnnotation, 7, AnnotationMask);
  return Put(u"ObjTxte", &t);
}

// ---- key H: display switch 1, animations, sounds, train-list mode, reverse advance ---------------------------
static int ReadH() {
  Val v;
  int n = Get(u"H", &v);
  if (n < 0) return 0;
  char16_t c0 = At(&v, 0);
  if (c0 != u'K' && c0 != u'0') return SETTINGS_FAULTY;
  uint32_t mode = (At(&v, 5) == u'D' ? 2 : 1) + (At(&v, 6) == u'b'   ? 12
                                                 : At(&v, 6) == u'a' ? 8
                                                                     : 4);
  if (SetTrainListMode(mode) & 0xFF) return SETTINGS_FAULTY;
  SetShowOption1(c0 == u'K');
  AnimationSwitch = At(&v, 2) == u'A' ? 1 : 0;
  char16_t s = At(&v, 4);
  SoundOptions = s == u'B' ? 3 : s == u'H' ? 1 : s == u'T' ? 2 : 0;
  SetReverseAdvance(At(&v, 7) == u'i' ? 1 : 0);
  return 0;
}
static int WriteH() {
  Txt t;
  TBegin(&t);
  uint32_t mode = GetTrainListMode();
  uint32_t sounds = SoundOptions & 3;
  TChar(&t, ShowOption[1] ? u'K' : u'0');
  TChar(&t, u'1');
  TChar(&t, AnimationSwitch ? u'A' : u'2');
  TChar(&t, u'3');
  TChar(&t, sounds == 3 ? u'B' : sounds == 1 ? u'H' : sounds == 2 ? u'T' : u'4');
  TChar(&t, (mode & 3) == 2 ? u'D' : u'5');
  TChar(&t, (mode & 12) == 12 ? u'b' : (mode & 12) == 8 ? u'a' : u'6');
  TChar(&t, GetReverseAdvance() ? u'i' : u'7');
  return Put(u"H", &t);
}
static void DefaultH() {
  SetShowOption1(1);
  AnimationSwitch = 1;
  SoundOptions = 1;
  SetTrainListMode(5);
  SetReverseAdvance(0);
}

// ---- background colour mode, raster flags ---------------------------------------------------------------------
static const char16_t* const kBackgroundModes[4] = {u"32", u"24", u"16", u"DT"};
static int ReadBackgroundMode() {
  Val v;
  if (Get(u"HgrBmpOpt", &v) < 0) return 0;
  for (int m = 0; m < 4; m++)
    if (At(&v, 0) == kBackgroundModes[m][0] && At(&v, 1) == kBackgroundModes[m][1]) {
      Held.backgroundMode = m + 1;
      return 0;
    }
  return SETTINGS_FAULTY;
}
static int WriteBackgroundMode() {
  int m = Held.backgroundMode >= 1 && Held.backgroundMode <= 4 ? Held.backgroundMode : 1;
  return PutText(u"HgrBmpOpt", kBackgroundModes[m - 1]);
}
static int ReadRaster() {
  Val v;
  int n = Get(u"Gfx_Eig", &v);
  if (n == OPT_ABSENT)
    v.s = (char16_t*)u"DV", v.n = 2;
  else if (n < 0)
    return 0;
  Held.rasterDib = At(&v, 0) == u'D';
  Held.rasterSetPixel = At(&v, 1) == u'V';
  QueryRasterCaps(Held.rasterDib, Held.rasterSetPixel);
  return 0;
}
static int WriteRaster() {
  Txt t;
  TBegin(&t);
  TChar(&t, Held.rasterDib ? u'D' : u'x');
  TChar(&t, Held.rasterSetPixel ? u'V' : u'x');
  return Put(u"Gfx_Eig", &t);
}

// ---- construction values ----------------------------------------------------------------------------------------
static ConstructionSettings ConstructionDefaults;
static int StrUmbDefaults[3];
static int DefaultsTaken = 0;

static void SetAreaFields(ConstructionSettings* c, const int32_t* v) {
  for (int i = 0; i < 5; i++) c->counts[i] = v[i];
  c->areaChoice = v[5];
  c->blockNumber = v[6];
  c->blockWidth = v[7];
  c->blockHeight = v[8];
  c->areaX1 = v[9];
  c->areaY1 = v[10];
  c->areaX2 = v[11];
  c->areaY2 = v[12];
}
static int ReadOldConstruction() {
  GetConstructionSettings(&Rd.construction);
  Val v;
  if (Get(u"L", &v) < 0) return 0;
  int32_t x[16];
  if (ParseList(v.s, x, 16) != 15) return SETTINGS_FAULTY;
  Rd.construction.lineWidth = x[0];
  Rd.construction.lineKind = x[1];
  SetAreaFields(&Rd.construction, x + 2);
  return 0;
}
static int ReadLineConstruction() {
  Val v;
  if (Get(u"BauStrecke", &v) < 0) return 0;
  int32_t x[4];
  if (ParseList(v.s, x, 4) != 3) return SETTINGS_FAULTY;
  Rd.construction.lineWidth = x[0];
  Rd.construction.lineKind = x[1];
  Rd.construction.continueFlag = x[2];
  return 0;
}
static int ReadAreaConstruction() {
  Val v;
  if (Get(u"BauFlaeche", &v) >= 0) {
    int32_t x[14];
    if (ParseList(v.s, x, 14) != 13) return SETTINGS_FAULTY;
    SetAreaFields(&Rd.construction, x);
  }
  return (SetConstructionSettings(&Rd.construction) & 0xFF) ? SETTINGS_FAULTY : 0;
}
static int WriteConstruction() {
  ConstructionSettings c;
  GetConstructionSettings(&c);
  Txt t;
  TBegin(&t);
  TUInt(&t, (uint32_t)c.lineWidth);
  TChar(&t, u',');
  TUInt(&t, (uint32_t)c.lineKind);
  TChar(&t, u',');
  TUInt(&t, (uint32_t)c.continueFlag);
  int r = Put(u"BauStrecke", &t);
  if (r) return r;
  int32_t v[13] = {c.counts[0],  c.counts[1],   c.counts[2],  c.counts[3],   c.counts[4],
                   c.areaChoice, c.blockNumber, c.blockWidth, c.blockHeight, c.areaX1,
                   c.areaY1,     c.areaX2,      c.areaY2};
  TBegin(&t);
  for (int i = 0; i < 13; i++) {
    if (i) TChar(&t, u',');
    if (i < 9)
      TUInt(&t, (uint32_t)v[i]);
    else
      TInt(&t, v[i]);
  }
  return Put(u"BauFlaeche", &t);
}
static int ReadStrUmb() {
  Val v;
  if (Get(u"StrUmb", &v) < 0) return 0;
  int32_t x[4];
  if (ParseList(v.s, x, 4) != 3) return SETTINGS_FAULTY;
  return (SetStrUmbSettings(x[0], x[1], x[2]) & 0xFF) ? SETTINGS_FAULTY : 0;
}
static int WriteStrUmb() {
  int a = 0, b = 0, c = 0;
  GetStrUmbSettings(&a, &b, &c);
  Txt t;
  TBegin(&t);
  TInt(&t, a);
  TChar(&t, u',');
  TInt(&t, b);
  TChar(&t, u',');
  TInt(&t, c);
  return Put(u"StrUmb", &t);
}
static int ReadMarkLevel() {
  Val v;
  if (Get(u"MarkZOpt", &v) < 0) return 0;
  char16_t c = At(&v, 0);
  int mode = c == u'K' ? 0 : c == u'A' ? 1 : c == u'M' ? 2 : 3;
  return SetMarkLevelMode(mode, 0) == 2 ? SETTINGS_FAULTY : 0;
}
static int WriteMarkLevel() {
  int m = GetMarkLevelMode();
  return PutText(u"MarkZOpt", m == 1 ? u"A" : m == 2 ? u"M" : u"K");
}

// ---- colours ----------------------------------------------------------------------------------------------------
static void SetColourRgb(int n, uint32_t r, uint32_t g, uint32_t b) {
  uint32_t cls = GetColour(n) & 0xFF000000u;
  SetColour(n, cls | r | (g << 8) | (b << 16));
}
static int ReadColours() {
  for (int i = 0; i < DISPLAY_COLOUR_COUNT; i++) {
    char16_t key[16] = u"Farbe";
    key[5 + FormatUnsignedDigits(key + 5, (uint32_t)i, 1)] = 0;
    Val v;
    if (Get(key, &v) <= 0) continue;
    const char16_t* p = v.s;
    uint32_t r, g, b;
    if (ScanHex(&p, &r) && *p == u',' && (p++, ScanHex(&p, &g)) && *p == u',' &&
        (p++, ScanHex(&p, &b)) && !*p) {
      if (r <= 255 && g <= 255 && b <= 255) SetColourRgb(i, r, g, b);
      continue;
    }
    int32_t pal;
    if (ParseInt(v.s, &pal) && pal >= 0 && pal <= 62) SetColour(i, ResolveColour((uint32_t)pal));
  }
  return 0;
}
static int WriteColours() {
  for (int i = 0; i < DISPLAY_COLOUR_COUNT; i++) {
    char16_t key[16] = u"Farbe";
    key[5 + FormatUnsignedDigits(key + 5, (uint32_t)i, 1)] = 0;
    uint32_t w = GetColour(i);
    Txt t;
    TBegin(&t);
    THex(&t, w & 0xFF, 2);
    TChar(&t, u',');
    THex(&t, (w >> 8) & 0xFF, 2);
    TChar(&t, u',');
    THex(&t, (w >> 16) & 0xFF, 2);
    int r = Put(key, &t);
    if (r) return r;
  }
  return 0;
}
// Before 382: the background colours 131 and 132 from keys R, G, B (0..63 each, times 4).
static int MigrateBackground() {
  if (OptVersion() >= 382) return 0;
  const char16_t* keys[3] = {u"R", u"G", u"B"};
  int32_t c[3] = {0, 28, 0};
  for (int i = 0; i < 3; i++) {
    Val v;
    int32_t x;
    if (Get(keys[i], &v) >= 0 && ParseInt(v.s, &x) && x >= 0 && x <= 63) c[i] = x;
  }
  SetColourRgb(131, (uint32_t)c[0] * 4, (uint32_t)c[1] * 4, (uint32_t)c[2] * 4);
  SetColourRgb(132, (uint32_t)c[0] * 4, (uint32_t)c[1] * 4, (uint32_t)c[2] * 4);
  return 0;
}
// Before 375: key C, a comma list of palette numbers for the colours from 0 on.
static int MigratePaletteList() {
  if (OptVersion() >= 375) return 0;
  Val v;
  if (Get(u"C", &v) <= 0) return 0;
  const char16_t* p = v.s;
  for (int i = 0; i < DISPLAY_COLOUR_COUNT && *p; i++) {
    int32_t x;
    if (!ScanInt(&p, &x)) break;
    if (x >= 0 && x <= 62) SetColour(i, ResolveColour((uint32_t)x));
    if (*p != u',') break;
    p++;
  }
  return 0;
}
static int ReadOldT() {
  Val v;
  int32_t x;
  if (Get(u"T", &v) < 0 || !ParseInt(v.s, &x)) return 0;
  if (x == 15 || x == 0) {
    SetColour(105, ResolveColour((uint32_t)x));
    SetColour(106, ResolveColour((uint32_t)x));
  }
  return 0;
}

// ---- fonts ----------------------------------------------------------------------------------------------------------
typedef void (*FontInfoFn)(int32_t*, int32_t*, int32_t*, uint32_t*, uint32_t*, uint32_t*,
                           char16_t*);
typedef void (*FontCreateFn)(int, int32_t, int32_t, int32_t, uint32_t, uint32_t, uint32_t,
                             const char16_t*);
static const struct {
  const char16_t* name;  // keys name + "N" and name + "W"
  FontInfoFn info;
  FontCreateFn create;
} kFonts[8] = {{u"FontGSym0", GetZoomFontInfo, CreateZoomFonts},
               {u"FontGSymZ", GetDisplayFontInfo5, CreateDisplayFont5},
               {u"FontFixS", GetDisplayFontInfo1, CreateDisplayFont1},
               {u"FontVarS", GetDisplayFontInfo2, CreateDisplayFont2},
               {u"FontVarE", GetDisplayFontInfo4, CreateDisplayFont4},
               {u"FontFixE", GetDisplayFontInfo3, CreateDisplayFont3},
               {u"FontFixDlg", GetDisplayFontInfo7, CreateDisplayFont7},
               {u"FontVar0", GetDisplayFontInfo6, CreateDisplayFont6}};

static void FontKey(char16_t* key, int i, char16_t last) {
  CopyString(key, kFonts[i].name);
  int n = StringLength(key);
  key[n] = last;
  key[n + 1] = 0;
}
static int ReadFonts() {
  for (int i = 0; i < 8; i++) {
    char16_t key[24], face[FONT_FACE_CHARS];
    int32_t h, w, weight;
    uint32_t cs, pf, it;
    kFonts[i].info(&h, &w, &weight, &cs, &pf, &it, face);
    Val v;
    FontKey(key, i, u'W');
    int32_t x[7];
    if (Get(key, &v) < 0 || ParseList(v.s, x, 7) != 6) continue;
    Val n;
    FontKey(key, i, u'N');
    if (Get(key, &n) > 0 && n.n < FONT_FACE_CHARS) CopyString(face, n.s);
    kFonts[i].create(1, x[0], x[1], x[2], (uint32_t)x[4], (uint32_t)x[5], (uint32_t)x[3], face);
  }
  return 0;
}
static int WriteFonts() {
  for (int i = 0; i < 8; i++) {
    char16_t key[24], face[FONT_FACE_CHARS];
    int32_t h, w, weight;
    uint32_t cs, pf, it;
    kFonts[i].info(&h, &w, &weight, &cs, &pf, &it, face);
    FontKey(key, i, u'N');
    int r = PutText(key, face);
    if (r) return r;
    Txt t;
    TBegin(&t);
    int32_t v[6] = {h, w, weight, (int32_t)it, (int32_t)cs, (int32_t)pf};
    for (int k = 0; k < 6; k++) {
      if (k) TChar(&t, u',');
      TInt(&t, v[k]);
    }
    FontKey(key, i, u'W');
    if ((r = Put(key, &t))) return r;
  }
  return 0;
}

// ---- window places ---------------------------------------------------------------------------------------------------
static const char16_t kViewLetters[4] = {0, u'N', u'A', u'K'};
static const char16_t kPairLetters[4] = {u'H', u'G', u'M', u'L'};  // (0,0) (0,1) (1,0) (1,1)

static int SetMainPlace(char16_t letter, int32_t x, int32_t y) {
  if (letter != u'S' && letter != u'B') return SETTINGS_FAULTY;
  int32_t ox, oy;
  GetWorkAreaOrigin(&ox, &oy);
  SettingsWindowPlace p = {x - ox, y - oy, 0, 0, letter == u'B'};
  SetMainWindowPlace(&p);
  return 0;
}

// One edit-window place "%i,%i,%i,%i,%c,%i,%c" (starting at *p); 1 ok.
static int ParseEditPlace(const char16_t** p, int slot) {
  int32_t r[4], zoom;
  const char16_t* s = *p;
  for (int i = 0; i < 4; i++) {
    if (!ScanInt(&s, &r[i]) || *s++ != u',') return 0;
  }
  char16_t mode = *s++;
  if (*s++ != u',' || !ScanInt(&s, &zoom) || *s++ != u',') return 0;
  char16_t pair = *s ? *s++ : 0;
  int m = mode == u'N' ? 1 : mode == u'A' ? 2 : mode == u'K' ? 3 : 0;
  int f = -1;
  for (int i = 0; i < 4; i++)
    if (pair == kPairLetters[i]) f = i;
  if (!m || f < 0) return 0;
  EditViewSlot* e = GetEditSlot(slot);
  if (!e) return 0;
  int32_t ox, oy;
  GetWorkAreaOrigin(&ox, &oy);
  if (r[0] == -1) {
    e->savedRect[0] = -1;
  } else {
    e->savedRect[0] = r[0] - ox;
    e->savedRect[1] = r[1] - oy;
    e->savedRect[2] = r[2] - ox;
    e->savedRect[3] = r[3] - oy;
  }
  e->viewMode = (uint32_t)m;
  e->zoom = IsValidViewZoom((uint32_t)m, zoom) ? zoom : 1;
  e->displayFlag = (uint32_t)(f >> 1);
  e->scrollBarFlag = (uint32_t)(f & 1);
  *p = s;
  return 1;
}

static int ReadOldWindows() {
  Val v;
  if (Get(u"W", &v) < 3) return 0;
  const char16_t* p = v.s + 3;
  int32_t x, y;
  if (!ScanInt(&p, &x) || *p++ != u',' || !ScanInt(&p, &y)) return 0;
  char16_t c = v.s[1];
  SetMainPlace(c == u'B' ? u'B' : u'S', x, y);
  for (int expect = 1; expect <= 6; expect++) {
    while (*p && *p != u'F') p++;
    if (!*p) break;
    p++;
    int32_t number;
    if (!ScanInt(&p, &number) || number != expect || *p++ != u',') break;
    if (!ParseEditPlace(&p, expect - 1)) break;
  }
  return 0;
}
static int ReadWindows() {
  Val v;
  int n = Get(u"Fenster0", &v);
  if (n >= 0) {
    const char16_t* p = v.s;
    char16_t letter = *p ? *p++ : 0;
    int32_t x, y;
    if (*p++ != u',' || !ScanInt(&p, &x) || *p++ != u',' || !ScanInt(&p, &y) || *p)
      return SETTINGS_FAULTY;
    if (SetMainPlace(letter, x, y)) return SETTINGS_FAULTY;
  }
  for (int slot = 0; slot < EDIT_SLOTS; slot++) {
    char16_t key[16] = u"Fenster1";
    key[7] = (char16_t)(u'1' + slot);
    if (Get(key, &v) < 0) continue;
    const char16_t* p = v.s;
    if (!ParseEditPlace(&p, slot) || *p) return SETTINGS_FAULTY;
  }
  if (Get(u"FensterU", &v) >= 0) {
    SettingsWindowPlace c;
    GetClockWindowPlace(&c);
    char16_t letter = At(&v, 0);
    int32_t x[5];
    int count = v.n >= 2 && v.s[1] == u',' ? ParseList(v.s + 2, x, 5) : -1;
    if (count == 4) {
      c = {x[0], x[1], x[2], x[3], letter == u'E'};
    } else if (count == 2) {
      c = {x[0], x[1], -1, -1, letter == u'E'};
    } else {
      return SETTINGS_FAULTY;
    }
    SetClockWindowPlace(&c);
  }
  return 0;
}
static int WriteWindows() {
  int32_t ox, oy;
  GetWorkAreaOrigin(&ox, &oy);
  SettingsWindowPlace m;
  GetMainWindowPlace(&m);
  Txt t;
  TBegin(&t);
  TChar(&t, m.shown ? u'B' : u'S');
  TChar(&t, u',');
  TInt(&t, m.x + ox);
  TChar(&t, u',');
  TInt(&t, m.y + oy);
  int r = Put(u"Fenster0", &t);
  for (int slot = 0; !r && slot < EDIT_SLOTS; slot++) {
    EditViewSlot* e = GetEditSlot(slot);
    char16_t key[16] = u"Fenster1";
    key[7] = (char16_t)(u'1' + slot);
    TBegin(&t);
    int none = e->savedRect[0] == -1;
    for (int i = 0; i < 4; i++) {
      TInt(&t, none ? -1 : e->savedRect[i] + ((i & 1) ? oy : ox));
      TChar(&t, u',');
    }
    uint32_t mode = e->viewMode >= 1 && e->viewMode <= 3 ? e->viewMode : 1;
    TChar(&t, kViewLetters[mode]);
    TChar(&t, u',');
    TInt(&t, e->zoom);
    TChar(&t, u',');
    TChar(&t, kPairLetters[(e->displayFlag ? 2 : 0) + (e->scrollBarFlag ? 1 : 0)]);
    r = Put(key, &t);
  }
  if (r) return r;
  SettingsWindowPlace c;
  GetClockWindowPlace(&c);
  TBegin(&t);
  TChar(&t, c.shown ? u'E' : u'A');
  int32_t v[4] = {c.x, c.y, c.width, c.height};
  for (int i = 0; i < 4; i++) {
    TChar(&t, u',');
    TInt(&t, v[i]);
  }
  return Put(u"FensterU", &t);
}
static void DefaultWindows() {
  for (int slot = 0; slot < EDIT_SLOTS; slot++) {
    EditViewSlot* e = GetEditSlot(slot);
    if (e->window) continue;  // an open window keeps its place
    e->savedRect[0] = -1;
    e->viewMode = VIEW_SYMBOLS;
    e->zoom = 1;
    e->displayFlag = 1;
    e->scrollBarFlag = 1;
  }
}

// ---- file names, recent files ------------------------------------------------------------------------------------------
static int ReadName(const char16_t* key, char16_t* target) {
  Val v;
  int n = Get(key, &v);
  if (n > 0 && n < SETTINGS_NAME_CHARS) CopyString(target, v.s);  // longer names are ignored
  return 0;
}
static int ReadNames() {
  ReadName(u"Sprache_P", LanguageFileName);
  ReadName(u"Sprache_F", SecondLanguageFileName);
  Val v;
  int n = Get(u"Hilfe", &v);
  if (n > 0 && n < SETTINGS_NAME_CHARS) {
    char16_t path[STREAM_PATH_CHARS];
    if (!BuildKindPath(FILE_KIND_PROGRAM, v.s, path) && !IsFileReadable(path)) SetHelpFileName(v.s);
  }
  return 0;
}
static int WriteNames() {
  int r = PutText(u"Sprache_P", LanguageFileName);
  if (!r) r = PutText(u"Sprache_F", SecondLanguageFileName);
  if (!r) r = PutText(u"Hilfe", GetHelpFileName());
  return r;
}
static int ReadRecent() {
  for (int i = RECENT_COUNT - 1; i >= 0; i--) {
    char16_t key[16] = u"DName";
    key[5 + FormatUnsignedDigits(key + 5, (uint32_t)i, 1)] = 0;
    Val v;
    int n = Get(key, &v);
    if (n > 0 && n < RECENT_CHARS) AddRecentFile(v.s);
  }
  return 0;
}
static int WriteRecent() {
  for (int i = 0; i < RECENT_COUNT; i++) {
    if (!RecentFiles[i][0]) continue;
    char16_t key[16] = u"DName";
    key[5 + FormatUnsignedDigits(key + 5, (uint32_t)i, 1)] = 0;
    int r = PutText(key, RecentFiles[i]);
    if (r) return r;
  }
  return 0;
}

// ---- older keys that are only read ------------------------------------------------------------------------------------
static int ReadOldJ() {
  Val v;
  if (Get(u"J", &v) < 0) return 0;
  PlaceOverTrainSwitch = At(&v, 0) == u'D' && At(&v, 1) == u'D' && At(&v, 2) == u'R';
  return 0;
}
static int ReadOldM() {
  Val v;
  if (Get(u"M", &v) < 0) return 0;
  char16_t c0 = At(&v, 0), c1 = At(&v, 1);
  if (c0 == u'N' || c0 == u'R' || c0 == u'S')
    SetMouse1(1);
  else if (c0 == u'0')
    SetMouse1(0);
  if (!c1 || c1 == u' ' || c1 == u'M')
    SetCursorStyle(51);
  else if (c1 == u'1')
    SetCursorStyle(52);
  return 0;
}

// ---- the table ---------------------------------------------------------------------------------------------------------
// One row per key (or family of keys) in the writer's order. Rows without a writer are old keys.
struct KeyRow {
  const char16_t* key;
  int (*write)();
  int (*read)();
};
static int FlagWrite(const char16_t* key) { return WriteFlag(FindFlag(key)); }
static int FlagRead(const char16_t* key) { return ReadFlag(FindFlag(key)); }
static int NumberWrite(const char16_t* key) { return WriteNumber(FindNumber(key)); }
static int NumberRead(const char16_t* key) { return ReadNumber(FindNumber(key)); }

// Rows naming a flag or number row are run through those tables.
static const KeyRow kKeys[] = {
    {u"FrameRate", nullptr, nullptr},
    {u"Backup", WriteBackup, ReadBackup},
    {u"CP_AnsiUni", WriteCodePages, ReadCodePages},
    {u"O", nullptr, nullptr},
    {u"AutoSpNtDiff", WriteAutosave, ReadAutosaveInterval},
    {u"AutoSpNtOpt", nullptr, ReadAutosaveFlags},
    {u"P", nullptr, nullptr},
    {u"Q", nullptr, nullptr},
    {u"Stat_Opt", WriteStatOpt, ReadStatOpt},
    {u"Stat_Sep", WriteStatSep, ReadStatSep},
    {u"F", nullptr, nullptr},
    {u"N", WritePalette, ReadPalette},
    {u"Pfad", WriteFolders, ReadFolders},
    {u"I", nullptr, nullptr},
    {u"Log_P", nullptr, nullptr},
    {u"Log_Opt", WriteLog, ReadLogOpt},
    {u"Log_Sep", nullptr, ReadLogSep},
    {u"Log_Comm", nullptr, ReadLogComm},
    {u"Store_Hst", nullptr, nullptr},
    {u"Store_SigA", nullptr, nullptr},
    {u"MausRR", nullptr, nullptr},
    {u"MausRD", nullptr, nullptr},
    {u"MausCs", nullptr, nullptr},
    {u"MausRBr", nullptr, nullptr},
    {u"DispNAllg", WriteEvents, ReadEventOption},
    {u"DispNn", nullptr, ReadEventKinds},
    {u"V", WriteRunning, ReadRunning},
    {u"Font", WriteFonts, ReadFonts},
    {u"Farbe", WriteColours, ReadColours},
    {u"E", WriteSearchOptions, ReadSearchOptions},
    {u"SuchText", WriteSearchHistory, ReadSearchHistory},
    {u"SuchSym", nullptr, nullptr},
    {u"FzgSuchOpt", WriteTrainSearch, ReadTrainSearch},
    {u"FzgSuchTxt", nullptr, ReadTrainTexts},
    {u"FzgListOpt", WriteAutoStart, ReadAutoStart},
    {u"Schotter", nullptr, nullptr},
    {u"Rangp", nullptr, nullptr},
    {u"Lwx", nullptr, nullptr},
    {u"Lfst", nullptr, nullptr},
    {u"Sige", nullptr, nullptr},
    {u"AnzHst", nullptr, nullptr},
    {u"Txte", nullptr, nullptr},
    {u"ZugTxte", WriteTrainTextMode, ReadTrainTextMode},
    {u"ObjTxte", WriteAnnotation, ReadAnnotation},
    {u"FwH2O", nullptr, nullptr},
    {u"FwBus", nullptr, nullptr},
    {u"DateiDlg", nullptr, nullptr},
    {u"BremsF", nullptr, nullptr},
    {u"ViaTimer", nullptr, nullptr},
    {u"H", WriteH, ReadH},
    {u"HgrBmpOpt", WriteBackgroundMode, ReadBackgroundMode},
    {u"WarnUeb", nullptr, nullptr},
    {u"WarnDatN", nullptr, nullptr},
    {u"BauStrecke", WriteConstruction, ReadLineConstruction},
    {u"BauFlaeche", nullptr, ReadAreaConstruction},
    {u"StrUmb", WriteStrUmb, ReadStrUmb},
    {u"MarkZOpt", WriteMarkLevel, ReadMarkLevel},
    {u"Zoom2", nullptr, nullptr},
    {u"BauformHst", nullptr, nullptr},
    {u"BauformLfst", nullptr, nullptr},
    {u"BauformPrell", nullptr, nullptr},
    {u"BauformRp", nullptr, nullptr},
    {u"BauformDwx", nullptr, nullptr},
    {u"BauformTp", nullptr, nullptr},
    {u"BauformWei", nullptr, nullptr},
    {u"BauformTunn", nullptr, nullptr},
    {u"BauformHSig", nullptr, nullptr},
    {u"BauformVSig", nullptr, nullptr},
    {u"BauformKSig", nullptr, nullptr},
    {u"BauformBUESig", nullptr, nullptr},
    {u"BauformSK", nullptr, nullptr},
    {u"Fenster", WriteWindows, ReadWindows},
    {u"Sprache", WriteNames, ReadNames},
    {u"DateiZahl", nullptr, nullptr},
    {u"DName", WriteRecent, ReadRecent},
    {u"Gfx_Eig", WriteRaster, ReadRaster},
    // Older keys, only read.
    {u"A", nullptr, nullptr},  // read with DispNAllg
    {u"BGR", nullptr, MigrateBackground},
    {u"C", nullptr, MigratePaletteList},
    {u"J", nullptr, ReadOldJ},
    {u"L", nullptr, ReadOldConstruction},
    {u"M", nullptr, ReadOldM},
    {u"T", nullptr, ReadOldT},
    {u"W", nullptr, ReadOldWindows},
    {u"Events", nullptr, MigrateEvents},
};

static const KeyRow* FindKey(const char16_t* key) {
  for (const KeyRow& r : kKeys)
    if (!CompareStrings(r.key, key, 0)) return &r;
  return nullptr;
}

static int RunRead(const char16_t* key) {
  const KeyRow* r = FindKey(key);
  if (r && r->read) return r->read();
  if (FindFlag(key)) return FlagRead(key);
  if (FindNumber(key)) return NumberRead(key);
  return 0;
}

// The order in which the keys are read (the writer's order is the table's).
static const char16_t* const kReadOrder[] = {
    u"DispNAllg",
    u"DispNn",
    u"Events",
    u"BGR",
    u"C",
    u"Farbe",
    u"Pfad",
    u"E",
    u"SuchText",
    u"FzgSuchOpt",
    u"FzgSuchTxt",
    u"FzgListOpt",
    u"F",
    u"H",
    u"HgrBmpOpt",
    u"WarnUeb",
    u"WarnDatN",
    u"I",
    u"Log_P",
    u"Log_Opt",
    u"Log_Sep",
    u"Log_Comm",
    u"Store_Hst",
    u"Store_SigA",
    u"J",
    u"Sprache",
    u"L",
    u"BauStrecke",
    u"BauFlaeche",
    u"StrUmb",
    u"MarkZOpt",
    u"Zoom2",
    u"BauformHst",
    u"BauformLfst",
    u"BauformPrell",
    u"BauformRp",
    u"BauformDwx",
    u"BauformTp",
    u"BauformWei",
    u"BauformTunn",
    u"BauformHSig",
    u"BauformVSig",
    u"BauformKSig",
    u"BauformBUESig",
    u"BauformSK",
    u"M",
    u"MausRR",
    u"MausRD",
    u"MausCs",
    u"MausRBr",
    u"N",
    u"O",
    u"AutoSpNtDiff",
    u"AutoSpNtOpt",
    u"P",
    u"Q",
    u"Stat_Opt",
    u"Stat_Sep",
    u"T",
    u"FrameRate",
    u"Backup",
    u"CP_AnsiUni",
    u"V",
    u"SuchSym",
    u"Schotter",
    u"FwH2O",
    u"FwBus",
    u"Rangp",
    u"Lwx",
    u"Lfst",
    u"Sige",
    u"AnzHst",
    u"Txte",
    u"ZugTxte",
    u"ObjTxte",
    u"DateiDlg",
    u"BremsF",
    u"ViaTimer",
    u"W",
    u"Fenster",
    u"Font",
    u"DateiZahl",
    u"DName",
    u"Gfx_Eig",
};

int OptionKeysRead() {
  for (const char16_t* key : kReadOrder) {
    int r = RunRead(key);
    if (r) return r;
  }
  return 0;
}

int OptionKeysWrite() {
  for (const KeyRow& row : kKeys) {
    int r = 0;
    if (row.write)
      r = row.write();
    else if (FindFlag(row.key))
      r = FlagWrite(row.key);
    else if (FindNumber(row.key))
      r = NumberWrite(row.key);
    if (r) return r;
  }
  return 0;
}

void OptionKeysSetDefaults() {
  if (!DefaultsTaken) {  // the construction values as their owner starts them
    GetConstructionSettings(&ConstructionDefaults);
    GetStrUmbSettings(&StrUmbDefaults[0], &StrUmbDefaults[1], &StrUmbDefaults[2]);
    DefaultsTaken = 1;
  }
  for (const FlagRow& r : kFlags) r.set(r.def);
  for (const NumberRow& r : kNumbers) r.set(r.def);
  SetBackupCount(BACKUP_COUNT_DEFAULT);
  SetConversionCodePages(-1, -1);
  SetAutosave(AUTOSAVE_BITS_DEFAULT, 0);
  Held.statKinds = 2047;
  Held.statSeparator = u' ';
  SelectPaletteGroup(0, 0, 1, 0);
  for (const auto& f : kFolders) SetKindFolder(f.kind, Entry.defaultFolder);
  SetLogSettings(3, u',', u';');
  DefaultEvents();
  TrainRunningOptions = 0;
  CreateAllFonts();
  ResetDisplayColours();
  Held.searchOptions = 1;
  Held.historyCount = 0;
  SetDefaultTrainTexts(1, u"", u"", u"");
  SetTrainAutoStartOption(1);
  SetCycleDisplayMode(0);
  SetAnnotationMask(0);
  DefaultH();
  Held.backgroundMode = 1;
  SetConstructionSettings(&ConstructionDefaults);
  SetStrUmbSettings(StrUmbDefaults[0], StrUmbDefaults[1], StrUmbDefaults[2]);
  SetMarkLevelMode(0, 0);
  SettingsWindowPlace m;
  GetMainWindowPlace(&m);
  m.shown = 0;
  SetMainWindowPlace(&m);
  DefaultWindows();
  CopyString(LanguageFileName, u"quil.lng");
  CopyString(SecondLanguageFileName, u"quil.lnv");
  SetHelpFileName(u"quil.chm");
  AddRecentFile(nullptr);
  Held.rasterDib = 1;
  Held.rasterSetPixel = 1;
  PlaceOverTrainSwitch = 0;
}

const char16_t* GetSettingsKeyName(int row) {
  int n = (int)(sizeof kKeys / sizeof kKeys[0]);
  return row >= 0 && row < n ? kKeys[row].key : nullptr;
}
