// Native seam: the colour depth, palette flag and raster capabilities the native "screen"
// reports.
#pragma once
extern int NativeScreenBits;
extern int NativeScreenPalette;
extern int NativeScreenRaster;  // the raster capability bits
