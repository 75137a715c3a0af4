// Saving: save, save as, numbered backups, the check before saving and autosave (the viewer is
// built without them).
#ifndef QUIL_VIEWER
#include "app/cursor.h"
#include "app/filedialog.h"
#include "app/infobox.h"
#include "app/netcmd.h"
#include "app/recent.h"
#include "app/titles.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"
#include "model/general_section.h"
#include "model/grid.h"
#include "model/netfile.h"
#include "model/netfile_messages.h"
#include "model/netfile_options.h"
#include "model/password.h"

constexpr int32_t AUTOSAVE_INTERVAL_MAX = 86399;

static int IsUnnamed() {
  return CompareStrings(GetNetworkName(), GetLangText(LANG_ID(11060)),
                        CMPS_SKIP_BLANKS | CMPS_IGNORE_CASE) == 0;
}

static void CloseBoxesAbove(int level) {
  while (GetInfoBoxLevel() > level) CloseInfoBox();
}

// ---- backups ------------------------------------------------------------------------------------------
int BackupName(const char16_t* name, int number, char16_t* out) {
  char16_t base[STREAM_PATH_CHARS];
  CopyStringLimited(base, name, STREAM_PATH_CHARS);
  StripExtension(base);
  char16_t digits[12];
  digits[FormatUnsignedDigits(digits, (uint32_t)number, 3)] = 0;
  if (StringLength(base) + StringLength(digits) + 5 > STREAM_PATH_CHARS - 1) return 1;
  AppendString(AppendString(AppendString(AppendString(CopyString(out, base), u"."), digits), u"."),
               u"nt2");
  return 0;
}

int RotateBackups(const char16_t* name, int n, int* deleteRefused) {
  *deleteRefused = 0;
  if (n < 1) return 1;
  if (StringLength(name) + 4 >= 261) return 1;
  char16_t older[STREAM_PATH_CHARS], newer[STREAM_PATH_CHARS];
  if (BackupName(name, n - 1, older)) return 1;
  if (DeleteKindFile(older, FILE_KIND_NETWORK) == 2) *deleteRefused = 1;
  for (int k = n - 1; k >= 1; k--) {
    if (BackupName(name, k - 1, newer) || BackupName(name, k, older)) continue;
    RenameKindFile(newer, older, FILE_KIND_NETWORK);  // a gap in the row is no fault
  }
  BackupName(name, 0, newer);
  return RenameKindFile(name, newer, FILE_KIND_NETWORK) == 0 ? 0 : 2;
}

// ---- the check before saving ------------------------------------------------------------------------------
static int NeedsPassword() {
  if (!IsNetworkProtected()) return 0;
  const char* entered = GetEnteredPassword();
  return !entered[0] || CompareStringsNoCaseA(entered, GetPasswordField()) != 0;
}

static int IsOlderVersion() {
  int v = GetLoadedVersion();
  return v != 0 && v != NET_VERSION_CURRENT;
}

int CheckBeforeSave() {
  if (IsNetworkProtected() && PromptNetworkPassword()) return 1;
  if (IsOlderVersion()) {
    if (AskQuestion(241, GetLangText(LANG_ID(11480))) != MSG_RESULT_YES) return 1;
    SetLoadedVersion(NET_VERSION_CURRENT);
  }
  return 0;
}

// ---- saving -------------------------------------------------------------------------------------------
int SaveNetworkWithMessages() {
  int level = GetInfoBoxLevel();
  SetCursorMode(CURSOR_BUSY_BEGIN);
  int r = WriteNetworkFile();
  SetCursorMode(CURSOR_BUSY_END);
  CloseBoxesAbove(level);
  if (r == 0) {
    ClearNetModified();
    SetLoadedVersion(NET_VERSION_CURRENT);
    return 0;
  }
  ShowSaveResultMessage(r);
  return 1;
}

