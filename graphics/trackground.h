// Track ground and track pattern pieces: track and way codes (below 16384) are painted slot by
// slot from small mask pieces in the colours of their track kind, on textured grounds (ballast,
// grass, meadow, water); diagonal tracks reach into the cells above and below, so the same
// machinery paints the overhanging rows of the neighbours' tracks.
#pragma once
#include <cstdint>

constexpr int PATTERN_GROUPS = 143;
constexpr int PATTERN_ROWS = 32;
constexpr uint8_t PATTERN_END = 255;  // ends a group early; an empty slot of a row
// Group table (4 row numbers each) and row table (4 piece numbers each, one per 8-pixel slot).
extern const uint8_t kPatternGroups[PATTERN_GROUPS * 4];
extern const uint8_t kPatternRows[PATTERN_ROWS * 4];
// Overhang groups by symbol number: the rows a neighbour's track puts into the cell below it
// (upper, with the switch state in which a branch is turned away and the group then) and into the
// cell above it (lower).
extern const uint8_t kUpperOverhang[512], kUpperOverhangHideState[512], kUpperOverhangHidden[512];
extern const uint8_t kLowerOverhang[512];

// A code's track classification.
struct TrackClass {
  int kind;     // 1..14 for codes below 16384, 0 above
  int group;    // pattern group 0..142
  int ground;   // the ground flag (code bit 0x200 for kinds 1-4 and 9-14)
  int variant;  // extra variant 0..2 (row drawn in the track colour), -1 none
};
TrackClass ClassifyTrackCode(uint32_t code);

// Draws the ground, the own track and the neighbours' ground passes of a track or element code;
// returns the track colour (pixel order) or 0x80000001 when there is none.
uint32_t ComposeTrackGround(uint32_t code, uint32_t codeAbove, uint32_t stateAbove,
                            uint32_t codeBelow, uint32_t stateBelow, int suppress, int x, int y,
                            int level, int zoom);
// The overhanging rows of the neighbours' tracks: their ground (with the parity as texture
// argument) and their track (in the colour given, or the neighbour kind's own colour when it is
// 0x80000001).
void DrawUpperNeighbourGround(uint32_t codeAbove, uint32_t stateAbove, int parity, int zoom);
void DrawUpperNeighbourTrack(uint32_t codeAbove, uint32_t stateAbove, int zoom, uint32_t colour);
void DrawLowerNeighbourGround(uint32_t codeBelow, int parity, int zoom);
void DrawLowerNeighbourTrack(uint32_t codeBelow, int zoom, uint32_t colour);
// The pattern group of the rows of a neighbour's symbol that reach into the cell below it (upper)
// or above it (lower); 0 none. kind (may be null) gets the neighbour's classification.
int UpperOverhangGroup(uint32_t code, uint32_t state, TrackClass* kind);
int LowerOverhangGroup(uint32_t code, TrackClass* kind);

// Piece renderers: every pixel of mask piece `piece` (0..143) in slot 0..3 whose mask byte has
// one of the renderer's bits gets its colour, written straight into the zoom's cell buffer.
void DrawPiecePlain(int piece, int slot, uint32_t colour, int zoom);                    // 0x80
void DrawPieceSecond(int piece, int slot, uint32_t colour, int zoom);                   // 0x40
void DrawPieceFill(int piece, int slot, uint32_t colour, int zoom);                     // 0x0C
void DrawPieceColour84(int piece, int slot, int zoom);                                  // 0x04
void DrawPieceChecker(int piece, int slot, uint32_t first, uint32_t second, int zoom);  // 0x8F
void DrawPieceRipple(int piece, int slot, uint32_t argument, int zoom);                 // 0x10
void DrawPieceBallast(int piece, int slot, uint32_t argument, int zoom);                // 0x02
void DrawPieceGrass(int piece, int slot, uint32_t argument, int zoom);                  // 0x0E
void DrawPieceMeadow(int piece, int slot, uint32_t argument, int zoom);                 // 0x20
void DrawPieceBallastList(int piece, int slot, uint32_t argument, int zoom);            // 0x0A
