// Reading the general section "GENL" of the network file into the document state and the edit
// window table, for every file version; positions, clock fields and the scale are checked.
#include "model/general_section.h"
#include "model/general_section_fields.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/platform.h"
#include "core/random.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/password.h"
#include "model/doc_hooks.h"

// The active edit window, else window 0.
static int TargetWindowIndex() {
  int a = DocActiveWindow();
  DocViewPlace p;
  return (a >= 0 && DocGetViewPlace(a, &p) == 0) ? a : 0;
}

static int PositionOk(int64_t x, int64_t y, int64_t level) {
  return x >= 0 && x <= GRID_MAX_XY && y >= 0 && y <= GRID_MAX_XY && level <= 0 && level >= -4;
}

// A narrow text of an old file into UTF-16 (ANSI code page; OEM texts of the oldest files are
// taken as ANSI).
static void NarrowToWide(const char* text, char16_t* out, int units) {
  MultiByteToWide(text, out, units);
}

// A text of the file: from 14389 UTF-16 units, before narrow bytes converted from the ANSI code
// page. Units up to the terminator or `limit` units; the first `keep` units are kept (keep is at
// most STREAM_PATH_CHARS). Returns 0, 3 when `failAtLimit` and the limit was reached without a
// terminator, or a stream error.
static int ReadText(int version, char16_t* out, int keep, int limit, int failAtLimit) {
  int wide = version >= NET_VERSION_U32_TAGS;
  char narrow[STREAM_PATH_CHARS + 1];
  int n = 0;
  for (;;) {
    if (limit > 0 && n >= limit) {
      if (failAtLimit) return NETSEC_FORMAT;
      break;
    }
    uint16_t unit;
    uint8_t b = 0;
    int r = wide ? StreamReadWord(&unit) : StreamReadByte(&b);
    if (r) return r;
    if (!wide) unit = b;
    if (unit == 0) break;
    if (n < keep) {
      out[n] = unit;
      narrow[n] = (char)b;
    }
    n++;
  }
  int kept = n < keep ? n : keep;
  out[kept] = 0;
  if (!wide) {
    narrow[kept] = 0;
    NarrowToWide(narrow, out, keep + 1);
  }
  return 0;
}

static int ReadOriginAndCursor(int version) {
  int64_t v[GA_SLOTS] = {};
  int r = ReadNetFields(GeneralFieldsA, CountOf(GeneralFieldsA), version, v);
  if (r) return r;
  if (!PositionOk(v[GA_CURSOR], v[GA_CURSOR_Y], v[GA_CURSOR_LEVEL])) return NETSEC_FORMAT;
  int index = TargetWindowIndex();
  DocViewPlace w;
  if (DocGetViewPlace(index, &w)) return 0;  // no window keeps a place
  int64_t ox = v[GA_ORIGIN_X], oy = v[GA_ORIGIN_Y];
  if (ox > GRID_CELLS - w.cellsWide) ox = GRID_CELLS - w.cellsWide;
  if (oy > GRID_CELLS - w.cellsHigh) oy = GRID_CELLS - w.cellsHigh;
  if (ox < 0) ox = 0;
  if (oy < 0) oy = 0;
  w.originX = (int32_t)ox;
  w.originY = (int32_t)oy;
  w.cursorX = (int32_t)v[GA_CURSOR];
  w.cursorY = (int32_t)v[GA_CURSOR_Y];
  w.cursorLevel = (int32_t)v[GA_CURSOR_LEVEL];
  DocSetViewPlace(index, &w);
  if (w.viewMode == DOC_VIEW_OVERVIEW) {  // an overview centres itself on the cursor
    int x = w.cursorX, y = w.cursorY;
    DocCentreViewOn(index, &x, &y);
    DocGetViewPlace(index, &w);
  }
  if (w.cursorY >= w.originY + w.cellsHigh) {
    w.originY = w.cursorY - w.cellsHigh / 2;
    if (w.originY < 0) w.originY = 0;
  }
  if (w.cursorX >= w.originX + w.cellsWide) {
    w.originX = w.cursorX - w.cellsWide / 2;
    if (w.originX < 0) w.originX = 0;
  }
  DocSetViewPlace(index, &w);
  SetEditScrollToCursor(index);
  return 0;
}

