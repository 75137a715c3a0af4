// Vehicles in cell pictures: the slice of each vehicle graphic that lies in a cell, drawn into the
// cell buffer of the zoom in the direction of travel, with smoke from the chimneys.
#pragma once
#include <cstdint>
#include "graphics/vehicles.h"

// Direction word of a vehicle on a cell.
constexpr uint32_t VDIR_VERTICAL = 0x01;       // vertical, in list order
constexpr uint32_t VDIR_VERTICAL_BACK = 0x02;  // vertical, reverse list order, mirrored
constexpr uint32_t VDIR_HORIZONTAL = 0x04;
constexpr uint32_t VDIR_HORIZONTAL_BACK = 0x08;
constexpr uint32_t VDIR_DIAGONAL_B = 0x10;  // falling to the right
constexpr uint32_t VDIR_DIAGONAL_B_BACK = 0x20;
constexpr uint32_t VDIR_DIAGONAL_A = 0x40;  // rising to the right
constexpr uint32_t VDIR_DIAGONAL_A_BACK = 0x80;
constexpr uint32_t VDIR_REVERSED = 0x8000;  // the vehicle faces backwards
constexpr int CELL_VEHICLES = 8;

// The pixel span of one vehicle in a cell: columns first..last of the graphic go to the cell from
// column x on.
struct VehicleSpan {
  int first, last, x;
};

// Span look-up: 1 when the span lies in the graphic, with the side view to use (null for a
// graphic that is not loaded, drawn as a placeholder), its record (null when unknown) and length;
// x, first and last are mirrored for the directions that draw from the other end.
int GetVehicleSpanZoom1(uint32_t id, uint32_t word, int* x, int* first, int* last,
                        const VehicleGraphicEntry** rec, int* length, const uint32_t** pixels);
int GetVehicleSpanZoom2(uint32_t id, uint32_t word, int* x, int* first, int* last,
                        const VehicleGraphicEntry** rec, int* length, const uint32_t** pixels);

// Slice renderers (id, direction word, first column, x in cell, last column).
void DrawVehicleHorizontal(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleHorizontalZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleHorizontalEmpty(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleHorizontalEmptyZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleHorizontalTop(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleHorizontalTopZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleVertical(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleVerticalZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleVerticalInCell(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleVerticalInCellZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalA(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalAZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalB(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalBZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalATop(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalATopZoom2(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalBTop(uint32_t id, uint32_t word, int first, int x, int last);
void DrawVehicleDiagonalBTopZoom2(uint32_t id, uint32_t word, int first, int x, int last);

// Smoke from the chimneys of the graphic (its smoke spans: start column, top of the chimney above
// the rails in pixels, width) for horizontal and diagonal travel; reverse: drawn into the cell
// above the vehicle's cell.
void DrawVehicleSmoke(uint32_t id, uint32_t word, int first, int last, int x, int reverse,
                      int zoom);
void DrawVehicleSmokeVertical(uint32_t id, uint32_t word, int first, int last, int x, int zoom);

// Composes a cell with the vehicles standing on it into the buffer of the zoom: the base picture
// (ComposeCellBase), the vehicles (at most 8; a 0 id ends the list) in their order, smoke when
// asked, and what covers the vehicles (a portal's front and the neighbours' overhangs).
void ComposeVehicleCell(uint32_t code, uint32_t state, const uint32_t* ids, const uint16_t* words,
                        const VehicleSpan* spans, int smoke, uint32_t codeAbove,
                        uint32_t stateAbove, uint32_t codeBelow, uint32_t stateBelow, int suppress,
                        int x, int y, int level, int zoom);
