// The file dialog's own work around the platform's dialog: where it starts, and what the chosen
// path becomes (blank warning, fixed and missing folders, relative folders, the kind's folder).
#include "app/filedialog.h"
#include "app/dialog.h"
#include "app/startup.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "core/stream.h"

static int WarnBlanks = 1;     // WarnDatN
static int ExplorerStyle = 0;  // DateiDlg

int SetFileNameWarning(int mode) {
  if (mode == 1) WarnBlanks = 1;
  if (mode == 2) WarnBlanks = 0;
  return WarnBlanks ? 1 : 2;
}

void SetExplorerFileDialog(int on) { ExplorerStyle = on ? 1 : 0; }
int GetExplorerFileDialog() { return ExplorerStyle; }

static int IsSep(char16_t c) { return c == u'\\' || c == u'/'; }

// a + b into out (STREAM_PATH_CHARS); 1 when it does not fit.
static int Join(char16_t* out, const char16_t* a, const char16_t* b) {
  if (StringLength(a) + StringLength(b) > STREAM_PATH_CHARS - 1) return 1;
  AppendString(CopyString(out, a), b);
  return 0;
}

static void EndWithSep(char16_t* folder) {
  int n = StringLength(folder);
  if (n > 0 && !IsSep(folder[n - 1]) && n < STREAM_PATH_CHARS - 1) {
    folder[n] = u'\\';
    folder[n + 1] = 0;
  }
}

int IsPathMissing(const char16_t* path) {
  char16_t p[STREAM_PATH_CHARS];
  CopyStringLimited(p, path, STREAM_PATH_CHARS);
  int n = StringLength(p);
  // A folder is tested without its closing separator (but "C:\" and "/" stay as they are).
  if (n > 3 && IsSep(p[n - 1])) p[n - 1] = 0;
  return WrapAccess(p, WRAP_ACCESS_EXISTS) == 0 ? 0 : 1;
}

void FileDialogStart(int kind, const char16_t* initialPath, const char16_t* defaultExtension,
                     char16_t* preset, char16_t* startFolder) {
  char16_t kindFolder[STREAM_PATH_CHARS];
  GetKindFolder(kind, kindFolder);
  preset[0] = 0;
  startFolder[0] = 0;
  if (!initialPath || !initialPath[0]) {
    CopyString(startFolder, kindFolder);
    int n = StringLength(startFolder);
    if (n > 3 && IsSep(startFolder[n - 1])) startFolder[n - 1] = 0;
    return;
  }
  char16_t drive[WRAP_MAX_DRIVE], dir[WRAP_MAX_DIR], name[WRAP_MAX_FNAME], ext[WRAP_MAX_EXT];
  char16_t kdrive[WRAP_MAX_DRIVE], kdir[WRAP_MAX_DIR];
  int flags = WrapFnSplit(initialPath, drive, dir, name, ext);
  WrapSplitPath(kindFolder, kdrive, kdir, nullptr, nullptr);
  const char16_t* d = drive[0] ? drive : kdrive;
  char16_t folder[STREAM_PATH_CHARS];
  if (!dir[0]) {
    Join(folder, d, kdir);
  } else if (IsSep(dir[0])) {
    Join(folder, d, dir);
  } else {
    // below the current folder of that drive
    char16_t rel[STREAM_PATH_CHARS];
    if (Join(rel, d, dir) || !WrapFullPath(folder, rel, STREAM_PATH_CHARS)) Join(folder, d, dir);
    EndWithSep(folder);
  }
  CopyString(startFolder, folder);
  if (flags & WRAP_FN_WILDCARDS) return;  // a pattern gives only the folder to start in
  char16_t file[STREAM_PATH_CHARS];
  if (Join(file, name, ext)) return;
  if (Join(preset, folder, file)) {
    preset[0] = 0;
    return;
  }
  if (!ext[0] && defaultExtension)
    AddDefaultExtension(preset, defaultExtension, FILEDLG_NAME_CHARS);
}

