// The network-file commands (native build: the file dialog, the dialogs and the message boxes are
// answered by their test seams): numbered backups, failed saves, the save question, open with its
// load failures, autosave, the password and the conversion of level changes of old files.
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include "app/dialog_seam.h"
#include "dialog_test_util.h"
#include "app/filedialog.h"
#include "app/infobox.h"
#include "app/netcmd.h"
#include "app/tick.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "core/platform_file_fault.h"
#include "core/stream.h"
#include "elements/depots.h"
#include "elements/element_services.h"
#include "elements/lines.h"
#include "model/cellcodes.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_options.h"
#include "model/netfile_sections.h"
#include "model/password.h"
#include "trains/train_services.h"

namespace fs = std::filesystem;

static std::u16string W(const std::string& s) { return std::u16string(s.begin(), s.end()); }

static std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

static void WriteAll(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f << bytes;
}

// Message numbers of the boxes shown since the last reset (from their help topics).
static std::vector<int> ShownMessages() {
  std::vector<int> out;
  for (int i = 0; i < MsgSeamCallCount(); i++)
    if (const MsgBoxCall* c = MsgSeamCall(i)) out.push_back((int)c->helpTopic - 50000);
  return out;
}

// The file dialog's user: chooses the path in `choice` (empty: cancels) and notes the preset.
struct FileChoice {
  std::u16string choice;
  std::u16string preset;
};
static int ChooseFile(FileDialogRun* run, void* context) {
  FileChoice* c = (FileChoice*)context;
  c->preset = run->file;
  if (c->choice.empty()) return 0;
  CopyStringLimited(run->file, c->choice.c_str(), FILEDLG_NAME_CHARS);
  return 1;
}

class NetCmd : public ::testing::Test {
 protected:
  std::string dir;
  FileChoice files;

  void SetUp() override {
    LoadTestLanguage();  // the texts of the language file when the data folder has it
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
    ResetDocumentState();
    SetBackupCount(BACKUP_COUNT_DEFAULT);
    SetAutosaveOptions(AUTOSAVE_BITS_DEFAULT, 0);
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/netcmd_out/" +
          ::testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
    fs::remove_all(dir);
    fs::create_directories(dir);
    SetKindFolder(FILE_KIND_NETWORK, W(dir).c_str());
    MsgSeamReset();
    DialogSeamReset();
    FileDialogSeamSetUser(ChooseFile, &files);
    SetFileNameWarning(1);
  }
  void TearDown() override {
    FileDialogSeamSetUser(nullptr, nullptr);
    DialogSeamReset();
    while (GetInfoBoxLevel() >= 0) CloseInfoBox();
  }
  std::string P(const std::string& name) { return dir + name; }
  // A named, modified network with one cell.
  void Named(const char* name, uint32_t code = 0x0201) {
    SetNetworkName(W(name).c_str());
    SetCell(100, 100, 0, code);
    SetNetModified();
  }
};

// ---- numbered backups ------------------------------------------------------------------------------------

