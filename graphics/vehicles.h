// Vehicle graphics: the codes that name graphics and sets, the packed-pixel coding, the
// vehicle-graphic files ("quil.fzg" and user .nfz files, current and older records), the
// vehicle-graphic library (the loaded sets with their look-up cache, queries and load reports)
// and the numbered vehicle-graphic files (.uzz) of older user files.
#pragma once
#include <cstdint>

// ---- codes --------------------------------------------------------------------------------------
// Vehicle graphic code (u32): bits 0-3 the slot in its set, bits 4-30 the set number, bit 31 a
// set of a user vehicle-graphic file. Set id = code with bits 0-3 cleared.
constexpr uint32_t VG_USER = 0x80000000u;
constexpr uint32_t VG_GROUP = 0x40000000u;  // a vehicle group without a graphic of its own
inline uint32_t VehicleSetId(uint32_t code) { return code & ~15u; }
constexpr int VG_USER_FILES = 100;
constexpr int VG_SETS_PER_FILE = 10;
constexpr int VG_MAX_GRAPHICS = 16;
constexpr int VG_NAME_UNITS = 33;  // names of sets: 32 units and the terminator

// The nine default sets of "quil.fzg", in the order start-up loads them.
extern const uint32_t kDefaultVehicleSets[9];

// ---- attribute flags of a graphic ----------------------------------------------------------------
// Stored flags (from the file's attribute word) and what the program makes of them:
constexpr uint16_t VG_SYMMETRIC = 1;     // looks the same both ways (file bit 6)
constexpr uint16_t VG_FRONT_CLOSED = 8;  // no coupling at its front end (file bit 0)
constexpr uint16_t VG_LEADS = 16;        // may lead a train (file bit 15)
constexpr uint16_t VG_REAR_CLOSED = 32;  // no coupling at its rear end (file bit 7)
constexpr uint16_t VG_ENDS34 = 64;       // the block holds two further end views E3, E4 (bit 8)
constexpr uint16_t VG_FROM_FZ2 = 0x100;  // zoom-2 data from the combined zoom-2 file
constexpr uint32_t VG_FILE_PACKED = 1u << 9;  // file attribute bit: pixels packed

// ---- packed pixels ----------------------------------------------------------------------------------
// A run word has the top byte 0xC0: (w & 0xFF) + 2 equal pixels, transparent (0x80000001, no
// value word) when bit 16 is set, else the value follows.
constexpr uint32_t PACKED_FLUSH = 0xC0000000u;
constexpr uint32_t PIXEL_CLEAR = 0x80000001u;  // transparent
// Reads the next pixel word from the open stream; null resets the decoder. 0 or a stream error.
int ReadPackedPixel(uint32_t* out);
// Writes one pixel word (PACKED_FLUSH writes the open group). 0 or a stream error.
int WritePackedPixel(uint32_t pixel);
void ResetPackedPixelWriter();  // forgets an open group (a new file begins)

// ---- graphics and sets ---------------------------------------------------------------------------
struct VehicleGraphicEntry {
  int16_t length;            // L, 8..256 pixels at zoom 1 (32 = one cell)
  int16_t e1, e2, e3;        // heights of S1/S2, width of T/E, height of E
  int16_t z2e1, z2e2, z2e3;  // zoom-2 sizes (0: no zoom-2 data)
  uint8_t slot;
  uint16_t flags;
  int16_t spanStart[3];    // -1 none
  uint8_t spanKind[3];     // 255 none
  uint16_t spanLength[3];  // 65535 none
  uint32_t textIds[5];     // program sets: language texts (0 none)
  uint32_t* pixels;        // zoom-1 block: S1, S2, T1, E1, T2, E2 (E3, E4) row by row
  uint32_t* zoom2;         // zoom-2 block (null: none)
  uint32_t* zoom2Areas[8];
  char16_t* zoom2Name;
};
struct VehicleGraphicSet {
  uint32_t id;
  VehicleGraphicSet* next;
  uint32_t category;
  char16_t* texts;  // user sets: the name, then five texts per graphic (null for program sets)
  uint32_t nameId;  // program sets: language text of the name
  uint8_t count;
  VehicleGraphicEntry entries[VG_MAX_GRAPHICS];
};

// Areas of a zoom-1 block: 0 S1, 1 S2, 2 T1, 3 E1, 4 T2, 5 E2, 6 E3, 7 E4. The area's pixels
// (rows from the top) with its width and height; null for an area the graphic has not.
const uint32_t* VehicleArea(const VehicleGraphicEntry* e, int area, int* width, int* height);
uint32_t VehicleBlockWords(int length, int e1, int e2, int e3, int ends34);

