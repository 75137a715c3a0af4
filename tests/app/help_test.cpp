// Help ids: the table of shared topics and the request made for each reserved and plain id.
#include <gtest/gtest.h>
#include <string>
#include "app/help.h"

namespace {

TEST(HelpIds, TableLookup) {
  struct Case {
    uint32_t id, topic;
  } cases[] = {{40050, 21051}, {40051, 7140},  {40052, 7150},  {40053, 7175},  {40054, 7130},
               {40055, 7160},  {40056, 11000}, {50106, 50105}, {50113, 50110}, {50115, 50112},
               {50122, 50116}, {50191, 50190}, {50221, 50201}, {42014, 42014}, {50770, 50770},
               {0, 0}};  // ids not in the table are their own topic
  for (const Case& c : cases) EXPECT_EQ(GetHelpTopicForId(c.id), c.topic) << c.id;
}

TEST(HelpIds, Requests) {
  struct Case {
    uint32_t id, menu;
    int action;
    const char16_t* path;
    const char16_t* topic;
  } cases[] = {
      {HELPID_CLOSE_ALL, 0, HELP_ACT_CLOSE, u"", u""},
      {HELPID_TRACE, 0, HELP_ACT_TRACE, u"", u""},
      {HELPID_INDEX, 0, HELP_ACT_INDEX, u"C:\\q\\quil.chm>ViewerIndexOn", u""},
      {42014, 0, HELP_ACT_TOPIC, u"C:\\q\\quil.chm>ViewerIndexOff", u"html\\42014.htm"},
      {40050, 0, HELP_ACT_TOPIC, u"C:\\q\\quil.chm>ViewerIndexOff", u"html\\21051.htm"},
      {7, 0, HELP_ACT_TOPIC, u"C:\\q\\quil.chm>ViewerIndexOff", u"html\\00007.htm"},
      {HELPID_MENU, 0, HELP_ACT_TOPIC, u"C:\\q\\quil.chm>ViewerIndexOff",
       u"html\\21051.htm"},  // no menu: 40050
      {HELPID_MENU, 40051, HELP_ACT_TOPIC, u"C:\\q\\quil.chm>ViewerIndexOff", u"html\\07140.htm"},
  };
  for (const Case& c : cases) {
    HelpRequest r;
    ASSERT_EQ(BuildHelpRequest(c.id, u"C:\\q\\", c.menu, &r), 0);
    EXPECT_EQ(r.action, c.action) << c.id;
    EXPECT_EQ(std::u16string(r.path), std::u16string(c.path)) << c.id;
    EXPECT_EQ(std::u16string(r.topic), std::u16string(c.topic)) << c.id;
  }
}

TEST(HelpIds, TheViewerSuffixOnlyWhenThePathStaysShort) {
  HelpRequest r;
  // "quil.chm" is 8 characters: a folder of 236 gives 244, + 15 = 259: too long for the suffix.
  std::u16string folder = u"C:\\" + std::u16string(232, u'a') + u"\\";
  ASSERT_EQ(folder.size(), 236u);
  ASSERT_EQ(BuildHelpRequest(42014, folder.c_str(), 0, &r), 0);
  EXPECT_EQ(std::u16string(r.path), folder + u"quil.chm");
  folder.erase(1, 1);  // 235 + 8 + 15 = 258: fits
  ASSERT_EQ(BuildHelpRequest(42014, folder.c_str(), 0, &r), 0);
  EXPECT_EQ(std::u16string(r.path), folder + u"quil.chm>ViewerIndexOff");
  std::u16string tooLong(300, u'a');
  EXPECT_EQ(BuildHelpRequest(42014, tooLong.c_str(), 0, &r), 1);
}

TEST(HelpIds, HelpFileName) {
  std::u16string saved = GetHelpFileName();
  EXPECT_EQ(SetHelpFileName(u"other.chm"), 0);
  EXPECT_EQ(std::u16string(GetHelpFileName()), u"other.chm");
  EXPECT_EQ(SetHelpFileName(u""), 1);
  EXPECT_EQ(SetHelpFileName(nullptr), 1);
  EXPECT_EQ(SetHelpFileName(std::u16string(513, u'x').c_str()), 1);
  EXPECT_EQ(std::u16string(GetHelpFileName()), u"other.chm");
  SetHelpFileName(saved.c_str());
}

}  // namespace