// With backup count 3: a.002 is deleted, a.001 -> a.002, a.000 -> a.001, a.nt3 -> a.000, then
// a.nt3 is written anew.
TEST_F(NetCmd, BackupsRotateByTheCount) {
  for (const char* f : {"a.nt3", "a.000.nt2", "a.001.nt2", "a.002.nt2"}) WriteAll(P(f), f);
  SetBackupCount(3);
  Named("a.nt3");
  EXPECT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_EQ(ReadAll(P("a.000.nt2")), "a.nt3");
  EXPECT_EQ(ReadAll(P("a.001.nt2")), "a.000.nt2");
  EXPECT_EQ(ReadAll(P("a.002.nt2")), "a.001.nt2");
  EXPECT_FALSE(fs::exists(P("a.003.nt2")));
  EXPECT_NE(ReadAll(P("a.nt3")).find('\x1A'), std::string::npos);  // a network file again
  EXPECT_FALSE(IsNetModified());
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

// With the default count 10 three saves of a network whose file exists leave .000 to .002: each
// backup holds the file as the save before it left it.
TEST_F(NetCmd, ThreeSavesWithTheDefaultCount) {
  EXPECT_EQ(GetBackupCount(), 10);
  Named("net.nt3", 0x0201);
  ASSERT_EQ(SaveNetworkWithMessages(), 0);
  std::vector<std::string> versions = {ReadAll(P("net.nt3"))};
  for (uint32_t code : {0x0202u, 0x0203u, 0x0204u}) {
    SetCell(100, 100, 0, code);
    SetNetModified();
    ASSERT_EQ(SaveNetworkWithBackups(), 0);
    versions.push_back(ReadAll(P("net.nt3")));
  }
  EXPECT_EQ(ReadAll(P("net.000.nt2")), versions[2]);
  EXPECT_EQ(ReadAll(P("net.001.nt2")), versions[1]);
  EXPECT_EQ(ReadAll(P("net.002.nt2")), versions[0]);
  EXPECT_FALSE(fs::exists(P("net.003.nt2")));
  EXPECT_NE(versions[3], versions[2]);
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

// A network without a file yet: moving it to .000 fails and question 232 asks whether to save
// anyway; No keeps everything as it was, Yes saves without a backup.
TEST_F(NetCmd, FirstSaveAsksWhenNoBackupCanBeMade) {
  Named("new.nt3");
  MsgSeamPushAnswer(MSG_RESULT_NO);
  EXPECT_EQ(SaveNetworkWithBackups(), 1);
  EXPECT_EQ(ShownMessages(), std::vector<int>({232}));
  EXPECT_FALSE(fs::exists(P("new.nt3")));
  EXPECT_TRUE(IsNetModified());
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_YES);
  EXPECT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_TRUE(fs::exists(P("new.nt3")));
  EXPECT_FALSE(fs::exists(P("new.000.nt2")));
}

// Backup names, and a name too long for them (the save then goes on without backups, message 230).
TEST_F(NetCmd, BackupNames) {
  std::string name(253, 'n');
  name += ".nt3";  // 257 characters
  char16_t backup[STREAM_PATH_CHARS];
  int refused = 0;
  EXPECT_EQ(RotateBackups(W(name).c_str(), 3, &refused), 1);
  EXPECT_EQ(RotateBackups(u"x.nt3", 0, &refused), 1);
  EXPECT_EQ(BackupName(u"x.nt3", 7, backup), 0);
  EXPECT_EQ(std::u16string(backup), u"x.007.nt2");
  EXPECT_EQ(BackupName(u"noext", 12, backup), 0);
  EXPECT_EQ(std::u16string(backup), u"noext.012.nt2");
  SetNetworkName(W(name).c_str());
  SetNetModified();
  SaveNetworkWithBackups();  // the file cannot be made here, but 230 comes first
  EXPECT_EQ(ShownMessages().at(0), 230);
}

// A failed write never leaves the folder without the network file: without backups the old file
// stays as it was; with backups the renamed file takes the network's name again and the older
// backups stay rotated. (The temporary file cannot be made: a folder of its name is in the way.)
TEST_F(NetCmd, FailedSaveKeepsTheNetworkFile) {
  for (int count : {0, 3}) {
    SCOPED_TRACE(count);
    fs::remove_all(dir);
    fs::create_directories(dir);
    for (const char* f : {"f.nt3", "f.000.nt2", "f.001.nt2", "f.002.nt2"}) WriteAll(P(f), f);
    fs::create_directories(P("f.nt3.~tmp"));
    SetBackupCount(count);
    Named("f.nt3");
    MsgSeamReset();
    EXPECT_EQ(SaveNetworkWithBackups(), 1);
    EXPECT_EQ(ShownMessages(), std::vector<int>({242}));
    EXPECT_EQ(ReadAll(P("f.nt3")), "f.nt3");
    EXPECT_TRUE(IsNetModified());
    if (count == 3) {
      EXPECT_FALSE(fs::exists(P("f.000.nt2")));
      EXPECT_EQ(ReadAll(P("f.001.nt2")), "f.000.nt2");
      EXPECT_EQ(ReadAll(P("f.002.nt2")), "f.001.nt2");
    } else {
      EXPECT_EQ(ReadAll(P("f.000.nt2")), "f.000.nt2");
    }
    EXPECT_EQ(GetInfoBoxLevel(), -1);
  }
}

// ---- save as, the check before saving and the save question ---------------------------------------------

TEST_F(NetCmd, SaveAsNamesTheNetworkAndAsksBeforeReplacing) {
  EXPECT_EQ(std::u16string(GetNetworkName()), std::u16string(GetLangText(LANG_ID(11060))));
  SetCell(5, 5, 0, 0x0201);
  SetNetModified();
  files.choice = W(P("s.nt3"));
  // An unnamed network is saved through save as.
  EXPECT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_EQ(std::u16string(GetNetworkName()), u"s.nt3");
  EXPECT_EQ(GetLoadedVersion(), NET_VERSION_CURRENT);
  EXPECT_TRUE(fs::exists(P("s.nt3")));
  // An existing file: question 253; No leaves it.
  MsgSeamPushAnswer(MSG_RESULT_NO);
  EXPECT_EQ(SaveNetworkAsCommand(), 1);
  EXPECT_EQ(ShownMessages(), std::vector<int>({253}));
  // Cancelled dialog: not saved.
  files.choice.clear();
  EXPECT_EQ(SaveNetworkAsCommand(), 1);
  // A failed save puts the unnamed name back.
  fs::create_directories(P("t.nt3.~tmp"));
  files.choice = W(P("t.nt3"));
  MsgSeamReset();
  EXPECT_EQ(SaveNetworkAsCommand(), 1);
  EXPECT_EQ(ShownMessages(), std::vector<int>({242}));
  EXPECT_EQ(std::u16string(GetNetworkName()), std::u16string(GetLangText(LANG_ID(11060))));
}

// A file of an older version asks question 241 before it is stored in the current one.
TEST_F(NetCmd, OlderVersionIsAskedFirst) {
  const struct {
    int version, answer, result, versionAfter;
    size_t boxes;
  } cases[] = {{0, 0, 0, 0, 0},
               {NET_VERSION_CURRENT, 0, 0, NET_VERSION_CURRENT, 0},
               {14396, MSG_RESULT_NO, 1, 14396, 1},
               {14396, MSG_RESULT_YES, 0, NET_VERSION_CURRENT, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.version);
    MsgSeamReset();
    if (c.answer) MsgSeamPushAnswer(c.answer);
    SetLoadedVersion(c.version);
    EXPECT_EQ(CheckBeforeSave(), c.result);
    EXPECT_EQ(GetLoadedVersion(), c.versionAfter);
    EXPECT_EQ(ShownMessages().size(), c.boxes);
  }
}

TEST_F(NetCmd, SaveQuestion) {
  // Not modified: nothing asked.
  EXPECT_EQ(QuerySaveChanges(), 1);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  // Cancel: the caller stops.
  Named("q.nt3");
  EXPECT_EQ(QuerySaveChanges(), 0);
  EXPECT_EQ(ShownMessages(), std::vector<int>({299}));
  EXPECT_TRUE(IsNetModified());
  // No: the changes are dropped.
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_NO);
  EXPECT_EQ(QuerySaveChanges(), 1);
  EXPECT_FALSE(IsNetModified());
  EXPECT_FALSE(fs::exists(P("q.nt3")));
  // Yes: saved (a new file: 232 answered Yes); a failed save stops the caller.
  SetNetModified();
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_YES);
  MsgSeamPushAnswer(MSG_RESULT_YES);
  EXPECT_EQ(QuerySaveChanges(), 1);
  EXPECT_TRUE(fs::exists(P("q.nt3")));
  EXPECT_FALSE(IsNetModified());
  SetNetModified();
  fs::create_directories(P("q.nt3.~tmp"));
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_YES);
  EXPECT_EQ(QuerySaveChanges(), 0);
  EXPECT_EQ(ShownMessages(), std::vector<int>({299, 242}));
}

