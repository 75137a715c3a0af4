// Vehicle graphics with their messages (native seams answer them): load reports of the library,
// the single report of numbered files, start-up error 24 of a broken "quil.fzg", memory failures.
#include <gtest/gtest.h>
#include "app/dialog_seam.h"
#include "app/startup.h"
#include "core/misc.h"
#include "core/msgbox_seam.h"
#include "graphics/graphics_section.h"
#include "graphics/vehicles.h"
#include "graphics_test_util.h"
#include "model/general_section.h"

namespace {
uint32_t UserCode(int file, int record) {
  return VG_USER | (uint32_t)((file - 1) * 10 + record) << 4;
}
void NameUserFile(int n, const char* name) {
  std::u16string w = Wide(name);
  CopyStringLimited(DocState.vehicleFiles[n - 1], w.c_str(), USER_FILE_NAME + 1);
}

class VehicleReports : public ::testing::Test {
 protected:
  void SetUp() override {
    StreamExit();
    ASSERT_EQ(StreamInit(), 0);
    UseProgramFolder(DataDir());
    SetKindFolder(FILE_KIND_NETWORK, Wide(DataDir() + "vehicle_tests/").c_str());
    for (auto& f : DocState.vehicleFiles) f[0] = 0;
    DialogSeamReset();
    MsgSeamReset();
    ResetVehicleLoadReports();
    SetNumberedFileReported(0);
  }
  void TearDown() override {
    FreeGraphicData();
    FreeSymbolGraphics();
    for (auto& f : DocState.vehicleFiles) f[0] = 0;
    GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
    DialogSeamReset();
    MsgSeamReset();
    ResetVehicleLoadReports();
  }
};

std::u16string Text(WrapWindow dlg, uint32_t id) {
  const char16_t* t = DialogSeamText(dlg, id);
  return t ? std::u16string(t) : std::u16string();
}

struct Seen {
  std::u16string title, what, file, line;
  uint32_t pressed = 0;
};
}  // namespace

TEST_F(VehicleReports, FailedLoadsAreReportedOncePerUserFile) {
  static Seen seen;
  seen = Seen();
  DialogSeamSetUser(
      [](WrapWindow dlg, uint32_t templateId, void*) {
        EXPECT_EQ(templateId, 121u);
        seen.title = DialogSeamTitle(dlg);
        seen.file = Text(dlg, 191);
        seen.line = Text(dlg, 192);
        if (seen.pressed) DialogSeamPress(dlg, seen.pressed);
      },
      nullptr);
  NameUserFile(2, "bad_L.nfz");
  EXPECT_EQ(LoadVehicleGraphicSet(UserCode(2, 0), 0), 2);
  EXPECT_EQ(DialogSeamRunCount(), 1);
  EXPECT_NE(seen.title.find(u"623"), std::u16string::npos);
  EXPECT_EQ(seen.file, u"\"bad_L.nfz\"");
  EXPECT_NE(seen.line.find(u"= 0,"), std::u16string::npos);  // record 0
  EXPECT_NE(seen.line.find(u"= 25"), std::u16string::npos);  // the reader's code
  // a second failure of the same user file: no second report
  EXPECT_EQ(LoadVehicleGraphicSet(UserCode(2, 3), 0), 2);
  EXPECT_EQ(DialogSeamRunCount(), 1);
  // a program set that fails is reported every time
  EXPECT_EQ(LoadVehicleGraphicSet(645152, 0), 1);
  EXPECT_EQ(LoadVehicleGraphicSet(645152, 0), 1);
  EXPECT_EQ(DialogSeamRunCount(), 3);
  EXPECT_NE(seen.title.find(u"624"), std::u16string::npos);
  EXPECT_EQ(seen.file, u"");
  EXPECT_NE(seen.line.find(u"= 40322,"), std::u16string::npos);  // the record is the key
  // "do not report again" ends the reports for the run
  seen.pressed = 120;
  EXPECT_EQ(LoadVehicleGraphicSet(645152, 0), 1);
  EXPECT_EQ(DialogSeamRunCount(), 4);
  EXPECT_EQ(AreVehicleLoadReportsOn(), 0);
  EXPECT_EQ(LoadVehicleGraphicSet(645152, 0), 1);
  NameUserFile(3, "missing.nfz");
  EXPECT_EQ(LoadVehicleGraphicSet(UserCode(3, 0), 0), 2);
  EXPECT_EQ(DialogSeamRunCount(), 4);
  // loaded and already loaded sets report nothing
  EXPECT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
  EXPECT_EQ(LoadVehicleGraphicSet(645136, 0), 0);
}

