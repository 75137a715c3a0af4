// The network file's graphics section "ZG": the vehicle-graphic sets the network uses and the
// settings of its background picture.
#pragma once
#include <cstdint>

constexpr int BACKGROUND_NAME_UNITS = 260;
constexpr uint32_t GRAPHICS_MAX_SETS = 65536;  // more listed sets is a format error

// Background picture settings, kept as read until the background picture is shown.
struct BackgroundSettings {
  int32_t present;
  uint32_t reserved;  // the field after the flag, read and written back unchanged
  int32_t x, y, width, height;
  char16_t name[BACKGROUND_NAME_UNITS];
};
extern BackgroundSettings Background;

// Set ids listed by the last section read, until the vehicle-graphic library takes them
// (LoadListedVehicleGraphics, a step after loading).
extern uint32_t* PendingSetIds;
extern uint32_t PendingSetCount;

// The network's graphic data: the background file name, the pending vehicle-graphic sets.
void FreeGraphicData();
int ReadGraphicsSection(int version);  // 0, 3 format, 4 out of memory, or a stream error
int WriteGraphicsSection();            // 0 or the first stream error
// Loads the pending sets (files from version 14369) and frees the list: 0; 3 out of memory;
// else 1 when a program set failed, 2 when a user set failed.
int LoadListedVehicleGraphics(int version);

// Puts the section's reader, writer and clear function into the network file's tables.
void RegisterGraphicsSection();
