// Signal symbols: kinds by symbol group and the lamp patterns of the forms.
#include "signalling/signal_symbols.h"
#include "elements/element_services.h"

int ClassifySignalSymbol(uint32_t code, int32_t* range) {
  int kind = SIGKIND_NONE;
  int32_t low = 0, high = 0;
  if (code < 16384) {
    switch ((code & 0x1FF) >> 3) {
      case 49: kind = SIGKIND_CONTACT, high = 11; break;
      case 50:
      case 51:
      case 52: kind = SIGKIND_COMBINED, high = 47; break;
      case 53:
      case 54: kind = SIGKIND_DISTANT, high = 59; break;
      case 55:
      case 56: kind = SIGKIND_MAIN, high = 59; break;
      case 57:
      case 58: kind = SIGKIND_CROSSING, high = 23; break;
    }
    // Main, distant and combined signals on the narrow kind band show forms 6..11 only.
    if (kind >= SIGKIND_MAIN && kind <= SIGKIND_COMBINED && code >= 7168 && code <= 8191)
      low = 6, high = 11;
  }
  if (range && kind) {
    range[0] = low;
    range[1] = high;
  }
  return kind;
}

static int IsSpecialForm(uint32_t form) {
  static const uint8_t kFirst[] = {3, 9, 18, 27, 33, 39, 45, 51, 57};
  static const uint8_t kLast[] = {5, 11, 23, 29, 35, 41, 47, 53, 59};
  for (unsigned i = 0; i < sizeof kFirst; i++)
    if (form >= kFirst[i] && form <= kLast[i]) return 1;
  return 0;
}

uint32_t MapAspectToLamps(int kind, uint32_t form) {
  if (kind == SIGKIND_CONTACT) {
    static const uint32_t kContact[3] = {0, 4, 8};
    return kContact[form % 3];
  }
  if (kind == SIGKIND_CROSSING) {
    static const uint32_t kCrossing[4] = {1, 5, 2, 10};
    return kCrossing[form & 3];
  }
  static const uint32_t kSpecial[3] = {2, 10, 6}, kPlain[3] = {1, 5, 9};
  return IsSpecialForm(form) ? kSpecial[form % 3] : kPlain[form % 3];
}

int GetSignalLampCount(uint32_t code) {
  if (code >= 16384) return 0;
  switch ((code & 0x1FF) >> 3) {
    case 50:
    case 53:
    case 55:
    case 57: return 3;
    case 51:
    case 54: return 4;
    case 52:
    case 56:
    case 58: return 2;
  }
  return 0;
}

int GetSignalSymbolForm(uint32_t code) {
  switch (ClassifySignalSymbol(code, nullptr)) {
    case SIGKIND_MAIN: return GetSignalSymbolFormHSig();
    case SIGKIND_DISTANT: return GetSignalSymbolFormVSig();
    case SIGKIND_COMBINED: return GetSignalSymbolFormKSig();
    case SIGKIND_CROSSING: return GetSignalSymbolFormBUESig();
    case SIGKIND_CONTACT: return GetSignalSymbolFormSK();
  }
  return 0;
}
