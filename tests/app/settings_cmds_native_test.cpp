// The settings commands on the native build's windowless dialogs and choosers: the colour dialog
// with its work copy, defaults and chooser; the log settings with their refusals and the empty
// folder; the general, mouse and display options with their checks; the font dialog with the
// common font dialog; the language and help files through the file dialog.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>
#include "app/cursor.h"
#include "app/dialog.h"
#include "app/dialog_ctl.h"
#include "app/dialog_seam.h"
#include "app/editwnd.h"
#include "app/filedialog.h"
#include "app/help.h"
#include "app/netcmd.h"
#include "app/optionfile.h"
#include "app/recent.h"
#include "app/settings_cmds.h"
#include "app/tick.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox_seam.h"
#include "core/platform.h"
#include "core/stream.h"
#include "dialog_test_util.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/fonts.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile_options.h"
#include "views/view_services.h"

namespace fs = std::filesystem;

namespace {
// The user of the dialogs: one action per opening, in order; an opening past the list cancels.
struct Script {
  std::vector<std::function<void(WrapWindow)>> openings;
  std::vector<uint32_t> templates, focus;
  size_t at = 0;
};
void User(WrapWindow dlg, uint32_t templateId, void* context) {
  Script* s = (Script*)context;
  s->templates.push_back(templateId);
  s->focus.push_back(DialogSeamFocus(dlg));
  if (s->at < s->openings.size()) s->openings[s->at++](dlg);
}

std::vector<int> ShownMessages() {
  std::vector<int> out;
  for (int i = 0; i < MsgSeamCallCount(); i++)
    if (const MsgBoxCall* c = MsgSeamCall(i)) out.push_back((int)c->helpTopic - 50000);
  return out;
}

std::u16string Text(WrapWindow dlg, uint32_t id) {
  const char16_t* t = DialogSeamText(dlg, id);
  return t ? t : u"(none)";
}

class SettingsCommands : public ::testing::Test {
 protected:
  Script script;
  void SetUp() override {
    ASSERT_TRUE(LoadTestLanguage());
    DialogSeamReset();
    MsgSeamReset();
    DialogSeamSetUser(User, &script);
    ChooserSeamSet(nullptr, nullptr, nullptr);
    ResetDisplayColours();
  }
  void TearDown() override {
    DialogSeamReset();
    ChooserSeamSet(nullptr, nullptr, nullptr);
    ResetDisplayColours();
  }
  void Open(std::function<void(WrapWindow)> f) { script.openings.push_back(std::move(f)); }
};

// The user picks a row of the colour list: the selection, then the list's change notice.
void SelectRow(WrapWindow dlg, int row) {
  DlgCtlListSetSel(dlg, 106, row);
  DialogSeamSend(dlg, DLGMSG_COMMAND, (uintptr_t)106 | (1u << 16), 0);
}

int RowOf(int colourNumber) {
  for (int i = 0; i < SETTABLE_COLOUR_COUNT; i++)
    if (kSettableColours[i].number == colourNumber) return i;
  return -1;
}

// ---- colours ------------------------------------------------------------------------------------------
TEST_F(SettingsCommands, ColourTableListsEachSettableColourOnce) {
  bool seen[DISPLAY_COLOUR_COUNT] = {};
  for (const SettableColour& c : kSettableColours) {
    ASSERT_LT(c.number, DISPLAY_COLOUR_COUNT);
    EXPECT_FALSE(seen[c.number]) << (int)c.number;
    seen[c.number] = true;
  }
  // The sixteen custom colours of the chooser are not among them.
  for (int n = 134; n <= 149; n++) EXPECT_FALSE(seen[n]) << n;
  EXPECT_EQ(kSettableColours[0].number, 0);
  EXPECT_EQ(kSettableColours[SETTABLE_COLOUR_COUNT - 1].number, 183);
}

struct ColourPick {
  uint32_t colour;
  uint32_t custom0;
  int answer;
};
int PickColour(uint32_t* colour, uint32_t custom[16], void* context) {
  ColourPick* p = (ColourPick*)context;
  if (!p->answer) return 0;
  *colour = p->colour;
  custom[0] = p->custom0;
  return 1;
}

TEST_F(SettingsCommands, CancelLeavesTheColoursAndOkWritesTheWorkCopy) {
  ColourPick pick = {0x123456, 0x00ABCDEF, 1};
  ChooserSeamSet(PickColour, nullptr, &pick);
  const int row = RowOf(16);
  const uint32_t before16 = GetColour(16);
  for (uint32_t button : {(uint32_t)DLGID_CANCEL, (uint32_t)DLGID_OK}) {
    script = Script{};
    Open([&](WrapWindow dlg) {
      ASSERT_EQ(DialogSeamListCount(dlg, 106), SETTABLE_COLOUR_COUNT);
      EXPECT_EQ(std::u16string(DialogSeamListText(dlg, 106, 0)),
                std::u16string(GetLangText(kSettableColours[0].textId)));
      SelectRow(dlg, row);
      DialogSeamPress(dlg, 120);  // choose
      EXPECT_EQ(ChooserSeamSwatch(280), 0x123456u);
      EXPECT_EQ(ChooserSeamSwatch(281), GetDefaultColour(16) & 0xFFFFFF);
      EXPECT_TRUE(DialogSeamEnabled(dlg, 121));
      DialogSeamPress(dlg, button);
    });
    ColourSettingsCommand();
    ASSERT_EQ(script.at, 1u);
  }
  EXPECT_EQ(before16, GetDefaultColour(16));
  EXPECT_EQ(GetColour(16) & 0xFFFFFF, 0x123456u);
  EXPECT_EQ(GetColour(16) & 0xFF000000u, before16 & 0xFF000000u) << "the colour class stays";
  // The chooser's custom colours are display colours 134..149, stored on its OK.
  EXPECT_EQ(GetColour(134) & 0xFFFFFF, 0xABCDEFu);
}

TEST_F(SettingsCommands, AllDefaultsResetsOnlyTheListedColours) {
  SetColour(16, 0x00010203);
  SetColour(140, 0x00040506);  // a custom colour of the chooser: not in the list
  script = Script{};
  Open([](WrapWindow dlg) { DialogSeamPress(dlg, 122); });
  ColourSettingsCommand();
  EXPECT_EQ(GetColour(16), GetDefaultColour(16));
  EXPECT_EQ(GetColour(140), 0x00040506u);
}

TEST_F(SettingsCommands, SwatchesTextsAndTheDefaultButtonFollowTheRow) {
  ColourPick pick = {0x00FF8000, 0, 1};
  ChooserSeamSet(PickColour, nullptr, &pick);
  SetColour(17, (GetDefaultColour(17) & 0xFF000000u) | 0x00030201);
  const int row17 = RowOf(17), row18 = RowOf(18);
  Open([&](WrapWindow dlg) {
    SelectRow(dlg, row18);
    EXPECT_FALSE(DialogSeamEnabled(dlg, 121)) << "the row holds its default";
    SelectRow(dlg, row17);
    EXPECT_TRUE(DialogSeamEnabled(dlg, 121));
    EXPECT_EQ(ChooserSeamSwatch(280), 0x00030201u);
    std::u16string rgb = std::u16string(GetLangText(11502)) + u" 1,2,3";
    EXPECT_EQ(Text(dlg, 200), rgb);
    // A double click in the default swatch takes the default.
    DialogSeamSend(dlg, DLGMSG_COMMAND, (uintptr_t)281 | (1u << 16), 0);
    EXPECT_FALSE(DialogSeamEnabled(dlg, 121));
    EXPECT_EQ(ChooserSeamSwatch(280), GetDefaultColour(17) & 0xFFFFFF);
    // A click in the work swatch and a double click in the list open the chooser.
    DialogSeamSend(dlg, DLGMSG_COMMAND, (uintptr_t)280, 0);
    EXPECT_EQ(ChooserSeamColourRuns(), 1);
    EXPECT_EQ(ChooserSeamSwatch(280), 0x00FF8000u);
    DialogSeamSend(dlg, DLGMSG_COMMAND, (uintptr_t)106 | (2u << 16), 0);
    EXPECT_EQ(ChooserSeamColourRuns(), 2);
    DialogSeamPress(dlg, DLGID_CANCEL);
  });
  // The row chosen last is selected again the next time.
  Open([&](WrapWindow dlg) {
    EXPECT_EQ(DialogSeamListSel(dlg, 106), row17);
    DialogSeamPress(dlg, DLGID_HELP);
    EXPECT_EQ(DialogSeamLastHelpTopic(), 41002u);
    DialogSeamPress(dlg, DLGID_CANCEL);
  });
  ColourSettingsCommand();
  ColourSettingsCommand();
  EXPECT_EQ(script.at, 2u);
  EXPECT_EQ(GetColour(17) & 0xFFFFFF, 0x00030201u) << "cancelled";
}

TEST_F(SettingsCommands, ColourChooserIsADialogLevelAndHoldsTheSimulation) {
  ColourPick pick = {0x00445566, 0x00112233, 0};
  ChooserSeamSet(PickColour, nullptr, &pick);
  SimulationRunningFlag = 1;
  const uint32_t custom = GetColour(134);
  // Cancelled: the initial colour comes back and nothing changes.
  EXPECT_EQ(ChooseColourDialog(nullptr, 0x00010101), 0x00010101u);
  EXPECT_EQ(ChooserSeamDialogLevelSeen(), 0);
  EXPECT_EQ(ChooserSeamRunningSeen(), 0);
  EXPECT_EQ(SimulationRunningFlag, 1);
  EXPECT_EQ(GetColour(134), custom);
  EXPECT_EQ(GetDialogLevel(), -1);
  pick.answer = 1;
  EXPECT_EQ(ChooseColourDialog(nullptr, 0x00010101), 0x00445566u);
  EXPECT_EQ(GetColour(134) & 0xFFFFFF, 0x00112233u);
  EXPECT_EQ(SimulationRunningFlag, 1);
  SimulationRunningFlag = 0;
}

// ---- log settings ---------------------------------------------------------------------------------------
class LogSettings : public SettingsCommands {
 protected:
  char16_t savedLog[STREAM_PATH_CHARS], savedNet[STREAM_PATH_CHARS];
  void SetUp() override {
    SettingsCommands::SetUp();
    GetKindFolder(FILE_KIND_LOG, savedLog);
    GetKindFolder(FILE_KIND_NETWORK, savedNet);
    SetKindFolder(FILE_KIND_NETWORK, u"C:\\Nets\\");
    SetKindFolder(FILE_KIND_LOG, u"C:\\Logs\\");
    SetLogSettings(3, u',', u';');
  }
  void TearDown() override {
    SetKindFolder(FILE_KIND_LOG, savedLog);
    SetKindFolder(FILE_KIND_NETWORK, savedNet);
    SetLogSettings(3, u',', u';');
    SettingsCommands::TearDown();
  }
  static std::u16string Folder(int kind) {
    char16_t f[STREAM_PATH_CHARS];
    GetKindFolder(kind, f);
    return f;
  }
};

TEST_F(LogSettings, RefusedValuesReopenOnTheirFieldAndOkStoresAll) {
  Open([](WrapWindow dlg) {
    EXPECT_EQ(Text(dlg, 140), u"C:\\Logs\\");
    EXPECT_EQ(DialogSeamChecked(dlg, 470), 1);
    EXPECT_EQ(DialogSeamChecked(dlg, 471), 1);
    EXPECT_EQ(DialogSeamChecked(dlg, 400), 1);
    DialogSeamClick(dlg, 470);
    DialogSeamClick(dlg, 471);  // no kind of entry left
    DialogSeamPress(dlg, DLGID_OK);
  });
  Open([](WrapWindow dlg) {
    DialogSeamClick(dlg, 472);
    DialogSeamClick(dlg, 402);
    DialogSeamType(dlg, 141, u"");
    DialogSeamPress(dlg, DLGID_OK);
  });
  Open([](WrapWindow dlg) {
    DialogSeamType(dlg, 141, u"|");
    DialogSeamType(dlg, 142, u"\x1F");
    DialogSeamPress(dlg, DLGID_OK);
  });
  Open([](WrapWindow dlg) {
    DialogSeamType(dlg, 142, u"#");
    DialogSeamType(dlg, 140, u"  D:\\Log");
    DialogSeamPress(dlg, DLGID_OK);
  });
  LogSettingsCommand();
  ASSERT_EQ(script.at, 4u);
  EXPECT_EQ(script.focus[1], 470u);
  EXPECT_EQ(script.focus[2], 141u);
  EXPECT_EQ(script.focus[3], 142u);
  EXPECT_EQ(ShownMessages(), (std::vector<int>{255, 256, 257}));
  uint32_t flags = 0;
  char16_t sep = 0, comm = 0;
  GetLogSettings(&flags, &sep, &comm, nullptr);
  EXPECT_EQ(flags, 16u | 4u);
  EXPECT_EQ(sep, u'|');
  EXPECT_EQ(comm, u'#');
  EXPECT_EQ(Folder(FILE_KIND_LOG), u"D:\\Log\\");
}

TEST_F(LogSettings, AnEmptyFolderFallsBackToTheNetworkFolder) {
  Open([](WrapWindow dlg) {
    DialogSeamType(dlg, 140, u"   ");
    DialogSeamClick(dlg, 401);
    DialogSeamPress(dlg, DLGID_OK);
  });
  LogSettingsCommand();
  EXPECT_EQ(ShownMessages(), (std::vector<int>{258}));
  EXPECT_EQ(Folder(FILE_KIND_LOG), u"C:\\Nets\\");
  uint32_t flags = 0;
  GetLogSettings(&flags, nullptr, nullptr, nullptr);
  EXPECT_EQ(flags, 3u | 8u);
}

TEST_F(LogSettings, CancelChangesNothing) {
  Open([](WrapWindow dlg) {
    DialogSeamType(dlg, 140, u"");
    DialogSeamClick(dlg, 470);
    DialogSeamPress(dlg, DLGID_CANCEL);
  });
  LogSettingsCommand();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(Folder(FILE_KIND_LOG), u"C:\\Logs\\");
  uint32_t flags = 0;
  GetLogSettings(&flags, nullptr, nullptr, nullptr);
  EXPECT_EQ(flags, 3u);
}

// ---- general options ----------------------------------------------------------------------------------------
class GeneralOptions : public SettingsCommands {
 protected:
  int rebuilt = 0;
  static GeneralOptions* Self;
  static void Rebuild() { Self->rebuilt++; }
  void (*savedRebuild)() = nullptr;
  void SetUp() override {
    SettingsCommands::SetUp();
    SetBackupCount(3);
    SetRecentShownCount(20);
    SetConversionCodePages(-1, -1);
    SetAutosaveOptions(AUTOSAVE_BITS_DEFAULT, 0);
    Self = this;
    savedRebuild = FileCommands.rebuildRecentMenus;
    FileCommands.rebuildRecentMenus = Rebuild;
  }
  void TearDown() override {
    FileCommands.rebuildRecentMenus = savedRebuild;
    SetConversionCodePages(-1, -1);
    SetAutosaveOptions(AUTOSAVE_BITS_DEFAULT, 0);
    SettingsCommands::TearDown();
  }
};
GeneralOptions* GeneralOptions::Self = nullptr;

TEST_F(GeneralOptions, BadFieldsAreReportedInTheirOrder) {
  struct Case {
    uint32_t field;
    std::u16string text;
    int message;
  };
  const Case cases[] = {
      {140, u"1001", 319}, {140, u"x", 319},   {141, u"33", 329},     {142, u"4711", 358},
      {143, u"12", 359},   {144, u"0:00", 357}, {144, u"24:00", 357},
  };
  for (const Case& c : cases) {
    script = Script{};
    MsgSeamReset();
    Open([&](WrapWindow dlg) {
      if (c.field == 144) DialogSeamClick(dlg, 401);  // autosave on
      DialogSeamType(dlg, c.field, c.text.c_str());
      DialogSeamPress(dlg, DLGID_OK);
    });
    EXPECT_EQ(GeneralOptionsCommand(), DLGR_CANCEL);
    ASSERT_EQ(script.at, 1u);
    ASSERT_EQ(script.focus.size(), 2u);
    EXPECT_EQ(script.focus[1], c.field) << (int)c.field;
    EXPECT_EQ(ShownMessages(), (std::vector<int>{c.message})) << (int)c.field;
    EXPECT_EQ(GetBackupCount(), 3);
  }
}

TEST_F(GeneralOptions, GoodValuesAreStored) {
  Open([](WrapWindow dlg) {
    EXPECT_EQ(Text(dlg, 140), u"3");
    EXPECT_EQ(Text(dlg, 141), u"20");
    EXPECT_EQ(Text(dlg, 142), u"");
    EXPECT_EQ(DialogSeamChecked(dlg, 400), 1);
    DialogSeamType(dlg, 140, u"12");
    DialogSeamType(dlg, 141, u"8");
    DialogSeamType(dlg, 142, u"");      // empty: the system's code page
    DialogSeamType(dlg, 143, u"1252");
    DialogSeamClick(dlg, 402);          // autosave every time
    DialogSeamType(dlg, 144, u"1:30");
    DialogSeamClick(dlg, 404);          // real time
    DialogSeamClick(dlg, 470);
    DialogSeamPress(dlg, DLGID_OK);
  });
  const int saveAtExit = SaveSettingsAtExit;
  EXPECT_EQ(GeneralOptionsCommand(), 0);
  EXPECT_EQ(GetBackupCount(), 12);
  EXPECT_EQ(RecentShownCount, 8);
  EXPECT_EQ(rebuilt, 1);
  EXPECT_EQ(CpAnsiUni, -1);
  EXPECT_EQ(CpUniAnsi, 1252);
  int32_t interval = 0;
  EXPECT_EQ(GetAutosaveOptions(&interval) & 3u, 0u);
  EXPECT_EQ(interval, 5400);
  EXPECT_EQ(SaveSettingsAtExit, !saveAtExit);
  SaveSettingsAtExit = saveAtExit;
  SetRecentShownCount(20);
}

TEST_F(GeneralOptions, AutosaveOffTakesAnyIntervalAsZero) {
  SetAutosaveOptions(AUTOSAVE_BITS_DEFAULT, 600);
  Open([](WrapWindow dlg) {
    EXPECT_EQ(DialogSeamChecked(dlg, 401), 1);
    EXPECT_EQ(Text(dlg, 144), u"0:10");
    DialogSeamClick(dlg, 400);
    DialogSeamType(dlg, 144, u"nonsense");
    DialogSeamPress(dlg, DLGID_OK);
  });
  EXPECT_EQ(GeneralOptionsCommand(), 0);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  int32_t interval = -1;
  GetAutosaveOptions(&interval);
  EXPECT_EQ(interval, 0);
  EXPECT_EQ(rebuilt, 0) << "the recent-file count did not change";
}

// ---- mouse options -----------------------------------------------------------------------------------------
TEST_F(SettingsCommands, MouseOptionsWriteTheBitsAndTheEdgeScrollSilently) {
  SetMouseOptions(1 | 8 | 64);
  SetEdgeScrollInterval(30);
  SetCursorStyle(51);
  struct Case {
    std::u16string edge;
    int expected;
  };
  for (const Case& c : {Case{u"5", 55}, Case{u"abc", 55}, Case{u"100", 100}, Case{u"101", 55}}) {
    script = Script{};
    Open([&](WrapWindow dlg) {
      DialogSeamType(dlg, 143, c.edge.c_str());
      DialogSeamPress(dlg, DLGID_OK);
    });
    EXPECT_EQ(MouseOptionsCommand(), DLGR_OK);
    EXPECT_EQ(GetEdgeScrollInterval(), c.expected) << (const char*)nullptr;
  }
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(GetMouseOptions(), 1u | 8u | 64u);
  script = Script{};
  Open([](WrapWindow dlg) {
    EXPECT_EQ(DialogSeamChecked(dlg, 401), 1);
    EXPECT_EQ(DialogSeamChecked(dlg, 470), 1);
    EXPECT_EQ(DialogSeamChecked(dlg, 402), 1);
    DialogSeamClick(dlg, 400);
    DialogSeamClick(dlg, 470);
    DialogSeamClick(dlg, 403);
    DialogSeamPress(dlg, DLGID_OK);
  });
  MouseOptionsCommand();
  EXPECT_EQ(GetMouseOptions(), 64u) << "other bits stay";
  EXPECT_EQ(GetCursorStyle(), 52);
  SetCursorStyle(51);
  SetMouseOptions(9);
}

// ---- display options -----------------------------------------------------------------------------------------
TEST_F(SettingsCommands, DisplayOptionsSwitchTheirOwnersAndKeepABadFrameRate) {
  EditViews.frameRate = 25;
  ResetDisplaySwitches();
  const int zoom2 = Held.zoom2;
  Open([](WrapWindow dlg) {
    EXPECT_EQ(Text(dlg, 140), u"25");
    EXPECT_FALSE(DialogSeamEnabled(dlg, 479)) << "block marking is shown, not set here";
    EXPECT_FALSE(DialogSeamEnabled(dlg, 488)) << "zoom-2 vehicle graphics are not built";
    EXPECT_EQ(DialogSeamChecked(dlg, 472), ShowOption[1]);
    DialogSeamClick(dlg, 472);  // option 1
    DialogSeamClick(dlg, 474);  // option 6
    DialogSeamClick(dlg, 483);  // ballast
    DialogSeamClick(dlg, 490);  // annotation bit 2
    DialogSeamClick(dlg, 495);  // annotation bit 0x8000
    DialogSeamClick(dlg, 481);  // display-mode bit 2
    DialogSeamType(dlg, 140, u"61");
    DialogSeamPress(dlg, DLGID_OK);
  });
  const int one = ShowOption[1], six = ShowOption[6], ballast = ShowBallast;
  EXPECT_EQ(DisplayOptionsCommand(), DLGR_OK);
  EXPECT_EQ(ShowOption[1], !one);
  EXPECT_EQ(ShowOption[6], !six);
  EXPECT_EQ(ShowBallast, !ballast);
  EXPECT_EQ(AnnotationMask, 2u | 0x8000u);
  EXPECT_EQ(CycleDisplayMode & 7u, 2u);
  EXPECT_EQ(EditViews.frameRate, 25) << "61 is refused without a message";
  EXPECT_EQ(Held.zoom2, zoom2);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  script = Script{};
  Open([](WrapWindow dlg) {
    DialogSeamType(dlg, 140, u"60");
    DialogSeamPress(dlg, DLGID_OK);
  });
  DisplayOptionsCommand();
  EXPECT_EQ(EditViews.frameRate, 60);
  EXPECT_EQ(EditViews.frameInterval, 1000 / 60);
  EditViews.frameRate = 25;
  EditViews.frameInterval = 40;
  ResetDisplaySwitches();
}

// ---- fonts ----------------------------------------------------------------------------------------------------
struct FontPick {
  int answer;
  int fixedSeen = -1;
};
int PickFont(FontSetting* f, int fixedPitchOnly, void* context) {
  FontPick* p = (FontPick*)context;
  p->fixedSeen = fixedPitchOnly;
  if (!p->answer) return 0;
  CopyString(f->face, u"Pick Mono");
  f->height = -17;
  f->weight = 700;
  f->italic = 1;
  return 1;
}

TEST_F(SettingsCommands, FontDialogCancelKeepsTheFontAndTheDialogOpen) {
  CreateDisplayFont1(0, 0, 0, 0, 0, 0, 0, nullptr);
  FontPick pick = {0};
  ChooserSeamSet(nullptr, PickFont, &pick);
  char16_t face[FONT_FACE_CHARS];
  int32_t height = 0;
  GetDisplayFontInfo1(&height, nullptr, nullptr, nullptr, nullptr, nullptr, face);
  const std::u16string before = face;
  std::u16string line;
  Open([&](WrapWindow dlg) {
    line = Text(dlg, 193);  // the static of button 123: display font 1
    DialogSeamPress(dlg, 123);
  });
  Open([&](WrapWindow dlg) {
    DialogSeamPress(dlg, DLGID_HELP);
    DialogSeamPress(dlg, DLGID_OK);
  });
  FontSettingsCommand();
  EXPECT_EQ(DialogSeamLastHelpTopic(), 41003u);
  EXPECT_EQ(script.at, 2u) << "the dialog opens again after the cancelled common dialog";
  EXPECT_EQ(ChooserSeamFontRuns(), 1);
  EXPECT_EQ(pick.fixedSeen, 1);
  EXPECT_EQ(ChooserSeamDialogLevelSeen(), 0);
  EXPECT_EQ(line, before + u" ABCD \u00C4\u00D6\u00DC");
  int32_t after = 0;
  GetDisplayFontInfo1(&after, nullptr, nullptr, nullptr, nullptr, nullptr, face);
  EXPECT_EQ(std::u16string(face), before);
  EXPECT_EQ(after, height);
}

TEST_F(SettingsCommands, FontDialogTakesAChoiceAndResetsAll) {
  FontPick pick = {1};
  ChooserSeamSet(nullptr, PickFont, &pick);
  Open([](WrapWindow dlg) { DialogSeamPress(dlg, 126); });  // display font 7
  Open([](WrapWindow dlg) {
    EXPECT_EQ(Text(dlg, 196), u"Pick Mono ABCD \u00C4\u00D6\u00DC");
    DialogSeamPress(dlg, DLGID_OK);
  });
  FontSettingsCommand();
  EXPECT_EQ(pick.fixedSeen, 0);
  char16_t face[FONT_FACE_CHARS];
  int32_t height = 0, weight = 0;
  uint32_t italic = 0;
  GetDisplayFontInfo7(&height, nullptr, &weight, nullptr, nullptr, &italic, face);
  EXPECT_EQ(std::u16string(face), u"Pick Mono");
  EXPECT_EQ(height, -17);
  EXPECT_EQ(weight, 700);
  EXPECT_EQ(italic, 1u);
  script = Script{};
  Open([](WrapWindow dlg) { DialogSeamPress(dlg, 128); });
  Open([](WrapWindow dlg) { DialogSeamPress(dlg, DLGID_OK); });
  FontSettingsCommand();
  GetDisplayFontInfo7(&height, nullptr, &weight, nullptr, nullptr, &italic, face);
  EXPECT_NE(std::u16string(face), u"Pick Mono");
}

// ---- language and help files -------------------------------------------------------------------------------
struct FileChoice {
  std::u16string choice;
  uint32_t titleId = 0;
  std::u16string extension;
};
int ChooseFile(FileDialogRun* run, void* context) {
  FileChoice* c = (FileChoice*)context;
  c->titleId = run->titleId;
  c->extension = run->defaultExtension ? run->defaultExtension : u"";
  if (c->choice.empty()) return 0;
  CopyStringLimited(run->file, c->choice.c_str(), FILEDLG_NAME_CHARS);
  return 1;
}

class FileSettings : public SettingsCommands {
 protected:
  FileChoice files;
  char16_t savedProgram[STREAM_PATH_CHARS];
  std::string dir;
  std::u16string folder;
  int refreshed = -1;
  static FileSettings* Self;
  static void Refresh(int texts) { Self->refreshed = texts; }
  void SetUp() override {
    SettingsCommands::SetUp();
    GetKindFolder(FILE_KIND_PROGRAM, savedProgram);
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/settings_cmds_out/";
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(std::string(QUIL_TEST_DATA_DIR) + "/quil.lng", dir + "quil.lng");
    fs::copy_file(std::string(QUIL_TEST_DATA_DIR) + "/quil_de.lng", dir + "quil_de.lng");
    std::ofstream(dir + "broken.lng") << "this is no language file\n";
    std::ofstream(dir + "quil2.chm") << "help";
    folder = std::u16string(dir.begin(), dir.end());
    SetKindFolder(FILE_KIND_PROGRAM, folder.c_str());
    FileDialogSeamSetUser(ChooseFile, &files);
    Self = this;
    FrameRefreshWindows = Refresh;
  }
  void TearDown() override {
    FrameRefreshWindows = nullptr;
    FileDialogSeamSetUser(nullptr, nullptr);
    LoadLanguageFile(u"quil.lng", 1);
    SetKindFolder(FILE_KIND_PROGRAM, savedProgram);
    CopyString(LanguageFileName, u"quil.lng");
    SetHelpFileName(u"quil.chm");
    SettingsCommands::TearDown();
  }
};
FileSettings* FileSettings::Self = nullptr;

TEST_F(FileSettings, AChosenLanguageFileIsLoadedAndKeptForTheOptionFile) {
  files.choice = folder + u"quil_de.lng";
  EXPECT_EQ(LanguageFileCommand(0), 0);
  EXPECT_EQ(files.titleId, 11420u);
  EXPECT_EQ(files.extension, u"lng");
  EXPECT_EQ(std::u16string(LanguageFileName), u"quil_de.lng");
  EXPECT_EQ(std::u16string(GetLangText(8101)), u"Abbrechen");
  EXPECT_EQ(refreshed, 1) << "titles and menu texts are set anew";
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

TEST_F(FileSettings, ALanguageFileThatDoesNotLoadKeepsTheTexts) {
  struct Case {
    std::u16string file;
    int message;
  };
  for (const Case& c : {Case{u"missing.lng", 193}, Case{u"broken.lng", 194}}) {
    MsgSeamReset();
    refreshed = -1;
    files.choice = folder + c.file;
    EXPECT_EQ(LanguageFileCommand(0), 1);
    // (the loader reports where a faulty file goes wrong before the command's message)
    ASSERT_GE(MsgSeamCallCount(), 1);
    EXPECT_EQ(ShownMessages().back(), c.message);
    EXPECT_EQ(std::u16string(LanguageFileName), u"quil.lng");
    EXPECT_EQ(std::u16string(GetLangText(8101)), u"Cancel");
    EXPECT_EQ(refreshed, -1);
  }
  // Cancelled: nothing at all.
  MsgSeamReset();
  files.choice.clear();
  EXPECT_EQ(LanguageFileCommand(1), 1);
  EXPECT_EQ(files.titleId, 11430u);
  EXPECT_EQ(files.extension, u"lnv");
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

TEST_F(FileSettings, AHelpFileIsTakenOnlyWhenItExists) {
  files.choice = folder + u"nothing.chm";
  EXPECT_EQ(HelpFileCommand(), 1);
  EXPECT_EQ(ShownMessages(), (std::vector<int>{197}));
  EXPECT_EQ(std::u16string(GetHelpFileName()), u"quil.chm");
  MsgSeamReset();
  files.choice = folder + u"quil2.chm";
  EXPECT_EQ(HelpFileCommand(), 0);
  EXPECT_EQ(std::u16string(GetHelpFileName()), u"quil2.chm");
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

}  // namespace

#include "app/commands.h"
#include "../resources/menus.h"
namespace {
TEST(SettingsCommandTable, EverySettingsCommandHasItsAction) {
  for (int id : {CMD_VIEW_OPTIONS, CMD_SETTINGS_OPTIONS, CMD_FONTS, CMD_MORE_OPTIONS,
                 CMD_LOG_SETTINGS, CMD_SAVE_SETTINGS_NOW, CMD_COLOURS, CMD_LANGUAGE_FILE,
                 CMD_SECOND_LANGUAGE_FILE, CMD_HELP_FILE}) {
    const CommandRow* r = FindCommandRow(id);
    ASSERT_NE(r, nullptr) << id;
    EXPECT_NE(r->action, nullptr) << id;
    EXPECT_TRUE(IsCommandEnabled(id, 0)) << id;
  }
  // The export options keep their own rows (not built here).
  EXPECT_EQ(FindCommandRow(CMD_PICTURE_EXPORT_OPTIONS)->action, nullptr);
}
}  // namespace
