// The table of element families: one row per kind of placed element, in the order of the block
// copy text, with what editing at the cursor and the block operations ask of each kind: the symbol
// test, the state at a cell, the property editor, delete at a cell, the block hooks and the copy
// text. A kind that is not built yet has its symbol test and null operations.
#pragma once
#include <cstdint>
#include "elements/element_store.h"

struct ElementFamily {
  const char* name;
  const char16_t* copyTag;                         // copy-text tag ("WEI" ...)
  int (*classify)(uint32_t code, int32_t* range);  // 0 not the kind's symbol; range may be null
  int (*getState)(int x, int y, int level);        // the state shown at the cell
  int (*setState)(int x, int y, int level, uint32_t state);  // 1 when the cell has no element
  int (*edit)(int x, int y, int level, uint32_t code);       // the property dialog
  int (*deleteAt)(int x, int y, int level);  // deletes the cell's records; 1 when there were none
  void (*moveInBox)(const ElementBox& box, int dx, int dy, int dlevel);
  void (*scaleInBox)(const ElementBox& box, int a, int b, int c, int d);
  void (*deleteInBox)(const ElementBox& box);
  int (*crossBox)(const ElementBox& a, const ElementBox& b);
  int (*writeCopyText)(const ElementBox& box);
  int (*readCopyText)(int* lineIndex, int dx, int dy, int dlevel);
  ElementStore* store;  // the kind's store, when it follows the store pattern
};

constexpr int ELEMENT_FAMILY_COUNT = 13;
extern const ElementFamily ElementFamilies[ELEMENT_FAMILY_COUNT];

// The index of the family whose symbol test takes the code, -1 when none does.
int FindElementFamily(uint32_t code);
const ElementFamily* FindElementFamilyByTag(const char16_t* tag);
