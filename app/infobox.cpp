// Info-box stack: up to three boxes, their texts and geometry; the windows themselves come from
// the build's platform part (infobox_win32.cpp or infobox_native.cpp).
#include "app/infobox.h"
#include "app/infobox_platform.h"
#include "core/langtext.h"
#include "core/misc.h"

static InfoBoxSlot Slots[kInfoBoxMaxLevels];
static int Level = -1;

static void CopyCut(char16_t* dst, const char16_t* src) {
  int n = 0;
  if (src)
    for (; src[n] && n < kInfoBoxTextSlot - 1; n++) dst[n] = src[n];
  dst[n] = 0;
}

int InfoBoxWidth(int textLength, int progressWidth, int cancellable, int abortTextWidth,
                 int screenWidth) {
  int width = (textLength + progressWidth + 11) * 8;
  if (cancellable && width < abortTextWidth + 64) width = abortTextWidth + 64;
  if (width > screenWidth - 48) width = screenWidth - 48;
  return width;
}

void InfoBoxPosition(int ownerLeft, int ownerTop, int ownerRight, int ownerBottom, int boxWidth,
                     int* x, int* y) {
  int px = ownerLeft + ((ownerRight - ownerLeft) - boxWidth) / 2;
  if (px < 1) px = 0;
  *x = px;
  *y = ownerTop + ((ownerBottom - ownerTop) - kInfoBoxHeight) / 2;
}

int InfoBoxProgressX(int textLength) { return 8 * textLength + 48; }

int InfoBoxTextY(int cancellable) { return cancellable ? 16 : 24; }

int GetInfoBoxLevel() { return Level; }

const InfoBoxSlot* GetInfoBoxSlot(int level) {
  if (level < 0 || level >= kInfoBoxMaxLevels) return nullptr;
  return &Slots[level];
}

int OpenInfoBox(const char16_t* boxText, const char16_t* caption, int progressWidth,
                int cancellable) {
  if (Level >= kInfoBoxMaxLevels - 1) return -1;
  if (progressWidth < 0) progressWidth = 0;
  if (progressWidth > 200) progressWidth = 200;
  Level++;
  InfoBoxSlot* s = &Slots[Level];
  CopyCut(s->text, boxText);
  s->progress[0] = 0;
  int len = StringLength(s->text);
  s->progressX = InfoBoxProgressX(len);
  s->progressWidth = progressWidth;
  s->cancellable = cancellable ? 1 : 0;
  int screenWidth = 0, l = 0, t = 0, r = 0, b = 0;
  InfoBoxPlatformGeometry(&screenWidth, &l, &t, &r, &b);
  int abortWidth = 8 * StringLength(GetLangText(LANG_ID(8060)));
  s->width = InfoBoxWidth(len, progressWidth, s->cancellable, abortWidth, screenWidth);
  InfoBoxPosition(l, t, r, b, s->width, &s->x, &s->y);
  s->window = InfoBoxPlatformCreate(s, caption);
  if (!s->window) {
    s->cancellable = 0;
    Level--;
    return -2;
  }
  return Level;
}

int SetInfoBoxText(const char16_t* progressText) {
  if (Level < 0) return -1;
  InfoBoxSlot* s = &Slots[Level];
  CopyCut(s->progress, progressText);
  InfoBoxPlatformDrawProgress(s);
  return 0;
}

int CloseInfoBox() {
  if (Level < 0) return -1;
  InfoBoxSlot* s = &Slots[Level];
  void* w = s->window;
  s->window = nullptr;
  s->cancellable = 0;
  s->text[0] = 0;
  s->progress[0] = 0;
  Level--;
  InfoBoxPlatformDestroy(w);
  if (Level >= 0) InfoBoxPlatformRepaint(&Slots[Level]);
  InfoBoxPlatformFocusOwner();
  return 0;
}

int IsInfoBoxAbortPressed() {
  if (Level < 0 || !Slots[Level].cancellable) return 0;
  return InfoBoxPlatformF12Down() ? 1 : 0;
}
