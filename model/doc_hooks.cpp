// The document's calls up to the windows, trains and element families, through the hooks that
// start-up sets, and their answers while a hook is unset.
#include "model/doc_hooks.h"
#include "model/general_section.h"

DocumentHooks DocHooks = {};

// Without a window table the document keeps the place of one window (window 0) itself, so a
// file's place is written back as it was read.
static DocViewPlace OwnPlace = {1, 0, 0, 16384, 16384, 16384, 16384, 0};

void DocUpdateTitles(int which) {
  if (DocHooks.updateTitles) DocHooks.updateTitles(which);
}

int DocActiveWindow() { return DocHooks.activeWindow ? DocHooks.activeWindow() : -1; }

int DocGetViewPlace(int window, DocViewPlace* out) {
  if (DocHooks.getViewPlace) return DocHooks.getViewPlace(window, out);
  if (window != 0) return 1;
  *out = OwnPlace;
  return 0;
}

void DocSetViewPlace(int window, const DocViewPlace* place) {
  if (DocHooks.setViewPlace)
    DocHooks.setViewPlace(window, place);
  else if (window == 0)
    OwnPlace = *place;
}

void DocCentreViewOn(int window, int* x, int* y) {
  if (DocHooks.centreViewOn) DocHooks.centreViewOn(window, x, y);
}

void SetEditScrollToCursor(int window) {
  if (DocHooks.scrollBarsToCursor) DocHooks.scrollBarsToCursor(window);
}

void DocInvalidateViews(uint32_t mask) {
  if (DocHooks.invalidateViews) DocHooks.invalidateViews(mask);
}

void DocDrawCell(int x, int y, int level, uint32_t viewMask) {
  if (DocHooks.drawCell) DocHooks.drawCell(x, y, level, viewMask);
}

void DocRedrawClockPanes() {
  if (DocHooks.redrawClockPanes) DocHooks.redrawClockPanes();
}

void DocDrawStopTimeField() {
  if (DocHooks.drawStopTimeField) DocHooks.drawStopTimeField();
}

void DocAddRecentFile(const char16_t* path) {
  if (DocHooks.addRecentFile) DocHooks.addRecentFile(path);
}

uint16_t DocTrainCellCode(int x, int y, int level, uint16_t code) {
  return DocHooks.trainCellCode ? DocHooks.trainCellCode(x, y, level, code) : code;
}

int DocFollowMode() { return DocHooks.followMode ? DocHooks.followMode() : 0; }

void DocSetFollowMode(int mode) {
  if (DocHooks.setFollowMode) DocHooks.setFollowMode(mode);
}

int DocExtent(DocExtentFn fn, int* a, int* b, int* c, int* d, int* e, int* f) {
  return fn ? fn(a, b, c, d, e, f) : 1;
}
