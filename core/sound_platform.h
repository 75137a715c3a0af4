// Playback side of the sound module, one implementation per build: the Win32 build opens and plays
// the wave file through MCI with the main window notified at the end; the native build checks the
// file and records the calls for the tests.
#pragma once
#include <cstdint>
#include "core/platform.h"

// Opens the wave file under the alias: 0 and the device id, or the error.
uint32_t SoundPlatformOpen(const char16_t* path, const char16_t* alias, uint32_t* device);
// Starts playing with the end notified to window: 0 or the error.
uint32_t SoundPlatformPlay(uint32_t device, WrapWindow window);
uint32_t SoundPlatformClose(uint32_t device);

// Native build only: the calls made so far.
struct SoundNativeCall {
  char16_t path[300];
  char16_t alias[16];
  uint32_t device;
  int played, closed;
};
int SoundNativeCallCount();
const SoundNativeCall* SoundNativeLastCall();
void SoundNativeReset();
void SoundNativeFailPlay(int fail);  // 1: playing fails (the device is then closed)
