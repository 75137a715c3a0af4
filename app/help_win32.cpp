// The HTML Help library on Windows, reached through the platform layer's help wrapper, which
// binds HHCTRL.OCX at its first use.
#include "app/help_platform.h"
#include "app/frame_win32.h"
#include "core/platform_ui.h"

intptr_t HelpPlatformCall(WrapWindow owner, const char16_t* file, uint32_t command,
                          uintptr_t data) {
  return (intptr_t)WrapHtmlHelp(owner, file, command, data);
}

uint32_t HelpPlatformMenuOpen() { return GetMenuOpen(); }
