// Neutral defaults of the element-store services until the stores are built: the stores are
// empty, lookups find nothing, the sections are written and read in their empty form, and the
// settings that the option file sets are kept and checked.
#include "elements/element_services.h"
#include "core/misc.h"
#include "model/netfile_sections.h"

void InitRp() {}
void ExitRp() {}
void InitTpStore() {}
void ExitTpStore() {}
void InitDwx() {}
void ExitDwx() {}
void InitHstElements() {}
void ExitHstElements() {}
void InitLfst() {}
void ExitLfst() {}
void InitInfoTexts() {}
void ExitInfoTexts() {}
void InitLogPoints() {}
void ExitLogPoints() {}
void InitPrell() {}
void ExitPrell() {}

void FreeInfoList() {}
void FreeTpList() {}
void DwxDeleteAll() {}
void RpDeleteAll() {}
void FreeHstList() {}
void FreeLfstList() {}
void PrellDeleteAll() {}
void FreeLogPoints() {}

int RpCount() { return 0; }
int GetTpCount() { return 0; }
int DwxCount() { return 0; }
int GetHstCount(int* limit) {
  if (limit) *limit = 40000;
  return 0;
}
int LfstCount() { return 0; }
int PrellCount() { return 0; }
int GetInfoTotals(uint32_t* totalCapacity) {
  if (totalCapacity) *totalCapacity = 0;
  return 0;
}

// Without the stores each section is read in its empty form (the writers: element_services_write).
int RpReadSection(int version) { return ReadEmptyRpSection(version); }
int LoadTpSection(int version) { return ReadEmptyTpSection(version); }
int DwxReadSection(int version) { return ReadEmptyDwxSection(version); }
int LoadHstSection(int version) { return ReadEmptyHstSection(version); }
int LoadLfstSection(int version) { return ReadEmptyLfstSection(version); }
int LoadLogPointSection(int version) { return ReadEmptyLogPointSection(version); }
int PrellReadSection(int version) { return ReadEmptyPrellSection(version); }
int LoadInfoSection(int version) { return ReadEmptyInfoSection(version); }
int ConvertOldLfstSymbols() { return 0; }
int ConvertOldHstSymbols() { return 0; }

int ExportTpText(int withInfoTexts) { return 0; }
int ExportDwxText(int withInfoTexts) { return 0; }
int ExportRpText(int withInfoTexts) { return 0; }

int RpRemoveAt(int x, int y, int level) { return 0; }
int RpReplaceAt(int x, int y, int level, int type, uint32_t directionMask, uint32_t state) {
  return 1;
}

int GetInfoTextSize(int x, int y, int level) { return 0; }
int GetInfoText(int x, int y, int level, char16_t* text) { return 1; }
int SetInfoAt(int x, int y, int level, int capacity) { return capacity >= 2 ? 1 : 0; }
int SetInfoText(int x, int y, int level, const char16_t* text) { return 1; }
int NextInfoPosition(int* x, int* y, int* level, int wrap) { return 0; }
int SearchInfoText(int* x, int* y, int* level, const char16_t* pattern, int options) { return 0; }
int GetInfoBounds(int* minX, int* minY, int* minLevel, int* maxLevel, int* maxY, int* maxX) {
  return 1;
}
int WriteInfoTextReport(int x, int y, int level) { return 0; }

int GetLogPointAt(int x, int y, int level, char16_t* name, uint32_t* directionMask) { return 0; }
int CreateLogPoint(int x, int y, int level, uint32_t flags, const char16_t* name,
                   uint32_t directionMask) {
  return 1;
}
int DeleteLogPointAt(int x, int y, int level) { return 1; }
int FindNextLogPoint(int* x, int* y, int* level, int wrap) { return 0; }
int GetLogPointsBox(int* minX, int* minY, int* minLevel, int* maxX, int* maxY, int* maxLevel) {
  return 1;
}

static uint32_t LogFlags = 3;  // log at log points and event-display entries
static char16_t LogSeparator = u',', LogComment = u';';
int GetLogSettings(uint32_t* flags, char16_t* separator, char16_t* comment, int* switchedOff) {
  if (flags) *flags = LogFlags;
  if (separator) *separator = LogSeparator;
  if (comment) *comment = LogComment;
  if (switchedOff) *switchedOff = 0;
  return 0;
}
int SetLogSettings(uint32_t flags, uint32_t separator, uint32_t comment) {
  if ((flags & ~(uint32_t)(4 | 8)) == 0) return 1;  // only the text-form bits: nothing to log
  if (separator < 32 || separator > 65535) return 2;
  if (comment < 32 || comment > 65535) return 3;
  CloseLogFile();
  LogFlags = flags;
  LogSeparator = (char16_t)separator;
  LogComment = (char16_t)comment;
  return 0;
}
int IsLogFileOpen() { return 0; }
int OpenLogFile() { return 1; }
void CloseLogFile() {}
const char16_t* GetOpenLogFileName() { return nullptr; }
void LogDisplayEvent(int x, int y, int level, const char16_t* timeText, const char16_t* message,
                     int line, TrainRecord* train) {}

int GetTpInfoAt(int x, int y, int level, char16_t* name, int* id) { return 1; }
int GetTpPart(int id, int part, int* x, int* y, int* level, int* order) { return 1; }
int DwxGetAt(int x, int y, int level, char16_t* name) { return 1; }
int QuerySignalSystems(int selector, char16_t* name) { return 0; }

