// Fixture of the file-stream tests: a scratch folder set as the network-file kind's folder, and
// helpers that put raw bytes into files and take them out again beside the stream.
#pragma once
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>
#include "core/stream.h"
#include "core/platform.h"

typedef std::vector<uint8_t> Bytes;

static inline std::u16string Widen(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

class StreamTest : public ::testing::Test {
 protected:
  std::string dir;  // scratch folder, '/' separated
  char16_t savedFolder[STREAM_PATH_CHARS];
  int savedUnicode = 1, savedCpIn = -1, savedCpOut = -1;

  void SetUp() override {
    ASSERT_EQ(StreamInit(), 0);
    GetKindFolder(FILE_KIND_NETWORK, savedFolder);
    dir = std::string(QUIL_TEST_BINARY_DIR) + "/stream_test_files";
    std::filesystem::create_directories(dir);
    ASSERT_EQ(SetKindFolder(FILE_KIND_NETWORK, Widen(dir).c_str()), 0);
    savedUnicode = UnicodeFlag;
    savedCpIn = CpAnsiUni;
    savedCpOut = CpUniAnsi;
  }
  void TearDown() override {
    if (StreamIsOpen()) {
      StreamCloseRead();
      StreamCloseWrite();
    }
    UnicodeFlag = savedUnicode;
    SetConversionCodePages(savedCpIn, savedCpOut);
    SetKindFolder(FILE_KIND_NETWORK, savedFolder);
  }
  std::string Path(const char* name) { return dir + "/" + name; }
  void Put(const char* name, const Bytes& bytes) {
    FILE* f = std::fopen(Path(name).c_str(), "wb");
    ASSERT_NE(f, nullptr);
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  Bytes Get(const char* name) {
    Bytes out;
    FILE* f = std::fopen(Path(name).c_str(), "rb");
    if (!f) return out;
    int c;
    while ((c = std::fgetc(f)) != EOF) out.push_back((uint8_t)c);
    std::fclose(f);
    return out;
  }
  bool Exists(const char* name) { return std::filesystem::exists(Path(name)); }
  void Remove(const char* name) { std::remove(Path(name).c_str()); }

  // Writes data through the stream: `header` raw, then `data` compressed (or raw).
  void WriteFile(const char* name, const Bytes& header, const Bytes& data, bool compress) {
    ASSERT_EQ(StreamOpenWrite(Widen(name).c_str(), 0, FILE_KIND_NETWORK), 0);
    for (uint8_t b : header) ASSERT_EQ(StreamWriteByte(b), 0);
    if (compress) StreamResetCompression();
    ASSERT_EQ(StreamWriteBytes(data.data(), (uint32_t)data.size()), 0);
    ASSERT_EQ(StreamCloseWrite(), 0);
  }
  // Reads a whole file through the stream (compression on after `headerBytes` raw bytes);
  // *rc receives the code that ended the reading.
  Bytes ReadFile(const char* name, size_t headerBytes, bool compress, int* rc = nullptr) {
    Bytes out;
    int r = StreamOpenRead(Widen(name).c_str(), 0, FILE_KIND_NETWORK);
    EXPECT_EQ(r, 0);
    if (r) return out;
    for (size_t i = 0; i < headerBytes; i++) {
      uint8_t b;
      EXPECT_EQ(StreamReadByte(&b), 0);
      out.push_back(b);
    }
    if (compress) StreamResetCompression();
    uint8_t b;
    while ((r = StreamReadByte(&b)) == 0) out.push_back(b);
    if (rc) *rc = r;
    if (StreamIsOpen()) StreamCloseRead();
    return out;
  }
};