// ---- open ----------------------------------------------------------------------------------------------------

static std::string Fixtures() { return std::string(QUIL_TEST_DATA_DIR) + "/netfixtures/"; }

// Codes 1 to 5 leave the current network as it was; from 11 on an empty new network follows.
// Either way exactly one message, the one of the result's table.
TEST_F(NetCmd, LoadFailuresShowOneMessage) {
  const struct {
    const char* file;
    int code, message;
    bool keeps;
  } cases[] = {{"bad_magic.nt3", 3, 103, true},
               {"no_eof_mark.nt3", 1, 105, true},
               {"v3841.nt3", 5, 108, true},
               {"short_trailer.nt3", 11, 148, false},
               {"bad_lfst.nt3", 113, 144, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    ResetDocumentState();
    SetKindFolder(FILE_KIND_NETWORK, W(dir).c_str());
    Named("mine.nt3");
    ClearNetModified();
    MsgSeamReset();
    files.choice = W(Fixtures() + c.file);
    EXPECT_EQ(OpenNetworkCommand(nullptr), c.code);
    EXPECT_EQ(ShownMessages(), std::vector<int>({c.message}));
    EXPECT_EQ(GetInfoBoxLevel(), -1);
    char16_t folder[STREAM_PATH_CHARS];
    GetKindFolder(FILE_KIND_NETWORK, folder);
    EXPECT_EQ(std::u16string(folder), W(dir));  // the folder of the network still shown
    if (c.keeps) {
      EXPECT_EQ(GetCell(100, 100, 0), 0x0201);
      EXPECT_EQ(std::u16string(GetNetworkName()), u"mine.nt3");
    } else {
      EXPECT_TRUE(IsGridEmpty());
      EXPECT_EQ(std::u16string(GetNetworkName()), std::u16string(GetLangText(LANG_ID(11060))));
      EXPECT_EQ(NetworkInvalid, 0);
    }
  }
}

// The save question comes before the load: cancelled, nothing is loaded; a file that does not
// exist gives message 101 without asking.
TEST_F(NetCmd, OpenAsksBeforeReplacingAModifiedNetwork) {
  Named("mine.nt3");
  files.choice = W(Fixtures() + "small.nt3");
  EXPECT_EQ(OpenNetworkCommand(nullptr), -1);
  EXPECT_EQ(ShownMessages(), std::vector<int>({299}));
  EXPECT_EQ(GetCell(100, 100, 0), 0x0201);
  MsgSeamReset();
  files.choice = W(P("missing.nt3"));
  EXPECT_EQ(OpenNetworkCommand(nullptr), -1);
  EXPECT_EQ(ShownMessages(), std::vector<int>({101}));
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_NO);
  files.choice = W(Fixtures() + "small.nt3");
  EXPECT_EQ(OpenNetworkCommand(nullptr), 0);
  EXPECT_EQ(std::u16string(GetNetworkName()), u"small.nt3");
  EXPECT_EQ(GetCell(1, 2, 0), 0x0201);
  EXPECT_FALSE(IsNetModified());
  char16_t folder[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_NETWORK, folder);
  EXPECT_EQ(std::u16string(folder), W(Fixtures()));
}

// The name given to the open command presets the dialog; a name without extension gets ".nt3".
TEST_F(NetCmd, OpenPresetsTheDialogWithTheName) {
  files.choice.clear();
  EXPECT_EQ(OpenNetworkCommand(W(P("abc")).c_str()), -1);
  EXPECT_EQ(files.preset, W(P("abc.nt3")));
  EXPECT_EQ(OpenNetworkCommand(W(P("abc.dat")).c_str()), -1);
  EXPECT_EQ(files.preset, W(P("abc.dat")));
  EXPECT_EQ(OpenNetworkCommand(u"plain"), -1);  // no folder: the network folder
  EXPECT_EQ(files.preset, W(dir) + u"plain.nt3");
}

// ---- autosave ---------------------------------------------------------------------------------------------------

TEST_F(NetCmd, AutosaveOptions) {
  EXPECT_EQ(SetAutosaveOptions(1, 86400), 1);
  EXPECT_EQ(SetAutosaveOptions(1, -5), 1);
  int32_t interval = -1;
  EXPECT_EQ(GetAutosaveOptions(&interval), AUTOSAVE_BITS_DEFAULT);
  EXPECT_EQ(interval, 0);
  EXPECT_EQ(SetAutosaveOptions(0, 86399), 0);
  EXPECT_EQ(DocState.autosaveCountdown, 86399);
  EXPECT_EQ(SetAutosaveOptions(2, 0), 0);
  EXPECT_EQ(GetAutosaveOptions(&interval), 2u);
  EXPECT_EQ(interval, 0);
}

