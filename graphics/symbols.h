// Symbol definitions and the mapping of cell codes to them: the built-in definitions (drawn data
// made by tools/glyphs), the run-time symbol table of 8648 slots (5048 built-in, then 100 user
// pages of 36), the zoom-2 pixels of its pieces, and the two code mappings.
#pragma once
#include <cstdint>

constexpr int SYMBOL_BUILTIN_COUNT = 5048;
constexpr int SYMBOL_SLOT_COUNT = 8648;
constexpr int SYMBOL_USER_FIRST = 5048;
constexpr int SYMBOL_MAX_PARTS = 16;
constexpr uint16_t SYMBOL_NONE = 65535;
constexpr uint16_t SYMBOL_MIRRORED = 0x4000;
constexpr uint16_t SYMBOL_HIDES_VEHICLES = 0x8000;
constexpr uint16_t SYMBOL_PASS_REFERENCE = 65535;

// Piece flags.
constexpr uint16_t PART_MIRRORED = 0x0001;
constexpr uint16_t PART_DOTS_DARK = 0x0002;
constexpr uint16_t PART_DOTS_LIGHT = 0x0004;
constexpr uint16_t PART_SKIP_EVEN_EVEN = 0x0008;
constexpr uint16_t PART_SKIP_ODD_EVEN = 0x0010;
constexpr uint16_t PART_SKIP_EVEN_ODD = 0x0020;
constexpr uint16_t PART_SKIP_ODD_ODD = 0x0040;
constexpr uint16_t PART_ZOOM2 = 0x0080;
constexpr uint16_t PART_ZOOM2_DOUBLE = 0x0100;

// One piece of a definition. A reference piece (pass 65535) stands for all pieces of the
// definition whose index is in source.
struct SymbolPart {
  int16_t x, y;
  uint16_t pass;
  uint8_t width, height;
  uint16_t flags;
  uint32_t source;
  int16_t x2, y2;
  uint8_t width2, height2;
  uint32_t source2;
};

// A definition: count parts (0 = empty).
struct SymbolDefinition {
  uint8_t count;
  const SymbolPart* parts;
};
// The built-in definition i (0..5047); an empty one has count 0.
SymbolDefinition GetBuiltinDefinition(int i);

// One expanded part of a table slot: references resolved, zoom-2 pixels once prepared.
struct ExpandedPart {
  uint32_t source;
  uint32_t* pixels2;  // width2 x height2 pixels, rows from the top; null until prepared
  int16_t x, y;
  uint16_t pass;
  uint8_t width, height;
  int16_t x2, y2;
  uint8_t width2, height2;
  uint16_t flags;
};
struct SymbolEntry {
  uint8_t count;  // 0..16
  ExpandedPart parts[1];
};

// The table (null before BuildSymbolTable). Every empty slot points to one shared empty entry.
extern SymbolEntry** SymbolTable;

int BuildSymbolTable();    // 0, 1 out of memory (or a definition that expands to too many parts)
int PrepareZoom2Pixels();  // 0, 1 out of memory, 2 no table
void FreeSymbolTable();
// 0; 1 more than 16 pieces or out of memory; 2 slot outside 0..8647.
int SetSymbolDefinition(int slot, int count, const SymbolPart* parts);
int CountLeafParts(int count, const SymbolPart* parts);
// The k-th piece (from 0) of the depth-first expansion; null when there is none.
const SymbolPart* GetLeafPart(int k, int count, const SymbolPart* parts);
void FreeSymbolEntry(SymbolEntry* entry);
// The slot's entry (the shared empty entry for a missing table or a bad slot).
const SymbolEntry* GetSymbolEntry(int slot);

uint16_t MapSymbolCodeToIndex(uint32_t code);                // codes 0xB000 and up
uint16_t MapCellCodeToIndex(uint32_t code, uint32_t state);  // codes below 16384
int AreVehiclesVisibleOn(uint32_t code);

// The three long placement-advance lists (each ends with 65535): codes whose symbols run down,
// down to the right and up to the right.
extern const uint16_t kAdvanceDownList[];
extern const uint16_t kAdvanceDiagonalDownList[];
extern const uint16_t kAdvanceDiagonalUpList[];

// Allocation seam of the symbol graphics (MemAlloc; tests make it fail).
extern void* (*GraphicsAlloc)(uint32_t size);

// A picture-table lookup with its bounds check: 65535 outside the table.
uint16_t PictureEntry(const uint16_t* table, int size, int index);
// Adds an offset to a table entry: 65535 stays 65535; bits 0x4000 and 0x8000 are kept.
uint16_t OffsetEntry(uint16_t entry, int add);
