// Native build only: faults armed in the native file layer, so that tests can walk the failure
// paths of the code above it (a save whose file cannot be created, a disk that fills up, a
// replace that is refused). Each armed fault fires once, on the n-th call of its kind counted
// from arming, and fails that call as the platform's call fails (-1, or null for WrapFopen; a
// short write writes fewer bytes than asked). The Win32 build has no such hook.
#pragma once

enum FileFaultKind {
  FILE_FAULT_OPEN,         // WrapOpen, WrapCreat, WrapFopen (any mode)
  FILE_FAULT_WRITE,        // WrapWrite fails with -1
  FILE_FAULT_SHORT_WRITE,  // WrapWrite writes half of the bytes (at least one fewer)
  FILE_FAULT_CLOSE,        // WrapClose closes the file but reports -1
  FILE_FAULT_RENAME,       // WrapRename
  FILE_FAULT_REPLACE,      // WrapReplaceFile
  FILE_FAULT_REMOVE,       // WrapRemove
  FILE_FAULT_KINDS
};

// Arms the fault of that kind on the n-th call from now (1 = the next call); 0 disarms it.
void SetFileFault(FileFaultKind kind, int nth);
// Disarms every fault.
void ClearFileFaults();
// The number of calls of that kind since the last SetFileFault/ClearFileFaults for it.
int FileFaultCalls(FileFaultKind kind);
