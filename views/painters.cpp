// The views' painters for other parts: the overlays of the edit windows, and the cell pictures
// and symbol texts that dialogs and info boxes draw.
#include "app/dialog.h"
#include "views/view_draw.h"
#include "views/view_services.h"

// A dialog's cell field: the code as a preview column at scale 1.
static void DialogCell(void* dc, int px, int py, int zoomStep, uint32_t state, uint32_t code) {
  DrawCellColumn(dc, px, py, code, state, zoomStep > 0 && zoomStep <= 3 ? zoomStep : 0);
}

static void DialogSymbolText(void* dc, int x, int y, const char16_t* text, uint32_t colour,
                             uint32_t background) {
  DrawSymbolText(dc, x, y, text, colour, colour, background, MeasureSymbolText(text, nullptr) / 8);
}

void InstallViewPainters() {
  InstallOverlayPainters();
  SetDialogPainters(DialogCell, nullptr, DialogSymbolText);
}
