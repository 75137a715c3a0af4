// The network-file commands: open, import, save, save as with numbered backups, autosave, new
// network and the save question, the check before saving, the conversion of level changes of old
// files, and the network password command. Saving, autosave and the password live in files the
// viewer is built without.
#pragma once
#include <cstdint>

// ---- commands ---------------------------------------------------------------------------------------
// Opens a network file through the file dialog (a name presets it). Returns the load result, or
// -1 when nothing was loaded (dialog cancelled, file missing, save question cancelled).
int OpenNetworkCommand(const char16_t* name);
void ImportNetworkCommand();
int SaveNetworkAsCommand();     // 0 saved, 1 not saved
int SaveNetworkWithBackups();   // 0 saved, 1 not saved (also the menu's plain save)
int SaveNetworkWithMessages();  // 0 saved, 1 failed
// Called when the autosave countdown has run out: 0 saved, 1 nothing to do (also: the save would
// first have to ask the user something), 2 the save failed.
int AutosaveStep();
// The autosave flags; *interval gets the interval in seconds (0 = off).
uint32_t GetAutosaveOptions(int32_t* interval);
// 0, or 1 when the interval is neither 0 nor in 1..86399 (nothing changes); on success the
// countdown restarts from the new interval.
int SetAutosaveOptions(uint32_t bits, int32_t interval);
void NewNetwork();
int QuerySaveChanges();  // 1 the caller may go on, 0 cancelled
int CheckBeforeSave();   // 0 save, 1 do not save
// Number of reported problems, or -1 when a cell could not be written (no memory).
int CheckGridAfterLoad();
int ImportLegacyFileLists(const char16_t* name, int version);

// ---- the network password ---------------------------------------------------------------------------
void NetworkPasswordCommand();
int PromptNetworkPassword();  // 0 go on, 1 cancelled
// The stored field of a password (8..16 characters 0-9, A-Z): 17 narrow characters, none 0.
// 0, or 1 for a password of another form.
int DerivePasswordField(const char16_t* password, char* field);
// The password back from a stored field (17 + 1 units); 0, or 1 when the field is no such form.
int RecoverPassword(const char* field, char16_t* password);

// ---- backups ----------------------------------------------------------------------------------------
// Rotates the numbered backups of the network name (in the network folder) for backup count n
// and moves the network file to "<base>.000.nt2". Results: 0 done; 1 no backups (n is 0, or the
// name is too long, message 230 shown); 2 the network file could not be moved (nothing to put
// back). *deleteRefused gets 1 when the oldest backup could not be deleted (access denied).
int RotateBackups(const char16_t* name, int n, int* deleteRefused);
// "<base>.NNN.nt2" of a network name into out (260 units); 1 when it does not fit.
int BackupName(const char16_t* name, int number, char16_t* out);

// ---- services of other parts --------------------------------------------------------------------------
// What the commands need of parts that are built elsewhere or only on the platform; a null
// member is skipped.
struct FileCommandHooks {
  void (*suspendThreads)(int resume);  // the drawing and timer threads (Win32)
  void (*rebuildRecentMenus)();        // the recent-file items of every edit window (Win32)
  void (*updateDayPhase)(int force);   // the colours of the time of day
  int (*loadUserSymbolFiles)();        // the user symbol files of the network's list
  int (*importDrawingScript)(const char16_t* path);
  void (*updateAnimationsInView)(int mode, int window, int x, int y, int level);
  // The other end of a level change from the class-B cell (x, y) along direction, and the length
  // of the ramp in cells: 0 found (the start's mark bit is dropped), 1 found, else none.
  int (*findClassBPartner)(int* x, int* y, int* length, uint32_t direction);
  int (*clearClipboard)();                           // 0, 1 when it cannot be opened
  int (*appendClipboardLine)(const char16_t* text);  // 0, 1 or 2
};
extern FileCommandHooks FileCommands;
