// Helpers of the dialog tests: the language texts from the generated data folder, and a small
// name store that stands in for the element stores behind the name field kinds.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include "core/langtext.h"
#include "core/stream.h"

// Loads a main language file from a folder (ending with '/'); the language-file result.
inline int LoadMainLanguageFrom(const std::string& dir, const char16_t* name) {
  std::u16string folder(dir.begin(), dir.end());
  char16_t saved[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, saved);
  SetKindFolder(FILE_KIND_PROGRAM, folder.c_str());
  int result = LoadLanguageFile(name, 1);
  SetKindFolder(FILE_KIND_PROGRAM, saved);
  return result;
}

inline bool LoadTestLanguage() {
  static int loaded = -1;
  if (loaded < 0) {
    StreamInit();
    InitLanguage();
    loaded =
        LoadMainLanguageFrom(std::string(QUIL_TEST_DATA_DIR) + "/", u"quil.lng") == LANG_OK ? 1 : 0;
  }
  return loaded == 1;
}

#define REQUIRE_LANGUAGE() \
  if (!LoadTestLanguage()) GTEST_SKIP() << "no language file in the data folder"

// Names "N0".."N(k-1)" of a store with TestNameCount entries; stepping wraps.
inline int TestNameCount = 3;
inline int TestNameCountFn() { return TestNameCount; }
inline int TestNameStep(const char16_t* text, char16_t* out, int step) {
  if (text[0] != u'N' || text[1] < u'0' || text[1] > u'9' || text[2] || TestNameCount < 1) return 1;
  int n = ((text[1] - u'0' + step) % TestNameCount + TestNameCount) % TestNameCount;
  out[0] = u'N';
  out[1] = (char16_t)(u'0' + n);
  out[2] = 0;
  return 0;
}
