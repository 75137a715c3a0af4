// The depot store: creating, moving, changing and deleting slots with their result codes, names
// and short names, finding and enumerating, the signal-system references, the block hooks and
// the copy text "DEP".
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/misc.h"
#include "elements/depots.h"
#include "elements/element_families.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "signalling/switch_control.h"

namespace {
struct Depots : ::testing::Test {
  void SetUp() override {
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    InitDepots();
  }
  void TearDown() override {
    FreeDepots();
    ExitGrid();
  }
  // A depot symbol (137: leaving along y) at the cell and a slot of the named depot there.
  static int Place(int x, int y, const char16_t* name, int slot, uint32_t code = 137) {
    SetCell(x, y, 0, code);
    return CreateDepotSlotAt(x, y, 0, name, slot);
  }
  static std::u16string Names() {
    std::u16string s;
    for (DepotRecord* r = DepotList; r; r = r->next)
      s += std::u16string(r->name) + u"/" + r->shortName + u";";
    return s;
  }
};

int AddNamed(int id, const char16_t* name, int slot) {
  DepotRecord d = {};
  d.id = id;
  CopyString(d.name, name);
  DepotSlot s = {id, 1, 0, slot, 0, 0, 0, 0};
  return AddDepotSlot(&d, &s);
}
}  // namespace

TEST_F(Depots, CreateSlotResultCodes) {
  SetCell(5, 5, 0, 0x0201);  // plain track: no depot symbol
  EXPECT_EQ(CreateDepotSlotAt(5, 5, 0, u"Nord", 1), 2);
  struct {
    const char16_t* name;
    int slot, result;
  } cases[] = {
      {u"", 1, 5},     {u"   ", 1, 5},    {u"No+rd", 1, 6}, {u"Seventeen_chars_x", 1, 7},
      {u"Nord", 0, 9}, {u"Nord", 100, 9},
  };
  SetCell(10, 10, 0, 137);
  for (auto& c : cases) EXPECT_EQ(CreateDepotSlotAt(10, 10, 0, c.name, c.slot), c.result);
  EXPECT_EQ(CountDepots(nullptr), 0);
  // The name ends at a blank, comma or colon; leading blanks go.
  ClearNetModified();
  EXPECT_EQ(Place(10, 10, u"  Nord:7", 2), 0);
  EXPECT_TRUE(IsNetModified());
  int slot = 0;
  int id = FindDepotAt(10, 10, 0, &slot);
  EXPECT_EQ(slot, 2);
  ASSERT_EQ(id, 1);
  char16_t full[40], shortName[40];
  ASSERT_EQ(FormatDepotName(id, 0, full, shortName), 0);
  EXPECT_EQ(std::u16string(full), u"Nord");
  EXPECT_EQ(std::u16string(shortName), u"Nord");
  EXPECT_EQ(CreateDepotSlotAt(10, 10, 0, u"Sued", 1), 4);  // a slot lies there already
  EXPECT_EQ(Place(10, 11, u"nord", 1), 0);                 // names compare without case
  int total;
  EXPECT_EQ(CountDepots(&total), 1);
  EXPECT_EQ(total, 2);
  EXPECT_EQ(GetFirstDepotSlot(id), 1);
  EXPECT_EQ(Place(11, 11, u"Ost", 1), 0);
  EXPECT_EQ(FindDepotAt(11, 11, 0, nullptr), 2);
  EXPECT_EQ(Names(), u"Nord/Nord;Ost/Ost;");  // sorted by name
}

