// The glyph file and the user symbol pages: the start-up step of the symbol graphics.
#include "graphics/glyphfile.h"
#include "core/misc.h"
#include "core/stream.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "graphics/graphics_section.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "views/view_services.h"

uint32_t* GlyphStore = nullptr;
static int DrawingSurfacesMade = 0;

// Raw values of the attribute blocks 80..84 (mode 4); every other byte gives 0.
static uint32_t AttributeValue(uint8_t b) {
  switch (b) {
    case 1: return 144;
    case 5: return 1;
    case 7: return 34;
    case 12: return 20;
    case 15: return 36;
    case 23: return 18;
    case 26: return 98;
    case 40: return 40;
    case 44: return 24;
  }
  return 0;
}

static inline uint32_t* GlyphRow(int glyph, int row) {
  return GlyphStore + (size_t)row * GLYPH_STRIP_WIDTH + (size_t)glyph * 8;
}

int ReadGlyphs(int first, int count, int mode) {
  if (!GlyphStore || first < 0 || count < 0 || first + count > GLYPH_COUNT) return STREAM_ERR_READ;
  uint32_t colours[256];
  for (int i = 0; i < 256; i++) colours[i] = ResolveColourRgb((uint32_t)i);
  uint8_t buf[128];
  for (int g = first; g < first + count; g++) {
    if (mode == 0 || mode == 1) {
      int per = mode == 0 ? 5 : 4;
      uint32_t got = StreamReadBytes(buf, (uint32_t)(16 * per));
      if (got < (uint32_t)(16 * per)) return got == 0 ? STREAM_ERR_EOF : STREAM_ERR_READ;
      for (int r = 0; r < 16; r++) {
        const uint8_t* b = buf + r * per;
        uint32_t* out = GlyphRow(g, r);
        for (int i = 0; i < 8; i++) {
          int bit = 7 - i;
          uint32_t n = ((b[0] >> bit) & 1) | ((b[1] >> bit) & 1) << 1 | ((b[2] >> bit) & 1) << 2 |
                       ((b[3] >> bit) & 1) << 3;
          if (mode == 0 && ((b[4] >> bit) & 1)) n = 255;
          if (mode == 1 && n == 6) n = 126;
          out[i] = colours[n];
        }
      }
    } else if (mode == 2) {
      for (int r = 0; r < 16; r++) {
        uint32_t* out = GlyphRow(g, r);
        for (int i = 0; i < 8; i++) out[i] = colours[(i & 1) ? 15 : 0];
      }
    } else {
      uint32_t got = StreamReadBytes(buf, 128);
      if (got < 128) return got == 0 ? STREAM_ERR_EOF : STREAM_ERR_READ;
      for (int r = 0; r < 16; r++) {
        uint32_t* out = GlyphRow(g, r);
        for (int i = 0; i < 8; i++)
          out[i] = mode == 4 ? AttributeValue(buf[r * 8 + i]) : colours[buf[r * 8 + i]];
      }
    }
  }
  return 0;
}

// A block header: 0 with *mode (0 or byte-per-pixel), or 2 for a bad header, or a stream error.
static int ReadBlockHeader(int* bytePerPixel) {
  uint16_t w;
  int r = StreamReadWord(&w);
  if (r) return r;
  *bytePerPixel = w == 65535;
  if (w == 65535 && (r = StreamReadWord(&w))) return r;
  if (w != 144) return 2;
  if ((r = StreamReadWord(&w))) return r;
  return w == 0 ? 0 : 2;
}

static int ReadBuiltinBlocks() {
  for (int k = 0; k < 85; k++) {
    int bpp;
    if (ReadBlockHeader(&bpp)) return 2;
    int mode = bpp ? (k >= 80 ? 4 : 3) : 0;
    if (ReadGlyphs(144 * k, 144, mode)) return 2;
  }
  return 0;
}

static int SetPagePieces(int n, int s, int count, const SymbolPart* parts) {
  return SetSymbolDefinition(SYMBOL_USER_FIRST + 36 * n + s, count, parts) ? 2 : 0;
}

static SymbolPart FullCellPart(int glyph, int y, int pass) {
  SymbolPart p = {};
  p.x = 0;
  p.y = (int16_t)y;
  p.pass = (uint16_t)pass;
  p.width = 32;
  p.height = 16;
  p.source = (uint32_t)glyph * 8;
  return p;
}

