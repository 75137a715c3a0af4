// Scratch folder of a fuzz target: one per process, in memory (tmpfs) when the system has one,
// removed when the fuzzer ends; and the writing of an input into a file there.
#pragma once
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

inline std::string gFuzzScratch;

// A memory folder outlives the process: the scratch folder is removed at exit.
inline void FuzzRemoveScratch() {
  std::error_code e;
  std::filesystem::remove_all(gFuzzScratch, e);
}

// "<root>/quil_<name>_<pid>/", made on the first call.
inline const std::string& FuzzScratchFolder(const char* name) {
  if (gFuzzScratch.empty()) {
    std::error_code e;
    std::filesystem::path root = std::filesystem::is_directory("/dev/shm", e)
                                     ? std::filesystem::path("/dev/shm")
                                     : std::filesystem::temp_directory_path();
    gFuzzScratch =
        (root / ("quil_" + std::string(name) + "_" + std::to_string((long)getpid()))).string() +
        "/";
    std::filesystem::create_directories(gFuzzScratch);
    atexit(FuzzRemoveScratch);
  }
  return gFuzzScratch;
}

// Writes the bytes as the whole file; a file that cannot be written ends the run.
inline void FuzzWriteFile(const std::string& path, const uint8_t* data, size_t size) {
  FILE* f = fopen(path.c_str(), "wb");
  if (!f) abort();
  if (size) fwrite(data, 1, size, f);
  fclose(f);
}
