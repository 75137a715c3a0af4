// The glyph file "quil.gzg" and the glyph store (the pixel strip of every symbol piece), the user
// symbol pages and files (.uzg), and what the start-up step of the symbol graphics builds.
#pragma once
#include <cstdint>

constexpr int GLYPH_COUNT = 69840;                // glyphs of 8 x 16 pixels
constexpr int GLYPH_BUILTIN_COUNT = 12240;        // 85 blocks of 144
constexpr int GLYPH_USER_FIRST = 12240;           // page n: 12240 + 576 n .. + 575
constexpr int GLYPH_STRIP_WIDTH = 558720;         // pixels per row plane (GLYPH_COUNT x 8)
constexpr uint32_t GLYPH_STORE_BYTES = 35758080;  // 16 row planes
constexpr int USER_PAGE_COUNT = 100;

// The store: 16 row planes; row r of glyph g is the 8 pixel words at r * 558720 + 8 g.
extern uint32_t* GlyphStore;

// The start-up step: 0, 6 (colour warning only), 1..3 (open errors of "quil.gzg"), 2 (glyph data
// faulty), 4 (a default vehicle-graphic set of "quil.fzg" missing or faulty), 5 (out of memory or
// no drawing surfaces).
int LoadSymbolFile();
// Frees everything LoadSymbolFile built (also after a failure; twice does no harm).
void FreeSymbolGraphics();
// Reads user-symbol page n (0..99) from the open stream: a default page of the glyph file
// (isDefault) or a .uzg file. 0; 1 format or read error; 2 symbol table.
int ReadUserSymbolPage(int n, int isDefault);
// Loads one .uzg file into page n: 0; 11 page out of range; else the page comes from the glyph
// file and the result says why: 6 file faulty, 3 x the open error; 8 or the reader's code + 1
// when even that failed.
int LoadUserSymbolFile(int n, const char16_t* path);
// Reads one glyph block (144 glyphs from glyph `first`) of the open stream in its mode:
// 0 mode 0 (bit planes with mask), 1 (bit planes), 2 (stripes), 3 (byte per pixel), 4 (raw
// attribute bytes). 0 or the stream's error.
int ReadGlyphs(int first, int count, int mode);

// The screen's colour depth and whether it uses a palette (build-specific).
int QueryScreenColours(int* bitsPerPixel, int* usesPalette);
