// Writing the password field's slices between the sections of the network file (the viewer is
// built without it).
#ifndef QUIL_VIEWER
#include "model/password.h"
#include "core/stream.h"

int WritePasswordSlice(int first, int last) {
  if (!IsNetworkProtected()) return 0;
  const char* field = GetPasswordField();
  int length = 0;
  while (length < PASSWORD_FIELD_BYTES && field[length]) length++;
  for (int i = first; i <= last; i++) {
    int r = StreamWriteByte(i < length ? (uint8_t)field[i] : 0);
    if (r) return r;
  }
  return 0;
}
#endif
