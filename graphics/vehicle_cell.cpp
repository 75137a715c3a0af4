// Vehicles in cell pictures: span look-up and the slice renderers of horizontal, diagonal and
// vertical travel at zoom 1 and zoom 2, the placeholder of graphics that are not loaded, smoke.
#include "graphics/vehicle_cell.h"
#include "core/misc.h"
#include "graphics/cellbuf.h"
#include "graphics/compose.h"
#include "graphics/trackground.h"

namespace {
constexpr uint32_t kBackGroup = VDIR_HORIZONTAL_BACK | VDIR_DIAGONAL_B | VDIR_DIAGONAL_A_BACK;
constexpr uint32_t kForeGroup = VDIR_HORIZONTAL | VDIR_DIAGONAL_B_BACK | VDIR_DIAGONAL_A;
constexpr uint32_t kStripe = 0xF0F0F0;

// Which side view: the second one for a reversed vehicle going one way, or a forward one going
// the other way.
int SecondView(uint32_t word) {
  return (word & VDIR_REVERSED) ? (word & kBackGroup) != 0 : (word & kForeGroup) != 0;
}

int ClipSpan(int length, int* first, int* last) {
  if (*first < 0) *first = 0;
  if (*first >= length) return 0;
  if (*last > length - 1) *last = length - 1;
  return *last >= *first;
}
}  // namespace

int GetVehicleSpanZoom1(uint32_t id, uint32_t word, int* x, int* first, int* last,
                        const VehicleGraphicEntry** rec, int* length, const uint32_t** pixels) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(id);
  *rec = e;
  *pixels = nullptr;
  if (e) {
    *length = e->length;
    *pixels = VehicleArea(e, SecondView(word) ? 1 : 0, nullptr, nullptr);
  } else {
    uint32_t n = id & ~VG_GROUP;
    *length = n < 8 ? 8 : n > 256 ? 256 : (int)n;
  }
  if (!ClipSpan(*length, first, last)) return 0;
  if (word & kBackGroup) {
    int f = *first, l = *last;
    *x = 32 - *x - (l - f + 1);
    *first = *length - l - 1;
    *last = *length - f - 1;
  }
  return 1;
}

int GetVehicleSpanZoom2(uint32_t id, uint32_t word, int* x, int* first, int* last,
                        const VehicleGraphicEntry** rec, int* length, const uint32_t** pixels) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(id);
  *rec = e;
  *pixels = nullptr;
  if (!e || !e->zoom2) return 0;
  *length = 2 * e->length;
  *pixels = e->zoom2Areas[SecondView(word) ? 1 : 0];
  if (!*pixels) return 0;
  *first *= 2, *last = *last * 2 + 1, *x *= 2;
  if (!ClipSpan(*length, first, last)) return 0;
  if (word & kBackGroup) {
    int f = *first, l = *last;
    *x = 64 - *x - (l - f + 1);
    *first = *length - l - 1;
    *last = *length - f - 1;
  }
  return 1;
}