int ReadUserSymbolPage(int n, int isDefault) {
  if (n < 0 || n >= USER_PAGE_COUNT) return 1;
  int base = GLYPH_USER_FIRST + 576 * n;
  uint16_t w;
  if (isDefault) {
    int bpp;
    if (ReadBlockHeader(&bpp)) return 1;
    for (int s = 0; s < 36; s++)
      if (ReadGlyphs(base + 16 * s, 4, bpp ? 3 : 0)) return 1;
    for (int s = 0; s < 36; s++) {
      SymbolPart p = FullCellPart(base + 16 * s, 0, 2);
      if (SetPagePieces(n, s, 1, &p)) return 2;
    }
    return 0;
  }
  if (StreamReadWord(&w)) return 1;
  int mode, count = 144;
  if (w == 1589 || w == 2357) {
    mode = w == 1589 ? 0 : 3;
    uint16_t c;
    if (StreamReadWord(&c)) return 1;
    if (c < 4 || c > 576) return 1;
    count = c;
  } else if (w == 144) {
    mode = 1;
  } else {
    return 1;
  }
  if (StreamReadWord(&w) || w != 0) return 1;
  if (mode == 1) {  // old files: 36 symbols of four glyphs
    for (int s = 0; s < 36; s++)
      if (ReadGlyphs(base + 16 * s, 4, 1)) return 1;
    for (int s = 0; s < 36; s++) {
      SymbolPart p = FullCellPart(base + 16 * s, 0, 2);
      if (SetPagePieces(n, s, 1, &p)) return 2;
    }
    return 0;
  }
  if (ReadGlyphs(base, count, mode)) return 1;
  if (ReadGlyphs(base + count, 576 - count, 2)) return 1;
  uint16_t m1, m2;
  if (StreamReadWord(&m1) || StreamReadWord(&m2) || m1 != 22867 || m2 != 21581) return 1;
  uint16_t refs[36][6];
  for (int s = 0; s < 36; s++)
    for (int j = 0; j < 6; j++) {
      if (StreamReadWord(&refs[s][j])) return 1;
      if (refs[s][j] != 65535 && refs[s][j] >= 144) return 1;
    }
  static const int16_t kY[6] = {-16, 0, 0, 16, 32, 48};
  for (int s = 0; s < 36; s++) {
    uint16_t* r = refs[s];
    const uint16_t none = 65535;
    if (r[1] == none && r[2] == none) return 1;
    if (r[4] != none && r[3] == none) return 1;
    if (r[5] != none && r[4] == none) return 1;
    if (r[5] != none && r[0] != none) return 1;
    if (r[2] == none) r[2] = r[1], r[1] = none;
  }
  for (int s = 0; s < 36; s++) {
    SymbolPart parts[6];
    int k = 0;
    for (int j = 0; j < 6; j++)
      if (refs[s][j] != 65535)
        parts[k++] = FullCellPart(base + 4 * refs[s][j], kY[j], j == 0 ? 0 : 2);
    if (SetPagePieces(n, s, k, parts)) return 2;
  }
  return 0;
}

// Skips one block or default page of the glyph file by its own header: 0, or 1 on failure.
static int SkipGlyphBlock() {
  int bpp;
  if (ReadBlockHeader(&bpp)) return 1;
  return StreamSeek(144 * (bpp ? 128 : 80)) ? 1 : 0;
}

int LoadUserSymbolFile(int n, const char16_t* path) {
  if (n < 0 || n >= USER_PAGE_COUNT) return 11;
  int base;
  int r = StreamOpenRead(path, STREAM_READ_SKIP_HEADER, FILE_KIND_NETWORK);
  if (r) {
    base = 3 * r;
  } else {
    r = ReadUserSymbolPage(n, 0);
    StreamCloseRead();
    if (!r) return 0;
    base = 6;
  }
  // The page of the glyph file instead: walk past the built-in blocks and the pages before it.
  if (StreamOpenRead(u"quil.gzg", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM)) return 8;
  for (int k = 0; k < 85 + n; k++)
    if (SkipGlyphBlock()) {
      StreamCloseRead();
      return 8;
    }
  r = ReadUserSymbolPage(n, 1);
  StreamCloseRead();
  return r ? r + 1 : base;
}

void FreeSymbolGraphics() {
  FreeGraphicData();
  FreeSymbolTable();
  if (GlyphStore) MemFree(GlyphStore);
  GlyphStore = nullptr;
  if (DrawingSurfacesMade) DeleteCellDrawingDCs();
  DrawingSurfacesMade = 0;
  DeleteGlyphFonts();  // display fonts 1 and 2 go with the symbol graphics
}

int LoadSymbolFile() {
  int bits = 32, palette = 0;
  QueryScreenColours(&bits, &palette);
  int colourWarning = bits < 15 || palette;
  FreeGraphicData();
  if (CreateCellDrawingDCs()) {
    DeleteCellDrawingDCs();
    return 5;
  }
  DrawingSurfacesMade = 1;
  GlyphStore = (uint32_t*)GraphicsAlloc(GLYPH_STORE_BYTES);
  if (!GlyphStore) {
    FreeSymbolGraphics();
    return 5;
  }
  FillMem(GlyphStore, 0, GLYPH_STORE_BYTES);
  int r = StreamOpenRead(u"quil.gzg", STREAM_READ_SKIP_HEADER, FILE_KIND_PROGRAM);
  if (r) {
    FreeSymbolGraphics();
    return r;
  }
  if (BuildSymbolTable()) {
    StreamCloseRead();
    FreeSymbolGraphics();
    return 5;
  }
  r = ReadBuiltinBlocks();
  for (int n = 0; !r && n < USER_PAGE_COUNT; n++)
    if (ReadUserSymbolPage(n, 1)) r = 2;
  StreamCloseRead();
  if (r) {
    FreeSymbolGraphics();
    return 2;
  }
  if (PrepareZoom2Pixels()) {
    FreeSymbolGraphics();
    return 5;
  }
  // The nine default vehicle-graphic sets; the first that fails stops the list.
  FreeVehicleGraphicLibrary();
  for (uint32_t id : kDefaultVehicleSets) {
    int v = LoadVehicleGraphicSet(id, 0);
    if (v) {
      FreeSymbolGraphics();
      return v == 4 ? 5 : 4;
    }
  }
  return colourWarning ? 6 : 0;
}
