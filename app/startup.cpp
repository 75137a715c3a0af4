// Start-up and shut-down of every component in their fixed orders, with the start-up error codes
// and the built-in start-up messages.
#include "app/startup.h"
#include "app/editwnd.h"
#include "app/cursor.h"
#include "app/daytime_entry.h"
#include "app/dialog.h"
#include "app/help.h"
#include "app/layer_hooks.h"
#include "app/netcmd.h"
#include "app/optionfile.h"
#include "app/titles.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/platform.h"
#include "core/stream.h"
#include "core/timepattern.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "graphics/glyphfile.h"
#include "graphics/graphics_section.h"
#include "graphics/symbols.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_sections.h"
#include "signalling/switch_control.h"
#include "trains/train_services.h"
#include "views/view_services.h"

int StartupNoMouse = 0;
int StartupGlyphNotice = 0;
uint32_t RunStartTick = 0;

static int DefaultProcessorClass() {
  return 586;  // replaced by the Win32 entry with the system information
}
int (*StartupProcessorClass)() = DefaultProcessorClass;

int RunStartupTable(const StartupStep* steps, int count, int* failedRow) {
  if (failedRow) *failedRow = -1;
  for (int i = 0; i < count; i++) {
    int r = steps[i].run();
    int code = (r && steps[i].code) ? steps[i].code(r) : 0;
    if (code) {
      if (failedRow) *failedRow = i;
      return code;
    }
  }
  return 0;
}

int MapMainLanguageResult(int result) {
  switch (result) {
    case 0: return 0;
    case 1: return STARTUP_LNG_MISSING;
    case 2: return STARTUP_LNG_FAULTY;
    case 3: return STARTUP_LNG_FAULTY2;
  }
  return STARTUP_LANGUAGE;
}

int MapSecondLanguageResult(int result) {
  switch (result) {
    case 0: return 0;
    case 1: return STARTUP_LNV_MISSING;
    case 2: return STARTUP_LNV_FAULTY;
    case 3: return STARTUP_LNV_FAULTY2;
  }
  return STARTUP_LANGUAGE;
}

int MapGlyphResult(int result) {
  return (result == 0 || result == 6) ? 0 : STARTUP_GLYPHS + result;
}

int ProcessorClassFrom(int intelArchitecture, uint32_t processorType) {
  if (!intelArchitecture) return 1000;
  if (processorType == 386 || processorType == 486 || processorType == 586)
    return (int)processorType;
  return 686;
}

// ---- the rows ---------------------------------------------------------------------------------
static int StepProcessor() { return StartupProcessorClass() < 486; }
static int CodeProcessor(int) { return STARTUP_PROCESSOR; }
static int StepRunStart() {
  RunStartTick = WrapGetTickCount();
  return 0;
}
static int StepMisc() {
  SetLayerHooks();  // the lower layers reach the components above through these from now on
  return InitMisc();
}
static int StepStreams() { return StreamInit(); }
static int CodeStreams(int) { return STARTUP_STREAMS; }
static int StepLanguage() { return InitLanguage(); }
static int CodeLanguage(int) { return STARTUP_LANGUAGE; }
static int StepMainLanguage() { return LoadLanguageFile(u"quil.lng", 1); }
static int StepSecondLanguage() { return LoadLanguageFile(u"quil.lnv", 0); }
static int StepGrid() { return InitGrid(); }
static int CodeGrid(int) { return STARTUP_GRID; }
static int StepTrains() {
  InitTrains();
  return 0;
}
static int StepDepots() {
  InitDepots();
  return 0;
}
static int StepSwitches() {
  InitSwitches();
  return 0;
}
static int StepGlyphs() {
  RegisterGraphicsSection();
  SetDialogColourSource(GetColour);              // dialogs draw in the display colours
  FileCommands.updateDayPhase = UpdateDayPhase;  // after a network is opened or made new
  DayPhaseUpdateHook = UpdateDayPhase;           // after the times of day are edited
  PlacementAdvanceLists[0] = kAdvanceDownList;   // where the cursor steps after placing
  PlacementAdvanceLists[1] = kAdvanceDiagonalDownList;
  PlacementAdvanceLists[2] = kAdvanceDiagonalUpList;
  int r = LoadSymbolFile();
  if (r == 6) StartupGlyphNotice = 1;
  return r;
}
static int StepEditWindows() {
  ResetEditWindows();
  InstallViewPainters();  // overlays of the edit windows, cell and text painters of dialogs
  return 0;
}
static int StepHelp() { return InitHtmlHelp() ? 0 : 1; }
static int CodeHelp(int) { return STARTUP_HELP; }
static int StepCursors() {
  StartupNoMouse = InitCursors() == 2;
  return 0;
}
// The option defaults of the fonts: all eight with their default settings (the main window
// exists by now; dialogs and the status panes draw in them).
static int StepFonts() { return CreateAllFonts(); }
static int StepEventFilter() {
  ResetEventFilter();
  return 0;
}
static int StepSettings() {
  LoadSettings();
  return 0;
}
// The language files the settings name; a name that does not load goes back to the default
// (the tables loaded at start stay) without a message.
static void LoadNamedLanguage(char16_t* name, const char16_t* fallback, int main) {
  if (!CompareStrings(name, fallback, CMPS_IGNORE_CASE)) return;
  if (LoadLanguageFile(name, main)) {
    CopyString(name, fallback);
    LoadLanguageFile(fallback, main);
  }
}
static int StepCollation() {
  LoadNamedLanguage(LanguageFileName, u"quil.lng", 1);
  LoadCollationFile();  // reports its own trouble; never fatal
  LoadNamedLanguage(SecondLanguageFileName, u"quil.lnv", 0);
  return 0;
}
static int DocumentWeekdayFixed() { return DocState.weekdayFixed; }
static int StepDocumentState() {
  // The network-file commands take their places in the loader: the conversion of level changes
  // of old files and the file lists of very old files.
  NetGridCheck = CheckGridAfterLoad;
  NetPostLoadSteps[0].run = ImportLegacyFileLists;
  ResetDocumentState();
  TimePatternWeekdayFixed = DocumentWeekdayFixed;
  return 0;
}
static int StepLineTable() { return InitLineTable() ? 0 : 1; }
static int CodeLineTable(int) { return STARTUP_LINES; }
static int StepDeferredNotices() {
  if (StartupGlyphNotice) ShowInfoText(96, LANG_ID(1320));
  if (StartupNoMouse) ShowInfoText(99, LANG_ID(1340));
  return 0;
}

