// The network password's flag, stored field and entered copy, and the reading of the field's
// slices between the sections of the network file.
#include "model/password.h"
#include "core/stream.h"

static int Protected = 0;
static char Field[PASSWORD_FIELD_BYTES + 1];
static char Entered[PASSWORD_FIELD_BYTES + 1];

int IsNetworkProtected() { return Protected; }
void SetNetworkProtected(int on) { Protected = on ? 1 : 0; }
const char* GetPasswordField() { return Field; }

void SetPasswordField(const char* field) {
  int i = 0;
  if (field)
    for (; i < PASSWORD_FIELD_BYTES && field[i]; i++) Field[i] = field[i];
  for (; i <= PASSWORD_FIELD_BYTES; i++) Field[i] = 0;
}

void ClearEnteredPassword() {
  for (int i = 0; i <= PASSWORD_FIELD_BYTES; i++) Entered[i] = 0;
}

const char* GetEnteredPassword() { return Entered; }

void SetEnteredPassword(const char* field) {
  int i = 0;
  if (field)
    for (; i < PASSWORD_FIELD_BYTES && field[i]; i++) Entered[i] = field[i];
  for (; i <= PASSWORD_FIELD_BYTES; i++) Entered[i] = 0;
}

void ResetPasswordState(int alsoField) {
  Protected = 0;
  ClearEnteredPassword();
  if (alsoField) SetPasswordField(nullptr);
}

int ReadPasswordSlice(int first, int last) {
  if (!Protected) return 0;
  for (int i = first; i <= last; i++) {
    uint8_t b;
    int r = StreamReadByte(&b);
    if (r) return r;
    if (i < PASSWORD_FIELD_BYTES) Field[i] = (char)b;
  }
  return 0;
}
