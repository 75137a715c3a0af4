// Platform side of the fonts, one implementation per build: the Win32 build creates GDI fonts;
// the native build hands out handles of its own and counts the live ones for the tests.
#pragma once
#include <cstdint>

struct FontSetting;
// A font of the setting with height and width times scale; null on failure.
void* FontPlatformCreate(const FontSetting* setting, int scale);
void FontPlatformDelete(void* handle);
// The height of a font of this many points on the screen (negative: character height), from the
// main window's vertical resolution.
int32_t FontPlatformPointHeight(int points);

// Native build only: the handles created and not yet deleted, and the setting a handle was made
// with (height and width already scaled).
int FontNativeLiveCount();
const FontSetting* FontNativeSetting(const void* handle);
