// The option file: every key read and written back, the absent and refused values, the sections of
// older versions, the search with the value store, and the faults (a faulty file set aside, a
// failed write leaving the old file, a second instance).
#include <gtest/gtest.h>
#include "app/editwnd.h"
#include "app/entry.h"
#include "app/help.h"
#include "app/optionfile.h"
#include "app/recent.h"
#include "app/titles.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/platform.h"
#include "core/platform_file_fault.h"
#include "core/settings_platform.h"
#include "core/stream.h"
#include "core/valuestore.h"
#include "elements/element_services.h"
#include "graphics/colours.h"
#include "graphics/screen_native.h"
#include "model/netfile_options.h"
#include "trains/train_services.h"
#include "views/view_services.h"
#include <dirent.h>
#include <sys/stat.h>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::u16string U(const std::string& s) {
  std::u16string r;
  for (size_t i = 0; i < s.size();) {  // UTF-8 to UTF-16 (the fixtures are ASCII and Latin-1)
    unsigned char c = (unsigned char)s[i++];
    if (c >= 0xC0 && i < s.size()) {
      r.push_back((char16_t)(((c & 0x1F) << 6) | ((unsigned char)s[i++] & 0x3F)));
    } else {
      r.push_back(c);
    }
  }
  return r;
}

std::string Bytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

// Text lines as the program writes them: UTF-16 LE with the mark, CR LF.
std::string WideFile(const std::string& text) {
  std::string out = "\xFF\xFE";
  std::u16string t = U(text);
  for (char16_t c : t) {
    if (c == u'\n') {
      out += std::string("\r\0\n\0", 4);
      continue;
    }
    out.push_back((char)(c & 0xFF));
    out.push_back((char)(c >> 8));
  }
  return out;
}

// The bytes of a UTF-16 LE text (no mark).
std::string W(const std::u16string& t) {
  std::string out;
  for (char16_t c : t) {
    out.push_back((char)(c & 0xFF));
    out.push_back((char)(c >> 8));
  }
  return out;
}

// A written file from its section line on (the comment line holds language texts).
std::string Body(const std::string& bytes) {
  size_t at = bytes.find(W(u"\r\n"));
  return at == std::string::npos ? bytes : bytes.substr(at);
}

class OptionFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/optionfile_test/";
    other = std::string(QUIL_TEST_BINARY_DIR) + "/optionfile_other/";
    ASSERT_EQ(StreamInit(), 0);
    mkdir(dir.c_str(), 0755);
    mkdir(other.c_str(), 0755);
    Clean(dir);
    Clean(other);
    std::u16string d = U(dir);
    SetKindFolder(FILE_KIND_PROGRAM, d.c_str());
    CopyString(Entry.defaultFolder, d.c_str());
    Entry.optionFolder[0] = 0;
    CopyString(Entry.optionFileName, u"quil.ini");
    SecondInstance = 0;
    NativeRegistryClear();
    MsgSeamReset();
    ClearFileFaults();
    SetNativeWorkAreaOrigin(0, 30);
    std::ofstream(dir + "other.chm") << "help";
  }
  void TearDown() override {
    ClearFileFaults();
    SecondInstance = 0;
    Entry.optionFolder[0] = 0;
    char16_t mirror[260];
    GetMirrorFilePath(mirror);
    SettingsSetFileAttributes(mirror, SFILE_NORMAL);
    Clean(dir);
    Clean(other);
    SetDefaultSettings();
  }
  static void Clean(const std::string& d) {
    DIR* h = opendir(d.c_str());
    if (!h) return;
    while (dirent* e = readdir(h)) {
      std::string n = e->d_name;
      if (n == "." || n == "..") continue;
      std::u16string p = U(d + n);
      SettingsSetFileAttributes(p.c_str(), SFILE_NORMAL);
      remove((d + n).c_str());
    }
    closedir(h);
  }
  static int CountFiles(const std::string& d, const std::string& part) {
    int n = 0;
    DIR* h = opendir(d.c_str());
    while (dirent* e = readdir(h))
      if (std::string(e->d_name).find(part) != std::string::npos) n++;
    closedir(h);
    return n;
  }
  void Put(const std::string& text, const std::string& folder = "") {
    std::ofstream(folder.empty() ? dir + "quil.ini" : folder + "quil.ini", std::ios::binary)
        << WideFile(text);
  }
  // The option folder as the I= switch gives it.
  void UseOptionFolder() { CopyString(Entry.optionFolder, U(dir).c_str()); }
  int Messages(uint32_t number) {
    int n = 0;
    for (int i = 0; i < MsgSeamCallCount() && i < MSGSEAM_MAX; i++) {
      const MsgBoxCall* c = MsgSeamCall(i);
      if (c && std::u16string(c->title).find(U(std::to_string(number))) != std::u16string::npos)
        n++;
    }
    return n;
  }
  std::string dir, other;
};

