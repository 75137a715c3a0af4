// The value store heals its two copies (the native registry and the mirror file).
#include <gtest/gtest.h>
#include "core/misc.h"
#include "core/platform.h"
#include "core/settings_platform.h"
#include "core/valuestore.h"
#include <string>

namespace {

class ValueStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string d = std::string(QUIL_TEST_BINARY_DIR) + "/";
    folder = std::u16string(d.begin(), d.end());
    SetValueStoreFolder(folder.c_str());
    GetMirrorFilePath(mirror);
    SettingsSetFileAttributes(mirror, SFILE_NORMAL);
    WrapRemove(mirror);
    NativeRegistryClear();
    NativeRegistryFail(0);
  }
  void TearDown() override {
    NativeRegistryFail(0);
    SettingsSetFileAttributes(mirror, SFILE_NORMAL);
    WrapRemove(mirror);
    NativeRegistryClear();
  }
  void SetRegistry(const char16_t* name, const char16_t* text) {
    SettingsRegSet(name, SREG_SZ, text, (uint32_t)(StringLength(text) + 1) * 2);
  }
  std::u16string Registry(const char16_t* name) {
    char16_t buf[600];
    uint32_t type = 0, bytes = sizeof buf;
    if (SettingsRegQuery(name, &type, buf, &bytes) != SREG_OK) return u"(missing)";
    TerminateRegistryString(buf, bytes, 600);
    return buf;
  }
  std::u16string Mirror(const char16_t* name) {
    char16_t buf[600];
    SettingsProfileGet(u"QUIL_384", name, u"(missing)", buf, 600, mirror);
    return buf;
  }
  std::u16string Read(const char16_t* name, int capacity = 300) {
    char16_t buf[600];
    ReadStoredValue(name, u"default", buf, capacity);
    return buf;
  }
  std::u16string folder;
  char16_t mirror[260];
};

}  // namespace

TEST_F(ValueStoreTest, EachCopyHealsTheOther) {
  static const struct {
    const char16_t *mirror, *registry;  // null: missing
    const char16_t *result, *mirrorAfter, *registryAfter;
  } cases[] = {
      // The mirror wins over a differing registry value, which is overwritten.
      {u"C:\\A", u"C:\\B", u"C:\\A", u"C:\\A", u"C:\\A"},
      // Equal ignoring case and leading blanks: both stay as they are.
      {u"C:\\A", u"  c:\\a", u"C:\\A", u"C:\\A", u"  c:\\a"},
      // One copy restores the other.
      {nullptr, u"C:\\R", u"C:\\R", u"C:\\R", u"C:\\R"},
      {u"C:\\M", nullptr, u"C:\\M", u"C:\\M", u"C:\\M"},
      // Neither: the default, nothing written.
      {nullptr, nullptr, u"default", u"(missing)", u"(missing)"},
  };
  for (const auto& c : cases) {
    SetUp();
    if (c.mirror) WriteMirrorValue(u"Q384_PFAD", c.mirror);
    if (c.registry) SetRegistry(u"Q384_PFAD", c.registry);
    EXPECT_EQ(Read(u"Q384_PFAD"), c.result);
    EXPECT_EQ(Mirror(u"Q384_PFAD"), c.mirrorAfter);
    EXPECT_EQ(Registry(u"Q384_PFAD"), c.registryAfter);
    if (!c.mirror && !c.registry) {
      EXPECT_EQ(SettingsGetFileAttributes(mirror), SFILE_INVALID);
    }
  }
}

TEST_F(ValueStoreTest, MirrorDeletedByHandComesBackHiddenAndReadOnly) {
  WriteStoredValue(u"Q384_PFAD", u"C:\\Folder");
  EXPECT_EQ(SettingsGetFileAttributes(mirror), SFILE_HIDDEN | SFILE_READONLY);
  // Read-only: a write that forgot to lift the attributes would fail.
  EXPECT_FALSE(SettingsProfileWrite(u"QUIL_384", u"X", u"1", mirror));
  SettingsSetFileAttributes(mirror, SFILE_NORMAL);
  ASSERT_EQ(WrapRemove(mirror), 0);
  EXPECT_EQ(Read(u"Q384_PFAD"), u"C:\\Folder");
  EXPECT_EQ(Mirror(u"Q384_PFAD"), u"C:\\Folder");
  EXPECT_EQ(SettingsGetFileAttributes(mirror), SFILE_HIDDEN | SFILE_READONLY);
  // A second value joins the mirror; the first stays.
  WriteStoredValue(u"Q383_PFAD", u"D:\\Old");
  EXPECT_EQ(Read(u"Q383_PFAD"), u"D:\\Old");
  EXPECT_EQ(Read(u"Q384_PFAD"), u"C:\\Folder");
  EXPECT_EQ(SettingsGetFileAttributes(mirror), SFILE_HIDDEN | SFILE_READONLY);
}

TEST_F(ValueStoreTest, RegistryValuesAreCheckedAndTerminated) {
  // Without its terminating zero the value ends within the buffer.
  static const char16_t raw[4] = {u'A', u'B', u'C', u'D'};
  SettingsRegSet(u"Q384_PFAD", SREG_SZ, raw, sizeof raw);
  EXPECT_EQ(Read(u"Q384_PFAD"), u"ABCD");
  // A value of another type counts as missing (the mirror is then not written from it).
  uint32_t number = 5;
  SettingsRegSet(u"Q383_PFAD", 4, &number, 4);
  EXPECT_EQ(Read(u"Q383_PFAD"), u"default");
  EXPECT_EQ(Mirror(u"Q383_PFAD"), u"(missing)");
  // The result is cut to the caller's buffer.
  EXPECT_EQ(Read(u"Q384_PFAD", 3), u"AB");
  char16_t buf[4] = {u'x', u'x', u'x', u'x'};
  EXPECT_EQ(TerminateRegistryString(buf, 8, 4), 3);  // no room for its own zero: cut
  EXPECT_EQ(TerminateRegistryString(buf, 3, 4), 1);  // an odd byte count
}

TEST_F(ValueStoreTest, FailingRegistryLeavesTheMirrorAnswering) {
  WriteMirrorValue(u"Q384_PFAD", u"C:\\Only");
  NativeRegistryFail(1);
  EXPECT_EQ(Read(u"Q384_PFAD"), u"C:\\Only");
  NativeRegistryFail(0);
  EXPECT_EQ(Registry(u"Q384_PFAD"), u"(missing)");
  EXPECT_EQ(Read(u"Q384_PFAD"), u"C:\\Only");  // healed on the next read
  EXPECT_EQ(Registry(u"Q384_PFAD"), u"C:\\Only");
}
