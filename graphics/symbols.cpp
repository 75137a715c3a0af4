// The run-time symbol table: expansion of the definitions, zoom-2 pixels, and the mappings of
// cell codes to table slots.
#include "graphics/symbols.h"
#include "core/misc.h"
#include "core/random.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/glyphfile.h"
#include "graphics/symbol_tables.h"
#include "model/cellcodes.h"
#include "signalling/signal_symbols.h"

static void* DefaultGraphicsAlloc(uint32_t size) { return MemAlloc(size); }
void* (*GraphicsAlloc)(uint32_t size) = DefaultGraphicsAlloc;

SymbolEntry** SymbolTable = nullptr;
static SymbolEntry EmptyEntry = {0, {}};

// ---- expansion --------------------------------------------------------------------------------
// Leaf pieces of count parts, following references depth first; depth guards against a cycle.
static int CountLeaves(int count, const SymbolPart* parts, int depth) {
  if (depth > 8) return SYMBOL_MAX_PARTS + 1;
  int n = 0;
  for (int i = 0; i < count && n <= SYMBOL_MAX_PARTS; i++) {
    if (parts[i].pass == SYMBOL_PASS_REFERENCE) {
      SymbolDefinition d = GetBuiltinDefinition((int)parts[i].source);
      n += CountLeaves(d.count, d.parts, depth + 1);
    } else {
      n++;
    }
  }
  return n;
}

int CountLeafParts(int count, const SymbolPart* parts) { return CountLeaves(count, parts, 0); }

static const SymbolPart* LeafAt(int* k, int count, const SymbolPart* parts, int depth) {
  if (depth > 8) return nullptr;
  for (int i = 0; i < count; i++) {
    if (parts[i].pass == SYMBOL_PASS_REFERENCE) {
      SymbolDefinition d = GetBuiltinDefinition((int)parts[i].source);
      const SymbolPart* p = LeafAt(k, d.count, d.parts, depth + 1);
      if (p) return p;
    } else if ((*k)-- == 0) {
      return &parts[i];
    }
  }
  return nullptr;
}

const SymbolPart* GetLeafPart(int k, int count, const SymbolPart* parts) {
  if (k < 0) return nullptr;
  return LeafAt(&k, count, parts, 0);
}

void FreeSymbolEntry(SymbolEntry* entry) {
  if (!entry || entry == &EmptyEntry || entry->count == 0) return;
  for (int i = 0; i < entry->count; i++)
    if ((entry->parts[i].flags & PART_ZOOM2) && entry->parts[i].pixels2)
      MemFree(entry->parts[i].pixels2);
  MemFree(entry);
}

static uint32_t EntrySize(int count) {
  return (uint32_t)(sizeof(SymbolEntry) + (count - 1) * sizeof(ExpandedPart));
}

int SetSymbolDefinition(int slot, int count, const SymbolPart* parts) {
  if (slot < 0 || slot >= SYMBOL_SLOT_COUNT) return 2;
  if (!SymbolTable) return 1;
  SymbolEntry* entry = &EmptyEntry;
  if (count > 0) {
    int n = CountLeafParts(count, parts);
    if (n > SYMBOL_MAX_PARTS) return 1;
    if (n > 0) {
      entry = (SymbolEntry*)GraphicsAlloc(EntrySize(n));
      if (!entry) return 1;
      entry->count = (uint8_t)n;
      for (int k = 0; k < n; k++) {
        const SymbolPart* p = GetLeafPart(k, count, parts);
        ExpandedPart& e = entry->parts[k];
        e.source = p->source;
        e.pixels2 = nullptr;
        e.x = p->x, e.y = p->y, e.pass = p->pass;
        e.width = p->width, e.height = p->height;
        e.x2 = p->x2, e.y2 = p->y2, e.width2 = p->width2, e.height2 = p->height2;
        e.flags = p->flags;
      }
    }
  }
  SymbolEntry* old = SymbolTable[slot];
  SymbolTable[slot] = entry;
  FreeSymbolEntry(old);
  return 0;
}