std::string Fixture() {
  return Bytes(std::string(QUIL_TEST_SOURCE_DIR) + "/tests/app/data/settings_every_key.ini");
}

}  // namespace

TEST_F(OptionFileTest, EveryKeyOffItsDefaultReadsAndWritesBackByteIdentical) {
  std::string text = Fixture();
  ASSERT_FALSE(text.empty());
  Put(text);
  UseOptionFolder();
  for (int round = 0; round < 2; round++) {  // a second run: nothing drifts
    LocateAndReadSettings();
    EXPECT_EQ(MsgSeamCallCount(), 0);
    EXPECT_EQ(GetSettingsVersion(), 384);
    EXPECT_EQ(EditViews.frameRate, 30);
    EXPECT_EQ(GetBackupCount(), 5);
    EXPECT_EQ(GetColour(1) & 0xFFFFFF, 0x13FE08u);
    EXPECT_EQ(std::u16string(Held.history[0]), u"newest");
    EXPECT_EQ(std::u16string(RecentFiles[0]), u"C:\\Nets\\a.nt3");
    EXPECT_EQ(GetEditSlot(0)->savedRect[1], 100);  // 130 less the work area's top
    EXPECT_EQ(std::u16string(GetHelpFileName()), u"other.chm");
    EXPECT_EQ(GetTickDelay(), 1234);
    ASSERT_EQ(WriteSettingsFile(), 0);
    EXPECT_TRUE(Body(Bytes(dir + "quil.ini")) == Body(WideFile(text))) << "round " << round;
    EXPECT_EQ(CountFiles(dir, ".~"), 0);
  }
}

// The event display's keys as the program wrote them before their texts moved to the event
// display list: read back to the same settings and written again byte for byte.
TEST_F(OptionFileTest, EventKeysWrittenByTheEarlierProgramReadBackTheSame) {
  std::string before =
      Bytes(std::string(QUIL_TEST_SOURCE_DIR) + "/tests/app/data/settings_events_before.ini");
  ASSERT_FALSE(before.empty());
  std::ofstream(dir + "quil.ini", std::ios::binary) << before;
  UseOptionFolder();
  LocateAndReadSettings();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(GetEventDisplayOption(), 6);
  static const int flags[30] = {0, 2, 0, 1, 1, 2, 1, 1, 0, 0, 2, 1, 1, 2, 0, 0,
                                1, 2, 1, 1, 0, 1, 1, 2, 1, 1, 0, 2, 1, 0};
  for (int k = 1; k <= 29; k++) EXPECT_EQ(GetEventKindFlag(k), flags[k]) << k;
  ASSERT_EQ(WriteSettingsFile(), 0);
  EXPECT_TRUE(Body(Bytes(dir + "quil.ini")) == Body(before));
}

TEST_F(OptionFileTest, AMissingFileGivesTheDefaultsWrittenAtOnceWithoutAMessage) {
  LocateAndReadSettings();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  std::string written = Bytes(dir + "quil.ini");
  ASSERT_FALSE(written.empty());
  EXPECT_NE(written.find(W(u"\r\nFrameRate=25\r\n")), std::string::npos);
  // The program folder is remembered in the value store and its mirror.
  char16_t v[300];
  ReadStoredValue(u"Q384_PFAD", u"", v, 300);
  std::u16string expected = U(dir);
  expected.pop_back();
  EXPECT_EQ(std::u16string(v), expected);
}

