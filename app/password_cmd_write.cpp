// The network password command and the prompt before a protected network is saved, and the
// stored form of a password (the viewer is built without them).
#ifndef QUIL_VIEWER
#include "app/dialog.h"
#include "app/netcmd.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox.h"
#include "model/grid.h"
#include "model/password.h"

constexpr int PASSWORD_MIN = 8, PASSWORD_MAX = 16;
constexpr int INPUT_CHARS = 33;  // the dialogs' field takes more than a password, to say so

static int CharValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'Z') return c - u'A' + 10;
  return -1;
}
static char16_t ValueChar(int v) { return (char16_t)(v < 10 ? u'0' + v : u'A' + v - 10); }

// The stored field: byte 0 tells the length ('a' + length - 8), bytes 1..16 each carry one
// character (positions past the length a filler) shifted by its position, all in '!'..'D'.
int DerivePasswordField(const char16_t* password, char* field) {
  int n = StringLength(password);
  if (n < PASSWORD_MIN || n > PASSWORD_MAX) return 1;
  field[0] = (char)('a' + n - PASSWORD_MIN);
  for (int i = 0; i < PASSWORD_MAX; i++) {
    int v = i < n ? CharValue(password[i]) : (i * 11 + n) % 36;
    if (v < 0) return 1;
    field[1 + i] = (char)(0x21 + (v + 7 * i + 13) % 36);
  }
  field[PASSWORD_FIELD_BYTES] = 0;
  return 0;
}

int RecoverPassword(const char* field, char16_t* password) {
  password[0] = 0;
  int n = field[0] - 'a' + PASSWORD_MIN;
  if (n < PASSWORD_MIN || n > PASSWORD_MAX) return 1;
  for (int i = 0; i < n; i++) {
    int b = (uint8_t)field[1 + i] - 0x21;
    if (b < 0 || b >= 36) {
      password[0] = 0;
      return 1;
    }
    password[i] = ValueChar(((b - 7 * i - 13) % 36 + 72) % 36);
  }
  password[n] = 0;
  return 0;
}

// Checks an upper-cased input: 0 fine, 1 too short, 2 too long, 3 a character outside 0-9, A-Z.
static int CheckInput(const char16_t* input) {
  int n = StringLength(input);
  if (n < PASSWORD_MIN) return 1;
  if (n > PASSWORD_MAX) return 2;
  for (int i = 0; i < n; i++)
    if (CharValue(input[i]) < 0) return 3;
  return 0;
}

static int SameField(const char* a, const char* b) { return CompareStringsNoCaseA(a, b) == 0; }

// Runs dialog templateId with the title and text and the password field; 1 when OK was pressed.
static int RunPasswordDialog(uint32_t templateId, uint16_t titleId, uint16_t textId,
                             char16_t* input, int focusOnField) {
  DialogRecord d[] = {DlgTitle(titleId, 0, focusOnField ? 140 : DLG_NO_FOCUS),
                      DlgText(190, textId),
                      DlgEdit(140, input, INPUT_CHARS, DLGE_TRIM),
                      DlgOk(),
                      DlgCancel(),
                      DlgEnd()};
  return RunDialog(nullptr, templateId, DlgF_Einfach, d) == DLGR_OK;
}

int PromptNetworkPassword() {
  if (!IsNetworkProtected()) return 0;
  const char* stored = GetPasswordField();
  if (GetEnteredPassword()[0] && SameField(GetEnteredPassword(), stored)) return 0;
  char16_t input[INPUT_CHARS] = {};
  int afterError = 0;
  for (;;) {
    if (!RunPasswordDialog(112, LANG_ID(11150), LANG_ID(11151), input, afterError)) return 1;
    StringToUpper(input);
    afterError = 1;
    int bad = CheckInput(input);
    if (bad) {
      ShowErrorText((uint32_t)(270 + bad), LANG_ID(11140));
      continue;
    }
    char field[PASSWORD_FIELD_BYTES + 1];
    if (DerivePasswordField(input, field) == 0 && SameField(field, stored)) {
      SetEnteredPassword(field);
      return 0;
    }
    ShowErrorText(274, LANG_ID(11140));
  }
}

void NetworkPasswordCommand() {
  if (PromptNetworkPassword()) return;
  char16_t input[INPUT_CHARS] = {};
  if (IsNetworkProtected()) RecoverPassword(GetPasswordField(), input);
  int afterError = 0;
  for (;;) {
    if (!RunPasswordDialog(113, LANG_ID(11152), LANG_ID(11153), input, afterError)) return;
    StringToUpper(input);
    afterError = 1;
    if (!input[0]) {
      if (IsNetworkProtected()) {
        SetNetworkProtected(0);
        ClearEnteredPassword();
        SetPasswordField(nullptr);
        SetNetModified();
      }
      return;
    }
    int bad = CheckInput(input);
    if (bad) {
      ShowErrorText((uint32_t)(274 + bad), LANG_ID(11140));
      continue;
    }
    char field[PASSWORD_FIELD_BYTES + 1];
    DerivePasswordField(input, field);
    SetEnteredPassword(field);
    if (!IsNetworkProtected() || !SameField(field, GetPasswordField())) {
      SetPasswordField(field);
      SetNetworkProtected(1);
      SetNetModified();
    }
    return;
  }
}
#endif
