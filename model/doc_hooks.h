// What the document (grid, its flags, the network file) asks of the layers above it: the edit
// windows and their titles, the list of recent files, the trains and the element families.
// Start-up fills DocHooks; a member left null does nothing or answers as if that part were
// absent (no windows: the document keeps one view place of its own).
#pragma once
#include <cstdint>

// The part of an edit window's view the document reads and sets.
struct DocViewPlace {
  uint32_t viewMode;
  int32_t cellsWide, cellsHigh;  // cells the window shows
  int32_t originX, originY;      // first visible cell
  int32_t cursorX, cursorY, cursorLevel;
};
constexpr uint32_t DOC_VIEW_OVERVIEW = 3;  // the view mode of the overview

// A box of cells: x, y and level from, then to (the order the element families report it in).
typedef int (*DocExtentFn)(int*, int*, int*, int*, int*, int*);

struct DocumentHooks {
  // windows
  void (*updateTitles)(int which);                        // -2 clock .. 6, as UpdateWindowTitles
  int (*activeWindow)();                                  // the active edit window, -1 none
  int (*getViewPlace)(int window, DocViewPlace* out);     // 0, 1 when no such window slot
  void (*setViewPlace)(int window, const DocViewPlace*);  // origin and cursor
  void (*centreViewOn)(int window, int* x, int* y);
  void (*scrollBarsToCursor)(int window);
  void (*invalidateViews)(uint32_t mask);
  void (*drawCell)(int x, int y, int level, uint32_t viewMask);
  void (*redrawClockPanes)();
  void (*drawStopTimeField)();
  void (*addRecentFile)(const char16_t* path);
  // trains
  uint16_t (*trainCellCode)(int x, int y, int level, uint16_t code);
  int (*followMode)();
  void (*setFollowMode)(int mode);
  // the extents of the element families that stand beside the grid (0 when there is one):
  // info texts (x, y, level from, level to, y to, x to), log points (x, y, level from, to)
  DocExtentFn infoBounds;
  DocExtentFn logPointsBox;
};
extern DocumentHooks DocHooks;

// The calls through DocHooks with their neutral answers.
void DocUpdateTitles(int which);
int DocActiveWindow();                               // -1 none
int DocGetViewPlace(int window, DocViewPlace* out);  // 0, 1 no such window
void DocSetViewPlace(int window, const DocViewPlace* place);
void DocCentreViewOn(int window, int* x, int* y);
void DocInvalidateViews(uint32_t mask);
void DocDrawCell(int x, int y, int level, uint32_t viewMask);
void DocRedrawClockPanes();
void DocDrawStopTimeField();
void DocAddRecentFile(const char16_t* path);
uint16_t DocTrainCellCode(int x, int y, int level, uint16_t code);  // code itself when unset
int DocFollowMode();                                                // 0 when unset
void DocSetFollowMode(int mode);
int DocExtent(DocExtentFn fn, int* a, int* b, int* c, int* d, int* e, int* f);  // 1 when unset
