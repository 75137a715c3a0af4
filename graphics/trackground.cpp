// Track ground and track pattern pieces.
#include "graphics/trackground.h"
#include "core/misc.h"
#include "elements/element_services.h"
#include "graphics/cellbuf.h"
#include "graphics/colours.h"
#include "graphics/compose.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"
#include "signalling/signal_symbols.h"
#include "views/view_services.h"

// ---- colour lists of the textures (pixel order) ----------------------------------------------
static const uint32_t kGrass[26] = {
    0x148014, 0x00A800, 0x148014, 0x007000, 0x148014, 0x007000, 0x148014, 0x3C8464, 0x148014,
    0x007000, 0x148014, 0x0C940C, 0x007000, 0x148014, 0x007000, 0x148014, 0x649864, 0x148014,
    0x007000, 0x0C940C, 0x3C8464, 0x148014, 0x787800, 0x148014, 0xA88600, 0x148014};
static const uint32_t kMeadow[29] = {0x00A800, 0x329828, 0xB21400, 0x14C000, 0xA88214, 0x1E9E1E,
                                     0x645454, 0x40B936, 0x0A940A, 0x1E5C00, 0xB4B414, 0x8C9464,
                                     0x1EB414, 0x788C78, 0x3C803C, 0x6C761E, 0x145214, 0x464646,
                                     0x6E965A, 0x829682, 0x14B414, 0x8A8080, 0x946E28, 0x504040,
                                     0x0AB20A, 0xBEBEAA, 0x0A5C00, 0x8CA08C, 0x007000};
static const uint8_t kBallastNumbers[45] = {5, 60, 5,  20, 5,  5,  60, 5,  5, 7,  5, 5,  60, 5, 28,
                                            5, 5,  60, 5,  58, 60, 5,  60, 5, 17, 5, 5,  60, 5, 60,
                                            5, 5,  60, 5,  60, 5,  5,  46, 5, 60, 5, 38, 60, 5, 5};

static uint32_t TableColour(int n) { return SwapRedBlue(ColourTable[n]); }

// ---- classification --------------------------------------------------------------------------
static int GroupOf(uint32_t s, int* variant) {
  *variant = -1;
  if (s <= 3) return (int)s + 1;
  if (s <= 11) return (int)s - 3;
  if (s <= 15) return (int)s + 7;
  if (s <= 23) return (int)s + 98;
  if (s <= 95) return (int)s - 15;
  if (s >= 208 && s <= 210) return 2;
  if ((s >= 136 && s <= 151) || (s >= 256 && s <= 259)) return (int)(s & 3) + 1;
  if (s >= 168 && s <= 175) return (int)s - 87;
  if (s >= 184 && s <= 191) return (int)s - 103;
  if (s >= 260 && s <= 263) return 2;
  if (s >= 272 && s <= 287) return (int)s - 183;
  if (s >= 288 && s <= 303) return (int)s - 161;
  if (s >= 472 && s <= 495) {
    *variant = (int)(s - 472) / 8;
    return (int)s - 415 - 8 * *variant;
  }
  if (s >= 496 && s <= 503) return (int)s - 487;
  if (s >= 504) return (int)s - 495;
  static const int kBySide[4] = {2, 1, 3, 4};
  return kBySide[(s & 6) >> 1];
}

TrackClass ClassifyTrackCode(uint32_t code) {
  TrackClass t = {0, 0, 0, -1};
  if (code > 16383) return t;
  static const struct {
    uint32_t below;
    int kind;
  } kKinds[] = {{1024, 1},   {2048, 2},   {3072, 3},   {4096, 4},  {4608, 5},
                {5120, 6},   {5632, 7},   {7168, 8},   {8192, 9},  {9216, 10},
                {10240, 11}, {11264, 12}, {12288, 13}, {16384, 14}};
  for (const auto& k : kKinds)
    if (code < k.below) {
      t.kind = k.kind;
      break;
    }
  t.ground = (t.kind <= 4 || t.kind >= 9) && (code & 0x200) ? 1 : 0;
  t.group = GroupOf(code & 0x1FF, &t.variant);
  if (t.variant >= 0 && t.kind + 9 <= 14) t.kind += 9;
  return t;
}

