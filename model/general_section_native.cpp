// Native build: edit windows have no scroll bars, so there is nothing to move.
#include "model/general_section.h"

void SetEditScrollToCursor(int) {}
