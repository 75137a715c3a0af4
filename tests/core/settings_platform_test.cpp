// The profile calls behind the settings read and write as the platform does: these tests run in
// both builds, so under Wine they check the platform itself and natively our own reader.
#include <gtest/gtest.h>
#include "core/platform.h"
#include "core/settings_platform.h"
#include <cstdio>
#include <string>

namespace {

std::u16string Path(const char* name) {
  std::string p = std::string(QUIL_TEST_BINARY_DIR) + "/settings_" + name;
  return std::u16string(p.begin(), p.end());
}

// Writes bytes as the file (UTF-16 LE with its mark when wide).
void WriteFile(const std::u16string& path, const std::u16string& text, int wide) {
  SettingsSetFileAttributes(path.c_str(), SFILE_NORMAL);
  FILE* f = WrapFopen(path.c_str(), u"wb");
  ASSERT_NE(f, nullptr);
  if (wide) {
    fwrite("\xFF\xFE", 1, 2, f);
    for (char16_t c : text) {
      unsigned char b[2] = {(unsigned char)c, (unsigned char)(c >> 8)};
      fwrite(b, 1, 2, f);
    }
  } else {
    for (char16_t c : text) fputc((int)c, f);
  }
  WrapFclose(f);
}

std::u16string Get(const char16_t* section, const char16_t* key, const std::u16string& file,
                   uint32_t size = 300) {
  char16_t buf[600];
  uint32_t n = SettingsProfileGet(section, key, u"(none)", buf, size, file.c_str());
  return std::u16string(buf, n);
}

const char16_t kText[] =
    u"; comment\r\n"
    u"[Other]\r\n"
    u"Key=other\r\n"
    u"  [ QUIL_384 ]  \r\n"
    u"  Key  =  value with blanks   \r\n"
    u"Quoted=\"  in quotes  \"\r\n"
    u"Single='x'\r\n"
    u"Half=\"open\r\n"
    u"Empty=\r\n"
    u"Long=0123456789\r\n"
    u"Key=second\r\n";

}  // namespace

TEST(SettingsProfile, ReadsAsThePlatformDoes) {
  for (int wide = 0; wide <= 1; wide++) {
    std::u16string file = Path(wide ? "wide.ini" : "narrow.ini");
    WriteFile(file, kText, wide);
    static const struct {
      const char16_t *section, *key, *expected;
    } cases[] = {
        {u"QUIL_384", u"Key", u"value with blanks"},  // blanks round the value trimmed
        {u"quil_384", u"KEY", u"value with blanks"},  // names without case
        {u"QUIL_384", u"Quoted", u"  in quotes  "},   // enclosing quotes dropped
        {u"QUIL_384", u"Single", u"x"},
        {u"QUIL_384", u"Half", u"\"open"},     // one quote stays
        {u"QUIL_384", u"Empty", u""},          // present but empty
        {u"QUIL_384", u"Missing", u"(none)"},  // the fallback
        {u"Other", u"Key", u"other"},          // the first section of that name
        {u"NoSection", u"Key", u"(none)"},
    };
    for (const auto& c : cases)
      EXPECT_EQ(Get(c.section, c.key, file), std::u16string(c.expected))
          << (wide ? "wide" : "narrow");
    // A value longer than the buffer is cut to size - 1 characters.
    EXPECT_EQ(Get(u"QUIL_384", u"Long", file, 5), u"0123");
    // A null key lists the section's keys.
    char16_t list[100];
    uint32_t n = SettingsProfileGet(u"QUIL_384", nullptr, u"", list, 100, file.c_str());
    static const char16_t keys[] = u"Key\0Quoted\0Single\0Half\0Empty\0Long\0Key\0";
    EXPECT_EQ(std::u16string(list, n), std::u16string(keys, sizeof keys / 2 - 1));
    EXPECT_EQ(SettingsProfileGet(u"NoSection", nullptr, u"", list, 100, file.c_str()), 0u);
    WrapRemove(file.c_str());
  }
}

TEST(SettingsProfile, WritesKeysInPlaceAndKeepsAttributes) {
  std::u16string file = Path("write.ini");
  WrapRemove(file.c_str());
  EXPECT_EQ(SettingsGetFileAttributes(file.c_str()), SFILE_INVALID);
  ASSERT_TRUE(SettingsProfileWrite(u"QUIL_384", u"A", u"1", file.c_str()));
  ASSERT_TRUE(SettingsProfileWrite(u"QUIL_384", u"B", u"2", file.c_str()));
  ASSERT_TRUE(SettingsProfileWrite(u"quil_384", u"a", u"3", file.c_str()));  // A keeps its name
  SettingsProfileWrite(nullptr, nullptr, nullptr, file.c_str());             // flush
  EXPECT_EQ(Get(u"QUIL_384", u"A", file), u"3");
  EXPECT_EQ(Get(u"QUIL_384", u"B", file), u"2");
  char16_t list[100];
  uint32_t n = SettingsProfileGet(u"QUIL_384", nullptr, u"", list, 100, file.c_str());
  static const char16_t keys[] = u"A\0B\0";
  EXPECT_EQ(std::u16string(list, n), std::u16string(keys, sizeof keys / 2 - 1));

  // Hidden and read-only: the attributes read back.
  ASSERT_TRUE(SettingsSetFileAttributes(file.c_str(), SFILE_HIDDEN | SFILE_READONLY));
  EXPECT_EQ(SettingsGetFileAttributes(file.c_str()) & (SFILE_HIDDEN | SFILE_READONLY),
            SFILE_HIDDEN | SFILE_READONLY);
  ASSERT_TRUE(SettingsSetFileAttributes(file.c_str(), SFILE_NORMAL));
  EXPECT_EQ(SettingsGetFileAttributes(file.c_str()) & (SFILE_HIDDEN | SFILE_READONLY), 0u);
  EXPECT_EQ(WrapRemove(file.c_str()), 0);
}
