// Mouse cursors: the cursor mode (editing or palette pick), the busy count, the cursor style, the
// edge-scroll and block-edge zones of the edit windows, and the mouse options.
#pragma once
#include <cstdint>
#include "core/platform.h"

// Cursor modes and requests of SetCursorMode.
constexpr int CURSOR_MODE_EDIT = 40;
constexpr int CURSOR_MODE_PICK = 41;
constexpr int CURSOR_BUSY_BEGIN = 42;
constexpr int CURSOR_BUSY_END = 43;
// Cursor styles.
constexpr int CURSOR_STYLE_OWN = 51;    // base cursor = own cursor resource 1
constexpr int CURSOR_STYLE_ARROW = 52;  // base cursor = system arrow

// The cursors the program shows: own resources 1..11 keep their resource numbers.
enum : int {
  CUR_EDIT = 1,
  CUR_PICK = 2,
  CUR_BUSY = 3,
  CUR_EDGE_LEFT = 4,
  CUR_EDGE_RIGHT = 5,
  CUR_EDGE_TOP = 6,
  CUR_EDGE_BOTTOM = 7,
  CUR_EDGE_TOP_LEFT = 8,
  CUR_EDGE_BOTTOM_RIGHT = 9,
  CUR_EDGE_BOTTOM_LEFT = 10,
  CUR_EDGE_TOP_RIGHT = 11,
  CUR_SYS_ARROW = 12,
  CUR_SYS_SIZE_WE = 13,
  CUR_SYS_SIZE_NS = 14,
  CUR_SYS_NO = 15,
  CUR_COUNT = 16
};
constexpr int CURSOR_OWN_COUNT = 11;

// Mouse option bits.
constexpr uint32_t MOUSE_EDGE_SCROLL = 1;  // right-button edge scrolling and the edge cursors
constexpr uint32_t MOUSE_DRAG_SCROLL = 8;  // drag scrolling with the left button

// Edge-zone bits of a mouse position in a client area.
constexpr int EDGE_LEFT = 1, EDGE_RIGHT = 2, EDGE_TOP = 4, EDGE_BOTTOM = 8;
constexpr int EDGE_ZONE_X = 16;  // pixels from the left or right edge
constexpr int EDGE_ZONE_Y = 12;  // pixels from the top or bottom edge
// Block-edge zones (results of SetCursorForWindow besides 0 and 1).
constexpr int BLOCK_EDGE_NONE = 0, BLOCK_EDGE_LEFT = 2, BLOCK_EDGE_RIGHT = 3, BLOCK_EDGE_TOP = 4,
              BLOCK_EDGE_BOTTOM = 5;

int InitCursors();  // 2 when no mouse is present (nothing loaded), else 0
void ExitCursors();
int SetCursorMode(int mode);  // returns the cursor now shown (CUR_...) or the mode
int GetCursorMode();          // 40 or 41
void SetCursorStyle(int style);
int GetCursorStyle();  // 51 or 52
int GetBusyCount();
int AreCursorsLoaded();
int GetShownCursor();  // CUR_... last shown, 0 before any

// Sets the cursor for a mouse over `window` and returns the block-edge zone (0 none, 2..5), 1 in
// an edge-scroll zone, or the drag state.
int SetCursorForWindow(WrapWindow window, int dragState);

uint32_t GetMouseOptions();
void SetMouseOptions(uint32_t bits);
int GetEdgeScrollInterval();
int SetEdgeScrollInterval(int n);  // 0, or 1 for n outside 10..100; -1 sets the default 55

// ---- portable zone decisions ----------------------------------------------------------------------
// Edge bits of position (x, y) in a client area of width x height; 0 outside the area.
int EdgeZoneBits(int x, int y, int width, int height);
// The cursor of an edge-zone bit set, 0 for none.
int EdgeZoneCursor(int bits);
// Block-edge zone of mouse (x, y) against the block rectangle (pixels, inclusive): 0 when farther
// than 3 pixels from the rectangle, else the nearest edge checked in the order left, right, top,
// bottom.
int BlockEdgeZone(int x, int y, int left, int top, int right, int bottom);

// Everything SetCursorForWindow decides on, gathered by the platform part.
struct CursorQuery {
  int dialogOpen;
  int dragState;
  int isActiveEditWindow;
  int mouseX, mouseY;  // client coordinates
  int clientWidth, clientHeight;
  int blockMarked;  // block marking on and the window's level inside the block
  int blockLeft, blockTop, blockRight, blockBottom;  // block rectangle in window pixels
  int current;                                       // the cursor of the mode (or the busy cursor)
};
// Returns the result of SetCursorForWindow and the cursor to show in *cursor.
int DecideCursor(const CursorQuery* q, int* cursor);

// The marked block as window pixels of an edit window: fills the rectangle (far corner = the
// pixel before cell x2 + 1, y2 + 1) and returns 1 when a block is marked and the active window's
// level lies inside its level range, else 0. MarkedBlockWindowRect asks the views' block marking;
// a source set here (tests) takes its place, null restores it.
typedef int (*CursorBlockRectFn)(WrapWindow window, int* left, int* top, int* right, int* bottom);
int MarkedBlockWindowRect(WrapWindow window, int* left, int* top, int* right, int* bottom);
void SetCursorBlockSource(CursorBlockRectFn fn);
// Called when pick mode ends; the views' DrawSymbolPalette redraws the whole palette unless a
// function is set here (tests), null restores it.
typedef void (*CursorPaletteRedrawFn)();
void SetCursorPaletteRedraw(CursorPaletteRedrawFn fn);
