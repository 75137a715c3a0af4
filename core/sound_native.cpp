// Native build: the sounds are not played; opening checks the file as the platform would (275, file
// not found), and every call is recorded for the tests.
#include "core/misc.h"
#include "core/platform.h"
#include "core/sound_platform.h"

static SoundNativeCall Calls[1];
static int CallCount = 0;
static int FailPlay = 0;
static uint32_t NextDevice = 1;

uint32_t SoundPlatformOpen(const char16_t* path, const char16_t* alias, uint32_t* device) {
  *device = 0;
  if (WrapAccess(path, WRAP_ACCESS_READ) != 0) return 275;  // MCIERR_FILE_NOT_FOUND
  SoundNativeCall& c = Calls[0];
  c = SoundNativeCall{};
  CopyStringLimited(c.path, path, 300);
  CopyStringLimited(c.alias, alias, 16);
  c.device = *device = NextDevice++;
  CallCount++;
  return 0;
}

uint32_t SoundPlatformPlay(uint32_t device, WrapWindow window) {
  if (FailPlay) return 263;  // MCIERR_INVALID_DEVICE_NAME
  if (CallCount && Calls[0].device == device) Calls[0].played = 1;
  return 0;
}

uint32_t SoundPlatformClose(uint32_t device) {
  if (CallCount && Calls[0].device == device) Calls[0].closed = 1;
  return 0;
}

int SoundNativeCallCount() { return CallCount; }
const SoundNativeCall* SoundNativeLastCall() { return CallCount ? &Calls[0] : nullptr; }
void SoundNativeReset() {
  CallCount = 0;
  FailPlay = 0;
}
void SoundNativeFailPlay(int fail) { FailPlay = fail; }
