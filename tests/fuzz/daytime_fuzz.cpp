// Fuzz target of the day-time parser: arbitrary UTF-16 text in the single-text form and split
// into three fields for the split form, silent, with the program's language texts loaded (the
// weekday names and the marker character).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>
#include "core/daytime.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/stream.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  StreamInit();
  InitLanguage();
  const char* dir = QUIL_DATA_DIR;
  char16_t folder[STREAM_PATH_CHARS];
  int n = 0;
  while (dir[n] && n < STREAM_PATH_CHARS - 2) {
    folder[n] = (char16_t)(unsigned char)dir[n];
    n++;
  }
  folder[n++] = u'/';
  folder[n] = 0;
  SetKindFolder(FILE_KIND_PROGRAM, folder);
  LoadLanguageFile(u"quil.lng", 1);  // without it the weekday names are empty
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<char16_t> text(size / 2 + 1, 0);
  memcpy(text.data(), data, size / 2 * 2);
  const int length = StringLength(text.data());
  uint32_t result = 0;
  int end = -1;
  if (ParseTimeOfDay(text.data(), nullptr, nullptr, &result, &end, 0) == 0) {
    if (end < 0 || end > length) __builtin_trap();
    if ((result >> 16 & 0xFF) > 23 || (result >> 8 & 0xFF) > 59 || (result & 0xFF) > 59 ||
        (result >> 24) == 0 || (result >> 24) > 127)
      __builtin_trap();
  }
  // Split form: the text cut at its first two "|" into hour, minute and second fields.
  std::vector<char16_t> split(text);
  char16_t* fields[3] = {split.data(), nullptr, nullptr};
  for (int i = 0, f = 1; i < length && f < 3; i++)
    if (split[i] == u'|') {
      split[i] = 0;
      fields[f++] = split.data() + i + 1;
    }
  if (fields[1] && ParseTimeOfDay(fields[0], fields[1], fields[2], &result, &end, 0) == 0) {
    if ((result >> 16 & 0xFF) > 23 || (result >> 8 & 0xFF) > 59 || (result >> 24) != 127)
      __builtin_trap();
  }
  int listEnd = -1;
  if (ParseWeekdayList(text.data(), 0, &listEnd) && (listEnd < 0 || listEnd > length))
    __builtin_trap();
  return 0;
}