// ---- mask pieces -----------------------------------------------------------------------------
// Mask byte of piece n at (column, row from the top) of its 8 x 16 (zoom 1) or 16 x 32 picture.
static const uint32_t* MaskRow(int piece, int row, int zoom) {
  if (!GlyphStore || piece < 0 || piece > 143) return nullptr;
  uint32_t glyph;
  if (zoom == 1) {
    glyph = 11520u + (uint32_t)piece;
  } else {
    uint32_t base = 2u * (uint32_t)(piece & 3) + 16u * (uint32_t)(piece >> 2);
    glyph = (row < 16 ? 11672u : 11664u) + base;
    row &= 15;
  }
  return GlyphStore + (size_t)row * GLYPH_STRIP_WIDTH + 8u * glyph;
}

// Walks the pixels of a piece in a slot (rows from the top, columns left to right) and writes
// colour(x, indexRow) into every pixel whose mask byte has one of the bits.
template <typename Colour>
static void Paint(int piece, int slot, uint32_t bits, int zoom, Colour colour) {
  if (slot < 0 || slot > 3) return;
  int w = zoom == 1 ? 8 : 16, h = zoom == 1 ? 16 : 32, stride = zoom == 1 ? 32 : 64;
  uint32_t* buf = zoom == 1 ? CellBuffer1 : CellBuffer2;
  for (int r = 0; r < h; r++) {
    const uint32_t* mask = MaskRow(piece, r, zoom);
    if (!mask) return;
    int indexRow = h - 1 - r;
    for (int c = 0; c < w; c++) {
      if (!(mask[c] & bits)) continue;
      int x = slot * w + c;
      buf[indexRow * stride + x] = colour(x, indexRow);
    }
  }
}

void DrawPiecePlain(int piece, int slot, uint32_t colour, int zoom) {
  Paint(piece, slot, 0x80, zoom, [&](int, int) { return colour; });
}
void DrawPieceSecond(int piece, int slot, uint32_t colour, int zoom) {
  Paint(piece, slot, 0x40, zoom, [&](int, int) { return colour; });
}
void DrawPieceFill(int piece, int slot, uint32_t colour, int zoom) {
  Paint(piece, slot, 0x0C, zoom, [&](int, int) { return colour; });
}
void DrawPieceColour84(int piece, int slot, int zoom) {
  uint32_t c = TableColour(84);
  Paint(piece, slot, 0x04, zoom, [&](int, int) { return c; });
}
void DrawPieceChecker(int piece, int slot, uint32_t first, uint32_t second, int zoom) {
  Paint(piece, slot, 0x8F, zoom, [&](int x, int row) { return ((x ^ row) & 1) ? first : second; });
}
void DrawPieceRipple(int piece, int slot, uint32_t argument, int zoom) {
  uint32_t k = argument & 31;
  Paint(piece, slot, 0x10, zoom, [&](int, int) {
    uint32_t c = 0xA80000u | ((121u + k) << 8);
    k = (k + 17) % 32;
    return c;
  });
}

// The four list textures: at zoom 1 the list is walked from k0 = ((argument + slot) x 3) mod N;
// at zoom 2 the own generator, seeded with k0, picks each pixel's entry. The generator's seed is
// given back afterwards, so drawing never changes a seeded run's draws elsewhere.
template <typename Entry>
static void Texture(int piece, int slot, uint32_t bits, uint32_t argument, int zoom, int n,
                    int step, Entry entry) {
  int k = (int)(((argument + (uint32_t)slot) * 3u) % (uint32_t)n);
  if (zoom == 1) {
    Paint(piece, slot, bits, zoom, [&](int, int) {
      uint32_t c = entry(k);
      k += step;
      if (k >= n) k -= n;
      return c;
    });
    return;
  }
  int32_t saved = RandomSeed;
  NextRandom(-k);
  Paint(piece, slot, bits, zoom, [&](int, int) { return entry(NextRandom(n)); });
  RandomSeed = saved;
}

