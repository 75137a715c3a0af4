// Title pictures from "quil.tbd": one picture is held at a time.
#pragma once
#include <cstdint>

constexpr uint32_t TITLE_LAST = 0xFFFFFFFE;         // the last picture
constexpr uint32_t TITLE_BEFORE_LAST = 0xFFFFFFFD;  // the one before it
constexpr uint32_t TITLE_RANDOM = 0xFFFFFFFF;       // a random one of the others

// The held picture: width x height pixels 0x00RRGGBB, rows from the top (null when none).
struct TitlePicture {
  int width, height;
  uint32_t* pixels;
};
extern TitlePicture HeldTitle;

// The picture index a choice selects among count pictures (always 0..count-1).
uint32_t ChooseTitlePicture(uint32_t choice, uint32_t count);
// Loads the chosen picture: its index, or -2 (file or format error), -5 (no bitmap), -4.
int LoadTitleBitmap(uint32_t choice);
// Draws the held picture centred in the area: 0, -1 no context, -2 no picture (build-specific).
int DrawTitleBitmap(void* dc, int left, int top, int areaHeight, int areaWidth);
int FreeTitleBitmap();  // 0, or -1 when none is held
