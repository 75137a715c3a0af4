// Neutral defaults of the view services until the edit-window views are built: redraws do
// nothing; the colour swaps are complete.
#include "views/view_services.h"

void DrawCell(int x, int y, int level, uint32_t viewMask) {}
void InvalidateViews(uint32_t mask) {}

uint32_t SwapRedBlue(uint32_t colour) {
  return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

uint32_t SwapRedBlueAlt(uint32_t colour) { return SwapRedBlue(colour); }
