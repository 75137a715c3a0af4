// Services of the edit-window views that the core, the layout model, the frame and the symbol
// graphics call: cell redraw, window repaint, status and palette panes, scrolling, marking ...
#pragma once
#include <cstdint>

// ---- cell drawing and window repaint -----------------------------------------------------------
// View mask of DrawCell: 1 windows in view mode 1, 2 mode 2, 4 mode 2 with zoom step <= 8,
// 8 any other mode; 11 (1 + 2 + 8) redraws a cell in every window.
constexpr uint32_t DRAWCELL_ALL_VIEWS = 11;
// Redraws one grid cell in every open edit window of the mask that shows it.
void DrawCell(int x, int y, int level, uint32_t viewMask);
// Repaints at once: bit 1 the status window, bit 2 every edit window, bit 4 the windows in view
// mode 1, bit 8 the windows in view mode 2 with zoom step at most 8.
void InvalidateViews(uint32_t mask);

// ---- colours -----------------------------------------------------------------------------------
// Exchange bits 0-7 and 16-23 and clear bits 24-31 (platform colour to pixel, and back).
uint32_t SwapRedBlue(uint32_t colour);
uint32_t SwapRedBlueAlt(uint32_t colour);
