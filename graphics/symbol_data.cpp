// The built-in symbol definitions and the page and picture tables, drawn by tools/glyphs.
#include "graphics/symbol_tables.h"
#include "graphics/symbols.h"
#include "graphics/trackground.h"

#include "symbol_tables.inc"

SymbolDefinition GetBuiltinDefinition(int i) {
  if (i < 0 || i >= SYMBOL_BUILTIN_COUNT || !kSymbolPartCount[i]) return {0, nullptr};
  return {kSymbolPartCount[i], &kSymbolParts[kSymbolFirstPart[i]]};
}

const uint16_t* const kPageTables[19] = {
    kPageC6, kPageC7, kPageC8, kPageC9, kPageCA, kPageCB, kPageCC, kPageCD, kPageCE, kPageCF,
    kPageD0, kPageD1, kPageD2, kPageD3, kPageD4, kPageD5, kPageD6, kPageD7, kPageD8};
const int kPageSizes[19] = {7, 19, 72, 4, 5, 55, 35, 100, 13, 37, 3, 51, 45, 81, 73, 93, 24, 9, 9};
