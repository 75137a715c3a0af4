// Win32 build: the sounds through MCI (wave audio by type id, the file as element, an alias), the
// end notified to the main window, which closes the device.
#include <windows.h>
#include <mmsystem.h>
#include "core/platform_ui.h"
#include "core/sound_platform.h"

uint32_t SoundPlatformOpen(const char16_t* path, const char16_t* alias, uint32_t* device) {
  MCI_OPEN_PARMSW open = {};
  open.lpstrDeviceType = (LPCWSTR)(uintptr_t)MCI_DEVTYPE_WAVEFORM_AUDIO;
  open.lpstrElementName = (LPCWSTR)path;
  open.lpstrAlias = (LPCWSTR)alias;
  uint32_t r = WrapMciSendCommand(
      0, MCI_OPEN, MCI_OPEN_TYPE | MCI_OPEN_TYPE_ID | MCI_OPEN_ELEMENT | MCI_OPEN_ALIAS, &open);
  *device = r ? 0 : open.wDeviceID;
  return r;
}

uint32_t SoundPlatformPlay(uint32_t device, WrapWindow window) {
  MCI_PLAY_PARMS play = {};
  play.dwCallback = (DWORD_PTR)window;
  return WrapMciSendCommand(device, MCI_PLAY, MCI_NOTIFY, &play);
}

uint32_t SoundPlatformClose(uint32_t device) {
  return WrapMciSendCommand(device, MCI_CLOSE, 0, nullptr);
}