int BuildSymbolTable() {
  FreeSymbolTable();
  SymbolTable = (SymbolEntry**)GraphicsAlloc(SYMBOL_SLOT_COUNT * sizeof(SymbolEntry*));
  if (!SymbolTable) return 1;
  for (int i = 0; i < SYMBOL_SLOT_COUNT; i++) SymbolTable[i] = &EmptyEntry;
  for (int i = 0; i < SYMBOL_BUILTIN_COUNT; i++) {
    SymbolDefinition d = GetBuiltinDefinition(i);
    if (SetSymbolDefinition(i, d.count, d.parts)) return 1;
  }
  return 0;
}

void FreeSymbolTable() {
  if (!SymbolTable) return;
  for (int i = 0; i < SYMBOL_SLOT_COUNT; i++) FreeSymbolEntry(SymbolTable[i]);
  MemFree(SymbolTable);
  SymbolTable = nullptr;
}

const SymbolEntry* GetSymbolEntry(int slot) {
  if (!SymbolTable || slot < 0 || slot >= SYMBOL_SLOT_COUNT) return &EmptyEntry;
  return SymbolTable[slot];
}

// ---- zoom-2 pixels ------------------------------------------------------------------------------
static uint32_t StripPixel(int row, int64_t column) {
  if (!GlyphStore || row < 0 || row > 15 || column < 0 || column >= GLYPH_STRIP_WIDTH)
    return PIXEL_TRANSPARENT;
  return GlyphStore[(size_t)row * GLYPH_STRIP_WIDTH + (size_t)column];
}

// A stored zoom-2 picture: the bottom height2 rows of a 32-row canvas, whose rows 16..31 lie in
// strip rows 0..15 at source2 and rows 0..15 at source2 + the width rounded up to 8.
static void CopyStoredZoom2(ExpandedPart& e, uint32_t source2, uint32_t* px) {
  int w = e.width2, h = e.height2;
  int64_t half = (w + 7) & ~7;
  for (int r = 0; r < h; r++) {
    int canvasRow = r + 32 - h;
    for (int c = 0; c < w; c++)
      px[r * w + c] = canvasRow >= 16 ? StripPixel(canvasRow - 16, (int64_t)source2 + c)
                                      : StripPixel(canvasRow, (int64_t)source2 + half + c);
  }
}

static inline uint32_t Clamp255(int v) { return (uint32_t)(v < 0 ? 0 : v > 255 ? 255 : v); }

static void DoubleZoom1(ExpandedPart& e, uint32_t* px) {
  int w2 = e.width2, h2 = e.height2;
  for (int i = 0; i < w2 * h2; i++) px[i] = PIXEL_TRANSPARENT;
  // 1. copy: zoom-1 row r lies on the strip row of its row in the cell (non-negative remainder)
  int ym = ((e.y % 16) + 16) % 16;
  for (int r = 0; r < e.height; r++) {
    int row = r + 16 - e.height - ym;
    for (int c = 0; c < e.width; c++) {
      uint32_t v = StripPixel(row, (int64_t)e.source + c);
      px[(2 * r) * w2 + 2 * c] = v;
      if (v != PIXEL_TRANSPARENT) {
        px[(2 * r) * w2 + 2 * c + 1] = v;
        px[(2 * r + 1) * w2 + 2 * c] = v;
        px[(2 * r + 1) * w2 + 2 * c + 1] = v;
      }
    }
  }
  // 2. horizontal interleave in the even rows
  for (int r = 0; r < h2; r += 2)
    for (int c = 1; c + 1 < w2; c += 2) {
      uint32_t t = px[r * w2 + c];
      px[r * w2 + c] = px[r * w2 + c + 1];
      px[r * w2 + c + 1] = t;
    }
  // 3. vertical interleave: odd rows with the row below, at the even columns
  for (int r = 1; r < h2 - 1; r += 2)
    for (int c = 0; c < w2; c += 2) {
      uint32_t t = px[r * w2 + c];
      px[r * w2 + c] = px[(r + 1) * w2 + c];
      px[(r + 1) * w2 + c] = t;
    }
  // 4. lone pixels (judged on the picture as it was before this step)
  if (w2 > 2 && h2 > 2) {
    uint8_t lone[64 * 32];
    int n = 0;
    for (int r = 1; r < h2 - 1; r++)
      for (int c = 1; c < w2 - 1; c++) {
        if (px[r * w2 + c] == PIXEL_TRANSPARENT) continue;
        int alone = 1;
        for (int dr = -1; dr <= 1 && alone; dr++)
          for (int dc = -1; dc <= 1; dc++)
            if ((dr || dc) && px[(r + dr) * w2 + c + dc] != PIXEL_TRANSPARENT) {
              alone = 0;
              break;
            }
        lone[n++] = alone;
      }
    n = 0;
    for (int r = 1; r < h2 - 1; r++)
      for (int c = 1; c < w2 - 1; c++) {
        if (px[r * w2 + c] == PIXEL_TRANSPARENT) continue;
        if (lone[n++]) px[r * w2 + c] = PIXEL_TRANSPARENT;
      }
  }
  // 5. grain on runs of equal colours (markers stay what they are)
  for (int r = 0; r < h2; r++)
    for (int c = 0; c < w2 - 1; c++) {
      uint32_t v = px[r * w2 + c];
      if (v == PIXEL_TRANSPARENT || (v & 0x80000000u) || v != px[r * w2 + c + 1]) continue;
      int d = RuntimeRand() % 100 - 50;
      px[r * w2 + c] = Clamp255((int)(v & 0xFF) + d) | Clamp255((int)((v >> 8) & 0xFF) + d) << 8 |
                       Clamp255((int)((v >> 16) & 0xFF) + d) << 16;
    }
}