// The relative folder rel (not starting with a separator) taken from base: every leading ".."
// group removes one folder of base, the rest is appended.
static void ResolveRelative(const char16_t* base, const char16_t* rel, char16_t* out) {
  CopyStringLimited(out, base, STREAM_PATH_CHARS);
  EndWithSep(out);
  while (rel[0] == u'.' && rel[1] == u'.' && (IsSep(rel[2]) || rel[2] == 0)) {
    rel += rel[2] ? 3 : 2;
    int n = StringLength(out);
    int i = n - 2;  // before the closing separator
    while (i >= 0 && !IsSep(out[i])) i--;
    if (i >= 0) out[i + 1] = 0;  // the root itself stays
  }
  char16_t joined[STREAM_PATH_CHARS];
  if (!Join(joined, out, rel)) CopyString(out, joined);
  EndWithSep(out);
}

int FileDialogAccept(const char16_t* chosen, int kind, uint32_t fixedFolderMessage, int* exists,
                     char16_t* fileName) {
  if (WarnBlanks && FindChar(chosen, u' ')) ShowInfoText(210, LANG_ID(11144));
  char16_t drive[WRAP_MAX_DRIVE], dir[WRAP_MAX_DIR], name[WRAP_MAX_FNAME], ext[WRAP_MAX_EXT];
  WrapSplitPath(chosen, drive, dir, name, ext);
  char16_t kindFolder[STREAM_PATH_CHARS], folder[STREAM_PATH_CHARS];
  GetKindFolder(kind, kindFolder);
  if (Join(folder, drive, dir)) CopyString(folder, kindFolder);
  if (fixedFolderMessage &&
      CompareStrings(folder, kindFolder, CMPS_IGNORE_CASE | CMPS_SKIP_BLANKS) != 0) {
    ShowErrorText(fixedFolderMessage, LANG_ID(11127));
    CopyString(folder, kindFolder);
  } else if (!dir[0]) {
    CopyString(folder, kindFolder);
  } else if (!IsSep(dir[0])) {
    ResolveRelative(kindFolder, dir, folder);
  }
  if (IsPathMissing(folder)) {
    char16_t text[2 * STREAM_PATH_CHARS + 40];
    const char16_t* parts[2] = {GetLangText(LANG_ID(11118)), folder};
    FormatTextWith(text, (int)(sizeof text / sizeof text[0]), u"%s: \"%s\"", nullptr, 0, parts, 2);
    ShowError(192, text);
    CopyString(folder, kindFolder);
  }
  SetKindFolder(kind, folder);
  char16_t file[STREAM_PATH_CHARS];
  if (Join(file, name, ext)) file[0] = 0;
  CopyStringLimited(fileName, file, FILEDLG_NAME_CHARS);
  char16_t path[STREAM_PATH_CHARS];
  *exists = (file[0] && BuildKindPath(kind, file, path) == 0 && IsFileReadable(path) == 0) ? 1 : 0;
  return FILEDLG_CHOSEN;
}

int FileDialog(uint32_t titleId, uint32_t okTextId, uint16_t helpTopic, int save,
               uint32_t fixedFolderMessage, FileDialogOptionsFn options, int kind,
               const char16_t* initialPath, int* exists, char16_t* fileName,
               const char16_t* defaultExtension, uint32_t filterId) {
  FileDialogRun run;
  FillMem(&run, 0, sizeof run);
  char16_t startFolder[STREAM_PATH_CHARS];
  run.titleId = titleId;
  run.okTextId = okTextId;
  run.helpTopic = helpTopic;
  run.save = save;
  run.fixedFolder = fixedFolderMessage ? 1 : 0;
  run.options = options;
  run.defaultExtension = defaultExtension;
  run.filterId = filterId;
  FileDialogStart(kind, initialPath, defaultExtension, run.file, startFolder);
  run.startFolder = startFolder;
  if (EnterDialogLevel()) return FILEDLG_CANCELLED;
  int chosen = RunPlatformFileDialog(&run);
  LeaveDialogLevel();
  if (!chosen || !run.file[0]) return FILEDLG_CANCELLED;
  return FileDialogAccept(run.file, kind, fixedFolderMessage, exists, fileName);
}

int ChooseUserGraphicFile(char16_t* name, int kindFlag) {
  int exists = 0;
  int r = FileDialog(LANG_ID(11660), LANG_ID(11661), 42016, 0, 189, nullptr, FILE_KIND_NETWORK,
                     nullptr, &exists, name, kindFlag ? u"nfz" : u"uzg",
                     kindFlag ? LANG_ID(11663) : LANG_ID(11662));
  return r == FILEDLG_CHOSEN ? 0 : 1;
}