void DrawPieceBallast(int piece, int slot, uint32_t argument, int zoom) {
  Texture(piece, slot, 0x02, argument, zoom, 15, 1, [](int k) { return TableColour(110 + k); });
}
void DrawPieceGrass(int piece, int slot, uint32_t argument, int zoom) {
  Texture(piece, slot, 0x0E, argument, zoom, 26, 1, [](int k) { return kGrass[k]; });
}
void DrawPieceMeadow(int piece, int slot, uint32_t argument, int zoom) {
  Texture(piece, slot, 0x20, argument, zoom, 29, (int)(argument & 3) + 1,
          [](int k) { return kMeadow[k]; });
}
void DrawPieceBallastList(int piece, int slot, uint32_t argument, int zoom) {
  Texture(piece, slot, 0x0A, argument, zoom, 45, 1,
          [](int k) { return ResolveColourRgb(kBallastNumbers[k]); });
}

// ---- drawing a group -------------------------------------------------------------------------
// Calls draw(piece, slot, rowIndex) for every piece of the group's rows.
template <typename Draw>
static void ForGroup(int group, Draw draw) {
  if (group <= 0 || group >= PATTERN_GROUPS) return;
  for (int i = 0; i < 4; i++) {
    uint8_t row = kPatternGroups[group * 4 + i];
    if (row == PATTERN_END || row >= PATTERN_ROWS) break;
    for (int slot = 0; slot < 4; slot++) {
      uint8_t piece = kPatternRows[row * 4 + slot];
      if (piece != PATTERN_END) draw(piece, slot, i);
    }
  }
}

// Ground colours of the kinds (palette numbers): a plain fill or a checkerboard of two.
struct KindGround {
  uint8_t first, second;
};
static KindGround GroundOf(int kind) {
  switch (kind) {
    case 1:
    case 10: return {8, 8};
    case 2:
    case 11: return {7, 20};
    case 3:
    case 12: return {36, 8};
    case 4:
    case 13: return {38, 38};
    case 9: return {1, 1};
    default: return {0, 0};
  }
}

static uint32_t KindTrackColour(int kind) {
  if (kind >= 1 && kind <= 4) return TableColour(73 + kind);
  if (kind >= 10 && kind <= 13) return TableColour(64 + kind);
  if (kind >= 5 && kind <= 8) return TableColour(73 + kind);
  return PIXEL_TRANSPARENT;
}

static uint32_t KindSecondColour(int kind) {
  if (kind == 9) return ShowWaterways ? TableColour(85) : PIXEL_TRANSPARENT;
  if (kind >= 10 && kind <= 13) return ShowRoads ? TableColour(76 + kind) : PIXEL_TRANSPARENT;
  return PIXEL_TRANSPARENT;
}

// The ground of a group as a cell of that kind has it (the overhangs draw theirs with it).
static void DrawGroundGroup(int group, const TrackClass& t, uint32_t parity, int zoom) {
  switch (t.kind) {
    case 14:
      ForGroup(group, [&](int p, int s, int) { DrawPieceMeadow(p, s, parity, zoom); });
      break;
    case 7: ForGroup(group, [&](int p, int s, int) { DrawPieceGrass(p, s, parity, zoom); }); break;
    case 8:
      if (ShowBallast)
        ForGroup(group, [&](int p, int s, int) { DrawPieceBallastList(p, s, parity, zoom); });
      ForGroup(group, [&](int p, int s, int) { DrawPieceColour84(p, s, zoom); });
      break;
    case 5:
    case 6: {
      uint32_t fill = TableColour(t.kind == 5 ? 82 : 83);
      if (ShowBallast)
        ForGroup(group, [&](int p, int s, int) { DrawPieceBallast(p, s, parity, zoom); });
      ForGroup(group, [&](int p, int s, int) { DrawPieceFill(p, s, fill, zoom); });
      break;
    }
    default:
      if (t.ground && t.kind) {
        KindGround g = GroundOf(t.kind);
        uint32_t a = ResolveColourRgb(g.first), b = ResolveColourRgb(g.second);
        ForGroup(group, [&](int p, int s, int) { DrawPieceChecker(p, s, a, b, zoom); });
      }
  }
}

