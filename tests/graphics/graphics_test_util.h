// Helpers of the symbol-graphics tests: the generated data folder, a scratch folder, whole-file
// reads and writes, and loading the generated glyph file.
#pragma once
#include <gtest/gtest.h>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>
#include "core/stream.h"
#include "graphics/glyphfile.h"
#include "graphics/symbols.h"

inline std::u16string Wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }
inline std::string DataDir() { return std::string(QUIL_TEST_DATA_DIR) + "/"; }
inline std::string ScratchDir() {
  std::string dir = std::string(QUIL_TEST_BINARY_DIR) + "/graphics_out/";
  std::filesystem::create_directories(dir);
  return dir;
}
inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
}
inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& b) {
  std::ofstream f(path, std::ios::binary);
  f.write((const char*)b.data(), (std::streamsize)b.size());
}
inline void UseProgramFolder(const std::string& dir) {
  SetKindFolder(FILE_KIND_PROGRAM, Wide(dir).c_str());
}
// Loads the generated glyph file from the data folder: LoadSymbolFile's result.
inline int LoadGeneratedGlyphs() {
  StreamExit();
  EXPECT_EQ(StreamInit(), 0);
  UseProgramFolder(DataDir());
  return LoadSymbolFile();
}
// Offset of the first block header (the byte after the first 0x1A).
inline size_t GlyphBodyStart(const std::vector<uint8_t>& b) {
  for (size_t i = 0; i < b.size(); i++)
    if (b[i] == 0x1A) return i + 1;
  return b.size();
}
