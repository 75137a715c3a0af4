// The network-file commands both deliverables have: open, import, new network, the save question,
// the conversion of level changes of old files and the file lists of very old files.
#include "app/netcmd.h"
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/filedialog.h"
#include "app/infobox.h"
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"
#include "elements/element_services.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_messages.h"
#include "model/netfile_sections.h"
#include "trains/train_services.h"
#include "views/view_services.h"

FileCommandHooks FileCommands = {nullptr, nullptr,           nullptr, nullptr, nullptr,
                                 nullptr, FindClassBPartner, nullptr, nullptr};

static void Suspend(int resume) {
  if (FileCommands.suspendThreads) FileCommands.suspendThreads(resume);
}

static void UpdateDayPhaseNow() {
  if (FileCommands.updateDayPhase) FileCommands.updateDayPhase(1);
}

static int LoadUserSymbolFilesNow() {
  return FileCommands.loadUserSymbolFiles ? FileCommands.loadUserSymbolFiles() : 0;
}

// "<text 11107><name>\"" as error message number.
static void ShowFileMissing(uint32_t number, const char16_t* name) {
  char16_t text[400];
  int n = CopyStringLimited(text, GetLangText(LANG_ID(11107)), 100);
  n += CopyStringLimited(text + n, name, FILEDLG_NAME_CHARS);
  CopyStringLimited(text + n, u"\"", 2);
  ShowError(number, text);
}

static void CloseBoxesAbove(int level) {
  while (GetInfoBoxLevel() > level) CloseInfoBox();
}

int OpenNetworkCommand(const char16_t* name) {
  char16_t previousFolder[STREAM_PATH_CHARS], chosenFolder[STREAM_PATH_CHARS];
  char16_t file[FILEDLG_NAME_CHARS];
  int exists = 0;
  GetKindFolder(FILE_KIND_NETWORK, previousFolder);
  if (FileDialog(LANG_ID(11200), LANG_ID(11201), 42001, 0, 0, nullptr, FILE_KIND_NETWORK, name,
                 &exists, file, u"nt3", LANG_ID(11203)) != FILEDLG_CHOSEN)
    return -1;
  if (!exists) {
    ShowFileMissing(101, file);
    return -1;
  }
  // A save asked for now writes the old network into its own folder.
  GetKindFolder(FILE_KIND_NETWORK, chosenFolder);
  SetKindFolder(FILE_KIND_NETWORK, previousFolder);
  int goOn = QuerySaveChanges();
  SetKindFolder(FILE_KIND_NETWORK, chosenFolder);
  if (!goOn) return -1;

  int boxLevel = GetInfoBoxLevel();
  SetCursorMode(CURSOR_BUSY_BEGIN);
  int wasRunning = IsSimulationRunning();
  SetSimulationRunning(SIMRUN_STOP);
  Suspend(0);
  ClearEditWindows();
  int r = LoadNetworkFile(file);
  if (r != NETLOAD_OK && r != NETLOAD_WARNINGS) SetKindFolder(FILE_KIND_NETWORK, previousFolder);
  ClearNetModified();
  SetCursorMode(CURSOR_BUSY_END);
  if (r >= NETLOAD_TRAILER_READ) NetworkInvalid = 1;
  if (r != NETLOAD_OK) CloseBoxesAbove(boxLevel);
  ClearEditWindows();
  Suspend(1);
  if (wasRunning) SetSimulationRunning(SIMRUN_START);
  if ((r == NETLOAD_OK || r == NETLOAD_WARNINGS) && FileCommands.rebuildRecentMenus)
    FileCommands.rebuildRecentMenus();
  ShowLoadResultMessage(r);
  if (r < NETLOAD_TRAILER_READ) {
    UpdateDayPhaseNow();
    if (r > 0) InvalidateViews(3);
  } else {
    // The document was cleared: an empty new network takes its place.
    NewNetwork();
  }
  return r;
}

