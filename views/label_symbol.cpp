// The signs 1..31 of text labels, in the size of the window's zoom step.
#include <cstddef>
#include "graphics/cellbuf.h"
#include "graphics/glyphfile.h"
#include "views/view_draw.h"
#include "views/view_services.h"

static int GlyphPixelSet(int glyph, int row, int column) {
  const uint32_t* g = GetGlyphBits(glyph + column / 8);
  if (!g) return 0;
  return (g[(size_t)row * GLYPH_STRIP_WIDTH + column % 8] & 12) != 0;
}

void DrawLabelSymbol(void* dc, int px, int py, int zoom, uint32_t colour, char16_t ch) {
  if (ch >= 32 || !dc) return;
  if (zoom <= 1) {
    for (int r = 0; r < 16; r++)
      for (int i = 0; i < 8; i++)
        if (GlyphPixelSet(11608 + ch, r, i)) PutPixel(dc, px - 4 + i, py + r, colour);
    return;
  }
  int g = (ch & 3) * 2 + ((ch + 88) >> 2) * 16;
  int scale = zoom / 2, x0 = px - 4 * zoom;
  for (int r = 0; r < 32; r++) {
    int glyph = r < 16 ? 11672 + g : 11664 + g;
    for (int i = 0; i < 16; i++) {
      if (!GlyphPixelSet(glyph, r % 16, i)) continue;
      if (scale == 1)
        PutPixel(dc, x0 + i, py + r, colour);
      else
        FillRectColour(dc, x0 + i * scale, py + r * scale, x0 + i * scale + scale - 1,
                       py + r * scale + scale - 1, colour);
    }
  }
}
