// Fuzz target of the depot copy-text reader ("DEP"): the input is split into lines (at LF) and
// read as the clipboard text, starting at a "DEP_A" line, into a store that already holds a depot.
// The reader must keep the store sound and, unless the text was bad, advance past "DEP_E".
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "elements/element_store.h"
#include "model/grid.h"

static std::vector<std::u16string> gLines;

static int ReadLine(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)gLines.size() || (int)gLines[index].size() > maxChars) return 1;
  for (size_t i = 0; i <= gLines[index].size(); i++) out[i] = gLines[index].c_str()[i];
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int ready = 0;
  if (!ready) {
    if (InitGrid()) abort();
    InitDepots();
    CopyTextReadLine = ReadLine;
    ready = 1;
  }
  gLines.assign(1, u"DEP_A");
  std::u16string line;
  for (size_t i = 0; i + 1 < size; i += 2) {
    char16_t c = (char16_t)(data[i] | data[i + 1] << 8);
    if (c == u'\n') {
      gLines.push_back(line);
      line.clear();
    } else if (c) {
      line += c;
    }
  }
  gLines.push_back(line);
  DepotRecord d = {};
  d.id = 1;
  CopyString(d.name, u"Nord");
  CopyString(d.shortName, u"N");
  DepotSlot s = {1, 1, 0, 1, 0, 0, 0, 0};
  if (AddDepotSlot(&d, &s)) abort();
  int index = 0;
  int r = PasteDepotsFromClipboard(&index, 3, 4, 0);
  if (r < 0 || r > 4 || (r & 4 && r != 4)) abort();
  if (r != 4 && (index < 2 || index > (int)gLines.size())) abort();
  for (const DepotRecord* p = DepotList; p; p = p->next) {
    if (p->id < 1 || p->id > DEPOT_MAX_ID || p->slotCount < 1 || p->slotCount > DEPOT_MAX_SLOTS)
      abort();
    for (int i = 0; i < p->slotCount; i++) {
      if (p->slots[i].number < 1 || p->slots[i].number > DEPOT_MAX_SLOTS) abort();
      if (i && p->slots[i].number <= p->slots[i - 1].number) abort();
      if (!GridPositionValid(p->slots[i].x, p->slots[i].y, p->slots[i].level)) abort();
    }
  }
  FreeDepots();
  return 0;
}