// The countdown counts real seconds without flag 2 and simulated seconds with it, never while
// autosave is off.
TEST_F(NetCmd, CountdownFollowsFlag2) {
  const struct {
    uint32_t bits;
    int32_t interval;
    int simulated, after;
  } cases[] = {{1, 10, 0, 9}, {1, 10, 1, 10}, {3, 10, 1, 9}, {3, 10, 0, 10}, {1, 0, 0, 0}};
  for (const auto& c : cases) {
    SetAutosaveOptions(c.bits, c.interval);
    LowerAutosaveCountdown(c.simulated);
    EXPECT_EQ(DocState.autosaveCountdown, c.after) << c.bits << " " << c.simulated;
  }
}

// The decision of the step; it restarts the countdown and never asks anything.
TEST_F(NetCmd, AutosaveDecision) {
  const char field[] = "bFFFFFFFFFFFFFFFF";
  const struct {
    const char* what;
    uint32_t bits;
    int32_t interval;
    bool named, modified, locked;
    int version, result;
    bool written;
  } cases[] = {
      {"off", 1, 0, true, true, false, 0, 1, false},
      {"unmodified with flag 1", 1, 60, true, false, false, 0, 1, false},
      {"unmodified without flag 1", 0, 60, true, false, false, 0, 0, true},
      {"unnamed", 0, 60, false, true, false, 0, 1, false},
      {"password not entered", 1, 60, true, true, true, 0, 1, false},
      {"older version", 1, 60, true, true, false, 14396, 1, false},
      {"modified", 1, 60, true, true, false, 0, 0, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ResetDocumentState();
    WriteAll(P("auto.nt3"), "old");
    fs::remove(P("auto.000.nt2"));
    SetAutosaveOptions(c.bits, c.interval);
    DocState.autosaveCountdown = 0;
    if (c.named) SetNetworkName(u"auto.nt3");
    if (c.modified) SetNetModified();
    if (c.locked) {
      SetNetworkProtected(1);
      SetPasswordField(field);
    }
    SetLoadedVersion(c.version);
    MsgSeamReset();
    EXPECT_EQ(AutosaveStep(), c.result);
    EXPECT_EQ(MsgSeamCallCount(), 0);
    EXPECT_EQ(DialogSeamRunCount(), 0);
    EXPECT_EQ(DocState.autosaveCountdown, c.interval);
    EXPECT_EQ(ReadAll(P("auto.nt3")) != "old", c.written);
    EXPECT_EQ(fs::exists(P("auto.000.nt2")), c.written);
  }
  // A save that would need question 232 (no file to move to the backup) is skipped too.
  ResetDocumentState();
  fs::remove(P("auto.nt3"));
  SetAutosaveOptions(1, 60);
  SetNetworkName(u"auto.nt3");
  SetNetModified();
  MsgSeamReset();
  EXPECT_EQ(AutosaveStep(), 1);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_FALSE(fs::exists(P("auto.nt3")));
  // A failed write shows its message and answers 2.
  WriteAll(P("auto.nt3"), "old");
  fs::create_directories(P("auto.nt3.~tmp"));
  EXPECT_EQ(AutosaveStep(), 2);
  EXPECT_EQ(ShownMessages(), std::vector<int>({242}));
  EXPECT_EQ(ReadAll(P("auto.nt3")), "old");
}

// ---- the network password -----------------------------------------------------------------------------------------

TEST(NetPassword, FieldRoundTrip) {
  const char16_t* good[] = {u"ABCDEFGH", u"0123456789ABCDEF", u"ZZZZZZZZZ", u"A1B2C3D4E5"};
  for (const char16_t* p : good) {
    char field[PASSWORD_FIELD_BYTES + 1];
    ASSERT_EQ(DerivePasswordField(p, field), 0);
    EXPECT_EQ((int)strlen(field), PASSWORD_FIELD_BYTES);  // no zero byte inside
    char16_t back[PASSWORD_FIELD_BYTES + 1];
    ASSERT_EQ(RecoverPassword(field, back), 0);
    EXPECT_EQ(std::u16string(back), std::u16string(p));
  }
  char field[PASSWORD_FIELD_BYTES + 1], other[PASSWORD_FIELD_BYTES + 1];
  DerivePasswordField(u"ABCDEFGH", field);
  DerivePasswordField(u"ABCDEFGHI", other);
  EXPECT_STRNE(field, other);
  EXPECT_EQ(DerivePasswordField(u"ABCDEFG", field), 1);
  EXPECT_EQ(DerivePasswordField(u"ABCDEFGHIJKLMNOPQ", field), 1);
  EXPECT_EQ(DerivePasswordField(u"ABCD-FGH", field), 1);
}

// The dialog's user types the next input into field 140 and presses OK (no input left: Cancel).
struct Typist {
  std::vector<std::u16string> inputs;
  size_t next = 0;
  std::vector<uint32_t> templates;
  std::vector<uint32_t> focus;
  std::vector<std::u16string> shown;
};
static void TypePassword(WrapWindow dlg, uint32_t templateId, void* context) {
  Typist* t = (Typist*)context;
  t->templates.push_back(templateId);
  t->focus.push_back(DialogSeamFocus(dlg));
  const char16_t* text = DialogSeamText(dlg, 140);
  t->shown.push_back(text ? text : u"");
  if (t->next >= t->inputs.size()) return;
  DialogSeamType(dlg, 140, t->inputs[t->next++].c_str());
  DialogSeamPress(dlg, DLGID_OK);
}

TEST_F(NetCmd, PasswordCommandAndPrompt) {
  Typist t;
  DialogSeamSetUser(TypePassword, &t);
  // Setting: wrong forms are refused with 275, 276, 277; lower case counts as upper case.
  t.inputs = {u"abcdefg", u"abcdefghijklmnopq", u"abcd-efgh", u"abcdefgh1"};
  NetworkPasswordCommand();
  EXPECT_EQ(ShownMessages(), std::vector<int>({275, 276, 277}));
  EXPECT_EQ(t.templates, std::vector<uint32_t>({113, 113, 113, 113}));
  EXPECT_EQ(t.focus[1], 140u);  // after an error the focus is on the field
  EXPECT_TRUE(IsNetworkProtected());
  EXPECT_TRUE(IsNetModified());
  // The same password again changes nothing (entered already: no prompt).
  ClearNetModified();
  t = Typist{{u"ABCDEFGH1"}};
  NetworkPasswordCommand();
  EXPECT_EQ(t.templates, std::vector<uint32_t>({113}));
  EXPECT_EQ(t.shown[0], u"ABCDEFGH1");  // the current password is shown
  EXPECT_FALSE(IsNetModified());

  // As after loading: the prompt comes once, with 271..274 for wrong inputs.
  ClearEnteredPassword();
  MsgSeamReset();
  t = Typist{{u"short", u"ABCDEFGHIJKLMNOPQ", u"ABCDEFGH-", u"ABCDEFGH2", u"abcdefgh1"}};
  EXPECT_EQ(PromptNetworkPassword(), 0);
  EXPECT_EQ(ShownMessages(), std::vector<int>({271, 272, 273, 274}));
  EXPECT_EQ(t.templates.size(), 5u);
  EXPECT_EQ(t.templates[0], 112u);
  EXPECT_EQ(PromptNetworkPassword(), 0);
  EXPECT_EQ(t.templates.size(), 5u);  // not asked again
  // Cancelled: 1, and a save does not happen.
  ClearEnteredPassword();
  t = Typist{};
  EXPECT_EQ(PromptNetworkPassword(), 1);
  Named("p.nt3");
  EXPECT_EQ(SaveNetworkWithBackups(), 1);
  EXPECT_FALSE(fs::exists(P("p.nt3")));

  // An empty input removes the protection.
  t = Typist{{u"ABCDEFGH1", u""}};
  NetworkPasswordCommand();
  EXPECT_FALSE(IsNetworkProtected());
  EXPECT_EQ(GetPasswordField()[0], 0);
}

// A protected network asks for its password once per load before saving.
TEST_F(NetCmd, ProtectedNetworkAsksOncePerLoad) {
  Typist t;
  DialogSeamSetUser(TypePassword, &t);
  char field[PASSWORD_FIELD_BYTES + 1];
  DerivePasswordField(u"SECRET123", field);
  files.choice = W(P("p.nt3"));
  SetNetworkProtected(1);
  SetPasswordField(field);
  SetCell(1, 1, 0, 0x0201);
  t.inputs = {u"SECRET123"};
  ASSERT_EQ(SaveNetworkWithBackups(), 0);  // unnamed: save as after the prompt
  EXPECT_EQ(t.templates.size(), 1u);
  SetNetModified();
  ASSERT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_EQ(t.templates.size(), 1u);

  files.choice = W(P("p.nt3"));
  ASSERT_EQ(OpenNetworkCommand(nullptr), 0);
  EXPECT_TRUE(IsNetworkProtected());
  SetNetModified();
  t.inputs.push_back(u"SECRET123");
  ASSERT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_EQ(t.templates.size(), 2u);
  SetNetModified();
  ASSERT_EQ(SaveNetworkWithBackups(), 0);
  EXPECT_EQ(t.templates.size(), 2u);
}

// ---- the file dialog ---------------------------------------------------------------------------------------------

TEST_F(NetCmd, FileDialogFolders) {
  fs::create_directories(P("a/b"));
  fs::create_directories(P("a/x"));
  WriteAll(P("a/x/f.nt3"), "f");
  std::u16string a = W(P("a/")), b = W(P("a/b/"));
  char16_t name[FILEDLG_NAME_CHARS], folder[STREAM_PATH_CHARS];
  int exists = -1;
  // A relative folder is taken from the kind's folder: ".." and then x.
  SetKindFolder(FILE_KIND_TEXT, b.c_str());
  EXPECT_EQ(FileDialogAccept(u"..\\x\\f.nt3", FILE_KIND_TEXT, 0, &exists, name), FILEDLG_CHOSEN);
  GetKindFolder(FILE_KIND_TEXT, folder);
  EXPECT_EQ(std::u16string(folder), a + u"x\\");
  EXPECT_EQ(std::u16string(name), u"f.nt3");
  EXPECT_EQ(exists, 1);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  // A folder that does not exist: 192, and the kind's folder stays.
  EXPECT_EQ(FileDialogAccept(W(P("nowhere/g.nt3")).c_str(), FILE_KIND_TEXT, 0, &exists, name),
            FILEDLG_CHOSEN);
  EXPECT_EQ(ShownMessages(), std::vector<int>({192}));
  GetKindFolder(FILE_KIND_TEXT, folder);
  EXPECT_EQ(std::u16string(folder), a + u"x\\");
  EXPECT_EQ(exists, 0);
  // A fixed folder: another folder gives the caller's message, the name is kept with the
  // kind's folder.
  MsgSeamReset();
  SetKindFolder(FILE_KIND_TEXT, b.c_str());
  EXPECT_EQ(FileDialogAccept(W(P("a/x/f.nt3")).c_str(), FILE_KIND_TEXT, 190, &exists, name),
            FILEDLG_CHOSEN);
  EXPECT_EQ(ShownMessages(), std::vector<int>({190}));
  GetKindFolder(FILE_KIND_TEXT, folder);
  EXPECT_EQ(std::u16string(folder), b);
  EXPECT_EQ(std::u16string(name), u"f.nt3");
  EXPECT_EQ(exists, 0);
  // Blanks: information 210 while the warning is on, nothing when it is off.
  MsgSeamReset();
  EXPECT_EQ(SetFileNameWarning(0), 1);
  FileDialogAccept(W(P("a/b/with blank.nt3")).c_str(), FILE_KIND_TEXT, 0, &exists, name);
  EXPECT_EQ(ShownMessages(), std::vector<int>({210}));
  EXPECT_EQ(SetFileNameWarning(2), 2);
  MsgSeamReset();
  FileDialogAccept(W(P("a/b/with blank.nt3")).c_str(), FILE_KIND_TEXT, 0, &exists, name);
  EXPECT_EQ(MsgSeamCallCount(), 0);
  EXPECT_EQ(std::u16string(name), u"with blank.nt3");
  // Where the dialog starts: the kind's folder without its separator, or the preset's folder; a
  // pattern gives only the folder.
  char16_t preset[FILEDLG_NAME_CHARS], start[STREAM_PATH_CHARS];
  FileDialogStart(FILE_KIND_TEXT, nullptr, u"dat", preset, start);
  EXPECT_EQ(std::u16string(preset), u"");
  EXPECT_EQ(std::u16string(start) + u"/", b);
  FileDialogStart(FILE_KIND_TEXT, W(P("a/*.dat")).c_str(), u"dat", preset, start);
  EXPECT_EQ(std::u16string(preset), u"");
  EXPECT_EQ(std::u16string(start), a);
  // A cancelled dialog changes nothing.
  files.choice.clear();
  EXPECT_EQ(FileDialog(1, 1, 0, 0, 0, nullptr, FILE_KIND_TEXT, nullptr, &exists, name, u"dat", 1),
            FILEDLG_CANCELLED);
  GetKindFolder(FILE_KIND_TEXT, folder);
  EXPECT_EQ(std::u16string(folder), b);
}

// ---- level changes of old files -----------------------------------------------------------------------------------

// The fake partner finder: the other end lies FakeLength - 1 cells along the direction.
static int FakeLength = 6, FakeResult = 1;
static const int StepX[8] = {0, 0, 0, 1, 1, 0, -1, 0}, StepY[8] = {0, 1, 0, 0, 1, 0, 1, 0};
static int FakePartner(int* x, int* y, int* length, uint32_t direction) {
  *x += StepX[direction & 7] * (FakeLength - 1);
  *y += StepY[direction & 7] * (FakeLength - 1);
  *length = FakeLength;
  return FakeResult;
}
static std::vector<std::u16string> ClipLines;
static int ClipClear() {
  ClipLines.clear();
  return 0;
}
static int ClipAppend(const char16_t* line) {
  ClipLines.push_back(line);
  return 0;
}

class GridCheck : public NetCmd {
 protected:
  FileCommandHooks saved;
  void SetUp() override {
    NetCmd::SetUp();
    saved = FileCommands;
    FileCommands.findClassBPartner = FakePartner;
    FileCommands.clearClipboard = ClipClear;
    FileCommands.appendClipboardLine = ClipAppend;
    ClipLines = {u"old"};
    FakeLength = 6;
    FakeResult = 1;
  }
  void TearDown() override {
    FileCommands = saved;
    NetCmd::TearDown();
  }
  // A class-B start (symbol 216 + direction, track kind 2) at (x, y) and its partner at the end.
  void Ramp(int x, int y, int direction, uint32_t mark = 0) {
    SetCell(x, y, 0, (uint32_t)(216 + direction) | 0x0400 | mark);
    SetCell(x + StepX[direction] * (FakeLength - 1), y + StepY[direction] * (FakeLength - 1), 0,
            (uint32_t)(216 + 15) | 0x0400);  // its own direction 7 is never a start
  }
};

TEST_F(GridCheck, RampGoesDownOneLevel) {
  Ramp(100, 10, 3);  // to the right
  EXPECT_EQ(CheckGridAfterLoad(), 0);
  uint32_t c1 = 219 | 0x0400, c2 = GetCell(105, 10, 0);
  EXPECT_EQ(GetCell(100, 10, 0), c1);
  EXPECT_EQ(GetCell(100, 10, -1), MapToSymbolClassC(c1));
  for (int x = 101; x <= 104; x++) EXPECT_EQ(GetCell(x, 10, -1), 0x0400u) << x;
  EXPECT_EQ(GetCell(105, 10, -1), MapToSymbolClassC(c2));
  EXPECT_EQ(GetCell(100, 10, -2), CELL_EMPTY);
  EXPECT_EQ(ClipLines, std::vector<std::u16string>({u"old"}));  // nothing reported
  EXPECT_EQ(GetInfoBoxLevel(), 0);  // its progress box: the loader closes it
}

// A cell occupied in the middle of the way makes the ramp go one level deeper; an occupied first
// cell or end fails it, and it is reported at its first end.
TEST_F(GridCheck, DeeperOrFailed) {
  Ramp(100, 10, 1);  // downwards
  SetCell(100, 13, -1, 0xC005);
  Ramp(200, 10, 3);
  SetCell(201, 10, -1, 0xC005);
  Ramp(300, 10, 4);
  SetCell(300, 10, -1, 0xC005);
  EXPECT_EQ(CheckGridAfterLoad(), 2);
  // the first ramp: ends inward one cell at level -2, track at level -2 in the middle
  uint32_t c1 = 217 | 0x0400;
  EXPECT_EQ(GetCell(100, 10, -1), MapToSymbolClassC(c1));
  EXPECT_EQ(GetCell(100, 11, -1), c1);
  EXPECT_EQ(GetCell(100, 11, -2), MapToSymbolClassC(c1));
  EXPECT_EQ(GetCell(100, 12, -2), 0x0400u | 1);
  EXPECT_EQ(GetCell(100, 13, -2), 0x0400u | 1);
  EXPECT_EQ(GetCell(100, 13, -1), 0xC005);
  EXPECT_EQ(ClipLines, std::vector<std::u16string>({u"200,10,0", u"300,10,0"}));
  EXPECT_EQ(GetCell(202, 10, -1), CELL_EMPTY);  // a failed ramp writes nothing
}

// Finder results other than 0 and 1 skip the cell; with result 0 the start's mark bit is dropped.
TEST_F(GridCheck, FinderResultsAndMarks) {
  const struct {
    int result;
    uint32_t track;
  } cases[] = {{0, 0x0400u}, {1, 0x0400u | CELL_MARK_BIT}, {2, CELL_EMPTY}};
  for (const auto& c : cases) {
    ClearGrid();
    FakeResult = c.result;
    Ramp(100, 10, 3, CELL_MARK_BIT);
    EXPECT_EQ(CheckGridAfterLoad(), 0);
    EXPECT_EQ(GetCell(102, 10, -1), c.track) << c.result;
  }
}

// A file of a version before 14396 drew its level changes on level 0 only: loading it takes each
// ramp down into level -1, the other end found along the ramp's direction over the plain track
// between (a reserved far end keeps the start's mark on the way down, a free one drops it); a foot
// met before any top is no ramp and stays as it is.
TEST_F(NetCmd, OldLevelChangesAreTakenDownWhenLoaded) {
  NetGridCheck = CheckGridAfterLoad;
  ASSERT_EQ(FileCommands.findClassBPartner, &FindClassBPartner);
  files.choice = W(Fixtures() + "ramps_v14395.nt3");
  const int loaded = OpenNetworkCommand(nullptr);
  NetGridCheck = nullptr;
  ASSERT_EQ(loaded, 0);
  EXPECT_EQ(GetLoadedVersion(), 14395);
  const uint32_t R = 0x0400, M = CELL_MARK_BIT;
  struct Expect {
    int x, y, level;
    uint32_t code;
  };
  const Expect cells[] = {
      // to the right, five cells: the ends stay on level 0, the way runs on level -1
      {100, 10, 0, R | 219},
      {100, 10, -1, MapToSymbolClassC(R | 219)},
      {101, 10, -1, R | 0},
      {103, 10, -1, R | 0},
      {104, 10, -1, MapToSymbolClassC(R | 218)},
      {104, 10, 0, R | 218},
      {100, 10, -2, CELL_EMPTY},
      // downwards to a reserved end: the way down keeps the mark
      {200, 10, 0, R | 217 | M},
      {200, 10, -1, MapToSymbolClassC(R | 217)},
      {200, 11, -1, R | 1 | M},
      {200, 13, -1, R | 1 | M},
      {200, 14, -1, MapToSymbolClassC(R | 216)},
      // a marked start whose far end is free: the mark is dropped
      {300, 10, 0, R | 219},
      {301, 10, -1, R | 0},
      {303, 10, -1, MapToSymbolClassC(R | 218)},
      // a foot met first: nothing below
      {400, 10, 0, R | 217},
      {400, 10, -1, CELL_EMPTY},
      {400, 11, -1, CELL_EMPTY},
  };
  for (const Expect& e : cells)
    EXPECT_EQ(GetCell(e.x, e.y, e.level), e.code) << e.x << "," << e.y << "," << e.level;
  EXPECT_EQ(GetInfoBoxLevel(), -1);
}

// ---- autosave in the idle step ------------------------------------------------------------------------------------

static void IdleAutosave() { AutosaveStep(); }

// A host that sets the options sees the named network saved once the interval has run out: the
// one-second thread lowers the countdown (flag 2 clear), the idle step saves and restarts it.
TEST_F(NetCmd, AutosaveAfterTheInterval) {
  WriteAll(P("timed.nt3"), "old");
  ASSERT_EQ(SetAutosaveOptions(AUTOSAVE_ONLY_MODIFIED, 3), 0);
  Named("timed.nt3");
  IdleHooks hooks = {};
  hooks.autosaveStep = IdleAutosave;
  for (int second = 1; second <= 3; second++) {
    EXPECT_EQ(ReadAll(P("timed.nt3")), "old") << second;
    LowerAutosaveCountdown(0);
    LowerAutosaveCountdown(1);  // simulated seconds do not count without flag 2
    RunIdleStepWith(&TimerCount, &hooks, 0);
  }
  EXPECT_NE(ReadAll(P("timed.nt3")), "old");
  EXPECT_EQ(ReadAll(P("timed.000.nt2")), "old");
  EXPECT_FALSE(IsNetModified());
  EXPECT_EQ(DocState.autosaveCountdown, 3);
  EXPECT_EQ(MsgSeamCallCount(), 0);
}

// ---- failed saves through the file layer's faults ------------------------------------------------------------------

// Whatever part of the write fails, the folder keeps the previous network file byte for byte and
// the one message of the failure is shown; with backups the older ones stay rotated.
TEST_F(NetCmd, FaultedSaveLeavesThePreviousFile) {
  const struct {
    FileFaultKind kind;
    int nth, message;
  } faults[] = {{FILE_FAULT_OPEN, 1, 242},
                {FILE_FAULT_WRITE, 1, 248},  // a small file is written out when it is closed
                {FILE_FAULT_SHORT_WRITE, 1, 249},
                {FILE_FAULT_CLOSE, 1, 248},
                {FILE_FAULT_REPLACE, 1, 247}};
  for (int count : {0, 3}) {
    for (const auto& f : faults) {
      SCOPED_TRACE(testing::Message() << "backups " << count << " fault " << f.kind);
      fs::remove_all(dir);
      fs::create_directories(dir);
      ResetDocumentState();
      Named("g.nt3");
      SetBackupCount(0);
      ASSERT_EQ(SaveNetworkWithBackups(), 0);
      const std::string previous = ReadAll(P("g.nt3"));
      for (const char* b : {"g.000.nt2", "g.001.nt2", "g.002.nt2"}) WriteAll(P(b), b);
      SetBackupCount(count);
      SetCell(7, 7, 0, 0x0203);
      SetNetModified();
      MsgSeamReset();
      SetFileFault(f.kind, f.nth);
      EXPECT_EQ(SaveNetworkWithBackups(), 1);
      ClearFileFaults();
      EXPECT_EQ(ShownMessages(), std::vector<int>({f.message}));
      EXPECT_EQ(ReadAll(P("g.nt3")), previous);
      EXPECT_TRUE(IsNetModified());
      EXPECT_EQ(GetInfoBoxLevel(), -1);
      EXPECT_FALSE(fs::exists(P("g.nt3.~tmp")));
      if (count) {
        EXPECT_FALSE(fs::exists(P("g.000.nt2")));
        EXPECT_EQ(ReadAll(P("g.001.nt2")), "g.000.nt2");
        EXPECT_EQ(ReadAll(P("g.002.nt2")), "g.001.nt2");
      } else {
        EXPECT_EQ(ReadAll(P("g.000.nt2")), "g.000.nt2");
      }
    }
  }
}

// The network file cannot be moved to the first backup: question 232; No keeps the file.
TEST_F(NetCmd, RefusedBackupRename) {
  Named("h.nt3");
  SetBackupCount(0);
  ASSERT_EQ(SaveNetworkWithBackups(), 0);
  const std::string previous = ReadAll(P("h.nt3"));
  SetBackupCount(2);
  SetNetModified();
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_NO);
  SetFileFault(FILE_FAULT_RENAME, 1);  // no backups yet: the first rename moves the network file
  EXPECT_EQ(SaveNetworkWithBackups(), 1);
  ClearFileFaults();
  EXPECT_EQ(ShownMessages(), std::vector<int>({232}));
  EXPECT_EQ(ReadAll(P("h.nt3")), previous);
  // The oldest backup cannot be deleted: error 231, and the save goes on.
  WriteAll(P("h.001.nt2"), "x");
  MsgSeamReset();
  SetFileFault(FILE_FAULT_REMOVE, 1);
  EXPECT_EQ(SaveNetworkWithBackups(), 0);
  ClearFileFaults();
  EXPECT_EQ(ShownMessages(), std::vector<int>({231}));
  EXPECT_EQ(ReadAll(P("h.000.nt2")), previous);
}

