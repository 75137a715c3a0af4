// Finishing a composed cell: the state marks and grid marks, the light of the day (or the tint of
// the lower levels), the darkening of marked pixels, and the copy into an edit window's drawing
// buffer enlarged for its zoom step, or into a dialog's preview.
#pragma once
#include <cstdint>

// Targets: 0..5 an edit window; 6..9 a preview in the device context at scale 1, 2, 4, 8 (of the
// zoom-1 cell). Flags: bits 0-2 state marks, FLUSH_LIGHTS the cell's lamps and first window group
// lit. gridMask as DrawGridMarks1 / DrawGridMarks2 take it.
constexpr uint32_t FLUSH_LIGHTS = 16;
void FlushBuf1ToWindow(void* dc, int x, int y, int target, uint32_t flags, uint32_t gridMask);
void FlushBuf2ToWindow(void* dc, int x, int y, int target, uint32_t flags, uint32_t gridMask);
void DrawStateMarksBuf1(uint32_t flags);
void DrawStateMarksBuf2(uint32_t flags);
// A line-diagram cell: targets 6 and 7 take the 16 x 16 or 24 x 24 top-left square of
// CellBuffer2 into the device context; windows 0..5 the square of 16 / zoom pixels.
void FlushDiagramCell(void* dc, int x, int y, int target);
// The tint word of an edit window's cell: 120 / 121 on a lower level, the day phase on level 0
// when the day-phase option is on (with FLUSH_LIGHTS: + 24). *on gets whether to tint at all.
uint32_t CellTintWord(int window, uint32_t flags, int* on);

// The preview layer (build-specific): puts a bottom-up block of w x h pixels into the device
// context at (x, y), stretched to destW x destH. Through the cell bitmaps (32 x 16 or 64 x 32) or,
// with direct set, straight to the device. 0 done, 1 refused.
int BlitCellPreview(void* dc, int x, int y, const uint32_t* pixels, int w, int h, int destW,
                    int destH, int direct);
