// Settings of saving that the option file keeps: the number of numbered backups and the autosave
// flags, and the lowering of the autosave countdown (once a second by the timer thread, or once a
// simulated second by the clock, as flag 2 says).
#pragma once
#include <cstdint>

constexpr int BACKUP_COUNT_DEFAULT = 10;
constexpr int BACKUP_COUNT_MAX = 1000;
int GetBackupCount();
int SetBackupCount(int n);  // 0..1000 -> 0; else 1 and nothing changes

// Autosave flags (3 at start): flag 1 saves only a modified network; flag 2 counts simulated
// seconds instead of real ones.
constexpr uint32_t AUTOSAVE_ONLY_MODIFIED = 1;
constexpr uint32_t AUTOSAVE_SIMULATED_TIME = 2;
constexpr uint32_t AUTOSAVE_BITS_DEFAULT = 3;
extern uint32_t AutosaveBits;

// One second has passed: real time (simulated 0, the one-second timer thread) or simulated time
// (simulated 1, the simulation clock). The countdown is lowered when autosave is on and the
// second is of the kind flag 2 asks for. The viewer has no countdown: nothing happens there.
void LowerAutosaveCountdown(int simulated);
