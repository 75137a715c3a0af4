// The section "DEPO" of the depots: fixtures of every version form load as the old forms say,
// the faults of a section are format errors, a network with depots saves and loads back equal
// (the second save identical); and the depot table of the text export.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "netfile_test_util.h"

namespace {
struct DepotSection : ::testing::Test {
  void SetUp() override {
    NetTestSetUp();
    FreeDepots();
  }
  void TearDown() override {
    FreeDepots();
    NetTestTearDown();
  }
};

struct SlotWant {
  int x, y, number;
  uint32_t direction, system, timeMs, flags;
  int level;  // 0 unless given
};

void ExpectDepot(int id, const char16_t* name, const char16_t* shortName,
                 const std::vector<SlotWant>& slots) {
  SCOPED_TRACE(id);
  DepotRecord* r = FindDepotById(id, 0, nullptr);
  ASSERT_NE(r, nullptr);
  EXPECT_EQ(std::u16string(r->name), name);
  EXPECT_EQ(std::u16string(r->shortName), shortName);
  ASSERT_EQ(r->slotCount, (int)slots.size());
  for (size_t i = 0; i < slots.size(); i++) {
    const DepotSlot& s = r->slots[i];
    const SlotWant& w = slots[i];
    EXPECT_EQ(s.x, w.x);
    EXPECT_EQ(s.y, w.y);
    EXPECT_EQ(s.level, w.level);
    EXPECT_EQ(s.number, w.number);
    EXPECT_EQ(s.direction, w.direction);
    EXPECT_EQ(s.signalSystem, w.system);
    EXPECT_EQ(s.timeMs, w.timeMs);
    EXPECT_EQ(s.flags, w.flags) << i;
  }
}
}  // namespace

TEST_F(DepotSection, EveryVersionFormLoads) {
  const int versions[] = {13569, 13573, 13575, 14342, 14388, 14389, 14390, 14391, 14400};
  for (int v : versions) {
    SCOPED_TRACE(v);
    std::string name = "depots_" + std::to_string(v) + ".nt3";
    ASSERT_EQ(LoadFixture(name.c_str()), NETLOAD_OK);
    EXPECT_EQ(CountDepots(nullptr), 2);
    // Old files: one record per slot, 8-byte names, short names made after loading, signal
    // system and time from 13573 (400 seconds: none), depot flags with bit 15 widened.
    uint32_t north = v < 14391 ? 0x800E : 0;
    int hasTimes = v >= 13573;
    if (v < 14389) {
      ExpectDepot(3, u"Nordhafe", u"Nord", {{20, 30, 1, 2, 0, 0, north}});
      ExpectDepot(7, u"Sued", u"Sued",
                  {{21, 30, 1, 8, hasTimes ? 5u : 0u, hasTimes ? 60000u : 0u, 0}});
    } else {
      uint32_t f1 = v == 14389 ? north : v == 14390 ? 0x21 | north : 0x21;
      uint32_t f4 = v == 14389 ? north : v == 14390 ? 0x2 | north : 0x2;
      uint32_t fs = v == 14389 ? 0 : 0x40;
      ExpectDepot(3, u"Nordhafen", u"NH", {{20, 30, 1, 2, 0, 0, f1}, {22, 30, 4, 1, 2, 9000, f4}});
      ExpectDepot(7, u"Sued", u"Sd", {{21, 30, 1, 8, 5, 60000, fs}});
    }
    EXPECT_EQ(DepotList->id, 3);  // sorted by name
  }
}

TEST_F(DepotSection, FaultsAreFormatErrors) {
  const char* names[] = {"depo_id0",       "depo_id4001",         "depo_id_twice",
                         "depo_slots100",  "depo_slot_twice",     "depo_slot0",
                         "depo_slot100",   "depo_name17",         "depo_short5",
                         "depo_count4001", "depo_count251_14341", "depo_old_id_twice_13575"};
  for (const char* n : names) {
    SCOPED_TRACE(n);
    std::string file = std::string(n) + ".nt3";
    EXPECT_EQ(LoadFixture(file.c_str()), NETOFS_DEPOTS + NETSEC_FORMAT);
    EXPECT_EQ(CountDepots(nullptr), 0);  // nothing of the section stays
  }
}

