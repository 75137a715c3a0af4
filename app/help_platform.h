// Help viewer side of the help module, one implementation per build: the Win32 build binds the
// HTML Help library at its first use; the native build records the calls for the tests.
#pragma once
#include <cstdint>
#include "core/platform.h"

constexpr uint32_t HH_CMD_DISPLAY_TOPIC = 0x0000;
constexpr uint32_t HH_CMD_DISPLAY_INDEX = 0x0002;
constexpr uint32_t HH_CMD_CLOSE_ALL = 0x0012;
constexpr uint32_t HH_CMD_INITIALIZE = 0x001C;
constexpr uint32_t HH_CMD_PRETRANSLATE = 0x00FD;
constexpr uint32_t HH_CMD_UNINITIALIZE = 0x001D;

intptr_t HelpPlatformCall(WrapWindow owner, const char16_t* file, uint32_t command, uintptr_t data);
// The help id of the open menu popup (0 = none): the menus' value in the Win32 build,
// HelpMenuOpenId in the native build.
uint32_t HelpPlatformMenuOpen();

// Native build: the calls made so far.
struct HelpNativeCall {
  WrapWindow owner;
  char16_t file[300];
  uint32_t command;
  char16_t topic[32];
};
int HelpNativeCallCount();
const HelpNativeCall* HelpNativeLastCall();
void HelpNativeReset();