int SaveNetworkAsCommand() {
  if (CheckBeforeSave()) return 1;
  char16_t file[FILEDLG_NAME_CHARS];
  int exists = 0;
  if (FileDialog(LANG_ID(11220), LANG_ID(11021), 42002, 1, 0, nullptr, FILE_KIND_NETWORK, nullptr,
                 &exists, file, u"nt3", LANG_ID(11223)) != FILEDLG_CHOSEN)
    return 1;
  if (exists) {
    char16_t text[600];
    int n = CopyStringLimited(text, GetLangText(LANG_ID(11022)), 200);
    n += CopyStringLimited(text + n, file, FILEDLG_NAME_CHARS);
    CopyStringLimited(text + n, GetLangText(LANG_ID(11023)), 600 - n);
    if (AskQuestion(253, text) != MSG_RESULT_YES) return 1;
  }
  SetNetworkName(file);
  UpdateWindowTitles(-1);
  char16_t path[STREAM_PATH_CHARS];
  if (BuildKindPath(FILE_KIND_NETWORK, file, path) == 0) AddRecentFile(path);
  if (FileCommands.rebuildRecentMenus) FileCommands.rebuildRecentMenus();
  if (SaveNetworkWithMessages()) {
    SetNetworkName(GetLangText(LANG_ID(11060)));
    UpdateWindowTitles(-1);
    return 1;
  }
  return 0;
}

// Saving under the current name with the backups. quiet (autosave): nothing is asked; a save
// that would have to ask is skipped. 0 saved, 1 not saved (refused or skipped), 2 the write failed.
static int SaveWithBackups(int quiet) {
  if (IsUnnamed()) return quiet ? 1 : (SaveNetworkAsCommand() ? 1 : 0);
  if (quiet) {
    if (NeedsPassword() || IsOlderVersion()) return 1;
  } else if (CheckBeforeSave()) {
    return 1;
  }
  const char16_t* name = GetNetworkName();
  int n = GetBackupCount(), moved = 0;
  if (n >= 1) {
    int refused = 0;
    int r = RotateBackups(name, n, &refused);
    if (refused && !quiet) ShowErrorText(231, LANG_ID(11133));
    if (r == 1 && !quiet) ShowInfoText(230, LANG_ID(11126));
    if (r == 2) {
      if (quiet) return 1;
      char16_t text[400];
      int k = CopyStringLimited(text, GetLangText(LANG_ID(11134)), 200);
      text[k++] = u'\n';
      CopyStringLimited(text + k, GetLangText(LANG_ID(11135)), 400 - k);
      if (AskQuestion(232, text) != MSG_RESULT_YES) return 1;
    }
    moved = r == 0;
  }
  if (SaveNetworkWithMessages() == 0) return 0;
  if (moved) {
    // The folder never stays without the network file: the newest backup takes its name again.
    char16_t backup[STREAM_PATH_CHARS];
    if (BackupName(name, 0, backup) == 0) RenameKindFile(backup, name, FILE_KIND_NETWORK);
  }
  return 2;
}

int SaveNetworkWithBackups() { return SaveWithBackups(0) ? 1 : 0; }

// ---- autosave -----------------------------------------------------------------------------------------
uint32_t GetAutosaveOptions(int32_t* interval) {
  if (interval) *interval = DocState.autosaveInterval;
  return AutosaveBits;
}

int SetAutosaveOptions(uint32_t bits, int32_t interval) {
  if (interval != 0 && (interval < 1 || interval > AUTOSAVE_INTERVAL_MAX)) return 1;
  AutosaveBits = bits;
  DocState.autosaveInterval = interval;
  SetAutosaveCountdown(&DocState.autosaveCountdown, interval);
  return 0;
}

int AutosaveStep() {
  int32_t interval = DocState.autosaveInterval;
  if (interval == 0) return 1;
  SetAutosaveCountdown(&DocState.autosaveCountdown, interval);
  if ((AutosaveBits & AUTOSAVE_ONLY_MODIFIED) && !IsNetModified()) return 1;
  if (IsUnnamed()) return 1;
  int r = SaveWithBackups(1);
  return r == 0 ? 0 : (r == 2 ? 2 : 1);
}
#endif