// The start-up order of the components present in the program. Rows of the components still to
// come (the nine default vehicle-graphic sets of the glyph-file row, text labels, route points,
// signals, TP, Dwx, event filter, option file, stops, LFST, line table, info texts, log points,
// buffer stops, animated cells) are added with those components, at their place in this order.
static const StartupStep kStartup[] = {
    {"processor", StepProcessor, CodeProcessor},
    {"run start time", StepRunStart, nullptr},
    {"utilities", StepMisc, nullptr},
    {"file streams", StepStreams, CodeStreams},
    {"language tables", StepLanguage, CodeLanguage},
    {"quil.lng", StepMainLanguage, MapMainLanguageResult},
    {"quil.lnv", StepSecondLanguage, MapSecondLanguageResult},
    {"grid", StepGrid, CodeGrid},
    {"glyph file", StepGlyphs, MapGlyphResult},
    {"trains", StepTrains, nullptr},
    {"depots", StepDepots, nullptr},
    {"switch control", StepSwitches, nullptr},
    {"edit-window table", StepEditWindows, nullptr},
    {"HTML help", StepHelp, CodeHelp},
    {"cursors", StepCursors, nullptr},
    {"event filter", StepEventFilter, nullptr},
    {"fonts", StepFonts, nullptr},
    {"option file", StepSettings, nullptr},
    {"character order", StepCollation, nullptr},
    {"document state", StepDocumentState, nullptr},
    {"deferred notices", StepDeferredNotices, nullptr},
    {"line table", StepLineTable, CodeLineTable},
};

const StartupStep* GetStartupTable(int* count) {
  *count = (int)(sizeof kStartup / sizeof kStartup[0]);
  return kStartup;
}

int InitProgram() {
  StartupNoMouse = 0;
  StartupGlyphNotice = 0;
  int n;
  const StartupStep* t = GetStartupTable(&n);
  return RunStartupTable(t, n, nullptr);
}

// ---- shut-down ----------------------------------------------------------------------------------
struct ExitRow {
  const char* name;
  void (*run)();
};
// The shut-down order; the components still to come are added at their place.
static const ExitRow kExit[] = {
    {"ExitGrid", ExitGrid},
    {"StreamExit", StreamExit},
    {"FreeSymbolGraphics", FreeSymbolGraphics},
    {"ExitFonts", ExitFonts},
    {"ExitTrains", ExitTrains},
    {"ExitDepots", ExitDepots},
    {"ExitSwitches", ExitSwitches},
    {"ExitHtmlHelp", ExitHtmlHelp},
    {"ExitCursors", ExitCursors},
    {"ExitLineTable", ExitLineTable},
    {"ExitEventDisplay", ExitEventDisplay},
    {"ExitLanguage", ExitLanguage},
    {"ExitMisc", ExitMisc},
};
static const char* const kExitNames[] = {
    "ExitGrid",     "StreamExit",   "FreeSymbolGraphics", "ExitFonts",        "ExitTrains",
    "ExitDepots",   "ExitSwitches", "ExitHtmlHelp",       "ExitCursors",      "ExitLineTable",
    "ExitEventDisplay",
    "ExitLanguage", "ExitMisc"};

