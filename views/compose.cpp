// Composing a grid cell's picture from the cell, its neighbours and the levels below it, and the
// previews of single codes (dialogs, status window, symbol texts).
#include "app/editwnd.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/flush.h"
#include "graphics/trackground.h"
#include "model/general_section.h"
#include "model/cellcodes.h"
#include "model/grid.h"
#include "graphics/vehicle_cell.h"
#include "graphics/vehicles.h"
#include "trains/train_draw.h"
#include "trains/train_services.h"
#include "views/view_draw.h"
#include "views/view_services.h"

// The code drawn for a neighbour cell; positions outside the grid are the empty cell.
static uint32_t NeighbourCode(int x, int y, int level) {
  if (x < 0 || y < 0 || x > GRID_MAX_XY || y > GRID_MAX_XY) return CELL_EMPTY;
  return GetDisplayCode(x, y, level);
}

static uint32_t NeighbourState(int x, int y, int level, uint32_t code) {
  if (x < 0 || y < 0 || x > GRID_MAX_XY || y > GRID_MAX_XY) return 0;
  return GetCellElementState(x, y, level, code);
}

// One neighbour's pass at the offsets (nothing for a position outside the grid).
static void NeighbourPass(int x, int y, int level, int xOffset, int yOffset, int pass, int suppress,
                          int zoom) {
  if (x < 0 || y < 0 || x > GRID_MAX_XY || y > GRID_MAX_XY) return;
  uint32_t code = GetDisplayCode(x, y, level);
  if (code == CELL_EMPTY) return;
  DrawSymbolPass(code, GetCellElementState(x, y, level, code), xOffset, yOffset, pass, suppress, x,
                 y, level, zoom);
}

// The zoom-2 graphics option answers on until the vehicle-graphic library keeps it.
int IsZoom2Enabled() { return 1; }

// The zoom-2 pictures are drawn while the zoom-2 graphics option is on; else every window and
// preview composes at zoom 1 and the flush enlarges the picture.
static int CompositionZoom(int windowZoom) { return windowZoom >= 2 && IsZoom2Enabled() ? 2 : 1; }

void ComposeCellPicture(void* dc, int px, int py, int x, int y, int top, int bottom, uint32_t flags,
                        int target) {
  int zoom, suppress = 0;
  if (target >= 0 && target < EDIT_SLOTS) {
    const EditViewSlot* s = &EditViews.slot[target];
    zoom = CompositionZoom(s->zoom > 0 ? s->zoom : 1);
    suppress = s->displayFlag ? 1 : 0;
  } else {
    zoom = target == 6 ? 1 : CompositionZoom(2);
  }
  if (bottom < top) flags |= 16;
  for (int level = bottom; level <= top; level++) {
    uint32_t above = NeighbourCode(x, y - 1, level), below = NeighbourCode(x, y + 1, level);
    uint32_t aboveState = NeighbourState(x, y - 1, level, above);
    uint32_t belowState = NeighbourState(x, y + 1, level, below);
    // A train cell is the track under the train with the vehicle pieces that lie in the cell.
    uint32_t own = GetDisplayCode(x, y, level);
    uint32_t state = GetCellElementState(x, y, level, own);
    uint32_t raw = GetCell(x, y, level);
    uint32_t ids[TRAIN_CELL_PIECES + 1] = {0};
    uint16_t words[TRAIN_CELL_PIECES] = {0};
    VehicleSpan spans[TRAIN_CELL_PIECES] = {};
    if (raw >= CELL_TRAIN_FIRST && raw <= CELL_TRAIN_FIRST + 0xFF &&
        GetTrainCellShape(x, y, level, nullptr, ids, spans, words, (uint16_t)raw) != 0xC000 &&
        ids[0])
      ComposeVehicleCell(own, state, ids, words, spans, 0, above, aboveState, below, belowState,
                         suppress, x, y, level, zoom);
    else
      ComposeCellBase(own, state, above, aboveState, below, belowState, suppress, x, y, level,
                      zoom);
    // Sideways reaching pieces of the neighbours and the own track layer over them.
    NeighbourPass(x + 1, y, level, -32, 0, 3, suppress, zoom);
    NeighbourPass(x - 1, y, level, 32, 0, 3, suppress, zoom);
    DrawSymbolPass(own, state, 0, 0, 2, suppress, x, y, level, zoom);
    NeighbourPass(x + 1, y, level, -32, 0, 2, suppress, zoom);
    NeighbourPass(x - 1, y, level, 32, 0, 2, suppress, zoom);
    NeighbourPass(x, y + 1, level, 0, 16, 3, suppress, zoom);
    NeighbourPass(x + 1, y + 1, level, -32, 16, 3, suppress, zoom);
    NeighbourPass(x - 1, y + 1, level, 32, 16, 3, suppress, zoom);
    // Tall pictures of the cells below reach up into this cell.
    NeighbourPass(x, y + 1, level, 0, 16, 2, suppress, zoom);
    NeighbourPass(x + 1, y + 1, level, -32, 16, 2, suppress, zoom);
    NeighbourPass(x - 1, y + 1, level, 32, 16, 2, suppress, zoom);
    for (int k = 2; k <= 5; k++) {
      int offset = 16 * k;
      NeighbourPass(x + 1, y + k, level, -32, offset, 3, suppress, zoom);
      NeighbourPass(x - 1, y + k, level, 32, offset, 3, suppress, zoom);
      NeighbourPass(x + 1, y + k, level, -32, offset, 2, suppress, zoom);
      NeighbourPass(x - 1, y + k, level, 32, offset, 2, suppress, zoom);
      NeighbourPass(x, y + k, level, 0, offset, 2, suppress, zoom);
    }
  }
  uint32_t edges = 0;  // the grid and block-edge marks come with the diagram views
  if (zoom == 1)
    FlushBuf1ToWindow(dc, px, py, target, flags, edges);
  else
    FlushBuf2ToWindow(dc, px, py, target, flags, edges);
}