void ImportNetworkCommand() {
  char16_t file[FILEDLG_NAME_CHARS], path[STREAM_PATH_CHARS];
  int exists = 0;
  if (FileDialog(LANG_ID(11740), LANG_ID(11201), 42007, 0, 0, nullptr, FILE_KIND_SCRIPT, nullptr,
                 &exists, file, u"qna", LANG_ID(11743)) != FILEDLG_CHOSEN)
    return;
  if (!exists) {
    ShowFileMissing(102, file);
    return;
  }
  if (BuildKindPath(FILE_KIND_SCRIPT, file, path)) return;
  SetCursorMode(CURSOR_BUSY_BEGIN);
  int level = GetInfoBoxLevel();
  OpenInfoBox(GetLangText(LANG_ID(3100)), GetLangText(LANG_ID(3101)), 4, 1);
  int wasRunning = IsSimulationRunning();
  SetSimulationRunning(SIMRUN_STOP);
  Suspend(0);
  ClearEditWindows();
  if (FileCommands.importDrawingScript) FileCommands.importDrawingScript(path);
  UpdateUsedArea(0, 0, 0, 0);
  ClearEditWindows();
  Suspend(1);
  if (wasRunning) SetSimulationRunning(SIMRUN_START);
  CloseBoxesAbove(level);
  SetCursorMode(CURSOR_BUSY_END);
  if (FileCommands.updateAnimationsInView) FileCommands.updateAnimationsInView(6, -1, 0, 0, 0);
  InvalidateViews(3);
}

// The clear functions of the element families in the order a new network clears them: indexes
// into the clear order of loading (-2 the line table, -3 the depots); the event display follows.
static const int NewNetworkClears[] = {
    10,  // switch control
    11,  // route points
    -3,  // depots
    8,   // TP
    9,   // Dwx
    12,  // signals
    13,  // text labels
    14,  // stops
    15,  // LFST
    -2,  // the line table
    18,  // vehicle-graphic data
    17,  // log points
    16,  // buffer stops
    5,   // info texts
    18,  // vehicle-graphic data again
    6,   // animated cells
};

void NewNetwork() {
  if (!QuerySaveChanges()) return;
  ResetPositionHistory();
  ResetDocumentState();
  ClearGrid();
  NetworkInvalid = 0;
  ResetTrains();
  EmptyTrainHook();
  for (int i : NewNetworkClears) {
    if (i == -2) {
      ClearLineTable();
    } else if (i == -3) {
      FreeDepots();
    } else if (i < NET_CLEAR_COUNT && NetClearOrder[i]) {
      NetClearOrder[i]();
    }
  }
  ClearEventDisplay();
  LoadUserSymbolFilesNow();
  UpdateDayPhaseNow();
  InvalidateViews(3);
  EditSimulationParameters();
}

// The event display still holds entries: dialog 3 asks whether to go on (button 120).
static int EventsMayGo() {
  if (GetEventDisplayCount() <= 0) return 1;
  char16_t title[MSG_TITLE_MAX];
  const uint32_t number = 298;
  const char16_t* texts[2] = {GetLangText(LANG_ID(8010)), GetLangText(LANG_ID(8040))};
  FormatTextWith(title, MSG_TITLE_MAX, u"%s %s%u", &number, 1, texts, 2);
  DialogRecord d[] = {DlgTitleText(title, MessageHelpTopic(298), DLG_NO_FOCUS),
                      DlgText(190, LANG_ID(11241)),
                      DlgText(191, LANG_ID(11242)),
                      DlgText(120, LANG_ID(8102)),
                      DlgCancel(),
                      DlgHelp(),
                      DlgEnd()};
  return RunDialog(nullptr, 3, DlgF_Einfach, d) == 120;
}

int QuerySaveChanges() {
  if (!EventsMayGo()) return 0;
  if (IsNetModified()) {
#ifdef QUIL_VIEWER
    ClearNetModified();  // the viewer cannot save: nothing to offer
#else
    char16_t text[600];
    const char16_t* name = GetNetworkName();
    FormatTextWith(text, 600, GetLangText(LANG_FMT(11240, "%s")), nullptr, 0, &name, 1);
    int a = AskQuestion(299, text);
    if (a == MSG_RESULT_YES) {
      if (SaveNetworkWithBackups()) return 0;
    } else if (a == MSG_RESULT_NO) {
      ClearNetModified();
    } else {
      return 0;
    }
#endif
  }
  return 1;
}