void ExitProgram() {
  for (const ExitRow& r : kExit) r.run();
}

const char* const* GetExitOrder(int* count) {
  *count = (int)(sizeof kExitNames / sizeof kExitNames[0]);
  return kExitNames;
}

// ---- texts ---------------------------------------------------------------------------------------
int FormatTextWith(char16_t* out, int capacity, const char16_t* format, const uint32_t* values,
                   int valueCount, const char16_t* const* texts, int textCount) {
  if (capacity < 1) return 0;
  int n = 0, vi = 0, ti = 0;
  auto put = [&](char16_t c) {
    if (n < capacity - 1) out[n++] = c;
  };
  for (const char16_t* p = format; p && *p; p++) {
    if (*p != u'%') {
      put(*p);
      continue;
    }
    const char16_t* start = p;
    p++;
    if (*p == u'%') {
      put(u'%');
      continue;
    }
    int zero = 0, width = 0;
    if (*p == u'0') {
      zero = 1;
      p++;
    }
    while (*p >= u'0' && *p <= u'9') {
      width = width * 10 + (*p - u'0');
      p++;
      if (width > 64) width = 64;
    }
    if (*p == u'u' || *p == u'i' || *p == u'd') {
      uint32_t v = vi < valueCount ? values[vi] : 0;
      vi++;
      int neg = (*p != u'u') && (int32_t)v < 0;
      uint32_t mag = neg ? 0u - v : v;
      char16_t digits[12];
      int d = 0;
      do {
        digits[d++] = (char16_t)(u'0' + mag % 10);
        mag /= 10;
      } while (mag);
      int len = d + neg;
      if (neg && zero) put(u'-');
      for (int i = len; i < width; i++) put(zero ? u'0' : u' ');
      if (neg && !zero) put(u'-');
      while (d) put(digits[--d]);
    } else if (*p == u's') {
      const char16_t* s = ti < textCount ? texts[ti] : nullptr;
      ti++;
      int len = 0;
      while (s && s[len]) len++;
      for (int i = len; i < width; i++) put(u' ');
      for (int i = 0; i < len; i++) put(s[i]);
    } else {
      for (const char16_t* q = start; q <= p && *q; q++) put(*q);
      if (!*p) break;
    }
  }
  out[n] = 0;
  return n;
}

void FormatStartupError(int code, int language, char16_t* caption, int captionCapacity,
                        char16_t* body, int bodyCapacity) {
  uint32_t v = (uint32_t)code;
  FormatTextWith(caption, captionCapacity,
                 GetBuiltinText((unsigned)language, BUILTIN_STARTUP_ERROR_TITLE), &v, 1, nullptr,
                 0);
  int row = BUILTIN_NO_MEMORY;
  const char16_t* file = nullptr;
  switch (code) {
    case 21:
      row = BUILTIN_FILE_MISSING;
      file = u"quil.gzg";
      break;
    case 22:
    case 23:
      row = BUILTIN_FILE_FAULTY;
      file = u"quil.gzg";
      break;
    case 24:
      row = BUILTIN_FILE_FAULTY;
      file = u"quil.fzg";
      break;
    case 71:
      row = BUILTIN_FILE_MISSING;
      file = u"quil.lng";
      break;
    case 72:
    case 73:
      row = BUILTIN_FILE_FAULTY;
      file = u"quil.lng";
      break;
    case 74:
      row = BUILTIN_FILE_MISSING;
      file = u"quil.lnv";
      break;
    case 75:
    case 76:
      row = BUILTIN_FILE_FAULTY;
      file = u"quil.lnv";
      break;
    case 80: row = BUILTIN_OLD_PROCESSOR; break;
  }
  const char16_t* parts[3] = {GetBuiltinText((unsigned)language, (unsigned)row), file,
                              GetBuiltinText((unsigned)language, BUILTIN_PROGRAM_CANCELED)};
  if (file)
    FormatTextWith(body, bodyCapacity, u"%s %s%s", nullptr, 0, parts, 3);
  else {
    const char16_t* two[2] = {parts[0], parts[2]};
    FormatTextWith(body, bodyCapacity, u"%s%s", nullptr, 0, two, 2);
  }
}

int ComposeExitMessage(char16_t* out, int capacity, uint32_t seconds, const char16_t* format1360,
                       const char16_t* text1361) {
  uint32_t hms[3];
  int n = 0;
  if (capacity < 1) return 0;
  out[0] = 0;
  if (RunTimeParts(seconds, &hms[0], &hms[1], &hms[2]))
    n = FormatTextWith(out, capacity, format1360, hms, 3, nullptr, 0);
  const char16_t* t[1] = {text1361};
  n += FormatTextWith(out + n, capacity - n, u"%s", nullptr, 0, t, 1);
  return n;
}
