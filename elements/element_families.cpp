// The element family table in the order of the block copy text.
#include "elements/element_families.h"
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/cellcodes.h"
#include "signalling/switch_control.h"

static int DepotSymbol(uint32_t code, int32_t* range) {
  if (!IsSymbolClassA(code)) return 0;
  if (range) range[0] = range[1] = 0;
  return 1;
}

static int SwitchState(int x, int y, int level) { return (int)GetSwitchDisplayState(x, y, level); }
static int SwitchSetState(int x, int y, int level, uint32_t state) {
  return SetSwitchDisplayState(x, y, level, state);
}
// Every record of the cell (exit indexes 0..4).
static int SwitchDeleteAt(int x, int y, int level) {
  int any = 0;
  for (int i = 0; i <= 4; i++) any |= DeleteSwitch(x, y, level, i);
  return any ? 0 : 1;
}

const ElementFamily ElementFamilies[ELEMENT_FAMILY_COUNT] = {
    {"lines", u"LIN"},
    {"signal systems", u"SIGANL"},
    {"depots", u"DEP", DepotSymbol, nullptr, nullptr, nullptr, nullptr, MoveDepotSlotsInBlock,
     RemapDepotSlotsInBlock, nullptr, DepotSlotsCrossBox, CopyDepotsToClipboard,
     ReadDepotCopyText},
    {"switches", u"WEI", ClassifySwitchSymbol, SwitchState, SwitchSetState, nullptr, SwitchDeleteAt,
     MoveSwitchesInBox, ScaleSwitchesInBox, DeleteSwitchesInBox, SwitchesCrossBox,
     WriteSwitchSection, ReadSwitchSection, &SwitchStore},
    {"route points", u"RP", IsRpCode},
    {"TP elements", u"TP", IsTpSymbol},
    {"Dwx elements", u"DWX", IsDwxCode},
    {"signal elements", u"SIGELEM"},
    {"stops", u"HST", IsHstSymbol},
    {"LFST elements", u"LFST", IsLfstSymbol},
    {"info texts", u"INFO"},
    {"log points", u"LOG"},
    {"buffer stops", u"PRELL", IsPrellCode},
};

int FindElementFamily(uint32_t code) {
  for (int i = 0; i < ELEMENT_FAMILY_COUNT; i++)
    if (ElementFamilies[i].classify && ElementFamilies[i].classify(code, nullptr)) return i;
  return -1;
}

const ElementFamily* FindElementFamilyByTag(const char16_t* tag) {
  for (const ElementFamily& f : ElementFamilies)
    if (CompareStrings(f.copyTag, tag, 0) == 0) return &f;
  return nullptr;
}
