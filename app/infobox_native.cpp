// Info boxes in the native build: no windows; the stack logic runs unchanged and this part
// records what the window side was asked, for the tests.
#include "app/infobox_platform.h"

static InfoBoxNativeState State = {1024, 0, 0, 800, 600, 0, 0, 0, 0, 0};
static int WindowTokens[kInfoBoxMaxLevels + 1];

InfoBoxNativeState* GetInfoBoxNativeState() { return &State; }

void InfoBoxPlatformGeometry(int* screenWidth, int* ownerLeft, int* ownerTop, int* ownerRight,
                             int* ownerBottom) {
  *screenWidth = State.screenWidth;
  *ownerLeft = State.ownerLeft;
  *ownerTop = State.ownerTop;
  *ownerRight = State.ownerRight;
  *ownerBottom = State.ownerBottom;
}

void* InfoBoxPlatformCreate(InfoBoxSlot* slot, const char16_t* caption) {
  (void)caption;
  if (State.failNextCreate) {
    State.failNextCreate = 0;
    return nullptr;
  }
  int level = 0;
  while (level < kInfoBoxMaxLevels && GetInfoBoxSlot(level) != slot) level++;
  return &WindowTokens[level];
}

void InfoBoxPlatformDestroy(void* window) { (void)window; }
void InfoBoxPlatformRepaint(const InfoBoxSlot* slot) {
  (void)slot;
  State.repaints++;
}
void InfoBoxPlatformDrawProgress(const InfoBoxSlot* slot) {
  (void)slot;
  State.progressDraws++;
}
int InfoBoxPlatformF12Down() { return State.f12Down; }
void InfoBoxPlatformFocusOwner() { State.focusToOwner++; }