static int ReadSavedPositions(int version) {
  uint32_t count = 10;
  int r;
  if (version >= 14338) {
    if ((r = StreamReadDword(&count))) return r;
    if (count > SAVED_POSITION_COUNT) return NETSEC_FORMAT;
  }
  for (uint32_t i = 0; i < count; i++) {
    if (version >= 14338 && version < 14389) {
      uint16_t index;
      if ((r = StreamReadWord(&index))) return r;
      if (index != i) return NETSEC_FORMAT;
    }
    int x, y, level;
    if ((r = ReadBlockPosition(&x, &y, &level, version))) return r;
    if (!PositionOk(x, y, level)) return NETSEC_FORMAT;
    SavedPosition p = {};
    p.x = x;
    p.y = y;
    p.level = level;
    if (version >= 14338) {
      if (version < 14395) {
        uint16_t w;
        if ((r = StreamReadWord(&w))) return r;
        p.alarm = (w >> 8) == 255 ? 0 : (((uint32_t)w << 8) | 0x7F000000u);
      } else {
        if ((r = StreamReadDword(&p.alarm))) return r;
        if (version == 14395 && p.alarm == 65535) p.alarm = 0;
      }
      if ((r = ReadText(version, p.name, SAVED_POSITION_NAME, SAVED_POSITION_NAME + 1, 0)))
        return r;
    }
    DocState.saved[i] = p;  // the position was checked, the name kept within its length
  }
  return 0;
}

// Clock, stop time, flags and the other fields of the second group, checked before any is used.
static int ApplyGroupB(int version, const int64_t* v) {
  DocumentState& d = DocState;
  int homeX = 1024, homeY = 1024, homeLevel = 0;
  if (version >= 13574) {
    if (!PositionOk(v[GB_HOME], v[GB_HOME_Y], v[GB_HOME_LEVEL])) return NETSEC_FORMAT;
    homeX = (int)v[GB_HOME];
    homeY = (int)v[GB_HOME_Y];
    homeLevel = (int)v[GB_HOME_LEVEL];
  }
  int64_t m[5] = {16384, 16384, 16384, 16384, 0};
  if (version >= 13576) {
    for (int i = 0; i < 4; i++) m[i] = v[GB_MARK_X1 + i];
    if (version >= 14396) m[4] = (int32_t)(uint32_t)v[GB_MARK_LEVEL];
    if (!PositionOk(m[0], m[1], m[4]) || !PositionOk(m[2], m[3], m[4])) return NETSEC_FORMAT;
  }
  int64_t cx = d.saved[0].x, cy = d.saved[0].y;
  if (version >= 14344) {
    cx = v[GB_CONSTR_X];
    cy = v[GB_CONSTR_Y];
  }
  // The track-line command's reference point may be unset (-1, -1): stored as all ones.
  int64_t unset = version >= 14389 ? 0xFFFFFFFF : 0xFFFF;
  if (version >= 14344 && cx == unset && cy == unset)
    cx = cy = -1;
  else if (!PositionOk(cx, cy, 0))
    return NETSEC_FORMAT;
  // clock
  int64_t speed = v[GB_SPEED], weekday = v[GB_WEEKDAY], hour = v[GB_HOUR], minute = v[GB_MINUTE];
  int64_t second, tick;
  if (version >= 14160) {
    second = v[GB_SECOND];
    tick = v[GB_TICK_MS] / 20;
  } else {
    second = v[GB_OLD_SECOND_WORD] / 10;
    tick = (v[GB_OLD_SECOND_WORD] % 10) * 5;
  }
  if (weekday == 0 || weekday > 7) weekday = 1;
  if (hour > 23 || minute > 59 || second > 59 || tick > 49) return NETSEC_FORMAT;
  // stop time
  int64_t stopMinute = 255, stopHour = 255, stopWeekday = 0;
  if (version >= 14389) {
    stopMinute = v[GB_STOP_MINUTE];
    stopHour = v[GB_STOP_HOUR];
    stopWeekday = v[GB_STOP_WEEKDAY];
  } else if (version >= 13576) {
    stopHour = v[GB_OLD_STOP_WORD] >> 8;
    stopMinute = v[GB_OLD_STOP_WORD] & 255;
  }
  if (stopHour != 255 && (stopHour > 23 || stopMinute > 59)) return NETSEC_FORMAT;
  // The stop weekday is kept as read (the clock compares it with the days 1..7).
  int64_t repeat = version >= 14337 ? v[GB_STOP_REPEAT] : 0;
  if (repeat > 0x7FFFFFFF) return NETSEC_FORMAT;  // negative as a signed count
  // apply
  d.homeX = homeX;
  d.homeY = homeY;
  d.homeLevel = homeLevel;
  d.markX1 = (int32_t)m[0];  // the marked block, both corners checked above
  d.markY1 = (int32_t)m[1];
  d.markX2 = (int32_t)m[2];
  d.markY2 = (int32_t)m[3];
  d.markLevel = (int32_t)m[4];
  d.constructionX = (int32_t)cx;
  d.constructionY = (int32_t)cy;
  // A speed level outside 1..20 is refused by the clock, which keeps its current speed.
  if (SetClockSpeed((int)speed)) NoteLoadRepair(-1, -1, 0);
  d.weekday = (int32_t)weekday;
  d.hour = (int32_t)hour;
  d.minute = (int32_t)minute;
  d.second = (int32_t)second;
  d.tick = (int32_t)tick;
  d.minuteCount = version >= 14162 ? (uint32_t)v[GB_MINUTE_COUNT] : 0;
  d.stopMinute = (int32_t)stopMinute;
  d.stopHour = (int32_t)stopHour;
  d.stopWeekday = (int32_t)stopWeekday;
  d.stopRepeat = (uint32_t)repeat;
  uint32_t flags = (uint32_t)v[GB_FLAGS];
  d.blockMarkMode = (flags & GENFLAG_BLOCK_MARK) ? 6 : 0;
  d.dayPhaseOptions =
      ((flags & GENFLAG_DAYPHASE_ON) ? 1 : 0) | ((flags & GENFLAG_DAYPHASE_OPT2) ? 2 : 0);
  SetNetworkProtected((flags & GENFLAG_PASSWORD) != 0);
  d.weekdayFixed = (flags & GENFLAG_WEEKDAY_FIXED) ? 1 : 0;
  d.backgroundShown = (flags & GENFLAG_BACKGROUND) ? 1 : 0;
  return 0;
}

