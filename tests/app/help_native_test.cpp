// ShowHelpTopic in the native build: the help viewer is bound at the first call and each id is
// handed to it with the program folder's help file.
#include <gtest/gtest.h>
#include <string>
#include "app/help.h"
#include "app/help_platform.h"
#include "core/msgbox_seam.h"
#include "core/stream.h"

namespace {

TEST(HelpNative, TopicsIndexTraceAndClose) {
  char16_t saved[STREAM_PATH_CHARS];
  GetKindFolder(FILE_KIND_PROGRAM, saved);
  SetKindFolder(FILE_KIND_PROGRAM, u"C:\\prog\\");
  HelpNativeReset();
  MsgSeamReset();
  InitHtmlHelp();
  EXPECT_EQ(ShowHelpTopic(42014), 1);
  // The first call initialises the viewer, then shows the topic.
  EXPECT_EQ(HelpNativeCallCount(), 2);
  const HelpNativeCall* c = HelpNativeLastCall();
  EXPECT_EQ(c->command, HH_CMD_DISPLAY_TOPIC);
  EXPECT_EQ(std::u16string(c->file), u"C:\\prog\\quil.chm>ViewerIndexOff");
  EXPECT_EQ(std::u16string(c->topic), u"html\\42014.htm");
  ShowHelpTopic(HELPID_INDEX);
  EXPECT_EQ(HelpNativeCallCount(), 3);
  EXPECT_EQ(HelpNativeLastCall()->command, HH_CMD_DISPLAY_INDEX);
  EXPECT_EQ(ShowHelpTopic(HELPID_TRACE), 0);
  EXPECT_EQ(HelpNativeCallCount(), 3);
  ASSERT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(std::u16string(MsgSeamLastCall()->text), u"HLP F11?");
  ShowHelpTopic(HELPID_CLOSE_ALL);
  EXPECT_EQ(HelpNativeLastCall()->command, HH_CMD_CLOSE_ALL);
  ExitHtmlHelp();
  EXPECT_EQ(HelpNativeLastCall()->command, HH_CMD_UNINITIALIZE);
  SetKindFolder(FILE_KIND_PROGRAM, saved);
}

// The main loop offers every message to the help viewer, but only once the viewer is bound:
// before that no help window can exist and the library must stay unbound.
TEST(HelpNative, MessagesAreOfferedOnlyToABoundViewer) {
  HelpNativeReset();
  MsgSeamReset();
  InitHtmlHelp();
  int message = 0;
  EXPECT_EQ(OfferMessageToHelp(&message), 0);
  EXPECT_EQ(HelpNativeCallCount(), 0);
  ShowHelpTopic(42014);  // binds the viewer
  const int before = HelpNativeCallCount();
  EXPECT_EQ(OfferMessageToHelp(&message), 1);
  EXPECT_EQ(HelpNativeCallCount(), before + 1);
  EXPECT_EQ(HelpNativeLastCall()->command, HH_CMD_PRETRANSLATE);
  EXPECT_EQ(OfferMessageToHelp(nullptr), 0);
  ExitHtmlHelp();
  const int after = HelpNativeCallCount();
  EXPECT_EQ(OfferMessageToHelp(&message), 0);
  EXPECT_EQ(HelpNativeCallCount(), after);
}

}  // namespace
