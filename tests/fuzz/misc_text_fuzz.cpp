// Fuzz target of the utility module's text handling: name tokens, control-code escapes in both
// directions, decimal numbers and the search, fed with arbitrary UTF-16 text.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include "core/misc.h"

static const char16_t kAlphabet[] = u"\\12345678U";

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int capacity = 1 + data[0] % 64;
  std::vector<char16_t> text((size - 1) / 2 + 1, 0);
  memcpy(text.data(), data + 1, (size - 1) / 2 * 2);  // terminated by the last element
  const int length = StringLength(text.data());

  char16_t name[17];
  int consumed = 0;
  char16_t bad = 0;
  ScanNameToken(text.data(), name, &consumed, &bad, 16);
  if (consumed > length) __builtin_trap();

  ParseDecimalWith(text.data(), u',', 2);
  ParseDecimalWith(text.data(), u'.', 3);

  // Escape into a buffer of the given capacity (the text cut to fit first), then back.
  std::vector<char16_t> buf(capacity, 0);
  for (int i = 0; i < capacity - 1 && i < length; i++) buf[i] = text[i];
  EscapeControlCodesWith(buf.data(), capacity, kAlphabet);
  if (StringLength(buf.data()) > capacity - 1) __builtin_trap();
  UnescapeControlCodesWith(buf.data(), kAlphabet);

  std::vector<char16_t> raw(text);
  UnescapeControlCodesWith(raw.data(), kAlphabet);

  if (length > 2) {
    int patternLength = 1 + data[0] % 3;
    StrStr2(text.data(), length, text.data() + length - patternLength, patternLength,
            data[0] & (STRSTR_IGNORE_CASE | STRSTR_WHOLE_WORD));
  }
  return 0;
}