namespace {
// How a slice lies in the cell: index row of graphic row i (from the bottom) at cell column c.
enum Shape { HORIZONTAL, HORIZONTAL_EMPTY, HORIZONTAL_TOP, DIAG_A, DIAG_B, DIAG_A_TOP, DIAG_B_TOP };

int RowOf(Shape shape, int i, int c, int zoom2) {
  int h = zoom2 ? 32 : 16;
  switch (shape) {
    case HORIZONTAL: return h / 2 + i;
    case HORIZONTAL_EMPTY: return (zoom2 ? 4 : 2) + i;
    case HORIZONTAL_TOP: return i - h / 2;
    case DIAG_A: return i + c / 2;
    case DIAG_B: return i + h - 1 - c / 2;
    case DIAG_A_TOP: return i + c / 2 - h;
    case DIAG_B_TOP: return i + h - 1 - c / 2 - h;
  }
  return -1;
}

// Rows of the graphic the shape takes: horizontal slices at most a half cell in their own cell.
int RowsOf(Shape shape, int height, int zoom2) {
  if (shape == HORIZONTAL) return height < (zoom2 ? 16 : 8) ? height : (zoom2 ? 16 : 8);
  return height;
}

void PutSlicePixel(int zoom2, int c, int row, uint32_t pixel) {
  if (zoom2) {
    if (c >= 0 && c < 64 && row >= 0 && row < 32)
      MergePixelBuf2(&CellBuffer2[row * 64 + c], pixel, 1);
  } else if (c >= 0 && c < 32 && row >= 0 && row < 16) {
    MergePixelBuf1(&CellBuffer1[row * 32 + c], pixel, 1);
  }
}

// A horizontal or diagonal slice at one zoom; 0 when there was nothing to draw.
int DrawSideSlice(Shape shape, uint32_t id, uint32_t word, int first, int x, int last, int zoom2) {
  const VehicleGraphicEntry* e;
  const uint32_t* view;
  int length;
  int inside = zoom2 ? GetVehicleSpanZoom2(id, word, &x, &first, &last, &e, &length, &view)
                     : GetVehicleSpanZoom1(id, word, &x, &first, &last, &e, &length, &view);
  if (!inside) return 0;
  int width = zoom2 ? 64 : 32;
  int height = e ? (zoom2 ? e->z2e1 : e->e1) : 8;
  int rows = RowsOf(shape, height, zoom2);
  for (int i = 0; i < rows; i++)
    for (int col = first; col <= last; col++) {
      int c = x + (col - first);
      if (c >= width) break;  // the slice stops at the right edge of the cell
      if (c < 0) continue;    // a mirrored span may begin left of the cell
      uint32_t p;
      if (view)
        p = view[(height - 1 - i) * length + col];
      else
        p = (col & 1) ? 0x00FF00 : kStripe;
      PutSlicePixel(zoom2, c, RowOf(shape, i, c, zoom2), p);
    }
  return 1;
}

// The zoom-2 form: the graphic's zoom-2 pixels, or the zoom-1 slice scaled up.
void DrawSideSliceZoom2(Shape shape, uint32_t id, uint32_t word, int first, int x, int last) {
  if (DrawSideSlice(shape, id, word, first, x, last, 1)) return;
  const VehicleGraphicEntry* e = FindVehicleGraphic(id);
  if (e && e->zoom2) return;  // zoom-2 pixels exist, the span lies outside them
  ClearBuf1();
  DrawSideSlice(shape, id, word, first, x, last, 0);
  ScaleBuf1ToBuf2();
}

// Vertical travel: the top view (L/2 rows of e2 pixels) along the cell's height, centred.
void DrawVerticalSlice(uint32_t id, uint32_t word, int first, int x, int last) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(id);
  int length = e ? e->length : (int)(id & ~VG_GROUP);
  if (!e && length < 8) length = 8;
  if (!e && length > 256) length = 256;
  if (!ClipSpan(length, &first, &last)) return;
  int width = e ? e->e2 : 8, half = length / 2;
  const uint32_t* top =
      e ? VehicleArea(e, (word & VDIR_REVERSED) ? 4 : 2, nullptr, nullptr) : nullptr;
  int left = 16 - width / 2;
  for (int col = first; col <= last; col++) {
    int along = x + (col - first);  // 0..31 along the travel, two columns a cell row
    if (along < 0) continue;
    if (along >= 32) break;
    int row = (word & VDIR_VERTICAL_BACK) ? along / 2 : 15 - along / 2;
    int r = col / 2;
    if (r >= half && e) continue;
    for (int j = 0; j < width; j++) {
      uint32_t p;
      if (top)
        p = top[((word & VDIR_VERTICAL_BACK) ? half - 1 - r : r) * width + j];
      else
        p = (j & 1) ? (col < length / 2 ? 0x0000FF : 0xFF0000) : kStripe;
      PutSlicePixel(0, left + j, row, p);
    }
  }
}
}  // namespace

// Each side shape has its zoom-1 renderer and the zoom-2 form of it.
#define SIDE_SLICE_RENDERERS(Name, shape)                                       \
  void DrawVehicle##Name(uint32_t id, uint32_t w, int f, int x, int l) {        \
    DrawSideSlice(shape, id, w, f, x, l, 0);                                    \
  }                                                                             \
  void DrawVehicle##Name##Zoom2(uint32_t id, uint32_t w, int f, int x, int l) { \
    DrawSideSliceZoom2(shape, id, w, f, x, l);                                  \
  }
SIDE_SLICE_RENDERERS(Horizontal, HORIZONTAL)
SIDE_SLICE_RENDERERS(HorizontalEmpty, HORIZONTAL_EMPTY)
SIDE_SLICE_RENDERERS(HorizontalTop, HORIZONTAL_TOP)
SIDE_SLICE_RENDERERS(DiagonalA, DIAG_A)
SIDE_SLICE_RENDERERS(DiagonalB, DIAG_B)
SIDE_SLICE_RENDERERS(DiagonalATop, DIAG_A_TOP)
SIDE_SLICE_RENDERERS(DiagonalBTop, DIAG_B_TOP)
#undef SIDE_SLICE_RENDERERS

