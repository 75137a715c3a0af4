// What loading a network shows on the frame (native build: info boxes and window titles need no
// windows there): the progress boxes of the loader and its steps, and the window titles.
#include <gtest/gtest.h>
#include <string>
#include "app/infobox.h"
#include "app/recent.h"
#include "app/titles.h"
#include "core/infobox_hooks.h"
#include "model/doc_hooks.h"
#include "core/langtext.h"
#include "core/msgbox_seam.h"
#include "model/general_section.h"
#include "model/netfile.h"
#include "model/netfile_sections.h"
#include "netfile_test_util.h"

class NetFrame : public ::testing::Test {
 protected:
  void SetUp() override {
    NetTestSetUp();
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
  }
  void TearDown() override {
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    NetTestTearDown();
  }
};

// What the topmost info box showed while a step ran: its level, text and progress width.
static int gBoxLevel = -2, gBoxWidth = 0, gStepResult = 0;
static std::u16string gBoxText;
static void NoteTopBox() {
  gBoxLevel = GetInfoBoxLevel();
  const InfoBoxSlot* slot = GetInfoBoxSlot(gBoxLevel);
  gBoxText = slot ? slot->text : u"";
  gBoxWidth = slot ? slot->progressWidth : 0;
}
static int TrainStep(const char16_t*, int) {
  NoteTopBox();
  return gStepResult;
}
// The grid check of old files opens its own progress box.
static int GridCheckWithBox() {
  OpenInfoBox(u"", u"check", 50, 0);
  NoteTopBox();
  return gStepResult;
}

// Whatever the result, no box of the loader stays on the screen: not for a file without the
// 0x1A mark (closed by the stream while opening), not for header or section faults.
TEST_F(NetFrame, NoBoxOutlivesALoad) {
  const char* files[] = {"no_such_file.nt3",  "no_eof_mark.nt3", "bad_magic.nt3", "v3841.nt3",
                         "short_trailer.nt3", "bad_lfst.nt3",    "small.nt3"};
  for (const char* file : files) {
    LoadFixture(file);
    EXPECT_EQ(GetInfoBoxLevel(), -1) << file;
  }
}

// The grid check's box is closed after the check; the train conversion runs under a box of its
// own (text 11003, progress width 1) once the file's box is gone, and closes it again.
TEST_F(NetFrame, BoxesOfTheStepsAfterLoading) {
  NetGridCheck = GridCheckWithBox;
  gStepResult = 0;
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_OK);
  EXPECT_EQ(gBoxLevel, 1);  // above the loader's own box
  EXPECT_EQ(GetInfoBoxLevel(), -1);
  gStepResult = -1;
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_GRID_CHECK);
  EXPECT_EQ(GetInfoBoxLevel(), -1);
  NetGridCheck = nullptr;

  const std::u16string converting = GetLangText(LANG_ID(11003));
  NetPostLoadFn saved = NetPostLoadSteps[4].run;
  NetPostLoadSteps[4].run = TrainStep;
  const int results[] = {0, 1, 2};
  for (int result : results) {
    SCOPED_TRACE(result);
    gStepResult = result;
    gBoxLevel = -2;
    LoadFixture("v14400.nt3");
    EXPECT_EQ(gBoxLevel, 0);  // the file's box is gone by then
    EXPECT_EQ(gBoxText, converting);
    EXPECT_EQ(gBoxWidth, 1);
    EXPECT_EQ(GetInfoBoxLevel(), -1);
  }
  NetPostLoadSteps[4].run = saved;
}

// A loaded network's name reaches the window titles at once; so does a new network's.
TEST_F(NetFrame, LoadAndNewNetworkRefreshTheTitles) {
  SetTitleWindowExists(TITLE_MAIN, 1);
  ASSERT_EQ(LoadFixture("small.nt3"), 0);
  std::u16string title = GetAppliedTitle(TITLE_MAIN, 0);
  EXPECT_NE(title.find(u"small.nt3"), std::u16string::npos)
      << std::string(title.begin(), title.end());
  ResetDocumentState();
  title = GetAppliedTitle(TITLE_MAIN, 0);
  EXPECT_EQ(title.find(u"small.nt3"), std::u16string::npos);
  EXPECT_NE(title.find(GetLangText(LANG_ID(11060))), std::u16string::npos);
  SetTitleWindowExists(TITLE_MAIN, 0);
}

static int GridCheckFinds12() { return 12; }
static int SkippingThreeTrains(int version) {
  int r = ReadEmptyTrainsSection(version);
  return r ? r : -3;
}

