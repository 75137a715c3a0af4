// The native build has no windows on a screen: scrolling a window's area changes nothing.
#include "views/view_services.h"

void ScrollWindowArea(void* window, int x1, int y1, int x2, int y2, int dx, int dy) {}