TEST_F(OptionFileTest, AbsentAndRefusedValues) {
  UseOptionFolder();
  static const struct {
    const char* lines;
    int faulty;
  } cases[] = {
      {"Backup=0", 0},
      {"Backup=1001", 1},
      {"Q=17", 1},
      {"Q=16", 0},
      {"DateiZahl=33", 1},
      {"DateiZahl=32", 0},
      {"F=X", 1},
      {"O=2", 1},
      {"Schotter=Q", 1},
      {"MausRBr=5", 1},
      {"N=1,2", 1},
      {"N=7", 0},
      {"H=X1234567", 1},
      {"BauStrecke=1,2", 1},
      {"BauformSK=12", 1},
      {"BauformTunn=x", 1},
      {"DispNn=BjX", 1},
      {"DispNn=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBCjB", 0},  // letters after the 29th: not used
      {"DispNn=BBBBBBBBBBBBBBBBBBBBBBBBBBBBBCx", 1},   // but still only B, C or j
      {"DispNAllg=S", 0},
      {"DispNAllg=0Q", 1},
      {"V=LQ", 1},
      {"E=XP", 1},
      {"SuchSym=G", 1},
      {"Fenster0=Q,1,2", 1},
      {"Fenster1=1,2,3,4,N,1", 1},
      {"FensterU=E,1,2,3", 1},
      {"FensterU=E,1,2", 0},
      {"FrameRate=99", 0},
      {"Log_Opt=0123", 1},
      {"HgrBmpOpt=99", 1},
      {"MarkZOpt=Z", 1},
      {"ZugTxte=Q", 1},
      {"AutoSpNtDiff=90000", 1},
  };
  for (const auto& c : cases) {
    MsgSeamReset();
    Put(std::string("[QUIL_384]\n") + c.lines + "\n");
    LocateAndReadSettings();
    EXPECT_EQ(Messages(212), c.faulty) << c.lines;
    EXPECT_EQ(CountFiles(dir, ".bad"), c.faulty) << c.lines;
    Clean(dir);
    std::ofstream(dir + "other.chm") << "help";
  }
  // Keys absent from a file of this version: Rangp, Store_Hst and Store_SigA turn on.
  Put("[QUIL_384]\nFrameRate=99\nBackup=0\nFarbe5=FF,00,00\nFarbe6=70\n"
      "SuchText0=first\nSuchText1=second\nSuchText3=never\n");
  LocateAndReadSettings();
  EXPECT_EQ(ShowOption[4], 1);
  EXPECT_EQ(StoreHstSwitch, 1);
  EXPECT_EQ(StoreSigASwitch, 1);
  EXPECT_EQ(EditViews.frameRate, 25);  // 99 is ignored
  EXPECT_EQ(GetBackupCount(), 0);
  EXPECT_EQ(GetColour(5) & 0xFFFFFF, 0x0000FFu);  // pure red
  uint32_t before = GetColour(6);
  ResetDisplayColours();
  EXPECT_EQ(before, GetColour(6));  // 70 is no palette colour: ignored
  EXPECT_EQ(Held.historyCount, 2);
  EXPECT_EQ(std::u16string(Held.history[0]), u"second");
}

