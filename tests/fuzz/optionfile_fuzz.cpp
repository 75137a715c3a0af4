// Fuzz target of the option-file reader: any file is read without harm; a file that reads without
// a fault writes a file that reads back to the same settings (its second writing is the same).
#include "app/entry.h"
#include "app/optionfile.h"
#include "core/langtext.h"
#include "core/misc.h"
#include "core/msgbox_seam.h"
#include "core/settings_platform.h"
#include "core/stream.h"
#include "fuzz_scratch.h"
#include <cstdint>
#include <cstdlib>
#include <string>

static std::string ReadAll(const std::string& path) {
  std::string s;
  FILE* f = fopen(path.c_str(), "rb");
  if (!f) return s;
  char b[4096];
  size_t n;
  while ((n = fread(b, 1, sizeof b, f)) > 0) s.append(b, n);
  fclose(f);
  return s;
}

static std::u16string U(const std::string& s) { return std::u16string(s.begin(), s.end()); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static int ready = 0;
  const std::string& dir = FuzzScratchFolder("optionfile");
  if (!ready) {
    if (StreamInit() || InitLanguage()) abort();
    std::u16string d = U(dir);
    SetKindFolder(FILE_KIND_PROGRAM, d.c_str());
    CopyString(Entry.optionFolder, d.c_str());
    CopyString(Entry.optionFileName, u"quil.ini");
    ready = 1;
  }
  if (size > 65536) return 0;
  std::string path = dir + "quil.ini";
  remove((dir + "quil.ini.bad").c_str());
  FuzzWriteFile(path, data, size);
  MsgSeamReset();
  LocateAndReadSettings();
  if (MsgSeamCallCount()) return 0;  // refused: set aside and replaced by the defaults
  if (WriteSettingsFile()) abort();
  std::string first = ReadAll(path);
  LocateAndReadSettings();
  if (MsgSeamCallCount()) abort();  // what was written must read without a fault
  if (WriteSettingsFile()) abort();
  if (ReadAll(path) != first) abort();
  return 0;
}
