// Neutral defaults of the view settings until the edit-window views are built: the values that
// the option file and the dialogs set are kept and checked; the marked block, the saved
// positions and the construction origin live in the document state of the general section.
#include "views/view_services.h"
#include "core/misc.h"
#include "model/general_section.h"
#include "model/grid.h"

// ---- construction settings -------------------------------------------------------------------
static ConstructionSettings Construction = {1, 1,     1,    {10, 10, 10, 10, 10}, 1, 10, 20, 20, 0,
                                            0, 32767, 32767};
static int StrUmbFrom = 0, StrUmbTo = 1, StrUmbMode = 1;

void GetConstructionSettings(ConstructionSettings* out) {
  if (out) *out = Construction;
}

static int InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

int SetConstructionSettings(const ConstructionSettings* in) {
  if (!in) return 1;
  if (!InRange(in->lineWidth, 1, 9)) return 1;
  Construction.lineWidth = in->lineWidth;
  if (!InRange(in->lineKind, 1, 25)) return 1;
  Construction.lineKind = in->lineKind;
  if (!InRange(in->continueFlag, 0, 1)) return 1;
  Construction.continueFlag = in->continueFlag;
  for (int i = 0; i < 5; i++) {
    if (!InRange(in->counts[i], 0, 64)) return 1;
    Construction.counts[i] = in->counts[i];
  }
  if (!InRange(in->areaChoice, 1, 10)) return 1;
  Construction.areaChoice = in->areaChoice;
  if (!InRange(in->blockNumber, 1, 5000)) return 1;
  Construction.blockNumber = in->blockNumber;
  if (!InRange(in->blockWidth, 15, 30)) return 1;
  Construction.blockWidth = in->blockWidth;
  if (!InRange(in->blockHeight, 15, 30)) return 1;
  Construction.blockHeight = in->blockHeight;
  if (in->areaX1 < 0 || in->areaY1 < 0 || in->areaX2 > 32768 || in->areaY2 > 32768 ||
      in->areaX1 >= in->areaX2 || in->areaY1 >= in->areaY2)
    return 1;
  Construction.areaX1 = in->areaX1;
  Construction.areaY1 = in->areaY1;
  Construction.areaX2 = in->areaX2;
  Construction.areaY2 = in->areaY2;
  return 0;
}

void GetStrUmbSettings(int* from, int* to, int* mode) {
  if (from) *from = StrUmbFrom;
  if (to) *to = StrUmbTo;
  if (mode) *mode = StrUmbMode;
}

int SetStrUmbSettings(int from, int to, int mode) {
  if (mode == -1 || !InRange(from, 0, 13) || !InRange(to, 0, 13)) {
    StrUmbFrom = 0;
    StrUmbTo = 1;
    StrUmbMode = 1;
    return mode == -1 && InRange(from, 0, 13) && InRange(to, 0, 13) ? 0 : 1;
  }
  StrUmbFrom = from;
  StrUmbTo = to;
  StrUmbMode = mode;
  return 0;
}

int GetConstructionOrigin(int* y) {
  if (y) *y = DocState.constructionY;
  return DocState.constructionX;
}

void SetConstructionOrigin(int x, int y) {
  DocState.constructionX = x;
  DocState.constructionY = y;
}

// ---- block marking (the marked block is part of the document state) -------------------------
static int MarkLevelMode = 0;

int SetBlockMarkMode(int mode) {
  if (mode == 0 || mode == 4)
    DocState.blockMarkMode = 0;
  else if (mode == 1 || mode == 5 || mode == 6)
    DocState.blockMarkMode = 6;
  else if (mode == 2)
    DocState.blockMarkMode = DocState.blockMarkMode ? 0 : 6;
  return DocState.blockMarkMode ? 1 : 0;
}

int SetMarkedBlock(int x1, int y1, int level1, int x2, int y2, int level2, int redraw) {
  if (!GridPositionValid(x1, y1, level1) || !GridPositionValid(x2, y2, level2)) return 2;
  DocumentState& d = DocState;
  if (d.markX1 == x1 && d.markY1 == y1 && d.markX2 == x2 && d.markY2 == y2 && d.markLevel == level1)
    return 1;
  d.markX1 = x1;
  d.markY1 = y1;
  d.markX2 = x2;
  d.markY2 = y2;
  d.markLevel = level1;
  return 0;
}

