// The copy-text section "LIN": the lines a block refers to travel with their descriptions, a
// pasted block creates the unknown ones as the answers of dialog 114 say, a known line keeps its
// description, and faulty sections are refused; the messages of refused line names.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "app/dialog_test_util.h"
#include "core/misc.h"
#include "core/msgbox_seam.h"
#include "elements/element_store.h"
#include "elements/info_escape.h"
#include "elements/lines.h"
#include "model/grid.h"
#include "signalling/switch_control.h"

namespace {
std::vector<std::u16string> Text;
int AppendLine(const char16_t* line) {
  Text.push_back(line);
  return 0;
}
int ReadLine(int index, int maxChars, char16_t* out) {
  if (index < 0 || index >= (int)Text.size() || (int)Text[index].size() > maxChars) return 1;
  CopyString(out, Text[index].c_str());
  return 0;
}

std::vector<int> Answers;
std::vector<std::u16string> Asked;
int Answer(const char16_t* name) {
  Asked.push_back(name);
  if (Answers.empty()) return 1;
  int a = Answers.front();
  Answers.erase(Answers.begin());
  return a;
}

std::u16string Description(int id) {
  static char16_t b[LINE_DESC_MAX];
  if (GetLineDescription(id, b) <= 0) return u"";
  return b;
}

struct LinCopy : ::testing::Test {
  int (*savedAppend)(const char16_t*);
  int (*savedRead)(int, int, char16_t*);
  int (*savedAsk)(const char16_t*);
  void SetUp() override {
    LoadTestLanguage();
    InitLineTable();
    ClearLineTable();
    ExitGrid();
    ASSERT_EQ(InitGrid(), 0);
    InitSwitches();
    ClearSwitches();
    savedAppend = CopyTextAppendLine;
    savedRead = CopyTextReadLine;
    savedAsk = AskCreatePastedLine;
    CopyTextAppendLine = AppendLine;
    CopyTextReadLine = ReadLine;
    AskCreatePastedLine = Answer;
    Text.clear();
    Answers.clear();
    Asked.clear();
    MsgSeamReset();
  }
  void TearDown() override {
    CopyTextAppendLine = savedAppend;
    CopyTextReadLine = savedRead;
    AskCreatePastedLine = savedAsk;
    ClearSwitches();
    ClearLineTable();
  }
  // A route-list switch at (x, 10) whose line list names the line.
  void RouteSwitchFor(int x, uint32_t line) {
    SetCell(x, 10, 0, 72);
    const uint32_t dirs[4] = {2, 1, 32, 128};
    ASSERT_EQ(PlaceSwitch(x, 10, 0, 0, SWITCH_ROUTE1, (uint32_t)x, dirs, 0), 0);
    const uint32_t lengths[6] = {3, 0, 0, 0, 0, 0};
    const uint32_t values[3] = {1, line, 0};
    ASSERT_EQ(SetRouteSwitchLists(x, 10, 0, 0, lengths, values), 0);
  }
};
}  // namespace

TEST_F(LinCopy, LinesOfTheBlockTravelWithTheirDescriptions) {
  ASSERT_EQ(CreateLine(u"  A", 0, 0), 0);
  ASSERT_EQ(CreateLine(u"B", 0, 0), 0);
  ASSERT_EQ(CreateLine(u"C", 0, 0), 0);
  std::u16string desc = u"line\\one\r\n";
  desc += std::u16string(450, u'x');
  desc += u"\u2028end";
  ASSERT_EQ(SetLineDescription(FindLineByName(u"A"), desc.c_str()), 0);
  RouteSwitchFor(5, (uint32_t)FindLineByName(u"A"));
  RouteSwitchFor(6, (uint32_t)FindLineByName(u"B"));
  RouteSwitchFor(50, (uint32_t)FindLineByName(u"C"));  // outside the block
  Text = {u"first", u"second"};
  ASSERT_EQ(WriteLineCopyText(0, 0, -4, 20, 20, 0), 0);
  ASSERT_GE(Text.size(), 7u);
  EXPECT_EQ(Text[2], u"LIN_A");
  EXPECT_EQ(Text[3], u"\"A\",465");
  EXPECT_EQ(Text[4].substr(0, 17), u"line\\005cone\\000d");
  EXPECT_EQ(Text.back(), u"LIN_E");
  EXPECT_EQ(Text[Text.size() - 2], u"\"B\",0");
  for (const auto& l : Text) EXPECT_LE(l.size(), 204u);
  // Pasted into a network that knows B with another description and not A.
  ClearSwitches();
  ClearLineTable();
  ASSERT_EQ(CreateLine(u"B", 0, 0), 0);
  ASSERT_EQ(SetLineDescription(1, u"kept"), 0);
  Answers = {120};
  int index = 2;
  EXPECT_EQ(ReadLineCopyText(&index), 0);
  EXPECT_EQ(index, (int)Text.size());  // past the end marker
  EXPECT_EQ(Asked, (std::vector<std::u16string>{u"A"}));
  int a = FindLineByName(u"A");
  ASSERT_GT(a, 0);
  EXPECT_EQ(Description(a), desc);
  EXPECT_EQ(Description(1), u"kept");
  EXPECT_EQ(LineCount(), 2);
}

