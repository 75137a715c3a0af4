// The two cell pixel buffers (32 x 16 for zoom 1, 64 x 32 for zoom 2) and every primitive that
// writes them. Rows are kept bottom-up: pixel (x, y) with y from the top lies at index
// (15 - y) * 32 + x and (31 - y) * 64 + x.
#pragma once
#include <cstdint>

extern uint32_t CellBuffer1[512];
extern uint32_t CellBuffer2[2048];

void FillCellBuffer(uint32_t colour, int zoom);
void ClearBuf1();
void FillCellBuffer2Rect(uint32_t colour, int width, int height);
void FillCellBufferChecker(uint32_t a, uint32_t b, int zoom);
void PutPixelToBuf1(int x, int y, uint32_t colour);
int PutPixelToBuf2(int x, int y, uint32_t colour);  // the index written, -1 outside
void DrawVLineBuf2(int x, int y1, int y2, uint32_t colour, int step);
void DrawHLineBuf2(int x1, int y, int x2, uint32_t colour, int step);
void DrawLineBuf2(int x1, int y1, int x2, int y2, uint32_t colour, int step);
void FillRectBuf2(int x1, int y1, int x2, int y2, uint32_t colour);
void DrawArrowBuf2(int x, int y, uint32_t directionBits, uint32_t colour);
void DrawGridMarks1(uint32_t mask);
void DrawGridMarks2(uint32_t mask);
void MergePixelBuf1(uint32_t* target, uint32_t piece, int level0);
void MergePixelBuf2(uint32_t* target, uint32_t piece, int level0);
void ScaleBuf1ToBuf2();
uint32_t DarkenPixel(uint32_t colour);
uint32_t RandomGreyPixel();
uint32_t RandomLightGreyPixel();
// Row 0 of glyph n (8 pixel words); row r lies r * 558720 words further. Null without a store
// or for a glyph outside the store.
const uint32_t* GetGlyphBits(int n);
// The code to draw for a grid cell.
uint32_t GetDisplayCode(int x, int y, int level);
// The animated cells' current frame code of a code from 0x8000 up (every code unchanged until
// the animated cells are drawn).
uint32_t GetAnimatedCode(uint32_t code);