static int ReadSeed(int version, uint32_t flags) {
  uint32_t s = 0;
  int have = 0;
  if (version >= 14384 && (flags & GENFLAG_FIXED_SEED)) {
    int r = StreamReadDword(&s);
    if (r) return r;
    have = (int32_t)s >= 1;
  }
  if (have) {
    DocState.fixedSeed = (int32_t)s;
    FixedRandomSeed = DocState.fixedSeed;
    RuntimeSrand(s);
  } else {
    DocState.fixedSeed = -1;
    FixedRandomSeed = -1;
    RuntimeSrand(WrapGetTickCount());
  }
  return 0;
}

// The six parameters after the scale: grid origin x and y, major spacing x and y, minor spacing
// x and y. They are kept as read, except a spacing of 0, which the views would divide by: it
// takes the parameter's default and is noted as a repair.
static uint32_t CheckedParameter(int i, int64_t value) {
  static const uint32_t defaults[6] = {0, 0, 64, 64, 16, 16};
  if (i >= 2 && value == 0) {
    NoteLoadRepair(-1, -1, 0);
    return defaults[i];
  }
  return (uint32_t)value;
}

static int ApplyGroupC(int version, const int64_t* v) {
  // a scale of 0 would divide by zero; one above the numerator would give a time base of 0
  if (v[GC_SCALE] < 1 || v[GC_SCALE] > SIM_TIME_BASE_NUMERATOR) return NETSEC_FORMAT;
  int simSwitch = 0;
  if (version >= 13574) {
    if (v[GC_SWITCH] != 'G' && v[GC_SWITCH] != 'g') return NETSEC_FORMAT;
    simSwitch = v[GC_SWITCH] == 'G';
  }
  // The four day/night times are kept as read; whoever uses them keeps hour and minute in range.
  SetSimulationScale((uint32_t)v[GC_SCALE]);
  if (version >= 13569)
    for (int i = 0; i < 6; i++) DocState.params[i] = CheckedParameter(i, v[GC_PARAM0 + i]);
  DocState.simulationSwitch = simSwitch;
  if (version >= 13577)
    for (int i = 0; i < 4; i++) DocState.dayTimes[i] = (uint16_t)v[GC_DAYTIME0 + i];
  return 0;
}

static int ReadFileList(int version, char16_t (*list)[USER_FILE_NAME + 1], uint32_t count) {
  for (uint32_t i = 0; i < count; i++) {
    char16_t name[STREAM_PATH_CHARS + 1];
    int r = ReadText(version, name, STREAM_PATH_CHARS, STREAM_PATH_CHARS, 1);
    if (r) return r;
    name[USER_FILE_NAME] = 0;
    for (int k = 0; k <= USER_FILE_NAME; k++) list[i][k] = name[k];
  }
  return 0;
}

