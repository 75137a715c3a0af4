// The backup count, the autosave flags and the lowering of the autosave countdown.
#include "model/netfile_options.h"
#include "model/general_section.h"
#include <atomic>

static int BackupCount = BACKUP_COUNT_DEFAULT;
uint32_t AutosaveBits = AUTOSAVE_BITS_DEFAULT;

int GetBackupCount() { return BackupCount; }

int SetBackupCount(int n) {
  if (n < 0 || n > BACKUP_COUNT_MAX) return 1;
  BackupCount = n;
  return 0;
}

void LowerAutosaveCountdown(int simulated) {
#ifndef QUIL_VIEWER
  if (DocState.autosaveInterval == 0) return;
  int wantSimulated = (AutosaveBits & AUTOSAVE_SIMULATED_TIME) ? 1 : 0;
  if ((simulated ? 1 : 0) != wantSimulated) return;
  // The timer thread and the user-interface thread both change it: interlocked.
  std::atomic_ref<int32_t>(DocState.autosaveCountdown).fetch_sub(1, std::memory_order_relaxed);
#else
  (void)simulated;
#endif
}
