// Field descriptions of network-file records: each field is listed once with the versions in
// which it exists and its stored width; one reader and one writer walk such a table.
#pragma once
#include <cstdint>

// Stored forms of a field.
constexpr uint8_t NF_U8 = 1;
constexpr uint8_t NF_U16 = 2;
constexpr uint8_t NF_U32 = 4;
constexpr uint8_t NF_I16 = 0x12;     // sign-extended on reading
constexpr uint8_t NF_POS = 5;        // BlockPosition: three slots x, y, level
constexpr uint8_t NF_ZERO16 = 0x22;  // u16 that must be 0 (else format error); writes 0
constexpr uint8_t NF_SKIP16 = 0x32;  // u16 read and dropped; writes 0

// One field: present in versions from <= v < until. Slot = index into the record's int64 array
// (a BlockPosition fills slot, slot + 1, slot + 2). Several rows may name one slot (a width that
// changed with the version).
struct NetField {
  uint16_t from;
  uint16_t until;  // 0xFFFF: still present
  uint8_t form;    // NF_...
  uint8_t slot;
};

// 1 when the field is stored in files of that version.
inline int NetFieldPresent(const NetField& f, int version) {
  return version >= f.from && version < f.until;
}
constexpr uint16_t NF_ALWAYS = 0;
constexpr uint16_t NF_OPEN = 0xFFFF;

// Reads every field of the table present in version into values (fields absent in that version
// leave their slot unchanged). 0, 3 (a NF_ZERO16 field not 0) or the stream error.
int ReadNetFields(const NetField* fields, int count, int version, int64_t* values);
// Writes every field present in version 14400 from values. 0 or the first stream error.
int WriteNetFields(const NetField* fields, int count, const int64_t* values);
// 1 when some row of the table for this slot is present in version.
int NetFieldPresent(const NetField* fields, int count, int version, int slot);
