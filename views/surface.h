// The device contexts the drawing primitives, the glyph text and the previews draw on, seen as
// pixel surfaces. The Win32 build passes each call to the graphics interface; the native build
// draws into a surface of its own (views/surface_native.h), so the drawing can be tested
// without a device context. Colours are platform colours (red in the low byte).
#pragma once
#include <cstdint>

constexpr uint32_t SURFACE_TRANSPARENT = 0x80000001;  // a background that is not drawn

// One pixel: exact (SetPixelV) when the raster flag allows it, else the nearest colour.
void SurfaceSetPixel(void* dc, int x, int y, uint32_t colour, int exact);
// The pixel's colour; 0xFFFFFFFF outside the surface.
uint32_t SurfaceGetPixel(void* dc, int x, int y);
// Fills left..right-1, top..bottom-1 with a solid colour: 0, or 1 when no brush could be made.
int SurfaceFillRect(void* dc, int left, int top, int right, int bottom, uint32_t colour);
// An 8 x 16 glyph at (x, y): rows[r] bit (7 - i) set where pixel i of row r is set; set pixels
// take the foreground, the others the background (opaque).
void SurfaceGlyph8x16(void* dc, int x, int y, const uint8_t rows[16], uint32_t foreground,
                      uint32_t background);
// A text in a platform font (null: the context's font), centred on x when centred is set, else
// starting at x; opaque over background unless it is SURFACE_TRANSPARENT.
void SurfaceText(void* dc, void* font, int x, int y, const char16_t* text, int count,
                 uint32_t colour, uint32_t background, int centred);
// A transparent text starting at (left, top), clipped to left..right-1, top..bottom-1.
void SurfaceTextClipped(void* dc, void* font, int left, int top, int right, int bottom,
                        const char16_t* text, int count, uint32_t colour);
// Width and height of a text in a platform font (null: the context's font).
void SurfaceTextExtent(void* dc, void* font, const char16_t* text, int count, int* width,
                       int* height);
// Copies a w x h block of 32-bit pixels (blue in the low byte, rows from the top) to (x, y).
void SurfaceCopyPixels(void* dc, int x, int y, int w, int h, const uint32_t* pixels);
