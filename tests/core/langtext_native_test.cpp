// The loaders' messages reach the user as information boxes (native message-box seam): number,
// title and composed text.
#include <gtest/gtest.h>
#include <cstdio>
#include <filesystem>
#include <string>
#include "core/langtext.h"
#include "core/msgbox_seam.h"
#include "core/stream.h"

TEST(LangTextMessages, LoadErrorsShowInformationBoxes) {
  ASSERT_EQ(StreamInit(), 0);
  char16_t saved[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, saved);
  std::string dir = std::string(QUIL_TEST_BINARY_DIR) + "/langtext_native_files";
  std::filesystem::create_directories(dir);
  std::u16string wdir(dir.begin(), dir.end());
  ASSERT_EQ(SetKindFolder(FILE_KIND_PROGRAM, wdir.c_str()), 0);
  ASSERT_EQ(InitLanguage(), 0);
  SetLangMessageHandler(nullptr);

  FILE* f = std::fopen((dir + "/m.lng").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs(
      "3602\r\nOut of order after\r\n3613\r\nNo order file\r\n8020\r\nInformation\r\n"
      "8040\r\nNo.#1\r\n.\r\n",
      f);
  std::fclose(f);
  ASSERT_EQ(LoadLanguageFile(u"m.lng", 1), LANG_OK);
  f = std::fopen((dir + "/bad.lng").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  std::fputs("5\r\nA\r\n5\r\nB\r\n.\r\n", f);
  std::fclose(f);
  std::remove((dir + "/quil.lnx").c_str());

  struct Case {
    int (*load)();
    uint16_t help;
    const char16_t* title;
    const char16_t* text;
  };
  const Case cases[] = {
      {[] { return LoadLanguageFile(u"bad.lng", 1); }, 582 + 50000, u"Information No. 582",
       u"Out of order after 5,5"},
      {[] { return LoadCollationFile(); }, 583 + 50000, u"Information No. 583",
       u"No order file: \"quil.lnx\""},
  };
  for (const Case& c : cases) {
    MsgSeamReset();
    EXPECT_NE(c.load(), 0);
    ASSERT_EQ(MsgSeamCallCount(), 1);
    const MsgBoxCall* call = MsgSeamLastCall();
    EXPECT_EQ(call->platformBox, 0);
    EXPECT_EQ(call->helpTopic, c.help);
    EXPECT_EQ(std::u16string(call->title), c.title);
    EXPECT_EQ(std::u16string(call->text), c.text);
  }

  ExitLanguage();
  SetKindFolder(FILE_KIND_PROGRAM, saved);
  StreamExit();
}