// The raster setting reaches the display's raster flags, each only where the screen can do it.
TEST_F(OptionFileTest, TheRasterSettingSetsTheDisplayRasterFlags) {
  UseOptionFolder();
  const int both = RASTER_CAN_BITBLT | RASTER_CAN_DIB_TO_DEVICE;
  static const struct {
    const char* line;
    int screen, dib, setPixelV;
  } cases[] = {
      {"", both, 1, 1},          {"Gfx_Eig=DV", both, 1, 1},
      {"Gfx_Eig=xV", both, 0, 1}, {"Gfx_Eig=Dx", both, 1, 0},
      {"Gfx_Eig=xx", both, 0, 0}, {"Gfx_Eig=DV", RASTER_CAN_BITBLT, 0, 1},
      {"Gfx_Eig=DV", RASTER_CAN_DIB_TO_DEVICE, 1, 0},
  };
  for (const auto& c : cases) {
    NativeScreenRaster = c.screen;
    QueryRasterCaps(!c.dib, !c.setPixelV);  // the opposite first: the read must set both
    Put(std::string("[QUIL_384]\n") + c.line + "\n");
    LocateAndReadSettings();
    int setPixelV = -1;
    EXPECT_EQ(GetRasterCapsFlags(&setPixelV), c.dib) << c.line << " " << c.screen;
    EXPECT_EQ(setPixelV, c.setPixelV) << c.line << " " << c.screen;
    Clean(dir);
    std::ofstream(dir + "other.chm") << "help";
  }
  NativeScreenRaster = both;
  QueryRasterCaps(0, 0);
}

TEST_F(OptionFileTest, ValuesThatDoNotFitAreIgnoredNotCut) {
  UseOptionFolder();
  std::string longFolder = "C:\\" + std::string(300, 'f') + "\\";
  std::string longName(600, 'n');
  Put("[QUIL_384]\nPfad_nt3=" + longFolder + "\nSprache_P=" + longName + ".lng\nFzgSuchTxt0=" +
      std::string(40, 't') + "\nDName0=C:\\" + std::string(270, 'd') + ".nt3\nDName1=C:\\ok.nt3\n");
  LocateAndReadSettings();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  char16_t folder[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_NETWORK, folder);
  EXPECT_EQ(std::u16string(folder), U(dir));
  EXPECT_EQ(std::u16string(LanguageFileName), u"quil.lng");
  uint32_t flags;
  char16_t t[3][33];
  GetDefaultTrainTexts(&flags, t[0], t[1], t[2]);
  EXPECT_EQ(t[0][0], 0);
  EXPECT_EQ(std::u16string(RecentFiles[0]), u"C:\\ok.nt3");
  EXPECT_EQ(RecentFiles[1][0], 0);
  // A lone carriage return inside a value would split it into two lines on the next writing.
  Put("[QUIL_384]\nPfad_nt3=C:\\Old\\\r\x13"
      "C=12,0,9\\\r\nPfad_pcx=C:\\Pic\\\n");
  LocateAndReadSettings();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  GetKindFolder(FILE_KIND_NETWORK, folder);
  EXPECT_EQ(std::u16string(folder), U(dir));
  GetKindFolder(FILE_KIND_PICTURE, folder);
  EXPECT_EQ(std::u16string(folder), u"C:\\Pic\\");
}

