// Help in the native build: no help viewer; the calls are recorded for the tests.
#include "app/help.h"
#include "app/help_platform.h"

static HelpNativeCall Last;
static int Calls = 0;

int HelpNativeCallCount() { return Calls; }
const HelpNativeCall* HelpNativeLastCall() { return Calls ? &Last : nullptr; }
void HelpNativeReset() { Calls = 0; }

intptr_t HelpPlatformCall(WrapWindow owner, const char16_t* file, uint32_t command,
                          uintptr_t data) {
  Calls++;
  Last = HelpNativeCall{};
  Last.owner = owner;
  Last.command = command;
  for (int i = 0; file && file[i] && i < 299; i++) Last.file[i] = file[i];
  const char16_t* topic = command == HH_CMD_DISPLAY_TOPIC ? (const char16_t*)data : nullptr;
  for (int i = 0; topic && topic[i] && i < 31; i++) Last.topic[i] = topic[i];
  return 1;
}

uint32_t HelpPlatformMenuOpen() { return HelpMenuOpenId; }