static int ReadFileLists(int version) {
  uint32_t count;
  int r = ReadVersionedCount(version, 14389, &count);
  if (r) return r;
  if (version >= 14160 ? count > USER_FILE_LIST_COUNT : (count != 0 && count != 4))
    return NETSEC_FORMAT;
  if ((r = ReadFileList(version, DocState.symbolFiles, count))) return r;
  if (version >= 14165) {
    if ((r = ReadVersionedCount(version, 14389, &count))) return r;
    if (count > USER_FILE_LIST_COUNT) return NETSEC_FORMAT;
    return ReadFileList(version, DocState.vehicleFiles, count);
  }
  uint16_t flag;
  if ((r = StreamReadWord(&flag))) return r;
  if (flag > 1) return NETSEC_FORMAT;
  if (flag == 1) {
    char16_t skipped[STREAM_PATH_CHARS + 1];
    if ((r = ReadText(version, skipped, STREAM_PATH_CHARS, STREAM_PATH_CHARS, 1))) return r;
    return ReadFileList(version, DocState.vehicleFiles, 1);
  }
  return 0;
}

// Shifted texts 0 and 1: read to the terminator however long, keep 80 characters.
static int ReadShiftedText(int version, int block) {
  char16_t text[TEXT_BLOCK_SHORT + 1];
  char narrow[TEXT_BLOCK_SHORT + 1];
  uint32_t i = 0;
  for (;; i++) {
    uint16_t c;
    int r;
    if (version >= NET_VERSION_U32_TAGS) {
      uint16_t w;
      if ((r = StreamReadWord(&w))) return r;
      c = UnshiftTextUnit(w, i);
    } else {
      uint8_t b;
      if ((r = StreamReadByte(&b))) return r;
      c = (uint8_t)(b - (uint8_t)((3 * i) % 256) - 7);
    }
    if (c == 0) break;
    if (i < TEXT_BLOCK_SHORT) {
      text[i] = c;
      narrow[i] = (char)c;
    }
  }
  uint32_t kept = i < TEXT_BLOCK_SHORT ? i : TEXT_BLOCK_SHORT;
  text[kept] = 0;
  narrow[kept] = 0;
  if (version < NET_VERSION_U32_TAGS) NarrowToWide(narrow, text, TEXT_BLOCK_SHORT + 1);
  SetTextBlock(block, text);
  return 0;
}

static int ReadText2(int version) {
  uint32_t length;
  int r = ReadVersionedCount(version, 14389, &length);
  if (r) return r;
  if (length < 1) {
    SetTextBlock(2, GetLangText(LANG_ID(11061)));
    DocState.text2Length = GetLangTextLength(LANG_ID(11061));
    if (DocState.text2Length < 1) DocState.text2Length = 1;
    return 0;
  }
  if (length > TEXT_BLOCK_LONG + 1) return NETSEC_FORMAT;
  static char16_t text[TEXT_BLOCK_LONG + 2];
  if (version >= NET_VERSION_U32_TAGS) {
    uint32_t got = StreamReadBytes(text, length * 2);
    if (got < length * 2) return 2;
    for (uint32_t i = 0; i < length; i++) {  // stored little-endian
      const uint8_t* b = reinterpret_cast<const uint8_t*>(&text[i]);
      text[i] = (char16_t)(b[0] | b[1] << 8);
    }
  } else {
    static char narrow[TEXT_BLOCK_LONG + 2];
    uint32_t got = StreamReadBytes(narrow, length);
    if (got < length) return 2;
    narrow[length] = 0;
    NarrowToWide(narrow, text, TEXT_BLOCK_LONG + 2);
  }
  text[length < TEXT_BLOCK_LONG + 1 ? length : TEXT_BLOCK_LONG + 1] = 0;
  text[TEXT_BLOCK_LONG] = 0;
  SetTextBlock(2, text);
  // The length that the next save writes: the text as stored, with its terminator (units after
  // an early terminator are not kept).
  DocState.text2Length = (uint32_t)StringLength(text) + 1;
  return 0;
}

int ReadGeneralSection(int version) {
  int r = ReadSectionTag(version, NetTag4('G', 'E', 'N', 'L'), NetTag2('G', 'N'));
  if (r) return r;
  if ((r = ReadOriginAndCursor(version))) return r;
  if ((r = ReadSavedPositions(version))) return r;
  int64_t b[GB_SLOTS] = {};
  if ((r = ReadNetFields(GeneralFieldsB, CountOf(GeneralFieldsB), version, b))) return r;
  if ((r = ApplyGroupB(version, b))) return r;
  if ((r = ReadSeed(version, (uint32_t)b[GB_FLAGS]))) return r;
  int64_t c[GC_SLOTS] = {};
  if ((r = ReadNetFields(GeneralFieldsC, CountOf(GeneralFieldsC), version, c))) return r;
  if ((r = ApplyGroupC(version, c))) return r;
  ClearUserFileLists();
  if (version >= 13573 && (r = ReadFileLists(version))) return r;
  if ((r = ReadShiftedText(version, 0))) return r;
  if ((r = ReadShiftedText(version, 1))) return r;
  return ReadText2(version);
}
