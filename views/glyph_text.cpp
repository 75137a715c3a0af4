// Text drawn from the program's own 8 x 16 glyphs: plain characters, the small signs 1..31 of
// the glyph store, and symbol texts with embedded cell, vehicle and preview-column pictures.
#include <cstddef>
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "graphics/glyphfile.h"
#include "views/surface.h"
#include "views/view_services.h"

constexpr int kGlyphSigns = 11608;  // glyph of sign 0; signs 1..31 follow

static int PenX = 0, PenY = 0;

void SetGlyphPen(int x, int y) {
  PenX = x;
  PenY = y;
}

void GetGlyphPen(int* x, int* y) {
  if (x) *x = PenX;
  if (y) *y = PenY;
}

// Pixel (i, r) of an 8 x 16 glyph is set when its mask bit 4 is.
static int GlyphRows(int glyph, uint8_t rows[16]) {
  const uint32_t* g = GetGlyphBits(glyph);
  if (!g) return 0;
  for (int r = 0; r < 16; r++) {
    const uint32_t* row = g + (size_t)r * GLYPH_STRIP_WIDTH;
    uint8_t b = 0;
    for (int i = 0; i < 8; i++)
      if (row[i] & 4) b |= (uint8_t)(0x80 >> i);
    rows[r] = b;
  }
  return 1;
}

void DrawGlyphChar(void* dc, char16_t ch, uint32_t colour, uint32_t background) {
  if (!dc || !GlyphStore) return;
  int transparent = background == SURFACE_TRANSPARENT;
  if (ch == 32) {
    if (!transparent) FillRectColour(dc, PenX, PenY, PenX + 7, PenY + 15, background);
  } else if (ch < 32) {
    uint8_t rows[16];
    if (GlyphRows(kGlyphSigns + ch, rows)) {
      if (transparent) {
        for (int r = 0; r < 16; r++)
          for (int i = 0; i < 8; i++)
            if (rows[r] & (0x80 >> i)) PutPixel(dc, PenX + i, PenY + r, colour);
      } else {
        SurfaceGlyph8x16(dc, PenX, PenY, rows, colour, background);
      }
    }
  } else {
    char16_t text[2] = {ch, 0};
    SurfaceText(dc, GetDisplayFont1(), PenX + 4, PenY, text, 1, colour, background, 1);
  }
  PenX += 8;
}

void DrawGlyphRun(void* dc, int x, int y, char16_t ch, uint32_t colour, uint32_t background) {
  SetGlyphPen(x, y);
  DrawGlyphChar(dc, ch, colour, background);
}

// Units an embedded item takes after its start unit, and its width in glyph cells (-1: a plain
// character). Units 2 and 6 take their parameters only when they open a highlight.
static int ItemShape(char16_t unit, int highlightOpen, int* extra) {
  switch (unit) {
    case 1: *extra = 3; return 4;
    case 2: *extra = highlightOpen ? 0 : 3; return 0;
    case 3: *extra = 3; return 17;
    case 4: *extra = 0; return 4;
    case 5: *extra = 4; return 4;
    case 6: *extra = highlightOpen ? 0 : 5; return 0;
  }
  *extra = 0;
  return -1;
}

int MeasureSymbolText(const char16_t* text, int* length) {
  int cells = 0, i = 0, highlight = 0;
  if (text) {
    while (text[i]) {
      int extra;
      int w = ItemShape(text[i], highlight, &extra);
      if (text[i] == 2 || text[i] == 6) highlight = !highlight;
      cells += w < 0 ? 1 : w;
      i += 1 + extra;
    }
  }
  if (length) *length = i + 1;
  return cells * 8;
}

static uint32_t Code32(const char16_t* t) { return (uint32_t)t[0] | ((uint32_t)t[1] << 16); }

void DrawSymbolText(void* dc, int x, int y, const char16_t* text, uint32_t colour,
                    uint32_t highlight, uint32_t background, int count) {
  SetGlyphPen(x, y);
  if (!dc) return;
  // Pictures in texts show the stored states and no lamp marks, as previews do.
  int saved2 = ShowOption[2], saved3 = ShowOption[3];
  SetShowOption2(1);
  SetShowOption3(1);
  int used = 0, i = 0, inHighlight = 0;
  while (text && text[i]) {
    char16_t u = text[i];
    int extra;
    int w = ItemShape(u, inHighlight, &extra);
    int cells = w < 0 ? 1 : w;
    if (used + cells > count) break;
    const char16_t* p = text + i + 1;
    switch (u) {
      case 1: DrawCellPreview(dc, PenX, PenY, Code32(p), p[2], 0, 0, 0xC000, 0, 6); break;
      case 2:
      case 6: inHighlight = !inHighlight; break;
      case 3: {
        uint32_t vehicle = Code32(p);
        DrawCellVehicles(dc, PenX, PenY, 2, 1, vehicle, 8);
        SetGlyphPen(PenX + 64, PenY);
        DrawGlyphChar(dc, u' ', colour, background);
        DrawCellVehicles(dc, PenX, PenY, 2, 1, vehicle, 4);
        SetGlyphPen(PenX - 72, PenY);
        break;
      }
      case 4: DrawCellPreview(dc, PenX, PenY, 0xC000, 0, 0, 1, 0xC000, 0, 6); break;
      case 5: {
        uint32_t code = Code32(p), state = p[2];
        int extent = GetCellDrawExtent(code, state);
        int rows = (extent < 0 ? -extent / 16 - 1 : extent / 16);
        if (rows < 1) rows = 1;
        DrawCellColumn(dc, PenX, PenY + (rows - 1) * 16, code, state, 0);
        break;
      }
      default: {
        int pen = PenX;
        DrawGlyphChar(dc, u, inHighlight ? highlight : colour, background);
        PenX = pen;
      }
    }
    PenX += cells * 8;
    used += cells;
    i += 1 + extra;
  }
  for (; used < count; used++) DrawGlyphChar(dc, u' ', colour, background);
  SetShowOption2(saved2);
  SetShowOption3(saved3);
}
