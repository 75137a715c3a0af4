// Signal symbols: the signal kind of a cell code and the lamp pattern of a signal's form.
#pragma once
#include <cstdint>

// Signal kinds.
constexpr int SIGKIND_NONE = 0;
constexpr int SIGKIND_MAIN = 1;      // HSig, symbol numbers 440..455
constexpr int SIGKIND_DISTANT = 2;   // VSig, 424..439
constexpr int SIGKIND_COMBINED = 3;  // KSig, 400..423
constexpr int SIGKIND_CROSSING = 4;  // BUESig, 456..471
constexpr int SIGKIND_CONTACT = 10;  // SK, 392..399

// The kind of a track code below 16384 (0 for any other code) by its symbol group
// (code & 0x1FF) >> 3; range (may be null) gets the kind's form range (lowest, highest).
int ClassifySignalSymbol(uint32_t code, int32_t* range);

// Lamp pattern flags of a form: 1 stop lamp, 4 proceed, 8 caution, 2 an extra lamp.
// Contacts: 0, 4 or 8 by form % 3.
uint32_t MapAspectToLamps(int kind, uint32_t form);

// The aspect group of a signal code as its lamp count: 3 (group A), 4 (B) or 2 (C); 0 for a
// code that is no signal of kinds 1 to 4.
int GetSignalLampCount(uint32_t code);

// The remembered symbol form of the code's signal kind (the element services keep one per kind);
// 0 for a code that is no signal.
int GetSignalSymbolForm(uint32_t code);