void DrawVehicleVertical(uint32_t id, uint32_t w, int f, int x, int l) {
  DrawVerticalSlice(id, w, f, x, l);
}
void DrawVehicleVerticalInCell(uint32_t id, uint32_t w, int f, int x, int l) {
  DrawVerticalSlice(id, w, f, x, l);
}
// Zoom 2 without zoom-2 pixels: the zoom-1 slice scaled up.
void DrawVehicleVerticalZoom2(uint32_t id, uint32_t w, int f, int x, int l) {
  ClearBuf1();
  DrawVerticalSlice(id, w, f, x, l);
  ScaleBuf1ToBuf2();
}
void DrawVehicleVerticalInCellZoom2(uint32_t id, uint32_t w, int f, int x, int l) {
  DrawVehicleVerticalZoom2(id, w, f, x, l);
}

// ---- smoke ---------------------------------------------------------------------------------------
namespace {
// Dots of smoke above one drawn column (zoom-1 column c; rows from the top).
void SmokeDots(int c, int baseRow, int zoom) {
  if (zoom < 2) {
    for (int k = 0; k < 2; k++) {
      int row = baseRow + RandomBelow(3);
      if (row >= 0 && row < 16 && c >= 0 && c < 32)
        CellBuffer1[(15 - row) * 32 + c] = RandomGreyPixel();
    }
    return;
  }
  for (int side = 0; side < 2; side++)
    for (int k = 0; k < 4; k++) {
      int row = 2 * baseRow + RandomBelow(6);
      int col = 2 * c + side;
      if (row >= 0 && row < 32 && col >= 0 && col < 64)
        CellBuffer2[(31 - row) * 64 + col] = RandomGreyPixel();
    }
}
}  // namespace

// The chimneys are the smoke spans of the first side view (start column, width, and the kind as
// the chimney's top above the rails); the second view is its mirror picture. Each chimney column
// of the slice smokes at the cell column where the slice renderer draws it.
void DrawVehicleSmoke(uint32_t id, uint32_t word, int first, int last, int x, int reverse,
                      int zoom) {
  if (!(word & (kBackGroup | kForeGroup))) return;
  const VehicleGraphicEntry* e;
  const uint32_t* view;
  int length;
  if (!GetVehicleSpanZoom1(id, word, &x, &first, &last, &e, &length, &view) || !e) return;
  int second = SecondView(word);
  for (int k = 0; k < 3 && e->spanStart[k] >= 0; k++) {
    int width = e->spanLength[k], height = e->spanKind[k];
    int start = second ? length - e->spanStart[k] - width : e->spanStart[k];
    int base = (reverse ? 18 : 2) - height;
    for (int g = start < first ? first : start; g < start + width && g <= last; g++) {
      int c = x + (g - first);
      if (c >= 32) break;
      if (c < 0) continue;
      int offset = second ? start + width - 1 - g : g - start;  // from the chimney's front
      int rise = offset < 3 ? 3 - offset : 0;
      int slope = 0;  // the vehicle's top on a diagonal against a horizontal one
      if (word & (VDIR_DIAGONAL_B | VDIR_DIAGONAL_B_BACK))
        slope = 8 - (31 - c) / 2;
      else if (word & (VDIR_DIAGONAL_A | VDIR_DIAGONAL_A_BACK))
        slope = 8 - c / 2;
      SmokeDots(c, base + rise + slope, zoom);
    }
  }
}

void DrawVehicleSmokeVertical(uint32_t id, uint32_t word, int first, int last, int x, int zoom) {
  const VehicleGraphicEntry* e = FindVehicleGraphic(id);
  if (!e) return;
  for (int k = 0; k < 3 && e->spanStart[k] >= 0; k++) {
    int chimney = e->spanStart[k];
    if (word & VDIR_REVERSED) chimney = e->length - chimney - e->spanLength[k];
    if (chimney < first || chimney > last) continue;
    int along = x + (chimney - first);  // the chimney's place along the travel, 0..31
    if (along < 0 || along >= 32) continue;
    // the smoke drifts backwards from the chimney, widening from 2 to 7 columns
    for (int d = 0; d < 6; d++) {
      int row = (word & VDIR_VERTICAL_BACK) ? along / 2 - d : 15 - along / 2 + d;
      if (row < 0 || row > 15) break;
      int spread = 2 + d;
      for (int dot = 0; dot < 2; dot++) {
        int c = 16 - spread / 2 + RandomBelow(spread);
        if (zoom < 2)
          CellBuffer1[row * 32 + c] = RandomGreyPixel();
        else
          CellBuffer2[(2 * row + RandomBelow(2)) * 64 + 2 * c + RandomBelow(2)] = RandomGreyPixel();
      }
    }
  }
}

