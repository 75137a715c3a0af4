// The file dialog: every file the user chooses comes through FileDialog, tied to a file kind whose
// folder it starts in and updates. Two appearances: the explorer-style dialog, or the older one
// with the program's template 103 (the default).
#pragma once
#include <cstdint>
#include "core/platform.h"

constexpr int FILEDLG_CANCELLED = 1;
constexpr int FILEDLG_CHOSEN = 2;
constexpr int FILEDLG_NAME_CHARS = 261;  // file buffer of the dialog, terminator included
constexpr uint32_t FILEDLG_TEMPLATE = 103;
// Controls of template 103 besides the platform's own (folder list 1121, OK 1, Cancel 2).
constexpr uint32_t FILEDLG_OPTIONS_BUTTON = 121;
constexpr uint32_t FILEDLG_FOLDER_LIST = 1121;

typedef void (*FileDialogOptionsFn)(WrapWindow dialog);

// Runs the dialog. fixedFolderMessage 0: any folder; else the chosen file must lie in the kind's
// folder and the number is the message shown when it does not. initialPath null: the kind's
// folder. On FILEDLG_CHOSEN fileName (FILEDLG_NAME_CHARS) gets name + extension, the kind's
// folder the chosen folder, and *exists 1 when the file opens for reading.
int FileDialog(uint32_t titleId, uint32_t okTextId, uint16_t helpTopic, int save,
               uint32_t fixedFolderMessage, FileDialogOptionsFn options, int kind,
               const char16_t* initialPath, int* exists, char16_t* fileName,
               const char16_t* defaultExtension, uint32_t filterId);

// 1 when the path does not exist (access test), else 0.
int IsPathMissing(const char16_t* path);
// 1 switches the blank warning on and returns 1, 2 switches it off and returns 2, anything else
// only asks (1 on, 2 off).
int SetFileNameWarning(int mode);
// The appearance: 0 the older dialog with template 103 (the default), 1 explorer style.
void SetExplorerFileDialog(int on);
int GetExplorerFileDialog();
// The file dialog of the user graphic files: kindFlag 0 symbol files ("uzg"), 1 vehicle-graphic
// files ("nfz"); name gets FILEDLG_NAME_CHARS. 0 chosen, 1 not.
int ChooseUserGraphicFile(char16_t* name, int kindFlag);

// ---- portable steps (tested natively) --------------------------------------------------------------
// Where the dialog starts: the preset file (FILEDLG_NAME_CHARS, may be empty) and the folder to
// start in (STREAM_PATH_CHARS, may be empty when the preset carries it).
void FileDialogStart(int kind, const char16_t* initialPath, const char16_t* defaultExtension,
                     char16_t* preset, char16_t* startFolder);
// What the chosen full path becomes: the messages of blanks, fixed and missing folders, the
// kind's new folder, the name and the exists flag. Always FILEDLG_CHOSEN.
int FileDialogAccept(const char16_t* chosen, int kind, uint32_t fixedFolderMessage, int* exists,
                     char16_t* fileName);

// ---- the platform's dialog -------------------------------------------------------------------------
struct FileDialogRun {
  uint32_t titleId, okTextId;
  uint16_t helpTopic;
  int save;
  int fixedFolder;  // the folder list is disabled
  FileDialogOptionsFn options;
  const char16_t* startFolder;       // may be empty
  const char16_t* defaultExtension;  // may be null
  uint32_t filterId;
  char16_t file[FILEDLG_NAME_CHARS];  // in: the preset; out: the chosen full path
};
// Shows the dialog (Win32: the common dialog; native: the test seam). 1 chosen, 0 cancelled or
// not shown.
int RunPlatformFileDialog(FileDialogRun* run);

// Native test seam: the "user" of the next dialogs; returns 1 and fills run->file to choose, 0 to
// cancel. Null: every dialog is cancelled.
typedef int (*FileDialogSeamUser)(FileDialogRun* run, void* context);
void FileDialogSeamSetUser(FileDialogSeamUser user, void* context);
int FileDialogSeamCount();  // dialogs shown since the user was set
