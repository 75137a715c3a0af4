// The document state of a network and the values of a new network (ResetDocumentState).
#include "model/general_section.h"
#include <atomic>
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform.h"
#include "core/random.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/password.h"
#include "model/doc_hooks.h"

DocumentState DocState = {.tickDelay = 4500};

void ClearSavedPositions() {
  for (int i = 0; i < SAVED_POSITION_COUNT; i++) {
    SavedPosition& p = DocState.saved[i];
    p.x = 16384;
    p.y = 16384;
    p.level = 0;
    p.alarm = 0;
    p.name[0] = 0;
  }
}

void ClearUserFileLists() {
  for (int i = 0; i < USER_FILE_LIST_COUNT; i++) {
    DocState.symbolFiles[i][0] = 0;
    DocState.vehicleFiles[i][0] = 0;
  }
}

void SetAutosaveCountdown(int32_t* countdown, int32_t seconds) {
  std::atomic_ref<int32_t>(*countdown).store(seconds, std::memory_order_relaxed);
}

int32_t GetAutosaveCountdown(const int32_t* countdown) {
  return std::atomic_ref<const int32_t>(*countdown).load(std::memory_order_relaxed);
}

void RestartAutosaveCountdown() {
  SetAutosaveCountdown(&DocState.autosaveCountdown, DocState.autosaveInterval);
}

int SetClockSpeed(int level) {
  int redraw = level != -3;
  if (level == -3) {
    level = 15;
  } else if (level == -1) {
    level = DocState.speedLevel >= 19 ? 20 : DocState.speedLevel + 1;
  } else if (level == -2) {
    level = DocState.speedLevel <= 2 ? 1 : DocState.speedLevel - 1;
  }
  if (level < 1 || level > 20) return 1;
  DocState.speedLevel = level;
  if (DocState.loopMode) DocState.skipCounter = 0;
  if (redraw) DocRedrawClockPanes();
  return 0;
}

int SetSimulationScale(uint32_t scale) {
  if (scale < 1) return 1;
  DocState.scale = scale;
  DocState.timeBase = SIM_TIME_BASE_NUMERATOR / scale;
  return 0;
}

static void ResetEditWindowViews() {
  DocViewPlace w;
  for (int i = 0; DocGetViewPlace(i, &w) == 0; i++) {
    w.originX = 16384 - w.cellsWide / 2;
    w.originY = 16384 - w.cellsHigh / 2;
    w.cursorX = 16384;
    w.cursorY = 16384;
    w.cursorLevel = 0;
    DocSetViewPlace(i, &w);
    SetEditScrollToCursor(i);
  }
}

void ResetDocumentState() {
  DocumentState& d = DocState;
  RestartAutosaveCountdown();
  ResetEditWindowViews();
  ClearSavedPositions();
  d.homeX = 16384;
  d.homeY = 16384;
  d.homeLevel = 0;
  d.markX1 = d.markX2 = 16384;
  d.markY1 = d.markY2 = 16384;
  d.markLevel = 0;
  d.constructionX = 16384;
  d.constructionY = 16384;
  SetClockSpeed(-3);
  d.weekday = 1;
  d.hour = d.minute = d.second = d.tick = 0;
  d.minuteCount = 0;
  d.stopMinute = 255;
  d.stopHour = 255;
  d.stopWeekday = 0;
  d.stopRepeat = 0;
  d.weekdayFixed = 0;
  SetSimulationScale(SIM_SCALE_DEFAULT);
  static const uint32_t params[6] = {0, 0, 64, 64, 16, 16};
  for (int i = 0; i < 6; i++) d.params[i] = params[i];
  d.simulationSwitch = 0;
  d.backgroundShown = 0;
  d.blockMarkMode = 0;
  d.fixedSeed = -1;
  FixedRandomSeed = -1;
  RuntimeSrand(WrapGetTickCount());
  d.dayPhaseOptions = 0;
  d.dayTimes[0] = 0x0700;
  d.dayTimes[1] = 0x1100;
  d.dayTimes[2] = 0x121E;
  d.dayTimes[3] = 0x051E;
  ClearNetModified();
  SetLoadedVersion(0);
  SetSimulationRunning(SIMRUN_START);
  SetNetworkName(GetLangText(LANG_ID(11060)));
  DocUpdateTitles(-1);
  SetTextBlock(0, GetLangText(LANG_ID(11061)));
  SetTextBlock(2, GetLangText(LANG_ID(11061)));
  SetTextBlock(1, GetLangText(LANG_ID(11062)));
  d.text2Length = GetLangTextLength(LANG_ID(11061));
  ResetPasswordState(1);
  ClearUserFileLists();
}