int PrepareZoom2Pixels() {
  if (!SymbolTable) return 2;
  for (int slot = 0; slot < SYMBOL_SLOT_COUNT; slot++) {
    SymbolEntry* entry = SymbolTable[slot];
    for (int i = 0; i < entry->count; i++) {
      ExpandedPart& e = entry->parts[i];
      if (e.flags & PART_ZOOM2) {
        if (e.pixels2 || !e.width2 || !e.height2) continue;
        if (e.width2 > 64 || e.height2 > 32) continue;
        // the stored picture's column is in the built-in definition
        const SymbolPart* p = nullptr;
        if (slot < SYMBOL_BUILTIN_COUNT) {
          SymbolDefinition d = GetBuiltinDefinition(slot);
          p = GetLeafPart(i, d.count, d.parts);
        }
        if (!p) continue;
        uint32_t* px = (uint32_t*)GraphicsAlloc((uint32_t)e.width2 * e.height2 * 4);
        if (!px) return 1;
        CopyStoredZoom2(e, p->source2, px);
        e.pixels2 = px;
      } else if (e.flags & PART_ZOOM2_DOUBLE) {
        if (!e.width || !e.height || e.width > 32 || e.height > 16) continue;
        e.width2 = (uint8_t)(2 * e.width);
        e.height2 = (uint8_t)(2 * e.height);
        e.x2 = (int16_t)(2 * e.x);
        e.y2 = (int16_t)(2 * e.y);
        uint32_t* px = (uint32_t*)GraphicsAlloc((uint32_t)e.width2 * e.height2 * 4);
        if (!px) return 1;
        e.flags = (uint16_t)((e.flags | PART_ZOOM2) & ~PART_ZOOM2_DOUBLE);
        e.pixels2 = px;
        DoubleZoom1(e, px);
      }
    }
  }
  return 0;
}

// ---- mappings -----------------------------------------------------------------------------------
uint16_t PictureEntry(const uint16_t* table, int size, int index) {
  if (index < 0 || index >= size) return SYMBOL_NONE;
  return table[index];
}

uint16_t OffsetEntry(uint16_t entry, int add) {
  if (entry == SYMBOL_NONE) return SYMBOL_NONE;
  return (uint16_t)((entry & 0xC000) | ((entry & 0x3FFF) + add));
}

