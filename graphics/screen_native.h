// Native seam: the colour depth and palette flag the native "screen" reports.
#pragma once
extern int NativeScreenBits;
extern int NativeScreenPalette;
