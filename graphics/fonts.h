// The program's eight fonts: the map-label font (five sizes, one per zoom step) and display fonts
// 1 to 7 (status and clock panes, dialogs, lists, train labels ...). Each keeps its settings and
// its platform font handle(s); re-creating a font deletes its old handle(s) first.
#pragma once
#include <cstdint>

constexpr int FONT_FACE_CHARS = 32;  // face name with its terminator
constexpr int FONT_ZOOM_SIZES = 5;   // zoom steps 1, 2, 4, 6, 8

struct FontSetting {
  char16_t face[FONT_FACE_CHARS];
  int32_t height;  // logical units; negative: character height
  int32_t width;
  int32_t weight;
  uint32_t charSet;
  uint32_t pitchAndFamily;
  uint32_t italic;
};

// The create operation of a font: with useGiven set the given settings are stored (the face cut to
// 31 characters), else the defaults; then the font's handles are re-created.
typedef void FontCreateOp(int useGiven, int32_t height, int32_t width, int32_t weight,
                          uint32_t charSet, uint32_t pitchAndFamily, uint32_t italic,
                          const char16_t* face);
// The query operation of a font (face holds FONT_FACE_CHARS units); any out pointer may be null.
typedef void FontInfoOp(int32_t* height, int32_t* width, int32_t* weight, uint32_t* charSet,
                        uint32_t* pitchAndFamily, uint32_t* italic, char16_t* face);

// The map-label font, then display fonts 1 to 7.
FontCreateOp CreateZoomFonts, CreateDisplayFont1, CreateDisplayFont2, CreateDisplayFont3,
    CreateDisplayFont4, CreateDisplayFont5, CreateDisplayFont6, CreateDisplayFont7;
FontInfoOp GetZoomFontInfo, GetDisplayFontInfo1, GetDisplayFontInfo2, GetDisplayFontInfo3,
    GetDisplayFontInfo4, GetDisplayFontInfo5, GetDisplayFontInfo6, GetDisplayFontInfo7;

// Handles (platform font handles; null when not created or when creating failed).
void* GetZoomFont(int zoomStep);  // steps 1, 2, 4, 6, 8; null for any other
void* GetDisplayFont1();
void* GetDisplayFont2();
void* GetDisplayFont3();
void* GetDisplayFont4();
void* GetDisplayFont5();
void* GetDisplayFont6();
void* GetDisplayFont7();
void* GetDisplayFont(int n);  // display font n (1..7), else null

// The stored default face names are kept in plain form: one character per stored byte up to the
// stored terminator (target holds FONT_FACE_CHARS units; longer names are cut).
void ExpandStoredFaceName(char16_t* target, const char* stored);

// Start-up: every font with its defaults (after the main window exists). 0.
int CreateAllFonts();
// Deletes the handle of display font n (1..7). The symbol graphics' unloader deletes display fonts
// 1 and 2 (DeleteGlyphFonts); the shut-down deletes the others (ExitFonts).
void DeleteDisplayFont(int n);
void DeleteGlyphFonts();
void ExitFonts();  // the map-label sizes and display fonts 3 to 7
