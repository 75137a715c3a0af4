// Inside the edit-window views: what cell drawing, painting and the overlays share.
#pragma once
#include <cstdint>

struct EditOverlaySnapshot;

// The level a window at `level` sees at (x, y): walked down past the see-through codes 0xC001
// and 0xC002 to level -4 at most.
int WalkDownSeeThrough(int x, int y, int level);
// Overlay flags of a composed cell: 1 info text (info-text marks shown), 2 log point, 4 log
// point with its flag 16 (log-point marks shown).
uint32_t CellOverlayFlags(int x, int y, int level);
// Composes cell (x, y) from the bottom level up to the top level and writes it into the window
// (0..5) at the pixel position, or draws it into dc for the preview targets 6..9.
void ComposeCellPicture(void* dc, int pixelX, int pixelY, int x, int y, int topLevel,
                        int bottomLevel, uint32_t overlayFlags, int windowOrTarget);
// Non-zero while the zoom-2 graphics option is on (the 64 x 32 pictures are drawn).
int IsZoom2Enabled();

// ---- the platform side of painting (Win32: the window's update region; native: a rectangle of
// its own per window) ------------------------------------------------------------------------------
void InvalidateEditWindowRect(int window, int x1, int y1, int x2, int y2);
void ValidateEditWindowRect(int window, int x1, int y1, int x2, int y2);
void UpdateEditWindow(int window);  // paints what is invalid now
void InvalidateStatusWindow();

// ---- overlay snapshots ------------------------------------------------------------------------------
constexpr int ANNOTATION_TEXT_UNITS = 40;
struct AnnotationRecord {
  int32_t xOffset;  // -10000: nothing to draw
  int32_t yOffset;
  char16_t text[ANNOTATION_TEXT_UNITS];
  uint8_t textColour, boxColour;  // colour numbers
};
// The annotation of a cell for the kinds of the mask (bits 0-5), or null.
AnnotationRecord* GetAnnotationAtCell(int x, int y, int level, AnnotationRecord* out,
                                      uint32_t mask);

constexpr uint8_t OVERLAY_ITEM_TEXT = 1, OVERLAY_ITEM_ANNOTATION = 2, OVERLAY_ITEM_TRAIN = 3;
struct OverlayItem {
  uint8_t kind;
  int32_t px, py;  // the cell's pixel position in the window
  int32_t xOffset, yOffset;
  uint32_t textColour, boxColour;  // platform colours; boxColour 0x80000001: none
  char16_t text[ANNOTATION_TEXT_UNITS];
};
// Draws the cursor mark of a snapshot: 0 drawn, 1 not the active window, 2 the window follows a
// train, 4 no snapshot, 5 ready flag clear, 6 no cursor, 7 no device context.
int DrawCursorMarkFromSnapshot(void* dc, const EditOverlaySnapshot* s, uint32_t ready);
// A text label's sign 1..31 at (px - 4 x zoom, py) in the zoom's size.
void DrawLabelSymbol(void* dc, int px, int py, int zoom, uint32_t colour, char16_t ch);
// The window's snapshot is published again at the next tick.
void MarkOverlaySnapshotStale(int window);
// Sets the overlay painters and the snapshot hooks of the edit windows.
void InstallOverlayPainters();

// ---- the background picture (its pixels come with the picture's loader) ------------------------------
struct BackgroundImage {
  int32_t cellX, cellY;          // the cell of the picture's top-left corner
  int32_t width, height;         // pixels
  int32_t cellsWide, cellsHigh;  // cells the picture covers
  int32_t format;                // 1..6
  const uint8_t* pixels;
  uint32_t palette[256];
};
extern BackgroundImage BackgroundPicture;
