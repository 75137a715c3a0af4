// The network file (extension nt3): header, version check, pair-run compressed sections in a
// fixed order, error codes with section offsets, the clear order before loading and the trailer.
#pragma once
#include <cstdint>

constexpr int NET_VERSION_CURRENT = 14400;     // 0x3840, the version every writer writes
constexpr int NET_VERSION_OLDEST = 13312;      // 0x3400
constexpr int NET_VERSION_COMPRESSED = 13568;  // 0x3500: from here the sections are compressed
constexpr int NET_VERSION_U32_TAGS = 14389;    // four-letter u32 tags from here, u16 tags before
constexpr uint8_t NET_MAGIC[4] = {0x4A, 0xC2, 0x4E, 0xD4};

// Section tags: the four bytes spell the tag when the u32 is stored little-endian.
constexpr uint32_t NetTag4(char a, char b, char c, char d) {
  return (uint32_t)(uint8_t)a | (uint32_t)(uint8_t)b << 8 | (uint32_t)(uint8_t)c << 16 |
         (uint32_t)(uint8_t)d << 24;
}
constexpr uint16_t NetTag2(char a, char b) { return (uint16_t)((uint8_t)a | (uint8_t)b << 8); }

// ---- results of LoadNetworkFile ---------------------------------------------------------------
constexpr int NETLOAD_OK = 0;
constexpr int NETLOAD_CANNOT_OPEN = 1;  // also: no 0x1A in the file
constexpr int NETLOAD_HEADER_READ = 2;
constexpr int NETLOAD_BAD_MAGIC = 3;
constexpr int NETLOAD_TOO_OLD = 4;   // version below 13312
constexpr int NETLOAD_TOO_NEW = 5;   // version above 14400
constexpr int NETLOAD_WARNINGS = 6;  // loaded; a vehicle-graphic set or train not restored
constexpr int NETLOAD_TRAILER_READ = 11;
constexpr int NETLOAD_CLOSE = 12;
constexpr int NETLOAD_GRAPHICS = 13;
constexpr int NETLOAD_GRID_CHECK = 14;
constexpr int NETLOAD_TRAIN_CONVERT = 15;
constexpr int NETLOAD_FILE_LISTS = 16;
constexpr int NETLOAD_HST_CONVERT = 17;
constexpr int NETLOAD_LFST_SIGNAL_FIX = 18;
// Section errors: (offset + r) mod 256, r = 1 the file ends early, 2 read error, 3 format error,
// 4 out of memory. Offsets:
constexpr int NETOFS_GENERAL = 20, NETOFS_GRID = 30, NETOFS_TRAINS = 40, NETOFS_SWITCHES = 50,
              NETOFS_DEPOTS = 60, NETOFS_TP = 70, NETOFS_SIGNALS = 80, NETOFS_TEXTS = 90,
              NETOFS_HST = 100, NETOFS_LFST = 110, NETOFS_LINES = 120, NETOFS_GRAPHICS = 130,
              NETOFS_MARKER = 140, NETOFS_LOGP = 150, NETOFS_INFO = 160, NETOFS_PRELL = 170,
              NETOFS_PASSWORD = 180, NETOFS_DWX = 190, NETOFS_RP = 200;

// Section reader results (every section reader returns one of these or a stream error 1/2).
constexpr int NETSEC_OK = 0;
constexpr int NETSEC_FORMAT = 3;
constexpr int NETSEC_MEMORY = 4;

// ---- results of WriteNetworkFile --------------------------------------------------------------
// 0 written; 3 the file cannot be created; 1 write error, 2 fewer bytes written (first failed
// write); 4 or 5 the stream's close error + 3; 6 no file was open at close; 7 the finished
// temporary file could not replace the old network file (the old file is untouched).
constexpr int NETSAVE_OK = 0;
constexpr int NETSAVE_CANNOT_CREATE = 3;
constexpr int NETSAVE_REPLACE_FAILED = 7;

// ---- interfaces -------------------------------------------------------------------------------
// Loads name (relative to the network folder, file kind 2). Result codes above.
int LoadNetworkFile(const char16_t* name);
// Writes the current network under the current network name in the network folder. The bytes go
// to a temporary file in the same folder first; the old file is replaced only after the whole
// file was written and closed.
int WriteNetworkFile();
// Version of the last loaded file (0 for a new network); SetLoadedVersion for the save commands.
int GetLoadedVersion();
void SetLoadedVersion(int version);

// Set when a load failed after the document was cleared (codes 11 and up): cell redraws of the
// animation step and the trains are skipped and the edit windows are not painted until a new
// network clears it.
extern int NetworkInvalid;

// Current network name (relative to the network folder, at most 259 characters).
const char16_t* GetNetworkName();
void SetNetworkName(const char16_t* name);

// Repairs of a load: cells of the file whose code may never stand in the grid (left out) and
// values that cannot be used (replaced by their default), counted with the first place where one
// was found; shown to the user after the load. Cells that the loader's own conversions move
// elsewhere (text-label cells of old files, train cells) are no repairs.
void ClearLoadRepairs();
// x, y, level of the cell; x -1 for a value that has no place in the grid.
void NoteLoadRepair(int x, int y, int level);
// The count; the first place through the pointers (x -1 when none of the repairs had one).
int GetLoadRepairs(int* x, int* y, int* level);

// The "MA" marker section: u16 0x414D, u16 0.
int WriteNetMarker();
int ReadNetMarker(int version);  // 0, 3 or the stream error

// The free second header line written by WriteNetworkFile (narrow, no 0x1A).
extern const char NET_HEADER_SECOND_LINE[];

// Tag helpers of the section readers: read the section tag, u32 from 14389, u16 before.
// 0 when it matches, 3 when it does not, else the stream error.
int ReadSectionTag(int version, uint32_t tag4, uint16_t tag2);
// A count that is u32 from `u32From` on and u16 before.
int ReadVersionedCount(int version, int u32From, uint32_t* count);
