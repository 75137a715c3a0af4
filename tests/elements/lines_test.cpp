// The line table: names and their refusals, creating, moving, renaming and deleting lines with
// their result codes, the order trains follow, descriptions, the field stepper and the text export.
#include <gtest/gtest.h>
#include <string>
#include "app/dialog_fields.h"
#include "core/misc.h"
#include "core/stream.h"
#include "elements/lines.h"
#include "model/grid.h"
#include "trains/train_records.h"

namespace {
std::u16string Name(int id, int pad = 0) {
  char16_t b[16];
  GetLineName(id, b, pad);
  return b;
}

std::u16string Order() {
  std::u16string s;
  for (int i = 0; i < LineCount(); i++) {
    if (i) s += u",";
    s += LineAt(i)->name;
  }
  return s;
}

struct Lines : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(InitLineTable(), 1);
    ClearLineTable();
  }
  void TearDown() override {
    while (Trains.first) {
      TrainRecord* t = Trains.first;
      Trains.first = t->next;
      FreeTrainRecord(t);
    }
    Trains.count = 0;
    ClearLineTable();
  }
  int Make(const char16_t* name, int after = 0) {
    EXPECT_EQ(CreateLine(name, after, 0), 0);
    return FindLineByName(name);
  }
  TrainRecord* AddTrain(uint32_t line, uint32_t second, uint32_t sub, uint32_t flags) {
    TrainRecord* t = AllocTrainRecord(1, 0);
    t->line = line;
    t->secondLine = second;
    t->subNumber = sub;
    t->flags = flags;
    t->next = Trains.first;  // the order is made by the sort
    Trains.first = t;
    Trains.count++;
    return t;
  }
};
}  // namespace

TEST_F(Lines, NamesPrintAndResolve) {
  int a = Make(u"S1");
  Make(u"Bus42");
  EXPECT_EQ(Name(0), u"*");
  EXPECT_EQ(GetLineName(0, nullptr, 0), 2);
  EXPECT_EQ(Name(999), u"?");
  char16_t b[16];
  EXPECT_EQ(GetLineName(999, b, 0), 1);
  EXPECT_EQ(Name(a), u"S1");
  EXPECT_EQ(Name(a, 1), u"      S1");  // six blanks before a two-character name
  // Case and leading blanks do not count; the scanner's refusals are negative.
  EXPECT_EQ(FindLineByName(u"  bus42"), FindLineByName(u"BUS42"));
  static const struct {
    const char16_t* text;
    int result;
  } cases[] = {{u"", -1}, {u"a:b", -2}, {u"*", -2}, {u"S*", -2}, {u"ABCDEFGHI", -3},
               {u"\"S1", -5}, {u"S2", 0}};
  for (const auto& c : cases) EXPECT_EQ(FindLineByName(c.text), c.result) << (int)c.text[0];
  int id = -1;
  EXPECT_EQ(ParseLineName(u"S1 rest", &id), 2);
  EXPECT_EQ(id, a);
  EXPECT_EQ(ParseLineName(u"*", &id), 1);
  EXPECT_EQ(id, 0);
  EXPECT_EQ(ParseLineName(u"XY", &id), 2);
  EXPECT_EQ(id, 65535);
  EXPECT_EQ(ParseLineName(u"", &id), 0);
  EXPECT_EQ(ParseLineName(u"ABCDEFGHI", &id), -3);
  EXPECT_EQ(ParseLineName(u"a:", &id), -2);
}

TEST_F(Lines, CreateResultCodes) {
  EXPECT_EQ(CreateLine(u"A", 0, 0), 0);
  EXPECT_EQ(CreateLine(u"a", 0, 0), 2);  // the name is in use (case ignored)
  EXPECT_EQ(CreateLine(u"", 0, 0), 3);
  EXPECT_EQ(CreateLine(u"a:b", 0, 0), 4);
  EXPECT_EQ(CreateLine(u"*", 0, 0), 4);
  EXPECT_EQ(CreateLine(u"ABCDEFGHI", 0, 0), 5);
  EXPECT_EQ(CreateLine(u"\"AB", 0, 0), 7);
  EXPECT_TRUE(IsNetModified());
  // Ids: the counter gives the next free id from where it stands; a deleted id waits for the wrap.
  int b = Make(u"B");
  int c = Make(u"C", FindLineByName(u"A"));  // right behind A
  EXPECT_EQ(Order(), u"A,C,B");
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, 3);
  EXPECT_EQ(DeleteLine(b), 0);
  EXPECT_EQ(Make(u"D"), 4);
  EXPECT_EQ(DeleteLine(4005), 1);
}

