// The element store pattern, run for every family of the family table that keeps a store: find by
// position and id, replace, delete, the block hooks (also across buckets) and the crossing test;
// and the copy-text framing helpers.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include "elements/element_families.h"
#include "elements/element_store.h"
#include "signalling/switch_control.h"

namespace {
// How the test places one element of a family at a cell (a family with a store needs a row here).
struct Maker {
  int (*place)(int x, int y, int level, uint32_t id);
};
int PlaceSwitchForTest(int x, int y, int level, uint32_t id) {
  const uint32_t dirs[4] = {4, 8, 16, 0};
  return PlaceSwitch(x, y, level, 0, SWITCH_PLAIN, id, dirs, 0);
}
const std::map<std::string, Maker> kMakers = {{"switches", {PlaceSwitchForTest}}};
}  // namespace

TEST(ElementStores, EveryFamilyStoreBehavesAlike) {
  int tested = 0;
  for (const ElementFamily& f : ElementFamilies) {
    if (!f.store) continue;
    SCOPED_TRACE(f.name);
    auto m = kMakers.find(f.name);
    ASSERT_NE(m, kMakers.end()) << "no maker for a family with a store";
    ElementStore* s = f.store;
    StoreClear(s);
    // Positions in different buckets, one on a lower level.
    const int pos[][3] = {{10, 20, 0}, {11, 20, 0}, {10 + 64, 20, 0}, {10, 20, -2}, {300, 5, 0}};
    uint32_t id = 1;
    for (auto& p : pos) ASSERT_EQ(m->second.place(p[0], p[1], p[2], id++), 0);
    EXPECT_EQ(s->count, 5);
    for (auto& p : pos) {
      ElementHeader* h = StoreFind(s, p[0], p[1], p[2]);
      ASSERT_NE(h, nullptr);
      EXPECT_EQ(h->x, p[0]);
      if (s->idOffset >= 0) {
        EXPECT_EQ(StoreFindById(s, StoreIdOf(s, h)), h);
      }
    }
    EXPECT_EQ(StoreFind(s, 10, 21, 0), nullptr);
    // Setting an element where one stands replaces it: the count stays.
    ASSERT_EQ(m->second.place(10, 20, 0, 1), 0);
    EXPECT_EQ(s->count, 5);
    // Move: found at the new place (another bucket), not at the old one.
    ElementBox box = {0, 0, -4, 20, 30, 0};
    f.moveInBox(box, 5, 100, 0);
    EXPECT_EQ(StoreFind(s, 10, 20, 0), nullptr);
    EXPECT_NE(StoreFind(s, 15, 120, 0), nullptr);
    EXPECT_NE(StoreFind(s, 16, 120, 0), nullptr);
    EXPECT_NE(StoreFind(s, 15, 120, -2), nullptr);
    EXPECT_NE(StoreFind(s, 74, 20, 0), nullptr);  // outside the box: untouched
    // Scale about the box's first corner.
    ElementBox scaleBox = {15, 120, -4, 16, 120, 0};
    f.scaleInBox(scaleBox, 3, 1, 1, 1);
    EXPECT_NE(StoreFind(s, 15, 120, 0), nullptr);
    EXPECT_NE(StoreFind(s, 18, 120, 0), nullptr);
    // Crossing test: with an empty second box, 2 when anything lies in the first.
    ElementBox all = {0, 0, -4, 1000, 1000, 0}, none = {500, 500, 0, 600, 600, 0};
    EXPECT_EQ(f.crossBox(all, ELEMENT_BOX_NONE), 2);
    EXPECT_EQ(f.crossBox(none, ELEMENT_BOX_NONE), 0);
    EXPECT_EQ(f.crossBox(scaleBox, all), 1);
    // Delete in a box, delete at a cell.
    f.deleteInBox(scaleBox);
    EXPECT_EQ(s->count, 3);
    EXPECT_EQ(StoreFind(s, 15, 120, -2), nullptr);  // level -2 lies in the box as well
    EXPECT_EQ(f.deleteAt(74, 20, 0), 0);
    EXPECT_EQ(f.deleteAt(74, 20, 0), 1);
    EXPECT_EQ(s->count, 2);  // (18, 120, 0) and (300, 5, 0) are left
    StoreClear(s);
    EXPECT_EQ(s->count, 0);
    EXPECT_EQ(s->head, nullptr);
    tested++;
  }
  EXPECT_GE(tested, 1);
}

TEST(ElementStores, FamilyTableClassifiesEachCodeOnce) {
  // Every code below 0x8000 is the symbol of at most one family.
  for (uint32_t code = 0; code < 0x8000; code += 7) {
    int hits = 0;
    for (const ElementFamily& f : ElementFamilies)
      if (f.classify && f.classify(code, nullptr)) hits++;
    EXPECT_LE(hits, 1) << std::hex << code;
  }
  EXPECT_STREQ(ElementFamilies[FindElementFamily(0x0030)].name, "switches");
  EXPECT_EQ(FindElementFamily(0xC000), -1);
  EXPECT_EQ(FindElementFamilyByTag(u"WEI")->store, &SwitchStore);
}

TEST(CopyTextFraming, FieldsAndMarkers) {
  const int bases[4] = {16, -10, 10, 16};
  int64_t v[4];
  EXPECT_EQ(ParseCopyFields(u"1f,-3,12,FF", bases, 4, v), 4);
  EXPECT_EQ(v[0], 0x1F);
  EXPECT_EQ(v[1], -3);
  EXPECT_EQ(v[3], 0xFF);
  EXPECT_EQ(ParseCopyFields(u"1f,-3,12,ff,", bases, 4, v), 4);   // a trailing comma
  EXPECT_EQ(ParseCopyFields(u"1f,-3,12", bases, 4, v), 3);       // one field too few
  EXPECT_EQ(ParseCopyFields(u"1f,-3,12,ff,7", bases, 4, v), 5);  // one too many
  EXPECT_EQ(ParseCopyFields(u"WEI_E", bases, 4, v), 0);
  EXPECT_EQ(ParseCopyFields(u"1,-3,-12,ff", bases, 4, v), 2);      // no sign in an unsigned field
  EXPECT_EQ(ParseCopyFields(u"100000000,0,0,0", bases, 4, v), 0);  // wider than 32 bits
  EXPECT_EQ(IsCopyTextMarker(u"WEI_A", u"WEI", u'A'), 1);
  EXPECT_EQ(IsCopyTextMarker(u"WEI_A ", u"WEI", u'A'), 0);
  EXPECT_EQ(IsCopyTextMarker(u"WEI_E", u"WEI", u'A'), 0);
  char16_t line[16];
  EXPECT_EQ(FormatCopyLine(line, 16, "%x,%i", 255u, -4), 5);
  EXPECT_EQ(std::u16string(line), u"ff,-4");
  EXPECT_EQ(FormatCopyLine(line, 4, "%x,%i", 255u, -4), 3);  // cut to the buffer
}
