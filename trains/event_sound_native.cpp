// The native build has no main window: the event sound is not requested.
#include "trains/event_display.h"

void PostEventSound(int n) {}
