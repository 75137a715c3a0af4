// The depot store: named depots of numbered slots (each slot a cell with a depot symbol), kept in
// one list sorted by name; the network-file section "DEPO", the copy text "DEP", the depot table
// of the text export and the block hooks. The service entries that other components call are in
// elements/element_services.h; what only the depot code and its tests need is here.
#pragma once
#include <cstdint>
#include "elements/element_store.h"

constexpr int DEPOT_MAX_ID = 4000;    // ids 1..4000, at most 4000 depots
constexpr int DEPOT_MAX_SLOTS = 99;   // slot numbers 1..99, at most 99 slots a depot
constexpr int DEPOT_NAME_CHARS = 16;  // name characters (17 units with the terminator)
constexpr int DEPOT_SHORT_CHARS = 4;  // short-name characters (5 units)

struct DepotSlot {
  int32_t x, y, level;
  int32_t number;         // 1..99, unique in the depot
  uint32_t flags;         // bit 0: the slot's signal system was flagged in an old file
  uint32_t direction;     // direction-code mask in which trains leave the slot
  uint32_t signalSystem;  // 0 none
  uint32_t timeMs;        // 0 none
};

// One block: the header and slotCount slots (grown one slot at a time).
struct DepotRecord {
  DepotRecord* next;
  int32_t id;
  char16_t name[DEPOT_NAME_CHARS + 1];
  char16_t shortName[DEPOT_SHORT_CHARS + 1];
  int32_t slotCount;
  DepotSlot slots[1];  // slotCount entries, ascending slot numbers
};

extern DepotRecord* DepotList;
extern int32_t DepotCount;

// Name rules: leading blanks skipped, the name cut in place at the first blank, comma or colon;
// *start (may be null) receives where it begins. 0 good, 1 empty, 2 a character that may not
// stand in a name, 3 longer than 16 characters.
int CheckDepotName(char16_t* text, char16_t** start);
// The record of an id (with the index of the slot when one is asked), null when none.
DepotRecord* FindDepotById(int id, int slot, int* slotIndex);
// Adds a slot to the depot of the template's id (a new depot takes the template's names):
// 0, 1 when 99 slots are reached or memory is short. The slot number is not tested here.
int AddDepotSlot(const DepotRecord* templ, const DepotSlot* slot);
int NewDepotId();  // the lowest free id, 0 when all are used
// The short name of a name: the name itself when short enough, else the first four characters,
// else a shorter prefix with a number, none of them the name or short name of another depot
// than exceptId; empty when every candidate is taken.
void MakeDepotShortName(const char16_t* name, char16_t* shortName, int exceptId);
void RebuildDepotShortNames();  // after loading files below 14389
// Puts the depot section's reader and writer into the section table (start-up).
void RegisterDepotSection();
int DeleteDepotSlot(int id, int slot);  // 0; 1 bad or missing slot; 2..5 trains refer to it

// Signal systems referred to by slots.
void ClearSignalSystemInDepots(uint32_t system);
int AnyDepotSlotOfSignalSystemInBox(uint32_t system, const ElementBox& box);
int CountDepotReferences(uint32_t system);
void MarkDepotSlotsOfSignalSystem(uint32_t system);

// Block hooks (no delete hook: deleting a block never removes depot slots).
void MoveDepotSlotsInBlock(const ElementBox& box, int dx, int dy, int dlevel);
void RemapDepotSlotsInBlock(const ElementBox& box, int a, int b, int c, int d);
int AnyDepotSlotInBlock(const ElementBox& box);
// The crossing test of the family table: 0 no slot inside A, 2 one inside A but not B, else 1.
int DepotSlotsCrossBox(const ElementBox& a, const ElementBox& b);

// Copy text "DEP": the writer -> 0 or the clipboard error; the reader (line index in and out)
// -> 0, bits 1 (a slot not added) and 2 (a slot that existed), or 4 for bad text.
int CopyDepotsToClipboard(const ElementBox& box);
int PasteDepotsFromClipboard(int* lineIndex, int dx, int dy, int dlevel);
// The family-table form of the reader: 0, 1 a slot not added or skipped, 2 bad text.
int ReadDepotCopyText(int* lineIndex, int dx, int dy, int dlevel);

// The name of a signal system for the copy text and the export ("" for none), and the id of a
// name (0 for none). Signal systems are not kept yet: every name is empty and no name is found.
void GetDepotSignalSystemName(uint32_t system, char16_t* name, int capacity);
int GetSignalIdByName(const char16_t* name);