TEST_F(OptionFileTest, SectionsOfOlderVersionsAndTheirMigrations) {
  UseOptionFolder();
  // 381: keys B, G, R give the background colours; event kinds 3, 4, 5, 11 and 17 turn on.
  Put("[QUIL_381]\nDispNn=jjjjjjjjjjjjjjjjjjjjjjjjjjjjj\nR=63\nG=0\nB=16\n");
  LocateAndReadSettings();
  EXPECT_EQ(GetSettingsVersion(), 381);
  EXPECT_EQ(GetColour(131) & 0xFFFFFF, 0x4000FCu);
  EXPECT_EQ(GetColour(132) & 0xFFFFFF, 0x4000FCu);
  for (int k = 1; k <= 29; k++)
    EXPECT_EQ(GetEventKindFlag(k), k == 3 || k == 4 || k == 5 || k == 11 || k == 17) << k;
  // 370: old folder keys, the colour list C, the old event key A, kinds 28 and 29 on.
  Put("[QUIL_370]\nA=SBjjjjjjjjjjjjjjjjjjjjjjjjjjjj\nD=C:\\Old\\\nX=C:\\Pic\\\nC=12,0,9\n"
      "U=1\nUnicode=65001\n");
  LocateAndReadSettings();
  EXPECT_EQ(GetSettingsVersion(), 370);
  char16_t folder[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_NETWORK, folder);
  EXPECT_EQ(std::u16string(folder), u"C:\\Old\\");
  GetKindFolder(FILE_KIND_LOG, folder);
  EXPECT_EQ(std::u16string(folder), u"C:\\Old\\");  // absent: the network-file folder
  GetKindFolder(FILE_KIND_PICTURE, folder);
  EXPECT_EQ(std::u16string(folder), u"C:\\Pic\\");
  EXPECT_EQ(GetColour(0), ResolveColour(12));
  EXPECT_EQ(GetColour(2), ResolveColour(9));
  EXPECT_EQ(GetEventDisplayOption(), 1);
  EXPECT_EQ(GetEventKindFlag(1), 1);
  EXPECT_EQ(GetEventKindFlag(2), 0);
  EXPECT_EQ(GetEventKindFlag(28), 1);
  EXPECT_EQ(GetEventKindFlag(29), 1);
  EXPECT_EQ(GetBackupCount(), 10);  // old key U: 1 reads as 10
  EXPECT_EQ(CpAnsiUni, 65001);
  EXPECT_EQ(CpUniAnsi, 65001);
  // The oldest section, 358, where the old construction key L and window key W are read.
  Put("[QUIL_358]\nL=2,3,1,2,3,4,5,2,9,18,19,1,2,30,40\nW=?B?11,42F1,1,32,5,36,N,2,L\n");
  LocateAndReadSettings();
  EXPECT_EQ(GetSettingsVersion(), 358);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  ConstructionSettings c;
  GetConstructionSettings(&c);
  EXPECT_EQ(c.lineWidth, 2);
  EXPECT_EQ(c.blockNumber, 9);
  EXPECT_EQ(c.areaY2, 40);
  SettingsWindowPlace m;
  GetMainWindowPlace(&m);
  EXPECT_EQ(m.shown, 1);
  EXPECT_EQ(m.y, 12);
  EXPECT_EQ(GetEditSlot(0)->savedRect[3], 6);
  EXPECT_EQ(GetEditSlot(0)->zoom, 2);
}

TEST_F(OptionFileTest, WindowPlacesComeBackWithoutDrift) {
  UseOptionFolder();
  SetNativeWorkAreaOrigin(0, 30);
  LocateAndReadSettings();
  SettingsWindowPlace m = {5, 7, 800, 110, 0};
  SetMainWindowPlace(&m);
  EditViewSlot* e = GetEditSlot(2);
  e->savedRect[0] = 10;
  e->savedRect[1] = 20;
  e->savedRect[2] = 410;
  e->savedRect[3] = 320;
  for (int run = 0; run < 3; run++) {
    ASSERT_EQ(WriteSettingsFile(), 0);
    LocateAndReadSettings();
    GetMainWindowPlace(&m);
    EXPECT_EQ(m.x, 5);
    EXPECT_EQ(m.y, 7);
    EXPECT_EQ(GetEditSlot(2)->savedRect[1], 20);
    EXPECT_EQ(GetEditSlot(2)->savedRect[3], 320);
  }
  std::string written = Bytes(dir + "quil.ini");
  EXPECT_NE(written.find(W(u"Fenster0=S,5,37\r\n")), std::string::npos);
}

