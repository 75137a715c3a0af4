// The progress boxes of long operations (loading, saving, exports): the layers below the info
// boxes open, update and close them through InfoBoxCalls, which start-up fills. While a member
// is unset no box is shown: opening answers -1 (no box), the rest do nothing.
#pragma once
#include <cstdint>

// Box texts are kept in slots of 100 UTF-16 characters (99 plus the terminator).
constexpr int kInfoBoxTextSlot = 100;

struct InfoBoxHooks {
  // As OpenInfoBox: the new level 0..2, or negative when no box was opened.
  int (*open)(const char16_t* boxText, const char16_t* caption, int progressWidth, int cancellable);
  int (*setText)(const char16_t* progressText);  // 0, -1 no box open
  int (*close)();                                // closes the topmost box; 0, -1 none open
  int (*level)();                                // -1 none open, else 0..2
};
extern InfoBoxHooks InfoBoxCalls;

int ProgressBoxOpen(const char16_t* boxText, const char16_t* caption, int progressWidth,
                    int cancellable);
int ProgressBoxText(const char16_t* progressText);
int ProgressBoxClose();
int ProgressBoxLevel();