TEST_F(Lines, TheTableHoldsFourThousandLines) {
  char16_t name[12];
  for (int i = 0; i < LINE_TABLE_MAX; i++) {
    int k = 0;
    name[k++] = u'L';
    k += FormatUnsignedDigits(name + k, (uint32_t)i, 1);
    name[k] = 0;
    ASSERT_EQ(CreateLine(name, 0, 0), 0) << i;
  }
  EXPECT_EQ(CreateLine(u"ONEMORE", 0, 0), 1);
  EXPECT_EQ(GetLineCountAndMax(), LINE_TABLE_MAX | LINE_TABLE_MAX << 16);
  EXPECT_EQ(GetLineIdAt(LINE_TABLE_MAX - 1), LINE_TABLE_MAX);
  EXPECT_EQ(GetLineIdAt(LINE_TABLE_MAX), 0);
  // Freed ids are found again past the wrap of the counter.
  ASSERT_EQ(DeleteLine(7), 0);
  ASSERT_EQ(CreateLine(u"AGAIN", 0, 0), 0);
  EXPECT_EQ(FindLineByName(u"AGAIN"), 4001);
  ASSERT_EQ(DeleteLine(4001), 0);
  ASSERT_EQ(DeleteLine(4000), 0);
  ASSERT_EQ(CreateLine(u"X1", 0, 0), 0);
  ASSERT_EQ(CreateLine(u"X2", 0, 0), 0);
  EXPECT_EQ(FindLineByName(u"X1"), 4001);
  EXPECT_EQ(FindLineByName(u"X2"), 4002);
}

TEST_F(Lines, MovingAndRenaming) {
  int a = Make(u"A"), b = Make(u"B"), c = Make(u"C");
  EXPECT_EQ(RenameLine(a, nullptr, -1), 0);  // the first moves up to the end
  EXPECT_EQ(Order(), u"B,C,A");
  EXPECT_EQ(RenameLine(a, nullptr, -2), 0);  // the last moves down to the top
  EXPECT_EQ(Order(), u"A,B,C");
  EXPECT_EQ(RenameLine(a, nullptr, c), 0);  // behind C
  EXPECT_EQ(Order(), u"B,C,A");
  EXPECT_EQ(RenameLine(c, nullptr, b), 0);  // behind B: stays
  EXPECT_EQ(Order(), u"B,C,A");
  EXPECT_EQ(RenameLine(a, nullptr, b), 0);
  EXPECT_EQ(Order(), u"B,A,C");
  char16_t name[16];
  CopyString(name, u"c");
  EXPECT_EQ(RenameLine(a, name, 0), 2);  // taken: the found name comes back
  EXPECT_EQ(std::u16string(name), u"C");
  CopyString(name, u"a");
  EXPECT_EQ(RenameLine(a, name, 0), 0);  // its own name in another case
  EXPECT_EQ(Name(a), u"a");
  CopyString(name, u"ABCDEFGHI");
  EXPECT_EQ(RenameLine(a, name, 0), 4);
  CopyString(name, u"x:y");
  EXPECT_EQ(RenameLine(a, name, 0), 3);
  CopyString(name, u"");
  EXPECT_EQ(RenameLine(a, name, -2), 0);  // an empty name keeps the name, the move is made
  EXPECT_EQ(Order(), u"B,C,a");
  EXPECT_EQ(RenameLine(99, nullptr, 0), 1);
  // The order of the table is the order of trains.
  EXPECT_EQ(CompareLineOrder(b, c), 1);
  EXPECT_EQ(CompareLineOrder(a, c), 2);
  EXPECT_EQ(CompareLineOrder(a, a), 0);
  EXPECT_EQ(CompareLineOrder(a, 99), 11);
  EXPECT_EQ(CompareLineOrderHook(b, c), 1);
}