TEST_F(LinCopy, EachAnswerOfDialog114) {
  static const struct {
    std::vector<int> answers;
    const char16_t* created;  // of P, Q, R, S
    int asked;
  } cases[] = {
      {{122, 120, 121}, u"QRS", 3},  // no, yes, yes to all: S without asking
      {{120, 123}, u"P", 2},         // yes, no to all: R and S without asking
      {{1, 1, 1, 1}, u"", 4},        // anything else skips only this one
      {{121}, u"PQRS", 1},
  };
  for (const auto& c : cases) {
    Text = {u"LIN_A", u"\"P\",0", u"\"Q\",2", u"q\\0000", u"\"R\",0", u"\"S\",0", u"LIN_E"};
    ClearLineTable();
    Answers = c.answers;
    Asked.clear();
    int index = 0;
    EXPECT_EQ(ReadLineCopyText(&index), 0);
    std::u16string made;
    for (int i = 0; i < LineCount(); i++) made += LineAt(i)->name;
    EXPECT_EQ(made, c.created);
    EXPECT_EQ((int)Asked.size(), c.asked);
  }
  EXPECT_EQ(Description(FindLineByName(u"Q")), u"q");
}

TEST_F(LinCopy, FaultySectionsAreRefused) {
  static const struct {
    std::vector<std::u16string> text;
    int result;
  } cases[] = {
      {{u"LIN_B", u"LIN_E"}, 2},
      {{u"LIN_A", u"\"P,0", u"LIN_E"}, 2},           // no closing quote
      {{u"LIN_A", u"\"P\",x", u"LIN_E"}, 2},         // no length
      {{u"LIN_A", u"\"P\",1,2", u"LIN_E"}, 2},       // two fields
      {{u"LIN_A", u"\"P\",3", u"a\\00g1", u"LIN_E"}, 2},  // a bad escape
      {{u"LIN_A", u"\"P\",3", u"a"}, 2},             // the description ends early
      {{u"LIN_A", u"\"P:Q\",0", u"LIN_E"}, 2},       // not a name
      {{u"LIN_A", u"\"P\",0", u"LIN_EE"}, 2},
      {{u"LIN_A", u"\"P\",0"}, 2},
      {{u"LIN_A", u"LIN_E"}, 0},
  };
  for (const auto& c : cases) {
    Text = c.text;
    ClearLineTable();
    Answers = {121};
    int index = 0;
    EXPECT_EQ(ReadLineCopyText(&index), c.result) << (int)c.text.size();
  }
  // A length far above the longest description reads only the longest one.
  std::u16string big(INFO_TEXT_MAX - 1, u'b');
  Text = {u"LIN_A", u"\"P\",2000000000"};
  EscapeInfoText(big.c_str(), INFO_TEXT_MAX);
  Text.push_back(u"LIN_E");
  ClearLineTable();
  Answers = {120};
  int index = 0;
  EXPECT_EQ(ReadLineCopyText(&index), 0);
  EXPECT_EQ(GetLineDescription(FindLineByName(u"P"), nullptr), INFO_TEXT_MAX);
  // A full table: the line counts as not created.
  ClearLineTable();
  char16_t name[12];
  for (int i = 0; i < LINE_TABLE_MAX; i++) {
    name[0] = u'L';
    name[FormatUnsignedDigits(name + 1, (uint32_t)i, 1) + 1] = 0;
    ASSERT_EQ(CreateLine(name, 0, 0), 0);
  }
  Text = {u"LIN_A", u"\"NEW\",0", u"LIN_E"};
  Answers = {120};
  index = 0;
  EXPECT_EQ(ReadLineCopyText(&index), 1);
}

TEST_F(LinCopy, EscapedTextLines) {
  const char16_t two[3] = {u'a', u'b', u'c'};  // the last unit is written as 0
  EscapeInfoText(two, 3);
  EXPECT_EQ(Text, (std::vector<std::u16string>{u"ab\\0000"}));
  Text.clear();
  std::u16string longLine(199, u'z');
  longLine += u"\r";
  longLine += u"tail";
  EscapeInfoText(longLine.c_str(), (int)longLine.size() + 1);
  ASSERT_EQ(Text.size(), 2u);
  EXPECT_EQ(Text[0].size(), 204u);  // ends just after the escape that passes 200
  EXPECT_EQ(Text[1], u"tail\\0000");
  char16_t back[300];
  int index = 0;
  ASSERT_EQ(UnescapeInfoText(&index, back, (int)longLine.size() + 1), 0);
  EXPECT_EQ(index, 2);
  EXPECT_EQ(std::u16string(back), longLine);
}

TEST_F(LinCopy, RefusedNamesAreReported) {
  ASSERT_EQ(CreateLine(u"A", 0, 0), 0);
  static const struct {
    int code;
    const char16_t* name;
    uint32_t number;
    const char16_t* text;
  } cases[] = {
      {-2, u"ab:c", 664, u"\":\": \"ab:.."},
      {-1, u"", 663, u""},
      {-3, u"ABCDEFGHIJ", 665, u": \"ABCDEFGHIJ...\""},
      {0, u"ZZ", 662, u": \"ZZ\""},
  };
  for (const auto& c : cases) {
    MsgSeamReset();
    EXPECT_EQ(ReportLineNameError(c.code, c.name, 0), 0);
    ASSERT_EQ(MsgSeamCallCount(), 1);
    std::u16string title = MsgSeamLastCall()->title, text = MsgSeamLastCall()->text;
    std::u16string number = u"";
    for (char c2 : std::to_string(c.number)) number += (char16_t)c2;
    EXPECT_NE(title.find(number), std::u16string::npos) << c.number;
    EXPECT_NE(text.find(c.text), std::u16string::npos) << c.number;
  }
  // The offer to create an unknown line: yes creates it, no does not.
  MsgSeamReset();
  MsgSeamPushAnswer(3);
  int id = ReportLineNameError(0, u"NEW", 1);
  EXPECT_EQ(id, FindLineByName(u"NEW"));
  EXPECT_GT(id, 0);
  MsgSeamPushAnswer(4);
  EXPECT_EQ(ReportLineNameError(0, u"OTHER", 1), 0);
  EXPECT_EQ(FindLineByName(u"OTHER"), 0);
}
