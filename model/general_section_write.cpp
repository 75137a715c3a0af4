// Writing the general section "GENL" of the network file (the viewer is built without it).
#ifndef QUIL_VIEWER
#include "model/general_section.h"
#include "model/general_section_fields.h"
#include "model/doc_hooks.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/password.h"

static int WriteUnits(const char16_t* text, int limit) {
  for (int i = 0; text && i < limit && text[i]; i++) {
    int r = StreamWriteWord(text[i]);
    if (r) return r;
  }
  return StreamWriteWord(0);
}

static int WriteShifted(const char16_t* text) {
  uint32_t i = 0;
  for (; text[i] && i < TEXT_BLOCK_SHORT; i++) {
    int r = StreamWriteWord(ShiftTextUnit(text[i], i));
    if (r) return r;
  }
  return StreamWriteWord(ShiftTextUnit(0, i));
}

static uint32_t GeneralSectionFlags() {
  const DocumentState& d = DocState;
  uint32_t flags = 0;
  if (d.blockMarkMode) flags |= GENFLAG_BLOCK_MARK;
  if (d.dayPhaseOptions & 1) flags |= GENFLAG_DAYPHASE_ON;
  if (d.dayPhaseOptions & 2) flags |= GENFLAG_DAYPHASE_OPT2;
  if (IsNetworkProtected()) flags |= GENFLAG_PASSWORD;
  if (d.weekdayFixed) flags |= GENFLAG_WEEKDAY_FIXED;
  if (d.backgroundShown) flags |= GENFLAG_BACKGROUND;
  if (d.fixedSeed >= 1) flags |= GENFLAG_FIXED_SEED;
  return flags;
}

static int WriteGroupA() {
  DocViewPlace w = {};
  int a = DocActiveWindow();
  if (a < 0 || DocGetViewPlace(a, &w)) DocGetViewPlace(0, &w);
  int64_t v[GA_SLOTS] = {w.originX, w.originY, w.cursorX, w.cursorY, w.cursorLevel};
  return WriteNetFields(GeneralFieldsA, CountOf(GeneralFieldsA), v);
}

static int WriteSavedPositions() {
  int r = StreamWriteDword(SAVED_POSITION_COUNT);
  for (int i = 0; !r && i < SAVED_POSITION_COUNT; i++) {
    const SavedPosition& p = DocState.saved[i];
    r = WriteBlockPosition(p.x, p.y, p.level);
    if (!r) r = StreamWriteDword(p.alarm);
    if (!r) r = WriteUnits(p.name, SAVED_POSITION_NAME);
  }
  return r;
}

static int WriteGroupB() {
  const DocumentState& d = DocState;
  int64_t v[GB_SLOTS] = {};
  v[GB_HOME] = d.homeX;
  v[GB_HOME_Y] = d.homeY;
  v[GB_HOME_LEVEL] = d.homeLevel;
  v[GB_MARK_X1] = d.markX1;
  v[GB_MARK_Y1] = d.markY1;
  v[GB_MARK_X2] = d.markX2;
  v[GB_MARK_Y2] = d.markY2;
  v[GB_MARK_LEVEL] = (uint32_t)d.markLevel;
  v[GB_CONSTR_X] = d.constructionX;
  v[GB_CONSTR_Y] = d.constructionY;
  v[GB_SPEED] = d.speedLevel;
  v[GB_WEEKDAY] = d.weekday;
  v[GB_HOUR] = d.hour;
  v[GB_MINUTE] = d.minute;
  v[GB_SECOND] = d.second;
  v[GB_TICK_MS] = d.tick * 20;
  v[GB_MINUTE_COUNT] = d.minuteCount;
  v[GB_STOP_MINUTE] = d.stopMinute;
  v[GB_STOP_HOUR] = d.stopHour;
  v[GB_STOP_WEEKDAY] = d.stopWeekday;
  v[GB_STOP_REPEAT] = d.stopRepeat;
  int x1, y1, l1, x2, y2, l2;
  if (GetUsedArea(&x1, &y1, &l1, &x2, &y2, &l2, 1) == 0) {
    v[GB_AREA_MIN] = x1;
    v[GB_AREA_MIN_Y] = y1;
    v[GB_AREA_MIN_LEVEL] = l1;
    v[GB_AREA_MAX] = x2;
    v[GB_AREA_MAX_Y] = y2;
    v[GB_AREA_MAX_LEVEL] = l2;
  }
  v[GB_FLAGS] = GeneralSectionFlags();
  return WriteNetFields(GeneralFieldsB, CountOf(GeneralFieldsB), v);
}

static int WriteGroupC() {
  const DocumentState& d = DocState;
  int64_t v[GC_SLOTS] = {};
  v[GC_SCALE] = d.scale;
  for (int i = 0; i < 6; i++) v[GC_PARAM0 + i] = d.params[i];
  v[GC_SWITCH] = d.simulationSwitch ? 'G' : 'g';
  for (int i = 0; i < 4; i++) v[GC_DAYTIME0 + i] = d.dayTimes[i];
  return WriteNetFields(GeneralFieldsC, CountOf(GeneralFieldsC), v);
}

static int WriteFileList(const char16_t (*list)[USER_FILE_NAME + 1]) {
  int r = StreamWriteDword(USER_FILE_LIST_COUNT);
  for (int i = 0; !r && i < USER_FILE_LIST_COUNT; i++) r = WriteUnits(list[i], USER_FILE_NAME);
  return r;
}

static int WriteText2() {
  static char16_t text[TEXT_BLOCK_LONG + 1];
  GetTextBlock(2, text);
  text[TEXT_BLOCK_LONG] = 0;
  uint32_t n = (uint32_t)StringLength(text);
  int r = StreamWriteDword(n + 1);
  for (uint32_t i = 0; !r && i <= n; i++) r = StreamWriteWord(text[i]);
  return r;
}

int WriteGeneralSection() {
  int r = StreamWriteDword(NetTag4('G', 'E', 'N', 'L'));
  if (!r) r = WriteGroupA();
  if (!r) r = WriteSavedPositions();
  if (!r) r = WriteGroupB();
  if (!r && DocState.fixedSeed >= 1) r = StreamWriteDword((uint32_t)DocState.fixedSeed);
  if (!r) r = WriteGroupC();
  if (!r) r = WriteFileList(DocState.symbolFiles);
  if (!r) r = WriteFileList(DocState.vehicleFiles);
  char16_t text[TEXT_BLOCK_SHORT + 1];
  for (int block = 0; !r && block < 2; block++) {
    text[0] = 0;
    GetTextBlock(block, text);
    text[TEXT_BLOCK_SHORT] = 0;
    r = WriteShifted(text);
  }
  if (!r) r = WriteText2();
  return r;
}
#endif
