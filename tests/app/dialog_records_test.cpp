// Dialog descriptors: record lookup, the help topic of the title record, end-code mapping and the
// string lists of list records (walking, deleting, sorting, choosing by a typed key).
#include <gtest/gtest.h>
#include <string>
#include "app/dialog.h"

namespace {

// A list buffer from entries (each terminated), ended by the empty string.
std::u16string ListOf(std::initializer_list<std::u16string> entries) {
  std::u16string s;
  for (const auto& e : entries) s += e + u'\0';
  s += u'\0';
  return s;
}

std::u16string Entry(DialogRecord* rec, int n) {
  char16_t* p = GetListString(rec, n);
  return p ? std::u16string(p) : u"<none>";
}

TEST(DialogRecords, FindByControlIdCoversEveryTypeWithAnId) {
  char16_t buf[8] = u"";
  char16_t list[4] = {0, 0};
  uint32_t cells[1] = {0};
  DialogRecord d[] = {DlgTitle(10, 20, 140),
                      DlgText(190, 1),
                      DlgTextPtr(191, u"x"),
                      DlgTextOff(192, 2),
                      DlgOk(),
                      DlgCancel(),
                      DlgThird(),
                      DlgYes(),
                      DlgNo(),
                      DlgHelp(),
                      DlgCell(200, 1, 2, 3, 4),
                      DlgCellStep(340, 1, 2, 3, 4, 5, 6, 7),
                      DlgCellList(341, 1, 2, 3, 1, 0, cells),
                      DlgPreview(1, 2, 3, 0),
                      DlgList(106, list, 0),
                      DlgEdit(140, buf, 8, 0),
                      DlgRadio(400, 0, 0),
                      DlgCheck(470, 0, 0),
                      DlgEnd()};
  struct Case {
    uint32_t id;
    int index;
  } cases[] = {{190, 1},
               {191, 2},
               {192, 3},
               {200, 10},
               {340, 11},
               {341, 12},
               {106, 14},
               {140, 15},
               {400, 16},
               {470, 17},
               // buttons, title and preview carry no control id of their own
               {1, -1},
               {2, -1},
               {100, -1},
               {10, -1},
               {999, -1}};
  for (const Case& c : cases) {
    DialogRecord* r = FindDescriptorItem(d, c.id);
    if (c.index < 0)
      EXPECT_EQ(r, nullptr) << c.id;
    else
      EXPECT_EQ(r, &d[c.index]) << c.id;
  }
  EXPECT_EQ(FindDescriptorItem(nullptr, 1), nullptr);
}

TEST(DialogRecords, NextRecordStopsAtTheEndMark) {
  DialogRecord d[] = {DlgTitle(1, 2, 3), DlgOk(), DlgEnd()};
  EXPECT_EQ(NextDescriptorRecord(&d[0]), &d[1]);
  EXPECT_EQ(NextDescriptorRecord(&d[1]), nullptr);
  EXPECT_EQ(NextDescriptorRecord(&d[2]), nullptr);
  EXPECT_EQ(NextDescriptorRecord(nullptr), nullptr);
  DialogRecord e[] = {DlgOk(), DlgEnd()};
  e[1].type = 200;  // any type above 19 ends it
  EXPECT_EQ(NextDescriptorRecord(&e[0]), nullptr);
}

TEST(DialogRecords, HelpTopicComesFromTheTitleRecordsNamedField) {
  // A text-pointer title: the help topic sits after a pointer, which is 8 bytes wide on x86_64.
  DialogRecord a[] = {DlgTitleText(u"Title", 51234 & 0xFFFF, DLG_NO_FOCUS), DlgOk(), DlgEnd()};
  EXPECT_EQ(DescriptorHelpTopic(a), 51234);
  EXPECT_EQ(DescriptorFocusId(a), DLG_NO_FOCUS);
  DialogRecord b[] = {DlgText(190, 5), DlgTitle(11700, 42014, 140), DlgEnd()};
  EXPECT_EQ(DescriptorHelpTopic(b), 42014);
  EXPECT_EQ(DescriptorFocusId(b), 140u);
  DialogRecord c[] = {DlgOk(), DlgEnd()};
  EXPECT_EQ(DescriptorHelpTopic(c), 0);
  EXPECT_EQ(DescriptorHelpTopic(nullptr), 0);
}

TEST(DialogRecords, EndCodeMapping) {
  struct Case {
    intptr_t end;
    int result;
  } cases[] = {{1, DLGR_OK}, {2, DLGR_CANCEL}, {8, DLGR_CANCEL}, {6, DLGR_YES}, {7, DLGR_NO},
               {103, 103},   {104, 104},       {105, 105},       {106, 106},    {120, 120},
               {137, 137},   {0, 1},           {-1, 1},          {3, 1},        {100, 1},
               {102, 1},     {107, 1},         {119, 1},         {138, 1}};
  for (const Case& c : cases) EXPECT_EQ(MapDialogEndCode(c.end), c.result) << c.end;
}

TEST(DialogRecords, ClosingControls) {
  for (uint32_t id : {1u, 2u, 6u, 7u, 8u, 103u, 104u, 105u, 120u, 137u})
    EXPECT_EQ(IsClosingControl(id), 1) << id;
  for (uint32_t id : {0u, 3u, 100u, 106u, 119u, 138u, 140u})
    EXPECT_EQ(IsClosingControl(id), 0) << id;
}

TEST(DialogLists, WalkEntriesWithAndWithoutHeightWords) {
  std::u16string plain = ListOf({u"alpha", u"beta", u"gamma"});
  DialogRecord r = DlgList(106, plain.data(), 0);
  EXPECT_EQ(Entry(&r, 0), u"alpha");
  EXPECT_EQ(Entry(&r, 2), u"gamma");
  EXPECT_EQ(GetListString(&r, 3), nullptr);
  EXPECT_EQ(GetListString(&r, -1), nullptr);

  // With flag 8 every entry, and the end, is preceded by a height word; the pointer is at it.
  std::u16string h;
  h += char16_t(16);
  h += u"one";
  h += u'\0';
  h += char16_t(24);
  h += u"two";
  h += u'\0';
  h += char16_t(0);
  h += u'\0';
  DialogRecord rh = DlgList(106, h.data(), DLGL_HEIGHTS);
  ASSERT_NE(GetListString(&rh, 1), nullptr);
  EXPECT_EQ(GetListString(&rh, 1)[0], 24);
  EXPECT_EQ(std::u16string(GetListString(&rh, 1) + 1), u"two");
  EXPECT_EQ(GetListString(&rh, 2), nullptr);

  // Picture codes carry parameter units that may be 0: code 1 takes four units.
  std::u16string p;
  p += char16_t(1);
  p += char16_t(0xC003);
  p += char16_t(0);
  p += char16_t(1);
  p += u"Stop";
  p += u'\0';
  p += u"next";
  p += u'\0';
  p += u'\0';
  DialogRecord rp = DlgList(106, p.data(), 0);
  EXPECT_EQ(Entry(&rp, 1), u"next");

  // Code 4 (the mark of a line with a description) stands alone, last in its line: the walk
  // goes on right after it, not past the line's end.
  std::u16string m = u"L1   ";
  m += char16_t(4);
  m += u'\0';
  m += u"L2";
  m += u'\0';
  m += u"L3   ";
  m += char16_t(4);
  m += u'\0';
  m += u'\0';
  DialogRecord rm = DlgList(106, m.data(), 0);
  EXPECT_EQ(Entry(&rm, 1), u"L2");
  EXPECT_EQ(Entry(&rm, 2).substr(0, 2), u"L3");
  EXPECT_EQ(GetListString(&rm, 3), nullptr);

  // A keyed run (code 2 with three parameter units, here entry 0) is closed by a lone code 2: the
  // closing code takes no parameters, so a short text after it stays in its line.
  std::u16string k;
  k += char16_t(2);
  k += std::u16string(3, u'\0');
  k += u"a";
  k += char16_t(2);
  k += u"b";
  k += u'\0';
  k += u"next";
  k += u'\0';
  k += u'\0';
  DialogRecord rk = DlgList(106, k.data(), 0);
  EXPECT_EQ(Entry(&rk, 1), u"next");
  EXPECT_EQ(GetListString(&rk, 2), nullptr);
}

TEST(DialogLists, DeleteMovesTheRestDown) {
  std::u16string s = ListOf({u"a", u"bb", u"ccc"});
  DialogRecord r = DlgList(106, s.data(), 0);
  EXPECT_EQ(DeleteListString(&r, 1), 0);
  EXPECT_EQ(Entry(&r, 0), u"a");
  EXPECT_EQ(Entry(&r, 1), u"ccc");
  EXPECT_EQ(GetListString(&r, 2), nullptr);
  EXPECT_EQ(DeleteListString(&r, 5), 1);
  EXPECT_EQ(DeleteListString(&r, 0), 0);
  EXPECT_EQ(DeleteListString(&r, 0), 0);
  EXPECT_EQ(GetListString(&r, 0), nullptr);
  EXPECT_EQ(DeleteListString(&r, 0), 1);
  DialogRecord none = DlgList(106, nullptr, 0);
  EXPECT_EQ(DeleteListString(&none, 0), 1);
  EXPECT_EQ(DeleteListString(nullptr, 0), 1);
}

TEST(DialogLists, SortComparesFromTheSeventhCharacterIgnoringCaseAndBlanks) {
  std::u16string s = ListOf({u"000001 pear", u"000002 Apple", u"000003   mango", u"000004 banana"});
  DialogRecord r = DlgList(106, s.data(), DLGL_SORT);
  SortDescriptorList(&r);
  EXPECT_EQ(Entry(&r, 0), u"000002 Apple");
  EXPECT_EQ(Entry(&r, 1), u"000004 banana");
  EXPECT_EQ(Entry(&r, 2), u"000003   mango");
  EXPECT_EQ(Entry(&r, 3), u"000001 pear");
}

TEST(DialogLists, SortStopsAtALongEntryAndSkipsHeightLists) {
  std::u16string longEntry = u"000000 " + std::u16string(100, u'a');  // 108 characters with its 0
  std::u16string s = ListOf({u"000001 z", u"000002 y", longEntry, u"000003 b"});
  DialogRecord r = DlgList(106, s.data(), 0);
  SortDescriptorList(&r);
  EXPECT_EQ(Entry(&r, 0), u"000002 y");  // sorted up to the long entry
  EXPECT_EQ(Entry(&r, 1), u"000001 z");
  EXPECT_EQ(Entry(&r, 3), u"000003 b");  // never reached

  std::u16string h;
  h += char16_t(16);
  h += u"000001 z";
  h += u'\0';
  h += char16_t(16);
  h += u"000002 a";
  h += u'\0';
  h += char16_t(0);
  h += u'\0';
  std::u16string before = h;
  DialogRecord rh = DlgList(106, h.data(), DLGL_HEIGHTS | DLGL_SORT);
  SortDescriptorList(&rh);
  EXPECT_EQ(h, before);
}

TEST(DialogLists, TypedKeyChoosesTheNextEntryAfterTheSelection) {
  std::u16string s;
  s += u"Apple";
  s += u'\0';
  s += u"  banana";
  s += u'\0';
  s += char16_t(1);
  s += char16_t(0xC010);
  s += char16_t(0);
  s += char16_t(1);
  s += u" Avenue";
  s += u'\0';
  s += u"cherry";
  s += u'\0';
  s += u'\0';
  DialogRecord r = DlgList(106, s.data(), 0);
  struct Case {
    int current;
    char16_t ch;
    int want;
  } cases[] = {{0, u'a', 2},   // after the selection, past a picture code and a blank
               {2, u'a', 0},   // wraps to the start
               {-1, u'b', 1},  // no selection: from the first entry
               {1, u'B', 1},   // only the current entry matches
               {0, u'x', -1},  // no match leaves the selection
               {3, u'C', 3}};
  for (const Case& c : cases)
    EXPECT_EQ(FindListItemByKey(&r, 4, c.current, c.ch), c.want) << int(c.ch);
}

}  // namespace
