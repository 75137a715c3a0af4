// A save that fails at any point (the name, creating the temporary file, any write, the close,
// the replace) keeps the old file byte for byte, leaves no temporary file and no progress box,
// and gives the result whose message tells the user what went wrong. The faults are armed in
// the native file layer.
#include <gtest/gtest.h>
#include <string>
#include "app/infobox.h"
#include "core/platform_file_fault.h"
#include "core/stream.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_messages.h"
#include "netfile_test_util.h"

class NetSave : public ::testing::Test {
 protected:
  void SetUp() override {
    NetTestSetUp();
    ClearFileFaults();
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
  }
  void TearDown() override {
    ClearFileFaults();
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    NetTestTearDown();
  }
};

// A network whose file needs several buffers: cells that the pair runs cannot fold.
static void BuildLargeNetwork() {
  BuildSmallNetwork();
  for (int i = 0; i < 6000; i++) SetCell(1000 + i % 200, 1000 + i / 200, 0, 0x0200 + i % 97);
  UpdateUsedArea(0, 0, 0, 0);
}

static bool Exists(const std::string& path) { return !ReadWholeFile(path).empty(); }

TEST_F(NetSave, EveryFailedSaveKeepsTheOldFileAndClosesItsBox) {
  BuildLargeNetwork();
  const std::string path = OutputDir() + "faults.nt3";
  ASSERT_EQ(SaveAs("faults.nt3"), NETSAVE_OK);
  const int writes = FileFaultCalls(FILE_FAULT_WRITE);
  ASSERT_GE(writes, 3);  // the file spans several buffers
  const auto before = ReadWholeFile(path);
  SetCell(5, 5, 0, 0x0207);  // the network differs from the saved file now

  struct Case {
    FileFaultKind fault;
    int nth;
    int result;
    uint32_t message;
  };
  const Case cases[] = {
      {FILE_FAULT_OPEN, 1, NETSAVE_CANNOT_CREATE, 242},
      {FILE_FAULT_WRITE, 1, 1, 244},
      {FILE_FAULT_WRITE, 2, 1, 244},
      {FILE_FAULT_SHORT_WRITE, 2, 2, 245},
      {FILE_FAULT_WRITE, writes, 4, 248},  // the last buffer, written by the close
      {FILE_FAULT_SHORT_WRITE, writes, 5, 249},
      {FILE_FAULT_CLOSE, 1, 4, 248},
      {FILE_FAULT_REPLACE, 1, NETSAVE_REPLACE_FAILED, 247},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "fault " << c.fault << " at call " << c.nth);
    SetFileFault(c.fault, c.nth);
    EXPECT_EQ(SaveAs("faults.nt3"), c.result);
    EXPECT_EQ(FileFaultCalls(c.fault), c.nth);  // the fault did fire
    EXPECT_EQ(ReadWholeFile(path), before);
    EXPECT_FALSE(Exists(path + ".~tmp"));
    EXPECT_EQ(GetInfoBoxLevel(), -1);
    EXPECT_EQ(GetSaveResultMessage(c.result).number, c.message);
    ClearFileFaults();
  }

  // A name with no room for the temporary suffix is refused the same way.
  std::u16string longName(STREAM_PATH_CHARS - 3, u'k');
  SetNetworkName(longName.c_str());
  EXPECT_EQ(WriteNetworkFile(), NETSAVE_CANNOT_CREATE);
  EXPECT_EQ(GetInfoBoxLevel(), -1);

  // After all these failures the box stack is empty: a load and a save still show their boxes,
  // and the save replaces the old file.
  EXPECT_EQ(OpenInfoBox(u"a", u"a", 1, 0), 0);
  EXPECT_EQ(OpenInfoBox(u"b", u"b", 1, 0), 1);
  ASSERT_EQ(SaveAs("faults.nt3"), NETSAVE_OK);
  EXPECT_EQ(GetInfoBoxLevel(), 1);  // the boxes below the save's own are left alone
  CloseInfoBox();
  CloseInfoBox();
  EXPECT_NE(ReadWholeFile(path), before);
  EXPECT_FALSE(Exists(path + ".~tmp"));
}

// The old file is replaced in one step: at no moment is there no file of that name, so a
// replace that fails cannot lose it, and no side file of the old contents is made.
TEST_F(NetSave, ReplaceNeverMovesTheOldFileAside) {
  BuildSmallNetwork();
  ASSERT_EQ(SaveAs("atomic.nt3"), NETSAVE_OK);
  const auto before = ReadWholeFile(OutputDir() + "atomic.nt3");
  SetCell(6, 6, 0, 0x0207);
  SetFileFault(FILE_FAULT_RENAME, 1);  // a save that moved the old file first would stop here
  ASSERT_EQ(SaveAs("atomic.nt3"), NETSAVE_OK);
  EXPECT_EQ(FileFaultCalls(FILE_FAULT_RENAME), 0);
  EXPECT_NE(ReadWholeFile(OutputDir() + "atomic.nt3"), before);
  EXPECT_FALSE(Exists(OutputDir() + "atomic.nt3.~old"));
}