// Problems met while loading are told in one box: the grid check's count and the skipped trains.
TEST_F(NetFrame, LoadProblemsAreShownWithTheirCounts) {
  NetGridCheck = GridCheckFinds12;
  NetSectionReader savedReader = NetSectionTable[3].read;
  NetSectionTable[3].read = SkippingThreeTrains;
  MsgSeamReset();
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_OK);
  NetSectionTable[3].read = savedReader;
  NetGridCheck = nullptr;
  ASSERT_EQ(MsgSeamCallCount(), 2);  // then the repairs of the load (the code 0xFC20)
  const MsgBoxCall* call = MsgSeamCall(0);
  std::u16string text = call->text;  // "<11147> 12  <11148> 3" LF CR "<11149>"
  size_t grid = text.find(u" 12  "), trains = text.find(u" 3\n\r");
  ASSERT_NE(grid, std::u16string::npos) << std::string(text.begin(), text.end());
  ASSERT_NE(trains, std::u16string::npos) << std::string(text.begin(), text.end());
  EXPECT_LT(grid, trains);
}

// What the load left out is told after the load: the count and the first cell. A file without
// such cells shows nothing.
TEST_F(NetFrame, LoadRepairsAreShownWithCountAndFirstPlace) {
  MsgSeamReset();
  EXPECT_EQ(LoadFixture("v14395.nt3"), NETLOAD_OK);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  std::u16string text = MsgSeamLastCall()->text;  // "<11191> 1" LF CR "<11192> 10, 9, 0"
  std::u16string first = GetLangText(LANG_ID(11191));
  std::u16string place = GetLangText(LANG_ID(11192));
  EXPECT_EQ(text, first + u" 1\n\r" + place + u" 10, 9, 0");
  EXPECT_EQ(MsgSeamLastCall()->helpTopic % 1000, 297);
  BuildSmallNetwork();
  ASSERT_EQ(SaveAs("repairs.nt3"), NETSAVE_OK);
  MsgSeamReset();
  UseFolder(OutputDir());
  EXPECT_EQ(LoadNetworkFile(u"repairs.nt3"), NETLOAD_OK);
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

// Without the hooks of start-up the document stands alone: a load opens no box, touches no title
// and no recent-file list, and the place of the one window it keeps goes through a save and a
// load unchanged.
TEST_F(NetFrame, WithoutTheHooksOfStartUpTheDocumentStandsAlone) {
  DocumentHooks savedDoc = DocHooks;
  InfoBoxHooks savedBoxes = InfoBoxCalls;
  DocHooks = DocumentHooks{};
  InfoBoxCalls = InfoBoxHooks{};
  SetTitleWindowExists(TITLE_MAIN, 1);
  ApplyWindowTitle(TITLE_MAIN, 0, u"untouched");
  AddRecentFile(nullptr);
  gBoxLevel = -2;
  gStepResult = 0;
  NetPostLoadFn savedStep = NetPostLoadSteps[4].run;
  NetPostLoadSteps[4].run = TrainStep;  // runs inside the box of the train conversion
  ASSERT_EQ(LoadFixture("small.nt3"), 0);
  NetPostLoadSteps[4].run = savedStep;
  EXPECT_EQ(-1, gBoxLevel);
  EXPECT_EQ(std::u16string(u"untouched"), GetAppliedTitle(TITLE_MAIN, 0));
  EXPECT_EQ(0, RecentFiles[0][0]);
  DocViewPlace place = {};
  ASSERT_EQ(0, DocGetViewPlace(0, &place));
  EXPECT_EQ(1, DocGetViewPlace(1, &place));  // only the document's own window
  DocGetViewPlace(0, &place);
  place.originX = 1000, place.originY = 2000, place.cursorX = 1010, place.cursorY = 2020;
  place.cursorLevel = -2;
  place.cellsWide = 64, place.cellsHigh = 48;  // the cursor in view
  DocSetViewPlace(0, &place);
  ASSERT_EQ(SaveAs("alone.nt3"), NETSAVE_OK);
  ResetDocumentState();
  DocGetViewPlace(0, &place);
  EXPECT_EQ(16384, place.cursorX);
  UseFolder(OutputDir());
  ASSERT_EQ(LoadNetworkFile(u"alone.nt3"), 0);
  DocGetViewPlace(0, &place);
  EXPECT_EQ(1000, place.originX);
  EXPECT_EQ(2000, place.originY);
  EXPECT_EQ(1010, place.cursorX);
  EXPECT_EQ(2020, place.cursorY);
  EXPECT_EQ(-2, place.cursorLevel);
  SetTitleWindowExists(TITLE_MAIN, 0);
  DocHooks = savedDoc;
  InfoBoxCalls = savedBoxes;
}