// ---- level changes of old files -------------------------------------------------------------------
struct RampDirection {
  int dx, dy, kind;
};
// Direction r = code & 7 of a class-B start: 1 one row down, 3 one column right, 4 right and
// down, 6 left and down; the others are not converted.
static int RampStep(int r, RampDirection* out) {
  switch (r) {
    case 1: *out = {0, 1, 1}; return 1;
    case 3: *out = {1, 0, 0}; return 1;
    case 4: *out = {1, 1, 2}; return 1;
    case 6: *out = {-1, 1, 3}; return 1;
  }
  return 0;
}

static int CellEmpty(int x, int y, int level) { return GetCell(x, y, level) == CELL_EMPTY; }

// The depth the ramp goes down to, or 0 when it cannot be converted.
static int RampDepth(int x, int y, int x2, int y2, const RampDirection& s, int d) {
  int ax = x, ay = y, bx = x2, by = y2, m = d - 2;
  for (int level = 1;; level++) {
    if (!CellEmpty(ax, ay, -level) || !CellEmpty(bx, by, -level)) return 0;
    int blockedInside = 0;
    for (int k = 1; k <= m; k++) {
      if (CellEmpty(ax + k * s.dx, ay + k * s.dy, -level)) continue;
      if (k == 1 || k == m) return 0;
      blockedInside = 1;
    }
    if (!blockedInside) return level;
    if (level == 4 || m < 2) return 0;
    ax += s.dx, ay += s.dy, bx -= s.dx, by -= s.dy, m -= 2;
  }
}

struct RampReport {
  int count;
  int failed;  // clipboard could not take a line
};

static void ReportRamp(RampReport* rep, int x, int y, int level) {
  if (rep->count++ == 0 && FileCommands.clearClipboard) FileCommands.clearClipboard();
  if (!FileCommands.appendClipboardLine) return;
  char16_t line[48];
  const uint32_t v[3] = {(uint32_t)x, (uint32_t)y, (uint32_t)level};
  FormatTextWith(line, 48, u"%i,%i,%i", v, 3, nullptr, 0);
  if (FileCommands.appendClipboardLine(line)) rep->failed = 1;
}

// Writes below level 0 go only into empty cells; an occupied one notes the first problem place.
// -1 when a cell cannot be written.
static int WriteRampCell(int x, int y, int level, uint32_t code, int* problem, int* px, int* py,
                         int* pl) {
  if (level < 0 && !CellEmpty(x, y, level)) {
    if (!*problem) *px = x, *py = y, *pl = level;
    *problem = 1;
    return 0;
  }
  return SetCell(x, y, level, code) ? 0 : -1;
}

// Converts one ramp of length d and depth L; -1 no memory, else 0 (problem set when a target was
// occupied).
static int ConvertRamp(int x, int y, const RampDirection& s, int d, int L, uint32_t c1, uint32_t c2,
                       uint32_t mark, int* problem, int* px, int* py, int* pl) {
  uint32_t C1 = MapToSymbolClassC(c1), C2 = MapToSymbolClassC(c2);
  uint32_t t = ((c1 & ~(uint32_t)CELL_SYMBOL_MASK) | (uint32_t)s.kind) | mark;
  for (int k = 0; k < d; k++) {
    int cx = x + k * s.dx, cy = y + k * s.dy, r = 0;
    if (k < L) {
      r = WriteRampCell(cx, cy, -k, c1 | mark, problem, px, py, pl);
      if (!r) r = WriteRampCell(cx, cy, -k - 1, C1, problem, px, py, pl);
    } else if (k < d - L) {
      r = WriteRampCell(cx, cy, -L, t, problem, px, py, pl);
    } else {
      int j = k - (d - L);
      r = WriteRampCell(cx, cy, -L + j, C2, problem, px, py, pl);
      if (!r) r = WriteRampCell(cx, cy, -L + j + 1, c2 | mark, problem, px, py, pl);
    }
    if (r) return -1;
  }
  return 0;
}

