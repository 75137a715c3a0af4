// The calls to the progress boxes through the hooks that start-up sets.
#include "core/infobox_hooks.h"

InfoBoxHooks InfoBoxCalls = {};

int ProgressBoxOpen(const char16_t* boxText, const char16_t* caption, int progressWidth,
                    int cancellable) {
  return InfoBoxCalls.open ? InfoBoxCalls.open(boxText, caption, progressWidth, cancellable) : -1;
}

int ProgressBoxText(const char16_t* progressText) {
  return InfoBoxCalls.setText ? InfoBoxCalls.setText(progressText) : -1;
}

int ProgressBoxClose() { return InfoBoxCalls.close ? InfoBoxCalls.close() : -1; }

int ProgressBoxLevel() { return InfoBoxCalls.level ? InfoBoxCalls.level() : -1; }
