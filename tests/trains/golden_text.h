// Golden texts of the headless runs: tests/trains/golden/<name>.txt, written anew when
// QUIL_UPDATE_GOLDEN=1, else compared with the text a run produced.
#pragma once
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>

inline void ExpectGolden(const char* name, const std::string& text) {
  std::string path = std::string(QUIL_TEST_SOURCE_DIR) + "/tests/trains/golden/" + name + ".txt";
  const char* update = std::getenv("QUIL_UPDATE_GOLDEN");
  if (update && *update == '1') {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr) << path;
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  FILE* f = std::fopen(path.c_str(), "rb");
  ASSERT_NE(f, nullptr) << path;
  std::string golden;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) golden.append(buf, n);
  std::fclose(f);
  EXPECT_EQ(text, golden) << name;
}
