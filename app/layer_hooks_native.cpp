// Native parts of the lower layers' hooks: no main window and no scroll bars exist here.
#include "app/layer_hooks.h"

void* LayerMainWindow() { return nullptr; }
void LayerScrollBarsToCursor(int) {}
