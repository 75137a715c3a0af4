// Cell composition: the picture of one cell in a cell buffer, put together from the cell's own
// symbol and the pieces of its neighbours' symbols that reach into it, in five drawing passes;
// the piece blitters and random-dot pieces; the empty-cell fill of a window.
#pragma once
#include <cstdint>

// Composes the cell into CellBuffer1 (zoom 1) or CellBuffer2 (any other zoom). Codes are display
// codes, states element states (0 when none); suppress non-zero leaves out symbol codes above
// 16383 (of the cell and its neighbours); level 0..-4. Returns 0, or the direction mask 1, 2, 4
// or 8 of a portal symbol whose front (pass 4) was drawn: then the caller draws the vehicles and
// finishes the cell.
int ComposeCellBase(uint32_t code, uint32_t state, uint32_t codeAbove, uint32_t stateAbove,
                    uint32_t codeBelow, uint32_t stateBelow, int suppress, int x, int y, int level,
                    int zoom);
// Draws the pieces of one pass of a code's symbol that fall into the cell, the symbol shifted by
// (xOffset, yOffset) zoom-1 pixels: +16 / -16 for the cells below / above, +32 for the cell to the
// left (its pieces at x 32..63 reach into this cell) and -32 for the cell to the right; a mirrored
// symbol negates the x offset itself. (cellX, cellY) is the drawn symbol's cell (its parity decides
// skipped pieces). Returns the number of pieces that passed the tests.
int DrawSymbolPass(uint32_t code, uint32_t state, int xOffset, int yOffset, int pass, int suppress,
                   int cellX, int cellY, int level, int zoom);

// Piece blitters (y from the bottom row of the cell; the mirrored forms count x from the right
// edge and write each row leftwards). Only pixels inside the cell buffer are written.
void CopyPieceBuf1(int x, int y, int width, int height, uint32_t stripColumn, int level0);
void CopyPieceMirroredBuf1(int x, int y, int width, int height, uint32_t stripColumn, int level0);
void CopyPieceBuf2(int x, int y, int width, int height, const uint32_t* pixels, int level0);
void CopyPieceMirroredBuf2(int x, int y, int width, int height, const uint32_t* pixels, int level0);
// Random-dot pieces (flags 0x04: light dots, else dark).
void DrawDotPieceBuf1(uint32_t flags, int x, int y, int width);
void DrawDotPieceBuf2(uint32_t flags, int x, int y, int width);

// The empty-cell fill of window 0..5 at pixel (x, y): the rectangle of one cell at the window's
// zoom step, clipped to the window, in the background colour of the window's level (level 0 with
// the day phase applied). FillEmptyCellRect does the same at zoom 1 and passes larger zoom steps
// on.
void PutLeerSym248a(int x, int y, int window);
void FillEmptyCellRect(void* dc, int x, int y, int window);