TEST_F(DepotSection, SavedAndLoadedEqual) {
  DepotRecord d = {};
  d.id = 12;
  CopyString(d.name, u"Abstellgruppe16");
  CopyString(d.shortName, u"Abs");
  DepotSlot a = {16379, 16386, 0, 1, 0x4, 2, 3, 4};
  DepotSlot b = {100, 200, -3, 99, 0x80000001, 128, 0, 30000};
  ASSERT_EQ(AddDepotSlot(&d, &b), 0);
  ASSERT_EQ(AddDepotSlot(&d, &a), 0);
  DepotRecord e = {};
  e.id = 4000;
  CopyString(e.name, u"B");
  DepotSlot c = {5, 6, 0, 7, 0, 1, 0, 0};
  ASSERT_EQ(AddDepotSlot(&e, &c), 0);
  ASSERT_EQ(SaveAs("depots_a.nt3"), 0);
  FreeDepots();
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"depots_a.nt3"), NETLOAD_OK);
  ExpectDepot(12, u"Abstellgruppe16", u"Abs",
              {{16379, 16386, 1, 2, 3, 4, 0x4}, {100, 200, 99, 128, 0, 30000, 0x80000001, -3}});
  ExpectDepot(4000, u"B", u"", {{5, 6, 7, 1, 0, 0, 0}});
  ASSERT_EQ(SaveAs("depots_b.nt3"), 0);
  EXPECT_EQ(FromEofMark(ReadWholeFile(OutputDir() + "depots_a.nt3")),
            FromEofMark(ReadWholeFile(OutputDir() + "depots_b.nt3")));
}

TEST_F(DepotSection, ExportTable) {
  SetCell(10, 20, 0, 137);
  SetCell(11, 20, -1, 137);
  ASSERT_EQ(CreateDepotSlotAt(10, 20, 0, u"Nordhafen", 3), 0);
  ASSERT_EQ(CreateDepotSlotAt(11, 20, -1, u"Nordhafen", 12), 0);
  ASSERT_EQ(ChangeDepotSlot(1, u"Nordhafen", u"", 12, 12, 2, 0, 75000, 0), 0);
  UseFolder(OutputDir());
  ASSERT_EQ(StreamOpenWrite(u"depots.txt", STREAM_WRITE_NARROW, FILE_KIND_NETWORK), 0);
  ASSERT_EQ(ExportDepotText(u';', 0), 0);
  ASSERT_EQ(StreamCloseWrite(), 0);
  std::vector<uint8_t> bytes = ReadWholeFile(OutputDir() + "depots.txt");
  std::string text(bytes.begin(), bytes.end());
  auto lang = [](uint32_t id) {
    const char16_t* t = GetLangText(id);
    std::string s;
    for (; *t; t++) s += (char)*t;
    return s;
  };
  std::string head = "\r\n" + lang(7100) + "\r\n " + lang(7101) + " 1 " + lang(7102) + " 2\r\n";
  std::string rows =
      "       Nordhafen: 3;Nord;   10;   20;+0;---;                ----;     0;      0;      0;"
      "      0\r\n"
      "       Nordhafen:12;Nord;   11;   20;-1; 75;                ----;     0;      0;      0;"
      "      0\r\n";
  std::string rule = "\r\n" + std::string(60, '-') + "\r\n";
  EXPECT_EQ(text.substr(0, head.size()), head);
  // The column titles stand as they are between the heading and the rows.
  ASSERT_GE(text.size(), head.size() + rows.size() + rule.size());
  EXPECT_EQ(text.substr(text.size() - rows.size() - rule.size()), rows + rule);
  EXPECT_NE(text.find(lang(7111).substr(0, 20), head.size()), std::string::npos);
}