// Without the stop and TP stores no stop applies and no TP has anything for a train; without the
// log file no line is written.
int MatchHstForTrain(int x, int y, int level, uint32_t direction, uint32_t category, int mode,
                     uint32_t line, uint32_t secondLine, uint32_t subNumber, uint32_t type,
                     uint32_t flags, int32_t* value) {
  if (value) *value = -1;
  return 0;
}
int MatchTpForTrain(int x, int y, int level, uint32_t entryBits, int queryOnly, TpTrainData* data) {
  if (data) {
    data->value = -1;
    data->releaseTime = -1;
  }
  return 1;
}
int ClearTpHoldAt(int x, int y, int level) { return 1; }
int PrellGetWait(int x, int y, int level) { return -1; }
int GetTpHeldNumber(int x, int y, int level, int32_t* number) { return 1; }
int WriteLogEntry(int oldX, int oldY, int oldLevel, int newX, int newY, int newLevel, int dx, int dy,
                  uint32_t line, uint32_t secondLine, uint32_t number, uint32_t trainFlags) {
  return 0;
}
int LogTrainEvent(int x, int y, int level, int tpX, int tpY, int tpLevel, int dx, int dy, int kind,
                  int32_t timeValue, uint32_t line, uint32_t secondLine, uint32_t number,
                  uint32_t trainFlags) {
  return 0;
}

int NextTpWithLine(int line, int x0, int y0, int level0, int x1, int y1, int level1, int* cursor,
                   int* x, int* y, char16_t* name) {
  return 0;
}
int NextHstWithLine(int line, int x0, int y0, int level0, int x1, int y1, int level1, int* cursorX,
                    int* y, int* level) {
  return 0;
}
int LfstQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                       int* iteration, int* y, int* level) {
  return 0;
}
int DwxQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                      int* iteration, int* y, int* level, char16_t* name) {
  return 0;
}
int RpQueryLineInBox(int line, int x0, int y0, int level0, int x1, int y1, int level1,
                     int* iteration, int* y, int* level) {
  return 0;
}

int GetTpNameRelative(const char16_t* name, char16_t* out, int step) { return 1; }
int DwxGetNameRelative(const char16_t* name, char16_t* out, int n) {
  if (out && name) CopyString(out, name);
  return 1;
}
int SetHstAt(int x, int y, int level, uint32_t categories, uint32_t flags, uint32_t directionMask,
             uint32_t time, uint32_t state, const uint32_t* lineWords, int lineCount,
             const uint32_t* weighted, int weightedCount) {
  return 1;
}

static int StopDefault = 0, SlowSectionDefault = 0, BufferStopDefault = 0;
int StoreHstSwitch = 0;
static int SetInRange(int* target, int v, int high) {
  if (v < 0 || v > high) return 1;
  *target = v;
  return 0;
}
int GetStopDefault() { return StopDefault; }
int SetStopDefault(int form) { return SetInRange(&StopDefault, form, 16); }
int GetSlowSectionDefault() { return SlowSectionDefault; }
int SetSlowSectionDefault(int form) { return SetInRange(&SlowSectionDefault, form, 17); }
int GetBufferStopDefault() { return BufferStopDefault; }
int SetBufferStopDefault(int form) { return SetInRange(&BufferStopDefault, form, 11); }

// Remembered symbol forms of the signal, switch, route-point, TP and Dwx dialogs (option keys
// BauformHSig .. BauformSK, BauformWei, BauformRp, BauformTp, BauformDwx).
static int SymbolForms[9];
static int SetForm(int which, int form, int highest) {
  return SetInRange(&SymbolForms[which], form, highest);
}
int GetSignalSymbolFormHSig() { return SymbolForms[0]; }
int SetSignalSymbolFormHSig(int form) { return SetForm(0, form, 59); }
int GetSignalSymbolFormVSig() { return SymbolForms[1]; }
int SetSignalSymbolFormVSig(int form) { return SetForm(1, form, 59); }
int GetSignalSymbolFormKSig() { return SymbolForms[2]; }
int SetSignalSymbolFormKSig(int form) { return SetForm(2, form, 47); }
int GetSignalSymbolFormBUESig() { return SymbolForms[3]; }
int SetSignalSymbolFormBUESig(int form) { return SetForm(3, form, 23); }
int GetSignalSymbolFormSK() { return SymbolForms[4]; }
int SetSignalSymbolFormSK(int form) { return SetForm(4, form, 11); }
int GetSwitchSymbolForm() { return SymbolForms[5]; }
int SetSwitchSymbolForm(int form) { return SetForm(5, form, 2); }
int GetRoutePointSymbolForm() { return SymbolForms[6]; }
int SetRoutePointSymbolForm(int form) { return SetForm(6, form, 2); }
int GetTpSymbolForm() { return SymbolForms[7]; }
int SetTpSymbolForm(int form) { return SetForm(7, form, 2); }
int GetDwxSymbolForm() { return SymbolForms[8]; }
int SetDwxSymbolForm(int form) { return SetForm(8, form, 2); }
int StoreSigASwitch = 0;
void RefreshSignalElementAspectAt(int x, int y, int level) {}
int GetSignalSystemState(uint32_t id) { return 0; }
int TriggerElementAt(int x, int y, int level, uint32_t depotSlot, int subNumber, int secondLine,
                     int line, int vehicleCount, int mode) {
  return 7;
}