int CheckGridAfterLoad() {
  OpenInfoBox(u"", GetLangText(LANG_ID(11860)), 50, 0);
  if (IsGridEmpty()) return 0;
  int xmin, ymin, lmin, xmax, ymax, lmax;
  UpdateUsedArea(0, 0, 0, 0);  // the grid section was just read: the area is worked out anew
  if (GetUsedArea(&xmin, &ymin, &lmin, &xmax, &ymax, &lmax, 0)) return 0;
  static const int bounds[7] = {0, 2, 4, 6, 8, 10, 32768};
  RampReport rep = {0, 0};
  int converted = 0;
  for (int pass = 0; pass < 6; pass++) {
    for (int y = ymin; y <= ymax; y++) {
      if (y % 64 == 0) {
        char16_t progress[kInfoBoxTextSlot];
        const uint32_t v[3] = {(uint32_t)bounds[pass + 1], (uint32_t)y, (uint32_t)converted};
        const char16_t* texts[3] = {GetLangText(LANG_ID(11861)), GetLangText(LANG_ID(11862)),
                                    GetLangText(LANG_ID(11863))};
        FormatTextWith(progress, kInfoBoxTextSlot, u"%s %i %s %i %s %i", v, 3, texts, 3);
        SetInfoBoxText(progress);
      }
      for (int x = xmin; x <= xmax; x++) {
        uint32_t code = GetCell(x, y, 0);
        if (code > CELL_TRACK_LAST || !GetSymbolClassB(code & ~(uint32_t)CELL_MARK_BIT)) continue;
        RampDirection s;
        if (!RampStep((int)(code & 7), &s)) continue;
        int x2 = x, y2 = y, d = 0;
        int found = FileCommands.findClassBPartner
                        ? FileCommands.findClassBPartner(&x2, &y2, &d, code & 7)
                        : 2;
        if (found != 0 && found != 1) continue;
        if (d < bounds[pass] || d >= bounds[pass + 1]) continue;
        uint32_t mark = found == 1 ? (code & CELL_MARK_BIT) : 0;
        uint32_t c1 = code & ~(uint32_t)CELL_MARK_BIT;
        uint32_t c2 = GetCell(x2, y2, 0) & ~(uint32_t)CELL_MARK_BIT;
        int L = d >= 2 ? RampDepth(x, y, x2, y2, s, d) : 0;
        if (!L) {
          ReportRamp(&rep, x, y, 0);
          continue;
        }
        int problem = 0, px = x, py = y, pl = 0;
        if (ConvertRamp(x, y, s, d, L, c1, c2, mark, &problem, &px, &py, &pl)) return -1;
        converted++;
        if (problem) ReportRamp(&rep, px, py, pl);
      }
    }
  }
  return rep.count;
}

// ---- file lists of very old files ---------------------------------------------------------------------
// The network name with another extension, in the network folder, when that file opens.
static int SiblingPath(const char16_t* name, const char16_t* ext, char16_t* path) {
  char16_t other[STREAM_PATH_CHARS];
  CopyStringLimited(other, name, STREAM_PATH_CHARS - 5);
  StripExtension(other);
  AppendString(other, u".");
  AppendString(other, ext);
  if (BuildKindPath(FILE_KIND_NETWORK, other, path)) return 0;
  return IsFileReadable(path) == 0;
}

int ImportLegacyFileLists(const char16_t* name, int version) {
  if (version < 13573) {
    char16_t path[STREAM_PATH_CHARS];
    if (SiblingPath(name, u"uzg", path))
      CopyStringLimited(DocState.symbolFiles[0], path, USER_FILE_NAME + 1);
    if (SiblingPath(name, u"uzz", path)) {
      SiblingPath(name, u"ufg", path);
      CopyStringLimited(DocState.vehicleFiles[0], path, USER_FILE_NAME + 1);
    }
    if (SiblingPath(name, u"ufg", path))
      CopyStringLimited(DocState.vehicleFiles[0], path, USER_FILE_NAME + 1);
  }
  return LoadUserSymbolFilesNow();
}