TEST_F(Depots, ASlotNumberThatExistsMovesTheSlotAndFitsItsDirection) {
  ASSERT_EQ(Place(10, 10, u"Werk", 3), 0);
  ASSERT_EQ(SetDepotSlotDirection(1, 3, 2), 0);
  // Symbols of each orientation (code & 3) at the new cell: a direction of the symbol's pair
  // stays, any other becomes the pair's first.
  struct {
    uint32_t code, before, after;
  } cases[] = {{136, 2, 8}, {137, 8, 2}, {137, 1, 1}, {138, 0, 16}, {139, 32, 64}, {139, 128, 128}};
  int x = 20;
  for (auto& c : cases) {
    SCOPED_TRACE(c.code);
    ASSERT_EQ(SetDepotSlotDirection(1, 3, c.before), 0);
    ClearNetModified();
    EXPECT_EQ(Place(x, 10, u"Werk", 3, c.code), 1);
    EXPECT_TRUE(IsNetModified());
    int sx, sy, level;
    uint32_t direction;
    ASSERT_EQ(GetDepotSlot(1, 3, &sx, &sy, &level, &direction, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(sx, x);
    EXPECT_EQ(direction, c.after);
    EXPECT_EQ(FindDepotAt(x - 1, 10, 0, nullptr), 0);  // gone from its old cell
    x++;
  }
  EXPECT_EQ(GetDepotSlotCount(1), 1);
  EXPECT_EQ(SetDepotSlotDirection(1, 4, 2), 2);
  EXPECT_EQ(SetDepotSlotDirection(4001, 3, 2), 1);
  EXPECT_EQ(SetDepotSlotDirection(1, 0, 2), 1);
}

TEST_F(Depots, ShortNames) {
  ASSERT_EQ(AddNamed(1, u"Haupt", 1), 0);
  char16_t s[8];
  MakeDepotShortName(u"Hbf", s, 0);
  EXPECT_EQ(std::u16string(s), u"Hbf");  // short enough: itself
  MakeDepotShortName(u"Bergheim", s, 0);
  EXPECT_EQ(std::u16string(s), u"Berg");
  ASSERT_EQ(AddNamed(2, u"Haup", 1), 0);  // the first four characters are another depot's name
  MakeDepotShortName(u"Hauptbahnhof", s, 0);
  EXPECT_EQ(std::u16string(s), u"Hau0");
  FindDepotById(1, 0, nullptr)->shortName[0] = 0;
  CopyString(FindDepotById(1, 0, nullptr)->shortName, u"Hau0");
  MakeDepotShortName(u"Hauptbahnhof", s, 0);
  EXPECT_EQ(std::u16string(s), u"Hau1");
  MakeDepotShortName(u"Hauptbahnhof", s, 1);  // the depot's own short name is not in the way
  EXPECT_EQ(std::u16string(s), u"Hau0");
  // Every candidate taken: "Abcd", "Abc0".."Abc9", "Ab00".."Ab99", "A000".."A999".
  FreeDepots();
  int id = 1;
  ASSERT_EQ(AddNamed(id++, u"Abcd", 1), 0);
  for (int n = 3; n >= 1; n--) {
    int limit = n == 3 ? 10 : n == 2 ? 100 : 1000;
    for (int k = 0; k < limit; k++) {
      std::u16string name = std::u16string(u"Abc").substr(0, n);
      std::string digits = std::to_string(k);
      name += std::u16string(digits.begin(), digits.end());
      ASSERT_EQ(AddNamed(id++, name.c_str(), 1), 0);
    }
  }
  s[0] = u'x';
  MakeDepotShortName(u"Abcdefg", s, 0);
  EXPECT_EQ(s[0], 0);  // none left: no short name
  // A slot added to such a depot keeps working without a short name.
  SetCell(300, 300, 0, 137);
  ASSERT_EQ(CreateDepotSlotAt(300, 300, 0, u"Abcdefg", 1), 0);
  int nid = FindDepotAt(300, 300, 0, nullptr);
  EXPECT_EQ(FindDepotById(nid, 1, nullptr)->shortName[0], 0);
  EXPECT_EQ(FindDepotByName(u"Abcdefg", 1), nid);
  EXPECT_EQ(ChangeDepotSlot(nid, u"Abcdefg", u"", 1, 1, 2, 0, 0, 0), 0);
}

TEST_F(Depots, FindingAndFormatting) {
  ASSERT_EQ(Place(10, 10, u"Nord", 5), 0);
  ASSERT_EQ(Place(10, 11, u"Nordhafen", 12), 0);
  EXPECT_EQ(FindDepotByName(u"nord", 0), 1);
  EXPECT_EQ(FindDepotByName(u" Nord: 5", 5), 1);
  EXPECT_EQ(FindDepotByName(u"Nord", 6), 0);
  EXPECT_EQ(FindDepotByName(u"Nor0", 12), 2);  // by short name
  EXPECT_EQ(FindDepotByName(u"", 0), -1);
  EXPECT_EQ(FindDepotByName(u"N#d", 0), -2);
  EXPECT_EQ(FindDepotByName(u"Abcdefghijklmnopq", 0), -3);
  struct {
    int id, slot, result;
    const char16_t *full, *shortName;
  } cases[] = {
      {1, 5, 0, u"Nord: 5", u"Nord: 5"}, {1, -5, 0, u"Nord:5", u"Nord:5"},
      {1, 0, 0, u"Nord", u"Nord"},       {2, 12, 0, u"Nordhafen:12", u"Nor0:12"},
      {1, 6, 2, nullptr, nullptr},       {3, 0, 2, nullptr, nullptr},
      {0, 0, 1, nullptr, nullptr},       {1, 100, 1, nullptr, nullptr},
  };
  for (auto& c : cases) {
    char16_t full[40] = {}, shortName[40] = {};
    EXPECT_EQ(FormatDepotName(c.id, c.slot, full, shortName), c.result) << c.id << " " << c.slot;
    if (c.full) {
      EXPECT_EQ(std::u16string(full), c.full);
      EXPECT_EQ(std::u16string(shortName), c.shortName);
    }
  }
  EXPECT_EQ(GetDepotSlot(1, 5, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(GetDepotSlot(1, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 1);
  EXPECT_EQ(GetDepotSlot(4001, 5, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr),
            1);
}

TEST_F(Depots, EnumeratingAndSteppingSlots) {
  char16_t out[40];
  EXPECT_EQ(ParseDepotReference(u"Anything:3", out, 1), 1);
  EXPECT_EQ(std::u16string(out), u"Anything:3");
  int depot = 0;
  EXPECT_EQ(NextDepotSlot(&depot), 0);
  ASSERT_EQ(Place(10, 10, u"Beta", 4), 0);
  ASSERT_EQ(Place(10, 11, u"Alpha", 2), 0);
  ASSERT_EQ(Place(10, 12, u"Beta", 1), 0);
  ASSERT_EQ(Place(10, 13, u"Alpha", 7), 0);
  std::vector<std::pair<int, int>> seen;
  depot = 0;
  for (int slot; (slot = NextDepotSlot(&depot)) != 0;) seen.push_back({depot, slot});
  const std::vector<std::pair<int, int>> expected = {{2, 2}, {2, 7}, {1, 1}, {1, 4}};
  EXPECT_EQ(seen, expected);  // depots by name, slots ascending
  struct {
    const char16_t* text;
    int step;
    const char16_t* out;
  } cases[] = {
      {u"Alpha:2", 1, u"Alpha:7"},
      {u"Alpha: 7", 1, u"Beta:1"},
      {u"Beta:4", 1, u"Alpha:2"},
      {u"Beta:4", 0, u"Beta:4"},
      {u"Alpha:2", -1, u"Beta:4"},
      {u"Alpha:2", 6, u"Beta:1"},
      {u"Gamma:1", 1, u"Alpha:7"},
      {u"Alpha:0", 2, u"Beta:1"},
      {u"Alpha:2", -2147483647, u"Alpha:7"},
  };
  for (auto& c : cases) {
    ASSERT_EQ(ParseDepotReference(c.text, out, c.step), 0);
    EXPECT_EQ(std::u16string(out), c.out) << (int)c.step;
  }
}

TEST_F(Depots, ChangeSlotResultCodes) {
  ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
  ASSERT_EQ(Place(10, 11, u"Nord", 2), 0);
  ASSERT_EQ(Place(10, 12, u"Sued", 1), 0);
  struct {
    int id;
    const char16_t *name, *shortName;
    int oldSlot, newSlot, result;
  } cases[] = {
      {0, u"Nord", u"", 1, 1, 1},
      {1, u"Nord", u"", 0, 1, 7},
      {1, u"Nord", u"", 1, 100, 8},
      {1, u"Nord", u"", 3, 1, 2},
      {1, u"", u"", 1, 1, 4},
      {1, u"N!x", u"", 1, 1, 5},
      {1, u"Nordnordnordnordn", u"", 1, 1, 6},
      {1, u"Nord", u"N(", 1, 1, 5},
      {1, u"Nord", u"Nordw", 1, 1, 6},
      {1, u"Nord", u"Sued", 1, 1, 10},
      {1, u"Sued", u"", 1, 1, 3},
      {1, u"Nord", u"", 1, 2, 9},
  };
  for (auto& c : cases)
    EXPECT_EQ(ChangeDepotSlot(c.id, c.name, c.shortName, c.oldSlot, c.newSlot, 0, 0, 0, 0),
              c.result)
        << c.id << " " << std::string(c.name, c.name + StringLength(c.name));
  EXPECT_EQ(Names(), u"Nord/Nord;Sued/Sued;");  // nothing changed by a refusal
  // A rename re-sorts the list; a new number re-sorts the slots.
  ClearNetModified();
  ASSERT_EQ(ChangeDepotSlot(1, u"Zeche", u"Zc", 1, 9, 4, 7, 30000, 0x10), 0);
  EXPECT_TRUE(IsNetModified());
  EXPECT_EQ(Names(), u"Sued/Sued;Zeche/Zc;");
  DepotRecord* r = FindDepotById(1, 0, nullptr);
  ASSERT_EQ(r->slotCount, 2);
  EXPECT_EQ(r->slots[0].number, 2);
  EXPECT_EQ(r->slots[1].number, 9);
  EXPECT_EQ(r->slots[1].x, 10);
  EXPECT_EQ(r->slots[1].y, 10);
  EXPECT_EQ(r->slots[1].direction, 4u);
  EXPECT_EQ(r->slots[1].signalSystem, 7u);
  EXPECT_EQ(r->slots[1].timeMs, 30000u);
  EXPECT_EQ(r->slots[1].flags, 0x10u);
  // An empty short name keeps the depot's.
  ASSERT_EQ(ChangeDepotSlot(1, u"Zeche", u"", 2, 2, 0, 0, 0, 0), 0);
  EXPECT_EQ(std::u16string(r->shortName), u"Zc");
}

TEST_F(Depots, DeletingSlots) {
  ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
  ASSERT_EQ(Place(10, 11, u"Nord", 2), 0);
  ASSERT_EQ(Place(10, 12, u"Nord", 3), 0);
  ASSERT_EQ(Place(10, 13, u"Sued", 1), 0);
  EXPECT_EQ(DeleteDepotSlot(1, 0), 1);
  EXPECT_EQ(DeleteDepotSlot(1, 4), 1);
  EXPECT_EQ(DeleteDepotSlot(3, 1), 1);
  ClearNetModified();
  ASSERT_EQ(DeleteDepotSlot(1, 2), 0);  // the later slots close up
  EXPECT_TRUE(IsNetModified());
  DepotRecord* r = FindDepotById(1, 0, nullptr);
  ASSERT_EQ(r->slotCount, 2);
  EXPECT_EQ(r->slots[1].number, 3);
  EXPECT_EQ(r->slots[1].y, 12);
  EXPECT_EQ(FindDepotAt(10, 11, 0, nullptr), 0);
  ASSERT_EQ(DeleteDepotSlot(2, 1), 0);  // the only slot: the depot goes
  EXPECT_EQ(CountDepots(nullptr), 1);
  EXPECT_EQ(FindDepotById(2, 0, nullptr), nullptr);
  EXPECT_EQ(NewDepotId(), 2);
}

TEST_F(Depots, AddSlotLimits) {
  for (int k = 1; k <= DEPOT_MAX_SLOTS; k++) ASSERT_EQ(AddNamed(1, u"Gross", k), 0);
  EXPECT_EQ(AddNamed(1, u"Gross", 100), 1);  // 99 slots
  EXPECT_EQ(GetDepotSlotCount(1), 99);
  EXPECT_EQ(AddNamed(0, u"Null", 1), 1);
  EXPECT_EQ(AddNamed(4001, u"Hoch", 1), 1);
  for (int id = 2; id <= DEPOT_MAX_ID; id++) ASSERT_EQ(AddNamed(id, u"D", 1), 0);
  EXPECT_EQ(NewDepotId(), 0);
  SetCell(50, 50, 0, 137);
  EXPECT_EQ(CreateDepotSlotAt(50, 50, 0, u"Neu", 1), 3);  // 4000 depots
}

TEST_F(Depots, SignalSystemReferences) {
  ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
  ASSERT_EQ(Place(20, 10, u"Nord", 2), 0);
  ASSERT_EQ(Place(30, 10, u"Sued", 1), 0);
  ASSERT_EQ(ChangeDepotSlot(1, u"Nord", u"", 1, 1, 0, 5, 0, 0), 0);
  ASSERT_EQ(ChangeDepotSlot(1, u"Nord", u"", 2, 2, 0, 5, 0, 0), 0);
  ASSERT_EQ(ChangeDepotSlot(2, u"Sued", u"", 1, 1, 0, 6, 0, 0), 0);
  EXPECT_EQ(CountDepotReferences(5), 2);
  EXPECT_EQ(AnyDepotSlotOfSignalSystemInBox(5, {15, 0, -4, 25, 20, 0}), 1);
  EXPECT_EQ(AnyDepotSlotOfSignalSystemInBox(6, {15, 0, -4, 25, 20, 0}), 0);
  MarkDepotSlotsOfSignalSystem(5);
  uint32_t flags;
  GetDepotSlot(1, 2, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &flags);
  EXPECT_EQ(flags, 1u);
  GetDepotSlot(2, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &flags);
  EXPECT_EQ(flags, 0u);
  ClearSignalSystemInDepots(5);
  EXPECT_EQ(CountDepotReferences(5), 0);
  EXPECT_EQ(CountDepotReferences(6), 1);
}

TEST_F(Depots, BlockHooks) {
  ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
  ASSERT_EQ(Place(12, 10, u"Nord", 2), 0);
  ASSERT_EQ(Place(40, 10, u"Sued", 1), 0);
  const ElementFamily* f = FindElementFamilyByTag(u"DEP");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->deleteInBox, nullptr);  // deleting a block never removes depot slots
  ElementBox box = {10, 10, -4, 12, 10, 0};
  EXPECT_EQ(AnyDepotSlotInBlock(box), 1);
  EXPECT_EQ(f->crossBox(box, ELEMENT_BOX_NONE), 2);
  EXPECT_EQ(f->crossBox({0, 0, -4, 100, 100, 0}, {0, 0, -4, 39, 100, 0}), 2);
  EXPECT_EQ(f->crossBox(box, {0, 0, -4, 39, 100, 0}), 1);
  EXPECT_EQ(AnyDepotSlotInBlock({13, 10, -4, 39, 10, 0}), 0);
  f->moveInBox(box, 100, 5, -1);
  EXPECT_EQ(FindDepotAt(110, 15, -1, nullptr), 1);
  EXPECT_EQ(FindDepotAt(112, 15, -1, nullptr), 1);
  EXPECT_EQ(FindDepotAt(40, 10, 0, nullptr), 2);
  f->scaleInBox({110, 15, -4, 112, 15, 0}, 3, 1, 1, 1);  // about the box's first corner
  EXPECT_EQ(FindDepotAt(110, 15, -1, nullptr), 1);
  EXPECT_EQ(FindDepotAt(116, 15, -1, nullptr), 1);
  EXPECT_EQ(FindDepotById(1, 0, nullptr)->slots[1].number, 2);  // order by number kept
}

// ---- copy text ----------------------------------------------------------------------------------------
namespace {
std::vector<std::u16string> Clip;
int AppendToClip(const char16_t* line) {
  Clip.push_back(line);
  return 0;
}
int ReadFromClip(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)Clip.size() || (int)Clip[index].size() > maxChars) return 1;
  for (size_t i = 0; i <= Clip[index].size(); i++) out[i] = Clip[index].c_str()[i];
  return 0;
}
struct ClipHooks {
  ClipHooks() {
    Clip.clear();
    CopyTextAppendLine = AppendToClip;
    CopyTextReadLine = ReadFromClip;
  }
  ~ClipHooks() {
    CopyTextAppendLine = nullptr;
    CopyTextReadLine = nullptr;
  }
};
}  // namespace

TEST_F(Depots, CopyTextRoundTripAtAnOffset) {
  ClipHooks hooks;
  ASSERT_EQ(Place(10, 10, u"Nord", 2), 0);
  ASSERT_EQ(Place(11, 10, u"Nord", 1), 0);
  ASSERT_EQ(Place(12, 10, u"Hafen", 3), 0);
  ASSERT_EQ(Place(90, 90, u"Fern", 1), 0);  // outside the block
  ASSERT_EQ(ChangeDepotSlot(1, u"Nord", u"Nd", 2, 2, 0x20, 0, 45000, 0x81), 0);
  ElementBox box = {10, 10, -4, 12, 10, 0};
  ASSERT_EQ(CopyDepotsToClipboard(box), 0);
  ASSERT_EQ(Clip.size(), 5u);
  EXPECT_EQ(Clip[0], u"DEP_A");
  EXPECT_EQ(Clip[1], u"c,a,0,3,0,0,0,2,\"Hafen\",\"Hafe\",\"\"");  // depots by name
  EXPECT_EQ(Clip[2], u"b,a,0,1,0,0,0,1,\"Nord\",\"Nd\",\"\"");
  EXPECT_EQ(Clip[3], u"a,a,0,2,20,45000,81,1,\"Nord\",\"Nd\",\"\"");
  EXPECT_EQ(Clip[4], u"DEP_E");
  // Pasted into the same network: Nord 1 and 2 exist (skipped, bit 2); Hafen 3 as well.
  Clip.insert(Clip.begin(), u"before");
  int index = 1;
  EXPECT_EQ(PasteDepotsFromClipboard(&index, 0, 20, 0), 2);
  EXPECT_EQ(index, (int)Clip.size());
  int total;
  CountDepots(&total);
  EXPECT_EQ(total, 4);
  // Into a network without them: new depots with the pasted names, ids from the lowest free.
  FreeDepots();
  ASSERT_EQ(Place(5, 5, u"Nord", 5), 0);  // depot 1 "Nord" with another slot
  index = 1;
  EXPECT_EQ(PasteDepotsFromClipboard(&index, 100, 20, -1), 0);
  EXPECT_EQ(CountDepots(&total), 2);
  EXPECT_EQ(total, 4);
  int slot;
  EXPECT_EQ(FindDepotAt(110, 30, -1, &slot), 1);  // added to "Nord"
  EXPECT_EQ(slot, 2);
  uint32_t direction, timeMs, flags;
  ASSERT_EQ(GetDepotSlot(1, 2, nullptr, nullptr, nullptr, &direction, nullptr, &timeMs, &flags), 0);
  EXPECT_EQ(direction, 0x20u);
  EXPECT_EQ(timeMs, 45000u);
  EXPECT_EQ(flags, 0x81u);
  int hafen = FindDepotAt(112, 30, -1, &slot);
  EXPECT_EQ(hafen, 2);
  EXPECT_EQ(slot, 3);
  char16_t full[40], shortName[40];
  ASSERT_EQ(FormatDepotName(hafen, 0, full, shortName), 0);
  EXPECT_EQ(std::u16string(full), u"Hafen");
  EXPECT_EQ(std::u16string(shortName), u"Hafe");
}

TEST_F(Depots, CopyTextReaderResults) {
  ClipHooks hooks;
  ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
  struct {
    std::vector<std::u16string> lines;
    int result, slots;
  } cases[] = {
      {{u"DEP_A", u"DEP_E"}, 0, 1},
      {{u"DEP_A", u"1,2,0,1,0,0,0,9,\"Nord\",\"\",\"\""}, 4, 1},  // no DEP_E
      {{u"DEP_A", u"1,2,0,1,0,0,0,9,\"Nord\",\"\",\"\"", u"DEP_X"}, 4, 1},
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Nord,\"\",\"\"", u"DEP_E"}, 4, 1},  // quote missing
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Abcdefghijklmnopq\",\"\",\"\"", u"DEP_E"}, 4, 1},
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Nord\",\"Abcde\",\"\"", u"DEP_E"}, 4, 1},
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Nord\",\"\",\"abcdefghijklmnopqrstu\"", u"DEP_E"}, 4, 1},
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"No(d\",\"\",\"\"", u"DEP_E"}, 4, 1},       // not a name
      {{u"DEP_A", u"1,2,0,0,0,0,0,9,\"Nord\",\"\",\"\"", u"DEP_E"}, 4, 1},       // slot 0
      {{u"DEP_A", u"1,2,0,1,0,0,0,9,\"Nord\",\"\",\"\"", u"DEP_E"}, 2, 1},       // exists
      {{u"DEP_A", u"1,2,0,1,0,0,0,9,\"Other\",\"Nord\",\"\"", u"DEP_E"}, 2, 1},  // by short
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Other\",\"Nord\",\"\"", u"DEP_E"}, 0, 2},  // added
      {{u"DEP_A", u"1,2,0,2,0,0,0,9,\"Neu\",\"Neu\",\"Sig\"", u"DEP_E"}, 0, 2},
      {{u"DEP_A", u"ffff,2,0,2,0,0,0,9,\"Neu\",\"Neu\",\"\"", u"DEP_E"}, 1, 1},  // off grid
      {{u"DEP_A", u"1,2,0,1,0,0,0,9,\"Nord\",\"\",\"\"", u"1,3,0,1,0,0,0,9,\"Neu\",\"\",\"\"",
        u"DEP_E"},
       2,
       2},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(std::string(c.lines[1].begin(), c.lines[1].end()));
    FreeDepots();
    ASSERT_EQ(Place(10, 10, u"Nord", 1), 0);
    Clip = c.lines;
    int index = 0;
    EXPECT_EQ(PasteDepotsFromClipboard(&index, 0, 0, 0), c.result);
    int total;
    CountDepots(&total);
    EXPECT_EQ(total, c.slots);
    if (c.result != 4) {
      EXPECT_EQ(index, (int)c.lines.size());
    }
  }
  // The family-table form: 0, 1 for a slot left out, 2 for bad text.
  const ElementFamily* f = FindElementFamilyByTag(u"DEP");
  Clip = {u"DEP_A", u"1,2,0,1,0,0,0,9,\"Nord\",\"\",\"\"", u"DEP_E"};
  int index = 0;
  EXPECT_EQ(f->readCopyText(&index, 0, 0, 0), 1);
  Clip = {u"DEP_A", u"DEP_X"};
  index = 0;
  EXPECT_EQ(f->readCopyText(&index, 0, 0, 0), 2);
}