// ---- previews --------------------------------------------------------------------------------------
static uint32_t PreviewCode(uint32_t code) {
  if (code > 0xFFFF || code == CELL_SEE_THROUGH_1 || code == CELL_SEE_THROUGH_2) return CELL_EMPTY;
  if (code < 0x8000) return code & ~0x4000u;
  return code;
}

void DrawCellPreview(void* dc, int px, int py, uint32_t code, uint32_t state, int rowOffset,
                     uint32_t overlayFlags, uint32_t codeAbove, uint32_t stateAbove, int target) {
  int zoom, level = 0;
  if (target >= 0 && target < EDIT_SLOTS) {
    const EditViewSlot* s = &EditViews.slot[target];
    zoom = CompositionZoom(s->zoom > 2 ? 2 : (s->zoom > 0 ? s->zoom : 1));
    level = s->cursorLevel;
  } else if (target >= 6 && target <= 9) {
    zoom = target == 6 ? 1 : CompositionZoom(2);
  } else {
    return;
  }
  int savedBackground = DocState.backgroundShown;
  DocState.backgroundShown = 0;
  code = PreviewCode(code);
  codeAbove = PreviewCode(codeAbove);
  if (rowOffset < 1) {
    ComposeCellBase(code, state, codeAbove, stateAbove, CELL_EMPTY, 0, 0, 0, 0, level, zoom);
    DrawSymbolPass(code, state, 0, 0, 2, 0, 0, 0, level, zoom);
  } else {
    ComposeCellBase(CELL_EMPTY, 0, CELL_EMPTY, 0, CELL_EMPTY, 0, 0, 0, 0, level, zoom);
  }
  DrawSymbolPass(code, state, 0, rowOffset, 1, 0, 0, 0, level, zoom);
  DrawSymbolPass(code, state, 0, rowOffset, 3, 0, 0, 0, level, zoom);
  DrawSymbolPass(code, state, 0, rowOffset, 2, 0, 0, 0, level, zoom);
  if (zoom == 1)
    FlushBuf1ToWindow(dc, px, py, target, overlayFlags, 0);
  else
    FlushBuf2ToWindow(dc, px, py, target, overlayFlags, 0);
  DocState.backgroundShown = savedBackground;
}