// The track of a group: ways of kinds 9..13 draw the extra variant's row in the track colour and
// the others in their second colour; water ripples; every other kind one colour.
static void DrawTrackGroup(int group, const TrackClass& t, uint32_t colour, int zoom) {
  if (t.kind == 14) {
    ForGroup(group, [&](int p, int s, int) { DrawPieceRipple(p, s, 0, zoom); });
    return;
  }
  uint32_t track = colour != PIXEL_TRANSPARENT ? colour
                   : t.kind == 9               ? TableColour(77)
                                               : KindTrackColour(t.kind);
  if (t.kind >= 9 && t.kind <= 13) {
    uint32_t second = KindSecondColour(t.kind);
    ForGroup(group, [&](int p, int s, int row) {
      if (row == t.variant) {
        if (track != PIXEL_TRANSPARENT) DrawPiecePlain(p, s, track, zoom);
      } else if (second != PIXEL_TRANSPARENT) {
        DrawPieceSecond(p, s, second, zoom);
      }
    });
    return;
  }
  if (track == PIXEL_TRANSPARENT) return;
  ForGroup(group, [&](int p, int s, int) { DrawPiecePlain(p, s, track, zoom); });
}

// ---- neighbours' overhangs -------------------------------------------------------------------
// Element symbols (not track, switch, depot or way pieces) above 95.
static int IsElementSymbol(uint32_t s) {
  if (s < 96) return 0;
  if (s >= 136 && s <= 151) return 0;
  if (s >= 168 && s <= 175) return 0;
  if (s >= 184 && s <= 191) return 0;
  if (s >= 208 && s <= 210) return 0;
  if (s >= 256 && s <= 263) return 0;
  if (s >= 272 && s <= 303) return 0;
  if (s >= 472) return 0;
  return 1;
}

// Whether an element's state takes away the overhang of its symbol (the element stands over it).
static int StateHidesOverhang(uint32_t code, uint32_t state) {
  uint32_t s = code & 0x1FF;
  if (s >= 160 && s <= 167) return 1;
  if (IsRpCode(code, nullptr) || IsDwxCode(code, nullptr)) return state == 1;
  if (IsHstSymbol(code, nullptr) || IsTpSymbol(code, nullptr))
    return MapCellCodeToIndex(code, state) == SYMBOL_NONE;
  if (IsLfstSymbol(code, nullptr)) return (state & 1) != 0;
  int kind = ClassifySignalSymbol(code, nullptr);
  if (kind) return (MapAspectToLamps(kind, state) & 4) != 0;
  return 0;
}

int UpperOverhangGroup(uint32_t code, uint32_t state, TrackClass* kind) {
  TrackClass t = ClassifyTrackCode(code);
  if (kind) *kind = t;
  if (code > 16383) return 0;
  uint32_t s = code & 0x1FF;
  int group = kUpperOverhang[s];
  if (!group) return 0;
  if (kUpperOverhangHideState[s] && state == kUpperOverhangHideState[s])
    return kUpperOverhangHidden[s];
  if (!IsElementSymbol(s)) return group;
  uint32_t d = s & 7;
  if (s >= 216 && s <= 255 && (d == 4 || d == 6)) return 0;
  if ((d == 4 || d == 7) && StateHidesOverhang(code, state)) return 0;
  if (d == 5 || d == 6) {
    int signal = ClassifySignalSymbol(code, nullptr);
    if (signal && (MapAspectToLamps(signal, state) & 8)) return 0;
  }
  return group;
}

int LowerOverhangGroup(uint32_t code, TrackClass* kind) {
  TrackClass t = ClassifyTrackCode(code);
  if (kind) *kind = t;
  if (code > 16383) return 0;
  return kLowerOverhang[code & 0x1FF];
}