// ---- files ------------------------------------------------------------------------------------------
// Reads the set of the code from its file and inserts it into the library: 0; 1-3 open errors;
// 2 read or format error; 3 short composition table; 4 index read error; 5 not in the file;
// 6 bad magic, version or older-format limits; 7 code 0 or with a slot; 11 already loaded;
// 14 out of memory; 20-35, 40 limits of the current record.
int ReadVehicleGraphicSet(uint32_t code, int atHead);
// Browsing: the first set at or after *code in "quil.fzg" (userFile 0) or user file 1..100 whose
// category has a bit of the mask (numbered files: every record). 0 found (*code, name, *next
// set); 1 no file name; 2 not a current vehicle-graphic file; 4 no further set; 5 empty name;
// or an open error.
int FindVehicleGraphicSetInFile(uint32_t* code, char16_t* name, uint32_t categoryMask,
                                uint32_t* next, int userFile);
// The new code of an old vehicle code, or 2..7.
uint32_t ConvertOldVehicleCode(uint32_t oldCode);

// The user vehicle-graphic file names (entry n = 1..100): 0, or 1 when n is out of range. Filled
// from the network's list through a hook (tests and the file-list dialogs set entries).
int GetVehicleGraphicFileName(int n, char16_t* out);  // out: 260 units
typedef int (*VehicleFileNameFn)(int n, char16_t* out);
extern VehicleFileNameFn VehicleFileNameSource;

// ---- the library -----------------------------------------------------------------------------------
VehicleGraphicSet* FindVehicleGraphicSet(uint32_t setId);
void ResetVehicleGraphicSetCache();
void SetVehicleGraphicLibrary(VehicleGraphicSet* head);
VehicleGraphicSet* GetVehicleGraphicLibrary();
int HasVehicleGraphicSet(uint32_t setId);
uint32_t GetFirstVehicleGraphicSetId();
uint32_t GetVehicleGraphicKey(uint32_t setId, int n);
const VehicleGraphicEntry* FindVehicleGraphic(uint32_t code);
uint32_t GetVehicleGraphicWidth(uint32_t code);
uint32_t GetVehicleGraphicAttributes(uint32_t code);
// The 16-bit parameter of a graphic: 0x1 symmetric, 0x2 / 0x4 no coupling at the front / rear
// end (with the coupling bits 0x8 / 0x20), 0x10 may lead; 65535 when not found.
uint32_t GetVehicleGraphicParam(uint32_t code);
int DescribeVehicleGraphic(uint32_t setId, int* count, uint32_t* nextSetId, char16_t* name);
int DescribeVehicleGraphicEntry(uint32_t code, const char16_t* texts[5]);
int CountVehicleGraphics(int* sets, int* setsInUse, int* graphicsInUse);
int CountVehicleGraphicUse(uint32_t setId, int countAll);
int LoadVehicleGraphicSet(uint32_t code, int atHead);  // 0, 1 program set, 2 user set, 4 memory
int FreeVehicleGraphicSet(uint32_t setId);             // 0, or 1 when not loaded
void InsertVehicleGraphicSet(VehicleGraphicSet* set, int atHead);
void FreeVehicleGraphicLibrary();  // frees every set (the library part of FreeGraphicData)
void FreeVehicleGraphicSetMemory(VehicleGraphicSet* set);  // a set that is in no list
int IsTrainOnCell(int x, int y, int level, uint16_t code);
// Load reports: on at start; the answer "do not report again" turns them off for the run.
void ResetVehicleLoadReports();
int AreVehicleLoadReportsOn();

// ---- numbered vehicle-graphic files -----------------------------------------------------------------
int OpenNumberedVehicleGraphicFile(int fileNumber, int markFaulty);
int GetNumberedVehicleGraphicName(char16_t* name, uint32_t number);
// Texts (5 n + 1, the block allocated with GraphicsAlloc) and attribute values (attributes holds
// 16) of one older set, with its number of graphics n: 0; 1 read error; 2 not in the index;
// 3 faulty record; 4 not a user code or no such numbered file number; 5 cannot open.
int ReadNumberedVehicleGraphicTexts(uint32_t code, uint16_t* attributes, char16_t** texts,
                                    int* count = nullptr);
// Only the first failure of a run is reported; 0 lets the next failure be reported again.
void SetNumberedFileReported(int reported);
void TabAlignName(char* name);
void TabAlignNameWide(char16_t* name);
