// Neutral defaults of the element-store services until the stores are built: the stores are
// empty.
#include "elements/element_services.h"

int GetInfoBounds(int* minX, int* minY, int* minLevel, int* maxLevel, int* maxY, int* maxX) { return 1; }
int GetLogPointsBox(int* minX, int* minY, int* minLevel, int* maxX, int* maxY, int* maxLevel) { return 1; }