// ---- the whole cell ---------------------------------------------------------------------------------
void ComposeVehicleCell(uint32_t code, uint32_t state, const uint32_t* ids, const uint16_t* words,
                        const VehicleSpan* spans, int smoke, uint32_t codeAbove,
                        uint32_t stateAbove, uint32_t codeBelow, uint32_t stateBelow, int suppress,
                        int x, int y, int level, int zoom) {
  int mask = ComposeCellBase(code, state, codeAbove, stateAbove, codeBelow, stateBelow, suppress, x,
                             y, level, zoom);
  int zoom2 = zoom != 1;
  int n = 0;
  while (n < CELL_VEHICLES && ids[n]) n++;
  auto vertical = [&]() {
    for (int i = 0; i < n; i++)
      if (words[i] & VDIR_VERTICAL)
        (zoom2 ? DrawVehicleVerticalInCellZoom2 : DrawVehicleVerticalInCell)(
            ids[i], words[i], spans[i].first, spans[i].x, spans[i].last);
    for (int i = n - 1; i >= 0; i--)
      if (words[i] & VDIR_VERTICAL_BACK)
        (zoom2 ? DrawVehicleVerticalInCellZoom2 : DrawVehicleVerticalInCell)(
            ids[i], words[i], spans[i].first, spans[i].x, spans[i].last);
  };
  int verticalFirst = n && ((words[0] & VDIR_VERTICAL) || (words[n - 1] & VDIR_VERTICAL_BACK));
  if (verticalFirst) vertical();
  for (int i = 0; i < n; i++) {
    uint32_t w = words[i];
    void (*draw)(uint32_t, uint32_t, int, int, int) = nullptr;
    if (w & (VDIR_HORIZONTAL | VDIR_HORIZONTAL_BACK)) {
      if (code == 0xC000)
        draw = zoom2 ? DrawVehicleHorizontalEmptyZoom2 : DrawVehicleHorizontalEmpty;
      else
        draw = zoom2 ? DrawVehicleHorizontalZoom2 : DrawVehicleHorizontal;
    } else if (w & (VDIR_DIAGONAL_B | VDIR_DIAGONAL_B_BACK)) {
      draw = zoom2 ? DrawVehicleDiagonalBZoom2 : DrawVehicleDiagonalB;
    } else if (w & (VDIR_DIAGONAL_A | VDIR_DIAGONAL_A_BACK)) {
      draw = zoom2 ? DrawVehicleDiagonalAZoom2 : DrawVehicleDiagonalA;
    }
    if (draw) draw(ids[i], w, spans[i].first, spans[i].x, spans[i].last);
  }
  if (!verticalFirst) vertical();  // the vertical vehicles cover the others
  if (smoke)
    for (int i = 0; i < n; i++) {
      if (words[i] & (VDIR_VERTICAL | VDIR_VERTICAL_BACK))
        DrawVehicleSmokeVertical(ids[i], words[i], spans[i].first, spans[i].last, spans[i].x, zoom);
      else
        DrawVehicleSmoke(ids[i], words[i], spans[i].first, spans[i].last, spans[i].x, 0, zoom);
    }
  if (!mask) return;
  // A portal: its front again, then the neighbours' pieces that stand before the vehicles.
  DrawSymbolPass(code, state, 0, 0, 4, suppress, x, y, level, zoom);
  if (mask & (4 | 8)) {
    DrawLowerNeighbourGround(codeBelow, x ^ y, zoom);
    DrawSymbolPass(codeBelow, stateBelow, 0, 16, 1, suppress, x, y + 1, level, zoom);
  }
  if (mask & (1 | 2)) {
    DrawUpperNeighbourGround(codeAbove, stateAbove, x ^ y, zoom);
    DrawSymbolPass(codeAbove, stateAbove, 0, -16, 0, suppress, x, y - 1, level, zoom);
  }
  if (mask & (4 | 8)) DrawLowerNeighbourTrack(codeBelow, zoom, PIXEL_CLEAR);
  if (mask & (1 | 2)) DrawUpperNeighbourTrack(codeAbove, stateAbove, zoom, PIXEL_CLEAR);
}
