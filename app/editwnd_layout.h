// Arithmetic of the edit windows without any window: cells from pixels, view-mode and zoom
// steps, menu ids of the view modes, tiling below the status window, next/previous window,
// the clock window's placement, the frame rate and the scale shown in the titles.
#pragma once
#include <cstdint>

struct LayoutRect {
  int32_t left, top, width, height;
};

// Size in cells of a drawing of w x h pixels in the given mode and zoom (mode 1: 32 x 16 pixel
// cells magnified by zoom; mode 2: 16 x 16 pixels per zoom cells; mode 3: zoom cells per pixel).
// Returns 0, or 1 for a bad mode or a zoom below 1 (cells left 0).
int CellsFromPixels(uint32_t mode, int32_t zoom, int32_t w, int32_t h, int32_t* cellsWide,
                    int32_t* cellsHigh);

// 1 when zoom is allowed in mode (1: 1,2,4,6,8; 2: 1,2,4,8; 3: 1,2,4,...,64).
int IsValidViewZoom(uint32_t mode, int32_t zoom);

// The mode and zoom that SetViewModeAndZoom would set. m: 1..3 with z, or request 13 (zoom in)
// or 14 (zoom out) from (curMode, curZoom). Returns 0 ok, 2 unchanged, 3 bad mode, 4 bad zoom,
// 5 no further step; *newMode, *newZoom are set only for 0.
int NextViewModeAndZoom(uint32_t curMode, int32_t curZoom, int m, int32_t z, uint32_t* newMode,
                        int32_t* newZoom);
// 1 when going from (oldMode, oldZoom) to (newMode, newZoom) magnifies the view.
int ViewChangeMagnifies(uint32_t oldMode, int32_t oldZoom, uint32_t newMode, int32_t newZoom);
// New origin on one axis that keeps the cursor's relative place: cursor + (origin - cursor) x
// newSize / oldSize (oldSize at least 1).
int32_t KeepCursorOrigin(int32_t origin, int32_t cursor, int32_t newSize, int32_t oldSize);
// Clamps an origin to 0 .. 32768 - size.
int32_t ClampOrigin(int32_t origin, int32_t size);

// Menu command of the view table (344..359) for a mode and zoom, or -1.
int MenuIdForViewMode(uint32_t mode, int32_t zoom);
// The reverse: mode and zoom of a view command 344..359; 0 ok, 1 not a view command.
int ViewModeForMenuId(int id, uint32_t* mode, int32_t* zoom);

// Scale a:b of the title: mode 1 zoom:1, mode 2 1:2 x zoom, mode 3 1:32 x zoom.
void ViewScale(uint32_t mode, int32_t zoom, uint32_t* a, uint32_t* b);

// Tiling of n (1..6) windows in the area (left, top, W, H), in slot order. Returns the number of
// rectangles written (0 for n outside 1..6).
int TileRects(int n, int32_t left, int32_t top, int32_t W, int32_t H, LayoutRect* out);

// Status (main) window placement: x and width from the work area and the layout switch.
void StatusWindowPlacement(int32_t workLeft, int32_t workWidth, int wideLayout, int32_t* x,
                           int32_t* width);

// Next (-2) / previous (-3) / last-used (-4) edit window. present[i] non-zero when slot i has a
// window. Returns the target index (-1 = status window) or -99 for "do nothing".
int ActivationTarget(int request, int active, int lastUsed, const int present[6]);

// Clock window rectangle: keeps (x, y) when the window lies inside the work area, else centres it
// on that axis.
void PlaceClockWindow(int32_t workLeft, int32_t workTop, int32_t workWidth, int32_t workHeight,
                      int32_t* x, int32_t* y, int32_t width, int32_t height);

// Frame rate request: 1..60 sets, -1 query, -2 default 25, -3 one less (at least 1), -4 one more
// (at most 60), anything else changes nothing. Returns the new rate.
int FrameRateAfter(int current, int request);

// Edge-scroll step from the edge-scroll state bits (1 left, 2 right, 4 up, 8 down).
void EdgeScrollDelta(uint32_t state, int* dx, int* dy);

// Edge-scroll state of a non-client hit-test code (0 for none).
uint32_t EdgeScrollFromHitTest(int hitTest);
// Edge-scroll state of a right click in the client area: within 16 pixels of the left or right
// edge or 12 of the top or bottom edge; 0 elsewhere.
uint32_t EdgeScrollFromClientPoint(int32_t x, int32_t y, int32_t width, int32_t height);