TEST_F(OptionFileTest, AFaultyFileIsSetAsideAndReplacedByTheDefaults) {
  UseOptionFolder();
  Put("[QUIL_384]\nQ=1\n");  // an older faulty copy is replaced
  std::ofstream(dir + "quil.ini.bad") << "older";
  Put("[QUIL_384]\nFrameRate=40\nQ=17\n");
  std::string faulty = Bytes(dir + "quil.ini");
  LocateAndReadSettings();
  ASSERT_EQ(Messages(212), 1);
  EXPECT_NE(std::u16string(MsgSeamLastCall()->text).find(U(dir + "quil.ini.bad")),
            std::u16string::npos);
  EXPECT_EQ(Bytes(dir + "quil.ini.bad"), faulty);
  EXPECT_EQ(EditViews.frameRate, 25);  // the defaults, also for what was read before
  EXPECT_NE(Bytes(dir + "quil.ini"), faulty);

  // When it cannot be set aside, it stays as it is for this run.
  MsgSeamReset();
  Put("[QUIL_384]\nQ=0\n");
  faulty = Bytes(dir + "quil.ini");
  SetFileFault(FILE_FAULT_REPLACE, 1);
  LocateAndReadSettings();
  EXPECT_EQ(Messages(212), 1);
  EXPECT_EQ(Messages(213), 0);
  EXPECT_EQ(Bytes(dir + "quil.ini"), faulty);
  EXPECT_EQ(WriteSettingsFile(), SETTINGS_KEPT_FAULTY);
  SaveSettingsAtShutDown();
  EXPECT_EQ(Bytes(dir + "quil.ini"), faulty);
  EXPECT_EQ(Messages(213), 0);
}

TEST_F(OptionFileTest, AFailedWriteKeepsTheOldFileAndLeavesNoTemporaryFile) {
  UseOptionFolder();
  LocateAndReadSettings();
  std::string old = Bytes(dir + "quil.ini");
  EditViews.frameRate = 44;
  static const FileFaultKind kinds[] = {FILE_FAULT_OPEN, FILE_FAULT_WRITE, FILE_FAULT_SHORT_WRITE,
                                        FILE_FAULT_CLOSE, FILE_FAULT_REPLACE};
  for (FileFaultKind k : kinds) {
    MsgSeamReset();
    SetFileFault(k, 1);
    EXPECT_NE(SaveSettingsCommand(), 0) << k;
    EXPECT_EQ(Messages(213), 1) << k;
    EXPECT_EQ(Bytes(dir + "quil.ini"), old) << k;
    EXPECT_EQ(CountFiles(dir, ".~"), 0) << k;
    ClearFileFaults();
  }
  EXPECT_EQ(SaveSettingsCommand(), 0);
  EXPECT_NE(Bytes(dir + "quil.ini"), old);
}

TEST_F(OptionFileTest, ASecondInstanceWritesNothing) {
  UseOptionFolder();
  SecondInstance = 1;
  LocateAndReadSettings();  // reads (nothing there) but writes no file of defaults
  EXPECT_EQ(Bytes(dir + "quil.ini"), "");
  MsgSeamReset();
  EXPECT_EQ(SaveSettingsCommand(), SETTINGS_SECOND_INSTANCE);
  EXPECT_EQ(Messages(211), 1);
  SaveSettingsAtShutDown();
  EXPECT_EQ(Bytes(dir + "quil.ini"), "");
}

TEST_F(OptionFileTest, TheSearchAsksForAFileFoundElsewhereButNeverWithTheSwitch) {
  // A folder remembered by an older version holds a file: question 214; Yes copies it here.
  Put("[QUIL_384]\nFrameRate=50\n", other);
  std::u16string o = U(other);
  o.pop_back();
  WriteStoredValue(u"Q383_PFAD", o.c_str());
  MsgSeamPushAnswer(MSG_RESULT_YES);
  LocateAndReadSettings();
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(EditViews.frameRate, 50);
  EXPECT_EQ(Bytes(dir + "quil.ini"), Bytes(other + "quil.ini"));

  // With the I= switch no remembered folder is searched.
  Clean(dir);
  MsgSeamReset();
  UseOptionFolder();
  LocateAndReadSettings();
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(EditViews.frameRate, 25);
}

TEST_F(OptionFileTest, NarrowModeReadsAWideFile) {
  std::string text = Fixture();
  Put(text);
  UseOptionFolder();
  UnicodeFlag = 0;
  LocateAndReadSettings();
  UnicodeFlag = 1;
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(EditViews.frameRate, 30);
  EXPECT_EQ(std::u16string(Held.history[0]), u"newest");
}
