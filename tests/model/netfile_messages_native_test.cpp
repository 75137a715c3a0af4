// The messages of the network file's load and save results (native build: the message boxes
// are answered by the test seam).
#include <gtest/gtest.h>
#include <fstream>
#include <set>
#include <string>
#include "model/netfile.h"
#include "app/help.h"
#include "core/msgbox.h"
#include "core/msgbox_seam.h"
#include "model/netfile_messages.h"

TEST(NetFileMessages, ResultCodesToMessages) {
  struct {
    int code;
    uint32_t number, text;
  } load[] = {{1, 105, 11103},
              {3, 103, 11104},
              {6, 104, 11132},
              {11, 148, 11102},
              {NETOFS_LFST + 3, 144, 11113},
              {NETOFS_RP + 4, 184, 8005},
              {NETOFS_TRAINS + 4, 122, 11114},
              {NETOFS_TP + 4, 155, 11115},
              {NETOFS_GENERAL + 1, 110, 11100},
              {NETOFS_PRELL + 3, 173, 11113},
              {NETOFS_GENERAL + 4, 246, 8005},  // a number of its own
              {16, 0, 0},
              {13, 0, 0},
              {NETOFS_PASSWORD + 4, 0, 0},
              {0, 0, 0}};
  for (auto& c : load) {
    NetMessage m = GetLoadResultMessage(c.code);
    EXPECT_EQ(m.number, c.number) << c.code;
    EXPECT_EQ(m.textId, c.text) << c.code;
  }
  EXPECT_EQ(GetLoadResultMessage(6).info, 1);
  EXPECT_EQ(GetSaveResultMessage(3).number, 242u);
  EXPECT_EQ(GetSaveResultMessage(5).number, 249u);
  EXPECT_EQ(GetSaveResultMessage(NETSAVE_REPLACE_FAILED).number, 247u);
  EXPECT_EQ(GetSaveResultMessage(6).number, 0u);
  MsgSeamReset();
  MsgSeamPushAnswer(1);
  EXPECT_EQ(ShowLoadResultMessage(NETOFS_LFST + 3), 144u);
  EXPECT_EQ(MsgSeamCallCount(), 1);
  EXPECT_EQ(ShowLoadResultMessage(0), 0u);
  EXPECT_EQ(MsgSeamCallCount(), 1);
}

// Every message these tables can show has its topic in the help file: the help build reads the
// numbers from the tables' source, this test asks the tables for every result code. The language
// file's reports (580..584) and the load's own messages (296, 297) are shown with literal numbers
// through functions of their own.
TEST(NetFileMessages, EveryMessageOfTheTablesHasAHelpTopic) {
  std::ifstream f(std::string(QUIL_TEST_BINARY_DIR) + "/generated/help/topics.txt");
  ASSERT_TRUE(f.good()) << "the help build wrote no topic list";
  std::set<uint32_t> topics;
  for (uint32_t n; f >> n;) topics.insert(n);
  std::set<uint32_t> numbers = {296, 297, 580, 581, 582, 583, 584};
  for (int code = 0; code < 256; code++) {
    if (uint32_t n = GetLoadResultMessage(code).number) numbers.insert(n);
    if (uint32_t n = GetSaveResultMessage(code).number) numbers.insert(n);
  }
  EXPECT_GE(numbers.size(), 90u);
  for (uint32_t n : numbers)
    EXPECT_TRUE(topics.count(GetHelpTopicForId(MessageHelpTopic(n)))) << "message " << n;
}