uint16_t MapSymbolCodeToIndex(uint32_t code) {
  uint16_t m = (code & 1) ? SYMBOL_MIRRORED : 0;
  if (code < 0xB000 || code >= 0xFC20) return SYMBOL_NONE;
  if (code <= 0xB1C7) {
    uint16_t e = PictureEntry(kAnimationFrames, 228, (int)((code - 0xB000) >> 1));
    return e == SYMBOL_NONE ? e : (uint16_t)(e | m);
  }
  if (code >= 0xE000) return (uint16_t)((((code - 0xE000) >> 1) + SYMBOL_USER_FIRST) | m);
  int low = (int)(code & 0xFF);
  if (code < 0xC100) return code < 0xC000 ? SYMBOL_NONE : PictureEntry(kPageC0, 3, low);
  if (code < 0xC500)
    return OffsetEntry(PictureEntry(kPageC1, 80, low), 32 * (int)((code >> 8) - 0xC1));
  if (code < 0xC600) return PictureEntry(kPageC5, 38, low);
  int page = (int)(code >> 8) - 0xC6;
  if (page > 18) page = 18;
  uint16_t e = PictureEntry(kPageTables[page], kPageSizes[page], low >> 1);
  return e == SYMBOL_NONE ? e : (uint16_t)(e | m);
}

// The switch-position marks of symbol numbers below 96 in states 1 and 2 (0 = none).
static uint16_t SwitchMark(int s, uint32_t state) {
  static const uint16_t kPairs[][3] = {
      {12, 504, 506}, {16, 504, 506}, {13, 505, 507}, {19, 505, 507}, {14, 508, 510},
      {20, 508, 510}, {15, 509, 511}, {23, 509, 511}, {17, 506, 504}, {18, 507, 505},
      {21, 510, 508}, {22, 511, 509}, {48, 162, 508}, {51, 162, 511}, {49, 163, 509},
      {50, 163, 510}, {52, 161, 507}, {55, 161, 506}, {53, 160, 504}, {54, 160, 505},
      {56, 166, 511}, {59, 166, 507}, {57, 167, 505}, {58, 167, 509}, {60, 164, 506},
      {63, 164, 510}, {61, 165, 508}, {62, 165, 504},
  };
  static const uint16_t kState1[8] = {504, 506, 511, 509, 510, 508, 507, 505};
  static const uint16_t kState2[8] = {507, 505, 510, 508, 504, 506, 509, 511};
  if (state != 1 && state != 2) return 0;
  for (const auto& p : kPairs)
    if (p[0] == s) return p[state];
  if (s >= 64 && s <= 79) return state == 1 ? kState1[s & 7] : kState2[s & 7];
  if (s >= 88 && s <= 95) return state == 1 ? (uint16_t)(s + 72) : 0;
  return 0;
}

static uint16_t MainRow(int64_t row, int column) {
  if (row < 0 || row >= 352) return SYMBOL_NONE;
  return kMainPictures[row * 4 + column];
}

static uint16_t SignalIndex(uint32_t code, int s, uint32_t state, int kind, int column) {
  int narrow = code >= 7168 && code <= 8191;
  int dir = s & 7;
  if (kind == SIGKIND_CONTACT) {
    if (ShowOption[1]) {
      int64_t i = 2 * (int64_t)state + narrow;
      return OffsetEntry(PictureEntry(kSignalKind10, 24, i > 24 ? 24 : (int)i), dir);
    }
    uint32_t lamps = MapAspectToLamps(kind, state);
    if (!(lamps & (4 | 8))) return SYMBOL_NONE;
    return MainRow((lamps & 8) ? dir ^ 1 : dir, column);
  }
  int64_t index = (int64_t)state * 8 + dir;
  if (index > 100000) index = 100000;
  if (kind == SIGKIND_CROSSING)
    return s < 464 ? PictureEntry(kSignalKind4First, 192, (int)index)
                   : PictureEntry(kSignalKind4Second, 384, (int)index);
  if (state == 102) return SYMBOL_NONE;
  if (state == 103) return MainRow(dir, column);
  if (state > 103) return MainRow((s ^ 1) & 7, column);
  // the band of the symbol number: 0 lower, 1 middle, 2 upper
  int band = 0;
  if (kind == SIGKIND_MAIN) band = s < 448 ? 0 : 2;
  if (kind == SIGKIND_DISTANT) band = s < 432 ? 0 : 2;
  if (kind == SIGKIND_COMBINED) band = s < 408 ? 0 : (s < 416 ? 1 : 2);
  if (narrow) {
    int i = (int)state * 8 - 48 + dir;
    uint16_t n1 = PictureEntry(kSignalNarrow1, 48, i), n2 = PictureEntry(kSignalNarrow2, 48, i);
    if (band == 0) return n1;
    if (kind == SIGKIND_MAIN) return OffsetEntry(n1, 8);
    if (kind == SIGKIND_DISTANT) return n2;
    return band == 1 ? n2 : OffsetEntry(n1, 8);
  }
  const uint16_t* table =
      kind == SIGKIND_MAIN ? kSignalKind1 : (kind == SIGKIND_DISTANT ? kSignalKind2 : kSignalKind3);
  int size = kind == SIGKIND_COMBINED ? 385 : 480;
  // kind 3 adds 8 per band; kinds 1 and 2 add 8 for their upper group
  return OffsetEntry(PictureEntry(table, size, (int)index),
                     kind == SIGKIND_COMBINED ? 8 * band : (band ? 8 : 0));
}

