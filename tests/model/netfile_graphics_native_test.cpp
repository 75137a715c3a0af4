// A network file whose listed vehicle-graphic sets cannot be loaded for want of memory: load
// error 13 (the memory message 622 shown once).
#include <gtest/gtest.h>
#include <string>
#include "core/misc.h"
#include "core/msgbox_seam.h"
#include "core/stream.h"
#include "graphics/graphics_section.h"
#include "graphics/symbols.h"
#include "graphics/vehicles.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"

TEST(NetGraphicsMemory, ListedSetsWithoutMemoryFailTheLoadWith13) {
  NetTestSetUp();
  std::vector<NetSectionRow> saved(NetSectionTable, NetSectionTable + NET_SECTION_COUNT);
  NetSectionClear savedClear = NetClearOrder[NET_CLEAR_COUNT - 1];
  RegisterGraphicsSection();
  const std::string data = std::string(QUIL_TEST_DATA_DIR) + "/";
  SetKindFolder(FILE_KIND_PROGRAM, std::u16string(data.begin(), data.end()).c_str());
  MsgSeamReset();
  static int left;
  left = 1;  // the pending list of the section, then nothing
  GraphicsAlloc = [](uint32_t size) -> void* { return left-- > 0 ? MemAlloc(size) : nullptr; };
  EXPECT_EQ(LoadFixture("graphics_sets.nt3"), NETLOAD_GRAPHICS);
  GraphicsAlloc = [](uint32_t size) { return MemAlloc(size); };
  int memoryMessages = 0;
  for (int i = 0; i < MsgSeamCallCount(); i++)
    if (std::u16string(MsgSeamCall(i)->title).find(u"622") != std::u16string::npos)
      memoryMessages++;
  EXPECT_EQ(memoryMessages, 1);  // the first set that runs out stops the list
  EXPECT_EQ(GetVehicleGraphicLibrary(), nullptr);
  // with memory the same file loads its sets
  EXPECT_EQ(LoadFixture("graphics_sets.nt3"), 0);
  EXPECT_TRUE(HasVehicleGraphicSet(100096));
  for (int i = 0; i < NET_SECTION_COUNT; i++) NetSectionTable[i] = saved[(size_t)i];
  NetClearOrder[NET_CLEAR_COUNT - 1] = savedClear;
  for (NetPostLoadStep& step : NetPostLoadSteps)
    if (step.kind == NETPOST_GRAPHICS) step.run = nullptr;
  FreeGraphicData();
  MsgSeamReset();
  NetTestTearDown();
}
