// Writing the "MA" marker section of the network file (the viewer is built without it).
#ifndef QUIL_VIEWER
#include "model/netfile.h"
#include "core/stream.h"

int WriteNetMarker() {
  int r = StreamWriteWord(0x414D);
  if (!r) r = StreamWriteWord(0);
  return r;
}
#endif