uint16_t MapCellCodeToIndex(uint32_t code, uint32_t state) {
  if (code >= 16384) return SYMBOL_NONE;
  int s = (int)(code & 0x1FF);
  int dir = s & 7;
  int column = code < 4096 ? 0 : (code < 7168 ? 2 : (code < 8192 ? 3 : 1));
  int narrow = code >= 7168 && code <= 8191;
  if (s < 96) {
    uint16_t mark = SwitchMark(s, state);
    return mark ? MainRow(mark - 160, column) : SYMBOL_NONE;
  }
  if (int kind = ClassifySignalSymbol(code, nullptr))
    return SignalIndex(code, s, state, kind, column);
  if (IsSymbolClassA(code)) return PictureEntry(kDepotPictures, 152, s);
  if (IsHstSymbol(code, nullptr)) {
    if (state == 100) return SYMBOL_NONE;
    if (state > 100) return MainRow(s - 264, column);
    if (narrow) return (uint16_t)(384 + dir);
    return OffsetEntry(PictureEntry(kHstPictures, 17, (int)state), dir);
  }
  if (IsTpSymbol(code, nullptr)) {
    if (narrow && state != 0) return (uint16_t)((state == 1 ? 1848 : 392) + dir);
    return OffsetEntry(PictureEntry(kTpPictures, 19, state > 19 ? 19 : (int)state), dir);
  }
  if (IsRpCode(code, nullptr)) {
    if (state == 100) return SYMBOL_NONE;
    if (state > 100) return MainRow(s - 192, column);
    return PictureEntry(kRpPictures, 64, (int)state * 16 + (s - 192) * 2 + narrow);
  }
  if (IsLfstSymbol(code, nullptr)) {
    if (state == 100) return SYMBOL_NONE;
    if (state > 100) return MainRow(s - 176, column);
    int row = (int)state * 8 + dir;
    return row < 144 ? kLfstPictures[row * 4 + column] : SYMBOL_NONE;
  }
  if (IsDwxCode(code, nullptr)) {
    if (ShowOption[5]) {
      int64_t row = (int64_t)state * 8 + dir;
      return row < 16 ? kDwxPictures[row * 4 + column] : SYMBOL_NONE;
    }
    return state == 1 ? MainRow(s - 200, column) : SYMBOL_NONE;
  }
  if (state != 0 && IsPrellCode(code, nullptr)) {
    int variant = code < 6144 ? 0 : (code <= 8191 ? 2 : 1);
    int64_t i = ((int64_t)state - 1) * 3 + variant;
    return OffsetEntry(PictureEntry(kPrellPictures, 33, i > 33 ? 33 : (int)i), dir);
  }
  return MainRow(s - 160, column);
}

int AreVehiclesVisibleOn(uint32_t code) {
  if (code > 16383) return 1;
  uint16_t i = MapCellCodeToIndex(code, 0);
  return (i == SYMBOL_NONE || !(i & SYMBOL_HIDES_VEHICLES)) ? 1 : 0;
}
