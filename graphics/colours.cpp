// Colour numbers, display colours, display switches and the day phase.
#include "graphics/colours.h"
#include "model/general_section.h"
#include "views/view_services.h"

const uint32_t kPaletteRgb[PALETTE_COUNT] = {
    0x000000, 0x0000A8, 0x00A800, 0x00A8A8, 0xA80000, 0xA88800, 0x007000, 0xA8A8A8, 0x545454,
    0x5454FC, 0x54FC54, 0x54FCFC, 0xFC5454, 0xFCA000, 0xFCFC54, 0xFCFCFC, 0xFCF48C, 0xDCBC30,
    0x7C2400, 0x3C3C3C, 0x7C7C7C, 0xBCBCBC, 0x005C00, 0xD02828, 0x542800, 0xFCFCC4, 0xA800A8,
    0x3C3CD0, 0x148014, 0x0C2C84, 0x447C7C, 0x6CA8A8, 0x583C14, 0x3C8464, 0x28D028, 0xF4D400,
    0xA85050, 0xDC8080, 0x949478, 0x9C3400, 0xDCDCDC, 0x649864, 0x004000, 0xFC6C0C, 0xEC2800,
    0x84D0B0, 0x686048, 0x6C90A8, 0x2CD0D0, 0xF050F0, 0x6498FC, 0xCC6400, 0x640098, 0xCCC0A8,
    0x343400, 0xC8CCEC, 0x006498, 0x0098CC, 0x686868, 0xF8E82C, 0xB89478, 0x949494, 0x0C940C,
    0x000000, 0x3CEC7C, 0xFC3C50, 0xFCE44C, 0xFCFCEC, 0x4C5CF4, 0xFCB414, 0x000000, 0x000000,
    0x000000, 0x000000, 0x000000, 0x484848, 0x9C9C9C, 0xC42020, 0x5C4848,
};

// The colour numbers of the display colours' defaults.
static const uint8_t kDefaultColourNumbers[DISPLAY_COLOUR_COUNT] = {
    7,  15, 8,  15, 2,  9,  4,  15, 0,  7,  15, 7,  0,  14, 0,  7,  1,  14, 7,  14, 9,  9,  0,
    12, 0,  7,  0,  15, 12, 8,  14, 0,  7,  0,  15, 15, 8,  15, 8,  0,  0,  14, 1,  13, 15, 15,
    1,  15, 0,  15, 8,  0,  1,  40, 15, 14, 0,  11, 15, 12, 14, 10, 28, 4,  49, 0,  0,  27, 20,
    0,  27, 20, 21, 35, 7,  19, 7,  58, 58, 61, 61, 58, 21, 24, 24, 11, 15, 15, 15, 15, 1,  2,
    7,  8,  13, 5,  14, 12, 4,  15, 11, 2,  14, 14, 12, 15, 15, 15, 23, 15, 5,  8,  38, 18, 19,
    20, 38, 39, 61, 46, 58, 47, 8,  20, 36, 15, 0,  15, 23, 23, 15, 6,  6,  0,  6,  62, 34, 48,
    27, 55, 37, 26, 18, 23, 44, 60, 17, 59, 16, 25, 12, 10, 10, 9,  15, 23, 15, 23, 59, 1,  21,
    13, 0,  44, 0,  10, 0,  59, 0,  0,  43, 14, 43, 0,  10, 15, 27, 19, 19, 19, 15, 12, 15, 7,
};

// Palette colour with its class, before the table lookups (numbers that need no table).
static uint32_t Word(uint32_t rgb, uint32_t cls) {
  return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16) | (cls << 24);
}

static uint32_t PlainColour(uint32_t n) {
  if (n >= 128 && n <= 190) return Word(kPaletteRgb[n - 128], COLOUR_CLASS_FIXED);
  if (n >= 128) return 0;
  if (n >= 64 && n <= 69) return Word(kPaletteRgb[n], COLOUR_CLASS_FIXED);
  if (n == 75 || n == 76) return Word(kPaletteRgb[n], COLOUR_CLASS_LAMP);
  if (n == 77 || n == 78) return Word(kPaletteRgb[n], COLOUR_CLASS_LAMP2);
  static const struct {
    uint8_t first, sub, cls;
  } kWindows[] = {{80, 51, 0x60},  {85, 56, 0x61},  {90, 61, 0x62},
                  {100, 71, 0x64}, {105, 76, 0x65}, {110, 81, 0x66}};
  for (const auto& w : kWindows)
    if (n >= w.first && n <= w.first + 3u) return Word(kPaletteRgb[n - w.sub], w.cls);
  if (n > 78) return 0;
  return Word(kPaletteRgb[n], 0);
}

static uint32_t DefaultColour(int i) { return PlainColour(kDefaultColourNumbers[i]); }

struct ColourTableInit {
  ColourTableInit();
};
uint32_t ColourTable[DISPLAY_COLOUR_COUNT];
void ResetDisplayColours() {
  for (int i = 0; i < DISPLAY_COLOUR_COUNT; i++) ColourTable[i] = DefaultColour(i);
}
ColourTableInit::ColourTableInit() { ResetDisplayColours(); }
static ColourTableInit ColourTableInitOnce;

uint32_t ResolveColour(uint32_t n) {
  if (n == 126 || n == 127) return ColourTable[131];
  if (n >= 249 && n <= 252) return SystemColour((int)(n - 249));
  if (n == 253) return PIXEL_BACKGROUND;
  if (n == 254) return PIXEL_DARKEN;
  if (n == 255) return PIXEL_TRANSPARENT;
  return PlainColour(n);
}