TEST_F(VehicleReports, OutOfMemoryIsMessage622AndResultFour) {
  static int left;
  GraphicsAlloc = [](uint32_t size) -> void* { return left-- > 0 ? MemAlloc(size) : nullptr; };
  for (int n : {0, 1, 3}) {
    left = n;
    MsgSeamReset();
    EXPECT_EQ(LoadVehicleGraphicSet(645136, 0), 4) << n;
    ASSERT_EQ(MsgSeamCallCount(), 1) << n;
    EXPECT_NE(std::u16string(MsgSeamLastCall()->title).find(u"622"), std::u16string::npos);
    EXPECT_EQ(HasVehicleGraphicSet(645136), 0);  // nothing half-built is inserted
  }
  EXPECT_EQ(DialogSeamRunCount(), 0);
  // the listed sets of a network: memory gives 3 (the load fails with 13)
  PendingSetIds = (uint32_t*)MemAlloc(8);
  PendingSetIds[0] = 645120;
  PendingSetIds[1] = 645136;
  PendingSetCount = 2;
  left = 0;
  EXPECT_EQ(LoadListedVehicleGraphics(14400), 3);
  EXPECT_EQ(PendingSetIds, nullptr);
  GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
  // a program set that fails gives 1, a user set 2; 1 wins
  struct Case {
    std::vector<uint32_t> ids;
    int result;
  } cases[] = {{{645120, 645136}, 0},
               {{645120, 999984}, 1},
               {{UserCode(5, 0), 645120}, 2},
               {{UserCode(5, 0), 999984}, 1}};
  for (const Case& c : cases) {
    FreeGraphicData();
    PendingSetIds = (uint32_t*)MemAlloc(4 * c.ids.size());
    for (size_t i = 0; i < c.ids.size(); i++) PendingSetIds[i] = c.ids[i];
    PendingSetCount = (uint32_t)c.ids.size();
    EXPECT_EQ(LoadListedVehicleGraphics(14369), c.result);
    EXPECT_EQ(PendingSetIds, nullptr);
  }
}

TEST_F(VehicleReports, NumberedFilesReportOnlyTheFirstFailure) {
  NameUserFile(1, "num_magic.nfz");
  NameUserFile(2, "absent.nfz");
  char16_t name[VG_NAME_UNITS];
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50000), 1);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_NE(std::u16string(MsgSeamLastCall()->title).find(u"727"), std::u16string::npos);
  EXPECT_NE(std::u16string(MsgSeamLastCall()->text).find(u"num_magic.uzz"), std::u16string::npos);
  EXPECT_EQ(GetNumberedVehicleGraphicName(name, 50010), 1);  // cannot open: no second message
  EXPECT_EQ(MsgSeamCallCount(), 1);
}

TEST_F(VehicleReports, StartupErrorOfABrokenVehicleGraphicFile) {
  std::vector<uint8_t> fzg = ReadBytes(DataDir() + "quil.fzg");
  ASSERT_GT(fzg.size(), 1000u);
  WriteBytes(ScratchDir() + "quil.gzg", ReadBytes(DataDir() + "quil.gzg"));
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    int result;
  };
  std::vector<Case> cases;
  size_t body = GlyphBodyStart(fzg);
  std::vector<uint8_t> b = fzg;
  b[body + 1] = 0xDB;  // magic
  cases.push_back({"bad magic", b, 4});
  cases.push_back({"cut short", std::vector<uint8_t>(fzg.begin(), fzg.end() - 40), 4});
  cases.push_back(
      {"only the text", std::vector<uint8_t>(fzg.begin(), fzg.begin() + (long)body), 4});
  for (const Case& c : cases) {
    WriteBytes(ScratchDir() + "quil.fzg", c.bytes);
    UseProgramFolder(ScratchDir());
    int r = LoadSymbolFile();
    EXPECT_EQ(r, c.result) << c.what;
    EXPECT_EQ(MapGlyphResult(r), 24) << c.what;
    EXPECT_EQ(GlyphStore, nullptr) << c.what;
    EXPECT_EQ(GetVehicleGraphicLibrary(), nullptr) << c.what;
  }
  EXPECT_GE(DialogSeamRunCount(), 3);  // each failed default set was reported
  // memory running out while the sets load is start-up error 25
  WriteBytes(ScratchDir() + "quil.fzg", fzg);
  static int left;
  left = 1 << 30;
  GraphicsAlloc = [](uint32_t size) -> void* { return left-- > 0 ? MemAlloc(size) : nullptr; };
  ASSERT_EQ(LoadSymbolFile(), 0);
  int total = (1 << 30) - left;
  EXPECT_EQ(GetFirstVehicleGraphicSetId(), 100096u);
  FreeSymbolGraphics();
  left = total - 1;
  EXPECT_EQ(LoadSymbolFile(), 5);
  EXPECT_EQ(MapGlyphResult(5), 25);
  EXPECT_EQ(GetVehicleGraphicLibrary(), nullptr);
}