void DrawUpperNeighbourGround(uint32_t codeAbove, uint32_t stateAbove, int parity, int zoom) {
  TrackClass t;
  int group = UpperOverhangGroup(codeAbove, stateAbove, &t);
  if (group) DrawGroundGroup(group, t, (uint32_t)parity, zoom == 1 ? 1 : 2);
}
void DrawUpperNeighbourTrack(uint32_t codeAbove, uint32_t stateAbove, int zoom, uint32_t colour) {
  TrackClass t;
  int group = UpperOverhangGroup(codeAbove, stateAbove, &t);
  if (group) DrawTrackGroup(group, t, colour, zoom == 1 ? 1 : 2);
}
void DrawLowerNeighbourGround(uint32_t codeBelow, int parity, int zoom) {
  TrackClass t;
  int group = LowerOverhangGroup(codeBelow, &t);
  if (group) DrawGroundGroup(group, t, (uint32_t)parity, zoom == 1 ? 1 : 2);
}
void DrawLowerNeighbourTrack(uint32_t codeBelow, int zoom, uint32_t colour) {
  TrackClass t;
  int group = LowerOverhangGroup(codeBelow, &t);
  if (group) DrawTrackGroup(group, t, colour, zoom == 1 ? 1 : 2);
}

// ---- the cell --------------------------------------------------------------------------------
uint32_t ComposeTrackGround(uint32_t code, uint32_t codeAbove, uint32_t stateAbove,
                            uint32_t codeBelow, uint32_t stateBelow, int suppress, int x, int y,
                            int level, int zoom) {
  zoom = zoom == 1 ? 1 : 2;
  TrackClass t = ClassifyTrackCode(code);
  int g = t.group;
  uint32_t p = (uint32_t)(x ^ y);
  auto belowPass = [&] {
    DrawSymbolPass(codeBelow, stateBelow, 0, 16, 1, suppress, 0, 0, level, zoom);
  };
  if ((t.kind >= 5 && t.kind <= 8) || t.kind == 14 || t.ground) {
    FillCellBuffer(TableColour(level == 0 ? 131 : 177), zoom);
    DrawCellBackground(x, y, zoom);
    DrawLowerNeighbourGround(codeBelow, 0, zoom);
    belowPass();
    DrawUpperNeighbourGround(codeAbove, stateAbove, 0, zoom);
    DrawSymbolPass(codeAbove, stateAbove, 0, -16, 0, suppress, 0, 0, level, zoom);
  } else {
    KindGround kg = GroundOf(t.kind);
    uint32_t a = ResolveColourRgb(kg.first), b = ResolveColourRgb(kg.second);
    if (kg.first == kg.second)
      FillCellBuffer(a, zoom);
    else
      FillCellBufferChecker(a, b, zoom);
  }
  uint32_t track = PIXEL_TRANSPARENT;
  switch (t.kind) {
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: {
      if (t.ground) DrawGroundGroup(g, t, p, zoom);
      track = t.kind == 9 ? PIXEL_TRANSPARENT : KindTrackColour(t.kind);
      uint32_t extra = t.kind == 9 ? TableColour(77) : track;
      uint32_t second = KindSecondColour(t.kind);
      ForGroup(g, [&](int piece, int s, int row) {
        if (row == t.variant) DrawPiecePlain(piece, s, extra, zoom);
      });
      if (second != PIXEL_TRANSPARENT)
        ForGroup(g, [&](int piece, int s, int row) {
          if (row != t.variant) DrawPieceSecond(piece, s, second, zoom);
        });
      return track;
    }
    case 14:
      ForGroup(g, [&](int piece, int s, int) { DrawPieceMeadow(piece, s, p, zoom); });
      belowPass();
      ForGroup(g, [&](int piece, int s, int) { DrawPieceRipple(piece, s, p, zoom); });
      return PIXEL_TRANSPARENT;
    case 7:
    case 8:
    case 5:
    case 6:
      DrawGroundGroup(g, t, p, zoom);
      belowPass();
      track = KindTrackColour(t.kind);
      break;
    default:  // kinds 1..4
      if (t.ground) DrawGroundGroup(g, t, p, zoom);
      track = KindTrackColour(t.kind);
  }
  ForGroup(g, [&](int piece, int s, int) { DrawPiecePlain(piece, s, track, zoom); });
  return track;
}