void GetMarkedBlock(int* x1, int* y1, int* level1, int* x2, int* y2, int* level2) {
  const DocumentState& d = DocState;
  if (x1) *x1 = d.markX1;
  if (y1) *y1 = d.markY1;
  if (level1) *level1 = d.markLevel;
  if (x2) *x2 = d.markX2;
  if (y2) *y2 = d.markY2;
  if (level2) *level2 = d.markLevel;
}

int GetNormalizedMarkedBlock(int* x1, int* y1, int* level1, int* x2, int* y2, int* level2) {
  const DocumentState& d = DocState;
  int lowLevel = MarkLevelMode == 1 ? -4 : d.markLevel;
  int highLevel = MarkLevelMode == 1 ? 0 : d.markLevel;
  if (x1) *x1 = d.markX1 < d.markX2 ? d.markX1 : d.markX2;
  if (y1) *y1 = d.markY1 < d.markY2 ? d.markY1 : d.markY2;
  if (level1) *level1 = lowLevel;
  if (x2) *x2 = d.markX1 < d.markX2 ? d.markX2 : d.markX1;
  if (y2) *y2 = d.markY1 < d.markY2 ? d.markY2 : d.markY1;
  if (level2) *level2 = highLevel;
  return MarkLevelMode;
}

int SetMarkLevelMode(int mode, int redraw) {
  if (mode < 0 || mode > 2) return 2;
  if (mode == MarkLevelMode) return 1;
  MarkLevelMode = mode;
  return 0;
}

int GetMarkLevelMode() { return MarkLevelMode; }

// ---- saved positions (part of the document state) ---------------------------------------------
int GetSavedPosition(int index, int* x, int* y, int* level, char16_t* name, uint32_t* alarm) {
  if (index < 0 || index >= SAVED_POSITION_COUNT) return 1;
  const SavedPosition& e = DocState.saved[index];
  if (x) *x = e.x;
  if (y) *y = e.y;
  if (level) *level = e.level;
  if (name) CopyString(name, e.name);
  if (alarm) *alarm = e.alarm;
  return 0;
}

int SetSavedPosition(int index, int x, int y, int level, const char16_t* name, uint32_t alarm) {
  if (index < 0 || index >= SAVED_POSITION_COUNT) return 1;
  SavedPosition& e = DocState.saved[index];
  e.x = x;
  e.y = y;
  e.level = level;
  e.alarm = alarm;
  if (name && StringLength(name) <= SAVED_POSITION_NAME) CopyString(e.name, name);
  return 0;
}

void CheckPositionAlarms() {}
void CellToWindowPixel(int window, int point[2]) {}

// ---- symbol palette ----------------------------------------------------------------------------
static int ClassBVariant = 0;

void HandlePaletteCommand(int command) {}
void StepPaletteSymbol(int delta) {}
// The selection is kept (the option file reads and writes it) until the palette is built.
static int PaletteGroup = 0, PaletteIndex = 0, PaletteMirror = 0;
static uint32_t PaletteMask = 1;
int SelectPaletteGroup(int group, int index, uint32_t mask, int mirror) {
  if (group < 0 || group > 3 || index < 0) return 1;
  PaletteGroup = group;
  PaletteIndex = index;
  PaletteMask = mask;
  PaletteMirror = mirror ? 1 : 0;
  return 2;  // no palette entries yet
}
int GetPaletteSelection(int* index, uint32_t* mask, int* mirror) {
  if (index) *index = PaletteIndex;
  if (mask) *mask = PaletteMask;
  if (mirror) *mirror = PaletteMirror;
  return PaletteGroup;
}
// Until the palette is built its selection is the first entry of the track group with the
// first track kind (its ten slot codes).
static int PaletteSlot = 0;
void SelectPaletteSlot(int slot) {
  if (slot >= 0 && slot <= 9) PaletteSlot = slot;
}
int GetPaletteSlot() { return PaletteSlot; }
void GetSlotCodes(uint32_t codes[10]) {
  static const uint32_t firstEntry[10] = {0xC000, 10, 0, 9, 1, 32, 1, 11, 0, 8};
  for (int i = 0; i < 10; i++) codes[i] = firstEntry[i];
}
void DrawSymbolPalette(void* dc) {}
void OpenSymbolChoiceDialog() {}
int GetClassBVariant() { return ClassBVariant; }
int SetClassBVariant(int variant) {
  if (variant < -3 || variant > 4) return 1;
  ClassBVariant = variant;
  return 0;
}
