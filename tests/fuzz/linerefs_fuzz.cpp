// Fuzz target of the line-reference lists: the input is a list of u32 words. Every walker and
// matcher stays inside the list whatever it holds; a list that passes the check keeps passing it
// after each edit (remove, add alongside, depot-slot edits).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "elements/lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  uint32_t key;
  std::memcpy(&key, data, 4);
  size_t n = (size - 4) / 4;
  // The exact size, so that any read past the list is seen by the address sanitizer.
  std::vector<uint32_t> list(n);
  if (n) std::memcpy(list.data(), data + 4, n * 4);
  int length = (int)n;
  uint32_t line = key & 0xF, number = (key >> 4) & 0xF;
  uint32_t t = (1u << ((key >> 8) % 7)) << 24 | ((key >> 11) % 24) << 16;
  int valid = CheckLineRefList(list.data(), length) == 0;
  uint32_t flags, end;
  FindLineRefEntry(list.data(), length, line, number, t, &flags, &end);
  uint32_t until = t ^ 0x00050000u;
  MatchLineRefAt(list.data(), length, line, number, t, &until);
  LineRefListContains(list.data(), length, line);
  LineRefEntryCount(list.data(), length);
  LineRefTrainValues v = {};
  v.line = line;
  v.number = number;
  ApplyLineRefEntryAt(list.data(), length, t, &v);
  std::vector<uint32_t> out(length > LREF_ADD_LIMIT ? length : LREF_ADD_LIMIT);
  int outLength = 0;
  LineRefListAddAlongside(list.data(), length, out.data(), line, line + 1, &outLength);
  if (outLength < length || outLength > (int)out.size()) abort();
  if (valid && CheckLineRefList(out.data(), outLength)) abort();
  std::vector<uint32_t> edited = list;
  LineRefListClearDepotSlot(edited.data(), length, number, key >> 28);
  LineRefListRenumberDepotSlot(edited.data(), length, number, 2, 3);
  int m = LineRefListRemove(edited.data(), length, line, (int)(key >> 31));
  if (m < 0 || m > length) abort();
  if (valid && CheckLineRefList(edited.data(), m)) abort();
  return 0;
}