uint32_t ResolveColourRgb(uint32_t n) {
  uint32_t w = ResolveColour(n);
  if (w & 0x80000000u) return w;
  return (w & 0xFF000000u) | ((w & 0xFF) << 16) | (w & 0xFF00) | ((w >> 16) & 0xFF);
}

uint32_t GetDefaultColour(int n) {
  return n >= 0 && n < DISPLAY_COLOUR_COUNT ? DefaultColour(n) : 0;
}
// Numbers outside the display colours (the system colours 249..252 among them) resolve as
// colour numbers instead of reading past the table.
uint32_t GetColour(int n) {
  if (n < 0 || n >= DISPLAY_COLOUR_COUNT) return ResolveColour((uint32_t)n & 0xFF);
  return ColourTable[n];
}
void SetColour(int n, uint32_t word) { ColourTable[n] = word; }

// ---- display switches -----------------------------------------------------------------------------
int ShowOption[8] = {0, 1, 0, 0, 0, 1, 0, 1};
int ShowBallast = 1, ShowWaterways = 1, ShowRoads = 1;
uint32_t CycleDisplayMode = 0;
uint32_t AnnotationMask = 0;

void SetShowOption1(int on) { ShowOption[1] = on ? 1 : 0; }
void SetShowOption2(int on) { ShowOption[2] = on ? 1 : 0; }
void SetShowOption3(int on) { ShowOption[3] = on ? 1 : 0; }
void SetShowOption4(int on) { ShowOption[4] = on ? 1 : 0; }
void SetShowOption5(int on) { ShowOption[5] = on ? 1 : 0; }
void SetShowOption6(int on) { ShowOption[6] = on ? 1 : 0; }
void SetShowOption7(int on) { ShowOption[7] = on ? 1 : 0; }

void SetCycleDisplayMode(uint32_t value) {
  if (value == 1000)
    CycleDisplayMode = (CycleDisplayMode & ~3u) | ((CycleDisplayMode + 1) & 3u);
  else
    CycleDisplayMode = value;
}

void SetAnnotationMask(uint32_t mask) { AnnotationMask = mask; }

void ResetDisplaySwitches() {
  static const int kDefaults[8] = {0, 1, 0, 0, 0, 1, 0, 1};
  for (int i = 0; i < 8; i++) ShowOption[i] = kDefaults[i];
  ShowBallast = ShowWaterways = ShowRoads = 1;
  CycleDisplayMode = 0;
  AnnotationMask = 0;
}

// ---- day phase ------------------------------------------------------------------------------------
uint32_t DayPhase = 0;
int32_t PhaseElapsed = 0, PhaseLength = 0;

static int Minutes(uint16_t t) { return (t >> 8) * 60 + (t & 0xFF); }

// Whether the minute lies in the window from..to (to not included); a window may wrap over
// midnight; an empty window (from == to) holds nothing.
static int InWindow(int minute, int from, int to) {
  if (from <= to) return minute >= from && minute < to;
  return minute >= from || minute < to;
}

uint32_t ComputeDayPhase(int minuteOfDay, const uint16_t times[4], int32_t* elapsed,
                         int32_t* length) {
  int t1 = Minutes(times[0]), t2 = Minutes(times[1]), t3 = Minutes(times[2]),
      t4 = Minutes(times[3]);
  uint32_t phase;
  int begin, len;
  if (InWindow(minuteOfDay, t1, t2)) {
    if (elapsed) *elapsed = 0;
    if (length) *length = 0;
    return DAYPHASE_DAY;
  }
  if (InWindow(minuteOfDay, t3, t4))
    phase = DAYPHASE_NIGHT, begin = t3, len = t4 - t3;
  else if (InWindow(minuteOfDay, t4, t1))
    phase = DAYPHASE_DAWN, begin = t4, len = t1 - t4;
  else
    phase = DAYPHASE_DUSK, begin = t2, len = t3 - t2;
  int e = minuteOfDay - begin;
  if (e < 0) e += 1440;
  if (len < 0) len += 1440;
  uint32_t f = phase;
  if (phase == DAYPHASE_NIGHT) {
    f |= DAYPHASE_WINDOWS0 | DAYPHASE_LAMPS;
    if (e < len * 5 / 12 || e > len * 11 / 12) f |= DAYPHASE_WINDOWS1;
    if (e < len / 3) f |= DAYPHASE_WINDOWS2;
  } else if (phase == DAYPHASE_DAWN) {
    if (e < len * 5 / 12) f |= DAYPHASE_WINDOWS0 | DAYPHASE_WINDOWS1 | DAYPHASE_WINDOWS2;
    if (e < len * 3 / 4) f |= DAYPHASE_LAMPS;
  } else {
    if (e >= len * 7 / 12) f |= DAYPHASE_WINDOWS0 | DAYPHASE_WINDOWS1 | DAYPHASE_WINDOWS2;
    if (e >= len / 4) f |= DAYPHASE_LAMPS;
  }
  if (elapsed) *elapsed = e;
  if (length) *length = len;
  return f;
}

void UpdateDayPhase(int redraw) {
  if (!(DocState.dayPhaseOptions & 1)) return;
  uint32_t old = DayPhase;
  int32_t oldElapsed = PhaseElapsed;
  int minute = (DocState.hour % 24) * 60 + DocState.minute % 60;
  DayPhase = ComputeDayPhase(minute, DocState.dayTimes, &PhaseElapsed, &PhaseLength);
  if (!redraw) return;
  uint32_t phase = DayPhase & 7;
  if (DayPhase == old &&
      (phase == DAYPHASE_DAY || phase == DAYPHASE_NIGHT || PhaseElapsed == oldElapsed))
    return;
  InvalidateViews(4);
}