TEST_F(Lines, MovingALineResortsTheTrains) {
  int a = Make(u"A"), b = Make(u"B");
  AddTrain(a, a, 2, 0);
  AddTrain(b, b, 1, 0);
  AddTrain(a, a, 1, 0);
  SortTrainsByLineOrder();
  auto order = [] {
    std::string s;
    for (TrainRecord* t = Trains.first; t; t = t->next)
      s += std::to_string(t->line) + "/" + std::to_string(t->subNumber) + " ";
    return s;
  };
  EXPECT_EQ(order(), "1/1 1/2 2/1 ");
  ASSERT_EQ(RenameLine(b, nullptr, -1), 0);
  EXPECT_EQ(order(), "2/1 1/1 1/2 ");
}

TEST_F(Lines, DeletingALineInUseIsRefused) {
  int a = Make(u"A"), b = Make(u"B");
  AddTrain(a, b, 1, 0);
  EXPECT_EQ(DeleteLine(a), 2);  // a train runs on it
  EXPECT_EQ(DeleteLine(b), 3);  // a running train has it as second line
  EXPECT_EQ(Order(), u"A,B");
  Trains.first->flags = TRAIN_PARKED;
  EXPECT_EQ(DeleteLine(b), 0);  // only a parked one: allowed
  EXPECT_EQ(Order(), u"A");
}

TEST_F(Lines, Descriptions) {
  int a = Make(u"A");
  EXPECT_EQ(GetLineDescription(a, nullptr), 0);
  char16_t b[64];
  EXPECT_EQ(GetLineDescription(a, b), 0);
  EXPECT_EQ(b[0], 0);
  EXPECT_EQ(SetLineDescription(a, u"via\r\nthe park"), 0);
  EXPECT_EQ(GetLineDescription(a, b), 14);
  EXPECT_EQ(std::u16string(b), u"via\r\nthe park");
  EXPECT_EQ(SetLineDescription(a, u"   "), 0);  // blanks remove it
  EXPECT_EQ(GetLineDescription(a, nullptr), 0);
  EXPECT_EQ(SetLineDescription(77, u"x"), -1);
  EXPECT_EQ(GetLineDescription(77, nullptr), -1);
}

TEST_F(Lines, FieldStepperWrapsThroughTheTable) {
  char16_t out[16];
  EXPECT_EQ(StepLineNameField(u"A", out, 1), 1);  // no lines
  Make(u"A");
  Make(u"B");
  Make(u"C");
  static const struct {
    const char16_t* field;
    int n;
    const char16_t* expected;
  } cases[] = {{u"A", 1, u"B"},  {u"  c", 1, u"A"}, {u"A", -1, u"C"},
               {u"B", 5, u"A"},  {u"zz", 1, u"A"},  {u"ABCDEFGHIJK", 1, u"A"}};
  for (const auto& c : cases) {
    ASSERT_EQ(StepLineNameField(c.field, out, c.n), 0);
    EXPECT_EQ(std::u16string(out), c.expected);
  }
}

// A line-name field (kind 2) steps through the lines of the table (the program registers them).
TEST_F(Lines, LineNameFieldsStepRealLines) {
  Make(u"A");
  Make(u"B");
  char16_t buffer[64] = u"A";
  DialogRecord rec = DlgEdit(140, buffer, 9, DLGE_RANGE, DLGK_LINE, DLGK_LINE);
  int32_t lo, hi;
  ASSERT_EQ(SpinRangeForRecord(&rec, &lo, &hi), 1);
  EXPECT_EQ(hi, 1);  // 0 .. number of lines - 1
  char16_t text[64] = u"A";
  int caret = 0;
  ASSERT_EQ(StepFieldText(&rec, text, 64, &caret, 38), 1);
  EXPECT_EQ(std::u16string(text), u"B");
  ASSERT_EQ(StepFieldText(&rec, text, 64, &caret, 38), 1);
  EXPECT_EQ(std::u16string(text), u"A");
}
