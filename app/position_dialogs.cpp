// Neutral stand-ins of the position editors until the info-text and log-point dialogs are built:
// nothing is shown and nothing changes.
#include "app/position_dialogs.h"

void EditPositionInfo(int x, int y, int level, int noFocus) {}
void EditElementSettings(int x, int y, int level) {}