// ---- new network and the file lists of very old files -----------------------------------------------------------

TEST_F(NetCmd, NewNetworkAfterTheSaveQuestion) {
  Named("old.nt3");
  SetAutosaveOptions(1, 50);
  DocState.autosaveCountdown = 7;
  NewNetwork();  // the question is cancelled: nothing changes
  EXPECT_EQ(ShownMessages(), std::vector<int>({299}));
  EXPECT_EQ(GetCell(100, 100, 0), 0x0201);
  MsgSeamReset();
  MsgSeamPushAnswer(MSG_RESULT_NO);
  NetworkInvalid = 1;
  InitLineTable();
  ASSERT_EQ(CreateLine(u"L1", 0, 0), 0);
  DepotRecord depot = {};
  depot.id = 3;
  CopyString(depot.name, u"Nord");
  DepotSlot slot = {100, 100, 0, 1, 0, 0, 0, 0};
  ASSERT_EQ(AddDepotSlot(&depot, &slot), 0);
  NewNetwork();
  EXPECT_EQ(LineCount(), 0);  // the line table and the depots are cleared with the other stores
  EXPECT_EQ(CountDepots(nullptr), 0);
  EXPECT_TRUE(IsGridEmpty());
  EXPECT_EQ(std::u16string(GetNetworkName()), std::u16string(GetLangText(LANG_ID(11060))));
  EXPECT_EQ(NetworkInvalid, 0);
  EXPECT_EQ(DocState.autosaveCountdown, 50);
  EXPECT_FALSE(IsNetModified());
}

// Files below version 13573 take the user graphic files named like the network file.
TEST_F(NetCmd, LegacyFileLists) {
  WriteAll(P("old.uzg"), "u");
  WriteAll(P("old.uzz"), "z");
  const struct {
    int version;
    bool taken;
  } cases[] = {{13572, true}, {13573, false}};
  for (const auto& c : cases) {
    ClearUserFileLists();
    EXPECT_EQ(ImportLegacyFileLists(u"old.nt3", c.version), 0);
    EXPECT_EQ(std::u16string(DocState.symbolFiles[0]), c.taken ? W(P("old.uzg")) : u"");
    EXPECT_EQ(std::u16string(DocState.vehicleFiles[0]), c.taken ? W(P("old.ufg")) : u"");
  }
}