// A vehicle in a dialog: the graphic cut into slices of 32 pixels, each composed on an empty
// cell and flushed to target 6 (scale 1) or 7 (scale 2); direction flag 8 draws from the last
// cell leftwards, flag 4 from the first rightwards; cells beyond the graphic stay empty. The
// width of the graphic in pixels, 0 (nothing drawn) for a code without graphic.
int DrawCellVehicles(void* dc, int px, int py, int cells, int scale, uint32_t vehicleCode,
                     uint32_t directionFlags) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(vehicleCode);
  if (!e || cells < 1) return 0;
  if (cells > 64) cells = 64;
  scale = scale == 2 ? 2 : 1;
  int target = scale == 2 ? 7 : 6, zoom = scale == 2 ? CompositionZoom(2) : 1;
  int back = (directionFlags & VDIR_HORIZONTAL_BACK) != 0;
  uint32_t ids[2] = {vehicleCode, 0};
  uint16_t words[1] = {(uint16_t)((back ? VDIR_HORIZONTAL_BACK : VDIR_HORIZONTAL) |
                                  (directionFlags & VDIR_REVERSED))};
  int savedBackground = DocState.backgroundShown;
  DocState.backgroundShown = 0;
  for (int slice = 0; slice < cells; slice++) {
    VehicleSpan span = {slice * 32, slice * 32 + 31, 0};
    int cell = back ? cells - 1 - slice : slice;
    ComposeVehicleCell(CELL_EMPTY, 0, ids, words, &span, 0, CELL_EMPTY, 0, CELL_EMPTY, 0, 0, 0, 0,
                       0, zoom);
    if (zoom == 1)
      FlushBuf1ToWindow(dc, px + cell * 32 * scale, py, target, 0, 0);
    else
      FlushBuf2ToWindow(dc, px + cell * 32 * scale, py, target, 0, 0);
  }
  DocState.backgroundShown = savedBackground;
  return e->length;
}

int GetCellDrawExtent(uint32_t code, uint32_t state) {
  code = PreviewCode(code);
  int n = 1;
  if (LowerOverhangGroup(code, nullptr) ||
      DrawSymbolPass(code, state, 0, 16, 1, 0, 0, 0, 0, 1) > 0 ||
      DrawSymbolPass(code, state, 0, 16, 2, 0, 0, 0, 0, 1) > 0 ||
      DrawSymbolPass(code, state, 0, 16, 3, 0, 0, 0, 0, 1) > 0) {
    n = 2;
    for (int offset = 32; offset <= 80; offset += 16) {
      if (DrawSymbolPass(code, state, 0, offset, 2, 0, 0, 0, 0, 1) <= 0) break;
      n++;
    }
  }
  if (DrawSymbolPass(code, state, 0, -16, 0, 0, 0, 0, 0, 1) > 0 ||
      UpperOverhangGroup(code, state, nullptr))
    return -(n + 1) * 16;
  return n * 16;
}

void DrawCellColumn(void* dc, int px, int py, uint32_t code, uint32_t state, int scaleIndex) {
  if (scaleIndex < 0 || scaleIndex > 3) return;
  int target = 6 + scaleIndex, rowHeight = 16 << scaleIndex;
  int saved[4] = {ShowOption[1], ShowOption[5], ShowOption[2], ShowOption[3]};
  SetShowOption1(1);
  SetShowOption5(1);
  SetShowOption2(1);
  SetShowOption3(1);
  int extent = GetCellDrawExtent(code, state);
  int rows = extent < 0 ? -extent / 16 - 1 : extent / 16;
  if (extent < 0)
    DrawCellPreview(dc, px, py + rowHeight, CELL_EMPTY, 0, -16, 0, code, state, target);
  for (int i = 0; i < rows; i++)
    DrawCellPreview(dc, px, py - i * rowHeight, code, state, 16 * i, 0, CELL_EMPTY, 0, target);
  SetShowOption1(saved[0]);
  SetShowOption5(saved[1]);
  SetShowOption2(saved[2]);
  SetShowOption3(saved[3]);
}
