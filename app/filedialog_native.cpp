// Native build: the file dialog is answered by a test "user" (no windows exist natively).
#include "app/filedialog.h"

static FileDialogSeamUser SeamUser = nullptr;
static void* SeamContext = nullptr;
static int SeamCount = 0;

void FileDialogSeamSetUser(FileDialogSeamUser user, void* context) {
  SeamUser = user;
  SeamContext = context;
  SeamCount = 0;
}

int FileDialogSeamCount() { return SeamCount; }

int RunPlatformFileDialog(FileDialogRun* run) {
  SeamCount++;
  return SeamUser ? SeamUser(run, SeamContext) : 0;
}