// A renumbered slot is renumbered, a deleted one removed, in the route lists of the switches
// (and with the depot's last slot every pair of the depot goes).
TEST_F(Depots, SlotChangesReachTheStoresThatHoldSlots) {
  InitSwitches();
  ClearSwitches();
  using Words = std::vector<uint32_t>;
  const uint32_t three[4] = {2, 1, 32, 128};
  auto route = [&](int x, const Words& pairs) {
    SetCell(x, 50, 0, 72);
    ASSERT_EQ(PlaceSwitch(x, 50, 0, 0, SWITCH_ROUTE1, (uint32_t)x, three, 0), 0);
    const uint32_t lengths[6] = {0, 0, 0, (uint32_t)pairs.size(), 0, 0};
    ASSERT_EQ(SetRouteSwitchLists(x, 50, 0, 0, lengths, pairs.data()), 0);
  };
  auto pairs = [](int x) {
    const uint32_t* v;
    int n = GetRouteSwitchList(x, 50, 0, 0, 4, &v);
    return n > 0 ? Words(v, v + n) : Words();
  };
  ASSERT_EQ(Place(10, 10, u"Nord", 4), 0);
  ASSERT_EQ(Place(10, 11, u"Nord", 2), 0);
  route(20, {1, 4});
  route(21, {1, 2});
  ASSERT_EQ(ChangeDepotSlot(1, u"Nord", u"", 4, 9, 0, 0, 0, 0), 0);
  EXPECT_EQ(pairs(20), (Words{1, 9}));
  EXPECT_EQ(pairs(21), (Words{1, 2}));
  ASSERT_EQ(DeleteDepotSlot(1, 2), 0);
  EXPECT_EQ(pairs(21), Words{});
  EXPECT_EQ(pairs(20), (Words{1, 9}));
  ASSERT_EQ(DeleteDepotSlot(1, 9), 0);  // the last slot: the depot and all its pairs go
  EXPECT_EQ(pairs(20), Words{});
  ClearSwitches();
}
